#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "files/map_name.h"
#include "files/safe_file.h"
#include "files_fixture.h"

namespace pelorn {
namespace {

namespace fs = std::filesystem;
using testing_files::FilesTest;
using testing_files::folderEntries;

TEST(MapName, NamesThatStayAllowed) {
    const std::string allowed[] = {
        "Untitled", "My_World-2", "ABCDEFGHIJKLMNO", "K\xF6ln", "\xC9t\xE9-\xE0-\xDF", "a b", " lead", ".hidden",
        "x.map", "x..y", "~", "CONSOLE", "COM10", "COM", "LPT", "AUXILIARY", "NULL", "CON_", "nul_x.map", "COMA",
        "\x80\x81\xFF", std::string(64, 'n'), "1", "-",
    };
    for (const std::string& name : allowed) {
        EXPECT_EQ(mapNameProblem(name), MapNameProblem::None) << name;
        EXPECT_TRUE(isSafeMapName(name)) << name;
    }
}

TEST(MapName, EveryClassOfUnsafeName) {
    const std::pair<std::string, MapNameProblem> cases[] = {
        {"", MapNameProblem::Empty},
        {std::string(65, 'n'), MapNameProblem::TooLong},
        {std::string(300000, 'n'), MapNameProblem::TooLong},
        {"..\\..\\somewhere\\victim", MapNameProblem::PathCharacter},
        {"../x", MapNameProblem::PathCharacter},
        {"Z:\\data\\victim", MapNameProblem::PathCharacter},
        {"C:victim", MapNameProblem::PathCharacter},
        {"/data/victim", MapNameProblem::PathCharacter},
        {"x:stream", MapNameProblem::PathCharacter},
        {"a*", MapNameProblem::PathCharacter},
        {"a?", MapNameProblem::PathCharacter},
        {"a\"b", MapNameProblem::PathCharacter},
        {"<a", MapNameProblem::PathCharacter},
        {"a>", MapNameProblem::PathCharacter},
        {"a|b", MapNameProblem::PathCharacter},
        {std::string("plain.txt\0tail", 14), MapNameProblem::ControlCharacter},
        {std::string("\0", 1), MapNameProblem::ControlCharacter},
        {"a\tb", MapNameProblem::ControlCharacter},
        {"a\nb", MapNameProblem::ControlCharacter},
        {"\x1b[31m", MapNameProblem::ControlCharacter},
        {"a\x7f", MapNameProblem::ControlCharacter},
        {"\x1f", MapNameProblem::ControlCharacter},
        {".", MapNameProblem::DotName},
        {"..", MapNameProblem::DotName},
        {"x.", MapNameProblem::TrailingDotOrBlank},
        {"...", MapNameProblem::TrailingDotOrBlank},
        {"x ", MapNameProblem::TrailingDotOrBlank},
        {"AUX", MapNameProblem::DeviceName},
        {"aux", MapNameProblem::DeviceName},
        {"AUX.map", MapNameProblem::DeviceName},
        {"aUx.tar.gz", MapNameProblem::DeviceName},
        {"AUX .map", MapNameProblem::DeviceName},
        {"CON", MapNameProblem::DeviceName},
        {"PRN", MapNameProblem::DeviceName},
        {"nul.txt", MapNameProblem::DeviceName},
        {"COM1", MapNameProblem::DeviceName},
        {"com9.map", MapNameProblem::DeviceName},
        {"LPT1", MapNameProblem::DeviceName},
        {"Lpt9", MapNameProblem::DeviceName},
        {"COM0", MapNameProblem::DeviceName},
        {"COM\xB9", MapNameProblem::DeviceName},
        {"lpt\xB3.x", MapNameProblem::DeviceName},
        {"CONIN$", MapNameProblem::DeviceName},
        {"conout$.map", MapNameProblem::DeviceName},
    };
    std::set<MapNameProblem> seen;
    for (const auto& [name, problem] : cases) {
        EXPECT_EQ(mapNameProblem(name), problem) << name.substr(0, 40);
        EXPECT_FALSE(isSafeMapName(name));
        seen.insert(problem);
    }
    EXPECT_EQ(seen.size(), 7u) << "every class is covered";
}

TEST(MapName, EveryRuleHasItsOwnSentence) {
    std::set<std::string> texts;
    for (MapNameProblem problem :
         {MapNameProblem::Empty, MapNameProblem::TooLong, MapNameProblem::PathCharacter,
          MapNameProblem::ControlCharacter, MapNameProblem::DotName, MapNameProblem::TrailingDotOrBlank,
          MapNameProblem::DeviceName})
        texts.insert(mapNameRuleText(problem));
    EXPECT_EQ(texts.size(), 7u);
    EXPECT_EQ(std::string(mapNameRuleText(MapNameProblem::TooLong)), "a name has at most 64 characters");
    EXPECT_NE(std::string(mapNameRuleText(MapNameProblem::DeviceName)).find("AUX"), std::string::npos);
}

TEST(MapName, FileNameOfAPathAndDeviceNamesInPaths) {
    EXPECT_EQ(fileNameOfPath("plain.map"), "plain.map");
    EXPECT_EQ(fileNameOfPath("dir/sub/AUX.map"), "AUX.map");
    EXPECT_EQ(fileNameOfPath("C:\\maps\\x.map"), "x.map");
    EXPECT_EQ(fileNameOfPath("C:aux"), "aux");
    EXPECT_EQ(fileNameOfPath("dir/"), "");
    EXPECT_TRUE(namesReservedDevice(fileNameOfPath("\\\\.\\COM1")));
    EXPECT_TRUE(namesReservedDevice(fileNameOfPath("../maps/nul.map")));
    EXPECT_FALSE(namesReservedDevice(fileNameOfPath("aux/plain.map")));
    EXPECT_FALSE(namesReservedDevice(""));
}

TEST(MapName, NameTokensAreTakenOnlyWhenSafe) {
    std::size_t pos = 0;
    std::string name = "stale";
    const std::string text = "  Good ../evil\r\n" + std::string(65, 'x') + " " + std::string(64, 'y') + "\tAUX";
    ASSERT_TRUE(readMapNameToken(text, pos, name));
    EXPECT_EQ(name, "Good");
    EXPECT_EQ(pos, 6u);
    ASSERT_TRUE(readMapNameToken(text, pos, name));
    EXPECT_EQ(name, "");
    EXPECT_EQ(text.substr(pos, 2), "\r\n") << "the whole token is passed over";
    ASSERT_TRUE(readMapNameToken(text, pos, name));
    EXPECT_EQ(name, "") << "one character over the limit";
    ASSERT_TRUE(readMapNameToken(text, pos, name));
    EXPECT_EQ(name, std::string(64, 'y'));
    ASSERT_TRUE(readMapNameToken(text, pos, name));
    EXPECT_EQ(name, "");
    EXPECT_EQ(pos, text.size());
    EXPECT_FALSE(readMapNameToken(text, pos, name));
    pos = 0;
    EXPECT_FALSE(readMapNameToken(" \r\n\t", pos, name));
}

// Random byte strings, heavy in the pieces the rule is about. Every name the
// rule accepts becomes a file in a folder of its own and must land there,
// under exactly its own name; and every verdict must match a second,
// independent reading of the rule.
class MapNameDifferential : public FilesTest {
protected:
    static std::string randomName(std::mt19937& random) {
        static const std::vector<std::string> pieces = {
            "a", "Z", "7", "_", "-", ".", " ", "..", "/", "\\", ":", "*", "?", "\"", "<", ">", "|",
            std::string(1, '\0'), "\t", "\r", "\x7f", "\x1b", "\xB9", "\xE9", "\xFF", "CON", "aux", "Nul", "PRN",
            "COM", "lpt", "1", "9", "0", "$", "CONIN$", "conout$", "map", "~", "%", "x",
        };
        std::string name;
        const int count = std::uniform_int_distribution<int>(0, 12)(random);
        for (int i = 0; i < count; ++i)
            name += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
        if (std::uniform_int_distribution<int>(0, 20)(random) == 0) name += std::string(60, 'L');
        return name;
    }

    // The rule once more, written from the list of what Windows and POSIX
    // reserve rather than from the program's code.
    static bool oracle(const std::string& name) {
        if (name.empty() || name.size() > 64 || name == "." || name == "..") return false;
        for (unsigned char c : name)
            if (c < 0x20 || c == 0x7F || std::string("<>:\"/\\|?*").find(static_cast<char>(c)) != std::string::npos)
                return false;
        if (name.back() == '.' || name.back() == ' ') return false;
        std::string base = name.substr(0, name.find('.'));
        base.erase(base.find_last_not_of(' ') + 1);
        for (char& c : base) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        static const std::set<std::string> devices = [] {
            std::set<std::string> names = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
            for (const char* port : {"COM", "LPT"})
                for (const char* digit : {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "\xB9", "\xB2", "\xB3"})
                    names.insert(std::string(port) + digit);
            return names;
        }();
        return devices.count(base) == 0;
    }
};

TEST_F(MapNameDifferential, NoAcceptedNameLeavesTheFolder) {
    fs::create_directory("box");
    fs::current_path("box");
    std::mt19937 random(20240611);
    int accepted = 0;
    int written = 0;
    for (int i = 0; i < 40000; ++i) {
        const std::string name = randomName(random);
        const bool safe = isSafeMapName(name);
        ASSERT_EQ(safe, oracle(name)) << "name of " << name.size() << " bytes: " << name;
        if (!safe) continue;
        ++accepted;
        EXPECT_FALSE(fs::path(name).has_parent_path()) << name;
        EXPECT_EQ(fs::path(name + ".map").filename().string(), name + ".map");
        if (written >= 200) continue;  // the file system check costs a file each
        ++written;
        ASSERT_TRUE(writeFileSafely(name + ".map", "x")) << name;
        ASSERT_EQ(folderEntries("."), std::vector<std::string>{name + ".map"}) << name;
        ASSERT_EQ(folderEntries(".."), std::vector<std::string>{"box"});
        fs::remove(name + ".map");
    }
    EXPECT_GT(accepted, 3000) << "the strings must give the rule work on both sides";
    EXPECT_LT(accepted, 36000);
}

}  // namespace
}  // namespace pelorn
