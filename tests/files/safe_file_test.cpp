#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

#include "files/bitmap_file.h"
#include "files/map_file.h"
#include "files/safe_file.h"
#include "files/settings_file.h"
#include "files_fixture.h"

namespace pelorn {
namespace {

namespace fs = std::filesystem;
using testing_files::FilesTest;
using testing_files::folderEntries;
using testing_files::readBytes;
using testing_files::writeBytes;

class SafeFile : public FilesTest {};

TEST_F(SafeFile, WritesExactlyTheBytesAndReplacesTheOldFile) {
    const std::string bytes("line\r\nwith\0nul\xff", 15);
    ASSERT_TRUE(writeFileSafely("out.dat", bytes));
    EXPECT_EQ(readBytes("out.dat"), bytes);
    ASSERT_TRUE(writeFileSafely("out.dat", "short"));
    EXPECT_EQ(readBytes("out.dat"), "short");
    ASSERT_TRUE(writeFileSafely("out.dat", ""));
    EXPECT_EQ(readBytes("out.dat"), "");
    EXPECT_EQ(folderEntries("."), std::vector<std::string>{"out.dat"});
}

TEST_F(SafeFile, WritesIntoAnotherFolderByItsPath) {
    fs::create_directory("sub");
    ASSERT_TRUE(writeFileSafely("sub/a.txt", "abc"));
    ASSERT_TRUE(writeFileSafely((folder_ / "b.txt").string(), "def"));
    EXPECT_EQ(readBytes("sub/a.txt"), "abc");
    EXPECT_EQ(readBytes("b.txt"), "def");
    EXPECT_EQ(folderEntries("sub"), std::vector<std::string>{"a.txt"});
}

TEST_F(SafeFile, ReadOnlyFolderKeepsTheOldFile) {
    fs::create_directory("locked");
    writeBytes("locked/map.map", "old");
    fs::permissions("locked", fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                  fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    // Root (and some file systems) ignore the mode bits: nothing to test there.
    if (::access("locked", W_OK) == 0) {
        fs::permissions("locked", fs::perms::owner_all, fs::perm_options::add);
        GTEST_SKIP() << "the folder stays writable after chmod 555 (running as root?)";
    }
    EXPECT_FALSE(writeFileSafely("locked/map.map", "new contents"));
    EXPECT_EQ(readBytes("locked/map.map"), "old");
    EXPECT_EQ(folderEntries("locked"), std::vector<std::string>{"map.map"});
    fs::permissions("locked", fs::perms::owner_all, fs::perm_options::add);
}

TEST_F(SafeFile, EverySaverKeepsItsOldFileInAReadOnlyFolder) {
    makeMap(1, 1, "World");
    ASSERT_TRUE(saveMapFile());
    ASSERT_TRUE(saveMapBitmap());
    ASSERT_TRUE(writeSettingsFile());
    const std::string map = readBytes("World.map");
    const std::string bitmap = readBytes("World.bmp");
    const std::string settings = readBytes("appdata.dat");
    fs::permissions(".", fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    if (::access(".", W_OK) == 0) {
        fs::permissions(".", fs::perms::owner_write, fs::perm_options::add);
        GTEST_SKIP() << "the folder stays writable without its write bits (running as root?)";
    }
    mapGrid[5][5] = 21;
    generatorParameters.levelSea = 4.0f;
    EXPECT_FALSE(saveMapFile());
    EXPECT_FALSE(saveMapBitmap());
    EXPECT_FALSE(writeSettingsFile());
    fs::permissions(".", fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(readBytes("World.map"), map);
    EXPECT_EQ(readBytes("World.bmp"), bitmap);
    EXPECT_EQ(readBytes("appdata.dat"), settings);
    EXPECT_EQ(folderEntries("."), (std::vector<std::string>{"World.bmp", "World.map", "appdata.dat"}));
}

TEST_F(SafeFile, NamesNearTheLengthLimitStillSave) {
    // 254 bytes: a valid name, too long for the usual temporary suffix.
    const std::string name = std::string(250, 'n') + ".map";
    ASSERT_TRUE(writeFileSafely(name, "old"));
    ASSERT_TRUE(writeFileSafely(name, "new"));
    EXPECT_EQ(readBytes(name), "new");
    EXPECT_EQ(folderEntries("."), std::vector<std::string>{name});
}

TEST_F(SafeFile, FailedRenameLeavesNoTemporaryFile) {
    fs::create_directory("target");
    writeBytes("target/keep", "keep");
    EXPECT_FALSE(writeFileSafely("target", "bytes"));
    EXPECT_TRUE(fs::is_directory("target"));
    EXPECT_EQ(readBytes("target/keep"), "keep");
    EXPECT_EQ(folderEntries("."), std::vector<std::string>{"target"});
}

TEST_F(SafeFile, MissingFolderCreatesNothing) {
    EXPECT_FALSE(writeFileSafely("no/such/folder/file.map", "x"));
    EXPECT_FALSE(writeFileSafely("", "x"));
    EXPECT_TRUE(folderEntries(".").empty());
}

// A write that fails half-way (the file size limit stands in for a full disk).
TEST_F(SafeFile, FailedWriteKeepsTheOldFileAndRemovesTheTemporary) {
    writeBytes("big.map", "previous");
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = writeFileSafely("big.map", std::string(100000, 'x'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(readBytes("big.map"), "previous");
    EXPECT_EQ(folderEntries("."), std::vector<std::string>{"big.map"});
}

TEST_F(SafeFile, ReadsWholeFilesAndRefusesWhatCannotBeRead) {
    std::string bytes;
    for (int i = 0; i < 3000000; ++i) bytes.push_back(static_cast<char>(i * 7));
    writeBytes("data.bin", bytes);
    std::string read = "stale";
    ASSERT_TRUE(readWholeFile("data.bin", read));
    EXPECT_EQ(read, bytes);
    writeBytes("empty", "");
    ASSERT_TRUE(readWholeFile("empty", read));
    EXPECT_TRUE(read.empty());

    read = "stale";
    EXPECT_FALSE(readWholeFile("missing", read));
    EXPECT_TRUE(read.empty());
    fs::create_directory("folder");
    EXPECT_FALSE(readWholeFile("folder", read));
}

}  // namespace
}  // namespace pelorn
