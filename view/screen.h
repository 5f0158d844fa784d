// What the main window shows beside the map's tiles: the view and the quad it
// stands on, the tools as the status line and the legend show them, the
// status texts, and the repaints asked for since the shell last took them.
// The editor (editing/) owns one Screen and changes it; the view draws it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "map/terrain.h"
#include "map/tile_block.h"
#include "view/client_area.h"
#include "view/view_mode.h"

namespace pelorn {

// What the caption says of the map's file; the document keeps it.
struct FileMarks {
    bool mapHasUnsavedEdits = false;  // "Untitled.map *"
    bool mapSaveFailed = false;       // "Untitled.map not saved"
};

// Copied tiles floating over the map until a click puts them down: the
// block, and the map tile its top-left cell stands on (none while the
// pointer is off the viewed quad).
struct FloatingStamp {
    TileBlock block;
    std::optional<TilePos> at;
};

// A start location being dragged to another tile in start-location mode.
struct StartDrag {
    TilePos from;
    TilePos at;
};

// The start locations the whole-map view marks, and their rooms while it
// tints them. The editor works them out once per change of the map, not at
// every paint: a map of 32 by 32 quads has ten million tiles to look at.
// Unknown, the view works them out itself.
struct StartsShown {
    bool known = false;
    std::uint64_t revision = 0;  // of the map they were worked out for
    bool withRooms = false;
    std::vector<TilePos> starts;
    std::vector<std::int32_t> roomOwners;  // per tile, column by column: its start, -1 for none
};

struct Screen {
    // The view: which one, and the quad the detail view shows.
    std::int32_t viewMode = kDetailView;
    std::int32_t viewQuadX = 0;
    std::int32_t viewQuadY = 0;

    // The tools, as the status line and the legend show them.
    TerrainCode currentTerrain = kVoid;  // what the brush, bucket and whole-map fill put down
    bool boldBrush = false;              // off: one tile; on: seven
    bool startLocationMode = false;      // legend clicks pick start-location codes
    bool fillTool = false;               // Enter fills the whole map
    bool bucketTool = false;             // a click on the map flood-fills
    bool selectTool = false;             // a drag on the map selects a rectangle
    std::int32_t brushSize = 0;          // 2..10: the hex disc of that radius; 0: boldBrush decides

    // The hand edits under way: the selected tiles, a floating stamp, a
    // dragged start location; each drawn over the map while it exists.
    std::optional<TileRect> selection;
    std::optional<FloatingStamp> stamp;
    std::optional<StartDrag> startDrag;
    bool showRooms = false;              // the whole-map view tints each start's room
    StartsShown startsShown;

    // The status texts.
    std::string playersText;                 // what the last players-mode run placed
    std::optional<std::uint32_t> seedShown;  // the seed the last generator run started from
    std::optional<ClientPoint> lastPointer;  // the pointer's last place over the client area
    std::string cursorText;                  // the tile under it, as the status line shows it
    std::string noticeText;                  // what an action just did or could not do (view/notice.h)
    bool noticeIsFailure = false;            // shown in red
    std::string editText;                    // what the last selection, paste, replace or move said

    // What to repaint; the shell takes it after each event.
    Repaints repaints;
};

}  // namespace pelorn
