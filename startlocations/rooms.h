// What a player walks on: walkable land, landmasses, walking steps, and the
// room of each start (the land it reaches before any rival does). Players
// mode weighs rooms besides the land near each start, and `info` reports them.
#pragma once

#include <cstdint>
#include <vector>

#include "map/hex_geometry.h"
#include "map/map_grid.h"
#include "map/terrain.h"
#include "startlocations/land_weights.h"
#include "startlocations/players.h"

namespace pelorn {

// Every legend code but Void, Sea and Lake; a start location walks as its
// land. Codes outside the legend are not walkable.
bool isWalkable(TerrainCode code);
std::int64_t walkableTileCount(const Map& map);

// floor(0.6 x sqrt(walkable / players)) steps, worked out in whole numbers;
// 0 for no players.
std::int32_t automaticSpacing(std::int64_t walkable, std::int32_t players);
// max(3, spacing / 2), rounded down.
std::int32_t roomRadiusFor(std::int32_t spacing);

// Walkable tiles joined by hex steps, wrapping both ways as the bucket fill.
struct Landmasses {
    std::vector<std::int32_t> of;     // per tile (index x * H + y): its landmass, -1 when not walkable
    std::vector<std::int64_t> tiles;  // per landmass: its tiles, numbered as their first tiles come column by column
};
Landmasses findLandmasses(const Map& map);

// Walking steps from `from` to every tile (index x * H + y) within
// `limit` steps; -1 for tiles not reached. From a tile that is not walkable,
// nothing is reached, itself included.
std::vector<std::int32_t> walkingSteps(const Map& map, TilePos from, std::int32_t limit);

// Each start's room within `radius` walking steps: the walkable tiles nearer
// to it than to any other start; a tile equally near to two or more nearest
// starts belongs to none. `owner` per tile (x * H + y): the start's index, -1
// for none.
struct Rooms {
    std::vector<std::int64_t> value;  // per start: the summed weights of its room
    std::vector<std::int64_t> tiles;  // per start: its room's tile count
    std::vector<std::int32_t> owner;
    Spread spread;                    // of the values
};
Rooms measureRooms(const Map& map, const std::vector<TilePos>& starts, std::int32_t radius,
                   const LandWeights& weights);

// The same, many times over one map: the working tables are made once, and
// each measure touches only the tiles it reaches.
class RoomMeter {
public:
    RoomMeter(const Map& map, const LandWeights& weights);
    // Values and tile counts of the rooms; `owner` too when not null.
    void measure(const std::vector<TilePos>& starts, std::int32_t radius, std::vector<std::int64_t>& value,
                 std::vector<std::int64_t>& tiles, std::vector<std::int32_t>* owner = nullptr);
    // The room value of a start standing alone.
    std::int64_t aloneValue(TilePos start, std::int32_t radius);

private:
    std::size_t index(TilePos p) const { return static_cast<std::size_t>(p.x) * torus_.height + p.y; }
    HexTorus torus_;
    std::vector<std::int32_t> weight_;  // per tile; -1 when not walkable
    std::vector<std::int32_t> steps_;   // -1 where no walk has reached
    std::vector<std::int32_t> owner_;
    std::vector<PackedTile> queue_;
};

// A landmass as `info` lists it.
struct LandmassFacts {
    std::int64_t tiles = 0;
    std::int64_t weight = 0;   // the summed weights of its tiles
    std::int32_t starts = 0;   // starts standing on it
};
// The landmasses, largest first (equal ones in the order of their numbers), at most `limit`.
std::vector<LandmassFacts> describeLandmasses(const Map& map, const Landmasses& masses,
                                              const std::vector<TilePos>& starts, const LandWeights& weights,
                                              std::size_t limit);

// The rooms and landmasses of a set of starts, as `info` reports them.
constexpr std::size_t kMaxListedLandmasses = 32;
struct RoomsReport {
    std::int32_t radius = 0;
    std::vector<std::int64_t> room;       // per start: its room value
    std::vector<std::int64_t> roomTiles;  // per start: its room's tiles
    std::vector<std::int64_t> landmass;   // per start: the tiles of its landmass
    Spread spread;                        // of the room values
    std::vector<LandmassFacts> landmasses;  // largest first, at most kMaxListedLandmasses
};
RoomsReport describeRooms(const Map& map, const std::vector<TilePos>& starts, std::int32_t radius,
                          const LandWeights& weights);
// The room radius for this many starts on the map at the automatic spacing.
std::int32_t automaticRoomRadius(const Map& map, std::int32_t starts);

}  // namespace pelorn
