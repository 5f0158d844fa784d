// The main window's procedure: painting, menu commands, keys and the mouse.
#include "app/command_ids.h"
#include "app/commands.h"
#include "app/shell_win.h"
#include "dialogs/dialog_procs_win.h"
#include "editing/tools.h"
#include "resources/resource.h"
#include "view/cursor_text.h"
#include "view/gdi_painter_win.h"
#include "view/map_view.h"

// GET_X_LPARAM and GET_Y_LPARAM; after <windows.h>, which shell_win.h brings.
#include <windowsx.h>

namespace pelorn {

namespace {

void openDialog(HWND window, int templateId, DLGPROC procedure) {
    DialogBoxParamA(appInstance, MAKEINTRESOURCEA(templateId), window, procedure, 0);
}

void paint(HWND window) {
    PAINTSTRUCT paintStruct;
    HDC dc = BeginPaint(window, &paintStruct);
    GdiPainter painter(dc);
    paintMap(painter);
    EndPaint(window, &paintStruct);
}

bool keyIsDown(int virtualKey) { return GetAsyncKeyState(virtualKey) != 0; }

// Whether WM_MOUSELEAVE has been asked for since the pointer last left.
bool trackingLeave = false;

// The cursor text follows the pointer, and goes when it leaves the window.
void followPointer(HWND window, LPARAM lParam) {
    if (!trackingLeave) {
        TRACKMOUSEEVENT track{};
        track.cbSize = sizeof track;
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = window;
        trackingLeave = TrackMouseEvent(&track) != 0;
    }
    pointerMovedTo({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
}

// The commands that open a dialog or end the program; the rest belong to the
// core's command handler. Returns false for an id that is neither.
bool runShellCommand(HWND window, int id) {
    switch (id) {
        case IDM_ABOUT: openDialog(window, IDD_ABOUT, aboutDialogProc); return true;
        case IDM_EXIT: DestroyWindow(window); return true;
        case IDM_NEW_MAP: openDialog(window, IDD_NEW_MAP, newMapDialogProc); return true;
        case IDM_SAVE_AS_MAP: openDialog(window, IDD_SAVE_AS_MAP, saveAsMapDialogProc); return true;
        case IDM_OPEN_MAP: openDialog(window, IDD_OPEN_MAP, openMapDialogProc); return true;
        case IDM_GENERATE_MAP: openDialog(window, IDD_GENERATE_TERRAIN, generateTerrainDialogProc); return true;
        case IDM_GENERATE_START_LOCATIONS: openDialog(window, IDD_START_LOCATIONS, startLocationsDialogProc); return true;
        default: return false;
    }
}

}  // namespace

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return 0;
        case WM_DESTROY:
            shutDownShell();
            mainWindow = nullptr;
            PostQuitMessage(0);
            return 0;
        case WM_PAINT:
            paint(window);
            return 0;
        case WM_KEYDOWN:
            handleKeyDown(static_cast<int>(wParam), keyIsDown(VK_CONTROL), keyIsDown(VK_SHIFT));
            return 0;
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (handleMenuCommand(id) || runShellCommand(window, id)) return 0;
            break;
        }
        case WM_LBUTTONDOWN:
            // The window keeps the mouse while a stroke runs, so that a release
            // outside it still ends the stroke; without that the brush went on
            // painting after the button was up.
            if (leftButtonPressed()) SetCapture(window);
            return 0;
        case WM_LBUTTONUP:
            leftButtonReleased();
            if (GetCapture() == window) ReleaseCapture();
            return 0;
        case WM_MOUSEMOVE:
            // Each move tells whether the button is held. A stroke whose
            // release never reached this window ends at the first move
            // without it, instead of painting on.
            if (leftButtonDown && !(wParam & MK_LBUTTON)) {
                leftButtonReleased();
                if (GetCapture() == window) ReleaseCapture();
            }
            followPointer(window, lParam);
            return 0;
        case WM_MOUSELEAVE:
            trackingLeave = false;
            pointerLeft();
            return 0;
        case WM_CAPTURECHANGED:
            // Capture taken away (another window, a dialog): the stroke is over.
            strokeEnded();
            return 0;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace pelorn
