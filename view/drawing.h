// What the views' drawing shares: the colours of the texts, a line, and the
// colour a tile shows where it takes a pixel or less. For the view's own
// files; callers draw through paintMap.
#pragma once

#include "map/terrain.h"
#include "view/painter.h"

namespace pelorn {
struct Screen;
}

namespace pelorn::drawing {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kToolStatusColour{200, 0, 0};

inline void line(Painter& painter, int x0, int y0, int x1, int y1) {
    painter.moveTo(x0, y0);
    painter.lineTo(x1, y1);
}

// The viewed quad's column and row, as the status line shows them.
void drawPositionText(Painter& painter, const Screen& screen);

// The colour of a tile's pen. Start locations show their land's colour,
// without the dot.
class TileColours {
public:
    TileColours() {
        for (int code = 0; code < kPaletteSize; ++code) colours_[code] = penStyle(tilePen(code)).colour;
        unknown_ = penStyle(kUnknownCodePen).colour;
    }
    Rgb operator()(TerrainCode code) const { return code >= 0 && code < kPaletteSize ? colours_[code] : unknown_; }

private:
    Rgb colours_[kPaletteSize];
    Rgb unknown_;
};

}  // namespace pelorn::drawing
