// Reading the repaints an event asked for (Screen::repaints) in tests: the
// requests to expect, and the list split into the caption's repaints and the
// others. The caption follows the state of the map's file, which its own
// tests check, rather than the edit at hand.
#pragma once

#include <ostream>
#include <vector>

#include "view/client_area.h"
#include "view/layout.h"

namespace pelorn {

// Failure messages name the request.
inline void PrintTo(const Repaint& r, std::ostream* out) {
    if (r.wholeClient)
        *out << "whole(" << (r.erase ? "erase" : "no erase") << ")";
    else
        *out << "area(" << r.rect.left << ", " << r.rect.top << ", " << r.rect.right << ", " << r.rect.bottom << ", "
             << (r.erase ? "erase" : "no erase") << ")";
}

namespace test {

inline Repaint area(const ClientRect& rect, bool erase) { return {rect, erase, false}; }
inline Repaint whole(bool erase) { return {{0, 0, 0, 0}, erase, true}; }

inline bool isCaptionRepaint(const Repaint& r) { return !r.wholeClient && r.rect == kCaptionRect; }

// The requests in order, the caption's left out.
inline std::vector<Repaint> repaintsBesideCaption(const Repaints& repaints) {
    std::vector<Repaint> list;
    for (const Repaint& r : repaints.list())
        if (!isCaptionRepaint(r)) list.push_back(r);
    return list;
}

// The caption's requests alone.
inline std::vector<Repaint> captionRepaints(const Repaints& repaints) {
    std::vector<Repaint> list;
    for (const Repaint& r : repaints.list())
        if (isCaptionRepaint(r)) list.push_back(r);
    return list;
}

}  // namespace test
}  // namespace pelorn
