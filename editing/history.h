// The undo history of a document's map. One edit is one brush stroke, one
// bucket fill, one whole-map fill, one world generation or one start-location
// run. Edits that change a few tiles keep only those tiles (position, old
// code, new code); edits that rewrite the whole map keep a compact copy of
// the map before and after. The history holds at most kHistoryMemoryLimit
// bytes and forgets its oldest edits past that.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "map/map_copy.h"
#include "map/map_grid.h"
#include "map/terrain.h"
#include "view/repaint.h"

namespace pelorn {

constexpr std::size_t kHistoryMemoryLimit = std::size_t{256} * 1024 * 1024;

// What undo or redo did to the map, for its repaint.
struct Replay {
    bool done = false;         // false: nothing to replay, or the step no longer fitted the map
    bool repaint = false;      // something changed on screen
    MapChange change = MapChange::kTiles;
};

class History {
public:
    explicit History(Map& map) : map_(map) {}
    History(const History&) = delete;
    History& operator=(const History&) = delete;

    // An edit of single tiles (a stroke, a bucket fill). Begin closes any
    // edit still open. Tiles are recorded before they are written; a tile
    // recorded with no edit open opens one (kBrushedTiles). Recording a tile
    // whose code does not change records nothing. An edit that changed
    // nothing leaves no step.
    void beginEdit(MapChange change);
    void recordTile(std::int32_t x, std::int32_t y, TerrainCode oldCode, TerrainCode newCode);
    // Tiles, packed as the fill gives them (packTile), that all went from
    // oldCode to newCode (a bucket fill).
    void recordTiles(std::vector<std::uint32_t>&& tiles, TerrainCode oldCode, TerrainCode newCode);
    void endEdit();

    // An edit that may rewrite the whole map. Capture just before it; commit
    // just after it. A capture not yet committed is committed by the next
    // call into the history. When few tiles changed, only those are kept.
    void captureWholeMap(MapChange change);
    void commitWholeMap();

    // Undo or redo one edit. When the step no longer fits the map, the
    // history is forgotten (what was unsaved stays so) and, should the map
    // have lost its grid, it becomes one empty quad, repainted whole.
    Replay undo();
    Replay redo();
    bool canUndo() const;
    bool canRedo() const { return !redoSteps_.empty(); }

    // Forgets every edit: a new or loaded map starts a fresh history, and
    // counts as saved.
    void clear();

    // The saved state. The map has unsaved edits from the first change an
    // edit makes after a save or a load (a stroke counts from its first
    // changed tile) until the next save, or until undo or redo lead back to
    // the state that was saved.
    bool hasUnsavedEdits() const;
    // The map is what its file now holds.
    void markSaved();
    // No state of the history is what the map's file holds (a map read from
    // a file of another name).
    void markUnsaved();
    // Grows with every change the history sees of the map: equal revisions
    // mean the same map.
    std::uint64_t revision() const { return revision_; }

    // Bytes the kept edits take, and the limit (tests lower it).
    std::size_t memoryBytes() const { return keptBytes_; }
    void setMemoryLimit(std::size_t bytes);

private:
    struct TileChange {
        PackedTile tile;
        TerrainCode oldCode;
        TerrainCode newCode;
    };
    // One edit. Either a list of tile changes, or a list of tiles that all
    // went from one code to another (a bucket fill), or copies of the whole
    // map before and after.
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
        // The map states the step leads from and to (see currentState_).
        std::uint64_t stateBefore = 0;
        std::uint64_t stateAfter = 0;

        bool empty() const { return !wholeMap && changes.empty() && filled.empty(); }
        std::size_t measure() const;
        // A bucket fill followed by other tiles in the same edit: keep them all as changes.
        void expandFilled();
    };

    bool openEditChangedTiles() const;
    void dropRedoSteps();
    void keepWithinLimit();
    void pushStep(Step&& step);
    void closeOpenEdit();
    bool changedTiles(const MapCopy& before, std::size_t limit, std::vector<TileChange>& changes) const;
    void commitPendingWholeMap();
    void settle();
    bool applyStep(const Step& step, bool forward);
    Replay replay(bool forward);

    Map& map_;
    std::deque<Step> undoSteps_;  // oldest first
    std::deque<Step> redoSteps_;  // the next to redo last
    std::size_t keptBytes_ = 0;
    std::size_t memoryLimit_ = kHistoryMemoryLimit;

    bool editOpen_ = false;
    Step openEdit_;

    bool wholeMapPending_ = false;
    MapChange pendingChange_ = MapChange::kTiles;
    MapCopy pendingBefore_;

    // Every state the map reaches through the history has a number of its
    // own; undo and redo return to the numbers of the states they restore.
    // The map is saved while its state is the one recorded at the last save.
    std::uint64_t lastStateNumber_ = 0;
    std::uint64_t currentState_ = 0;
    std::uint64_t savedState_ = 0;
    std::uint64_t revision_ = 0;
};

}  // namespace pelorn
