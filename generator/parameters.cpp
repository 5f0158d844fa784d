#include "generator/parameters.h"

#include "map/map_grid.h"

namespace pelorn {

GeneratorParameters generatorParameters;

std::int32_t triesOverMap(std::int32_t perQuad) {
    // Unsigned arithmetic wraps without undefined behaviour; the result is
    // then read back as a two's-complement value.
    const std::uint32_t product = static_cast<std::uint32_t>(perQuad) * static_cast<std::uint32_t>(quadCountY) *
                                  static_cast<std::uint32_t>(quadCountX);
    if (product <= 0x7FFFFFFFu) return static_cast<std::int32_t>(product);
    return -static_cast<std::int32_t>(~product) - 1;
}

namespace {
using P = GeneratorParameters;
constexpr ParameterField integerField(const char* name, std::int32_t P::*field) {
    return {name, ParameterKind::Integer, field, nullptr, nullptr};
}
constexpr ParameterField realField(const char* name, float P::*field) {
    return {name, ParameterKind::Real, nullptr, field, nullptr};
}
constexpr ParameterField flagField(const char* name, std::uint8_t P::*field) {
    return {name, ParameterKind::Flag, nullptr, nullptr, field};
}
}  // namespace

const ParameterField kParameterFields[kParameterFieldCount] = {
    integerField("genStartLocTries", &P::genStartLocTries),
    realField("roughnessFactor", &P::roughnessFactor),
    integerField("randomnessLength", &P::randomnessLength),
    integerField("randomnessLengthForest", &P::randomnessLengthForest),
    integerField("randomnessLengthDesert", &P::randomnessLengthDesert),
    integerField("randomnessLengthJungle", &P::randomnessLengthJungle),
    integerField("randomnessLengthPolar", &P::randomnessLengthPolar),
    integerField("randomnessLengthSteppes", &P::randomnessLengthSteppes),
    integerField("genRiverTries", &P::genRiverTries),
    integerField("genSeaTiles", &P::genSeaTiles),
    flagField("seedHorizontalSea", &P::seedHorizontalSea),
    flagField("seedVerticalSea", &P::seedVerticalSea),
    realField("forestFactor", &P::forestFactor),
    realField("desertFactor", &P::desertFactor),
    realField("jungleFactor", &P::jungleFactor),
    realField("polarFactor", &P::polarFactor),
    realField("steppesFactor", &P::steppesFactor),
    realField("equatorFactor", &P::equatorFactor),
    realField("northPoleFactor", &P::northPoleFactor),
    realField("southPoleFactor", &P::southPoleFactor),
    realField("levelSea", &P::levelSea),
    realField("levelPlains", &P::levelPlains),
    realField("levelFertilePlains", &P::levelFertilePlains),
    realField("levelHills", &P::levelHills),
    realField("levelHighHills", &P::levelHighHills),
    realField("levelMountain1", &P::levelMountain1),
    realField("levelMountain2", &P::levelMountain2),
    realField("levelMountain3", &P::levelMountain3),
    realField("levelMountain4", &P::levelMountain4),
    realField("levelcorrectionGlacial", &P::levelcorrectionGlacial),
};

}  // namespace pelorn
