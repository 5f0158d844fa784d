#include "map/window_seam.h"

namespace pelorn {

namespace {
WindowSeam* currentSeam = nullptr;
}

void setWindowSeam(WindowSeam* seam) { currentSeam = seam; }
WindowSeam* windowSeam() { return currentSeam; }

ClientPoint cursorPosition() { return currentSeam ? currentSeam->cursorPosition() : ClientPoint{-1, -1}; }

void invalidateRect(int left, int top, int right, int bottom, bool erase) {
    if (currentSeam) currentSeam->invalidate(ClientRect{left, top, right, bottom}, erase);
}

void invalidateClientArea(bool erase) {
    if (currentSeam) currentSeam->invalidateAll(erase);
}

}  // namespace pelorn
