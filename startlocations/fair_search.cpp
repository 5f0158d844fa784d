#include "startlocations/fair_search.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <functional>

#include "startlocations/players.h"
#include "startlocations/rooms.h"

namespace pelorn {

namespace {

// Tiles whose rooms are measured alone, and the targets tried: enough to
// reach an even choice on every map size, few enough to stay quick.
constexpr std::size_t kMaxSamples = 20000;
constexpr std::size_t kLevels = 16;
constexpr std::size_t kTargets = 16;
constexpr std::size_t kMaxMoves = 32;
constexpr std::size_t kMaxBand = 20000;
// Tiles the walks for rooms may visit, counted as whole discs, before the
// search settles for the best found: a 10 x 10 quad map needs half of it,
// the largest maps stop early rather than keep the user waiting.
constexpr std::int64_t kRoomBudget = 400'000'000;

struct Sample {
    std::int32_t home;
    std::int64_t room;  // the room of a start standing alone
    std::uint32_t order;
    TilePos pos;
};

struct Choice {
    std::size_t count = 0;
    std::vector<TilePos> starts;  // only for the choices measured in full
    Spread home;
    Spread room;
    std::int64_t weakestHome = 0;
    std::int64_t weakestRoom = 0;
};

// A home spread the rooms may never push the homes beyond, unless the
// homes cannot be more even than that anyway; with strong homes asked for,
// nor may the weakest home fall below nine tenths of the best legal tile's,
// unless the homes chosen for their land alone fall as low.
constexpr Spread kHomeSpreadAllowed{5, 100};

Spread larger(const Spread& a, const Spread& b) { return a.fairerThan(b) ? b : a; }

// More starts; then homes within the allowed spread; then the smaller of
// the larger spreads; then the stronger weakest home, then the stronger
// weakest room.
bool better(const Choice& a, const Choice& b, const Spread& homeAllowed, std::int64_t homeFloor) {
    if (a.count != b.count) return a.count > b.count;
    const bool aHome = !homeAllowed.fairerThan(a.home) && a.weakestHome >= homeFloor;
    const bool bHome = !homeAllowed.fairerThan(b.home) && b.weakestHome >= homeFloor;
    if (aHome != bHome) return aHome;
    const Spread wa = larger(a.home, a.room);
    const Spread wb = larger(b.home, b.room);
    if (wa.fairerThan(wb)) return true;
    if (wb.fairerThan(wa)) return false;
    if (a.weakestHome != b.weakestHome) return a.weakestHome > b.weakestHome;
    return a.weakestRoom > b.weakestRoom;
}

class EvenSearch {
public:
    EvenSearch(const Map& map, const std::vector<HomeTile>& tiles, std::int32_t players, std::int32_t spacing,
               std::int32_t roomRadius, const LandWeights& weights, bool strongHomes)
        : strongHomes_(strongHomes),
          tiles_(tiles),
          players_(static_cast<std::size_t>(players)),
          spacing_(spacing),
          radius_(roomRadius),
          torus_(mapTorus(map)),
          meter_(map, weights) {}

    std::vector<TilePos> run(const std::vector<HomeTile>& known) {
        if (tiles_.empty() || players_ == 0) return {};
        samples_.clear();
        for (const HomeTile& t : known) samples_.push_back({t.home, 0, t.order, t.pos});
        std::vector<std::size_t> all(samples_.size());
        for (std::size_t i = 0; i < all.size(); ++i) all[i] = i;
        consider(all);
        homeAllowed_ = larger(kHomeSpreadAllowed, best_.home);
        std::int64_t bestHome = 0;
        for (const HomeTile& t : tiles_) bestHome = std::max<std::int64_t>(bestHome, t.home);
        if (strongHomes_) homeFloor_ = std::min(best_.weakestHome, (bestHome * 9 + 9) / 10);
        // Cells of about a third of the room radius; finer where the
        // coarse ones miss land too small for them.
        std::int32_t stride = std::max(1, radius_ / 3);
        while (tiles_.size() / (static_cast<std::size_t>(stride) * stride) > kMaxSamples) ++stride;
        for (;; stride /= 2) {
            makeCells(stride);
            for (const std::int32_t level : homeLevels()) {
                if (spent_ > kRoomBudget && best_.count == players_) break;
                sampleLevel(level);
                levelBest_.clear();
                searchTargets();
                improve(levelBest_);
                consider(levelBest_);
            }
            if (best_.starts.size() == players_ || stride == 1) break;
        }
        return best_.starts;
    }

private:
    // The legal tiles of one stride x stride square, best home first. Homes
    // change from tile to tile, rooms only over many steps: a cell offers one
    // tile at a time, the one whose home suits the level tried.
    struct Cell {
        std::vector<std::size_t> tiles;
    };

    void makeCells(std::int32_t stride) {
        const std::int32_t cellsDown = (torus_.height + stride - 1) / stride;
        const auto cellsAcross = static_cast<std::size_t>((torus_.width + stride - 1) / stride);
        cells_.assign(cellsAcross * static_cast<std::size_t>(cellsDown), Cell{});
        for (std::size_t i = 0; i < tiles_.size(); ++i) {
            const TilePos p = tiles_[i].pos;
            cells_[static_cast<std::size_t>(p.x / stride) * cellsDown + p.y / stride].tiles.push_back(i);
        }
        cells_.erase(std::remove_if(cells_.begin(), cells_.end(), [](const Cell& c) { return c.tiles.empty(); }),
                     cells_.end());
        for (Cell& cell : cells_) {
            std::sort(cell.tiles.begin(), cell.tiles.end(), [this](std::size_t a, std::size_t b) {
                const HomeTile& ta = tiles_[a];
                const HomeTile& tb = tiles_[b];
                return ta.home != tb.home ? ta.home > tb.home : ta.order < tb.order;
            });
        }
    }

    // The homes the starts are aimed at: from the best that enough cells
    // reach, evenly over the lower ones.
    std::vector<std::int32_t> homeLevels() const {
        std::vector<std::int32_t> best;
        for (const Cell& cell : cells_) best.push_back(tiles_[cell.tiles.front()].home);
        std::sort(best.begin(), best.end(), std::greater<>());
        best.erase(std::unique(best.begin(), best.end()), best.end());
        std::vector<std::int32_t> levels;
        if (best.empty()) return levels;
        std::size_t first = 0;
        while (first + 1 < best.size() && cellsReaching(best[first]) < players_) ++first;
        const std::size_t stride = std::max<std::size_t>(1, (best.size() - first + kLevels - 1) / kLevels);
        for (std::size_t i = first; i < best.size(); i += stride) levels.push_back(best[i]);
        return levels;
    }

    std::size_t cellsReaching(std::int32_t home) const {
        return static_cast<std::size_t>(std::count_if(cells_.begin(), cells_.end(), [&](const Cell& c) {
            return tiles_[c.tiles.front()].home >= home;
        }));
    }

    // The room of tile i standing alone, measured once.
    std::int64_t aloneRoom(std::size_t i) {
        if (aloneRooms_.empty()) aloneRooms_.assign(tiles_.size(), -1);
        if (aloneRooms_[i] < 0) {
            aloneRooms_[i] = meter_.aloneValue(tiles_[i].pos, radius_);
            spent_ += 3 * static_cast<std::int64_t>(radius_) * (radius_ + 1) + 1;
        }
        return aloneRooms_[i];
    }

    // Each cell offers its tile of the lowest home at or above `level`.
    void sampleLevel(std::int32_t level) {
        samples_.clear();
        for (const Cell& cell : cells_) {
            std::size_t k = cell.tiles.size();
            while (k > 0 && tiles_[cell.tiles[k - 1]].home < level) --k;
            if (k == 0) continue;
            const std::size_t i = cell.tiles[k - 1];
            const HomeTile& t = tiles_[i];
            samples_.push_back({t.home, aloneRoom(i), t.order, t.pos});
        }
    }

    // Each target is a sample's pair of values: the others are taken by how
    // far either value lies from it, nearest first, as the spacing allows;
    // then the same band of tiles once more, each next start the tile
    // farthest from those chosen. The targets are the samples of the most
    // room.
    void searchTargets() {
        if (samples_.size() < players_) return;
        std::vector<std::size_t> byRoom(samples_.size());
        for (std::size_t i = 0; i < byRoom.size(); ++i) byRoom[i] = i;
        std::sort(byRoom.begin(), byRoom.end(), [&](std::size_t a, std::size_t b) {
            const Sample& sa = samples_[a];
            const Sample& sb = samples_[b];
            return sa.room != sb.room ? sa.room > sb.room : sa.order < sb.order;
        });
        const std::size_t pool = std::min(samples_.size(), std::max<std::size_t>(32, 4 * players_));
        const std::size_t targets = std::min(pool, kTargets);
        for (std::size_t k = 0; k < targets; ++k) tryTarget(samples_[byRoom[k * pool / targets]]);
    }

    void tryTarget(const Sample& target) {
        const double home = std::max(1, target.home);
        const double room = static_cast<double>(std::max<std::int64_t>(1, target.room));
        std::vector<double> key(samples_.size());
        std::vector<std::size_t> order(samples_.size());
        for (std::size_t i = 0; i < samples_.size(); ++i) {
            key[i] = std::max(std::abs(samples_[i].home - target.home) / home,
                              std::abs(static_cast<double>(samples_[i].room - target.room)) / room);
            order[i] = i;
        }
        std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            if (key[a] != key[b]) return key[a] < key[b];
            return samples_[a].order < samples_[b].order;
        });
        std::vector<std::size_t> picks;
        std::size_t last = 0;
        for (; last < order.size() && picks.size() < players_; ++last) {
            if (fitsAmong(samples_[order[last]].pos, picks)) picks.push_back(order[last]);
        }
        keepIfBetter(picks);
        if (picks.size() < 2) return;
        // Every sample as near to the target as the last pick is as good by
        // the values alone: spread out among them, which gives the rooms room.
        while (last < order.size() && key[order[last]] == key[order[last - 1]]) ++last;
        const std::size_t stride = last / kMaxBand + 1;
        std::vector<std::size_t> band;
        for (std::size_t i = 0; i < last; i += stride) band.push_back(order[i]);
        keepIfBetter(farthestFirst(band));
    }

    // How even the picks are by the samples' values: their rooms as if each
    // stood alone, which they do as long as no rival walks into them.
    // With `into`, the pick at `place` replaced by sample `into`.
    Choice estimate(const std::vector<std::size_t>& picks, std::size_t place = 0,
                    std::size_t into = static_cast<std::size_t>(-1)) const {
        Choice choice;
        choice.count = picks.size();
        if (picks.empty()) return choice;
        std::int64_t homes[2] = {INT64_MAX, INT64_MIN};
        std::int64_t rooms[2] = {INT64_MAX, INT64_MIN};
        for (std::size_t k = 0; k < picks.size(); ++k) {
            const Sample& s = samples_[k == place && into != static_cast<std::size_t>(-1) ? into : picks[k]];
            homes[0] = std::min<std::int64_t>(homes[0], s.home);
            homes[1] = std::max<std::int64_t>(homes[1], s.home);
            rooms[0] = std::min(rooms[0], s.room);
            rooms[1] = std::max(rooms[1], s.room);
        }
        choice.home = spreadOf({homes[0], homes[1]});
        choice.room = spreadOf({rooms[0], rooms[1]});
        choice.weakestHome = homes[0];
        choice.weakestRoom = rooms[0];
        return choice;
    }

    void keepIfBetter(const std::vector<std::size_t>& picks) {
        if (levelBest_.empty() || better(estimate(picks), estimate(levelBest_), homeAllowed_, homeFloor_))
            levelBest_ = picks;
    }

    // Moves one start at a time to whichever sample makes the picks most
    // even, while a move helps.
    void improve(std::vector<std::size_t>& picks) const {
        if (picks.size() < 2) return;
        std::vector<bool> taken(samples_.size(), false);
        for (std::size_t i : picks) taken[i] = true;
        Choice now = estimate(picks);
        for (std::size_t round = 0; round < kMaxMoves; ++round) {
            std::size_t moveFrom = picks.size();
            std::size_t moveTo = 0;
            for (std::size_t k = 0; k < picks.size(); ++k) {
                std::vector<std::size_t> others = picks;
                others.erase(others.begin() + static_cast<std::ptrdiff_t>(k));
                for (std::size_t s = 0; s < samples_.size(); ++s) {
                    if (taken[s] || !fitsAmong(samples_[s].pos, others)) continue;
                    const Choice c = estimate(picks, k, s);
                    if (!better(c, now, homeAllowed_, homeFloor_)) continue;
                    now = c;
                    moveFrom = k;
                    moveTo = s;
                }
            }
            if (moveFrom == picks.size()) return;
            taken[picks[moveFrom]] = false;
            taken[moveTo] = true;
            picks[moveFrom] = moveTo;
        }
    }

    bool fitsAmong(TilePos p, const std::vector<std::size_t>& picks) const {
        for (std::size_t i : picks) {
            const TilePos q = samples_[i].pos;
            std::int32_t dx = std::abs(p.x - q.x);
            dx = std::min(dx, torus_.width - dx);
            if (dx >= spacing_) continue;  // a step moves at most one column
            if (torus_.distance(p, q) < spacing_) return false;
        }
        return true;
    }

    std::vector<std::size_t> farthestFirst(const std::vector<std::size_t>& band) const {
        std::vector<std::size_t> picks{band.front()};
        std::vector<std::int32_t> nearest(band.size());
        for (std::size_t k = 0; k < band.size(); ++k)
            nearest[k] = torus_.distance(samples_[band[k]].pos, samples_[band.front()].pos);
        while (picks.size() < players_) {
            std::size_t farthest = 0;
            for (std::size_t k = 1; k < band.size(); ++k)
                if (nearest[k] > nearest[farthest]) farthest = k;
            if (nearest[farthest] < spacing_) break;
            const TilePos p = samples_[band[farthest]].pos;
            picks.push_back(band[farthest]);
            for (std::size_t k = 0; k < band.size(); ++k)
                nearest[k] = std::min(nearest[k], torus_.distance(samples_[band[k]].pos, p));
        }
        return picks;
    }

    // Measures the picks' true rooms (rivals share the land between them)
    // and keeps them when they beat the best so far.
    void consider(const std::vector<std::size_t>& picks) {
        if (picks.empty() || picks.size() < best_.starts.size()) return;
        Choice choice;
        choice.count = picks.size();
        std::vector<std::int64_t> homes;
        for (std::size_t i : picks) {
            choice.starts.push_back(samples_[i].pos);
            homes.push_back(samples_[i].home);
        }
        std::vector<std::int64_t> rooms;
        std::vector<std::int64_t> tiles;
        meter_.measure(choice.starts, radius_, rooms, tiles);
        choice.home = spreadOf(homes);
        choice.room = spreadOf(rooms);
        choice.weakestHome = *std::min_element(homes.begin(), homes.end());
        choice.weakestRoom = *std::min_element(rooms.begin(), rooms.end());
        if (best_.count == 0 || better(choice, best_, homeAllowed_, homeFloor_)) best_ = std::move(choice);
    }

    bool strongHomes_;
    const std::vector<HomeTile>& tiles_;
    std::size_t players_;
    std::int32_t spacing_;
    std::int32_t radius_;
    HexTorus torus_;
    RoomMeter meter_;
    std::vector<Cell> cells_;
    std::vector<std::size_t> levelBest_;
    std::vector<std::int64_t> aloneRooms_;  // per tile, -1 until measured
    std::int64_t spent_ = 0;                // disc tiles the alone rooms cost
    std::vector<Sample> samples_;
    Choice best_;
    Spread homeAllowed_ = kHomeSpreadAllowed;
    std::int64_t homeFloor_ = 0;
};

}  // namespace

std::vector<TilePos> chooseEvenStarts(const Map& map, const std::vector<HomeTile>& tiles, std::int32_t players,
                                      std::int32_t spacing, std::int32_t roomRadius, const LandWeights& weights,
                                      const std::vector<HomeTile>& known, bool strongHomes) {
    EvenSearch search(map, tiles, players, spacing, roomRadius, weights, strongHomes);
    return search.run(known);
}

}  // namespace pelorn
