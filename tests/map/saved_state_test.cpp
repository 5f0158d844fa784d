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

class SavedState : public test::FreshStateTest {
protected:
    void SetUp() override {
        FreshStateTest::SetUp();
        ASSERT_TRUE(test::makeTestMap(1, 1, kSea));
    }

    void cursorOnTile(int x, int y) { seam.cursor = {47 + 6 * x + 2, 76 + 4 * y + 1}; }

    void stroke(std::initializer_list<std::pair<int, int>> path, bool release = true) {
        bool first = true;
        for (auto [x, y] : path) {
            cursorOnTile(x, y);
            if (first) leftButtonPressed();
            first = false;
            brushAfterMessage();
        }
        if (release) leftButtonReleased();
    }

    // The mark as the history reports it and as the status line was told.
    static bool unsaved() {
        EXPECT_EQ(hasUnsavedEdits(), mapHasUnsavedEdits);
        return hasUnsavedEdits();
    }

    test::RecordingSeam seam;
};

TEST_F(SavedState, UndoAndRedoLeadBackToTheSavedState) {
    currentTerrain = kSea;  // what the tiles hold: no change, no mark
    stroke({{5, 5}});
    EXPECT_FALSE(unsaved());
    currentTerrain = kDesert;
    stroke({{1, 1}, {2, 1}}, false);
    EXPECT_TRUE(unsaved()) << "marked while the button is still down";
    EXPECT_EQ(seam.captionRepaints, std::vector{test::RecordingSeam::area(kCaptionRect, true)});
    leftButtonReleased();
    ASSERT_TRUE(undoLastEdit());
    EXPECT_FALSE(unsaved());
    ASSERT_TRUE(redoLastEdit());
    EXPECT_TRUE(unsaved());
    EXPECT_EQ(seam.captionRepaints.size(), 3u) << "one repaint each time the mark comes or goes";

    stroke({{3, 3}});
    markMapSaved();
    EXPECT_FALSE(unsaved());
    ASSERT_TRUE(undoLastEdit());
    EXPECT_TRUE(unsaved());
    ASSERT_TRUE(redoLastEdit());
    EXPECT_FALSE(unsaved());
    ASSERT_TRUE(undoLastEdit());
    ASSERT_TRUE(undoLastEdit());
    ASSERT_TRUE(redoLastEdit());
    EXPECT_TRUE(unsaved()) << "one step short of the save";
    // A new edit there drops the way back to the saved state.
    stroke({{4, 4}});
    ASSERT_TRUE(undoLastEdit());
    EXPECT_TRUE(unsaved());
    EXPECT_FALSE(canRedo() && redoLastEdit() && !unsaved());

    // A save while the button is held closes the stroke as an edit of its own.
    stroke({{6, 6}}, false);
    markMapSaved();
    stroke({{7, 7}});
    EXPECT_TRUE(unsaved());
    ASSERT_TRUE(undoLastEdit());
    EXPECT_FALSE(unsaved());
    EXPECT_EQ(mapGrid[6][6], kDesert);
}

// Every kind of edit marks the map, and undoing it clears the mark again;
// one that changes no tile marks nothing.
TEST_F(SavedState, EveryKindOfEditMarks) {
    const std::pair<const char*, std::function<bool()>> edits[] = {
        {"brush", [this] { return currentTerrain = kDesert, stroke({{3, 3}}), true; }},
        {"bucket", [] { return bucketTool = true, currentTerrain = kLake, leftButtonPressed(), true; }},
        {"bucket, same code", [] { return bucketTool = true, currentTerrain = kSea, leftButtonPressed(), false; }},
        {"whole-map fill", [] { return currentTerrain = kHills, fillTool = true, fillWholeMap(), true; }},
        {"whole-map fill, same code", [] { return currentTerrain = kSea, fillTool = true, fillWholeMap(), false; }},
        {"generation", [] { return runRecordedWholeMapEdit(generateRandomMap); }},
        {"start locations", [] {
             for (int x = 0; x < 100; ++x) std::fill(mapGrid[x], mapGrid[x] + 100, kPlains);
             historyClear();
             return runRecordedWholeMapEdit(generateStartLocations);
         }},
    };
    for (const auto& [name, edit] : edits) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(test::makeTestMap(1, 1, kSea));
        historyClear();
        resetEditingState();
        cursorOnTile(50, 50);
        const bool changes = edit();
        EXPECT_EQ(unsaved(), changes);
        if (!changes) continue;
        ASSERT_TRUE(undoLastEdit());
        EXPECT_FALSE(unsaved());
        ASSERT_TRUE(redoLastEdit());
        EXPECT_TRUE(unsaved());
    }
}

TEST_F(SavedState, ForgottenStepsAndMapsNoFileHolds) {
    currentTerrain = kDesert;
    stroke({{1, 1}});
    markMapSaved();
    stroke({{2, 2}});
    setHistoryMemoryLimit(1);  // only the last edit is kept
    ASSERT_TRUE(undoLastEdit());
    EXPECT_FALSE(unsaved()) << "the saved state outlives the step that led to it";
    // A map read from a file of another name has no saved state to return to.
    markMapUnsaved();
    stroke({{3, 3}});
    ASSERT_TRUE(undoLastEdit());
    EXPECT_TRUE(unsaved());
    historyClear();  // a new map
    EXPECT_FALSE(unsaved());
}

}  // namespace
}  // namespace pelorn
