#include <gtest/gtest.h>

#include <vector>

#include "editing/editor.h"
#include "map/map_grid.h"
#include "support/program_fixture.h"
#include "support/repaint_list.h"
#include "support/test_map.h"
#include "view/layout.h"
#include "view/view_mode.h"
#include "view/whole_map.h"

namespace pelorn {
namespace {

using test::area;
using test::whole;

const auto kMarkerRepaint = std::vector{area(kMarkerColumn1Rect, true), area(kMarkerColumn2Rect, true)};

class EditingTest : public test::ProgramTest {
protected:
    std::vector<TerrainCode> snapshot() const { return tiles(); }

    // The tiles that differ from a snapshot, in column order.
    std::vector<TilePos> changedSince(const std::vector<TerrainCode>& before) const {
        std::vector<TilePos> changed;
        std::size_t i = 0;
        for (int x = 0; x < mapWidth(map); ++x)
            for (int y = 0; y < mapHeight(map); ++y, ++i)
                if (mapGrid[x][y] != before[i]) changed.push_back({x, y});
        return changed;
    }

    // A press: a legend click, the bucket, or the first step of a stroke.
    bool clickAt(int x, int y) { return editor.press({x, y}); }

    // One brush step at a point: a stroke of the press alone.
    void brushAt(ClientPoint point) {
        editor.press(point);
        editor.release();
    }

    // The repaints since the last call, the caption's left out; dropped by
    // callers that only start a new list.
    std::vector<Repaint> repaints() { return takeRepaints().others; }
};

TEST_F(EditingTest, LegendColumnOneRows) {
    for (TerrainCode k = 0; k <= 21; ++k) {
        for (int py : {40 + 20 * k, 59 + 20 * k}) {
            for (int px : {740, 779}) {
                currentTerrain = 45;
                clickAt(px, py);
                EXPECT_EQ(currentTerrain, k) << px << ", " << py;
            }
        }
    }
    clickAt(760, 100);  // "Hills"
    EXPECT_EQ(currentTerrain, 3);
    startLocationMode = true;
    clickAt(760, 119);
    EXPECT_EQ(currentTerrain, 52);
    clickAt(760, 140);  // "Mount1" carries no start location
    EXPECT_EQ(currentTerrain, 5);
    const std::pair<TerrainCode, TerrainCode> pairs[] = {{1, 50}, {2, 51}, {3, 52}, {4, 53}, {9, 54},
                                                         {14, 55}, {15, 56}, {16, 57}, {0, 0}, {17, 17},
                                                         {21, 21}, {11, 11}};
    for (auto [k, expected] : pairs) {
        clickAt(740, 45 + 20 * k);
        EXPECT_EQ(currentTerrain, expected) << k;
    }
}

TEST_F(EditingTest, LegendColumnTwoRows) {
    for (TerrainCode k = 22; k <= 38; ++k) {
        for (int py : {40 + 20 * (k - 22), 59 + 20 * (k - 22)}) {
            for (int px : {850, 959}) {
                currentTerrain = 45;
                clickAt(px, py);
                EXPECT_EQ(currentTerrain, k) << px << ", " << py;
            }
        }
    }
    startLocationMode = true;
    const std::pair<TerrainCode, TerrainCode> pairs[] = {{22, 22}, {23, 58}, {24, 24}, {25, 59},
                                                         {26, 26}, {27, 60}, {33, 33}, {38, 38}};
    for (auto [k, expected] : pairs) {
        clickAt(900, 50 + 20 * (k - 22));
        EXPECT_EQ(currentTerrain, expected) << k;
    }
}

TEST_F(EditingTest, LegendClickEndsTheStrokeAndRepaintsBothMarkerColumns) {
    makeMap(1, 1);
    clickAt(760, 100);
    EXPECT_FALSE(leftButtonDown);
    EXPECT_EQ(repaints(), kMarkerRepaint);
    // Just below the last row of either column: terrain stays, repaint and stroke end still happen.
    const std::pair<int, int> outside[] = {{740, 480}, {779, 600}, {850, 380}, {959, 39}, {760, 0}};
    for (auto [px, py] : outside) {
        currentTerrain = 7;
        repaints();
        clickAt(px, py);
        EXPECT_EQ(currentTerrain, 7) << px << ", " << py;
        EXPECT_FALSE(leftButtonDown);
        EXPECT_EQ(repaints(), kMarkerRepaint);
    }
}

TEST_F(EditingTest, ClicksBesideTheLegendColumnsAreNotLegendClicks) {
    makeMap(1, 1);
    for (int px : {739, 780, 849, 960}) {
        currentTerrain = 7;
        repaints();
        clickAt(px, 100);
        EXPECT_EQ(currentTerrain, 7) << px;
        EXPECT_TRUE(leftButtonDown) << px;
        EXPECT_TRUE(repaints().empty()) << px;
    }
    bucketTool = true;  // with the bucket on, such clicks repaint the map area
    clickAt(800, 100);
    EXPECT_FALSE(leftButtonDown);
    EXPECT_EQ(repaints(), std::vector{area(kMapAreaRect, true)});
}

TEST_F(EditingTest, NoEditingInTheOverview) {
    makeMap(1, 1);
    viewMode = 1;
    bucketTool = true;
    currentTerrain = 3;
    clickAt(760, 40);
    clickAt(100, 100);
    EXPECT_EQ(currentTerrain, 3);
    EXPECT_TRUE(leftButtonDown);
    EXPECT_TRUE(repaints().empty());
    editor.strokeTo({100, 100});
    EXPECT_EQ(mapGrid[8][6], kVoid);
}

TEST_F(EditingTest, AClickOnTheWholeMapOpensItsQuadAndPaintsNothing) {
    makeMap(10, 10);
    viewMode = kWholeMapView;
    bucketTool = true;
    currentTerrain = kSea;
    const ClientRect quad = WholeMapPicture(1000, 1000).quadRect({6, 3});
    // The press opens the quad and ends the stroke: no capture, no edit.
    EXPECT_FALSE(clickAt(quad.left + 2, quad.bottom - 1));
    EXPECT_EQ(viewMode, kDetailView);
    EXPECT_EQ(viewQuadX, 6);
    EXPECT_EQ(viewQuadY, 3);
    // The button is still held over the detail view's map: no brush, no bucket.
    editor.strokeTo({300, 300});
    editor.release();
    EXPECT_EQ(tiles(), std::vector<TerrainCode>(1000 * 1000, kVoid));
    EXPECT_FALSE(editor.history().canUndo());
    EXPECT_EQ(repaints(), std::vector{whole(true)});
    // Beside the picture: nothing at all.
    viewMode = kWholeMapView;
    repaints();
    clickAt(715, 100);
    EXPECT_FALSE(leftButtonDown);
    EXPECT_EQ(viewMode, kWholeMapView);
    EXPECT_TRUE(repaints().empty());
}

TEST_F(EditingTest, BucketFillsTheAreaUnderTheCursorAndEndsTheStroke) {
    makeMap(1, 1, kSea);
    for (int y = 0; y < 100; ++y) mapGrid[50][y] = kLake;  // a wall: the sea still wraps around it
    for (int x = 0; x < 100; ++x) mapGrid[x][40] = kPlains;
    bucketTool = true;
    currentTerrain = kDesert;
    const auto before = snapshot();
    EXPECT_FALSE(clickAt(47 + 6 * 10, 76 + 4 * 10));  // tile (10, 10)
    EXPECT_FALSE(leftButtonDown);
    EXPECT_EQ(repaints(), std::vector{area(kMapAreaRect, true)});
    EXPECT_EQ(changedSince(before).size(), 100u * 100u - 100u - 99u);
    EXPECT_EQ(mapGrid[50][40], kPlains);
    editor.strokeTo({47 + 6 * 10, 76 + 4 * 10});  // the brush does not follow a bucket click
    EXPECT_EQ(changedSince(before).size(), 100u * 100u - 100u - 99u);

    // The same code again changes nothing but still repaints.
    repaints();
    const auto filled = snapshot();
    clickAt(47, 76);
    EXPECT_TRUE(changedSince(filled).empty());
    EXPECT_EQ(repaints(), std::vector{area(kMapAreaRect, true)});
}

TEST_F(EditingTest, BucketUsesTheViewedQuad) {
    makeMap(2, 2, kSea);
    viewQuadX = 1;
    viewQuadY = 1;
    mapGrid[105][107] = kLake;
    bucketTool = true;
    currentTerrain = kDesert;
    clickAt(47 + 6 * 5 + 5, 76 + 4 * 7 + 3);
    EXPECT_EQ(mapGrid[105][107], kDesert);
    EXPECT_EQ(mapGrid[0][0], kSea);
}

// The 8 by 4 pixels of quad tile (column, row) in the detail view.
ClientRect tileBox(int column, int row) {
    const int x = 46 + 6 * column;
    const int y = 76 + 4 * row - (column % 2 == 0 ? 2 : 0);
    return {x, y, x + 8, y + 4};
}

TEST_F(EditingTest, NormalBrushSetsTheTileUnderTheCursor) {
    makeMap(2, 2);
    viewQuadX = 1;
    viewQuadY = 1;
    currentTerrain = kHills;
    const std::pair<int, int> corners[] = {{47, 76}, {646, 475}, {52, 79}, {53, 80}};
    const TilePos tiles[] = {{100, 100}, {199, 199}, {100, 100}, {101, 101}};
    for (int i = 0; i < 4; ++i) {
        const auto before = snapshot();
        repaints();
        brushAt({corners[i].first, corners[i].second});
        const auto changed = changedSince(before);
        EXPECT_EQ(mapGrid[tiles[i].x][tiles[i].y], kHills);
        if (i == 2) {
            // Already hills: nothing written, nothing repainted.
            EXPECT_TRUE(changed.empty());
            EXPECT_TRUE(repaints().empty());
            continue;
        }
        ASSERT_EQ(changed.size(), 1u) << i;
        EXPECT_EQ(changed[0], tiles[i]);
        // Only the changed tile's pixels, not erased.
        const ClientRect box = tileBox(tiles[i].x - 100, tiles[i].y - 100);
        EXPECT_EQ(repaints(), std::vector{area(box, false)});
    }
    EXPECT_EQ(tileBox(0, 0), (ClientRect{46, 74, 54, 78}));  // even column: 2 pixels higher
    EXPECT_EQ(tileBox(99, 99), (ClientRect{640, 472, 648, 476}));
    for (auto [px, py] : {std::pair{46, 100}, {647, 100}, {100, 75}, {100, 476}}) {
        const auto before = snapshot();
        repaints();
        brushAt({px, py});
        EXPECT_TRUE(changedSince(before).empty()) << px << ", " << py;
        EXPECT_TRUE(repaints().empty());
    }
}

TEST_F(EditingTest, BoldBrushSetsSevenTilesAwayFromTheQuadsEdge) {
    makeMap(1, 1);
    boldBrush = true;
    currentTerrain = kSea;
    brushAt({47 + 6, 76 + 4});  // u = 6, v = 4: tile (1, 1)
    const std::vector<TilePos> expected = {{0, 0}, {0, 2}, {1, 0}, {1, 1}, {1, 2}, {2, 0}, {2, 2}};
    EXPECT_EQ(changedSince(std::vector<TerrainCode>(10000, kVoid)), expected);
    // The box of the seven: columns 0..2, from the raised even columns' row 0
    // to the bottom of odd column 1's row 2.
    EXPECT_EQ(repaints(), std::vector{area({46, 74, 66, 88}, false)});

    // The last positions inside: u = 593, v = 395 -> tile (98, 98).
    makeMap(1, 1);
    brushAt({47 + 593, 76 + 395});
    EXPECT_EQ(changedSince(std::vector<TerrainCode>(10000, kVoid)).size(), 7u);
    EXPECT_EQ(mapGrid[99][99], kSea);
    EXPECT_EQ(mapGrid[98][98], kSea);

    // Over the outermost tile column or row the bold brush paints nothing at all.
    for (auto [u, v] : {std::pair{3, 200}, {5, 200}, {594, 200}, {599, 200}, {300, 3}, {300, 396}, {300, 399}}) {
        makeMap(1, 1);
        repaints();
        brushAt({47 + u, 76 + v});
        EXPECT_TRUE(changedSince(std::vector<TerrainCode>(10000, kVoid)).empty()) << u << ", " << v;
        EXPECT_TRUE(repaints().empty());
    }
}

TEST_F(EditingTest, BrushWritesAndRepaintsOnlyTilesThatChange) {
    makeMap(1, 1);
    currentTerrain = kForestPlains;
    mapGrid[20][30] = kForestPlains;  // the centre and one corner already hold the code
    mapGrid[21][31] = kForestPlains;
    boldBrush = true;
    const ClientPoint centre{47 + 6 * 20, 76 + 4 * 30};
    ASSERT_TRUE(editor.press(centre));
    // Five tiles changed: columns 19..21, rows 29..31 less the two that held the code
    // and the two the bold brush leaves out.
    const std::vector<TilePos> written = {{19, 29}, {19, 31}, {20, 29}, {20, 31}, {21, 29}};
    EXPECT_EQ(changedSince(std::vector<TerrainCode>(10000, kVoid)).size(), 7u);
    const ClientRect box{tileBox(19, 29).left, tileBox(20, 29).top, tileBox(21, 31).right, tileBox(19, 31).bottom};
    EXPECT_EQ(repaints(), std::vector{area(box, false)});

    // The same step again, and a thousand more: no writes, no repaints.
    repaints();
    const auto painted = snapshot();
    for (int i = 0; i < 1000; ++i) editor.strokeTo(centre);
    boldBrush = false;
    editor.strokeTo(centre);
    editor.release();
    EXPECT_TRUE(changedSince(painted).empty());
    EXPECT_TRUE(repaints().empty());

    // Undo takes back exactly the five written tiles.
    ASSERT_TRUE(editor.undo());
    const auto undone = changedSince(std::vector<TerrainCode>(10000, kVoid));
    EXPECT_EQ(undone, (std::vector<TilePos>{{20, 30}, {21, 31}}));
    for (const TilePos& t : written) EXPECT_EQ(mapGrid[t.x][t.y], kVoid);
    EXPECT_FALSE(editor.undo());

    // A stroke that changes nothing leaves no undo step.
    currentTerrain = kForestPlains;
    ASSERT_TRUE(editor.press(centre));
    editor.strokeTo(centre);
    editor.release();
    EXPECT_FALSE(editor.history().canUndo());
}

TEST_F(EditingTest, StrokeFollowsTheButtonAndEndsOnReleaseOrLostCapture) {
    makeMap(1, 1);
    currentTerrain = kDesert;
    ClientPoint point{47 + 6 * 20, 76 + 4 * 30};
    EXPECT_TRUE(editor.press(point));  // on the map: the shell captures the mouse
    EXPECT_TRUE(leftButtonDown);
    EXPECT_EQ(mapGrid[20][30], kDesert);  // the press is the stroke's first step
    point.y += 4;
    editor.strokeTo(point);
    EXPECT_EQ(mapGrid[20][31], kDesert);
    editor.release();
    EXPECT_FALSE(leftButtonDown);
    point.y += 4;
    editor.strokeTo(point);
    EXPECT_EQ(mapGrid[20][32], kVoid);

    // Capture taken away mid-stroke: the brush stops as if the button came up.
    EXPECT_TRUE(editor.press(point));
    EXPECT_EQ(mapGrid[20][32], kDesert);
    editor.cancel();
    EXPECT_FALSE(leftButtonDown);
    point.y += 4;
    editor.strokeTo(point);
    EXPECT_EQ(mapGrid[20][33], kVoid);
    editor.cancel();  // a second notice (ReleaseCapture after the button came up) is harmless
    editor.release();

    // A legend click or a bucket click ends the stroke at once: no capture.
    EXPECT_FALSE(clickAt(760, 100));
    bucketTool = true;
    EXPECT_FALSE(clickAt(700, 300));  // beside the map: nothing to fill, but the stroke ends
    viewMode = 1;  // no brush in the overview
    bucketTool = false;
    clickAt(47, 76);
    editor.strokeTo({47, 76});
    EXPECT_EQ(mapGrid[0][0], kVoid);
}

TEST_F(EditingTest, WholeMapFill) {
    makeMap(2, 1, kSea);
    currentTerrain = kHills;
    editor.fillWholeMap();  // the fill tool is off: nothing
    EXPECT_EQ(mapGrid[0][0], kSea);
    EXPECT_TRUE(repaints().empty());
    fillTool = true;
    editor.fillWholeMap();
    EXPECT_FALSE(fillTool);
    EXPECT_EQ(changedSince(std::vector<TerrainCode>(20000, kSea)).size(), 20000u);
    EXPECT_EQ(mapGrid[199][99], kHills);
    EXPECT_EQ(repaints(), std::vector{whole(true)});
}

TEST_F(EditingTest, TogglesAndTheirRepaints) {
    editor.toggleBoldBrush();
    EXPECT_TRUE(boldBrush);
    editor.toggleStartLocationMode();
    EXPECT_TRUE(startLocationMode);
    editor.toggleBucketTool();
    EXPECT_TRUE(bucketTool);
    editor.toggleFillTool();  // the bucket goes off, the fill tool comes on
    EXPECT_FALSE(bucketTool);
    EXPECT_TRUE(fillTool);
    editor.toggleFillTool();
    EXPECT_FALSE(fillTool);
    EXPECT_FALSE(bucketTool);
    editor.toggleFillTool();
    editor.toggleBucketTool();
    EXPECT_FALSE(fillTool);
    EXPECT_TRUE(bucketTool);
    editor.toggleBucketTool();
    EXPECT_FALSE(bucketTool);
    editor.toggleBoldBrush();
    EXPECT_FALSE(boldBrush);
    const auto tool = area(kToolStatusRect, true);
    EXPECT_EQ(repaints(),
              (std::vector{area({790, 8, 900, 28}, true), area({900, 8, 950, 28}, true),
                           tool, tool, tool, tool, tool, tool, area({790, 8, 900, 28}, true)}));
    EXPECT_EQ(kToolStatusRect, (ClientRect{580, 8, 710, 28}));
}

TEST_F(EditingTest, NothingIsWrittenWithoutAGrid) {
    currentTerrain = kHills;
    brushAt({100, 100});
    boldBrush = true;
    brushAt({100, 100});
    bucketTool = true;
    editor.press({100, 100});
    fillTool = true;
    editor.fillWholeMap();
    EXPECT_EQ(mapGrid, nullptr);
    EXPECT_FALSE(fillTool);
}

}  // namespace
}  // namespace pelorn

namespace pelorn {
namespace {

// The whole-map view's marks follow every change of the map, though the
// editor works the starts out once per change rather than at every paint.
TEST_F(EditingTest, WholeMapStartsFollowTheMapAndTheRoomsTheirSwitch) {
    makeMap(1, 1, kPlains);
    viewMode = kWholeMapView;
    editor.takeRepaints();
    EXPECT_TRUE(screen.startsShown.known);
    EXPECT_TRUE(screen.startsShown.starts.empty());
    editor.runRecordedWholeMapEdit([&] { mapGrid[40][50] = startLocationCode(kPlains); });
    editor.takeRepaints();
    EXPECT_EQ(screen.startsShown.starts, (std::vector<TilePos>{{40, 50}}));
    EXPECT_TRUE(screen.startsShown.roomOwners.empty());
    screen.showRooms = true;
    editor.takeRepaints();
    ASSERT_EQ(screen.startsShown.roomOwners.size(), std::size_t{100 * 100});
    EXPECT_EQ(screen.startsShown.roomOwners[40 * 100 + 50], 0);
    editor.undo();
    editor.takeRepaints();
    EXPECT_TRUE(screen.startsShown.starts.empty());
}

}  // namespace
}  // namespace pelorn
