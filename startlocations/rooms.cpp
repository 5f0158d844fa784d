#include "startlocations/rooms.h"

#include <algorithm>
#include <cmath>

namespace pelorn {

namespace {

// A tile equally near to two or more nearest starts.
constexpr std::int32_t kTie = -2;

std::size_t tileCount(const Map& map) {
    return static_cast<std::size_t>(mapWidth(map)) * static_cast<std::size_t>(mapHeight(map));
}

}  // namespace

bool isWalkable(TerrainCode code) {
    const TerrainCode land = baseCode(code);
    return land > kVoid && land <= kLastLegendCode && land != kSea && land != kLake;
}

std::int64_t walkableTileCount(const Map& map) {
    std::int64_t count = 0;
    if (!map.mapGrid) return count;
    for (std::int32_t x = 0; x < mapWidth(map); ++x)
        for (std::int32_t y = 0; y < mapHeight(map); ++y) count += isWalkable(map.mapGrid[x][y]) ? 1 : 0;
    return count;
}

std::int32_t automaticSpacing(std::int64_t walkable, std::int32_t players) {
    if (players <= 0 || walkable <= 0) return 0;
    // The largest s with s <= 0.6 sqrt(walkable / players), that is with
    // 100 s^2 players <= 36 walkable: no rounding of a square root involved.
    const auto fits = [&](std::int64_t s) { return 100 * s * s * players <= 36 * walkable; };
    std::int64_t s = static_cast<std::int64_t>(0.6 * std::sqrt(static_cast<double>(walkable) / players));
    while (s > 0 && !fits(s)) --s;
    while (fits(s + 1)) ++s;
    return static_cast<std::int32_t>(s);
}

std::int32_t roomRadiusFor(std::int32_t spacing) { return std::max(3, spacing / 2); }

Landmasses findLandmasses(const Map& map) {
    Landmasses masses;
    if (!map.mapGrid) return masses;
    const HexTorus torus = mapTorus(map);
    const std::int32_t height = torus.height;
    masses.of.assign(tileCount(map), -1);
    std::vector<PackedTile> queue;
    for (std::int32_t x = 0; x < torus.width; ++x) {
        for (std::int32_t y = 0; y < height; ++y) {
            const std::size_t first = static_cast<std::size_t>(x) * height + y;
            if (masses.of[first] != -1 || !isWalkable(map.mapGrid[x][y])) continue;
            const auto mass = static_cast<std::int32_t>(masses.tiles.size());
            masses.of[first] = mass;
            queue.assign(1, packTile(x, y));
            for (std::size_t head = 0; head < queue.size(); ++head) {
                for (const TilePos n : torus.neighbours(unpackTile(queue[head]))) {
                    std::int32_t& of = masses.of[static_cast<std::size_t>(n.x) * height + n.y];
                    if (of != -1 || !isWalkable(map.mapGrid[n.x][n.y])) continue;
                    of = mass;
                    queue.push_back(packTile(n.x, n.y));
                }
            }
            masses.tiles.push_back(static_cast<std::int64_t>(queue.size()));
        }
    }
    return masses;
}

std::vector<std::int32_t> walkingSteps(const Map& map, TilePos from, std::int32_t limit) {
    std::vector<std::int32_t> steps;
    if (!map.mapGrid) return steps;
    const HexTorus torus = mapTorus(map);
    steps.assign(tileCount(map), -1);
    if (from.x < 0 || from.x >= torus.width || from.y < 0 || from.y >= torus.height) return steps;
    if (!isWalkable(map.mapGrid[from.x][from.y]) || limit < 0) return steps;
    const auto at = [&](TilePos p) -> std::int32_t& {
        return steps[static_cast<std::size_t>(p.x) * torus.height + p.y];
    };
    at(from) = 0;
    std::vector<PackedTile> queue{packTile(from.x, from.y)};
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const TilePos p = unpackTile(queue[head]);
        const std::int32_t next = at(p) + 1;
        if (next > limit) continue;
        for (const TilePos n : torus.neighbours(p)) {
            if (at(n) != -1 || !isWalkable(map.mapGrid[n.x][n.y])) continue;
            at(n) = next;
            queue.push_back(packTile(n.x, n.y));
        }
    }
    return steps;
}

RoomMeter::RoomMeter(const Map& map, const LandWeights& weights) : torus_(mapTorus(map)) {
    if (!map.mapGrid) {
        torus_ = {0, 0};
        return;
    }
    weight_.resize(tileCount(map));
    for (std::int32_t x = 0; x < torus_.width; ++x) {
        for (std::int32_t y = 0; y < torus_.height; ++y) {
            const TerrainCode code = map.mapGrid[x][y];
            weight_[index({x, y})] = isWalkable(code) ? weights.weightOf(code) : -1;
        }
    }
    steps_.assign(weight_.size(), -1);
    owner_.assign(weight_.size(), -1);
}

void RoomMeter::measure(const std::vector<TilePos>& starts, std::int32_t radius, std::vector<std::int64_t>& value,
                        std::vector<std::int64_t>& tiles, std::vector<std::int32_t>* owner) {
    value.assign(starts.size(), 0);
    tiles.assign(starts.size(), 0);
    if (owner) owner->assign(weight_.size(), -1);
    queue_.clear();
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const TilePos p = starts[i];
        if (p.x < 0 || p.x >= torus_.width || p.y < 0 || p.y >= torus_.height || weight_[index(p)] < 0) continue;
        const std::size_t t = index(p);
        if (steps_[t] == 0) {
            owner_[t] = kTie;  // two starts on one tile
            continue;
        }
        steps_[t] = 0;
        owner_[t] = static_cast<std::int32_t>(i);
        queue_.push_back(packTile(p.x, p.y));
    }
    // Breadth first from every start at once: a layer is complete before the
    // next is expanded, so a tile reached at the same step from two owners
    // (or from a tied tile) is tied.
    for (std::size_t head = 0; head < queue_.size(); ++head) {
        const TilePos p = unpackTile(queue_[head]);
        const std::size_t t = index(p);
        const std::int32_t next = steps_[t] + 1;
        if (next > radius) continue;
        const std::int32_t mine = owner_[t];
        for (const TilePos n : torus_.neighbours(p)) {
            const std::size_t u = index(n);
            if (weight_[u] < 0) continue;
            if (steps_[u] == -1) {
                steps_[u] = next;
                owner_[u] = mine;
                queue_.push_back(packTile(n.x, n.y));
            } else if (steps_[u] == next && owner_[u] != mine) {
                owner_[u] = kTie;
            }
        }
    }
    for (const PackedTile packed : queue_) {
        const std::size_t t = index(unpackTile(packed));
        const std::int32_t o = owner_[t];
        if (o >= 0) {
            value[static_cast<std::size_t>(o)] += weight_[t];
            ++tiles[static_cast<std::size_t>(o)];
            if (owner) (*owner)[t] = o;
        }
        steps_[t] = -1;
        owner_[t] = -1;
    }
}

std::int64_t RoomMeter::aloneValue(TilePos start, std::int32_t radius) {
    std::vector<std::int64_t> value;
    std::vector<std::int64_t> tiles;
    measure({start}, radius, value, tiles);
    return value[0];
}

Rooms measureRooms(const Map& map, const std::vector<TilePos>& starts, std::int32_t radius,
                   const LandWeights& weights) {
    Rooms rooms;
    RoomMeter meter(map, weights);
    meter.measure(starts, radius, rooms.value, rooms.tiles, &rooms.owner);
    rooms.spread = spreadOf(rooms.value);
    return rooms;
}

std::vector<LandmassFacts> describeLandmasses(const Map& map, const Landmasses& masses,
                                              const std::vector<TilePos>& starts, const LandWeights& weights,
                                              std::size_t limit) {
    std::vector<LandmassFacts> facts(masses.tiles.size());
    if (facts.empty()) return facts;
    const std::int32_t height = mapHeight(map);
    for (std::size_t m = 0; m < facts.size(); ++m) facts[m].tiles = masses.tiles[m];
    for (std::int32_t x = 0; x < mapWidth(map); ++x) {
        for (std::int32_t y = 0; y < height; ++y) {
            const std::int32_t m = masses.of[static_cast<std::size_t>(x) * height + y];
            if (m >= 0) facts[static_cast<std::size_t>(m)].weight += weights.weightOf(map.mapGrid[x][y]);
        }
    }
    for (const TilePos& s : starts) {
        if (s.x < 0 || s.x >= mapWidth(map) || s.y < 0 || s.y >= height) continue;
        const std::int32_t m = masses.of[static_cast<std::size_t>(s.x) * height + s.y];
        if (m >= 0) ++facts[static_cast<std::size_t>(m)].starts;
    }
    std::stable_sort(facts.begin(), facts.end(),
                     [](const LandmassFacts& a, const LandmassFacts& b) { return a.tiles > b.tiles; });
    if (facts.size() > limit) facts.resize(limit);
    return facts;
}

RoomsReport describeRooms(const Map& map, const std::vector<TilePos>& starts, std::int32_t radius,
                          const LandWeights& weights) {
    RoomsReport report;
    report.radius = radius;
    if (!map.mapGrid) return report;
    Rooms rooms = measureRooms(map, starts, radius, weights);
    report.room = std::move(rooms.value);
    report.roomTiles = std::move(rooms.tiles);
    report.spread = rooms.spread;
    const Landmasses masses = findLandmasses(map);
    const std::int32_t height = mapHeight(map);
    for (const TilePos& s : starts) {
        const bool inside = s.x >= 0 && s.x < mapWidth(map) && s.y >= 0 && s.y < height;
        const std::int32_t m = inside ? masses.of[static_cast<std::size_t>(s.x) * height + s.y] : -1;
        report.landmass.push_back(m >= 0 ? masses.tiles[static_cast<std::size_t>(m)] : 0);
    }
    report.landmasses = describeLandmasses(map, masses, starts, weights, kMaxListedLandmasses);
    return report;
}

std::int32_t automaticRoomRadius(const Map& map, std::int32_t starts) {
    return roomRadiusFor(automaticSpacing(walkableTileCount(map), starts));
}

}  // namespace pelorn
