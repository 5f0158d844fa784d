#include "view/layout.h"

#include "view/screen.h"

namespace pelorn {

namespace {

struct LegendSlot {
    int columnX;
    int row;
};

LegendSlot legendSlot(TerrainCode code) {
    if (code < kLegendColumn1Rows) return {kLegendColumn1X, code};
    return {kLegendColumn2X, code - kLegendColumn1Rows};
}

}  // namespace

ClientPoint quadTileOrigin(int column, int row) {
    const int lift = isRaisedColumn(column) ? kRaisedColumnLift : 0;
    return {kQuadOriginX + kColumnSpacing * column, kQuadOriginY + kRowSpacing * row - lift};
}

ClientRect quadTileRect(int column, int row) {
    const ClientPoint p = quadTileOrigin(column, row);
    return {p.x, p.y, p.x + kTileWidth, p.y + kTileHeight};
}

ClientPoint legendLabelOrigin(TerrainCode code) {
    const LegendSlot slot = legendSlot(code);
    return {slot.columnX, kLegendTop + kLegendRowHeight * slot.row};
}

ClientPoint legendMarkerStart(TerrainCode code) {
    const LegendSlot slot = legendSlot(code);
    const int x = slot.columnX == kLegendColumn1X ? kMarkerColumn1X : kMarkerColumn2X;
    return {x, kLegendTop + kMarkerDrop + kLegendRowHeight * slot.row};
}

std::optional<TilePos> tileAt(const Screen& screen, ClientPoint point) {
    const int u = point.x - kMapClickOriginX;
    const int v = point.y - kMapClickOriginY;
    if (u < 0 || u >= kMapClickWidth || v < 0 || v >= kMapClickHeight) return std::nullopt;
    return TilePos{screen.viewQuadX * kQuadSize + u / kColumnSpacing, screen.viewQuadY * kQuadSize + v / kRowSpacing};
}

bool isOnLegend(ClientPoint point) {
    return (point.x >= kLegendColumn1X && point.x <= kLegendColumn1ClickRight) ||
           (point.x >= kLegendColumn2X && point.x <= kLegendColumn2ClickRight);
}

std::optional<TerrainCode> legendCodeAt(ClientPoint point) {
    if (!isOnLegend(point)) return std::nullopt;
    const bool first = point.x <= kLegendColumn1ClickRight;
    const int rows = first ? kLegendColumn1Rows : kLastLegendCode + 1 - kLegendColumn1Rows;
    if (point.y < kLegendTop || point.y >= kLegendTop + kLegendRowHeight * rows) return std::nullopt;
    return (first ? 0 : kLegendColumn1Rows) + (point.y - kLegendTop) / kLegendRowHeight;
}

}  // namespace pelorn
