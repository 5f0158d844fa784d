// Where am I: in the detail view the status line names the tile under the
// pointer, its map column and row and its terrain ("x 1234, y 567: Forest H").
// The text follows the pointer, and is read again whenever what lies under
// the pointer may have changed (a scroll, another view, changed tiles); only
// its own field repaints, and only when the text changes.
#pragma once

#include <string>

#include "map/window_seam.h"

namespace pelorn {

// The text for the tile under a client point of the detail view: empty off
// the viewed quad's tiles, in the other views and without a map.
std::string cursorTextAt(ClientPoint point);

// The pointer moved to a client point (WM_MOUSEMOVE).
void pointerMovedTo(ClientPoint point);
// The pointer left the window: no text.
void pointerLeft();
// Reads the text again for the pointer's last place.
void refreshCursorText();
// What the status line shows.
const std::string& shownCursorText();
// Back to a fresh process: the pointer nowhere, no text.
void resetCursorText();

}  // namespace pelorn
