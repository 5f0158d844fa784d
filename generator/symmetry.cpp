#include "generator/symmetry.h"

#include "generator/random_field.h"
#include "map/map_grid.h"

namespace pelorn {

const char* const kSymmetryNames[kSymmetryCount] = {"none", "rotate2", "copies2", "copies4"};

const char* symmetryName(Symmetry symmetry) { return kSymmetryNames[static_cast<int>(symmetry)]; }

std::optional<Symmetry> parseSymmetry(std::string_view name) {
    for (int i = 0; i < kSymmetryCount; ++i)
        if (name == kSymmetryNames[i]) return static_cast<Symmetry>(i);
    return std::nullopt;
}

int symmetryOrder(Symmetry symmetry) {
    switch (symmetry) {
        case Symmetry::kNone: return 1;
        case Symmetry::kRotate2: return 2;
        case Symmetry::kCopies2: return 2;
        case Symmetry::kCopies4: return 4;
    }
    return 1;
}

namespace {

// The number of strips of a copies symmetry, 0 for the others.
int stripCount(Symmetry symmetry) {
    if (symmetry == Symmetry::kCopies2) return 2;
    if (symmetry == Symmetry::kCopies4) return 4;
    return 0;
}

}  // namespace

std::string symmetryRefusal(Symmetry symmetry, std::int32_t quadsX) {
    // A shift keeps the raised columns raised only when it is even: a quad is
    // 100 columns, so W/2 always is, and W/4 is when quadsX is even.
    if (symmetry == Symmetry::kCopies4 && quadsX % 2 != 0)
        return "copies4 needs an even number of quads across (the map is " + std::to_string(quadsX) +
               " quads wide): each of the four strips must be an even number of columns wide";
    return {};
}

GridSymmetry GridSymmetry::forField(Symmetry symmetry, std::int32_t width, std::int32_t height) {
    const int strips = stripCount(symmetry);
    return GridSymmetry(symmetry, width, height, strips ? (width - 1) / strips : 0);
}

GridSymmetry GridSymmetry::forMap(Symmetry symmetry, std::int32_t width, std::int32_t height) {
    const int strips = stripCount(symmetry);
    return GridSymmetry(symmetry, width, height, strips ? width / strips : 0);
}

int GridSymmetry::images(std::int32_t x, std::int32_t y, TilePos out[kMaxImages]) const {
    out[0] = TilePos{x, y};
    switch (kind_) {
        case Symmetry::kNone: return 1;
        case Symmetry::kRotate2: {
            const TilePos turned{width_ - 1 - x, height_ - 1 - y};
            if (turned == out[0]) return 1;
            out[1] = turned;
            return 2;
        }
        case Symmetry::kCopies2:
        case Symmetry::kCopies4: {
            int count = 1;
            for (std::int32_t column = x % period_; column < width_ && count < kMaxImages; column += period_)
                if (column != x) out[count++] = TilePos{column, y};
            return count;
        }
    }
    return 1;
}

TilePos GridSymmetry::representative(std::int32_t x, std::int32_t y) const {
    switch (kind_) {
        case Symmetry::kNone: return {x, y};
        case Symmetry::kRotate2: {
            const TilePos turned{width_ - 1 - x, height_ - 1 - y};
            if (y != turned.y) return y < turned.y ? TilePos{x, y} : turned;
            return x <= turned.x ? TilePos{x, y} : turned;
        }
        case Symmetry::kCopies2:
        case Symmetry::kCopies4: return {x % period_, y};
    }
    return {x, y};
}

std::vector<std::int32_t> stripSources(std::int32_t tiles, std::int32_t cells, int strips) {
    std::vector<std::int32_t> sources(static_cast<std::size_t>(tiles));
    const std::int64_t stripTiles = tiles / strips;
    const std::int64_t stripCells = (cells - 1) / strips;
    for (std::int32_t i = 0; i < tiles; ++i) {
        const std::int64_t strip = i / stripTiles;
        const std::int64_t offset = i % stripTiles;
        // floor(offset x stripCells / stripTiles + 0.5), in whole numbers.
        const std::int64_t scaled = (2 * offset * stripCells + stripTiles) / (2 * stripTiles);
        sources[static_cast<std::size_t>(i)] = static_cast<std::int32_t>(strip * stripCells + scaled);
    }
    return sources;
}

std::vector<std::int32_t> turnedSources(std::int32_t tiles, std::int32_t cells) {
    std::vector<std::int32_t> sources(static_cast<std::size_t>(tiles));
    const std::int64_t lastTile = tiles - 1;
    const std::int64_t lastCell = cells - 1;
    for (std::int32_t i = 0; i < tiles - 1 - i; ++i) {
        // floor(i x lastCell / lastTile + 0.5), in whole numbers; the mirror
        // image of tile i reads the mirror image of its cell.
        const std::int64_t scaled = lastTile > 0 ? (2 * i * lastCell + lastTile) / (2 * lastTile) : 0;
        sources[static_cast<std::size_t>(i)] = static_cast<std::int32_t>(scaled);
        sources[static_cast<std::size_t>(tiles - 1 - i)] = static_cast<std::int32_t>(lastCell - scaled);
    }
    // An odd count has a middle tile of its own: the middle cell.
    if (tiles % 2 == 1) sources[static_cast<std::size_t>(tiles / 2)] = static_cast<std::int32_t>(lastCell / 2);
    return sources;
}

void symmetriseField(FloatField& field, const GridSymmetry& cells) {
    if (cells.none()) return;
    for (std::int32_t x = 0; x < field.width; ++x) {
        for (std::int32_t y = 0; y < field.height; ++y) {
            const TilePos from = cells.representative(x, y);
            field[x][y] = field[from.x][from.y];
        }
    }
}

void resampleSymmetricField(FloatField& field, std::int32_t w, std::int32_t h, std::int32_t mapW, std::int32_t mapH,
                            Symmetry symmetry) {
    if (field.empty() || mapW <= 0 || mapH <= 0 || mapW > w || mapH > h) return;
    switch (symmetry) {
        case Symmetry::kNone: resampleField(field, w, h, mapW, mapH); return;
        case Symmetry::kRotate2:
            resampleFieldFrom(field, w, h, turnedSources(mapH, h), turnedSources(mapW, w));
            return;
        case Symmetry::kCopies2:
        case Symmetry::kCopies4:
            resampleFieldFrom(field, w, h, resampleSources(mapH, h), stripSources(mapW, w, stripCount(symmetry)));
            return;
    }
}

void setTileAndImages(Map& map, const GridSymmetry& tiles, std::int32_t x, std::int32_t y, TerrainCode code) {
    TilePos images[GridSymmetry::kMaxImages];
    const int count = tiles.images(x, y, images);
    for (int i = 0; i < count; ++i) map.mapGrid[images[i].x][images[i].y] = code;
}

}  // namespace pelorn
