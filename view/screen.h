// What the main window shows beside the map's tiles: the view and the quad it
// stands on, the tools as the status line and the legend show them, the
// status texts, and the repaints asked for since the shell last took them.
// The editor (editing/) owns one Screen and changes it; the view draws it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "map/terrain.h"
#include "view/client_area.h"
#include "view/view_mode.h"

namespace pelorn {

// What the caption says of the map's file; the document keeps it.
struct FileMarks {
    bool mapHasUnsavedEdits = false;  // "Untitled.map *"
    bool mapSaveFailed = false;       // "Untitled.map not saved"
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
    bool showRooms = false;              // the whole-map view tints each start's room

    // The status texts.
    std::string playersText;                 // what the last players-mode run placed
    std::optional<std::uint32_t> seedShown;  // the seed the last generator run started from
    std::optional<ClientPoint> lastPointer;  // the pointer's last place over the client area
    std::string cursorText;                  // the tile under it, as the status line shows it

    // What to repaint; the shell takes it after each event.
    Repaints repaints;
};

}  // namespace pelorn
