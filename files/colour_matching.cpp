#include "files/colour_matching.h"

#include <algorithm>
#include <climits>

#include "files/bitmap_file.h"

namespace pelorn {

namespace {

int distance(Rgb a, Rgb b) {
    const int r = a.red - b.red;
    const int g = a.green - b.green;
    const int bl = a.blue - b.blue;
    return r * r + g * g + bl * bl;
}

}  // namespace

TerrainCode NearestTerrain::find(Rgb colour, bool ring, Quality& quality) {
    const std::uint32_t key = (std::uint32_t{ring} << 24) | (std::uint32_t{colour.red} << 16) |
                              (std::uint32_t{colour.green} << 8) | colour.blue;
    if (key != lastKey_) {
        auto found = known_.find(key);
        if (found == known_.end()) {
            // A photograph may have millions of colours: memory stays bounded.
            if (known_.size() >= kMaxKnown) known_.clear();
            found = known_.emplace(key, search(colour, ring)).first;
        }
        lastKey_ = key;
        last_ = found->second;
    }
    quality = last_.quality;
    return last_.code;
}

NearestTerrain::Match NearestTerrain::search(Rgb colour, bool ring) {
    Match best{kVoid, {}};
    int bestDistance = INT_MAX;
    int atBest = 0;  // terrains at that distance
    for (TerrainCode code = 0; code <= kLastLegendCode; ++code) {
        int d = distance(colour, terrainColour(code));
        if (ring) d = std::min(d, distance(colour, ringColour(terrainColour(code))));
        if (d < bestDistance) {
            bestDistance = d;
            best.code = code;
            atBest = 0;
        }
        atBest += d == bestDistance;
    }
    best.quality.exact = bestDistance == 0;
    best.quality.shared = bestDistance == 0 && atBest > 1;
    best.quality.far = bestDistance > kFarDistance * kFarDistance;
    return best;
}

}  // namespace pelorn
