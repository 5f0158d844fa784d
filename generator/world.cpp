#include "generator/world.h"

#include <cmath>

#include "generator/parameters.h"
#include "generator/random.h"
#include "generator/random_field.h"
#include "generator/seas_rivers.h"
#include "map/map_grid.h"
#include "map/window_seam.h"
#include "view/view_mode.h"

namespace pelorn {

namespace {

// lo < h <= hi, both comparisons in single precision.
bool inBand(float lo, float h, float hi) { return lo < h && h <= hi; }

// The mountain rows shared by both climates of the classification.
TerrainCode mountainCode(const GeneratorParameters& p, float h) {
    if (inBand(p.levelHighHills, h, p.levelMountain1)) return 5;
    if (inBand(p.levelMountain1, h, p.levelMountain2)) return 6;
    if (inBand(p.levelMountain2, h, p.levelMountain3)) return 7;
    if (inBand(p.levelMountain3, h, p.levelMountain4)) return kMount4;
    return kVoid;
}

// Classification by height, with s the steppes field at the tile.
TerrainCode classifyTile(const GeneratorParameters& p, float h, float s, double t1, double t2) {
    if (0.0f <= h && h <= p.levelSea) return kLake;
    if (s > p.steppesFactor) {
        if (inBand(p.levelSea, h, p.levelPlains)) return kPlains;
        if (inBand(p.levelPlains, h, p.levelFertilePlains)) return kFertilePlains;
        if (inBand(p.levelFertilePlains, h, p.levelHills)) return kHills;
        if (inBand(p.levelHills, h, p.levelHighHills)) return kHighHills;
    } else {
        const double hd = h;
        if (inBand(p.levelSea, h, p.levelHills)) return kSteppes;
        if (p.levelHills < h && hd <= t1) return kPlains;
        if (t1 < hd && hd <= t2) return kHills;
        if (t2 < hd && h <= p.levelHighHills) return kHighHills;
    }
    return mountainCode(p, h);
}

// The polar mountain rows; 0 when none applies and the tile keeps its code.
TerrainCode polarMountainCode(const GeneratorParameters& p, float h) {
    if (inBand(p.levelHighHills, h, p.levelMountain1)) return 29;
    if (inBand(p.levelMountain1, h, p.levelMountain2)) return 30;
    if (inBand(p.levelMountain2, h, p.levelMountain3)) return 31;
    if (inBand(p.levelMountain3, h, p.levelMountain4)) return kMount4S;
    return kVoid;
}

bool isForestCode(TerrainCode code) { return code >= kForestPlains && code <= kForestHighHills; }

// Steps 2 to 4: heights, steppes, and the first code of every tile.
void classifyByHeight(FloatField& height, FloatField& fieldA, std::int32_t w, std::int32_t h) {
    GeneratorParameters& p = generatorParameters;
    height.fill(kUnsetValue);
    fillField(height, w, h, p.randomnessLength, true);
    resampleField(height, w, h);

    // High ground widens the belt in which steppes can occur.
    const double half = h * 0.5;
    const double north = half * p.northPoleFactor / 10.0;
    const double south = std::fabs(half * p.southPoleFactor / 10.0 - h);
    for (std::int32_t x = 0; x < w; ++x) {
        for (std::int32_t y = 0; y < h; ++y) {
            const double twice = 2.0 * height[x][y];
            fieldA[x][y] = (north - twice < y && y < south + twice) ? kUnsetValue : 10.0f;
        }
    }
    fillField(fieldA, w, h, p.randomnessLengthSteppes, false);
    resampleField(fieldA, w, h);

    const float d = p.levelHighHills - p.levelHills;
    const double t1 = static_cast<double>(p.levelHills) + static_cast<double>(d) * static_cast<double>(0.33f);
    const double t2 = static_cast<double>(p.levelHills) + static_cast<double>(d) * static_cast<double>(0.66f);
    const std::int32_t mapW = mapWidth();
    const std::int32_t mapH = mapHeight();
    for (std::int32_t x = 0; x < mapW; ++x)
        for (std::int32_t y = 0; y < mapH; ++y) mapGrid[x][y] = classifyTile(p, height[x][y], fieldA[x][y], t1, t2);
}

// Steps 6 to 8: the equator field, then desert at its low end and jungle at its high end.
void layDesertAndJungle(const FloatField& height, FloatField& equator, std::int32_t w, std::int32_t h) {
    GeneratorParameters& p = generatorParameters;
    // Outside a belt about the middle row the field stays 5.
    const double band = h * (std::fabs(static_cast<double>(p.equatorFactor) - 10.0) / 10.0) * 0.5;
    for (std::int32_t x = 0; x < w; ++x)
        for (std::int32_t y = 0; y < h; ++y) equator[x][y] = (y <= band || y >= h - band) ? 5.0f : kUnsetValue;
    fillField(equator, w, h, p.randomnessLengthDesert, false);
    resampleField(equator, w, h);

    const std::int32_t mapW = mapWidth();
    const std::int32_t mapH = mapHeight();

    if (p.desertFactor == 10.0f) p.desertFactor = 9.9f;
    const double dry = static_cast<double>(p.desertFactor) * 0.5;
    const double arid = dry / 1.25;
    const double desert = dry / 1.5;
    // The outer border of the map never turns to desert.
    for (std::int32_t x = 1; x < mapW - 1; ++x) {
        const std::int32_t raise = (x % 2 == 0) ? 1 : 0;
        for (std::int32_t y = 1; y < mapH - 1; ++y) {
            const double q = equator[x][y];
            const float hh = height[x][y];
            if (!(q <= dry && hh > p.levelSea)) continue;
            const TerrainCode around[6] = {mapGrid[x][y - 1],         mapGrid[x][y + 1],
                                           mapGrid[x + 1][y - raise], mapGrid[x + 1][y - raise + 1],
                                           mapGrid[x - 1][y - raise], mapGrid[x - 1][y - raise + 1]};
            bool nearWater = false;
            for (TerrainCode c : around)
                if (c == kRiver || c == kRiverP || c == kLake) nearWater = true;
            TerrainCode& tile = mapGrid[x][y];
            if (nearWater) {
                if (q >= arid) {
                    tile = kAPlains;
                } else {
                    tile = roundHalfUpToSingle(rand() / static_cast<double>(kRandMax)) == 1 ? kArid : kAPlains;
                }
            } else if (q < desert) {
                if (hh <= p.levelHighHills) tile = kDesert;
                else if (hh <= p.levelMountain2) tile = kDesertMount1;
                else if (hh <= p.levelMountain4) tile = kDesertMount2;
            } else if (hh <= p.levelHills) {
                tile = q < arid ? kArid : kAPlains;
            }
        }
    }

    if (p.jungleFactor == 10.0f) p.jungleFactor = 9.9f;
    const double wet = std::fabs(static_cast<double>(p.jungleFactor) - 20.0) * 0.5;
    for (std::int32_t x = 0; x < mapW; ++x) {
        for (std::int32_t y = 0; y < mapH; ++y) {
            const float hh = height[x][y];
            if (!(static_cast<double>(equator[x][y]) >= wet && hh > p.levelSea)) continue;
            if (hh <= p.levelFertilePlains) mapGrid[x][y] = kJunglePlains;
            else if (hh <= p.levelHills) mapGrid[x][y] = kJungleHills;
            else if (hh <= p.levelHighHills) mapGrid[x][y] = kJungleHighHills;
        }
    }
}

// Step 9: forest on plains, hills and high hills.
void layForest(FloatField& forest, std::int32_t w, std::int32_t h) {
    const GeneratorParameters& p = generatorParameters;
    forest.fill(kUnsetValue);
    fillField(forest, w, h, p.randomnessLengthForest, false);
    resampleField(forest, w, h);
    const std::int32_t mapW = mapWidth();
    const std::int32_t mapH = mapHeight();
    for (std::int32_t x = 0; x < mapW; ++x) {
        for (std::int32_t y = 0; y < mapH; ++y) {
            TerrainCode& tile = mapGrid[x][y];
            if (forest[x][y] <= p.forestFactor && (tile == kPlains || tile == kHills || tile == kHighHills))
                tile += 12;
        }
    }
}

// Steps 10 to 12: the polar field, the glacier depth, and polar terrain.
void layPolar(const FloatField& height, FloatField& polar, std::int32_t w, std::int32_t h) {
    GeneratorParameters& p = generatorParameters;
    const double half = h * 0.5;
    const double north = half * p.northPoleFactor / 10.0;
    const double south = std::fabs(half * p.southPoleFactor / 10.0 - h);
    const double deepNorth = north * 0.25;
    const double deepSouth = south + std::fabs(south - h) * 0.75;
    // High ground pushes both polar zones towards the equator.
    for (std::int32_t x = 0; x < w; ++x) {
        for (std::int32_t y = 0; y < h; ++y) {
            const double t = 2.0 * height[x][y];
            float value = kUnsetValue;
            if (north + t < y && y < south - t) value = 10.0f;
            else if (y <= deepNorth + t || y >= deepSouth - t) value = 0.0f;
            polar[x][y] = value;
        }
    }
    fillField(polar, w, h, p.randomnessLengthPolar, false);
    resampleField(polar, w, h);

    if (p.levelSea < p.levelcorrectionGlacial) p.levelcorrectionGlacial = p.levelSea;

    const float glacierFloor = p.levelSea - p.levelcorrectionGlacial;
    const double deepLimit = static_cast<double>(p.polarFactor) / 3.0;
    const std::int32_t mapW = mapWidth();
    const std::int32_t mapH = mapHeight();
    for (std::int32_t x = 0; x < mapW; ++x) {
        for (std::int32_t y = 0; y < mapH; ++y) {
            const float v = polar[x][y];
            const float hh = height[x][y];
            TerrainCode& tile = mapGrid[x][y];
            TerrainCode code = kVoid;
            if (static_cast<double>(v) <= deepLimit) {
                if (inBand(glacierFloor, hh, p.levelSea)) code = kGlacier;
                else if (inBand(p.levelSea, hh, p.levelFertilePlains)) code = kPlainsD;
                else if (inBand(p.levelFertilePlains, hh, p.levelHills)) code = kHillsD;
                else if (inBand(p.levelHills, hh, p.levelHighHills)) code = kHighHillsD;
                else code = polarMountainCode(p, hh);
            } else if (v <= p.polarFactor) {
                const bool forested = isForestCode(tile);
                if (inBand(p.levelSea, hh, p.levelFertilePlains)) code = forested ? tile + 19 : kPlainsL;
                else if (inBand(p.levelFertilePlains, hh, p.levelHills)) code = forested ? tile + 19 : kHillsL;
                else if (inBand(p.levelHills, hh, p.levelHighHills)) code = forested ? tile + 19 : kHighHillsL;
                else code = polarMountainCode(p, hh);
            }
            if (code != kVoid) tile = code;
        }
    }
}

}  // namespace

void generateWorld(std::int32_t w, std::int32_t h) {
    if (!mapGrid) return;
    FloatField height;
    FloatField fieldA;
    FloatField fieldB;
    if (!height.allocate(w, h) || !fieldA.allocate(w, h) || !fieldB.allocate(w, h)) return;

    classifyByHeight(height, fieldA, w, h);
    selectSea();
    layDesertAndJungle(height, fieldB, w, h);
    layForest(fieldA, w, h);
    layPolar(height, fieldA, w, h);
    placeRivers(height, fieldB);

    fieldA.release();
    fieldB.release();
    height.release();
}

void generateRandomMap() {
    const std::int32_t w = workingSize(mapWidth());
    const std::int32_t h = workingSize(mapHeight());
    freeMapGrid();
    if (!allocateMapGridKeepView()) {
        // Never leave the program without a grid: an empty map of one quad.
        quadCountX = 1;
        quadCountY = 1;
        allocateMapGrid();
        invalidateClientArea(true);
        return;
    }
    generateWorld(w, h);
    if (viewMode == 0) invalidateRect(kMapAreaRect, true);
    else invalidateClientArea(true);
}

}  // namespace pelorn
