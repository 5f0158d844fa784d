// The Win32 shell's own state and entry points: the instance, the main window,
// its window procedure and the dialog procedures it opens.
#pragma once

#include <windows.h>

namespace pelorn {

extern HINSTANCE appInstance;  // kept for loading dialog templates
extern HWND mainWindow;        // nullptr until the window exists and after it is gone

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The window seam over the main window: cursor in client pixels, invalidation.
void installWindowSeam();

// Releases what start-up made, after the settings are written (WM_DESTROY).
void shutDownShell();

}  // namespace pelorn
