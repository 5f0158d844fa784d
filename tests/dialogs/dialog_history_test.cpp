// How the dialogs meet the undo history: a generation or a start-location run
// is one undoable edit; a new or opened map starts a fresh history.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/generate_terrain_dialog.h"
#include "dialogs/map_dialogs.h"
#include "dialogs/start_locations_dialog.h"
#include "files/map_file.h"
#include "support/program_fixture.h"
#include "working_folder.h"

namespace pelorn {
namespace {

const PlayersFieldTexts kRandomTries{"0", "0", "3"};

class DialogHistory : public test::ProgramTest {
protected:
    void SetUp() override {
        makeMap(2, 1);
        for (int x = 0; x < 200; ++x)
            for (int y = 0; y < 100; ++y) mapGrid[x][y] = (x + y) % 3 == 0 ? 3 : 2;
        mapGrid[50][50] = 52;  // placed by hand
    }
    bool canUndo() const { return document.history.canUndo(); }
    void placeStarts(const char* tries) { applyStartLocations(context, tries, kRandomTries, ""); }

    test::WorkingFolder folder;  // the start locations go to a recovery copy
};

TEST_F(DialogHistory, StartLocationRunIsOneUndoableEdit) {
    const auto before = tiles();
    random.seed(9);
    placeStarts("300");
    const auto after = tiles();
    ASSERT_NE(after, before);
    EXPECT_EQ(mapGrid[50][50], 3) << "the hand-placed one was cleared";
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(tiles(), before);
    EXPECT_FALSE(canUndo());
    ASSERT_TRUE(editor.redo());
    EXPECT_EQ(tiles(), after);
}

TEST_F(DialogHistory, GenerationIsOneUndoableEdit) {
    const auto before = tiles();
    random.seed(4);
    applyGenerateTerrain(context, generateTerrainInitialTexts(generatorParameters), "", Symmetry::kNone);
    const auto generated = tiles();
    ASSERT_NE(generated, before);
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(tiles(), before);
    EXPECT_FALSE(canUndo());
    ASSERT_TRUE(editor.redo());
    EXPECT_EQ(tiles(), generated);
}

TEST_F(DialogHistory, NewMapStartsAFreshHistoryUnlessRefused) {
    placeStarts("100");
    ASSERT_TRUE(canUndo());
    EXPECT_FALSE(applyNewMap(editor, "Huge", "200", "1"));
    EXPECT_TRUE(canUndo()) << "a refused New Map changes nothing";
    EXPECT_TRUE(applyNewMap(editor, "Fresh", "1", "1"));
    EXPECT_FALSE(canUndo());
    EXPECT_FALSE(editor.undo());
    EXPECT_EQ(quadCountX, 1);
}

TEST_F(DialogHistory, OpenMapStartsAFreshHistory) {
    currentMapName = "Saved";
    ASSERT_TRUE(saveMapFile(map));
    placeStarts("100");
    ASSERT_TRUE(canUndo());
    applyOpenMap(editor, "Saved");
    EXPECT_FALSE(canUndo());
    EXPECT_EQ(mapGrid[50][50], 52);
}

}  // namespace
}  // namespace pelorn
