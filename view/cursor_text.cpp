#include "view/cursor_text.h"

#include <optional>
#include <utility>

#include "map/map_grid.h"
#include "map/terrain.h"
#include "text/conversions.h"
#include "view/layout.h"
#include "view/repaint.h"
#include "view/view_mode.h"

namespace pelorn {

namespace {

std::optional<ClientPoint> lastPointer;
std::string shownText;

// The legend's name; a start location by its land ("Plains SL"); a code of
// no terrain by its number.
std::string terrainText(TerrainCode code) {
    if (code >= 0 && code <= kLastLegendCode) return terrainName(code);
    if (isStartLocationCode(code)) return std::string(terrainName(baseCode(code))) + " SL";
    return "code " + intToText(code);
}

void show(std::string text) {
    if (text == shownText) return;
    shownText = std::move(text);
    repaintStatus(StatusChange::kCursorText);
}

}  // namespace

std::string cursorTextAt(ClientPoint point) {
    if (!showsDetailView() || !mapGrid) return std::string();
    const std::optional<TilePos> tile = tileAt(point);
    if (!tile || tile->x >= mapWidth() || tile->y >= mapHeight()) return std::string();
    return "x " + intToText(tile->x) + ", y " + intToText(tile->y) + ": " + terrainText(mapGrid[tile->x][tile->y]);
}

void pointerMovedTo(ClientPoint point) {
    lastPointer = point;
    show(cursorTextAt(point));
}

void pointerLeft() {
    lastPointer.reset();
    show(std::string());
}

void refreshCursorText() { show(lastPointer ? cursorTextAt(*lastPointer) : std::string()); }

const std::string& shownCursorText() { return shownText; }

void resetCursorText() {
    lastPointer.reset();
    shownText.clear();
}

}  // namespace pelorn
