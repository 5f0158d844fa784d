// Saves that show their outcome, and recovery copies written only for
// unsaved edits: before the map is dropped, and by the autosave.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editing/unsaved_work.h"
#include "files/files_fixture.h"
#include "files/map_file.h"
#include "files/recovery_file.h"
#include "map/history.h"
#include "map/save_state.h"
#include "support/recording_seam.h"
#include "view/map_view.h"

namespace pelorn {
namespace {

using testing_files::folderEntries;
using testing_files::readBytes;
using testing_files::writeBytes;

class UnsavedWork : public testing_files::FilesTest {
protected:
    void SetUp() override {
        FilesTest::SetUp();
        makeMap(1, 1);
    }

    // One edit, as the brush records it.
    static void edit(int x, TerrainCode code) {
        historyRecordTile(x, 0, mapGrid[x][0], code);
        mapGrid[x][0] = code;
        historyEndEdit();
    }

    // The tiles (x, 0) for x 0..9 of a one-quad map file, read from its lines
    // (tile (x, 0) is line 6 + 100 x), so that the map in memory stays.
    static std::vector<TerrainCode> firstTiles(const std::string& path) {
        const std::string bytes = readBytes(path);
        std::vector<std::string> lines;
        for (std::size_t start = 0;;) {
            const std::size_t end = bytes.find("\r\n", start);
            lines.push_back(bytes.substr(start, end - start));
            if (end == std::string::npos) break;
            start = end + 2;
        }
        std::vector<TerrainCode> tiles;
        for (std::size_t x = 0; x < 10; ++x)
            tiles.push_back(lines.size() == 10005 ? std::stoi(lines[5 + 100 * x]) : -1);
        return tiles;
    }

    static std::vector<TerrainCode> tilesWith(std::initializer_list<std::pair<int, TerrainCode>> set) {
        std::vector<TerrainCode> tiles(10, 0);
        for (auto [x, code] : set) tiles[x] = code;
        return tiles;
    }

    test::RecordingSeam seam;
};

TEST_F(UnsavedWork, AFailedSaveShowsUntilASaveSucceedsAndKeepsTheMark) {
    writeBytes("Untitled.map", "protected");
    std::filesystem::permissions("Untitled.map", std::filesystem::perms::owner_read);
    edit(1, kHills);
    EXPECT_EQ(mapCaptionText(), "Untitled.map *");
    EXPECT_FALSE(saveMap());
    EXPECT_TRUE(mapSaveFailed);
    EXPECT_TRUE(hasUnsavedEdits());
    EXPECT_EQ(mapCaptionText(), "Untitled.map * not saved");
    EXPECT_EQ(readBytes("Untitled.map"), "protected");
    const std::size_t repaints = seam.captionRepaints.size();
    EXPECT_FALSE(saveMap());
    EXPECT_EQ(seam.captionRepaints.size(), repaints) << "nothing new to show";
    // Undoing back to the state last opened: nothing unsaved, the failure still shown.
    ASSERT_TRUE(undoLastEdit());
    EXPECT_EQ(mapCaptionText(), "Untitled.map not saved");
    std::filesystem::permissions("Untitled.map", std::filesystem::perms::owner_all);
    EXPECT_TRUE(saveMap());
    EXPECT_FALSE(mapSaveFailed);
    EXPECT_EQ(mapCaptionText(), "Untitled.map");
    EXPECT_EQ(readBytes("Untitled.map"), mapFileText());
    EXPECT_EQ(seam.captionRepaints.size(), repaints + 2);
}

TEST_F(UnsavedWork, NothingIsWrittenForAMapWithoutUnsavedEdits) {
    EXPECT_TRUE(keepUnsavedWork());
    autosaveUnsavedWork();
    edit(1, kHills);
    ASSERT_TRUE(undoLastEdit());
    EXPECT_TRUE(keepUnsavedWork());
    autosaveUnsavedWork();
    edit(2, kHills);
    ASSERT_TRUE(saveMap());
    EXPECT_TRUE(keepUnsavedWork());
    autosaveUnsavedWork();
    EXPECT_EQ(folderEntries("."), std::vector<std::string>{"Untitled.map"});
}

// Before the map is dropped, its unsaved edits go to a copy of their own;
// asked again before anything changed, nothing more is written.
TEST_F(UnsavedWork, KeepingWritesACopyThatTheNextOneDoesNotReplace) {
    edit(1, kHills);
    EXPECT_TRUE(keepUnsavedWork());
    EXPECT_TRUE(keepUnsavedWork());
    EXPECT_EQ(folderEntries("."), std::vector<std::string>{"Recovery-1.map"});
    edit(2, kDesert);
    EXPECT_TRUE(keepUnsavedWork());
    EXPECT_EQ(firstTiles("Recovery-1.map"), tilesWith({{1, kHills}, {2, kDesert}}));
    EXPECT_EQ(firstTiles("Recovery-2.map"), tilesWith({{1, kHills}}));
    EXPECT_FALSE(mapSaveFailed);
}

TEST_F(UnsavedWork, TheAutosaveBringsThisSessionsCopyUpToDate) {
    edit(1, kHills);
    autosaveUnsavedWork();
    edit(2, kDesert);
    autosaveUnsavedWork();
    EXPECT_EQ(folderEntries("."), std::vector<std::string>{"Recovery-1.map"});
    EXPECT_EQ(firstTiles("Recovery-1.map"), tilesWith({{1, kHills}, {2, kDesert}}));
    // Without a change since, the copy is not written again.
    std::filesystem::remove("Recovery-1.map");
    autosaveUnsavedWork();
    EXPECT_TRUE(folderEntries(".").empty());
    // The copy kept before the map was dropped stays; the next is a new one.
    edit(3, kSea);
    EXPECT_TRUE(keepUnsavedWork());
    edit(4, kLake);
    autosaveUnsavedWork();
    EXPECT_EQ(firstTiles("Recovery-2.map"), tilesWith({{1, kHills}, {2, kDesert}, {3, kSea}}));
    EXPECT_EQ(firstTiles("Recovery-1.map"), tilesWith({{1, kHills}, {2, kDesert}, {3, kSea}, {4, kLake}}));
}

TEST_F(UnsavedWork, ACopyThatCannotBeWrittenSaysNotSaved) {
    for (int copy = 1; copy <= kRecoveryCopies; ++copy) {
        const std::string name = recoveryMapName(copy);
        writeBytes(name + ".map", "*MapInfo*\r\n" + name + "\r\n01\r\n01\r\n*MapTiles*");
    }
    edit(1, kHills);
    autosaveUnsavedWork();
    EXPECT_FALSE(mapSaveFailed) << "the autosave does not speak of the map's own file";
    EXPECT_FALSE(keepUnsavedWork());
    EXPECT_TRUE(mapSaveFailed);
    EXPECT_EQ(mapCaptionText(), "Untitled.map * not saved");
    EXPECT_EQ(folderEntries(".").size(), 5u);
}

// A map that replaced the one in memory starts saved, unless its file was
// not the file of its name.
TEST_F(UnsavedWork, AReplacedMapStartsFreshAndSavedUnderItsOwnName) {
    edit(1, kHills);
    ASSERT_TRUE(keepUnsavedWork());
    mapSaveFailed = true;
    currentMapName = "Recovery-1";
    openCurrentMap();
    EXPECT_EQ(currentMapName, "Untitled");
    EXPECT_EQ(mapGrid[1][0], kHills);
    EXPECT_TRUE(hasUnsavedEdits()) << "Untitled.map does not hold it";
    EXPECT_FALSE(mapSaveFailed);
    EXPECT_FALSE(canUndo());
    ASSERT_TRUE(saveMap());
    currentMapName = "Untitled";
    openCurrentMap();
    EXPECT_FALSE(hasUnsavedEdits());
    currentMapName = "Missing";  // Untitled.map stands in
    openCurrentMap();
    EXPECT_FALSE(hasUnsavedEdits());
    std::filesystem::remove("Untitled.map");
    currentMapName = "Missing";
    openCurrentMap();  // the empty map
    EXPECT_FALSE(hasUnsavedEdits());
    EXPECT_EQ(mapCaptionText(), "Untitled.map");
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
