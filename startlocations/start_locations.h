// Random placement of start locations over the whole map.
#pragma once

#include <cstdint>

namespace pelorn {

// Turns every start location back into its land tile, then makes
// genStartLocTries tries per quad, each picking one tile and marking it when
// the placement rules allow. False, with nothing done, without a grid. The
// caller repaints.
bool generateStartLocations();

// The number of tries for the current parameters and map size:
// triesOverMap(genStartLocTries). 0 or less means no tries.
std::int32_t startLocationTryCount();

}  // namespace pelorn
