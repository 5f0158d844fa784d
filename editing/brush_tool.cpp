// The brush: one tile, or seven with the bold brush, put down under the
// pointer at the press and at every move of the stroke.
#include <iterator>

#include "editing/editor.h"
#include "editing/tool.h"
#include "view/layout.h"

namespace pelorn {

namespace {

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
bool brushFits(bool bold, TilePos quadTile) {
    if (!bold) return true;
    return quadTile.x >= 1 && quadTile.x <= kQuadSize - 2 && quadTile.y >= 1 && quadTile.y <= kQuadSize - 2;
}

// Puts currentTerrain on a tile that holds another code; true when it did.
// Recorded before it is written, so that an edit the history still holds open
// is closed on the map as it was.
bool setTile(Editor& editor, std::int32_t x, std::int32_t y) {
    const TerrainCode code = editor.screen.currentTerrain;
    TerrainCode& tile = editor.map().mapGrid[x][y];
    if (tile == code) return false;
    editor.history().recordTile(x, y, tile, code);
    tile = code;
    return true;
}

// One brush step centred on a tile of the viewed quad. Only the tiles that
// change are written and only their pixels repainted, without erasing: a step
// over tiles that already hold the code asks for nothing, so a held button
// leaves the window idle.
void brushQuadTile(Editor& editor, TilePos centre) {
    const bool bold = editor.screen.boldBrush;
    const TileOffset* first = bold ? std::begin(kBoldBrush) : std::begin(kNormalBrush);
    const TileOffset* last = bold ? std::end(kBoldBrush) : std::end(kNormalBrush);
    const std::int32_t quadLeft = editor.screen.viewQuadX * kQuadSize;
    const std::int32_t quadTop = editor.screen.viewQuadY * kQuadSize;
    QuadTileRepaint changed;
    for (const TileOffset* o = first; o != last; ++o) {
        const int column = centre.x + o->dx;
        const int row = centre.y + o->dy;
        if (setTile(editor, quadLeft + column, quadTop + row)) changed.add(column, row);
    }
    changed.repaint(editor.screen, editor.map());
    editor.showFileMarks();
}

class BrushTool : public Tool {
public:
    bool press(Editor& editor, ClientPoint point) const override {
        move(editor, point);
        return true;
    }

    void move(Editor& editor, ClientPoint point) const override {
        if (!editor.map().mapGrid) return;
        const std::optional<TilePos> tile = tileAt(editor.screen, point);
        if (!tile) return;
        const TilePos quadTile{tile->x - editor.screen.viewQuadX * kQuadSize,
                               tile->y - editor.screen.viewQuadY * kQuadSize};
        if (brushFits(editor.screen.boldBrush, quadTile)) brushQuadTile(editor, quadTile);
    }

    void release(Editor&) const override {}
};

const BrushTool kBrushTool;

}  // namespace

const Tool& brushTool() { return kBrushTool; }

}  // namespace pelorn
