// The overview: up to 5 by 5 quads from the viewed one, one pixel per tile;
// tile column i of the leftmost quad lands on pixel column i - 1, row j of the
// top quad on pixel row 35 + j. It reaches beyond the detail view's map area.
#include <algorithm>
#include <vector>

#include "map/map_grid.h"
#include "view/drawing.h"
#include "view/layout.h"
#include "view/screen.h"
#include "view/view.h"

namespace pelorn {

namespace {

// Every pixel of the overview takes the colour of its tile's pen, and the
// tiles cover their area without gaps, so the whole visible part goes to the
// surface as one block of pixels rather than a pen and a line per tile.
void drawOverview(Painter& painter, const Map& map, const Screen& screen, const ClientRect& clip) {
    if (!map.mapGrid) return;
    const int quadsAcross = std::min(kOverviewQuads, map.quadCountX - screen.viewQuadX);
    const int quadsDown = std::min(kOverviewQuads, map.quadCountY - screen.viewQuadY);
    if (quadsAcross <= 0 || quadsDown <= 0) return;
    // Pixel column -1 (tile column 0 of the leftmost quad) lies outside the client area.
    const int left = std::max(0, clip.left);
    const int right = std::min(kOverviewLeft + quadsAcross * kQuadSize, clip.right);
    const int top = std::max(kOverviewTop, clip.top);
    const int bottom = std::min(kOverviewTop + quadsDown * kQuadSize, clip.bottom);
    if (left >= right || top >= bottom) return;

    const drawing::TileColours colourOf;
    const int width = right - left;
    const int height = bottom - top;
    std::vector<Rgb> pixels(static_cast<std::size_t>(width) * height);
    for (int px = left; px < right; ++px) {
        const TerrainCode* column =
            map.mapGrid[screen.viewQuadX * kQuadSize + px - kOverviewLeft] + screen.viewQuadY * kQuadSize;
        Rgb* out = pixels.data() + (px - left);
        for (int py = top; py < bottom; ++py, out += width) *out = colourOf(column[py - kOverviewTop]);
    }
    painter.drawPixels(left, top, width, height, pixels.data());
}

// Shows the map only: no status line, no legend; clicks pick nothing.
class Overview : public View {
public:
    void paint(Painter& painter, const Map& map, const Screen& screen, const ClientRect& clip) const override {
        drawOverview(painter, map, screen, clip);
    }
    ViewHit hitTest(const Map&, const Screen&, ClientPoint) const override { return {}; }
    void repaintTiles(Repaints& repaints, bool erase) const override { repaints.all(erase); }
    std::string statusTextAt(const Map&, const Screen&, ClientPoint) const override { return std::string(); }
};

}  // namespace

const View& overview();
const View& overview() {
    static const Overview view{};
    return view;
}

}  // namespace pelorn
