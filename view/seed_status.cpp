#include "view/seed_status.h"

#include "text/seed_text.h"
#include "view/repaint.h"

namespace pelorn {

namespace {
std::optional<std::uint32_t> seedShown;
}

void showSeed(std::uint32_t seed) {
    seedShown = seed;
    repaintStatus(StatusChange::kSeed);
}

void clearShownSeed() {
    if (!seedShown) return;
    seedShown.reset();
    repaintStatus(StatusChange::kSeed);
}

std::optional<std::uint32_t> shownSeed() { return seedShown; }

std::string seedStatusText() { return seedShown ? "seed " + seedToText(*seedShown) : std::string(); }

}  // namespace pelorn
