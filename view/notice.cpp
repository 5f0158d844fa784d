#include "view/notice.h"

#include <utility>

#include "view/repaint.h"
#include "view/screen.h"

namespace pelorn {

void showNotice(Screen& screen, std::string text, bool failure) {
    screen.noticeText = std::move(text);
    screen.noticeIsFailure = failure;
    repaintStatus(screen, StatusChange::kNotice);
}

void clearNotice(Screen& screen) {
    if (screen.noticeText.empty()) return;
    screen.noticeText.clear();
    screen.noticeIsFailure = false;
    repaintStatus(screen, StatusChange::kNotice);
}

}  // namespace pelorn
