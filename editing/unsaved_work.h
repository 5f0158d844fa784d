// Keeping the map maker's work: saves whose outcome the status line shows,
// and recovery copies of unsaved edits (files/recovery_file.h) before
// anything drops them and every two minutes while they last. Nothing here
// asks the user anything; the shell asks before it closes with edits in no
// file (unsavedEditsInNoFile).
#pragma once

#include <string>

namespace pelorn {

class Editor;

// The autosave's interval while the map has unsaved edits.
constexpr unsigned kAutosaveIntervalMs = 2 * 60 * 1000;

// The interval the shell uses: kAutosaveIntervalMs, or a shorter one of at
// least 100 ms from `override` (a test's setting, not a user's option);
// nullptr or anything else gives the default.
unsigned autosaveIntervalMs(const char* override);

// What the status line says, in red, when no copy can be written.
extern const char* const kNoCopyNotice;

// Ctrl+S and "Save (CTRL-S)": writes the map under currentMapName. Success:
// the map counts as saved. Failure: the status line says "<name>.map not
// saved" until a save succeeds, and the unsaved edits stay marked. Returns
// whether the file was written.
bool saveMap(Editor& editor);

// Before "New Map", "Open Map", "Recover...", "Generate Random Map" and the
// end of the program: when the map has unsaved edits, writes them to a
// recovery copy (the map's copy brought up to date, or a new one), and the
// next copy will be a new one, so that this one is kept. True when nothing
// was unsaved or the copy is written; false when it could not be written,
// and then the caption says "not saved" and the status line kNoCopyNotice,
// in red. Asked again before the map changes, it writes nothing more.
bool keepUnsavedWork(Editor& editor);

// The autosave: while the map has unsaved edits that its copy does not hold
// yet, writes them to it (the first time, a new copy). A map without unsaved
// edits writes nothing. A copy that cannot be written shows as in
// keepUnsavedWork.
void autosaveUnsavedWork(Editor& editor);

// Whether the map has unsaved edits that neither its file nor a copy holds.
bool unsavedEditsInNoFile(Editor& editor);

// A map replaced the one in memory ("New Map", "Open Map", start-up): a
// fresh undo history, no failed save, no notice, the next recovery copy a
// new one, and the view on its first quad.
// `savedUnderItsName`: the map is what the file of its name holds (or an
// empty map no file holds); otherwise (a recovery copy, a file whose line 2
// names another map) it counts as unsaved from the start.
void mapReplaced(Editor& editor, bool savedUnderItsName);

// "Open Map" and start-up: the map of currentMapName, with the fallbacks of
// openMapFile, replaces the one in memory, which must have been kept first.
// Returns whether the file of that name was read.
bool openCurrentMap(Editor& editor);

// "Recover...": the copy at `path` is read, the map in memory kept
// (keepUnsavedWork), and the copy replaces it under the name on its line 2
// ("Untitled" when that is no name), unsaved. The copy holds it while it is
// there: leaving it without an edit writes no new copy, and an edit goes to
// a new copy, never over this one. False, with nothing changed and the
// status line saying so, when the copy cannot be read or the map kept.
bool openRecoveryCopy(Editor& editor, const std::string& path);

}  // namespace pelorn
