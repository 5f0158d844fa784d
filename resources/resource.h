// Identifiers of the resources pelorn.rc carries; shared by the resource
// script and the Win32 shell. Menu command ids live in app/command_ids.h.
#pragma once

#define IDS_WINDOW_TITLE 103
#define IDS_WINDOW_CLASS 500

#define IDI_PELORN 400
#define IDI_PELORN_SMALL 401

#define IDR_MAIN_MENU 500
#define IDR_ACCELERATORS 500

#define IDD_ABOUT 201
#define IDD_NEW_MAP 202
#define IDD_SAVE_AS_MAP 203
#define IDD_OPEN_MAP 204
#define IDD_START_LOCATIONS 205
#define IDD_GENERATE_TERRAIN 206
#define IDD_RECOVER 207

// The edit fields of "New Map", "Save As Map" and "Open Map", and the one of
// "Generate Start Locations". "Generate Terrain" numbers its controls 601 to
// 629 in tab order, the two check boxes among them (its table in
// dialogs/generate_terrain_dialog.cpp).
#define IDC_MAP_NAME 601
#define IDC_QUAD_X 602
#define IDC_QUAD_Y 603
#define IDC_TRIES 601
// After the number of tries, OK and CANCEL, the players-mode fields of
// "Generate Start Locations".
#define IDC_PLAYERS 602
#define IDC_MIN_DISTANCE 603
#define IDC_LAND_RADIUS 604
#define IDC_SEED_HORIZONTAL_SEA 610
#define IDC_SEED_VERTICAL_SEA 611
// After the original controls: the seed field of both generate dialogs, and
// the symmetry choice of Generate Terrain.
#define IDC_SEED 630
#define IDC_SYMMETRY 631
// "Recover": the list of copies, the difference of the selected one, Delete.
#define IDC_RECOVER_LIST 700
#define IDC_RECOVER_DIFFERENCE 701
#define IDC_RECOVER_DELETE 702
// After the symmetry choice of Generate Terrain: the map's size.
#define IDC_GENERATE_QUADS_X 710
#define IDC_GENERATE_QUADS_Y 711
// "Replace Terrain": the two names or codes and "Only in the selection".
#define IDD_REPLACE_TERRAIN 208
#define IDC_REPLACE_FROM 720
#define IDC_REPLACE_WITH 721
#define IDC_REPLACE_IN_SELECTION 722
