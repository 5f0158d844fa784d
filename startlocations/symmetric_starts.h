// Players mode on a symmetric world: when the number of players is a multiple
// of the symmetry's order, the starts come in symmetric sets (each start's
// images are starts too), so that the players of a set see the same
// surroundings, and the sets' rooms are made as even as their homes.
#pragma once

#include <cstdint>
#include <vector>

#include "generator/symmetry.h"
#include "map/hex_geometry.h"
#include "map/map_grid.h"
#include "startlocations/players.h"

namespace pelorn {

// Whether players mode places symmetric sets: a symmetry other than none, a
// number of players that is a multiple of its order, a map width it allows,
// and a map whose every tile equals its images (start locations read as the
// land under them).
bool symmetricSetsApply(const Map& map, Symmetry symmetry, std::int32_t players);

// The starts of players mode in symmetric sets: players / order tiles of the
// fundamental part, each with its images. Each tile and all its images obey
// the placement rules, and any two starts stand at least the options' distance
// (at least kMinStartSpacing) apart. Among the sets of one land value, the
// highest value that holds them all, chosen farthest apart first, then sets
// exchanged for sets of a home value within 5% of it while the larger of the
// home spread and the rooms' spread (rooms within max(3, distance / 2)
// walking steps) grows smaller; should no one value hold them, the
// strongest that fit, from the best down. Fewer when
// the map holds fewer. Draws no random numbers. Needs symmetricSetsApply.
std::vector<TilePos> planSymmetricStarts(const Map& map, const PlayersOptions& options);

}  // namespace pelorn
