// What the dialogs do with unsaved edits: "New Map", "Open Map" and
// "Generate Terrain" write them to a recovery copy first, a copy that
// cannot be written keeps the map, and "Recover" lists, opens and deletes
// the copies.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "dialogs/generate_terrain_dialog.h"
#include "dialogs/map_dialogs.h"
#include "dialogs/recover_dialog.h"
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

    // The texts of the recovery copies, the newest first.
    static std::vector<std::string> copyTexts() {
        std::vector<std::string> texts;
        for (const RecoveryCopy& copy : listRecoveryCopies()) texts.push_back(fileBytes(copy.path));
        return texts;
    }

    test::WorkingFolder folder;
};

TEST_F(KeepWorkDialogs, NewMapKeepsThePaintedTilesInACopyTheRecoverDialogOpens) {
    currentMapName = "Two Words";
    paint(3, 4, kHills);
    paint(150, 99, kSea);
    const std::string painted = mapText();
    ASSERT_TRUE(applyNewMap(editor, "Next", "1", "1"));
    EXPECT_EQ(copyTexts(), std::vector<std::string>{painted});
    EXPECT_FALSE(hasUnsavedEdits());
    EXPECT_EQ(currentMapName, "Next");

    const std::vector<RecoverRow> rows = recoverRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].mapName, "Two Words");
    EXPECT_EQ(rows[0].quadsX * 10 + rows[0].quadsY, 21);
    EXPECT_EQ(recoverRowText(rows[0]).substr(0, 23), "Two Words\t2 x 1 quads\t2");
    EXPECT_EQ(recoverDifferenceText(rows[0]), "No saved Two Words.map");
    ASSERT_TRUE(applyRecoverOpen(editor, rows[0]));
    EXPECT_EQ(currentMapName, "Two Words");
    EXPECT_EQ(mapText(), painted);
    EXPECT_TRUE(hasUnsavedEdits()) << "\"Two Words.map\" does not hold it";
    EXPECT_EQ(folderEntries("."), std::vector<std::string>{"Recovery"});
    ASSERT_TRUE(applyNewMap(editor, "Next", "1", "1"));
    EXPECT_EQ(copyTexts(), std::vector<std::string>{painted}) << "opened and left without an edit: no new copy";
    EXPECT_EQ(recoverDeleteQuestion(recoverRows()[0]).substr(0, 38), "Delete the recovery copy of Two Words ");
    EXPECT_TRUE(applyRecoverDelete(recoverRows()[0]));
    EXPECT_TRUE(copyTexts().empty());
}

// The copy chosen is read before the map in memory is kept, whose new copy
// may prune it (the oldest of 20); a copy that went away holds nothing, and
// leaving the map writes a new one.
TEST_F(KeepWorkDialogs, OpeningTheOldestCopyLosesNeitherItNorTheMapLeft) {
    std::vector<std::string> old;
    for (int i = 1; i <= 20; ++i) {
        makeMap(1, 1, static_cast<TerrainCode>(i));
        old.push_back(mapText());
        const std::string path = std::string(kRecoveryFolder) + "/00000001-2-" + std::to_string(i) + ".map";
        std::filesystem::create_directories(kRecoveryFolder);
        testing_files::writeBytes(path, old.back());
        std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() - std::chrono::hours(i));
    }
    makeMap(2, 1, kPlains);
    paint(3, 4, kHills);
    const std::string painted = mapText();
    ASSERT_TRUE(applyRecoverOpen(editor, recoverRows().back()));
    EXPECT_TRUE(mapText() == old.back()) << "the oldest copy opened";
    ASSERT_TRUE(applyNewMap(editor, "Next", "1", "1"));
    const std::vector<std::string> texts = copyTexts();
    EXPECT_EQ(texts.size(), 20u);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), old.back()), 1) << "the copy opened is in a file";
    EXPECT_EQ(std::count(texts.begin(), texts.end(), painted), 1) << "the map left is in a file";
    // Opened, then pruned by another editor: leaving it writes it anew.
    const RecoverRow oldest = recoverRows().back();
    ASSERT_TRUE(applyRecoverOpen(editor, oldest));
    const std::string opened = mapText();
    std::filesystem::remove(oldest.copy.path);
    ASSERT_TRUE(applyNewMap(editor, "Next", "1", "1"));
    EXPECT_TRUE(copyTexts()[0] == opened) << "the copy opened, written anew";
}

// The open map's own copy deleted in the Recover dialog holds nothing:
// leaving the map writes it again, or the close question is asked.
TEST_F(KeepWorkDialogs, DeletingTheOpenMapsCopyDoesNotLoseTheMap) {
    paint(3, 4, kHills);
    autosaveUnsavedWork(editor);
    ASSERT_TRUE(applyRecoverDelete(recoverRows()[0]));
    EXPECT_TRUE(keepUnsavedWork(editor));
    EXPECT_FALSE(unsavedEditsInNoFile(editor));
    EXPECT_TRUE(copyTexts() == std::vector<std::string>{mapText()}) << "the map left is in a file";
    // Its own copy opened while it has newer edits: the copy brought up to
    // date first is what opens, and what the copy holds.
    paint(5, 5, kSea);
    autosaveUnsavedWork(editor);
    paint(6, 6, kSea);
    const RecoverRow own = recoverRows()[0];
    ASSERT_TRUE(applyRecoverOpen(editor, own));
    EXPECT_EQ(mapGrid[6][6], kSea);
    EXPECT_TRUE(mapText() == fileBytes(own.copy.path));
}

// A damaged copy without a name line opens as "Untitled", never under the
// name of the map left, whose file Ctrl+S would then overwrite.
TEST_F(KeepWorkDialogs, ACopyWithoutANameOpensUntitled) {
    currentMapName = "Mine";
    std::filesystem::create_directories(kRecoveryFolder);
    for (const char* damaged : {"", "*MapInfo*"}) {
        testing_files::writeBytes(std::string(kRecoveryFolder) + "/00000001-2-1.map", damaged);
        ASSERT_TRUE(applyRecoverOpen(editor, recoverRows()[0]));
        EXPECT_EQ(currentMapName, "Untitled") << damaged;
        currentMapName = "Mine";
    }
}

TEST_F(KeepWorkDialogs, TheDifferenceIsCountedAgainstTheSavedMap) {
    currentMapName = "Hills";
    ASSERT_TRUE(saveMap(editor));
    paint(1, 1, kSea);
    paint(199, 99, kSea);
    ASSERT_TRUE(keepUnsavedWork(editor));
    EXPECT_EQ(recoverDifferenceText(recoverRows()[0]), "2 tiles differ from Hills.map");
    paint(1, 1, kPlains);
    paint(199, 99, kPlains);
    autosaveUnsavedWork(editor);
    EXPECT_EQ(recoverDifferenceText(recoverRows()[0]), "No tile differs from Hills.map");
    makeMap(1, 1, kPlains);
    ASSERT_TRUE(saveMapFile(map));
    EXPECT_EQ(recoverDifferenceText(recoverRows()[0]), "Hills.map holds another size");
}

TEST_F(KeepWorkDialogs, OpenMapOfAMissingNameFallsBackAfterTheCopyAndSaysSo) {
    paint(5, 5, kHills);
    const std::string painted = mapText();
    ASSERT_TRUE(applyOpenMap(editor, "Nowhere"));
    EXPECT_EQ(copyTexts(), std::vector<std::string>{painted});
    EXPECT_EQ(currentMapName, "Untitled");
    EXPECT_EQ(mapGrid[5][5], kVoid);
    EXPECT_FALSE(hasUnsavedEdits());
    EXPECT_EQ(screen.noticeText, "Nowhere.map could not be read");
    EXPECT_TRUE(screen.noticeIsFailure);
    std::filesystem::create_directory("Folder.map");
    ASSERT_TRUE(applyOpenMap(editor, "Folder"));
    EXPECT_EQ(screen.noticeText, "Folder.map could not be read");
}

// The user's own map file is written by Ctrl+S and Save As alone, and Save
// As asks before it replaces another map's file.
TEST_F(KeepWorkDialogs, TheUsersMapFileIsTouchedOnlyBySaving) {
    currentMapName = "Mine";
    ASSERT_TRUE(saveMap(editor));
    const std::string saved = fileBytes("Mine.map");
    paint(1, 1, kHills);
    autosaveUnsavedWork(editor);
    EXPECT_FALSE(saveAsReplacesAnotherFile(editor, "mine")) << "the map's own file, in any case";
    EXPECT_FALSE(saveAsReplacesAnotherFile(editor, "Yours"));
    ASSERT_TRUE(applyNewMap(editor, "Mine", "1", "1"));  // the same name: still only in memory
    EXPECT_TRUE(saveAsReplacesAnotherFile(editor, "Mine"));
    EXPECT_EQ(saveAsReplaceQuestion("Mine"), "Mine.map exists. Replace it?");
    paint(2, 2, kDesert);
    ASSERT_TRUE(applyOpenMap(editor, "Mine"));
    EXPECT_EQ(fileBytes("Mine.map"), saved);
    EXPECT_EQ(folderEntries("."), (std::vector<std::string>{"Mine.map", "Recovery"}));
    EXPECT_EQ(copyTexts().size(), 2u);
    paint(3, 3, kSea);
    ASSERT_TRUE(applySaveAsMap(editor, "Mine"));
    EXPECT_NE(fileBytes("Mine.map"), saved);
    EXPECT_FALSE(hasUnsavedEdits());
}

// With no copy to be had, New and Open change nothing and the status line
// says so in red; a world is still made, its map kept by undo.
TEST_F(KeepWorkDialogs, WithoutACopyTheMapStays) {
    testing_files::writeBytes(kRecoveryFolder, "a file where the folder would be");
    paint(7, 7, kHills);
    const std::string painted = mapText();
    autosaveUnsavedWork(editor);
    EXPECT_TRUE(document.mapSaveFailed) << "the autosave says so at once";
    EXPECT_EQ(screen.noticeText, kNoCopyNotice);
    EXPECT_TRUE(screen.noticeIsFailure);
    EXPECT_FALSE(applyNewMap(editor, "Next", "1", "1"));
    EXPECT_FALSE(applyOpenMap(editor, "Other"));
    EXPECT_EQ(mapText(), painted);
    EXPECT_TRUE(hasUnsavedEdits());
    EXPECT_TRUE(unsavedEditsInNoFile(editor)) << "the close question is asked";
    generate();
    EXPECT_NE(mapText(), painted);
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(mapText(), painted);
    // Once a copy can be written the notice goes, and the edits are in a file.
    std::filesystem::remove(kRecoveryFolder);
    EXPECT_TRUE(keepUnsavedWork(editor));
    EXPECT_EQ(screen.noticeText, "");
    EXPECT_FALSE(unsavedEditsInNoFile(editor));
}

TEST_F(KeepWorkDialogs, AWorldAndStartLocationsMarkTheMapAndOnlyTheWorldKeepsACopy) {
    applyStartLocations(context, "100", PlayersFieldTexts{"0", "0", "3"}, "");
    EXPECT_TRUE(hasUnsavedEdits());
    EXPECT_TRUE(folderEntries(".").empty());
    const std::string before = mapText();
    // As the window's OK makes it: from a seed, with a symmetry.
    ASSERT_EQ(generate("3", Symmetry::kCopies2), "");
    EXPECT_EQ(copyTexts(), std::vector<std::string>{before});
    EXPECT_TRUE(hasUnsavedEdits());
    ASSERT_TRUE(applySaveAsMap(editor, "World"));
    EXPECT_FALSE(hasUnsavedEdits());
    random.seed(4);
    generate();  // a saved map needs no copy
    EXPECT_EQ(folderEntries("."), (std::vector<std::string>{"Recovery", "World.map"}));
    EXPECT_EQ(copyTexts().size(), 1u);
    EXPECT_TRUE(hasUnsavedEdits());
}

}  // namespace
}  // namespace pelorn
