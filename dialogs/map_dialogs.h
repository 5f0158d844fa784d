// The logic of the "New Map", "Open Map" and "Save As Map" dialogs. The
// dialog procedures put the initial texts into the fields, and at OK hand the
// fields' texts to the apply function and close the dialog. "About Pelorn"
// has no logic: OK and CANCEL only close it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pelorn {

class Editor;



struct NewMapTexts {
    std::string mapName;
    std::string quadX;
    std::string quadY;
};

// Whether OK takes the name in the field: the name as the dialog makes it
// from the field (cut, blanks removed for "New Map", "Untitled" for
// nothing) must be a safe map name (isSafeMapName). A name that is not leaves
// the map and every file alone; the dialog stays open for a correction.
bool newMapNameAccepted(std::string_view mapName);
bool mapNameAccepted(std::string_view mapName);  // "Open Map" and "Save As Map"

// Which count field of "New Map" (or of "Generate Terrain"'s size) OK
// refuses, so that the dialog stays open with it selected: 1 for the first
// (Quad X) when it is larger than any map holds, 2 for the second when the
// two together are; 0 when the size can be had. Empty fields, text that is
// no number and counts below 1 read as 1, as always.
int refusedQuadCountField(std::string_view quadX, std::string_view quadY);
// The counts as OK reads them.
std::int32_t quadCountFromText(std::string_view field);

// "Untitled", "1", "1", whatever the current map is.
NewMapTexts newMapInitialTexts();

// OK of "New Map": the name loses every blank and falls back to "Untitled",
// each count falls back to 1 when empty, not a number or below 1. The map is
// then replaced by an empty one of that size, named so, viewed from its first
// quad, and the whole client area is repainted.
// A size larger than the program holds (isAcceptableMapSize), or a name that
// is not accepted, is refused as a whole: map, name and size stay as they
// were, and false is returned.
// Should the new grid still not be had, the map becomes 1 x 1 quads, so that
// a map always exists. Unsaved edits of the map in memory go to a recovery
// copy first (keepUnsavedWork); when that cannot be written, nothing changes
// and false is returned.
bool applyNewMap(Editor& editor, std::string_view mapName, std::string_view quadX, std::string_view quadY);

// "Untitled".
std::string openMapInitialText();
// OK of "Open Map": the name (blanks kept; empty gives "Untitled") becomes the
// current name, the map of that name is loaded, and the whole client area is
// repainted. The loader sets the final name. A name that is not accepted
// changes nothing and gives false, and so does a recovery copy of unsaved
// edits that cannot be written (keepUnsavedWork). When the file of that name
// cannot be read whole (missing, a folder, a pipe, too large), the fall-backs
// of openMapFile stand ("Untitled.map", else an empty map) and the status line
// says in red "NAME.map could not be read".
bool applyOpenMap(Editor& editor, std::string_view mapName);

// "Untitled".
std::string saveAsMapInitialText();
// Whether OK of "Save As Map" with this name must first ask "NAME.map exists.
// Replace it?": a file stands under the name and it is not the one the map
// came from (Document::sourceName, in any letter case, as Windows names files).
bool saveAsReplacesAnotherFile(const Editor& editor, std::string_view mapName);
// The question.
std::string saveAsReplaceQuestion(std::string_view mapName);
// OK of "Save As Map": as applyOpenMap, but the map in memory is saved under
// the new name, which stays current (saveMap: a failed save shows in the
// status line). Returns whether the file was written; a name that is not
// accepted changes nothing.
bool applySaveAsMap(Editor& editor, std::string_view mapName);

}  // namespace pelorn
