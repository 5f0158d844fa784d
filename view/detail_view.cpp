// The detail view: one quad of hexagon tiles with the two nearest columns
// and rows of its neighbours, the rule before the legend, the status line and
// the legend with the marker of the current terrain.
#include <optional>
#include <string>
#include <vector>

#include "map/map_grid.h"
#include "text/conversions.h"
#include "view/drawing.h"
#include "view/edit_overlay.h"
#include "view/layout.h"
#include "view/map_view.h"
#include "view/cursor_text.h"
#include "view/screen.h"
#include "view/seed_status.h"
#include "view/view.h"

namespace pelorn {

using drawing::kBlack;
using drawing::kRed;
using drawing::line;

namespace {

// drawTile, left out when the tile lies wholly outside the clip box: its
// hexagon and marks stay within its 8 by 4 box.
void drawTileWithin(Painter& painter, const Map& map, const ClientRect& clip, int x, int y, int column, int row) {
    if (rectsMeet(ClientRect{x, y, x + kTileWidth, y + kTileHeight}, clip)) drawTile(painter, map, x, y, column, row);
}

// The tiles under a floating stamp are left to the stamp, drawn over them.
void drawQuad(Painter& painter, const Map& map, const Screen& screen, const ClientRect& clip) {
    const int baseX = screen.viewQuadX * kQuadSize;
    const int baseY = screen.viewQuadY * kQuadSize;
    const std::vector<bool> covered = stampCover(screen, map);
    for (int j = 0; j < kQuadSize; ++j) {
        const ClientPoint top = quadTileOrigin(j, 0);
        if (top.x + kTileWidth <= clip.left || top.x >= clip.right) continue;
        for (int i = 0; i < kQuadSize; ++i)
            if (covered.empty() || !covered[j * kQuadSize + i])
                drawTileWithin(painter, map, clip, top.x, top.y + kRowSpacing * i, baseX + j, baseY + i);
    }
}

// The two nearest columns or rows of the neighbouring quads; no corners, no wrapping.
void drawEdges(Painter& painter, const Map& map, const Screen& screen, const ClientRect& clip) {
    const int baseX = screen.viewQuadX * kQuadSize;
    const int baseY = screen.viewQuadY * kQuadSize;
    const auto drawColumns = [&](const EdgeColumn (&edge)[2]) {
        for (int i = 0; i < kQuadSize; ++i)
            for (const EdgeColumn& c : edge)
                drawTileWithin(painter, map, clip, c.x, c.y + kRowSpacing * i, baseX + c.column, baseY + i);
    };
    const auto drawRows = [&](const EdgeRow (&edge)[2]) {
        for (int j = 0; j < kQuadSize; ++j) {
            const int drop = isRaisedColumn(j) ? 0 : kEdgeRowOddColumnDrop;
            const int x = quadTileOrigin(j, 0).x;
            for (const EdgeRow& r : edge) drawTileWithin(painter, map, clip, x, r.y + drop, baseX + j, baseY + r.row);
        }
    };
    if (screen.viewQuadX > 0) drawColumns(kLeftEdgeColumns);
    if (screen.viewQuadX < map.quadCountX - 1) drawColumns(kRightEdgeColumns);
    if (screen.viewQuadY > 0) drawRows(kTopEdgeRows);
    if (screen.viewQuadY < map.quadCountY - 1) drawRows(kBottomEdgeRows);
}

void drawStatusLine(Painter& painter, const Screen& screen) {
    drawing::drawPositionText(painter, screen);
    painter.textOut(kBrushStatusX, kStatusTop, brushStatusText(screen));
    if (!screen.noticeText.empty()) {
        painter.setTextColour(screen.noticeIsFailure ? drawing::kToolStatusColour : kBlack);
        painter.textOut(kNoticeRect.left, kStatusTop, screen.noticeText);
        painter.setTextColour(kBlack);
    } else {
        if (!screen.cursorText.empty()) painter.textOut(cursorTextX(screen), kStatusTop, screen.cursorText);
        if (screen.seedShown) painter.textOut(kSeedStatusX, kStatusTop, seedStatusText(screen));
        if (!screen.playersText.empty()) painter.textOut(kPlayersStatusX, kStatusTop, screen.playersText);
    }
    painter.setTextColour(kRed);
    if (screen.startLocationMode) painter.textOut(kStartLocationStatusX, kStatusTop, "SL");
    if (screen.fillTool) {
        painter.setTextColour(drawing::kToolStatusColour);
        painter.textOut(kToolStatusX, kStatusTop, "Using FILL tool");
    } else if (screen.bucketTool) {
        painter.setTextColour(drawing::kToolStatusColour);
        painter.textOut(kToolStatusX, kStatusTop, "Using BUCKET tool");
    } else if (screen.selectTool) {
        painter.setTextColour(drawing::kToolStatusColour);
        painter.textOut(kToolStatusX, kStatusTop, "Using SELECT tool");
    }
    // The second line, below the map.
    painter.setTextColour(kBlack);
    const std::string selection = selectionStatusText(screen);
    if (!selection.empty()) painter.textOut(kSelectionStatusX, kLowerStatusTop, selection);
    if (!screen.editText.empty()) painter.textOut(kEditStatusX, kLowerStatusTop, screen.editText);
}

void drawLegend(Painter& painter) {
    for (TerrainCode k = 0; k <= kLastLegendCode; ++k) {
        painter.setTextColour(legendLabelColour(k));
        const ClientPoint at = legendLabelOrigin(k);
        painter.textOut(at.x, at.y, terrainName(k));
    }
}

// A short line left of the label of code k (0..38).
void drawMarkerOnRow(Painter& painter, TerrainCode k) {
    const ClientPoint start = legendMarkerStart(k);
    line(painter, start.x, start.y, start.x + kMarkerLength, start.y);
}

void drawLegendMarker(Painter& painter, TerrainCode k) {
    if (k >= 0 && k <= kLastLegendCode) {
        painter.selectPen(kMarkerPen);
        drawMarkerOnRow(painter, k);
    } else if (isStartLocationCode(k)) {
        painter.selectPen(kStartMarkerPen);
        drawMarkerOnRow(painter, baseCode(k));
    }
}

class DetailView : public View {
public:
    void paint(Painter& painter, const Map& map, const Screen& screen, const ClientRect& clip) const override {
        if (map.mapGrid) {
            drawQuad(painter, map, screen, clip);
            drawEdges(painter, map, screen, clip);
            drawEditOverlays(painter, map, screen, clip);
        }
        painter.selectPen(kVoid);
        line(painter, kSeparatorX, 0, kSeparatorX, kSeparatorBottom);
        drawStatusLine(painter, screen);
        drawLegend(painter);
        drawLegendMarker(painter, screen.currentTerrain);
    }

    // The legend is hit-tested apart (isOnLegend, legendCodeAt).
    ViewHit hitTest(const Map&, const Screen& screen, ClientPoint point) const override {
        return {tileAt(screen, point), std::nullopt};
    }

    void repaintTiles(Repaints& repaints, bool erase) const override { repaints.rect(kMapAreaRect, erase); }

    // "x 1234, y 567: Forest H" for the tile under the point.
    std::string statusTextAt(const Map& map, const Screen& screen, ClientPoint point) const override {
        if (!map.mapGrid) return std::string();
        const std::optional<TilePos> tile = hitTest(map, screen, point).tile;
        if (!tile || tile->x >= mapWidth(map) || tile->y >= mapHeight(map)) return std::string();
        return tileStatusText(map, *tile);
    }
};

}  // namespace

const View& detailView();
const View& detailView() {
    static const DetailView view{};
    return view;
}

}  // namespace pelorn
