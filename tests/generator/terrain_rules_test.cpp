#include "generator/terrain_rules.h"

#include <gtest/gtest.h>

#include <cmath>

#include "generator/random_field.h"
#include "generator_test_support.h"

namespace pelorn::test {
namespace {

using TerrainRulesTest = GeneratorTest;

float above(float v) { return std::nextafter(v, 100.0f); }
float below(float v) { return std::nextafter(v, -100.0f); }

TEST_F(TerrainRulesTest, PoleLimitsOfOneQuadHigh) {
    const PoleLimits limits = poleLimits(parameters, 129);
    EXPECT_NEAR(limits.north, 19.35, 1e-12);
    EXPECT_NEAR(limits.south, 109.65, 1e-12);
    EXPECT_NEAR(limits.deepNorth, 4.8375, 1e-12);
    EXPECT_NEAR(limits.deepSouth, 124.1625, 1e-12);
    EXPECT_NEAR(equatorBand(parameters, 129), 45.15, 1e-12);
}

TEST_F(TerrainRulesTest, SteppesPresetFreesTheBeltBetweenThePoles) {
    const PoleLimits limits = poleLimits(parameters, 129);
    for (int y = 0; y < 129; ++y) {
        const bool free = y >= 20 && y <= 109;
        EXPECT_EQ(steppesPreset(y, 0.0f, limits), free ? kUnsetValue : 10.0f) << y;
    }
    // Height 0.5 widens the belt by one row each way.
    EXPECT_EQ(steppesPreset(19, 0.5f, limits), kUnsetValue);
    EXPECT_EQ(steppesPreset(18, 0.5f, limits), 10.0f);
    EXPECT_EQ(steppesPreset(110, 0.5f, limits), kUnsetValue);
    EXPECT_EQ(steppesPreset(111, 0.5f, limits), 10.0f);
}

TEST_F(TerrainRulesTest, PolarPresetFixesDeepZonesAndTheMiddle) {
    const PoleLimits limits = poleLimits(parameters, 129);
    for (int y = 0; y < 129; ++y) {
        float expected = kUnsetValue;
        if (y <= 4 || y >= 125) expected = 0.0f;
        else if (y >= 20 && y <= 109) expected = 10.0f;
        EXPECT_EQ(polarPreset(y, 0.0f, limits), expected) << y;
    }
    // High ground pushes the zones towards the equator.
    EXPECT_EQ(polarPreset(20, 0.5f, limits), kUnsetValue);
    EXPECT_EQ(polarPreset(5, 0.5f, limits), 0.0f);
}

TEST_F(TerrainRulesTest, EquatorPresetFreesOnlyTheMiddleBelt) {
    const double band = equatorBand(parameters, 129);
    for (int y = 0; y < 129; ++y) {
        const bool free = y >= 46 && y <= 83;
        EXPECT_EQ(equatorPreset(y, 129, band), free ? kUnsetValue : 5.0f) << y;
    }
    parameters.equatorFactor = 10.0f;  // the whole field is free but row 0
    EXPECT_EQ(equatorBand(parameters, 129), 0.0);
    EXPECT_EQ(equatorPreset(0, 129, 0.0), 5.0f);
    EXPECT_EQ(equatorPreset(1, 129, 0.0), kUnsetValue);
    EXPECT_EQ(equatorPreset(128, 129, 0.0), kUnsetValue);
}

TEST_F(TerrainRulesTest, OrdinaryClimateBandsAtTheirEdges) {
    const SteppeThresholds t = steppeThresholds(parameters);
    const float s = 5.0f;  // above steppesFactor 2
    EXPECT_EQ(heightCode(parameters, 0.0f, s, t), kLake);
    EXPECT_EQ(heightCode(parameters, 5.0f, s, t), kLake);
    EXPECT_EQ(heightCode(parameters, above(5.0f), s, t), kPlains);
    EXPECT_EQ(heightCode(parameters, 6.7f, s, t), kPlains);
    EXPECT_EQ(heightCode(parameters, above(6.7f), s, t), kFertilePlains);
    EXPECT_EQ(heightCode(parameters, 6.9f, s, t), kFertilePlains);
    EXPECT_EQ(heightCode(parameters, above(6.9f), s, t), kHills);
    EXPECT_EQ(heightCode(parameters, 7.9f, s, t), kHills);
    EXPECT_EQ(heightCode(parameters, above(7.9f), s, t), kHighHills);
    EXPECT_EQ(heightCode(parameters, 8.9f, s, t), kHighHills);
    EXPECT_EQ(heightCode(parameters, above(8.9f), s, t), 5);
    EXPECT_EQ(heightCode(parameters, 9.3f, s, t), 5);
    EXPECT_EQ(heightCode(parameters, 9.6f, s, t), 6);
    EXPECT_EQ(heightCode(parameters, 9.8f, s, t), 7);
    EXPECT_EQ(heightCode(parameters, 10.0f, s, t), kMount4);
    parameters.levelMountain4 = 9.9f;
    EXPECT_EQ(heightCode(parameters, 10.0f, s, t), kVoid);
    EXPECT_EQ(heightCode(parameters, 9.9f, s, t), kMount4);
}

TEST_F(TerrainRulesTest, SteppeClimateBandsAtTheirEdges) {
    const SteppeThresholds t = steppeThresholds(parameters);
    // d = 8.9f - 7.9f in single precision, T = 7.9f + d x 0.33f in double.
    const double d = static_cast<float>(8.9f - 7.9f);
    EXPECT_EQ(t.t1, static_cast<double>(7.9f) + d * static_cast<double>(0.33f));
    EXPECT_EQ(t.t2, static_cast<double>(7.9f) + d * static_cast<double>(0.66f));
    const float s = 2.0f;  // exactly steppesFactor: steppe climate
    EXPECT_EQ(heightCode(parameters, 5.0f, s, t), kLake);
    EXPECT_EQ(heightCode(parameters, above(5.0f), s, t), kSteppes);
    EXPECT_EQ(heightCode(parameters, 7.9f, s, t), kSteppes);
    EXPECT_EQ(heightCode(parameters, above(7.9f), s, t), kPlains);
    float t1 = static_cast<float>(t.t1);
    if (t1 > t.t1) t1 = below(t1);  // the last float not above T1
    EXPECT_EQ(heightCode(parameters, t1, s, t), kPlains);
    EXPECT_EQ(heightCode(parameters, above(t1), s, t), kHills);
    float t2 = static_cast<float>(t.t2);
    if (t2 > t.t2) t2 = below(t2);
    EXPECT_EQ(heightCode(parameters, t2, s, t), kHills);
    EXPECT_EQ(heightCode(parameters, above(t2), s, t), kHighHills);
    EXPECT_EQ(heightCode(parameters, 8.9f, s, t), kHighHills);
    EXPECT_EQ(heightCode(parameters, above(8.9f), s, t), 5);
    EXPECT_EQ(heightCode(parameters, 6.8f, above(2.0f), t), kFertilePlains);
}

TEST_F(TerrainRulesTest, SteppesFactorOutsideTheScale) {
    parameters.steppesFactor = -0.5f;
    const SteppeThresholds t = steppeThresholds(parameters);
    EXPECT_EQ(heightCode(parameters, 6.0f, 0.0f, t), kPlains);
    parameters.steppesFactor = 10.0f;
    EXPECT_EQ(heightCode(parameters, 6.0f, 10.0f, t), kSteppes);
}

TEST_F(TerrainRulesTest, DesertAwayFromWater) {
    // desertFactor 4: D = 2, arid from 1.333, "APlains" from 1.6.
    EXPECT_EQ(desertCode(parameters, random, 1.0f, 6.0f, false, kPlains), kDesert);
    EXPECT_EQ(desertCode(parameters, random, 1.0f, 8.9f, false, kHighHills), kDesert);
    EXPECT_EQ(desertCode(parameters, random, 1.0f, 9.0f, false, 5), kDesertMount1);
    EXPECT_EQ(desertCode(parameters, random, 1.0f, 9.6f, false, 6), kDesertMount1);
    EXPECT_EQ(desertCode(parameters, random, 1.0f, 9.7f, false, 7), kDesertMount2);
    EXPECT_EQ(desertCode(parameters, random, 1.333f, 6.0f, false, kPlains), kDesert);
    EXPECT_EQ(desertCode(parameters, random, 1.334f, 6.0f, false, kPlains), kArid);
    EXPECT_EQ(desertCode(parameters, random, 1.5f, 7.9f, false, kHills), kArid);
    EXPECT_EQ(desertCode(parameters, random, 1.5f, 8.0f, false, kHighHills), kHighHills);
    EXPECT_EQ(desertCode(parameters, random, 1.6f, 6.0f, false, kPlains), kAPlains);  // 1.6f is just above 1.6
    EXPECT_EQ(desertCode(parameters, random, 2.0f, 6.0f, false, kPlains), kAPlains);
    EXPECT_EQ(desertCode(parameters, random, above(2.0f), 6.0f, false, kPlains), kPlains);
    EXPECT_EQ(desertCode(parameters, random, 1.0f, 5.0f, false, kLake), kLake);
    parameters.levelMountain4 = 9.9f;
    EXPECT_EQ(desertCode(parameters, random, 1.0f, 10.0f, false, kVoid), kVoid);
    EXPECT_EQ(random.state(), 0u);  // no draw away from water
}

TEST_F(TerrainRulesTest, DesertNearWaterDrawsOnlyBelowTheAridLimit) {
    random.seed(1);
    EXPECT_EQ(desertCode(parameters, random, 1.7f, 6.0f, true, kPlains), kAPlains);
    EXPECT_EQ(random.state(), 1u);
    random.seed(seedForFirstDraw(16383));
    EXPECT_EQ(desertCode(parameters, random, 1.0f, 6.0f, true, kPlains), kAPlains);
    random.seed(seedForFirstDraw(16384));
    EXPECT_EQ(desertCode(parameters, random, 1.0f, 9.5f, true, 6), kArid);
    random.seed(seedForFirstDraw(32767));
    EXPECT_EQ(desertCode(parameters, random, 1.5f, 6.0f, true, kPlains), kArid);
}

TEST_F(TerrainRulesTest, JungleAtTheWetEnd) {
    EXPECT_EQ(jungleCode(parameters, 8.0f, 6.0f, kPlains), kJunglePlains);
    EXPECT_EQ(jungleCode(parameters, below(8.0f), 6.0f, kPlains), kPlains);
    EXPECT_EQ(jungleCode(parameters, 9.0f, 6.9f, kFertilePlains), kJunglePlains);
    EXPECT_EQ(jungleCode(parameters, 9.0f, above(6.9f), kHills), kJungleHills);
    EXPECT_EQ(jungleCode(parameters, 9.0f, 7.9f, kHills), kJungleHills);
    EXPECT_EQ(jungleCode(parameters, 9.0f, 8.9f, kHighHills), kJungleHighHills);
    EXPECT_EQ(jungleCode(parameters, 9.0f, above(8.9f), 5), 5);
    EXPECT_EQ(jungleCode(parameters, 9.0f, 5.0f, kLake), kLake);
    parameters.jungleFactor = 30.0f;  // |30 - 20| x 0.5 = 5
    EXPECT_EQ(jungleCode(parameters, 5.0f, 6.0f, kPlains), kJunglePlains);
}

TEST_F(TerrainRulesTest, ForestOnlyOnPlainsAndHills) {
    EXPECT_EQ(forestCode(parameters, 4.0f, kPlains), kForestPlains);
    EXPECT_EQ(forestCode(parameters, 0.0f, kHills), kForestHills);
    EXPECT_EQ(forestCode(parameters, 4.0f, kHighHills), kForestHighHills);
    EXPECT_EQ(forestCode(parameters, above(4.0f), kPlains), kPlains);
    for (TerrainCode c : {kVoid, kFertilePlains, 5, kSteppes, kDesert, kJunglePlains, kSea, kLake})
        EXPECT_EQ(forestCode(parameters, 1.0f, c), c) << c;
}

TEST_F(TerrainRulesTest, PolarDeepZone) {
    const float deep = 2.0f;
    EXPECT_EQ(polarCode(parameters, deep, 5.0f, kLake), kGlacier);
    // 5 - 0.7f is 4.30000001 in double but 4.3000002f in single: the single
    // value is the limit, so a tile at it stays water.
    EXPECT_EQ(polarCode(parameters, deep, 4.3000002f, kLake), kLake);
    EXPECT_EQ(polarCode(parameters, deep, above(4.3000002f), kLake), kGlacier);
    EXPECT_EQ(polarCode(parameters, deep, 6.0f, kPlains), kPlainsD);
    EXPECT_EQ(polarCode(parameters, deep, 7.0f, kHills), kHillsD);
    EXPECT_EQ(polarCode(parameters, deep, 7.0f, kForestHills), kHillsD);
    EXPECT_EQ(polarCode(parameters, deep, 8.0f, kHighHills), kHighHillsD);
    EXPECT_EQ(polarCode(parameters, deep, 9.0f, 5), kMount1S);
    EXPECT_EQ(polarCode(parameters, deep, 9.5f, 6), 30);
    EXPECT_EQ(polarCode(parameters, deep, 9.7f, 7), 31);
    EXPECT_EQ(polarCode(parameters, deep, 10.0f, kMount4), kMount4S);
    parameters.levelMountain4 = 9.9f;
    EXPECT_EQ(polarCode(parameters, deep, 10.0f, kVoid), kVoid);
}

TEST_F(TerrainRulesTest, PolarLightZoneKeepsForestUnderSnow) {
    const float light = 5.0f;
    EXPECT_EQ(polarCode(parameters, light, 6.0f, kPlains), kPlainsL);
    EXPECT_EQ(polarCode(parameters, light, 7.0f, kHills), kHillsL);
    EXPECT_EQ(polarCode(parameters, light, 8.0f, kHighHills), kHighHillsL);
    EXPECT_EQ(polarCode(parameters, light, 6.0f, kForestPlains), kSorestPlains);
    EXPECT_EQ(polarCode(parameters, light, 7.0f, kForestPlains), kSorestPlains);  // whatever the band
    EXPECT_EQ(polarCode(parameters, light, 6.0f, kForestHighHills), kSorestHighHills);
    EXPECT_EQ(polarCode(parameters, light, 9.0f, 5), kMount1S);
    EXPECT_EQ(polarCode(parameters, light, 4.9f, kLake), kLake);
    EXPECT_EQ(polarCode(parameters, light, 4.9f, kSea), kSea);
    EXPECT_EQ(polarCode(parameters, 8.0f, 6.0f, kPlains), kPlainsL);
    EXPECT_EQ(polarCode(parameters, above(8.0f), 6.0f, kPlains), kPlains);
}

TEST_F(TerrainRulesTest, PolarZoneLimitCompareInDouble) {
    // P / 3 = 2.666... in double; the nearest float lies above it.
    const float third = static_cast<float>(8.0 / 3.0);
    ASSERT_GT(static_cast<double>(third), 8.0 / 3.0);
    EXPECT_EQ(polarCode(parameters, third, 6.0f, kPlains), kPlainsL);
    EXPECT_EQ(polarCode(parameters, below(third), 6.0f, kPlains), kPlainsD);
}

TEST_F(TerrainRulesTest, PolarFactorZeroTakesOnlyExactZeros) {
    parameters.polarFactor = 0.0f;
    EXPECT_EQ(polarCode(parameters, 0.0f, 6.0f, kPlains), kPlainsD);
    EXPECT_EQ(polarCode(parameters, above(0.0f), 6.0f, kPlains), kPlains);
}

TEST_F(TerrainRulesTest, CorrectionsWriteBack) {
    parameters.desertFactor = 10.0f;
    parameters.jungleFactor = 10.0f;
    correctDesertFactor(parameters);
    correctJungleFactor(parameters);
    EXPECT_EQ(parameters.desertFactor, 9.9f);
    EXPECT_EQ(parameters.jungleFactor, 9.9f);
    parameters.desertFactor = 10.5f;
    parameters.jungleFactor = below(10.0f);
    correctDesertFactor(parameters);
    correctJungleFactor(parameters);
    EXPECT_EQ(parameters.desertFactor, 10.5f);
    EXPECT_EQ(parameters.jungleFactor, below(10.0f));

    parameters.levelSea = 0.5f;
    correctGlacierDepth(parameters);
    EXPECT_EQ(parameters.levelcorrectionGlacial, 0.5f);
    parameters.levelSea = 5.0f;
    correctGlacierDepth(parameters);
    EXPECT_EQ(parameters.levelcorrectionGlacial, 0.5f);
}

}  // namespace
}  // namespace pelorn::test
