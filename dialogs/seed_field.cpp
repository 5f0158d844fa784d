#include "dialogs/seed_field.h"

#include "generator/random.h"
#include "text/seed_text.h"

namespace pelorn {

const char* const kSeedLabel = "Seed";

std::string seedFieldInitialText() { return seedToText(randomState()); }

std::uint32_t seedFromField(std::string_view text) {
    if (const auto seed = textToSeed(text)) seedRandom(*seed);
    return randomState();
}

}  // namespace pelorn
