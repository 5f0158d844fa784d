// The main window's procedure: painting, menu commands, keys and the mouse.
// Each event goes to the core with its own data; what it asks to repaint is
// invalidated before the procedure returns.
#include "app/command_ids.h"
#include "app/commands.h"
#include "app/shell_win.h"
#include "dialogs/dialog_fields_win.h"
#include "dialogs/dialog_procs_win.h"
#include "editing/unsaved_work.h"
#include "resources/resource.h"
#include "view/gdi_painter_win.h"
#include "view/map_view.h"

// GET_X_LPARAM and GET_Y_LPARAM; after <windows.h>, which shell_win.h brings.
#include <windowsx.h>

namespace pelorn {

namespace {

void openDialog(HWND window, int templateId, DLGPROC procedure) {
    DialogContext context = program->dialogContext();
    DialogBoxParamA(appInstance, MAKEINTRESOURCEA(templateId), window, procedure,
                    reinterpret_cast<LPARAM>(&context));
}

void paint(HWND window) {
    PAINTSTRUCT paintStruct;
    HDC dc = BeginPaint(window, &paintStruct);
    GdiPainter painter(dc, *pens);
    paintMap(painter, program->document.map, program->editor.screen, program->document.marks());
    EndPaint(window, &paintStruct);
}

bool keyIsDown(int virtualKey) { return GetAsyncKeyState(virtualKey) != 0; }

ClientPoint pointOf(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

// Whether WM_MOUSELEAVE has been asked for since the pointer last left.
bool trackingLeave = false;

void trackLeave(HWND window) {
    if (trackingLeave) return;
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = window;
    trackingLeave = TrackMouseEvent(&track) != 0;
}

void endCapture(HWND window) {
    if (GetCapture() == window) ReleaseCapture();
}

// The close box and File > Exit: unsaved edits go to a recovery copy first;
// when none can be written, the window closes only if the user says so.
void closeWindow(HWND window) {
    keepUnsavedWork(program->editor);
    if (unsavedEditsInNoFile(program->editor)) {
        repaintRequested();  // the red caption and status line, before the question
        if (!askYesNo(window, "Unsaved changes are in no file. Close anyway?", "Close Pelorn")) return;
    }
    DestroyWindow(window);
}

// The commands that open a dialog or end the program; the rest belong to the
// core's command table. Returns false for an id that is neither.
bool runShellCommand(HWND window, int id) {
    switch (id) {
        case IDM_ABOUT: openDialog(window, IDD_ABOUT, aboutDialogProc); return true;
        case IDM_EXIT: closeWindow(window); return true;
        case IDM_RECOVER: openDialog(window, IDD_RECOVER, recoverDialogProc); return true;
        case IDM_NEW_MAP: openDialog(window, IDD_NEW_MAP, newMapDialogProc); return true;
        case IDM_SAVE_AS_MAP: openDialog(window, IDD_SAVE_AS_MAP, saveAsMapDialogProc); return true;
        case IDM_OPEN_MAP: openDialog(window, IDD_OPEN_MAP, openMapDialogProc); return true;
        case IDM_GENERATE_MAP: openDialog(window, IDD_GENERATE_TERRAIN, generateTerrainDialogProc); return true;
        case IDM_GENERATE_START_LOCATIONS: openDialog(window, IDD_START_LOCATIONS, startLocationsDialogProc); return true;
        case IDM_REPLACE_TERRAIN: openDialog(window, IDD_REPLACE_TERRAIN, replaceTerrainDialogProc); return true;
        default: return false;
    }
}

// The events the core answers; false for every other message.
bool handleEvent(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Editor& editor = program->editor;
    switch (message) {
        case WM_TIMER:
            if (wParam != kAutosaveTimer) return false;
            autosaveUnsavedWork(editor);
            return true;
        case WM_KEYDOWN:
            if (const int id = handleKeyDown(*program, static_cast<int>(wParam), keyIsDown(VK_CONTROL), keyIsDown(VK_SHIFT)))
                runShellCommand(window, id);
            return true;
        case WM_CHAR:
            // Typed characters, whatever keys typed them on the user's layout.
            if (wParam < 128) handleCharacter(*program, static_cast<char>(wParam));
            return true;
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            return handleMenuCommand(*program, id) || runShellCommand(window, id);
        }
        case WM_LBUTTONDOWN:
            // The window keeps the mouse while a stroke runs, so that a release
            // outside it still ends the stroke; without that the brush went on
            // painting after the button was up.
            // With Shift, a line from the last painted tile.
            if (editor.press(pointOf(lParam), (wParam & MK_SHIFT) != 0)) SetCapture(window);
            return true;
        case WM_LBUTTONUP:
            editor.release();
            endCapture(window);
            return true;
        case WM_MOUSEMOVE: {
            // Each move tells whether the button is held; a stroke whose
            // release never reached this window ends there.
            const bool held = (wParam & MK_LBUTTON) != 0;
            if (editor.leftButtonDown && !held) endCapture(window);
            trackLeave(window);
            editor.move(pointOf(lParam), held);
            return true;
        }
        case WM_MOUSELEAVE:
            trackingLeave = false;
            editor.pointerLeft();
            return true;
        case WM_CAPTURECHANGED:
            // Capture taken away (another window, a dialog): the stroke is over.
            editor.cancel();
            return true;
        case WM_SETCURSOR:
            if (LOWORD(lParam) != HTCLIENT) return false;
            // The tool's cursor; every tool wants the arrow today.
            if (editor.tool().cursor() == ToolCursor::kArrow) SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
            return true;
        default:
            return false;
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
        case WM_CLOSE:
            if (program) closeWindow(window);
            else DestroyWindow(window);
            return 0;
        case WM_ENDSESSION:
            // Windows is ending the session and the program with it, without WM_DESTROY.
            if (wParam) keepUnsavedWork(program->editor);
            return 0;
        default:
            break;
    }
    if (program && handleEvent(window, message, wParam, lParam)) {
        serveClipboard(window);
        repaintRequested();
        return message == WM_SETCURSOR ? TRUE : 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace pelorn
