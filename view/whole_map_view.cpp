// The whole-map view: the entire map scaled into the map area (the picture's
// geometry is in whole_map.h), the frame of the viewed quad and the position
// text; a click picks the quad under it.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "map/map_grid.h"
#include "view/drawing.h"
#include "view/edit_overlay.h"
#include "view/layout.h"
#include "view/screen.h"
#include "view/view.h"
#include "view/whole_map.h"

namespace pelorn {

namespace {

// Each pixel the colour of the tile under its centre, as one block of pixels
// (only the part the clip box holds), then the frame of the viewed quad as
// four lines.
void drawWholeMap(Painter& painter, const Map& map, const Screen& screen, const ClientRect& clip) {
    if (!map.mapGrid) return;
    const WholeMapPicture picture = wholeMapPicture(map);
    const ClientRect bounds = picture.bounds();
    const int left = std::max(bounds.left, clip.left);
    const int right = std::min(bounds.right, clip.right);
    const int top = std::max(bounds.top, clip.top);
    const int bottom = std::min(bounds.bottom, clip.bottom);
    if (left < right && top < bottom) {
        const drawing::TileColours colourOf;
        const int width = right - left;
        const int height = bottom - top;
        std::vector<std::int32_t> rows(static_cast<std::size_t>(height));
        for (int py = top; py < bottom; ++py) rows[py - top] = picture.tileRow(py - bounds.top);
        std::vector<Rgb> pixels(static_cast<std::size_t>(width) * height);
        for (int px = left; px < right; ++px) {
            const TerrainCode* column = map.mapGrid[picture.tileColumn(px - bounds.left)];
            Rgb* out = pixels.data() + (px - left);
            for (int i = 0; i < height; ++i, out += width) *out = colourOf(column[rows[i]]);
        }
        painter.drawPixels(left, top, width, height, pixels.data());
    }
    const ClientRect frame = picture.frameRect({screen.viewQuadX, screen.viewQuadY});
    if (!rectsMeet({frame.left, frame.top, frame.right + 1, frame.bottom + 1}, clip)) return;
    painter.selectPen(kQuadFramePen);
    painter.moveTo(frame.left, frame.top);
    painter.lineTo(frame.right, frame.top);
    painter.lineTo(frame.right, frame.bottom);
    painter.lineTo(frame.left, frame.bottom);
    painter.lineTo(frame.left, frame.top);
}

class WholeMapView : public View {
public:
    void paint(Painter& painter, const Map& map, const Screen& screen, const ClientRect& clip) const override {
        drawWholeMap(painter, map, screen, clip);
        drawEditOverlays(painter, map, screen, clip);
        drawing::drawPositionText(painter, screen);
    }
    ViewHit hitTest(const Map& map, const Screen&, ClientPoint point) const override {
        return {std::nullopt, wholeMapPicture(map).quadAt(point)};
    }
    // The picture and its frame lie inside the map area.
    void repaintTiles(Repaints& repaints, bool erase) const override { repaints.rect(kMapAreaRect, erase); }
    std::string statusTextAt(const Map&, const Screen&, ClientPoint) const override { return std::string(); }
};

}  // namespace

const View& wholeMapView();
const View& wholeMapView() {
    static const WholeMapView view{};
    return view;
}

}  // namespace pelorn
