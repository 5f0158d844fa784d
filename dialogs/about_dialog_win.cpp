#include "dialogs/dialog_procs_win.h"

namespace pelorn {

// "About Pelorn": nothing to fill; OK, Enter, Escape and the close box close it.
INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK: EndDialog(dialog, 1); return TRUE;
                case IDCANCEL: EndDialog(dialog, 2); return TRUE;
                default: return FALSE;
            }
        default:
            return FALSE;
    }
}

}  // namespace pelorn
