#include "text/whole_number.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace pelorn {
namespace {

constexpr std::int64_t kMin64 = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMax64 = std::numeric_limits<std::int64_t>::max();

TEST(WholeNumber, StrictDigitsInRange) {
    const struct {
        const char* text;
        std::int64_t min;
        std::int64_t max;
        std::optional<std::int64_t> value;
    } cases[] = {
        {"0", 0, 10, 0},
        {"10", 0, 10, 10},
        {"11", 0, 10, std::nullopt},
        {"0007", 0, 10, 7},
        {"-3", -5, 5, -3},
        {"-5", -5, 5, -5},
        {"-6", -5, 5, std::nullopt},
        {"-0", -5, 5, 0},
        {"-1", 0, 10, std::nullopt},  // no sign where no negative number is
        {"-0", 0, 10, std::nullopt},
        {"+1", -5, 5, std::nullopt},
        {"-", -5, 5, std::nullopt},
        {"", 0, 10, std::nullopt},
        {" 1", 0, 10, std::nullopt},
        {"1 ", 0, 10, std::nullopt},
        {"1x", 0, 10, std::nullopt},
        {"1.0", 0, 10, std::nullopt},
        {"--1", -5, 5, std::nullopt},
        {"3", -5, -1, std::nullopt},
        {"0", -5, -1, std::nullopt},
        {"-1", -5, -1, -1},
        {"5", 6, 5, std::nullopt},  // an empty range
        {"-2147483648", INT32_MIN, INT32_MAX, INT32_MIN},
        {"2147483647", INT32_MIN, INT32_MAX, INT32_MAX},
        {"2147483648", INT32_MIN, INT32_MAX, std::nullopt},
        {"-2147483649", INT32_MIN, INT32_MAX, std::nullopt},
        {"4294967295", 0, 0xFFFFFFFF, 0xFFFFFFFF},
        {"4294967296", 0, 0xFFFFFFFF, std::nullopt},
        {"9223372036854775807", kMin64, kMax64, kMax64},
        {"-9223372036854775808", kMin64, kMax64, kMin64},
        {"9223372036854775808", kMin64, kMax64, std::nullopt},
        {"-9223372036854775809", kMin64, kMax64, std::nullopt},
        {"18446744073709551616", kMin64, kMax64, std::nullopt},  // would wrap to 0 in 64 bits
        {"99999999999999999999999999999999", kMin64, kMax64, std::nullopt},
        {"00000000000000000000000000000042", 0, 100, 42},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseWholeNumber(c.text, c.min, c.max), c.value) << '"' << c.text << "\" in " << c.min << ".." << c.max;
}

}  // namespace
}  // namespace pelorn
