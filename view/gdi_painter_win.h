// The map view's painter on a GDI device context, and the pens it draws with.
#pragma once

#include <windows.h>

#include "view/painter.h"

namespace pelorn {

// One pen per PenId: the terrain pens in code order (0..38, then 50..60),
// then the marker pens, then the pen of unknown codes. The shell makes them
// once at start-up and lets them go after the window is gone, so that no
// device context still holds one.
class Pens {
public:
    Pens();
    ~Pens();
    Pens(const Pens&) = delete;
    Pens& operator=(const Pens&) = delete;

    // The pen of an id; nullptr for ids without one.
    HPEN pen(int id) const { return id >= 0 && id < kPenCount ? pens_[id] : nullptr; }

private:
    void create(int id);
    HPEN pens_[kPenCount] = {};
};

class GdiPainter : public Painter {
public:
    GdiPainter(HDC dc, const Pens& pens) : dc_(dc), pens_(pens) {}
    void selectPen(int pen) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void setTextColour(Rgb colour) override;
    void textOut(int x, int y, std::string_view text) override;
    void drawPixels(int left, int top, int width, int height, const Rgb* pixels) override;
    ClientRect clipBox() const override;

private:
    HDC dc_;
    const Pens& pens_;
    int selectedPen_ = kPenCount;  // none of ours yet: a fresh paint device context
};

}  // namespace pelorn
