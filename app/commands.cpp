#include "app/commands.h"

#include <iterator>
#include <string>

#include "app/command_ids.h"
#include "editing/unsaved_work.h"
#include "files/bitmap_file.h"
#include "files/png_file.h"
#include "view/notice.h"
#include "view/view.h"
#include "view/view_mode.h"

namespace pelorn {

namespace {

constexpr Key ctrlKey(char letter, Shift shift = Shift::kAny) { return {letter, Ctrl::kHeld, shift}; }
constexpr Key plainKey(int virtualKey) { return {virtualKey, Ctrl::kAny, Shift::kAny}; }
constexpr Key kNoKey{};
// A key without Ctrl; Shift as given.
constexpr Key bareKey(int virtualKey, Shift shift = Shift::kAny) { return {virtualKey, Ctrl::kUp, shift}; }
constexpr Key typedKey(char typed) { return {0, Ctrl::kAny, Shift::kAny, typed}; }

Editor& editorOf(Program& program) { return program.editor; }

void save(Program& p) { saveMap(editorOf(p)); }
void saveBitmap(Program& p) { saveMapBitmap(p.document.map); }
// What was written, or that nothing was, in the status line.
void savePng(Program& p) {
    const std::string file = p.document.map.currentMapName + ".png";
    const bool saved = saveMapPng(p.document.map);
    showNotice(p.editor.screen, saved ? "Saved " + file : file + " could not be written", !saved);
}
void changeView(Program& p) { p.editor.switchViewMode(); }
void wholeMapView(Program& p) { p.editor.switchWholeMapView(); }
void boldBrush(Program& p) { p.editor.toggleBoldBrush(); }
void fillTool(Program& p) { p.editor.toggleFillTool(); }
void bucketTool(Program& p) { p.editor.toggleBucketTool(); }
void startLocationMode(Program& p) { p.editor.toggleStartLocationMode(); }
void fillWholeMap(Program& p) { p.editor.fillWholeMap(); }
void undo(Program& p) { p.editor.undo(); }
void redo(Program& p) { p.editor.redo(); }
// The rooms' tints show in the whole-map view only; the switch is kept in any view.
void showRooms(Program& p) {
    Screen& screen = p.editor.screen;
    screen.showRooms = !screen.showRooms;
    if (screen.viewMode == kWholeMapView) currentView(screen).repaintTiles(screen.repaints, false);
}
void scrollUp(Program& p) { p.editor.scroll(0, -1); }
void scrollDown(Program& p) { p.editor.scroll(0, 1); }
void scrollLeft(Program& p) { p.editor.scroll(-1, 0); }
void scrollRight(Program& p) { p.editor.scroll(1, 0); }
void selectTool(Program& p) { p.editor.toggleSelectTool(); }
void selectAll(Program& p) { p.editor.selectAll(); }
void copy(Program& p) { p.editor.copySelection(); }
void cut(Program& p) { p.editor.cutSelection(); }
void paste(Program& p) { p.editor.requestPaste(); }
void clearSelection(Program& p) { p.editor.clearSelection(); }
void largerBrush(Program& p) { p.editor.stepBrush(1); }
void smallerBrush(Program& p) { p.editor.stepBrush(-1); }
void mirrorEastWest(Program& p) { p.editor.mirrorStamp(true, false); }
void mirrorNorthSouth(Program& p) { p.editor.mirrorStamp(false, true); }
void mirrorBoth(Program& p) { p.editor.mirrorStamp(true, true); }
void cancelHandEdit(Program& p) { p.editor.cancelHandEdit(); }
// Plain X, Y and Z mean something only while a stamp floats.
void mirrorKey(Program& p, bool eastWest, bool northSouth) {
    if (p.editor.screen.stamp) p.editor.mirrorStamp(eastWest, northSouth);
}
void keyX(Program& p) { mirrorKey(p, true, false); }
void keyY(Program& p) { mirrorKey(p, false, true); }
void keyZ(Program& p) { mirrorKey(p, true, true); }

constexpr Command kCommands[] = {
    // "File"
    {IDM_NEW_MAP, "New", kNoKey, Views::kAll, nullptr},
    {IDM_OPEN_MAP, "Open", kNoKey, Views::kAll, nullptr},
    {IDM_SAVE_MAP, "Save (CTRL-S)", ctrlKey('S'), Views::kAll, save},
    {IDM_SAVE_AS_MAP, "Save As", kNoKey, Views::kAll, nullptr},
    {IDM_SAVE_BITMAP, "Save Bitmap", kNoKey, Views::kAll, saveBitmap},
    {IDM_EXIT, "Exit", kNoKey, Views::kAll, nullptr},
    {IDM_SAVE_PNG, "Save PNG", kNoKey, Views::kAll, savePng},
    {IDM_RECOVER, "Recover...", kNoKey, Views::kAll, nullptr},
    // "Tools"
    {IDM_CHANGE_VIEW, "Change Map View (CTRL-M)", ctrlKey('M'), Views::kAll, changeView},
    {IDM_BOLD_BRUSH, "Toggle Bold Brush (CTRL-B)", ctrlKey('B'), Views::kDetailOnly, boldBrush},
    {IDM_FILL_TOOL, "Toggle Fill (CTRL-F)", ctrlKey('F'), Views::kDetailOnly, fillTool},
    {IDM_BUCKET_TOOL, "Toggle FIll Bucket (CTRL-U)", ctrlKey('U'), Views::kDetailOnly, bucketTool},
    {IDM_START_LOCATION_MODE, "Toggle Start Locations (CTRL-C)", ctrlKey('C'), Views::kDetailOnly,
     startLocationMode},
    {IDM_UNDO, "Undo (CTRL-Z)", ctrlKey('Z', Shift::kUp), Views::kAll, undo},
    {IDM_REDO, "Redo (CTRL-Y)", ctrlKey('Y'), Views::kAll, redo},
    {IDM_WHOLE_MAP_VIEW, "Whole Map View (CTRL-W)", ctrlKey('W'), Views::kAll, wholeMapView},
    {IDM_SELECT_TOOL, "Toggle Select (CTRL-R)", ctrlKey('R'), Views::kAll, selectTool},
    {IDM_SELECT_ALL, "Select All (CTRL-A)", ctrlKey('A'), Views::kAll, selectAll},
    {IDM_COPY, "Copy (Ctrl+Insert)", kNoKey, Views::kAll, copy},
    {IDM_CUT, "Cut (CTRL-X)", ctrlKey('X'), Views::kAll, cut},
    {IDM_PASTE, "Paste (CTRL-V)", ctrlKey('V'), Views::kAll, paste},
    {IDM_CLEAR_SELECTION, "Clear Selection to Void (Delete)", kNoKey, Views::kAll, clearSelection},
    {IDM_REPLACE_TERRAIN, "Replace Terrain (CTRL-H)", ctrlKey('H'), Views::kAll, nullptr},
    {IDM_LARGER_BRUSH, "Larger Brush (])", kNoKey, Views::kAll, largerBrush},
    {IDM_SMALLER_BRUSH, "Smaller Brush ([)", kNoKey, Views::kAll, smallerBrush},
    {IDM_MIRROR_EAST_WEST, "Mirror Stamp East-West (X)", kNoKey, Views::kAll, mirrorEastWest},
    {IDM_MIRROR_NORTH_SOUTH, "Mirror Stamp North-South (Y)", kNoKey, Views::kAll, mirrorNorthSouth},
    {IDM_MIRROR_BOTH, "Mirror Stamp Both Ways (Z)", kNoKey, Views::kAll, mirrorBoth},
    {IDM_CANCEL_HAND_EDIT, "End Stamp or Selection (Esc)", kNoKey, Views::kAll, cancelHandEdit},
    {IDM_SHOW_ROOMS, "Show Rooms (CTRL-T)", ctrlKey('T'), Views::kWholeMapOnly, showRooms},
    // "Generate"
    {IDM_GENERATE_MAP, "Generate Random Map", kNoKey, Views::kAll, nullptr},
    {IDM_GENERATE_START_LOCATIONS, "Generate Start Locations", kNoKey, Views::kAll, nullptr},
    // "Info"
    {IDM_ABOUT, "About", kNoKey, Views::kAll, nullptr},
    // Keys of no menu item.
    {0, nullptr, ctrlKey('Z', Shift::kHeld), Views::kAll, redo},
    {0, nullptr, plainKey(kKeyUp), Views::kAll, scrollUp},
    {0, nullptr, plainKey(kKeyDown), Views::kAll, scrollDown},
    {0, nullptr, plainKey(kKeyLeft), Views::kAll, scrollLeft},
    {0, nullptr, plainKey(kKeyRight), Views::kAll, scrollRight},
    {0, nullptr, plainKey(kKeyEnter), Views::kDetailOnly, fillWholeMap},
    // The hand edits' keys of no menu item.
    {0, nullptr, Key{kKeyInsert, Ctrl::kHeld, Shift::kAny}, Views::kAll, copy},
    {0, nullptr, bareKey(kKeyInsert, Shift::kHeld), Views::kAll, paste},
    {0, nullptr, bareKey(kKeyDelete, Shift::kHeld), Views::kAll, cut},
    {0, nullptr, bareKey(kKeyDelete, Shift::kUp), Views::kAll, clearSelection},
    {0, nullptr, plainKey(kKeyEscape), Views::kAll, cancelHandEdit},
    {0, nullptr, bareKey('X'), Views::kAll, keyX},
    {0, nullptr, bareKey('Y'), Views::kAll, keyY},
    {0, nullptr, bareKey('Z'), Views::kAll, keyZ},
    {0, nullptr, typedKey(']'), Views::kAll, largerBrush},
    {0, nullptr, typedKey('['), Views::kAll, smallerBrush},
};

bool matches(const Key& key, int virtualKey, bool ctrlDown, bool shiftDown) {
    if (key.virtualKey == 0 || key.virtualKey != virtualKey) return false;
    if (key.ctrl == Ctrl::kHeld && !ctrlDown) return false;
    if (key.ctrl == Ctrl::kUp && ctrlDown) return false;
    if (key.shift == Shift::kHeld && !shiftDown) return false;
    if (key.shift == Shift::kUp && shiftDown) return false;
    return true;
}

}  // namespace

const Command* commandsBegin() { return std::begin(kCommands); }
const Command* commandsEnd() { return std::end(kCommands); }

const Command* commandForId(int id) {
    for (const Command& command : kCommands)
        if (command.id != 0 && command.id == id) return &command;
    return nullptr;
}

int handleKeyDown(Program& program, int virtualKey, bool ctrlDown, bool shiftDown) {
    for (const Command& command : kCommands) {
        if (!matches(command.key, virtualKey, ctrlDown, shiftDown)) continue;
        if (command.views == Views::kDetailOnly && !showsDetailView(program.editor.screen)) return 0;
        if (!command.handler) return command.id;
        command.handler(program);
        return 0;
    }
    return 0;
}

void handleCharacter(Program& program, char typed) {
    for (const Command& command : kCommands) {
        if (typed == 0 || command.key.typed != typed) continue;
        if (command.views == Views::kDetailOnly && !showsDetailView(program.editor.screen)) return;
        if (command.views == Views::kWholeMapOnly && program.editor.screen.viewMode != kWholeMapView) return;
        if (command.handler) command.handler(program);
        return;
    }
}

bool handleMenuCommand(Program& program, int id) {
    const Command* command = commandForId(id);
    if (!command || !command->handler) return false;
    command->handler(program);
    return true;
}

}  // namespace pelorn
