#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "dialogs/dialog_text.h"
#include "dialogs/map_dialogs.h"
#include "files/map_file.h"
#include "map/map_grid.h"
#include "support/program_fixture.h"
#include "working_folder.h"

namespace pelorn {
namespace {

namespace fs = std::filesystem;
// Every test runs in a fresh working folder of its own, since map files are
// named relative to it.
class MapDialogs : public test::ProgramTest {
protected:
    void makeMap(const std::string& name, int qx, int qy) {
        currentMapName = name;
        ProgramTest::makeMap(qx, qy);
    }
    // The map as a fresh program has it: no grid, one quad each way, "Untitled".
    void resetMap() {
        map = Map{};
        viewQuadX = 0;
        viewQuadY = 0;
    }
    std::vector<Repaint> repaints() { return takeRepaints().others; }

    static std::string fileText(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    test::WorkingFolder folder;
};

TEST(DialogText, FirstFifteenCharacters) {
    EXPECT_EQ(firstChars("ABCDEFGHIJKLMNOPQRST"), "ABCDEFGHIJKLMNO");
    EXPECT_EQ(firstChars("short"), "short");
    EXPECT_EQ(firstChars(""), "");
    EXPECT_EQ(firstChars("123456789012345"), "123456789012345");
    EXPECT_EQ(firstChars("abcdef", 3), "abc");
}

TEST_F(MapDialogs, NewMapStartsFromFixedTextsWhateverTheMap) {
    makeMap("Elsewhere", 3, 2);
    const NewMapTexts texts = newMapInitialTexts();
    EXPECT_EQ(texts.mapName, "Untitled");
    EXPECT_EQ(texts.quadX, "1");
    EXPECT_EQ(texts.quadY, "1");
    EXPECT_EQ(openMapInitialText(), "Untitled");
    EXPECT_EQ(saveAsMapInitialText(), "Untitled");
}

TEST_F(MapDialogs, NewMapWithEmptyFieldsIsAnUntitledVoidQuad) {
    makeMap("Old", 2, 2);
    mapGrid[5][5] = 21;
    viewQuadX = 1;
    viewQuadY = 1;
    EXPECT_TRUE(applyNewMap(editor, "", "", ""));
    EXPECT_EQ(currentMapName, "Untitled");
    EXPECT_EQ(quadCountX, 1);
    EXPECT_EQ(quadCountY, 1);
    EXPECT_EQ(viewQuadX, 0);
    EXPECT_EQ(viewQuadY, 0);
    ASSERT_NE(mapGrid, nullptr);
    for (int x = 0; x < 100; ++x)
        for (int y = 0; y < 100; ++y) ASSERT_EQ(mapGrid[x][y], 0);
    EXPECT_EQ(repaints(), std::vector{test::whole(true)});
    EXPECT_FALSE(fs::exists("Untitled.map")) << "a new map is not written";
}

TEST_F(MapDialogs, NewMapRemovesEveryBlankAfterCuttingTheName) {
    applyNewMap(editor, "  My  Map  ", "1", "1");
    EXPECT_EQ(currentMapName, "MyMap");
    // Only blanks go: a tab is a control character, and the name is refused.
    EXPECT_FALSE(applyNewMap(editor, "\tTab\tkept ", "1", "1"));
    EXPECT_EQ(currentMapName, "MyMap");
    // Cut to 15 first, then blanks go: "A B C D E F G H" is what remains.
    applyNewMap(editor, "A B C D E F G H I J", "1", "1");
    EXPECT_EQ(currentMapName, "ABCDEFGH");
    applyNewMap(editor, "ABCDEFGHIJKLMNOPQRST", "1", "1");
    EXPECT_EQ(currentMapName, "ABCDEFGHIJKLMNO");
    applyNewMap(editor, "     ", "1", "1");
    EXPECT_EQ(currentMapName, "Untitled");
}

// What the fields may hold: the name as each dialog makes it from the field.
TEST_F(MapDialogs, UnsafeNamesAreNotAccepted) {
    for (const char* name : {"..\\x", "C:x", "/tmp/x", "AUX", "nul.map", "com1", "a|b", ".", "..", "x.", "a\tb"}) {
        EXPECT_FALSE(mapNameAccepted(name)) << name;
        EXPECT_FALSE(newMapNameAccepted(name)) << name;
    }
    // Blanks: New Map removes them, the others keep them.
    EXPECT_TRUE(mapNameAccepted("a b"));
    EXPECT_FALSE(mapNameAccepted("ab "));
    EXPECT_TRUE(newMapNameAccepted("ab "));
    EXPECT_FALSE(newMapNameAccepted("A UX"));
    // Empty gives "Untitled"; only the first 15 characters count.
    for (const char* name : {"", "Untitled", "My_World-2", "K\xF6ln", "ABCDEFGHIJKLMNO", "ABCDEFGHIJKLMNO/x"}) {
        EXPECT_TRUE(mapNameAccepted(name)) << name;
        EXPECT_TRUE(newMapNameAccepted(name)) << name;
    }
}

TEST_F(MapDialogs, AnUnsafeNameChangesNothing) {
    makeMap("Keep", 2, 1);
    mapGrid[150][42] = 54;
    viewQuadX = 1;
    const MapGrid before = mapGrid;
    std::ofstream("AUX.map") << "*MapInfo* Trap 03 03 *MapTiles*";
    for (const char* name : {"../x", "AUX", "C:x", "Z:\\tmp\\x"}) {
        EXPECT_FALSE(applyNewMap(editor, name, "3", "3")) << name;
        EXPECT_FALSE(applyOpenMap(editor, name)) << name;
        EXPECT_FALSE(applySaveAsMap(editor, name)) << name;
        EXPECT_EQ(currentMapName, "Keep");
        EXPECT_EQ(mapGrid, before);
        EXPECT_EQ(quadCountX, 2);
        EXPECT_EQ(viewQuadX, 1);
        EXPECT_EQ(mapGrid[150][42], 54);
    }
    EXPECT_TRUE(repaints().empty());
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(".")) files.push_back(entry.path().filename().string());
    EXPECT_EQ(files, std::vector<std::string>{"AUX.map"});
    EXPECT_TRUE(applyOpenMap(editor, "Keep"));
}

TEST_F(MapDialogs, NewMapCountsBelowOneOrNotNumbersGiveOne) {
    const char* bad[] = {"0", "-3", "letters", "", "   ", "0x05", "2147483648"};
    for (const char* text : bad) {
        applyNewMap(editor, "M", text, "2");
        EXPECT_EQ(quadCountX, 1) << text;
        EXPECT_EQ(quadCountY, 2) << text;
        applyNewMap(editor, "M", "2", text);
        EXPECT_EQ(quadCountX, 2) << text;
        EXPECT_EQ(quadCountY, 1) << text;
    }
}

TEST_F(MapDialogs, NewMapSizeAndFieldCut) {
    applyNewMap(editor, "Wide", "2", "3");
    EXPECT_EQ(mapWidth(map), 200);
    EXPECT_EQ(mapHeight(map), 300);
    EXPECT_EQ(mapGrid[199][299], 0);
    applyNewMap(editor, "Cut", " 3.7", "000000000000002" "5");  // only "000000000000002" is read
    EXPECT_EQ(quadCountX, 3);
    EXPECT_EQ(quadCountY, 2);
}

TEST_F(MapDialogs, NewMapRefusesSizesTheProgramCannotHold) {
    makeMap("Keep", 2, 1);
    mapGrid[150][42] = 54;
    viewQuadX = 1;
    const MapGrid before = mapGrid;
    for (auto size : {std::pair<const char*, const char*>{"101", "1"}, {"1", "101"}, {"11", "100"}, {"33", "32"},
                      {"99999", "99999"}}) {
        EXPECT_FALSE(applyNewMap(editor, "Other", size.first, size.second)) << size.first << " x " << size.second;
        EXPECT_EQ(currentMapName, "Keep");
        EXPECT_EQ(quadCountX, 2);
        EXPECT_EQ(quadCountY, 1);
        EXPECT_EQ(viewQuadX, 1);
        EXPECT_EQ(mapGrid, before);
        EXPECT_EQ(mapGrid[150][42], 54);
    }
    EXPECT_TRUE(repaints().empty());
    EXPECT_TRUE(applyNewMap(editor, "Edge", "100", "1"));
    EXPECT_EQ(mapWidth(map), 10000);
    EXPECT_EQ(mapGrid[9999][99], 0);
}

TEST_F(MapDialogs, OpenMapLoadsTheNamedFile) {
    makeMap("Alpha", 2, 1);
    mapGrid[150][7] = 55;
    ASSERT_TRUE(saveMapFile(map));
    resetMap();
    applyOpenMap(editor, "Alpha");
    EXPECT_EQ(currentMapName, "Alpha");
    EXPECT_EQ(quadCountX, 2);
    ASSERT_NE(mapGrid, nullptr);
    EXPECT_EQ(mapGrid[150][7], 55);
    EXPECT_EQ(repaints(), std::vector{test::whole(true)});
}

TEST_F(MapDialogs, OpenMapWithEmptyFieldLoadsUntitled) {
    makeMap("Untitled", 1, 2);
    mapGrid[3][103] = 9;
    ASSERT_TRUE(saveMapFile(map));
    makeMap("Other", 1, 1);
    applyOpenMap(editor, "");
    EXPECT_EQ(currentMapName, "Untitled");
    EXPECT_EQ(quadCountY, 2);
    EXPECT_EQ(mapGrid[3][103], 9);
}

TEST_F(MapDialogs, OpenMapTakesTheNameStoredInTheFile) {
    makeMap("Gamma", 1, 1);
    mapGrid[20][20] = 3;
    ASSERT_TRUE(saveMapFile(map));
    fs::rename("Gamma.map", "Beta.map");
    resetMap();
    applyOpenMap(editor, "Beta");
    EXPECT_EQ(currentMapName, "Gamma");
    EXPECT_EQ(mapGrid[20][20], 3);
}

TEST_F(MapDialogs, OpenMapCutsTheNameAndKeepsBlanks) {
    makeMap("a b", 1, 1);  // "a b" is stored, and read back whole
    ASSERT_TRUE(saveMapFile(map));
    makeMap("ABCDEFGHIJKLMNO", 1, 1);
    mapGrid[1][1] = 2;
    ASSERT_TRUE(saveMapFile(map));
    makeMap("Other", 1, 1);
    applyOpenMap(editor, "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(currentMapName, "ABCDEFGHIJKLMNO");
    EXPECT_EQ(mapGrid[1][1], 2);
    makeMap("Other", 3, 1);
    applyOpenMap(editor, "a b");
    EXPECT_EQ(currentMapName, "a b");
    EXPECT_EQ(quadCountX, 1);
}

TEST_F(MapDialogs, OpenMapOfAMissingNameFallsBack) {
    makeMap("Present", 2, 1);
    applyOpenMap(editor, "Missing");
    EXPECT_EQ(currentMapName, "Untitled");
    EXPECT_EQ(quadCountX, 2);
    ASSERT_NE(mapGrid, nullptr);
    EXPECT_EQ(mapGrid[199][99], 0);
}

TEST_F(MapDialogs, SaveAsWritesUnderTheNewNameBlanksIncluded) {
    makeMap("Before", 1, 1);
    mapGrid[0][1] = 23;
    EXPECT_TRUE(applySaveAsMap(editor, "my map"));
    EXPECT_EQ(currentMapName, "my map");
    ASSERT_TRUE(fs::exists("my map.map"));
    const std::string text = fileText("my map.map");
    EXPECT_EQ(text.substr(0, 30), "*MapInfo*\r\nmy map\r\n01\r\n01\r\n*Ma");
    EXPECT_EQ(text.size(), 40037u);  // 40,039 for "Untitled", two characters longer
    EXPECT_EQ(repaints(), std::vector{test::whole(true)});
    EXPECT_FALSE(fs::exists("Before.map"));

    EXPECT_TRUE(applySaveAsMap(editor, ""));
    EXPECT_TRUE(fs::exists("Untitled.map"));
    EXPECT_TRUE(applySaveAsMap(editor, "ABCDEFGHIJKLMNOPQRST"));
    EXPECT_TRUE(fs::exists("ABCDEFGHIJKLMNO.map"));
    EXPECT_EQ(mapGrid[0][1], 23) << "saving leaves the map as it was";

    // A path is no map name: nothing written, and the name stays.
    EXPECT_FALSE(applySaveAsMap(editor, "no/such/folder"));
    EXPECT_EQ(currentMapName, "ABCDEFGHIJKLMNO");
    EXPECT_EQ(mapGrid[0][1], 23);
}

}  // namespace
}  // namespace pelorn
