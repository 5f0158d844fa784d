// The map in memory: its size in quads, the grid of terrain codes and the
// map's name.
#pragma once

#include <cstdint>
#include <string>

#include "map/hex_geometry.h"
#include "map/terrain.h"

namespace pelorn {

constexpr int kQuadSize = 100;  // a quad is 100 by 100 tiles

// The largest map Pelorn makes or loads. The grid needs 40,000 bytes per quad,
// the world generator about three times that again and the bucket fill twice
// that for its stack, so 1024 quads (about 40 MB of tiles) keeps every
// operation well inside a desktop's memory; each side stays at most 100 quads.
constexpr std::int32_t kMaxQuadsPerSide = 100;
constexpr std::int32_t kMaxQuads = 1024;
bool isAcceptableMapSize(std::int32_t quadsX, std::int32_t quadsY);

// grid[x][y]: x the column (eastwards), y the row (southwards). Each column
// holds H cells; the columns lie in one block behind a table of column
// pointers, so a grid is either wholly there or not at all.
using MapGrid = TerrainCode**;

// The map value: its grid, its size in quads and its name. It owns its grid
// (freed with it); a map is moved, never copied.
struct Map {
    Map() = default;
    ~Map();
    Map(Map&& other) noexcept;
    Map& operator=(Map&& other) noexcept;
    Map(const Map&) = delete;
    Map& operator=(const Map&) = delete;

    MapGrid mapGrid = nullptr;  // nullptr while no grid exists
    std::int32_t quadCountX = 1;
    std::int32_t quadCountY = 1;
    std::string currentMapName = "Untitled";
};

inline std::int32_t mapWidth(const Map& map) { return map.quadCountX * kQuadSize; }
inline std::int32_t mapHeight(const Map& map) { return map.quadCountY * kQuadSize; }

// Makes a grid for the map's quad counts with every tile 0. The old grid must
// have been freed. Returns false, leaving no grid, when the memory cannot be
// had or the counts are out of range.
bool allocateMapGrid(Map& map);
void freeMapGrid(Map& map);

// A grid with memory of its own, not (yet) the map's: what a reader fills
// before it replaces the map.
class TileGrid {
public:
    TileGrid() = default;
    ~TileGrid() { release(); }
    TileGrid(TileGrid&& other) noexcept { *this = static_cast<TileGrid&&>(other); }
    TileGrid& operator=(TileGrid&& other) noexcept;
    TileGrid(const TileGrid&) = delete;
    TileGrid& operator=(const TileGrid&) = delete;

    // An empty grid of quadsX by quadsY quads, every tile 0. False, leaving no
    // grid, when the size is refused or the memory cannot be had.
    bool allocate(std::int32_t quadsX, std::int32_t quadsY);
    void release();

    explicit operator bool() const { return columns_ != nullptr; }
    MapGrid columns() const { return columns_; }
    std::int32_t quadsX() const { return quadsX_; }
    std::int32_t quadsY() const { return quadsY_; }

private:
    friend void installMapGrid(Map& map, TileGrid&& grid);
    MapGrid take();  // the columns, handed over; the grid is empty afterwards
    MapGrid columns_ = nullptr;
    std::int32_t quadsX_ = 0;
    std::int32_t quadsY_ = 0;
};

// The map's grid becomes `grid` (the old one freed), its size the map's.
// Without a grid in `grid` the map has none afterwards.
void installMapGrid(Map& map, TileGrid&& grid);

// Replaces the map's grid by an empty one of quadsX by quadsY quads. Should that size be refused or its memory not be had, the map
// becomes a single empty quad instead, so that a grid always exists. True
// when the asked size was made.
bool replaceWithEmptyMap(Map& map, std::int32_t quadsX, std::int32_t quadsY);

// A tile position in 32 bits: the column in the high half, the row in the
// low half. Both are below 65536 on every map the program holds, and the
// tile one row further down packs to the next number.
using PackedTile = std::uint32_t;
static_assert(kMaxQuadsPerSide * kQuadSize <= 0xFFFF, "positions must pack into 16 bits each");
constexpr PackedTile packTile(std::int32_t x, std::int32_t y) {
    return (static_cast<PackedTile>(x) << 16) | static_cast<PackedTile>(y);
}
constexpr TilePos unpackTile(PackedTile tile) {
    return {static_cast<std::int32_t>(tile >> 16), static_cast<std::int32_t>(tile & 0xFFFF)};
}

// The map as the hexagon geometry sees it: wrapping at all four edges.
inline HexTorus mapTorus(const Map& map) { return {mapWidth(map), mapHeight(map)}; }

}  // namespace pelorn
