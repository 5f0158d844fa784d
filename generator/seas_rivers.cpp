#include "generator/seas_rivers.h"

#include <cstddef>
#include <memory>
#include <new>

#include "generator/parameters.h"
#include "generator/random.h"
#include "map/flood_fill.h"
#include "map/map_grid.h"

namespace pelorn {

namespace {

// floor(r / 32767 x scale + 0.5) of one draw.
std::int32_t drawScaled(double scale) {
    return roundHalfUpToSingle(rand() / static_cast<double>(kRandMax) * scale);
}

bool isRiverWater(TerrainCode code) { return code >= kRiver && code <= kLake; }

TerrainCode tileAt(TilePos p) { return mapGrid[p.x][p.y]; }

TilePos neighbourInDirection(std::int32_t x, std::int32_t y, int direction) {
    hexStep(x, y, direction);
    return TilePos{x, y};
}

float heightAt(const FloatField& heights, TilePos p) { return heights[p.x][p.y]; }

// The bank's code: "Arid" when floor(r / 32767 + 0.5) is 1, "APlains" otherwise.
TerrainCode drawBankCode() { return drawScaled(1.0) == 1 ? kArid : kAPlains; }

}  // namespace

std::int32_t randomColumn() { return drawScaled(static_cast<double>(mapWidth() - 1)); }

std::int32_t randomRow() { return drawScaled(static_cast<double>(mapHeight() - 1)); }

namespace {

// The store of one size test: a visited mark per tile (everything but lake
// water marked from the start) and a stack of up to W x H positions.
class SeaSearch {
public:
    // False when either part cannot be had.
    bool prepare() {
        width_ = mapWidth();
        height_ = mapHeight();
        const std::size_t tiles = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
        stack_.reset(new (std::nothrow) TilePos[tiles]);
        if (!stack_) return false;
        visited_.reset(new (std::nothrow) std::uint8_t[tiles]);
        if (!visited_) return false;
        for (std::int32_t x = 0; x < width_; ++x) {
            const TerrainCode* column = mapGrid[x];
            std::uint8_t* marks = visited_.get() + index(x, 0);
            for (std::int32_t y = 0; y < height_; ++y) marks[y] = column[y] != kLake ? 1 : 0;
        }
        return true;
    }

    bool visited(std::int32_t x, std::int32_t y) const { return visited_[index(x, y)] != 0; }

    // Depth first from (x, y) over unvisited tiles, until `threshold` tiles
    // have been counted or the body is exhausted. True when the count reached
    // the threshold; when it did not, every tile of the body is left marked.
    bool reaches(std::int32_t x, std::int32_t y, std::int32_t threshold) {
        std::int32_t count = 0;
        std::size_t depth = 0;
        for (;;) {
            std::uint8_t& here = visited_[index(x, y)];
            if (!here) {
                here = 1;
                ++count;
            }
            if (count >= threshold) return true;

            // The six neighbours in direction order, wrapped; even columns
            // stand half a tile higher.
            const std::int32_t left = x == 0 ? width_ - 1 : x - 1;
            const std::int32_t right = x == width_ - 1 ? 0 : x + 1;
            const std::int32_t up = y == 0 ? height_ - 1 : y - 1;
            const std::int32_t down = y == height_ - 1 ? 0 : y + 1;
            const bool even = (x & 1) == 0;
            const std::int32_t sideUpper = even ? up : y;
            const std::int32_t sideLower = even ? y : down;
            const TilePos around[6] = {{x, up},   {right, sideUpper}, {right, sideLower},
                                       {x, down}, {left, sideLower},  {left, sideUpper}};
            int open = 0;
            TilePos first{0, 0};
            for (const TilePos& n : around) {
                if (!visited_[index(n.x, n.y)]) {
                    if (open == 0) first = n;
                    ++open;
                }
            }
            // Only a tile just marked or just popped is pushed, so the stack
            // never holds more than one entry per tile.
            if (open >= 2) stack_[depth++] = TilePos{x, y};
            if (open > 0) {
                x = first.x;
                y = first.y;
            } else if (depth == 0) {
                return false;
            } else {
                const TilePos top = stack_[--depth];
                x = top.x;
                y = top.y;
            }
        }
    }

private:
    std::size_t index(std::int32_t x, std::int32_t y) const {
        return static_cast<std::size_t>(x) * static_cast<std::size_t>(height_) + static_cast<std::size_t>(y);
    }

    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::unique_ptr<TilePos[]> stack_;
    std::unique_ptr<std::uint8_t[]> visited_;
};

}  // namespace

bool isSeaSized(std::int32_t x, std::int32_t y) {
    if (!mapGrid) return false;
    SeaSearch search;
    if (!search.prepare()) return false;
    return search.reaches(x, y, generatorParameters.genSeaTiles);
}

void selectSea() {
    if (!mapGrid) return;
    // One store serves every try: the map does not change between them, and a
    // body that fell short stays marked, so a later try landing in it is known
    // to fail without walking it again. Bodies are disjoint, so a walk of a new
    // body counts exactly what a fresh size test would.
    SeaSearch search;
    const bool shared = search.prepare();
    for (int attempt = 0; attempt < 200; ++attempt) {
        const std::int32_t x = randomColumn();
        const std::int32_t y = randomRow();
        if (mapGrid[x][y] != kLake) continue;
        const bool sized = shared ? !search.visited(x, y) && search.reaches(x, y, generatorParameters.genSeaTiles)
                                  : isSeaSized(x, y);
        if (sized) {
            floodFill(x, y, kSea);
            return;
        }
    }
}

void traceRiver(const FloatField& heights, std::int32_t x, std::int32_t y) {
    if (!mapGrid) return;
    // The main direction: the lowest neighbour, ties to the later direction.
    float lowest = 10.0f;
    int mainDirection = 1;
    for (int direction = 1; direction <= 6; ++direction) {
        const float h = heightAt(heights, neighbourInDirection(x, y, direction));
        if (h <= lowest) {
            mainDirection = direction;
            lowest = h;
        }
    }
    const int left = mainDirection == 1 ? 6 : mainDirection - 1;
    const int right = mainDirection == 6 ? 1 : mainDirection + 1;

    const float levelSea = generatorParameters.levelSea;
    const double deepWater = static_cast<double>(levelSea) - static_cast<double>(levelSea) * 0.25;
    std::int32_t steps = 0;
    std::int32_t segment = drawScaled(16.0);
    for (;;) {
        TerrainCode code = kRiver;
        if (segment == 0) {
            code = kRiverP;
            segment = drawScaled(16.0);
            if (segment < 4) segment = 4;
        }
        --segment;
        TerrainCode& tile = mapGrid[x][y];
        if (tile != kRiverP && tile != kSea && tile != kLake) tile = code;

        // Desert on the banks turns into a patchwork of arid land and "APlains".
        TerrainCode bank = drawBankCode();
        const std::int32_t raise = (x % 2 == 0) ? 1 : 0;
        const TilePos banks[6] = {{x, y - 1},         {x, y + 1},         {x - 1, y - raise},
                                  {x - 1, y - raise + 1}, {x + 1, y - raise}, {x + 1, y - raise + 1}};
        for (TilePos b : banks) {
            wrapTile(b.x, b.y);
            if (mapGrid[b.x][b.y] == kDesert) {
                mapGrid[b.x][b.y] = bank;
                bank = drawBankCode();
            }
        }

        const auto isRiverAhead = [&](int direction) {
            const TerrainCode c = tileAt(neighbourInDirection(x, y, direction));
            return c == kRiver || c == kRiverP;
        };
        const bool stop = static_cast<double>(heights[x][y]) < deepWater ||
                          (steps > 200 && isRiverWater(mapGrid[x][y])) || isRiverAhead(left) ||
                          isRiverAhead(mainDirection) || isRiverAhead(right);
        if (stop) {
            ++steps;
            return;
        }

        // Strictly lower wins, earlier of left, main, right on ties; north-east
        // when nothing ahead is below 10.
        float least = 10.0f;
        int choice = 2;
        for (int direction : {left, mainDirection, right}) {
            const float h = heightAt(heights, neighbourInDirection(x, y, direction));
            if (h < least) {
                least = h;
                choice = direction;
            }
        }
        hexStep(x, y, choice);
        ++steps;
    }
}

void placeRivers(const FloatField& heights, const FloatField& equator) {
    if (!mapGrid) return;
    // A 32-bit product that wraps like the two's complement it is.
    const std::uint32_t product = static_cast<std::uint32_t>(generatorParameters.genRiverTries) *
                                  static_cast<std::uint32_t>(quadCountY) * static_cast<std::uint32_t>(quadCountX);
    const std::int32_t tries =
        product > 0x7FFFFFFFu ? static_cast<std::int32_t>(static_cast<std::int64_t>(product) - 0x100000000LL)
                              : static_cast<std::int32_t>(product);
    for (std::int32_t attempt = 0; attempt < tries; ++attempt) {
        const std::int32_t x = randomColumn();
        const std::int32_t y = randomRow();
        const TerrainCode code = mapGrid[x][y];
        if (code < kMount1 || code > kMount4) continue;
        if (!(static_cast<double>(equator[x][y]) > static_cast<double>(generatorParameters.desertFactor) * 0.5))
            continue;
        bool nearWater = false;
        for (int direction = 1; direction <= 6; ++direction)
            if (isRiverWater(tileAt(neighbourInDirection(x, y, direction)))) nearWater = true;
        if (nearWater) continue;
        traceRiver(heights, x, y);
    }
}

}  // namespace pelorn
