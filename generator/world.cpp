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

// One run of the generator: the map it writes, its parameters (corrected as
// it goes), its random stream and the symmetry it keeps.
struct WorldRun {
    Map& map;
    GeneratorParameters p;
    Random& random;
    Symmetry symmetry;
    GridSymmetry cells;  // of the w x h working fields
    GridSymmetry tiles;  // of the map
    std::int32_t w;
    std::int32_t h;

    WorldRun(Map& m, const GeneratorParameters& parameters, Random& r, Symmetry s, std::int32_t fieldW,
             std::int32_t fieldH)
        : map(m),
          p(parameters),
          random(r),
          symmetry(s),
          cells(GridSymmetry::forField(s, fieldW, fieldH)),
          tiles(GridSymmetry::forMap(s, mapWidth(m), mapHeight(m))),
          w(fieldW),
          h(fieldH) {}
    bool none() const { return symmetry == Symmetry::kNone; }
    std::int32_t mapW() const { return mapWidth(map); }
    std::int32_t mapH() const { return mapHeight(map); }
};

// fillField and resampleField under the world's symmetry. A climate field's
// presets are made symmetric first: under rotate2 the southern half takes the
// northern half's presets, so both poles follow the North Pole Limit.
void fillAndResample(WorldRun& run, FloatField& field, std::int32_t length, bool seedSeas) {
    if (run.none()) {
        fillField(field, run.w, run.h, length, seedSeas, run.p, run.random);
        resampleField(field, run.w, run.h, run.mapW(), run.mapH());
        return;
    }
    symmetriseField(field, run.cells);
    fillField(field, run.w, run.h, length, seedSeas, run.p, run.random, &run.cells);
    resampleSymmetricField(field, run.w, run.h, run.mapW(), run.mapH(), run.symmetry);
}

// Heights, then the steppes field over them, then the first code of every tile.
void classifyByHeight(WorldRun& run, FloatField& height, FloatField& steppes) {
    height.fill(kUnsetValue);
    fillAndResample(run, height, run.p.randomnessLength, true);

    // The presets read every working cell, leftovers beyond the map included.
    const PoleLimits limits = poleLimits(run.p, run.h);
    for (std::int32_t x = 0; x < run.w; ++x)
        for (std::int32_t y = 0; y < run.h; ++y) steppes[x][y] = steppesPreset(y, height[x][y], limits);
    fillAndResample(run, steppes, run.p.randomnessLengthSteppes, false);

    const SteppeThresholds thresholds = steppeThresholds(run.p);
    const std::int32_t mapW = run.mapW();
    const std::int32_t mapH = run.mapH();
    MapGrid grid = run.map.mapGrid;
    for (std::int32_t x = 0; x < mapW; ++x)
        for (std::int32_t y = 0; y < mapH; ++y) grid[x][y] = heightCode(run.p, height[x][y], steppes[x][y], thresholds);
}

// The sea is chosen already and does not count as water for the desert.
bool wetsDesert(TerrainCode c) { return isRiverCode(c) || c == kLake; }

// The desert pass of a symmetric world: each tile of the fundamental part is
// decided once (the draws in the order of those tiles) and its images follow.
// The first and last rows stay as they are, as on a classic map; so do the
// first and last columns under rotate2, which are each other's images, while
// the strips of the copies wrap east-west and have no border column.
void laySymmetricDesert(WorldRun& run, const FloatField& height, const FloatField& equator) {
    const std::int32_t mapW = run.mapW();
    const std::int32_t mapH = run.mapH();
    const HexTorus torus = mapTorus(run.map);
    MapGrid grid = run.map.mapGrid;
    const bool keepBorderColumns = run.symmetry == Symmetry::kRotate2;
    for (std::int32_t x = 0; x < mapW; ++x) {
        if (keepBorderColumns && (x == 0 || x == mapW - 1)) continue;
        for (std::int32_t y = 1; y < mapH - 1; ++y) {
            if (!run.tiles.isRepresentative(x, y) || !isDesertCandidate(run.p, equator[x][y], height[x][y])) continue;
            bool nearWater = false;
            for (const TilePos& n : torus.neighbours({x, y}))
                if (wetsDesert(grid[n.x][n.y])) nearWater = true;
            setTileAndImages(run.map, run.tiles, x, y,
                             desertCode(run.p, run.random, equator[x][y], height[x][y], nearWater, grid[x][y]));
        }
    }
}

// The desert pass of a classic world; the outer border never turns to desert.
void layClassicDesert(WorldRun& run, const FloatField& height, const FloatField& equator) {
    const std::int32_t mapW = run.mapW();
    const std::int32_t mapH = run.mapH();
    MapGrid grid = run.map.mapGrid;
    for (std::int32_t x = 1; x < mapW - 1; ++x) {
        for (std::int32_t y = 1; y < mapH - 1; ++y) {
            if (!isDesertCandidate(run.p, equator[x][y], height[x][y])) continue;
            bool nearWater = false;
            for (const TilePos& n : hexNeighbours(x, y))
                if (wetsDesert(grid[n.x][n.y])) nearWater = true;
            grid[x][y] = desertCode(run.p, run.random, equator[x][y], height[x][y], nearWater, grid[x][y]);
        }
    }
}

// The equator field, then desert at its low end and jungle at its high end.
void layDesertAndJungle(WorldRun& run, const FloatField& height, FloatField& equator) {
    const double band = equatorBand(run.p, run.h);
    for (std::int32_t x = 0; x < run.w; ++x)
        for (std::int32_t y = 0; y < run.h; ++y) equator[x][y] = equatorPreset(y, run.h, band);
    fillAndResample(run, equator, run.p.randomnessLengthDesert, false);

    correctDesertFactor(run.p);
    if (run.none()) {
        layClassicDesert(run, height, equator);
    } else {
        laySymmetricDesert(run, height, equator);
    }

    correctJungleFactor(run.p);
    const std::int32_t mapW = run.mapW();
    const std::int32_t mapH = run.mapH();
    MapGrid grid = run.map.mapGrid;
    for (std::int32_t x = 0; x < mapW; ++x)
        for (std::int32_t y = 0; y < mapH; ++y) grid[x][y] = jungleCode(run.p, equator[x][y], height[x][y], grid[x][y]);
}

void layForest(WorldRun& run, FloatField& forest) {
    forest.fill(kUnsetValue);
    fillAndResample(run, forest, run.p.randomnessLengthForest, false);
    const std::int32_t mapW = run.mapW();
    const std::int32_t mapH = run.mapH();
    MapGrid grid = run.map.mapGrid;
    for (std::int32_t x = 0; x < mapW; ++x)
        for (std::int32_t y = 0; y < mapH; ++y) grid[x][y] = forestCode(run.p, forest[x][y], grid[x][y]);
}

void layPolar(WorldRun& run, const FloatField& height, FloatField& polar) {
    const PoleLimits limits = poleLimits(run.p, run.h);
    for (std::int32_t x = 0; x < run.w; ++x)
        for (std::int32_t y = 0; y < run.h; ++y) polar[x][y] = polarPreset(y, height[x][y], limits);
    fillAndResample(run, polar, run.p.randomnessLengthPolar, false);

    correctGlacierDepth(run.p);
    const std::int32_t mapW = run.mapW();
    const std::int32_t mapH = run.mapH();
    MapGrid grid = run.map.mapGrid;
    for (std::int32_t x = 0; x < mapW; ++x)
        for (std::int32_t y = 0; y < mapH; ++y) grid[x][y] = polarCode(run.p, polar[x][y], height[x][y], grid[x][y]);
}

// The passes in their order; false when the sea's working memory cannot be had.
bool runPasses(WorldRun& run) {
    FloatField height;
    FloatField fieldA;  // steppes, then forest, then polar
    FloatField fieldB;  // equator: desert and jungle
    if (!height.allocate(run.w, run.h) || !fieldA.allocate(run.w, run.h) || !fieldB.allocate(run.w, run.h))
        return false;

    classifyByHeight(run, height, fieldA);
    if (!selectSea(run.map, run.p, run.random, &run.tiles)) return false;
    layDesertAndJungle(run, height, fieldB);
    layForest(run, fieldA);
    layPolar(run, height, fieldA);
    placeRivers(run.map, height, fieldB, run.p, run.random, &run.tiles);
    return true;
}

}  // namespace

GenerateResult generateWorld(Map& map, std::int32_t w, std::int32_t h, const GeneratorParameters& parameters,
                             Random& random) {
    return generateSymmetricWorld(map, w, h, parameters, random, Symmetry::kNone);
}

GenerateResult generateSymmetricWorld(Map& map, std::int32_t w, std::int32_t h, const GeneratorParameters& parameters,
                                      Random& random, Symmetry symmetry) {
    if (!map.mapGrid || w < mapWidth(map) || h < mapHeight(map)) return {false, parameters};
    if (!symmetryRefusal(symmetry, map.quadCountX).empty()) return {false, parameters};
    WorldRun run(map, parameters, random, symmetry, w, h);
    const bool generated = runPasses(run);
    return {generated, run.p};
}

GenerateResult generateRandomMap(Map& map, const GeneratorParameters& parameters, Random& random) {
    return generateSymmetricMap(map, parameters, random, Symmetry::kNone);
}

GenerateResult generateSymmetricMap(Map& map, const GeneratorParameters& parameters, Random& random,
                                    Symmetry symmetry) {
    // A symmetry the map's width cannot have leaves the map as it is.
    if (!symmetryRefusal(symmetry, map.quadCountX).empty()) return {false, parameters};
    const std::int32_t w = workingSize(mapWidth(map));
    const std::int32_t h = workingSize(mapHeight(map));
    freeMapGrid(map);
    if (!allocateMapGrid(map)) {
        // Never leave the program without a grid.
        replaceWithEmptyMap(map, 1, 1);
        return {false, parameters};
    }
    return generateSymmetricWorld(map, w, h, parameters, random, symmetry);
}

}  // namespace pelorn
