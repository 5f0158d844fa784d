// "New Map", "Save As Map" and "Open Map".
#include "dialogs/dialog_fields_win.h"
#include "dialogs/dialog_procs_win.h"
#include "dialogs/map_dialogs.h"

namespace pelorn {

namespace {

// A name the dialog does not accept keeps it open with the name selected.
bool nameAcceptedOrSelected(HWND dialog, const std::string& name, bool (*accepted)(std::string_view)) {
    if (accepted(name)) return true;
    selectDialogField(dialog, kMapNameField);
    return false;
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
            return closeOnOkOrCancel(dialog, wParam, [dialog] {
                const std::string name = readDialogField(dialog, kMapNameField);
                if (!nameAcceptedOrSelected(dialog, name, newMapNameAccepted)) return false;
                applyNewMap(name, readDialogField(dialog, kQuadXField), readDialogField(dialog, kQuadYField));
                return true;
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
            return closeOnOkOrCancel(dialog, wParam, [dialog] {
                const std::string name = readDialogField(dialog, kMapNameField);
                if (!nameAcceptedOrSelected(dialog, name, mapNameAccepted)) return false;
                applySaveAsMap(name);
                return true;
            });
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
            return closeOnOkOrCancel(dialog, wParam, [dialog] {
                const std::string name = readDialogField(dialog, kMapNameField);
                if (!nameAcceptedOrSelected(dialog, name, mapNameAccepted)) return false;
                applyOpenMap(name);
                return true;
            });
        default:
            return FALSE;
    }
}

}  // namespace pelorn
