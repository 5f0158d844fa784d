#include "map/flood_fill.h"

#include <memory>
#include <new>

#include "map/map_grid.h"

namespace pelorn {

namespace {

// Tiles checked or written together in the fast paths; fixed-size loops that
// compilers turn into vector instructions.
constexpr int kBlock = 16;
// Remembered tiles passed over together at most when going back.
constexpr std::size_t kMaxSkip = 256;

// The first direction of a set of matching neighbours (bit i: kHexWalkOrder[i]).
struct FirstDirectionTable {
    HexDirection of[64] = {};
    FirstDirectionTable() {
        for (unsigned mask = 1; mask < 64; ++mask) {
            int i = 0;
            while (!(mask & (1u << i))) ++i;
            of[mask] = kHexWalkOrder[i];
        }
    }
};
const FirstDirectionTable kFirstDirection;

inline bool twoOrMore(unsigned mask) { return (mask & (mask - 1)) != 0; }

// Depth first: convert the tile, remember it when two or more neighbours
// still match, walk on to the first matching neighbour in walk order, and
// when none matches go back to the last remembered tile.
//
// A large area is mostly crossed by walking up one column after another,
// each tile remembered, and then gone back over with nothing left to fill.
// Both are done a stretch at a time here; the tiles are converted and
// remembered in exactly the order of the tile-by-tile walk.
class AreaFill {
public:
    AreaFill(TerrainCode* const* grid, HexTorus torus, TerrainCode target, TerrainCode code, PackedTile* stack,
             std::vector<std::uint32_t>* converted)
        : grid_(grid), torus_(torus), target_(target), code_(code), stack_(stack), converted_(converted) {}

    void run(TilePos start) {
        TilePos at = start;
        do {
            convert(at);
            climbColumn(at);
        } while (leaveColumnTop(at) || goBack(at));
    }

private:
    void convert(TilePos p) {
        grid_[p.x][p.y] = code_;
        record(p.x, p.y);
    }
    void record(std::int32_t x, std::int32_t y) {
        if (converted_) converted_->push_back(packTile(x, y));
    }
    void remember(TilePos p) { stack_[depth_++] = packTile(p.x, p.y); }

    // The neighbours of a tile that still hold the target, one bit per
    // direction of the walk order.
    unsigned matching(const HexTorus::Ring& r) const {
        const TerrainCode* const own = grid_[r.column];
        const TerrainCode* const left = grid_[r.left];
        const TerrainCode* const right = grid_[r.right];
        return unsigned(own[r.up] == target_) | unsigned(right[r.sideUpper] == target_) << 1 |
               unsigned(right[r.sideLower] == target_) << 2 | unsigned(own[r.down] == target_) << 3 |
               unsigned(left[r.sideLower] == target_) << 4 | unsigned(left[r.sideUpper] == target_) << 5;
    }

    // Up the column from a converted tile while the tile above matches; each
    // tile is remembered on the way when another neighbour matches too.
    void climbColumn(TilePos& at) {
        TerrainCode* const column = grid_[at.x];
        const TerrainCode* const rightColumn = grid_[torus_.ring(at.x, at.y).right];
        for (;;) {
            const std::int32_t k = stretchAbove(at, column, rightColumn);
            if (k > 0) {
                climbStretch(at, column, k);
                at.y -= k;
            }
            const HexTorus::Ring r = torus_.ring(at.x, at.y);
            if (column[r.up] != target_) return;
            if (matching(r) & ~1u) remember(at);
            at.y = r.up;
            convert(at);
        }
    }

    // How many rows straight above `at` match together with their tile's
    // upper-right neighbour, so that the walk goes straight up through them
    // remembering every tile. Stays above the top seam (k < y).
    std::int32_t stretchAbove(TilePos at, const TerrainCode* column, const TerrainCode* rightColumn) const {
        const std::int32_t y = at.y;
        const std::int32_t sideShift = isRaisedColumn(at.x) ? 1 : 0;  // upper-right row = y - sideShift
        const auto climbable = [&](std::int32_t k) {
            return column[y - 1 - k] == target_ && rightColumn[y - sideShift - k] == target_;
        };
        std::int32_t k = 0;
        while (k < kBlock && k < y && climbable(k)) ++k;
        if (k < kBlock) return k;
        while (y - k - kBlock >= 0) {
            const TerrainCode* const above = column + (y - k - kBlock);
            const TerrainCode* const side = rightColumn + (y - sideShift - k - kBlock + 1);
            int all = 1;
            for (int i = 0; i < kBlock; ++i) all &= int(above[i] == target_) & int(side[i] == target_);
            if (!all) break;
            k += kBlock;
        }
        while (k < y && climbable(k)) ++k;
        return k;
    }

    // Remembers rows y, y - 1, ..., y - k + 1 and converts rows y - 1 ... y - k.
    void climbStretch(TilePos at, TerrainCode* column, std::int32_t k) {
        const PackedTile first = packTile(at.x, at.y);
        PackedTile* const pushed = stack_ + depth_;
        TerrainCode* const filled = column + (at.y - k);
        std::int32_t j = 0;
        for (; j + kBlock <= k; j += kBlock) {
            for (int i = 0; i < kBlock; ++i) pushed[j + i] = first - static_cast<PackedTile>(j + i);
            for (int i = 0; i < kBlock; ++i) filled[j + i] = code_;
        }
        for (; j < k; ++j) {
            pushed[j] = first - static_cast<PackedTile>(j);
            filled[j] = code_;
        }
        depth_ += static_cast<std::size_t>(k);
        if (converted_)
            for (std::int32_t i = 1; i <= k; ++i) record(at.x, at.y - i);
    }

    // At the top of a climb (the tile above does not match): on to the first
    // matching neighbour, remembering this tile when more than one matches.
    // False when none matches.
    bool leaveColumnTop(TilePos& at) {
        const HexTorus::Ring r = torus_.ring(at.x, at.y);
        const unsigned mask = matching(r);
        if (mask == 0) return false;
        if (twoOrMore(mask)) remember(at);
        at = r[kFirstDirection.of[mask]];
        return true;
    }

    // Back to the last remembered tile that still has a matching neighbour,
    // and on to that neighbour. Remembered tiles are all converted already.
    // False when none is left: the area is filled.
    bool goBack(TilePos& at) {
        int singles = 0;
        while (depth_ > 0) {
            if (singles == 0) {
                if (skipFinishedRun()) continue;
                singles = kBlock;
            }
            --singles;
            at = unpackTile(stack_[--depth_]);
            const HexTorus::Ring r = torus_.ring(at.x, at.y);
            const unsigned mask = matching(r);
            if (mask == 0) continue;
            if (twoOrMore(mask)) ++depth_;  // remembered again in its own place
            at = r[kFirstDirection.of[mask]];
            return true;
        }
        return false;
    }

    // Remembered tiles of one column in consecutive rows, none of whose
    // neighbours is left to fill, are passed over at once. True when a run
    // was dropped.
    bool skipFinishedRun() {
        const PackedTile top = stack_[depth_ - 1];
        if (depth_ < 2 || stack_[depth_ - 2] != top + 1) return false;
        std::size_t run = 2;
        while (run + kBlock <= depth_ && run + kBlock <= kMaxSkip) {
            const PackedTile* const entries = stack_ + (depth_ - run - kBlock);
            int all = 1;
            for (int i = 0; i < kBlock; ++i)
                all &= int(entries[i] == top + static_cast<PackedTile>(run + kBlock - 1 - i));
            if (!all) break;
            run += kBlock;
        }
        const TilePos first = unpackTile(top);
        const std::int32_t y0 = first.y;
        const std::int32_t y1 = y0 + static_cast<std::int32_t>(run) - 1;
        // Runs touching the top or bottom seam take the tile-by-tile way.
        if (y0 < 1 || y1 > torus_.height - 2) return false;
        const HexTorus::Ring r = torus_.ring(first.x, y0);
        const TerrainCode* const own = grid_[first.x];
        const TerrainCode* const sideL = grid_[r.left];
        const TerrainCode* const sideR = grid_[r.right];
        // Side rows: y0 - 1 .. y1 for a raised column, y0 .. y1 + 1 for a lowered one.
        const std::int32_t sideTop = r.sideUpper;
        const std::int32_t rows = static_cast<std::int32_t>(run) + 1;
        int any = int(own[y0 - 1] == target_) | int(own[y1 + 1] == target_);
        std::int32_t i = 0;
        for (; i + kBlock <= rows; i += kBlock) {
            int block = 0;
            for (int q = 0; q < kBlock; ++q)
                block |= int(sideL[sideTop + i + q] == target_) | int(sideR[sideTop + i + q] == target_);
            any |= block;
        }
        for (; i < rows; ++i) any |= int(sideL[sideTop + i] == target_) | int(sideR[sideTop + i] == target_);
        if (any) return false;
        depth_ -= run;
        return true;
    }

    TerrainCode* const* const grid_;
    const HexTorus torus_;
    const TerrainCode target_;
    const TerrainCode code_;
    PackedTile* const stack_;
    std::size_t depth_ = 0;
    std::vector<std::uint32_t>* const converted_;
};

}  // namespace

bool floodFill(Map& map, std::int32_t x, std::int32_t y, TerrainCode code, std::vector<std::uint32_t>* converted) {
    const MapGrid mapGrid = map.mapGrid;
    if (!mapGrid) return false;
    const TerrainCode target = mapGrid[x][y];
    if (target == code) return true;
    // One stack entry per tile at most: a tile is remembered only when it is
    // converted or taken back off the stack.
    const std::size_t capacity = static_cast<std::size_t>(mapWidth(map)) * static_cast<std::size_t>(mapHeight(map));
    std::unique_ptr<PackedTile[]> stack(new (std::nothrow) PackedTile[capacity]);
    if (!stack) return false;
    AreaFill(mapGrid, mapTorus(map), target, code, stack.get(), converted).run({x, y});
    return true;
}

bool floodFill(Map& map, std::int32_t x, std::int32_t y, TerrainCode code) {
    return floodFill(map, x, y, code, nullptr);
}

}  // namespace pelorn
