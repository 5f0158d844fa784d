#include "generator/random_field.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "generator_test_support.h"

namespace pelorn::test {
namespace {

using RandomFieldTest = GeneratorTest;

FloatField makeField(std::int32_t w, std::int32_t h, float value) {
    FloatField field;
    EXPECT_TRUE(field.allocate(w, h));
    field.fill(value);
    return field;
}

// The value the fill stores for a cell whose mean is `mean`, with amplitude a
// and the draw r of its offset.
float displaced(float mean, float a, std::int32_t r) {
    const double q = static_cast<float>(r / 32767.0);
    const float offset = static_cast<float>(2.0 * a * q - a);
    double v = static_cast<double>(mean) + offset;
    if (v < 0.0) v = 0.0;
    if (v > 10.0) v = 10.0;
    return static_cast<float>(v);
}

float cornerValue(std::int32_t r) {
    double v = static_cast<double>(static_cast<float>(r / 32767.0)) * 20.0 - 10.0;
    if (v < 0.0) v = 0.0;
    if (v > 10.0) v = 10.0;
    return static_cast<float>(v);
}

TEST_F(RandomFieldTest, WorkingSizeIsTheNextSideOf128kPlusOne) {
    EXPECT_EQ(workingSize(1), 129);
    EXPECT_EQ(workingSize(100), 129);
    EXPECT_EQ(workingSize(129), 129);
    EXPECT_EQ(workingSize(130), 257);
    EXPECT_EQ(workingSize(200), 257);
    EXPECT_EQ(workingSize(300), 385);
    EXPECT_EQ(workingSize(400), 513);
    EXPECT_EQ(workingSize(500), 513);
    EXPECT_EQ(workingSize(513), 513);
    EXPECT_EQ(workingSize(514), 641);
    EXPECT_EQ(workingSize(1000), 1025);
    EXPECT_EQ(workingSize(10000), 10113);
}

TEST_F(RandomFieldTest, FieldIsOneBlockOfColumns) {
    FloatField field;
    EXPECT_FALSE(field.allocate(0, 5));
    EXPECT_TRUE(field.empty());
    ASSERT_TRUE(field.allocate(3, 4));
    field.fill(2.5f);
    field[2][3] = 7.0f;
    EXPECT_EQ(field.cells[2 * 4 + 3], 7.0f);
    EXPECT_EQ(field[0][0], 2.5f);
    field.release();
    EXPECT_TRUE(field.empty());
}

TEST_F(RandomFieldTest, NeighbourMeanWrapsWithPeriodOneLessThanTheSide) {
    FloatField field = makeField(129, 129, kUnsetValue);
    EXPECT_EQ(neighbourMean(field, 10, 10, 129, 129, 4), 5.0);  // nothing set

    field[124][10] = 2.5f;  // x = 0 - 4 wraps to 124, not 125
    field[125][10] = 9.0f;
    EXPECT_EQ(neighbourMean(field, 0, 10, 129, 129, 4), 2.5);

    field[4][20] = 7.0f;  // x = 128 + 4 wraps to 4
    EXPECT_EQ(neighbourMean(field, 128, 20, 129, 129, 4), 7.0);

    field[128][30] = 1.0f;  // x + d = 128 is inside: no wrap
    field[0][30] = 9.0f;
    EXPECT_EQ(neighbourMean(field, 124, 30, 129, 129, 4), 1.0);

    field[40][120] = 3.0f;  // y = 0 - 8 wraps to 120
    field[40][8] = 6.0f;
    EXPECT_EQ(neighbourMean(field, 40, 0, 129, 129, 8), 4.5);
}

TEST_F(RandomFieldTest, NeighbourMeanAveragesOnlySetCells) {
    FloatField field = makeField(129, 129, kUnsetValue);
    field[50][48] = 1.0f;
    field[50][52] = 2.0f;
    field[48][50] = 4.0f;  // (52, 50) stays unset
    EXPECT_EQ(neighbourMean(field, 50, 50, 129, 129, 2), 7.0 / 3.0);
    field[52][50] = 10.999f;  // close to the marker, but set
    EXPECT_EQ(neighbourMean(field, 50, 50, 129, 129, 2), (7.0 + static_cast<double>(10.999f)) / 4.0);
}

TEST_F(RandomFieldTest, FillOfAnUnsetFieldSetsEveryCellOnceOnATorus) {
    FloatField field = makeField(129, 129, kUnsetValue);
    random.seed(12345);
    fillField(field, 129, 129, 17, false, parameters, random);
    // One corner draw, then one draw per other cell of the 128 x 128 torus:
    // the last column and row mirror the first and cost nothing.
    EXPECT_EQ(drawsSince(random, 12345), 1 + (128 * 128 - 1));
    ReferenceLcg lcg(12345);
    const float corner = cornerValue(lcg.next());
    EXPECT_EQ(field[0][0], corner);
    EXPECT_EQ(field[0][128], corner);
    EXPECT_EQ(field[128][0], corner);
    EXPECT_EQ(field[128][128], corner);
    for (int x = 0; x < 129; ++x) {
        for (int y = 0; y < 129; ++y) {
            ASSERT_GE(field[x][y], 0.0f) << x << "," << y;
            ASSERT_LE(field[x][y], 10.0f) << x << "," << y;
        }
        EXPECT_EQ(field[x][0], field[x][128]) << x;
        EXPECT_EQ(field[0][x], field[128][x]) << x;
    }
}

TEST_F(RandomFieldTest, FixedCellsKeepTheirValuesButCornersAreAlwaysDrawn) {
    FloatField field = makeField(129, 129, kUnsetValue);
    field[64][64] = 3.0f;
    field[10][20] = 7.5f;
    field[0][0] = 6.0f;
    field[128][128] = 6.0f;
    random.seed(7);
    fillField(field, 129, 129, 17, false, parameters, random);
    EXPECT_EQ(field[64][64], 3.0f);
    EXPECT_EQ(field[10][20], 7.5f);
    ReferenceLcg lcg(7);
    EXPECT_EQ(field[0][0], cornerValue(lcg.next()));
    EXPECT_EQ(field[128][128], field[0][0]);
    EXPECT_EQ(drawsSince(random, 7), 1 + (128 * 128 - 1) - 2);
}

TEST_F(RandomFieldTest, HorizontalSeaSeedingDrawsBothEdgeColumnsRowByRow) {
    parameters.seedHorizontalSea = 1;
    FloatField field = makeField(129, 129, kUnsetValue);
    random.seed(4242);
    fillField(field, 129, 129, 17, true, parameters, random);
    ReferenceLcg lcg(4242);
    lcg.next();  // corners
    for (int y = 0; y < 129; ++y) {
        EXPECT_EQ(field[0][y], static_cast<float>(lcg.next() / 32767.0 * 0.48)) << y;
        EXPECT_EQ(field[128][y], static_cast<float>(lcg.next() / 32767.0 * 0.48)) << y;
        EXPECT_GE(field[0][y], 0.0f);
        EXPECT_LE(field[0][y], 0.48f);
    }
    // The two seeded columns are set, so the rest is the 127 inner columns.
    EXPECT_EQ(drawsSince(random, 4242), 1 + 2 * 129 + 127 * 128);
}

TEST_F(RandomFieldTest, VerticalSeaSeedingComesAfterHorizontalAndOverwritesCorners) {
    parameters.seedHorizontalSea = 1;
    parameters.seedVerticalSea = 1;
    FloatField field = makeField(129, 129, kUnsetValue);
    random.seed(5);
    fillField(field, 129, 129, 17, true, parameters, random);
    ReferenceLcg lcg(5);
    for (int i = 0; i < 1 + 2 * 129; ++i) lcg.next();
    for (int x = 0; x < 129; ++x) {
        EXPECT_EQ(field[x][0], static_cast<float>(lcg.next() / 32767.0 * 0.48)) << x;
        EXPECT_EQ(field[x][128], static_cast<float>(lcg.next() / 32767.0 * 0.48)) << x;
    }
    for (int y = 0; y < 129; ++y) {
        EXPECT_LE(field[0][y], 0.48f);
        EXPECT_LE(field[128][y], 0.48f);
    }
}

TEST_F(RandomFieldTest, SeaSeedingOnlyForTheHeightField) {
    parameters.seedHorizontalSea = 1;
    parameters.seedVerticalSea = 1;
    FloatField field = makeField(129, 129, kUnsetValue);
    random.seed(5);
    fillField(field, 129, 129, 17, false, parameters, random);
    EXPECT_EQ(drawsSince(random, 5), 1 + (128 * 128 - 1));
}

// Every cell 5.0 but one: the fill draws the corners and then that cell's
// offset alone, at the amplitude of the step that reaches it.
struct SingleCell {
    std::int32_t x;
    std::int32_t y;
};
float fillOne(const GeneratorParameters& parameters, std::int32_t size, SingleCell cell, std::int32_t length,
              std::uint32_t seed) {
    FloatField field = makeField(size, size, 5.0f);
    field[cell.x][cell.y] = kUnsetValue;
    Random random(seed);
    fillField(field, size, size, length, false, parameters, random);
    EXPECT_EQ(drawsSince(random, seed), 2);
    return field[cell.x][cell.y];
}

TEST_F(RandomFieldTest, FirstSquareStepKeepsFullAmplitudeUpToLength64) {
    parameters.roughnessFactor = 1.2f;
    ReferenceLcg lcg(31);
    lcg.next();
    const std::int32_t r = lcg.next();
    // (128, 64) of a 257 field is first reached by the square step at spacing 64.
    EXPECT_EQ(fillOne(parameters, 257, {128, 64}, 64, 31), displaced(5.0f, 10.0f, r));
    EXPECT_EQ(fillOne(parameters, 257, {128, 64}, 65, 31), displaced(5.0f, static_cast<float>(1.0 / 2.2 * 10.0), r));
    EXPECT_EQ(fillOne(parameters, 257, {128, 64}, 1000, 31), displaced(5.0f, static_cast<float>(1.0 / 2.2 * 10.0), r));
}

TEST_F(RandomFieldTest, DampingStartsAtTheFirstCounterNotAboveTheLength) {
    parameters.roughnessFactor = 1.0f;
    ReferenceLcg lcg(8);
    lcg.next();
    const std::int32_t r = lcg.next();
    // (16, 32) is first reached by the square step at spacing 16 (counter 17).
    EXPECT_EQ(fillOne(parameters, 129, {16, 32}, 16, 8), displaced(5.0f, 10.0f, r));
    EXPECT_EQ(fillOne(parameters, 129, {16, 32}, 17, 8), displaced(5.0f, 5.0f, r));
    EXPECT_EQ(fillOne(parameters, 129, {16, 32}, 33, 8), displaced(5.0f, 2.5f, r));
    EXPECT_EQ(fillOne(parameters, 129, {16, 32}, 65, 8), displaced(5.0f, 1.25f, r));
}

TEST_F(RandomFieldTest, DiamondStepUsesThePreviousSquareStepsAmplitude) {
    parameters.roughnessFactor = 3.0f;
    ReferenceLcg lcg(77);
    const float corner = cornerValue(lcg.next());
    const std::int32_t r = lcg.next();
    // The first diamond centre, the mean of the four corners, always has the full amplitude.
    EXPECT_EQ(fillOne(parameters, 129, {64, 64}, 1000, 77), displaced(corner, 10.0f, r));
    // (96, 96) of a 257 field, a centre of the second diamond step, follows
    // the amplitude of the first square step.
    EXPECT_EQ(fillOne(parameters, 257, {96, 96}, 65, 77), displaced(5.0f, 2.5f, r));
    EXPECT_EQ(fillOne(parameters, 257, {96, 96}, 64, 77), displaced(5.0f, 10.0f, r));
}

TEST_F(RandomFieldTest, FirstDiamondCornersOutsideTheFieldCountAsUnset) {
    // 257 x 129: the square of side 256 reaches rows up to 256, past the last
    // row; its lower corners count as 11.0.
    FloatField field = makeField(257, 129, 5.0f);
    field[128][128] = kUnsetValue;
    random.seed(3);
    fillField(field, 257, 129, 17, false, parameters, random);
    ReferenceLcg lcg(3);
    const float corner = cornerValue(lcg.next());
    const float mean = static_cast<float>((11.0 + corner + corner + 11.0) * 0.25);
    EXPECT_EQ(field[128][128], displaced(mean, 10.0f, lcg.next()));
    EXPECT_EQ(drawsSince(random, 3), 2);
}

TEST_F(RandomFieldTest, FirstDiamondCentreOutsideTheFieldIsSkippedWithoutADraw) {
    // 385 x 129: the centre (192, 192) lies below the last row.
    FloatField field = makeField(385, 129, kUnsetValue);
    random.seed(11);
    fillField(field, 385, 129, 17, false, parameters, random);
    EXPECT_EQ(drawsSince(random, 11), 1 + (384 * 128 - 1));
    for (int x = 0; x < 385; ++x)
        for (int y = 0; y < 129; ++y) ASSERT_LE(field[x][y], 10.0f);
}

TEST_F(RandomFieldTest, ZeroAmplitudeDrawsNothing) {
    // A roughness so large that the amplitude underflows to 0 from the second
    // square step on: corners, the first diamond centre, two square-64 points
    // and four second-diamond centres are all the draws there are.
    parameters.roughnessFactor = 3.4e38f;
    FloatField field = makeField(129, 129, kUnsetValue);
    random.seed(21);
    fillField(field, 129, 129, 1000, false, parameters, random);
    EXPECT_EQ(drawsSince(random, 21), 8);
    // Without offsets a cell is the mean of its neighbours.
    EXPECT_EQ(field[16][0], static_cast<float>(neighbourMean(field, 16, 0, 129, 129, 16)));
}

TEST_F(RandomFieldTest, RoughnessMinusOneGivesDefinedValues) {
    // The damping divides by zero: the amplitude becomes infinite and every
    // offset inf - inf, which the fill stores as 0.
    parameters.roughnessFactor = -1.0f;
    FloatField field = makeField(129, 129, kUnsetValue);
    random.seed(1);
    fillField(field, 129, 129, 1000, false, parameters, random);
    ReferenceLcg lcg(1);
    const float corner = cornerValue(lcg.next());
    EXPECT_EQ(field[64][64], displaced(corner, 10.0f, lcg.next()));
    for (int x = 0; x < 129; ++x) {
        for (int y = 0; y < 129; ++y) {
            const bool corners = (x == 0 || x == 128) && (y == 0 || y == 128);
            if (corners || (x == 64 && y == 64)) continue;
            ASSERT_EQ(field[x][y], 0.0f) << x << "," << y;
        }
    }
}

// Resampling: the source of target i is floor(i x source / target + 0.5),
// except where that sum is a tie and the single-precision position, summed
// step by step, lands just below it.
std::vector<std::int32_t> expectedSources(std::int32_t target, std::int32_t source,
                                          std::vector<std::int32_t> tiesRoundedDown) {
    std::vector<std::int32_t> sources;
    for (std::int32_t i = 0; i < target; ++i) {
        const std::int64_t twice = 2LL * i * source + target;  // 2 (i s / t + 1/2) in units of 1/t
        std::int32_t s = static_cast<std::int32_t>(twice / (2LL * target));
        for (std::int32_t tie : tiesRoundedDown)
            if (tie == i) --s;
        sources.push_back(s);
    }
    return sources;
}

float code(std::int32_t x, std::int32_t y) { return static_cast<float>(x * 1000 + y); }

void checkResample(std::int32_t qx, std::int32_t qy, const std::vector<std::int32_t>& columnTies,
                   const std::vector<std::int32_t>& rowTies) {
    const std::int32_t w = workingSize(qx * 100);
    const std::int32_t h = workingSize(qy * 100);
    FloatField field;
    ASSERT_TRUE(field.allocate(w, h));
    for (std::int32_t x = 0; x < w; ++x)
        for (std::int32_t y = 0; y < h; ++y) field[x][y] = code(x, y);
    resampleField(field, w, h, qx * 100, qy * 100);
    const auto cols = expectedSources(qx * 100, w, columnTies);
    const auto rows = expectedSources(qy * 100, h, rowTies);
    for (std::int32_t x = 0; x < w; ++x) {
        for (std::int32_t y = 0; y < h; ++y) {
            const std::int32_t sx = x < qx * 100 ? cols[static_cast<std::size_t>(x)] : x;
            const std::int32_t sy = y < qy * 100 ? rows[static_cast<std::size_t>(y)] : y;
            ASSERT_EQ(field[x][y], code(sx, sy)) << x << "," << y;
        }
    }
}

TEST_F(RandomFieldTest, ResampleOneQuadTakesTheLastLineFromTheLastCell) {
    checkResample(1, 1, {}, {});
    const auto cols = expectedSources(100, 129, {});
    EXPECT_EQ(cols[99], 128);
    EXPECT_EQ(cols[50], 65);  // 64.5 exactly: rounds up
}

TEST_F(RandomFieldTest, ResampleAcrossSizesKeepsLeftoversBeyondTheMap) {
    checkResample(2, 1, {}, {});
    checkResample(3, 2, {30, 90}, {});
}

TEST_F(RandomFieldTest, ResampleTenQuadsFollowsSinglePrecisionPositions) {
    const std::vector<std::int32_t> ties{20, 180, 220, 260, 300, 340, 380, 420, 460, 500, 540, 580};
    const auto sources = expectedSources(1000, 1025, ties);
    EXPECT_EQ(sources[20], 20);
    EXPECT_EQ(sources[999], 1024);
    checkResample(10, 1, ties, {});
}

}  // namespace
}  // namespace pelorn::test
