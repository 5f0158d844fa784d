#include "generator/terrain_rules.h"

#include <cmath>

#include "generator/parameters.h"
#include "generator/random.h"
#include "generator/random_field.h"

namespace pelorn {

namespace {

// lo < h <= hi, both comparisons in single precision.
bool inBand(float lo, float h, float hi) { return lo < h && h <= hi; }

// The mountain rows shared by both climates; "Void" above the last level.
TerrainCode mountainCode(const GeneratorParameters& p, float h) {
    if (inBand(p.levelHighHills, h, p.levelMountain1)) return kMount1;
    if (inBand(p.levelMountain1, h, p.levelMountain2)) return kMount2;
    if (inBand(p.levelMountain2, h, p.levelMountain3)) return kMount3;
    if (inBand(p.levelMountain3, h, p.levelMountain4)) return kMount4;
    return kVoid;
}

// The polar mountain rows; `current` when none applies.
TerrainCode polarMountainCode(const GeneratorParameters& p, float h, TerrainCode current) {
    if (inBand(p.levelHighHills, h, p.levelMountain1)) return kMount1S;
    if (inBand(p.levelMountain1, h, p.levelMountain2)) return kMount2S;
    if (inBand(p.levelMountain2, h, p.levelMountain3)) return kMount3S;
    if (inBand(p.levelMountain3, h, p.levelMountain4)) return kMount4S;
    return current;
}

}  // namespace

PoleLimits poleLimits(const GeneratorParameters& p, std::int32_t h) {
    const double half = h * 0.5;
    PoleLimits limits{};
    limits.north = half * p.northPoleFactor / 10.0;
    limits.south = std::fabs(half * p.southPoleFactor / 10.0 - h);
    limits.deepNorth = limits.north * 0.25;
    limits.deepSouth = limits.south + std::fabs(limits.south - h) * 0.75;
    return limits;
}

double equatorBand(const GeneratorParameters& p, std::int32_t h) {
    return h * (std::fabs(static_cast<double>(p.equatorFactor) - 10.0) / 10.0) * 0.5;
}

float steppesPreset(std::int32_t y, float height, const PoleLimits& limits) {
    // High ground widens the belt in which steppes can occur.
    const double twice = 2.0 * height;
    return (limits.north - twice < y && y < limits.south + twice) ? kUnsetValue : 10.0f;
}

float equatorPreset(std::int32_t y, std::int32_t h, double band) {
    return (y <= band || y >= h - band) ? 5.0f : kUnsetValue;
}

float polarPreset(std::int32_t y, float height, const PoleLimits& limits) {
    // High ground pushes both polar zones towards the equator.
    const double t = 2.0 * height;
    if (limits.north + t < y && y < limits.south - t) return 10.0f;
    if (y <= limits.deepNorth + t || y >= limits.deepSouth - t) return 0.0f;
    return kUnsetValue;
}

SteppeThresholds steppeThresholds(const GeneratorParameters& p) {
    const float d = p.levelHighHills - p.levelHills;
    const double hills = p.levelHills;
    return {hills + static_cast<double>(d) * static_cast<double>(0.33f),
            hills + static_cast<double>(d) * static_cast<double>(0.66f)};
}

TerrainCode heightCode(const GeneratorParameters& p, float h, float s, const SteppeThresholds& thresholds) {
    if (0.0f <= h && h <= p.levelSea) return kLake;
    if (s > p.steppesFactor) {
        if (inBand(p.levelSea, h, p.levelPlains)) return kPlains;
        if (inBand(p.levelPlains, h, p.levelFertilePlains)) return kFertilePlains;
        if (inBand(p.levelFertilePlains, h, p.levelHills)) return kHills;
        if (inBand(p.levelHills, h, p.levelHighHills)) return kHighHills;
    } else {
        const double hd = h;
        if (inBand(p.levelSea, h, p.levelHills)) return kSteppes;
        if (p.levelHills < h && hd <= thresholds.t1) return kPlains;
        if (thresholds.t1 < hd && hd <= thresholds.t2) return kHills;
        if (thresholds.t2 < hd && h <= p.levelHighHills) return kHighHills;
    }
    return mountainCode(p, h);
}

bool isDesertCandidate(const GeneratorParameters& p, float q, float h) {
    return static_cast<double>(q) <= static_cast<double>(p.desertFactor) * 0.5 && h > p.levelSea;
}

TerrainCode desertCode(const GeneratorParameters& p, Random& random, float q, float h, bool nearWater,
                       TerrainCode current) {
    const double dry = static_cast<double>(p.desertFactor) * 0.5;
    const double qd = q;
    if (!isDesertCandidate(p, q, h)) return current;
    if (nearWater) {
        if (qd >= dry / 1.25) return kAPlains;
        return drawScaled(random, 1.0) == 1 ? kArid : kAPlains;
    }
    if (qd < dry / 1.5) {
        if (h <= p.levelHighHills) return kDesert;
        if (h <= p.levelMountain2) return kDesertMount1;
        if (h <= p.levelMountain4) return kDesertMount2;
        return current;
    }
    if (h <= p.levelHills) return qd < dry / 1.25 ? kArid : kAPlains;
    return current;
}

TerrainCode jungleCode(const GeneratorParameters& p, float q, float h, TerrainCode current) {
    const double wet = std::fabs(static_cast<double>(p.jungleFactor) - 20.0) * 0.5;
    if (!(static_cast<double>(q) >= wet && h > p.levelSea)) return current;
    if (h <= p.levelFertilePlains) return kJunglePlains;
    if (h <= p.levelHills) return kJungleHills;
    if (h <= p.levelHighHills) return kJungleHighHills;
    return current;
}

TerrainCode forestCode(const GeneratorParameters& p, float v, TerrainCode current) {
    return v <= p.forestFactor ? forestedCode(current) : current;
}

TerrainCode polarCode(const GeneratorParameters& p, float v, float h, TerrainCode current) {
    if (static_cast<double>(v) <= static_cast<double>(p.polarFactor) / 3.0) {
        const float glacierFloor = p.levelSea - p.levelcorrectionGlacial;
        if (inBand(glacierFloor, h, p.levelSea)) return kGlacier;
        if (inBand(p.levelSea, h, p.levelFertilePlains)) return kPlainsD;
        if (inBand(p.levelFertilePlains, h, p.levelHills)) return kHillsD;
        if (inBand(p.levelHills, h, p.levelHighHills)) return kHighHillsD;
        return polarMountainCode(p, h, current);
    }
    if (v <= p.polarFactor) {
        // Forest under snow keeps its trees whatever the band.
        const bool forested = isForestCode(current);
        if (inBand(p.levelSea, h, p.levelFertilePlains)) return forested ? snowCoveredCode(current) : kPlainsL;
        if (inBand(p.levelFertilePlains, h, p.levelHills)) return forested ? snowCoveredCode(current) : kHillsL;
        if (inBand(p.levelHills, h, p.levelHighHills)) return forested ? snowCoveredCode(current) : kHighHillsL;
        return polarMountainCode(p, h, current);
    }
    return current;
}

void correctDesertFactor(GeneratorParameters& p) {
    if (p.desertFactor == 10.0f) p.desertFactor = 9.9f;
}

void correctJungleFactor(GeneratorParameters& p) {
    if (p.jungleFactor == 10.0f) p.jungleFactor = 9.9f;
}

void correctGlacierDepth(GeneratorParameters& p) {
    if (p.levelSea < p.levelcorrectionGlacial) p.levelcorrectionGlacial = p.levelSea;
}

}  // namespace pelorn
