#include "startlocations/placement_rules.h"

namespace pelorn {

void clearStartLocations(std::int32_t width, std::int32_t height) {
    for (std::int32_t x = 0; x < width; ++x) {
        TerrainCode* column = mapGrid[x];
        for (std::int32_t y = 0; y < height; ++y) {
            if (isStartLocationCode(column[y])) column[y] = baseCode(column[y]);
        }
    }
}

}  // namespace pelorn
