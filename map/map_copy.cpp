#include "map/map_copy.h"

#include <algorithm>
#include <cstring>

#include "map/map_grid.h"

namespace pelorn {

void MapCopy::capture(const Map& map) {
    *this = MapCopy();
    const MapGrid mapGrid = map.mapGrid;
    if (!mapGrid) return;
    quadsX_ = map.quadCountX;
    quadsY_ = map.quadCountY;
    const std::int32_t width = mapWidth(map);
    const std::int32_t height = mapHeight(map);
    const std::size_t tiles = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (captureRuns(mapGrid, width, height)) return;
    bytes_.resize(tiles);
    int fits = 1;
    std::int8_t* out = bytes_.data();
    for (std::int32_t x = 0; x < width; ++x, out += height) {
        const TerrainCode* const column = mapGrid[x];
        for (std::int32_t y = 0; y < height; ++y) {
            const TerrainCode code = column[y];
            out[y] = static_cast<std::int8_t>(code);
            fits &= int(code >= -128) & int(code <= 127);
        }
    }
    if (fits) return;
    std::vector<std::int8_t>().swap(bytes_);
    words_.resize(tiles);
    for (std::int32_t x = 0; x < width; ++x)
        std::memcpy(words_.data() + static_cast<std::size_t>(x) * height, mapGrid[x], sizeof(TerrainCode) * height);
}

bool MapCopy::restore(Map& map) const {
    if (!holdsMap()) return false;
    if (!map.mapGrid || map.quadCountX != quadsX_ || map.quadCountY != quadsY_) {
        freeMapGrid(map);
        map.quadCountX = quadsX_;
        map.quadCountY = quadsY_;
        if (!allocateMapGrid(map)) return false;
    }
    Reader reader(*this);
    for (std::int32_t x = 0; x < mapWidth(map); ++x) reader.column(map.mapGrid[x], mapHeight(map));
    return true;
}

std::size_t MapCopy::bytes() const {
    return runs_.capacity() * sizeof(Run) + bytes_.capacity() + words_.capacity() * sizeof(TerrainCode);
}

void MapCopy::Reader::column(TerrainCode* out, std::int32_t height) {
    if (!copy_.runs_.empty()) {
        std::int32_t y = 0;
        while (y < height) {
            const Run& run = copy_.runs_[run_];
            const std::uint32_t take =
                std::min<std::uint32_t>(run.length - used_, static_cast<std::uint32_t>(height - y));
            std::fill(out + y, out + y + take, run.code);
            y += static_cast<std::int32_t>(take);
            used_ += take;
            if (used_ == run.length) {
                ++run_;
                used_ = 0;
            }
        }
    } else if (!copy_.bytes_.empty()) {
        const std::int8_t* in = copy_.bytes_.data() + offset_;
        for (std::int32_t y = 0; y < height; ++y) out[y] = in[y];
    } else {
        std::memcpy(out, copy_.words_.data() + offset_, sizeof(TerrainCode) * height);
    }
    offset_ += static_cast<std::size_t>(height);
}

// Runs are kept when they take at most half a byte per tile. The attempt is
// given up as soon as the columns read so far hold too many.
bool MapCopy::captureRuns(MapGrid mapGrid, std::int32_t width, std::int32_t height) {
    constexpr std::size_t kTilesPerRun = 2 * sizeof(Run);
    constexpr std::size_t kSlack = 4096;
    Run current{mapGrid[0][0], 0};
    std::size_t read = 0;
    for (std::int32_t x = 0; x < width; ++x) {
        const TerrainCode* const column = mapGrid[x];
        std::int32_t y = 0;
        for (;;) {
            std::int32_t end = y;
            while (end < height && column[end] == current.code) ++end;
            current.length += static_cast<std::uint32_t>(end - y);
            if (end == height) break;
            runs_.push_back(current);
            current = Run{column[end], 0};
            y = end;
        }
        read += static_cast<std::size_t>(height);
        if (runs_.size() > read / kTilesPerRun + kSlack) {
            std::vector<Run>().swap(runs_);
            return false;
        }
    }
    if (runs_.size() > read / kTilesPerRun) {
        std::vector<Run>().swap(runs_);
        return false;
    }
    runs_.push_back(current);
    runs_.shrink_to_fit();
    return true;
}

}  // namespace pelorn
