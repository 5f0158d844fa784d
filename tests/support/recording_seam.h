// A window seam for tests: the cursor is wherever the test puts it, and every
// invalidated rectangle is recorded in order. Repaints of the caption (the
// map's name and the state of its file) are recorded apart, in
// captionRepaints: they follow the saved state, which its own tests check,
// rather than the edit at hand.
#pragma once

#include <vector>

#include "map/window_seam.h"
#include "view/layout.h"

namespace pelorn::test {

struct Invalidation {
    ClientRect rect;  // {0, 0, 0, 0} with wholeClient for the whole client area
    bool erase;
    bool wholeClient;
    friend bool operator==(const Invalidation& a, const Invalidation& b) {
        return a.rect == b.rect && a.erase == b.erase && a.wholeClient == b.wholeClient;
    }
};

class RecordingSeam : public WindowSeam {
public:
    RecordingSeam() { setWindowSeam(this); }
    ~RecordingSeam() override { setWindowSeam(nullptr); }
    RecordingSeam(const RecordingSeam&) = delete;
    RecordingSeam& operator=(const RecordingSeam&) = delete;

    ClientPoint cursorPosition() override { return cursor; }
    void invalidate(const ClientRect& rect, bool erase) override {
        (rect == kCaptionRect ? captionRepaints : invalidations).push_back({rect, erase, false});
    }
    void invalidateAll(bool erase) override { invalidations.push_back({{0, 0, 0, 0}, erase, true}); }

    static Invalidation area(const ClientRect& rect, bool erase) { return {rect, erase, false}; }
    static Invalidation whole(bool erase) { return {{0, 0, 0, 0}, erase, true}; }

    ClientPoint cursor{-1, -1};
    std::vector<Invalidation> invalidations;
    std::vector<Invalidation> captionRepaints;
};

}  // namespace pelorn::test
