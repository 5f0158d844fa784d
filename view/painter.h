// What the map view needs of a drawing surface, shaped like the GDI calls
// that do it on Windows: pens, lines whose end point is not painted, text.
#pragma once

#include <string_view>

#include "map/terrain.h"

namespace pelorn {

// Every pen the view draws with. Codes 0..38 and 50..60 are the terrain pens
// (index = code); the named pens follow.
enum PenId : int {
    kDefaultPen = -1,      // the device context's own black 1-pixel pen
    kMarkerPen = kPaletteSize,  // 10 px, red: legend marker of a plain terrain
    kForestMarkPen,        // 2 px, (0, 60, 26): tree mark
    kJungleMarkPen,        // 2 px, (0, 60, 200): jungle mark
    kStartMarkerPen,       // 3 px, red: start-location dot and its legend dash
    kUnknownCodePen,       // 1 px, kUnknownCodeColour: tiles whose code has no pen
    kPenCount
};

struct PenStyle {
    int width;
    Rgb colour;
};

// Width and colour of a pen; terrain pens take the palette, which must be built.
PenStyle penStyle(int pen);
// The pen a tile of this code is drawn with: its terrain pen, or kUnknownCodePen.
int tilePen(TerrainCode code);

class Painter {
public:
    virtual ~Painter() = default;
    virtual void selectPen(int pen) = 0;
    virtual void moveTo(int x, int y) = 0;
    // Draws from the current position to (x, y), excluding (x, y), and moves there.
    virtual void lineTo(int x, int y) = 0;
    virtual void setTextColour(Rgb colour) = 0;
    virtual void textOut(int x, int y, std::string_view text) = 0;
};

}  // namespace pelorn
