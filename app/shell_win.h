// The Win32 shell's own state and entry points: the instance, the main window,
// its window procedure and the dialog procedures it opens.
#pragma once

#include <windows.h>

#include "app/program.h"
#include "view/gdi_painter_win.h"

namespace pelorn {

extern HINSTANCE appInstance;  // kept for loading dialog templates
extern HWND mainWindow;        // nullptr until the window exists and after it is gone

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The program the window shows; made by WinMain, gone after the loop.
extern Program* program;
// The pens the painter draws with; made by WinMain, gone after the loop.
extern const Pens* pens;

// Invalidates what the core asked to repaint since the last time.
void repaintRequested();
// Puts the text copy left on the clipboard, and hands a paste the text on it.
void serveClipboard(HWND window);

// The autosave's timer on the main window (WM_TIMER): every two minutes the
// unsaved edits, if any, go to this session's recovery copy.
constexpr UINT_PTR kAutosaveTimer = 1;
void startAutosave();

// Writes unsaved edits to a recovery copy and the settings, then releases
// what start-up made (WM_DESTROY).
void shutDownShell();

}  // namespace pelorn
