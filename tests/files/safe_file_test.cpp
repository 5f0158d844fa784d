#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <chrono>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
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
    Settings settings;
    settings.lastOpen = "World";
    ASSERT_TRUE(saveMapFile(map));
    ASSERT_TRUE(saveMapBitmap(map));
    ASSERT_TRUE(writeSettingsFile(settings));
    const std::string mapFile = readBytes("World.map");
    const std::string bitmap = readBytes("World.bmp");
    const std::string settingsFile = readBytes("appdata.dat");
    fs::permissions(".", fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    if (::access(".", W_OK) == 0) {
        fs::permissions(".", fs::perms::owner_write, fs::perm_options::add);
        GTEST_SKIP() << "the folder stays writable without its write bits (running as root?)";
    }
    mapGrid[5][5] = 21;
    settings.parameters.levelSea = 4.0f;
    EXPECT_FALSE(saveMapFile(map));
    EXPECT_FALSE(saveMapBitmap(map));
    EXPECT_FALSE(writeSettingsFile(settings));
    fs::permissions(".", fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(readBytes("World.map"), mapFile);
    EXPECT_EQ(readBytes("World.bmp"), bitmap);
    EXPECT_EQ(readBytes("appdata.dat"), settingsFile);
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

TEST_F(SafeFile, ASmallerLimitRefusesLargerFilesUnread) {
    writeBytes("fits", std::string(64, 'w'));
    writeBytes("over", std::string(65, 'w'));
    writeBytes("empty", "");
    std::string read = "stale";
    ASSERT_TRUE(readWholeFile("fits", read, 64));
    EXPECT_EQ(read, std::string(64, 'w'));
    ReadFailure why = ReadFailure::kNone;
    EXPECT_FALSE(readWholeFile("over", read, 64, &why));
    EXPECT_TRUE(read.empty());
    EXPECT_EQ(why, ReadFailure::kTooLarge);
    EXPECT_FALSE(readWholeFile("missing", read, 64, &why));
    EXPECT_EQ(why, ReadFailure::kUnreadable);
    ASSERT_TRUE(readWholeFile("empty", read, 0));
    EXPECT_FALSE(readWholeFile("fits", read, 0));
    // A file that grows past the limit while it is read is refused as well.
    std::size_t calls = 0;
    EXPECT_FALSE(readOpenFile(
        10, read,
        [&calls](char* buffer, std::size_t room) -> std::int64_t {
            ++calls;
            std::fill(buffer, buffer + room, 'g');
            return static_cast<std::int64_t>(room);
        },
        64, &why));
    EXPECT_TRUE(read.empty());
    EXPECT_EQ(why, ReadFailure::kTooLarge);
    EXPECT_LE(calls, 8u);
    EXPECT_FALSE(readWholeFile("/dev/zero", read, 64)) << "a device without end";
}

fs::perms modeOf(const fs::path& path) { return fs::status(path).permissions() & fs::perms::mask; }

TEST_F(SafeFile, ProtectedTargetsAreNeverReplaced) {
    // Root ignores the mode when writing, so the rule reads the bits themselves.
    for (const fs::perms mode : {fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read,
                                 fs::perms::owner_read, fs::perms::none}) {
        writeBytes("World.map", "previous");
        fs::permissions("World.map", mode);
        EXPECT_FALSE(writeFileSafely("World.map", "new"));
        fs::permissions("World.map", fs::perms::owner_read | fs::perms::owner_write);
        EXPECT_EQ(readBytes("World.map"), "previous");
        EXPECT_EQ(folderEntries("."), std::vector<std::string>{"World.map"});
    }
    // Every saver goes through it.
    makeMap(1, 1, "World");
    fs::permissions("World.map", fs::perms::owner_read);
    writeBytes("World.bmp", "old picture");
    fs::permissions("World.bmp", fs::perms::owner_read | fs::perms::group_read);
    writeBytes("appdata.dat", "old settings");
    fs::permissions("appdata.dat", fs::perms::owner_read);
    EXPECT_FALSE(saveMapFile(map));
    EXPECT_FALSE(saveMapBitmap(map));
    EXPECT_FALSE(writeSettingsFile(Settings{}));
    EXPECT_EQ(readBytes("World.map"), "previous");
    EXPECT_EQ(readBytes("World.bmp"), "old picture");
    EXPECT_EQ(readBytes("appdata.dat"), "old settings");
}

TEST_F(SafeFile, AReplacedFileKeepsItsPermissionBits) {
    using fs::perms;
    for (const perms mode : {perms::owner_read | perms::owner_write,
                             perms::owner_read | perms::owner_write | perms::group_read,
                             perms::owner_all | perms::group_read | perms::group_exec | perms::others_write,
                             perms::owner_write}) {
        writeBytes("kept.map", "old");
        fs::permissions("kept.map", mode);
        ASSERT_TRUE(writeFileSafely("kept.map", "new"));
        EXPECT_EQ(modeOf("kept.map"), mode);
        fs::permissions("kept.map", perms::owner_read | perms::owner_write);
        EXPECT_EQ(readBytes("kept.map"), "new");
    }
    // A new file gets what the umask leaves of read and write for all.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    ASSERT_TRUE(writeFileSafely("fresh.map", "x"));
    EXPECT_EQ(static_cast<mode_t>(modeOf("fresh.map")), 0666 & ~mask);
}

TEST_F(SafeFile, TemporaryNamesAreRecognisedExactly) {
    EXPECT_EQ(temporarySuffix(123, 4), ".~123-4.tmp");
    EXPECT_EQ(temporaryOwner("W.map.~123-4.tmp", "W.map"), std::optional<std::uint64_t>(123));
    EXPECT_EQ(temporaryOwner("W.map" + temporarySuffix(4294967295u, 4294967295u), "W.map"),
              std::optional<std::uint64_t>(4294967295u));
    for (const char* other : {"W.map", "W.map.~123-4.tmpx", "W.map.~123-4.tmp.bak", "XW.map.~1-1.tmp",
                              "W.map.~-4.tmp", "W.map.~123-.tmp", "W.map.~12a-4.tmp", "W.map.~123_4.tmp",
                              "W.map.~12345678901-1.tmp", "W.map~1-1.tmp", "w.map.~1-1.tmp", "W.mapx.~1-1.tmp",
                              ".~pelorn-1-1.tmp", "W.bmp.~1-1.tmp"})
        EXPECT_FALSE(temporaryOwner(other, "W.map").has_value()) << other;
    EXPECT_FALSE(temporaryOwner(".~1-1.tmp", "").has_value());
}

TEST_F(SafeFile, ASaveClearsOnlyItsOwnStaleTemporaries) {
    // 999999999 is above every process id Linux gives; 1 is alive in every
    // system; this process's own id can only be left over from an earlier one.
    const std::string own = std::to_string(::getpid());
    const std::vector<std::string> stale = {"W.map.~999999999-1.tmp", "W.map.~999999999-77.tmp",
                                            "W.map.~" + own + "-5.tmp", "W.map.~0-1.tmp"};
    const std::vector<std::string> kept = {"W.map.~1-1.tmp",         "Other.map.~999999999-1.tmp",
                                           "W.bmp.~999999999-1.tmp", "W.map.~999999999-1.tmp.bak",
                                           "W.map.~junk.tmp",        "XW.map.~999999999-1.tmp"};
    for (const auto& name : stale) writeBytes(name, std::string(1000, 't'));
    for (const auto& name : kept) writeBytes(name, "keep");
    ASSERT_TRUE(writeFileSafely("W.map", "new"));
    std::vector<std::string> expected = kept;
    expected.push_back("W.map");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(folderEntries("."), expected);
    // Also when the save itself fails, for a protected target.
    writeBytes("W.map.~999999999-2.tmp", "t");
    fs::permissions("W.map", fs::perms::owner_read);
    EXPECT_FALSE(writeFileSafely("W.map", "newer"));
    EXPECT_TRUE(fs::exists("W.map.~999999999-2.tmp")) << "a refused save touches nothing";
    fs::permissions("W.map", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_directory("sub");
    writeBytes("sub/W.map.~999999999-1.tmp", "t");
    ASSERT_TRUE(writeFileSafely("sub/W.map", "x"));
    EXPECT_EQ(folderEntries("sub"), std::vector<std::string>{"W.map"});
    EXPECT_TRUE(fs::exists("W.map.~1-1.tmp"));
}

TEST_F(SafeFile, DeviceNamesAreNeitherOpenedNorWritten) {
    std::string read = "stale";
    for (const char* name : {"AUX", "aux.map", "CON.dat", "sub/nul.map", "COM1.bmp"}) {
        EXPECT_FALSE(writeFileSafely(name, "x")) << name;
        EXPECT_FALSE(fs::exists(name)) << name;
    }
    // Files that Linux would allow are refused as Windows would read them.
    writeBytes("aux.map", "*MapInfo* aux 01 01 *MapTiles*");
    EXPECT_FALSE(readWholeFile("aux.map", read));
    EXPECT_TRUE(read.empty());
    EXPECT_FALSE(loadMapFile(map, "aux.map"));
}

TEST_F(SafeFile, ReaderRefusesWhatIsNoPlainFileOrTooLarge) {
    using Clock = std::chrono::steady_clock;
    std::string read = "stale";
    const auto start = Clock::now();
    EXPECT_FALSE(readWholeFile("/dev/zero", read));  // endless
    EXPECT_TRUE(read.empty());
    EXPECT_FALSE(readWholeFile("/dev/null", read));
    ASSERT_EQ(::mkfifo("pipe", 0600), 0);
    EXPECT_FALSE(readWholeFile("pipe", read)) << "refused without waiting for a writer";
    // A sparse file one byte over the limit is refused from its size alone.
    writeBytes("huge.map", "");
    fs::resize_file("huge.map", kMaxReadBytes + 1);
    EXPECT_FALSE(readWholeFile("huge.map", read));
    EXPECT_FALSE(loadMapFile(map, "huge.map"));
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(1));
    // The limit holds the largest map at its widest line form.
    EXPECT_GE(kMaxReadBytes, std::size_t{39} + 64 + std::size_t{kMaxQuads} * 10000 * 13);
    EXPECT_LE(kMaxReadBytes, std::size_t{140} << 20);
}

}  // namespace
}  // namespace pelorn
