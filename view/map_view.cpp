#include "view/map_view.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "map/map_grid.h"
#include "map/save_state.h"
#include "map/tool_state.h"
#include "text/conversions.h"
#include "view/cursor_text.h"
#include "view/layout.h"
#include "view/seed_status.h"
#include "view/players_status.h"
#include "view/view_mode.h"
#include "view/whole_map.h"

namespace pelorn {

namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kToolStatusColour{200, 0, 0};

void line(Painter& painter, int x0, int y0, int x1, int y1) {
    painter.moveTo(x0, y0);
    painter.lineTo(x1, y1);
}

bool hasForestMark(TerrainCode code) {
    return (code >= kForestPlains && code <= kForestHighHills) ||
           (code >= kSorestPlains && code <= kSorestHighHills);
}

bool hasJungleMark(TerrainCode code) {
    return code == kJunglePlains || code == kJungleHills || code == kJungleHighHills;
}


// drawTile, left out when the tile lies wholly outside the clip box: its
// hexagon and marks stay within its 8 by 4 box.
void drawTileWithin(Painter& painter, const ClientRect& clip, int x, int y, int column, int row) {
    if (rectsMeet(ClientRect{x, y, x + kTileWidth, y + kTileHeight}, clip)) drawTile(painter, x, y, column, row);
}

void drawQuad(Painter& painter, const ClientRect& clip) {
    const int baseX = viewQuadX * kQuadSize;
    const int baseY = viewQuadY * kQuadSize;
    for (int j = 0; j < kQuadSize; ++j) {
        const ClientPoint top = quadTileOrigin(j, 0);
        if (top.x + kTileWidth <= clip.left || top.x >= clip.right) continue;
        for (int i = 0; i < kQuadSize; ++i)
            drawTileWithin(painter, clip, top.x, top.y + kRowSpacing * i, baseX + j, baseY + i);
    }
}

// The two nearest columns or rows of the neighbouring quads; no corners, no wrapping.
void drawEdges(Painter& painter, const ClientRect& clip) {
    const int baseX = viewQuadX * kQuadSize;
    const int baseY = viewQuadY * kQuadSize;
    const auto drawColumns = [&](const EdgeColumn (&edge)[2]) {
        for (int i = 0; i < kQuadSize; ++i)
            for (const EdgeColumn& c : edge)
                drawTileWithin(painter, clip, c.x, c.y + kRowSpacing * i, baseX + c.column, baseY + i);
    };
    const auto drawRows = [&](const EdgeRow (&edge)[2]) {
        for (int j = 0; j < kQuadSize; ++j) {
            const int drop = isRaisedColumn(j) ? 0 : kEdgeRowOddColumnDrop;
            const int x = quadTileOrigin(j, 0).x;
            for (const EdgeRow& r : edge) drawTileWithin(painter, clip, x, r.y + drop, baseX + j, baseY + r.row);
        }
    };
    if (viewQuadX > 0) drawColumns(kLeftEdgeColumns);
    if (viewQuadX < quadCountX - 1) drawColumns(kRightEdgeColumns);
    if (viewQuadY > 0) drawRows(kTopEdgeRows);
    if (viewQuadY < quadCountY - 1) drawRows(kBottomEdgeRows);
}

// The viewed quad's column and row.
void drawPositionText(Painter& painter) {
    painter.setTextColour(kBlack);
    painter.textOut(kPositionStatusX, kStatusTop, intToText(viewQuadX) + ", " + intToText(viewQuadY));
}

void drawStatusLine(Painter& painter) {
    drawPositionText(painter);
    if (!shownCursorText().empty()) painter.textOut(kCursorTextX, kStatusTop, shownCursorText());
    painter.textOut(kBrushStatusX, kStatusTop, boldBrush ? "Brush: Bold" : "Brush: Normal");
    if (shownSeed()) painter.textOut(kSeedStatusX, kStatusTop, seedStatusText());
    if (!playersStatus().empty()) painter.textOut(kPlayersStatusX, kStatusTop, playersStatus());
    painter.setTextColour(kRed);
    if (startLocationMode) painter.textOut(kStartLocationStatusX, kStatusTop, "SL");
    if (fillTool) {
        painter.setTextColour(kToolStatusColour);
        painter.textOut(kToolStatusX, kStatusTop, "Using FILL tool");
    } else if (bucketTool) {
        painter.setTextColour(kToolStatusColour);
        painter.textOut(kToolStatusX, kStatusTop, "Using BUCKET tool");
    }
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

void drawLegendMarker(Painter& painter) {
    const TerrainCode k = currentTerrain;
    if (k >= 0 && k <= kLastLegendCode) {
        painter.selectPen(kMarkerPen);
        drawMarkerOnRow(painter, k);
    } else if (isStartLocationCode(k)) {
        painter.selectPen(kStartMarkerPen);
        drawMarkerOnRow(painter, baseCode(k));
    }
}

// The colour a tile shows where it takes a pixel or less: its pen's colour.
// Start locations show their land's colour, without the dot.
class TileColours {
public:
    TileColours() {
        for (int code = 0; code < kPaletteSize; ++code) colours_[code] = penStyle(tilePen(code)).colour;
        unknown_ = penStyle(kUnknownCodePen).colour;
    }
    Rgb operator()(TerrainCode code) const { return code >= 0 && code < kPaletteSize ? colours_[code] : unknown_; }

private:
    Rgb colours_[kPaletteSize];
    Rgb unknown_;
};

// One pixel per tile; tile column i of the leftmost quad lands on pixel column
// i - 1. Every pixel of the overview takes the colour of its tile's pen, and
// the tiles cover their area without gaps, so the whole visible part goes to
// the surface as one block of pixels rather than a pen and a line per tile.
void drawOverview(Painter& painter, const ClientRect& clip) {
    if (!mapGrid) return;
    const int quadsAcross = std::min(kOverviewQuads, quadCountX - viewQuadX);
    const int quadsDown = std::min(kOverviewQuads, quadCountY - viewQuadY);
    if (quadsAcross <= 0 || quadsDown <= 0) return;
    // Pixel column -1 (tile column 0 of the leftmost quad) lies outside the client area.
    const int left = std::max(0, clip.left);
    const int right = std::min(kOverviewLeft + quadsAcross * kQuadSize, clip.right);
    const int top = std::max(kOverviewTop, clip.top);
    const int bottom = std::min(kOverviewTop + quadsDown * kQuadSize, clip.bottom);
    if (left >= right || top >= bottom) return;

    const TileColours colourOf;
    const int width = right - left;
    const int height = bottom - top;
    std::vector<Rgb> pixels(static_cast<std::size_t>(width) * height);
    for (int px = left; px < right; ++px) {
        const TerrainCode* column = mapGrid[viewQuadX * kQuadSize + px - kOverviewLeft] + viewQuadY * kQuadSize;
        Rgb* out = pixels.data() + (px - left);
        for (int py = top; py < bottom; ++py, out += width) *out = colourOf(column[py - kOverviewTop]);
    }
    painter.drawPixels(left, top, width, height, pixels.data());
}

// The whole map, each pixel the colour of the tile under its centre, as one
// block of pixels (only the part the clip box holds), then the frame of the
// viewed quad as four lines.
void drawWholeMap(Painter& painter, const ClientRect& clip) {
    if (!mapGrid) return;
    const WholeMapPicture picture = currentWholeMapPicture();
    const ClientRect bounds = picture.bounds();
    const int left = std::max(bounds.left, clip.left);
    const int right = std::min(bounds.right, clip.right);
    const int top = std::max(bounds.top, clip.top);
    const int bottom = std::min(bounds.bottom, clip.bottom);
    if (left < right && top < bottom) {
        const TileColours colourOf;
        const int width = right - left;
        const int height = bottom - top;
        std::vector<std::int32_t> rows(static_cast<std::size_t>(height));
        for (int py = top; py < bottom; ++py) rows[py - top] = picture.tileRow(py - bounds.top);
        std::vector<Rgb> pixels(static_cast<std::size_t>(width) * height);
        for (int px = left; px < right; ++px) {
            const TerrainCode* column = mapGrid[picture.tileColumn(px - bounds.left)];
            Rgb* out = pixels.data() + (px - left);
            for (int i = 0; i < height; ++i, out += width) *out = colourOf(column[rows[i]]);
        }
        painter.drawPixels(left, top, width, height, pixels.data());
    }
    const ClientRect frame = picture.frameRect({viewQuadX, viewQuadY});
    if (!rectsMeet({frame.left, frame.top, frame.right + 1, frame.bottom + 1}, clip)) return;
    painter.selectPen(kQuadFramePen);
    painter.moveTo(frame.left, frame.top);
    painter.lineTo(frame.right, frame.top);
    painter.lineTo(frame.right, frame.bottom);
    painter.lineTo(frame.left, frame.bottom);
    painter.lineTo(frame.left, frame.top);
}

}  // namespace

Rgb legendLabelColour(TerrainCode code) {
    switch (code) {
        case kDesert: return terrainColour(kFertilePlains);
        case kPlainsL: case kPlainsD: case kHillsL: case kHillsD: case kHighHillsL: case kHighHillsD:
        case kSorestPlains: case kSorestHills: case kSorestHighHills: case kGlacier:
            return kBlack;
        default: return terrainColour(code);
    }
}

std::string mapCaptionText() {
    std::string text = currentMapName + ".map";
    if (mapHasUnsavedEdits) text += " *";
    if (mapSaveFailed) text += " not saved";
    return text;
}

void drawTile(Painter& painter, int x, int y, int column, int row) {
    if (!mapGrid || column < 0 || row < 0 || column >= mapWidth() || row >= mapHeight()) return;
    const TerrainCode t = mapGrid[column][row];
    painter.selectPen(tilePen(t));
    for (const PixelRow& r : kHexagonRows) line(painter, x + r.left, y + r.y, x + r.right, y + r.y);
    if (isStartLocationCode(t)) {
        painter.selectPen(kStartMarkerPen);
        line(painter, x + kMarkX, y + kMarkTop, x + kMarkX, y + kStartDotBottom);
    }
    if (hasForestMark(t) || hasJungleMark(t)) {
        painter.selectPen(hasJungleMark(t) ? kJungleMarkPen : kForestMarkPen);
        line(painter, x + kMarkX, y + kMarkTop, x + kMarkX, y + kTreeMarkBottom);
    }
}

void paintMap(Painter& painter) {
    const ClientRect clip = painter.clipBox();
    // A fresh paint device context holds the default black pen.
    painter.selectPen(kDefaultPen);
    line(painter, 0, kCaptionRuleY, kCaptionRuleRight, kCaptionRuleY);
    painter.setTextColour(mapSaveFailed ? kToolStatusColour : kBlack);
    painter.textOut(kMapNameText.x, kMapNameText.y, mapCaptionText());

    if (showsOverview()) {
        drawOverview(painter, clip);
        return;
    }
    if (showsWholeMap()) {
        drawWholeMap(painter, clip);
        drawPositionText(painter);
        return;
    }
    if (!showsDetailView()) return;
    if (mapGrid) {
        drawQuad(painter, clip);
        drawEdges(painter, clip);
    }
    painter.selectPen(kVoid);
    line(painter, kSeparatorX, 0, kSeparatorX, kSeparatorBottom);
    drawStatusLine(painter);
    drawLegend(painter);
    drawLegendMarker(painter);
}

}  // namespace pelorn
