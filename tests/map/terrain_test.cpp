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

TEST(TerrainFamilies, WaterRiversMountainsAndForests) {
    for (TerrainCode code = -2; code <= 62; ++code) {
        EXPECT_EQ(isWaterCode(code), code >= 19 && code <= 22) << code;
        EXPECT_EQ(isRiverCode(code), code == 19 || code == 20) << code;
        EXPECT_EQ(isMountainCode(code), code >= 5 && code <= 8) << code;
        EXPECT_EQ(isForestCode(code), code >= 14 && code <= 16) << code;
        const bool openLand = code >= 2 && code <= 4;
        EXPECT_EQ(forestedCode(code), openLand ? code + 12 : code) << code;
        EXPECT_EQ(snowCoveredCode(code), isForestCode(code) ? code + 19 : code) << code;
    }
    EXPECT_STREQ(terrainName(forestedCode(kHighHills)), "Forest HH");
    EXPECT_STREQ(terrainName(snowCoveredCode(kForestPlains)), "Sorest P");
    EXPECT_STREQ(terrainName(kMount3), "Mount3");
    EXPECT_STREQ(terrainName(kMount2S), "Mount2 S");
}

TEST(MapGridAllocation, ReplacingWithAnEmptyMapFallsBackToOneQuad) {
    resetMapState();
    viewQuadX = 1;
    EXPECT_TRUE(replaceWithEmptyMap(3, 2));
    EXPECT_EQ(quadCountX, 3);
    EXPECT_EQ(quadCountY, 2);
    EXPECT_EQ(viewQuadX, 0);
    ASSERT_NE(mapGrid, nullptr);
    EXPECT_EQ(mapGrid[299][199], kVoid);
    mapGrid[0][0] = kSea;
    EXPECT_FALSE(replaceWithEmptyMap(kMaxQuadsPerSide + 1, 1));
    EXPECT_EQ(quadCountX, 1);
    EXPECT_EQ(quadCountY, 1);
    ASSERT_NE(mapGrid, nullptr);
    EXPECT_EQ(mapGrid[0][0], kVoid);
    resetMapState();
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
