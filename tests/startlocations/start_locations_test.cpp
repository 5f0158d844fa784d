#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "generator/parameters.h"
#include "generator/random.h"
#include "map/map_grid.h"
#include "map/terrain.h"
#include "startlocations/start_locations.h"
#include "start_test_maps.h"

namespace pelorn {
namespace {

// The program's generator, stepped here on its own so that the tests know
// every draw without asking the code under test.
struct Lcg {
    std::uint32_t state;
    std::int32_t next() {
        state = state * 214013u + 2531011u;
        return static_cast<std::int32_t>((state >> 16) & 0x7FFFu);
    }
    std::int32_t upTo(std::int32_t m) {
        const std::int32_t r = next();
        const float v = static_cast<float>(static_cast<double>(r) / 32767.0 * m + 0.5);
        return static_cast<std::int32_t>(std::floor(v));
    }
};

std::uint32_t stateAfter(std::uint32_t seed, std::uint64_t draws) {
    Lcg lcg{seed};
    for (std::uint64_t i = 0; i < draws; ++i) lcg.next();
    return lcg.state;
}

// The tiles within two steps, found by walking hexNeighbours twice rather than
// from a table, so the test does not share the generator's geometry.
std::set<std::pair<int, int>> withinTwoSteps(int x, int y) {
    std::set<std::pair<int, int>> near;
    for (const TilePos& a : hexNeighbours(x, y)) {
        near.insert({a.x, a.y});
        for (const TilePos& b : hexNeighbours(a.x, a.y)) near.insert({b.x, b.y});
    }
    near.erase({x, y});
    return near;
}

class StartLocations : public ::testing::Test {
protected:
    void makeMap(int qx, int qy, TerrainCode fill) { ASSERT_TRUE(test::fillMap(map, qx, qy, fill)); }

    std::vector<TerrainCode> snapshot() const { return test::tilesOf(map); }

    bool generateStartLocations() { return pelorn::generateStartLocations(map, parameters, random); }

    std::vector<std::pair<int, int>> startLocations() {
        std::vector<std::pair<int, int>> found;
        for (int x = 0; x < mapWidth(map); ++x)
            for (int y = 0; y < mapHeight(map); ++y)
                if (mapGrid[x][y] >= 50 && mapGrid[x][y] <= 60) found.push_back({x, y});
        return found;
    }

    // What a run must give on the current grid from this seed, worked out on a
    // copy with the rules written out plainly.
    std::vector<TerrainCode> expectedRun(std::uint32_t seed, std::int64_t tries) {
        const int w = mapWidth(map);
        const int h = mapHeight(map);
        std::vector<TerrainCode> g = snapshot();
        auto at = [&](int x, int y) -> TerrainCode& { return g[static_cast<std::size_t>(x) * h + y]; };
        for (TerrainCode& c : g)
            if (c >= 50 && c <= 60) c = baseCode(c);
        Lcg lcg{seed};
        for (std::int64_t i = 0; i < tries; ++i) {
            const int x = lcg.upTo(w - 1);
            const int y = lcg.upTo(h - 1);
            if (x % 100 < 2 || x % 100 > 97 || y % 100 < 2 || y % 100 > 97) continue;
            bool allWater = true;
            for (const TilePos& n : hexNeighbours(x, y)) allWater = allWater && at(n.x, n.y) >= 19 && at(n.x, n.y) <= 22;
            if (allWater) continue;
            bool crowded = false;
            for (const auto& p : withinTwoSteps(x, y)) crowded = crowded || (at(p.first, p.second) >= 50 && at(p.first, p.second) <= 60);
            if (crowded) continue;
            if (startLocationCode(at(x, y)) != 0) at(x, y) = startLocationCode(at(x, y));
        }
        return g;
    }

    // The first seed from `from` on whose first try lands inside the quad margin.
    std::uint32_t seedWithUsableFirstTry(std::uint32_t from, int& x, int& y) {
        for (std::uint32_t seed = from;; ++seed) {
            Lcg lcg{seed};
            x = lcg.upTo(mapWidth(map) - 1);
            y = lcg.upTo(mapHeight(map) - 1);
            if (x % 100 >= 4 && x % 100 <= 95 && y % 100 >= 4 && y % 100 <= 95) return seed;
        }
    }

    Map map;
    MapGrid& mapGrid = map.mapGrid;
    Random random;
    GeneratorParameters parameters;
};

TEST_F(StartLocations, WithinTwoStepsHasEighteenTiles) {
    // Guards the reference the other tests rely on.
    EXPECT_EQ(withinTwoSteps(10, 10).size(), 18u);
    EXPECT_EQ(withinTwoSteps(11, 10).size(), 18u);
    EXPECT_EQ(withinTwoSteps(10, 10).count({9, 8}), 1u);   // even column: side columns reach up to y-2
    EXPECT_EQ(withinTwoSteps(11, 10).count({10, 12}), 1u); // odd column: down to y+2
}

TEST_F(StartLocations, ClearingRestoresEveryBaseCodeAndNothingElse) {
    makeMap(1, 1, kPlains);
    const TerrainCode others[] = {-1, 0, 5, 21, 38, 39, 45, 49, 61, 1000};
    for (int i = 0; i < 11; ++i) mapGrid[10 + i][0] = 50 + i;  // row 0 is outside every quad margin
    for (int i = 0; i < 10; ++i) mapGrid[10 + i][1] = others[i];
    parameters.genStartLocTries = 0;
    random.seed(7);
    EXPECT_TRUE(generateStartLocations());
    const TerrainCode bases[] = {1, 2, 3, 4, 9, 14, 15, 16, 23, 25, 27};
    for (int i = 0; i < 11; ++i) EXPECT_EQ(mapGrid[10 + i][0], bases[i]) << "code " << 50 + i;
    for (int i = 0; i < 10; ++i) EXPECT_EQ(mapGrid[10 + i][1], others[i]);
    EXPECT_TRUE(startLocations().empty());
    EXPECT_EQ(random.state(), 7u) << "no tries, no draws";
}

TEST_F(StartLocations, ZeroOrNegativeTriesOnlyClear) {
    for (std::int32_t tries : {0, -1, -1000, INT32_MIN}) {
        makeMap(2, 1, kSea);
        mapGrid[150][50] = 54;  // a "Steppes" start location
        mapGrid[30][30] = 57;
        parameters.genStartLocTries = tries;
        random.seed(99);
        generateStartLocations();
        EXPECT_EQ(mapGrid[150][50], kSteppes) << tries;
        EXPECT_EQ(mapGrid[30][30], kForestHighHills) << tries;
        EXPECT_TRUE(startLocations().empty());
        EXPECT_EQ(random.state(), 99u);
    }
}

TEST_F(StartLocations, HandPlacedStartLocationsGoOnEveryRun) {
    makeMap(1, 1, kPlains);
    parameters.genStartLocTries = 200;
    random.seed(5);
    generateStartLocations();
    const auto first = startLocations();
    ASSERT_FALSE(first.empty());
    mapGrid[0][0] = 51;  // placed by hand where no run ever puts one
    random.seed(5);
    generateStartLocations();
    EXPECT_EQ(mapGrid[0][0], kPlains);
    EXPECT_EQ(startLocations(), first) << "the same seed places the same locations afresh";
}

TEST_F(StartLocations, EachTryDrawsColumnThenRowExactlyOnce) {
    makeMap(3, 2, kSea);  // every try fails somewhere, yet draws twice
    mapGrid[50][50] = kPlains;
    parameters.genStartLocTries = 37;
    random.seed(2024);
    generateStartLocations();
    EXPECT_EQ(random.state(), stateAfter(2024, 2 * 37 * 6));

    makeMap(1, 1, kPlains);  // and the same when tries succeed
    parameters.genStartLocTries = 500;
    random.seed(1);
    generateStartLocations();
    EXPECT_FALSE(startLocations().empty());
    EXPECT_EQ(random.state(), stateAfter(1, 1000));
}

TEST_F(StartLocations, KnownPositionsForAFixedSeed) {
    makeMap(2, 3, kPlains);
    parameters.genStartLocTries = 4;  // 24 tries
    const std::uint32_t seed = 12345;
    Lcg lcg{seed};
    std::set<std::pair<int, int>> expected;
    for (int i = 0; i < 24; ++i) {
        const int x = lcg.upTo(199);
        const int y = lcg.upTo(299);
        if (x % 100 < 2 || x % 100 > 97 || y % 100 < 2 || y % 100 > 97) continue;
        bool crowded = false;
        for (const auto& p : expected) crowded = crowded || withinTwoSteps(x, y).count(p) != 0;
        if (!crowded) expected.insert({x, y});
    }
    ASSERT_GE(expected.size(), 15u);
    random.seed(seed);
    generateStartLocations();
    const auto placed = startLocations();
    const std::set<std::pair<int, int>> placedSet(placed.begin(), placed.end());
    EXPECT_EQ(placedSet, expected);
    for (const auto& p : placed) EXPECT_EQ(mapGrid[p.first][p.second], 51);
}

TEST_F(StartLocations, NothingInTheTwoOuterRowsOrColumnsOfAnyQuad) {
    makeMap(3, 2, kPlains);
    parameters.genStartLocTries = 3000;
    random.seed(77);
    generateStartLocations();
    const auto placed = startLocations();
    ASSERT_GT(placed.size(), 1000u);
    std::set<int> xs;
    std::set<int> ys;
    for (const auto& p : placed) {
        xs.insert(p.first % 100);
        ys.insert(p.second % 100);
    }
    EXPECT_EQ(*xs.begin(), 2);
    EXPECT_EQ(*xs.rbegin(), 97);
    EXPECT_EQ(*ys.begin(), 2);
    EXPECT_EQ(*ys.rbegin(), 97);
}

TEST_F(StartLocations, NoTwoWithinTwoStepsAcrossQuadsAndWithinARun) {
    makeMap(2, 2, kHills);
    parameters.genStartLocTries = 5000;
    const std::uint32_t seed = 31337;
    const auto expected = expectedRun(seed, 5000 * 4);
    random.seed(seed);
    generateStartLocations();
    EXPECT_EQ(snapshot(), expected);
    const auto placed = startLocations();
    ASSERT_GT(placed.size(), 1500u);
    for (const auto& p : placed) {
        for (const auto& q : withinTwoSteps(p.first, p.second)) {
            ASSERT_FALSE(mapGrid[q.first][q.second] >= 50 && mapGrid[q.first][q.second] <= 60)
                << p.first << "," << p.second << " and " << q.first << "," << q.second;
        }
    }
}

TEST_F(StartLocations, WaterAllAroundFailsOneLandNeighbourPasses) {
    makeMap(1, 1, kSea);
    parameters.genStartLocTries = 1;
    int x = 0;
    int y = 0;
    const std::uint32_t seed = seedWithUsableFirstTry(1, x, y);
    const TerrainCode water[] = {kRiver, kRiverP, kSea, kLake, kLake, kSea};
    const auto around = hexNeighbours(x, y);
    for (int i = 0; i < 6; ++i) mapGrid[around[i].x][around[i].y] = water[i];
    mapGrid[x][y] = kPlains;
    random.seed(seed);
    generateStartLocations();
    EXPECT_EQ(mapGrid[x][y], kPlains);

    for (int land = 0; land < 6; ++land) {
        for (int i = 0; i < 6; ++i) mapGrid[around[i].x][around[i].y] = water[i];
        mapGrid[around[land].x][around[land].y] = kDesert;  // any non-water code counts
        random.seed(seed);
        generateStartLocations();
        EXPECT_EQ(mapGrid[x][y], 51) << "land neighbour " << land;
    }

    // The tile's own code plays no part in the water test: a land tile amid
    // water neighbours fails whatever it is.
    for (int i = 0; i < 6; ++i) mapGrid[around[i].x][around[i].y] = water[i];
    mapGrid[x][y] = kForestHighHills;
    random.seed(seed);
    generateStartLocations();
    EXPECT_EQ(mapGrid[x][y], kForestHighHills);
}

TEST_F(StartLocations, OnlyTheElevenLandCodesAreMarked) {
    for (TerrainCode code = -2; code <= 62; ++code) {
        makeMap(1, 1, code);
        parameters.genStartLocTries = 300;
        random.seed(4242);
        generateStartLocations();
        const TerrainCode base = baseCode(code);
        const TerrainCode marked = startLocationCode(base);
        int placed = 0;
        for (int x = 0; x < 100; ++x)
            for (int y = 0; y < 100; ++y) {
                const TerrainCode c = mapGrid[x][y];
                if (c != base) {
                    ASSERT_EQ(c, marked) << "code " << code;
                    ++placed;
                }
            }
        const bool water = base >= 19 && base <= 22;
        if (marked != 0 && !water) {
            EXPECT_GT(placed, 20) << "code " << code;
        } else {
            EXPECT_EQ(placed, 0) << "code " << code;
        }
    }
    makeMap(1, 1, kForestHighHills);
    random.seed(1);
    generateStartLocations();
    EXPECT_FALSE(startLocations().empty());
    EXPECT_EQ(mapGrid[startLocations()[0].first][startLocations()[0].second], 57);
    makeMap(1, 1, kHillsL);
    random.seed(1);
    generateStartLocations();
    EXPECT_EQ(mapGrid[startLocations()[0].first][startLocations()[0].second], 59);
}

TEST_F(StartLocations, WaterAndMountainsMapLosesItsStartLocations) {
    makeMap(2, 2, kSea);
    for (int x = 0; x < 200; x += 3)
        for (int y = 0; y < 200; ++y) mapGrid[x][y] = (y % 2) ? kMount1 : kMount4;
    mapGrid[40][40] = 50;
    mapGrid[140][140] = 60;
    mapGrid[41][41] = kGlacier;
    mapGrid[42][41] = kDesert;
    parameters.genStartLocTries = 2000;
    random.seed(3);
    generateStartLocations();
    EXPECT_TRUE(startLocations().empty());
    EXPECT_EQ(mapGrid[40][40], kFertilePlains);
    EXPECT_EQ(mapGrid[140][140], kHighHillsL);
    EXPECT_EQ(mapGrid[41][41], kGlacier);
    EXPECT_EQ(mapGrid[42][41], kDesert);
}

TEST_F(StartLocations, TryCountIsAWrappingThirtyTwoBitProduct) {
    makeMap(2, 1, kPlains);
    parameters.genStartLocTries = 1 << 30;  // x 2 quads = 2^31, which wraps negative
    EXPECT_EQ(startLocationTryCount(map, parameters.genStartLocTries), INT32_MIN);
    random.seed(8);
    generateStartLocations();
    EXPECT_EQ(random.state(), 8u);

    parameters.genStartLocTries = -2147483645;  // x 2 wraps to 6
    EXPECT_EQ(startLocationTryCount(map, parameters.genStartLocTries), 6);
    random.seed(8);
    generateStartLocations();
    EXPECT_EQ(random.state(), stateAfter(8, 12));

    makeMap(4, 1, kPlains);
    parameters.genStartLocTries = 1 << 30;  // x 4 = 2^32, which wraps to 0
    EXPECT_EQ(startLocationTryCount(map, parameters.genStartLocTries), 0);
    makeMap(3, 5, kPlains);
    parameters.genStartLocTries = 1000;
    EXPECT_EQ(startLocationTryCount(map, parameters.genStartLocTries), 15000);
}

TEST_F(StartLocations, WithoutAGridNothingIsDrawn) {
    freeMapGrid(map);
    parameters.genStartLocTries = 1000;
    random.seed(11);
    EXPECT_FALSE(generateStartLocations());
    EXPECT_EQ(random.state(), 11u);
    EXPECT_EQ(map.mapGrid, nullptr);
}

}  // namespace
}  // namespace pelorn
