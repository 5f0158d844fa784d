// The document: the map, whether its file holds it, and its undo history.
#pragma once

#include "editing/history.h"
#include "map/map_grid.h"
#include "view/screen.h"

namespace pelorn {

struct Document {
    Map map;
    History history{map};
    bool mapSaveFailed = false;  // the last attempt to save the map failed

    // What the caption says of the map's file.
    FileMarks marks() const { return {history.hasUnsavedEdits(), mapSaveFailed}; }
};

}  // namespace pelorn
