#include "view/gdi_painter_win.h"

#include <cstdint>
#include <vector>

#include "map/terrain.h"

namespace pelorn {

namespace {

COLORREF toColorRef(Rgb colour) { return RGB(colour.red, colour.green, colour.blue); }

}  // namespace

Pens::Pens() {
    for (TerrainCode code = 0; code <= kLastLegendCode; ++code) create(code);
    for (TerrainCode code = kFirstStartLocation; code <= kLastStartLocation; ++code) create(code);
    create(kMarkerPen);
    create(kForestMarkPen);
    create(kJungleMarkPen);
    create(kStartMarkerPen);
    create(kUnknownCodePen);
    create(kQuadFramePen);
    create(kSelectionFramePen);
}

Pens::~Pens() {
    for (HPEN pen : pens_)
        if (pen) DeleteObject(pen);
}

void Pens::create(int id) {
    const PenStyle style = penStyle(id);
    pens_[id] = CreatePen(PS_SOLID, style.width, toColorRef(style.colour));
}

void GdiPainter::selectPen(int pen) {
    // Runs of one terrain ask for the pen they already have.
    if (pen == selectedPen_) return;
    if (pen == kDefaultPen) {
        SelectObject(dc_, GetStockObject(BLACK_PEN));
        selectedPen_ = pen;
        return;
    }
    // Codes 39..49 have no pen; the view asks for kUnknownCodePen for them,
    // and anything else out of range keeps the pen that is selected.
    const HPEN chosen = pens_.pen(pen);
    if (!chosen) return;
    SelectObject(dc_, chosen);
    selectedPen_ = pen;
}

void GdiPainter::moveTo(int x, int y) { MoveToEx(dc_, x, y, nullptr); }

void GdiPainter::lineTo(int x, int y) { LineTo(dc_, x, y); }

void GdiPainter::setTextColour(Rgb colour) { SetTextColor(dc_, toColorRef(colour)); }

void GdiPainter::textOut(int x, int y, std::string_view text) {
    TextOutA(dc_, x, y, text.data(), static_cast<int>(text.size()));
}

void GdiPainter::drawPixels(int left, int top, int width, int height, const Rgb* pixels) {
    if (width <= 0 || height <= 0) return;
    // A top-down 32-bit device-independent bitmap: blue, green, red, unused.
    std::vector<std::uint32_t> bits(static_cast<std::size_t>(width) * height);
    for (std::size_t i = 0; i < bits.size(); ++i)
        bits[i] = std::uint32_t{pixels[i].red} << 16 | std::uint32_t{pixels[i].green} << 8 | pixels[i].blue;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc_, left, top, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                      static_cast<UINT>(height), bits.data(), &info, DIB_RGB_COLORS);
}

ClientRect GdiPainter::clipBox() const {
    RECT box;
    // Without a clip region the box is the whole surface; on failure, draw everything.
    if (GetClipBox(dc_, &box) == ERROR) return {-32768, -32768, 32767, 32767};
    return {static_cast<int>(box.left), static_cast<int>(box.top), static_cast<int>(box.right),
            static_cast<int>(box.bottom)};
}

}  // namespace pelorn
