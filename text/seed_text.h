// The random generator's seed as the user reads and types it: a whole number
// from 0 to 4294967295 (the generator's 32-bit state).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pelorn {

// Decimal digits.
std::string seedToText(std::uint32_t seed);

// Decimal digits, with blanks or tabs around them allowed and leading zeros
// ignored. Anything else (an empty text, a sign, a fraction, letters, a number
// above 4294967295) is no seed.
std::optional<std::uint32_t> textToSeed(std::string_view text);

}  // namespace pelorn
