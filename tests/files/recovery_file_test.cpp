// Recovery copies: their names, how they are told from the user's own files,
// and how the newest takes number 1 while the fifth goes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/map_file.h"
#include "files/map_name.h"
#include "files/recovery_file.h"
#include "files_fixture.h"

namespace pelorn {
namespace {

using testing_files::FilesTest;
using testing_files::folderEntries;
using testing_files::readBytes;
using testing_files::writeBytes;

class RecoveryFile : public FilesTest {
protected:
    // A one-quad map told apart by the code of tile (0, 0).
    void makeMarkedMap(const std::string& name, TerrainCode mark) {
        makeMap(1, 1, name);
        mapGrid[0][0] = mark;
    }

    // The mark of the map a recovery copy holds, and the name on its line 2.
    static std::pair<std::string, TerrainCode> copyOf(int copy) {
        const std::string bytes = readBytes(recoveryMapName(copy) + ".map");
        if (bytes.empty()) return {"", -1};
        const ParsedMap parsed = parseMapText(bytes);
        return {parsed.name.value_or(""), parsed.grid ? parsed.grid.columns()[0][0] : -1};
    }

    // A map file the user saved under a recovery name: it holds its own name.
    static std::string userFile(const std::string& name) {
        return "*MapInfo*\r\n" + name + "\r\n01\r\n01\r\n*MapTiles*\r\n07";
    }
};

TEST_F(RecoveryFile, NamesAreShortSafeAndNumberedFromOne) {
    for (int copy = 1; copy <= kRecoveryCopies; ++copy) {
        const std::string name = recoveryMapName(copy);
        EXPECT_EQ(name, "Recovery-" + std::to_string(copy));
        EXPECT_TRUE(isSafeMapName(name));
        EXPECT_LE(name.size(), 15u) << "typed into Open Map, which reads 15 characters";
    }
}

TEST_F(RecoveryFile, ACopyIsTheMapFileOfTheMapUnderAnotherName) {
    makeMarkedMap("Two Words", 21);
    mapGrid[99][99] = 55;
    ASSERT_EQ(writeNewRecoveryCopy(map), 1);
    EXPECT_EQ(readBytes("Recovery-1.map"), mapFileText(map));
    EXPECT_EQ(folderEntries("."), std::vector<std::string>{"Recovery-1.map"});
    EXPECT_TRUE(isRecoveryCopy("Recovery-1"));
    // Opened by its name, the map comes back under its own.
    makeMap(2, 1, "Other");
    currentMapName = "Recovery-1";
    EXPECT_EQ(openMapFile(map), "Recovery-1");
    EXPECT_EQ(currentMapName, "Two Words");
    EXPECT_EQ(mapGrid[0][0], 21);
    EXPECT_EQ(mapGrid[99][99], 55);
}

TEST_F(RecoveryFile, OnlyAMapFileNamingAnotherMapIsACopy) {
    writeBytes("Recovery-1.map", userFile("Recovery-1"));      // saved by the user under that name
    writeBytes("Recovery-2.map", userFile("Hills"));           // a copy of "Hills"
    writeBytes("Recovery-3.map", "junk\r\nHills\r\n01\r\n01");  // not a map file of this program
    writeBytes("Recovery-4.map", "*MapInfo* Hills 01 01 *MapTiles*");
    writeBytes("Recovery-5.map", userFile("AUX"));             // no safe name on line 2
    std::filesystem::create_directory("Recovery-6.map");
    EXPECT_FALSE(isRecoveryCopy("Recovery-1"));
    EXPECT_TRUE(isRecoveryCopy("Recovery-2"));
    EXPECT_FALSE(isRecoveryCopy("Recovery-3"));
    EXPECT_FALSE(isRecoveryCopy("Recovery-4"));
    EXPECT_FALSE(isRecoveryCopy("Recovery-5"));
    EXPECT_FALSE(isRecoveryCopy("Recovery-6"));
    EXPECT_FALSE(isRecoveryCopy("Recovery-7"));  // no file
}

TEST_F(RecoveryFile, TheNewestIsOneAndTheFifthGoes) {
    for (TerrainCode mark = 1; mark <= 7; ++mark) {
        makeMarkedMap("Map", mark);
        ASSERT_EQ(writeNewRecoveryCopy(map), 1);
    }
    EXPECT_EQ(folderEntries("."), (std::vector<std::string>{"Recovery-1.map", "Recovery-2.map", "Recovery-3.map",
                                                            "Recovery-4.map", "Recovery-5.map"}));
    for (int copy = 1; copy <= 5; ++copy) EXPECT_EQ(copyOf(copy).second, 8 - copy) << copy;
    // A copy the user deleted leaves a gap, which stops the move there.
    std::filesystem::remove("Recovery-3.map");
    makeMarkedMap("Map", 8);
    ASSERT_EQ(writeNewRecoveryCopy(map), 1);
    const TerrainCode marks[] = {8, 7, 6, 4, 3};
    for (int copy = 1; copy <= 5; ++copy) EXPECT_EQ(copyOf(copy).second, marks[copy - 1]) << copy;
}

// The user's own files under recovery names are never replaced, moved or
// deleted; the copies go round them.
TEST_F(RecoveryFile, TheUsersOwnFilesArePassedOver) {
    writeBytes("Recovery-2.map", userFile("Recovery-2"));
    writeBytes("Recovery-4.map", userFile("Recovery-4"));
    for (TerrainCode mark = 1; mark <= 5; ++mark) {
        makeMarkedMap("Map", mark);
        ASSERT_EQ(writeNewRecoveryCopy(map), 1);
    }
    EXPECT_EQ(readBytes("Recovery-2.map"), userFile("Recovery-2"));
    EXPECT_EQ(readBytes("Recovery-4.map"), userFile("Recovery-4"));
    EXPECT_EQ(copyOf(1).second, 5);
    EXPECT_EQ(copyOf(3).second, 4);
    EXPECT_EQ(copyOf(5).second, 3);
    EXPECT_EQ(folderEntries(".").size(), 5u);

    // The map's own name is not taken either: its file is the user's to save.
    makeMarkedMap("Recovery-1", 9);
    EXPECT_EQ(writeNewRecoveryCopy(map), 3);
    EXPECT_EQ(copyOf(3), std::make_pair(std::string("Recovery-1"), 9));
    EXPECT_EQ(copyOf(5).second, 4);
    EXPECT_FALSE(rewriteRecoveryCopy(map, 1));
    EXPECT_EQ(copyOf(1).second, 5);

    // Every number held by the user's files: no copy, nothing touched.
    for (int copy : {1, 3, 5}) writeBytes(recoveryMapName(copy) + ".map", userFile(recoveryMapName(copy)));
    const std::vector<std::string> before = folderEntries(".");
    makeMarkedMap("Map", 10);
    EXPECT_EQ(writeNewRecoveryCopy(map), 0);
    EXPECT_EQ(folderEntries("."), before);
    for (int copy = 1; copy <= 5; ++copy)
        EXPECT_EQ(readBytes(recoveryMapName(copy) + ".map"), userFile(recoveryMapName(copy)));
}

TEST_F(RecoveryFile, RewritingBringsOnlyACopyUpToDate) {
    makeMarkedMap("Map", 1);
    ASSERT_EQ(writeNewRecoveryCopy(map), 1);
    mapGrid[0][0] = 2;
    EXPECT_TRUE(rewriteRecoveryCopy(map, 1));
    EXPECT_EQ(copyOf(1).second, 2);
    EXPECT_FALSE(std::filesystem::exists("Recovery-2.map"));
    EXPECT_FALSE(rewriteRecoveryCopy(map, 2)) << "no file";
    writeBytes("Recovery-2.map", userFile("Recovery-2"));
    EXPECT_FALSE(rewriteRecoveryCopy(map, 2)) << "the user's file";
    EXPECT_EQ(readBytes("Recovery-2.map"), userFile("Recovery-2"));
    EXPECT_FALSE(rewriteRecoveryCopy(map, 0));
    EXPECT_FALSE(rewriteRecoveryCopy(map, 6));
    freeMapGrid(map);
    EXPECT_FALSE(rewriteRecoveryCopy(map, 1));
    EXPECT_EQ(writeNewRecoveryCopy(map), 0);
    EXPECT_EQ(copyOf(1).second, 2);
}

}  // namespace
}  // namespace pelorn
