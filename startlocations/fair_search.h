// Players mode's search for starts that are even both in the land near each
// start and in the room each one has: used by players.cpp only.
#pragma once

#include <cstdint>
#include <vector>

#include "map/hex_geometry.h"
#include "map/map_grid.h"
#include "startlocations/land_weights.h"

namespace pelorn {

struct HomeTile {
    std::int32_t home;    // the land value within the options' radius
    std::uint32_t order;  // in the file's tile order
    TilePos pos;
};

// Up to `players` tiles among `tiles` (tiles that obey the placement
// rules), pairwise at least `spacing` steps apart, chosen so that the larger
// of the home spread and the room spread (rooms within `roomRadius` walking
// steps) is small; then the weakest room and the weakest home as high as
// possible. `known` (tiles of `tiles`, as even in their homes as the map
// allows) is one of the choices weighed. The homes stay within 5% of each
// other (or as even as `known`'s); with `strongHomes` the weakest home also
// stays at nine tenths of the best legal tile's or above (or as strong as
// `known`'s weakest). Fewer only when no choice of all of them was found.
// Draws no random numbers: the same map and values give the same tiles.
std::vector<TilePos> chooseEvenStarts(const Map& map, const std::vector<HomeTile>& tiles, std::int32_t players,
                                      std::int32_t spacing, std::int32_t roomRadius, const LandWeights& weights,
                                      const std::vector<HomeTile>& known, bool strongHomes);

}  // namespace pelorn
