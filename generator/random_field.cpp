#include "generator/random_field.h"

#include <cmath>
#include <cstddef>
#include <cstring>
#include <new>
#include <vector>

#include "generator/parameters.h"
#include "generator/random.h"
#include "generator/symmetry.h"
#include "map/column_block.h"

namespace pelorn {

bool FloatField::allocate(std::int32_t w, std::int32_t h) {
    release();
    if (w <= 0 || h <= 0) return false;
    columns = newColumnBlock<float>(static_cast<std::size_t>(w), static_cast<std::size_t>(h));
    if (!columns) return false;
    cells = columns[0];
    width = w;
    height = h;
    return true;
}

FloatField& FloatField::operator=(FloatField&& other) noexcept {
    if (this != &other) {
        release();
        columns = other.columns;
        cells = other.cells;
        width = other.width;
        height = other.height;
        other.columns = nullptr;
        other.cells = nullptr;
        other.width = 0;
        other.height = 0;
    }
    return *this;
}

void FloatField::release() {
    deleteColumnBlock(columns);
    cells = nullptr;
    columns = nullptr;
    width = 0;
    height = 0;
}

void FloatField::fill(float value) {
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    for (std::size_t i = 0; i < count; ++i) cells[i] = value;
}

std::int32_t workingSize(std::int32_t tiles) {
    std::int32_t size = 129;
    while (size < tiles) size += 128;
    return size;
}

namespace {

// r / 32767 rounded to single precision, for every r: a table lookup gives
// the same bits as the division, which the fill would otherwise make once per cell.
struct QuotientTable {
    float values[kRandMax + 1];
    QuotientTable() {
        for (std::int32_t r = 0; r <= kRandMax; ++r) values[r] = static_cast<float>(r / static_cast<double>(kRandMax));
    }
};
const QuotientTable kQuotients;

// r / 32767 of one draw, rounded to single precision right after the division.
float drawQuotient(Random& random) { return kQuotients.values[random.next()]; }

// A uniform offset from -a to +a, rounded to single precision. An amplitude of
// zero draws nothing.
float drawOffset(Random& random, float a) {
    if (a == 0.0f) return 0.0f;
    const double q = drawQuotient(random);
    const double amplitude = a;
    return static_cast<float>(2.0 * amplitude * q - amplitude);
}

// Keeps a computed value on the scale. NaN (an amplitude made infinite by a
// roughnessFactor of -1 gives inf - inf) counts as 0, so no field ever holds it.
float clampToScale(double v) {
    if (std::isnan(v)) return 0.0f;
    if (v < 0.0) return 0.0f;
    if (v > 10.0) return 10.0f;
    return static_cast<float>(v);
}

// Where the fill stores its values: straight into the field, or, for a
// symmetric world, into every cell the value stands for, so that the field is
// symmetric at every moment and a cell whose images are computed already is
// skipped as set. The fill's draws come from `random`.
struct CellStore {
    FloatField& field;
    const GridSymmetry* symmetry;  // nullptr: the classic fill
    Random& random;

    void put(std::int32_t x, std::int32_t y, float value) const {
        if (!symmetry) {
            field[x][y] = value;
            return;
        }
        TilePos images[GridSymmetry::kMaxImages];
        const int count = symmetry->images(x, y, images);
        for (int i = 0; i < count; ++i) field[images[i].x][images[i].y] = value;
    }
};

// The first diamond step of a field whose height is no multiple of its width
// reaches past the last row: those corners count as unset.
float cornerOrUnset(const FloatField& field, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {
    if (x < 0 || x >= w || y < 0 || y >= h) return kUnsetValue;
    return field[x][y];
}

void diamondStep(const CellStore& store, std::int32_t w, std::int32_t h, std::int32_t side, double f) {
    FloatField& field = store.field;
    const std::int32_t half = roundHalfUpToSingle(side * 0.5);
    const float amplitude = static_cast<float>(f * 10.0);
    for (std::int32_t x0 = 0; x0 < w - 1; x0 += side) {
        for (std::int32_t y0 = 0; y0 < h - 1; y0 += side) {
            const std::int32_t cx = x0 + half;
            const std::int32_t cy = y0 + half;
            if (cx >= w || cy >= h) continue;  // centre outside: skipped, no draw
            if (field[cx][cy] != kUnsetValue) continue;
            const double sum = static_cast<double>(cornerOrUnset(field, x0, y0 + side, w, h)) +
                               cornerOrUnset(field, x0, y0, w, h) + cornerOrUnset(field, x0 + side, y0, w, h) +
                               cornerOrUnset(field, x0 + side, y0 + side, w, h);
            const float mean = static_cast<float>(sum * 0.25);
            const float offset = drawOffset(store.random, amplitude);
            store.put(cx, cy, clampToScale(static_cast<double>(mean) + offset));
        }
    }
}

// The mean of the set cells among (x, y -+ d) and (x -+ d, y), wrapped with
// period w-1 (h-1). Inside the field, away from its edges, no wrap applies.
inline double meanAround(const FloatField& field, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                         std::int32_t d) {
    if (x < d || y < d || x + d >= w || y + d >= h) return neighbourMean(field, x, y, w, h, d);
    const float* column = field[x];
    const float values[4] = {column[y - d], column[y + d], field[x - d][y], field[x + d][y]};
    double sum = 0.0;
    int count = 0;
    for (float v : values) {
        if (v == kUnsetValue) continue;
        sum += v;
        ++count;
    }
    return count > 0 ? sum / count : 5.0;
}

// The square step's hot path: compilers left to themselves stopped inlining it
// once the draws came from a Random passed in, which cost a fifth more work.
#if defined(_MSC_VER)
#define PELORN_HOT_INLINE __forceinline
#else
#define PELORN_HOT_INLINE [[gnu::always_inline]] inline
#endif

// Computes (x, y) if it is still unset, and mirrors it across the wrap.
PELORN_HOT_INLINE void squarePoint(const CellStore& store, std::int32_t w, std::int32_t h, std::int32_t x, std::int32_t y,
                        std::int32_t spacing, float amplitude) {
    FloatField& field = store.field;
    if (field[x][y] != kUnsetValue) return;
    const float mean = static_cast<float>(meanAround(field, x, y, w, h, spacing));
    const float offset = drawOffset(store.random, amplitude);
    const float value = clampToScale(static_cast<double>(mean) + offset);
    store.put(x, y, value);
    // The first and last columns (rows) are the same line of a wrapped field.
    if (x == 0 && field[w - 1][y] == kUnsetValue) store.put(w - 1, y, value);
    if (x == w - 1 && field[0][y] == kUnsetValue) store.put(0, y, value);
    if (y == 0 && field[x][h - 1] == kUnsetValue) store.put(x, h - 1, value);
    if (y == h - 1 && field[x][0] == kUnsetValue) store.put(x, 0, value);
}

// The square step visits, for each square (x0, y0) of side l in column-major
// order, its corners (x0, y0), (x0, y0+l), (x0+l, y0), (x0+l, y0+l). Only a
// point's first visit can change it, and those first visits come in this
// order: (0, 0), (0, l), (l, 0), (l, l), then (0, y), (l, y) for each further
// row y, then every later column top to bottom. Visiting each point once in
// that order gives the same values and draws at a quarter of the visits.
void squareStep(const CellStore& store, std::int32_t w, std::int32_t h, std::int32_t spacing, double g) {
    const float amplitude = static_cast<float>(g * 10.0);
    const std::int32_t l = spacing;
    squarePoint(store, w, h, 0, 0, l, amplitude);
    squarePoint(store, w, h, 0, l, l, amplitude);
    squarePoint(store, w, h, l, 0, l, amplitude);
    squarePoint(store, w, h, l, l, l, amplitude);
    for (std::int32_t y = 2 * l; y <= h - 1; y += l) {
        squarePoint(store, w, h, 0, y, l, amplitude);
        squarePoint(store, w, h, l, y, l, amplitude);
    }
    for (std::int32_t x = 2 * l; x <= w - 1; x += l)
        for (std::int32_t y = 0; y <= h - 1; y += l) squarePoint(store, w, h, x, y, l, amplitude);
}

// The sea seeding: (r / 32767) x 0.48 in double, rounded once when stored.
float drawSeaDepth(Random& random) { return static_cast<float>(random.next() / static_cast<double>(kRandMax) * 0.48); }

}  // namespace

double neighbourMean(const FloatField& field, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                     std::int32_t d) {
    double sum = 0.0;
    int count = 0;
    const auto take = [&](std::int32_t cx, std::int32_t cy) {
        // The period is w-1 (h-1): the first and last lines mirror each other.
        if (cx < 0) cx += w - 1;
        else if (cx >= w) cx -= w - 1;
        if (cy < 0) cy += h - 1;
        else if (cy >= h) cy -= h - 1;
        if (cx < 0 || cx >= w || cy < 0 || cy >= h) return;
        const float v = field[cx][cy];
        if (v == kUnsetValue) return;
        sum += v;
        ++count;
    };
    take(x, y - d);
    take(x, y + d);
    take(x - d, y);
    take(x + d, y);
    return count > 0 ? sum / count : 5.0;
}

void fillField(FloatField& field, std::int32_t w, std::int32_t h, std::int32_t length, bool seedSeas,
               const GeneratorParameters& parameters, Random& random, const GridSymmetry* symmetry) {
    // The diamond-square grid needs sides of 128k+1; anything else would step
    // outside the field.
    if (field.empty() || w > field.width || h > field.height || w < 129 || h < 129 || (w - 1) % 128 != 0 ||
        (h - 1) % 128 != 0)
        return;

    // Corners: one draw for all four.
    double corner = static_cast<double>(drawQuotient(random)) * 10.0 * 2.0 - 10.0;
    if (corner < 0.0) corner = 0.0;
    if (corner > 10.0) corner = 10.0;
    const float cornerValue = static_cast<float>(corner);
    const CellStore store{field, symmetry && !symmetry->none() ? symmetry : nullptr, random};
    store.put(0, 0, cornerValue);
    store.put(0, h - 1, cornerValue);
    store.put(w - 1, 0, cornerValue);
    store.put(w - 1, h - 1, cornerValue);

    // Under a symmetry a later draw may overwrite an earlier one's images;
    // every store writes all of them, so the edges stay symmetric.
    if (seedSeas) {
        if (parameters.seedHorizontalSea == 1) {
            for (std::int32_t y = 0; y < h; ++y) {
                store.put(0, y, drawSeaDepth(random));
                store.put(w - 1, y, drawSeaDepth(random));
            }
        }
        if (parameters.seedVerticalSea == 1) {
            for (std::int32_t x = 0; x < w; ++x) {
                store.put(x, 0, drawSeaDepth(random));
                store.put(x, h - 1, drawSeaDepth(random));
            }
        }
    }

    // The scale counter runs 129, 65, 33, 17, 9, 5, 3, 2 for every field size.
    std::int32_t side = w - 1;
    std::int32_t e = 129;
    double f = 1.0;
    do {
        diamondStep(store, w, h, side, f);
        e = (e + 1) / 2;
        const std::int32_t spacing = e - 1;
        const double g =
            length < e ? 1.0 : f / (static_cast<double>(parameters.roughnessFactor) + 1.0);
        squareStep(store, w, h, spacing, g);
        f = g;
        side = spacing;
    } while (e > 2);
}

// The nearest-neighbour source of each of `target` positions out of `source`,
// stepping in single precision. The step source/target is the single-precision
// quotient of the two sizes; the pull-back below the end (pos - 0.01, rounded
// to single) never triggers for target <= source but is kept as the guard it is.
std::vector<std::int32_t> resampleSources(std::int32_t target, std::int32_t source) {
    std::vector<std::int32_t> sources(static_cast<std::size_t>(target));
    const float limit = static_cast<float>(source);
    const float step = static_cast<float>(source) / static_cast<float>(target);
    float pos = 0.0f;
    for (std::int32_t i = 0; i < target; ++i) {
        while (pos >= limit) pos = static_cast<float>(static_cast<double>(pos) - 0.01);
        std::int32_t s = roundHalfUpToSingle(pos);
        if (s > source - 1) s = source - 1;
        if (s < i) s = i;  // cannot happen while step >= 1; keeps the pass in place
        sources[static_cast<std::size_t>(i)] = s;
        pos = pos + step;
    }
    return sources;
}

void resampleField(FloatField& field, std::int32_t w, std::int32_t h, std::int32_t mapW, std::int32_t mapH) {
    if (field.empty() || w > field.width || h > field.height || mapW <= 0 || mapH <= 0 || mapW > w || mapH > h)
        return;
    resampleFieldFrom(field, w, h, resampleSources(mapH, h), resampleSources(mapW, w));
}

void resampleFieldFrom(FloatField& field, std::int32_t w, std::int32_t h, const std::vector<std::int32_t>& rowSources,
                       const std::vector<std::int32_t>& columnSources) {
    const auto mapH = static_cast<std::int32_t>(rowSources.size());
    const auto mapW = static_cast<std::int32_t>(columnSources.size());
    if (field.empty() || w > field.width || h > field.height || mapW > w || mapH > h) return;
    for (std::int32_t y = 0; y < mapH; ++y)
        if (rowSources[static_cast<std::size_t>(y)] < y || rowSources[static_cast<std::size_t>(y)] >= h) return;
    for (std::int32_t x = 0; x < mapW; ++x)
        if (columnSources[static_cast<std::size_t>(x)] < x || columnSources[static_cast<std::size_t>(x)] >= w) return;
    // Each target reads a source at or after itself, so working upwards in
    // place never reads a cell this pass has already written. The source of a
    // position does not depend on the other coordinate, so the row pass can use
    // one table for every column, and the column pass can move whole columns
    // in ascending order, which gives each row the same sequence of copies.
    for (std::int32_t x = 0; x < w; ++x) {
        float* column = field[x];
        for (std::int32_t y = 0; y < mapH; ++y) column[y] = column[rowSources[static_cast<std::size_t>(y)]];
    }

    for (std::int32_t x = 0; x < mapW; ++x) {
        const std::int32_t source = columnSources[static_cast<std::size_t>(x)];
        if (source != x) std::memcpy(field[x], field[source], static_cast<std::size_t>(h) * sizeof(float));
    }
}

}  // namespace pelorn
