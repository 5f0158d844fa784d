// The one paint operation of the main window: the caption, then the view the
// screen shows (view/view.h): the detail view (one quad of hexagon tiles with
// the edges of its neighbours, the status line and the terrain legend), the
// overview (up to 5 by 5 quads at one pixel per tile) or the whole map
// (view/whole_map.h) with the position text. The Win32 shell wraps paintMap
// in BeginPaint/EndPaint with a painter on the paint device context; the
// system clips the drawing to the invalidated region, and tiles wholly
// outside its box are not drawn.
#pragma once

#include <string>

#include "map/map_grid.h"
#include "map/terrain.h"
#include "view/layout.h"
#include "view/painter.h"
#include "view/screen.h"

namespace pelorn {

// Draws tile (column, row) of the map with its top-left corner at pixel (x, y):
// a hexagon 8 pixels wide and 4 high, plus the start-location dot or the
// forest/jungle mark. A code without a pen is drawn with kUnknownCodePen.
// Draws nothing when there is no grid or the tile lies outside the map.
void drawTile(Painter& painter, const Map& map, int x, int y, int column, int row);
// A tile of code t, drawn as drawTile draws it (the floating stamp's tiles).
void drawTileCode(Painter& painter, int x, int y, TerrainCode t);

// The colour of a legend label (some light terrains are labelled in black,
// "Desert" in the colour of "F Plains").
Rgb legendLabelColour(TerrainCode code);

// The caption at the top left: the map's name and ".map", then " *" while
// the map has unsaved edits, then " not saved" while the last save failed
// ("Untitled.map * not saved", drawn in the colour of the tool status).
std::string mapCaptionText(const Map& map, FileMarks marks);

// Everything the main window shows of the map, the screen and the file.
void paintMap(Painter& painter, const Map& map, const Screen& screen, FileMarks marks);

}  // namespace pelorn
