// "New Map", "Save As Map" and "Open Map".
#include "dialogs/dialog_fields_win.h"
#include "dialogs/dialog_procs_win.h"
#include "dialogs/map_dialogs.h"

namespace pelorn {

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
            return closeOnOkOrCancel(dialog, wParam, [dialog] {
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
            return closeOnOkOrCancel(dialog, wParam,
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
            return closeOnOkOrCancel(dialog, wParam,
                                 [dialog] { applyOpenMap(readDialogField(dialog, kMapNameField)); });
        default:
            return FALSE;
    }
}

}  // namespace pelorn
