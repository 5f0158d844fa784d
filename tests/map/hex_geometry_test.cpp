#include "map/hex_geometry.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace pelorn {
namespace {

TEST(HexNeighbours, EvenAndOddColumns) {
    const auto even = hexNeighbours(4, 10);
    const TilePos evenExpected[] = {{4, 9}, {5, 9}, {5, 10}, {4, 11}, {3, 10}, {3, 9}};
    const auto odd = hexNeighbours(5, 10);
    const TilePos oddExpected[] = {{5, 9}, {6, 10}, {6, 11}, {5, 11}, {4, 11}, {4, 10}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(even[i], evenExpected[i]) << i;
        EXPECT_EQ(odd[i], oddExpected[i]) << i;
    }
}

TEST(HexDirections, TurnClockwiseAndBackAndEveryStepHasItsOpposite) {
    for (int i = 0; i < kHexDirectionCount; ++i) {
        const HexDirection d = kHexWalkOrder[i];
        EXPECT_EQ(clockwise(d), kHexWalkOrder[(i + 1) % 6]);
        EXPECT_EQ(anticlockwise(clockwise(d)), d);
        const HexDirection opposite = clockwise(clockwise(clockwise(d)));
        for (TilePos p : {TilePos{4, 10}, TilePos{5, 10}, TilePos{0, 0}, TilePos{-3, 7}})
            EXPECT_EQ(hexNeighbour(hexNeighbour(p, d), opposite), p) << i;
    }
    EXPECT_EQ(anticlockwise(HexDirection::kAbove), HexDirection::kUpperLeft);
    EXPECT_EQ(clockwise(HexDirection::kUpperLeft), HexDirection::kAbove);
    // The banks: own column, then left, then right, upper first.
    const auto odd = hexNeighbours(5, 10);
    const TilePos banks[] = {odd[0], odd[3], odd[5], odd[4], odd[1], odd[2]};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(hexNeighbour({5, 10}, kRiverBankOrder[i]), banks[i]) << i;
}

TEST(HexTorus, RingMatchesTheUnwrappedNeighboursWrappedOnce) {
    const HexTorus torus{200, 100};
    for (std::int32_t x : {0, 1, 2, 99, 100, 101, 198, 199}) {
        for (std::int32_t y : {0, 1, 50, 98, 99}) {
            const auto plain = hexNeighbours(x, y);
            const auto wrapped = torus.neighbours({x, y});
            for (int i = 0; i < 6; ++i) {
                TilePos expected{(plain[i].x + 200) % 200, (plain[i].y + 100) % 100};
                EXPECT_EQ(wrapped[i], expected) << x << ", " << y << " direction " << i;
                EXPECT_EQ(torus.wrap(plain[i]), expected);
                EXPECT_EQ(torus.neighbour({x, y}, kHexWalkOrder[i]), expected);
            }
        }
    }
    // Across the corner seam: an even column at the top reaches the last row
    // on both sides, the last column included.
    const auto corner = torus.neighbours({0, 0});
    EXPECT_EQ(corner[0], (TilePos{0, 99}));
    EXPECT_EQ(corner[1], (TilePos{1, 99}));
    EXPECT_EQ(corner[5], (TilePos{199, 99}));
    EXPECT_EQ(corner[4], (TilePos{199, 0}));
}

// Steps by breadth-first search over hexNeighbours, wrapped when a torus is given.
std::map<std::pair<int, int>, int> stepsFrom(TilePos start, int limit, const HexTorus* torus) {
    std::map<std::pair<int, int>, int> steps{{{start.x, start.y}, 0}};
    std::deque<TilePos> queue{start};
    while (!queue.empty()) {
        const TilePos p = queue.front();
        queue.pop_front();
        const int d = steps[{p.x, p.y}];
        if (d == limit) continue;
        for (TilePos n : hexNeighbours(p.x, p.y)) {
            if (torus) n = torus->wrap(n);
            if (steps.emplace(std::make_pair(n.x, n.y), d + 1).second) queue.push_back(n);
        }
    }
    return steps;
}

TEST(HexDistance, AgreesWithAWalkOnTheOpenGridAndOnTheTorus) {
    for (TilePos start : {TilePos{4, 10}, TilePos{5, 10}, TilePos{-1, 3}}) {
        for (const auto& [tile, steps] : stepsFrom(start, 7, nullptr))
            ASSERT_EQ(hexDistance(start, {tile.first, tile.second}), steps) << start.x << "," << start.y;
    }
    const HexTorus torus{100, 100};
    for (TilePos start : {TilePos{0, 0}, TilePos{99, 50}, TilePos{50, 99}, TilePos{37, 12}}) {
        const auto steps = stepsFrom(start, 1000, &torus);
        ASSERT_EQ(steps.size(), 10000u);
        for (const auto& [tile, n] : steps)
            ASSERT_EQ(torus.distance(start, {tile.first, tile.second}), n) << tile.first << "," << tile.second;
    }
}

TEST(HexTorus, DistanceKnownAnswers) {
    const struct {
        TilePos a, b;
        int width, height, steps;
    } cases[] = {
        {{10, 10}, {10, 10}, 100, 100, 0},
        {{4, 10}, {3, 9}, 100, 100, 1},     // even column: upper left neighbour
        {{5, 10}, {4, 11}, 100, 100, 1},    // odd column: lower left neighbour
        {{4, 10}, {5, 11}, 100, 100, 2},
        {{10, 10}, {14, 10}, 100, 100, 4},
        {{10, 10}, {10, 15}, 100, 100, 5},
        {{10, 10}, {14, 8}, 100, 100, 4},   // a diagonal costs no extra steps
        {{10, 10}, {14, 16}, 100, 100, 8},
        {{0, 0}, {99, 99}, 100, 100, 1},    // across the north-west corner
        {{0, 50}, {99, 50}, 100, 100, 1},   // across the east-west edge
        {{30, 0}, {30, 99}, 100, 100, 1},   // across the north-south edge
        {{0, 0}, {50, 0}, 100, 100, 50},
        {{0, 0}, {0, 50}, 100, 100, 50},
        {{0, 0}, {150, 0}, 300, 100, 150},
        {{0, 0}, {250, 0}, 300, 100, 50},
        {{2, 2}, {197, 97}, 200, 100, 7},
        {{1, 0}, {9998, 0}, 10000, 100, 3},  // the widest maps
    };
    for (const auto& c : cases) {
        const HexTorus torus{c.width, c.height};
        EXPECT_EQ(torus.distance(c.a, c.b), c.steps) << c.a.x << "," << c.a.y << " to " << c.b.x << "," << c.b.y;
        EXPECT_EQ(torus.distance(c.b, c.a), c.steps) << "symmetric";
    }
}

TEST(HexDisc, HoldsExactlyTheTilesWithinTheRadius) {
    for (TilePos centre : {TilePos{50, 50}, TilePos{51, 50}}) {
        for (int radius : {0, 1, 2, 3, 7, 20}) {
            std::set<std::pair<int, int>> expected;
            for (const auto& [tile, steps] : stepsFrom(centre, radius, nullptr)) expected.insert(tile);
            std::set<std::pair<int, int>> runs;
            int dx = -radius;
            for (const ColumnRun& run : hexDisc(radius, centre.x)) {
                EXPECT_EQ(run.dx, dx++) << "columns west to east";
                for (int dy = run.firstDy; dy <= run.lastDy; ++dy) runs.insert({centre.x + run.dx, centre.y + dy});
            }
            EXPECT_EQ(runs, expected) << "radius " << radius << " column " << centre.x;
            EXPECT_EQ(runs.size(), static_cast<std::size_t>(3 * radius * (radius + 1) + 1));
        }
    }
    EXPECT_TRUE(hexDisc(-1, 4).empty());
}

TEST(WithinTwoSteps, IsExactlyTheTilesAtMostTwoStepsAway) {
    for (TilePos centre : {TilePos{4, 10}, TilePos{5, 10}}) {
        std::set<std::pair<int, int>> expected;
        for (const auto& [tile, steps] : stepsFrom(centre, 2, nullptr)) expected.insert(tile);
        std::set<std::pair<int, int>> runs;
        for (const ColumnRun& run : withinTwoSteps(centre.x))
            for (int dy = run.firstDy; dy <= run.lastDy; ++dy) runs.insert({centre.x + run.dx, centre.y + dy});
        EXPECT_EQ(runs, expected) << centre.x;
        EXPECT_EQ(runs.size(), 19u);
    }
}

}  // namespace
}  // namespace pelorn
