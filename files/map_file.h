// The map file: the map's name, its size in quads and every tile code, as
// text named after the map ("<name>.map" in the working folder).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "map/map_grid.h"

namespace pelorn {

// The exact bytes of the map in memory as a map file. Empty when there is
// no grid.
std::string mapFileText();

// Writes the map in memory to currentMapName + ".map"; true on success.
// A failed save leaves any previous file as it was. A current name that is no
// safe map name (isSafeMapName) writes nothing.
bool saveMapFile();
bool writeMapFile(const std::string& path);

// What went wrong first while reading a map file's text.
enum class MapReadFailure {
    kNone,
    kNoHead,        // no first word
    kNoName,        // no name line
    kBadQuadCount,  // a count that is no number or not from 1 to kMaxQuadsPerSide
    kTooManyQuads,  // both counts read, more than kMaxQuads together
    kNoTiles,       // the head ends before "*MapTiles*"
    kBadTile,       // a tile that is no number, or the text ends before the last tile
    kNoMemory,      // no grid of the size read could be had
};
const char* mapReadFailureText(MapReadFailure failure);

// A map file's text as read, before it replaces anything.
struct ParsedMap {
    // Line 2 when there was one: a safe map name (isSafeMapName), or empty
    // for one that is not.
    std::optional<std::string> name;
    // The quad counts, each 0 where it could not be read or was refused.
    std::int32_t quadsX = 0;
    std::int32_t quadsY = 0;
    // When the whole head was read: the tiles, in a grid of that size; the
    // tiles after a bad one stay 0.
    TileGrid grid;
    MapReadFailure failure = MapReadFailure::kNone;
};

// Reads any byte sequence by the reading rules of the map file.
ParsedMap parseMapText(std::string_view text);

// Replaces the map in memory by a parsed one (the view at quad 0, 0). An
// empty name gives way to `fallbackName`, or to "Untitled" should that be
// unsafe too; no name leaves the current one. Without tiles the map is empty,
// of the counts that were read, the previous size standing in for the others
// (and for a pair that is still no map size); a map of one quad when even
// that cannot be had. Always leaves a grid.
void installParsedMap(ParsedMap&& map, std::string fallbackName);

// Replaces the map in memory by the file of currentMapName (not tried when
// the name is unsafe); falls back to the file of "Untitled", and then to an
// empty map named "Untitled" of the size the previous map had. Always leaves
// a grid.
void openMapFile();

// Replaces the map in memory by the file at `path`. False, with nothing
// changed, when the file cannot be opened or is refused (readWholeFile);
// true when it was read and installed, however malformed its contents, and
// then `failure`, when given, tells what went wrong first. An unsafe name in
// the file gives way to the file's own name without ".map".
bool loadMapFile(const std::string& path, MapReadFailure* failure = nullptr);

// Replaces the map in memory by the one the text holds (the old grid freed
// first): parseMapText, then installParsedMap.
// Any byte sequence gives a usable map. A name on line 2 that is no safe map
// name (isSafeMapName) is not taken: the map is named `fallbackName`, or
// "Untitled" should that be unsafe too. Without a fallback, the current name
// stays.
void loadMapFromText(std::string_view text, std::string fallbackName);
void loadMapFromText(std::string_view text);

}  // namespace pelorn
