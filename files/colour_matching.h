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
    // How the colour matched: one of the candidates exactly; the colour of
    // several terrains (an exact match read as the lowest of them); farther
    // than kFarDistance from every candidate.
    struct Quality {
        bool exact = false;
        bool shared = false;
        bool far = false;
    };
    static constexpr int kFarDistance = 64;  // in red, green, blue space
    TerrainCode find(Rgb colour, bool ring, Quality& quality);
    TerrainCode find(Rgb colour, bool ring, bool& exact) {
        Quality quality;
        const TerrainCode code = find(colour, ring, quality);
        exact = quality.exact;
        return code;
    }

private:
    struct Match {
        TerrainCode code;
        Quality quality;
    };
    static Match search(Rgb colour, bool ring);

    static constexpr std::size_t kMaxKnown = std::size_t{1} << 16;
    std::unordered_map<std::uint32_t, Match> known_;
    std::uint32_t lastKey_ = 0xFFFFFFFFu;
    Match last_{kVoid, {}};
};

}  // namespace pelorn
