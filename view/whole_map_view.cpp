// The whole-map view: the entire map scaled into the map area (the picture's
// geometry is in whole_map.h), the marks of the start locations (and their
// rooms tinted, when shown), the frame of the viewed quad and the position
// text; a click picks the quad under it.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "map/map_grid.h"
#include "startlocations/players.h"
#include "view/cursor_text.h"
#include "view/drawing.h"
#include "view/edit_overlay.h"
#include "view/layout.h"
#include "view/screen.h"
#include "view/start_marks.h"
#include "view/view.h"
#include "view/whole_map.h"

namespace pelorn {

namespace {

// Over the block's pixels (client coordinates; `rows` the tile row of each
// of its rows): the rooms tinted when the screen shows them, then a mark on
// each start location. A map without start locations keeps its pixels.
void drawStarts(const Map& map, const Screen& screen, const WholeMapPicture& picture, const PixelBlock& block,
                const std::vector<std::int32_t>& rows) {
    const StartsShown& shown = screen.startsShown;
    const bool known = shown.known && shown.withRooms == screen.showRooms;
    const std::vector<TilePos> found = known ? std::vector<TilePos>() : startLocationsOnMap(map);
    const std::vector<TilePos>& starts = known ? shown.starts : found;
    if (starts.empty()) return;
    const ClientRect bounds = picture.bounds();
    if (screen.showRooms) {
        const std::vector<std::int32_t> measured = known ? std::vector<std::int32_t>() : roomOwnersOf(map, starts);
        const std::vector<std::int32_t>& owners = known ? shown.roomOwners : measured;
        const std::size_t height = static_cast<std::size_t>(mapHeight(map));
        for (int px = 0; px < block.width; ++px) {
            const std::size_t column = static_cast<std::size_t>(picture.tileColumn(block.left + px - bounds.left)) * height;
            for (int py = 0; py < block.height; ++py) {
                const std::int32_t owner = owners[column + static_cast<std::size_t>(rows[py])];
                Rgb& pixel = block.pixels[static_cast<std::size_t>(py) * block.width + px];
                if (owner >= 0) pixel = roomTint(pixel, owner);
            }
        }
    }
    std::vector<StartMark> marks;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const TilePos p = starts[i];
        const int x = pixelShowing(picture.firstColumnShowing(p.x), picture.firstColumnShowing(p.x + 1), picture.width());
        const int y = pixelShowing(picture.firstRowShowing(p.y), picture.firstRowShowing(p.y + 1), picture.height());
        marks.push_back({bounds.left + x, bounds.top + y, static_cast<std::int32_t>(i + 1)});
    }
    drawStartMarks(block, marks);
}

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
        drawStarts(map, screen, picture, {pixels.data(), left, top, width, height}, rows);
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
        drawing::drawPositionText(painter, screen);  // in black
        if (!screen.playersText.empty()) painter.textOut(kPlayersStatusX, kStatusTop, screen.playersText);
        if (!screen.cursorText.empty()) painter.textOut(cursorTextX(screen), kStatusTop, screen.cursorText);
    }
    ViewHit hitTest(const Map& map, const Screen&, ClientPoint point) const override {
        return {std::nullopt, wholeMapPicture(map).quadAt(point)};
    }
    // The picture and its frame lie inside the map area.
    void repaintTiles(Repaints& repaints, bool erase) const override { repaints.rect(kMapAreaRect, erase); }
    // The tile drawn at the pixel under the pointer, named as the detail view names it.
    std::string statusTextAt(const Map& map, const Screen&, ClientPoint point) const override {
        if (!map.mapGrid) return std::string();
        const WholeMapPicture picture = wholeMapPicture(map);
        const ClientRect bounds = picture.bounds();
        if (point.x < bounds.left || point.x >= bounds.right || point.y < bounds.top || point.y >= bounds.bottom)
            return std::string();
        return tileStatusText(map, {picture.tileColumn(point.x - bounds.left), picture.tileRow(point.y - bounds.top)});
    }
};

}  // namespace

const View& wholeMapView();
const View& wholeMapView() {
    static const WholeMapView view{};
    return view;
}

}  // namespace pelorn
