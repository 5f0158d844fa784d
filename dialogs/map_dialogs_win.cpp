// "New Map", "Save As Map" and "Open Map".
#include "dialogs/dialog_fields_win.h"
#include "dialogs/dialog_procs_win.h"
#include "dialogs/map_dialogs.h"

namespace pelorn {

namespace {

// Closes on OK after `apply`, or on CANCEL (also Escape and the close box).
template <typename Apply>
INT_PTR handleCommand(HWND dialog, WPARAM wParam, Apply apply) {
    switch (LOWORD(wParam)) {
        case IDOK:
            apply();
            EndDialog(dialog, 1);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 2);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

INT_PTR CALLBACK newMapDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: {
            const NewMapTexts texts = newMapInitialTexts();
            writeDialogField(dialog, kMapNameField, texts.mapName);
            writeDialogField(dialog, kQuadXField, texts.quadX);
            writeDialogField(dialog, kQuadYField, texts.quadY);
            return TRUE;
        }
        case WM_COMMAND:
            return handleCommand(dialog, wParam, [dialog] {
                applyNewMap(readDialogField(dialog, kMapNameField), readDialogField(dialog, kQuadXField),
                            readDialogField(dialog, kQuadYField));
            });
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK saveAsMapDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            writeDialogField(dialog, kMapNameField, saveAsMapInitialText());
            return TRUE;
        case WM_COMMAND:
            return handleCommand(dialog, wParam,
                                 [dialog] { applySaveAsMap(readDialogField(dialog, kMapNameField)); });
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK openMapDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            writeDialogField(dialog, kMapNameField, openMapInitialText());
            return TRUE;
        case WM_COMMAND:
            return handleCommand(dialog, wParam,
                                 [dialog] { applyOpenMap(readDialogField(dialog, kMapNameField)); });
        default:
            return FALSE;
    }
}

}  // namespace pelorn
