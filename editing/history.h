// The undo history of the map. One edit is one brush stroke, one bucket fill,
// one whole-map fill, one world generation or one start-location run. Edits
// that change a few tiles keep only those tiles (position, old code, new
// code); edits that rewrite the whole map keep a compact copy of the map
// before and after. The history holds at most kHistoryMemoryLimit bytes and
// forgets its oldest edits past that.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "map/map_grid.h"
#include "map/terrain.h"
#include "view/repaint.h"

namespace pelorn {

constexpr std::size_t kHistoryMemoryLimit = std::size_t{256} * 1024 * 1024;

// An undone or redone edit is repainted as its change says (repaintMapChange).

// An edit of single tiles (a stroke, a bucket fill). Begin closes any edit
// still open. Tiles are recorded before they are written; a tile recorded
// with no edit open opens one (kBrushedTiles). Recording a tile whose code
// does not change records nothing. An edit that changed nothing leaves no step.
void historyBeginEdit(MapChange change);
void historyRecordTile(std::int32_t x, std::int32_t y, TerrainCode oldCode, TerrainCode newCode);
// Tiles, packed as the fill gives them (packTile), that all went from
// oldCode to newCode (a bucket fill).
void historyRecordTiles(std::vector<std::uint32_t>&& tiles, TerrainCode oldCode, TerrainCode newCode);
void historyEndEdit();

// An edit that may rewrite the whole map. Capture just before it; commit just
// after it. A capture not yet committed is committed by the next call into
// the history, so a caller that can only hook in before the edit may leave
// the commit out. When few tiles changed, only those are kept.
void historyCaptureWholeMap(MapChange change);
void historyCommitWholeMap();
// Repaints an edit's change; everything when the map's size is no longer
// quadsX by quadsY.
void repaintEdit(MapChange change, std::int32_t quadsX, std::int32_t quadsY);
// Capture, run the edit, commit, and repaint the change. Returns what the
// edit returned (whether it succeeded), or true for an edit that returns nothing.
template <typename Edit>
bool runRecordedWholeMapEdit(Edit edit, MapChange change = MapChange::kTiles);

// Undo or redo one edit and repaint it; false when there is none.
bool undoLastEdit();
bool redoLastEdit();
bool canUndo();
bool canRedo();

// Forgets every edit: a new or loaded map starts a fresh history.
void historyClear();

// Bytes the kept edits take, and the limit (tests lower it).
std::size_t historyMemoryBytes();
void setHistoryMemoryLimit(std::size_t bytes);

template <typename Edit>
bool runRecordedWholeMapEdit(Edit edit, MapChange change) {
    const std::int32_t quadsX = quadCountX;
    const std::int32_t quadsY = quadCountY;
    historyCaptureWholeMap(change);
    bool succeeded = true;
    if constexpr (std::is_void_v<decltype(edit())>) {
        edit();
    } else {
        succeeded = edit();
    }
    historyCommitWholeMap();
    repaintEdit(change, quadsX, quadsY);
    return succeeded;
}

}  // namespace pelorn
