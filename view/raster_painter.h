// A Painter on an in-memory RGB raster with the pixel rules of a GDI paint
// device context: what the view draws in the window comes out here pixel for
// pixel, for pictures of the map (pelorn-cli export --hex) and for checking
// the view.
//
// Pixel (px, py) covers the unit square whose centre is (px + 0.5, py + 0.5).
// - 1-pixel pens draw cosmetic lines: the pixels of a Bresenham walk from the
//   start point up to, but excluding, the end point. Horizontal, vertical and
//   single-pixel lines come out exactly as GDI draws them; a zero-length line
//   paints nothing.
// - Wider pens draw geometric lines with round caps, the shapes GDI gives the
//   view's pens (compared pixel for pixel with the editor's window under
//   Wine): every pixel whose centre lies closer than width / 2 - 0.1 to the
//   segment, the segment running through the end points' pixel centres for
//   odd widths and through their top-left corners for even ones. A 10-pixel
//   line from (728, y) to (732, y) is a blob from x 723 to 736 and y - 5 to
//   y + 4 (rows of 8, 10, 12, 14, 14, 14, 14, 12, 10, 8 pixels); a 3-pixel
//   line from (x, y) to (x + 4, y) rows of 5, 7, 5 pixels from y - 1 to y + 1;
//   a 3-pixel line from (x, y) to (x, y + 1) a plus of 8 pixels; a 2-pixel line
//   from (x, y) to (x, y + 2) a block x - 1..x by y - 1..y + 2.
// - All drawing is clipped to the raster and, when clip rectangles are set, to
//   their union (each rectangle left/top inclusive, right/bottom exclusive, as
//   an invalidated region).
// - Text is not rasterised.
// - A block of pixels is copied as it is, clipped like the lines.
// - The clip box is the bounding box of the clip rectangles within the raster.
// Every drawing call is counted, so that a caller can see how much a paint
// asks of the surface.
#pragma once

#include <vector>

#include "view/client_area.h"
#include "view/painter.h"

namespace pelorn {

class RasterPainter : public Painter {
public:
    static constexpr Rgb kWhite{255, 255, 255};

    // A white raster (none for a size below 1); std::bad_alloc when its memory
    // cannot be had.
    RasterPainter(int width = 964, int height = 590);

    void selectPen(int pen) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void setTextColour(Rgb colour) override;
    void textOut(int x, int y, std::string_view text) override;
    void drawPixels(int left, int top, int width, int height, const Rgb* pixels) override;
    ClientRect clipBox() const override;

    // Drawing is restricted to the union of these (none: the whole raster).
    void setClipRects(std::vector<ClientRect> rects) { clipRects_ = std::move(rects); }
    // Back to a white raster; the clip stays.
    virtual void clear();

    int width() const { return width_; }
    int height() const { return height_; }
    // The colour of a pixel; white outside the raster.
    Rgb pixel(int x, int y) const;
    // All pixels, row after row from the top.
    const std::vector<Rgb>& pixels() const { return pixels_; }
    // Drawing calls since construction (clipBox not counted).
    long calls() const { return calls_; }

protected:
    bool insideClip(int x, int y) const;
    Rgb textColour() const { return textColour_; }

private:
    void plot(int x, int y);
    void thinLine(int x0, int y0, int x1, int y1);
    void wideLine(int x0, int y0, int x1, int y1, int penWidth);

    int width_;
    int height_;
    std::vector<Rgb> pixels_;
    std::vector<ClientRect> clipRects_;
    PenStyle pen_{1, {0, 0, 0}};
    Rgb textColour_{0, 0, 0};
    int currentX_ = 0;
    int currentY_ = 0;
    long calls_ = 0;
};

}  // namespace pelorn
