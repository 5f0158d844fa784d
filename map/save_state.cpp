#include "map/save_state.h"

namespace pelorn {

bool mapHasUnsavedEdits = false;
bool mapSaveFailed = false;

void resetSaveState() {
    mapHasUnsavedEdits = false;
    mapSaveFailed = false;
}

}  // namespace pelorn
