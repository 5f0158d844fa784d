// The brush: one tile, seven with the bold brush, or the hex disc of a larger
// size, put down under the pointer at the press and at every move of the
// stroke.
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

// The tiles one brush step changed: those of the viewed quad repaint alone;
// a tile elsewhere (a disc reaching past the quad) repaints the map area.
class BrushRepaint {
public:
    explicit BrushRepaint(const Screen& screen)
        : left_(screen.viewQuadX * kQuadSize), top_(screen.viewQuadY * kQuadSize) {}
    void add(std::int32_t x, std::int32_t y) {
        const int column = x - left_;
        const int row = y - top_;
        if (column >= 0 && row >= 0 && column < kQuadSize && row < kQuadSize)
            quad_.add(column, row);
        else
            beyondQuad_ = true;
    }
    void repaint(Editor& editor) const {
        if (beyondQuad_)
            editor.repaintMapChange(MapChange::kBrushedTiles);
        else
            quad_.repaint(editor.screen, editor.map());
    }

private:
    int left_;
    int top_;
    QuadTileRepaint quad_;
    bool beyondQuad_ = false;
};

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

// The normal and the bold brush, inside the tile's own quad.
void brushOffsets(Editor& editor, TilePos tile, BrushRepaint& changed) {
    const bool bold = editor.screen.boldBrush;
    if (!brushFits(bold, {tile.x % kQuadSize, tile.y % kQuadSize})) return;
    const TileOffset* first = bold ? std::begin(kBoldBrush) : std::begin(kNormalBrush);
    const TileOffset* last = bold ? std::end(kBoldBrush) : std::end(kNormalBrush);
    for (const TileOffset* o = first; o != last; ++o)
        if (setTile(editor, tile.x + o->dx, tile.y + o->dy)) changed.add(tile.x + o->dx, tile.y + o->dy);
    editor.lastPainted = tile;
}

// The disc of brushSize steps, wrapping round the map as the bucket does.
void brushDisc(Editor& editor, TilePos tile, BrushRepaint& changed) {
    const HexTorus torus = mapTorus(editor.map());
    for (const ColumnRun& run : hexDisc(editor.screen.brushSize, tile.x)) {
        for (std::int32_t dy = run.firstDy; dy <= run.lastDy; ++dy) {
            const TilePos p = torus.wrap({tile.x + run.dx, tile.y + dy});
            if (p.x < 0 || p.y < 0 || p.x >= torus.width || p.y >= torus.height) continue;  // past a tiny map
            if (setTile(editor, p.x, p.y)) changed.add(p.x, p.y);
        }
    }
    editor.lastPainted = tile;
}

class BrushTool : public Tool {
public:
    bool press(Editor& editor, ClientPoint point) const override {
        move(editor, point);
        return true;
    }

    void move(Editor& editor, ClientPoint point) const override {
        if (!editor.map().mapGrid) return;
        if (const std::optional<TilePos> tile = tileAt(editor.screen, point)) brushAt(editor, *tile);
    }

    void release(Editor&) const override {}
};

const BrushTool kBrushTool;

}  // namespace

// Only the tiles that change are written and only their pixels repainted,
// without erasing: a step over tiles that already hold the code asks for
// nothing, so a held button leaves the window idle.
void brushAt(Editor& editor, TilePos tile) {
    if (!editor.map().mapGrid) return;
    BrushRepaint changed(editor.screen);
    if (editor.screen.brushSize >= 2)
        brushDisc(editor, tile, changed);
    else
        brushOffsets(editor, tile, changed);
    changed.repaint(editor);
    editor.showFileMarks();
}

const Tool& brushTool() { return kBrushTool; }

}  // namespace pelorn
