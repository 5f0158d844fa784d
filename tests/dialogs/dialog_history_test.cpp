// How the dialogs meet the undo history: a generation or a start-location run
// is one undoable edit; a new or opened map starts a fresh history.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/generate_terrain_dialog.h"
#include "dialogs/map_dialogs.h"
#include "dialogs/start_locations_dialog.h"
#include "editing/history.h"
#include "files/map_file.h"
#include "generator/parameters.h"
#include "generator/random.h"
#include "map/map_grid.h"
#include "support/fresh_state.h"
#include "support/recording_seam.h"
#include "working_folder.h"

namespace pelorn {
namespace {

std::vector<TerrainCode> tiles() {
    std::vector<TerrainCode> all;
    for (int x = 0; x < mapWidth(); ++x)
        for (int y = 0; y < mapHeight(); ++y) all.push_back(mapGrid[x][y]);
    return all;
}

class DialogHistory : public test::FreshStateTest {
protected:
    void SetUp() override {
        FreshStateTest::SetUp();
        quadCountX = 2;
        ASSERT_TRUE(allocateMapGrid());
        for (int x = 0; x < 200; ++x)
            for (int y = 0; y < 100; ++y) mapGrid[x][y] = (x + y) % 3 == 0 ? 3 : 2;
        mapGrid[50][50] = 52;  // placed by hand
    }
    test::RecordingSeam seam;
};

TEST_F(DialogHistory, StartLocationRunIsOneUndoableEdit) {
    const auto before = tiles();
    seedRandom(9);
    applyStartLocations("300");
    const auto after = tiles();
    ASSERT_NE(after, before);
    EXPECT_EQ(mapGrid[50][50], 3) << "the hand-placed one was cleared";
    ASSERT_TRUE(undoLastEdit());
    EXPECT_EQ(tiles(), before);
    EXPECT_FALSE(canUndo());
    ASSERT_TRUE(redoLastEdit());
    EXPECT_EQ(tiles(), after);
}

TEST_F(DialogHistory, GenerationIsOneUndoableEdit) {
    const auto before = tiles();
    seedRandom(4);
    applyGenerateTerrain(generateTerrainInitialTexts());
    const auto generated = tiles();
    ASSERT_NE(generated, before);
    ASSERT_TRUE(undoLastEdit());
    EXPECT_EQ(tiles(), before);
    EXPECT_FALSE(canUndo());
    ASSERT_TRUE(redoLastEdit());
    EXPECT_EQ(tiles(), generated);
}

TEST_F(DialogHistory, NewMapStartsAFreshHistoryUnlessRefused) {
    applyStartLocations("100");
    ASSERT_TRUE(canUndo());
    EXPECT_FALSE(applyNewMap("Huge", "200", "1"));
    EXPECT_TRUE(canUndo()) << "a refused New Map changes nothing";
    EXPECT_TRUE(applyNewMap("Fresh", "1", "1"));
    EXPECT_FALSE(canUndo());
    EXPECT_FALSE(undoLastEdit());
    EXPECT_EQ(quadCountX, 1);
}

TEST_F(DialogHistory, OpenMapStartsAFreshHistory) {
    const test::WorkingFolder folder;
    currentMapName = "Saved";
    ASSERT_TRUE(saveMapFile());
    applyStartLocations("100");
    ASSERT_TRUE(canUndo());
    applyOpenMap("Saved");
    EXPECT_FALSE(canUndo());
    EXPECT_EQ(mapGrid[50][50], 52);
}

}  // namespace
}  // namespace pelorn
