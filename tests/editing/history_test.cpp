#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "editing/editor.h"
#include "editing/history.h"
#include "generator/random.h"
#include "generator/world.h"
#include "map/map_grid.h"
#include "startlocations/start_locations.h"
#include "support/program_fixture.h"
#include "support/repaint_list.h"
#include "support/test_map.h"
#include "view/layout.h"
#include "view/view_mode.h"

namespace pelorn {
namespace {

using test::area;
using test::whole;

class HistoryTest : public test::ProgramTest {
protected:
    History& history = document.history;

    void randomise(int percentOfSecond, TerrainCode first, TerrainCode second) {
        for (int x = 0; x < mapWidth(map); ++x)
            for (int y = 0; y < mapHeight(map); ++y)
                mapGrid[x][y] = random.next() % 100 < percentOfSecond ? second : first;
    }

    // The point over tile (x, y) of the viewed quad.
    static ClientPoint onTile(int x, int y) { return {47 + 6 * x + 2, 76 + 4 * y + 1}; }

    // A press, the brush along the path, and the release unless `release` is false.
    void stroke(std::initializer_list<std::pair<int, int>> path, bool release = true) {
        bool first = true;
        for (auto [x, y] : path) {
            if (first)
                editor.press(onTile(x, y));
            else
                editor.strokeTo(onTile(x, y));
            first = false;
        }
        if (release) editor.release();
    }

    // The repaints since the last call, the caption's left out (kept in
    // `caption`); dropped by callers that only start a new list.
    std::vector<Repaint> repaints() {
        Taken taken = takeRepaints();
        caption.insert(caption.end(), taken.caption.begin(), taken.caption.end());
        return taken.others;
    }

    // The caption's repaints so far, those still waiting to be taken included.
    std::vector<Repaint> captionRepaints() const {
        std::vector<Repaint> all = caption;
        for (const Repaint& r : test::captionRepaints(screen.repaints)) all.push_back(r);
        return all;
    }

    // The saved state's mark as the history reports it and as the caption was
    // told: each repaint of the caption flips the mark it shows (no save fails here).
    bool unsavedEdits() const {
        EXPECT_EQ(history.hasUnsavedEdits(), captionRepaints().size() % 2 == 1);
        return history.hasUnsavedEdits();
    }

    // A save or a new map, as the program tells the caption of it.
    void markSaved() {
        history.markSaved();
        editor.showFileMarks();
    }
    void markUnsaved() {
        history.markUnsaved();
        editor.showFileMarks();
    }
    void clearHistory() {
        history.clear();
        editor.showFileMarks();
    }

    std::vector<Repaint> caption;
};

const auto kMapAreaUnerased = std::vector{area(kMapAreaRect, false)};
const auto kMapAreaErased = std::vector{area(kMapAreaRect, true)};

TEST_F(HistoryTest, BrushStrokeIsOneEdit) {
    makeMap(1, 1, kSea);
    const auto before = tiles();
    currentTerrain = kDesert;
    stroke({{10, 10}, {11, 10}, {12, 10}, {10, 10}, {12, 11}});
    const auto after = tiles();
    EXPECT_EQ(mapGrid[12][11], kDesert);
    repaints();
    EXPECT_TRUE(history.canUndo());
    EXPECT_TRUE(editor.undo());
    EXPECT_EQ(tiles(), before);
    EXPECT_EQ(repaints(), kMapAreaUnerased);
    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(editor.undo());
    ASSERT_TRUE(history.canRedo());
    repaints();
    EXPECT_TRUE(editor.redo());
    EXPECT_EQ(tiles(), after);
    EXPECT_EQ(repaints(), kMapAreaUnerased);
    EXPECT_FALSE(editor.redo());
}

TEST_F(HistoryTest, BoldStrokesAndLostCaptureEndEdits) {
    makeMap(1, 1, kSea);
    const auto start = tiles();
    currentTerrain = kDesert;
    boldBrush = true;
    editor.press(onTile(20, 20));
    editor.strokeTo(onTile(20, 20));
    editor.cancel();  // capture lost: the stroke is over
    const auto afterFirst = tiles();
    editor.strokeTo(onTile(40, 40));  // the button is up: nothing
    EXPECT_EQ(tiles(), afterFirst);
    currentTerrain = kLake;
    stroke({{40, 40}});
    EXPECT_TRUE(editor.undo());
    EXPECT_EQ(tiles(), afterFirst);
    EXPECT_TRUE(editor.undo());
    EXPECT_EQ(tiles(), start);
}

TEST_F(HistoryTest, StrokeThatChangesNothingIsNoEdit) {
    makeMap(1, 1, kSea);
    currentTerrain = kSea;
    stroke({{5, 5}, {6, 6}});
    editor.press(onTile(300, 300));  // beside the map
    editor.release();
    editor.press({760, 100});  // a legend click
    editor.release();
    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(editor.undo());
}

TEST_F(HistoryTest, BucketFillUndoesAndRedoes) {
    random.seed(5);
    makeMap(2, 1, kVoid);
    randomise(45, kLake, kHills);
    mapGrid[30][30] = kLake;
    const auto before = tiles();
    bucketTool = true;
    currentTerrain = kSea;
    EXPECT_FALSE(editor.press(onTile(30, 30)));
    const auto after = tiles();
    EXPECT_NE(after, before);
    repaints();
    EXPECT_TRUE(editor.undo());
    EXPECT_EQ(tiles(), before);
    EXPECT_EQ(repaints(), kMapAreaErased);
    EXPECT_TRUE(editor.redo());
    EXPECT_EQ(tiles(), after);
    // Filling with the code the area has is no edit.
    editor.press(onTile(30, 30));
    EXPECT_TRUE(editor.undo());
    EXPECT_EQ(tiles(), before);
}

TEST_F(HistoryTest, WholeMapFillUndoesAndRedoes) {
    random.seed(9);
    makeMap(2, 1, kVoid);
    randomise(30, kPlains, kForestPlains);
    const auto before = tiles();
    currentTerrain = kHills;
    fillTool = true;
    editor.fillWholeMap();
    repaints();
    EXPECT_TRUE(editor.undo());
    EXPECT_EQ(tiles(), before);
    EXPECT_EQ(repaints(), std::vector{whole(true)});
    EXPECT_FALSE(fillTool);  // tool state is not part of the history
    EXPECT_TRUE(editor.redo());
    EXPECT_EQ(tiles(), std::vector<TerrainCode>(20000, kHills));
}

TEST_F(HistoryTest, NewEditAfterUndoDropsTheRedoSteps) {
    makeMap(1, 1, kSea);
    currentTerrain = kDesert;
    stroke({{1, 1}});
    stroke({{2, 2}});
    EXPECT_TRUE(editor.undo());
    EXPECT_TRUE(history.canRedo());
    currentTerrain = kLake;
    stroke({{3, 3}});
    EXPECT_FALSE(history.canRedo());
    EXPECT_FALSE(editor.redo());
    EXPECT_TRUE(editor.undo());
    EXPECT_TRUE(editor.undo());
    EXPECT_EQ(tiles(), std::vector<TerrainCode>(10000, kSea));
}

TEST_F(HistoryTest, OverviewRepaintsTheWholeClientArea) {
    makeMap(1, 1, kSea);
    currentTerrain = kDesert;
    stroke({{1, 1}});
    bucketTool = true;
    editor.press(onTile(50, 50));
    viewMode = 1;
    repaints();
    EXPECT_TRUE(editor.undo());  // the bucket
    EXPECT_TRUE(editor.undo());  // the stroke
    EXPECT_EQ(repaints(), (std::vector{whole(true), whole(false)}));
}

TEST_F(HistoryTest, ClearForgetsEverything) {
    makeMap(1, 1, kSea);
    currentTerrain = kDesert;
    stroke({{1, 1}});
    stroke({{2, 2}});
    EXPECT_TRUE(editor.undo());
    clearHistory();
    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(history.canRedo());
    repaints();
    EXPECT_FALSE(editor.undo());
    EXPECT_FALSE(editor.redo());
    EXPECT_TRUE(repaints().empty());
    EXPECT_EQ(mapGrid[1][1], kDesert);
    EXPECT_EQ(history.memoryBytes(), 0u);
}

TEST_F(HistoryTest, WholeMapEditThatChangesFewTilesKeepsOnlyThem) {
    random.seed(3);
    makeMap(10, 10, kVoid);
    randomise(50, kPlains, kHills);
    const auto before = tiles();
    editor.runRecordedWholeMapEdit(
        [this] {
            for (int i = 0; i < 5; ++i) mapGrid[100 + 37 * i][200 + 11 * i] = 50 + i;
        },
        MapChange::kTiles);
    const auto after = tiles();
    EXPECT_LT(history.memoryBytes(), 1000u);
    repaints();
    EXPECT_TRUE(editor.undo());
    EXPECT_EQ(tiles(), before);
    EXPECT_EQ(repaints(), kMapAreaErased);
    EXPECT_TRUE(editor.redo());
    EXPECT_EQ(tiles(), after);
}

TEST_F(HistoryTest, WholeMapCopiesAreCompact) {
    random.seed(4);
    makeMap(4, 4, kVoid);
    randomise(50, kPlains, kHills);
    // A rewritten map of scattered codes: about one byte per tile and copy.
    editor.runRecordedWholeMapEdit([this] { randomise(50, kSea, kLake); });
    EXPECT_GT(history.memoryBytes(), 2u * 160000u);
    EXPECT_LT(history.memoryBytes(), 2u * 160000u + 4096u);
    clearHistory();
    // Long stretches of one code: runs.
    editor.runRecordedWholeMapEdit([this] {
        for (int x = 0; x < mapWidth(map); ++x)
            for (int y = 0; y < mapHeight(map); ++y) mapGrid[x][y] = y < 200 ? kSea : kDesert;
    });
    const auto striped = tiles();
    editor.runRecordedWholeMapEdit([this] {
        for (int x = 0; x < mapWidth(map); ++x)
            for (int y = 0; y < mapHeight(map); ++y) mapGrid[x][y] = x < 100 ? kGlacier : kLake;
    });
    EXPECT_LT(history.memoryBytes(), 2u * 160000u + 4u * 160000u / 16u);
    EXPECT_TRUE(editor.undo());
    EXPECT_EQ(tiles(), striped);
}

TEST_F(HistoryTest, CodesBeyondOneByteSurvive) {
    makeMap(1, 1, kVoid);
    for (int x = 0; x < 100; ++x)
        for (int y = 0; y < 100; ++y) mapGrid[x][y] = (x * 7 + y * 13) % 5 == 0 ? 1000 + x : -300 - y;
    const auto before = tiles();
    editor.runRecordedWholeMapEdit([this] {
        for (int x = 0; x < 100; ++x)
            for (int y = 0; y < 100; ++y) mapGrid[x][y] = (x + y) % 3 == 0 ? 70000 : -(x * y);
    });
    const auto after = tiles();
    EXPECT_TRUE(editor.undo());
    EXPECT_EQ(tiles(), before);
    EXPECT_TRUE(editor.redo());
    EXPECT_EQ(tiles(), after);
}

TEST_F(HistoryTest, WholeMapEditThatChangesTheSizeIsUndoneWithIt) {
    makeMap(3, 2, kSea);
    mapGrid[299][199] = kDesert;
    viewQuadX = 2;
    viewQuadY = 1;
    editor.runRecordedWholeMapEdit([this] {
        freeMapGrid(map);
        quadCountX = 1;
        quadCountY = 1;
        ASSERT_TRUE(allocateMapGrid(map));
        mapGrid[5][5] = kLake;
    });
    EXPECT_EQ(viewQuadX, 0);  // the edit itself keeps the view inside the map
    EXPECT_EQ(viewQuadY, 0);
    repaints();
    EXPECT_TRUE(editor.undo());
    EXPECT_EQ(quadCountX, 3);
    EXPECT_EQ(quadCountY, 2);
    EXPECT_EQ(mapGrid[299][199], kDesert);
    EXPECT_EQ(mapGrid[0][0], kSea);
    EXPECT_EQ(repaints(), std::vector{whole(true)});
    viewQuadX = 2;
    viewQuadY = 1;
    EXPECT_TRUE(editor.redo());
    EXPECT_EQ(quadCountX, 1);
    EXPECT_EQ(viewQuadX, 0);  // the view stays inside the smaller map
    EXPECT_EQ(viewQuadY, 0);
    EXPECT_EQ(mapGrid[5][5], kLake);
}

// The map grows, the view moves to its far corner, and undo shrinks the map
// under it: the view comes back inside.
TEST_F(HistoryTest, UndoOfAGrowthKeepsTheViewInsideTheMap) {
    makeMap(1, 1, kSea);
    editor.runRecordedWholeMapEdit([this] { ASSERT_TRUE(test::makeTestMap(map, 3, 2, kLake)); });
    editor.scroll(2, 1);
    ASSERT_EQ(viewQuadX, 2);
    ASSERT_EQ(viewQuadY, 1);
    repaints();
    EXPECT_TRUE(editor.undo());
    EXPECT_EQ(quadCountX, 1);
    EXPECT_EQ(quadCountY, 1);
    EXPECT_EQ(viewQuadX, 0);
    EXPECT_EQ(viewQuadY, 0);
    EXPECT_EQ(repaints(), std::vector{whole(true)});
    EXPECT_EQ(tiles(), std::vector<TerrainCode>(10000, kSea));
}

// A world made of the same size leaves the view where it was and repaints
// the map area once (the overview: the whole window), erased.
TEST_F(HistoryTest, GenerationKeepsTheViewAndRepaintsTheMapArea) {
    makeMap(3, 2);
    viewQuadX = 2;
    viewQuadY = 1;
    const auto generate = [this] {
        const GenerateResult result = generateRandomMap(map, generatorParameters, random);
        generatorParameters = result.parameters;
        return result.generated;
    };
    random.seed(1);
    EXPECT_TRUE(editor.runRecordedWholeMapEdit(generate));
    EXPECT_EQ(viewQuadX, 2);
    EXPECT_EQ(viewQuadY, 1);
    EXPECT_EQ(repaints(), kMapAreaErased);

    viewMode = 1;
    EXPECT_TRUE(editor.runRecordedWholeMapEdit(generate));
    EXPECT_EQ(repaints(), std::vector{whole(true)});
    EXPECT_EQ(quadCountX, 3);
    EXPECT_EQ(quadCountY, 2);
}

TEST_F(HistoryTest, CaptureWithoutCommitIsCommittedByTheNextCall) {
    random.seed(8);
    makeMap(2, 2, kVoid);
    randomise(40, kPlains, kHills);
    const auto original = tiles();
    // The way a generator run is hooked: capture before, nothing after.
    history.captureWholeMap(MapChange::kTiles);
    randomise(40, kSea, kDesert);
    const auto generated = tiles();
    // A stroke right after it is an edit of its own.
    currentTerrain = kGlacier;
    stroke({{7, 7}});
    EXPECT_EQ(mapGrid[7][7], kGlacier);
    EXPECT_TRUE(editor.undo());
    EXPECT_EQ(tiles(), generated);
    EXPECT_TRUE(editor.undo());
    EXPECT_EQ(tiles(), original);
    EXPECT_TRUE(editor.redo());
    EXPECT_EQ(tiles(), generated);
    // Undo straight after a capture undoes that edit.
    clearHistory();
    history.captureWholeMap(MapChange::kTiles);
    randomise(40, kLake, kArid);
    const auto second = tiles();
    EXPECT_TRUE(editor.undo());
    EXPECT_EQ(tiles(), generated);
    EXPECT_TRUE(editor.redo());
    EXPECT_EQ(tiles(), second);
    // A brush step with no stroke begun (the button already down) closes the
    // capture on the map as it was before the brush wrote.
    history.captureWholeMap(MapChange::kTiles);
    randomise(40, kSea, kDesert);
    const auto third = tiles();
    history.recordTile(9, 9, mapGrid[9][9], currentTerrain);
    mapGrid[9][9] = currentTerrain;
    editor.release();
    EXPECT_TRUE(editor.undo());
    EXPECT_EQ(tiles(), third);
    EXPECT_TRUE(editor.undo());
    EXPECT_EQ(tiles(), second);
    EXPECT_TRUE(editor.redo());
    EXPECT_EQ(tiles(), third);
}

TEST_F(HistoryTest, UndoWhileTheButtonIsHeld) {
    makeMap(1, 1, kSea);
    currentTerrain = kDesert;
    editor.press(onTile(3, 3));
    editor.strokeTo(onTile(3, 3));
    EXPECT_TRUE(editor.undo());  // Ctrl+Z mid-stroke undoes what the stroke did so far
    EXPECT_EQ(mapGrid[3][3], kSea);
    editor.strokeTo(onTile(4, 4));  // the rest of the stroke is an edit of its own
    editor.release();
    EXPECT_FALSE(history.canRedo());
    EXPECT_TRUE(editor.undo());
    EXPECT_EQ(mapGrid[4][4], kSea);
    EXPECT_FALSE(editor.undo());
}

TEST_F(HistoryTest, MemoryLimitDropsTheOldestEdits) {
    makeMap(1, 1, kSea);
    currentTerrain = kDesert;
    stroke({{1, 1}});
    stroke({{2, 2}});
    stroke({{3, 3}});
    const std::size_t threeSteps = history.memoryBytes();
    history.setMemoryLimit(threeSteps - 1);  // the oldest must go
    EXPECT_LE(history.memoryBytes(), threeSteps - 1);
    currentTerrain = kLake;
    stroke({{4, 4}});
    EXPECT_LE(history.memoryBytes(), threeSteps - 1);
    EXPECT_TRUE(editor.undo());
    EXPECT_TRUE(editor.undo());
    EXPECT_FALSE(editor.undo());
    EXPECT_EQ(mapGrid[1][1], kDesert);  // the edits past the limit stay done
    EXPECT_EQ(mapGrid[2][2], kDesert);
    EXPECT_EQ(mapGrid[3][3], kSea);
    // The newest edit is kept even when it alone is past the limit.
    history.setMemoryLimit(1);
    EXPECT_TRUE(editor.redo());
    EXPECT_FALSE(editor.redo());
}

TEST_F(HistoryTest, HistoryOfAMapNoLongerThereIsDropped) {
    makeMap(1, 1, kSea);
    currentTerrain = kDesert;
    stroke({{99, 99}});
    makeMap(2, 1, kLake);  // replaced without clearing
    const auto now = tiles();
    EXPECT_FALSE(editor.undo());
    EXPECT_EQ(tiles(), now);
    EXPECT_FALSE(history.canUndo());
}

TEST_F(HistoryTest, TilesRecordedTwiceInOneEditRestoreTheFirstCode) {
    makeMap(1, 1, kSea);
    history.beginEdit(MapChange::kBrushedTiles);
    history.recordTile(5, 5, kSea, kHills);
    mapGrid[5][5] = kHills;
    history.recordTile(5, 5, kHills, kDesert);
    mapGrid[5][5] = kDesert;
    history.endEdit();
    // A bucket's tiles followed by single tiles in the same edit.
    history.beginEdit(MapChange::kTiles);
    history.recordTiles({6u << 16 | 6u, 7u << 16 | 7u}, kSea, kLake);
    mapGrid[6][6] = kLake;
    mapGrid[7][7] = kLake;
    history.recordTile(6, 6, kLake, kGlacier);
    mapGrid[6][6] = kGlacier;
    history.endEdit();
    EXPECT_TRUE(editor.undo());
    EXPECT_EQ(mapGrid[6][6], kSea);
    EXPECT_EQ(mapGrid[7][7], kSea);
    EXPECT_TRUE(editor.undo());
    EXPECT_EQ(mapGrid[5][5], kSea);
    EXPECT_TRUE(editor.redo());
    EXPECT_TRUE(editor.redo());
    EXPECT_EQ(mapGrid[5][5], kDesert);
    EXPECT_EQ(mapGrid[6][6], kGlacier);
    EXPECT_EQ(mapGrid[7][7], kLake);
}

// The saved state: which edits mark the map as unsaved, how undo and redo
// lead back to the state saved, and the caption's repaints as the mark
// comes and goes.
TEST_F(HistoryTest, SavedStateUndoAndRedoLeadBackToIt) {
    makeMap(1, 1, kSea);
    currentTerrain = kSea;  // what the tiles hold: no change, no mark
    stroke({{5, 5}});
    EXPECT_FALSE(unsavedEdits());
    currentTerrain = kDesert;
    stroke({{1, 1}, {2, 1}}, false);
    EXPECT_TRUE(unsavedEdits()) << "marked while the button is still down";
    EXPECT_EQ(captionRepaints(), std::vector{area(kCaptionRect, true)});
    editor.release();
    ASSERT_TRUE(editor.undo());
    EXPECT_FALSE(unsavedEdits());
    ASSERT_TRUE(editor.redo());
    EXPECT_TRUE(unsavedEdits());
    EXPECT_EQ(captionRepaints().size(), 3u) << "one repaint each time the mark comes or goes";

    stroke({{3, 3}});
    markSaved();
    EXPECT_FALSE(unsavedEdits());
    ASSERT_TRUE(editor.undo());
    EXPECT_TRUE(unsavedEdits());
    ASSERT_TRUE(editor.redo());
    EXPECT_FALSE(unsavedEdits());
    ASSERT_TRUE(editor.undo());
    ASSERT_TRUE(editor.undo());
    ASSERT_TRUE(editor.redo());
    EXPECT_TRUE(unsavedEdits()) << "one step short of the save";
    // A new edit there drops the way back to the saved state.
    stroke({{4, 4}});
    ASSERT_TRUE(editor.undo());
    EXPECT_TRUE(unsavedEdits());
    EXPECT_FALSE(history.canRedo() && editor.redo() && !unsavedEdits());

    // A save while the button is held closes the stroke as an edit of its own.
    stroke({{6, 6}}, false);
    markSaved();
    stroke({{7, 7}});
    EXPECT_TRUE(unsavedEdits());
    ASSERT_TRUE(editor.undo());
    EXPECT_FALSE(unsavedEdits());
    EXPECT_EQ(mapGrid[6][6], kDesert);
}

// Every kind of edit marks the map, and undoing it clears the mark again;
// one that changes no tile marks nothing.
TEST_F(HistoryTest, SavedStateMarkedByEveryKindOfEdit) {
    const std::pair<const char*, std::function<bool()>> edits[] = {
        {"brush", [this] { return currentTerrain = kDesert, stroke({{3, 3}}), true; }},
        {"bucket", [this] { return bucketTool = true, currentTerrain = kLake, editor.press(onTile(50, 50)), true; }},
        {"bucket, same code", [this] { return bucketTool = true, currentTerrain = kSea, editor.press(onTile(50, 50)), false; }},
        {"whole-map fill", [this] { return currentTerrain = kHills, fillTool = true, editor.fillWholeMap(), true; }},
        {"whole-map fill, same code", [this] { return currentTerrain = kSea, fillTool = true, editor.fillWholeMap(), false; }},
        {"generation", [this] {
             return editor.runRecordedWholeMapEdit([this] {
                 const GenerateResult result = generateRandomMap(map, generatorParameters, random);
                 generatorParameters = result.parameters;
                 return result.generated;
             });
         }},
        {"start locations", [this] {
             for (int x = 0; x < 100; ++x) std::fill(mapGrid[x], mapGrid[x] + 100, kPlains);
             clearHistory();
             return editor.runRecordedWholeMapEdit(
                 [this] { return generateStartLocations(map, generatorParameters, random); });
         }},
    };
    for (const auto& [name, edit] : edits) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(test::makeTestMap(map, 1, 1, kSea));
        clearHistory();
        editor.cancel();
        screen.currentTerrain = kVoid;
        boldBrush = startLocationMode = fillTool = bucketTool = false;
        const bool changes = edit();
        EXPECT_EQ(unsavedEdits(), changes);
        if (!changes) continue;
        ASSERT_TRUE(editor.undo());
        EXPECT_FALSE(unsavedEdits());
        ASSERT_TRUE(editor.redo());
        EXPECT_TRUE(unsavedEdits());
    }
}

TEST_F(HistoryTest, SavedStateOutlivesForgottenStepsAndMapsNoFileHolds) {
    makeMap(1, 1, kSea);
    currentTerrain = kDesert;
    stroke({{1, 1}});
    markSaved();
    stroke({{2, 2}});
    history.setMemoryLimit(1);  // only the last edit is kept
    ASSERT_TRUE(editor.undo());
    EXPECT_FALSE(unsavedEdits()) << "the saved state outlives the step that led to it";
    // A map read from a file of another name has no saved state to return to.
    markUnsaved();
    stroke({{3, 3}});
    ASSERT_TRUE(editor.undo());
    EXPECT_TRUE(unsavedEdits());
    clearHistory();  // a new map
    EXPECT_FALSE(unsavedEdits());
}

}  // namespace
}  // namespace pelorn
