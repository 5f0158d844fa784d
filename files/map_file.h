// The map file: the map's name, its size in quads and every tile code, as
// text named after the map ("<name>.map" in the working folder).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "map/map_grid.h"

namespace pelorn {

// The exact bytes of the map as a map file. Empty when it has no grid.
std::string mapFileText(const Map& map);

// Writes the map to its currentMapName + ".map"; true on success. A failed
// save leaves any previous file as it was. A name that is no safe map name
// (isSafeMapName) writes nothing.
bool saveMapFile(const Map& map);
// The same bytes to any path (a recovery copy).
bool writeMapFile(const Map& map, const std::string& path);

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
    // for an empty line or one that is no safe name. In a text with line
    // breaks the head is read by lines: line 2 is the name, blanks kept
    // ("Two Words", white space around it dropped), and the counts are lines
    // 3 and 4 whatever line 2 holds; in a text without line breaks, the name
    // and the counts are tokens.
    std::optional<std::string> name;
    // The quad counts, each 0 where it could not be read or was refused.
    std::int32_t quadsX = 0;
    std::int32_t quadsY = 0;
    // When the whole head was read: the tiles, in a grid of that size; the
    // tiles after a bad one stay 0.
    TileGrid grid;
    MapReadFailure failure = MapReadFailure::kNone;
};

// Reads any byte sequence by the reading rules of the map file: the one
// reader of map text, whatever the text came from.
ParsedMap parseMapText(std::string_view text);

// The head alone (name and counts; no grid), as parseMapText reads it: the
// Recover dialog's list.
ParsedMap parseMapHead(std::string_view text);

// Replaces `map` by a parsed one. An empty name gives way to `fallbackName`,
// or to "Untitled" should that be unsafe too; no name leaves the map's own.
// Without tiles the map is empty, of the counts that were read, its previous
// size standing in for the others (and for a pair that is still no map size);
// a map of one quad when even that cannot be had. Always leaves a grid.
void installParsedMap(Map& map, ParsedMap&& parsed, std::string fallbackName);

// Replaces `map` by the file at `path` (its old grid freed before the new one
// is read). False, with nothing changed, when the file cannot be opened or is
// refused (readWholeFile); true when it was read and installed, however
// malformed its contents, and then `failure`, when given, tells what went
// wrong first. An unsafe name in the file gives way to the file's own name
// without ".map".
bool loadMapFile(Map& map, const std::string& path, MapReadFailure* failure = nullptr);

// Replaces `map` by the file of its currentMapName (not tried when the name
// is unsafe); falls back to the file of "Untitled", and then to an empty map
// named "Untitled" of the size the previous map had. Always leaves a grid.
// The map is replaced only once a file has been read. Returns the name of the
// file read (without ".map"), empty for the empty map.
std::string openMapFile(Map& map);

}  // namespace pelorn
