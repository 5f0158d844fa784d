// "Generate Start Locations".
#include "dialogs/dialog_fields_win.h"
#include "dialogs/dialog_procs_win.h"
#include "dialogs/seed_field.h"
#include "dialogs/start_locations_dialog.h"

namespace pelorn {

INT_PTR CALLBACK startLocationsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            writeDialogField(dialog, kTriesField, startLocationsInitialText());
            writeDialogField(dialog, kSeedField, seedFieldInitialText());
            return TRUE;
        case WM_COMMAND:
            return closeOnOkOrCancel(dialog, wParam, [dialog] {
                // Placing runs while the dialog is still up; show that it is busy.
                BusyCursor busy;
                applyStartLocations(readDialogField(dialog, kTriesField), readWholeDialogField(dialog, kSeedField));
            });
        default:
            return FALSE;
    }
}

}  // namespace pelorn
