// pelorn-cli info: what a map file holds.
#include <cstdint>
#include <iomanip>
#include <iostream>
#include <map>
#include <new>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/options.h"
#include "cli/players_options.h"
#include "files/map_file.h"
#include "map/map_grid.h"
#include "map/terrain.h"
#include "startlocations/players.h"
#include "startlocations/rooms.h"
#include "text/json_text.h"

namespace pelorn::cli {

namespace {

constexpr const char* kCommand = "info";

struct InfoOptions {
    std::string path;
    bool starts = false;
    bool json = false;
    PlayersOptionWords words;  // --radius and --weights only
    PlayersOptions land;
    std::optional<std::int32_t> room;  // --room: the room radius instead of the automatic one
};

// Far beyond any map's widest walk; only keeps the option bounded.
constexpr std::int32_t kMaxRoomRadius = 100000;

// The words are options and one file, in any order.
Stop readInfoOptions(const Arguments& args, InfoOptions& options) {
    std::vector<std::string> files;
    OptionNames valued = landOptionNames();
    valued.push_back("--room");
    const Stop stop = readOptions(kCommand, args, {"--starts", "--json"}, valued, Operands::kFiles,
                                  [&](const std::string& option, const std::string& value) -> Stop {
                                      if (option.empty()) files.push_back(value);
                                      if (option == "--starts") options.starts = true;
                                      if (option == "--json") options.json = true;
                                      if (option == "--room") return readWholeNumber(kCommand, option, value, options.room);
                                      if (option == "--radius" || option == "--weights")
                                          return takePlayersOption(kCommand, option, value, options.words);
                                      return std::nullopt;
                                  });
    if (stop) return stop;
    if (files.empty()) return usageError(kCommand, "a map file is required");
    if (files.size() > 1) return usageError(kCommand, "one map file only");
    if (options.room && (*options.room < 0 || *options.room > kMaxRoomRadius))
        return usageError(kCommand, "the room radius must be from 0 to " + std::to_string(kMaxRoomRadius));
    options.path = files[0];
    if (const auto refused = refuseDevicePath(kCommand, "the map file", options.path)) return refused;
    return landOptionsFrom(kCommand, options.words.land, options.land);
}

struct MapFacts {
    std::map<TerrainCode, std::int64_t> counts;
    std::int64_t startLocations = 0;
    MapReadFailure failure = MapReadFailure::kNone;
    bool startsKnown = false;  // false when the map was too large to work them out
    StartsReport starts;
    RoomsReport rooms;
};

MapFacts factsOfMap(const Map& map, const InfoOptions& options, bool withStarts) {
    MapFacts facts;
    const std::int32_t width = mapWidth(map);
    const std::int32_t height = mapHeight(map);
    for (std::int32_t x = 0; x < width; ++x)
        for (std::int32_t y = 0; y < height; ++y) ++facts.counts[map.mapGrid[x][y]];
    for (const auto& [code, count] : facts.counts)
        if (isStartLocationCode(code)) facts.startLocations += count;
    if (!withStarts) return facts;
    try {
        const std::vector<TilePos> starts = startLocationsOnMap(map);
        facts.starts = describeStarts(map, starts, options.land.radius, options.land.weights);
        const std::int32_t room =
            options.room ? *options.room : automaticRoomRadius(map, static_cast<std::int32_t>(starts.size()));
        facts.rooms = describeRooms(map, starts, room, options.land.weights);
        facts.startsKnown = true;
    } catch (const std::bad_alloc&) {
    }
    return facts;
}

std::string spreadRange(const Spread& spread) {
    return std::to_string(spread.maximum - spread.difference) + " to " + std::to_string(spread.maximum);
}

void printStartsText(const InfoOptions& options, const MapFacts& facts) {
    const StartsReport& report = facts.starts;
    std::cout << "starts: " << report.starts.size() << " (land value within " << options.land.radius << " steps"
              << (options.words.land.weightsPath ? ", weights of " + *options.words.land.weightsPath : std::string())
              << ")\n";
    if (report.starts.empty()) return;
    const RoomsReport& rooms = facts.rooms;
    std::cout << "       x      y  code   land  rival  territory    room  room_tiles  landmass\n";
    // Each column after the first keeps a blank before it, however wide its value.
    const auto column = [](int width) { return std::setw(width - 1); };
    for (std::size_t i = 0; i < report.starts.size(); ++i) {
        const StartFacts& s = report.starts[i];
        std::cout << std::setw(8) << s.pos.x << ' ' << column(7) << s.pos.y << ' ' << column(6) << s.code << ' '
                  << column(7) << s.landValue << ' ' << column(7)
                  << (s.nearestRival < 0 ? std::string("-") : std::to_string(s.nearestRival)) << ' ' << column(11)
                  << s.territory << ' ' << column(8) << rooms.room[i] << ' ' << column(12) << rooms.roomTiles[i] << ' '
                  << column(10) << rooms.landmass[i] << "\n";
    }
    std::cout << "land value spread: " << report.landSpread.percentText() << "% (" << spreadRange(report.landSpread) << ")\n"
              << "territory spread: " << report.territorySpread.percentText() << "% ("
              << spreadRange(report.territorySpread) << ")\n"
              << "room spread: " << rooms.spread.percentText() << "% (" << spreadRange(rooms.spread)
              << ", rooms within " << rooms.radius << " walking steps)\n"
              << "landmasses (largest first): tiles weight starts\n";
    for (const LandmassFacts& m : rooms.landmasses)
        std::cout << std::setw(8) << m.tiles << ' ' << column(7) << m.weight << ' ' << column(7) << m.starts << "\n";
}

void printText(const Map& map, const InfoOptions& options, const MapFacts& facts) {
    std::cout << "name: " << map.currentMapName << "\n"
              << "size: " << map.quadCountX << "x" << map.quadCountY << " quads (" << mapWidth(map) << "x" << mapHeight(map)
              << " tiles)\n"
              << "terrain:\n";
    for (const auto& [code, count] : facts.counts) {
        if (isStartLocationCode(code)) continue;
        std::cout << "  " << code << " ";
        if (code >= 0 && code <= kLastLegendCode) std::cout << terrainName(code);
        else std::cout << "(no terrain)";
        std::cout << ": " << count << "\n";
    }
    std::cout << "start locations: " << facts.startLocations << "\n";
    for (const auto& [code, count] : facts.counts) {
        if (isStartLocationCode(code))
            std::cout << "  " << code << " on " << terrainName(baseCode(code)) << ": " << count << "\n";
    }
    if (options.starts) printStartsText(options, facts);
    // As "damage" in --json: the file did not hold a whole map; the lines above are what was read of it.
    if (facts.failure != MapReadFailure::kNone)
        std::cout << "damaged: " << mapReadFailureText(facts.failure)
                  << "; the name, size and tiles above are what could be read\n";
}

std::string jsonSpread(const Spread& spread) {
    return "{\"percent\": " + spread.percentText() + ", \"lowest\": " + std::to_string(spread.maximum - spread.difference) +
           ", \"highest\": " + std::to_string(spread.maximum) + "}";
}

void printJson(const Map& map, const InfoOptions& options, const MapFacts& facts) {
    std::ostringstream out;
    out << "{\n  \"file\": " << jsonString(options.path) << ",\n  \"name\": " << jsonString(map.currentMapName)
        << ",\n  \"read_in_full\": " << (facts.failure == MapReadFailure::kNone ? "true" : "false")
        << ",\n  \"damage\": "
        << (facts.failure == MapReadFailure::kNone ? std::string("null") : jsonString(mapReadFailureText(facts.failure)))
        << ",\n  \"quads\": {\"x\": " << map.quadCountX << ", \"y\": " << map.quadCountY << "}"
        << ",\n  \"tiles\": {\"width\": " << mapWidth(map) << ", \"height\": " << mapHeight(map) << "}"
        << ",\n  \"terrain\": [";
    const char* separator = "\n";
    for (const auto& [code, count] : facts.counts) {
        if (isStartLocationCode(code)) continue;
        out << separator << "    {\"code\": " << code << ", \"name\": "
            << (code >= 0 && code <= kLastLegendCode ? jsonString(terrainName(code)) : std::string("null"))
            << ", \"count\": " << count << "}";
        separator = ",\n";
    }
    out << "\n  ],\n  \"start_locations\": {\"count\": " << facts.startLocations << ", \"by_code\": [";
    separator = "\n";
    for (const auto& [code, count] : facts.counts) {
        if (!isStartLocationCode(code)) continue;
        out << separator << "    {\"code\": " << code << ", \"land_code\": " << baseCode(code)
            << ", \"land\": " << jsonString(terrainName(baseCode(code))) << ", \"count\": " << count << "}";
        separator = ",\n";
    }
    out << "\n  ]}";
    const StartsReport& report = facts.starts;
    out << ",\n  \"starts\": {\"radius\": " << options.land.radius << ", \"weights\": "
        << (options.words.land.weightsPath ? jsonString(*options.words.land.weightsPath) : std::string("null"))
        << ", \"list\": [";
    separator = "\n";
    const RoomsReport& rooms = facts.rooms;
    for (std::size_t i = 0; i < report.starts.size(); ++i) {
        const StartFacts& s = report.starts[i];
        out << separator << "    {\"x\": " << s.pos.x << ", \"y\": " << s.pos.y << ", \"code\": " << s.code
            << ", \"land_value\": " << s.landValue << ", \"nearest_rival\": "
            << (s.nearestRival < 0 ? std::string("null") : std::to_string(s.nearestRival))
            << ", \"territory\": " << s.territory << ", \"room\": " << rooms.room[i]
            << ", \"room_tiles\": " << rooms.roomTiles[i] << ", \"landmass\": " << rooms.landmass[i] << "}";
        separator = ",\n";
    }
    out << "\n  ],\n  \"land_spread\": " << jsonSpread(report.landSpread)
        << ",\n  \"territory_spread\": " << jsonSpread(report.territorySpread)
        << ",\n  \"room_spread\": " << jsonSpread(rooms.spread) << ",\n  \"room_radius\": " << rooms.radius
        << ",\n  \"landmasses\": [";
    separator = "\n";
    for (const LandmassFacts& m : rooms.landmasses) {
        out << separator << "    {\"tiles\": " << m.tiles << ", \"weight\": " << m.weight << ", \"starts\": " << m.starts
            << "}";
        separator = ",\n";
    }
    out << "\n  ]}\n}\n";
    std::cout << out.str();
}

}  // namespace

void printInfoHelp(std::ostream& out) {
    out << "pelorn-cli info FILE.map [--starts] [--json] [--radius R] [--weights FILE] [--room R]\n"
           "  Reads a map file as the editor opens it and prints the map's name, its\n"
           "  size, the number of tiles of each terrain (code and legend name) and\n"
           "  the number of start locations; a damaged file ends with a line\n"
           "  \"damaged: ...\" telling what went wrong first. A file name that is a device name (AUX,\n"
           "  AUX.map, ...) is refused; so is a file that is no plain file or is larger\n"
           "  than the largest map the editor holds.\n"
           "  --starts         also list every start location in the file's tile\n"
           "                   order: x, y, code, land value, steps to the nearest\n"
           "                   other start (rival), territory (the summed weights of\n"
           "                   the tiles nearer to it than to any other start), and\n"
           "                   the spreads of land value and territory, (max - min) / max;\n"
           "                   then each start's room (the summed weights of the walkable\n"
           "                   tiles it reaches on foot, within the room radius, before any\n"
           "                   other start), the room's tiles and the walkable tiles of its\n"
           "                   landmass, the room spread, and the landmasses, largest first\n"
           "  --json           everything above, the starts included, as one JSON object\n"
           "  --radius R       land value within R steps, 0 to 20 (default 3)\n"
           "  --weights FILE   weights of the terrains from FILE (see startlocations)\n"
           "  --room R         rooms within R walking steps, 0 to 100000; by default\n"
           "                   max(3, spacing / 2) for the automatic spacing of the\n"
           "                   number of starts on the map\n";
}

int runInfo(const Arguments& args) {
    InfoOptions options;
    if (const Stop stop = readInfoOptions(args, options)) return *stop;

    Map map;
    MapReadFailure failure = MapReadFailure::kNone;
    if (!loadMapFile(map, options.path, &failure) || !map.mapGrid) return reportCannotRead(kCommand, options.path);
    MapFacts facts = factsOfMap(map, options, options.starts || options.json);
    facts.failure = failure;
    if ((options.starts || options.json) && !facts.startsKnown) {
        std::cerr << "pelorn-cli info: not enough memory to work out the starts of '" << options.path << "'\n";
        return kExitFile;
    }
    if (options.json) printJson(map, options, facts);
    else printText(map, options, facts);
    return kExitOk;
}

}  // namespace pelorn::cli
