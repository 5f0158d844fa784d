#include "view/map_view.h"

#include <string>

#include "text/conversions.h"
#include "map/editing.h"
#include "map/map_grid.h"
#include "view/seed_status.h"
#include "view/view_mode.h"

namespace pelorn {

namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kToolStatusColour{200, 0, 0};
constexpr TerrainCode kLastColumn1Code = 21;

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


void drawQuad(Painter& painter) {
    const int baseX = viewQuadX * kQuadSize;
    const int baseY = viewQuadY * kQuadSize;
    for (int j = 0; j < kQuadSize; ++j) {
        const int x = kQuadOriginX + kColumnSpacing * j;
        const int top = kQuadOriginY - (j % 2 == 0 ? 2 : 0);
        for (int i = 0; i < kQuadSize; ++i) drawTile(painter, x, top + kRowSpacing * i, baseX + j, baseY + i);
    }
}

// The two nearest columns or rows of the neighbouring quads; no corners, no wrapping.
void drawEdges(Painter& painter) {
    const int baseX = viewQuadX * kQuadSize;
    const int baseY = viewQuadY * kQuadSize;
    if (viewQuadX > 0) {
        for (int i = 0; i < kQuadSize; ++i) {
            drawTile(painter, 30, 76 + kRowSpacing * i, baseX - 1, baseY + i);
            drawTile(painter, 24, 74 + kRowSpacing * i, baseX - 2, baseY + i);
        }
    }
    if (viewQuadX < quadCountX - 1) {
        for (int i = 0; i < kQuadSize; ++i) {
            drawTile(painter, 656, 74 + kRowSpacing * i, baseX + 100, baseY + i);
            drawTile(painter, 662, 76 + kRowSpacing * i, baseX + 101, baseY + i);
        }
    }
    if (viewQuadY > 0) {
        for (int j = 0; j < kQuadSize; ++j) {
            const int d = j % 2 == 0 ? 0 : 2;
            const int x = kQuadOriginX + kColumnSpacing * j;
            drawTile(painter, x, 57 + d, baseX + j, baseY - 2);
            drawTile(painter, x, 60 + d, baseX + j, baseY - 1);
        }
    }
    if (viewQuadY < quadCountY - 1) {
        for (int j = 0; j < kQuadSize; ++j) {
            const int d = j % 2 == 0 ? 0 : 2;
            const int x = kQuadOriginX + kColumnSpacing * j;
            drawTile(painter, x, 484 + d, baseX + j, baseY + 100);
            drawTile(painter, x, 487 + d, baseX + j, baseY + 101);
        }
    }
}

void drawStatusLine(Painter& painter) {
    painter.setTextColour(kBlack);
    painter.textOut(740, 8, intToText(viewQuadX) + ", " + intToText(viewQuadY));
    painter.textOut(790, 8, boldBrush ? "Brush: Bold" : "Brush: Normal");
    if (shownSeed()) painter.textOut(kSeedStatusX, kSeedStatusY, seedStatusText());
    painter.setTextColour(kRed);
    if (startLocationMode) painter.textOut(900, 8, "SL");
    if (fillTool) {
        painter.setTextColour(kToolStatusColour);
        painter.textOut(580, 8, "Using FILL tool");
    } else if (bucketTool) {
        painter.setTextColour(kToolStatusColour);
        painter.textOut(580, 8, "Using BUCKET tool");
    }
}

void drawLegend(Painter& painter) {
    for (TerrainCode k = 0; k <= kLastLegendCode; ++k) {
        painter.setTextColour(legendLabelColour(k));
        if (k <= kLastColumn1Code)
            painter.textOut(kLegendColumn1X, kLegendTop + kLegendRowHeight * k, terrainName(k));
        else
            painter.textOut(kLegendColumn2X, kLegendTop + kLegendRowHeight * (k - 22), terrainName(k));
    }
}

// A short line left of the label of code k (0..38).
void drawMarkerOnRow(Painter& painter, TerrainCode k) {
    if (k <= kLastColumn1Code) {
        const int y = 47 + kLegendRowHeight * k;
        line(painter, 728, y, 732, y);
    } else {
        const int y = 47 + kLegendRowHeight * (k - 22);
        line(painter, 838, y, 842, y);
    }
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

// One pixel per tile; tile column i of the leftmost quad lands on pixel column i - 1.
void drawOverview(Painter& painter) {
    if (!mapGrid) return;
    for (int qx = viewQuadX; qx < quadCountX && qx - viewQuadX < kOverviewQuads; ++qx) {
        for (int qy = viewQuadY; qy < quadCountY && qy - viewQuadY < kOverviewQuads; ++qy) {
            for (int i = 0; i < kQuadSize; ++i) {
                const TerrainCode* column = mapGrid[qx * kQuadSize + i];
                const int px = (qx - viewQuadX) * kQuadSize + i;
                for (int j = 0; j < kQuadSize; ++j) {
                    painter.selectPen(tilePen(column[qy * kQuadSize + j]));
                    const int py = (qy - viewQuadY) * kQuadSize + j + kOverviewTop;
                    line(painter, px - 1, py, px, py);
                }
            }
        }
    }
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

void drawTile(Painter& painter, int x, int y, int column, int row) {
    if (!mapGrid || column < 0 || row < 0 || column >= mapWidth() || row >= mapHeight()) return;
    const TerrainCode t = mapGrid[column][row];
    painter.selectPen(tilePen(t));
    line(painter, x + 2, y, x + 6, y);
    line(painter, x, y + 1, x + 8, y + 1);
    line(painter, x, y + 2, x + 8, y + 2);
    line(painter, x + 2, y + 3, x + 6, y + 3);
    if (isStartLocationCode(t)) {
        painter.selectPen(kStartMarkerPen);
        line(painter, x + 3, y + 1, x + 3, y + 2);
    }
    if (hasForestMark(t) || hasJungleMark(t)) {
        painter.selectPen(hasJungleMark(t) ? kJungleMarkPen : kForestMarkPen);
        line(painter, x + 3, y + 1, x + 3, y + 3);
    }
}

void paintMap(Painter& painter) {
    // A fresh paint device context holds the default black pen.
    painter.selectPen(kDefaultPen);
    line(painter, 0, 30, 960, 30);
    painter.setTextColour(kBlack);
    painter.textOut(10, 8, currentMapName + ".map");

    if (viewMode != 0) {
        drawOverview(painter);
        return;
    }
    if (mapGrid) {
        drawQuad(painter);
        drawEdges(painter);
    }
    painter.selectPen(kVoid);
    line(painter, kSeparatorX, 0, kSeparatorX, 590);
    drawStatusLine(painter);
    drawLegend(painter);
    drawLegendMarker(painter);
}

}  // namespace pelorn
