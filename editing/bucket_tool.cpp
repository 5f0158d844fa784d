// The bucket: a click floods the connected area of the tile's code with
// currentTerrain, one undoable edit. No stroke follows.
#include <utility>
#include <vector>

#include "editing/editor.h"
#include "editing/tool.h"
#include "map/flood_fill.h"
#include "view/layout.h"

namespace pelorn {

namespace {

class BucketTool : public ClickTool {
public:
    bool press(Editor& editor, ClientPoint point) const override {
        Map& map = editor.map();
        const std::optional<TilePos> tile = tileAt(editor.screen, point);
        if (tile && map.mapGrid) {
            const TerrainCode target = map.mapGrid[tile->x][tile->y];
            const TerrainCode code = editor.screen.currentTerrain;
            editor.history().beginEdit(MapChange::kTiles);
            std::vector<std::uint32_t> converted;
            floodFill(map, tile->x, tile->y, code, &converted);
            editor.history().recordTiles(std::move(converted), target, code);
            editor.history().endEdit();
        }
        editor.repaintMapChange(MapChange::kTiles);
        editor.showFileMarks();
        return false;
    }
};

const BucketTool kBucketTool;

}  // namespace

const Tool& bucketTool() { return kBucketTool; }

}  // namespace pelorn
