// The view's raster painter with what tests ask of a paint besides its
// pixels: every textOut whose origin lies in the clip area is recorded with
// its position and the text colour at that moment, and pixels can be counted.
#pragma once

#include <string>
#include <vector>

#include "view/raster_painter.h"

namespace pelorn::test {

struct TextEntry {
    int x;
    int y;
    Rgb colour;
    std::string text;
};

class RasterPainter : public pelorn::RasterPainter {
public:
    using pelorn::RasterPainter::RasterPainter;

    void textOut(int x, int y, std::string_view text) override;
    // Back to a white raster with no text; the clip stays.
    void clear() override;

    // Pixels of this colour in the rectangle [left, right) x [top, bottom).
    int countPixels(Rgb colour, int left, int top, int right, int bottom) const;
    // Pixels not white in the whole raster.
    int paintedPixelCount() const;
    const std::vector<TextEntry>& texts() const { return texts_; }
    // The entry drawn at (x, y), or nullptr.
    const TextEntry* textAt(int x, int y) const;

private:
    std::vector<TextEntry> texts_;
};

}  // namespace pelorn::test
