#include "map/map_grid.h"

#include <cstring>
#include <new>

#include "map/column_block.h"

namespace pelorn {

MapGrid mapGrid = nullptr;
std::int32_t quadCountX = 1;
std::int32_t quadCountY = 1;
std::int32_t viewQuadX = 0;
std::int32_t viewQuadY = 0;
std::string currentMapName = "Untitled";

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

bool allocateMapGridKeepView() {
    if (mapGrid || !isAcceptableMapSize(quadCountX, quadCountY)) return false;
    mapGrid = newGrid(quadCountX, quadCountY);
    return mapGrid != nullptr;
}

bool allocateMapGrid() {
    viewQuadX = 0;
    viewQuadY = 0;
    return allocateMapGridKeepView();
}

void freeMapGrid() {
    deleteColumnBlock(mapGrid);
    mapGrid = nullptr;
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

void installMapGrid(TileGrid&& grid) {
    freeMapGrid();
    viewQuadX = 0;
    viewQuadY = 0;
    if (!grid) return;
    quadCountX = grid.quadsX_;
    quadCountY = grid.quadsY_;
    mapGrid = grid.take();
}

bool replaceWithEmptyMap(std::int32_t quadsX, std::int32_t quadsY) {
    freeMapGrid();
    quadCountX = quadsX;
    quadCountY = quadsY;
    if (allocateMapGrid()) return true;
    quadCountX = 1;
    quadCountY = 1;
    allocateMapGrid();
    return false;
}

void resetMapState() {
    freeMapGrid();
    quadCountX = 1;
    quadCountY = 1;
    viewQuadX = 0;
    viewQuadY = 0;
    currentMapName = "Untitled";
}

}  // namespace pelorn
