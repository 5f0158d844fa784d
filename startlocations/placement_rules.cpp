#include "startlocations/placement_rules.h"

namespace pelorn {

void clearStartLocations(Map& map) {
    const std::int32_t width = mapWidth(map);
    const std::int32_t height = mapHeight(map);
    for (std::int32_t x = 0; x < width; ++x) {
        TerrainCode* column = map.mapGrid[x];
        for (std::int32_t y = 0; y < height; ++y) {
            if (isStartLocationCode(column[y])) column[y] = baseCode(column[y]);
        }
    }
}

}  // namespace pelorn
