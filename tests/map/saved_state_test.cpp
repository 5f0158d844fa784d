// The saved state kept by the undo history: which edits mark the map as
// unsaved, how undo and redo lead back to the saved state, and the repaints
// of the caption when the mark comes and goes.
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <utility>

#include "generator/world.h"
#include "map/editing.h"
#include "map/history.h"
#include "map/map_grid.h"
#include "map/save_state.h"
#include "startlocations/start_locations.h"
#include "support/fresh_state.h"
#include "support/recording_seam.h"
#include "support/test_map.h"

namespace pelorn {
namespace {

using test::RecordingSeam;

class SavedState : public test::FreshStateTest {
protected:
    void SetUp() override {
        FreshStateTest::SetUp();
        ASSERT_TRUE(test::makeTestMap(1, 1, kSea));
    }

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

    // The mark as the history reports it and as the status line was told.
    static bool unsaved() {
        EXPECT_EQ(hasUnsavedEdits(), mapHasUnsavedEdits);
        return hasUnsavedEdits();
    }

    RecordingSeam seam;
};

const test::Invalidation kCaptionRepaint = RecordingSeam::area(kCaptionRect, true);

TEST_F(SavedState, AStrokeMarksFromItsFirstChangedTileAndUndoingItClears) {
    EXPECT_FALSE(unsaved());
    currentTerrain = kSea;  // what the tile already holds: nothing changes
    cursorOnTile(5, 5);
    leftButtonPressed();
    brushAfterMessage();
    EXPECT_FALSE(unsaved());
    EXPECT_TRUE(seam.captionRepaints.empty());
    currentTerrain = kDesert;
    cursorOnTile(6, 5);
    brushAfterMessage();
    EXPECT_TRUE(unsaved()) << "marked while the button is still down";
    EXPECT_EQ(seam.captionRepaints, std::vector{kCaptionRepaint});
    brushAfterMessage();  // more of the same stroke: no further repaint
    leftButtonReleased();
    EXPECT_EQ(seam.captionRepaints.size(), 1u);
    ASSERT_TRUE(undoLastEdit());
    EXPECT_FALSE(unsaved());
    ASSERT_TRUE(redoLastEdit());
    EXPECT_TRUE(unsaved());
    EXPECT_EQ(seam.captionRepaints.size(), 3u);
}

TEST_F(SavedState, UndoAndRedoLeadBackToTheSavedState) {
    currentTerrain = kDesert;
    stroke({{1, 1}});
    stroke({{2, 2}});
    markMapSaved();
    EXPECT_FALSE(unsaved());
    ASSERT_TRUE(undoLastEdit());
    EXPECT_TRUE(unsaved());
    ASSERT_TRUE(redoLastEdit());
    EXPECT_FALSE(unsaved());
    ASSERT_TRUE(undoLastEdit());
    ASSERT_TRUE(undoLastEdit());
    EXPECT_TRUE(unsaved()) << "before the save is not the saved state either";
    ASSERT_TRUE(redoLastEdit());
    EXPECT_TRUE(unsaved());
    ASSERT_TRUE(redoLastEdit());
    EXPECT_FALSE(unsaved());
    // A new edit after undoing past the save drops the way back to it.
    ASSERT_TRUE(undoLastEdit());
    stroke({{3, 3}});
    ASSERT_TRUE(undoLastEdit());
    EXPECT_TRUE(unsaved());
    EXPECT_FALSE(redoLastEdit() && !unsaved());
}

TEST_F(SavedState, ASaveDuringAStrokeClosesItAsAnEdit) {
    currentTerrain = kDesert;
    cursorOnTile(4, 4);
    leftButtonPressed();
    brushAfterMessage();
    markMapSaved();  // Ctrl+S with the button held
    EXPECT_FALSE(unsaved());
    cursorOnTile(9, 9);
    brushAfterMessage();
    leftButtonReleased();
    EXPECT_TRUE(unsaved());
    ASSERT_TRUE(undoLastEdit());
    EXPECT_FALSE(unsaved());
    EXPECT_EQ(mapGrid[4][4], kDesert);
    EXPECT_EQ(mapGrid[9][9], kSea);
}

// Every kind of edit marks the map, and undoing it clears the mark again;
// one that changes no tile marks nothing.
TEST_F(SavedState, EveryKindOfEditMarks) {
    struct Edit {
        const char* name;
        std::function<void()> run;
        bool changes;
    };
    const Edit edits[] = {
        {"brush", [this] {
             currentTerrain = kDesert;
             stroke({{3, 3}});
         }, true},
        {"bucket", [] {
             bucketTool = true;
             currentTerrain = kLake;
             leftButtonPressed();
         }, true},
        {"bucket with the area's own code", [] {
             bucketTool = true;
             currentTerrain = kSea;
             leftButtonPressed();
         }, false},
        {"whole-map fill", [] {
             currentTerrain = kHills;
             fillTool = true;
             fillWholeMap();
         }, true},
        {"whole-map fill with the code every tile has", [] {
             currentTerrain = kSea;
             fillTool = true;
             fillWholeMap();
         }, false},
        {"generation", [] { runRecordedWholeMapEdit(generateRandomMap); }, true},
        {"start locations", [] {
             for (int x = 0; x < 100; ++x)
                 for (int y = 0; y < 100; ++y) mapGrid[x][y] = kPlains;
             historyClear();
             runRecordedWholeMapEdit(generateStartLocations);
         }, true},
    };
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.name);
        ASSERT_TRUE(test::makeTestMap(1, 1, kSea));
        historyClear();
        resetEditingState();
        cursorOnTile(50, 50);
        ASSERT_FALSE(unsaved());
        edit.run();
        EXPECT_EQ(unsaved(), edit.changes);
        if (!edit.changes) continue;
        ASSERT_TRUE(undoLastEdit());
        EXPECT_FALSE(unsaved());
        ASSERT_TRUE(redoLastEdit());
        EXPECT_TRUE(unsaved());
    }
}

// Old steps forgotten for memory do not move the saved state.
TEST_F(SavedState, ForgottenStepsKeepTheSavedStateExact) {
    currentTerrain = kDesert;
    stroke({{1, 1}});
    markMapSaved();
    stroke({{2, 2}});
    setHistoryMemoryLimit(1);  // only the last edit is kept
    ASSERT_TRUE(undoLastEdit());
    EXPECT_FALSE(unsaved());
    EXPECT_FALSE(undoLastEdit());
    ASSERT_TRUE(redoLastEdit());
    EXPECT_TRUE(unsaved());
}

TEST_F(SavedState, AMapNoFileHoldsHasNoSavedStateToReturnTo) {
    markMapUnsaved();
    EXPECT_TRUE(unsaved());
    currentTerrain = kDesert;
    stroke({{1, 1}});
    ASSERT_TRUE(undoLastEdit());
    EXPECT_TRUE(unsaved());
    markMapSaved();
    EXPECT_FALSE(unsaved());
    markMapUnsaved();
    historyClear();  // a new map
    EXPECT_FALSE(unsaved());
}

TEST_F(SavedState, TheRevisionGrowsWithEveryChangeOfTheMap) {
    std::uint64_t last = historyRevision();
    const auto grew = [&last] {
        const std::uint64_t now = historyRevision();
        const bool result = now > last;
        last = now;
        return result;
    };
    currentTerrain = kSea;
    stroke({{1, 1}});
    EXPECT_FALSE(grew()) << "nothing changed";
    currentTerrain = kDesert;
    cursorOnTile(1, 1);
    leftButtonPressed();
    brushAfterMessage();
    EXPECT_TRUE(grew()) << "a tile within a stroke";
    cursorOnTile(2, 1);
    brushAfterMessage();
    EXPECT_TRUE(grew());
    leftButtonReleased();
    ASSERT_TRUE(undoLastEdit());
    EXPECT_TRUE(grew());
    ASSERT_TRUE(redoLastEdit());
    EXPECT_TRUE(grew());
    markMapSaved();
    EXPECT_FALSE(grew()) << "a save changes no tile";
    historyClear();
    EXPECT_TRUE(grew()) << "another map";
}

}  // namespace
}  // namespace pelorn
