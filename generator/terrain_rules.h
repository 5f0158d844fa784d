// The per-cell and per-tile rules of world generation: the presets that pin
// the climate fields before they are filled, and the tables that turn heights
// and climate values into terrain codes. All read generatorParameters as it
// stands; comparisons with levels and factors are made in single precision,
// derived thresholds (products, quotients) in double without rounding.
#pragma once

#include <cstdint>

#include "map/terrain.h"

namespace pelorn {

// Where the polar zones end for a field of h rows: north and south limit the
// steppe belt and the light polar zones, deepNorth and deepSouth the deep zones.
struct PoleLimits {
    double north;
    double south;
    double deepNorth;
    double deepSouth;
};
PoleLimits poleLimits(std::int32_t h);

// Half the width of the rows about the edges where the equator field is fixed.
double equatorBand(std::int32_t h);

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
SteppeThresholds steppeThresholds();

// The first code of a tile from its height and steppes value.
TerrainCode heightCode(float height, float steppes, const SteppeThresholds& thresholds);

// True when the desert pass can change a tile: dry enough and above water.
bool isDesertCandidate(float q, float height);
// The desert pass on one inner tile with equator value q; nearWater when one of
// its six neighbours is "River", "River P" or "Lake". May draw once. Returns
// `current` where the pass leaves the tile alone.
TerrainCode desertCode(float q, float height, bool nearWater, TerrainCode current);
// The jungle pass on one tile.
TerrainCode jungleCode(float q, float height, TerrainCode current);
// The forest pass on one tile with forest value v.
TerrainCode forestCode(float v, TerrainCode current);
// The polar pass on one tile with polar value p.
TerrainCode polarCode(float p, float height, TerrainCode current);

// The three corrections generation writes back into the parameters.
void correctDesertFactor();
void correctJungleFactor();
void correctGlacierDepth();

}  // namespace pelorn
