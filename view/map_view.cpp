#include "view/map_view.h"

#include "text/conversions.h"
#include "view/drawing.h"
#include "view/view.h"

namespace pelorn {

using drawing::kBlack;
using drawing::line;

namespace {

bool hasForestMark(TerrainCode code) {
    return (code >= kForestPlains && code <= kForestHighHills) ||
           (code >= kSorestPlains && code <= kSorestHighHills);
}

bool hasJungleMark(TerrainCode code) {
    return code == kJunglePlains || code == kJungleHills || code == kJungleHighHills;
}

}  // namespace

void drawing::drawPositionText(Painter& painter, const Screen& screen) {
    painter.setTextColour(kBlack);
    painter.textOut(kPositionStatusX, kStatusTop, intToText(screen.viewQuadX) + ", " + intToText(screen.viewQuadY));
}

Rgb legendLabelColour(TerrainCode code) {
    switch (code) {
        case kDesert: return terrainColour(kFertilePlains);
        case kPlainsL: case kPlainsD: case kHillsL: case kHillsD: case kHighHillsL: case kHighHillsD:
        case kSorestPlains: case kSorestHills: case kSorestHighHills: case kGlacier:
            return kBlack;
        default: return terrainColour(code);
    }
}

std::string mapCaptionText(const Map& map, FileMarks marks) {
    std::string text = map.currentMapName + ".map";
    if (marks.mapHasUnsavedEdits) text += " *";
    if (marks.mapSaveFailed) text += " not saved";
    return text;
}

void drawTile(Painter& painter, const Map& map, int x, int y, int column, int row) {
    if (!map.mapGrid || column < 0 || row < 0 || column >= mapWidth(map) || row >= mapHeight(map)) return;
    drawTileCode(painter, x, y, map.mapGrid[column][row]);
}

void drawTileCode(Painter& painter, int x, int y, TerrainCode t) {
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

void paintMap(Painter& painter, const Map& map, const Screen& screen, FileMarks marks) {
    const ClientRect clip = painter.clipBox();
    // A fresh paint device context holds the default black pen.
    painter.selectPen(kDefaultPen);
    line(painter, 0, kCaptionRuleY, kCaptionRuleRight, kCaptionRuleY);
    painter.setTextColour(marks.mapSaveFailed ? drawing::kToolStatusColour : kBlack);
    painter.textOut(kMapNameText.x, kMapNameText.y, mapCaptionText(map, marks));
    currentView(screen).paint(painter, map, screen, clip);
}

}  // namespace pelorn
