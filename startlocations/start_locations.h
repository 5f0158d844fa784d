// Random placement of start locations over the whole map.
#pragma once

#include <cstdint>

#include "generator/parameters.h"
#include "generator/random.h"
#include "map/map_grid.h"

namespace pelorn {

// Turns every start location back into its land tile, then makes
// parameters.genStartLocTries tries per quad, each drawing one tile from
// `random` and marking it when the placement rules allow. False, with
// nothing done and nothing drawn, without a grid. The caller repaints.
bool generateStartLocations(Map& map, const GeneratorParameters& parameters, Random& random);

// The number of tries for these tries per quad on this map: the 32-bit signed
// product perQuad x quadCountY x quadCountX, wrapped as two's-complement
// products wrap. 0 or less means no tries.
std::int32_t startLocationTryCount(const Map& map, std::int32_t genStartLocTries);

}  // namespace pelorn
