// "Recover": the recovery copies, newest first.
#include <memory>
#include <vector>

#include "dialogs/dialog_fields_win.h"
#include "dialogs/dialog_procs_win.h"
#include "dialogs/recover_dialog.h"
#include "resources/resource.h"

namespace pelorn {

namespace {

constexpr char kRowsProperty[] = "PelornRecoverRows";

std::vector<RecoverRow>& rowsOf(HWND dialog) {
    return *static_cast<std::vector<RecoverRow>*>(GetPropA(dialog, kRowsProperty));
}

// The selected row; -1 when there is none.
int selectedRow(HWND dialog) {
    const LRESULT index = SendDlgItemMessageA(dialog, IDC_RECOVER_LIST, LB_GETCURSEL, 0, 0);
    return index == LB_ERR || index >= static_cast<LRESULT>(rowsOf(dialog).size()) ? -1 : static_cast<int>(index);
}

// The difference is worked out for the selected row alone, when it is selected.
void showSelection(HWND dialog) {
    const int row = selectedRow(dialog);
    SetDlgItemTextA(dialog, IDC_RECOVER_DIFFERENCE, row < 0 ? "" : recoverDifferenceText(rowsOf(dialog)[row]).c_str());
    EnableWindow(GetDlgItem(dialog, IDOK), row >= 0);
    EnableWindow(GetDlgItem(dialog, IDC_RECOVER_DELETE), row >= 0);
}

void fillList(HWND dialog, int select) {
    std::vector<RecoverRow>& rows = rowsOf(dialog);
    rows = recoverRows();
    SendDlgItemMessageA(dialog, IDC_RECOVER_LIST, LB_RESETCONTENT, 0, 0);
    for (const RecoverRow& row : rows)
        SendDlgItemMessageA(dialog, IDC_RECOVER_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(recoverRowText(row).c_str()));
    if (!rows.empty()) {
        const int index = select < static_cast<int>(rows.size()) ? select : static_cast<int>(rows.size()) - 1;
        SendDlgItemMessageA(dialog, IDC_RECOVER_LIST, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
    showSelection(dialog);
}

void deleteSelected(HWND dialog) {
    const int row = selectedRow(dialog);
    if (row < 0 || !askYesNo(dialog, recoverDeleteQuestion(rowsOf(dialog)[row]), "Delete Copy")) return;
    applyRecoverDelete(rowsOf(dialog)[row]);
    fillList(dialog, row);
    SetFocus(GetDlgItem(dialog, IDC_RECOVER_LIST));
}

// Open: false keeps the dialog up (no row, or the map could not be kept or the copy read).
bool openSelected(HWND dialog) {
    const int row = selectedRow(dialog);
    return row >= 0 && applyRecoverOpen(dialogContext(dialog).editor, rowsOf(dialog)[row]);
}

}  // namespace

INT_PTR CALLBACK recoverDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            keepDialogContext(dialog, lParam);
            SetPropA(dialog, kRowsProperty, new std::vector<RecoverRow>);
            // The columns: the map's name, its size, the time written (dialog units).
            INT columns[2] = {96, 152};
            SendDlgItemMessageA(dialog, IDC_RECOVER_LIST, LB_SETTABSTOPS, 2, reinterpret_cast<LPARAM>(columns));
            fillList(dialog, 0);
            SetFocus(GetDlgItem(dialog, IDC_RECOVER_LIST));
            return FALSE;  // the focus is set
        }
        case WM_DESTROY:
            delete static_cast<std::vector<RecoverRow>*>(RemovePropA(dialog, kRowsProperty));
            return FALSE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_RECOVER_LIST) {
                if (HIWORD(wParam) == LBN_SELCHANGE) showSelection(dialog);
                if (HIWORD(wParam) == LBN_DBLCLK && openSelected(dialog)) EndDialog(dialog, 1);
                return TRUE;
            }
            if (LOWORD(wParam) == IDC_RECOVER_DELETE) {
                deleteSelected(dialog);
                return TRUE;
            }
            return closeOnOkOrCancel(dialog, wParam, [dialog] { return openSelected(dialog); });
        default:
            return FALSE;
    }
}

}  // namespace pelorn
