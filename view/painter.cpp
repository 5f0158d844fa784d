#include "view/painter.h"

namespace pelorn {

PenStyle penStyle(int pen) {
    switch (pen) {
        case kDefaultPen: return {1, {0, 0, 0}};
        case kMarkerPen: return {10, {255, 0, 0}};
        case kForestMarkPen: return {2, {0, 60, 26}};
        case kJungleMarkPen: return {2, {0, 60, 200}};
        case kStartMarkerPen: return {3, {255, 0, 0}};
        case kUnknownCodePen: return {1, kUnknownCodeColour};
        case kQuadFramePen: return {1, {255, 0, 0}};
        case kSelectionFramePen: return {1, {0, 255, 255}};
        default: return {1, terrainColour(pen)};
    }
}

int tilePen(TerrainCode code) { return hasTerrainColour(code) ? code : kUnknownCodePen; }

}  // namespace pelorn
