// Any bytes as a map file: the reader must always leave a usable map, never
// crash, never take a name that is no safe file name, and whatever it loaded
// must survive a save and a reload unchanged.
// Inputs whose first byte is odd are instead taken as the tile lines of a
// one-quad map, and the tiles checked against the plain token reader.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "files/map_file.h"
#include "files/map_name.h"
#include "map/map_grid.h"
#include "tests/fuzz/fuzz_support.h"
#include "text/conversions.h"

namespace {

using namespace pelorn;
using fuzz::check;
using fuzz::gridCopy;

// Large maps load through the same code as small ones but cost the fuzzer a
// thousand times more per input; the unit tests load them.
bool asksForALargeMap(std::string_view text) {
    std::size_t pos = 0;
    std::string word;
    if (!readWordToken(text, pos, word) || !readWordToken(text, pos, word)) return false;
    for (int i = 0; i < 2; ++i) {
        std::int32_t count = 0;
        if (!readIntToken(text, pos, count)) return false;
        if (count > 2 && count <= kMaxQuadsPerSide) return true;
    }
    return false;
}

// The text read into the map as loadMapFile reads a file's, the map's own
// name standing in for an unsafe one.
void load(Map& map, std::string_view text) {
    freeMapGrid(map);
    installParsedMap(map, parseMapText(text), map.currentMapName);
}

void wholeFile(std::string_view text, std::uint8_t first) {
    if (asksForALargeMap(text)) return;
    Map map;
    // The previous map's size is what a bad count falls back to.
    map.quadCountX = 1 + first / 2 % 2;
    map.quadCountY = 1;
    check(allocateMapGrid(map));
    load(map, text);

    check(map.mapGrid != nullptr);
    check(isAcceptableMapSize(map.quadCountX, map.quadCountY));
    check(isSafeMapName(map.currentMapName));  // whatever line 2 held

    // Round trip, on one quad: the fuzzer's hooks make every tile costly.
    if (map.quadCountX * map.quadCountY == 1) {
        const std::string name = map.currentMapName;
        const std::vector<TerrainCode> tiles = gridCopy(map);
        const std::string saved = mapFileText(map);
        load(map, saved);
        check(map.currentMapName == name);
        check(map.quadCountX == 1 && map.quadCountY == 1);
        check(gridCopy(map) == tiles);
        check(mapFileText(map) == saved);
    }
}

void tileLines(std::string_view tail) {
    Map map;
    load(map, "*MapInfo* Tiles 01 01 *MapTiles*\r\n" + std::string(tail));
    check(map.quadCountX == 1 && map.quadCountY == 1);
    // One quad: file order is column by column, top to bottom.
    std::vector<TerrainCode> expected(10000, 0);
    std::size_t pos = 0;
    for (TerrainCode& tile : expected)
        if (!readIntToken(tail, pos, tile)) break;
    check(gridCopy(map) == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 0 && data[0] % 2 == 1) {
        tileLines(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    } else {
        wholeFile(std::string_view(reinterpret_cast<const char*>(data), size), size > 0 ? data[0] : 0);
    }
    return 0;
}
