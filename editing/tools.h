// The mouse tools of the detail view: the legend click, the normal and bold
// brush, the bucket fill and the whole-map fill, and the toggles of the tool
// state (map/tool_state.h). Every operation reads the cursor itself through
// the window seam (the pointer's place at the input being handled), finds
// what lies under it through the view's hit-testing, and says what it
// changed to the view's repaint.
#pragma once

#include "map/terrain.h"
#include "map/tool_state.h"

namespace pelorn {

extern bool leftButtonDown;  // a brush stroke is under way

// Back to the state of a fresh process: the tool state and the stroke.
void resetEditingState();

// A left-button press anywhere in the client area: picks a legend row, runs
// the bucket, or leaves the button down for the brush. Nothing in the
// overview; in the whole-map view the quad under the cursor opens in the
// detail view and the button is taken as up.
void mapClick();

// One brush step at the cursor (one tile, or seven with the bold brush). Tiles
// that already hold currentTerrain are left alone; the pixels of the tiles it
// changed are repainted without erasing, and nothing when none changed.
void brushAtCursor();

// The message loop's hook, after the press and each pointer move: one brush
// step at the cursor while the button is held on the detail view.
void brushAfterMessage();

// The left button went down (WM_LBUTTONDOWN): starts a stroke, then mapClick.
// Returns true when the stroke goes on (leftButtonDown still on), so that the
// shell captures the mouse until the button comes up.
bool leftButtonPressed();
// The left button came up (WM_LBUTTONUP).
void leftButtonReleased();
// The mouse capture was lost (WM_CAPTURECHANGED): the stroke ends just as if
// the button had come up. Harmless when no stroke is under way.
void strokeEnded();

// Enter with the fill tool on: the tool goes off and every tile becomes
// currentTerrain. Does nothing while the fill tool is off.
void fillWholeMap();

// The tool toggles, each repainting its status field or marker columns.
void toggleBoldBrush();
void toggleFillTool();    // the bucket goes off, then the fill tool switches
void toggleBucketTool();  // the fill tool goes off, then the bucket switches
void toggleStartLocationMode();

}  // namespace pelorn
