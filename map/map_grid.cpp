#include "map/map_grid.h"

#include <cstring>
#include <new>

#include "map/column_block.h"

namespace pelorn {

bool isAcceptableMapSize(std::int32_t quadsX, std::int32_t quadsY) {
    return quadsX >= 1 && quadsY >= 1 && quadsX <= kMaxQuadsPerSide && quadsY <= kMaxQuadsPerSide &&
           quadsX * quadsY <= kMaxQuads;
}

namespace {

// Every tile 0; nullptr when the memory cannot be had.
MapGrid newGrid(std::int32_t quadsX, std::int32_t quadsY) {
    const std::size_t width = static_cast<std::size_t>(quadsX) * kQuadSize;
    const std::size_t height = static_cast<std::size_t>(quadsY) * kQuadSize;
    MapGrid columns = newColumnBlock<TerrainCode>(width, height);
    if (columns) std::memset(columns[0], 0, width * height * sizeof(TerrainCode));
    return columns;
}

}  // namespace

Map::~Map() { freeMapGrid(*this); }

Map::Map(Map&& other) noexcept { *this = static_cast<Map&&>(other); }

Map& Map::operator=(Map&& other) noexcept {
    if (this != &other) {
        freeMapGrid(*this);
        mapGrid = other.mapGrid;
        quadCountX = other.quadCountX;
        quadCountY = other.quadCountY;
        currentMapName = static_cast<std::string&&>(other.currentMapName);
        other.mapGrid = nullptr;
    }
    return *this;
}

bool allocateMapGrid(Map& map) {
    if (map.mapGrid || !isAcceptableMapSize(map.quadCountX, map.quadCountY)) return false;
    map.mapGrid = newGrid(map.quadCountX, map.quadCountY);
    return map.mapGrid != nullptr;
}

void freeMapGrid(Map& map) {
    deleteColumnBlock(map.mapGrid);
    map.mapGrid = nullptr;
}

TileGrid& TileGrid::operator=(TileGrid&& other) noexcept {
    if (this != &other) {
        release();
        quadsX_ = other.quadsX_;
        quadsY_ = other.quadsY_;
        columns_ = other.take();
    }
    return *this;
}

MapGrid TileGrid::take() {
    const MapGrid columns = columns_;
    columns_ = nullptr;
    quadsX_ = 0;
    quadsY_ = 0;
    return columns;
}

bool TileGrid::allocate(std::int32_t quadsX, std::int32_t quadsY) {
    release();
    if (!isAcceptableMapSize(quadsX, quadsY)) return false;
    columns_ = newGrid(quadsX, quadsY);
    if (!columns_) return false;
    quadsX_ = quadsX;
    quadsY_ = quadsY;
    return true;
}

void TileGrid::release() { deleteColumnBlock(take()); }

void installMapGrid(Map& map, TileGrid&& grid) {
    freeMapGrid(map);
    if (!grid) return;
    map.quadCountX = grid.quadsX_;
    map.quadCountY = grid.quadsY_;
    map.mapGrid = grid.take();
}

bool replaceWithEmptyMap(Map& map, std::int32_t quadsX, std::int32_t quadsY) {
    freeMapGrid(map);
    map.quadCountX = quadsX;
    map.quadCountY = quadsY;
    if (allocateMapGrid(map)) return true;
    map.quadCountX = 1;
    map.quadCountY = 1;
    allocateMapGrid(map);
    return false;
}

}  // namespace pelorn
