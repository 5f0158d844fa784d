#include "view/edit_overlay.h"

#include <algorithm>

#include "text/conversions.h"
#include "view/layout.h"
#include "view/map_view.h"
#include "view/screen.h"
#include "view/view_mode.h"
#include "view/whole_map.h"

namespace pelorn {

namespace {

std::string sizeText(const char* what, std::int32_t width, std::int32_t height) {
    return std::string(what) + " " + intToText(width) + " x " + intToText(height);
}

// The part of a rectangle of map tiles that lies on the viewed quad, in quad
// columns and rows (first, last included).
struct QuadSpan {
    int firstColumn, lastColumn, firstRow, lastRow;
};
std::optional<QuadSpan> onViewedQuad(const Screen& screen, const TileRect& rect) {
    const int left = screen.viewQuadX * kQuadSize;
    const int top = screen.viewQuadY * kQuadSize;
    const QuadSpan span{std::max(rect.x - left, 0), std::min(rect.x + rect.width - 1 - left, kQuadSize - 1),
                        std::max(rect.y - top, 0), std::min(rect.y + rect.height - 1 - top, kQuadSize - 1)};
    if (span.firstColumn > span.lastColumn || span.firstRow > span.lastRow) return std::nullopt;
    return span;
}

// The boxes of the span's tiles: the raised columns reach 2 pixels higher.
ClientRect tileBoxes(const QuadSpan& span) {
    return {quadTileOrigin(span.firstColumn, 0).x, kQuadOriginY + kRowSpacing * span.firstRow - kRaisedColumnLift,
            quadTileOrigin(span.lastColumn, 0).x + kTileWidth,
            kQuadOriginY + kRowSpacing * span.lastRow + kTileHeight};
}

void outline(Painter& painter, const ClientRect& frame) {
    painter.moveTo(frame.left, frame.top);
    painter.lineTo(frame.right, frame.top);
    painter.lineTo(frame.right, frame.bottom);
    painter.lineTo(frame.left, frame.bottom);
    painter.lineTo(frame.left, frame.top);
}

// The stamp's tiles on the viewed quad, each drawn as the map draws a tile of that code.
void drawStamp(Painter& painter, const Map& map, const Screen& screen, const ClientRect& clip) {
    const FloatingStamp& stamp = *screen.stamp;
    const int left = screen.viewQuadX * kQuadSize;
    const int top = screen.viewQuadY * kQuadSize;
    forEachStampTile(stamp.block, map, *stamp.at, [&](std::int32_t x, std::int32_t y, TerrainCode code) {
        const int column = x - left;
        const int row = y - top;
        if (column < 0 || row < 0 || column >= kQuadSize || row >= kQuadSize) return;
        const ClientRect box = quadTileRect(column, row);
        if (rectsMeet(box, clip)) drawTileCode(painter, box.left, box.top, code);
    });
}

// The dragged start: its old tile shows its land, the tile under the
// pointer the start of its land (nothing where the land has none).
void drawStartDrag(Painter& painter, const Map& map, const Screen& screen) {
    const StartDrag& drag = *screen.startDrag;
    if (!startDragFits(map, drag)) return;
    const int left = screen.viewQuadX * kQuadSize;
    const int top = screen.viewQuadY * kQuadSize;
    const auto draw = [&](TilePos tile, TerrainCode code) {
        const int column = tile.x - left;
        const int row = tile.y - top;
        if (column < 0 || row < 0 || column >= kQuadSize || row >= kQuadSize) return;
        const ClientPoint at = quadTileOrigin(column, row);
        drawTileCode(painter, at.x, at.y, code);
    };
    draw(drag.from, baseCode(map.mapGrid[drag.from.x][drag.from.y]));
    const TerrainCode start = startLocationCode(baseCode(map.mapGrid[drag.at.x][drag.at.y]));
    if (start != 0 && drag.at != drag.from) draw(drag.at, start);
}

void repaintOutline(Repaints& repaints, const ClientRect& f) {
    repaints.rect(f.left, f.top, f.right + 1, f.top + 1, true);
    repaints.rect(f.left, f.bottom, f.right + 1, f.bottom + 1, true);
    repaints.rect(f.left, f.top, f.left + 1, f.bottom + 1, true);
    repaints.rect(f.right, f.top, f.right + 1, f.bottom + 1, true);
}

}  // namespace

bool startDragFits(const Map& map, const StartDrag& drag) {
    const auto onMap = [&](TilePos p) { return p.x < mapWidth(map) && p.y < mapHeight(map); };
    return map.mapGrid && onMap(drag.from) && onMap(drag.at) && isStartLocationCode(map.mapGrid[drag.from.x][drag.from.y]);
}

std::string brushStatusText(const Screen& screen) {
    if (screen.brushSize >= 2) return "Brush: Size " + intToText(screen.brushSize);
    return screen.boldBrush ? "Brush: Bold" : "Brush: Normal";
}

std::string selectionStatusText(const Screen& screen) {
    if (screen.stamp) return sizeText("Stamp", screen.stamp->block.width, screen.stamp->block.height);
    if (screen.selection) return sizeText("Selection", screen.selection->width, screen.selection->height);
    return std::string();
}

std::optional<ClientRect> selectionFrame(const Screen& screen, const Map& map) {
    if (!screen.selection || !map.mapGrid) return std::nullopt;
    if (showsWholeMap(screen)) {
        const WholeMapPicture picture = wholeMapPicture(map);
        const ClientRect bounds = picture.bounds();
        const TileRect& s = *screen.selection;
        return ClientRect{bounds.left + picture.firstColumnShowing(s.x) - 1,
                          bounds.top + picture.firstRowShowing(s.y) - 1,
                          bounds.left + picture.firstColumnShowing(s.x + s.width),
                          bounds.top + picture.firstRowShowing(s.y + s.height)};
    }
    if (!showsDetailView(screen)) return std::nullopt;
    const std::optional<QuadSpan> span = onViewedQuad(screen, *screen.selection);
    if (!span) return std::nullopt;
    const ClientRect boxes = tileBoxes(*span);
    return ClientRect{boxes.left - 1, boxes.top - 1, boxes.right, boxes.bottom};
}

std::optional<ClientRect> stampArea(const Screen& screen, const Map& map) {
    if (!screen.stamp || !screen.stamp->at || !map.mapGrid || !showsDetailView(screen)) return std::nullopt;
    const TileBlock& block = screen.stamp->block;
    const TilePos at = *screen.stamp->at;
    // Wrapped round the map's edge, the stamp may show on both sides of the quad.
    const TileRect rect{at.x, at.y, std::min(block.width, mapWidth(map)), std::min(block.height, mapHeight(map))};
    // A stamp of odd parity under column 0 starts on column -1, the map's last.
    const bool wraps = rect.x < 0 || rect.x + rect.width > mapWidth(map) || rect.y + rect.height > mapHeight(map);
    if (wraps) return kMapAreaRect;
    const std::optional<QuadSpan> span = onViewedQuad(screen, rect);
    if (!span) return std::nullopt;
    return tileBoxes(*span);
}

std::vector<bool> stampCover(const Screen& screen, const Map& map) {
    std::vector<bool> covered;
    if (!stampArea(screen, map)) return covered;
    covered.assign(static_cast<std::size_t>(kQuadSize) * kQuadSize, false);
    const int left = screen.viewQuadX * kQuadSize;
    const int top = screen.viewQuadY * kQuadSize;
    forEachStampTile(screen.stamp->block, map, *screen.stamp->at, [&](std::int32_t x, std::int32_t y, TerrainCode) {
        const int column = x - left;
        const int row = y - top;
        if (column >= 0 && row >= 0 && column < kQuadSize && row < kQuadSize) covered[column * kQuadSize + row] = true;
    });
    return covered;
}

void drawEditOverlays(Painter& painter, const Map& map, const Screen& screen, const ClientRect& clip) {
    if (!map.mapGrid) return;
    if (showsDetailView(screen)) {
        if (screen.stamp && screen.stamp->at) drawStamp(painter, map, screen, clip);
        if (screen.startDrag) drawStartDrag(painter, map, screen);
    }
    if (const std::optional<ClientRect> frame = selectionFrame(screen, map)) {
        if (!rectsMeet({frame->left, frame->top, frame->right + 1, frame->bottom + 1}, clip)) return;
        painter.selectPen(kSelectionFramePen);
        outline(painter, *frame);
    }
}

void repaintSelectionFrame(Screen& screen, const Map& map) {
    if (const std::optional<ClientRect> frame = selectionFrame(screen, map)) repaintOutline(screen.repaints, *frame);
}

void repaintStamp(Screen& screen, const Map& map) {
    if (const std::optional<ClientRect> area = stampArea(screen, map)) {
        screen.repaints.rect(*area, false);
        // The frame drawn over the stamp's place comes back too.
        repaintSelectionFrame(screen, map);
    }
}

void repaintStartDrag(Screen& screen) {
    if (!screen.startDrag) return;
    const int left = screen.viewQuadX * kQuadSize;
    const int top = screen.viewQuadY * kQuadSize;
    for (const TilePos tile : {screen.startDrag->from, screen.startDrag->at}) {
        const int column = tile.x - left;
        const int row = tile.y - top;
        if (column >= 0 && row >= 0 && column < kQuadSize && row < kQuadSize)
            screen.repaints.rect(quadTileRect(column, row), false);
    }
}

}  // namespace pelorn
