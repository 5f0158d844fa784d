#include "generator/seas_rivers.h"

#include <gtest/gtest.h>

#include <cmath>

#include "generator/random_field.h"
#include "generator_test_support.h"
#include "map/map_grid.h"

namespace pelorn::test {
namespace {

using SeasRiversTest = GeneratorTest;

std::int64_t countCode(const Map& map, TerrainCode code) {
    std::int64_t n = 0;
    for (std::int32_t x = 0; x < mapWidth(map); ++x)
        for (std::int32_t y = 0; y < mapHeight(map); ++y)
            if (map.mapGrid[x][y] == code) ++n;
    return n;
}

// A map-sized height field, h(x, y) given.
template <typename F>
FloatField heightsOf(const Map& map, F h) {
    FloatField field;
    EXPECT_TRUE(field.allocate(mapWidth(map), mapHeight(map)));
    for (std::int32_t x = 0; x < mapWidth(map); ++x)
        for (std::int32_t y = 0; y < mapHeight(map); ++y) field[x][y] = h(x, y);
    return field;
}

bool isRiver(TerrainCode c) { return c == kRiver || c == kRiverP; }

TEST_F(SeasRiversTest, RandomPositionsSpanTheWholeMap) {
    makeMap(2, 1, kVoid);
    random.seed(seedForFirstDraw(32767));
    EXPECT_EQ(randomColumn(map, random), 199);
    random.seed(seedForFirstDraw(0));
    EXPECT_EQ(randomRow(map, random), 0);
    // 16384 / 32767 x 99 = 49.5015...: rounds up to 50; 16383 gives 49.497 -> 49.
    random.seed(seedForFirstDraw(16384));
    EXPECT_EQ(randomRow(map, random), 50);
    random.seed(seedForFirstDraw(16383));
    EXPECT_EQ(randomRow(map, random), 49);
}

TEST_F(SeasRiversTest, SeaSizeCountsALakeAcrossTheLeftAndRightEdges) {
    makeMap(1, 1, kVoid);
    for (std::int32_t x : {95, 96, 97, 98, 99, 0, 1, 2, 3, 4}) mapGrid[x][50] = kLake;
    parameters.genSeaTiles = 10;
    EXPECT_TRUE(isSeaSized(map, 0, 50, parameters));
    EXPECT_TRUE(isSeaSized(map, 97, 50, parameters));
    parameters.genSeaTiles = 11;
    EXPECT_FALSE(isSeaSized(map, 0, 50, parameters));
    EXPECT_FALSE(isSeaSized(map, 99, 50, parameters));
    EXPECT_EQ(countCode(map, kLake), 10);  // the test changes nothing
}

TEST_F(SeasRiversTest, SeaSizeCountsALakeAcrossTheTopAndBottomEdges) {
    makeMap(1, 1, kVoid);
    for (std::int32_t y : {97, 98, 99, 0, 1, 2}) mapGrid[20][y] = kLake;
    // (0, 10) touches (99, 10) and (99, 9) across the seam.
    mapGrid[0][10] = kLake;
    mapGrid[99][9] = kLake;
    parameters.genSeaTiles = 6;
    EXPECT_TRUE(isSeaSized(map, 20, 98, parameters));
    parameters.genSeaTiles = 7;
    EXPECT_FALSE(isSeaSized(map, 20, 1, parameters));
    parameters.genSeaTiles = 2;
    EXPECT_TRUE(isSeaSized(map, 0, 10, parameters));
    parameters.genSeaTiles = 3;
    EXPECT_FALSE(isSeaSized(map, 99, 9, parameters));
}

TEST_F(SeasRiversTest, SeaSizeOfABodyCoveringAlmostTheWholeMap) {
    makeMap(1, 1, kLake);
    mapGrid[40][40] = kPlains;
    parameters.genSeaTiles = 9999;
    EXPECT_TRUE(isSeaSized(map, 0, 0, parameters));
    parameters.genSeaTiles = 10000;
    EXPECT_FALSE(isSeaSized(map, 0, 0, parameters));
    parameters.genSeaTiles = 1;
    EXPECT_TRUE(isSeaSized(map, 41, 41, parameters));
    parameters.genSeaTiles = 0;
    EXPECT_TRUE(isSeaSized(map, 41, 41, parameters));
}

TEST_F(SeasRiversTest, NoLakeMeansNoSeaAfter400Draws) {
    makeMap(1, 1, kPlains);
    random.seed(99);
    selectSea(map, parameters, random);
    EXPECT_EQ(drawsSince(random, 99), 400);
    EXPECT_EQ(countCode(map, kPlains), 10000);
}

TEST_F(SeasRiversTest, OnlyTheFirstSeaSizedBodyHitBecomesSea) {
    makeMap(1, 1, kPlains);
    for (std::int32_t x = 0; x < 50; ++x)
        for (std::int32_t y = 0; y < 100; ++y) mapGrid[x][y] = kLake;  // 5000 tiles, columns 0..49
    mapGrid[70][50] = kLake;
    parameters.genSeaTiles = 5000;
    random.seed(1234);
    selectSea(map, parameters, random);
    EXPECT_EQ(countCode(map, kSea), 5000);
    EXPECT_EQ(mapGrid[70][50], kLake);
    // Pairs of draws until the column falls into the body.
    ReferenceLcg lcg(1234);
    std::int64_t draws = 0;
    for (;;) {
        const double column = std::floor(static_cast<float>(lcg.next() / 32767.0 * 99.0 + 0.5));
        lcg.next();
        draws += 2;
        if (column < 50) break;
    }
    EXPECT_EQ(drawsSince(random, 1234), draws);
}

TEST_F(SeasRiversTest, TriesOnBodiesTooSmallFailEveryTimeUntilALargeOneIsHit) {
    // One body of 1000 tiles (columns 0..9) and four of 900 (nine columns each).
    const auto lakeColumn = [](std::int32_t x) { return x < 10 || (x >= 20 && x < 89 && x % 20 < 9); };
    parameters.genSeaTiles = 901;
    int smallHits = 0;
    for (std::uint32_t i = 1; i <= 8; ++i) {
        const std::uint32_t seed = i * 2654435761u;  // small seeds all start with small draws
        makeMap(1, 1, kPlains);
        for (std::int32_t x = 0; x < 100; ++x)
            for (std::int32_t y = 0; y < 100; ++y)
                if (lakeColumn(x)) mapGrid[x][y] = kLake;
        random.seed(seed);
        selectSea(map, parameters, random);
        EXPECT_EQ(countCode(map, kSea), 1000) << seed;
        EXPECT_EQ(countCode(map, kLake), 3600) << seed;
        ReferenceLcg lcg(seed);
        std::int64_t draws = 0;
        for (;;) {
            const auto column = static_cast<std::int32_t>(std::floor(static_cast<float>(lcg.next() / 32767.0 * 99.0 + 0.5)));
            lcg.next();
            draws += 2;
            if (column < 10) break;
            if (lakeColumn(column)) ++smallHits;
        }
        EXPECT_EQ(drawsSince(random, seed), draws) << seed;
    }
    EXPECT_GT(smallHits, 4);  // small bodies were really tried, some more than once
}

TEST_F(SeasRiversTest, SmallLakesStayLakes) {
    makeMap(1, 1, kPlains);
    for (std::int32_t x = 0; x < 50; ++x)
        for (std::int32_t y = 0; y < 100; ++y) mapGrid[x][y] = kLake;
    parameters.genSeaTiles = 5001;
    random.seed(5);
    selectSea(map, parameters, random);
    EXPECT_EQ(countCode(map, kLake), 5000);
    EXPECT_EQ(drawsSince(random, 5), 400);
}

// A slope falling southwards: from an even column the river runs straight down.
float southSlope(std::int32_t, std::int32_t y) { return 9.0f - 0.01f * static_cast<float>(y); }

TEST_F(SeasRiversTest, RiverRunsAtMost202Tiles) {
    makeMap(1, 3, kPlains);
    FloatField heights = heightsOf(map, southSlope);
    random.seed(2024);
    traceRiver(map, heights, 10, 10, parameters, random);
    std::int64_t riverTiles = 0;
    std::int64_t riverP = 0;
    for (std::int32_t y = 10; y <= 211; ++y) {
        ASSERT_TRUE(isRiver(mapGrid[10][y])) << y;
        riverP += mapGrid[10][y] == kRiverP ? 1 : 0;
    }
    EXPECT_EQ(mapGrid[10][212], kPlains);
    riverTiles = countCode(map, kRiver) + countCode(map, kRiverP);
    EXPECT_EQ(riverTiles, 202);
    // One segment draw, one bank draw per tile, one more draw per "River P".
    EXPECT_EQ(drawsSince(random, 2024), 1 + 202 + riverP);
}

TEST_F(SeasRiversTest, RiverSegmentsFollowTheDrawnCounter) {
    makeMap(1, 3, kPlains);
    FloatField heights = heightsOf(map, southSlope);
    random.seed(77);
    traceRiver(map, heights, 10, 10, parameters, random);
    // Replay: k from one draw; a tile is "River P" when k is 0, and k is then
    // drawn again (at least 4); each tile then draws its bank code.
    ReferenceLcg lcg(77);
    const auto scaled16 = [&] { return static_cast<int>(std::floor(static_cast<float>(lcg.next() / 32767.0 * 16.0 + 0.5))); };
    int k = scaled16();
    for (std::int32_t y = 10; y <= 211; ++y) {
        TerrainCode expected = kRiver;
        if (k == 0) {
            expected = kRiverP;
            k = scaled16();
            if (k < 4) k = 4;
        }
        --k;
        lcg.next();  // bank
        ASSERT_EQ(mapGrid[10][y], expected) << y;
    }
}

TEST_F(SeasRiversTest, RiverEndsOnDeepWater) {
    makeMap(1, 1, kPlains);
    // levelSea 5: a tile below 3.75 ends the river after being marked.
    FloatField heights = heightsOf(map, [](std::int32_t, std::int32_t y) { return y < 60 ? 8.0f - 0.01f * y : 3.7f; });
    random.seed(3);
    traceRiver(map, heights, 10, 10, parameters, random);
    for (std::int32_t y = 10; y <= 60; ++y) EXPECT_TRUE(isRiver(mapGrid[10][y])) << y;
    EXPECT_EQ(mapGrid[10][61], kPlains);
    EXPECT_EQ(countCode(map, kRiver) + countCode(map, kRiverP), 51);
}

TEST_F(SeasRiversTest, RiverJoinsAnExistingRiverAhead) {
    makeMap(1, 1, kPlains);
    mapGrid[10][50] = kRiverP;
    FloatField heights = heightsOf(map, southSlope);
    random.seed(8);
    traceRiver(map, heights, 10, 10, parameters, random);
    for (std::int32_t y = 10; y <= 49; ++y) EXPECT_TRUE(isRiver(mapGrid[10][y])) << y;
    EXPECT_EQ(mapGrid[10][50], kRiverP);
    EXPECT_EQ(mapGrid[10][51], kPlains);
    EXPECT_EQ(countCode(map, kRiver) + countCode(map, kRiverP), 41);
}

TEST_F(SeasRiversTest, RiverCrossesShallowLakesWithoutChangingThem) {
    makeMap(1, 3, kPlains);
    for (std::int32_t y = 30; y <= 35; ++y) mapGrid[10][y] = kLake;
    mapGrid[10][40] = kSea;
    FloatField heights = heightsOf(map, southSlope);
    random.seed(8);
    traceRiver(map, heights, 10, 10, parameters, random);
    for (std::int32_t y = 30; y <= 35; ++y) EXPECT_EQ(mapGrid[10][y], kLake) << y;
    EXPECT_EQ(mapGrid[10][40], kSea);
    EXPECT_TRUE(isRiver(mapGrid[10][36]));
    EXPECT_TRUE(isRiver(mapGrid[10][150]));
}

TEST_F(SeasRiversTest, RiverOnAPlateauStepsNorthEast) {
    makeMap(1, 1, kPlains);
    FloatField heights = heightsOf(map, [](std::int32_t, std::int32_t) { return 10.0f; });
    random.seed(4);
    traceRiver(map, heights, 10, 50, parameters, random);
    // Main direction 6 (ties go to the later direction); nothing ahead is
    // below 10, so it steps north-east to (11, 49), where its first tile lies
    // ahead (direction 5) and it stops.
    EXPECT_TRUE(isRiver(mapGrid[10][50]));
    EXPECT_TRUE(isRiver(mapGrid[11][49]));
    EXPECT_EQ(countCode(map, kRiver) + countCode(map, kRiverP), 2);
}

TEST_F(SeasRiversTest, RiverMainDirectionTiesGoToTheLaterDirection) {
    makeMap(1, 1, kPlains);
    FloatField heights = heightsOf(map, [](std::int32_t, std::int32_t) { return 9.0f; });
    heights[11][49] = 5.0f;  // direction 2 of (10, 50)
    heights[9][50] = 5.0f;   // direction 5
    random.seed(4);
    traceRiver(map, heights, 10, 50, parameters, random);
    EXPECT_TRUE(isRiver(mapGrid[9][50]));
    EXPECT_EQ(mapGrid[11][49], kPlains);
}

TEST_F(SeasRiversTest, RiverBanksTurnDesertToAridOrAPlains) {
    makeMap(1, 3, kPlains);
    for (std::int32_t y = 0; y < 300; ++y) {
        mapGrid[9][y] = kDesert;
        mapGrid[11][y] = kDesert;
    }
    FloatField heights = heightsOf(map, southSlope);
    random.seed(31);
    traceRiver(map, heights, 10, 10, parameters, random);
    std::int64_t converted = 0;
    for (std::int32_t y = 0; y < 300; ++y) {
        for (std::int32_t x : {9, 11}) {
            const TerrainCode c = mapGrid[x][y];
            // Column 10 is even: its banks on both sides are rows y-1 and y.
            if (y >= 9 && y <= 211) {
                ASSERT_TRUE(c == kArid || c == kAPlains) << x << "," << y;
                ++converted;
            } else {
                ASSERT_EQ(c, kDesert) << x << "," << y;
            }
        }
    }
    EXPECT_GT(countCode(map, kArid), 0);
    EXPECT_GT(countCode(map, kAPlains), 0);
    const std::int64_t riverP = countCode(map, kRiverP);
    EXPECT_EQ(drawsSince(random, 31), 1 + 202 + riverP + converted);
}

TEST_F(SeasRiversTest, NoRiverTriesDrawNothing) {
    makeMap(1, 1, 5);
    FloatField heights = heightsOf(map, southSlope);
    FloatField equator = heightsOf(map, [](std::int32_t, std::int32_t) { return 5.0f; });
    parameters.genRiverTries = 0;
    random.seed(6);
    placeRivers(map, heights, equator, parameters, random);
    EXPECT_EQ(random.state(), 6u);
    // 2^30 x 2 x 2 wraps to 0, 2^30 x 2 x 1 to a negative count: no tries.
    parameters.genRiverTries = 1 << 30;
    makeMap(2, 2, 5);
    FloatField heights4 = heightsOf(map, southSlope);
    FloatField equator4 = heightsOf(map, [](std::int32_t, std::int32_t) { return 5.0f; });
    placeRivers(map, heights4, equator4, parameters, random);
    EXPECT_EQ(random.state(), 6u);
    makeMap(1, 2, 5);
    FloatField heights2 = heightsOf(map, southSlope);
    FloatField equator2 = heightsOf(map, [](std::int32_t, std::int32_t) { return 5.0f; });
    placeRivers(map, heights2, equator2, parameters, random);
    EXPECT_EQ(random.state(), 6u);
}

TEST_F(SeasRiversTest, RiversStartOnlyOnOrdinaryMountainsThatAreNotDry) {
    parameters.genRiverTries = 3;
    makeMap(1, 1, kPlains);
    FloatField heights = heightsOf(map, southSlope);
    FloatField wet = heightsOf(map, [](std::int32_t, std::int32_t) { return 5.0f; });
    FloatField dry = heightsOf(map, [](std::int32_t, std::int32_t) { return 2.0f; });  // = desertFactor x 0.5
    random.seed(10);
    placeRivers(map, heights, wet, parameters, random);
    EXPECT_EQ(drawsSince(random, 10), 6);

    makeMap(1, 1, kMount1S);
    random.seed(10);
    placeRivers(map, heights, wet, parameters, random);
    EXPECT_EQ(drawsSince(random, 10), 6);

    makeMap(1, 1, 5);
    random.seed(10);
    placeRivers(map, heights, dry, parameters, random);
    EXPECT_EQ(drawsSince(random, 10), 6);
    EXPECT_EQ(countCode(map, 5), 10000);

    random.seed(10);
    placeRivers(map, heights, wet, parameters, random);
    EXPECT_GT(countCode(map, kRiver) + countCode(map, kRiverP), 0);
}

TEST_F(SeasRiversTest, NoRiverStartsBesideWater) {
    parameters.genRiverTries = 1;
    makeMap(1, 1, 5);
    FloatField heights = heightsOf(map, southSlope);
    FloatField wet = heightsOf(map, [](std::int32_t, std::int32_t) { return 5.0f; });
    ReferenceLcg lcg(12);
    const auto scaled = [&](double n) { return static_cast<std::int32_t>(std::floor(static_cast<float>(lcg.next() / 32767.0 * n + 0.5))); };
    const std::int32_t x = scaled(99.0);
    const std::int32_t y = scaled(99.0);
    for (TerrainCode water : {kRiver, kRiverP, kSea, kLake}) {
        makeMap(1, 1, 5);
        // The lower-right neighbour, wrapped.
        const TilePos n = mapTorus(map).neighbour({x, y}, HexDirection::kLowerRight);
        mapGrid[n.x][n.y] = water;
        random.seed(12);
        placeRivers(map, heights, wet, parameters, random);
        EXPECT_EQ(drawsSince(random, 12), 2) << water;
        EXPECT_EQ(mapGrid[x][y], 5) << water;
    }
}

}  // namespace
}  // namespace pelorn::test
