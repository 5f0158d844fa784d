// The two passes of the world generator that walk the hex neighbourhood: one
// large body of lake water becomes sea, and rivers run down from mountains.
// Both treat the map as wrapping around at all four edges.
#pragma once

#include <cstdint>

#include "generator/random_field.h"

namespace pelorn {

class GridSymmetry;

// A random column 0..W-1 and row 0..H-1, each from one draw: the column is
// always drawn first by the callers.
std::int32_t randomColumn();
std::int32_t randomRow();

// True when the connected body of "Lake" tiles holding (x, y) has at least
// genSeaTiles tiles. Depth first with an explicit stack, stopping as soon as
// the count is reached. False when its working memory cannot be had.
bool isSeaSized(std::int32_t x, std::int32_t y);

// Up to 200 random tries for a lake tile whose body is sea-sized; the first
// found is flooded with "Sea". 400 draws when nothing is found. False when
// the working memory of the search or the flood cannot be had.
bool selectSea();
// The same on a symmetric map (a GridSymmetry of the map's tiles): the body
// found becomes sea together with all its images.
bool selectSea(const GridSymmetry* tiles);

// One river from (x, y) downhill over the (map-sized) height field: it runs
// until it reaches deep water, meets another river ahead, or passes 200 steps
// on water. At most 202 tiles.
void traceRiver(const FloatField& heights, std::int32_t x, std::int32_t y);
// The same on a symmetric map: every tile the river changes (its course and
// its banks) changes in all its images too, so the images run with it.
void traceRiver(const FloatField& heights, std::int32_t x, std::int32_t y, const GridSymmetry* tiles);

// genRiverTries x quadCountY x quadCountX random tries to start a river on an
// ordinary mountain that is not dry (equator field above desertFactor x 0.5)
// and touches no water.
void placeRivers(const FloatField& heights, const FloatField& equator);
// The same on a symmetric map: each river comes with its images, so the tries
// are divided by the symmetry's order (rounded up) to keep the rivers as dense.
void placeRivers(const FloatField& heights, const FloatField& equator, const GridSymmetry* tiles);

}  // namespace pelorn
