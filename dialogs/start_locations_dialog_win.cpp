// "Generate Start Locations".
#include "dialogs/dialog_fields_win.h"
#include "dialogs/dialog_procs_win.h"
#include "dialogs/start_locations_dialog.h"

namespace pelorn {

INT_PTR CALLBACK startLocationsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            writeDialogField(dialog, kTriesField, startLocationsInitialText());
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK: {
                    // Placing runs while the dialog is still up; show that it is busy.
                    HCURSOR previous = SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
                    applyStartLocations(readDialogField(dialog, kTriesField));
                    SetCursor(previous);
                    EndDialog(dialog, 1);
                    return TRUE;
                }
                case IDCANCEL:
                    EndDialog(dialog, 2);
                    return TRUE;
                default:
                    return FALSE;
            }
        default:
            return FALSE;
    }
}

}  // namespace pelorn
