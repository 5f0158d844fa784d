// "New Map", "Save As Map" and "Open Map".
#include "dialogs/dialog_fields_win.h"
#include "dialogs/dialog_procs_win.h"
#include "dialogs/dialog_text.h"
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

// The name field takes as many characters as the dialog reads.
void startNameDialog(HWND dialog, LPARAM context, const std::string& name) {
    keepDialogContext(dialog, context);
    limitDialogField(dialog, IDC_MAP_NAME, static_cast<int>(kFieldTextLimit));
    writeDialogField(dialog, IDC_MAP_NAME, name);
}

}  // namespace

INT_PTR CALLBACK newMapDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            const NewMapTexts texts = newMapInitialTexts();
            startNameDialog(dialog, lParam, texts.mapName);
            writeDialogField(dialog, IDC_QUAD_X, texts.quadX);
            writeDialogField(dialog, IDC_QUAD_Y, texts.quadY);
            return TRUE;
        }
        case WM_COMMAND:
            return closeOnOkOrCancel(dialog, wParam, [dialog] {
                const std::string name = readDialogField(dialog, IDC_MAP_NAME);
                if (!nameAcceptedOrSelected(dialog, name, newMapNameAccepted)) return false;
                const std::string quadX = readDialogField(dialog, IDC_QUAD_X);
                const std::string quadY = readDialogField(dialog, IDC_QUAD_Y);
                if (const int refused = refusedQuadCountField(quadX, quadY)) {
                    selectDialogField(dialog, refused == 1 ? IDC_QUAD_X : IDC_QUAD_Y);
                    return false;
                }
                if (!mayReplaceMap(dialog)) return false;
                applyNewMap(editorOf(dialog), name, quadX, quadY);
                return true;
            });
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK saveAsMapDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            startNameDialog(dialog, lParam, saveAsMapInitialText());
            return TRUE;
        case WM_COMMAND:
            return closeOnOkOrCancel(dialog, wParam, [dialog] {
                const std::string name = readDialogField(dialog, IDC_MAP_NAME);
                if (!nameAcceptedOrSelected(dialog, name, mapNameAccepted)) return false;
                // Replacing another map without a word would lose it.
                if (saveAsReplacesAnotherFile(editorOf(dialog), name) && !askYesNo(dialog, saveAsReplaceQuestion(name), "Replace Map")) {
                    selectDialogField(dialog, IDC_MAP_NAME);
                    return false;
                }
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
            startNameDialog(dialog, lParam, openMapInitialText());
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
