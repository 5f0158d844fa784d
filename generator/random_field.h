// The generator's random fields: grids of 32-bit reals from 0.0 to 10.0, made
// by midpoint displacement (diamond-square) over a working grid whose sides are
// one more than a multiple of 128, then scaled down to the map's size.
#pragma once

#include <cstdint>
#include <vector>

#include "generator/parameters.h"

namespace pelorn {

class GridSymmetry;
class Random;

// A cell holding exactly this value has not been computed yet.
constexpr float kUnsetValue = 11.0f;

// W columns of H floats, column by column as the map grid: field[x][y].
// The cells lie in one block behind a table of column pointers, so a field is
// either wholly there or not at all.
struct FloatField {
    FloatField() = default;
    ~FloatField() { release(); }
    FloatField(const FloatField&) = delete;
    FloatField& operator=(const FloatField&) = delete;
    FloatField(FloatField&& other) noexcept { *this = static_cast<FloatField&&>(other); }
    FloatField& operator=(FloatField&& other) noexcept;

    // Makes room for w x h cells (their values undefined). False, leaving the
    // field empty, when the sizes are not positive or the memory cannot be had.
    bool allocate(std::int32_t w, std::int32_t h);
    void release();
    bool empty() const { return columns == nullptr; }
    // Sets every cell to `value`.
    void fill(float value);

    float* operator[](std::int32_t x) { return columns[x]; }
    const float* operator[](std::int32_t x) const { return columns[x]; }

    float** columns = nullptr;
    float* cells = nullptr;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// The working size for a side of `tiles` tiles: the smallest 128k+1 (k >= 1)
// that is not less than it. 100 -> 129, 200 -> 257, 1000 -> 1025.
std::int32_t workingSize(std::int32_t tiles);

// Computes every unset cell of a w x h field by diamond-square. `length` is
// the randomness length: while the scale counter exceeds it, displacements keep
// their full amplitude, and roughnessFactor damps them after. seedSeas puts
// sea-deep values on the edges chosen by seedHorizontalSea / seedVerticalSea
// (the height field only). Draws from `random`.
// With a symmetry the fill keeps the field symmetric: every value stored goes
// to all the cells that stand for the same point (the field must start
// symmetric). None, or no symmetry, fills the classic way.
void fillField(FloatField& field, std::int32_t w, std::int32_t h, std::int32_t length, bool seedSeas,
               const GeneratorParameters& parameters, Random& random, const GridSymmetry* symmetry = nullptr);

// Mean of the set cells at distance d from (x, y) along the axes, each
// coordinate wrapped once with period w-1 (h-1), or 5.0 when none is set.
// Computed in double; the fill rounds it to single precision.
double neighbourMean(const FloatField& field, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                     std::int32_t d);

// Scales a w x h field in place down to the map's size, mapW x mapH tiles, by
// nearest neighbour. Cells beyond the map keep what they held.
void resampleField(FloatField& field, std::int32_t w, std::int32_t h, std::int32_t mapW, std::int32_t mapH);

// The source of each of `target` positions out of `source` that resampleField
// reads: stepping by source / target in single precision.
std::vector<std::int32_t> resampleSources(std::int32_t target, std::int32_t source);
// Scales a w x h field in place: map cell (x, y) takes field cell
// (columnSources[x], rowSources[y]). Each source must lie at or after its
// target and inside the field; otherwise nothing changes.
void resampleFieldFrom(FloatField& field, std::int32_t w, std::int32_t h, const std::vector<std::int32_t>& rowSources,
                       const std::vector<std::int32_t>& columnSources);

}  // namespace pelorn
