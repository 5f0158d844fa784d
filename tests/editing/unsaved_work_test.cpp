// Saves that show their outcome, and recovery copies written only for
// unsaved edits: before the map is dropped, and by the autosave.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editing/unsaved_work.h"
#include "editing/editor.h"
#include "files/files_fixture.h"
#include "files/map_file.h"
#include "files/recovery_file.h"
#include "support/repaint_list.h"
#include "support/test_map.h"
#include "view/map_view.h"

namespace pelorn {
namespace {

using testing_files::folderEntries;
using testing_files::readBytes;
using testing_files::writeBytes;
using Files = std::vector<std::string>;

// The folder fixture's own map is left alone: the document's map is the
// one the editor saves and keeps, under the names the program gives it.
class UnsavedWork : public testing_files::FilesTest {
protected:
    void SetUp() override {
        FilesTest::SetUp();
        ASSERT_TRUE(test::makeTestMap(document.map, 1, 1));
    }

    // One edit as the brush records it; returns the map file it leaves.
    std::string edit(int x, TerrainCode code) {
        document.history.recordTile(x, 0, mapGrid[x][0], code);
        mapGrid[x][0] = code;
        document.history.endEdit();
        editor.showFileMarks();
        return mapFileText(document.map);
    }

    // The texts of the recovery copies, the newest first.
    static Files copyTexts() {
        Files texts;
        for (const RecoveryCopy& copy : listRecoveryCopies()) texts.push_back(readBytes(copy.path));
        return texts;
    }

    std::string captionText() const { return mapCaptionText(document.map, document.marks()); }

    // The caption's repaints asked for so far.
    std::size_t captionRepaints() {
        for (const Repaint& r : editor.takeRepaints()) captionSoFar += test::isCaptionRepaint(r);
        return captionSoFar;
    }

    Document document;
    Editor editor{document};
    MapGrid& mapGrid = document.map.mapGrid;
    std::string& currentMapName = document.map.currentMapName;
    bool& mapSaveFailed = document.mapSaveFailed;
    std::size_t captionSoFar = 0;
};

TEST_F(UnsavedWork, AFailedSaveShowsUntilASaveSucceedsAndKeepsTheMark) {
    writeBytes("Untitled.map", "protected");
    std::filesystem::permissions("Untitled.map", std::filesystem::perms::owner_read);
    edit(1, kHills);
    EXPECT_EQ(captionText(), "Untitled.map *");
    EXPECT_FALSE(saveMap(editor));
    EXPECT_EQ(captionText(), "Untitled.map * not saved");
    EXPECT_EQ(readBytes("Untitled.map"), "protected");
    const std::size_t repaints = captionRepaints();
    EXPECT_FALSE(saveMap(editor));
    EXPECT_EQ(captionRepaints(), repaints) << "nothing new to show";
    ASSERT_TRUE(editor.undo());  // back to the map as opened: the failure stays
    EXPECT_EQ(captionText(), "Untitled.map not saved");
    std::filesystem::permissions("Untitled.map", std::filesystem::perms::owner_all);
    EXPECT_TRUE(saveMap(editor));
    EXPECT_EQ(captionText(), "Untitled.map");
    EXPECT_EQ(readBytes("Untitled.map"), mapFileText(document.map));
    EXPECT_EQ(captionRepaints(), repaints + 2);
}

TEST_F(UnsavedWork, NothingIsWrittenForAMapWithoutUnsavedEdits) {
    EXPECT_TRUE(keepUnsavedWork(editor));
    autosaveUnsavedWork(editor);
    edit(1, kHills);
    ASSERT_TRUE(editor.undo());
    EXPECT_TRUE(keepUnsavedWork(editor));
    autosaveUnsavedWork(editor);
    edit(2, kHills);
    ASSERT_TRUE(saveMap(editor));
    EXPECT_TRUE(keepUnsavedWork(editor));
    autosaveUnsavedWork(editor);
    EXPECT_EQ(folderEntries("."), Files{"Untitled.map"});
}

// The autosave keeps the map's copy up to date; a copy kept before the map
// is dropped stays as it is, and the next one is new.
TEST_F(UnsavedWork, TheAutosaveRefreshesACopyThatKeepingThenLeaves) {
    edit(1, kHills);
    autosaveUnsavedWork(editor);
    const std::string two = edit(2, kDesert);
    autosaveUnsavedWork(editor);
    EXPECT_EQ(folderEntries("."), Files{"Recovery"});
    EXPECT_EQ(copyTexts(), Files{two});
    std::filesystem::remove(listRecoveryCopies()[0].path);
    autosaveUnsavedWork(editor);  // nothing changed since: not written again
    EXPECT_TRUE(copyTexts().empty());

    const std::string three = edit(3, kSea);
    EXPECT_TRUE(keepUnsavedWork(editor));
    EXPECT_TRUE(keepUnsavedWork(editor));  // asked again: nothing more
    EXPECT_EQ(copyTexts(), Files{three});
    const std::string four = edit(4, kLake);
    autosaveUnsavedWork(editor);
    EXPECT_EQ(copyTexts(), (Files{four, three}));
    EXPECT_FALSE(mapSaveFailed);
    EXPECT_EQ(editor.screen.noticeText, "");
}

// A map that replaced the one in memory starts fresh, and saved unless its
// file was not the file of its name; a recovery copy opens unsaved under its
// map's name, and leaving it without an edit writes nothing.
TEST_F(UnsavedWork, AReplacedMapIsSavedWhenItsNamesFileHoldsIt) {
    edit(1, kHills);
    const std::string kept = mapFileText(document.map);
    ASSERT_TRUE(keepUnsavedWork(editor));
    const std::string copy = listRecoveryCopies()[0].path;
    mapSaveFailed = true;
    currentMapName = "Other";
    ASSERT_TRUE(openRecoveryCopy(editor, copy));
    EXPECT_EQ(currentMapName, "Untitled");
    EXPECT_EQ(mapGrid[1][0], kHills);
    EXPECT_TRUE(document.history.hasUnsavedEdits()) << "Untitled.map does not hold it";
    EXPECT_FALSE(mapSaveFailed);
    EXPECT_FALSE(document.history.canUndo());
    const std::string edited = edit(2, kSea);
    autosaveUnsavedWork(editor);
    EXPECT_EQ(copyTexts(), (Files{edited, kept})) << "an edit goes to a copy of its own";
    EXPECT_FALSE(openRecoveryCopy(editor, "Recovery/none-1.map"));
    EXPECT_TRUE(editor.screen.noticeIsFailure);

    ASSERT_TRUE(saveMap(editor));
    for (bool withFile : {true, false}) {
        if (!withFile) std::filesystem::remove("Untitled.map");
        currentMapName = "Missing";  // Untitled.map stands in, or else an empty map
        EXPECT_FALSE(openCurrentMap(editor));
        EXPECT_FALSE(document.history.hasUnsavedEdits());
        EXPECT_EQ(mapGrid[1][0], withFile ? kHills : kVoid);
        EXPECT_EQ(document.sourceName, withFile ? "Untitled" : "");
    }
    currentMapName = "Untitled";
    ASSERT_TRUE(saveMap(editor));
    EXPECT_TRUE(openCurrentMap(editor));
}

TEST_F(UnsavedWork, TheAutosaveIntervalIsTwoMinutesUnlessATestSetsIt) {
    EXPECT_EQ(kAutosaveIntervalMs, 120000u);
    const std::pair<const char*, unsigned> cases[] = {
        {nullptr, 120000}, {"", 120000}, {"1500", 1500}, {" 100 ", 100}, {"99", 120000}, {"0", 120000},
        {"-5", 120000}, {"120000", 120000}, {"120001", 120000}, {"2s", 120000}, {"15 00", 120000},
        {"99999999999", 120000},
    };
    for (const auto& [text, interval] : cases) EXPECT_EQ(autosaveIntervalMs(text), interval) << (text ? text : "null");
}

}  // namespace
}  // namespace pelorn
