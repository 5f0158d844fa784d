// "Generate Terrain".
#include "dialogs/dialog_fields_win.h"
#include "dialogs/dialog_procs_win.h"
#include "dialogs/generate_terrain_dialog.h"
#include "resources/resource.h"

namespace pelorn {

namespace {

void fillFields(HWND dialog) {
    for (const TerrainDialogControl& field : kTerrainEditFields)
        writeDialogField(dialog, field.id, generateTerrainInitialText(field.id));
    for (const TerrainDialogControl& box : kTerrainCheckBoxes)
        CheckDlgButton(dialog, box.id, checkBoxState(box.id) ? BST_CHECKED : BST_UNCHECKED);
}

// The boxes are plain check boxes: the dialog asks for the state, lets the
// logic flip the flag, and shows what the logic says.
void clickBox(HWND dialog, int id) {
    HWND box = GetDlgItem(dialog, id);
    if (!box) return;
    const bool checked = SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
    const bool nowChecked = clickCheckBox(id, checked);
    SendMessageA(box, BM_SETCHECK, nowChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void apply(HWND dialog) {
    TerrainFieldTexts texts;
    for (int i = 0; i < kTerrainEditFieldCount; ++i) texts[i] = readDialogField(dialog, kTerrainEditFields[i].id);
    // The generator runs while the dialog is still up; show that it is busy.
    BusyCursor busy;
    applyGenerateTerrain(texts);
}

}  // namespace

INT_PTR CALLBACK generateTerrainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            fillFields(dialog);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_SEED_HORIZONTAL_SEA || LOWORD(wParam) == IDC_SEED_VERTICAL_SEA) {
                clickBox(dialog, LOWORD(wParam));
                return TRUE;
            }
            return closeOnOkOrCancel(dialog, wParam, [dialog] { apply(dialog); });
        default:
            return FALSE;
    }
}

}  // namespace pelorn
