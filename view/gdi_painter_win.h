// The map view's painter on a GDI device context, and the pens it draws with.
#pragma once

#include <windows.h>

#include "view/painter.h"

namespace pelorn {

// One pen per PenId, made once at start-up: the terrain pens in code order
// (0..38, then 50..60), then the marker pens, then the pen of unknown codes.
void createPens();
void deletePens();

class GdiPainter : public Painter {
public:
    explicit GdiPainter(HDC dc) : dc_(dc) {}
    void selectPen(int pen) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void setTextColour(Rgb colour) override;
    void textOut(int x, int y, std::string_view text) override;
    void drawPixels(int left, int top, int width, int height, const Rgb* pixels) override;
    ClientRect clipBox() const override;

private:
    HDC dc_;
    int selectedPen_ = kPenCount;  // none of ours yet: a fresh paint device context
};

}  // namespace pelorn
