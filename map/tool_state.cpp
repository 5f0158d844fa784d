#include "map/tool_state.h"

namespace pelorn {

TerrainCode currentTerrain = kVoid;
bool boldBrush = false;
bool startLocationMode = false;
bool fillTool = false;
bool bucketTool = false;

void resetToolState() {
    currentTerrain = kVoid;
    boldBrush = false;
    startLocationMode = false;
    fillTool = false;
    bucketTool = false;
}

}  // namespace pelorn
