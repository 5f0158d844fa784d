// Players mode: exactly N start locations, pairwise at least D steps apart,
// whose land values are as even as the map allows. The classic random tries
// (start_locations.h) stay the default; this is the opt-in second way.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "generator/symmetry.h"
#include "map/map_grid.h"
#include "startlocations/land_weights.h"

namespace pelorn {

constexpr std::int32_t kMaxPlayers = 1000;
constexpr std::int32_t kDefaultLandRadius = 3;
// Discs up to this radius (1261 tiles) never overlap themselves on the
// smallest map of 100 x 100 tiles.
constexpr std::int32_t kMaxLandRadius = 20;
// The placement rules keep any two start locations three steps apart or more.
constexpr std::int32_t kMinStartSpacing = 3;
// Far beyond any map's widest distance; only keeps arithmetic bounded.
constexpr std::int32_t kMaxMinDistance = 100000;
// The minimum distance that asks for the automatic spacing (the dialog's
// field left empty, no --min-distance).
constexpr std::int32_t kAutomaticSpacing = -1;
// The most a --max-spread may allow, in whole percent.
constexpr std::int32_t kMaxSpreadPercent = 100;

struct PlayersOptions {
    std::int32_t players = 0;      // N, 1 to kMaxPlayers
    // D in steps; below kMinStartSpacing the rules' spacing applies;
    // kAutomaticSpacing for floor(0.6 x sqrt(walkable tiles / N)).
    std::int32_t minDistance = kAutomaticSpacing;
    std::int32_t radius = kDefaultLandRadius;
    LandWeights weights = defaultLandWeights();
    // The symmetry the world was made with. On a map that has it, a number of
    // players that is a multiple of its order get starts in symmetric sets
    // (startlocations/symmetric_starts.h); otherwise it changes nothing.
    Symmetry symmetry = Symmetry::kNone;
    // The largest home or room spread, in whole percent, a placement may have
    // without being called uneven; -1 for no limit. It checks, it does not
    // change the search.
    std::int32_t maxSpread = -1;
    // The rooms' radius in walking steps, 0 to kMaxMinDistance; -1 for
    // max(3, spacing / 2) of the minimum distance in force.
    std::int32_t roomRadius = -1;
};

// The first option out of range, checked in this order.
enum class PlayersOption { kNone, kPlayers, kMinDistance, kRadius, kWeights, kMaxSpread, kRoomRadius };
PlayersOption refusedPlayersOption(const PlayersOptions& options, std::string& error);
// False, with the reason, when an option is out of range.
bool checkPlayersOptions(const PlayersOptions& options, std::string& error);
// The part that measures land: the radius and every weight.
bool checkLandOptions(std::int32_t radius, const LandWeights& weights, std::string& error);

// (max - min) / max of a set of values, kept as the exact fraction; 0 for an
// empty set, one value, or a maximum of 0.
struct Spread {
    std::int64_t difference = 0;
    std::int64_t maximum = 0;
    double fraction() const { return maximum > 0 ? static_cast<double>(difference) / maximum : 0.0; }
    // Whole percent, rounded half up, as the status line shows it.
    std::int32_t percent() const;
    // Percent with two decimals, rounded half up, as in "2.78" or "100.00";
    // worked out in whole numbers so that every build prints the same.
    std::string percentText() const;
    // Strictly less uneven than `other`.
    bool fairerThan(const Spread& other) const;
};
Spread spreadOf(const std::vector<std::int64_t>& values);

// The sum of the weights of the tiles within `radius` steps of (x, y), itself
// included, on the map, wrapping both ways. Needs a grid, a tile
// inside it and a radius from 0 to kMaxLandRadius.
std::int32_t landValueAt(const Map& map, std::int32_t x, std::int32_t y, std::int32_t radius,
                         const LandWeights& weights);

// The position of a tile in the map file's tile order: quads column by
// column, each quad's tiles column by column, each column top to bottom.
std::int64_t tileFileOrder(const Map& map, std::int32_t x, std::int32_t y);

// For every tile (index x * H + y) the index into `starts` of the start it is
// nearest to in wrapped steps; a tie goes to the start that comes first in
// the file's tile order. Empty when there are no starts or no grid.
std::vector<std::int32_t> territoryOwners(const Map& map, const std::vector<TilePos>& starts);

// Every start location on the map, in the file's tile order.
std::vector<TilePos> startLocationsOnMap(const Map& map);

struct StartFacts {
    TilePos pos{0, 0};
    TerrainCode code = 0;         // the tile's code now
    std::int32_t landValue = 0;
    std::int32_t nearestRival = -1;  // steps to the nearest other start; -1 when alone
    std::int64_t territory = 0;   // summed weights of the tiles nearer to it than to any other start
};

struct StartsReport {
    std::vector<StartFacts> starts;  // in the order given
    Spread landSpread;
    Spread territorySpread;
};

// Land values, nearest rivals and territories of `starts` on the map.
StartsReport describeStarts(const Map& map, const std::vector<TilePos>& starts, std::int32_t radius,
                            const LandWeights& weights);

struct PlayersPlan {
    bool complete = false;        // all requested starts placed
    bool uneven = false;          // a spread above the options' maxSpread
    std::int32_t requested = 0;
    std::vector<TilePos> starts;  // in the file's tile order
    StartsReport report;          // its landSpread is the home spread
    std::int32_t spacing = 0;     // the minimum distance in force
    std::int32_t roomRadius = 0;  // the options' room radius, or max(3, spacing / 2)
    std::vector<std::int64_t> rooms;  // per start: its room value (startlocations/rooms.h)
    Spread roomSpread;
    std::int64_t legalTiles = 0;      // tiles the placement rules allow on an empty map
    std::int32_t bestLegalValue = 0;  // the highest land value among them
    std::string error;            // set when the options were refused
};

// The minimum distance in force for the options on the map: the options'
// distance, at least kMinStartSpacing; for kAutomaticSpacing the automatic
// spacing of the map's walkable tiles, at least kMinStartSpacing.
std::int32_t spacingInForce(const Map& map, const PlayersOptions& options);

// Chooses the starts for the map without changing it: start
// locations already on it count as their land tiles. Deterministic: the
// same map and options give the same plan, without drawing random numbers.
PlayersPlan planPlayerStarts(const Map& map, const PlayersOptions& options);

// The one way players mode writes the map: every start location is turned
// back into its land tile, then each of `starts` gets its land code's
// start-location code.
void markPlayerStarts(Map& map, const std::vector<TilePos>& starts);

// Plans, then marks unless the options were refused. As with the classic
// generator, the caller repaints.
PlayersPlan generatePlayerStartLocations(Map& map, const PlayersOptions& options);

// What the status line says after a run: "8 starts, home 1%, room 4%", or
// "5 of 8 starts, home 2%, room 3%" when the map holds fewer than asked
// for; the reason when the options were refused.
std::string playersStatusText(const PlayersPlan& plan);

}  // namespace pelorn
