// The two things the core asks of the window system: where the cursor is, and
// which part of the client area to repaint. The Win32 shell installs the real
// seam; tests install a recording fake; without a seam (pelorn-cli) the cursor
// is at (-1, -1) and invalidation does nothing.
#pragma once

namespace pelorn {

struct ClientPoint {
    int x;
    int y;
};

struct ClientRect {
    int left;
    int top;
    int right;
    int bottom;
    friend bool operator==(const ClientRect& a, const ClientRect& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
};

class WindowSeam {
public:
    virtual ~WindowSeam() = default;
    // The cursor position in client pixels at this moment.
    virtual ClientPoint cursorPosition() = 0;
    // Repaint this rectangle of the client area, erasing its background first or not.
    virtual void invalidate(const ClientRect& rect, bool erase) = 0;
    // The whole client area.
    virtual void invalidateAll(bool erase) = 0;
};

void setWindowSeam(WindowSeam* seam);  // nullptr removes it
WindowSeam* windowSeam();

ClientPoint cursorPosition();
void invalidateRect(int left, int top, int right, int bottom, bool erase);
void invalidateClientArea(bool erase);

inline void invalidateRect(const ClientRect& rect, bool erase) {
    invalidateRect(rect.left, rect.top, rect.right, rect.bottom, erase);
}

}  // namespace pelorn
