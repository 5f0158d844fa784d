#include "text/seed_text.h"

#include "text/whole_number.h"

namespace pelorn {

std::string seedToText(std::uint32_t seed) { return std::to_string(seed); }

std::optional<std::uint32_t> textToSeed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    const auto seed = parseWholeNumber(text, 0, 0xFFFFFFFF);
    if (!seed) return std::nullopt;
    return static_cast<std::uint32_t>(*seed);
}

}  // namespace pelorn
