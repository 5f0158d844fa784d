#include "startlocations/start_locations.h"

#include <cstdint>

#include "generator/parameters.h"
#include "generator/random.h"
#include "map/map_grid.h"
#include "map/terrain.h"
#include "map/window_seam.h"
#include "startlocations/placement_rules.h"

namespace pelorn {

namespace {

// A random integer from 0 to m; both ends come out half as often as the rest.
std::int32_t randomUpTo(std::int32_t m) {
    const std::int32_t r = rand();
    if (m == 0) return 0;
    return roundHalfUpToSingle(static_cast<double>(r) / 32767.0 * m);
}

void tryOnce(std::int32_t width, std::int32_t height) {
    const std::int32_t x = randomUpTo(width - 1);
    const std::int32_t y = randomUpTo(height - 1);
    if (!insideQuadMargin(x) || !insideQuadMargin(y)) return;
    if (surroundedByWater(x, y)) return;
    if (startLocationNearby(x, y)) return;
    const TerrainCode marked = startLocationCode(mapGrid[x][y]);
    if (marked != 0) mapGrid[x][y] = marked;
}

}  // namespace

std::int32_t startLocationTryCount() {
    // Unsigned arithmetic wraps without undefined behaviour; the result is
    // then read back as a two's-complement value.
    const std::uint32_t product = static_cast<std::uint32_t>(generatorParameters.genStartLocTries) *
                                  static_cast<std::uint32_t>(quadCountY) *
                                  static_cast<std::uint32_t>(quadCountX);
    if (product <= 0x7FFFFFFFu) return static_cast<std::int32_t>(product);
    return -static_cast<std::int32_t>(~product) - 1;
}

void generateStartLocations() {
    if (mapGrid) {
        const std::int32_t width = mapWidth();
        const std::int32_t height = mapHeight();
        clearStartLocations(width, height);
        const std::int32_t tries = startLocationTryCount();
        for (std::int32_t i = 0; i < tries; ++i) tryOnce(width, height);
    }
    invalidateRect(kMapAreaRect, true);
}

}  // namespace pelorn
