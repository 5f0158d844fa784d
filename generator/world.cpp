#include "generator/world.h"

#include "generator/parameters.h"
#include "generator/random_field.h"
#include "generator/seas_rivers.h"
#include "generator/symmetry.h"
#include "generator/terrain_rules.h"
#include "map/hex_geometry.h"
#include "map/map_grid.h"

namespace pelorn {

namespace {

// The symmetry a world is made with, as the working fields and the map see it.
struct WorldShape {
    Symmetry symmetry;
    GridSymmetry cells;  // of the w x h working fields
    GridSymmetry tiles;  // of the map

    WorldShape(Symmetry s, std::int32_t w, std::int32_t h)
        : symmetry(s), cells(GridSymmetry::forField(s, w, h)), tiles(GridSymmetry::forMap(s, mapWidth(), mapHeight())) {}
    bool none() const { return symmetry == Symmetry::kNone; }
};

// fillField and resampleField under the world's symmetry. A climate field's
// presets are made symmetric first: under rotate2 the southern half takes the
// northern half's presets, so both poles follow the North Pole Limit.
void fillAndResample(FloatField& field, std::int32_t w, std::int32_t h, std::int32_t length, bool seedSeas,
                     const WorldShape& shape) {
    if (shape.none()) {
        fillField(field, w, h, length, seedSeas);
        resampleField(field, w, h);
        return;
    }
    symmetriseField(field, shape.cells);
    fillField(field, w, h, length, seedSeas, &shape.cells);
    resampleSymmetricField(field, w, h, shape.symmetry);
}

// Heights, then the steppes field over them, then the first code of every tile.
void classifyByHeight(FloatField& height, FloatField& steppes, std::int32_t w, std::int32_t h,
                      const WorldShape& shape) {
    const GeneratorParameters& p = generatorParameters;
    height.fill(kUnsetValue);
    fillAndResample(height, w, h, p.randomnessLength, true, shape);

    // The presets read every working cell, leftovers beyond the map included.
    const PoleLimits limits = poleLimits(h);
    for (std::int32_t x = 0; x < w; ++x)
        for (std::int32_t y = 0; y < h; ++y) steppes[x][y] = steppesPreset(y, height[x][y], limits);
    fillAndResample(steppes, w, h, p.randomnessLengthSteppes, false, shape);

    const SteppeThresholds thresholds = steppeThresholds();
    const std::int32_t mapW = mapWidth();
    const std::int32_t mapH = mapHeight();
    for (std::int32_t x = 0; x < mapW; ++x)
        for (std::int32_t y = 0; y < mapH; ++y) mapGrid[x][y] = heightCode(height[x][y], steppes[x][y], thresholds);
}

// The sea is chosen already and does not count as water for the desert.
bool wetsDesert(TerrainCode c) { return isRiverCode(c) || c == kLake; }

// The desert pass of a symmetric world: each tile of the fundamental part is
// decided once (the draws in the order of those tiles) and its images follow.
// The first and last rows stay as they are, as on a classic map; so do the
// first and last columns under rotate2, which are each other's images, while
// the strips of the copies wrap east-west and have no border column.
void laySymmetricDesert(const FloatField& height, const FloatField& equator, const WorldShape& shape) {
    const std::int32_t mapW = mapWidth();
    const std::int32_t mapH = mapHeight();
    const HexTorus torus = mapTorus();
    const bool keepBorderColumns = shape.symmetry == Symmetry::kRotate2;
    for (std::int32_t x = 0; x < mapW; ++x) {
        if (keepBorderColumns && (x == 0 || x == mapW - 1)) continue;
        for (std::int32_t y = 1; y < mapH - 1; ++y) {
            if (!shape.tiles.isRepresentative(x, y) || !isDesertCandidate(equator[x][y], height[x][y])) continue;
            bool nearWater = false;
            for (const TilePos& n : torus.neighbours({x, y}))
                if (wetsDesert(mapGrid[n.x][n.y])) nearWater = true;
            setTileAndImages(shape.tiles, x, y, desertCode(equator[x][y], height[x][y], nearWater, mapGrid[x][y]));
        }
    }
}

// The equator field, then desert at its low end and jungle at its high end.
void layDesertAndJungle(const FloatField& height, FloatField& equator, std::int32_t w, std::int32_t h,
                        const WorldShape& shape) {
    const GeneratorParameters& p = generatorParameters;
    const double band = equatorBand(h);
    for (std::int32_t x = 0; x < w; ++x)
        for (std::int32_t y = 0; y < h; ++y) equator[x][y] = equatorPreset(y, h, band);
    fillAndResample(equator, w, h, p.randomnessLengthDesert, false, shape);

    const std::int32_t mapW = mapWidth();
    const std::int32_t mapH = mapHeight();
    correctDesertFactor();
    if (!shape.none()) {
        laySymmetricDesert(height, equator, shape);
    } else {
        // The outer border of the map never turns to desert.
        for (std::int32_t x = 1; x < mapW - 1; ++x) {
            for (std::int32_t y = 1; y < mapH - 1; ++y) {
                if (!isDesertCandidate(equator[x][y], height[x][y])) continue;
                bool nearWater = false;
                for (const TilePos& n : hexNeighbours(x, y))
                    if (wetsDesert(mapGrid[n.x][n.y])) nearWater = true;
                mapGrid[x][y] = desertCode(equator[x][y], height[x][y], nearWater, mapGrid[x][y]);
            }
        }
    }

    correctJungleFactor();
    for (std::int32_t x = 0; x < mapW; ++x)
        for (std::int32_t y = 0; y < mapH; ++y) mapGrid[x][y] = jungleCode(equator[x][y], height[x][y], mapGrid[x][y]);
}

void layForest(FloatField& forest, std::int32_t w, std::int32_t h, const WorldShape& shape) {
    forest.fill(kUnsetValue);
    fillAndResample(forest, w, h, generatorParameters.randomnessLengthForest, false, shape);
    const std::int32_t mapW = mapWidth();
    const std::int32_t mapH = mapHeight();
    for (std::int32_t x = 0; x < mapW; ++x)
        for (std::int32_t y = 0; y < mapH; ++y) mapGrid[x][y] = forestCode(forest[x][y], mapGrid[x][y]);
}

void layPolar(const FloatField& height, FloatField& polar, std::int32_t w, std::int32_t h, const WorldShape& shape) {
    const PoleLimits limits = poleLimits(h);
    for (std::int32_t x = 0; x < w; ++x)
        for (std::int32_t y = 0; y < h; ++y) polar[x][y] = polarPreset(y, height[x][y], limits);
    fillAndResample(polar, w, h, generatorParameters.randomnessLengthPolar, false, shape);

    correctGlacierDepth();
    const std::int32_t mapW = mapWidth();
    const std::int32_t mapH = mapHeight();
    for (std::int32_t x = 0; x < mapW; ++x)
        for (std::int32_t y = 0; y < mapH; ++y) mapGrid[x][y] = polarCode(polar[x][y], height[x][y], mapGrid[x][y]);
}

}  // namespace

bool generateWorld(std::int32_t w, std::int32_t h) { return generateSymmetricWorld(w, h, Symmetry::kNone); }

bool generateSymmetricWorld(std::int32_t w, std::int32_t h, Symmetry symmetry) {
    if (!mapGrid || w < mapWidth() || h < mapHeight()) return false;
    if (!symmetryRefusal(symmetry, quadCountX).empty()) return false;
    const WorldShape shape(symmetry, w, h);
    FloatField height;
    FloatField fieldA;  // steppes, then forest, then polar
    FloatField fieldB;  // equator: desert and jungle
    if (!height.allocate(w, h) || !fieldA.allocate(w, h) || !fieldB.allocate(w, h)) return false;

    classifyByHeight(height, fieldA, w, h, shape);
    if (!selectSea(&shape.tiles)) return false;
    layDesertAndJungle(height, fieldB, w, h, shape);
    layForest(fieldA, w, h, shape);
    layPolar(height, fieldA, w, h, shape);
    placeRivers(height, fieldB, &shape.tiles);

    fieldA.release();
    fieldB.release();
    height.release();
    return true;
}

bool generateRandomMap() { return generateSymmetricMap(Symmetry::kNone); }

bool generateSymmetricMap(Symmetry symmetry) {
    // A symmetry the map's width cannot have leaves the map as it is.
    if (!symmetryRefusal(symmetry, quadCountX).empty()) return false;
    const std::int32_t w = workingSize(mapWidth());
    const std::int32_t h = workingSize(mapHeight());
    freeMapGrid();
    if (!allocateMapGridKeepView()) {
        // Never leave the program without a grid.
        replaceWithEmptyMap(1, 1);
        return false;
    }
    return generateSymmetricWorld(w, h, symmetry);
}

}  // namespace pelorn
