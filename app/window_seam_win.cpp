#include "app/shell_win.h"
#include "map/window_seam.h"

namespace pelorn {

namespace {

class Win32Seam : public WindowSeam {
public:
    ClientPoint cursorPosition() override {
        POINT point{-1, -1};
        if (!mainWindow || !GetCursorPos(&point) || !ScreenToClient(mainWindow, &point)) return {-1, -1};
        return {static_cast<int>(point.x), static_cast<int>(point.y)};
    }

    // Before the window exists (the map loads first) there is nothing to
    // repaint; a null window would invalidate the whole desktop instead.
    void invalidate(const ClientRect& rect, bool erase) override {
        if (!mainWindow) return;
        RECT r;
        SetRect(&r, rect.left, rect.top, rect.right, rect.bottom);
        InvalidateRect(mainWindow, &r, erase ? TRUE : FALSE);
    }

    void invalidateAll(bool erase) override {
        if (!mainWindow) return;
        InvalidateRect(mainWindow, nullptr, erase ? TRUE : FALSE);
    }
};

Win32Seam seam;

}  // namespace

void installWindowSeam() { setWindowSeam(&seam); }

}  // namespace pelorn
