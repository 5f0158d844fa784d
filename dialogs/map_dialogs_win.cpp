// "New Map", "Save As Map" and "Open Map".
#include "dialogs/dialog_fields_win.h"
#include "dialogs/dialog_procs_win.h"
#include "dialogs/map_dialogs.h"
#include "resources/resource.h"

namespace pelorn {

namespace {

// A name the dialog does not accept keeps it open with the name selected.
bool nameAcceptedOrSelected(HWND dialog, const std::string& name, bool (*accepted)(std::string_view)) {
    if (accepted(name)) return true;
    selectDialogField(dialog, IDC_MAP_NAME);
    return false;
}

}  // namespace

INT_PTR CALLBACK newMapDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: {
            const NewMapTexts texts = newMapInitialTexts();
            writeDialogField(dialog, IDC_MAP_NAME, texts.mapName);
            writeDialogField(dialog, IDC_QUAD_X, texts.quadX);
            writeDialogField(dialog, IDC_QUAD_Y, texts.quadY);
            return TRUE;
        }
        case WM_COMMAND:
            return closeOnOkOrCancel(dialog, wParam, [dialog] {
                const std::string name = readDialogField(dialog, IDC_MAP_NAME);
                if (!nameAcceptedOrSelected(dialog, name, newMapNameAccepted)) return false;
                applyNewMap(name, readDialogField(dialog, IDC_QUAD_X), readDialogField(dialog, IDC_QUAD_Y));
                return true;
            });
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK saveAsMapDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            writeDialogField(dialog, IDC_MAP_NAME, saveAsMapInitialText());
            return TRUE;
        case WM_COMMAND:
            return closeOnOkOrCancel(dialog, wParam, [dialog] {
                const std::string name = readDialogField(dialog, IDC_MAP_NAME);
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
            writeDialogField(dialog, IDC_MAP_NAME, openMapInitialText());
            return TRUE;
        case WM_COMMAND:
            return closeOnOkOrCancel(dialog, wParam, [dialog] {
                const std::string name = readDialogField(dialog, IDC_MAP_NAME);
                if (!nameAcceptedOrSelected(dialog, name, mapNameAccepted)) return false;
                applyOpenMap(name);
                return true;
            });
        default:
            return FALSE;
    }
}

}  // namespace pelorn
