#include "generator/world.h"

#include <gtest/gtest.h>

#include <vector>

#include "editing/history.h"
#include "generator_test_support.h"
#include "support/recording_seam.h"
#include "support/test_map.h"
#include "view/layout.h"

namespace pelorn::test {
namespace {

using WorldTest = GeneratorTest;

std::vector<TerrainCode> generate(std::int32_t qx, std::int32_t qy, std::uint32_t seed) {
    freeMapGrid();
    quadCountX = qx;
    quadCountY = qy;
    seedRandom(seed);
    generateRandomMap();
    return mapTiles();
}

std::int64_t count(const std::vector<TerrainCode>& tiles, TerrainCode code) {
    std::int64_t n = 0;
    for (TerrainCode c : tiles) n += c == code ? 1 : 0;
    return n;
}

TEST_F(WorldTest, GenerationKeepsTheViewAndRepaintsTheMapArea) {
    RecordingSeam seam;
    quadCountX = 3;
    quadCountY = 2;
    ASSERT_TRUE(allocateMapGrid());
    viewQuadX = 2;
    viewQuadY = 1;
    seedRandom(1);
    EXPECT_TRUE(runRecordedWholeMapEdit(generateRandomMap));
    EXPECT_EQ(viewQuadX, 2);
    EXPECT_EQ(viewQuadY, 1);
    ASSERT_EQ(seam.invalidations.size(), 1u);
    EXPECT_EQ(seam.invalidations[0], RecordingSeam::area(kMapAreaRect, true));

    viewMode = 1;
    EXPECT_TRUE(runRecordedWholeMapEdit(generateRandomMap));
    ASSERT_EQ(seam.invalidations.size(), 2u);
    EXPECT_EQ(seam.invalidations[1], RecordingSeam::whole(true));
}

TEST_F(WorldTest, EveryTileGetsALegendCode) {
    for (const auto& [qx, qy] : std::vector<std::pair<int, int>>{{1, 1}, {2, 1}, {1, 2}, {3, 2}}) {
        const auto tiles = generate(qx, qy, 17);
        ASSERT_EQ(tiles.size(), static_cast<std::size_t>(qx * qy * 10000));
        for (TerrainCode c : tiles) ASSERT_TRUE(c >= 0 && c <= kLastLegendCode) << c;
    }
}

TEST_F(WorldTest, SameSeedSameWorldOtherSeedOtherWorld) {
    const auto a = generate(2, 1, 5);
    const auto b = generate(2, 1, 5);
    const auto c = generate(2, 1, 6);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
}

TEST_F(WorldTest, AMapThatCannotBeHeldFallsBackToOneEmptyQuad) {
    RecordingSeam seam;
    quadCountX = kMaxQuadsPerSide + 1;  // refused by the grid
    quadCountY = 1;
    EXPECT_FALSE(runRecordedWholeMapEdit(generateRandomMap));
    ASSERT_NE(mapGrid, nullptr);
    EXPECT_EQ(quadCountX, 1);
    EXPECT_EQ(quadCountY, 1);
    EXPECT_EQ(count(mapTiles(), kVoid), 10000);
    ASSERT_EQ(seam.invalidations.size(), 1u);
    EXPECT_EQ(seam.invalidations[0], RecordingSeam::whole(true));
}

TEST_F(WorldTest, CorrectionsAreWrittenBackToTheParameters) {
    generatorParameters.desertFactor = 10.0f;
    generatorParameters.jungleFactor = 10.0f;
    generatorParameters.levelcorrectionGlacial = 6.0f;
    generate(1, 1, 3);
    EXPECT_EQ(generatorParameters.desertFactor, 9.9f);
    EXPECT_EQ(generatorParameters.jungleFactor, 9.9f);
    EXPECT_EQ(generatorParameters.levelcorrectionGlacial, 5.0f);
}

TEST_F(WorldTest, DesertFactorTenBehavesAsNinePointNine) {
    generatorParameters.desertFactor = 10.0f;
    generatorParameters.jungleFactor = 10.0f;
    const auto ten = generate(2, 1, 8);
    generatorParameters.desertFactor = 9.9f;
    generatorParameters.jungleFactor = 9.9f;
    EXPECT_EQ(generate(2, 1, 8), ten);
}

TEST_F(WorldTest, RandomnessLengthJungleChangesNothing) {
    const auto base = generate(2, 1, 11);
    generatorParameters.randomnessLengthJungle = 2;
    EXPECT_EQ(generate(2, 1, 11), base);
    generatorParameters.randomnessLengthJungle = 1000;
    EXPECT_EQ(generate(2, 1, 11), base);
    generatorParameters.randomnessLengthDesert = 2;  // while this one does
    EXPECT_NE(generate(2, 1, 11), base);
}

TEST_F(WorldTest, SteppesFactorBelowZeroGivesNoSteppes) {
    generatorParameters.steppesFactor = -1.0f;
    for (std::uint32_t seed : {1u, 2u, 3u}) EXPECT_EQ(count(generate(2, 1, seed), kSteppes), 0) << seed;
}

TEST_F(WorldTest, SteppesFactorTenPutsEveryTileInTheSteppeRows) {
    generatorParameters.steppesFactor = 10.0f;
    std::int64_t steppes = 0;
    for (std::uint32_t seed : {1u, 2u, 3u}) {
        const auto tiles = generate(2, 1, seed);
        EXPECT_EQ(count(tiles, kFertilePlains), 0) << seed;  // an ordinary-climate code only
        steppes += count(tiles, kSteppes);
    }
    EXPECT_GT(steppes, 0);
}

TEST_F(WorldTest, BorderTilesNeverTurnToDesert) {
    generatorParameters.desertFactor = 9.9f;  // dry almost everywhere in the belt
    generatorParameters.equatorFactor = 10.0f;
    std::int64_t inner = 0;
    for (std::uint32_t seed : {1u, 2u, 3u, 4u}) {
        generate(2, 1, seed);
        const std::int32_t w = mapWidth();
        const std::int32_t h = mapHeight();
        for (std::int32_t x = 0; x < w; ++x) {
            for (std::int32_t y = 0; y < h; ++y) {
                const TerrainCode c = mapGrid[x][y];
                const bool dry = c == kDesert || c == kDesertMount1 || c == kDesertMount2 || c == kArid || c == kAPlains;
                if (x == 0 || y == 0 || x == w - 1 || y == h - 1) {
                    ASSERT_FALSE(dry) << seed << ": " << x << "," << y;
                } else if (dry) {
                    ++inner;
                }
            }
        }
    }
    EXPECT_GT(inner, 1000);
}

TEST_F(WorldTest, HorizontalSeaSeedingMakesTheWestAndEastEdgesWater) {
    generatorParameters.seedHorizontalSea = 1;
    for (std::uint32_t seed : {1u, 2u}) {
        generate(2, 2, seed);
        for (std::int32_t y = 0; y < mapHeight(); ++y) {
            for (std::int32_t x : {0, mapWidth() - 1}) {
                const TerrainCode c = mapGrid[x][y];
                ASSERT_TRUE(c == kLake || c == kSea) << x << "," << y << ": " << c;
            }
        }
    }
}

TEST_F(WorldTest, PolarFactorZeroLeavesOnlyTheDeepRows) {
    generatorParameters.polarFactor = 0.0f;
    std::int64_t deep = 0;
    for (std::uint32_t seed : {1u, 2u}) {
        const auto tiles = generate(1, 2, seed);
        for (TerrainCode light : {kPlainsL, kHillsL, kHighHillsL, kSorestPlains, kSorestHills, kSorestHighHills})
            EXPECT_EQ(count(tiles, light), 0) << light;
        deep += count(tiles, kPlainsD) + count(tiles, kGlacier) + count(tiles, kHillsD);
    }
    EXPECT_GT(deep, 0);
}

TEST_F(WorldTest, NoRiverTriesNoRivers) {
    generatorParameters.genRiverTries = 0;
    const auto tiles = generate(2, 2, 9);
    EXPECT_EQ(count(tiles, kRiver) + count(tiles, kRiverP), 0);
    generatorParameters.genRiverTries = 50;
    const auto rivers = generate(2, 2, 9);
    EXPECT_GT(count(rivers, kRiver) + count(rivers, kRiverP), 0);
}

}  // namespace
}  // namespace pelorn::test
