// What the status line tells beside the map's name: whether the map in
// memory holds edits its file does not ("Untitled.map *"), and whether the
// last attempt to save it failed ("Untitled.map not saved"). The undo
// history keeps the first, so that undoing back to the saved state clears
// it; the save commands keep the second.
#pragma once

namespace pelorn {

extern bool mapHasUnsavedEdits;
extern bool mapSaveFailed;

// A fresh process: nothing unsaved, no failed save.
void resetSaveState();

}  // namespace pelorn
