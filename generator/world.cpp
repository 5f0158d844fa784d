#include "generator/world.h"

#include "generator/parameters.h"
#include "generator/random_field.h"
#include "generator/seas_rivers.h"
#include "generator/terrain_rules.h"
#include "map/hex_geometry.h"
#include "map/map_grid.h"

namespace pelorn {

namespace {

// Heights, then the steppes field over them, then the first code of every tile.
void classifyByHeight(FloatField& height, FloatField& steppes, std::int32_t w, std::int32_t h) {
    const GeneratorParameters& p = generatorParameters;
    height.fill(kUnsetValue);
    fillField(height, w, h, p.randomnessLength, true);
    resampleField(height, w, h);

    // The presets read every working cell, leftovers beyond the map included.
    const PoleLimits limits = poleLimits(h);
    for (std::int32_t x = 0; x < w; ++x)
        for (std::int32_t y = 0; y < h; ++y) steppes[x][y] = steppesPreset(y, height[x][y], limits);
    fillField(steppes, w, h, p.randomnessLengthSteppes, false);
    resampleField(steppes, w, h);

    const SteppeThresholds thresholds = steppeThresholds();
    const std::int32_t mapW = mapWidth();
    const std::int32_t mapH = mapHeight();
    for (std::int32_t x = 0; x < mapW; ++x)
        for (std::int32_t y = 0; y < mapH; ++y) mapGrid[x][y] = heightCode(height[x][y], steppes[x][y], thresholds);
}

// The equator field, then desert at its low end and jungle at its high end.
void layDesertAndJungle(const FloatField& height, FloatField& equator, std::int32_t w, std::int32_t h) {
    const GeneratorParameters& p = generatorParameters;
    const double band = equatorBand(h);
    for (std::int32_t x = 0; x < w; ++x)
        for (std::int32_t y = 0; y < h; ++y) equator[x][y] = equatorPreset(y, h, band);
    fillField(equator, w, h, p.randomnessLengthDesert, false);
    resampleField(equator, w, h);

    const std::int32_t mapW = mapWidth();
    const std::int32_t mapH = mapHeight();
    correctDesertFactor();
    // The outer border of the map never turns to desert.
    // The sea is chosen already and does not count as water here.
    const auto wetsDesert = [](TerrainCode c) { return isRiverCode(c) || c == kLake; };
    for (std::int32_t x = 1; x < mapW - 1; ++x) {
        for (std::int32_t y = 1; y < mapH - 1; ++y) {
            if (!isDesertCandidate(equator[x][y], height[x][y])) continue;
            bool nearWater = false;
            for (const TilePos& n : hexNeighbours(x, y))
                if (wetsDesert(mapGrid[n.x][n.y])) nearWater = true;
            mapGrid[x][y] = desertCode(equator[x][y], height[x][y], nearWater, mapGrid[x][y]);
        }
    }

    correctJungleFactor();
    for (std::int32_t x = 0; x < mapW; ++x)
        for (std::int32_t y = 0; y < mapH; ++y) mapGrid[x][y] = jungleCode(equator[x][y], height[x][y], mapGrid[x][y]);
}

void layForest(FloatField& forest, std::int32_t w, std::int32_t h) {
    forest.fill(kUnsetValue);
    fillField(forest, w, h, generatorParameters.randomnessLengthForest, false);
    resampleField(forest, w, h);
    const std::int32_t mapW = mapWidth();
    const std::int32_t mapH = mapHeight();
    for (std::int32_t x = 0; x < mapW; ++x)
        for (std::int32_t y = 0; y < mapH; ++y) mapGrid[x][y] = forestCode(forest[x][y], mapGrid[x][y]);
}

void layPolar(const FloatField& height, FloatField& polar, std::int32_t w, std::int32_t h) {
    const PoleLimits limits = poleLimits(h);
    for (std::int32_t x = 0; x < w; ++x)
        for (std::int32_t y = 0; y < h; ++y) polar[x][y] = polarPreset(y, height[x][y], limits);
    fillField(polar, w, h, generatorParameters.randomnessLengthPolar, false);
    resampleField(polar, w, h);

    correctGlacierDepth();
    const std::int32_t mapW = mapWidth();
    const std::int32_t mapH = mapHeight();
    for (std::int32_t x = 0; x < mapW; ++x)
        for (std::int32_t y = 0; y < mapH; ++y) mapGrid[x][y] = polarCode(polar[x][y], height[x][y], mapGrid[x][y]);
}

}  // namespace

bool generateWorld(std::int32_t w, std::int32_t h) {
    if (!mapGrid || w < mapWidth() || h < mapHeight()) return false;
    FloatField height;
    FloatField fieldA;  // steppes, then forest, then polar
    FloatField fieldB;  // equator: desert and jungle
    if (!height.allocate(w, h) || !fieldA.allocate(w, h) || !fieldB.allocate(w, h)) return false;

    classifyByHeight(height, fieldA, w, h);
    if (!selectSea()) return false;
    layDesertAndJungle(height, fieldB, w, h);
    layForest(fieldA, w, h);
    layPolar(height, fieldA, w, h);
    placeRivers(height, fieldB);

    fieldA.release();
    fieldB.release();
    height.release();
    return true;
}

bool generateRandomMap() {
    const std::int32_t w = workingSize(mapWidth());
    const std::int32_t h = workingSize(mapHeight());
    freeMapGrid();
    if (!allocateMapGridKeepView()) {
        // Never leave the program without a grid.
        replaceWithEmptyMap(1, 1);
        return false;
    }
    return generateWorld(w, h);
}

}  // namespace pelorn
