// What changed, and the one place that turns it into repaints of the main
// window, gathered in Screen::repaints: the rectangles come from the layout,
// the choice from the view the window shows. Nothing else in the program
// asks for repaints. Every change of tiles, quad or view also reads the
// cursor text again (view/cursor_text.h): the tile under the pointer may be
// another or hold another terrain.
#pragma once

#include "view/client_area.h"

namespace pelorn {

struct Map;
struct Screen;

enum class MapChange {
    kBrushedTiles,  // a few tiles under the brush: repainted without erasing
    kTiles,         // any tiles of the map
    kWholeMap,      // the map's size or name as well
};

// Repaints what the change touched, as the view shows it (View::repaintTiles):
// in the detail view the map area (the brush's tiles without erasing), in the
// overview, which reaches beyond the map area, the whole client area; a
// whole-map change repaints everything.
void repaintMapChange(Screen& screen, const Map& map, MapChange change);

// A change the status line or the legend shows.
enum class StatusChange {
    kCurrentTerrain,     // the legend's markers, both columns
    kBrush,              // "Brush: ..."
    kTool,               // the fill and bucket tools
    kStartLocationMode,  // "SL"
    kMapFile,            // the caption: the map's name, "*" and "not saved"
    kCursorText,         // the tile under the pointer
    kPlayers,            // what the last players-mode run placed
    kSeed,               // the seed the last run started from
    kNotice,             // what an action just did or could not do
    kSelection,          // the size of the selection or the stamp
    kEditText,           // what the last hand edit said
};
void repaintStatus(Screen& screen, StatusChange change);

// The view moved to another quad: the map and the position text.
void repaintScrolled(Screen& screen, const Map& map);

// Everything, erased: another view, another map.
void repaintWholeWindow(Screen& screen, const Map& map);

// The tiles of the viewed quad that one brush step changed, gathered as they
// change and repainted together, unerased, by repaint(): only their pixels.
class QuadTileRepaint {
public:
    void add(int column, int row);  // quad column and row, 0..99
    void repaint(Screen& screen, const Map& map) const;  // nothing when no tile was added

private:
    bool any_ = false;
    ClientRect area_{};
};

}  // namespace pelorn
