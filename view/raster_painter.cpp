#include "view/raster_painter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace pelorn {

RasterPainter::RasterPainter(int width, int height)
    : width_(std::max(0, width)),
      height_(std::max(0, height)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), kWhite) {}

void RasterPainter::selectPen(int pen) {
    ++calls_;
    pen_ = penStyle(pen);
}

void RasterPainter::moveTo(int x, int y) {
    ++calls_;
    currentX_ = x;
    currentY_ = y;
}

void RasterPainter::lineTo(int x, int y) {
    ++calls_;
    if (pen_.width <= 1)
        thinLine(currentX_, currentY_, x, y);
    else
        wideLine(currentX_, currentY_, x, y, pen_.width);
    currentX_ = x;
    currentY_ = y;
}

void RasterPainter::setTextColour(Rgb colour) {
    ++calls_;
    textColour_ = colour;
}

void RasterPainter::textOut(int, int, std::string_view) { ++calls_; }

void RasterPainter::drawPixels(int left, int top, int width, int height, const Rgb* pixels) {
    ++calls_;
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            const int x = left + column;
            const int y = top + row;
            if (insideClip(x, y))
                pixels_[static_cast<std::size_t>(y) * width_ + x] = pixels[static_cast<std::size_t>(row) * width + column];
        }
    }
}

ClientRect RasterPainter::clipBox() const {
    ClientRect box{0, 0, width_, height_};
    if (clipRects_.empty()) return box;
    ClientRect bounds{width_, height_, 0, 0};
    for (const ClientRect& r : clipRects_) {
        bounds.left = std::min(bounds.left, r.left);
        bounds.top = std::min(bounds.top, r.top);
        bounds.right = std::max(bounds.right, r.right);
        bounds.bottom = std::max(bounds.bottom, r.bottom);
    }
    box = {std::max(box.left, bounds.left), std::max(box.top, bounds.top), std::min(box.right, bounds.right),
           std::min(box.bottom, bounds.bottom)};
    if (box.left >= box.right || box.top >= box.bottom) return {0, 0, 0, 0};
    return box;
}

void RasterPainter::clear() { std::fill(pixels_.begin(), pixels_.end(), kWhite); }

Rgb RasterPainter::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return kWhite;
    return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

bool RasterPainter::insideClip(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return false;
    if (clipRects_.empty()) return true;
    for (const ClientRect& r : clipRects_)
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
    return false;
}

void RasterPainter::plot(int x, int y) {
    if (insideClip(x, y)) pixels_[static_cast<std::size_t>(y) * width_ + x] = pen_.colour;
}

// Bresenham from (x0, y0) towards (x1, y1), stopping before the end point.
void RasterPainter::thinLine(int x0, int y0, int x1, int y1) {
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    int x = x0;
    int y = y0;
    while (x != x1 || y != y1) {
        plot(x, y);
        const int e2 = 2 * error;
        if (e2 >= dy) {
            error += dy;
            x += sx;
        }
        if (e2 <= dx) {
            error += dx;
            y += sy;
        }
    }
}

// Round-capped stroke, as GDI draws the view's wide pens: a pixel is painted
// when its centre lies closer than width / 2 - 0.1 to the segment. A pen of
// odd width is centred on the middle of the end points' pixels, one of even
// width on their top-left corners, so that its caps fill the width x width
// boxes from (x - width / 2, y - width / 2).
void RasterPainter::wideLine(int x0, int y0, int x1, int y1, int penWidth) {
    const double radius = penWidth / 2.0 - 0.1;
    const double shift = penWidth % 2 == 1 ? 0.5 : 0.0;
    const double ax = x0 + shift;
    const double ay = y0 + shift;
    const double sx = x1 - x0;
    const double sy = y1 - y0;
    const double lengthSquared = sx * sx + sy * sy;
    const int reach = penWidth / 2 + 1;
    for (int py = std::min(y0, y1) - reach; py <= std::max(y0, y1) + reach; ++py) {
        for (int px = std::min(x0, x1) - reach; px <= std::max(x0, x1) + reach; ++px) {
            const double cx = px + 0.5 - ax;
            const double cy = py + 0.5 - ay;
            double t = lengthSquared > 0 ? (cx * sx + cy * sy) / lengthSquared : 0.0;
            t = std::clamp(t, 0.0, 1.0);
            const double ex = cx - t * sx;
            const double ey = cy - t * sy;
            if (ex * ex + ey * ey < radius * radius) plot(px, py);
        }
    }
}

}  // namespace pelorn
