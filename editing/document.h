// The document: the map, whether its file holds it, and its undo history.
#pragma once

#include <string>

#include "editing/history.h"
#include "map/map_grid.h"
#include "view/screen.h"

namespace pelorn {

struct Document {
    Map map;
    History history{map};
    bool mapSaveFailed = false;  // the last attempt to save the map failed
    // The map name whose file the map was read from or last saved to; empty
    // for a new map or a recovery copy. "Save As" onto another file asks.
    std::string sourceName;

    // What the caption says of the map's file.
    FileMarks marks() const { return {history.hasUnsavedEdits(), mapSaveFailed}; }
};

}  // namespace pelorn
