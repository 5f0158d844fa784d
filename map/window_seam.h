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

// The rectangles other operations repaint.
constexpr ClientRect kMapAreaRect{10, 30, 720, 510};
constexpr ClientRect kScrollRect{0, 30, 730, 540};
constexpr ClientRect kSeedStatusRect{440, 8, 575, 28};
constexpr ClientRect kToolStatusRect{580, 8, 710, 28};
constexpr ClientRect kBrushStatusRect{790, 8, 900, 28};
constexpr ClientRect kStartLocationStatusRect{900, 8, 950, 28};
constexpr ClientRect kMarkerColumn1Rect{721, 38, 738, 520};
constexpr ClientRect kMarkerColumn2Rect{832, 38, 848, 520};

inline void invalidateRect(const ClientRect& rect, bool erase) {
    invalidateRect(rect.left, rect.top, rect.right, rect.bottom, erase);
}

}  // namespace pelorn
