// The mouse tools of the detail view. A tool answers a press on the map
// (not on the legend, which the editor handles), the moves and the release
// of the stroke it starts, and the loss of the mouse; it names the cursor it
// wants. Tools keep no state of their own: the stroke's state is the
// editor's. A new tool is one new file and one entry in toolFor's table.
#pragma once

#include "view/client_area.h"
#include "view/screen.h"

namespace pelorn {

class Editor;

enum class ToolCursor { kArrow };

class Tool {
public:
    virtual ~Tool() = default;
    // The left button went down on the map at `point`. Returns whether a
    // stroke follows (moves and a release come to this tool).
    virtual bool press(Editor& editor, ClientPoint point) const = 0;
    virtual void move(Editor& editor, ClientPoint point) const = 0;
    virtual void release(Editor& editor) const = 0;
    // The mouse was taken away during the stroke.
    virtual void cancel(Editor& editor) const { release(editor); }
    virtual ToolCursor cursor() const { return ToolCursor::kArrow; }
    // Whether the stroke also runs in the whole-map view (the selection).
    virtual bool worksOnWholeMap() const { return false; }
};

// The tools as the status line shows them switched on.
const Tool& toolFor(const Screen& screen);

// The implementations, each in its own file.
const Tool& brushTool();     // the normal and the bold brush (brush_tool.cpp)
const Tool& bucketTool();    // bucket fill (bucket_tool.cpp)
const Tool& wholeMapFillTool();  // Enter fills the map; the map paints as the brush (fill_tool.cpp)
const Tool& selectTool();    // a drag selects a rectangle of tiles (select_tool.cpp)
const Tool& stampTool();     // a click puts the floating stamp down (stamp_tool.cpp)
const Tool& moveStartTool(); // start-location mode: a start dragged moves (move_start_tool.cpp)
const Tool& lineTool();      // Shift+click: a hex line from the last painted tile (line_tool.cpp)

// One step of the current brush (normal, bold or a disc) centred on a map
// tile, recorded in the edit under way and repainted (brush_tool.cpp).
void brushAt(Editor& editor, TilePos tile);

}  // namespace pelorn
