// The resource script read back as the resource compiler sees it: menu,
// accelerators, strings and dialog templates. Their texts (odd spellings
// included) and layouts are otherwise only checked under Wine.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/command_ids.h"
#include "app/commands.h"
#include "dialogs/generate_terrain_dialog.h"
#include "dialogs/seed_field.h"
#include "resources/resource.h"

namespace pelorn {
namespace {

const std::string kSourceRoot = std::string(PELORN_TEST_DATA) + "/../..";

std::string trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// Splits at commas outside quotes and trims each part.
std::vector<std::string> splitArgs(const std::string& text) {
    std::vector<std::string> parts(1);
    bool quoted = false;
    for (char c : text) {
        if (c == '"') quoted = !quoted;
        if (c == ',' && !quoted)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    for (std::string& part : parts) part = trim(part);
    return parts;
}

std::string unquote(const std::string& text) {
    return text.size() >= 2 && text.front() == '"' ? text.substr(1, text.size() - 2) : text;
}

struct Control {
    std::string kind, text;
    int id = 0, x = 0, y = 0, width = 0, height = 0;
    std::string style;
};

struct Dialog {
    int width = 0, height = 0;
    std::string style, caption, font;
    std::vector<Control> controls;
};

struct MenuItem {
    std::string popup, text;
    int id;
};

struct ResourceScript {
    std::map<std::string, int> symbols{{"IDOK", 1}, {"IDCANCEL", 2}, {"IDC_STATIC", -1}};
    std::vector<MenuItem> menu;
    std::vector<std::vector<std::string>> accelerators;
    std::map<int, std::string> strings;
    std::map<int, Dialog> dialogs;
    std::vector<int> icons;

    int value(const std::string& token) const {
        if (!token.empty() && (std::isdigit(static_cast<unsigned char>(token[0])) || token[0] == '-'))
            return std::stoi(token);
        const auto found = symbols.find(token);
        if (found == symbols.end()) ADD_FAILURE() << "unknown symbol " << token;
        return found == symbols.end() ? -9999 : found->second;
    }

    void readDefines(const std::string& path) {
        std::ifstream in(path);
        EXPECT_TRUE(in.is_open()) << path;
        std::string word, name, number;
        for (std::string line; std::getline(in, line);) {
            std::istringstream words(line);
            if (words >> word >> name >> number && word == "#define" && !number.empty() &&
                (std::isdigit(static_cast<unsigned char>(number[0])) || number[0] == '('))
                symbols[name] = std::stoi(number[0] == '(' ? number.substr(1) : number);
        }
    }

    void read(const std::string& path) {
        std::ifstream in(path);
        ASSERT_TRUE(in.is_open()) << path;
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(trim(line));
        std::string block, popup;
        int dialogId = 0, depth = 0;
        for (const std::string& line : lines) {
            if (line.empty() || line.rfind("//", 0) == 0 || line[0] == '#') continue;
            std::istringstream words(line);
            std::string first, second;
            words >> first >> second;
            if (depth == 0) {
                if (first == "STRINGTABLE" || second == "MENU" || second == "ACCELERATORS") {
                    block = first == "STRINGTABLE" ? first : second;
                } else if (second == "DIALOGEX") {
                    block = second;
                    dialogId = value(first);
                    const auto args = splitArgs(line.substr(line.find("DIALOGEX") + 8));
                    dialogs[dialogId].width = value(args.at(2));
                    dialogs[dialogId].height = value(args.at(3));
                } else if (second == "ICON") {
                    icons.push_back(value(first));
                } else if (block == "DIALOGEX" && first == "STYLE") {
                    dialogs[dialogId].style = trim(line.substr(5));
                } else if (block == "DIALOGEX" && first == "CAPTION") {
                    dialogs[dialogId].caption = unquote(trim(line.substr(7)));
                } else if (block == "DIALOGEX" && first == "FONT") {
                    dialogs[dialogId].font = trim(line.substr(4));
                }
            }
            if (first == "BEGIN") { ++depth; continue; }
            if (first == "END") { --depth; continue; }
            if (depth == 0) continue;
            if (block == "MENU") {
                if (first == "POPUP") popup = unquote(trim(line.substr(5)));
                if (first == "MENUITEM") {
                    const auto args = splitArgs(line.substr(8));
                    menu.push_back({popup, unquote(args[0]), args.size() > 1 ? value(args[1]) : -1});
                }
                // Separators and nested pop-ups show up as items of kinds the check does not expect.
                if (first != "POPUP" && first != "MENUITEM") menu.push_back({popup, line, -1});
            } else if (block == "ACCELERATORS") {
                accelerators.push_back(splitArgs(line));
            } else if (block == "STRINGTABLE") {
                strings[value(first)] = unquote(trim(line.substr(first.size())));
            } else if (block == "DIALOGEX") {
                Control control;
                control.kind = first;
                auto args = splitArgs(line.substr(first.size()));
                if (!args.empty() && args[0].front() == '"') {
                    control.text = unquote(args[0]);
                    args.erase(args.begin());
                }
                if (control.kind == "ICON") args.erase(args.begin());  // the icon's own id
                control.id = value(args.at(0));
                control.x = value(args.at(1));
                control.y = value(args.at(2));
                control.width = value(args.at(3));
                control.height = value(args.at(4));
                if (args.size() > 5) control.style = args[5];
                dialogs[dialogId].controls.push_back(control);
            }
        }
    }
};

class ResourceScriptTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        script = new ResourceScript;
        script->readDefines(kSourceRoot + "/resources/resource.h");
        script->readDefines(kSourceRoot + "/app/command_ids.h");
        script->read(kSourceRoot + "/resources/pelorn.rc");
    }
    static void TearDownTestSuite() {
        delete script;
        script = nullptr;
    }
    static ResourceScript* script;
};

ResourceScript* ResourceScriptTest::script = nullptr;

bool hasFlag(const std::string& style, const std::string& flag) {
    std::istringstream parts(style);
    for (std::string part; std::getline(parts, part, '|');)
        if (trim(part) == flag) return true;
    return false;
}

TEST_F(ResourceScriptTest, MenuTextsIdsAndOrderWithoutSeparators) {
    const std::vector<MenuItem> expected = {
        {"File", "New", 302},
        {"File", "Open", 304},
        {"File", "Save (CTRL-S)", 305},
        {"File", "Save As", 303},
        {"File", "Save Bitmap", 313},
        {"File", "Exit", 301},
        {"File", "Save PNG", 317},
        {"File", "Recover...", 318},
        {"Tools", "Change Map View (CTRL-M)", 306},
        {"Tools", "Toggle Bold Brush (CTRL-B)", 307},
        {"Tools", "Toggle Fill (CTRL-F)", 308},
        {"Tools", "Toggle FIll Bucket (CTRL-U)", 312},
        {"Tools", "Toggle Start Locations (CTRL-C)", 309},
        {"Tools", "Undo (CTRL-Z)", 314},
        {"Tools", "Redo (CTRL-Y)", 315},
        {"Tools", "Whole Map View (CTRL-W)", 316},
        {"Tools", "Toggle Select (CTRL-R)", 320},
        {"Tools", "Select All (CTRL-A)", 321},
        {"Tools", "Copy (Ctrl+Insert)", 322},
        {"Tools", "Cut (CTRL-X)", 323},
        {"Tools", "Paste (CTRL-V)", 324},
        {"Tools", "Clear Selection to Void (Delete)", 325},
        {"Tools", "Replace Terrain (CTRL-H)", 326},
        {"Tools", "Larger Brush (])", 327},
        {"Tools", "Smaller Brush ([)", 328},
        {"Tools", "Mirror Stamp East-West (X)", 329},
        {"Tools", "Mirror Stamp North-South (Y)", 330},
        {"Tools", "Mirror Stamp Both Ways (Z)", 331},
        {"Tools", "End Stamp or Selection (Esc)", 332},
        {"Tools", "Show Rooms (CTRL-T)", 319},
        {"Generate", "Generate Random Map", 310},
        {"Generate", "Generate Start Locations", 311},
        {"Info", "About", 300},
    };
    ASSERT_EQ(script->menu.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(script->menu[i].popup, expected[i].popup) << i;
        EXPECT_EQ(script->menu[i].text, expected[i].text) << i;
        EXPECT_EQ(script->menu[i].id, expected[i].id) << i;
    }
}

// The command table is the menu as the core knows it: the script's items are
// its entries with a menu text, the same texts and ids in the same order, and
// a "(CTRL-x)" in a text is the key the entry answers to.
TEST_F(ResourceScriptTest, MenuIsTheCommandTable) {
    std::vector<const Command*> menuCommands;
    for (const Command* c = commandsBegin(); c != commandsEnd(); ++c) {
        if (c->menuText) {
            menuCommands.push_back(c);
        } else {
            EXPECT_EQ(c->id, 0) << "a key of no menu item has no menu id";
        }
    }
    ASSERT_EQ(script->menu.size(), menuCommands.size());
    for (std::size_t i = 0; i < menuCommands.size(); ++i) {
        const Command& command = *menuCommands[i];
        SCOPED_TRACE(command.menuText);
        EXPECT_EQ(script->menu[i].text, command.menuText);
        EXPECT_EQ(script->menu[i].id, command.id);
        EXPECT_EQ(commandForId(command.id), &command);
        const std::string text = command.menuText;
        const std::size_t ctrl = text.find("(CTRL-");
        if (ctrl == std::string::npos) {
            EXPECT_EQ(command.key.virtualKey, 0);
        } else {
            ASSERT_EQ(text.size(), ctrl + 8);
            EXPECT_EQ(command.key.virtualKey, text[ctrl + 6]);
            EXPECT_EQ(command.key.ctrl, Ctrl::kHeld);
        }
    }
}

TEST_F(ResourceScriptTest, StringsIconsAndAccelerators) {
    EXPECT_EQ(script->strings[103], "Pelorn");
    EXPECT_EQ(script->strings[500], "PELORN");
    EXPECT_EQ(script->icons, (std::vector<int>{400, 401}));
    bool question = false, slash = false;
    // Every accelerator is an Alt key of "About": the Ctrl keys the menu items
    // name (Ctrl+W of "Whole Map View" too) reach WM_KEYDOWN untranslated.
    for (const auto& entry : script->accelerators) {
        ASSERT_GE(entry.size(), 4u);
        for (const std::string& flag : entry) EXPECT_NE(flag, "CONTROL") << entry[0];
        EXPECT_EQ(script->value(entry[1]), IDM_ABOUT) << entry[0];
        EXPECT_TRUE(entry.back() == "ALT" || entry[entry.size() - 2] == "ALT") << entry[0];
        // The "/?" key, as the character either way or as the key itself.
        EXPECT_TRUE(entry[0] == "\"?\"" || entry[0] == "\"/\"" || (entry[0] == "VK_OEM_2" && entry[2] == "VIRTKEY"))
            << entry[0];
        if (entry[0] == "\"?\"" && entry[2] == "ASCII") question = true;
        if (entry[0] == "\"/\"" && entry[2] == "ASCII") slash = true;
    }
    EXPECT_TRUE(question);
    EXPECT_TRUE(slash);
}

// Statics by text; the other controls in tab order.
struct Expected {
    std::string kind, text;
    int id, x, y, width, height;  // width -1: not fixed
};

void expectDialog(const Dialog& dialog, const std::string& caption, int width, int height,
                  const std::vector<Expected>& statics, const std::vector<Expected>& tabOrder) {
    SCOPED_TRACE(caption);
    EXPECT_EQ(dialog.caption, caption);
    EXPECT_EQ(dialog.width, width);
    EXPECT_EQ(dialog.height, height);
    EXPECT_EQ(dialog.font, "8, \"MS Shell Dlg\"");
    for (const char* flag : {"DS_MODALFRAME", "WS_POPUP", "WS_CAPTION", "WS_SYSMENU"})
        EXPECT_TRUE(hasFlag(dialog.style, flag)) << flag;
    std::vector<const Control*> labels, stops;
    for (const Control& c : dialog.controls) (c.kind == "LTEXT" ? labels : stops).push_back(&c);
    ASSERT_EQ(labels.size(), statics.size());
    for (const Expected& e : statics) {
        const Control* found = nullptr;
        for (const Control* c : labels)
            if (c->text == e.text) found = c;
        ASSERT_NE(found, nullptr) << e.text;
        EXPECT_EQ(found->id, -1) << e.text;
        EXPECT_EQ(found->x, e.x) << e.text;
        EXPECT_EQ(found->y, e.y) << e.text;
        if (e.width >= 0) {
            EXPECT_EQ(found->width, e.width) << e.text;
        }
        EXPECT_EQ(found->height, e.height) << e.text;
    }
    ASSERT_EQ(stops.size(), tabOrder.size());
    for (std::size_t i = 0; i < tabOrder.size(); ++i) {
        const Control& c = *stops[i];
        const Expected& e = tabOrder[i];
        SCOPED_TRACE(e.id);
        EXPECT_EQ(c.kind, e.kind);
        EXPECT_EQ(c.text, e.text);
        EXPECT_EQ(c.id, e.id);
        EXPECT_EQ(c.x, e.x);
        EXPECT_EQ(c.y, e.y);
        EXPECT_EQ(c.width, e.width);
        EXPECT_EQ(c.height, e.height);
        EXPECT_FALSE(c.style.find("NOT") != std::string::npos) << c.style;
        if (c.kind == "EDITTEXT") {
            EXPECT_TRUE(hasFlag(c.style, "ES_AUTOHSCROLL"));
        }
        if (c.kind == "CHECKBOX") {
            EXPECT_FALSE(hasFlag(c.style, "BS_AUTOCHECKBOX"));
        }
    }
}

TEST_F(ResourceScriptTest, MapDialogTemplates) {
    const Expected ok{"DEFPUSHBUTTON", "OK", 1, 30, 68, 50, 14};
    const Expected cancel{"PUSHBUTTON", "CANCEL", 2, 90, 68, 50, 14};
    expectDialog(script->dialogs[202], "New Map", 170, 90,
                 {{"LTEXT", "Map name:", -1, 10, 16, 114, 8},
                  {"LTEXT", "Quad X:", -1, 10, 32, 114, 8},
                  {"LTEXT", "Quad Y:", -1, 10, 48, 114, 8}},
                 {{"EDITTEXT", "", 601, 56, 13, 100, 14},
                  {"EDITTEXT", "", 602, 56, 29, 100, 14},
                  {"EDITTEXT", "", 603, 56, 45, 100, 14},
                  ok,
                  cancel});
    for (const auto& [id, caption] : {std::pair<int, const char*>{203, "Save As Map"}, std::pair<int, const char*>{204, "Open Map"}}) {
        expectDialog(script->dialogs[id], caption, 170, 58, {{"LTEXT", "Map name:", -1, 10, 16, 114, 8}},
                     {{"EDITTEXT", "", 601, 56, 13, 100, 14},
                      {"DEFPUSHBUTTON", "OK", 1, 30, 36, 50, 14},
                      {"PUSHBUTTON", "CANCEL", 2, 90, 36, 50, 14}});
    }
    // About: OK is its first tab stop.
    const Dialog& about = script->dialogs[201];
    EXPECT_EQ(about.caption, "About Pelorn");
    const Control* firstStop = nullptr;
    for (const Control& c : about.controls)
        if (!firstStop && c.kind != "LTEXT" && c.kind != "ICON") firstStop = &c;
    ASSERT_NE(firstStop, nullptr);
    EXPECT_EQ(firstStop->kind, "DEFPUSHBUTTON");
    EXPECT_EQ(firstStop->id, 1);
}

// "Replace Terrain": the two fields, the check box, OK and CANCEL, in that tab order.
TEST_F(ResourceScriptTest, ReplaceTerrainDialogTemplate) {
    expectDialog(script->dialogs[208], "Replace Terrain", 190, 94,
                 {{"LTEXT", "Replace:", -1, 10, 16, 50, 8}, {"LTEXT", "With:", -1, 10, 32, 50, 8}},
                 {{"EDITTEXT", "", 720, 66, 13, 110, 14},
                  {"EDITTEXT", "", 721, 66, 29, 110, 14},
                  {"CHECKBOX", "Only in the selection", 722, 10, 50, 160, 10},
                  {"DEFPUSHBUTTON", "OK", 1, 40, 72, 50, 14},
                  {"PUSHBUTTON", "CANCEL", 2, 100, 72, 50, 14}});
}

// The original controls keep their ids and their tab order (the number of
// tries, OK, CANCEL; the buttons moved down to make room for the seed row);
// the players-mode fields, right of them, and the seed row, under the number
// of tries, come after them.
TEST_F(ResourceScriptTest, StartLocationsDialogTemplate) {
    expectDialog(script->dialogs[205], "Generate Start Locations", 316, 74,
                 {{"LTEXT", "Number of tries:", -1, 10, 16, 114, 8},
                  {"LTEXT", "Players:", -1, 196, 16, 60, 8},
                  {"LTEXT", "Min. distance:", -1, 196, 32, 60, 8},
                  {"LTEXT", "Radius:", -1, 196, 48, 60, 8},
                  {"LTEXT", kSeedLabel, -1, 10, 32, 60, 8}},
                 {{"EDITTEXT", "", 601, 76, 13, 100, 14},
                  {"DEFPUSHBUTTON", "OK", 1, 40, 52, 50, 14},
                  {"PUSHBUTTON", "CANCEL", 2, 100, 52, 50, 14},
                  {"EDITTEXT", "", 602, 258, 13, 48, 14},
                  {"EDITTEXT", "", 603, 258, 29, 48, 14},
                  {"EDITTEXT", "", 604, 258, 45, 48, 14},
                  {"EDITTEXT", "", IDC_SEED, 76, 29, 100, 14}});
}

// The labels come from the dialog logic's own table, so the template and the
// fields OK reads cannot drift apart.
TEST_F(ResourceScriptTest, GenerateTerrainDialogTemplate) {
    const int columnX[3] = {16, 208, 400};
    std::vector<Expected> statics, stops;
    for (int column = 0; column < 3; ++column)
        statics.push_back({"LTEXT", kTerrainColumnHeadings[column], -1, columnX[column], 16, -1, 8});
    statics.push_back({"LTEXT", kMapBordersLabel, -1, 16, 192, 160, 8});
    auto addField = [&](const TerrainDialogControl& field) {
        const int column = field.id <= 609 ? 0 : field.id <= 619 ? 1 : 2;
        const int row = field.id - (column == 0 ? 601 : column == 1 ? 612 : 620);
        statics.push_back({"LTEXT", field.label, -1, columnX[column], 32 + 16 * row, 160, 8});
        stops.push_back({"EDITTEXT", "", field.id, columnX[column] + 116, 29 + 16 * row, 30, 14});
    };
    for (int i = 0; i < 9; ++i) addField(kTerrainEditFields[i]);
    stops.push_back({"CHECKBOX", kTerrainCheckBoxes[0].label, 610, 16, 208, 160, 10});
    stops.push_back({"CHECKBOX", kTerrainCheckBoxes[1].label, 611, 16, 224, 160, 10});
    for (int i = 9; i < kTerrainEditFieldCount; ++i) addField(kTerrainEditFields[i]);
    stops.push_back({"DEFPUSHBUTTON", "OK", 1, 226, 240, 50, 14});
    stops.push_back({"PUSHBUTTON", "CANCEL", 2, 286, 240, 50, 14});
    // Added after the original controls: the seed and the symmetry, in the
    // two free rows of the climate column.
    statics.push_back({"LTEXT", kSeedLabel, -1, 208, 160, 100, 8});
    stops.push_back({"EDITTEXT", "", IDC_SEED, 324, 157, 60, 14});
    statics.push_back({"LTEXT", kSymmetryLabel, -1, 208, 176, 100, 8});
    stops.push_back({"COMBOBOX", "", IDC_SYMMETRY, 324, 173, 60, 64});
    statics.push_back({"LTEXT", kQuadsXLabel, -1, 208, 192, 100, 8});
    stops.push_back({"EDITTEXT", "", IDC_GENERATE_QUADS_X, 324, 189, 60, 14});
    statics.push_back({"LTEXT", kQuadsYLabel, -1, 208, 208, 100, 8});
    stops.push_back({"EDITTEXT", "", IDC_GENERATE_QUADS_Y, 324, 205, 60, 14});
    expectDialog(script->dialogs[206], "Generate Terrain", 560, 260, statics, stops);
    // A list to choose from, not a field to type in.
    for (const Control& c : script->dialogs[206].controls) {
        if (c.id == IDC_SYMMETRY) {
            EXPECT_TRUE(hasFlag(c.style, "CBS_DROPDOWNLIST")) << c.style;
        }
    }
}

}  // namespace
}  // namespace pelorn
