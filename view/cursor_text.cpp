#include "view/cursor_text.h"

#include <utility>

#include "map/map_grid.h"
#include "map/terrain.h"
#include "text/conversions.h"
#include "view/layout.h"
#include "view/repaint.h"
#include "view/screen.h"
#include "view/view.h"

namespace pelorn {

namespace {

void show(Screen& screen, std::string text) {
    if (text == screen.cursorText) return;
    screen.cursorText = std::move(text);
    repaintStatus(screen, StatusChange::kCursorText);
}

}  // namespace

std::string tileStatusText(const Map& map, TilePos tile) {
    const TerrainCode code = map.mapGrid[tile.x][tile.y];
    std::string name;
    if (code >= 0 && code <= kLastLegendCode) {
        name = terrainName(code);
    } else if (isStartLocationCode(code)) {
        name = std::string(terrainName(baseCode(code))) + " SL";
    } else {
        name = "code " + intToText(code);
    }
    return "x " + intToText(tile.x) + ", y " + intToText(tile.y) + ": " + name;
}

int cursorTextX(const Screen& screen) {
    return screen.playersText.empty() ? kCursorTextX : kCursorTextBesidePlayersX;
}

std::string cursorTextAt(const Screen& screen, const Map& map, ClientPoint point) {
    return currentView(screen).statusTextAt(map, screen, point);
}

void pointerMovedTo(Screen& screen, const Map& map, ClientPoint point) {
    screen.lastPointer = point;
    show(screen, cursorTextAt(screen, map, point));
}

void pointerLeft(Screen& screen) {
    screen.lastPointer.reset();
    show(screen, std::string());
}

void refreshCursorText(Screen& screen, const Map& map) {
    show(screen, screen.lastPointer ? cursorTextAt(screen, map, *screen.lastPointer) : std::string());
}

}  // namespace pelorn
