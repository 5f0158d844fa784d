#include "text/whole_number.h"

namespace pelorn {

std::optional<std::int64_t> parseWholeNumber(std::string_view text, std::int64_t min, std::int64_t max) {
    if (min > max) return std::nullopt;
    const bool negative = min < 0 && !text.empty() && text.front() == '-';
    if (negative) text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    // The largest magnitude the range reaches on this side of zero; -(min + 1) + 1 cannot overflow.
    std::uint64_t limit = 0;
    if (negative) {
        limit = static_cast<std::uint64_t>(-(min + 1)) + 1u;
    } else if (max > 0) {
        limit = static_cast<std::uint64_t>(max);
    }
    std::uint64_t magnitude = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        const auto digit = static_cast<std::uint64_t>(c - '0');
        // magnitude x 10 + digit <= limit, tested before it is computed.
        if (digit > limit || magnitude > (limit - digit) / 10) return std::nullopt;
        magnitude = magnitude * 10 + digit;
    }
    const std::int64_t value =
        negative && magnitude > 0 ? -static_cast<std::int64_t>(magnitude - 1) - 1 : static_cast<std::int64_t>(magnitude);
    if (value < min || value > max) return std::nullopt;
    return value;
}

}  // namespace pelorn
