#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "files/bitmap_file.h"
#include "files/map_file.h"
#include "files/map_name.h"
#include "files_fixture.h"
#include "text/conversions.h"

#ifndef PELORN_TEST_DATA
#define PELORN_TEST_DATA "tests/data"
#endif

namespace pelorn {
namespace {

using testing_files::FilesTest;
using testing_files::folderEntries;
using testing_files::readBytes;
using testing_files::writeBytes;

// The lines of a file whose breaks are CR LF; fails the test on a bare LF.
std::vector<std::string> crlfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    for (const auto& line : lines) EXPECT_EQ(line.find('\n'), std::string::npos);
    return lines;
}

// A map file written by hand: header and the given tile texts.
std::string mapText(const std::string& name, const std::string& countX, const std::string& countY,
                    const std::vector<std::string>& tiles, const std::string& lineBreak = "\r\n") {
    std::string text = "*MapInfo*" + lineBreak + name + lineBreak + countX + lineBreak + countY + lineBreak +
                       "*MapTiles*";
    for (const auto& tile : tiles) text += lineBreak + tile;
    return text;
}

std::vector<std::string> repeated(const std::string& tile, std::size_t count) {
    return std::vector<std::string>(count, tile);
}

class MapFile : public FilesTest {
protected:
    bool everyTileIs(TerrainCode code) const {
        for (TerrainCode tile : allTiles())
            if (tile != code) return false;
        return true;
    }
    // Text read into the map as loadMapFile reads a file's: parsed, then
    // installed; an unsafe name on line 2 gives way to `fallbackName`.
    void loadText(std::string_view text, std::string fallbackName) {
        freeMapGrid(map);
        installParsedMap(map, parseMapText(text), std::move(fallbackName));
    }
    void loadText(std::string_view text) { loadText(text, currentMapName); }
};

TEST_F(MapFile, WorkedExampleHasTheExactBytes) {
    makeMap(1, 1);
    mapGrid[0][1] = 23;
    ASSERT_TRUE(saveMapFile(map));
    std::string expected = "*MapInfo*\r\nUntitled\r\n01\r\n01\r\n*MapTiles*\r\n00\r\n23";
    for (int i = 0; i < 9998; ++i) expected += "\r\n00";
    const std::string bytes = readBytes("Untitled.map");
    EXPECT_EQ(bytes.size(), 40039u);
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(bytes, readBytes(PELORN_TEST_DATA "/untitled_example.map"));
    EXPECT_EQ(folderEntries("."), std::vector<std::string>{"Untitled.map"});
}

TEST_F(MapFile, SavingChangesNothingInMemory) {
    makeMap(2, 1, "Keep");
    mapGrid[150][20] = 5;
    TerrainCode** const grid = mapGrid;
    ASSERT_TRUE(saveMapFile(map));
    EXPECT_EQ(mapGrid, grid);
    EXPECT_EQ(mapGrid[150][20], 5);
    EXPECT_EQ(currentMapName, "Keep");
    EXPECT_EQ(quadCountX, 2);
}

TEST_F(MapFile, TilesGoQuadByQuadEachQuadColumnByColumn) {
    makeMap(1, 1);
    mapGrid[1][0] = 42;
    mapGrid[0][99] = 17;
    ASSERT_TRUE(saveMapFile(map));
    auto lines = crlfLines(readBytes("Untitled.map"));
    ASSERT_EQ(lines.size(), 5u + 10000u);
    EXPECT_EQ(lines[5 + 99], "17");   // tile line 100: column 0, row 99
    EXPECT_EQ(lines[5 + 100], "42");  // tile line 101: column 1, row 0

    makeMap(1, 2);
    mapGrid[0][100] = 55;
    mapGrid[0][99] = 12;
    ASSERT_TRUE(saveMapFile(map));
    lines = crlfLines(readBytes("Untitled.map"));
    ASSERT_EQ(lines.size(), 5u + 20000u);
    EXPECT_EQ(lines[5 + 99], "12");     // still the first quad
    EXPECT_EQ(lines[5 + 10000], "55");  // tile line 10,001: column 0, row 100
}

TEST_F(MapFile, EveryTileOfSeveralQuadsLandsOnItsLine) {
    makeMap(3, 2);
    for (std::int32_t x = 0; x < mapWidth(map); ++x)
        for (std::int32_t y = 0; y < mapHeight(map); ++y) mapGrid[x][y] = (x * 7 + y * 13) % 97;
    ASSERT_TRUE(saveMapFile(map));
    const auto lines = crlfLines(readBytes("Untitled.map"));
    ASSERT_EQ(lines.size(), 5u + 60000u);
    std::size_t line = 5;
    for (int qx = 0; qx < 3; ++qx)
        for (int qy = 0; qy < 2; ++qy)
            for (int i = 0; i < 100; ++i)
                for (int j = 0; j < 100; ++j, ++line) {
                    const int x = qx * 100 + i;
                    const int y = qy * 100 + j;
                    const int code = (x * 7 + y * 13) % 97;
                    ASSERT_EQ(lines[line], (code < 10 ? "0" : "") + std::to_string(code)) << x << "," << y;
                }
}

TEST_F(MapFile, CountsHaveAtLeastTwoDigits) {
    makeMap(12, 3, "Wide");
    ASSERT_TRUE(saveMapFile(map));
    auto lines = crlfLines(readBytes("Wide.map"));
    ASSERT_EQ(lines.size(), 5u + 360000u);
    EXPECT_EQ(lines[0], "*MapInfo*");
    EXPECT_EQ(lines[1], "Wide");
    EXPECT_EQ(lines[2], "12");
    EXPECT_EQ(lines[3], "03");
    EXPECT_EQ(lines[4], "*MapTiles*");

    makeMap(100, 1, "Long");
    ASSERT_TRUE(saveMapFile(map));
    lines = crlfLines(readBytes("Long.map"));
    EXPECT_EQ(lines[2], "100");
    EXPECT_EQ(lines[3], "01");
}

TEST_F(MapFile, TileCodesBelowTenGetALeadingZeroNegativeOnesDoNot) {
    makeMap(1, 1);
    const TerrainCode codes[] = {0, 7, 9, 10, 21, 55, 99, 100, 12345, -1, -5, -10,
                                 std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()};
    const char* texts[] = {"00", "07", "09", "10", "21", "55", "99", "100", "12345", "-1", "-5", "-10",
                           "-2147483648", "2147483647"};
    for (std::size_t k = 0; k < sizeof codes / sizeof codes[0]; ++k) mapGrid[0][k] = codes[k];
    ASSERT_TRUE(saveMapFile(map));
    const auto lines = crlfLines(readBytes("Untitled.map"));
    for (std::size_t k = 0; k < sizeof codes / sizeof codes[0]; ++k) EXPECT_EQ(lines[5 + k], texts[k]);
}

TEST_F(MapFile, SaveThenOpenRestoresNameSizeAndEveryCode) {
    makeMap(2, 3, "Archipelago");
    for (std::int32_t x = 0; x < mapWidth(map); ++x)
        for (std::int32_t y = 0; y < mapHeight(map); ++y) mapGrid[x][y] = (x + 3 * y) % 61;
    // Start locations, codes without a terrain, and negative codes.
    for (TerrainCode code = 50; code <= 60; ++code) mapGrid[code][code + 100] = code;
    mapGrid[0][0] = -5;
    mapGrid[1][0] = 7;
    mapGrid[199][299] = -2147483647 - 1;
    mapGrid[100][100] = 45;
    mapGrid[3][4] = 1000000;
    const std::vector<TerrainCode> saved = allTiles();
    ASSERT_TRUE(saveMapFile(map));

    map = Map();
    currentMapName = "Archipelago";
    openMapFile(map);
    ASSERT_NE(mapGrid, nullptr);
    EXPECT_EQ(currentMapName, "Archipelago");
    EXPECT_EQ(quadCountX, 2);
    EXPECT_EQ(quadCountY, 3);
    EXPECT_EQ(allTiles(), saved);
}

TEST_F(MapFile, LineFeedsAndExtraWhiteSpaceReadTheSame) {
    std::vector<std::string> tiles = repeated("00", 10000);
    tiles[1] = "23";
    tiles[9999] = "60";
    writeBytes("Crlf.map", mapText("Crlf", "01", "01", tiles));
    writeBytes("Lf.map", mapText("Crlf", "01", "01", tiles, "\n"));
    writeBytes("Odd.map", mapText("Crlf", "01", "01", tiles, " \t\v\f\r\n  "));

    std::vector<std::vector<TerrainCode>> results;
    for (const char* file : {"Crlf.map", "Lf.map", "Odd.map"}) {
        map = Map();
        ASSERT_TRUE(loadMapFile(map, file));
        EXPECT_EQ(currentMapName, "Crlf");
        EXPECT_EQ(mapGrid[0][1], 23);
        EXPECT_EQ(mapGrid[99][99], 60);
        results.push_back(allTiles());
    }
    EXPECT_EQ(results[0], results[1]);
    EXPECT_EQ(results[0], results[2]);
}

TEST_F(MapFile, HeaderWordsAreNotCompared) {
    std::vector<std::string> tiles = repeated("00", 20000);
    tiles[10000] = "09";
    writeBytes("Other.map", mapText("Other", "1", "2", tiles));
    std::string text = readBytes("Other.map");
    text.replace(0, 9, "Whatever");
    text.replace(text.find("*MapTiles*"), 10, "tiles:");
    writeBytes("Other.map", text);
    currentMapName = "Other";
    openMapFile(map);
    EXPECT_EQ(quadCountX, 1);
    EXPECT_EQ(quadCountY, 2);
    EXPECT_EQ(mapGrid[0][100], 9);
}

TEST_F(MapFile, NameOnLineTwoReplacesTheOpenedName) {
    makeMap(1, 1, "B");
    mapGrid[5][5] = 3;
    ASSERT_TRUE(writeMapFile(map, "A.map"));
    map = Map();
    currentMapName = "A";
    openMapFile(map);
    EXPECT_EQ(currentMapName, "B");
    EXPECT_EQ(mapGrid[5][5], 3);
    ASSERT_TRUE(saveMapFile(map));
    EXPECT_TRUE(std::filesystem::exists("B.map"));
    EXPECT_EQ(readBytes("B.map"), readBytes("A.map"));
}

// A shared file must not choose where the next save goes: the map loads,
// named after the file it was opened from, and Ctrl+S and the bitmap write
// beside it.
TEST_F(MapFile, AnUnsafeNameOnLineTwoGivesWayToTheFileName) {
    const std::string unsafe[] = {
        "..\\..\\somewhere\\victim", "Z:\\data\\victim", "C:victim", "/data/victim", "../victim",
        std::string("plain.txt\0tail", 14), std::string("made.cmd\0", 9), "AUX", "con.map", "LPT1", "x:y", "..",
        "end.", std::string(65, 'n'), std::string(2000000, 'n'),
    };
    for (const std::string& name : unsafe) {
        makeMap(1, 1, "Previous");
        writeBytes("Shared.map", mapText(name, "02", "01", {"00", "23"}));
        currentMapName = "Shared";
        openMapFile(map);
        EXPECT_EQ(currentMapName, "Shared") << name.substr(0, 30);
        EXPECT_EQ(quadCountX, 2) << "the rest of the file still loads";
        EXPECT_EQ(mapGrid[0][1], 23);
        ASSERT_TRUE(saveMapFile(map));
        ASSERT_TRUE(saveMapBitmap(map));
        EXPECT_EQ(folderEntries("."), (std::vector<std::string>{"Shared.bmp", "Shared.map"}));
        EXPECT_EQ(crlfLines(readBytes("Shared.map"))[1], "Shared");
        std::filesystem::remove("Shared.bmp");
    }
    // Opened by a path, the file's own name without ".map" stands in.
    std::filesystem::create_directory("sub");
    writeBytes("sub/Inner.map", mapText("../../x", "01", "01", {"07"}));
    ASSERT_TRUE(loadMapFile(map, "sub/Inner.map"));
    EXPECT_EQ(currentMapName, "Inner");
    writeBytes("sub/plain", mapText("AUX", "01", "01", {}));
    ASSERT_TRUE(loadMapFile(map, "sub/plain"));
    EXPECT_EQ(currentMapName, "plain");
    // When that is no safe name either, "Untitled".
    writeBytes("trailing..map", mapText("C:x", "01", "01", {}));
    ASSERT_TRUE(loadMapFile(map, "trailing..map"));
    EXPECT_EQ(currentMapName, "Untitled");
    loadText(mapText("\\x", "01", "01", {}), "C:\\also");
    EXPECT_EQ(currentMapName, "Untitled");
    // In memory, without a file, the current name stays.
    currentMapName = "Here";
    loadText(mapText("a/b", "01", "01", {}));
    EXPECT_EQ(currentMapName, "Here");
    // Names at the limit still load; a line 2 beyond it, blanks and all, is too long.
    loadText(mapText(std::string(64, 'k'), "01", "01", {}));
    EXPECT_EQ(currentMapName, std::string(64, 'k'));
    currentMapName = "Here";
    loadText(mapText(std::string(64, 'k') + " K\xF6ln", "02", "01", {}));
    EXPECT_EQ(currentMapName, "Here");
    EXPECT_EQ(quadCountX, 2) << "the counts still follow on line 3";
    loadText(mapText("K\xF6ln", "01", "01", {}));
    EXPECT_EQ(currentMapName, "K\xF6ln");
}

TEST_F(MapFile, AnUnsafeCurrentNameIsNeitherOpenedNorWritten) {
    makeMap(1, 2, "Home");
    ASSERT_TRUE(writeMapFile(map, "Untitled.map"));
    makeMap(1, 1, "Other");
    writeBytes("AUX.map", mapText("Trap", "03", "01", {}));
    for (const char* name : {"AUX", "../Other", "x:y"}) {
        currentMapName = name;
        EXPECT_FALSE(saveMapFile(map)) << name;
        EXPECT_FALSE(saveMapBitmap(map)) << name;
    }
    currentMapName = "AUX";
    openMapFile(map);  // straight to the fallback
    EXPECT_EQ(currentMapName, "Home");
    EXPECT_EQ(quadCountY, 2);
    EXPECT_EQ(folderEntries("."), (std::vector<std::string>{"AUX.map", "Untitled.map"}));
}

// "Save As Map" keeps blanks: line 2 is read whole when it stands on a line
// of its own, as the program writes it.
TEST_F(MapFile, NameWithBlanksRoundTrips) {
    makeMap(3, 2, "Two Words");
    mapGrid[0][0] = 21;
    mapGrid[299][199] = 55;
    ASSERT_TRUE(saveMapFile(map));
    EXPECT_EQ(crlfLines(readBytes("Two Words.map"))[1], "Two Words");

    makeMap(2, 1, "Previous");
    currentMapName = "Two Words";
    openMapFile(map);
    EXPECT_EQ(currentMapName, "Two Words");
    EXPECT_EQ(quadCountX, 3);
    EXPECT_EQ(quadCountY, 2);
    EXPECT_EQ(mapGrid[0][0], 21);
    EXPECT_EQ(mapGrid[299][199], 55);
    ASSERT_TRUE(saveMapFile(map));
    EXPECT_EQ(crlfLines(readBytes("Two Words.map"))[1], "Two Words");
}

// Every layout the program ever wrote reads as before; only names with
// blanks, which once broke the rest of the file, now read whole.
TEST_F(MapFile, LineTwoIsReadWholeOnlyOnALineOfItsOwn) {
    struct Case {
        std::string text;
        std::string name;
        std::int32_t quadsX;
    };
    const Case cases[] = {
        {mapText("A  B C", "02", "01", {}), "A  B C", 2},             // inner blanks kept
        {mapText("Two Words", "02", "01", {}, "\n"), "Two Words", 2},  // line feeds alone
        {mapText("Two Words", "02", "01", {}, "\r"), "Two Words", 2},  // carriage returns alone
        {mapText(" Lead  ", "02", "01", {}), "Lead", 2},              // blanks around the name go
        // Line 2 is the name whatever it holds: an empty line or a tab in it
        // gives the fall-back name, and the counts stay on lines 3 and 4.
        {"*MapInfo*  \r\n\r\n  Late Name \r\n02\r\n01\r\n*MapTiles*", "Previous", 3},
        {mapText("Tab\tWords", "02", "01", {}), "Previous", 2},
        // Without a line break after the first word, words are tokens, as ever.
        {"*MapInfo* Tiles 02 01 *MapTiles*", "Tiles", 2},
        {"*MapInfo* Two Words 02 01 *MapTiles*", "Two", 3},
        {mapText("Untitled", "02", "01", {}), "Untitled", 2},
    };
    for (const Case& c : cases) {
        makeMap(3, 1, "Previous");
        loadText(c.text);
        EXPECT_EQ(currentMapName, c.name) << c.text.substr(0, 40);
        EXPECT_EQ(quadCountX, c.quadsX) << c.text.substr(0, 40);
    }
}

// A damaged line 2 once shifted the whole head: the next count became the
// name, the size came from the wrong lines and every tile was dropped.
TEST_F(MapFile, AnEmptyOrUnsafeLineTwoShiftsNothing) {
    std::vector<std::string> tiles = repeated("01", 6 * kQuadSize * kQuadSize);
    tiles[kQuadSize * kQuadSize * 3 + 7] = "22";  // quad (1, 0), its tile (0, 7)
    for (const std::string& name : {std::string(), std::string("  "), std::string("C:\\x"), std::string("AUX")}) {
        // CR CR LF: CR LF written once more through a text-mode conversion.
        for (const std::string& lineBreak : {std::string("\r\n"), std::string("\n"), std::string("\r"), std::string("\r\r\n")}) {
            makeMap(1, 1, "Previous");
            EXPECT_EQ(parseMapText(mapText(name, "02", "03", tiles, lineBreak)).failure, MapReadFailure::kNone) << name;
            loadText(mapText(name, "02", "03", tiles, lineBreak), "Plains");
            EXPECT_EQ(currentMapName, "Plains");
            EXPECT_EQ(quadCountX, 2);
            EXPECT_EQ(quadCountY, 3);
            EXPECT_EQ(mapGrid[kQuadSize][7], 22);
            EXPECT_EQ(mapGrid[199][299], 1);
        }
    }
    // Without line breaks the head is read token by token, as ever.
    EXPECT_EQ(parseMapHead("*MapInfo* Hills 02 03 *MapTiles*").name, std::optional<std::string>("Hills"));
    EXPECT_EQ(parseMapHead("*MapInfo* Hills 02 03 *MapTiles*").quadsY, 3);
}

TEST_F(MapFile, MissingFileFallsBackToUntitledThenToAnEmptyMap) {
    makeMap(1, 2, "Home");
    mapGrid[0][150] = 36;
    ASSERT_TRUE(writeMapFile(map, "Untitled.map"));

    makeMap(2, 2, "Gone");
    openMapFile(map);
    EXPECT_EQ(currentMapName, "Home");  // the name on line 2 of "Untitled.map"
    EXPECT_EQ(quadCountX, 1);
    EXPECT_EQ(quadCountY, 2);
    EXPECT_EQ(mapGrid[0][150], 36);

    std::filesystem::remove("Untitled.map");
    makeMap(3, 2, "Gone");
    mapGrid[10][10] = 4;
    openMapFile(map);
    EXPECT_EQ(currentMapName, "Untitled");
    EXPECT_EQ(quadCountX, 3);
    EXPECT_EQ(quadCountY, 2);
    ASSERT_NE(mapGrid, nullptr);
    EXPECT_TRUE(everyTileIs(0));
}

TEST_F(MapFile, FirstStartWithNoFilesGivesOneEmptyQuad) {
    openMapFile(map);
    EXPECT_EQ(currentMapName, "Untitled");
    EXPECT_EQ(quadCountX, 1);
    EXPECT_EQ(quadCountY, 1);
    ASSERT_NE(mapGrid, nullptr);
    EXPECT_TRUE(everyTileIs(0));
}

TEST_F(MapFile, AFolderNamedLikeTheMapCountsAsNoFile) {
    std::filesystem::create_directory("Dir.map");
    makeMap(2, 1, "Dir");
    openMapFile(map);
    EXPECT_EQ(currentMapName, "Untitled");
    EXPECT_EQ(quadCountX, 2);
    ASSERT_NE(mapGrid, nullptr);
}

TEST_F(MapFile, LoadingAMissingFileChangesNothing) {
    makeMap(2, 1, "Stay");
    mapGrid[3][3] = 8;
    TerrainCode** const grid = mapGrid;
    EXPECT_FALSE(loadMapFile(map, "Nothing.map"));
    EXPECT_EQ(mapGrid, grid);
    EXPECT_EQ(mapGrid[3][3], 8);
    EXPECT_EQ(currentMapName, "Stay");
    EXPECT_EQ(quadCountX, 2);
}

TEST_F(MapFile, MalformedCountKeepsThePreviousCount) {
    makeMap(2, 1, "Before");
    writeBytes("Bad.map", mapText("Read", "xx", "03", repeated("05", 100)));
    ASSERT_TRUE(loadMapFile(map, "Bad.map"));
    EXPECT_EQ(currentMapName, "Read");
    EXPECT_EQ(quadCountX, 2);
    EXPECT_EQ(quadCountY, 1);
    EXPECT_TRUE(everyTileIs(0));

    makeMap(1, 2, "Before");
    writeBytes("Bad.map", mapText("Read", "03", "?", repeated("05", 100)));
    ASSERT_TRUE(loadMapFile(map, "Bad.map"));
    EXPECT_EQ(quadCountX, 3);  // the first count was good
    EXPECT_EQ(quadCountY, 2);
    EXPECT_TRUE(everyTileIs(0));
}

TEST_F(MapFile, MalformedTileLeavesItAndEveryLaterTileZero) {
    std::vector<std::string> tiles = repeated("03", 10000);
    tiles[250] = "x4";
    writeBytes("Bad.map", mapText("Bad", "01", "01", tiles));
    ASSERT_TRUE(loadMapFile(map, "Bad.map"));
    EXPECT_EQ(mapGrid[2][49], 3);  // tile line 250
    EXPECT_EQ(mapGrid[2][50], 0);  // tile line 251, the bad one
    EXPECT_EQ(mapGrid[2][51], 0);
    EXPECT_EQ(mapGrid[99][99], 0);

    tiles[250] = "12abc";  // the number is taken, the rest fails the next read
    writeBytes("Bad.map", mapText("Bad", "01", "01", tiles));
    ASSERT_TRUE(loadMapFile(map, "Bad.map"));
    EXPECT_EQ(mapGrid[2][50], 12);
    EXPECT_EQ(mapGrid[2][51], 0);

    tiles[250] = "99999999999";  // beyond 32 bits
    writeBytes("Bad.map", mapText("Bad", "01", "01", tiles));
    ASSERT_TRUE(loadMapFile(map, "Bad.map"));
    EXPECT_EQ(mapGrid[2][49], 3);
    EXPECT_EQ(mapGrid[2][50], 0);
    EXPECT_EQ(mapGrid[50][50], 0);
}

TEST_F(MapFile, SignedAndZeroPaddedTilesReadAsNumbers) {
    std::vector<std::string> tiles = repeated("00", 10000);
    tiles[0] = "+7";
    tiles[1] = "-5";
    tiles[2] = "0007";
    tiles[3] = "123456789";
    tiles[4] = "0-5";  // what a "0" in front would make of -5
    tiles[6] = "11";
    writeBytes("Signs.map", mapText("Signs", "01", "01", tiles));
    ASSERT_TRUE(loadMapFile(map, "Signs.map"));
    EXPECT_EQ(mapGrid[0][0], 7);
    EXPECT_EQ(mapGrid[0][1], -5);
    EXPECT_EQ(mapGrid[0][2], 7);
    EXPECT_EQ(mapGrid[0][3], 123456789);
    // "0-5" reads as 0 and then -5: every later tile is shifted by one.
    EXPECT_EQ(mapGrid[0][4], 0);
    EXPECT_EQ(mapGrid[0][5], -5);
    EXPECT_EQ(mapGrid[0][6], 0);
    EXPECT_EQ(mapGrid[0][7], 11);
}

TEST_F(MapFile, TilesReadAsTheTokenReaderReadsThem) {
    // Every form a tile can take, compared with the plain token reader.
    const std::string tails[] = {
        "\r\n00\r\n7\r\n123\r\n-1\r\n+1\n\n05 06\t07\r\n99\r\n4",
        "\r\n12\r\n34a\r\n56",
        "\r\n\r\n12\r\n\r\n3\r\n1234567890\r\n-2147483648\r\n2147483647\r\n08",
        "\r\n5",
        "\r\n55",
        "\r\n555",
        "\r\n1\r\n2\r\n-",
    };
    for (const std::string& tail : tails) {
        loadText("*MapInfo* T 01 01 *MapTiles*" + tail);
        std::vector<TerrainCode> expected(10000, 0);
        std::size_t pos = 0;
        for (TerrainCode& tile : expected)
            if (!readIntToken(tail, pos, tile)) break;
        EXPECT_EQ(allTiles(), expected) << tail;
    }
}

TEST_F(MapFile, EarlyEndLeavesTheMissingTilesZero) {
    std::vector<std::string> tiles = repeated("14", 15000);
    writeBytes("Short.map", mapText("Short", "1", "2", tiles));
    ASSERT_TRUE(loadMapFile(map, "Short.map"));
    EXPECT_EQ(quadCountY, 2);
    EXPECT_EQ(mapGrid[0][0], 14);
    EXPECT_EQ(mapGrid[0][100], 14);  // tile line 10,001: second quad
    EXPECT_EQ(mapGrid[0][199], 14);
    EXPECT_EQ(mapGrid[49][199], 14);  // tile line 15,000
    EXPECT_EQ(mapGrid[50][100], 0);
    EXPECT_EQ(mapGrid[99][199], 0);

    // Extra tokens after the last tile are never read.
    tiles = repeated("14", 10000);
    tiles.push_back("junk");
    tiles.push_back("5");
    writeBytes("Long.map", mapText("Long", "01", "01", tiles));
    ASSERT_TRUE(loadMapFile(map, "Long.map"));
    EXPECT_TRUE(everyTileIs(14));
}

TEST_F(MapFile, EmptyOrHeaderOnlyFilesKeepWhatTheyCannotSay) {
    makeMap(2, 2, "Previous");
    writeBytes("Empty.map", "");
    ASSERT_TRUE(loadMapFile(map, "Empty.map"));
    EXPECT_EQ(currentMapName, "Previous");
    EXPECT_EQ(quadCountX, 2);
    EXPECT_EQ(quadCountY, 2);
    ASSERT_NE(mapGrid, nullptr);
    EXPECT_TRUE(everyTileIs(0));

    writeBytes("Head.map", "*MapInfo*\r\n");
    ASSERT_TRUE(loadMapFile(map, "Head.map"));
    EXPECT_EQ(currentMapName, "Previous");

    writeBytes("Head.map", "*MapInfo*\r\nNamed\r\n03\r\n01\r\n*MapTiles*");
    ASSERT_TRUE(loadMapFile(map, "Head.map"));
    EXPECT_EQ(currentMapName, "Named");
    EXPECT_EQ(quadCountX, 3);
    EXPECT_EQ(quadCountY, 1);
    EXPECT_TRUE(everyTileIs(0));
}

TEST_F(MapFile, CountsOutsideTheBoundAreRefusedLikeMalformedOnes) {
    const char* rejected[][2] = {{"00", "01"}, {"-1", "01"}, {"01", "0"},  {"101", "01"},
                                 {"01", "101"}, {"2147483648", "01"},
                                 {"-2147483648", "-2147483648"}, {"1000000", "1000000"}};
    for (const auto& counts : rejected) {
        makeMap(1, 1, "Before");
        writeBytes("Huge.map", mapText("Huge", counts[0], counts[1], repeated("05", 50)));
        ASSERT_TRUE(loadMapFile(map, "Huge.map"));
        SCOPED_TRACE(std::string(counts[0]) + " x " + counts[1]);
        EXPECT_EQ(currentMapName, "Huge");
        ASSERT_NE(mapGrid, nullptr);
        EXPECT_TRUE(isAcceptableMapSize(quadCountX, quadCountY));
        EXPECT_EQ(quadCountX * quadCountY, 1);
        EXPECT_TRUE(everyTileIs(0));
    }
}

TEST_F(MapFile, AGoodFirstCountStaysWhenThePairIsStillAcceptable) {
    makeMap(1, 1);
    writeBytes("Pair.map", mapText("Pair", "50", "50", repeated("05", 50)));
    ASSERT_TRUE(loadMapFile(map, "Pair.map"));
    EXPECT_EQ(quadCountX, 50);  // as a malformed second count would leave it
    EXPECT_EQ(quadCountY, 1);
    EXPECT_TRUE(everyTileIs(0));

    // 50 by the previous 30 would be too large: the whole previous size stays.
    makeMap(1, 30);
    writeBytes("Pair.map", mapText("Pair", "50", "bad", repeated("05", 50)));
    ASSERT_TRUE(loadMapFile(map, "Pair.map"));
    EXPECT_EQ(quadCountX, 1);
    EXPECT_EQ(quadCountY, 30);
    ASSERT_NE(mapGrid, nullptr);
}

TEST_F(MapFile, LargestAcceptedMapsLoad) {
    writeBytes("Max.map", mapText("Max", "100", "10", {"21"}));
    ASSERT_TRUE(loadMapFile(map, "Max.map"));
    EXPECT_EQ(quadCountX, 100);
    EXPECT_EQ(quadCountY, 10);
    EXPECT_EQ(mapGrid[0][0], 21);
    EXPECT_EQ(mapGrid[9999][999], 0);
}

TEST_F(MapFile, UnusableSizeInMemoryFallsBackToOneQuad) {
    // Counts that no grid can be made for, and no file to open.
    freeMapGrid(map);
    quadCountX = 0;
    quadCountY = 5;
    currentMapName = "Nowhere";
    openMapFile(map);
    ASSERT_NE(mapGrid, nullptr);
    EXPECT_EQ(quadCountX, 1);
    EXPECT_EQ(quadCountY, 1);

    // Same when a file cannot say the size either.
    freeMapGrid(map);
    quadCountX = 500;
    quadCountY = 500;
    writeBytes("Nosize.map", "*MapInfo* Nosize");
    ASSERT_TRUE(loadMapFile(map, "Nosize.map"));
    ASSERT_NE(mapGrid, nullptr);
    EXPECT_EQ(quadCountX, 1);
    EXPECT_EQ(quadCountY, 1);
}

TEST_F(MapFile, TheParsedMapSaysWhatWasReadAndWhatFailedFirst) {
    const std::string head = "*MapInfo*\r\nA\r\n01\r\n01\r\n*MapTiles*";
    std::string full = head;
    for (int i = 0; i < 10000; ++i) full += "\r\n07";
    const struct {
        std::string text;
        MapReadFailure failure;
        const char* name;  // nullptr: no name line
        std::int32_t quadsX;
        std::int32_t quadsY;
        bool tiles;
    } cases[] = {
        {"", MapReadFailure::kNoHead, nullptr, 0, 0, false},
        {"*MapInfo*", MapReadFailure::kNoName, nullptr, 0, 0, false},
        {"*MapInfo*\r\nA\r\nx", MapReadFailure::kBadQuadCount, "A", 0, 0, false},
        {"*MapInfo*\r\nA\r\n02\r\n0", MapReadFailure::kBadQuadCount, "A", 2, 0, false},
        {"*MapInfo*\r\nA\r\n101\r\n01", MapReadFailure::kBadQuadCount, "A", 0, 0, false},
        {"*MapInfo*\r\nA\r\n40\r\n40\r\n*MapTiles*", MapReadFailure::kTooManyQuads, "A", 40, 0, false},
        {"*MapInfo*\r\nA\r\n01\r\n01", MapReadFailure::kNoTiles, "A", 1, 1, false},
        {head + "\r\n05", MapReadFailure::kBadTile, "A", 1, 1, true},
        {"*MapInfo*\r\nCON\r\n01\r\n01\r\n*MapTiles*", MapReadFailure::kBadTile, "", 1, 1, true},
        {full, MapReadFailure::kNone, "A", 1, 1, true},
    };
    for (const auto& c : cases) {
        map = Map();
        const ParsedMap map = parseMapText(c.text);
        EXPECT_EQ(map.failure, c.failure) << c.text.substr(0, 40);
        EXPECT_EQ(map.name.has_value(), c.name != nullptr) << c.text.substr(0, 40);
        if (map.name && c.name) {
            EXPECT_EQ(*map.name, c.name);
        }
        EXPECT_EQ(map.quadsX, c.quadsX) << c.text.substr(0, 40);
        EXPECT_EQ(map.quadsY, c.quadsY) << c.text.substr(0, 40);
        EXPECT_EQ(static_cast<bool>(map.grid), c.tiles) << c.text.substr(0, 40);
        EXPECT_STRNE(mapReadFailureText(c.failure), "");
        // Parsing replaces nothing.
        EXPECT_EQ(mapGrid, nullptr);
        EXPECT_EQ(currentMapName, "Untitled");
    }
    const ParsedMap cut = parseMapText(head + "\r\n05\r\nzz\r\n06");
    ASSERT_TRUE(cut.grid);
    EXPECT_EQ(cut.grid.columns()[0][0], 5);
    EXPECT_EQ(cut.grid.columns()[0][1], 0);
    EXPECT_EQ(parseMapText(full).grid.columns()[99][99], 7);
}

TEST_F(MapFile, InMemoryReaderMatchesTheFileReader) {
    const std::string text = mapText("Mem", "01", "01", {"01", "02", "-3", "55"}, "\n");
    writeBytes("Mem.map", text);
    ASSERT_TRUE(loadMapFile(map, "Mem.map"));
    const std::vector<TerrainCode> fromFile = allTiles();
    loadText(text);
    EXPECT_EQ(allTiles(), fromFile);
    EXPECT_EQ(currentMapName, "Mem");
    EXPECT_EQ(mapGrid[0][0], 1);
    EXPECT_EQ(mapGrid[0][2], -3);
    EXPECT_EQ(mapGrid[0][3], 55);
    EXPECT_EQ(mapGrid[0][4], 0);
}

TEST_F(MapFile, NoGridMeansNothingToSave) {
    EXPECT_EQ(mapGrid, nullptr);
    EXPECT_FALSE(saveMapFile(map));
    EXPECT_TRUE(folderEntries(".").empty());
}

TEST_F(MapFile, FailedSaveKeepsThePreviousFile) {
    makeMap(1, 1, "Safe");
    mapGrid[0][0] = 1;
    ASSERT_TRUE(saveMapFile(map));
    const std::string before = readBytes("Safe.map");

    // A folder standing where the file should go cannot be replaced.
    mapGrid[0][0] = 2;
    std::filesystem::create_directory("Blocked.map");
    writeBytes("Blocked.map/inside", "x");
    EXPECT_FALSE(writeMapFile(map, "Blocked.map"));
    EXPECT_EQ(readBytes("Blocked.map/inside"), "x");
    EXPECT_EQ(folderEntries("."), (std::vector<std::string>{"Blocked.map", "Safe.map"}));
    EXPECT_EQ(readBytes("Safe.map"), before);
}

}  // namespace
}  // namespace pelorn
