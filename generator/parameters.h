// The generators' tunable values, passed to them as a value. Each field bears
// the name of its key in "appdata.dat" (generator/parameter_fields.h lists
// them); heights, levels and factors are on the scale 0.0 to 10.0.
#pragma once

#include <cstdint>

namespace pelorn {

struct GeneratorParameters {
    std::int32_t genStartLocTries = 1000;
    float roughnessFactor = 1.2f;
    std::int32_t randomnessLength = 17;
    std::int32_t randomnessLengthForest = 5;
    std::int32_t randomnessLengthDesert = 33;
    std::int32_t randomnessLengthJungle = 33;  // kept and edited; generation does not read it
    std::int32_t randomnessLengthPolar = 17;
    std::int32_t randomnessLengthSteppes = 33;
    std::int32_t genRiverTries = 50;
    std::int32_t genSeaTiles = 5000;
    std::uint8_t seedHorizontalSea = 0;
    std::uint8_t seedVerticalSea = 0;
    float forestFactor = 4.0f;
    float desertFactor = 4.0f;
    float jungleFactor = 4.0f;
    float polarFactor = 8.0f;
    float steppesFactor = 2.0f;
    float equatorFactor = 3.0f;
    float northPoleFactor = 3.0f;
    float southPoleFactor = 3.0f;
    float levelSea = 5.0f;
    float levelPlains = 6.7f;
    float levelFertilePlains = 6.9f;
    float levelHills = 7.9f;
    float levelHighHills = 8.9f;
    float levelMountain1 = 9.3f;
    float levelMountain2 = 9.6f;
    float levelMountain3 = 9.8f;
    float levelMountain4 = 10.0f;
    float levelcorrectionGlacial = 0.7f;
};

struct Map;

// A number of tries per quad times the map's quads: the 32-bit signed
// product perQuad x quadCountY x quadCountX, wrapped as the product of
// two's-complement integers wraps. 0 or less means no tries.
std::int32_t triesOverMap(const Map& map, std::int32_t perQuad);

}  // namespace pelorn
