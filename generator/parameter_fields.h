// The generator's parameters one by one: one table that the settings file's
// reader and writer, pelorn-cli and the dialogs walk, so a parameter is named,
// typed and ordered in this one place.
//
// Order: the table runs in the order of the settings file, one line per entry
// after "#LastOpen#". The dialogs follow the same order. Entry 0,
// genStartLocTries, is the one field of "Generate Start Locations". Entries 1
// to 29 are the controls of "Generate Terrain" in their tab order, entry n
// shown by control 600 + n: the edit fields 601 to 609 and 612 to 629, and
// the check boxes 610 and 611 for the two flags (entries 10 and 11, the only
// Flag entries). So that dialog walks the table from kFirstTerrainField to
// the end, and control id - 600 is the index of the entry it shows.
#pragma once

#include <cstdint>

#include "generator/parameters.h"

namespace pelorn {

enum class ParameterKind { Integer, Real, Flag };

struct ParameterField {
    const char* key;  // the settings key as written: "#" + the member's name + "#"
    ParameterKind kind;
    // The member the entry stands for: the pointer of its kind; the other two are null.
    std::int32_t GeneratorParameters::*integer;
    float GeneratorParameters::*real;
    std::uint8_t GeneratorParameters::*flag;
};

namespace parameter_fields {
using P = GeneratorParameters;
constexpr ParameterField integer(const char* key, std::int32_t P::*field) {
    return {key, ParameterKind::Integer, field, nullptr, nullptr};
}
constexpr ParameterField real(const char* key, float P::*field) {
    return {key, ParameterKind::Real, nullptr, field, nullptr};
}
constexpr ParameterField flag(const char* key, std::uint8_t P::*field) {
    return {key, ParameterKind::Flag, nullptr, nullptr, field};
}
}  // namespace parameter_fields

constexpr int kParameterFieldCount = 30;
constexpr int kStartLocTriesField = 0;  // "Generate Start Locations"
constexpr int kFirstTerrainField = 1;   // "Generate Terrain": this entry to the last

inline constexpr ParameterField kParameterFields[kParameterFieldCount] = {
    parameter_fields::integer("#genStartLocTries#", &GeneratorParameters::genStartLocTries),
    parameter_fields::real("#roughnessFactor#", &GeneratorParameters::roughnessFactor),
    parameter_fields::integer("#randomnessLength#", &GeneratorParameters::randomnessLength),
    parameter_fields::integer("#randomnessLengthForest#", &GeneratorParameters::randomnessLengthForest),
    parameter_fields::integer("#randomnessLengthDesert#", &GeneratorParameters::randomnessLengthDesert),
    parameter_fields::integer("#randomnessLengthJungle#", &GeneratorParameters::randomnessLengthJungle),
    parameter_fields::integer("#randomnessLengthPolar#", &GeneratorParameters::randomnessLengthPolar),
    parameter_fields::integer("#randomnessLengthSteppes#", &GeneratorParameters::randomnessLengthSteppes),
    parameter_fields::integer("#genRiverTries#", &GeneratorParameters::genRiverTries),
    parameter_fields::integer("#genSeaTiles#", &GeneratorParameters::genSeaTiles),
    parameter_fields::flag("#seedHorizontalSea#", &GeneratorParameters::seedHorizontalSea),
    parameter_fields::flag("#seedVerticalSea#", &GeneratorParameters::seedVerticalSea),
    parameter_fields::real("#forestFactor#", &GeneratorParameters::forestFactor),
    parameter_fields::real("#desertFactor#", &GeneratorParameters::desertFactor),
    parameter_fields::real("#jungleFactor#", &GeneratorParameters::jungleFactor),
    parameter_fields::real("#polarFactor#", &GeneratorParameters::polarFactor),
    parameter_fields::real("#steppesFactor#", &GeneratorParameters::steppesFactor),
    parameter_fields::real("#equatorFactor#", &GeneratorParameters::equatorFactor),
    parameter_fields::real("#northPoleFactor#", &GeneratorParameters::northPoleFactor),
    parameter_fields::real("#southPoleFactor#", &GeneratorParameters::southPoleFactor),
    parameter_fields::real("#levelSea#", &GeneratorParameters::levelSea),
    parameter_fields::real("#levelPlains#", &GeneratorParameters::levelPlains),
    parameter_fields::real("#levelFertilePlains#", &GeneratorParameters::levelFertilePlains),
    parameter_fields::real("#levelHills#", &GeneratorParameters::levelHills),
    parameter_fields::real("#levelHighHills#", &GeneratorParameters::levelHighHills),
    parameter_fields::real("#levelMountain1#", &GeneratorParameters::levelMountain1),
    parameter_fields::real("#levelMountain2#", &GeneratorParameters::levelMountain2),
    parameter_fields::real("#levelMountain3#", &GeneratorParameters::levelMountain3),
    parameter_fields::real("#levelMountain4#", &GeneratorParameters::levelMountain4),
    parameter_fields::real("#levelcorrectionGlacial#", &GeneratorParameters::levelcorrectionGlacial),
};

}  // namespace pelorn
