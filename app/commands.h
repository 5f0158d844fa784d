// The main window's commands, in one table: each with its menu id and text
// (as the resource script's menu shows it), its key, the views it works in,
// and what it does. The shell hands WM_COMMAND ids and WM_KEYDOWN keys here;
// commands that open a dialog or end the program are the shell's own and
// carry no handler.
#pragma once

#include <cstddef>

#include "app/program.h"

namespace pelorn {

// Virtual-key codes the commands use (the Win32 values).
constexpr int kKeyEnter = 13;
constexpr int kKeyLeft = 37;
constexpr int kKeyUp = 38;
constexpr int kKeyRight = 39;
constexpr int kKeyDown = 40;
constexpr int kKeyEscape = 27;
constexpr int kKeyInsert = 45;
constexpr int kKeyDelete = 46;

// Which modifier a key needs: Ctrl keys are key commands; the arrows and
// Enter work with or without Ctrl. Shift is looked at only where it says so.
enum class Ctrl { kAny, kHeld, kUp };
enum class Shift { kAny, kHeld, kUp };

struct Key {
    int virtualKey = 0;  // 0: no key
    Ctrl ctrl = Ctrl::kAny;
    Shift shift = Shift::kAny;
    char typed = 0;      // a typed character (WM_CHAR), whatever key typed it; 0: none
};

// Where a command answers: its key works in every view, or in the detail
// view only (the tool keys). Menu commands work in every view.
enum class Views { kAll, kDetailOnly, kWholeMapOnly };

struct Command {
    int id;                // menu command id; 0 for a key of no menu item
    const char* menuText;  // the menu item; nullptr for a key alone
    Key key;
    Views views;
    void (*handler)(Program&);  // nullptr: the shell's own (a dialog, "Exit")
};

// The table, in menu order where there is a menu item.
const Command* commandsBegin();
const Command* commandsEnd();

// The command of a menu id; nullptr for an unknown id.
const Command* commandForId(int id);

// WM_KEYDOWN with wParam virtualKey; ctrlDown and shiftDown tell whether
// those keys are held. Runs the first command whose key matches and whose
// views include the view shown. Keys that mean nothing are ignored. Returns
// the menu id of a shell command the key stands for (a dialog), which the
// shell runs; 0 otherwise.
int handleKeyDown(Program& program, int virtualKey, bool ctrlDown, bool shiftDown = false);

// WM_CHAR: a typed character ("]" and "[" step the brush, on any keyboard
// layout). Characters that mean nothing are ignored.
void handleCharacter(Program& program, char typed);

// WM_COMMAND for a menu command id. Returns true when the command was the
// core's; false for the shell's own and unknown ids.
bool handleMenuCommand(Program& program, int id);

}  // namespace pelorn
