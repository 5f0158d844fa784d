#include "view/seed_status.h"

#include "map/window_seam.h"
#include "text/seed_text.h"
#include "view/layout.h"

namespace pelorn {

namespace {
std::optional<std::uint32_t> seedShown;
}

void showSeed(std::uint32_t seed) {
    seedShown = seed;
    invalidateRect(kSeedStatusRect, true);
}

void clearShownSeed() {
    if (!seedShown) return;
    seedShown.reset();
    invalidateRect(kSeedStatusRect, true);
}

std::optional<std::uint32_t> shownSeed() { return seedShown; }

std::string seedStatusText() { return seedShown ? "seed " + seedToText(*seedShown) : std::string(); }

}  // namespace pelorn
