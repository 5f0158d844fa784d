// The whole-map fill: while it is on, Enter puts currentTerrain on every tile
// (one undoable edit) and switches it off; the map meanwhile paints as the
// brush does.
#include "editing/editor.h"
#include "editing/tool.h"

namespace pelorn {

namespace {

class WholeMapFillTool : public Tool {
public:
    bool press(Editor& editor, ClientPoint point) const override { return brushTool().press(editor, point); }
    void move(Editor& editor, ClientPoint point) const override { brushTool().move(editor, point); }
    void release(Editor& editor) const override { brushTool().release(editor); }
};

const WholeMapFillTool kWholeMapFillTool;

}  // namespace

const Tool& wholeMapFillTool() { return kWholeMapFillTool; }

void Editor::fillWholeMap() {
    if (!screen.fillTool) return;
    screen.fillTool = false;
    if (screen.selection) {
        // With a selection, Enter fills the selected tiles alone.
        repaintStatus(StatusChange::kTool);
        fillSelection(screen.currentTerrain);
        return;
    }
    Map& map = document.map;
    if (map.mapGrid) {
        history().captureWholeMap(MapChange::kWholeMap);
        const std::int32_t width = mapWidth(map);
        const std::int32_t height = mapHeight(map);
        for (std::int32_t x = 0; x < width; ++x) {
            TerrainCode* column = map.mapGrid[x];
            for (std::int32_t y = 0; y < height; ++y) column[y] = screen.currentTerrain;
        }
        history().commitWholeMap();
    }
    repaintMapChange(MapChange::kWholeMap);
    showFileMarks();
}

}  // namespace pelorn
