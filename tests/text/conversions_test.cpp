#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "text/conversions.h"

namespace pelorn {
namespace {

std::uint32_t bitsOf(float f) {
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

float floatOfBits(std::uint32_t bits) {
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

// The C library's "%.6g" with its exponent widened to three digits: an
// independent oracle for realToText.
std::string printfGeneral(float r) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6g", static_cast<double>(r));
    std::string text(buffer);
    const std::size_t e = text.find('e');
    if (e != std::string::npos) {
        std::string digits = text.substr(e + 2);
        while (digits.size() < 3) digits.insert(digits.begin(), '0');
        text = text.substr(0, e + 2) + digits;
    }
    return text;
}

TEST(IntToText, DecimalDigitsWithMinusOnlyWhenNegative) {
    EXPECT_EQ(intToText(0), "0");
    EXPECT_EQ(intToText(7), "7");
    EXPECT_EQ(intToText(1000), "1000");
    EXPECT_EQ(intToText(-5), "-5");
    EXPECT_EQ(intToText(2147483647), "2147483647");
    const std::string least = intToText(std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(least, "-2147483648");
    EXPECT_EQ(least.size(), 11u);
}

TEST(RealToText, ExamplesOfTheSettingsFile) {
    EXPECT_EQ(realToText(1.2f), "1.2");
    EXPECT_EQ(realToText(6.7f), "6.7");
    EXPECT_EQ(realToText(0.7f), "0.7");
    EXPECT_EQ(realToText(10.0f), "10");
    EXPECT_EQ(realToText(4.0f), "4");
    EXPECT_EQ(realToText(5000.0f), "5000");
    EXPECT_EQ(realToText(0.0001f), "0.0001");
    EXPECT_EQ(realToText(0.0f), "0");
    EXPECT_EQ(realToText(-2.5f), "-2.5");
    EXPECT_EQ(realToText(123456.0f), "123456");
    EXPECT_EQ(realToText(0.000123456f), "0.000123456");
}

TEST(RealToText, ExponentFormHasSignAndThreeDigits) {
    EXPECT_EQ(realToText(1234567.0f), "1.23457e+006");
    EXPECT_EQ(realToText(0.00001f), "1e-005");
    EXPECT_EQ(realToText(999999.7f), "1e+006");  // rounds up into the next decade
    EXPECT_EQ(realToText(1e-10f), "1e-010");
    EXPECT_EQ(realToText(3.4e38f), "3.4e+038");
    EXPECT_EQ(realToText(-1.5e20f), "-1.5e+020");
    EXPECT_EQ(realToText(std::numeric_limits<float>::denorm_min()), "1.4013e-045");
}

TEST(RealToText, AgreesWithTheGeneralFormOverManyValues) {
    std::mt19937 engine(12345);
    int compared = 0;
    for (int i = 0; i < 200000; ++i) {
        const float r = floatOfBits(static_cast<std::uint32_t>(engine()));
        if (!std::isfinite(r)) continue;
        ASSERT_EQ(realToText(r), printfGeneral(r)) << "bits " << bitsOf(r);
        ++compared;
    }
    EXPECT_GT(compared, 190000);
}

TEST(TextToInt, StreamStyleExtraction) {
    EXPECT_EQ(textToInt("42"), 42);
    EXPECT_EQ(textToInt("   7"), 7);
    EXPECT_EQ(textToInt("\t\n\r\v\f 7"), 7);
    EXPECT_EQ(textToInt("12abc"), 12);
    EXPECT_EQ(textToInt("3.9"), 3);
    EXPECT_EQ(textToInt("0x1F"), 0);
    EXPECT_EQ(textToInt(""), 0);
    EXPECT_EQ(textToInt("word"), 0);
    EXPECT_EQ(textToInt("-5"), -5);
    EXPECT_EQ(textToInt("+5"), 5);
    EXPECT_EQ(textToInt("007"), 7);
    EXPECT_EQ(textToInt("+"), 0);
    EXPECT_EQ(textToInt("- 5"), 0);
    EXPECT_EQ(textToInt("+-5"), 0);
}

TEST(TextToInt, ThirtyTwoBitRange) {
    EXPECT_EQ(textToInt("2147483647"), 2147483647);
    EXPECT_EQ(textToInt("2147483648"), 0);
    EXPECT_EQ(textToInt("-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(textToInt("-2147483649"), 0);
    EXPECT_EQ(textToInt("99999999999999999999999999"), 0);
    EXPECT_EQ(textToInt("00000000000000000000000012"), 12);
}

TEST(TextToReal, StreamStyleExtraction) {
    EXPECT_EQ(textToReal("1.5"), 1.5f);
    EXPECT_EQ(textToReal(".5"), 0.5f);
    EXPECT_EQ(textToReal("2e1"), 20.0f);
    EXPECT_EQ(textToReal("7"), 7.0f);
    EXPECT_EQ(textToReal("3.4x"), 3.4f);
    EXPECT_EQ(textToReal(""), 0.0f);
    EXPECT_EQ(textToReal("+2.5"), 2.5f);
    EXPECT_EQ(textToReal("-.25"), -0.25f);
    EXPECT_EQ(textToReal("  5."), 5.0f);
    EXPECT_EQ(textToReal("1.5E2"), 150.0f);
    EXPECT_EQ(textToReal("6.7"), 6.7f);
    EXPECT_EQ(textToReal("."), 0.0f);
    EXPECT_EQ(textToReal("abc"), 0.0f);
}

TEST(TextToReal, ExponentMarkNeedsADigit) {
    EXPECT_EQ(textToReal("1e"), 0.0f);
    EXPECT_EQ(textToReal("1e+"), 0.0f);
    EXPECT_EQ(textToReal("2.5E-x"), 0.0f);
    EXPECT_EQ(textToReal("1e5x"), 100000.0f);
}

TEST(TextToReal, AnyNumberOfExponentDigits) {
    EXPECT_EQ(textToReal("1e-005"), 1e-5f);
    EXPECT_EQ(textToReal("1.23457e+006"), 1234570.0f);
    EXPECT_EQ(textToReal("1e0000000000000000000001"), 10.0f);
    EXPECT_EQ(textToReal("1e+38"), 1e38f);
}

TEST(TextToReal, OutsideSinglePrecisionGivesZero) {
    EXPECT_EQ(textToReal("1e39"), 0.0f);
    EXPECT_EQ(textToReal("-1e39"), 0.0f);
    EXPECT_EQ(textToReal("1e99999999999999"), 0.0f);
    EXPECT_EQ(textToReal("3.4028235e38"), FLT_MAX);
    // Too small rounds to zero however the exponent is written.
    EXPECT_EQ(textToReal("1e-50"), 0.0f);
    EXPECT_EQ(textToReal("1e-400"), 0.0f);
    EXPECT_EQ(textToReal("0.0000000000000000000000000000000000000000000000000001"), 0.0f);
    // A value in the subnormal range is still a value.
    EXPECT_EQ(textToReal("1e-40"), 1e-40f);
    EXPECT_NE(textToReal("1e-40"), 0.0f);
}

TEST(TextToReal, RoundTripOfSixDigitDecimals) {
    // Every float nearest to a decimal of at most six significant digits
    // comes back exactly; the C library's strtof gives the nearest float.
    std::mt19937 engine(777);
    std::uniform_int_distribution<int> mantissa(1, 999999);
    std::uniform_int_distribution<int> exponent(-36, 32);
    for (int i = 0; i < 100000; ++i) {
        char decimal[48];
        std::snprintf(decimal, sizeof decimal, "%de%d", mantissa(engine), exponent(engine));
        const float nearest = std::strtof(decimal, nullptr);
        const std::string text = realToText(nearest);
        ASSERT_EQ(bitsOf(textToReal(text)), bitsOf(nearest)) << decimal << " -> " << text;
    }
}

TEST(TextToReal, RoundTripOfArbitraryFloatsGivesTheSixDigitRounding) {
    std::mt19937 engine(4242);
    for (int i = 0; i < 100000; ++i) {
        const float r = floatOfBits(static_cast<std::uint32_t>(engine()));
        if (!std::isfinite(r)) continue;
        const std::string text = realToText(r);
        const float back = textToReal(text);
        ASSERT_EQ(bitsOf(back), bitsOf(std::strtof(text.c_str(), nullptr))) << text;
        if (std::fabs(r) >= FLT_MIN) {
            ASSERT_EQ(realToText(back), text);
        }
    }
}

TEST(RemoveBlanks, RemovesOnlyCode32) {
    std::string name = "  New  World ";
    removeBlanks(name);
    EXPECT_EQ(name, "NewWorld");
    std::string plain = "Plain";
    removeBlanks(plain);
    EXPECT_EQ(plain, "Plain");
    std::string blanks = "    ";
    removeBlanks(blanks);
    EXPECT_EQ(blanks, "");
    std::string tabs = "a\tb c\n";
    removeBlanks(tabs);
    EXPECT_EQ(tabs, "a\tbc\n");
}

TEST(TokenReaders, AdvanceOnSuccessAndLeaveTheTargetOnFailure) {
    const std::string_view text = " 12 -3\r\n4.5e1 word 7x";
    std::size_t pos = 0;
    std::int32_t n = 99;
    ASSERT_TRUE(readIntToken(text, pos, n));
    EXPECT_EQ(n, 12);
    ASSERT_TRUE(readIntToken(text, pos, n));
    EXPECT_EQ(n, -3);
    float r = 0.0f;
    ASSERT_TRUE(readRealToken(text, pos, r));
    EXPECT_EQ(r, 45.0f);
    n = 99;
    EXPECT_FALSE(readIntToken(text, pos, n));
    EXPECT_EQ(n, 99);
    std::string word = "before";
    ASSERT_TRUE(readWordToken(text, pos, word));
    EXPECT_EQ(word, "word");
    ASSERT_TRUE(readIntToken(text, pos, n));
    EXPECT_EQ(n, 7);
    ASSERT_TRUE(readWordToken(text, pos, word));
    EXPECT_EQ(word, "x");
    EXPECT_FALSE(readWordToken(text, pos, word));
    EXPECT_EQ(word, "x");
    EXPECT_FALSE(readIntToken(text, pos, n));
    EXPECT_FALSE(readRealToken(text, pos, r));
}

TEST(TokenReaders, WordViewsPointIntoTheText) {
    const std::string text = " \r\nfirst\tsecond\v";
    std::size_t pos = 0;
    std::string_view word;
    ASSERT_TRUE(readWordView(text, pos, word));
    EXPECT_EQ(word, "first");
    EXPECT_EQ(word.data(), text.data() + 3) << "no copy";
    ASSERT_TRUE(readWordView(text, pos, word));
    EXPECT_EQ(word, "second");
    EXPECT_FALSE(readWordView(text, pos, word));
    EXPECT_EQ(word, "second");
    EXPECT_EQ(pos, text.size());
}

TEST(TokenReaders, StreamSpaceIsTheSixClassicCharacters) {
    for (int c = 0; c < 256; ++c) {
        const bool expected = c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
        EXPECT_EQ(isStreamSpace(static_cast<char>(c)), expected) << c;
    }
}

}  // namespace
}  // namespace pelorn
