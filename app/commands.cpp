#include "app/commands.h"

#include "app/command_ids.h"
#include "editing/history.h"
#include "editing/tools.h"
#include "files/bitmap_file.h"
#include "files/map_file.h"
#include "files/png_file.h"
#include "map/map_grid.h"
#include "view/repaint.h"
#include "view/view_mode.h"
#include "view/whole_map.h"

namespace pelorn {

namespace {

constexpr int kKeyB = 'B';
constexpr int kKeyC = 'C';
constexpr int kKeyF = 'F';
constexpr int kKeyM = 'M';
constexpr int kKeyS = 'S';
constexpr int kKeyU = 'U';
constexpr int kKeyW = 'W';
constexpr int kKeyY = 'Y';
constexpr int kKeyZ = 'Z';

// The arrows, Ctrl+S, Ctrl+M, Ctrl+W and undo/redo: they work in every view. Returns
// true when the key was handled.
bool handleViewKey(int virtualKey, bool ctrlDown, bool shiftDown) {
    if (virtualKey == kKeyUp && viewQuadY > 0) {
        --viewQuadY;
        repaintScrolled();
    } else if (virtualKey == kKeyDown && viewQuadY < quadCountY - 1) {
        ++viewQuadY;
        repaintScrolled();
    } else if (virtualKey == kKeyLeft && viewQuadX > 0) {
        --viewQuadX;
        repaintScrolled();
    } else if (virtualKey == kKeyRight && viewQuadX < quadCountX - 1) {
        ++viewQuadX;
        repaintScrolled();
    } else if (virtualKey == kKeyS && ctrlDown) {
        saveMapFile();
    } else if (virtualKey == kKeyM && ctrlDown) {
        switchViewMode();
    } else if (virtualKey == kKeyW && ctrlDown) {
        switchWholeMapView();
    } else if (virtualKey == kKeyZ && ctrlDown) {
        if (shiftDown)
            redoLastEdit();
        else
            undoLastEdit();
    } else if (virtualKey == kKeyY && ctrlDown) {
        redoLastEdit();
    } else {
        return false;
    }
    return true;
}

// The tool keys and Enter: the detail view only.
void handleToolKey(int virtualKey, bool ctrlDown) {
    if (virtualKey == kKeyF && ctrlDown) {
        toggleFillTool();
    } else if (virtualKey == kKeyU && ctrlDown) {
        toggleBucketTool();
    } else if (virtualKey == kKeyEnter && fillTool) {
        fillWholeMap();
    } else if (virtualKey == kKeyB && ctrlDown) {
        toggleBoldBrush();
    } else if (virtualKey == kKeyC && ctrlDown) {
        toggleStartLocationMode();
    }
}

}  // namespace

void switchViewMode() {
    switchToNextView();
    repaintWholeWindow();
}

void handleKeyDown(int virtualKey, bool ctrlDown, bool shiftDown) {
    if (handleViewKey(virtualKey, ctrlDown, shiftDown)) return;
    if (!showsDetailView()) return;
    handleToolKey(virtualKey, ctrlDown);
}

bool handleMenuCommand(int id) {
    switch (id) {
        case IDM_SAVE_MAP: saveMapFile(); return true;
        case IDM_CHANGE_VIEW: switchViewMode(); return true;
        case IDM_BOLD_BRUSH: toggleBoldBrush(); return true;
        case IDM_FILL_TOOL: toggleFillTool(); return true;
        case IDM_START_LOCATION_MODE: toggleStartLocationMode(); return true;
        case IDM_BUCKET_TOOL: toggleBucketTool(); return true;
        case IDM_SAVE_BITMAP: saveMapBitmap(); return true;
        case IDM_UNDO: undoLastEdit(); return true;
        case IDM_REDO: redoLastEdit(); return true;
        case IDM_WHOLE_MAP_VIEW: switchWholeMapView(); return true;
        case IDM_SAVE_PNG: saveMapPng(); return true;
        default: return false;
    }
}

}  // namespace pelorn
