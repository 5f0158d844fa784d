#include "support/raster_painter.h"

#include <algorithm>

namespace pelorn::test {

void RasterPainter::textOut(int x, int y, std::string_view text) {
    pelorn::RasterPainter::textOut(x, y, text);
    if (insideClip(x, y)) texts_.push_back({x, y, textColour(), std::string(text)});
}

void RasterPainter::clear() {
    pelorn::RasterPainter::clear();
    texts_.clear();
}

int RasterPainter::countPixels(Rgb colour, int left, int top, int right, int bottom) const {
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (pixel(x, y) == colour) ++count;
    return count;
}

int RasterPainter::paintedPixelCount() const {
    return static_cast<int>(
        std::count_if(pixels().begin(), pixels().end(), [](Rgb p) { return p != kWhite; }));
}

const TextEntry* RasterPainter::textAt(int x, int y) const {
    for (const TextEntry& entry : texts_)
        if (entry.x == x && entry.y == y) return &entry;
    return nullptr;
}

}  // namespace pelorn::test
