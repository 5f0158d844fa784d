// The whole-map view: the entire map scaled into the map area, whatever its
// size, with a frame around the quad the detail view shows; a click on the
// picture opens the detail view of the quad under it.
//
// Tiles keep the detail view's proportions: there a tile takes 6 pixels
// across (its column spacing) and 4 down, so here too a tile is 3 units wide
// for every 2 high, the framed quad has the shape of the detail view's quad,
// and coasts look as they do while editing. The scale is fractional; each
// picture pixel shows the tile under its centre (nearest neighbour), so every
// pixel is one tile's own colour.
#pragma once

#include <cstdint>
#include <optional>

#include "view/client_area.h"
#include "view/layout.h"

namespace pelorn {

struct Map;
struct Screen;

struct QuadPos {
    std::int32_t x;
    std::int32_t y;
    friend bool operator==(QuadPos a, QuadPos b) { return a.x == b.x && a.y == b.y; }
};

// The picture of a map of tilesAcross by tilesDown tiles, as large as the
// area allows at the tiles' proportions, its top-left corner at the area's.
class WholeMapPicture {
public:
    WholeMapPicture(std::int32_t tilesAcross, std::int32_t tilesDown, const ClientRect& area = kWholeMapArea);

    // The picture in client pixels (right and bottom exclusive); empty for a map of no tiles.
    ClientRect bounds() const { return {left_, top_, left_ + width_, top_ + height_}; }
    int width() const { return width_; }
    int height() const { return height_; }

    // The tile column (row) that picture column px (row py) shows, for px in 0..width() - 1.
    std::int32_t tileColumn(int px) const;
    std::int32_t tileRow(int py) const;
    // The first picture column (row) that shows tile column (row) `tile` or
    // one beyond it; width() (height()) past the last.
    int firstColumnShowing(std::int32_t tile) const;
    int firstRowShowing(std::int32_t tile) const;

    // The client pixels that show quad (qx, qy) (right and bottom exclusive).
    ClientRect quadRect(QuadPos quad) const;
    // The frame around a quad: the rectangle one pixel outside quadRect, its
    // outline drawn from (left, top) to (right, bottom), both included.
    ClientRect frameRect(QuadPos quad) const;
    // The quad shown under a client point; none off the picture.
    std::optional<QuadPos> quadAt(ClientPoint point) const;

private:
    std::int32_t tilesAcross_;
    std::int32_t tilesDown_;
    int left_;
    int top_;
    int width_ = 0;
    int height_ = 0;
};

// The picture of a map.
WholeMapPicture wholeMapPicture(const Map& map);

// A click on the view the screen shows: when it picks a quad (on the whole-map
// picture), the detail view of that quad opens and the window repaints.
// False, changing nothing, when it picks none.
bool openQuadAt(Screen& screen, const Map& map, ClientPoint point);

// Into the whole-map view, or from it back to the detail view; the window repaints.
void switchWholeMapView(Screen& screen, const Map& map);

}  // namespace pelorn
