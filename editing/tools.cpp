#include "editing/tools.h"

#include <iterator>
#include <utility>
#include <vector>

#include "editing/history.h"
#include "map/flood_fill.h"
#include "map/map_grid.h"
#include "map/window_seam.h"
#include "view/layout.h"
#include "view/repaint.h"
#include "view/view_mode.h"
#include "view/whole_map.h"

namespace pelorn {

bool leftButtonDown = false;

namespace {

// A click on a legend column: the row under the cursor, if any, becomes the
// current terrain; the markers repaint either way and the stroke ends.
void legendClick(std::optional<TerrainCode> row) {
    leftButtonDown = false;
    if (row) {
        const TerrainCode startCode = startLocationCode(*row);
        currentTerrain = (startLocationMode && startCode != 0) ? startCode : *row;
    }
    repaintStatus(StatusChange::kCurrentTerrain);
}

void bucketClick(ClientPoint cursor) {
    leftButtonDown = false;
    const std::optional<TilePos> tile = tileAt(cursor);
    if (tile && mapGrid) {
        const TerrainCode target = mapGrid[tile->x][tile->y];
        historyBeginEdit(MapChange::kTiles);
        std::vector<std::uint32_t> converted;
        floodFill(tile->x, tile->y, currentTerrain, &converted);
        historyRecordTiles(std::move(converted), target, currentTerrain);
        historyEndEdit();
    }
    repaintMapChange(MapChange::kTiles);
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
// Not the hexagon around the centre, whatever the column: (gx - 1, gy) and
// (gx + 1, gy) are left alone.
constexpr TileOffset kBoldBrush[] = {{0, 0}, {0, -1}, {0, 1}, {-1, -1}, {-1, 1}, {1, -1}, {1, 1}};

// The bold brush stays off the outermost tile columns and rows of the quad,
// so that all seven tiles lie inside it.
bool brushFits(TilePos quadTile) {
    if (!boldBrush) return true;
    return quadTile.x >= 1 && quadTile.x <= kQuadSize - 2 && quadTile.y >= 1 && quadTile.y <= kQuadSize - 2;
}

// One brush step centred on a tile of the viewed quad. Only the tiles that
// change are written and only their pixels repainted, without erasing: a step
// over tiles that already hold the code asks for nothing, so a held button
// leaves the window idle.
void brushQuadTile(TilePos centre) {
    const TileOffset* first = boldBrush ? std::begin(kBoldBrush) : std::begin(kNormalBrush);
    const TileOffset* last = boldBrush ? std::end(kBoldBrush) : std::end(kNormalBrush);
    QuadTileRepaint changed;
    for (const TileOffset* o = first; o != last; ++o) {
        const int column = centre.x + o->dx;
        const int row = centre.y + o->dy;
        if (setTile(viewQuadX * kQuadSize + column, viewQuadY * kQuadSize + row)) changed.add(column, row);
    }
    changed.repaint();
}

}  // namespace

void resetEditingState() {
    resetToolState();
    leftButtonDown = false;
}

void mapClick() {
    if (showsWholeMap()) {
        // A click picks a quad to edit; no stroke follows it, not even into
        // the detail view it opens while the button is still held.
        leftButtonDown = false;
        openQuadAt(cursorPosition());
        return;
    }
    if (!showsDetailView()) return;
    const ClientPoint cursor = cursorPosition();
    if (isOnLegend(cursor)) {
        legendClick(legendCodeAt(cursor));
    } else if (bucketTool) {
        bucketClick(cursor);
    }
}

void brushAtCursor() {
    if (!mapGrid) return;
    const std::optional<TilePos> tile = tileAt(cursorPosition());
    if (!tile) return;
    const TilePos quadTile{tile->x - viewQuadX * kQuadSize, tile->y - viewQuadY * kQuadSize};
    if (brushFits(quadTile)) brushQuadTile(quadTile);
}

void brushAfterMessage() {
    if (showsDetailView() && leftButtonDown) brushAtCursor();
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
    repaintMapChange(MapChange::kWholeMap);
}

void toggleBoldBrush() {
    boldBrush = !boldBrush;
    repaintStatus(StatusChange::kBrush);
}

void toggleFillTool() {
    bucketTool = false;
    fillTool = !fillTool;
    repaintStatus(StatusChange::kTool);
}

void toggleBucketTool() {
    fillTool = false;
    bucketTool = !bucketTool;
    repaintStatus(StatusChange::kTool);
}

void toggleStartLocationMode() {
    startLocationMode = !startLocationMode;
    repaintStatus(StatusChange::kStartLocationMode);
}

}  // namespace pelorn
