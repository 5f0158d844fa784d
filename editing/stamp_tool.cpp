// The floating stamp: it follows the pointer over the detail view (moving
// east-west two columns at a time, so that every tile keeps its column's
// parity), and each click puts a copy down, one step of undo each.
#include "editing/editor.h"
#include "editing/tool.h"
#include "text/conversions.h"
#include "view/edit_overlay.h"
#include "view/layout.h"
#include "view/view_mode.h"

namespace pelorn {

namespace {

class StampTool : public Tool {
public:
    bool press(Editor& editor, ClientPoint point) const override {
        editor.placeStamp(point);
        if (!editor.screen.stamp || !editor.screen.stamp->at || !editor.map().mapGrid) return false;
        const FloatingStamp& stamp = *editor.screen.stamp;
        Map& map = editor.map();
        editor.runRecordedWholeMapEdit([&] {
            forEachStampTile(stamp.block, map, *stamp.at,
                             [&](std::int32_t x, std::int32_t y, TerrainCode code) { map.mapGrid[x][y] = code; });
        });
        editor.showEditText("Pasted " + intToText(stamp.block.width) + " x " + intToText(stamp.block.height));
        return false;
    }
    void move(Editor&, ClientPoint) const override {}
    void release(Editor&) const override {}
};

const StampTool kStampTool;

}  // namespace

const Tool& stampTool() { return kStampTool; }

void Editor::placeStamp(ClientPoint point) {
    if (!screen.stamp) return;
    std::optional<TilePos> at;
    if (showsDetailView(screen) && map().mapGrid) {
        if (const std::optional<TilePos> tile = tileAt(screen, point))
            at = TilePos{stampColumn(screen.stamp->block, tile->x), tile->y};
    }
    if (at == screen.stamp->at) return;
    repaintStamp(screen, map());
    screen.stamp->at = at;
    repaintStamp(screen, map());
}

}  // namespace pelorn
