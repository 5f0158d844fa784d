#include "text/seed_text.h"

#include <gtest/gtest.h>

#include <string>

namespace pelorn {
namespace {

TEST(SeedText, ReadsWholeNumbersOfThirtyTwoBits) {
    const struct {
        const char* text;
        std::optional<std::uint32_t> seed;
    } cases[] = {
        {"0", 0u},
        {"123456789", 123456789u},
        {"4294967295", 4294967295u},
        {"  42\t", 42u},
        {"000000000000000000000000042", 42u},  // leading zeros, longer than any field buffer
        {"4294967296", std::nullopt},
        {"99999999999999999999999999999", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"-1", std::nullopt},
        {"+5", std::nullopt},
        {"12ab", std::nullopt},
        {"1.5", std::nullopt},
        {"1 2", std::nullopt},
        {"seed 7", std::nullopt},
        {"0x10", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(textToSeed(c.text), c.seed) << '"' << c.text << '"';
}

TEST(SeedText, WrittenAsItIsRead) {
    for (std::uint32_t seed : {0u, 1u, 1234567u, 2147483648u, 4294967295u}) {
        EXPECT_EQ(textToSeed(seedToText(seed)), seed);
    }
    EXPECT_EQ(seedToText(4294967295u), "4294967295");
}

}  // namespace
}  // namespace pelorn
