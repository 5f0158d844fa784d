#include "view/hex_picture.h"

#include <new>

#include "map/map_grid.h"
#include "view/layout.h"
#include "view/map_view.h"
#include "view/raster_painter.h"

namespace pelorn {

ImageSize hexPictureSize(std::int32_t tilesAcross, std::int32_t tilesDown) {
    if (tilesAcross <= 0 || tilesDown <= 0) return {0, 0};
    // The last column's box reaches 8 pixels past its left edge; the odd
    // columns' boxes reach the lift below the even ones'.
    return {kColumnSpacing * (tilesAcross - 1) + kTileWidth, kRowSpacing * tilesDown + kRaisedColumnLift};
}

void drawHexPicture(Painter& painter, const Map& map) {
    if (!map.mapGrid) return;
    const std::int32_t width = mapWidth(map);
    const std::int32_t height = mapHeight(map);
    for (std::int32_t x = 0; x < width; ++x) {
        const int px = kColumnSpacing * x;
        const int top = isRaisedColumn(x) ? 0 : kRaisedColumnLift;
        for (std::int32_t y = 0; y < height; ++y) drawTile(painter, map, px, top + kRowSpacing * y, x, y);
    }
}

std::string hexPicturePng(const Map& map, int scale, std::string& error) {
    error.clear();
    if (!map.mapGrid || !isAcceptableMapSize(map.quadCountX, map.quadCountY)) {
        error = "there is no map";
        return std::string();
    }
    const ImageSize size = hexPictureSize(mapWidth(map), mapHeight(map));
    if (static_cast<std::int64_t>(size.width) * size.height > kMaxImagePixels) {
        error = "an image of that size cannot be written";
        return std::string();
    }
    try {
        RasterPainter raster(size.width, size.height);
        drawHexPicture(raster, map);
        return imagePngBytes(size, raster.pixels().data(), scale, error, &map);
    } catch (const std::bad_alloc&) {
        error = "not enough memory";
        return std::string();
    }
}

}  // namespace pelorn
