#include "view/players_status.h"

#include <utility>

#include "view/repaint.h"

namespace pelorn {

namespace {
std::string shown;
}

void showPlayersStatus(std::string text) {
    shown = std::move(text);
    repaintStatus(StatusChange::kPlayers);
}

void clearPlayersStatus() {
    if (shown.empty()) return;
    shown.clear();
    repaintStatus(StatusChange::kPlayers);
}

const std::string& playersStatus() { return shown; }

}  // namespace pelorn
