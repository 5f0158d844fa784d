#include "view/gdi_painter_win.h"

#include "map/terrain.h"

namespace pelorn {

namespace {

HPEN pens[kPenCount] = {};

COLORREF toColorRef(Rgb colour) { return RGB(colour.red, colour.green, colour.blue); }

void createPen(int id) {
    const PenStyle style = penStyle(id);
    pens[id] = CreatePen(PS_SOLID, style.width, toColorRef(style.colour));
}

}  // namespace

void createPens() {
    for (TerrainCode code = 0; code <= kLastLegendCode; ++code) createPen(code);
    for (TerrainCode code = kFirstStartLocation; code <= kLastStartLocation; ++code) createPen(code);
    createPen(kMarkerPen);
    createPen(kForestMarkPen);
    createPen(kJungleMarkPen);
    createPen(kStartMarkerPen);
    createPen(kUnknownCodePen);
}

// Runs after the window is gone, so no device context still holds a pen.
void deletePens() {
    for (HPEN& pen : pens) {
        if (pen) DeleteObject(pen);
        pen = nullptr;
    }
}

void GdiPainter::selectPen(int pen) {
    if (pen == kDefaultPen) {
        SelectObject(dc_, GetStockObject(BLACK_PEN));
        return;
    }
    // Codes 39..49 have no pen; the view asks for kUnknownCodePen for them,
    // and anything else out of range keeps the pen that is selected.
    if (pen < 0 || pen >= kPenCount || !pens[pen]) return;
    SelectObject(dc_, pens[pen]);
}

void GdiPainter::moveTo(int x, int y) { MoveToEx(dc_, x, y, nullptr); }

void GdiPainter::lineTo(int x, int y) { LineTo(dc_, x, y); }

void GdiPainter::setTextColour(Rgb colour) { SetTextColor(dc_, toColorRef(colour)); }

void GdiPainter::textOut(int x, int y, std::string_view text) {
    TextOutA(dc_, x, y, text.data(), static_cast<int>(text.size()));
}

}  // namespace pelorn
