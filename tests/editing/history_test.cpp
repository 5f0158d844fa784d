#include <gtest/gtest.h>

#include <vector>

#include "editing/history.h"
#include "editing/tools.h"
#include "generator/random.h"
#include "map/map_grid.h"
#include "support/fresh_state.h"
#include "support/recording_seam.h"
#include "support/test_map.h"
#include "view/layout.h"
#include "view/view_mode.h"

namespace pelorn {
namespace {

using test::RecordingSeam;

class HistoryTest : public test::FreshStateTest {
protected:

    static void makeMap(int quadsX, int quadsY, TerrainCode fill) {
        ASSERT_TRUE(test::makeTestMap(quadsX, quadsY, fill));
    }

    static std::vector<TerrainCode> tiles() {
        std::vector<TerrainCode> all;
        for (int x = 0; x < mapWidth(); ++x) all.insert(all.end(), mapGrid[x], mapGrid[x] + mapHeight());
        return all;
    }

    static void randomise(int percentOfSecond, TerrainCode first, TerrainCode second) {
        for (int x = 0; x < mapWidth(); ++x)
            for (int y = 0; y < mapHeight(); ++y)
                mapGrid[x][y] = pelorn::rand() % 100 < percentOfSecond ? second : first;
    }

    // The cursor over tile (x, y) of the viewed quad.
    void cursorOnTile(int x, int y) { seam.cursor = {47 + 6 * x + 2, 76 + 4 * y + 1}; }

    void stroke(std::initializer_list<std::pair<int, int>> path) {
        bool first = true;
        for (auto [x, y] : path) {
            cursorOnTile(x, y);
            if (first) leftButtonPressed();
            first = false;
            brushAfterMessage();
        }
        leftButtonReleased();
    }

    RecordingSeam seam;
};

const auto kMapAreaUnerased = std::vector{RecordingSeam::area(kMapAreaRect, false)};
const auto kMapAreaErased = std::vector{RecordingSeam::area(kMapAreaRect, true)};

TEST_F(HistoryTest, BrushStrokeIsOneEdit) {
    makeMap(1, 1, kSea);
    const auto before = tiles();
    currentTerrain = kDesert;
    stroke({{10, 10}, {11, 10}, {12, 10}, {10, 10}, {12, 11}});
    const auto after = tiles();
    EXPECT_EQ(mapGrid[12][11], kDesert);
    seam.invalidations.clear();
    EXPECT_TRUE(canUndo());
    EXPECT_TRUE(undoLastEdit());
    EXPECT_EQ(tiles(), before);
    EXPECT_EQ(seam.invalidations, kMapAreaUnerased);
    EXPECT_FALSE(canUndo());
    EXPECT_FALSE(undoLastEdit());
    ASSERT_TRUE(canRedo());
    seam.invalidations.clear();
    EXPECT_TRUE(redoLastEdit());
    EXPECT_EQ(tiles(), after);
    EXPECT_EQ(seam.invalidations, kMapAreaUnerased);
    EXPECT_FALSE(redoLastEdit());
}

TEST_F(HistoryTest, BoldStrokesAndLostCaptureEndEdits) {
    makeMap(1, 1, kSea);
    const auto start = tiles();
    currentTerrain = kDesert;
    boldBrush = true;
    cursorOnTile(20, 20);
    leftButtonPressed();
    brushAfterMessage();
    strokeEnded();  // capture lost: the stroke is over
    const auto afterFirst = tiles();
    cursorOnTile(40, 40);
    brushAfterMessage();  // the button is up: nothing
    EXPECT_EQ(tiles(), afterFirst);
    currentTerrain = kLake;
    stroke({{40, 40}});
    EXPECT_TRUE(undoLastEdit());
    EXPECT_EQ(tiles(), afterFirst);
    EXPECT_TRUE(undoLastEdit());
    EXPECT_EQ(tiles(), start);
}

TEST_F(HistoryTest, StrokeThatChangesNothingIsNoEdit) {
    makeMap(1, 1, kSea);
    currentTerrain = kSea;
    stroke({{5, 5}, {6, 6}});
    cursorOnTile(300, 300);
    leftButtonPressed();  // beside the map
    leftButtonReleased();
    seam.cursor = {760, 100};  // a legend click
    leftButtonPressed();
    leftButtonReleased();
    EXPECT_FALSE(canUndo());
    EXPECT_FALSE(undoLastEdit());
}

TEST_F(HistoryTest, BucketFillUndoesAndRedoes) {
    seedRandom(5);
    makeMap(2, 1, kVoid);
    randomise(45, kLake, kHills);
    mapGrid[30][30] = kLake;
    const auto before = tiles();
    bucketTool = true;
    currentTerrain = kSea;
    cursorOnTile(30, 30);
    EXPECT_FALSE(leftButtonPressed());
    const auto after = tiles();
    EXPECT_NE(after, before);
    seam.invalidations.clear();
    EXPECT_TRUE(undoLastEdit());
    EXPECT_EQ(tiles(), before);
    EXPECT_EQ(seam.invalidations, kMapAreaErased);
    EXPECT_TRUE(redoLastEdit());
    EXPECT_EQ(tiles(), after);
    // Filling with the code the area has is no edit.
    leftButtonPressed();
    EXPECT_TRUE(undoLastEdit());
    EXPECT_EQ(tiles(), before);
}

TEST_F(HistoryTest, WholeMapFillUndoesAndRedoes) {
    seedRandom(9);
    makeMap(2, 1, kVoid);
    randomise(30, kPlains, kForestPlains);
    const auto before = tiles();
    currentTerrain = kHills;
    fillTool = true;
    fillWholeMap();
    seam.invalidations.clear();
    EXPECT_TRUE(undoLastEdit());
    EXPECT_EQ(tiles(), before);
    EXPECT_EQ(seam.invalidations, std::vector{RecordingSeam::whole(true)});
    EXPECT_FALSE(fillTool);  // tool state is not part of the history
    EXPECT_TRUE(redoLastEdit());
    EXPECT_EQ(tiles(), std::vector<TerrainCode>(20000, kHills));
}

TEST_F(HistoryTest, NewEditAfterUndoDropsTheRedoSteps) {
    makeMap(1, 1, kSea);
    currentTerrain = kDesert;
    stroke({{1, 1}});
    stroke({{2, 2}});
    EXPECT_TRUE(undoLastEdit());
    EXPECT_TRUE(canRedo());
    currentTerrain = kLake;
    stroke({{3, 3}});
    EXPECT_FALSE(canRedo());
    EXPECT_FALSE(redoLastEdit());
    EXPECT_TRUE(undoLastEdit());
    EXPECT_TRUE(undoLastEdit());
    EXPECT_EQ(tiles(), std::vector<TerrainCode>(10000, kSea));
}

TEST_F(HistoryTest, OverviewRepaintsTheWholeClientArea) {
    makeMap(1, 1, kSea);
    currentTerrain = kDesert;
    stroke({{1, 1}});
    bucketTool = true;
    cursorOnTile(50, 50);
    leftButtonPressed();
    viewMode = 1;
    seam.invalidations.clear();
    EXPECT_TRUE(undoLastEdit());  // the bucket
    EXPECT_TRUE(undoLastEdit());  // the stroke
    EXPECT_EQ(seam.invalidations, (std::vector{RecordingSeam::whole(true), RecordingSeam::whole(false)}));
}

TEST_F(HistoryTest, ClearForgetsEverything) {
    makeMap(1, 1, kSea);
    currentTerrain = kDesert;
    stroke({{1, 1}});
    stroke({{2, 2}});
    EXPECT_TRUE(undoLastEdit());
    historyClear();
    EXPECT_FALSE(canUndo());
    EXPECT_FALSE(canRedo());
    seam.invalidations.clear();
    EXPECT_FALSE(undoLastEdit());
    EXPECT_FALSE(redoLastEdit());
    EXPECT_TRUE(seam.invalidations.empty());
    EXPECT_EQ(mapGrid[1][1], kDesert);
    EXPECT_EQ(historyMemoryBytes(), 0u);
}

void placeFiveStartLocations() {
    for (int i = 0; i < 5; ++i) mapGrid[100 + 37 * i][200 + 11 * i] = 50 + i;
}

TEST_F(HistoryTest, WholeMapEditThatChangesFewTilesKeepsOnlyThem) {
    seedRandom(3);
    makeMap(10, 10, kVoid);
    randomise(50, kPlains, kHills);
    const auto before = tiles();
    runRecordedWholeMapEdit(placeFiveStartLocations, MapChange::kTiles);
    const auto after = tiles();
    EXPECT_LT(historyMemoryBytes(), 1000u);
    seam.invalidations.clear();
    EXPECT_TRUE(undoLastEdit());
    EXPECT_EQ(tiles(), before);
    EXPECT_EQ(seam.invalidations, kMapAreaErased);
    EXPECT_TRUE(redoLastEdit());
    EXPECT_EQ(tiles(), after);
}

TEST_F(HistoryTest, WholeMapCopiesAreCompact) {
    seedRandom(4);
    makeMap(4, 4, kVoid);
    randomise(50, kPlains, kHills);
    // A rewritten map of scattered codes: about one byte per tile and copy.
    runRecordedWholeMapEdit([] { randomise(50, kSea, kLake); });
    EXPECT_GT(historyMemoryBytes(), 2u * 160000u);
    EXPECT_LT(historyMemoryBytes(), 2u * 160000u + 4096u);
    historyClear();
    // Long stretches of one code: runs.
    runRecordedWholeMapEdit([] {
        for (int x = 0; x < mapWidth(); ++x)
            for (int y = 0; y < mapHeight(); ++y) mapGrid[x][y] = y < 200 ? kSea : kDesert;
    });
    const auto striped = tiles();
    runRecordedWholeMapEdit([] {
        for (int x = 0; x < mapWidth(); ++x)
            for (int y = 0; y < mapHeight(); ++y) mapGrid[x][y] = x < 100 ? kGlacier : kLake;
    });
    EXPECT_LT(historyMemoryBytes(), 2u * 160000u + 4u * 160000u / 16u);
    EXPECT_TRUE(undoLastEdit());
    EXPECT_EQ(tiles(), striped);
}

TEST_F(HistoryTest, CodesBeyondOneByteSurvive) {
    makeMap(1, 1, kVoid);
    for (int x = 0; x < 100; ++x)
        for (int y = 0; y < 100; ++y) mapGrid[x][y] = (x * 7 + y * 13) % 5 == 0 ? 1000 + x : -300 - y;
    const auto before = tiles();
    runRecordedWholeMapEdit([] {
        for (int x = 0; x < 100; ++x)
            for (int y = 0; y < 100; ++y) mapGrid[x][y] = (x + y) % 3 == 0 ? 70000 : -(x * y);
    });
    const auto after = tiles();
    EXPECT_TRUE(undoLastEdit());
    EXPECT_EQ(tiles(), before);
    EXPECT_TRUE(redoLastEdit());
    EXPECT_EQ(tiles(), after);
}

TEST_F(HistoryTest, WholeMapEditThatChangesTheSizeIsUndoneWithIt) {
    makeMap(3, 2, kSea);
    mapGrid[299][199] = kDesert;
    viewQuadX = 2;
    viewQuadY = 1;
    runRecordedWholeMapEdit([] {
        freeMapGrid();
        quadCountX = 1;
        quadCountY = 1;
        allocateMapGridKeepView();
        mapGrid[5][5] = kLake;
    });
    viewQuadX = 0;
    viewQuadY = 0;
    seam.invalidations.clear();
    EXPECT_TRUE(undoLastEdit());
    EXPECT_EQ(quadCountX, 3);
    EXPECT_EQ(quadCountY, 2);
    EXPECT_EQ(mapGrid[299][199], kDesert);
    EXPECT_EQ(mapGrid[0][0], kSea);
    EXPECT_EQ(seam.invalidations, std::vector{RecordingSeam::whole(true)});
    viewQuadX = 2;
    viewQuadY = 1;
    EXPECT_TRUE(redoLastEdit());
    EXPECT_EQ(quadCountX, 1);
    EXPECT_EQ(viewQuadX, 0);  // the view stays inside the smaller map
    EXPECT_EQ(viewQuadY, 0);
    EXPECT_EQ(mapGrid[5][5], kLake);
}

TEST_F(HistoryTest, CaptureWithoutCommitIsCommittedByTheNextCall) {
    seedRandom(8);
    makeMap(2, 2, kVoid);
    randomise(40, kPlains, kHills);
    const auto original = tiles();
    // The way a generator run is hooked: capture before, nothing after.
    historyCaptureWholeMap(MapChange::kTiles);
    randomise(40, kSea, kDesert);
    const auto generated = tiles();
    // A stroke right after it is an edit of its own.
    currentTerrain = kGlacier;
    stroke({{7, 7}});
    EXPECT_EQ(mapGrid[7][7], kGlacier);
    EXPECT_TRUE(undoLastEdit());
    EXPECT_EQ(tiles(), generated);
    EXPECT_TRUE(undoLastEdit());
    EXPECT_EQ(tiles(), original);
    EXPECT_TRUE(redoLastEdit());
    EXPECT_EQ(tiles(), generated);
    // Undo straight after a capture undoes that edit.
    historyClear();
    historyCaptureWholeMap(MapChange::kTiles);
    randomise(40, kLake, kArid);
    const auto second = tiles();
    EXPECT_TRUE(undoLastEdit());
    EXPECT_EQ(tiles(), generated);
    EXPECT_TRUE(redoLastEdit());
    EXPECT_EQ(tiles(), second);
    // A brush step with no stroke begun (the button already down) closes the
    // capture on the map as it was before the brush wrote.
    historyCaptureWholeMap(MapChange::kTiles);
    randomise(40, kSea, kDesert);
    const auto third = tiles();
    leftButtonDown = true;
    cursorOnTile(9, 9);
    brushAfterMessage();
    leftButtonReleased();
    EXPECT_TRUE(undoLastEdit());
    EXPECT_EQ(tiles(), third);
    EXPECT_TRUE(undoLastEdit());
    EXPECT_EQ(tiles(), second);
    EXPECT_TRUE(redoLastEdit());
    EXPECT_EQ(tiles(), third);
}

TEST_F(HistoryTest, UndoWhileTheButtonIsHeld) {
    makeMap(1, 1, kSea);
    currentTerrain = kDesert;
    cursorOnTile(3, 3);
    leftButtonPressed();
    brushAfterMessage();
    EXPECT_TRUE(undoLastEdit());  // Ctrl+Z mid-stroke undoes what the stroke did so far
    EXPECT_EQ(mapGrid[3][3], kSea);
    cursorOnTile(4, 4);
    brushAfterMessage();  // the rest of the stroke is an edit of its own
    leftButtonReleased();
    EXPECT_FALSE(canRedo());
    EXPECT_TRUE(undoLastEdit());
    EXPECT_EQ(mapGrid[4][4], kSea);
    EXPECT_FALSE(undoLastEdit());
}

TEST_F(HistoryTest, MemoryLimitDropsTheOldestEdits) {
    makeMap(1, 1, kSea);
    currentTerrain = kDesert;
    stroke({{1, 1}});
    stroke({{2, 2}});
    stroke({{3, 3}});
    const std::size_t threeSteps = historyMemoryBytes();
    setHistoryMemoryLimit(threeSteps - 1);  // the oldest must go
    EXPECT_LE(historyMemoryBytes(), threeSteps - 1);
    currentTerrain = kLake;
    stroke({{4, 4}});
    EXPECT_LE(historyMemoryBytes(), threeSteps - 1);
    EXPECT_TRUE(undoLastEdit());
    EXPECT_TRUE(undoLastEdit());
    EXPECT_FALSE(undoLastEdit());
    EXPECT_EQ(mapGrid[1][1], kDesert);  // the edits past the limit stay done
    EXPECT_EQ(mapGrid[2][2], kDesert);
    EXPECT_EQ(mapGrid[3][3], kSea);
    // The newest edit is kept even when it alone is past the limit.
    setHistoryMemoryLimit(1);
    EXPECT_TRUE(redoLastEdit());
    EXPECT_FALSE(redoLastEdit());
}

TEST_F(HistoryTest, HistoryOfAMapNoLongerThereIsDropped) {
    makeMap(1, 1, kSea);
    currentTerrain = kDesert;
    stroke({{99, 99}});
    makeMap(2, 1, kLake);  // replaced without clearing
    const auto now = tiles();
    EXPECT_FALSE(undoLastEdit());
    EXPECT_EQ(tiles(), now);
    EXPECT_FALSE(canUndo());
}

TEST_F(HistoryTest, TilesRecordedTwiceInOneEditRestoreTheFirstCode) {
    makeMap(1, 1, kSea);
    historyBeginEdit(MapChange::kBrushedTiles);
    historyRecordTile(5, 5, kSea, kHills);
    mapGrid[5][5] = kHills;
    historyRecordTile(5, 5, kHills, kDesert);
    mapGrid[5][5] = kDesert;
    historyEndEdit();
    // A bucket's tiles followed by single tiles in the same edit.
    historyBeginEdit(MapChange::kTiles);
    historyRecordTiles({6u << 16 | 6u, 7u << 16 | 7u}, kSea, kLake);
    mapGrid[6][6] = kLake;
    mapGrid[7][7] = kLake;
    historyRecordTile(6, 6, kLake, kGlacier);
    mapGrid[6][6] = kGlacier;
    historyEndEdit();
    EXPECT_TRUE(undoLastEdit());
    EXPECT_EQ(mapGrid[6][6], kSea);
    EXPECT_EQ(mapGrid[7][7], kSea);
    EXPECT_TRUE(undoLastEdit());
    EXPECT_EQ(mapGrid[5][5], kSea);
    EXPECT_TRUE(redoLastEdit());
    EXPECT_TRUE(redoLastEdit());
    EXPECT_EQ(mapGrid[5][5], kDesert);
    EXPECT_EQ(mapGrid[6][6], kGlacier);
    EXPECT_EQ(mapGrid[7][7], kLake);
}

}  // namespace
}  // namespace pelorn
