/* Menu command identifiers of the main window. Plain preprocessor definitions
   only: the resource script includes this file too. */
#ifndef PELORN_APP_COMMAND_IDS_H
#define PELORN_APP_COMMAND_IDS_H

#define IDM_ABOUT 300
#define IDM_EXIT 301
#define IDM_NEW_MAP 302
#define IDM_SAVE_AS_MAP 303
#define IDM_OPEN_MAP 304
#define IDM_SAVE_MAP 305
#define IDM_CHANGE_VIEW 306
#define IDM_BOLD_BRUSH 307
#define IDM_FILL_TOOL 308
#define IDM_START_LOCATION_MODE 309
#define IDM_GENERATE_MAP 310
#define IDM_GENERATE_START_LOCATIONS 311
#define IDM_BUCKET_TOOL 312
#define IDM_SAVE_BITMAP 313
#define IDM_UNDO 314
#define IDM_REDO 315
#define IDM_WHOLE_MAP_VIEW 316
#define IDM_SAVE_PNG 317
#define IDM_RECOVER 318
/* The hand edits: the selection, the clipboard, the stamp, brush sizes. */
#define IDM_SELECT_TOOL 320
#define IDM_SELECT_ALL 321
#define IDM_COPY 322
#define IDM_CUT 323
#define IDM_PASTE 324
#define IDM_CLEAR_SELECTION 325
#define IDM_REPLACE_TERRAIN 326
#define IDM_LARGER_BRUSH 327
#define IDM_SMALLER_BRUSH 328
#define IDM_MIRROR_EAST_WEST 329
#define IDM_MIRROR_NORTH_SOUTH 330
#define IDM_MIRROR_BOTH 331
#define IDM_CANCEL_HAND_EDIT 332
#define IDM_SHOW_ROOMS 319

#endif
