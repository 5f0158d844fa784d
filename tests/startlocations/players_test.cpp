#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "generator/parameters.h"
#include "generator/random.h"
#include "map/map_grid.h"
#include "map/terrain.h"
#include "startlocations/placement_rules.h"
#include "startlocations/players.h"
#include "startlocations/rooms.h"
#include "start_test_maps.h"

namespace pelorn {
namespace {

class Players : public ::testing::Test {
protected:
    void makeMap(int qx, int qy, TerrainCode fill) { ASSERT_TRUE(test::fillMap(map, qx, qy, fill)); }
    void generateWorld(int quads, std::uint32_t seed) { test::makeWorld(map, random, quads, quads, seed); }

    // Steps from (x, y) to every tile (index x * H + y), walked breadth first over
    // hexNeighbours with the map's edges joined, so the tests share no geometry
    // with the code under test.
    std::vector<int> stepsFrom(int x0, int y0) {
        const int w = mapWidth(map);
        const int h = mapHeight(map);
        std::vector<int> steps(static_cast<std::size_t>(w) * h, -1);
        std::deque<std::pair<int, int>> queue{{x0, y0}};
        steps[static_cast<std::size_t>(x0) * h + y0] = 0;
        while (!queue.empty()) {
            const auto [x, y] = queue.front();
            queue.pop_front();
            for (const TilePos& n : hexNeighbours(x, y)) {
                const int nx = (n.x + w) % w;
                const int ny = (n.y + h) % h;
                int& s = steps[static_cast<std::size_t>(nx) * h + ny];
                if (s >= 0) continue;
                s = steps[static_cast<std::size_t>(x) * h + y] + 1;
                queue.push_back({nx, ny});
            }
        }
        return steps;
    }

    int weightWithin(int x0, int y0, int radius, const LandWeights& weights) {
        const std::vector<int> steps = stepsFrom(x0, y0);
        int sum = 0;
        for (int x = 0; x < mapWidth(map); ++x)
            for (int y = 0; y < mapHeight(map); ++y)
                if (steps[static_cast<std::size_t>(x) * mapHeight(map) + y] <= radius) sum += weights.weightOf(mapGrid[x][y]);
        return sum;
    }

    // Paints every tile within `radius` steps of (x, y) with `code`.
    void paintDisc(int x0, int y0, int radius, TerrainCode code) {
        const std::vector<int> steps = stepsFrom(x0, y0);
        for (int x = 0; x < mapWidth(map); ++x)
            for (int y = 0; y < mapHeight(map); ++y)
                if (steps[static_cast<std::size_t>(x) * mapHeight(map) + y] <= radius) mapGrid[x][y] = code;
    }

    bool legalOnEmptyMap(TilePos p) {
        return insideQuadMargin(p.x) && insideQuadMargin(p.y) && startLocationCode(baseCode(mapGrid[p.x][p.y])) != 0 &&
               !surroundedByWater(map, p.x, p.y);
    }

    static PlayersOptions options(int players, int distance, int radius = kDefaultLandRadius) {
        PlayersOptions o;
        o.players = players;
        o.minDistance = distance;
        o.radius = radius;
        return o;
    }
    Map map;
    MapGrid& mapGrid = map.mapGrid;
    Random random;
};

TEST_F(Players, WrappedDistanceMatchesAWalkOverTheWholeMap) {
    makeMap(2, 1, kVoid);
    for (const TilePos from : {TilePos{0, 0}, TilePos{7, 93}, TilePos{100, 50}, TilePos{199, 99}, TilePos{133, 2}}) {
        const std::vector<int> steps = stepsFrom(from.x, from.y);
        for (int x = 0; x < mapWidth(map); ++x)
            for (int y = 0; y < mapHeight(map); ++y)
                ASSERT_EQ(mapTorus(map).distance(from, {x, y}), steps[static_cast<std::size_t>(x) * 100 + y])
                    << "from " << from.x << "," << from.y << " to " << x << "," << y;
    }
}

TEST_F(Players, LandValueOfRingsStartCodesAndWrapping) {
    makeMap(1, 1, kDesert);
    // Plains in the middle, hills one step out, sea two steps out, river
    // plains three steps out: 3 + 6 * 2 + 12 * 1 + 18 * 3.
    paintDisc(41, 60, 3, kRiverP);
    paintDisc(41, 60, 2, kSea);
    paintDisc(41, 60, 1, kHills);
    mapGrid[41][60] = kPlains;
    const LandWeights w = defaultLandWeights();
    const int expected[] = {3, 15, 27, 81, 81};
    for (int r = 0; r <= 4; ++r) EXPECT_EQ(landValueAt(map, 41, 60, r, w), expected[r]) << "radius " << r;
    mapGrid[41][60] = 51;  // a "Plains" start location weighs as plains
    EXPECT_EQ(landValueAt(map, 41, 60, 3, w), 81);
    mapGrid[41][60] = 57;  // a "Forest HH" start location weighs 1
    EXPECT_EQ(landValueAt(map, 41, 60, 3, w), 79);

    // (0, 0) touches (99, 99), (99, 0), (0, 99) and (1, 99) across the edges.
    mapGrid[99][99] = kPlains;
    mapGrid[99][0] = kHills;
    mapGrid[0][99] = kSea;
    mapGrid[1][99] = kRiver;
    mapGrid[98][99] = kPlains;  // two steps away
    EXPECT_EQ(landValueAt(map, 0, 0, 1, w), 3 + 2 + 1 + 2);
    EXPECT_EQ(landValueAt(map, 0, 0, 2, w), 3 + 2 + 1 + 2 + 3);

    // Codes without a terrain weigh nothing; another table weighs as it says.
    for (TerrainCode odd : {-5, 39, 49, 61, 1000}) {
        mapGrid[0][0] = odd;
        EXPECT_EQ(landValueAt(map, 0, 0, 0, w), 0) << "code " << odd;
    }
    LandWeights custom;
    custom.byCode[kSea] = 10;
    EXPECT_EQ(landValueAt(map, 0, 0, 1, custom), 10);
}

TEST_F(Players, LandValuesOfEveryLegalTileMatchAWalk) {
    makeMap(1, 1, kPlains);
    random.seed(11);
    const TerrainCode codes[] = {0, 1, 2, 3, 9, 11, 14, 16, 19, 21, 22, 23, 25, 27, 38, 45, 54};
    for (int x = 0; x < 100; ++x)
        for (int y = 0; y < 100; ++y) mapGrid[x][y] = codes[random.next() % 17];
    const LandWeights w = defaultLandWeights();
    // Radius 5 reaches across the map's edges from the outermost legal rows.
    for (int radius : {2, 5}) {
        const PlayersPlan plan = planPlayerStarts(map, options(1, 0, radius));
        int best = 0;
        std::int64_t legal = 0;
        for (int x = 0; x < 100; ++x) {
            for (int y = 0; y < 100; ++y) {
                if ((x % 17 == 0 && y % 13 == 0) || (x == 2 && y % 5 == 0) || (y == 97 && x % 5 == 0)) {
                    ASSERT_EQ(landValueAt(map, x, y, radius, w), weightWithin(x, y, radius, w)) << x << "," << y;
                }
                if (!legalOnEmptyMap({x, y})) continue;
                ++legal;
                best = std::max(best, landValueAt(map, x, y, radius, w));
            }
        }
        EXPECT_EQ(plan.legalTiles, legal);
        EXPECT_EQ(plan.bestLegalValue, best) << "radius " << radius;
        ASSERT_EQ(plan.starts.size(), 1u);
        EXPECT_EQ(plan.report.starts[0].landValue, best) << "one player gets the best tile";
    }
    // The best land lies across the north-south edge from the legal rows.
    makeMap(1, 1, kDesert);
    paintDisc(50, 0, 5, kPlains);
    const PlayersPlan edge = planPlayerStarts(map, options(1, 0, 5));
    EXPECT_EQ(edge.bestLegalValue, weightWithin(50, 2, 5, w));
    EXPECT_EQ(edge.starts, (std::vector<TilePos>{{50, 2}}));
}

TEST_F(Players, AmongEquallyFairChoicesStartsStandFarApart) {
    makeMap(2, 2, kPlains);  // every legal tile is worth 111
    const PlayersPlan plan = planPlayerStarts(map, options(4, 10));
    ASSERT_TRUE(plan.complete);
    EXPECT_EQ(plan.report.landSpread.difference, 0);
    for (const StartFacts& s : plan.report.starts) EXPECT_GE(s.nearestRival, 80);
}

TEST_F(Players, FileOrderOfTiles) {
    makeMap(1, 2, kVoid);
    EXPECT_EQ(tileFileOrder(map, 0, 1), 1);
    EXPECT_EQ(tileFileOrder(map, 1, 0), 100);
    EXPECT_EQ(tileFileOrder(map, 0, 100), 10000);
    EXPECT_EQ(tileFileOrder(map, 99, 199), 19999);
    makeMap(2, 2, kVoid);
    EXPECT_LT(tileFileOrder(map, 99, 199), tileFileOrder(map, 100, 0)) << "quads of the first column come first";
}

TEST_F(Players, TerritoryGoesToTheNearestStartAndTiesToTheFirstInFileOrder) {
    makeMap(2, 2, kPlains);
    // (150, 20) lies in quad (1, 0), which the file writes before quad (1, 1)
    // of (120, 150), though its column is further east; (20, 150) is in quad (0, 1).
    const std::vector<TilePos> starts = {{120, 150}, {150, 20}, {20, 150}, {121, 150}};
    std::vector<std::vector<int>> steps;
    for (const TilePos& s : starts) steps.push_back(stepsFrom(s.x, s.y));
    const std::vector<std::int32_t> owners = territoryOwners(map, starts);
    ASSERT_EQ(owners.size(), 40000u);
    int ties = 0;
    for (std::size_t t = 0; t < owners.size(); ++t) {
        std::size_t want = 0;
        for (std::size_t s = 1; s < starts.size(); ++s) {
            const bool nearer = steps[s][t] < steps[want][t];
            const bool tieEarlier = steps[s][t] == steps[want][t] &&
                                    tileFileOrder(map, starts[s].x, starts[s].y) < tileFileOrder(map, starts[want].x, starts[want].y);
            if (steps[s][t] == steps[want][t]) ++ties;
            if (nearer || tieEarlier) want = s;
        }
        ASSERT_EQ(owners[t], static_cast<std::int32_t>(want)) << "tile " << t / 200 << "," << t % 200;
    }
    EXPECT_GT(ties, 1000) << "the map must test the tie rule";
    // Reordering the starts changes the indices, not the owners.
    const std::vector<TilePos> reversed(starts.rbegin(), starts.rend());
    const std::vector<std::int32_t> again = territoryOwners(map, reversed);
    for (std::size_t t = 0; t < owners.size(); ++t) ASSERT_EQ(again[t], 3 - owners[t]);
}

TEST_F(Players, TerritoryValuesOnASplitMap) {
    makeMap(1, 1, kSea);
    for (int x = 0; x < 50; ++x)
        for (int y = 0; y < 100; ++y) mapGrid[x][y] = kPlains;
    // Two starts on one row, 50 columns apart: the tiles at equal distance go
    // to the western start, which comes first in the file.
    const StartsReport r = describeStarts(map, {{75, 50}, {25, 50}}, 3, defaultLandWeights());
    ASSERT_EQ(r.starts.size(), 2u);
    EXPECT_EQ(r.starts[0].pos, (TilePos{75, 50}));
    EXPECT_EQ(r.starts[0].nearestRival, 50);
    EXPECT_EQ(r.starts[1].nearestRival, 50);
    EXPECT_EQ(r.starts[0].landValue, 37);
    EXPECT_EQ(r.starts[1].landValue, 111);
    EXPECT_EQ(r.starts[0].territory + r.starts[1].territory, 5000 * 3 + 5000 * 1);
    const std::vector<int> fromWest = stepsFrom(25, 50);
    const std::vector<int> fromEast = stepsFrom(75, 50);
    std::int64_t west = 0;
    for (int x = 0; x < 100; ++x) {
        for (int y = 0; y < 100; ++y) {
            const std::size_t t = static_cast<std::size_t>(x) * 100 + y;
            if (fromWest[t] <= fromEast[t]) west += defaultLandWeights().weightOf(mapGrid[x][y]);
        }
    }
    EXPECT_EQ(r.starts[1].territory, west);
    EXPECT_GT(west, 5000 * 2) << "the plains half and the ties";
    EXPECT_EQ(r.landSpread.difference, 74);
    EXPECT_EQ(r.landSpread.maximum, 111);
    EXPECT_EQ(r.landSpread.percent(), 67);
    EXPECT_EQ(r.territorySpread.maximum, std::max(r.starts[0].territory, r.starts[1].territory));

    EXPECT_TRUE(describeStarts(map, {{25, 50}, {100, 50}}, 3, defaultLandWeights()).starts.empty()) << "outside the map";
    EXPECT_TRUE(territoryOwners(map, {{0, -1}}).empty());

    PlayersPlan plan;
    plan.requested = 2;
    plan.complete = true;
    plan.starts = {{75, 50}, {25, 50}};
    plan.report = r;
    EXPECT_EQ(playersStatusText(plan), "2 starts, home 67%, room 0%");
    plan.requested = 1;
    plan.starts.pop_back();
    plan.report.landSpread = Spread{};
    EXPECT_EQ(playersStatusText(plan), "1 start, home 0%, room 0%");
}

TEST_F(Players, NearestRivalsMatchEveryPairOnACrowdedMap) {
    makeMap(2, 1, kPlains);
    random.seed(5);
    std::vector<TilePos> starts;
    for (int i = 0; i < 300; ++i) starts.push_back({random.next() % 200, random.next() % 100});
    starts.push_back(starts[17]);  // two starts on one tile
    starts.push_back({0, 0});      // rivals across the corners of the map
    starts.push_back({199, 99});
    const StartsReport r = describeStarts(map, starts, 1, defaultLandWeights());
    ASSERT_EQ(r.starts.size(), starts.size());
    const HexTorus torus = mapTorus(map);
    for (std::size_t i = 0; i < starts.size(); ++i) {
        std::int32_t nearest = -1;
        for (std::size_t j = 0; j < starts.size(); ++j) {
            if (j == i) continue;
            const std::int32_t d = torus.distance(starts[i], starts[j]);
            if (nearest < 0 || d < nearest) nearest = d;
        }
        ASSERT_EQ(r.starts[i].nearestRival, nearest) << "start " << i;
    }
    EXPECT_EQ(r.starts[17].nearestRival, 0);
    EXPECT_EQ(r.starts[302].nearestRival, 1);
    // The whole map is shared out, the doubled tile's start owning nothing.
    std::int64_t total = 0;
    for (const StartFacts& f : r.starts) total += f.territory;
    EXPECT_EQ(total, 20000 * 3);
    EXPECT_EQ(std::min(r.starts[17].territory, r.starts[300].territory), 0);
    // A start alone has no rival.
    EXPECT_EQ(describeStarts(map, {{50, 50}}, 1, defaultLandWeights()).starts[0].nearestRival, -1);
}

TEST_F(Players, SpreadsAndTheirPercent) {
    const struct {
        std::vector<std::int64_t> values;
        std::int64_t difference, maximum;
        std::int32_t percent;
    } cases[] = {
        {{}, 0, 0, 0},         {{5}, 0, 5, 0},       {{0, 0}, 0, 0, 0},         {{100, 95, 99}, 5, 100, 5},
        {{2, 3}, 1, 3, 33},    {{199, 200}, 1, 200, 1}, {{200, 201}, 1, 201, 0}, {{0, 7}, 7, 7, 100},
    };
    for (const auto& c : cases) {
        const Spread s = spreadOf(c.values);
        EXPECT_EQ(s.difference, c.difference);
        EXPECT_EQ(s.maximum, c.maximum);
        EXPECT_EQ(s.percent(), c.percent) << "half a percent rounds up, less rounds down";
    }
    const struct {
        Spread spread;
        const char* text;
    } texts[] = {{{0, 0}, "0.00"},   {{1, 3}, "33.33"},   {{2, 3}, "66.67"},  {{1, 200}, "0.50"},
                 {{1, 20001}, "0.00"}, {{1, 19999}, "0.01"}, {{7, 7}, "100.00"}, {{3, 111}, "2.70"}};
    for (const auto& t : texts) EXPECT_EQ(t.spread.percentText(), t.text) << t.spread.difference << "/" << t.spread.maximum;
    EXPECT_TRUE((Spread{1, 200}).fairerThan(Spread{1, 100}));
    EXPECT_FALSE((Spread{2, 200}).fairerThan(Spread{1, 100})) << "equal fractions";
    EXPECT_TRUE((Spread{0, 0}).fairerThan(Spread{1, 100}));
}

TEST_F(Players, RefusedOptionsLeaveTheMap) {
    makeMap(1, 1, kPlains);
    mapGrid[50][50] = 54;
    PlayersOptions negativeWeight = options(2, 20);
    negativeWeight.weights.byCode[2] = -1;
    PlayersOptions heavyWeight = options(2, 20);
    heavyWeight.weights.byCode[2] = kMaxLandWeight + 1;
    const std::vector<TerrainCode> before = test::tilesOf(map);
    for (const PlayersOptions& o : {options(0, 20), options(kMaxPlayers + 1, 20), options(2, -2),
                                    options(2, kMaxMinDistance + 1), options(2, 20, -1),
                                    options(2, 20, kMaxLandRadius + 1), negativeWeight, heavyWeight}) {
        const PlayersPlan plan = generatePlayerStartLocations(map, o);
        EXPECT_FALSE(plan.error.empty());
        EXPECT_FALSE(plan.complete);
        EXPECT_TRUE(plan.starts.empty());
        EXPECT_EQ(playersStatusText(plan), plan.error);
        EXPECT_EQ(test::tilesOf(map), before);
    }
    map = Map{};
    EXPECT_EQ(planPlayerStarts(map, options(2, 20)).error, "there is no map");
}

TEST_F(Players, ExactCountRulesAndSpacingOnGeneratedWorlds) {
    const struct {
        int quads, players, distance;
        std::uint32_t seed;
    } cases[] = {{2, 4, 20, 3}, {2, 2, 0, 4}, {3, 6, 40, 5}, {2, 12, 10, 6}, {1, 60, 0, 7}};
    for (const auto& c : cases) {
        generateWorld(c.quads, c.seed);
        const std::uint32_t stateBefore = random.state();
        const std::vector<TerrainCode> before = test::tilesOf(map);
        const PlayersPlan plan = planPlayerStarts(map, options(c.players, c.distance));
        EXPECT_EQ(test::tilesOf(map), before) << "planning leaves the map";
        EXPECT_EQ(random.state(), stateBefore) << "and the random stream";
        ASSERT_TRUE(plan.complete) << "seed " << c.seed;
        ASSERT_EQ(plan.starts.size(), static_cast<std::size_t>(c.players));
        for (std::size_t i = 0; i < plan.starts.size(); ++i) {
            EXPECT_TRUE(legalOnEmptyMap(plan.starts[i]));
            if (i > 0) {
                EXPECT_LT(tileFileOrder(map, plan.starts[i - 1].x, plan.starts[i - 1].y),
                          tileFileOrder(map, plan.starts[i].x, plan.starts[i].y));
            }
            for (std::size_t j = 0; j < i; ++j)
                EXPECT_GE(mapTorus(map).distance(plan.starts[i], plan.starts[j]),
                          std::max(c.distance, kMinStartSpacing));
        }
        EXPECT_LE(plan.report.landSpread.fraction(), 0.05) << "seed " << c.seed;

        const PlayersPlan marked = generatePlayerStartLocations(map, options(c.players, c.distance));
        EXPECT_EQ(marked.starts, plan.starts) << "the same map and options give the same starts";
        EXPECT_EQ(startLocationsOnMap(map), plan.starts);
        for (const TilePos& p : plan.starts) {
            EXPECT_EQ(mapGrid[p.x][p.y], startLocationCode(before[static_cast<std::size_t>(p.x) * mapHeight(map) + p.y]));
            // The rule looks at the tile itself too: take it off while asking.
            const TerrainCode marked = mapGrid[p.x][p.y];
            mapGrid[p.x][p.y] = baseCode(marked);
            EXPECT_FALSE(startLocationNearby(map, p.x, p.y)) << "the classic spacing rule holds";
            mapGrid[p.x][p.y] = marked;
        }
    }
}

TEST_F(Players, FairestChoiceBeatsTheStrongestTile) {
    // Island A of plains, radius 4, is worth 111 at its centre; islands B and
    // C of hills, radius 3, 74 at theirs. A's tiles are worth 37 + 2k (k
    // plains within reach, the rest sea), so none matches B's or C's best:
    // two players 60 steps apart get B and C.
    makeMap(3, 1, kSea);
    paintDisc(50, 50, 4, kPlains);
    paintDisc(150, 50, 3, kHills);
    paintDisc(250, 50, 3, kHills);
    const LandWeights w = defaultLandWeights();
    const PlayersPlan plan = planPlayerStarts(map, options(2, 60));
    ASSERT_TRUE(plan.complete);
    EXPECT_EQ(plan.bestLegalValue, 111);
    // Brute force over every legal pair: least spread, then highest weakest.
    std::vector<std::pair<TilePos, int>> legal;
    for (int x = 0; x < mapWidth(map); ++x)
        for (int y = 0; y < mapHeight(map); ++y)
            if (legalOnEmptyMap({x, y})) legal.push_back({{x, y}, landValueAt(map, x, y, 3, w)});
    Spread best{1, 1};
    std::int64_t bestWeakest = -1;
    for (std::size_t i = 0; i < legal.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (mapTorus(map).distance(legal[i].first, legal[j].first) < 60) continue;
            const Spread s = spreadOf({legal[i].second, legal[j].second});
            const std::int64_t weakest = std::min(legal[i].second, legal[j].second);
            if (s.fairerThan(best) || (!best.fairerThan(s) && weakest > bestWeakest)) {
                best = s;
                bestWeakest = weakest;
            }
        }
    }
    EXPECT_EQ(plan.report.landSpread.difference, 0);
    EXPECT_EQ(best.difference, 0);
    EXPECT_EQ(std::min(plan.report.starts[0].landValue, plan.report.starts[1].landValue), bestWeakest);
    EXPECT_EQ(bestWeakest, 74);
    EXPECT_EQ(plan.starts, (std::vector<TilePos>{{150, 50}, {250, 50}}));
}

TEST_F(Players, CrowdedMapGetsAsManyAsItHolds) {
    makeMap(2, 2, kSea);
    // Three islands, each smaller than the distance, far from each other.
    paintDisc(50, 50, 5, kHills);
    paintDisc(150, 60, 5, kHills);
    paintDisc(60, 150, 5, kHills);
    for (int y = 0; y < 200; ++y) mapGrid[0][y] = 54;  // old start locations outside the margin
    const PlayersPlan plan = generatePlayerStartLocations(map, options(5, 30));
    EXPECT_FALSE(plan.complete);
    EXPECT_EQ(plan.requested, 5);
    EXPECT_EQ(plan.starts.size(), 3u);
    EXPECT_EQ(playersStatusText(plan), "3 of 5 starts, home " + std::to_string(plan.report.landSpread.percent()) +
                                           "%, room " + std::to_string(plan.roomSpread.percent()) + "%");
    EXPECT_EQ(startLocationsOnMap(map), plan.starts) << "old start locations are cleared";
    EXPECT_EQ(mapGrid[0][0], kSteppes);

    makeMap(1, 1, kSea);
    mapGrid[50][50] = 54;
    const PlayersPlan none = generatePlayerStartLocations(map, options(2, 3));
    EXPECT_TRUE(none.error.empty());
    EXPECT_TRUE(none.starts.empty()) << "a steppes tile in open sea is surrounded by water";
    EXPECT_EQ(mapGrid[50][50], kSteppes);
}

TEST_F(Players, ACrowdedMapStillGetsItsMostEvenStarts) {
    // The plains island in the middle, worth the most, blocks both hills
    // islands 30 steps away; the hills islands, 40 steps apart across the
    // map's edge, hold two starts. Two is all the map holds, and the two
    // fairest stand within a step of the hills islands' centres, worth 74
    // each, where a sweep in file order would take the islands' western
    // shores, worth less.
    makeMap(1, 1, kSea);
    paintDisc(50, 50, 4, kPlains);
    paintDisc(20, 50, 4, kHills);
    paintDisc(80, 50, 4, kHills);
    const PlayersPlan plan = planPlayerStarts(map, options(3, 40));
    EXPECT_FALSE(plan.complete);
    ASSERT_EQ(plan.starts.size(), 2u);
    const HexTorus torus = mapTorus(map);
    EXPECT_LE(torus.distance(plan.starts[0], {20, 50}), 1);
    EXPECT_LE(torus.distance(plan.starts[1], {80, 50}), 1);
    for (const StartFacts& s : plan.report.starts) EXPECT_EQ(s.landValue, 74);
    EXPECT_EQ(plan.report.landSpread.difference, 0);
}

TEST_F(Players, QualityOnDefaultWorlds) {
    for (std::uint32_t seed : {1u, 2u, 3u, 42u}) {
        generateWorld(4, seed);
        const PlayersPlan plan = planPlayerStarts(map, options(8, 20));
        ASSERT_TRUE(plan.complete) << "seed " << seed;
        EXPECT_LE(plan.report.landSpread.fraction(), 0.05) << "seed " << seed;
        for (const StartFacts& s : plan.report.starts) {
            EXPECT_GE(s.nearestRival, 20);
            EXPECT_GE(s.landValue * 10, plan.bestLegalValue * 9) << "seed " << seed;
        }
    }
}

// Without a distance the starts keep the automatic spacing and even rooms:
// on generated worlds, and where a rich islet would once have taken a start.
TEST_F(Players, AutomaticSpacingGivesEvenHomesAndRooms) {
    for (const auto& [quads, players, seed] : {std::tuple{2, 6, 11}, std::tuple{3, 8, 12}}) {
        generateWorld(quads, static_cast<std::uint32_t>(seed));
        PlayersOptions o = options(players, kAutomaticSpacing);
        const std::int32_t spacing = automaticSpacing(walkableTileCount(map), players);
        EXPECT_EQ(spacingInForce(map, o), spacing);
        const PlayersPlan plan = planPlayerStarts(map, o);
        ASSERT_TRUE(plan.complete) << "seed " << seed;
        EXPECT_EQ(plan.roomRadius, std::max(3, spacing / 2));
        EXPECT_EQ(plan.rooms, measureRooms(map, plan.starts, plan.roomRadius, o.weights).value);
        for (const StartFacts& s : plan.report.starts) EXPECT_GE(s.nearestRival, spacing);
        EXPECT_LE(plan.report.landSpread.fraction(), 0.05) << "seed " << seed;
        EXPECT_LE(plan.roomSpread.fraction(), 0.08) << "seed " << seed;
        EXPECT_FALSE(plan.uneven);
        o.maxSpread = plan.roomSpread.percent() == 0 ? -1 : plan.roomSpread.percent() - 1;
        EXPECT_EQ(planPlayerStarts(map, o).uneven, o.maxSpread >= 0) << "--max-spread checks, the starts stay";
        EXPECT_EQ(planPlayerStarts(map, o).starts, plan.starts);
    }
    makeMap(2, 1, kSea);
    for (int x = 20; x < 180; ++x)
        for (int y = 20; y < 80; ++y) mapGrid[x][y] = kHills;
    paintDisc(100, 50, 3, kPlains);  // the richest home of the continent
    paintDisc(190, 50, 3, kPlains);  // an islet as rich, with no room
    const PlayersPlan plan = planPlayerStarts(map, options(2, kAutomaticSpacing));
    ASSERT_TRUE(plan.complete);
    for (const TilePos& p : plan.starts) EXPECT_LT(p.x, 180) << "no start on the islet";
    EXPECT_EQ(plan.roomSpread.difference, 0);
}

}  // namespace
}  // namespace pelorn
