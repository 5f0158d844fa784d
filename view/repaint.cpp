#include "view/repaint.h"

#include "map/window_seam.h"
#include "view/view_mode.h"

namespace pelorn {

void repaintMapChange(MapChange change) {
    const bool erase = change != MapChange::kBrushedTiles;
    if (change == MapChange::kWholeMap) {
        invalidateClientArea(true);
    } else if (!showsDetailView()) {
        invalidateClientArea(erase);
    } else {
        invalidateRect(kMapAreaRect, erase);
    }
}

void repaintMapCaption() { invalidateRect(kCaptionRect, true); }

}  // namespace pelorn
