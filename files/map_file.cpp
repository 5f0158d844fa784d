#include "files/map_file.h"

#include <charconv>
#include <cstdint>
#include <exception>

#include "files/conversions.h"
#include "files/safe_file.h"
#include "map/map_grid.h"

namespace pelorn {

namespace {

constexpr std::string_view kLineBreak = "\r\n";
constexpr char kUntitled[] = "Untitled";

// A quad count has at least two digits: 1 is written 01.
std::string countText(std::int32_t count) {
    std::string text = intToText(count);
    if (text.size() == 1) text.insert(text.begin(), '0');
    return text;
}

// Length of a tile's text: codes 0..9 get a "0" in front. Negative codes are
// written plainly ("-5"): with the "0" they would read back as 0 and shift
// every later tile.
std::size_t tileTextLength(TerrainCode code) {
    if (code >= 0 && code < 100) return 2;
    char buffer[16];
    return static_cast<std::size_t>(std::to_chars(buffer, buffer + sizeof buffer, code).ptr - buffer);
}

char* putTileText(char* out, TerrainCode code) {
    if (code >= 0 && code < 100) {
        out[0] = static_cast<char>('0' + code / 10);
        out[1] = static_cast<char>('0' + code % 10);
        return out + 2;
    }
    return std::to_chars(out, out + 16, code).ptr;
}

// Calls visit(tile) for every tile in file order: quads column by column,
// each quad's tiles column by column, each column top to bottom. Stops early
// when visit returns false.
template <typename Visit>
bool forEachTileInFileOrder(Visit visit) {
    for (std::int32_t qx = 0; qx < quadCountX; ++qx)
        for (std::int32_t qy = 0; qy < quadCountY; ++qy)
            for (int i = 0; i < kQuadSize; ++i) {
                TerrainCode* column = mapGrid[qx * kQuadSize + i] + qy * kQuadSize;
                for (int j = 0; j < kQuadSize; ++j)
                    if (!visit(column[j])) return false;
            }
    return true;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// One tile code. Nearly every tile is one or two digits after a line break:
// read those here and leave everything else (signs, long numbers, junk) to
// the general reader, which gives the same result.
inline bool readTileCode(std::string_view text, std::size_t& pos, TerrainCode& code) {
    const char* data = text.data();
    const std::size_t size = text.size();
    std::size_t p = pos;
    while (p < size && isStreamSpace(data[p])) ++p;
    if (p < size && isDigit(data[p])) {
        TerrainCode value = data[p] - '0';
        std::size_t q = p + 1;
        if (q < size && isDigit(data[q])) value = value * 10 + (data[q++] - '0');
        if (q == size || !isDigit(data[q])) {
            code = value;
            pos = q;
            return true;
        }
    }
    return readIntToken(text, pos, code);
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

}  // namespace

std::string mapFileText() {
    if (!mapGrid) return std::string();
    const std::string head = std::string("*MapInfo*") + std::string(kLineBreak) + currentMapName +
                             std::string(kLineBreak) + countText(quadCountX) + std::string(kLineBreak) +
                             countText(quadCountY) + std::string(kLineBreak) + "*MapTiles*";
    // Measure first, then fill one buffer of the exact size.
    std::size_t size = head.size();
    forEachTileInFileOrder([&](TerrainCode code) {
        size += kLineBreak.size() + tileTextLength(code);
        return true;
    });
    std::string text(size, '\0');
    head.copy(&text[0], head.size());
    char* out = &text[0] + head.size();
    forEachTileInFileOrder([&](TerrainCode code) {
        out[0] = '\r';
        out[1] = '\n';
        out = putTileText(out + 2, code);
        return true;
    });
    return text;
}

bool writeMapFile(const std::string& path) {
    if (!mapGrid) return false;
    try {
        return writeFileSafely(path, mapFileText());
    } catch (const std::exception&) {
        return false;  // no memory for the file's text: nothing written
    }
}

bool saveMapFile() { return writeMapFile(currentMapName + ".map"); }

void loadMapFromText(std::string_view text) {
    freeMapGrid();
    viewQuadX = 0;
    viewQuadY = 0;
    const std::int32_t previousX = quadCountX;
    const std::int32_t previousY = quadCountY;

    // Once a read fails, every later read of the load does nothing.
    std::size_t pos = 0;
    std::string dropped;
    bool good = readWordToken(text, pos, dropped);  // "*MapInfo*", not checked
    good = good && readWordToken(text, pos, currentMapName);
    good = good && readQuadCount(text, pos, quadCountX);
    good = good && readQuadCount(text, pos, quadCountY);
    if (good && quadCountX * quadCountY > kMaxQuads) {
        quadCountY = previousY;
        good = false;
    }
    good = good && readWordToken(text, pos, dropped);  // "*MapTiles*", not checked
    // A bad second count leaves the first one new; should that pair be too
    // large, the whole previous size stays.
    if (!isAcceptableMapSize(quadCountX, quadCountY)) {
        quadCountX = previousX;
        quadCountY = previousY;
    }
    if (!allocateMapGrid()) {
        // No memory for that size (or the previous size was never valid):
        // the smallest map rather than none.
        quadCountX = 1;
        quadCountY = 1;
        if (!allocateMapGrid()) return;
        good = false;
    }
    if (!good) return;
    forEachTileInFileOrder([&](TerrainCode& tile) { return readTileCode(text, pos, tile); });
}

bool loadMapFile(const std::string& path) {
    std::string text;
    if (!readWholeFile(path, text)) return false;
    loadMapFromText(text);
    return true;
}

void openMapFile() {
    // The old grid goes first, while the counts still describe it.
    freeMapGrid();
    viewQuadX = 0;
    viewQuadY = 0;
    if (loadMapFile(currentMapName + ".map")) return;
    currentMapName = kUntitled;
    if (loadMapFile(std::string(kUntitled) + ".map")) return;
    if (!allocateMapGrid()) {
        quadCountX = 1;
        quadCountY = 1;
        allocateMapGrid();
    }
}

}  // namespace pelorn
