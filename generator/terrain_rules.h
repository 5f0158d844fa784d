// The per-cell and per-tile rules of world generation: the presets that pin
// the climate fields before they are filled, and the tables that turn heights
// and climate values into terrain codes. All read the parameters they are
// given; comparisons with levels and factors are made in single precision,
// derived thresholds (products, quotients) in double without rounding.
#pragma once

#include <cstdint>

#include "generator/parameters.h"
#include "map/terrain.h"

namespace pelorn {

class Random;

// Where the polar zones end for a field of h rows: north and south limit the
// steppe belt and the light polar zones, deepNorth and deepSouth the deep zones.
struct PoleLimits {
    double north;
    double south;
    double deepNorth;
    double deepSouth;
};
PoleLimits poleLimits(const GeneratorParameters& p, std::int32_t h);

// Half the width of the rows about the edges where the equator field is fixed.
double equatorBand(const GeneratorParameters& p, std::int32_t h);

// The value a climate cell starts with in row y over height `height`
// (kUnsetValue for a cell the fill computes).
float steppesPreset(std::int32_t y, float height, const PoleLimits& limits);
float equatorPreset(std::int32_t y, std::int32_t h, double band);
float polarPreset(std::int32_t y, float height, const PoleLimits& limits);

// The steppe climate's band edges between hills and high hills.
struct SteppeThresholds {
    double t1;
    double t2;
};
SteppeThresholds steppeThresholds(const GeneratorParameters& p);

// The first code of a tile from its height and steppes value.
TerrainCode heightCode(const GeneratorParameters& p, float height, float steppes, const SteppeThresholds& thresholds);

// True when the desert pass can change a tile: dry enough and above water.
bool isDesertCandidate(const GeneratorParameters& p, float q, float height);
// The desert pass on one inner tile with equator value q; nearWater when one of
// its six neighbours is "River", "River P" or "Lake". May draw once from `random`. Returns
// `current` where the pass leaves the tile alone.
TerrainCode desertCode(const GeneratorParameters& p, Random& random, float q, float height, bool nearWater,
                       TerrainCode current);
// The jungle pass on one tile.
TerrainCode jungleCode(const GeneratorParameters& p, float q, float height, TerrainCode current);
// The forest pass on one tile with forest value v.
TerrainCode forestCode(const GeneratorParameters& p, float v, TerrainCode current);
// The polar pass on one tile with polar value v.
TerrainCode polarCode(const GeneratorParameters& p, float v, float height, TerrainCode current);

// The three corrections generation makes to its parameters as it goes (a
// factor of 10 becomes 9.9; the glaciers reach no deeper than the sea level).
void correctDesertFactor(GeneratorParameters& p);
void correctJungleFactor(GeneratorParameters& p);
void correctGlacierDepth(GeneratorParameters& p);

}  // namespace pelorn
