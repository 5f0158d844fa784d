// Where am I: in the detail view the status line names the tile under the
// pointer, its map column and row and its terrain ("x 1234, y 567: Forest H").
// The text follows the pointer, and is read again whenever what lies under
// the pointer may have changed (a scroll, another view, changed tiles); only
// its own field repaints, and only when the text changes. The screen keeps
// the pointer's last place (lastPointer) and the text shown (cursorText).
#pragma once

#include <string>

#include "view/client_area.h"

namespace pelorn {

struct Map;
struct Screen;

// The text for the tile under a client point of the view the screen shows
// (View::statusTextAt): empty off the viewed quad's tiles, in the other
// views and without a map.
std::string cursorTextAt(const Screen& screen, const Map& map, ClientPoint point);

// The pointer moved to a client point (WM_MOUSEMOVE).
void pointerMovedTo(Screen& screen, const Map& map, ClientPoint point);
// The pointer left the window: no text.
void pointerLeft(Screen& screen);
// Reads the text again for the pointer's last place.
void refreshCursorText(Screen& screen, const Map& map);

}  // namespace pelorn
