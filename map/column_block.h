// Columns of cells in one block behind a table of column pointers: a grid
// is either wholly there or not at all, and grid[x][y] reads as the map does.
#pragma once

#include <cstddef>
#include <new>

namespace pelorn {

// width columns of height cells, the cells left as they come; nullptr when
// the memory cannot be had.
template <typename Cell>
Cell** newColumnBlock(std::size_t width, std::size_t height) {
    Cell** columns = new (std::nothrow) Cell*[width];
    if (!columns) return nullptr;
    Cell* cells = new (std::nothrow) Cell[width * height];
    if (!cells) {
        delete[] columns;
        return nullptr;
    }
    for (std::size_t x = 0; x < width; ++x) columns[x] = cells + x * height;
    return columns;
}

// Frees a block of newColumnBlock; nullptr is harmless.
template <typename Cell>
void deleteColumnBlock(Cell** columns) {
    if (!columns) return;
    delete[] columns[0];
    delete[] columns;
}

}  // namespace pelorn
