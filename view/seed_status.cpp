#include "view/seed_status.h"

#include "text/seed_text.h"
#include "view/notice.h"
#include "view/repaint.h"
#include "view/screen.h"

namespace pelorn {

void showSeed(Screen& screen, std::uint32_t seed) {
    clearNotice(screen);  // the newer news
    screen.seedShown = seed;
    repaintStatus(screen, StatusChange::kSeed);
}

void clearShownSeed(Screen& screen) {
    if (!screen.seedShown) return;
    screen.seedShown.reset();
    repaintStatus(screen, StatusChange::kSeed);
}

std::string seedStatusText(const Screen& screen) {
    return screen.seedShown ? "seed " + seedToText(*screen.seedShown) : std::string();
}

}  // namespace pelorn
