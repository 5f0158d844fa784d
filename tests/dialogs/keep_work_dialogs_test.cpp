// What the dialogs do with unsaved edits: "New Map", "Open Map" and
// "Generate Terrain" write them to a recovery copy first, a copy that
// cannot be written keeps the map, and a recovery copy opens by its name.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "dialogs/generate_terrain_dialog.h"
#include "dialogs/map_dialogs.h"
#include "dialogs/start_locations_dialog.h"
#include "editing/unsaved_work.h"
#include "files/files_fixture.h"
#include "files/map_file.h"
#include "files/recovery_file.h"
#include "support/program_fixture.h"
#include "working_folder.h"

namespace pelorn {
namespace {

using testing_files::folderEntries;

std::string fileBytes(const std::string& path) { return testing_files::readBytes(path); }

class KeepWorkDialogs : public test::ProgramTest {
protected:
    void SetUp() override { makeMap(2, 1, kPlains); }

    // One painted tile, as the brush records it.
    void paint(int x, int y, TerrainCode code) {
        document.history.recordTile(x, y, mapGrid[x][y], code);
        mapGrid[x][y] = code;
        document.history.endEdit();
    }
    bool hasUnsavedEdits() const { return document.history.hasUnsavedEdits(); }
    std::string mapText() const { return mapFileText(map); }
    std::string generate(std::string_view seedText = "", Symmetry symmetry = Symmetry::kNone) {
        return applyGenerateTerrain(context, generateTerrainInitialTexts(generatorParameters), seedText, symmetry);
    }

    test::WorkingFolder folder;
};

TEST_F(KeepWorkDialogs, NewMapKeepsThePaintedTilesInACopyThatOpensByName) {
    currentMapName = "Two Words";
    paint(3, 4, kHills);
    paint(150, 99, kSea);
    const std::string painted = mapText();
    ASSERT_TRUE(applyNewMap(editor, "Next", "1", "1"));
    EXPECT_EQ(fileBytes("Recovery-1.map"), painted);
    EXPECT_FALSE(hasUnsavedEdits());
    EXPECT_EQ(currentMapName, "Next");

    ASSERT_TRUE(applyOpenMap(editor, "Recovery-1"));
    EXPECT_EQ(currentMapName, "Two Words");
    EXPECT_EQ(mapText(), painted);
    EXPECT_TRUE(hasUnsavedEdits()) << "\"Two Words.map\" does not hold it";
    EXPECT_EQ(folderEntries("."), std::vector<std::string>{"Recovery-1.map"});
}

TEST_F(KeepWorkDialogs, OpenMapOfAMissingNameFallsBackOnlyAfterTheCopy) {
    paint(5, 5, kHills);
    const std::string painted = mapText();
    ASSERT_TRUE(applyOpenMap(editor, "Missing"));
    EXPECT_EQ(fileBytes("Recovery-1.map"), painted);
    EXPECT_EQ(currentMapName, "Untitled");
    EXPECT_EQ(mapGrid[5][5], kVoid);
    EXPECT_FALSE(hasUnsavedEdits());
}

// The user's own map file is written by Ctrl+S and Save As alone.
TEST_F(KeepWorkDialogs, TheUsersMapFileIsTouchedOnlyBySaving) {
    currentMapName = "Mine";
    ASSERT_TRUE(saveMap(editor));
    const std::string saved = fileBytes("Mine.map");
    paint(1, 1, kHills);
    autosaveUnsavedWork(editor);
    ASSERT_TRUE(applyNewMap(editor, "Mine", "1", "1"));  // the same name: still only in memory
    paint(2, 2, kDesert);
    ASSERT_TRUE(applyOpenMap(editor, "Mine"));
    EXPECT_EQ(fileBytes("Mine.map"), saved);
    EXPECT_EQ(folderEntries("."), (std::vector<std::string>{"Mine.map", "Recovery-1.map", "Recovery-2.map"}));
    paint(3, 3, kSea);
    ASSERT_TRUE(applySaveAsMap(editor, "Mine"));
    EXPECT_NE(fileBytes("Mine.map"), saved);
    EXPECT_FALSE(hasUnsavedEdits());
}

// With no copy to be had, New and Open change nothing and the status line
// says the map is not saved; a world is still made, its map kept by undo.
TEST_F(KeepWorkDialogs, WithoutACopyTheMapStays) {
    for (int copy = 1; copy <= kRecoveryCopies; ++copy) {
        std::filesystem::create_directory(recoveryMapName(copy) + ".map");
    }
    paint(7, 7, kHills);
    const std::string painted = mapText();
    autosaveUnsavedWork(editor);
    EXPECT_FALSE(document.mapSaveFailed) << "the autosave does not speak of the map's own file";
    EXPECT_FALSE(applyNewMap(editor, "Next", "1", "1"));
    EXPECT_FALSE(applyOpenMap(editor, "Other"));
    EXPECT_EQ(mapText(), painted);
    EXPECT_TRUE(document.mapSaveFailed);
    EXPECT_TRUE(hasUnsavedEdits());
    generate();
    EXPECT_NE(mapText(), painted);
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(mapText(), painted);
}

TEST_F(KeepWorkDialogs, AWorldAndStartLocationsMarkTheMapAndOnlyTheWorldKeepsACopy) {
    applyStartLocations(context, "100", PlayersFieldTexts{"0", "0", "3"}, "");
    EXPECT_TRUE(hasUnsavedEdits());
    EXPECT_TRUE(folderEntries(".").empty());
    const std::string before = mapText();
    // As the window's OK makes it: from a seed, with a symmetry.
    ASSERT_EQ(generate("3", Symmetry::kCopies2), "");
    EXPECT_EQ(fileBytes("Recovery-1.map"), before);
    EXPECT_TRUE(hasUnsavedEdits());
    ASSERT_TRUE(applySaveAsMap(editor, "World"));
    EXPECT_FALSE(hasUnsavedEdits());
    random.seed(4);
    generate();  // a saved map needs no copy
    EXPECT_EQ(folderEntries("."), (std::vector<std::string>{"Recovery-1.map", "World.map"}));
    EXPECT_TRUE(hasUnsavedEdits());
}

}  // namespace
}  // namespace pelorn
