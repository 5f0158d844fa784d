#include "files/map_file.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <exception>
#include <initializer_list>

#include "files/map_name.h"
#include "files/safe_file.h"
#include "map/map_grid.h"
#include "text/conversions.h"

namespace pelorn {

namespace {

constexpr char kUntitled[] = "Untitled";

// A quad count has at least two digits: 1 is written 01.
std::string countText(std::int32_t count) {
    std::string text = intToText(count);
    if (text.size() == 1) text.insert(text.begin(), '0');
    return text;
}

// Codes 0..99 make nearly every tile: their lines, break included, are four
// bytes from this table ("\r\n07" for 7).
struct TileLines {
    char line[100][4];
    TileLines() {
        for (int code = 0; code < 100; ++code) {
            line[code][0] = '\r';
            line[code][1] = '\n';
            line[code][2] = static_cast<char>('0' + code / 10);
            line[code][3] = static_cast<char>('0' + code % 10);
        }
    }
};
const TileLines kTileLines;

// Any other code is its decimal text alone. Negative codes get no "0" in
// front: "0-5" would read back as 0 and shift every later tile.
std::size_t otherTileTextLength(TerrainCode code) {
    char buffer[16];
    return static_cast<std::size_t>(std::to_chars(buffer, buffer + sizeof buffer, code).ptr - buffer);
}

bool isDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

// The six white-space characters the token readers skip, as a table: the
// tile loop below runs a million times for a 10 by 10 quad map.
struct SpaceTable {
    bool space[256] = {};
    SpaceTable() {
        for (char c : {' ', '\t', '\n', '\r', '\v', '\f'}) space[static_cast<unsigned char>(c)] = true;
    }
};
const SpaceTable kSpaces;

// The tiles in file order: quads column by column, each quad's tiles column
// by column, each column from top to bottom.
template <typename Visit>
void forEachColumnPiece(MapGrid grid, std::int32_t quadsX, std::int32_t quadsY, Visit visit) {
    for (std::int32_t qx = 0; qx < quadsX; ++qx)
        for (std::int32_t qy = 0; qy < quadsY; ++qy)
            for (int i = 0; i < kQuadSize; ++i)
                if (!visit(grid[qx * kQuadSize + i] + qy * kQuadSize)) return;
}

// Reads the tiles in file order until the text ends or a read fails; the
// tiles not reached keep their 0. False when a tile could not be read.
bool readTiles(std::string_view text, std::size_t pos, const TileGrid& grid) {
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const char* p = begin + pos;
    bool complete = true;
    forEachColumnPiece(grid.columns(), grid.quadsX(), grid.quadsY(), [&](TerrainCode* column) {
        for (int j = 0; j < kQuadSize; ++j) {
            // The line as this program writes it: CR LF and two digits.
            if (end - p >= 4 && p[0] == '\r' && p[1] == '\n' && isDigit(p[2]) && isDigit(p[3]) &&
                (end - p == 4 || !isDigit(p[4]))) {
                column[j] = (p[2] - '0') * 10 + (p[3] - '0');
                p += 4;
                continue;
            }
            while (p < end && kSpaces.space[static_cast<unsigned char>(*p)]) ++p;
            // Nearly every tile is one or two digits: read those here and
            // leave signs, long numbers and junk to the general reader, which
            // gives the same result.
            if (p < end && isDigit(*p)) {
                TerrainCode value = *p - '0';
                const char* q = p + 1;
                if (q < end && isDigit(*q)) value = value * 10 + (*q++ - '0');
                if (q == end || !isDigit(*q)) {
                    column[j] = value;
                    p = q;
                    continue;
                }
            }
            std::size_t at = static_cast<std::size_t>(p - begin);
            if (!readIntToken(text, at, column[j])) return complete = false;
            p = begin + at;
        }
        return true;
    });
    return complete;
}

// A quad count outside 1..kMaxQuadsPerSide fails like a count that is no
// number at all. Such a file asks for a grid that no other part of the
// program is made for (a count below 1), or for more memory than a map may
// take (see isAcceptableMapSize); refusing the count keeps the previous size,
// so the program always has a usable map.
bool readQuadCount(std::string_view text, std::size_t& pos, std::int32_t& count) {
    std::int32_t value = 0;
    if (!readIntToken(text, pos, value)) return false;
    if (value < 1 || value > kMaxQuadsPerSide) return false;
    count = value;
    return true;
}

// The line that starts at `pos` (without its break: CR LF, LF or CR, and
// CR CR LF, which CR LF becomes when a text-mode writer converts it again),
// and `pos` moved to the start of the next one. False at the end of the text.
bool readLine(std::string_view text, std::size_t& pos, std::string_view& line) {
    if (pos >= text.size()) return false;
    const std::size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
    line = text.substr(pos, end - pos);
    pos = end;
    if (pos + 2 < text.size() && text.compare(pos, 3, "\r\r\n") == 0) return pos += 3, true;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n' && (pos == end || text[pos - 1] == '\r')) ++pos;
    return true;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isStreamSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && isStreamSpace(text.back())) text.remove_suffix(1);
    return text;
}

// Line 2 is the name whatever it holds: an empty or unsafe line gives an
// empty name (the file's own name stands in), and the counts are lines 3
// and 4, so that a damaged name never shifts the size.
bool readHeadLines(std::string_view text, std::size_t& pos, ParsedMap& map) {
    std::string_view line;
    readLine(text, pos, line);  // the rest of line 1
    if (!readLine(text, pos, line)) return map.failure = MapReadFailure::kNoName, false;
    const std::string_view name = trimmed(line);
    map.name = isSafeMapName(name) ? std::string(name) : std::string();
    for (std::int32_t* count : {&map.quadsX, &map.quadsY}) {
        std::size_t at = 0;
        if (!readLine(text, pos, line) || !readQuadCount(line, at, *count))
            return map.failure = MapReadFailure::kBadQuadCount, false;
    }
    return true;
}

// A text without line breaks: the name and the counts are tokens.
bool readHeadTokens(std::string_view text, std::size_t& pos, ParsedMap& map) {
    std::string name;
    if (!readMapNameToken(text, pos, name)) return map.failure = MapReadFailure::kNoName, false;
    map.name = std::move(name);
    if (!readQuadCount(text, pos, map.quadsX)) return map.failure = MapReadFailure::kBadQuadCount, false;
    if (!readQuadCount(text, pos, map.quadsY)) return map.failure = MapReadFailure::kBadQuadCount, false;
    return true;
}

// Reads the head into `map`; true when all of it was read and the tiles follow.
bool readHead(std::string_view text, std::size_t& pos, ParsedMap& map) {
    std::string_view word;
    if (!readWordView(text, pos, word)) return map.failure = MapReadFailure::kNoHead, false;  // "*MapInfo*", not checked
    // By lines where line 1 holds the first word alone, as the program writes it.
    const bool byLines = nextTokenStartsALine(text, pos);
    if (!(byLines ? readHeadLines(text, pos, map) : readHeadTokens(text, pos, map))) return false;
    if (map.quadsX * map.quadsY > kMaxQuads) {
        map.quadsY = 0;
        return map.failure = MapReadFailure::kTooManyQuads, false;
    }
    if (!readWordView(text, pos, word)) return map.failure = MapReadFailure::kNoTiles, false;  // "*MapTiles*", not checked
    return true;
}

}  // namespace

std::string mapFileText(const Map& map) {
    if (!map.mapGrid) return std::string();
    const std::string head = "*MapInfo*\r\n" + map.currentMapName + "\r\n" + countText(map.quadCountX) + "\r\n" +
                             countText(map.quadCountY) + "\r\n*MapTiles*";
    // Measure first, then fill one buffer of the exact size.
    std::size_t size = head.size();
    forEachColumnPiece(map.mapGrid, map.quadCountX, map.quadCountY, [&](const TerrainCode* column) {
        for (int j = 0; j < kQuadSize; ++j) {
            const TerrainCode code = column[j];
            size += code >= 0 && code < 100 ? 4 : 2 + otherTileTextLength(code);
        }
        return true;
    });
    std::string text(size, '\0');
    std::memcpy(&text[0], head.data(), head.size());
    char* out = &text[0] + head.size();
    forEachColumnPiece(map.mapGrid, map.quadCountX, map.quadCountY, [&](const TerrainCode* column) {
        for (int j = 0; j < kQuadSize; ++j) {
            const TerrainCode code = column[j];
            if (code >= 0 && code < 100) {
                std::memcpy(out, kTileLines.line[code], 4);
                out += 4;
            } else {
                *out++ = '\r';
                *out++ = '\n';
                out = std::to_chars(out, out + 16, code).ptr;
            }
        }
        return true;
    });
    return text;
}

bool writeMapFile(const Map& map, const std::string& path) {
    if (!map.mapGrid) return false;
    try {
        return writeFileSafely(path, mapFileText(map));
    } catch (const std::exception&) {
        return false;  // no memory for the file's text: nothing written
    }
}

bool saveMapFile(const Map& map) {
    return isSafeMapName(map.currentMapName) && writeMapFile(map, map.currentMapName + ".map");
}

ParsedMap parseMapHead(std::string_view text) {
    ParsedMap map;
    std::size_t pos = 0;
    readHead(text, pos, map);
    return map;
}

ParsedMap parseMapText(std::string_view text) {
    ParsedMap map;
    std::size_t pos = 0;
    if (!readHead(text, pos, map)) return map;
    if (!map.grid.allocate(map.quadsX, map.quadsY)) {
        map.failure = MapReadFailure::kNoMemory;
        return map;
    }
    if (!readTiles(text, pos, map.grid)) map.failure = MapReadFailure::kBadTile;
    return map;
}

void installParsedMap(Map& map, ParsedMap&& parsed, std::string fallbackName) {
    if (parsed.name) {
        // A path or device in a shared file must not decide where the next save goes.
        if (parsed.name->empty()) *parsed.name = isSafeMapName(fallbackName) ? std::move(fallbackName) : kUntitled;
        map.currentMapName = std::move(*parsed.name);
    }
    if (parsed.grid) {
        installMapGrid(map, std::move(parsed.grid));
        return;
    }
    // A count that was read stands; the other keeps the previous size, and a
    // pair that is still no map size gives way to the whole previous size.
    std::int32_t quadsX = parsed.quadsX > 0 ? parsed.quadsX : map.quadCountX;
    std::int32_t quadsY = parsed.quadsY > 0 ? parsed.quadsY : map.quadCountY;
    if (!isAcceptableMapSize(quadsX, quadsY)) {
        quadsX = map.quadCountX;
        quadsY = map.quadCountY;
    }
    replaceWithEmptyMap(map, quadsX, quadsY);
}

namespace {

// The name a file is opened under: its file name without ".map".
std::string nameOfMapPath(const std::string& path) {
    std::string_view name = fileNameOfPath(path);
    constexpr std::string_view kExtension = ".map";
    if (name.size() > kExtension.size() && name.substr(name.size() - kExtension.size()) == kExtension)
        name.remove_suffix(kExtension.size());
    return std::string(name);
}

}  // namespace

bool loadMapFile(Map& map, const std::string& path, MapReadFailure* failure) {
    std::string text;
    if (!readWholeFile(path, text)) return false;
    // The old grid goes first, so that the old and new grids never need memory together.
    freeMapGrid(map);
    ParsedMap parsed = parseMapText(text);
    if (failure) *failure = parsed.failure;
    installParsedMap(map, std::move(parsed), nameOfMapPath(path));
    return true;
}

std::string openMapFile(Map& map) {
    // The map stays until a file has been read whole.
    for (const std::string& name : {map.currentMapName, std::string(kUntitled)}) {
        if (isSafeMapName(name) && loadMapFile(map, name + ".map")) return name;
        map.currentMapName = kUntitled;
    }
    replaceWithEmptyMap(map, map.quadCountX, map.quadCountY);
    return std::string();
}

const char* mapReadFailureText(MapReadFailure failure) {
    switch (failure) {
        case MapReadFailure::kNone: return "read in full";
        case MapReadFailure::kNoHead: return "the file is empty";
        case MapReadFailure::kNoName: return "the map name is missing";
        case MapReadFailure::kBadQuadCount: return "a quad count is missing or not from 1 to 100";
        case MapReadFailure::kTooManyQuads: return "the map has more than 1024 quads";
        case MapReadFailure::kNoTiles: return "the tiles are missing";
        case MapReadFailure::kBadTile: return "the tiles end early or hold something that is no number";
        case MapReadFailure::kNoMemory: return "not enough memory for the map";
    }
    return "";
}

}  // namespace pelorn
