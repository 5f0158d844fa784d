#include <gtest/gtest.h>

#include "map/map_grid.h"
#include "map/terrain.h"

namespace pelorn {
namespace {

TEST(TerrainPalette, StartLocationEntriesCopyTheirBaseColours) {
    buildTerrainPalette();
    EXPECT_EQ(terrainPalette[1], (Rgb{122, 193, 67}));
    EXPECT_EQ(terrainPalette[38], (Rgb{137, 179, 47}));
    EXPECT_EQ(terrainPalette[36], (Rgb{255, 255, 255}));
    const TerrainCode bases[] = {1, 2, 3, 4, 9, 14, 15, 16, 23, 25, 27};
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(terrainPalette[50 + i], terrainPalette[bases[i]]) << "code " << 50 + i;
        EXPECT_EQ(baseCode(50 + i), bases[i]);
        EXPECT_EQ(startLocationCode(bases[i]), 50 + i);
    }
}

TEST(TerrainPalette, OnlyElevenLandCodesCarryStartLocations) {
    int carriers = 0;
    for (TerrainCode code = -5; code <= 70; ++code) {
        if (startLocationCode(code) != 0) ++carriers;
        if (!isStartLocationCode(code)) {
            EXPECT_EQ(baseCode(code), code);
        }
    }
    EXPECT_EQ(carriers, 11);
    EXPECT_EQ(startLocationCode(5), 0);   // Mount1
    EXPECT_EQ(startLocationCode(50), 0);  // a start location carries none itself
}

TEST(TerrainPalette, CodesWithoutTerrainShowTheUnknownColour) {
    buildTerrainPalette();
    for (TerrainCode code : {-1, 39, 45, 49, 61, 1000}) {
        EXPECT_FALSE(hasTerrainColour(code));
        EXPECT_EQ(terrainColour(code), kUnknownCodeColour);
        EXPECT_STREQ(terrainName(code), "");
    }
    for (TerrainCode code = 0; code <= 60; ++code) {
        if (hasTerrainColour(code)) {
            EXPECT_NE(terrainColour(code), kUnknownCodeColour) << code;
        }
    }
    EXPECT_STREQ(terrainName(14), "Forest P");
    EXPECT_STREQ(terrainName(33), "Sorest P");
}

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

TEST(MapGridAllocation, NewGridIsVoidAndResetsTheView) {
    resetMapState();
    quadCountX = 3;
    quadCountY = 1;
    viewQuadX = 2;
    ASSERT_TRUE(allocateMapGrid());
    EXPECT_EQ(viewQuadX, 0);
    for (int x = 0; x < 300; ++x)
        for (int y = 0; y < 100; ++y) ASSERT_EQ(mapGrid[x][y], 0);
    mapGrid[299][99] = 7;
    EXPECT_EQ(mapGrid[299][99], 7);
    freeMapGrid();
    EXPECT_EQ(mapGrid, nullptr);
    freeMapGrid();  // freeing no grid is harmless
}

TEST(MapGridAllocation, RefusesSizesBeyondTheBound) {
    resetMapState();
    for (auto size : {std::pair{0, 1}, {1, 0}, {-3, 2}, {101, 1}, {33, 32}}) {
        quadCountX = size.first;
        quadCountY = size.second;
        EXPECT_FALSE(allocateMapGrid()) << size.first << "x" << size.second;
        EXPECT_EQ(mapGrid, nullptr);
    }
    quadCountX = 32;
    quadCountY = 32;
    EXPECT_TRUE(allocateMapGrid());
    resetMapState();
}

}  // namespace
}  // namespace pelorn
