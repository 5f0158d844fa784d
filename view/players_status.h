// What the last players-mode run placed ("8 starts, spread 3%"), shown in the
// status line of the detail view (Screen::playersText). Nothing is shown
// before such a run; placing start locations the classic way, or another map,
// takes the text away.
#pragma once

#include <string>

namespace pelorn {

struct Screen;

// Shows the text from the next paint on, and repaints its field.
void showPlayersStatus(Screen& screen, std::string text);
// Shows nothing any more; repaints the field when something was shown.
void clearPlayersStatus(Screen& screen);

}  // namespace pelorn
