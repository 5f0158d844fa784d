#include "support/reference_view.h"

#include "map/map_grid.h"
#include "view/layout.h"
#include "view/map_view.h"

namespace pelorn::test {

void paintOverviewTileByTile(Painter& painter, const Map& map, const Screen& screen) {
    painter.selectPen(kDefaultPen);
    painter.moveTo(0, 30);
    painter.lineTo(960, 30);
    painter.setTextColour(Rgb{0, 0, 0});
    painter.textOut(10, 8, map.currentMapName + ".map");
    if (!map.mapGrid) return;
    const MapGrid mapGrid = map.mapGrid;
    const int viewQuadX = screen.viewQuadX;
    const int viewQuadY = screen.viewQuadY;
    for (int qx = viewQuadX; qx < map.quadCountX && qx - viewQuadX < kOverviewQuads; ++qx) {
        for (int qy = viewQuadY; qy < map.quadCountY && qy - viewQuadY < kOverviewQuads; ++qy) {
            for (int i = 0; i < kQuadSize; ++i) {
                for (int j = 0; j < kQuadSize; ++j) {
                    painter.selectPen(tilePen(mapGrid[qx * kQuadSize + i][qy * kQuadSize + j]));
                    const int px = (qx - viewQuadX) * kQuadSize + i;
                    const int py = (qy - viewQuadY) * kQuadSize + j + kOverviewTop;
                    painter.moveTo(px - 1, py);
                    painter.lineTo(px, py);
                }
            }
        }
    }
}

}  // namespace pelorn::test
