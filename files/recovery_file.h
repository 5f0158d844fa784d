// Recovery copies: the map in memory written as an ordinary map file under a
// name of the program's own, so that unsaved edits outlive "New Map", "Open
// Map", a generated world and the end of the program. The copies are
// "Recovery-1.map" (the newest) to "Recovery-5.map" in the working folder.
// Each opens by its name in "Open Map"; its line 2 holds the name of the map
// it copies, so that the map comes back under its own name.
#pragma once

#include <string>

#include "map/map_grid.h"

namespace pelorn {

constexpr int kRecoveryCopies = 5;

// "Recovery-1" for copy 1 (the newest) to "Recovery-5": short enough to be
// typed into "Open Map", which reads 15 characters.
std::string recoveryMapName(int copy);

// Whether the map file of this name is a recovery copy the program wrote: a
// map file whose line 2 names another map. A file the user saved under that
// name holds its own name there and is never replaced, moved or deleted.
bool isRecoveryCopy(const std::string& mapName);

// Writes the map as a new recovery copy, safely (writeFileSafely):
// the older copies move one number up, the fifth is deleted, and the map
// becomes the lowest free number, normally copy 1. Numbers held by the user's
// own files are passed over, and a copy never takes the number that is the
// map's own name. Returns the number written, or 0 when there is no grid, no
// number is free of the user's files, or a file cannot be moved or written.
int writeNewRecoveryCopy(const Map& map);

// Brings copy `copy` up to date with the map, when it is still a recovery
// copy and not the map's own name; false otherwise.
bool rewriteRecoveryCopy(const Map& map, int copy);

}  // namespace pelorn
