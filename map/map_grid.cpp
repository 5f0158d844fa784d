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

bool allocateMapGridKeepView() {
    if (mapGrid || !isAcceptableMapSize(quadCountX, quadCountY)) return false;
    const std::size_t width = static_cast<std::size_t>(mapWidth());
    const std::size_t height = static_cast<std::size_t>(mapHeight());
    MapGrid columns = new (std::nothrow) TerrainCode*[width];
    if (!columns) return false;
    TerrainCode* cells = new (std::nothrow) TerrainCode[width * height];
    if (!cells) {
        delete[] columns;
        return false;
    }
    std::memset(cells, 0, width * height * sizeof(TerrainCode));
    for (std::size_t x = 0; x < width; ++x) columns[x] = cells + x * height;
    mapGrid = columns;
    return true;
}

bool allocateMapGrid() {
    viewQuadX = 0;
    viewQuadY = 0;
    return allocateMapGridKeepView();
}

void freeMapGrid() {
    if (!mapGrid) return;
    delete[] mapGrid[0];
    delete[] mapGrid;
    mapGrid = nullptr;
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
