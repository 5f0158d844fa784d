// The dialogs' two touch points with the undo history, kept in one place.
#pragma once

namespace pelorn::dialog_history {

// Called just before a generator rewrites the whole map, so that the run can
// be undone as one edit.
void recordWholeMapEdit();
// Called after the map was replaced by another one (New, Open): earlier edits
// belong to a map that is gone.
void forgetEdits();

}  // namespace pelorn::dialog_history
