#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/command_ids.h"
#include "app/commands.h"
#include "files/png_file.h"
#include "map/map_grid.h"
#include "support/program_fixture.h"
#include "view/view_mode.h"

namespace pelorn {
namespace {

namespace fs = std::filesystem;

constexpr int kKeyB = 'B';
constexpr int kKeyC = 'C';
constexpr int kKeyF = 'F';
constexpr int kKeyM = 'M';
constexpr int kKeyS = 'S';
constexpr int kKeyU = 'U';
constexpr int kKeyW = 'W';

const Repaint kScroll = test::area({0, 30, 730, 540}, true);
// The position text "X, Y" at (740, 8) lies outside the scroll rectangle.
const Repaint kPositionText = test::area({740, 8, 790, 28}, true);
const Repaint kWhole = test::whole(true);
const Repaint kTool = test::area({580, 8, 710, 28}, true);
const Repaint kBrush = test::area({790, 8, 900, 28}, true);
const Repaint kStartLocation = test::area({900, 8, 950, 28}, true);

// Each test runs in a folder of its own, since saving writes into the working folder.
class CommandsTest : public test::ProgramTest {
protected:
    void SetUp() override {
        previous = fs::current_path();
        folder = fs::temp_directory_path() /
                 ("pelorn_commands_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        fs::current_path(folder);
    }
    void TearDown() override {
        fs::current_path(previous);
        fs::remove_all(folder);
    }

    // The keys and menu commands as the shell hands them over.
    void keyDown(int virtualKey, bool ctrlDown, bool shiftDown = false) {
        handleKeyDown(program, virtualKey, ctrlDown, shiftDown);
    }
    bool menuCommand(int id) { return handleMenuCommand(program, id); }
    // The repaints asked for since the last look, the caption's aside.
    std::vector<Repaint> repaints() { return takeRepaints().others; }

    fs::path previous;
    fs::path folder;
};

TEST_F(CommandsTest, ArrowsScrollOneQuadUntilTheEdgeInBothViews) {
    makeMap(3, 2);
    for (int view : {0, 1}) {
        viewMode = view;
        viewQuadX = 0;
        viewQuadY = 0;
        repaints();  // those of the other view
        keyDown(kKeyUp, false);    // row 0: nothing
        keyDown(kKeyLeft, false);  // column 0: nothing
        EXPECT_TRUE(repaints().empty());
        keyDown(kKeyDown, false);
        EXPECT_EQ(viewQuadY, 1);
        keyDown(kKeyDown, true);  // the last row: nothing, Ctrl or not
        EXPECT_EQ(viewQuadY, 1);
        keyDown(kKeyRight, false);
        keyDown(kKeyRight, false);
        keyDown(kKeyRight, false);
        EXPECT_EQ(viewQuadX, 2);
        keyDown(kKeyLeft, false);
        keyDown(kKeyUp, false);
        EXPECT_EQ(viewQuadX, 1);
        EXPECT_EQ(viewQuadY, 0);
        std::vector<Repaint> scrolls;
        for (int i = 0; i < 5; ++i) scrolls.insert(scrolls.end(), {kScroll, kPositionText});
        EXPECT_EQ(repaints(), scrolls) << "view " << view;
    }
}

TEST_F(CommandsTest, CtrlSSavesInBothViewsAndPlainSDoesNothing) {
    makeMap(1, 1);
    currentMapName = "Keys";
    keyDown(kKeyS, false);
    EXPECT_FALSE(fs::exists("Keys.map"));
    viewMode = 1;
    keyDown(kKeyS, true);
    EXPECT_TRUE(fs::exists("Keys.map"));
    EXPECT_TRUE(repaints().empty());
}

TEST_F(CommandsTest, CtrlMSwitchesTheViewAndBackKeepingThePosition) {
    makeMap(7, 2);
    viewQuadX = 4;
    viewQuadY = 1;
    keyDown(kKeyM, false);
    EXPECT_EQ(viewMode, 0);
    keyDown(kKeyM, true);
    EXPECT_EQ(viewMode, 1);
    keyDown(kKeyM, true);
    EXPECT_EQ(viewMode, 0);
    EXPECT_EQ(viewQuadX, 4);
    EXPECT_EQ(viewQuadY, 1);
    EXPECT_EQ(repaints(), (std::vector{kWhole, kWhole}));
}

TEST_F(CommandsTest, CtrlWShowsTheWholeMapAndCtrlMLeavesIt) {
    makeMap(7, 2);
    viewQuadX = 4;
    keyDown(kKeyW, false);
    EXPECT_EQ(viewMode, 0);
    keyDown(kKeyW, true);
    EXPECT_EQ(viewMode, 2);
    keyDown(kKeyW, true);  // and back
    EXPECT_EQ(viewMode, 0);
    keyDown(kKeyM, true);
    keyDown(kKeyW, true);  // from the overview too
    EXPECT_EQ(viewMode, 2);
    keyDown(kKeyM, true);  // Ctrl+M from the whole map: the detail view
    EXPECT_EQ(viewMode, 0);
    EXPECT_TRUE(menuCommand(IDM_WHOLE_MAP_VIEW));
    EXPECT_EQ(viewMode, 2);
    // The arrows move the frame; the tool keys do nothing here.
    keyDown(kKeyRight, false);
    EXPECT_EQ(viewQuadX, 5);
    keyDown(kKeyB, true);
    EXPECT_FALSE(boldBrush);
    EXPECT_TRUE(menuCommand(IDM_WHOLE_MAP_VIEW));
    EXPECT_EQ(viewMode, 0);
    EXPECT_EQ(viewQuadX, 5);
    EXPECT_EQ(repaints(),
              (std::vector{kWhole, kWhole, kWhole, kWhole, kWhole, kWhole, kScroll, kPositionText, kWhole}));
}

TEST_F(CommandsTest, SavePngWritesTheMapsPictureUnderItsName) {
    makeMap(2, 1);
    mapGrid[150][50] = kDesert;
    currentMapName = "Shared";
    EXPECT_TRUE(menuCommand(IDM_SAVE_PNG));
    std::string error;
    const std::string expected = mapPngBytes(map, PngKind::Picture, error);
    ASSERT_FALSE(expected.empty()) << error;
    std::ifstream file("Shared.png", std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(written, expected);
    // The status line says what was written, and only its field repaints.
    EXPECT_EQ(screen.noticeText, "Saved Shared.png");
    EXPECT_FALSE(screen.noticeIsFailure);
    EXPECT_EQ(repaints(), (std::vector<Repaint>{{kNoticeRect, true, false}}));
    // A name that is no safe file name writes nothing, anywhere, and says so.
    for (const char* name : {"..\\up", "sub/dir", "AUX", "C:x"}) {
        currentMapName = name;
        EXPECT_TRUE(menuCommand(IDM_SAVE_PNG));
        EXPECT_EQ(screen.noticeText, std::string(name) + ".png could not be written");
        EXPECT_TRUE(screen.noticeIsFailure);
    }
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(fs::current_path())) files.push_back(entry.path().filename().string());
    EXPECT_EQ(files, std::vector<std::string>{"Shared.png"});
    EXPECT_FALSE(fs::exists(folder.parent_path() / "up.png"));
}

TEST_F(CommandsTest, ToolKeysWorkOnlyInTheDetailView) {
    makeMap(1, 1);
    viewMode = 1;
    for (int key : {kKeyB, kKeyC, kKeyF, kKeyU}) keyDown(key, true);
    fillTool = true;
    keyDown(kKeyEnter, false);
    EXPECT_TRUE(fillTool);
    EXPECT_FALSE(boldBrush);
    EXPECT_FALSE(startLocationMode);
    EXPECT_FALSE(bucketTool);
    EXPECT_TRUE(repaints().empty());
    // The menu commands of the same tools work in the overview.
    EXPECT_TRUE(menuCommand(IDM_BOLD_BRUSH));
    EXPECT_TRUE(boldBrush);
    EXPECT_EQ(repaints(), std::vector{kBrush});
}

TEST_F(CommandsTest, ToolKeysInTheDetailView) {
    makeMap(1, 1);
    keyDown(kKeyB, false);
    keyDown(kKeyF, false);
    keyDown(kKeyU, false);
    keyDown(kKeyC, false);
    EXPECT_TRUE(repaints().empty());
    keyDown(kKeyB, true);
    EXPECT_TRUE(boldBrush);
    keyDown(kKeyC, true);
    EXPECT_TRUE(startLocationMode);
    keyDown(kKeyU, true);
    EXPECT_TRUE(bucketTool);
    keyDown(kKeyF, true);  // the bucket goes off, the fill tool comes on
    EXPECT_TRUE(fillTool);
    EXPECT_FALSE(bucketTool);
    keyDown(kKeyF, true);
    EXPECT_FALSE(fillTool);
    EXPECT_FALSE(bucketTool);
    EXPECT_EQ(repaints(), (std::vector{kBrush, kStartLocation, kTool, kTool, kTool}));
}

TEST_F(CommandsTest, EnterFillsTheMapOnceWithTheFillTool) {
    makeMap(2, 1);
    currentTerrain = kDesert;
    keyDown(kKeyEnter, false);  // no fill tool: nothing
    EXPECT_EQ(mapGrid[0][0], kVoid);
    EXPECT_TRUE(repaints().empty());
    keyDown(kKeyF, true);
    keyDown(kKeyEnter, false);
    EXPECT_FALSE(fillTool);
    EXPECT_EQ(mapGrid[0][0], kDesert);
    EXPECT_EQ(mapGrid[199][99], kDesert);
    currentTerrain = kSea;
    keyDown(kKeyEnter, true);  // the tool is off again
    EXPECT_EQ(mapGrid[0][0], kDesert);
    EXPECT_EQ(repaints(), (std::vector{kTool, kWhole}));
}

TEST_F(CommandsTest, MenuCommandsOfTheCore) {
    makeMap(1, 1);
    currentMapName = "Menu";
    EXPECT_TRUE(menuCommand(IDM_SAVE_MAP));
    EXPECT_TRUE(fs::exists("Menu.map"));
    EXPECT_TRUE(menuCommand(IDM_SAVE_BITMAP));
    EXPECT_TRUE(fs::exists("Menu.bmp"));
    EXPECT_TRUE(menuCommand(IDM_CHANGE_VIEW));
    EXPECT_EQ(viewMode, 1);
    EXPECT_TRUE(menuCommand(IDM_FILL_TOOL));
    EXPECT_TRUE(fillTool);
    EXPECT_TRUE(menuCommand(IDM_BUCKET_TOOL));
    EXPECT_TRUE(bucketTool);
    EXPECT_FALSE(fillTool);
    EXPECT_TRUE(menuCommand(IDM_START_LOCATION_MODE));
    EXPECT_TRUE(startLocationMode);
    EXPECT_TRUE(menuCommand(IDM_CHANGE_VIEW));
    EXPECT_EQ(viewMode, 0);
    EXPECT_EQ(repaints(), (std::vector{kWhole, kTool, kTool, kStartLocation, kWhole}));
}

TEST_F(CommandsTest, DialogsExitAndUnknownIdsAreLeftToTheShell) {
    makeMap(1, 1);
    for (int id : {IDM_ABOUT, IDM_EXIT, IDM_NEW_MAP, IDM_SAVE_AS_MAP, IDM_OPEN_MAP, IDM_GENERATE_MAP,
                   IDM_GENERATE_START_LOCATIONS, 299, 318, 0}) {
        EXPECT_FALSE(menuCommand(id)) << id;
    }
    EXPECT_TRUE(repaints().empty());
    EXPECT_EQ(viewMode, 0);
    EXPECT_TRUE(fs::is_empty(fs::current_path()));
}

TEST_F(CommandsTest, UndoAndRedoKeysAndMenuItemsInBothViews) {
    makeMap(1, 1);
    currentTerrain = kDesert;
    auto strokeAt = [this](int x, int y) {
        const ClientPoint point{47 + 6 * x, 76 + 4 * y};
        editor.press(point);
        editor.strokeTo(point);
        editor.release();
    };
    strokeAt(1, 1);
    strokeAt(2, 2);
    constexpr int kKeyY = 'Y';
    constexpr int kKeyZ = 'Z';
    keyDown(kKeyZ, false);  // no Ctrl: nothing
    EXPECT_EQ(mapGrid[2][2], kDesert);
    keyDown(kKeyZ, true);
    EXPECT_EQ(mapGrid[2][2], kVoid);
    viewMode = 1;
    keyDown(kKeyZ, true);
    EXPECT_EQ(mapGrid[1][1], kVoid);
    keyDown(kKeyY, true);
    EXPECT_EQ(mapGrid[1][1], kDesert);
    viewMode = 0;
    keyDown(kKeyZ, true, true);  // Ctrl+Shift+Z redoes
    EXPECT_EQ(mapGrid[2][2], kDesert);
    EXPECT_TRUE(menuCommand(IDM_UNDO));
    EXPECT_EQ(mapGrid[2][2], kVoid);
    viewMode = 1;
    EXPECT_TRUE(menuCommand(IDM_REDO));
    EXPECT_EQ(mapGrid[2][2], kDesert);
    EXPECT_TRUE(menuCommand(IDM_REDO));  // nothing left to redo: still the core's command
    EXPECT_EQ(IDM_UNDO, 314);
    EXPECT_EQ(IDM_REDO, 315);
}

// The hand edits' keys: plain X, Y, Z only while a stamp floats, Ctrl+X cuts,
// the clipboard keys, typed brackets, Escape and Delete, and Ctrl+H for the shell.
TEST_F(CommandsTest, HandEditKeys) {
    makeMap(1, 1, kSea);
    keyDown('R', true);
    keyDown(kKeyF, true);  // the fill tool turns the selection tool off
    EXPECT_FALSE(screen.selectTool || !fillTool);
    keyDown('A', true);
    EXPECT_EQ(screen.selection, (TileRect{0, 0, 100, 100}));
    keyDown(kKeyEscape, false);
    EXPECT_FALSE(screen.selection);
    editor.setSelection(TileRect{0, 0, 1, 2});
    keyDown(kKeyInsert, true);
    ASSERT_TRUE(editor.clipboardOut);
    keyDown('X', false);  // no stamp: plain X means nothing
    EXPECT_EQ(mapGrid[0][0], kSea);
    keyDown(kKeyInsert, false, true);
    EXPECT_TRUE(editor.clipboardWanted);
    editor.pasteBlockText("PELORN-BLOCK 2 1\r\n01\r\n02");
    keyDown('X', false);
    EXPECT_EQ(screen.stamp->block.cells, (std::vector<TerrainCode>{2, 1}));
    keyDown('Z', false);  // both ways, not undo
    EXPECT_EQ(screen.stamp->block.cells, (std::vector<TerrainCode>{-1, 1, 2, -1}));
    keyDown(kKeyEscape, false);
    EXPECT_FALSE(screen.stamp);
    keyDown('X', true);  // Ctrl+X cuts
    EXPECT_EQ(mapGrid[0][1], kVoid);
    mapGrid[0][1] = kSea;
    keyDown(kKeyDelete, false);
    EXPECT_EQ(mapGrid[0][1], kVoid);
    for (char typed : {']', ']', ']', '[', 'x'}) handleCharacter(program, typed);
    EXPECT_EQ(screen.brushSize, 2);
    EXPECT_EQ(handleKeyDown(program, 'H', true, false), IDM_REPLACE_TERRAIN);
    EXPECT_EQ(handleKeyDown(program, 'H', false, false), 0);
}

}  // namespace
}  // namespace pelorn
