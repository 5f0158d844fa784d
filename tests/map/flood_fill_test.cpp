#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <vector>

#include "generator/random.h"
#include "map/flood_fill.h"
#include "map/map_grid.h"
#include "support/test_map.h"

namespace pelorn {
namespace {

class FloodFillTest : public testing::Test {
protected:
    Map map;
    MapGrid& mapGrid = map.mapGrid;
    Random random;

    void makeMap(int quadsX, int quadsY, TerrainCode fill) { ASSERT_TRUE(test::makeTestMap(map, quadsX, quadsY, fill)); }
    bool floodFill(std::int32_t x, std::int32_t y, TerrainCode code, std::vector<std::uint32_t>* converted = nullptr) {
        return pelorn::floodFill(map, x, y, code, converted);
    }
    int mapWidth() const { return pelorn::mapWidth(map); }
    int mapHeight() const { return pelorn::mapHeight(map); }

    int count(TerrainCode code) const {
        int n = 0;
        for (int x = 0; x < mapWidth(); ++x)
            for (int y = 0; y < mapHeight(); ++y) n += mapGrid[x][y] == code;
        return n;
    }
};

TEST_F(FloodFillTest, OneTileIslandChangesThatTileOnly) {
    makeMap(1, 1, kSea);
    mapGrid[50][50] = kHills;
    floodFill(50, 50, kDesert);
    EXPECT_EQ(mapGrid[50][50], kDesert);
    EXPECT_EQ(count(kSea), 9999);
}

TEST_F(FloodFillTest, SameCodeChangesNothing) {
    makeMap(1, 1, kSea);
    mapGrid[3][3] = kLake;
    EXPECT_TRUE(floodFill(0, 0, kSea));
    EXPECT_EQ(count(kSea), 9999);
    EXPECT_EQ(mapGrid[3][3], kLake);
}

TEST_F(FloodFillTest, WholeUniformMapIsFilled) {
    makeMap(3, 2, kVoid);
    floodFill(123, 45, kSea);
    EXPECT_EQ(count(kSea), 300 * 200);
}

TEST_F(FloodFillTest, WrapsAcrossTheLeftAndRightEdge) {
    makeMap(1, 1, kVoid);
    // Tile (0, 10), in an even column, touches (99, 10) and (99, 9) across the seam.
    mapGrid[0][10] = kLake;
    mapGrid[99][10] = kLake;
    mapGrid[99][9] = kLake;
    mapGrid[99][12] = kLake;  // an island of its own
    floodFill(0, 10, kSea);
    EXPECT_EQ(mapGrid[99][10], kSea);
    EXPECT_EQ(mapGrid[99][9], kSea);
    EXPECT_EQ(mapGrid[99][12], kLake);
    EXPECT_EQ(count(kSea), 3);

    // (99, 11) is not a neighbour of (0, 10).
    makeMap(1, 1, kVoid);
    mapGrid[0][10] = kLake;
    mapGrid[99][11] = kLake;
    floodFill(0, 10, kSea);
    EXPECT_EQ(mapGrid[99][11], kLake);

    // An odd column at the right edge reaches column 0 at rows y and y + 1.
    makeMap(1, 1, kVoid);
    mapGrid[99][20] = kLake;
    mapGrid[0][21] = kLake;
    mapGrid[0][19] = kLake;
    floodFill(99, 20, kSea);
    EXPECT_EQ(mapGrid[0][21], kSea);
    EXPECT_EQ(mapGrid[0][19], kLake);
}

TEST_F(FloodFillTest, WrapsAcrossTheTopAndBottomEdge) {
    makeMap(1, 1, kVoid);
    mapGrid[5][0] = kLake;
    mapGrid[5][99] = kLake;  // above (5, 0), across the seam
    mapGrid[5][98] = kLake;
    mapGrid[5][2] = kLake;   // not connected: (5, 1) lies between
    floodFill(5, 0, kSea);
    EXPECT_EQ(mapGrid[5][99], kSea);
    EXPECT_EQ(mapGrid[5][98], kSea);
    EXPECT_EQ(mapGrid[5][2], kLake);
    EXPECT_EQ(count(kSea), 3);

    // An even column in row 0 reaches row 99 of its right neighbour column.
    makeMap(1, 1, kVoid);
    mapGrid[6][0] = kLake;
    mapGrid[7][99] = kLake;
    mapGrid[5][98] = kLake;
    floodFill(6, 0, kSea);
    EXPECT_EQ(mapGrid[7][99], kSea);
    EXPECT_EQ(mapGrid[5][98], kLake);
    EXPECT_EQ(count(kSea), 2);
}

TEST_F(FloodFillTest, HexConnectivityFollowsColumnParity) {
    makeMap(1, 1, kVoid);
    // Even column 4 touches rows 9 and 10 of columns 3 and 5; odd column 5 touches rows y and y + 1.
    mapGrid[4][10] = kLake;
    mapGrid[5][9] = kLake;
    mapGrid[5][11] = kLake;  // not a neighbour of (4, 10)
    mapGrid[3][11] = kLake;  // nor this
    mapGrid[6][10] = kLake;  // lower right of the odd (5, 9)
    floodFill(4, 10, kSea);
    EXPECT_EQ(mapGrid[5][9], kSea);
    EXPECT_EQ(mapGrid[6][10], kSea);
    EXPECT_EQ(mapGrid[5][11], kLake);
    EXPECT_EQ(mapGrid[3][11], kLake);
    EXPECT_EQ(count(kSea), 3);
}

// An independent breadth-first search over the wrapped hexagon neighbourhood.
std::vector<bool> componentOf(const Map& map, int x0, int y0) {
    const MapGrid mapGrid = map.mapGrid;
    const int width = mapWidth(map);
    const int height = mapHeight(map);
    const TerrainCode target = mapGrid[x0][y0];
    std::vector<bool> seen(static_cast<std::size_t>(width) * height, false);
    std::deque<TilePos> queue{{x0, y0}};
    seen[static_cast<std::size_t>(x0) * height + y0] = true;
    while (!queue.empty()) {
        const TilePos p = queue.front();
        queue.pop_front();
        for (TilePos n : hexNeighbours(p.x, p.y)) {
            n.x = (n.x + width) % width;
            n.y = (n.y + height) % height;
            const std::size_t i = static_cast<std::size_t>(n.x) * height + n.y;
            if (!seen[i] && mapGrid[n.x][n.y] == target) {
                seen[i] = true;
                queue.push_back(n);
            }
        }
    }
    return seen;
}

TEST_F(FloodFillTest, FillsExactlyTheConnectedAreaOfRandomMaps) {
    random.seed(12345);
    for (int round = 0; round < 12; ++round) {
        makeMap(2, 1, kVoid);
        for (int x = 0; x < 200; ++x)
            for (int y = 0; y < 100; ++y) mapGrid[x][y] = random.next() % 100 < 55 ? kLake : kHills;
        const int x0 = random.next() % 200;
        const int y0 = random.next() % 100;
        std::vector<TerrainCode> before;
        for (int x = 0; x < 200; ++x)
            for (int y = 0; y < 100; ++y) before.push_back(mapGrid[x][y]);
        const std::vector<bool> expected = componentOf(map, x0, y0);
        floodFill(x0, y0, kSea);
        for (int x = 0; x < 200; ++x) {
            for (int y = 0; y < 100; ++y) {
                const std::size_t i = static_cast<std::size_t>(x) * 100 + y;
                ASSERT_EQ(mapGrid[x][y], expected[i] ? kSea : before[i]) << "round " << round << " tile " << x << ", " << y;
            }
        }
    }
}

// The fill tile by tile as the editor has always walked it, recording the
// order in which tiles are converted.
std::vector<std::uint32_t> referenceFill(Map& map, int x, int y, TerrainCode code) {
    const MapGrid mapGrid = map.mapGrid;
    std::vector<std::uint32_t> order;
    const TerrainCode target = mapGrid[x][y];
    if (target == code) return order;
    std::vector<TilePos> stack;
    for (;;) {
        if (mapGrid[x][y] == target) {
            mapGrid[x][y] = code;
            order.push_back(static_cast<std::uint32_t>(x) << 16 | static_cast<std::uint32_t>(y));
        }
        int matching = 0;
        TilePos first{0, 0};
        for (TilePos n : hexNeighbours(x, y)) {
            n = mapTorus(map).wrap(n);
            if (mapGrid[n.x][n.y] == target && matching++ == 0) first = n;
        }
        if (matching >= 2) stack.push_back({x, y});
        if (matching > 0) {
            x = first.x;
            y = first.y;
        } else if (stack.empty()) {
            break;
        } else {
            x = stack.back().x;
            y = stack.back().y;
            stack.pop_back();
        }
    }
    return order;
}

TEST_F(FloodFillTest, ConvertsTilesInTheOrderOfTheTileByTileWalk) {
    random.seed(777);
    // Densities around and above the point where one area spans the map, plain
    // maps, and maps of long vertical and horizontal bands.
    for (int round = 0; round < 40; ++round) {
        const int quadsX = 1 + round % 3;
        const int quadsY = 1 + (round / 3) % 2;
        makeMap(quadsX, quadsY, kVoid);
        const int width = mapWidth();
        const int height = mapHeight();
        const int kind = round % 5;
        for (int x = 0; x < width; ++x) {
            for (int y = 0; y < height; ++y) {
                TerrainCode code = kLake;
                if (kind == 0) code = random.next() % 100 < 60 ? kLake : kHills;
                if (kind == 1) code = random.next() % 100 < 85 ? kLake : kHills;
                if (kind == 3) code = (x % 7 == 3 && y % 50 != 0) ? kHills : kLake;
                if (kind == 4) code = (y % 9 == 4 && x % 40 != 0) ? kHills : kLake;
                mapGrid[x][y] = code;
            }
        }
        const int x0 = random.next() % width;
        const int y0 = random.next() % height;
        std::vector<TerrainCode> copy;
        for (int x = 0; x < width; ++x) copy.insert(copy.end(), mapGrid[x], mapGrid[x] + height);
        const std::vector<std::uint32_t> expected = referenceFill(map, x0, y0, kSea);
        std::vector<TerrainCode> expectedTiles;
        for (int x = 0; x < width; ++x) {
            expectedTiles.insert(expectedTiles.end(), mapGrid[x], mapGrid[x] + height);
            std::copy(copy.begin() + x * height, copy.begin() + (x + 1) * height, mapGrid[x]);
        }
        std::vector<std::uint32_t> order;
        floodFill(x0, y0, kSea, &order);
        ASSERT_EQ(order, expected) << "round " << round;
        for (int x = 0; x < width; ++x)
            for (int y = 0; y < height; ++y) ASSERT_EQ(mapGrid[x][y], expectedTiles[x * height + y]);
    }
}

TEST_F(FloodFillTest, NoGridIsHarmless) {
    EXPECT_FALSE(floodFill(0, 0, kSea));
    EXPECT_EQ(mapGrid, nullptr);
}

}  // namespace
}  // namespace pelorn
