#include "startlocations/players.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#include <numeric>

#include "map/terrain.h"
#include "startlocations/fair_search.h"
#include "startlocations/placement_rules.h"
#include "startlocations/rooms.h"
#include "startlocations/symmetric_starts.h"

namespace pelorn {

namespace {

std::int32_t wrapInto(std::int32_t v, std::int32_t size) {
    v %= size;
    return v < 0 ? v + size : v;
}

// Land values of many tiles at once: per-column running sums of the weights
// turn each column run of a disc into one subtraction (7 instead of 37
// lookups at radius 3).
class LandValueTable {
public:
    LandValueTable(const Map& map, const LandWeights& weights, std::int32_t radius)
        : width_(mapWidth(map)),
          height_(mapHeight(map)),
          evenRuns_(hexDisc(radius, 0)),
          oddRuns_(hexDisc(radius, 1)),
          sums_(static_cast<std::size_t>(width_) * (height_ + 1)) {
        for (std::int32_t x = 0; x < width_; ++x) {
            std::int32_t* column = &sums_[static_cast<std::size_t>(x) * (height_ + 1)];
            column[0] = 0;
            for (std::int32_t y = 0; y < height_; ++y) column[y + 1] = column[y] + weights.weightOf(map.mapGrid[x][y]);
        }
    }

    std::int32_t at(std::int32_t x, std::int32_t y) const {
        std::int32_t sum = 0;
        for (const ColumnRun& run : isRaisedColumn(x) ? evenRuns_ : oddRuns_) {
            const std::int32_t* column = &sums_[static_cast<std::size_t>(wrapInto(x + run.dx, width_)) * (height_ + 1)];
            const std::int32_t first = wrapInto(y + run.firstDy, height_);
            const std::int32_t length = run.lastDy - run.firstDy + 1;
            if (first + length <= height_) {
                sum += column[first + length] - column[first];
            } else {
                sum += column[height_] - column[first] + column[first + length - height_];
            }
        }
        return sum;
    }

private:
    std::int32_t width_;
    std::int32_t height_;
    std::vector<ColumnRun> evenRuns_;
    std::vector<ColumnRun> oddRuns_;
    std::vector<std::int32_t> sums_;
};

struct Candidate {
    std::int32_t value;
    std::uint32_t order;  // in the file's tile order; a map holds at most 10.24 million tiles
    TilePos pos;
};

// Enough tiles to spread the starts well; beyond that the band is thinned.
constexpr std::size_t kMaxSpreadBand = 20000;
// Distance checks the passes after the first may spend in all. Generated maps
// need a few million at most; only hostile weight tables with a value per
// tile come near it, and they get the best found by then.
constexpr std::int64_t kSearchBudget = 40'000'000;

// Chooses up to `players` candidates pairwise at least `spacing` steps apart.
class StartSearch {
public:
    StartSearch(HexTorus torus, std::vector<Candidate> candidates, std::int32_t players, std::int32_t spacing)
        : candidates_(std::move(candidates)), players_(players), spacing_(spacing), torus_(torus) {
        // Best land first; among equals the file's tile order, so the result
        // depends on nothing but the map and the options.
        std::sort(candidates_.begin(), candidates_.end(), [](const Candidate& a, const Candidate& b) {
            return a.value != b.value ? a.value > b.value : a.order < b.order;
        });
    }

    std::vector<TilePos> run() {
        if (candidates_.empty() || players_ <= 0) return {};
        // The first pass, from the best tile down, also shows how many starts
        // the map can hold when it holds fewer than asked for.
        std::vector<std::size_t> picks;
        const bool full = greedyFrom(0, false, picks);
        if (!full) {
            std::vector<std::size_t> packed = fairestPacking();
            if (packed.size() > picks.size()) picks = std::move(packed);
            // Aim the search at the count the map holds.
            players_ = static_cast<std::int32_t>(picks.size());
        }
        record(picks);
        // One pass per distinct value as the strongest start, each stopping as
        // soon as it can no longer beat the best spread so far.
        for (std::size_t start = 1; start < candidates_.size() && best_.difference != 0 && spent_ < kSearchBudget;
             ++start) {
            if (candidates_[start].value == candidates_[start - 1].value) continue;
            std::vector<std::size_t> trial;
            if (greedyFrom(start, true, trial)) record(trial);
        }
        return positions(spreadOut(bestPicks_));
    }

private:
    bool compatible(TilePos p, const std::vector<std::size_t>& picks) const {
        for (std::size_t i : picks) {
            const TilePos q = candidates_[i].pos;
            std::int32_t dx = std::abs(p.x - q.x);
            dx = std::min(dx, torus_.width - dx);
            // A hex step moves at most one column, so the columns alone can settle it.
            if (dx >= spacing_) continue;
            if (torus_.distance(p, q) < spacing_) return false;
        }
        return true;
    }

    // Greedy from candidate `start` downwards in value; with `bounded`, gives
    // up once the weakest value could only match or lose to the best so far.
    bool greedyFrom(std::size_t start, bool bounded, std::vector<std::size_t>& picks) {
        picks.clear();
        const std::int64_t top = candidates_[start].value;
        for (std::size_t i = start; i < candidates_.size(); ++i) {
            const Candidate& c = candidates_[i];
            if (bounded) {
                if ((top - c.value) * best_.maximum >= best_.difference * top) return false;
                spent_ += static_cast<std::int64_t>(picks.size()) + 1;
                if (spent_ >= kSearchBudget) return false;
            }
            if (!compatible(c.pos, picks)) continue;
            picks.push_back(i);
            if (static_cast<std::int32_t>(picks.size()) == players_) return true;
        }
        return false;
    }

    // As many starts as a sweep in the file's tile order fits among the
    // candidates worth `weakest` or more: it packs more tightly than the
    // sweep by value, which matters only on crowded maps. In candidate
    // order, strongest first, as the passes' picks are.
    std::vector<std::size_t> packInFileOrder(const std::vector<std::size_t>& fileOrder, std::int32_t weakest) const {
        std::vector<std::size_t> picks;
        for (std::size_t i : fileOrder) {
            if (candidates_[i].value < weakest || !compatible(candidates_[i].pos, picks)) continue;
            picks.push_back(i);
            if (static_cast<std::int32_t>(picks.size()) == players_) break;
        }
        std::sort(picks.begin(), picks.end());
        return picks;
    }

    // The packing of all candidates, then, by halving over the values, the
    // packing as large whose weakest start is the strongest found: on a
    // crowded map the starts are as many as the map holds and still as even
    // as the packing allows.
    std::vector<std::size_t> fairestPacking() const {
        std::vector<std::size_t> fileOrder(candidates_.size());
        std::iota(fileOrder.begin(), fileOrder.end(), std::size_t{0});
        std::sort(fileOrder.begin(), fileOrder.end(),
                  [this](std::size_t a, std::size_t b) { return candidates_[a].order < candidates_[b].order; });
        std::vector<std::int32_t> values;  // distinct, highest first
        for (const Candidate& c : candidates_)
            if (values.empty() || values.back() != c.value) values.push_back(c.value);
        std::vector<std::size_t> best = packInFileOrder(fileOrder, values.back());
        std::size_t low = 0;
        std::size_t high = values.size() - 1;  // packs best.size()
        while (low < high) {
            const std::size_t middle = low + (high - low) / 2;
            std::vector<std::size_t> trial = packInFileOrder(fileOrder, values[middle]);
            if (trial.size() >= best.size()) {
                best = std::move(trial);
                high = middle;
            } else {
                low = middle + 1;
            }
        }
        return best;
    }

    void record(const std::vector<std::size_t>& picks) {
        if (picks.empty()) return;
        // Picks come in falling value: the first is the strongest, the last the weakest.
        Spread spread;
        spread.maximum = candidates_[picks.front()].value;
        spread.difference = spread.maximum - candidates_[picks.back()].value;
        if (spread.maximum == 0) spread.difference = 0;
        const bool better = bestPicks_.empty() || spread.fairerThan(best_) ||
                            (!best_.fairerThan(spread) && candidates_[picks.back()].value > weakest_);
        if (!better) return;
        best_ = spread;
        weakest_ = candidates_[picks.back()].value;
        bestPicks_ = picks;
    }

    // Every choice among the tiles valued from the weakest to the strongest
    // pick is as fair as the picks, so among them take starts as far from
    // each other as the map allows: each next start is the tile farthest from
    // those chosen (the first in value and file order on a tie). Very wide
    // bands are thinned evenly to keep this bounded. Falls back to the
    // greedy picks should the spacing not hold.
    std::vector<std::size_t> spreadOut(const std::vector<std::size_t>& picks) const {
        if (picks.size() < 2) return picks;
        const std::int32_t strongest = candidates_[picks.front()].value;
        const std::int32_t weakest = candidates_[picks.back()].value;
        std::size_t first = picks.front();
        while (first > 0 && candidates_[first - 1].value == strongest) --first;
        std::size_t last = picks.back();
        while (last + 1 < candidates_.size() && candidates_[last + 1].value == weakest) ++last;
        const std::size_t stride = (last - first) / kMaxSpreadBand + 1;
        std::vector<std::size_t> band;
        for (std::size_t i = first; i <= last; i += stride) band.push_back(i);

        std::vector<std::size_t> chosen{picks.front()};
        std::vector<std::int32_t> nearest(band.size());
        for (std::size_t k = 0; k < band.size(); ++k)
            nearest[k] = torus_.distance(candidates_[band[k]].pos, candidates_[picks.front()].pos);
        while (chosen.size() < picks.size()) {
            std::size_t farthest = 0;
            for (std::size_t k = 1; k < band.size(); ++k)
                if (nearest[k] > nearest[farthest]) farthest = k;
            if (nearest[farthest] < spacing_) return picks;
            const TilePos p = candidates_[band[farthest]].pos;
            chosen.push_back(band[farthest]);
            for (std::size_t k = 0; k < band.size(); ++k)
                nearest[k] = std::min(nearest[k], torus_.distance(candidates_[band[k]].pos, p));
        }
        return chosen;
    }

    std::vector<TilePos> positions(const std::vector<std::size_t>& picks) const {
        std::vector<TilePos> out;
        out.reserve(picks.size());
        for (std::size_t i : picks) out.push_back(candidates_[i].pos);
        return out;
    }

    std::vector<Candidate> candidates_;
    std::int32_t players_;
    std::int32_t spacing_;
    HexTorus torus_;
    Spread best_;
    std::int32_t weakest_ = 0;
    std::vector<std::size_t> bestPicks_;
    std::int64_t spent_ = 0;
};

bool allInsideMap(const Map& map, const std::vector<TilePos>& tiles) {
    return std::all_of(tiles.begin(), tiles.end(), [&map](TilePos p) {
        return p.x >= 0 && p.x < mapWidth(map) && p.y >= 0 && p.y < mapHeight(map);
    });
}

void sortInFileOrder(const Map& map, std::vector<TilePos>& tiles) {
    std::sort(tiles.begin(), tiles.end(),
              [&map](TilePos a, TilePos b) { return tileFileOrder(map, a.x, a.y) < tileFileOrder(map, b.x, b.y); });
}

}  // namespace

namespace {

PlayersOption refusedLandOption(std::int32_t radius, const LandWeights& weights, std::string& error) {
    if (radius < 0 || radius > kMaxLandRadius) {
        error = "the radius must be from 0 to " + std::to_string(kMaxLandRadius);
        return PlayersOption::kRadius;
    }
    for (std::int32_t w : weights.byCode) {
        if (w < 0 || w > kMaxLandWeight) {
            error = "every weight must be from 0 to " + std::to_string(kMaxLandWeight);
            return PlayersOption::kWeights;
        }
    }
    return PlayersOption::kNone;
}

}  // namespace

bool checkLandOptions(std::int32_t radius, const LandWeights& weights, std::string& error) {
    return refusedLandOption(radius, weights, error) == PlayersOption::kNone;
}

PlayersOption refusedPlayersOption(const PlayersOptions& options, std::string& error) {
    if (options.players < 1 || options.players > kMaxPlayers) {
        error = "the number of players must be from 1 to " + std::to_string(kMaxPlayers);
        return PlayersOption::kPlayers;
    }
    const bool automatic = options.minDistance == kAutomaticSpacing;
    if ((options.minDistance < 0 && !automatic) || options.minDistance > kMaxMinDistance) {
        error = "the minimum distance must be from 0 to " + std::to_string(kMaxMinDistance);
        return PlayersOption::kMinDistance;
    }
    const PlayersOption land = refusedLandOption(options.radius, options.weights, error);
    if (land != PlayersOption::kNone) return land;
    if (options.maxSpread < -1 || options.maxSpread > kMaxSpreadPercent) {
        error = "the largest spread must be from 0 to " + std::to_string(kMaxSpreadPercent) + " percent";
        return PlayersOption::kMaxSpread;
    }
    if (options.roomRadius < -1 || options.roomRadius > kMaxMinDistance) {
        error = "the room radius must be from 0 to " + std::to_string(kMaxMinDistance);
        return PlayersOption::kRoomRadius;
    }
    return PlayersOption::kNone;
}

bool checkPlayersOptions(const PlayersOptions& options, std::string& error) {
    return refusedPlayersOption(options, error) == PlayersOption::kNone;
}

std::int32_t Spread::percent() const {
    if (maximum <= 0) return 0;
    return static_cast<std::int32_t>((200 * difference + maximum) / (2 * maximum));
}

std::string Spread::percentText() const {
    const std::int64_t hundredths = maximum > 0 ? (20000 * difference + maximum) / (2 * maximum) : 0;
    const std::string fraction = std::to_string(hundredths % 100);
    return std::to_string(hundredths / 100) + (fraction.size() < 2 ? ".0" : ".") + fraction;
}

bool Spread::fairerThan(const Spread& other) const {
    // difference / maximum < other.difference / other.maximum, with 0 / 0 read as 0.
    const std::int64_t mine = maximum > 0 ? maximum : 1;
    const std::int64_t theirs = other.maximum > 0 ? other.maximum : 1;
    const std::int64_t d = maximum > 0 ? difference : 0;
    const std::int64_t od = other.maximum > 0 ? other.difference : 0;
    return d * theirs < od * mine;
}

Spread spreadOf(const std::vector<std::int64_t>& values) {
    Spread spread;
    if (values.empty()) return spread;
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    if (*high <= 0) return spread;
    spread.maximum = *high;
    spread.difference = *high - *low;
    return spread;
}

std::int32_t landValueAt(const Map& map, std::int32_t x, std::int32_t y, std::int32_t radius,
                         const LandWeights& weights) {
    const std::int32_t width = mapWidth(map);
    const std::int32_t height = mapHeight(map);
    std::int32_t sum = 0;
    for (const ColumnRun& run : hexDisc(radius, x)) {
        const TerrainCode* column = map.mapGrid[wrapInto(x + run.dx, width)];
        for (std::int32_t row = run.firstDy; row <= run.lastDy; ++row)
            sum += weights.weightOf(column[wrapInto(y + row, height)]);
    }
    return sum;
}

std::int64_t tileFileOrder(const Map& map, std::int32_t x, std::int32_t y) {
    const std::int64_t quad = static_cast<std::int64_t>(x / kQuadSize) * map.quadCountY + y / kQuadSize;
    return quad * kQuadSize * kQuadSize + static_cast<std::int64_t>(x % kQuadSize) * kQuadSize + y % kQuadSize;
}

namespace {

// Every tile's nearest start (an index into the starts) and its steps to it.
struct NearestStarts {
    std::vector<std::int32_t> owner;
    std::vector<std::int32_t> distance;
};

NearestStarts nearestStarts(const Map& map, const std::vector<TilePos>& starts) {
    const HexTorus torus = mapTorus(map);
    const std::int32_t height = torus.height;
    const std::size_t tiles = static_cast<std::size_t>(torus.width) * static_cast<std::size_t>(height);
    // A start's rank in the file's tile order decides ties.
    std::vector<std::int32_t> byOrder(starts.size());
    std::iota(byOrder.begin(), byOrder.end(), 0);
    std::stable_sort(byOrder.begin(), byOrder.end(), [&](std::int32_t a, std::int32_t b) {
        return tileFileOrder(map, starts[a].x, starts[a].y) < tileFileOrder(map, starts[b].x, starts[b].y);
    });
    std::vector<std::int32_t> rank(starts.size());
    for (std::size_t i = 0; i < byOrder.size(); ++i) rank[static_cast<std::size_t>(byOrder[i])] = static_cast<std::int32_t>(i);

    // Breadth first from all starts at once. Every tile one step further out
    // takes the first-ranked owner among its neighbours one step nearer, and a
    // layer is complete before the next is expanded, so each tile ends with
    // the first-ranked of its nearest starts.
    NearestStarts nearest{std::vector<std::int32_t>(tiles, -1), std::vector<std::int32_t>(tiles, -1)};
    std::vector<std::int32_t>& owner = nearest.owner;
    std::vector<std::int32_t>& distance = nearest.distance;
    // Positions as column << 16 | row: both stay below 65536 on every map.
    std::vector<std::uint32_t> queue;
    queue.reserve(tiles);
    for (std::int32_t s : byOrder) {
        const TilePos p = starts[static_cast<std::size_t>(s)];
        const std::size_t t = static_cast<std::size_t>(p.x) * height + p.y;
        if (owner[t] != -1) continue;  // the same tile twice: the first keeps it
        owner[t] = s;
        distance[t] = 0;
        queue.push_back(static_cast<std::uint32_t>(p.x) << 16 | static_cast<std::uint32_t>(p.y));
    }
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const std::int32_t x = static_cast<std::int32_t>(queue[head] >> 16);
        const std::int32_t y = static_cast<std::int32_t>(queue[head] & 0xFFFFu);
        const std::size_t t = static_cast<std::size_t>(x) * height + y;
        const std::int32_t next = distance[t] + 1;
        const std::int32_t mine = owner[t];
        for (const TilePos n : torus.neighbours({x, y})) {
            const std::size_t u = static_cast<std::size_t>(n.x) * height + n.y;
            if (distance[u] == -1) {
                distance[u] = next;
                owner[u] = mine;
                queue.push_back(static_cast<std::uint32_t>(n.x) << 16 | static_cast<std::uint32_t>(n.y));
            } else if (distance[u] == next && rank[static_cast<std::size_t>(mine)] < rank[static_cast<std::size_t>(owner[u])]) {
                owner[u] = mine;
            }
        }
    }
    return nearest;
}

// Steps from each start to its nearest other start, -1 for a start alone.
// A shortest way from a start to its nearest rival leaves the start's own
// tiles over some neighbouring pair of tiles (t, u) owned by different
// starts; over every such pair, the steps from t's owner to t, one step, and
// the steps from u to its owner add up to at least the distance between the
// two owners. So the least such sum, taken over all pairs, is the distance
// to the nearest rival, found in one pass over the map rather than by
// comparing every start with every other.
std::vector<std::int32_t> nearestRivals(const Map& map, const std::vector<TilePos>& starts,
                                        const NearestStarts& nearest) {
    const HexTorus torus = mapTorus(map);
    const std::int32_t height = torus.height;
    std::vector<std::int32_t> rival(starts.size(), -1);
    const auto offer = [&rival](std::int32_t start, std::int32_t steps) {
        std::int32_t& r = rival[static_cast<std::size_t>(start)];
        if (r < 0 || steps < r) r = steps;
    };
    // Two starts on one tile are rivals 0 steps apart.
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const std::int32_t keeper = nearest.owner[static_cast<std::size_t>(starts[i].x) * height + starts[i].y];
        if (keeper == static_cast<std::int32_t>(i)) continue;
        offer(static_cast<std::int32_t>(i), 0);
        offer(keeper, 0);
    }
    for (std::int32_t x = 0; x < torus.width; ++x) {
        for (std::int32_t y = 0; y < height; ++y) {
            const std::size_t t = static_cast<std::size_t>(x) * height + y;
            const std::int32_t mine = nearest.owner[t];
            for (const TilePos n : torus.neighbours({x, y})) {
                const std::size_t u = static_cast<std::size_t>(n.x) * height + n.y;
                if (nearest.owner[u] != mine) offer(mine, nearest.distance[t] + 1 + nearest.distance[u]);
            }
        }
    }
    return rival;
}

}  // namespace

std::vector<std::int32_t> territoryOwners(const Map& map, const std::vector<TilePos>& starts) {
    if (!map.mapGrid || starts.empty() || !allInsideMap(map, starts)) return {};
    return nearestStarts(map, starts).owner;
}

std::vector<TilePos> startLocationsOnMap(const Map& map) {
    std::vector<TilePos> found;
    if (!map.mapGrid) return found;
    for (std::int32_t x = 0; x < mapWidth(map); ++x)
        for (std::int32_t y = 0; y < mapHeight(map); ++y)
            if (isStartLocationCode(map.mapGrid[x][y])) found.push_back({x, y});
    sortInFileOrder(map, found);
    return found;
}

StartsReport describeStarts(const Map& map, const std::vector<TilePos>& starts, std::int32_t radius,
                            const LandWeights& weights) {
    StartsReport report;
    if (!map.mapGrid || starts.empty() || !allInsideMap(map, starts) || radius < 0 || radius > kMaxLandRadius)
        return report;
    const std::int32_t width = mapWidth(map);
    const std::int32_t height = mapHeight(map);
    const NearestStarts nearest = nearestStarts(map, starts);
    const std::vector<std::int32_t> rivals = nearestRivals(map, starts, nearest);
    report.starts.resize(starts.size());
    for (std::size_t i = 0; i < starts.size(); ++i) {
        StartFacts& facts = report.starts[i];
        facts.pos = starts[i];
        facts.code = map.mapGrid[starts[i].x][starts[i].y];
        facts.landValue = landValueAt(map, starts[i].x, starts[i].y, radius, weights);
        facts.nearestRival = rivals[i];
    }
    for (std::int32_t x = 0; x < width; ++x) {
        const TerrainCode* column = map.mapGrid[x];
        const std::int32_t* owned = &nearest.owner[static_cast<std::size_t>(x) * height];
        for (std::int32_t y = 0; y < height; ++y) report.starts[static_cast<std::size_t>(owned[y])].territory += weights.weightOf(column[y]);
    }
    std::vector<std::int64_t> values;
    std::vector<std::int64_t> territories;
    for (const StartFacts& facts : report.starts) {
        values.push_back(facts.landValue);
        territories.push_back(facts.territory);
    }
    report.landSpread = spreadOf(values);
    report.territorySpread = spreadOf(territories);
    return report;
}

namespace {

void planInto(const Map& map, const PlayersOptions& options, PlayersPlan& plan) {
    const LandValueTable values(map, options.weights, options.radius);
    std::vector<Candidate> candidates;
    for (std::int32_t x = 0; x < mapWidth(map); ++x) {
        if (!insideQuadMargin(x)) continue;
        const TerrainCode* column = map.mapGrid[x];
        for (std::int32_t y = 0; y < mapHeight(map); ++y) {
            if (!insideQuadMargin(y)) continue;
            // Start locations already there are cleared before marking.
            if (startLocationCode(baseCode(column[y])) == 0) continue;
            if (surroundedByWater(map, x, y)) continue;
            candidates.push_back({values.at(x, y), static_cast<std::uint32_t>(tileFileOrder(map, x, y)), {x, y}});
        }
    }
    plan.legalTiles = static_cast<std::int64_t>(candidates.size());
    for (const Candidate& c : candidates) plan.bestLegalValue = std::max(plan.bestLegalValue, c.value);

    plan.spacing = spacingInForce(map, options);
    plan.roomRadius = options.roomRadius >= 0 ? options.roomRadius : roomRadiusFor(plan.spacing);
    if (symmetricSetsApply(map, options.symmetry, options.players)) {
        PlayersOptions spaced = options;
        spaced.minDistance = plan.spacing;
        spaced.roomRadius = plan.roomRadius;
        plan.starts = planSymmetricStarts(map, spaced);
    } else {
        std::vector<HomeTile> homes;
        homes.reserve(candidates.size());
        for (const Candidate& c : candidates) homes.push_back({c.value, c.order, c.pos});
        // The starts as even in their homes as can be, and as many as the
        // map holds; with rooms weighed too when all of them fit.
        StartSearch search(mapTorus(map), std::move(candidates), options.players, plan.spacing);
        plan.starts = search.run();
        if (static_cast<std::int32_t>(plan.starts.size()) == options.players) {
            std::vector<HomeTile> known;
            for (const TilePos& p : plan.starts) known.push_back({values.at(p.x, p.y), 0, p});
            // A distance given keeps the homes as strong as players mode
            // always made them; the automatic spacing puts the rooms first.
            const bool strongHomes = options.minDistance != kAutomaticSpacing;
            plan.starts = chooseEvenStarts(map, homes, options.players, plan.spacing, plan.roomRadius, options.weights,
                                           known, strongHomes);
        }
    }
    sortInFileOrder(map, plan.starts);
    plan.complete = static_cast<std::int32_t>(plan.starts.size()) == options.players;
    plan.report = describeStarts(map, plan.starts, options.radius, options.weights);
    const Rooms rooms = measureRooms(map, plan.starts, plan.roomRadius, options.weights);
    plan.rooms = rooms.value;
    plan.roomSpread = rooms.spread;
    const auto over = [&](const Spread& spread) {
        const std::int64_t allowed = options.maxSpread;
        return allowed >= 0 && spread.difference * 100 > allowed * spread.maximum;
    };
    plan.uneven = over(plan.report.landSpread) || over(plan.roomSpread);
}

}  // namespace

std::int32_t spacingInForce(const Map& map, const PlayersOptions& options) {
    if (options.minDistance != kAutomaticSpacing) return std::max(options.minDistance, kMinStartSpacing);
    return std::max(automaticSpacing(walkableTileCount(map), options.players), kMinStartSpacing);
}

PlayersPlan planPlayerStarts(const Map& map, const PlayersOptions& options) {
    PlayersPlan plan;
    plan.requested = options.players;
    if (!checkPlayersOptions(options, plan.error)) return plan;
    if (!map.mapGrid) {
        plan.error = "there is no map";
        return plan;
    }
    // The working tables take a few dozen bytes a tile; a map too large for
    // them is refused like a bad option, and the map stays as it was.
    try {
        planInto(map, options, plan);
    } catch (const std::bad_alloc&) {
        plan = PlayersPlan{};
        plan.requested = options.players;
        plan.error = "not enough memory";
    }
    return plan;
}

void markPlayerStarts(Map& map, const std::vector<TilePos>& starts) {
    if (!map.mapGrid) return;
    clearStartLocations(map);
    for (const TilePos& p : starts) {
        if (p.x < 0 || p.x >= mapWidth(map) || p.y < 0 || p.y >= mapHeight(map)) continue;
        const TerrainCode marked = startLocationCode(map.mapGrid[p.x][p.y]);
        if (marked != 0) map.mapGrid[p.x][p.y] = marked;
    }
}

PlayersPlan generatePlayerStartLocations(Map& map, const PlayersOptions& options) {
    PlayersPlan plan = planPlayerStarts(map, options);
    if (plan.error.empty()) markPlayerStarts(map, plan.starts);
    return plan;
}

std::string playersStatusText(const PlayersPlan& plan) {
    if (!plan.error.empty()) return plan.error;
    const std::size_t placed = plan.starts.size();
    std::string text = std::to_string(placed);
    if (!plan.complete) text += " of " + std::to_string(plan.requested);
    text += (placed == 1 && plan.complete) ? " start" : " starts";
    return text + ", home " + std::to_string(plan.report.landSpread.percent()) + "%, room " +
           std::to_string(plan.roomSpread.percent()) + "%";
}

}  // namespace pelorn
