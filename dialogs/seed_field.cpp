#include "dialogs/seed_field.h"

#include "generator/random.h"
#include "text/seed_text.h"

namespace pelorn {

const char* const kSeedLabel = "Seed";

std::string seedFieldInitialText(const Random& random) { return seedToText(random.state()); }

bool seedFieldAccepted(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos || textToSeed(text).has_value();
}

std::uint32_t seedFromField(Random& random, std::string_view text) {
    if (const auto seed = textToSeed(text)) random.seed(*seed);
    return random.state();
}

}  // namespace pelorn
