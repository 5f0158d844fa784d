// The undo history of the map. One edit is one brush stroke, one bucket fill,
// one whole-map fill, one world generation or one start-location run. Edits
// that change a few tiles keep only those tiles (position, old code, new
// code); edits that rewrite the whole map keep a compact copy of the map
// before and after. The history holds at most kHistoryMemoryLimit bytes and
// forgets its oldest edits past that.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "map/terrain.h"

namespace pelorn {

// How an undone or redone edit is repainted: the way the edit itself was.
enum class EditRepaint {
    kBrush,        // the map area without erasing
    kMapArea,      // the map area, erased
    kWholeClient,  // the whole client area, erased
};
// In the overview every repaint but kWholeClient's covers the whole client
// area, since the overview reaches beyond the map area.

constexpr std::size_t kHistoryMemoryLimit = std::size_t{256} * 1024 * 1024;

// An edit of single tiles (a stroke, a bucket fill). Begin closes any edit
// still open. Tiles are recorded before they are written; a tile recorded
// with no edit open opens one (kBrush). Recording a tile whose code does not
// change records nothing. An edit that changed nothing leaves no step.
void historyBeginEdit(EditRepaint repaint);
void historyRecordTile(std::int32_t x, std::int32_t y, TerrainCode oldCode, TerrainCode newCode);
// Tiles, packed as the fill gives them (column << 16 | row), that all went
// from oldCode to newCode (a bucket fill).
void historyRecordTiles(std::vector<std::uint32_t>&& tiles, TerrainCode oldCode, TerrainCode newCode);
void historyEndEdit();

// An edit that may rewrite the whole map. Capture just before it; commit just
// after it. A capture not yet committed is committed by the next call into
// the history, so a caller that can only hook in before the edit may leave
// the commit out. When few tiles changed, only those are kept.
void historyCaptureWholeMap(EditRepaint repaint);
void historyCommitWholeMap();
// Capture, run the edit, commit.
void runRecordedWholeMapEdit(void (*edit)(), EditRepaint repaint = EditRepaint::kMapArea);

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

}  // namespace pelorn
