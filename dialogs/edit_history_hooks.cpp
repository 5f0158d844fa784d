#include "dialogs/edit_history_hooks.h"

namespace pelorn::dialog_history {

// HISTORY: not wired yet; the map's undo history is still to come.
void recordWholeMapEdit() {}
void forgetEdits() {}

}  // namespace pelorn::dialog_history
