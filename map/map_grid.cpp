#include "map/map_grid.h"

#include <cstring>
#include <new>

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

// Columns of `height` cells, all 0, in one block behind a table of column
// pointers; nullptr when the memory cannot be had.
MapGrid newGrid(std::int32_t quadsX, std::int32_t quadsY) {
    const std::size_t width = static_cast<std::size_t>(quadsX) * kQuadSize;
    const std::size_t height = static_cast<std::size_t>(quadsY) * kQuadSize;
    MapGrid columns = new (std::nothrow) TerrainCode*[width];
    if (!columns) return nullptr;
    TerrainCode* cells = new (std::nothrow) TerrainCode[width * height];
    if (!cells) {
        delete[] columns;
        return nullptr;
    }
    std::memset(cells, 0, width * height * sizeof(TerrainCode));
    for (std::size_t x = 0; x < width; ++x) columns[x] = cells + x * height;
    return columns;
}

void deleteGrid(MapGrid grid) {
    if (!grid) return;
    delete[] grid[0];
    delete[] grid;
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
    deleteGrid(mapGrid);
    mapGrid = nullptr;
}

TileGrid& TileGrid::operator=(TileGrid&& other) noexcept {
    if (this != &other) {
        release();
        columns_ = other.columns_;
        quadsX_ = other.quadsX_;
        quadsY_ = other.quadsY_;
        other.columns_ = nullptr;
        other.quadsX_ = 0;
        other.quadsY_ = 0;
    }
    return *this;
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

void TileGrid::release() {
    deleteGrid(columns_);
    columns_ = nullptr;
    quadsX_ = 0;
    quadsY_ = 0;
}

void installMapGrid(TileGrid&& grid) {
    freeMapGrid();
    viewQuadX = 0;
    viewQuadY = 0;
    if (!grid) return;
    mapGrid = grid.columns_;
    quadCountX = grid.quadsX_;
    quadCountY = grid.quadsY_;
    grid.columns_ = nullptr;
    grid.quadsX_ = 0;
    grid.quadsY_ = 0;
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
