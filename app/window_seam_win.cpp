#include "app/shell_win.h"
#include "map/window_seam.h"

namespace pelorn {

namespace {

class Win32Seam : public WindowSeam {
public:
    // Where the pointer was when the input being handled happened, not where
    // it is by now: a click or a stroke must land where the user made it,
    // however late a busy machine lets the program see it.
    ClientPoint cursorPosition() override {
        const DWORD position = GetMessagePos();
        POINT point{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
        if (!mainWindow || !ScreenToClient(mainWindow, &point)) return {-1, -1};
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
