// What the hand edits show over the map: the frame of the selected tiles
// (in the detail view and on the whole-map picture), the floating stamp and
// a start location being dragged (in the detail view), the texts of the
// brush, the tool and the selection, and what each of them repaints when it
// changes. Nothing is drawn while none of them exists.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "map/tile_block.h"
#include "view/client_area.h"
#include "view/painter.h"

namespace pelorn {

struct Map;
struct Screen;
struct StartDrag;

// "Brush: Normal", "Brush: Bold", "Brush: Size 5".
std::string brushStatusText(const Screen& screen);
// "Stamp 120 x 41" while a stamp floats, else "Selection 120 x 40"; empty without either.
std::string selectionStatusText(const Screen& screen);

// The outline of the selection as the view shows it, drawn from (left, top)
// to (right, bottom), both included: in the detail view around the selected
// tiles of the viewed quad, on the whole-map picture one pixel outside them.
// None without a selection, in the overview, or off the viewed quad.
std::optional<ClientRect> selectionFrame(const Screen& screen, const Map& map);

// The client pixels the stamp's tiles take in the viewed quad; none when it
// shows nowhere.
std::optional<ClientRect> stampArea(const Screen& screen, const Map& map);

// The tiles of the viewed quad that the floating stamp covers, which the
// detail view need not draw beneath it: covered[column * 100 + row]. Empty
// while no stamp shows.
std::vector<bool> stampCover(const Screen& screen, const Map& map);

// Whether a start drag still belongs to the map: both its tiles on it and a
// start on the tile it began (an undo during the drag may take either away).
bool startDragFits(const Map& map, const StartDrag& drag);

// The overlays of the view the screen shows, after the map's tiles.
void drawEditOverlays(Painter& painter, const Map& map, const Screen& screen, const ClientRect& clip);

// Repaints of the overlays as they stand now: call before a change and after it.
void repaintSelectionFrame(Screen& screen, const Map& map);
void repaintStamp(Screen& screen, const Map& map);
void repaintStartDrag(Screen& screen);

}  // namespace pelorn
