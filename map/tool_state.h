// The state of the editing tools that the window shows: what the brush,
// bucket and fills put down, and which tool and brush are on. The tools
// (editing/) change it; the view draws it in the status line and the legend.
#pragma once

#include "map/terrain.h"

namespace pelorn {

extern TerrainCode currentTerrain;  // what the brush, bucket and whole-map fill put down
extern bool boldBrush;              // off: one tile; on: seven
extern bool startLocationMode;      // legend clicks pick start-location codes
extern bool fillTool;               // Enter fills the whole map
extern bool bucketTool;             // a click on the map flood-fills

// Back to the state of a fresh process.
void resetToolState();

}  // namespace pelorn
