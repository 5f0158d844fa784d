// What the last players-mode run placed ("8 starts, spread 3%"), shown in the
// status line of the detail view. Nothing is shown before such a run; placing
// start locations the classic way, or another map, takes the text away.
#pragma once

#include <string>

namespace pelorn {

// Shows the text from the next paint on, and repaints its field.
void showPlayersStatus(std::string text);
// Shows nothing any more; repaints the field when something was shown.
void clearPlayersStatus();
// The text shown; empty when none.
const std::string& playersStatus();

}  // namespace pelorn
