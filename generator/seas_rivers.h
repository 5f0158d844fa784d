// The two passes of the world generator that walk the hex neighbourhood: one
// large body of lake water becomes sea, and rivers run down from mountains.
// Both treat the map as wrapping around at all four edges.
#pragma once

#include <cstdint>

#include "generator/parameters.h"
#include "generator/random_field.h"

namespace pelorn {

class GridSymmetry;
class Random;
struct Map;

// A random column 0..W-1 and row 0..H-1 of the map, each from one draw: the
// column is always drawn first by the callers.
std::int32_t randomColumn(const Map& map, Random& random);
std::int32_t randomRow(const Map& map, Random& random);

// True when the connected body of "Lake" tiles holding (x, y) has at least
// genSeaTiles tiles. Depth first with an explicit stack, stopping as soon as
// the count is reached. False when its working memory cannot be had.
bool isSeaSized(const Map& map, std::int32_t x, std::int32_t y, const GeneratorParameters& parameters);

// Up to 200 random tries for a lake tile whose body is sea-sized; the first
// found is flooded with "Sea". 400 draws when nothing is found. False when
// the working memory of the search or the flood cannot be had. On a symmetric
// map (a GridSymmetry of the map's tiles) the body found becomes sea together
// with all its images.
bool selectSea(Map& map, const GeneratorParameters& parameters, Random& random,
               const GridSymmetry* tiles = nullptr);

// One river from (x, y) downhill over the (map-sized) height field: it runs
// until it reaches deep water (below 3/4 of levelSea), meets another river
// ahead, or passes 200 steps on water. At most 202 tiles. On a symmetric map
// every tile the river changes (its course and its banks) changes in all its
// images too, so the images run with it.
void traceRiver(Map& map, const FloatField& heights, std::int32_t x, std::int32_t y,
                const GeneratorParameters& parameters, Random& random, const GridSymmetry* tiles = nullptr);

// genRiverTries x quadCountY x quadCountX random tries to start a river on an
// ordinary mountain that is not dry (equator field above desertFactor x 0.5)
// and touches no water. On a symmetric map each river comes with its images,
// so the tries are divided by the symmetry's order (rounded up) to keep the
// rivers as dense.
void placeRivers(Map& map, const FloatField& heights, const FloatField& equator, const GeneratorParameters& parameters,
                 Random& random, const GridSymmetry* tiles = nullptr);

}  // namespace pelorn
