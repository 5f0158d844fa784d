#include "map/editing.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

#include "map/flood_fill.h"
#include "map/history.h"
#include "map/map_grid.h"
#include "map/window_seam.h"
#include "view/map_view.h"
#include "view/view_mode.h"

namespace pelorn {

TerrainCode currentTerrain = kVoid;
bool boldBrush = false;
bool startLocationMode = false;
bool fillTool = false;
bool bucketTool = false;
bool leftButtonDown = false;

namespace {

constexpr int kMapClickWidth = 600;   // u from 0 to 599
constexpr int kMapClickHeight = 400;  // v from 0 to 399
constexpr int kTileClickWidth = 6;
constexpr int kTileClickHeight = 4;

constexpr int kLegendColumn1Left = 740;
constexpr int kLegendColumn1Right = 779;
constexpr int kLegendColumn2Left = 850;
constexpr int kLegendColumn2Right = 959;
constexpr int kLegendTop = 40;
constexpr int kLegendRowHeight = 20;
constexpr int kLegendColumn1Rows = 22;  // codes 0..21
constexpr int kLegendColumn2Rows = 17;  // codes 22..38

bool cursorOnMap(int u, int v) { return u >= 0 && u < kMapClickWidth && v >= 0 && v < kMapClickHeight; }

TilePos tileAt(int u, int v) {
    return {viewQuadX * kQuadSize + u / kTileClickWidth, viewQuadY * kQuadSize + v / kTileClickHeight};
}

// A click in a legend column: the row under the cursor, if any, becomes the
// current terrain; the marker columns repaint either way and the stroke ends.
void legendClick(int py, TerrainCode firstCode, int rows) {
    leftButtonDown = false;
    if (py >= kLegendTop && py < kLegendTop + kLegendRowHeight * rows) {
        const TerrainCode k = firstCode + (py - kLegendTop) / kLegendRowHeight;
        const TerrainCode startCode = startLocationCode(k);
        currentTerrain = (startLocationMode && startCode != 0) ? startCode : k;
    }
    invalidateRect(kMarkerColumn1Rect, true);
    invalidateRect(kMarkerColumn2Rect, true);
}

void bucketClick(int px, int py) {
    leftButtonDown = false;
    const int u = px - kMapClickOriginX;
    const int v = py - kMapClickOriginY;
    if (cursorOnMap(u, v) && mapGrid) {
        const TilePos tile = tileAt(u, v);
        const TerrainCode target = mapGrid[tile.x][tile.y];
        historyBeginEdit(MapChange::kTiles);
        std::vector<std::uint32_t> converted;
        floodFill(tile.x, tile.y, currentTerrain, &converted);
        historyRecordTiles(std::move(converted), target, currentTerrain);
        historyEndEdit();
    }
    invalidateRect(kMapAreaRect, true);
}

// Puts currentTerrain on a tile that holds another code; true when it did.
// Recorded before it is written, so that an edit the history still holds open
// is closed on the map as it was.
bool setTile(std::int32_t x, std::int32_t y) {
    const TerrainCode old = mapGrid[x][y];
    if (old == currentTerrain) return false;
    historyRecordTile(x, y, old, currentTerrain);
    mapGrid[x][y] = currentTerrain;
    return true;
}

struct TileOffset {
    int dx;
    int dy;
};
constexpr TileOffset kNormalBrush[] = {{0, 0}};
// (gx - 1, gy) and (gx + 1, gy) are left alone.
constexpr TileOffset kBoldBrush[] = {{0, 0}, {0, -1}, {0, 1}, {-1, -1}, {-1, 1}, {1, -1}, {1, 1}};

// The quad tile a brush step at (u, v) is centred on; false where the brush
// paints nothing. The bold brush stays off the outermost tile columns and rows
// of the quad, so that all seven tiles lie inside it.
bool brushCentre(int u, int v, TilePos& quadTile) {
    if (!cursorOnMap(u, v)) return false;
    if (boldBrush && (u < kTileClickWidth || u >= kMapClickWidth - kTileClickWidth || v < kTileClickHeight ||
                      v >= kMapClickHeight - kTileClickHeight))
        return false;
    quadTile = {u / kTileClickWidth, v / kTileClickHeight};
    return true;
}

// One brush step centred on a quad tile. Only the tiles that change are
// written and only their pixels repainted, without erasing: a step over tiles
// that already hold the code asks for nothing, so a held button leaves the
// window idle.
void brushQuadTile(TilePos centre) {
    const TileOffset* first = boldBrush ? std::begin(kBoldBrush) : std::begin(kNormalBrush);
    const TileOffset* last = boldBrush ? std::end(kBoldBrush) : std::end(kNormalBrush);
    bool changed = false;
    ClientRect area{};
    for (const TileOffset* o = first; o != last; ++o) {
        const int column = centre.x + o->dx;
        const int row = centre.y + o->dy;
        if (!setTile(viewQuadX * kQuadSize + column, viewQuadY * kQuadSize + row)) continue;
        const ClientRect tile = quadTileRect(column, row);
        area = changed ? ClientRect{std::min(area.left, tile.left), std::min(area.top, tile.top),
                                    std::max(area.right, tile.right), std::max(area.bottom, tile.bottom)}
                       : tile;
        changed = true;
    }
    if (changed) invalidateRect(area, false);
}

}  // namespace

void resetEditingState() {
    currentTerrain = kVoid;
    boldBrush = false;
    startLocationMode = false;
    fillTool = false;
    bucketTool = false;
    leftButtonDown = false;
}

void mapClick() {
    if (viewMode != 0) return;
    const ClientPoint cursor = cursorPosition();
    if (cursor.x >= kLegendColumn1Left && cursor.x <= kLegendColumn1Right) {
        legendClick(cursor.y, 0, kLegendColumn1Rows);
    } else if (cursor.x >= kLegendColumn2Left && cursor.x <= kLegendColumn2Right) {
        legendClick(cursor.y, kLegendColumn1Rows, kLegendColumn2Rows);
    } else if (bucketTool) {
        bucketClick(cursor.x, cursor.y);
    }
}

void brushAtCursor() {
    if (!mapGrid) return;
    const ClientPoint cursor = cursorPosition();
    TilePos centre;
    if (brushCentre(cursor.x - kMapClickOriginX, cursor.y - kMapClickOriginY, centre)) brushQuadTile(centre);
}

void brushAfterMessage() {
    if (viewMode == 0 && leftButtonDown) brushAtCursor();
}

bool leftButtonPressed() {
    leftButtonDown = true;
    mapClick();
    // Everything the brush paints until the button comes up is one edit.
    if (leftButtonDown) historyBeginEdit(MapChange::kBrushedTiles);
    return leftButtonDown;
}

void leftButtonReleased() {
    leftButtonDown = false;
    historyEndEdit();
}

void strokeEnded() {
    leftButtonDown = false;
    historyEndEdit();
}

void fillWholeMap() {
    if (!fillTool) return;
    fillTool = false;
    if (mapGrid) {
        historyCaptureWholeMap(MapChange::kWholeMap);
        const std::int32_t width = mapWidth();
        const std::int32_t height = mapHeight();
        for (std::int32_t x = 0; x < width; ++x) {
            TerrainCode* column = mapGrid[x];
            for (std::int32_t y = 0; y < height; ++y) column[y] = currentTerrain;
        }
        historyCommitWholeMap();
    }
    invalidateClientArea(true);
}

void toggleBoldBrush() {
    boldBrush = !boldBrush;
    invalidateRect(kBrushStatusRect, true);
}

void toggleFillTool() {
    bucketTool = false;
    fillTool = !fillTool;
    invalidateRect(kToolStatusRect, true);
}

void toggleBucketTool() {
    fillTool = false;
    bucketTool = !bucketTool;
    invalidateRect(kToolStatusRect, true);
}

void toggleStartLocationMode() {
    startLocationMode = !startLocationMode;
    invalidateRect(kStartLocationStatusRect, true);
}

}  // namespace pelorn
