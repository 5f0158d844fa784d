#include "dialogs/dialog_fields_win.h"
#include "dialogs/dialog_procs_win.h"

namespace pelorn {

// "About Pelorn": nothing to fill; OK, Enter, Escape and the close box close it.
INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            return TRUE;
        case WM_COMMAND:
            return closeOnOkOrCancel(dialog, wParam, [] {});
        default:
            return FALSE;
    }
}

}  // namespace pelorn
