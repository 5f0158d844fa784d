// "Generate Terrain".
#include "dialogs/dialog_fields_win.h"
#include "dialogs/dialog_procs_win.h"
#include "dialogs/generate_terrain_dialog.h"
#include "dialogs/map_dialogs.h"
#include "dialogs/seed_field.h"
#include "resources/resource.h"

namespace pelorn {

namespace {

void fillFields(HWND dialog) {
    const DialogContext& context = dialogContext(dialog);
    const GeneratorParameters& parameters = context.generatorParameters;
    for (const TerrainDialogControl& field : kTerrainEditFields)
        writeDialogField(dialog, field.id, generateTerrainInitialText(parameters, field.id));
    for (const TerrainDialogControl& box : kTerrainCheckBoxes)
        CheckDlgButton(dialog, box.id, checkBoxState(parameters, box.id) ? BST_CHECKED : BST_UNCHECKED);
    writeDialogField(dialog, IDC_SEED, seedFieldInitialText(context.random));
    for (const char* name : kSymmetryNames)
        SendDlgItemMessageA(dialog, IDC_SYMMETRY, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    SendDlgItemMessageA(dialog, IDC_SYMMETRY, CB_SETCURSEL, static_cast<WPARAM>(symmetryInitialChoice(context.memory)), 0);
    const MapSizeTexts size = generateSizeInitialTexts(context.editor.map());
    writeDialogField(dialog, IDC_GENERATE_QUADS_X, size.quadX);
    writeDialogField(dialog, IDC_GENERATE_QUADS_Y, size.quadY);
}

Symmetry chosenSymmetry(HWND dialog) {
    const LRESULT index = SendDlgItemMessageA(dialog, IDC_SYMMETRY, CB_GETCURSEL, 0, 0);
    return index >= 0 && index < kSymmetryCount ? static_cast<Symmetry>(index) : Symmetry::kNone;
}

// The boxes are plain check boxes: the dialog asks for the state, lets the
// logic flip the flag, and shows what the logic says.
void clickBox(HWND dialog, int id) {
    HWND box = GetDlgItem(dialog, id);
    if (!box) return;
    const bool checked = SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
    const bool nowChecked = clickCheckBox(dialogContext(dialog).generatorParameters, id, checked);
    SendMessageA(box, BM_SETCHECK, nowChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// False, with the reason shown and the dialog left open, when the map's width
// cannot have the symmetry chosen.
bool apply(HWND dialog) {
    TerrainFieldTexts texts;
    for (int i = 0; i < kTerrainEditFieldCount; ++i) texts[i] = readDialogField(dialog, kTerrainEditFields[i].id);
    const std::string seed = readWholeDialogField(dialog, IDC_SEED);
    if (!seedFieldAccepted(seed)) {
        selectDialogField(dialog, IDC_SEED);
        return false;
    }
    const MapSizeTexts size{readDialogField(dialog, IDC_GENERATE_QUADS_X), readDialogField(dialog, IDC_GENERATE_QUADS_Y)};
    if (const int refused = refusedQuadCountField(size.quadX, size.quadY)) {
        selectDialogField(dialog, refused == 1 ? IDC_GENERATE_QUADS_X : IDC_GENERATE_QUADS_Y);
        return false;
    }
    std::string refusal;
    {
        // The generator runs while the dialog is still up; show that it is busy.
        BusyCursor busy;
        refusal = applyGenerateTerrain(dialogContext(dialog), texts, seed, chosenSymmetry(dialog), size);
    }
    if (refusal.empty()) return true;
    MessageBoxA(dialog, refusal.c_str(), "Symmetry", MB_OK | MB_ICONEXCLAMATION);
    SetFocus(GetDlgItem(dialog, IDC_SYMMETRY));
    return false;
}

}  // namespace

INT_PTR CALLBACK generateTerrainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            keepDialogContext(dialog, lParam);
            fillFields(dialog);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_SEED_HORIZONTAL_SEA || LOWORD(wParam) == IDC_SEED_VERTICAL_SEA) {
                clickBox(dialog, LOWORD(wParam));
                return TRUE;
            }
            return closeOnOkOrCancel(dialog, wParam, [dialog] { return apply(dialog); });
        default:
            return FALSE;
    }
}

}  // namespace pelorn
