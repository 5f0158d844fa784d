#include "map/history.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <utility>

#include "map/map_grid.h"
#include "map/window_seam.h"
#include "view/view_mode.h"

namespace pelorn {

namespace {

// Tile positions are kept packed: column in the high 16 bits, row in the low.
inline std::uint32_t packTile(std::int32_t x, std::int32_t y) {
    return (static_cast<std::uint32_t>(x) << 16) | static_cast<std::uint32_t>(y);
}
inline std::int32_t tileColumn(std::uint32_t tile) { return static_cast<std::int32_t>(tile >> 16); }
inline std::int32_t tileRow(std::uint32_t tile) { return static_cast<std::int32_t>(tile & 0xFFFF); }

struct TileChange {
    std::uint32_t tile;
    TerrainCode oldCode;
    TerrainCode newCode;
};

struct Run {
    TerrainCode code;
    std::uint32_t length;
};

// A copy of the whole map, tiles in column order: as runs of one code when
// the map has long stretches of one terrain, else one byte per tile when
// every code fits in one, else four.
class MapCopy {
public:
    bool holdsMap() const { return quadsX_ > 0; }
    std::int32_t quadsX() const { return quadsX_; }
    std::int32_t quadsY() const { return quadsY_; }

    void capture() {
        *this = MapCopy();
        if (!mapGrid) return;
        quadsX_ = quadCountX;
        quadsY_ = quadCountY;
        const std::int32_t width = mapWidth();
        const std::int32_t height = mapHeight();
        const std::size_t tiles = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
        if (captureRuns(width, height)) return;
        bytes_.resize(tiles);
        int fits = 1;
        std::int8_t* out = bytes_.data();
        for (std::int32_t x = 0; x < width; ++x, out += height) {
            const TerrainCode* const column = mapGrid[x];
            for (std::int32_t y = 0; y < height; ++y) {
                const TerrainCode code = column[y];
                out[y] = static_cast<std::int8_t>(code);
                fits &= int(code >= -128) & int(code <= 127);
            }
        }
        if (fits) return;
        std::vector<std::int8_t>().swap(bytes_);
        words_.resize(tiles);
        for (std::int32_t x = 0; x < width; ++x)
            std::memcpy(words_.data() + static_cast<std::size_t>(x) * height, mapGrid[x], sizeof(TerrainCode) * height);
    }

    // Puts the copied map in place of the current one, reallocating the grid
    // when the size differs. False when no grid could be had.
    bool restore() const {
        if (!holdsMap()) return false;
        if (!mapGrid || quadCountX != quadsX_ || quadCountY != quadsY_) {
            freeMapGrid();
            quadCountX = quadsX_;
            quadCountY = quadsY_;
            if (!allocateMapGridKeepView()) return false;
            viewQuadX = std::min(viewQuadX, quadCountX - 1);
            viewQuadY = std::min(viewQuadY, quadCountY - 1);
        }
        Reader reader(*this);
        for (std::int32_t x = 0; x < mapWidth(); ++x) reader.column(mapGrid[x], mapHeight());
        return true;
    }

    std::size_t bytes() const {
        return runs_.capacity() * sizeof(Run) + bytes_.capacity() + words_.capacity() * sizeof(TerrainCode);
    }

    // Reads the copy back one column after another.
    class Reader {
    public:
        explicit Reader(const MapCopy& copy) : copy_(copy) {}
        void column(TerrainCode* out, std::int32_t height) {
            if (!copy_.runs_.empty()) {
                std::int32_t y = 0;
                while (y < height) {
                    const Run& run = copy_.runs_[run_];
                    const std::uint32_t take =
                        std::min<std::uint32_t>(run.length - used_, static_cast<std::uint32_t>(height - y));
                    std::fill(out + y, out + y + take, run.code);
                    y += static_cast<std::int32_t>(take);
                    used_ += take;
                    if (used_ == run.length) {
                        ++run_;
                        used_ = 0;
                    }
                }
            } else if (!copy_.bytes_.empty()) {
                const std::int8_t* in = copy_.bytes_.data() + offset_;
                for (std::int32_t y = 0; y < height; ++y) out[y] = in[y];
            } else {
                std::memcpy(out, copy_.words_.data() + offset_, sizeof(TerrainCode) * height);
            }
            offset_ += static_cast<std::size_t>(height);
        }

    private:
        const MapCopy& copy_;
        std::size_t run_ = 0;
        std::uint32_t used_ = 0;
        std::size_t offset_ = 0;
    };

private:
    // Runs are kept when they take at most half a byte per tile. The attempt
    // is given up as soon as the columns read so far hold too many.
    bool captureRuns(std::int32_t width, std::int32_t height) {
        constexpr std::size_t kTilesPerRun = 2 * sizeof(Run);
        constexpr std::size_t kSlack = 4096;
        Run current{mapGrid[0][0], 0};
        std::size_t read = 0;
        for (std::int32_t x = 0; x < width; ++x) {
            const TerrainCode* const column = mapGrid[x];
            std::int32_t y = 0;
            for (;;) {
                std::int32_t end = y;
                while (end < height && column[end] == current.code) ++end;
                current.length += static_cast<std::uint32_t>(end - y);
                if (end == height) break;
                runs_.push_back(current);
                current = Run{column[end], 0};
                y = end;
            }
            read += static_cast<std::size_t>(height);
            if (runs_.size() > read / kTilesPerRun + kSlack) {
                std::vector<Run>().swap(runs_);
                return false;
            }
        }
        if (runs_.size() > read / kTilesPerRun) {
            std::vector<Run>().swap(runs_);
            return false;
        }
        runs_.push_back(current);
        runs_.shrink_to_fit();
        return true;
    }

    std::int32_t quadsX_ = 0;
    std::int32_t quadsY_ = 0;
    std::vector<Run> runs_;
    std::vector<std::int8_t> bytes_;
    std::vector<TerrainCode> words_;
};

// One edit. Either a list of tile changes, or a list of tiles that all went
// from one code to another (a bucket fill), or copies of the whole map
// before and after.
struct Step {
    EditRepaint repaint = EditRepaint::kBrush;
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
std::vector<Step> redoSteps;  // the next to redo last
std::size_t keptBytes = 0;
std::size_t memoryLimit = kHistoryMemoryLimit;

bool editOpen = false;
Step openEdit;

bool wholeMapPending = false;
EditRepaint pendingRepaint = EditRepaint::kMapArea;
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
            redoSteps.erase(redoSteps.begin());
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
    step.repaint = pendingRepaint;
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

void setTile(std::uint32_t tile, TerrainCode code) { mapGrid[tileColumn(tile)][tileRow(tile)] = code; }

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

void repaint(EditRepaint how, bool sizeChanged) {
    if (how == EditRepaint::kWholeClient || sizeChanged) {
        invalidateClientArea(true);
    } else if (viewMode != 0) {
        invalidateClientArea(how != EditRepaint::kBrush);
    } else {
        invalidateRect(kMapAreaRect, how != EditRepaint::kBrush);
    }
}

bool applyAndRepaint(Step& step, bool forward) {
    const std::int32_t quadsX = quadCountX;
    const std::int32_t quadsY = quadCountY;
    if (!applyStep(step, forward)) {
        // The history belongs to a map no longer there.
        historyClear();
        if (!mapGrid) {
            quadCountX = 1;
            quadCountY = 1;
            allocateMapGrid();
            invalidateClientArea(true);
        }
        return false;
    }
    repaint(step.repaint, quadsX != quadCountX || quadsY != quadCountY);
    return true;
}

}  // namespace

void historyBeginEdit(EditRepaint repaint) {
    settle();
    editOpen = true;
    openEdit = Step();
    openEdit.repaint = repaint;
    openEdit.width = mapWidth();
    openEdit.height = mapHeight();
}

void historyRecordTile(std::int32_t x, std::int32_t y, TerrainCode oldCode, TerrainCode newCode) {
    if (!editOpen) historyBeginEdit(EditRepaint::kBrush);
    if (oldCode == newCode) return;
    if (!openEdit.filled.empty()) openEdit.expandFilled();
    openEdit.changes.push_back({packTile(x, y), oldCode, newCode});
}

void historyRecordTiles(std::vector<std::uint32_t>&& tiles, TerrainCode oldCode, TerrainCode newCode) {
    if (!editOpen) historyBeginEdit(EditRepaint::kMapArea);
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

void historyCaptureWholeMap(EditRepaint repaint) {
    settle();
    wholeMapPending = true;
    pendingRepaint = repaint;
    pendingBefore.capture();
}

void historyCommitWholeMap() { commitPendingWholeMap(); }

void runRecordedWholeMapEdit(void (*edit)(), EditRepaint repaint) {
    historyCaptureWholeMap(repaint);
    edit();
    historyCommitWholeMap();
}

bool undoLastEdit() {
    settle();
    if (undoSteps.empty()) return false;
    Step step = std::move(undoSteps.back());
    undoSteps.pop_back();
    keptBytes -= step.bytes;
    if (!applyAndRepaint(step, false)) return false;
    keptBytes += step.bytes;
    redoSteps.push_back(std::move(step));
    return true;
}

bool redoLastEdit() {
    settle();
    if (redoSteps.empty()) return false;
    Step step = std::move(redoSteps.back());
    redoSteps.pop_back();
    keptBytes -= step.bytes;
    if (!applyAndRepaint(step, true)) return false;
    keptBytes += step.bytes;
    undoSteps.push_back(std::move(step));
    return true;
}

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
