// A copy of the whole map in memory that takes little room: as runs of one
// code when the map has long stretches of one terrain, else one byte per
// tile when every code fits in one, else four. The undo history keeps these
// for edits that rewrite the whole map.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "map/map_grid.h"
#include "map/terrain.h"

namespace pelorn {

class MapCopy {
public:
    bool holdsMap() const { return quadsX_ > 0; }
    std::int32_t quadsX() const { return quadsX_; }
    std::int32_t quadsY() const { return quadsY_; }

    // Copies the map; without a grid the copy holds no map.
    void capture(const Map& map);

    // Puts the copied tiles in place of the map's, reallocating the grid when
    // the size differs. False when the copy holds no map or no grid could be
    // had.
    bool restore(Map& map) const;

    // The memory the copy takes.
    std::size_t bytes() const;

    // Reads the copy back one column after another, tiles in column order.
    class Reader {
    public:
        explicit Reader(const MapCopy& copy) : copy_(copy) {}
        void column(TerrainCode* out, std::int32_t height);

    private:
        const MapCopy& copy_;
        std::size_t run_ = 0;
        std::uint32_t used_ = 0;
        std::size_t offset_ = 0;
    };

private:
    struct Run {
        TerrainCode code;
        std::uint32_t length;
    };

    bool captureRuns(MapGrid mapGrid, std::int32_t width, std::int32_t height);

    std::int32_t quadsX_ = 0;
    std::int32_t quadsY_ = 0;
    std::vector<Run> runs_;
    std::vector<std::int8_t> bytes_;
    std::vector<TerrainCode> words_;
};

}  // namespace pelorn
