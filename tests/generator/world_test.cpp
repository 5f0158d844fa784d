#include "generator/world.h"

#include <gtest/gtest.h>

#include <vector>

#include "generator/parameter_fields.h"
#include "generator_test_support.h"

namespace pelorn::test {
namespace {

class WorldTest : public GeneratorTest {
protected:
    // The world of `seed` on a fresh map of qx by qy quads, made with the
    // fixture's parameters, which take the generator's corrections.
    std::vector<TerrainCode> generate(std::int32_t qx, std::int32_t qy, std::uint32_t seed) {
        map = Map{};
        map.quadCountX = qx;
        map.quadCountY = qy;
        random.seed(seed);
        const GenerateResult result = generateRandomMap(map, parameters, random);
        EXPECT_TRUE(result.generated);
        parameters = result.parameters;
        return mapTiles(map);
    }
};

std::int64_t count(const std::vector<TerrainCode>& tiles, TerrainCode code) {
    std::int64_t n = 0;
    for (TerrainCode c : tiles) n += c == code ? 1 : 0;
    return n;
}

TEST_F(WorldTest, GenerationReplacesTheGridAndKeepsTheMapsSizeAndName) {
    map.quadCountX = 3;
    map.quadCountY = 2;
    map.currentMapName = "Kept";
    ASSERT_TRUE(allocateMapGrid(map));
    random.seed(1);
    ASSERT_TRUE(generateRandomMap(map, parameters, random).generated);
    EXPECT_EQ(map.quadCountX, 3);
    EXPECT_EQ(map.quadCountY, 2);
    EXPECT_EQ(map.currentMapName, "Kept");
    EXPECT_EQ(mapTiles(map), generate(3, 2, 1));
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
    map.quadCountX = kMaxQuadsPerSide + 1;  // refused by the grid
    map.quadCountY = 1;
    parameters.desertFactor = 10.0f;
    const GenerateResult result = generateRandomMap(map, parameters, random);
    EXPECT_FALSE(result.generated);
    EXPECT_EQ(result.parameters.desertFactor, 10.0f);  // no pass ran
    ASSERT_NE(mapGrid, nullptr);
    EXPECT_EQ(map.quadCountX, 1);
    EXPECT_EQ(map.quadCountY, 1);
    EXPECT_EQ(count(mapTiles(map), kVoid), 10000);
    EXPECT_EQ(random.state(), 0u);
}

TEST_F(WorldTest, CorrectionsComeBackWithTheResult) {
    parameters.desertFactor = 10.0f;
    parameters.jungleFactor = 10.0f;
    parameters.levelcorrectionGlacial = 6.0f;
    const GeneratorParameters given = parameters;
    random.seed(3);
    ASSERT_TRUE(replaceWithEmptyMap(map, 1, 1));
    const GenerateResult result = generateRandomMap(map, given, random);
    EXPECT_EQ(result.parameters.desertFactor, 9.9f);
    EXPECT_EQ(result.parameters.jungleFactor, 9.9f);
    EXPECT_EQ(result.parameters.levelcorrectionGlacial, 5.0f);
    EXPECT_EQ(given.desertFactor, 10.0f);  // the caller's own record is not touched
    // Everything else comes back as it was given.
    GeneratorParameters rest = result.parameters;
    rest.desertFactor = rest.jungleFactor = 10.0f;
    rest.levelcorrectionGlacial = 6.0f;
    for (const ParameterField& field : kParameterFields) {
        switch (field.kind) {
            case ParameterKind::Integer: EXPECT_EQ(rest.*field.integer, given.*field.integer) << field.key; break;
            case ParameterKind::Real: EXPECT_EQ(rest.*field.real, given.*field.real) << field.key; break;
            case ParameterKind::Flag: EXPECT_EQ(rest.*field.flag, given.*field.flag) << field.key; break;
        }
    }
}

TEST_F(WorldTest, DesertFactorTenBehavesAsNinePointNine) {
    parameters.desertFactor = 10.0f;
    parameters.jungleFactor = 10.0f;
    const auto ten = generate(2, 1, 8);
    parameters.desertFactor = 9.9f;
    parameters.jungleFactor = 9.9f;
    EXPECT_EQ(generate(2, 1, 8), ten);
}

TEST_F(WorldTest, RandomnessLengthJungleChangesNothing) {
    const auto base = generate(2, 1, 11);
    parameters.randomnessLengthJungle = 2;
    EXPECT_EQ(generate(2, 1, 11), base);
    parameters.randomnessLengthJungle = 1000;
    EXPECT_EQ(generate(2, 1, 11), base);
    parameters.randomnessLengthDesert = 2;  // while this one does
    EXPECT_NE(generate(2, 1, 11), base);
}

TEST_F(WorldTest, SteppesFactorBelowZeroGivesNoSteppes) {
    parameters.steppesFactor = -1.0f;
    for (std::uint32_t seed : {1u, 2u, 3u}) EXPECT_EQ(count(generate(2, 1, seed), kSteppes), 0) << seed;
}

TEST_F(WorldTest, SteppesFactorTenPutsEveryTileInTheSteppeRows) {
    parameters.steppesFactor = 10.0f;
    std::int64_t steppes = 0;
    for (std::uint32_t seed : {1u, 2u, 3u}) {
        const auto tiles = generate(2, 1, seed);
        EXPECT_EQ(count(tiles, kFertilePlains), 0) << seed;  // an ordinary-climate code only
        steppes += count(tiles, kSteppes);
    }
    EXPECT_GT(steppes, 0);
}

TEST_F(WorldTest, BorderTilesNeverTurnToDesert) {
    parameters.desertFactor = 9.9f;  // dry almost everywhere in the belt
    parameters.equatorFactor = 10.0f;
    std::int64_t inner = 0;
    for (std::uint32_t seed : {1u, 2u, 3u, 4u}) {
        generate(2, 1, seed);
        const std::int32_t w = mapWidth(map);
        const std::int32_t h = mapHeight(map);
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
    parameters.seedHorizontalSea = 1;
    for (std::uint32_t seed : {1u, 2u}) {
        generate(2, 2, seed);
        for (std::int32_t y = 0; y < mapHeight(map); ++y) {
            for (std::int32_t x : {0, mapWidth(map) - 1}) {
                const TerrainCode c = mapGrid[x][y];
                ASSERT_TRUE(c == kLake || c == kSea) << x << "," << y << ": " << c;
            }
        }
    }
}

TEST_F(WorldTest, PolarFactorZeroLeavesOnlyTheDeepRows) {
    parameters.polarFactor = 0.0f;
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
    parameters.genRiverTries = 0;
    const auto tiles = generate(2, 2, 9);
    EXPECT_EQ(count(tiles, kRiver) + count(tiles, kRiverP), 0);
    parameters.genRiverTries = 50;
    const auto rivers = generate(2, 2, 9);
    EXPECT_GT(count(rivers, kRiver) + count(rivers, kRiverP), 0);
}

}  // namespace
}  // namespace pelorn::test
