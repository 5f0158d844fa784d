// Where am I: the text naming the tile under the pointer, and the repaints
// of its field.
#include "view/cursor_text.h"

#include <gtest/gtest.h>

#include <vector>

#include "map/map_grid.h"
#include "support/repaint_list.h"
#include "support/state_names.h"
#include "view/layout.h"
#include "view/repaint.h"
#include "view/screen.h"
#include "view/view_mode.h"
#include "view_test_map.h"

namespace pelorn {
namespace {

const Repaint kField = test::area(kCursorTextRect, true);

// A client point inside the click cell of quad tile (column, row).
ClientPoint cell(int column, int row, int dx = 0, int dy = 0) { return {47 + 6 * column + dx, 76 + 4 * row + dy}; }

class CursorTextTest : public test::ViewTest {
protected:
    void SetUp() override { test::makeViewTestMap(map, 13, 7, kSea); }

    const std::string& shownText = screen.cursorText;
};

TEST_F(CursorTextTest, NamesTheColumnRowAndTerrainOfTheTileUnderThePoint) {
    viewQuadX = 12;
    viewQuadY = 5;
    mapGrid[1234][567] = kForestHills;
    mapGrid[1200][500] = kAPlains;
    mapGrid[1299][599] = 53;  // a start location on "H Hills"
    mapGrid[1250][550] = 45;  // no terrain
    mapGrid[1201][501] = -7;
    const struct {
        ClientPoint point;
        const char* text;
    } cases[] = {
        {cell(34, 67), "x 1234, y 567: Forest H"},
        {cell(34, 67, 5, 3), "x 1234, y 567: Forest H"},  // the cell's far corner
        {cell(34, 67, 6, 0), "x 1235, y 567: Sea"},
        {cell(0, 0), "x 1200, y 500: APlains"},
        {cell(99, 99, 5, 3), "x 1299, y 599: H Hills SL"},
        {cell(50, 50), "x 1250, y 550: code 45"},
        {cell(1, 1), "x 1201, y 501: code -7"},
        {cell(0, 0, -1, 0), ""},    // left of the quad's cells
        {cell(0, 0, 0, -1), ""},    // above them
        {cell(99, 99, 6, 0), ""},   // right of them
        {cell(99, 99, 0, 4), ""},   // below them
        {{800, 100}, ""},          // the legend
        {{-1, -1}, ""},            // outside the window
    };
    for (const auto& c : cases)
        EXPECT_EQ(cursorTextAt(screen, map, c.point), c.text) << c.point.x << ", " << c.point.y;
    for (ViewMode view : {kOverview, kWholeMapView}) {
        viewMode = view;
        EXPECT_EQ(cursorTextAt(screen, map, cell(34, 67)), "") << view;
    }
    viewMode = kDetailView;
    freeMapGrid(map);
    EXPECT_EQ(cursorTextAt(screen, map, cell(34, 67)), "");
}

TEST_F(CursorTextTest, ItsFieldRepaintsOnlyWhenTheTextChanges) {
    pointerMovedTo(screen, map, cell(3, 4));
    EXPECT_EQ(shownText, "x 3, y 4: Sea");
    pointerMovedTo(screen, map, cell(3, 4, 5, 3));  // within the same tile: nothing
    pointerMovedTo(screen, map, cell(3, 5));
    EXPECT_EQ(shownText, "x 3, y 5: Sea");
    pointerMovedTo(screen, map, {700, 300});        // off the quad: the text goes
    EXPECT_EQ(shownText, "");
    pointerMovedTo(screen, map, {710, 20});         // still nothing to show: no repaint
    pointerMovedTo(screen, map, cell(3, 5));
    pointerLeft(screen);
    EXPECT_EQ(shownText, "");
    pointerLeft(screen);
    EXPECT_EQ(screen.repaints.list(), (std::vector{kField, kField, kField, kField, kField}));
}

TEST_F(CursorTextTest, FollowsScrollingViewsAndChangedTiles) {
    pointerMovedTo(screen, map, cell(10, 20));
    EXPECT_EQ(shownText, "x 10, y 20: Sea");
    // A scroll puts another tile under the pointer.
    viewQuadX = 2;
    repaintScrolled(screen, map);
    EXPECT_EQ(shownText, "x 210, y 20: Sea");
    // A brush step, a bucket fill or an undo changes the tile's terrain.
    mapGrid[210][20] = kDesert;
    QuadTileRepaint brushed;
    brushed.add(10, 20);
    brushed.repaint(screen, map);
    EXPECT_EQ(shownText, "x 210, y 20: Desert");
    mapGrid[210][20] = kLake;
    repaintMapChange(screen, map, MapChange::kTiles);
    EXPECT_EQ(shownText, "x 210, y 20: Lake");
    // The overview shows none; back in the detail view it is there again.
    viewMode = kOverview;
    repaintWholeWindow(screen, map);
    EXPECT_EQ(shownText, "");
    viewMode = kDetailView;
    repaintWholeWindow(screen, map);
    EXPECT_EQ(shownText, "x 210, y 20: Lake");
    // A repaint that changes nothing under the pointer leaves the field alone.
    screen.repaints.take();
    repaintMapChange(screen, map, MapChange::kBrushedTiles);
    EXPECT_EQ(screen.repaints.list(), std::vector{test::area(kMapAreaRect, false)});
}

}  // namespace
}  // namespace pelorn
