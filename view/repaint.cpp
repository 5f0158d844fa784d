#include "view/repaint.h"

#include <algorithm>

#include "view/cursor_text.h"
#include "view/layout.h"
#include "view/screen.h"
#include "view/view.h"

namespace pelorn {

void repaintMapChange(Screen& screen, const Map& map, MapChange change) {
    if (change == MapChange::kWholeMap) {
        screen.repaints.all(true);
    } else {
        currentView(screen).repaintTiles(screen.repaints, change != MapChange::kBrushedTiles);
    }
    refreshCursorText(screen, map);
}

void repaintStatus(Screen& screen, StatusChange change) {
    Repaints& repaints = screen.repaints;
    switch (change) {
        case StatusChange::kCurrentTerrain:
            repaints.rect(kMarkerColumn1Rect, true);
            repaints.rect(kMarkerColumn2Rect, true);
            return;
        case StatusChange::kBrush: repaints.rect(kBrushStatusRect, true); return;
        case StatusChange::kTool: repaints.rect(kToolStatusRect, true); return;
        case StatusChange::kStartLocationMode: repaints.rect(kStartLocationStatusRect, true); return;
        case StatusChange::kMapFile: repaints.rect(kCaptionRect, true); return;
        case StatusChange::kCursorText: repaints.rect(kCursorTextRect, true); return;
        case StatusChange::kPlayers: repaints.rect(kPlayersTextRepaintRect, true); return;
        case StatusChange::kSeed: repaints.rect(kSeedStatusRect, true); return;
        case StatusChange::kNotice: repaints.rect(kNoticeRect, true); return;
        case StatusChange::kSelection: repaints.rect(kSelectionStatusRect, true); return;
        case StatusChange::kEditText: repaints.rect(kEditStatusRect, true); return;
    }
}

void repaintScrolled(Screen& screen, const Map& map) {
    // The scroll rectangle leaves the status line out; the position text in
    // it names the quad and must follow.
    screen.repaints.rect(kScrollRect, true);
    screen.repaints.rect(kPositionStatusRect, true);
    refreshCursorText(screen, map);
}

void repaintWholeWindow(Screen& screen, const Map& map) {
    screen.repaints.all(true);
    refreshCursorText(screen, map);
}

void QuadTileRepaint::add(int column, int row) {
    const ClientRect tile = quadTileRect(column, row);
    area_ = any_ ? ClientRect{std::min(area_.left, tile.left), std::min(area_.top, tile.top),
                              std::max(area_.right, tile.right), std::max(area_.bottom, tile.bottom)}
                 : tile;
    any_ = true;
}

void QuadTileRepaint::repaint(Screen& screen, const Map& map) const {
    if (!any_) return;
    screen.repaints.rect(area_, false);
    refreshCursorText(screen, map);
}

}  // namespace pelorn
