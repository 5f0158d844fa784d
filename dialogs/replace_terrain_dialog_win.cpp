// "Replace Terrain".
#include "dialogs/dialog_fields_win.h"
#include "dialogs/dialog_procs_win.h"
#include "dialogs/replace_terrain_dialog.h"
#include "resources/resource.h"

namespace pelorn {

INT_PTR CALLBACK replaceTerrainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            keepDialogContext(dialog, lParam);
            const ReplaceTerrainTexts texts = replaceTerrainInitialTexts(dialogContext(dialog).editor);
            writeDialogField(dialog, IDC_REPLACE_FROM, texts.replace);
            writeDialogField(dialog, IDC_REPLACE_WITH, texts.with);
            CheckDlgButton(dialog, IDC_REPLACE_IN_SELECTION, texts.onlySelection ? BST_CHECKED : BST_UNCHECKED);
            return TRUE;
        }
        case WM_COMMAND:
            // A plain check box: the dialog turns it on and off itself.
            if (LOWORD(wParam) == IDC_REPLACE_IN_SELECTION) {
                const bool checked = IsDlgButtonChecked(dialog, IDC_REPLACE_IN_SELECTION) == BST_CHECKED;
                CheckDlgButton(dialog, IDC_REPLACE_IN_SELECTION, checked ? BST_UNCHECKED : BST_CHECKED);
                return TRUE;
            }
            return closeOnOkOrCancel(dialog, wParam, [dialog] {
                const bool onlySelection = IsDlgButtonChecked(dialog, IDC_REPLACE_IN_SELECTION) == BST_CHECKED;
                const ReplaceField refused = applyReplaceTerrain(
                    dialogContext(dialog).editor, readWholeDialogField(dialog, IDC_REPLACE_FROM),
                    readWholeDialogField(dialog, IDC_REPLACE_WITH), onlySelection);
                if (refused == ReplaceField::kNone) return true;
                selectDialogField(dialog, refused == ReplaceField::kReplace ? IDC_REPLACE_FROM : IDC_REPLACE_WITH);
                return false;
            });
        default:
            return FALSE;
    }
}

}  // namespace pelorn
