#include "view/players_status.h"

#include <utility>

#include "view/notice.h"
#include "view/repaint.h"
#include "view/screen.h"

namespace pelorn {

void showPlayersStatus(Screen& screen, std::string text) {
    clearNotice(screen);  // the newer news
    screen.playersText = std::move(text);
    repaintStatus(screen, StatusChange::kPlayers);
}

void clearPlayersStatus(Screen& screen) {
    if (screen.playersText.empty()) return;
    screen.playersText.clear();
    repaintStatus(screen, StatusChange::kPlayers);
}

}  // namespace pelorn
