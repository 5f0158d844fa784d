// The main window's keyboard and menu commands that need no window system:
// scrolling, switching the view, the tool toggles, the whole-map fill, saving,
// undo and redo. The Win32 shell passes WM_KEYDOWN and WM_COMMAND here and
// handles only the dialogs and "Exit" itself.
#pragma once

namespace pelorn {

// Virtual-key codes the commands use (the Win32 values).
constexpr int kKeyEnter = 13;
constexpr int kKeyLeft = 37;
constexpr int kKeyUp = 38;
constexpr int kKeyRight = 39;
constexpr int kKeyDown = 40;

// WM_KEYDOWN with wParam virtualKey; ctrlDown and shiftDown tell whether those
// keys are held while the message is handled. Ctrl+Z undoes, Ctrl+Y and
// Ctrl+Shift+Z redo, Ctrl+W goes into the whole-map view and back, in every
// view. Keys that mean nothing here are ignored.
void handleKeyDown(int virtualKey, bool ctrlDown, bool shiftDown = false);

// WM_COMMAND for a menu command id. Returns true when the command was one of
// the core's (save, save bitmap, save PNG, view switches, tool toggles, undo,
// redo); false for the dialogs, "Exit" and unknown ids, which the shell handles.
bool handleMenuCommand(int id);

// Switches between the detail view and the overview and repaints everything;
// from the whole-map view it goes to the detail view.
void switchViewMode();

}  // namespace pelorn
