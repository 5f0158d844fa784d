// What the start-location tests share: a map of one code, its tiles as a
// flat list, and a generated world, each on a Map the test owns.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "generator/parameters.h"
#include "generator/random.h"
#include "generator/symmetry.h"
#include "generator/world.h"
#include "map/map_grid.h"
#include "map/terrain.h"

namespace pelorn::test {

// The map becomes quadsX by quadsY quads with every tile `fill`.
inline bool fillMap(Map& map, int quadsX, int quadsY, TerrainCode fill = kVoid) {
    if (!replaceWithEmptyMap(map, quadsX, quadsY)) return false;
    for (int x = 0; x < mapWidth(map); ++x) std::fill(map.mapGrid[x], map.mapGrid[x] + mapHeight(map), fill);
    return true;
}

// Every tile, column by column, each column top to bottom.
inline std::vector<TerrainCode> tilesOf(const Map& map) {
    std::vector<TerrainCode> tiles;
    if (!map.mapGrid) return tiles;
    for (int x = 0; x < mapWidth(map); ++x) tiles.insert(tiles.end(), map.mapGrid[x], map.mapGrid[x] + mapHeight(map));
    return tiles;
}

// The world of `seed` on a map of quadsX by quadsY quads, as pelorn-cli
// generate makes it from `parameters`, which become the parameters as the
// generator corrected them; `random` is left where the generator leaves it.
inline bool makeWorld(Map& map, Random& random, int quadsX, int quadsY, std::uint32_t seed, Symmetry symmetry,
                      GeneratorParameters& parameters) {
    map = Map{};
    map.quadCountX = quadsX;
    map.quadCountY = quadsY;
    random.seed(seed);
    parameters = generateSymmetricMap(map, parameters, random, symmetry).parameters;
    return map.mapGrid != nullptr;
}

inline bool makeWorld(Map& map, Random& random, int quadsX, int quadsY, std::uint32_t seed,
                      Symmetry symmetry = Symmetry::kNone) {
    GeneratorParameters parameters;
    return makeWorld(map, random, quadsX, quadsY, seed, symmetry, parameters);
}

}  // namespace pelorn::test
