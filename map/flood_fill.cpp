#include "map/flood_fill.h"

#include <memory>
#include <new>

#include "map/map_grid.h"

namespace pelorn {

void wrapTile(std::int32_t& x, std::int32_t& y) {
    const std::int32_t width = mapWidth();
    const std::int32_t height = mapHeight();
    if (x < 0) x += width;
    else if (x >= width) x -= width;
    if (y < 0) y += height;
    else if (y >= height) y -= height;
}

void hexStep(std::int32_t& x, std::int32_t& y, int direction) {
    if (direction < 1 || direction > 6) return;
    const TilePos next = hexNeighbours(x, y)[direction - 1];
    x = next.x;
    y = next.y;
    wrapTile(x, y);
}

namespace {

// A stacked position: column in the high half, row in the low half. Both are
// below 65536 for every map the program holds (kMaxQuadsPerSide * 100), and
// the tile one row further down packs to the next number.
using PackedTile = std::uint32_t;
static_assert(kMaxQuadsPerSide * kQuadSize <= 0xFFFF, "positions must pack into 16 bits each");

inline PackedTile pack(std::int32_t x, std::int32_t y) {
    return (static_cast<PackedTile>(x) << 16) | static_cast<PackedTile>(y);
}

// Tiles checked or written together in the fast paths; fixed-size loops that
// compilers turn into vector instructions.
constexpr int kBlock = 16;
// Stacked tiles passed over together at most when going back.
constexpr std::size_t kMaxSkip = 256;

// The rows and columns of the six neighbours of (x, y), wrapped.
struct Around {
    std::int32_t left, right, up, down;
    std::int32_t sideUpper, sideLower;  // rows of the side neighbours
};

inline Around around(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    Around n;
    n.left = x == 0 ? width - 1 : x - 1;
    n.right = x == width - 1 ? 0 : x + 1;
    n.up = y == 0 ? height - 1 : y - 1;
    n.down = y == height - 1 ? 0 : y + 1;
    // Even columns stand half a tile higher: their side neighbours are rows
    // y - 1 and y; an odd column's are rows y and y + 1.
    const bool even = (x & 1) == 0;
    n.sideUpper = even ? n.up : y;
    n.sideLower = even ? y : n.down;
    return n;
}

}  // namespace

// Depth first: convert the tile, remember it when two or more neighbours
// still match, walk on to the first matching neighbour (above, upper right,
// lower right, below, lower left, upper left), and when none matches go back
// to the last remembered tile. The neighbours are those of hexNeighbours,
// wrapped around all four edges.
//
// A large area is mostly crossed by walking up one column after another,
// each tile remembered, and then gone back over with nothing left to fill.
// Both are done a stretch at a time here; the tiles are converted and
// remembered in exactly the order of the tile-by-tile walk.
void floodFill(std::int32_t x, std::int32_t y, TerrainCode code, std::vector<std::uint32_t>* converted) {
    if (!mapGrid) return;
    TerrainCode* const* const grid = mapGrid;
    const TerrainCode target = grid[x][y];
    if (target == code) return;

    const std::int32_t width = mapWidth();
    const std::int32_t height = mapHeight();
    const std::size_t capacity = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    std::unique_ptr<PackedTile[]> stack(new (std::nothrow) PackedTile[capacity]);
    if (!stack) return;
    std::size_t depth = 0;

    const auto record = [converted](std::int32_t cx, std::int32_t cy) {
        if (converted) converted->push_back(pack(cx, cy));
    };

    // Each round starts on a tile that still holds the target.
    for (;;) {
        TerrainCode* const column = grid[x];
        column[y] = code;
        record(x, y);
        Around n = around(x, y, width, height);
        const TerrainCode* const leftColumn = grid[n.left];
        const TerrainCode* const rightColumn = grid[n.right];

        // Up the column while the tile above matches.
        for (;;) {
            // A stretch in which every tile also has its upper-right neighbour
            // to fill: each is remembered and the walk goes straight up. Rows
            // stay above the top seam (k < y).
            const std::int32_t sideShift = (x & 1) == 0 ? 1 : 0;  // sideUpper = y - sideShift
            std::int32_t k = 0;
            while (k < kBlock && k < y && column[y - 1 - k] == target && rightColumn[y - sideShift - k] == target) ++k;
            if (k == kBlock) {
                while (y - k - kBlock >= 0) {
                    const TerrainCode* const above = column + (y - k - kBlock);
                    const TerrainCode* const side = rightColumn + (y - sideShift - k - kBlock + 1);
                    int all = 1;
                    for (int i = 0; i < kBlock; ++i) all &= int(above[i] == target) & int(side[i] == target);
                    if (!all) break;
                    k += kBlock;
                }
                while (k < y && column[y - 1 - k] == target && rightColumn[y - sideShift - k] == target) ++k;
            }
            if (k > 0) {
                // Remember rows y, y - 1, ..., y - k + 1 and convert rows y - 1 ... y - k.
                const PackedTile first = pack(x, y);
                PackedTile* const pushed = stack.get() + depth;
                TerrainCode* const filled = column + (y - k);
                std::int32_t j = 0;
                for (; j + kBlock <= k; j += kBlock) {
                    for (int i = 0; i < kBlock; ++i) pushed[j + i] = first - static_cast<PackedTile>(j + i);
                    for (int i = 0; i < kBlock; ++i) filled[j + i] = code;
                }
                for (; j < k; ++j) {
                    pushed[j] = first - static_cast<PackedTile>(j);
                    filled[j] = code;
                }
                depth += static_cast<std::size_t>(k);
                if (converted)
                    for (std::int32_t i = 1; i <= k; ++i) record(x, y - i);
                y -= k;
                n = around(x, y, width, height);
            }
            if (column[n.up] != target) break;
            // The tile above matches: remember this one if any other neighbour does too.
            if (rightColumn[n.sideUpper] == target || rightColumn[n.sideLower] == target ||
                column[n.down] == target || leftColumn[n.sideLower] == target || leftColumn[n.sideUpper] == target)
                stack[depth++] = pack(x, y);
            y = n.up;
            column[y] = code;
            record(x, y);
            n = around(x, y, width, height);
        }

        // The tile above does not match.
        const bool upperRight = rightColumn[n.sideUpper] == target;
        const bool lowerRight = rightColumn[n.sideLower] == target;
        const bool below = column[n.down] == target;
        const bool lowerLeft = leftColumn[n.sideLower] == target;
        const bool upperLeft = leftColumn[n.sideUpper] == target;
        if (int(upperRight) + int(lowerRight) + int(below) + int(lowerLeft) + int(upperLeft) >= 2)
            stack[depth++] = pack(x, y);
        if (upperRight) {
            x = n.right;
            y = n.sideUpper;
            continue;
        }
        if (lowerRight) {
            x = n.right;
            y = n.sideLower;
            continue;
        }
        if (below) {
            y = n.down;
            continue;
        }
        if (lowerLeft) {
            x = n.left;
            y = n.sideLower;
            continue;
        }
        if (upperLeft) {
            x = n.left;
            y = n.sideUpper;
            continue;
        }

        // Stuck: go back to the last remembered tile that still has a
        // matching neighbour. Remembered tiles are all converted already.
        bool resumed = false;
        int singles = 0;
        while (depth > 0) {
            if (singles == 0) {
                // Remembered tiles of one column in consecutive rows, none of
                // whose neighbours is left to fill, are passed over at once.
                const PackedTile top = stack[depth - 1];
                std::size_t run = 1;
                if (depth >= 2 && stack[depth - 2] == top + 1) {
                    run = 2;
                    while (run + kBlock <= depth && run + kBlock <= kMaxSkip) {
                        const PackedTile* const entries = stack.get() + (depth - run - kBlock);
                        int all = 1;
                        for (int i = 0; i < kBlock; ++i)
                            all &= int(entries[i] == top + static_cast<PackedTile>(run + kBlock - 1 - i));
                        if (!all) break;
                        run += kBlock;
                    }
                }
                const std::int32_t cx = static_cast<std::int32_t>(top >> 16);
                const std::int32_t y0 = static_cast<std::int32_t>(top & 0xFFFF);
                const std::int32_t y1 = y0 + static_cast<std::int32_t>(run) - 1;
                if (run > 1 && y0 >= 1 && y1 <= height - 2) {
                    const TerrainCode* const own = grid[cx];
                    const TerrainCode* const sideL = grid[cx == 0 ? width - 1 : cx - 1];
                    const TerrainCode* const sideR = grid[cx == width - 1 ? 0 : cx + 1];
                    // Side rows: y0 - 1 .. y1 for an even column, y0 .. y1 + 1 for an odd one.
                    const std::int32_t s0 = (cx & 1) == 0 ? y0 - 1 : y0;
                    const std::int32_t rows = static_cast<std::int32_t>(run) + 1;
                    int any = int(own[y0 - 1] == target) | int(own[y1 + 1] == target);
                    std::int32_t i = 0;
                    for (; i + kBlock <= rows; i += kBlock) {
                        int block = 0;
                        for (int q = 0; q < kBlock; ++q)
                            block |= int(sideL[s0 + i + q] == target) | int(sideR[s0 + i + q] == target);
                        any |= block;
                    }
                    for (; i < rows; ++i) any |= int(sideL[s0 + i] == target) | int(sideR[s0 + i] == target);
                    if (!any) {
                        depth -= run;
                        continue;
                    }
                }
                singles = kBlock;
            }
            --singles;
            const PackedTile top = stack[--depth];
            x = static_cast<std::int32_t>(top >> 16);
            y = static_cast<std::int32_t>(top & 0xFFFF);
            const Around p = around(x, y, width, height);
            const TerrainCode* const own = grid[x];
            const TerrainCode* const sideL = grid[p.left];
            const TerrainCode* const sideR = grid[p.right];
            const bool a1 = own[p.up] == target;
            const bool a2 = sideR[p.sideUpper] == target;
            const bool a3 = sideR[p.sideLower] == target;
            const bool a4 = own[p.down] == target;
            const bool a5 = sideL[p.sideLower] == target;
            const bool a6 = sideL[p.sideUpper] == target;
            const int matching = int(a1) + int(a2) + int(a3) + int(a4) + int(a5) + int(a6);
            if (matching == 0) continue;
            if (matching >= 2) ++depth;  // remembered again in its own place
            if (a1) {
                y = p.up;
            } else if (a2) {
                x = p.right;
                y = p.sideUpper;
            } else if (a3) {
                x = p.right;
                y = p.sideLower;
            } else if (a4) {
                y = p.down;
            } else if (a5) {
                x = p.left;
                y = p.sideLower;
            } else {
                x = p.left;
                y = p.sideUpper;
            }
            resumed = true;
            break;
        }
        if (!resumed) break;
    }
}

void floodFill(std::int32_t x, std::int32_t y, TerrainCode code) { floodFill(x, y, code, nullptr); }

}  // namespace pelorn
