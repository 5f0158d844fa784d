// "New Map", "Save As Map" and "Open Map".
#include "dialogs/dialog_fields_win.h"
#include "dialogs/dialog_procs_win.h"
#include "dialogs/map_dialogs.h"
#include "editing/unsaved_work.h"
#include "resources/resource.h"

namespace pelorn {

namespace {

// A name the dialog does not accept keeps it open with the name selected.
bool nameAcceptedOrSelected(HWND dialog, const std::string& name, bool (*accepted)(std::string_view)) {
    if (accepted(name)) return true;
    selectDialogField(dialog, IDC_MAP_NAME);
    return false;
}

// "New Map" and "Open Map" drop the map in memory: they stay open while its
// unsaved edits cannot be written to a recovery copy (the status line says so).
bool mayReplaceMap(HWND dialog) { return keepUnsavedWork(dialogContext(dialog).editor); }

Editor& editorOf(HWND dialog) { return dialogContext(dialog).editor; }

}  // namespace

INT_PTR CALLBACK newMapDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            keepDialogContext(dialog, lParam);
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
                if (!mayReplaceMap(dialog)) return false;
                applyNewMap(editorOf(dialog), name, readDialogField(dialog, IDC_QUAD_X), readDialogField(dialog, IDC_QUAD_Y));
                return true;
            });
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK saveAsMapDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            keepDialogContext(dialog, lParam);
            writeDialogField(dialog, IDC_MAP_NAME, saveAsMapInitialText());
            return TRUE;
        case WM_COMMAND:
            return closeOnOkOrCancel(dialog, wParam, [dialog] {
                const std::string name = readDialogField(dialog, IDC_MAP_NAME);
                if (!nameAcceptedOrSelected(dialog, name, mapNameAccepted)) return false;
                applySaveAsMap(editorOf(dialog), name);
                return true;
            });
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK openMapDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            keepDialogContext(dialog, lParam);
            writeDialogField(dialog, IDC_MAP_NAME, openMapInitialText());
            return TRUE;
        case WM_COMMAND:
            return closeOnOkOrCancel(dialog, wParam, [dialog] {
                const std::string name = readDialogField(dialog, IDC_MAP_NAME);
                if (!nameAcceptedOrSelected(dialog, name, mapNameAccepted) || !mayReplaceMap(dialog)) return false;
                applyOpenMap(editorOf(dialog), name);
                return true;
            });
        default:
            return FALSE;
    }
}

}  // namespace pelorn
