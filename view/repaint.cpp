#include "view/repaint.h"

#include <algorithm>

#include "view/cursor_text.h"
#include "view/layout.h"
#include "view/view_mode.h"

namespace pelorn {

void repaintMapChange(MapChange change) {
    const bool erase = change != MapChange::kBrushedTiles;
    if (change == MapChange::kWholeMap || showsOverview()) {
        invalidateClientArea(erase || change == MapChange::kWholeMap);
    } else {
        invalidateRect(kMapAreaRect, erase);
    }
    refreshCursorText();
}

void repaintStatus(StatusChange change) {
    switch (change) {
        case StatusChange::kCurrentTerrain:
            invalidateRect(kMarkerColumn1Rect, true);
            invalidateRect(kMarkerColumn2Rect, true);
            return;
        case StatusChange::kBrush: invalidateRect(kBrushStatusRect, true); return;
        case StatusChange::kTool: invalidateRect(kToolStatusRect, true); return;
        case StatusChange::kStartLocationMode: invalidateRect(kStartLocationStatusRect, true); return;
        case StatusChange::kMapFile: invalidateRect(kCaptionRect, true); return;
        case StatusChange::kCursorText: invalidateRect(kCursorTextRect, true); return;
        case StatusChange::kPlayers: invalidateRect(kPlayersStatusRect, true); return;
        case StatusChange::kSeed: invalidateRect(kSeedStatusRect, true); return;
    }
}

void repaintScrolled() {
    // The scroll rectangle leaves the status line out; the position text in
    // it names the quad and must follow.
    invalidateRect(kScrollRect, true);
    invalidateRect(kPositionStatusRect, true);
    refreshCursorText();
}

void repaintWholeWindow() {
    invalidateClientArea(true);
    refreshCursorText();
}

void QuadTileRepaint::add(int column, int row) {
    const ClientRect tile = quadTileRect(column, row);
    area_ = any_ ? ClientRect{std::min(area_.left, tile.left), std::min(area_.top, tile.top),
                              std::max(area_.right, tile.right), std::max(area_.bottom, tile.bottom)}
                 : tile;
    any_ = true;
}

void QuadTileRepaint::repaint() const {
    if (!any_) return;
    invalidateRect(area_, false);
    refreshCursorText();
}

}  // namespace pelorn
