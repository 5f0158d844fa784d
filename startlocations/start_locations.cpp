#include "startlocations/start_locations.h"

#include <cstdint>

#include "map/terrain.h"
#include "startlocations/placement_rules.h"

namespace pelorn {

namespace {

void tryOnce(Map& map, Random& random, std::int32_t width, std::int32_t height) {
    const std::int32_t x = drawScaled(random, width - 1);
    const std::int32_t y = drawScaled(random, height - 1);
    if (!insideQuadMargin(x) || !insideQuadMargin(y)) return;
    if (surroundedByWater(map, x, y)) return;
    if (startLocationNearby(map, x, y)) return;
    const TerrainCode marked = startLocationCode(map.mapGrid[x][y]);
    if (marked != 0) map.mapGrid[x][y] = marked;
}

}  // namespace

std::int32_t startLocationTryCount(const Map& map, std::int32_t genStartLocTries) {
    // Unsigned arithmetic wraps without undefined behaviour; the result is
    // then read back as a two's-complement value.
    const std::uint32_t product = static_cast<std::uint32_t>(genStartLocTries) *
                                  static_cast<std::uint32_t>(map.quadCountY) *
                                  static_cast<std::uint32_t>(map.quadCountX);
    if (product <= 0x7FFFFFFFu) return static_cast<std::int32_t>(product);
    return -static_cast<std::int32_t>(~product) - 1;
}

bool generateStartLocations(Map& map, const GeneratorParameters& parameters, Random& random) {
    if (!map.mapGrid) return false;
    const std::int32_t width = mapWidth(map);
    const std::int32_t height = mapHeight(map);
    clearStartLocations(map);
    const std::int32_t tries = startLocationTryCount(map, parameters.genStartLocTries);
    for (std::int32_t i = 0; i < tries; ++i) tryOnce(map, random, width, height);
    return true;
}

}  // namespace pelorn
