#include "startlocations/symmetric_starts.h"

#include <algorithm>
#include <cstdlib>

#include "map/map_grid.h"
#include "map/terrain.h"
#include "startlocations/placement_rules.h"
#include "startlocations/rooms.h"

namespace pelorn {

namespace {

// A tile of the fundamental part whose images may all carry a start.
struct Orbit {
    std::int32_t value;
    std::int64_t order;  // the tile's place in the file's tile order
    TilePos tile;
};

// Groups of equal value this large are thinned evenly: the farthest-first
// choice costs a pass over the group per start.
constexpr std::size_t kMaxBand = 20000;
// Distance checks all the groups may spend before the greedy fallback.
constexpr std::int64_t kSearchBudget = 40'000'000;
// Orbits of the chosen value tried in place of each set when evening out
// the rooms, and the rounds of such exchanges.
constexpr std::size_t kRoomSamples = 600;
constexpr int kRoomRounds = 8;
// Land values tried as the sets' own, from the highest that holds them all down.
constexpr int kRoomLevels = 12;
// Tiles the rooms' walks may visit in all (each measure counted as every
// start's whole disc) before the search keeps the best found: the largest
// maps stop early rather than keep the user waiting.
constexpr std::int64_t kRoomBudget = 400'000'000;

TerrainCode landUnder(TerrainCode code) { return isStartLocationCode(code) ? baseCode(code) : code; }

bool mayCarryStart(const Map& map, std::int32_t x, std::int32_t y) {
    return insideQuadMargin(x) && insideQuadMargin(y) && startLocationCode(landUnder(map.mapGrid[x][y])) != 0 &&
           !surroundedByWater(map, x, y);
}

class SymmetricSearch {
public:
    SymmetricSearch(const Map& map, const PlayersOptions& options, const GridSymmetry& tiles)
        : map_(map),
          tiles_(tiles),
          torus_(mapTorus(map)),
          sets_(options.players / symmetryOrder(tiles.kind())),
          order_(symmetryOrder(tiles.kind())),
          spacing_(std::max(options.minDistance, kMinStartSpacing)),
          roomRadius_(options.roomRadius >= 0 ? options.roomRadius : roomRadiusFor(spacing_)),
          weights_(options.weights) {
        for (std::int32_t x = 0; x < torus_.width; ++x) {
            for (std::int32_t y = 0; y < torus_.height; ++y) {
                if (!tiles_.isRepresentative(x, y)) continue;
                TilePos images[GridSymmetry::kMaxImages];
                const int count = tiles_.images(x, y, images);
                if (!usable(images, count)) continue;
                orbits_.push_back(
                    {landValueAt(map, x, y, options.radius, options.weights), tileFileOrder(map, x, y), {x, y}});
            }
        }
        // Best land first; among equals the file's tile order.
        std::sort(orbits_.begin(), orbits_.end(), [](const Orbit& a, const Orbit& b) {
            return a.value != b.value ? a.value > b.value : a.order < b.order;
        });
    }

    std::vector<TilePos> run() {
        if (sets_ <= 0 || orbits_.empty()) return {};
        // Each value whose sets alone hold every player, from the highest
        // down to nine tenths of it: its sets, then exchanged for the most
        // even rooms; the best of them.
        RoomMeter meter(map_, weights_);
        std::vector<std::size_t> best;
        RoomScore bestScore;
        std::int32_t top = 0;
        int tried = 0;
        for (std::size_t first = 0;
             first < orbits_.size() && spent_ < kSearchBudget && tried < kRoomLevels && roomWork_ < kRoomBudget;) {
            std::size_t last = first;
            while (last < orbits_.size() && orbits_[last].value == orbits_[first].value) ++last;
            if (!best.empty() && static_cast<std::int64_t>(orbits_[first].value) * 10 < std::int64_t{top} * 9) break;
            std::vector<std::size_t> picks = farthestFirst(first, last);
            if (static_cast<std::int32_t>(picks.size()) == sets_) {
                if (best.empty()) top = orbits_[first].value;
                // Sets whose homes are within 5% of this value may stand in.
                const std::int32_t lowest = orbits_[first].value - orbits_[first].value / 20;
                std::size_t end = last;
                while (end < orbits_.size() && orbits_[end].value >= lowest) ++end;
                picks = evenRooms(meter, picks, first, end);
                const RoomScore score = roomScore(meter, picks);
                if (best.empty() || score.fairerThan(bestScore)) {
                    best = picks;
                    bestScore = score;
                }
                ++tried;
                if (bestScore.spread.difference == 0) break;
            }
            first = last;
        }
        return starts(best.empty() ? greedy() : best);
    }

private:
    // Every image may carry a start, and the images stand apart from each other.
    bool usable(const TilePos* images, int count) const {
        for (int i = 0; i < count; ++i) {
            if (!mayCarryStart(map_, images[i].x, images[i].y)) return false;
            for (int j = 0; j < i; ++j)
                if (torus_.distance(images[i], images[j]) < spacing_) return false;
        }
        return true;
    }

    // The steps from an orbit to the starts chosen so far. The chosen starts
    // are whole sets and the symmetry keeps distances, so every image of the
    // orbit stands as far from them as the orbit's own tile.
    std::int32_t stepsToChosen(TilePos tile, const std::vector<TilePos>& chosen, std::int32_t enough) {
        std::int32_t nearest = enough;
        for (const TilePos& p : chosen) {
            ++spent_;
            std::int32_t dx = std::abs(tile.x - p.x);
            dx = std::min(dx, torus_.width - dx);
            if (dx >= nearest) continue;  // a step moves at most one column
            nearest = std::min(nearest, torus_.distance(tile, p));
        }
        return nearest;
    }

    void addImages(TilePos tile, std::vector<TilePos>& chosen) const {
        TilePos images[GridSymmetry::kMaxImages];
        const int count = tiles_.images(tile.x, tile.y, images);
        chosen.insert(chosen.end(), images, images + count);
    }

    // Among orbits first..last (thinned evenly when many), the first, then
    // each time the one farthest from those chosen, while it keeps the spacing.
    std::vector<std::size_t> farthestFirst(std::size_t first, std::size_t last) {
        const std::size_t stride = (last - first) / kMaxBand + 1;
        std::vector<std::size_t> band;
        for (std::size_t i = first; i < last; i += stride) band.push_back(i);
        const std::int32_t far = torus_.width + torus_.height;
        std::vector<std::size_t> picks{band.front()};
        std::vector<TilePos> chosen;
        addImages(orbits_[band.front()].tile, chosen);
        std::vector<std::int32_t> nearest(band.size());
        for (std::size_t k = 0; k < band.size(); ++k) nearest[k] = stepsToChosen(orbits_[band[k]].tile, chosen, far);
        while (static_cast<std::int32_t>(picks.size()) < sets_) {
            std::size_t farthest = 0;
            for (std::size_t k = 1; k < band.size(); ++k)
                if (nearest[k] > nearest[farthest]) farthest = k;
            if (nearest[farthest] < spacing_) break;
            const std::size_t added = chosen.size();
            picks.push_back(band[farthest]);
            addImages(orbits_[band[farthest]].tile, chosen);
            const std::vector<TilePos> fresh(chosen.begin() + static_cast<std::ptrdiff_t>(added), chosen.end());
            for (std::size_t k = 0; k < band.size(); ++k)
                nearest[k] = stepsToChosen(orbits_[band[k]].tile, fresh, nearest[k]);
        }
        return picks;
    }

    // The larger of the home and room spreads, then the weakest room.
    struct RoomScore {
        Spread spread;
        std::int64_t weakest = 0;
        bool fairerThan(const RoomScore& other) const {
            if (spread.fairerThan(other.spread)) return true;
            return !other.spread.fairerThan(spread) && weakest > other.weakest;
        }
    };

    RoomScore roomScore(RoomMeter& meter, const std::vector<std::size_t>& picks) {
        std::vector<std::int64_t> value;
        std::vector<std::int64_t> tiles;
        const std::vector<TilePos> tilesOfSets = starts(picks);
        const std::int64_t r = roomRadius_;
        roomWork_ += static_cast<std::int64_t>(tilesOfSets.size()) * (3 * r * r + 3 * r + 1);
        meter.measure(tilesOfSets, roomRadius_, value, tiles);
        std::vector<std::int64_t> homes;
        for (std::size_t i : picks) homes.push_back(orbits_[i].value);
        const Spread home = spreadOf(homes);
        const Spread room = spreadOf(value);
        return {home.fairerThan(room) ? room : home, *std::min_element(value.begin(), value.end())};
    }

    // Within a set the rooms are equal, the symmetry sees to that; across
    // sets, exchange sets for others of nearly the same land value (orbits
    // first..last) while that makes the larger spread smaller.
    std::vector<std::size_t> evenRooms(RoomMeter& meter, std::vector<std::size_t> picks, std::size_t first,
                                       std::size_t last) {
        if (picks.size() < 2) return picks;
        RoomScore best = roomScore(meter, picks);
        // Fewer orbits tried where rooms are large: a round of exchanges
        // stays within a twentieth of the budget.
        const std::int64_t r = roomRadius_;
        const std::int64_t perMeasure = static_cast<std::int64_t>(picks.size()) * order_ * (3 * r * r + 3 * r + 1);
        const std::int64_t affordable = kRoomBudget / 20 / (perMeasure * static_cast<std::int64_t>(picks.size()));
        const auto samples = static_cast<std::size_t>(std::clamp<std::int64_t>(affordable, 16, kRoomSamples));
        const std::size_t stride = (last - first) / samples + 1;
        for (int round = 0; round < kRoomRounds && best.spread.difference != 0; ++round) {
            bool improved = false;
            for (std::size_t i = 0; i < picks.size(); ++i) {
                for (std::size_t o = first; o < last && roomWork_ < kRoomBudget; o += stride) {
                    if (std::find(picks.begin(), picks.end(), o) != picks.end() || !fitsBeside(o, picks, i)) continue;
                    std::vector<std::size_t> trial = picks;
                    trial[i] = o;
                    const RoomScore score = roomScore(meter, trial);
                    if (!score.fairerThan(best)) continue;
                    best = score;
                    picks = std::move(trial);
                    improved = true;
                }
            }
            if (!improved) break;
        }
        return picks;
    }

    // Orbit `o` keeps the spacing from every set of `picks` but the one at `skip`.
    bool fitsBeside(std::size_t o, const std::vector<std::size_t>& picks, std::size_t skip) {
        std::vector<TilePos> others;
        for (std::size_t k = 0; k < picks.size(); ++k)
            if (k != skip) addImages(orbits_[picks[k]].tile, others);
        return stepsToChosen(orbits_[o].tile, others, spacing_) >= spacing_;
    }

    // From the best land down, every set that keeps the spacing.
    std::vector<std::size_t> greedy() {
        std::vector<std::size_t> picks;
        std::vector<TilePos> chosen;
        for (std::size_t i = 0; i < orbits_.size() && static_cast<std::int32_t>(picks.size()) < sets_; ++i) {
            if (stepsToChosen(orbits_[i].tile, chosen, spacing_) < spacing_) continue;
            picks.push_back(i);
            addImages(orbits_[i].tile, chosen);
        }
        return picks;
    }

    std::vector<TilePos> starts(const std::vector<std::size_t>& picks) const {
        std::vector<TilePos> out;
        for (std::size_t i : picks) addImages(orbits_[i].tile, out);
        return out;
    }

    const Map& map_;
    GridSymmetry tiles_;
    HexTorus torus_;
    std::int32_t sets_;
    std::int32_t order_;  // images per set
    std::int32_t spacing_;
    std::int32_t roomRadius_;
    LandWeights weights_;
    std::vector<Orbit> orbits_;
    std::int64_t spent_ = 0;
    std::int64_t roomWork_ = 0;  // tiles the rooms' walks may have visited
};

}  // namespace

bool symmetricSetsApply(const Map& map, Symmetry symmetry, std::int32_t players) {
    if (symmetry == Symmetry::kNone || !map.mapGrid || players <= 0 || players % symmetryOrder(symmetry) != 0) return false;
    if (!symmetryRefusal(symmetry, map.quadCountX).empty()) return false;
    const MapGrid grid = map.mapGrid;
    const GridSymmetry tiles = GridSymmetry::forMap(symmetry, mapWidth(map), mapHeight(map));
    for (std::int32_t x = 0; x < mapWidth(map); ++x) {
        for (std::int32_t y = 0; y < mapHeight(map); ++y) {
            TilePos images[GridSymmetry::kMaxImages];
            const int count = tiles.images(x, y, images);
            for (int i = 1; i < count; ++i)
                if (landUnder(grid[images[i].x][images[i].y]) != landUnder(grid[x][y])) return false;
        }
    }
    return true;
}

std::vector<TilePos> planSymmetricStarts(const Map& map, const PlayersOptions& options) {
    if (!symmetricSetsApply(map, options.symmetry, options.players)) return {};
    SymmetricSearch search(map, options, GridSymmetry::forMap(options.symmetry, mapWidth(map), mapHeight(map)));
    return search.run();
}

}  // namespace pelorn
