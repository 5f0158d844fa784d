// A short message in the status line of the detail view: what an action
// just did or could not do ("Saved Hills.png", "Nowhere.map could not be
// read"), red for a failure (Screen::noticeText). It takes the field of the
// seed, the players-mode text and the tile under the pointer (kNoticeRect)
// until the next press on the map, another map, another notice, or a seed
// or players-mode text shown after it.
#pragma once

#include <string>

namespace pelorn {

struct Screen;

void showNotice(Screen& screen, std::string text, bool failure);
// Nothing to tell any more; repaints the field when something was told.
void clearNotice(Screen& screen);

}  // namespace pelorn
