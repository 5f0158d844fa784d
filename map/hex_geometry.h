// The hexagon geometry of the map, in one place: the six directions and the
// fixed orders the program walks them in, neighbours with and without
// wrapping, the tiles within two steps, and the distance between tiles.
//
// Tiles stand in columns; even columns stand half a tile higher than odd
// ones, so the side neighbours of an even column are rows y - 1 and y, those
// of an odd column rows y and y + 1. A wrapping map is a torus: the column
// left of 0 is the last one, the row above 0 the last one.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace pelorn {

struct TilePos {
    std::int32_t x;
    std::int32_t y;
    friend bool operator==(TilePos a, TilePos b) { return a.x == b.x && a.y == b.y; }
    friend bool operator!=(TilePos a, TilePos b) { return !(a == b); }
};

// Clockwise from above. The values are the walk order's indices.
enum class HexDirection : std::uint8_t { kAbove, kUpperRight, kLowerRight, kBelow, kLowerLeft, kUpperLeft };
constexpr int kHexDirectionCount = 6;

// The order every neighbour walk takes (the flood fill's first matching
// neighbour, the sea search, the rivers' lowest neighbour): clockwise from above.
constexpr std::array<HexDirection, kHexDirectionCount> kHexWalkOrder = {
    HexDirection::kAbove, HexDirection::kUpperRight, HexDirection::kLowerRight,
    HexDirection::kBelow, HexDirection::kLowerLeft,  HexDirection::kUpperLeft};

// The order in which a river looks at its banks: the column itself, then the
// left column, then the right one, upper before lower.
constexpr std::array<HexDirection, kHexDirectionCount> kRiverBankOrder = {
    HexDirection::kAbove,     HexDirection::kBelow,      HexDirection::kUpperLeft,
    HexDirection::kLowerLeft, HexDirection::kUpperRight, HexDirection::kLowerRight};

constexpr HexDirection clockwise(HexDirection d) {
    return static_cast<HexDirection>((static_cast<int>(d) + 1) % kHexDirectionCount);
}
constexpr HexDirection anticlockwise(HexDirection d) {
    return static_cast<HexDirection>((static_cast<int>(d) + kHexDirectionCount - 1) % kHexDirectionCount);
}

// True for the columns that stand half a tile higher.
constexpr bool isRaisedColumn(std::int32_t x) { return x % 2 == 0; }

// The neighbour in one direction, neither wrapped nor clipped.
constexpr TilePos hexNeighbour(TilePos p, HexDirection d) {
    const std::int32_t upperSide = isRaisedColumn(p.x) ? p.y - 1 : p.y;
    switch (d) {
        case HexDirection::kAbove: return {p.x, p.y - 1};
        case HexDirection::kUpperRight: return {p.x + 1, upperSide};
        case HexDirection::kLowerRight: return {p.x + 1, upperSide + 1};
        case HexDirection::kBelow: return {p.x, p.y + 1};
        case HexDirection::kLowerLeft: return {p.x - 1, upperSide + 1};
        case HexDirection::kUpperLeft: return {p.x - 1, upperSide};
    }
    return p;
}

// The six neighbours in walk order, neither wrapped nor clipped.
constexpr std::array<TilePos, kHexDirectionCount> hexNeighbours(std::int32_t x, std::int32_t y) {
    return {hexNeighbour({x, y}, kHexWalkOrder[0]), hexNeighbour({x, y}, kHexWalkOrder[1]),
            hexNeighbour({x, y}, kHexWalkOrder[2]), hexNeighbour({x, y}, kHexWalkOrder[3]),
            hexNeighbour({x, y}, kHexWalkOrder[4]), hexNeighbour({x, y}, kHexWalkOrder[5])};
}

// A map of width x height tiles that wraps at all four edges.
struct HexTorus {
    std::int32_t width;
    std::int32_t height;

    // The rows and columns of the six neighbours of one tile, wrapped. The
    // loops that walk millions of tiles read these directly.
    struct Ring {
        std::int32_t column;
        std::int32_t left, right, up, down;
        std::int32_t sideUpper, sideLower;  // rows of the side neighbours
        TilePos operator[](HexDirection d) const;
    };

    Ring ring(std::int32_t x, std::int32_t y) const {
        Ring r;
        r.column = x;
        r.left = x == 0 ? width - 1 : x - 1;
        r.right = x == width - 1 ? 0 : x + 1;
        r.up = y == 0 ? height - 1 : y - 1;
        r.down = y == height - 1 ? 0 : y + 1;
        const bool raised = (x & 1) == 0;
        r.sideUpper = raised ? r.up : y;
        r.sideLower = raised ? y : r.down;
        return r;
    }

    // A position at most one tile beyond an edge, brought back onto the map.
    TilePos wrap(TilePos p) const;
    TilePos neighbour(TilePos p, HexDirection d) const { return ring(p.x, p.y)[d]; }
    // The six neighbours in walk order, wrapped.
    std::array<TilePos, kHexDirectionCount> neighbours(TilePos p) const {
        const Ring r = ring(p.x, p.y);
        return {{{p.x, r.up}, {r.right, r.sideUpper}, {r.right, r.sideLower},
                 {p.x, r.down}, {r.left, r.sideLower}, {r.left, r.sideUpper}}};
    }
    // Steps on the torus between two tiles of the map. The width must be
    // even (whole quads), so that wrapping keeps a column's parity.
    std::int32_t distance(TilePos a, TilePos b) const;
};

inline TilePos HexTorus::Ring::operator[](HexDirection d) const {
    switch (d) {
        case HexDirection::kAbove: return {column, up};
        case HexDirection::kUpperRight: return {right, sideUpper};
        case HexDirection::kLowerRight: return {right, sideLower};
        case HexDirection::kBelow: return {column, down};
        case HexDirection::kLowerLeft: return {left, sideLower};
        case HexDirection::kUpperLeft: return {left, sideUpper};
    }
    return {column, up};
}

// Steps between two tiles of an unbounded grid.
std::int32_t hexDistance(TilePos a, TilePos b);

// The tiles within some steps of a tile, the tile itself included, as one
// unbroken run of rows per column: column x + dx holds rows y + firstDy to
// y + lastDy. Neither wrapped nor clipped.
struct ColumnRun {
    std::int32_t dx;
    std::int32_t firstDy;
    std::int32_t lastDy;
};

// The run of column x + dx (|dx| <= radius) within `radius` steps of a tile in column x.
constexpr ColumnRun hexDiscColumn(std::int32_t radius, std::int32_t x, std::int32_t dx) {
    // Rows of the side column measured from the centre's row: a raised centre
    // sees its side columns half a tile lower, so they reach one row further up.
    const std::int32_t shifted = isRaisedColumn(x) ? dx : dx + 1;
    const std::int32_t shift = shifted >= 0 ? shifted / 2 : -((1 - shifted) / 2);  // floor(shifted / 2)
    const std::int32_t first = dx < 0 ? -radius - dx : -radius;
    const std::int32_t last = dx < 0 ? radius : radius - dx;
    return {dx, first + shift, last + shift};
}

// The 3r(r + 1) + 1 tiles within `radius` steps of a tile in column x, the
// columns from x - radius to x + radius in order. Empty for a negative radius.
std::vector<ColumnRun> hexDisc(std::int32_t radius, std::int32_t x);

// The 19 tiles within two steps, the own column first, then the near and the
// far side columns: the order the start-location rules look at them.
constexpr std::array<ColumnRun, 5> withinTwoSteps(std::int32_t x) {
    return {{hexDiscColumn(2, x, 0), hexDiscColumn(2, x, -1), hexDiscColumn(2, x, 1), hexDiscColumn(2, x, -2),
             hexDiscColumn(2, x, 2)}};
}

}  // namespace pelorn
