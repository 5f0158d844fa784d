#include <gtest/gtest.h>

#include <utility>

#include "map/map_grid.h"
#include "map/terrain.h"

namespace pelorn {
namespace {

TEST(TerrainPalette, StartLocationEntriesCopyTheirBaseColours) {
    EXPECT_EQ(terrainColour(1), (Rgb{122, 193, 67}));
    EXPECT_EQ(terrainColour(38), (Rgb{137, 179, 47}));
    EXPECT_EQ(terrainColour(36), (Rgb{255, 255, 255}));
    const TerrainCode bases[] = {1, 2, 3, 4, 9, 14, 15, 16, 23, 25, 27};
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(terrainColour(50 + i), terrainColour(bases[i])) << "code " << 50 + i;
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
    Map map;
    EXPECT_TRUE(replaceWithEmptyMap(map, 3, 2));
    EXPECT_EQ(map.quadCountX, 3);
    EXPECT_EQ(map.quadCountY, 2);
    ASSERT_NE(map.mapGrid, nullptr);
    EXPECT_EQ(map.mapGrid[299][199], kVoid);
    map.mapGrid[0][0] = kSea;
    EXPECT_FALSE(replaceWithEmptyMap(map, kMaxQuadsPerSide + 1, 1));
    EXPECT_EQ(map.quadCountX, 1);
    EXPECT_EQ(map.quadCountY, 1);
    ASSERT_NE(map.mapGrid, nullptr);
    EXPECT_EQ(map.mapGrid[0][0], kVoid);
}

TEST(MapGridAllocation, NewGridIsVoid) {
    Map map;
    map.quadCountX = 3;
    map.quadCountY = 1;
    ASSERT_TRUE(allocateMapGrid(map));
    for (int x = 0; x < 300; ++x)
        for (int y = 0; y < 100; ++y) ASSERT_EQ(map.mapGrid[x][y], 0);
    map.mapGrid[299][99] = 7;
    EXPECT_EQ(map.mapGrid[299][99], 7);
    freeMapGrid(map);
    EXPECT_EQ(map.mapGrid, nullptr);
    freeMapGrid(map);  // freeing no grid is harmless
}

TEST(MapGridAllocation, RefusesSizesBeyondTheBound) {
    Map map;
    for (auto size : {std::pair{0, 1}, {1, 0}, {-3, 2}, {101, 1}, {33, 32}}) {
        map.quadCountX = size.first;
        map.quadCountY = size.second;
        EXPECT_FALSE(allocateMapGrid(map)) << size.first << "x" << size.second;
        EXPECT_EQ(map.mapGrid, nullptr);
    }
    map.quadCountX = 32;
    map.quadCountY = 32;
    EXPECT_TRUE(allocateMapGrid(map));
}

// A moved map takes its grid along; the one it leaves has none, so that only
// one of them frees it.
TEST(MapGridAllocation, MovingAMapHandsOverItsGrid) {
    Map map;
    ASSERT_TRUE(replaceWithEmptyMap(map, 2, 1));
    map.mapGrid[150][40] = kSea;
    map.currentMapName = "Atoll";
    Map moved(std::move(map));
    EXPECT_EQ(map.mapGrid, nullptr);
    ASSERT_NE(moved.mapGrid, nullptr);
    EXPECT_EQ(moved.mapGrid[150][40], kSea);
    EXPECT_EQ(moved.quadCountX, 2);
    EXPECT_EQ(moved.currentMapName, "Atoll");
    Map other;
    ASSERT_TRUE(replaceWithEmptyMap(other, 1, 1));
    other = std::move(moved);
    EXPECT_EQ(moved.mapGrid, nullptr);
    ASSERT_NE(other.mapGrid, nullptr);
    EXPECT_EQ(other.mapGrid[150][40], kSea);
}

}  // namespace
}  // namespace pelorn
