// A foreign image read by colour: the legend terrain nearest to each pixel's
// colour.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>

#include "map/terrain.h"

namespace pelorn {

// The legend terrain (0..kLastLegendCode) nearest to a colour, the lowest
// code on a tie; on a quad's ring the ring colours of the bitmap count too.
// Remembered per colour: maps have few.
class NearestTerrain {
public:
    // `exact` tells whether the colour is one of the candidates.
    TerrainCode find(Rgb colour, bool ring, bool& exact);

private:
    struct Match {
        TerrainCode code;
        bool exact;
    };
    static Match search(Rgb colour, bool ring);

    static constexpr std::size_t kMaxKnown = std::size_t{1} << 16;
    std::unordered_map<std::uint32_t, Match> known_;
    std::uint32_t lastKey_ = 0xFFFFFFFFu;
    Match last_{kVoid, false};
};

}  // namespace pelorn
