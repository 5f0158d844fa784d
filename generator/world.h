// World generation: a new map grid of the current size, every tile classified
// from a random height field and four climate fields, one sea, and rivers.
#pragma once

#include <cstdint>

#include "generator/symmetry.h"

namespace pelorn {

// Replaces the map grid by a freshly generated world of the same size (the
// view stays where it is). Draws from rand(), so one seed and one parameter
// record give one map. False when the memory for it cannot be had: the map
// is then empty (all "Void"), and should even the new grid be impossible to
// allocate, an empty map of one quad each way takes its place, so a grid
// always exists afterwards. The caller repaints.
bool generateRandomMap();
// The same world made with a symmetry (generator/symmetry.h); none gives
// exactly the world above. A symmetry the map's width cannot have
// (symmetryRefusal) changes nothing and returns false.
bool generateSymmetricMap(Symmetry symmetry);

// Fills every tile of the (already allocated) map grid from working fields of
// w x h cells (w, h: the working sizes of the map's width and height). False,
// with nothing done, when the working fields cannot be had.
bool generateWorld(std::int32_t w, std::int32_t h);
bool generateSymmetricWorld(std::int32_t w, std::int32_t h, Symmetry symmetry);

}  // namespace pelorn
