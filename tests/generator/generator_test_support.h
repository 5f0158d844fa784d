// Helpers shared by the generator tests: an independent copy of the random
// generator to replay its stream, and a fixture holding what one run of the
// generator works on: a map, a random state and the parameters.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "generator/parameters.h"
#include "generator/random.h"
#include "map/map_grid.h"

namespace pelorn::test {

// The generator's LCG, written out again so the tests can predict draws.
struct ReferenceLcg {
    std::uint32_t state;
    explicit ReferenceLcg(std::uint32_t seed) : state(seed) {}
    std::int32_t next() {
        state = state * 214013u + 2531011u;
        return static_cast<std::int32_t>((state >> 16) & 0x7FFF);
    }
    // r / 32767 rounded to single precision, as the fill's draws are.
    float nextQuotient() { return static_cast<float>(next() / 32767.0); }
};

// How many draws lead from `seed` to the state of `random` (-1 when more
// than `limit`).
inline std::int64_t drawsSince(const Random& random, std::uint32_t seed, std::int64_t limit = 50'000'000) {
    ReferenceLcg lcg(seed);
    const std::uint32_t now = random.state();
    for (std::int64_t n = 0; n <= limit; ++n) {
        if (lcg.state == now) return n;
        lcg.next();
    }
    return -1;
}

// The seed whose first draw is r: inverts state = seed x 214013 + 2531011.
inline std::uint32_t seedForFirstDraw(std::int32_t r) {
    std::uint32_t inverse = 214013u;
    for (int i = 0; i < 5; ++i) inverse *= 2u - 214013u * inverse;
    const std::uint32_t state = static_cast<std::uint32_t>(r) << 16;
    return (state - 2531011u) * inverse;
}

// Makes `map` a grid of qx by qy quads with every tile `code`.
inline bool fillTestMap(Map& map, std::int32_t qx, std::int32_t qy, TerrainCode code) {
    if (!replaceWithEmptyMap(map, qx, qy)) return false;
    for (std::int32_t x = 0; x < mapWidth(map); ++x) std::fill(map.mapGrid[x], map.mapGrid[x] + mapHeight(map), code);
    return true;
}

// Every tile, column by column, each column top to bottom.
inline std::vector<TerrainCode> mapTiles(const Map& map) {
    std::vector<TerrainCode> tiles;
    if (!map.mapGrid) return tiles;
    for (std::int32_t x = 0; x < mapWidth(map); ++x)
        tiles.insert(tiles.end(), map.mapGrid[x], map.mapGrid[x] + mapHeight(map));
    return tiles;
}

class GeneratorTest : public ::testing::Test {
protected:
    Map map;
    Random random;
    GeneratorParameters parameters;
    MapGrid& mapGrid = map.mapGrid;  // as the generator's code names it

    // The map becomes a grid of qx by qy quads with every tile `code`.
    void makeMap(std::int32_t qx, std::int32_t qy, TerrainCode code) { ASSERT_TRUE(fillTestMap(map, qx, qy, code)); }
};

}  // namespace pelorn::test
