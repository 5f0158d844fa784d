// World generation: a new map grid of the map's size, every tile classified
// from a random height field and four climate fields, one sea, and rivers.
#pragma once

#include <cstdint>

#include "generator/parameters.h"
#include "generator/symmetry.h"

namespace pelorn {

class Random;
struct Map;

// What a generation did: whether the world was made, and the parameters as
// the generator corrected them on its way (a desert or jungle factor of 10
// becomes 9.9, the glacier depth at most the sea level). The caller keeps
// the corrected parameters where it keeps its own.
struct GenerateResult {
    bool generated = false;
    GeneratorParameters parameters;
};

// Replaces the map's grid by a freshly generated world of the same size.
// Draws from `random`, so one seed and one parameter record give one map.
// Not generated when the memory for it cannot be had: the map is then empty
// (all "Void"), and should even the new grid be impossible to allocate, an
// empty map of one quad each way takes its place, so a grid always exists
// afterwards. The caller repaints.
GenerateResult generateRandomMap(Map& map, const GeneratorParameters& parameters, Random& random);
// The same world made with a symmetry (generator/symmetry.h); none gives
// exactly the world above. A symmetry the map's width cannot have
// (symmetryRefusal) changes nothing and makes no world.
GenerateResult generateSymmetricMap(Map& map, const GeneratorParameters& parameters, Random& random,
                                    Symmetry symmetry);

// Fills every tile of the map's (already allocated) grid from working fields
// of w x h cells (w, h: the working sizes of the map's width and height).
// Nothing done when the working fields cannot be had.
GenerateResult generateWorld(Map& map, std::int32_t w, std::int32_t h, const GeneratorParameters& parameters,
                             Random& random);
GenerateResult generateSymmetricWorld(Map& map, std::int32_t w, std::int32_t h, const GeneratorParameters& parameters,
                                      Random& random, Symmetry symmetry);

}  // namespace pelorn
