// Recovery copies: a folder of their own, one file per copy that no other
// run takes, and deletion only of old copies of runs that ended.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "files/map_file.h"
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
    static TerrainCode markOf(const std::string& path) {
        const ParsedMap parsed = parseMapText(readBytes(path));
        return parsed.grid ? parsed.grid.columns()[0][0] : -1;
    }
};

TEST_F(RecoveryFile, OnlyNamesOfTheCopyPatternAreCopies) {
    const struct {
        const char* name;
        bool copy;
        const char* run;
    } cases[] = {
        {"5f3a01bc-00001c2f-1.map", true, "5f3a01bc-00001c2f"},
        {"0-0-12.map", true, "0-0"},
        {"Recovery-1.map", false, ""},   // a name the user can type
        {"5F3A-1c-2.map", false, ""},    // capital letters: not ours
        {"5f3a-1c-x.map", false, ""},
        {"5f3a-1c-2.map.~12-1.tmp", false, ""},  // the writer's temporary
        {"5f3a-1c-2-3.map", false, ""},
        {"5f3a-1c.run", false, ""},
        {"11111111111111111-1-1.map", false, ""},  // 17 digits
    };
    for (const auto& c : cases) {
        std::string run;
        EXPECT_EQ(isRecoveryCopyFileName(c.name, &run), c.copy) << c.name;
        EXPECT_EQ(run, c.run) << c.name;
    }
}

// Two editors in one folder: each run its own id, each map its own file,
// nothing renamed, and nothing of the user's touched.
TEST_F(RecoveryFile, TwoRunsWriteFilesOfTheirOwn) {
    writeBytes("recovery-1.map", "*MapInfo*\r\nrecovery-1\r\n01\r\n01\r\n*MapTiles*");
    RecoveryRun first, second;
    std::vector<std::string> paths;
    for (TerrainCode mark = 1; mark <= 3; ++mark) {
        makeMarkedMap("Map", mark);
        paths.push_back(writeNewRecoveryCopy(first, map));
        makeMarkedMap("Map", mark + 10);
        paths.push_back(writeNewRecoveryCopy(second, map));
    }
    EXPECT_NE(first.id(), second.id());
    EXPECT_EQ(std::set<std::string>(paths.begin(), paths.end()).size(), 6u);
    EXPECT_EQ(paths[0], "Recovery/" + first.id() + "-1.map");
    EXPECT_EQ(paths[5], "Recovery/" + second.id() + "-3.map");
    for (std::size_t i = 0; i < paths.size(); ++i)
        EXPECT_EQ(markOf(paths[i]), static_cast<TerrainCode>(i / 2 + 1 + (i % 2) * 10)) << paths[i];
    // A rewrite brings one copy up to date and no other.
    makeMarkedMap("Map", 30);
    EXPECT_TRUE(rewriteRecoveryCopy(map, paths[0]));
    EXPECT_EQ(markOf(paths[0]), 30);
    EXPECT_EQ(markOf(paths[2]), 2);
    EXPECT_EQ(folderEntries("."), (std::vector<std::string>{"Recovery", "recovery-1.map"}));
    EXPECT_EQ(listRecoveryCopies().size(), 6u);
    EXPECT_EQ(folderEntries("Recovery").size(), 8u) << "six copies and the two runs' files";
}

TEST_F(RecoveryFile, ARunIsLiveWhileItsFileIsHeld) {
    std::string id;
    {
        RecoveryRun run;
        ASSERT_TRUE(run.start());
        id = run.id();
        EXPECT_TRUE(recoveryRunIsLive(id));
    }
    EXPECT_FALSE(recoveryRunIsLive(id));
    EXPECT_FALSE(recoveryRunIsLive("0-0"));
}

// Beyond the 20 newest, copies of runs that ended go; a live run's stay.
TEST_F(RecoveryFile, PruningKeepsTheNewestAndEveryLiveRunsCopies) {
    std::filesystem::create_directory(kRecoveryFolder);
    const auto stamp = [](const std::string& path, int age) {
        std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() - std::chrono::hours(age));
    };
    for (int i = 0; i < 4; ++i) {
        const std::string path = std::string(kRecoveryFolder) + "/00000001-2-" + std::to_string(i + 1) + ".map";
        writeBytes(path, "ended");
        stamp(path, 100 + i);  // older than any other
    }
    writeBytes(std::string(kRecoveryFolder) + "/notes.txt", "the user's");
    RecoveryRun live;
    makeMarkedMap("Map", 1);
    for (int i = 0; i < 19; ++i) stamp(writeNewRecoveryCopy(live, map), 50 - i);
    // Each new copy pruned: the 20th newest is the ended run's first copy,
    // the other three went.
    EXPECT_EQ(pruneRecoveryCopies(), 0);
    const std::vector<RecoveryCopy> copies = listRecoveryCopies();
    ASSERT_EQ(copies.size(), 20u);
    EXPECT_EQ(copies.back().fileName, "00000001-2-1.map");
    // A live run's old copies stay, however many newer ones there are.
    RecoveryRun newer;
    for (int i = 0; i < 21; ++i) writeNewRecoveryCopy(newer, map);
    EXPECT_EQ(listRecoveryCopies().size(), 40u);
    EXPECT_EQ(readBytes(std::string(kRecoveryFolder) + "/notes.txt"), "the user's");
}

TEST_F(RecoveryFile, NoGridOrNoFolderWritesNothing) {
    RecoveryRun run;
    freeMapGrid(map);
    EXPECT_EQ(writeNewRecoveryCopy(run, map), "");
    writeBytes(kRecoveryFolder, "a file where the folder would be");
    makeMarkedMap("Map", 1);
    EXPECT_EQ(writeNewRecoveryCopy(run, map), "");
    EXPECT_EQ(readBytes(kRecoveryFolder), "a file where the folder would be");
}

}  // namespace
}  // namespace pelorn
