// The map file: the map's name, its size in quads and every tile code, as
// text named after the map ("<name>.map" in the working folder).
#pragma once

#include <string>
#include <string_view>

namespace pelorn {

// The exact bytes of the map in memory as a map file. Empty when there is
// no grid.
std::string mapFileText();

// Writes the map in memory to currentMapName + ".map"; true on success.
// A failed save leaves any previous file as it was. A current name that is no
// safe map name (isSafeMapName) writes nothing.
bool saveMapFile();
bool writeMapFile(const std::string& path);

// Replaces the map in memory by the file of currentMapName (not tried when
// the name is unsafe); falls back to the file of "Untitled", and then to an empty map named "Untitled" of the size
// the previous map had. Always leaves a grid.
void openMapFile();

// Replaces the map in memory by the file at `path`. False, with nothing
// changed, when the file cannot be opened or is refused (readWholeFile);
// true when it was read, however malformed its contents. An unsafe name in
// the file gives way to the file's own name without ".map".
bool loadMapFile(const std::string& path);

// Replaces the map in memory by the one the text holds, by the reading rules
// of the map file (the grid is freed and the view set to quad 0, 0 first).
// Any byte sequence gives a usable map. A name on line 2 that is no safe map
// name (isSafeMapName) is not taken: the map is named `fallbackName`, or
// "Untitled" should that be unsafe too. Without a fallback, the current name
// stays.
void loadMapFromText(std::string_view text, std::string fallbackName);
void loadMapFromText(std::string_view text);

}  // namespace pelorn
