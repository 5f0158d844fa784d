// Shift+click: a straight hex line, painted with the current brush, from the
// last tile a stroke or line painted to the clicked tile. The segment between
// the two tile centres is stepped in equal parts, one per step of the hex
// distance (the short way round the wrapping map), and each point is rounded
// to the nearest tile centre; a point just between two tiles goes to the
// northern one, then to the eastern one. The whole line is one step of undo.
#include <cmath>
#include <cstdlib>
#include <vector>

#include "editing/editor.h"
#include "editing/tool.h"
#include "view/layout.h"

namespace pelorn {

namespace {

// Axial coordinates: q the column, r the row measured along the columns'
// slant, so that the six neighbours differ by (0, -1), (1, -1), (1, 0),
// (0, 1), (-1, 1), (-1, 0).
struct Axial {
    double q;
    double r;
};

std::int64_t floorHalf(std::int64_t v) { return v >= 0 ? v / 2 : -((1 - v) / 2); }

Axial axialOf(std::int64_t x, std::int64_t y) { return {double(x), double(y - floorHalf(x))}; }

std::int64_t steps(Axial a, Axial b) {
    const std::int64_t dq = std::llround(b.q - a.q);
    const std::int64_t dr = std::llround(b.r - a.r);
    return (std::llabs(dq) + std::llabs(dr) + std::llabs(dq + dr)) / 2;
}

// The nearest tile centre to an axial point (rounding in cube coordinates).
TilePos nearestTile(Axial p) {
    const double x = p.q;
    const double z = p.r;
    const double y = -x - z;
    double rx = std::round(x);
    double ry = std::round(y);
    double rz = std::round(z);
    const double dx = std::fabs(rx - x);
    const double dy = std::fabs(ry - y);
    const double dz = std::fabs(rz - z);
    if (dx > dy && dx > dz)
        rx = -ry - rz;
    else if (dy > dz)
        ry = -rx - rz;
    else
        rz = -rx - ry;
    const std::int64_t column = std::llround(rx);
    const std::int64_t row = std::llround(rz) + floorHalf(column);
    return {static_cast<std::int32_t>(column), static_cast<std::int32_t>(row)};
}

std::int32_t wrapped(std::int64_t v, std::int32_t size) {
    return static_cast<std::int32_t>(((v % size) + size) % size);
}

// The tiles of the line from a to b on the wrapping map, a first.
std::vector<TilePos> hexLine(const HexTorus& torus, TilePos a, TilePos b) {
    const Axial from = axialOf(a.x, a.y);
    // The copy of b around the map nearest to a (a map width keeps parity).
    Axial to = axialOf(b.x, b.y);
    std::int64_t best = steps(from, to);
    for (int kx = -1; kx <= 1; ++kx) {
        for (int ky = -1; ky <= 1; ++ky) {
            const Axial copy = axialOf(std::int64_t{b.x} + std::int64_t{kx} * torus.width,
                                       std::int64_t{b.y} + std::int64_t{ky} * torus.height);
            const std::int64_t n = steps(from, copy);
            if (n < best) {
                best = n;
                to = copy;
            }
        }
    }
    // Ties: a nudge north (r down), then a far smaller one east (q up, r half down).
    constexpr double kNorth = 1e-7;
    constexpr double kEast = 1e-10;
    std::vector<TilePos> tiles;
    tiles.reserve(static_cast<std::size_t>(best) + 1);
    for (std::int64_t i = 0; i <= best; ++i) {
        const double t = best == 0 ? 0.0 : double(i) / double(best);
        const Axial p{from.q + (to.q - from.q) * t + kEast, from.r + (to.r - from.r) * t - kNorth - kEast / 2};
        const TilePos tile = nearestTile(p);
        tiles.push_back({wrapped(tile.x, torus.width), wrapped(tile.y, torus.height)});
    }
    return tiles;
}

class LineTool : public Tool {
public:
    bool press(Editor& editor, ClientPoint point) const override {
        const Map& map = editor.map();
        const std::optional<TilePos> end = tileAt(editor.screen, point);
        const std::optional<TilePos> start = editor.lastPainted;
        const bool startOnMap = start && start->x < mapWidth(map) && start->y < mapHeight(map);
        // Nothing painted yet: Shift+click paints as a click does.
        if (!end || !startOnMap || !map.mapGrid) return brushTool().press(editor, point);
        for (const TilePos tile : hexLine(mapTorus(map), *start, *end)) brushAt(editor, tile);
        // A bold step that does not fit its quad paints nothing, yet the line ends here.
        editor.lastPainted = *end;
        editor.history().endEdit();
        editor.showFileMarks();
        return false;
    }
    void move(Editor&, ClientPoint) const override {}
    void release(Editor&) const override {}
};

const LineTool kLineTool;

}  // namespace

const Tool& lineTool() { return kLineTool; }

}  // namespace pelorn
