// Where everything stands in the main window, in client pixels, once: the
// drawing, the hit-testing of clicks and the repaint rectangles all read the
// numbers here. The resource script holds the only other pixel numbers (the
// dialogs, in dialog units).
#pragma once

#include <cstdint>
#include <optional>

#include "map/hex_geometry.h"
#include "map/map_grid.h"
#include "map/terrain.h"
#include "view/client_area.h"

namespace pelorn {

struct Screen;

// The main window's outer size; the client area is what the frame leaves.
constexpr int kWindowWidth = 964;
constexpr int kWindowHeight = 590;

// The caption: the map's file name over a rule across the window.
constexpr ClientPoint kMapNameText{10, 8};
constexpr int kCaptionRuleY = 30;
constexpr int kCaptionRuleRight = 960;  // the rule runs from x 0 up to here

// --- The detail view: one quad of tiles ---

// A tile's box: its hexagon and its marks stay within 8 by 4 pixels.
constexpr int kTileWidth = 8;
constexpr int kTileHeight = 4;
// Tile (0, 0) of the viewed quad, in an odd column; tiles stand 6 pixels
// apart across and 4 down, and even columns stand 2 pixels higher.
constexpr int kQuadOriginX = 46;
constexpr int kQuadOriginY = 76;
constexpr int kColumnSpacing = 6;
constexpr int kRowSpacing = 4;
constexpr int kRaisedColumnLift = 2;

// The hexagon in its box: four rows of pixels, each from left up to right.
struct PixelRow {
    int y;
    int left;
    int right;
};
constexpr PixelRow kHexagonRows[4] = {{0, 2, 6}, {1, 0, 8}, {2, 0, 8}, {3, 2, 6}};
// The marks stand in pixel column 3 of the box: the start-location dot from
// row 1 up to row 2, the forest and jungle mark from row 1 up to row 3.
constexpr int kMarkX = 3;
constexpr int kMarkTop = 1;
constexpr int kStartDotBottom = 2;
constexpr int kTreeMarkBottom = 3;

// Clicks: each tile answers to a cell of 6 by 4 pixels. The cells start one
// pixel right of the drawn tiles; clicks have always been measured from there.
constexpr int kMapClickOriginX = kQuadOriginX + 1;
constexpr int kMapClickOriginY = kQuadOriginY;
constexpr int kMapClickWidth = kColumnSpacing * kQuadSize;
constexpr int kMapClickHeight = kRowSpacing * kQuadSize;

// The two nearest columns (rows) of each neighbouring quad, drawn a little
// apart from the quad, without corners. Edge columns give the column beside
// the quad and the top of its row 0; edge rows the row beside the quad and
// its top in an even column (odd columns stand 2 lower), in drawing order.
struct EdgeColumn {
    int column;  // quad column: -2, -1, 100, 101
    int x;
    int y;
};
struct EdgeRow {
    int row;  // quad row: -2, -1, 100, 101
    int y;
};
constexpr EdgeColumn kLeftEdgeColumns[2] = {{-1, 30, 76}, {-2, 24, 74}};
constexpr EdgeColumn kRightEdgeColumns[2] = {{100, 656, 74}, {101, 662, 76}};
constexpr EdgeRow kTopEdgeRows[2] = {{-2, 57}, {-1, 60}};
constexpr EdgeRow kBottomEdgeRows[2] = {{100, 484}, {101, 487}};
constexpr int kEdgeRowOddColumnDrop = 2;

// The rule between the map and the legend.
constexpr int kSeparatorX = 720;
constexpr int kSeparatorBottom = 590;

// The status line: texts with their tops at y 8, each repainted in a field 20 high.
constexpr int kStatusTop = 8;
constexpr int kStatusBottom = kStatusTop + 20;
constexpr int kToolStatusX = 580;           // "Using FILL tool", "Using BUCKET tool"
constexpr int kPositionStatusX = 740;       // "x, y" of the viewed quad
constexpr int kBrushStatusX = 790;          // "Brush: Normal", "Brush: Bold"
constexpr int kStartLocationStatusX = 900;  // "SL"
constexpr ClientRect kToolStatusRect{kToolStatusX, kStatusTop, 710, kStatusBottom};
constexpr ClientRect kPositionStatusRect{kPositionStatusX, kStatusTop, kBrushStatusX, kStatusBottom};
constexpr ClientRect kBrushStatusRect{kBrushStatusX, kStatusTop, kStartLocationStatusX, kStatusBottom};
constexpr ClientRect kStartLocationStatusRect{kStartLocationStatusX, kStatusTop, 950, kStatusBottom};
// The tile under the pointer, "x 1234, y 567: Forest H": between the map's
// name and the tool status, room for 30 characters and names of 40.
constexpr int kCursorTextX = 330;
constexpr ClientRect kCursorTextRect{kCursorTextX, kStatusTop, 575, kStatusBottom};
// What the last players-mode run placed ("8 starts, spread 3%"): after the
// map's name, up to the tile under the pointer.
constexpr int kPlayersStatusX = 170;
constexpr ClientRect kPlayersStatusRect{kPlayersStatusX, kStatusTop, kCursorTextX - 1, kStatusBottom};
// A players-mode text ("12 of 20 starts, home 2%, room 4%") is longer than
// its field: while one shows, the tile under the pointer stands further
// right, and a change of the text repaints both fields.
constexpr int kCursorTextBesidePlayersX = 400;
constexpr ClientRect kPlayersTextRepaintRect{kPlayersStatusX, kStatusTop, kCursorTextRect.right, kStatusBottom};
// The caption says what became of the map's file ("Untitled.map *", "... not
// saved"): repainted whole, from the window's top to the rule, left of the
// legend; the texts that follow it there are drawn again too.
constexpr ClientRect kCaptionRect{0, 0, kSeparatorX, kCaptionRuleY};
// The seed the last generator run started from ("seed 4294967295"), in the
// same field: the terrain and the classic start locations tell their seed,
// players mode, which draws no random numbers, what it placed.
constexpr int kSeedStatusX = kPlayersStatusX;
constexpr ClientRect kSeedStatusRect = kPlayersStatusRect;
// A notice ("Saved Hills.png", "Nowhere.map could not be read") takes the
// fields of the seed, the players-mode text and the tile under the pointer.
constexpr ClientRect kNoticeRect{kPlayersStatusX, kStatusTop, kCursorTextRect.right, kStatusBottom};

// The legend: codes 0..21 in the first column, 22..38 in the second, one row
// of 20 pixels each from y 40. Clicks on a column count from its labels' left
// edge to the right edge given here, both included.
constexpr int kLegendColumn1X = 740;
constexpr int kLegendColumn2X = 850;
constexpr int kLegendColumn1ClickRight = 779;
constexpr int kLegendColumn2ClickRight = 959;
constexpr int kLegendTop = 40;
constexpr int kLegendRowHeight = 20;
constexpr int kLegendColumn1Rows = 22;
// The marker of the current terrain: a short line left of its label, 7
// pixels below the label's top; repainted a column of markers at a time.
constexpr int kMarkerColumn1X = 728;
constexpr int kMarkerColumn2X = 838;
constexpr int kMarkerLength = 4;
constexpr int kMarkerDrop = 7;
constexpr ClientRect kMarkerColumn1Rect{721, 38, 738, 520};
constexpr ClientRect kMarkerColumn2Rect{832, 38, 848, 520};

// Below the map, a second status line: the size of the selection or of the
// floating stamp, then what the last hand edit said ("36 tiles replaced").
constexpr int kLowerStatusTop = 514;
constexpr int kSelectionStatusX = 10;
constexpr int kEditStatusX = 190;
constexpr ClientRect kSelectionStatusRect{kSelectionStatusX, 512, kEditStatusX - 1, 532};
constexpr ClientRect kEditStatusRect{kEditStatusX, 512, kSeparatorX - 1, 532};

// What a change of tiles repaints in the detail view, and what scrolling
// repaints besides the position text.
constexpr ClientRect kMapAreaRect{10, 30, 720, 510};
constexpr ClientRect kScrollRect{0, 30, 730, 540};

// --- The overview: up to 5 by 5 quads at one pixel per tile ---
// Tile column i of the leftmost quad lands on pixel column i - 1, row j of
// the top quad on pixel row 35 + j.
constexpr int kOverviewLeft = -1;
constexpr int kOverviewTop = 35;
constexpr int kOverviewQuads = 5;

// --- The whole-map view: the entire map scaled into the map area ---
// The picture stands at the area's top-left corner (right and bottom
// exclusive), as large as the tiles' proportions let it. The frame of the
// viewed quad runs one pixel outside the quad's pixels: the area leaves that
// pixel free all round, inside kMapAreaRect, so a change of tiles repaints
// the picture and the frame whole.
constexpr ClientRect kWholeMapArea{11, 40, 709, 508};

// --- Positions worked out from the numbers above ---

// The top-left corner of the box of tile (column, row) of the viewed quad
// (0..99 each; the edges' columns and rows stand elsewhere), and the box.
ClientPoint quadTileOrigin(int column, int row);
ClientRect quadTileRect(int column, int row);

// Where the legend shows a code 0..38: its label's top-left corner, and the
// left end of its marker line.
ClientPoint legendLabelOrigin(TerrainCode code);
ClientPoint legendMarkerStart(TerrainCode code);

// --- Hit-testing ---

// The map tile under a client point on the detail view's quad (the screen's
// viewQuadX/Y); none off the quad. Whether the map reaches there is the
// caller's to check.
std::optional<TilePos> tileAt(const Screen& screen, ClientPoint point);
// Whether a point lies on one of the legend's two columns, rows or not.
bool isOnLegend(ClientPoint point);
// The code of the legend row under a point; none off the rows.
std::optional<TerrainCode> legendCodeAt(ClientPoint point);

}  // namespace pelorn
