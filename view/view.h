// One view of the map in the main window: what it draws below the caption,
// what a point of it picks, what a change of tiles repaints, and the status
// text it gives the point under the pointer. Each view lives in a file of its
// own (detail_view.cpp, overview.cpp, whole_map_view.cpp) and is found from
// Screen::viewMode through the one table in view.cpp: a new view is a new
// file and a line there.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "map/hex_geometry.h"
#include "view/client_area.h"
#include "view/painter.h"
#include "view/whole_map.h"

namespace pelorn {

struct Map;
struct Screen;

// What a client point picks in a view: the map tile that the tools edit (the
// detail view's cells, whether or not the map reaches there) or the quad a
// click opens (the whole-map picture); nothing elsewhere.
struct ViewHit {
    std::optional<TilePos> tile;
    std::optional<QuadPos> quad;
};

class View {
public:
    virtual ~View() = default;
    // Draws everything below the caption; `clip` is the painter's clip box,
    // and what lies wholly outside it may be left out.
    virtual void paint(Painter& painter, const Map& map, const Screen& screen, const ClientRect& clip) const = 0;
    virtual ViewHit hitTest(const Map& map, const Screen& screen, ClientPoint point) const = 0;
    // What a change of tiles (not of the map's size) repaints.
    virtual void repaintTiles(Repaints& repaints, bool erase) const = 0;
    // The text the status line gives the point under the pointer; empty for none.
    virtual std::string statusTextAt(const Map& map, const Screen& screen, ClientPoint point) const = 0;
};

// The view of a viewMode number; a number of no view draws nothing below the
// caption, picks nothing and repaints the map area for changed tiles.
const View& viewFor(std::int32_t viewMode);
// The view the screen shows.
const View& currentView(const Screen& screen);

}  // namespace pelorn
