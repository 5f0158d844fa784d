// The selection: a drag selects the rectangle from the tile pressed to the
// tile under the pointer, both included. A click without a drag clears the
// selection; on the whole-map picture it opens the quad, as it always has,
// while a drag there selects at the picture's scale.
#include <algorithm>
#include <cstdlib>

#include "editing/editor.h"
#include "editing/tool.h"
#include "view/layout.h"
#include "view/view_mode.h"
#include "view/whole_map.h"

namespace pelorn {

namespace {

// On the whole-map picture a hand's tremble moves a pixel or two; a drag is more.
constexpr int kWholeMapDragPixels = 3;

// The map tile under a point: the detail view's quad tiles; on the
// whole-map picture the tile a pixel shows. A drag past the edge is held to it.
std::optional<TilePos> tileUnder(const Editor& editor, ClientPoint point, bool clampToEdge) {
    const Map& map = editor.map();
    if (!map.mapGrid) return std::nullopt;
    if (!showsWholeMap(editor.screen)) {
        if (clampToEdge) {
            point.x = std::clamp(point.x, kMapClickOriginX, kMapClickOriginX + kMapClickWidth - 1);
            point.y = std::clamp(point.y, kMapClickOriginY, kMapClickOriginY + kMapClickHeight - 1);
        }
        return tileAt(editor.screen, point);
    }
    const WholeMapPicture picture = wholeMapPicture(map);
    const ClientRect bounds = picture.bounds();
    int px = point.x - bounds.left;
    int py = point.y - bounds.top;
    const bool inside = px >= 0 && py >= 0 && px < picture.width() && py < picture.height();
    if (!inside && !clampToEdge) return std::nullopt;
    px = std::clamp(px, 0, picture.width() - 1);
    py = std::clamp(py, 0, picture.height() - 1);
    return TilePos{picture.tileColumn(px), picture.tileRow(py)};
}

class SelectTool : public Tool {
public:
    bool press(Editor& editor, ClientPoint point) const override {
        const std::optional<TilePos> tile = tileUnder(editor, point, false);
        if (!tile) return false;
        editor.strokeAnchor = *tile;
        editor.strokePressPoint = point;
        editor.strokeMoved = false;
        return true;
    }

    void move(Editor& editor, ClientPoint point) const override {
        const std::optional<TilePos> tile = tileUnder(editor, point, true);
        if (!tile) return;
        if (!editor.strokeMoved) {
            const bool wholeMap = showsWholeMap(editor.screen);
            const bool moved = wholeMap ? std::abs(point.x - editor.strokePressPoint.x) >= kWholeMapDragPixels ||
                                              std::abs(point.y - editor.strokePressPoint.y) >= kWholeMapDragPixels
                                        : *tile != editor.strokeAnchor;
            if (!moved) return;
            editor.strokeMoved = true;
        }
        const TileRect rect = rectBetween(editor.strokeAnchor, *tile);
        if (!(editor.screen.selection == rect)) editor.setSelection(rect);
    }

    void release(Editor& editor) const override {
        if (editor.strokeMoved) return;
        if (showsWholeMap(editor.screen))
            openQuadAt(editor.screen, editor.map(), editor.strokePressPoint);
        else
            editor.setSelection(std::nullopt);
    }

    // Taken away mid-drag: what was selected so far stays.
    void cancel(Editor&) const override {}

    bool worksOnWholeMap() const override { return true; }
};

const SelectTool kSelectTool;

}  // namespace

const Tool& selectTool() { return kSelectTool; }

}  // namespace pelorn
