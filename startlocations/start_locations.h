// Random placement of start locations over the whole map.
#pragma once

#include <cstdint>

namespace pelorn {

// Turns every start location back into its land tile, then makes
// genStartLocTries tries per quad, each picking one tile and marking it when the
// placement rules allow; finally repaints the map area. Without a grid it only
// repaints.
void generateStartLocations();

// The number of tries for the current parameters and map size: the 32-bit
// signed product genStartLocTries x quadCountY x quadCountX, wrapped as the
// product of two's-complement integers wraps. 0 or less means no tries.
std::int32_t startLocationTryCount();

}  // namespace pelorn
