// "Generate Start Locations".
#include "dialogs/dialog_fields_win.h"
#include "dialogs/dialog_procs_win.h"
#include "dialogs/seed_field.h"
#include "dialogs/start_locations_dialog.h"
#include "resources/resource.h"

namespace pelorn {

INT_PTR CALLBACK startLocationsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            keepDialogContext(dialog, lParam);
            const DialogContext& context = dialogContext(dialog);
            writeDialogField(dialog, IDC_TRIES, startLocationsInitialText(context.generatorParameters));
            const PlayersFieldTexts players = playersInitialTexts(context.memory);
            writeDialogField(dialog, IDC_PLAYERS, players.players);
            writeDialogField(dialog, IDC_MIN_DISTANCE, players.minDistance);
            writeDialogField(dialog, IDC_LAND_RADIUS, players.radius);
            writeDialogField(dialog, IDC_SEED, seedFieldInitialText(context.random));
            return TRUE;
        }
        case WM_COMMAND:
            return closeOnOkOrCancel(dialog, wParam, [dialog] {
                const PlayersFieldTexts players{readDialogField(dialog, IDC_PLAYERS),
                                                readDialogField(dialog, IDC_MIN_DISTANCE),
                                                readDialogField(dialog, IDC_LAND_RADIUS)};
                if (const std::optional<int> refused = refusedPlayersField(players)) {
                    selectDialogField(dialog, *refused);
                    return false;
                }
                if (!seedFieldAccepted(readWholeDialogField(dialog, IDC_SEED))) {
                    selectDialogField(dialog, IDC_SEED);
                    return false;
                }
                // Placing runs while the dialog is still up; show that it is busy.
                BusyCursor busy;
                applyStartLocations(dialogContext(dialog), readDialogField(dialog, IDC_TRIES), players, readWholeDialogField(dialog, IDC_SEED));
                return true;
            });
        default:
            return FALSE;
    }
}

}  // namespace pelorn
