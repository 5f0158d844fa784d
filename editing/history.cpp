#include "editing/history.h"

#include <deque>
#include <utility>

#include "map/map_copy.h"
#include "map/map_grid.h"

namespace pelorn {

namespace {

struct TileChange {
    PackedTile tile;
    TerrainCode oldCode;
    TerrainCode newCode;
};

// One edit. Either a list of tile changes, or a list of tiles that all went
// from one code to another (a bucket fill), or copies of the whole map
// before and after.
struct Step {
    MapChange change = MapChange::kBrushedTiles;
    std::int32_t width = 0;  // the map size the tiles belong to
    std::int32_t height = 0;
    std::vector<TileChange> changes;
    std::vector<std::uint32_t> filled;
    TerrainCode filledOld = 0;
    TerrainCode filledNew = 0;
    bool wholeMap = false;
    MapCopy before;
    MapCopy after;
    std::size_t bytes = 0;

    bool empty() const { return !wholeMap && changes.empty() && filled.empty(); }
    std::size_t measure() const {
        return sizeof(Step) + changes.capacity() * sizeof(TileChange) + filled.capacity() * sizeof(std::uint32_t) +
               before.bytes() + after.bytes();
    }
    // A bucket fill followed by other tiles in the same edit: keep them all as changes.
    void expandFilled() {
        for (std::uint32_t tile : filled) changes.push_back({tile, filledOld, filledNew});
        std::vector<std::uint32_t>().swap(filled);
    }
};

std::deque<Step> undoSteps;  // oldest first
std::deque<Step> redoSteps;  // the next to redo last
std::size_t keptBytes = 0;
std::size_t memoryLimit = kHistoryMemoryLimit;

bool editOpen = false;
Step openEdit;

bool wholeMapPending = false;
MapChange pendingChange = MapChange::kTiles;
MapCopy pendingBefore;

void dropRedoSteps() {
    for (const Step& step : redoSteps) keptBytes -= step.bytes;
    redoSteps.clear();
}

void keepWithinLimit() {
    while (keptBytes > memoryLimit && undoSteps.size() + redoSteps.size() > 1) {
        if (undoSteps.size() > 1 || (undoSteps.size() == 1 && redoSteps.empty())) {
            keptBytes -= undoSteps.front().bytes;
            undoSteps.pop_front();
        } else {
            keptBytes -= redoSteps.front().bytes;
            redoSteps.pop_front();
        }
    }
}

void pushStep(Step&& step) {
    if (step.empty()) return;
    dropRedoSteps();
    step.bytes = step.measure();
    keptBytes += step.bytes;
    undoSteps.push_back(std::move(step));
    keepWithinLimit();
}

void closeOpenEdit() {
    if (!editOpen) return;
    editOpen = false;
    pushStep(std::move(openEdit));
    openEdit = Step();
}

// The tiles that differ from the copy, when there are at most `limit` of
// them. They are counted first, so that a map that changed everywhere costs
// no list.
bool changedTiles(const MapCopy& before, std::size_t limit, std::vector<TileChange>& changes) {
    const std::int32_t height = mapHeight();
    std::vector<TerrainCode> old(static_cast<std::size_t>(height));
    const TerrainCode* const previous = old.data();
    std::size_t count = 0;
    {
        MapCopy::Reader reader(before);
        for (std::int32_t x = 0; x < mapWidth(); ++x) {
            reader.column(old.data(), height);
            const TerrainCode* const column = mapGrid[x];
            std::size_t differing = 0;
            for (std::int32_t y = 0; y < height; ++y) differing += std::size_t(column[y] != previous[y]);
            count += differing;
            if (count > limit) return false;
        }
    }
    changes.reserve(count);
    MapCopy::Reader reader(before);
    for (std::int32_t x = 0; x < mapWidth(); ++x) {
        reader.column(old.data(), height);
        const TerrainCode* const column = mapGrid[x];
        for (std::int32_t y = 0; y < height; ++y)
            if (column[y] != previous[y]) changes.push_back({packTile(x, y), previous[y], column[y]});
    }
    return true;
}

void commitPendingWholeMap() {
    if (!wholeMapPending) return;
    wholeMapPending = false;
    Step step;
    step.change = pendingChange;
    MapCopy before = std::move(pendingBefore);
    pendingBefore = MapCopy();
    if (!before.holdsMap() || !mapGrid) return;
    if (before.quadsX() == quadCountX && before.quadsY() == quadCountY) {
        // A list of tiles is kept when it is smaller than the copy it replaces.
        const std::size_t limit = before.bytes() / sizeof(TileChange);
        if (changedTiles(before, limit, step.changes)) {
            step.width = mapWidth();
            step.height = mapHeight();
            pushStep(std::move(step));
            return;
        }
        std::vector<TileChange>().swap(step.changes);
    }
    step.wholeMap = true;
    step.before = std::move(before);
    step.after.capture();
    if (!step.after.holdsMap()) return;
    pushStep(std::move(step));
}

// Whatever is still open becomes a step.
void settle() {
    closeOpenEdit();
    commitPendingWholeMap();
}

void setTile(PackedTile tile, TerrainCode code) {
    const TilePos p = unpackTile(tile);
    mapGrid[p.x][p.y] = code;
}

// Puts the map in the state before (forward false) or after the step. False
// when the step does not fit the map in memory.
bool applyStep(const Step& step, bool forward) {
    if (step.wholeMap) return (forward ? step.after : step.before).restore();
    if (!mapGrid || mapWidth() != step.width || mapHeight() != step.height) return false;
    if (forward) {
        for (std::uint32_t tile : step.filled) setTile(tile, step.filledNew);
        for (const TileChange& change : step.changes) setTile(change.tile, change.newCode);
    } else {
        for (std::uint32_t tile : step.filled) setTile(tile, step.filledOld);
        for (auto it = step.changes.rbegin(); it != step.changes.rend(); ++it) setTile(it->tile, it->oldCode);
    }
    return true;
}

// Undo (forward false) or redo the last step of `from` and move it to `to`.
bool replay(std::deque<Step>& from, std::deque<Step>& to, bool forward) {
    settle();
    if (from.empty()) return false;
    Step step = std::move(from.back());
    from.pop_back();
    keptBytes -= step.bytes;
    const std::int32_t quadsX = quadCountX;
    const std::int32_t quadsY = quadCountY;
    if (!applyStep(step, forward)) {
        // The history belongs to a map no longer there.
        historyClear();
        if (!mapGrid) {
            replaceWithEmptyMap(1, 1);
            repaintMapChange(MapChange::kWholeMap);
        }
        return false;
    }
    repaintEdit(step.change, quadsX, quadsY);
    keptBytes += step.bytes;
    to.push_back(std::move(step));
    return true;
}

}  // namespace

void historyBeginEdit(MapChange change) {
    settle();
    editOpen = true;
    openEdit = Step();
    openEdit.change = change;
    openEdit.width = mapWidth();
    openEdit.height = mapHeight();
}

void historyRecordTile(std::int32_t x, std::int32_t y, TerrainCode oldCode, TerrainCode newCode) {
    if (!editOpen) historyBeginEdit(MapChange::kBrushedTiles);
    if (oldCode == newCode) return;
    if (!openEdit.filled.empty()) openEdit.expandFilled();
    openEdit.changes.push_back({packTile(x, y), oldCode, newCode});
}

void historyRecordTiles(std::vector<std::uint32_t>&& tiles, TerrainCode oldCode, TerrainCode newCode) {
    if (!editOpen) historyBeginEdit(MapChange::kTiles);
    if (oldCode == newCode || tiles.empty()) return;
    if (openEdit.changes.empty() && openEdit.filled.empty()) {
        openEdit.filled = std::move(tiles);
        openEdit.filledOld = oldCode;
        openEdit.filledNew = newCode;
        return;
    }
    openEdit.expandFilled();
    for (std::uint32_t tile : tiles) openEdit.changes.push_back({tile, oldCode, newCode});
}

void historyEndEdit() { closeOpenEdit(); }

void historyCaptureWholeMap(MapChange change) {
    settle();
    wholeMapPending = true;
    pendingChange = change;
    pendingBefore.capture();
}

void historyCommitWholeMap() { commitPendingWholeMap(); }

void repaintEdit(MapChange change, std::int32_t quadsX, std::int32_t quadsY) {
    const bool sizeChanged = quadsX != quadCountX || quadsY != quadCountY;
    repaintMapChange(sizeChanged ? MapChange::kWholeMap : change);
}

bool undoLastEdit() { return replay(undoSteps, redoSteps, false); }

bool redoLastEdit() { return replay(redoSteps, undoSteps, true); }

bool canUndo() {
    return !undoSteps.empty() || wholeMapPending ||
           (editOpen && (!openEdit.changes.empty() || !openEdit.filled.empty()));
}

bool canRedo() { return !redoSteps.empty(); }

void historyClear() {
    undoSteps.clear();
    redoSteps.clear();
    keptBytes = 0;
    editOpen = false;
    openEdit = Step();
    wholeMapPending = false;
    pendingBefore = MapCopy();
}

std::size_t historyMemoryBytes() { return keptBytes; }

void setHistoryMemoryLimit(std::size_t bytes) {
    memoryLimit = bytes;
    keepWithinLimit();
}

}  // namespace pelorn
