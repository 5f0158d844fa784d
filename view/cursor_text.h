// Where am I: in the detail view the status line names the tile under the
// pointer, its map column and row and its terrain ("x 1234, y 567: Forest H").
// The whole-map view names the tile drawn at the pointer's pixel alike.
// The text follows the pointer, and is read again whenever what lies under
// the pointer may have changed (a scroll, another view, changed tiles); only
// its own field repaints, and only when the text changes. The screen keeps
// the pointer's last place (lastPointer) and the text shown (cursorText).
#pragma once

#include <string>

#include "map/hex_geometry.h"
#include "view/client_area.h"

namespace pelorn {

struct Map;
struct Screen;

// The text for the tile under a client point of the view the screen shows
// (View::statusTextAt): empty off the viewed quad's tiles (off the picture in
// the whole-map view), in the overview and without a map.
std::string cursorTextAt(const Screen& screen, const Map& map, ClientPoint point);

// "x 1234, y 567: Forest H" for a tile of the map: the legend's name, a start
// location by its land ("Plains SL"), a code of no terrain by its number.
std::string tileStatusText(const Map& map, TilePos tile);

// Where the text stands: further right while a players-mode text shows.
int cursorTextX(const Screen& screen);

// The pointer moved to a client point (WM_MOUSEMOVE).
void pointerMovedTo(Screen& screen, const Map& map, ClientPoint point);
// The pointer left the window: no text.
void pointerLeft(Screen& screen);
// Reads the text again for the pointer's last place.
void refreshCursorText(Screen& screen, const Map& map);

}  // namespace pelorn
