// What an edit changed, and the one place that turns it into a repaint of
// the main window for the view it shows.
#pragma once

namespace pelorn {

enum class MapChange {
    kBrushedTiles,  // a few tiles under the brush: repainted without erasing
    kTiles,         // any tiles of the map
    kWholeMap,      // the map's size or name as well
};

// Repaints what the change touched: in the detail view the map area (the
// brush's tiles without erasing), in the overview, which reaches beyond the
// map area, the whole client area; a whole-map change repaints everything.
void repaintMapChange(MapChange change);

// Repaints the map's name and the state of its file (the caption).
void repaintMapCaption();

}  // namespace pelorn
