// The hand edits through the editor's events, as the shell hands them over.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "files/block_text.h"
#include "support/program_fixture.h"
#include "support/raster_painter.h"
#include "view/edit_overlay.h"
#include "view/view_mode.h"
#include "view/whole_map.h"

namespace pelorn {
namespace {

ClientPoint at(int column, int row) { return {47 + 6 * column + 2, 76 + 4 * row + 1}; }

using Tiles = std::set<std::pair<int, int>>;

class HandEditsTest : public test::ProgramTest {
protected:
    void drag(ClientPoint from, ClientPoint to, bool shift = false) {
        editor.move(from, false);
        editor.press(from, shift);
        editor.move(to, true);
        editor.release();
    }
    void click(ClientPoint point, bool shift = false) { drag(point, point, shift); }
    Tiles tilesOf(TerrainCode code) const {
        Tiles found;
        for (int x = 0; x < mapWidth(map); ++x)
            for (int y = 0; y < mapHeight(map); ++y)
                if (mapGrid[x][y] == code) found.insert({x, y});
        return found;
    }
};

TEST_F(HandEditsTest, SelectCopyPasteMirrorAndUndoEachClick) {
    makeMap(1, 1);
    mapGrid[10][20] = 1, mapGrid[11][20] = 2, mapGrid[12][21] = 3;
    editor.toggleSelectTool();
    drag(at(10, 20), at(12, 21));
    EXPECT_EQ(screen.selection, (TileRect{10, 20, 3, 2}));
    EXPECT_EQ(selectionStatusText(screen), "Selection 3 x 2");
    editor.copySelection();
    ASSERT_TRUE(editor.clipboardOut);
    EXPECT_EQ(*editor.clipboardOut, blockText(TileBlock{3, 2, 0, {1, 0, 2, 0, 0, 3}}));
    click(at(50, 50));  // a click without a drag clears the selection
    EXPECT_FALSE(screen.selection);
    editor.pasteBlockText(*editor.clipboardOut);
    editor.move(at(41, 60), false);  // odd column: the stamp keeps its even start
    EXPECT_EQ(screen.stamp->at, (TilePos{40, 60}));
    click(at(41, 60));
    EXPECT_EQ(tilesOf(2), (Tiles{{11, 20}, {41, 60}}));
    editor.mirrorStamp(true, false);
    click(at(70, 60));
    // Columns reversed, rows kept; three columns from an even one end on an even one.
    EXPECT_EQ((std::vector{mapGrid[70][61], mapGrid[71][60], mapGrid[72][60]}), (std::vector{3, 2, 1}));
    editor.undo();
    EXPECT_EQ((std::pair{mapGrid[72][60], mapGrid[40][60]}), (std::pair{kVoid, 1}));
    editor.cancelHandEdit();
    editor.pasteBlockText("PELORN-BLOCK 99999 99999\r\n02");
    EXPECT_FALSE(screen.stamp);
    EXPECT_EQ(screen.editText, "The clipboard holds no Pelorn block: nothing to paste");
}

TEST_F(HandEditsTest, CutClearFillAndReplaceStayInTheSelection) {
    makeMap(1, 1, kSea);
    editor.setSelection(TileRect{5, 5, 2, 3});
    editor.cutSelection();
    EXPECT_EQ(tilesOf(kVoid).size(), 6u);
    EXPECT_TRUE(editor.undo() && tilesOf(kVoid).empty());
    editor.toggleFillTool();
    currentTerrain = kDesert;
    editor.fillWholeMap();  // Enter
    EXPECT_EQ(tilesOf(kDesert).size(), 6u);
    mapGrid[5][5] = kSea;
    EXPECT_EQ(editor.replaceTerrain(kDesert, kSteppes, true), 5);
    EXPECT_EQ(screen.editText, "5 tiles replaced");
    EXPECT_EQ(editor.replaceTerrain(kSea, kLake, false), 10000 - 5);
    editor.clearSelection();
    EXPECT_EQ(tilesOf(kVoid).size(), 6u);
}

TEST_F(HandEditsTest, BrushSizesPaintDiscsAndCtrlBGoesBackToNormal) {
    makeMap(1, 1);
    for (int i = 0; i < 3; ++i) editor.stepBrush(1);
    EXPECT_EQ(brushStatusText(screen), "Brush: Size 3");
    currentTerrain = kHills;
    click(at(50, 50));
    EXPECT_EQ(tilesOf(kHills).size(), 37u);
    editor.toggleBoldBrush();  // back to Normal, one step above Size 10
    editor.stepBrush(-1);
    EXPECT_EQ(brushStatusText(screen), "Brush: Size 10");
    editor.stepBrush(2);
    EXPECT_EQ(brushStatusText(screen), "Brush: Bold");
}

TEST_F(HandEditsTest, ShiftClickDrawsHexLinesTheShortWayRound) {
    makeMap(1, 1);
    currentTerrain = kRiver;
    click(at(10, 10), true);  // nothing painted yet: a click
    EXPECT_EQ(tilesOf(kRiver), (Tiles{{10, 10}}));
    click(at(14, 12), true);  // along one hex direction
    EXPECT_EQ(tilesOf(kRiver), (Tiles{{10, 10}, {11, 10}, {12, 11}, {13, 11}, {14, 12}}));
    currentTerrain = kLake;
    click(at(10, 10));
    click(at(12, 10), true);  // the middle lies between (11, 9) and (11, 10): north wins
    EXPECT_EQ(tilesOf(kLake), (Tiles{{10, 10}, {11, 9}, {12, 10}}));
    currentTerrain = kSea;
    click(at(1, 50));
    click(at(98, 50), true);
    EXPECT_EQ(tilesOf(kSea), (Tiles{{1, 50}, {0, 50}, {99, 50}, {98, 50}}));
}

TEST_F(HandEditsTest, DraggingAStartMovesItOrSnapsBack) {
    makeMap(1, 1, kHills);
    mapGrid[30][30] = 51;  // Plains SL
    mapGrid[40][30] = kSea;
    startLocationMode = true;
    screen.playersText = "1 start, spread 0%";
    editor.playersRecount = [](const Map& m) { return "recounted " + std::to_string(m.mapGrid[35][30]); };
    drag(at(30, 30), at(35, 30));
    EXPECT_EQ((std::pair{mapGrid[30][30], mapGrid[35][30]}), (std::pair{kPlains, 52}));
    EXPECT_EQ(screen.playersText, "recounted 52");
    drag(at(35, 30), at(40, 30));
    EXPECT_EQ((std::pair{mapGrid[35][30], mapGrid[40][30]}), (std::pair{52, kSea}));
    EXPECT_EQ(screen.editText, "Sea carries no start location: the start stays");
    EXPECT_TRUE(editor.undo());
    EXPECT_EQ((std::pair{mapGrid[30][30], mapGrid[35][30]}), (std::pair{51, kHills}));
}

// A stamp copied from an odd column, under the pointer at column 0 of a map
// one quad wide, starts on the last column: moving on repaints that too.
TEST_F(HandEditsTest, AStampWrappedToTheLastColumnRepaintsIt) {
    makeMap(1, 1);
    mapGrid[9][10] = kHills;
    editor.setSelection(TileRect{9, 10, 3, 1});
    editor.copySelection();
    editor.pasteBlockText(editor.copiedText);  // the parity of column 9 kept
    editor.move(at(0, 10), false);
    ASSERT_EQ(screen.stamp->at, (TilePos{-1, 10}));
    const ClientRect column99 = quadTileRect(99, 10);
    takeRepaints();
    editor.move(at(50, 50), false);
    bool repainted = false;
    for (const Repaint& r : takeRepaints().others)
        repainted = repainted || r.wholeClient || (r.rect.left <= column99.left && r.rect.right >= column99.right &&
                                  r.rect.top <= column99.top && r.rect.bottom >= column99.bottom);
    EXPECT_TRUE(repainted);
}

// Ctrl+Z during a drag may shrink the map under the dragged start, or take
// the start away: the drag then paints nothing, and its release moves nothing.
TEST_F(HandEditsTest, AStartUndoneDuringItsDragIsNotMovedBack) {
    makeMap(1, 1, kHills);
    mapGrid[30][30] = 52;
    editor.runRecordedWholeMapEdit([&] {
        ASSERT_TRUE(test::makeTestMap(map, 2, 2, kHills));
        mapGrid[30][30] = mapGrid[180][180] = 52;
    });
    currentTerrain = 52;
    startLocationMode = true;
    test::RasterPainter painter;
    for (const TilePos start : {TilePos{180, 180}, TilePos{60, 60}}) {
        viewQuadX = viewQuadY = start.x / 100;
        if (start.x == 60) click(at(60, 60));  // a start painted by hand
        const ClientPoint from = at(start.x % 100, start.y % 100);
        editor.move(from, false);
        editor.press(from);
        editor.move(at(50, 50), true);
        editor.undo();  // the map of one quad; then the start painted
        drawEditOverlays(painter, map, screen, {0, 0, kWindowWidth, kWindowHeight});
        editor.release();
        EXPECT_EQ(tilesOf(52), (Tiles{{30, 30}})) << start.x;
    }
    EXPECT_EQ(mapWidth(map), 100);
}

TEST_F(HandEditsTest, WholeMapDragSelectsAtItsScaleAndAClickStillOpensAQuad) {
    makeMap(4, 2);
    editor.toggleSelectTool();
    viewMode = kWholeMapView;
    const WholeMapPicture picture = wholeMapPicture(map);
    const ClientRect b = picture.bounds();
    drag({b.left, b.top}, {b.left + picture.width() / 2, b.bottom + 40});
    EXPECT_EQ(screen.selection, (TileRect{0, 0, picture.tileColumn(picture.width() / 2) + 1, 200}));
    click({b.right - 2, b.bottom - 2});
    EXPECT_TRUE(viewMode == kDetailView && viewQuadX == 3 && screen.selection);
}

}  // namespace
}  // namespace pelorn
