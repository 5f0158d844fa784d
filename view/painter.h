// What the map view needs of a drawing surface, shaped like the GDI calls
// that do it on Windows: pens, lines whose end point is not painted, text,
// a block of pixels, and the box that drawing is clipped to.
#pragma once

#include <string_view>

#include "map/terrain.h"
#include "view/client_area.h"

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
    kQuadFramePen,         // 1 px, red: the frame of the viewed quad in the whole-map view
    kSelectionFramePen,    // 1 px, cyan: the frame of the selected tiles
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
    // Sets the pixels of the rectangle whose top-left corner is (left, top),
    // row after row from the top: width * height colours.
    virtual void drawPixels(int left, int top, int width, int height, const Rgb* pixels) = 0;
    // The smallest rectangle holding everything that drawing can still
    // change (the invalidated area); drawing wholly outside it can be left out.
    virtual ClientRect clipBox() const = 0;
};

// Whether two rectangles (right and bottom exclusive) share a pixel.
inline bool rectsMeet(const ClientRect& a, const ClientRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace pelorn
