// Walkable land, landmasses, walking steps and rooms against a plain
// breadth-first walk over hexNeighbours on random small maps.
#include "startlocations/rooms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <tuple>

#include "start_test_maps.h"

namespace pelorn {
namespace {

bool walkable(TerrainCode c) { return (c >= 1 && c <= 38 && c != 21 && c != 22) || (c >= 50 && c <= 60); }

// Steps over walkable tiles from `from` to every tile, -1 where none lead.
std::vector<int> walk(const Map& map, TilePos from) {
    const int w = mapWidth(map), h = mapHeight(map);
    std::vector<int> steps(static_cast<std::size_t>(w) * h, -1);
    if (!walkable(map.mapGrid[from.x][from.y])) return steps;
    steps[static_cast<std::size_t>(from.x) * h + from.y] = 0;
    std::deque<TilePos> queue{from};
    for (; !queue.empty(); queue.pop_front()) {
        for (TilePos n : hexNeighbours(queue.front().x, queue.front().y)) {
            n = {(n.x + w) % w, (n.y + h) % h};
            int& s = steps[static_cast<std::size_t>(n.x) * h + n.y];
            if (s >= 0 || !walkable(map.mapGrid[n.x][n.y])) continue;
            s = steps[static_cast<std::size_t>(queue.front().x) * h + queue.front().y] + 1;
            queue.push_back(n);
        }
    }
    return steps;
}

TEST(Rooms, MatchAPlainWalkOnRandomMaps) {
    Map map;
    Random random(2026);
    const TerrainCode codes[] = {0, 21, 22, 21, 1, 2, 5, 9, 19, 29, 33, 38, 45, 52, -3};
    for (int round = 0; round < 6; ++round) {
        ASSERT_TRUE(test::fillMap(map, 1 + round % 2, 1, kSea));
        // Blobs of one code over the sea, so that landmasses come in many sizes.
        for (int blob = 0; blob < 400; ++blob) {
            const TerrainCode c = codes[random.next() % 15];
            const int x0 = random.next() % mapWidth(map), y0 = random.next() % 100, size = 1 + random.next() % 6;
            for (int k = 0; k < size * size; ++k)
                map.mapGrid[(x0 + k % size) % mapWidth(map)][(y0 + k / size) % 100] = c;
        }
        std::vector<TilePos> starts;
        while (starts.size() < 9) {
            const TilePos p{random.next() % mapWidth(map), random.next() % 100};
            if (walkable(map.mapGrid[p.x][p.y])) starts.push_back(p);
        }
        starts.push_back(starts[3]);  // two starts on one tile own nothing there
        const int radius = 3 + round * 3;
        std::vector<std::vector<int>> steps;
        for (const TilePos& s : starts) steps.push_back(walk(map, s));
        EXPECT_EQ(walkingSteps(map, starts[0], radius), [&] {
            std::vector<int> near = steps[0];
            for (int& s : near) s = s > radius ? -1 : s;
            return near;
        }());
        const Rooms rooms = measureRooms(map, starts, radius, defaultLandWeights());
        const Landmasses masses = findLandmasses(map);
        std::map<std::int32_t, std::vector<int>> reachOfMass;  // a walk from the landmass's first tile
        std::vector<std::int64_t> value(starts.size()), tiles(starts.size()), massTiles(masses.tiles.size());
        std::int64_t walkableTiles = 0;
        for (std::size_t t = 0; t < rooms.owner.size(); ++t) {
            const TerrainCode c = map.mapGrid[t / 100][t % 100];
            walkableTiles += walkable(c);
            int nearest = -1, least = -1, count = 0;
            for (std::size_t s = 0; s < starts.size(); ++s) {
                if (steps[s][t] < 0 || (least >= 0 && steps[s][t] > least)) continue;
                count = steps[s][t] == least ? count + 1 : 1;
                nearest = static_cast<int>(s);
                least = steps[s][t];
            }
            const bool owned = count == 1 && least <= radius;
            ASSERT_EQ(rooms.owner[t], owned ? nearest : -1) << "tile " << t;
            if (owned) {
                value[static_cast<std::size_t>(nearest)] += defaultLandWeights().weightOf(c);
                ++tiles[static_cast<std::size_t>(nearest)];
            }
            ASSERT_EQ(masses.of[t] >= 0, walkable(c));
            if (masses.of[t] < 0) continue;
            // Every tile of a landmass is reached from its first, and as many as it counts.
            const TilePos p{static_cast<int>(t / 100), static_cast<int>(t % 100)};
            if (!reachOfMass.count(masses.of[t])) reachOfMass[masses.of[t]] = walk(map, p);
            ASSERT_GE(reachOfMass[masses.of[t]][t], 0);
            ++massTiles[static_cast<std::size_t>(masses.of[t])];
        }
        EXPECT_EQ(rooms.value, value);
        EXPECT_EQ(rooms.tiles, tiles);
        EXPECT_EQ(walkableTileCount(map), walkableTiles);
        EXPECT_EQ(masses.tiles, massTiles);
        for (const auto& [mass, reach] : reachOfMass) {
            const auto reached = std::count_if(reach.begin(), reach.end(), [](int s) { return s >= 0; });
            EXPECT_EQ(masses.tiles[static_cast<std::size_t>(mass)], reached);
        }
    }
    for (const auto& [w, n, s] : {std::tuple{2500, 1, 30}, {2499, 1, 29}, {120000, 8, 73}, {0, 8, 0}, {5, 0, 0}})
        EXPECT_EQ(automaticSpacing(w, n), s) << w << "/" << n;
    EXPECT_EQ(roomRadiusFor(7), 3);
    EXPECT_EQ(roomRadiusFor(65), 32);
}

}  // namespace
}  // namespace pelorn
