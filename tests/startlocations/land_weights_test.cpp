#include <gtest/gtest.h>

#include <string>

#include "startlocations/land_weights.h"

namespace pelorn {
namespace {

TEST(LandWeights, DefaultTableAndCodesOutsideTheLegend) {
    const LandWeights w = defaultLandWeights();
    const struct {
        std::int32_t weight;
        std::vector<TerrainCode> codes;
    } tiers[] = {
        {3, {1, 2, 23, 38, 20}},
        {2, {3, 4, 9, 14, 15, 25, 27, 33, 19}},
        {1, {10, 16, 17, 18, 24, 26, 28, 34, 35, 37, 21, 22}},
        {0, {0, 5, 6, 7, 8, 11, 12, 13, 29, 30, 31, 32, 36}},
    };
    int listed = 0;
    for (const auto& tier : tiers) {
        for (TerrainCode c : tier.codes) {
            EXPECT_EQ(w.weightOf(c), tier.weight) << "code " << c;
            ++listed;
        }
    }
    EXPECT_EQ(listed, kLastLegendCode + 1) << "every legend code in one tier";
    // A start location weighs as its land; codes without a terrain weigh nothing.
    const TerrainCode bases[] = {1, 2, 3, 4, 9, 14, 15, 16, 23, 25, 27};
    for (int i = 0; i < 11; ++i) EXPECT_EQ(w.weightOf(50 + i), w.weightOf(bases[i])) << "code " << 50 + i;
    for (TerrainCode c : {-1, 39, 45, 49, 61, 1000, INT32_MIN, INT32_MAX}) EXPECT_EQ(w.weightOf(c), 0) << "code " << c;
}

TEST(LandWeights, ParsesCommentsBlanksTabsAndCrLf) {
    LandWeights w = defaultLandWeights();
    std::string error;
    ASSERT_TRUE(parseLandWeights("# my table\r\n\r\n  2 7 # plains\r\n\t38\t1000\n0 0\n05 0003", w, error)) << error;
    LandWeights expected;
    expected.byCode[2] = 7;
    expected.byCode[38] = 1000;
    expected.byCode[5] = 3;
    EXPECT_EQ(w, expected) << "codes not listed weigh 0";
}

TEST(LandWeights, FormatReadsBack) {
    const LandWeights original = defaultLandWeights();
    LandWeights back;
    std::string error;
    ASSERT_TRUE(parseLandWeights(formatLandWeights(original), back, error)) << error;
    EXPECT_EQ(back, original);
    EXPECT_EQ(formatLandWeights(original).substr(0, 1), "#");
}

TEST(LandWeights, RefusesHostileTextAndKeepsTheTable) {
    const struct {
        std::string text;
        std::string error;
    } cases[] = {
        {"", "no CODE WEIGHT lines"},
        {"# only a comment\n\n", "no CODE WEIGHT lines"},
        {"1", "line 1: expected CODE WEIGHT"},
        {"1 2\n1 2 3", "line 2: expected CODE WEIGHT"},
        {"39 1", "line 1: code must be a whole number from 0 to 38"},
        {"50 1", "line 1: code must be a whole number from 0 to 38"},
        {"-1 2", "line 1: code must be a whole number from 0 to 38"},
        {"1 1001", "line 1: weight must be a whole number from 0 to 1000"},
        {"1 +2", "line 1: weight must be a whole number from 0 to 1000"},
        {"1 2x", "line 1: weight must be a whole number from 0 to 1000"},
        {"1 -0", "line 1: weight must be a whole number from 0 to 1000"},
        {"1 99999999999999999999999999", "line 1: weight must be a whole number from 0 to 1000"},
        {"1 2\n\n1 3", "line 3: code 1 given twice"},
        {std::string("1\0 2", 4), "line 1: code must be a whole number from 0 to 38"},
        {"1\v2", "line 1: expected CODE WEIGHT"},
        {std::string(kMaxWeightsFileBytes + 1, ' '), "more than 65536 bytes"},
    };
    for (const auto& c : cases) {
        LandWeights w = defaultLandWeights();
        std::string error;
        EXPECT_FALSE(parseLandWeights(c.text, w, error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
        EXPECT_EQ(w, defaultLandWeights()) << "unchanged after '" << c.text << "'";
    }
}

}  // namespace
}  // namespace pelorn
