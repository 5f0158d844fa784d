#include "view/whole_map.h"

#include <algorithm>

#include "map/map_grid.h"
#include "view/repaint.h"
#include "view/screen.h"
#include "view/view.h"
#include "view/view_mode.h"

namespace pelorn {

namespace {

// Picture pixel p of n shows tile floor((p + 1/2) * tiles / n).
std::int32_t tileUnder(int p, int n, std::int32_t tiles) {
    return static_cast<std::int32_t>((2 * static_cast<std::int64_t>(p) + 1) * tiles / (2 * static_cast<std::int64_t>(n)));
}

// The smallest p whose tile is `tile` or beyond: (2p + 1) * tiles >= 2 * n * tile.
int firstPixelShowing(std::int32_t tile, int n, std::int32_t tiles) {
    const std::int64_t numerator = 2 * static_cast<std::int64_t>(n) * tile - tiles;
    if (numerator <= 0) return 0;
    const std::int64_t denominator = 2 * static_cast<std::int64_t>(tiles);
    return static_cast<int>(std::min<std::int64_t>(n, (numerator + denominator - 1) / denominator));
}

}  // namespace

WholeMapPicture::WholeMapPicture(std::int32_t tilesAcross, std::int32_t tilesDown, const ClientRect& area)
    : tilesAcross_(tilesAcross), tilesDown_(tilesDown), left_(area.left), top_(area.top) {
    const std::int64_t areaWidth = area.right - area.left;
    const std::int64_t areaHeight = area.bottom - area.top;
    if (tilesAcross <= 0 || tilesDown <= 0 || areaWidth <= 0 || areaHeight <= 0) return;
    // The map's own size in units where a tile is as wide and high as its
    // click cell in the detail view.
    const std::int64_t naturalWidth = static_cast<std::int64_t>(tilesAcross) * kColumnSpacing;
    const std::int64_t naturalHeight = static_cast<std::int64_t>(tilesDown) * kRowSpacing;
    if (areaWidth * naturalHeight <= areaHeight * naturalWidth) {
        width_ = static_cast<int>(areaWidth);
        height_ = static_cast<int>(std::max<std::int64_t>(1, areaWidth * naturalHeight / naturalWidth));
    } else {
        height_ = static_cast<int>(areaHeight);
        width_ = static_cast<int>(std::max<std::int64_t>(1, areaHeight * naturalWidth / naturalHeight));
    }
}

std::int32_t WholeMapPicture::tileColumn(int px) const { return tileUnder(px, width_, tilesAcross_); }
std::int32_t WholeMapPicture::tileRow(int py) const { return tileUnder(py, height_, tilesDown_); }

int WholeMapPicture::firstColumnShowing(std::int32_t tile) const {
    return firstPixelShowing(tile, width_, tilesAcross_);
}
int WholeMapPicture::firstRowShowing(std::int32_t tile) const { return firstPixelShowing(tile, height_, tilesDown_); }

ClientRect WholeMapPicture::quadRect(QuadPos quad) const {
    return {left_ + firstColumnShowing(quad.x * kQuadSize), top_ + firstRowShowing(quad.y * kQuadSize),
            left_ + firstColumnShowing((quad.x + 1) * kQuadSize), top_ + firstRowShowing((quad.y + 1) * kQuadSize)};
}

ClientRect WholeMapPicture::frameRect(QuadPos quad) const {
    const ClientRect r = quadRect(quad);
    return {r.left - 1, r.top - 1, r.right, r.bottom};
}

std::optional<QuadPos> WholeMapPicture::quadAt(ClientPoint point) const {
    const int px = point.x - left_;
    const int py = point.y - top_;
    if (px < 0 || py < 0 || px >= width_ || py >= height_) return std::nullopt;
    return QuadPos{tileColumn(px) / kQuadSize, tileRow(py) / kQuadSize};
}

WholeMapPicture wholeMapPicture(const Map& map) {
    if (!map.mapGrid) return WholeMapPicture(0, 0);
    return WholeMapPicture(mapWidth(map), mapHeight(map));
}

bool openQuadAt(Screen& screen, const Map& map, ClientPoint point) {
    const std::optional<QuadPos> quad = currentView(screen).hitTest(map, screen, point).quad;
    if (!quad) return false;
    screen.viewQuadX = quad->x;
    screen.viewQuadY = quad->y;
    screen.viewMode = kDetailView;
    repaintWholeWindow(screen, map);
    return true;
}

void switchWholeMapView(Screen& screen, const Map& map) {
    screen.viewMode = showsWholeMap(screen) ? kDetailView : kWholeMapView;
    repaintWholeWindow(screen, map);
}

}  // namespace pelorn
