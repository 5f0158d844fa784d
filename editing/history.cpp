#include "editing/history.h"

#include <utility>

namespace pelorn {

namespace {

constexpr std::uint64_t kNoState = ~std::uint64_t{0};

}  // namespace

std::size_t History::Step::measure() const {
    return sizeof(Step) + changes.capacity() * sizeof(TileChange) + filled.capacity() * sizeof(std::uint32_t) +
           before.bytes() + after.bytes();
}

void History::Step::expandFilled() {
    for (std::uint32_t tile : filled) changes.push_back({tile, filledOld, filledNew});
    std::vector<std::uint32_t>().swap(filled);
}

bool History::openEditChangedTiles() const {
    return editOpen_ && (!openEdit_.changes.empty() || !openEdit_.filled.empty());
}

void History::dropRedoSteps() {
    for (const Step& step : redoSteps_) keptBytes_ -= step.bytes;
    redoSteps_.clear();
}

void History::keepWithinLimit() {
    while (keptBytes_ > memoryLimit_ && undoSteps_.size() + redoSteps_.size() > 1) {
        if (undoSteps_.size() > 1 || (undoSteps_.size() == 1 && redoSteps_.empty())) {
            keptBytes_ -= undoSteps_.front().bytes;
            undoSteps_.pop_front();
        } else {
            keptBytes_ -= redoSteps_.front().bytes;
            redoSteps_.pop_front();
        }
    }
}

void History::pushStep(Step&& step) {
    if (step.empty()) return;
    dropRedoSteps();
    step.stateBefore = currentState_;
    step.stateAfter = currentState_ = ++lastStateNumber_;
    step.bytes = step.measure();
    keptBytes_ += step.bytes;
    undoSteps_.push_back(std::move(step));
    keepWithinLimit();
    ++revision_;
}

void History::closeOpenEdit() {
    if (!editOpen_) return;
    editOpen_ = false;
    pushStep(std::move(openEdit_));
    openEdit_ = Step();
}

// The tiles that differ from the copy, when there are at most `limit` of
// them. They are counted first, so that a map that changed everywhere costs
// no list.
bool History::changedTiles(const MapCopy& before, std::size_t limit, std::vector<TileChange>& changes) const {
    const std::int32_t width = mapWidth(map_);
    const std::int32_t height = mapHeight(map_);
    std::vector<TerrainCode> old(static_cast<std::size_t>(height));
    const TerrainCode* const previous = old.data();
    std::size_t count = 0;
    {
        MapCopy::Reader reader(before);
        for (std::int32_t x = 0; x < width; ++x) {
            reader.column(old.data(), height);
            const TerrainCode* const column = map_.mapGrid[x];
            std::size_t differing = 0;
            for (std::int32_t y = 0; y < height; ++y) differing += std::size_t(column[y] != previous[y]);
            count += differing;
            if (count > limit) return false;
        }
    }
    changes.reserve(count);
    MapCopy::Reader reader(before);
    for (std::int32_t x = 0; x < width; ++x) {
        reader.column(old.data(), height);
        const TerrainCode* const column = map_.mapGrid[x];
        for (std::int32_t y = 0; y < height; ++y)
            if (column[y] != previous[y]) changes.push_back({packTile(x, y), previous[y], column[y]});
    }
    return true;
}

void History::commitPendingWholeMap() {
    if (!wholeMapPending_) return;
    wholeMapPending_ = false;
    Step step;
    step.change = pendingChange_;
    MapCopy before = std::move(pendingBefore_);
    pendingBefore_ = MapCopy();
    if (!before.holdsMap() || !map_.mapGrid) return;
    if (before.quadsX() == map_.quadCountX && before.quadsY() == map_.quadCountY) {
        // A list of tiles is kept when it is smaller than the copy it replaces.
        const std::size_t limit = before.bytes() / sizeof(TileChange);
        if (changedTiles(before, limit, step.changes)) {
            step.width = mapWidth(map_);
            step.height = mapHeight(map_);
            pushStep(std::move(step));
            return;
        }
        std::vector<TileChange>().swap(step.changes);
    }
    step.wholeMap = true;
    step.before = std::move(before);
    step.after.capture(map_);
    if (!step.after.holdsMap()) return;
    pushStep(std::move(step));
}

// Whatever is still open becomes a step.
void History::settle() {
    closeOpenEdit();
    commitPendingWholeMap();
}

// Puts the map in the state before (forward false) or after the step. False
// when the step does not fit the map in memory.
bool History::applyStep(const Step& step, bool forward) {
    if (step.wholeMap) return (forward ? step.after : step.before).restore(map_);
    if (!map_.mapGrid || mapWidth(map_) != step.width || mapHeight(map_) != step.height) return false;
    const auto set = [this](PackedTile tile, TerrainCode code) {
        const TilePos p = unpackTile(tile);
        map_.mapGrid[p.x][p.y] = code;
    };
    if (forward) {
        for (std::uint32_t tile : step.filled) set(tile, step.filledNew);
        for (const TileChange& change : step.changes) set(change.tile, change.newCode);
    } else {
        for (std::uint32_t tile : step.filled) set(tile, step.filledOld);
        for (auto it = step.changes.rbegin(); it != step.changes.rend(); ++it) set(it->tile, it->oldCode);
    }
    return true;
}

// Undo (forward false) or redo the last step and move it to the other list.
Replay History::replay(bool forward) {
    settle();
    std::deque<Step>& from = forward ? redoSteps_ : undoSteps_;
    std::deque<Step>& to = forward ? undoSteps_ : redoSteps_;
    if (from.empty()) return {};
    Step step = std::move(from.back());
    from.pop_back();
    keptBytes_ -= step.bytes;
    const std::int32_t quadsX = map_.quadCountX;
    const std::int32_t quadsY = map_.quadCountY;
    if (!applyStep(step, forward)) {
        // The history belongs to a map no longer there; what was unsaved stays so.
        const bool unsaved = hasUnsavedEdits();
        clear();
        if (unsaved) markUnsaved();
        if (map_.mapGrid) return {};
        replaceWithEmptyMap(map_, 1, 1);
        return {false, true, MapChange::kWholeMap};
    }
    const bool sizeChanged = quadsX != map_.quadCountX || quadsY != map_.quadCountY;
    const MapChange change = sizeChanged ? MapChange::kWholeMap : step.change;
    currentState_ = forward ? step.stateAfter : step.stateBefore;
    keptBytes_ += step.bytes;
    to.push_back(std::move(step));
    ++revision_;
    return {true, true, change};
}

void History::beginEdit(MapChange change) {
    settle();
    editOpen_ = true;
    openEdit_ = Step();
    openEdit_.change = change;
    openEdit_.width = mapWidth(map_);
    openEdit_.height = mapHeight(map_);
}

void History::recordTile(std::int32_t x, std::int32_t y, TerrainCode oldCode, TerrainCode newCode) {
    if (!editOpen_) beginEdit(MapChange::kBrushedTiles);
    if (oldCode == newCode) return;
    if (!openEdit_.filled.empty()) openEdit_.expandFilled();
    openEdit_.changes.push_back({packTile(x, y), oldCode, newCode});
    ++revision_;
}

void History::recordTiles(std::vector<std::uint32_t>&& tiles, TerrainCode oldCode, TerrainCode newCode) {
    if (!editOpen_) beginEdit(MapChange::kTiles);
    if (oldCode == newCode || tiles.empty()) return;
    if (openEdit_.changes.empty() && openEdit_.filled.empty()) {
        openEdit_.filled = std::move(tiles);
        openEdit_.filledOld = oldCode;
        openEdit_.filledNew = newCode;
    } else {
        openEdit_.expandFilled();
        for (std::uint32_t tile : tiles) openEdit_.changes.push_back({tile, oldCode, newCode});
    }
    ++revision_;
}

void History::endEdit() { closeOpenEdit(); }

void History::captureWholeMap(MapChange change) {
    settle();
    wholeMapPending_ = true;
    pendingChange_ = change;
    pendingBefore_.capture(map_);
    ++revision_;  // the map is about to change
}

void History::commitWholeMap() { commitPendingWholeMap(); }

Replay History::undo() { return replay(false); }

Replay History::redo() { return replay(true); }

bool History::canUndo() const { return !undoSteps_.empty() || wholeMapPending_ || openEditChangedTiles(); }

void History::clear() {
    undoSteps_.clear();
    redoSteps_.clear();
    keptBytes_ = 0;
    editOpen_ = false;
    openEdit_ = Step();
    wholeMapPending_ = false;
    pendingBefore_ = MapCopy();
    currentState_ = savedState_ = ++lastStateNumber_;
    ++revision_;
}

bool History::hasUnsavedEdits() const { return currentState_ != savedState_ || openEditChangedTiles(); }

void History::markSaved() {
    settle();
    savedState_ = currentState_;
}

void History::markUnsaved() { savedState_ = kNoState; }

void History::setMemoryLimit(std::size_t bytes) {
    memoryLimit_ = bytes;
    keepWithinLimit();
}

}  // namespace pelorn
