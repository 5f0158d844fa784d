#include "dialogs/seed_field.h"

#include "generator/random.h"
#include "text/seed_text.h"
#include "view/seed_status.h"

namespace pelorn {

const char* const kSeedLabel = "Seed";

std::string seedFieldInitialText() { return seedToText(randomState()); }

std::uint32_t seedFromField(std::string_view text) {
    if (const auto seed = textToSeed(text)) seedRandom(*seed);
    const std::uint32_t used = randomState();
    showSeed(used);
    return used;
}

}  // namespace pelorn
