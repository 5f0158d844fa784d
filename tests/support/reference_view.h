// The overview as the view first drew it, one pen and one single-pixel line
// per tile, straight from the rule it follows. The view's own drawing must
// match it pixel for pixel; tests compare the two and the benchmarks weigh them.
#pragma once

#include "map/map_grid.h"
#include "view/painter.h"
#include "view/screen.h"

namespace pelorn::test {

// What paintMap draws in the overview of a map whose file has no marks: the
// top rule, the caption, and for each quad column, quad row, tile column and
// tile row the tile's pen and a line from (px - 1, py) to (px, py).
void paintOverviewTileByTile(Painter& painter, const Map& map, const Screen& screen);

}  // namespace pelorn::test
