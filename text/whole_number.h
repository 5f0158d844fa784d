// The one strict reader of whole numbers typed in options, read from files
// and pasted into the seed field. (The dialogs' number fields read leniently
// with textToInt instead, as they always have.)
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace pelorn {

// Decimal digits and nothing else: no blanks, no "+", no trailing text. A
// leading "-" only where the range holds negative numbers (min < 0). Leading
// zeros are allowed. Nothing when the text breaks these rules or its value
// lies outside [min, max]; no length of digits overflows.
std::optional<std::int64_t> parseWholeNumber(std::string_view text, std::int64_t min, std::int64_t max);

}  // namespace pelorn
