// A map for the view's tests: quadsX by quadsY quads of one code.
#pragma once

#include <algorithm>

#include <gtest/gtest.h>

#include "map/map_grid.h"

namespace pelorn::test {

inline void makeViewTestMap(Map& map, int quadsX, int quadsY, TerrainCode fill = kVoid) {
    ASSERT_TRUE(replaceWithEmptyMap(map, quadsX, quadsY));
    for (int x = 0; x < mapWidth(map); ++x) std::fill(map.mapGrid[x], map.mapGrid[x] + mapHeight(map), fill);
}

}  // namespace pelorn::test
