// Any bytes as a map file: the reader must always leave a usable map, never
// crash, and whatever it loaded must survive a save and a reload unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "files/conversions.h"
#include "files/map_file.h"
#include "map/map_grid.h"

namespace {

std::vector<pelorn::TerrainCode> gridCopy() {
    std::vector<pelorn::TerrainCode> tiles;
    for (std::int32_t x = 0; x < pelorn::mapWidth(); ++x)
        tiles.insert(tiles.end(), pelorn::mapGrid[x], pelorn::mapGrid[x] + pelorn::mapHeight());
    return tiles;
}

// Large maps load through the same code as small ones but cost the fuzzer a
// thousand times more per input; the unit tests load them.
bool asksForALargeMap(std::string_view text) {
    std::size_t pos = 0;
    std::string word;
    if (!pelorn::readWordToken(text, pos, word) || !pelorn::readWordToken(text, pos, word)) return false;
    for (int i = 0; i < 2; ++i) {
        std::int32_t count = 0;
        if (!pelorn::readIntToken(text, pos, count)) return false;
        if (count > 2 && count <= pelorn::kMaxQuadsPerSide) return true;
    }
    return false;
}

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace pelorn;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (asksForALargeMap(text)) return 0;
    resetMapState();
    // The previous map's size is what a bad count falls back to: let the
    // first byte choose it, so both paths get explored.
    if (size > 0) {
        quadCountX = 1 + data[0] % 2;
        quadCountY = 1;
        check(allocateMapGrid());
    }
    loadMapFromText(text);

    check(mapGrid != nullptr);
    check(isAcceptableMapSize(quadCountX, quadCountY));
    check(viewQuadX == 0 && viewQuadY == 0);

    // Round trip, on one quad: the fuzzer's hooks make every tile costly.
    if (quadCountX * quadCountY == 1) {
        const std::string name = currentMapName;
        const std::int32_t width = quadCountX;
        const std::int32_t height = quadCountY;
        const std::vector<TerrainCode> tiles = gridCopy();
        const std::string text = mapFileText();
        loadMapFromText(text);
        check(currentMapName == name);
        check(quadCountX == width && quadCountY == height);
        check(gridCopy() == tiles);
        check(mapFileText() == text);
    }
    resetMapState();
    return 0;
}
