// "Generate Start Locations".
#include "dialogs/dialog_fields_win.h"
#include "dialogs/dialog_procs_win.h"
#include "dialogs/seed_field.h"
#include "dialogs/start_locations_dialog.h"
#include "resources/resource.h"

namespace pelorn {

INT_PTR CALLBACK startLocationsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            writeDialogField(dialog, IDC_TRIES, startLocationsInitialText());
            writeDialogField(dialog, IDC_SEED, seedFieldInitialText());
            return TRUE;
        case WM_COMMAND:
            return closeOnOkOrCancel(dialog, wParam, [dialog] {
                // Placing runs while the dialog is still up; show that it is busy.
                BusyCursor busy;
                applyStartLocations(readDialogField(dialog, IDC_TRIES), readWholeDialogField(dialog, IDC_SEED));
            });
        default:
            return FALSE;
    }
}

}  // namespace pelorn
