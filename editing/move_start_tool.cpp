// Start-location mode: pressing on a start location and dragging moves it.
// The old tile gets its land back, the tile let go on the start code of its
// land; a tile whose land carries no start refuses the move and the start
// stays. No other rule is checked, as hand painting checks none. A press
// anywhere else paints as the brush does.
#include <string>

#include "editing/editor.h"
#include "editing/tool.h"
#include "view/edit_overlay.h"
#include "view/layout.h"
#include "view/players_status.h"

namespace pelorn {

namespace {

void showDrag(Editor& editor, TilePos at) {
    repaintStartDrag(editor.screen);
    editor.screen.startDrag->at = at;
    repaintStartDrag(editor.screen);
}

void endDrag(Editor& editor) {
    repaintStartDrag(editor.screen);
    editor.screen.startDrag.reset();
}

// The move, one step of undo with the stroke's edit; false when refused.
bool moveStart(Editor& editor, TilePos from, TilePos to) {
    MapGrid grid = editor.map().mapGrid;
    const TerrainCode land = baseCode(grid[to.x][to.y]);
    const TerrainCode start = startLocationCode(land);
    if (start == 0) {
        const std::string name = land >= 0 && land <= kLastLegendCode ? terrainName(land) : "This tile";
        editor.showEditText(name + " carries no start location: the start stays");
        return false;
    }
    const TerrainCode old = grid[from.x][from.y];
    editor.history().recordTile(from.x, from.y, old, baseCode(old));
    grid[from.x][from.y] = baseCode(old);
    editor.history().recordTile(to.x, to.y, grid[to.x][to.y], start);
    grid[to.x][to.y] = start;
    editor.showEditText("Start moved to x " + std::to_string(to.x) + ", y " + std::to_string(to.y));
    if (editor.playersRecount && !editor.screen.playersText.empty())
        showPlayersStatus(editor.screen, editor.playersRecount(editor.map()));
    return true;
}

class MoveStartTool : public Tool {
public:
    bool press(Editor& editor, ClientPoint point) const override {
        const std::optional<TilePos> tile = tileAt(editor.screen, point);
        if (!tile || !editor.map().mapGrid || !isStartLocationCode(editor.map().mapGrid[tile->x][tile->y]))
            return brushTool().press(editor, point);
        editor.screen.startDrag = StartDrag{*tile, *tile};
        repaintStartDrag(editor.screen);
        return true;
    }

    void move(Editor& editor, ClientPoint point) const override {
        if (!editor.screen.startDrag) return brushTool().move(editor, point);
        const std::optional<TilePos> tile = tileAt(editor.screen, point);
        if (tile && *tile != editor.screen.startDrag->at) showDrag(editor, *tile);
    }

    void release(Editor& editor) const override {
        if (!editor.screen.startDrag) return brushTool().release(editor);
        const StartDrag drag = *editor.screen.startDrag;
        endDrag(editor);
        // An undo during the drag may have taken the start, or the map's size, away.
        if (drag.at != drag.from && startDragFits(editor.map(), drag)) moveStart(editor, drag.from, drag.at);
    }

    // The mouse taken away: the start stays where it was.
    void cancel(Editor& editor) const override {
        if (!editor.screen.startDrag) return brushTool().cancel(editor);
        endDrag(editor);
    }
};

const MoveStartTool kMoveStartTool;

}  // namespace

const Tool& moveStartTool() { return kMoveStartTool; }

}  // namespace pelorn
