#include "generator/seas_rivers.h"

#include <cstddef>
#include <memory>
#include <new>

#include "generator/parameters.h"
#include "generator/random.h"
#include "generator/symmetry.h"
#include "map/flood_fill.h"
#include "map/hex_geometry.h"
#include "map/map_grid.h"

namespace pelorn {

namespace {

TerrainCode tileAt(const Map& map, TilePos p) { return map.mapGrid[p.x][p.y]; }

float heightAt(const FloatField& heights, TilePos p) { return heights[p.x][p.y]; }

// The bank's code: "Arid" when floor(r / 32767 + 0.5) is 1, "APlains" otherwise.
TerrainCode drawBankCode(Random& random) { return drawScaled(random, 1.0) == 1 ? kArid : kAPlains; }

// A river or bank tile: on a symmetric map its images take the code too.
void paintTile(Map& map, const GridSymmetry* tiles, TilePos p, TerrainCode code) {
    if (!tiles) {
        map.mapGrid[p.x][p.y] = code;
        return;
    }
    setTileAndImages(map, *tiles, p.x, p.y, code);
}

const GridSymmetry* symmetricOrNull(const GridSymmetry* tiles) { return tiles && !tiles->none() ? tiles : nullptr; }

}  // namespace

std::int32_t randomColumn(const Map& map, Random& random) {
    return drawScaled(random, static_cast<double>(mapWidth(map) - 1));
}

std::int32_t randomRow(const Map& map, Random& random) {
    return drawScaled(random, static_cast<double>(mapHeight(map) - 1));
}

namespace {

// The store of one size test: a visited mark per tile (everything but lake
// water marked from the start) and a stack of up to W x H positions.
class SeaSearch {
public:
    // False when either part cannot be had.
    bool prepare(const Map& map) {
        torus_ = mapTorus(map);
        const std::size_t tiles = static_cast<std::size_t>(torus_.width) * static_cast<std::size_t>(torus_.height);
        stack_.reset(new (std::nothrow) TilePos[tiles]);
        if (!stack_) return false;
        visited_.reset(new (std::nothrow) std::uint8_t[tiles]);
        if (!visited_) return false;
        for (std::int32_t x = 0; x < torus_.width; ++x) {
            const TerrainCode* column = map.mapGrid[x];
            std::uint8_t* marks = visited_.get() + index(x, 0);
            for (std::int32_t y = 0; y < torus_.height; ++y) marks[y] = column[y] != kLake ? 1 : 0;
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

            int open = 0;
            TilePos first{0, 0};
            for (const TilePos& n : torus_.neighbours({x, y})) {
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
        return static_cast<std::size_t>(x) * static_cast<std::size_t>(torus_.height) + static_cast<std::size_t>(y);
    }

    HexTorus torus_{0, 0};
    std::unique_ptr<TilePos[]> stack_;
    std::unique_ptr<std::uint8_t[]> visited_;
};

}  // namespace

bool isSeaSized(const Map& map, std::int32_t x, std::int32_t y, const GeneratorParameters& parameters) {
    if (!map.mapGrid) return false;
    SeaSearch search;
    if (!search.prepare(map)) return false;
    return search.reaches(x, y, parameters.genSeaTiles);
}

bool selectSea(Map& map, const GeneratorParameters& parameters, Random& random, const GridSymmetry* tiles) {
    if (!map.mapGrid) return false;
    tiles = symmetricOrNull(tiles);
    // One store serves every try: the map does not change between them, and a
    // body that fell short stays marked, so a later try landing in it is known
    // to fail without walking it again. Bodies are disjoint, so a walk of a new
    // body counts exactly what a fresh size test would.
    SeaSearch search;
    if (!search.prepare(map)) return false;
    for (int attempt = 0; attempt < 200; ++attempt) {
        const std::int32_t x = randomColumn(map, random);
        const std::int32_t y = randomRow(map, random);
        if (map.mapGrid[x][y] != kLake || search.visited(x, y)) continue;
        if (!search.reaches(x, y, parameters.genSeaTiles)) continue;
        if (!floodFill(map, x, y, kSea)) return false;
        if (!tiles) return true;
        // The images of the body are lakes of its size; one that lay in the
        // body itself is sea already.
        TilePos images[GridSymmetry::kMaxImages];
        const int count = tiles->images(x, y, images);
        for (int i = 1; i < count; ++i)
            if (map.mapGrid[images[i].x][images[i].y] == kLake && !floodFill(map, images[i].x, images[i].y, kSea))
                return false;
        return true;
    }
    return true;
}

void traceRiver(Map& map, const FloatField& heights, std::int32_t x, std::int32_t y,
                const GeneratorParameters& parameters, Random& random, const GridSymmetry* tiles) {
    if (!map.mapGrid) return;
    tiles = symmetricOrNull(tiles);
    const HexTorus torus = mapTorus(map);
    TilePos at{x, y};
    // The main direction: the lowest neighbour, ties to the later direction.
    float lowest = 10.0f;
    HexDirection mainDirection = HexDirection::kAbove;
    for (HexDirection direction : kHexWalkOrder) {
        const float h = heightAt(heights, torus.neighbour(at, direction));
        if (h <= lowest) {
            mainDirection = direction;
            lowest = h;
        }
    }
    const HexDirection ahead[3] = {anticlockwise(mainDirection), mainDirection, clockwise(mainDirection)};

    const float levelSea = parameters.levelSea;
    const double deepWater = static_cast<double>(levelSea) - static_cast<double>(levelSea) * 0.25;
    std::int32_t steps = 0;
    std::int32_t segment = drawScaled(random, 16.0);
    for (;;) {
        TerrainCode code = kRiver;
        if (segment == 0) {
            code = kRiverP;
            segment = drawScaled(random, 16.0);
            if (segment < 4) segment = 4;
        }
        --segment;
        const TerrainCode tile = map.mapGrid[at.x][at.y];
        if (tile != kRiverP && tile != kSea && tile != kLake) paintTile(map, tiles, at, code);

        // Desert on the banks turns into a patchwork of arid land and "APlains".
        TerrainCode bank = drawBankCode(random);
        const HexTorus::Ring banks = torus.ring(at.x, at.y);
        for (HexDirection direction : kRiverBankOrder) {
            const TilePos b = banks[direction];
            if (map.mapGrid[b.x][b.y] == kDesert) {
                paintTile(map, tiles, b, bank);
                bank = drawBankCode(random);
            }
        }

        const auto isRiverAhead = [&](HexDirection direction) {
            return isRiverCode(tileAt(map, torus.neighbour(at, direction)));
        };
        const bool stop = static_cast<double>(heights[at.x][at.y]) < deepWater ||
                          (steps > 200 && isWaterCode(tileAt(map, at))) || isRiverAhead(ahead[0]) ||
                          isRiverAhead(ahead[1]) || isRiverAhead(ahead[2]);
        if (stop) {
            ++steps;
            return;
        }

        // Strictly lower wins, earlier of left, main, right on ties; upper
        // right when nothing ahead is below 10.
        float least = 10.0f;
        HexDirection choice = HexDirection::kUpperRight;
        for (HexDirection direction : ahead) {
            const float h = heightAt(heights, torus.neighbour(at, direction));
            if (h < least) {
                least = h;
                choice = direction;
            }
        }
        at = torus.neighbour(at, choice);
        ++steps;
    }
}

void placeRivers(Map& map, const FloatField& heights, const FloatField& equator, const GeneratorParameters& parameters,
                 Random& random, const GridSymmetry* tiles) {
    if (!map.mapGrid) return;
    tiles = symmetricOrNull(tiles);
    std::int32_t tries = triesOverMap(map, parameters.genRiverTries);
    if (tiles && tries > 0) {
        const std::int32_t order = symmetryOrder(tiles->kind());
        tries = tries / order + (tries % order != 0 ? 1 : 0);
    }
    for (std::int32_t attempt = 0; attempt < tries; ++attempt) {
        const std::int32_t x = randomColumn(map, random);
        const std::int32_t y = randomRow(map, random);
        const TerrainCode code = map.mapGrid[x][y];
        if (!isMountainCode(code)) continue;
        if (!(static_cast<double>(equator[x][y]) > static_cast<double>(parameters.desertFactor) * 0.5))
            continue;
        bool nearWater = false;
        for (const TilePos& n : mapTorus(map).neighbours({x, y}))
            if (isWaterCode(tileAt(map, n))) nearWater = true;
        if (nearWater) continue;
        traceRiver(map, heights, x, y, parameters, random, tiles);
    }
}

}  // namespace pelorn
