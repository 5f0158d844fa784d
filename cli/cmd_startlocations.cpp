// pelorn-cli startlocations: start locations placed on an existing map, as the
// editor's "Generate Start Locations" places them.
#include <cstdint>
#include <iostream>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "cli/options.h"
#include "cli/players_options.h"
#include "files/map_file.h"
#include "generator/parameters.h"
#include "generator/random.h"
#include "map/map_grid.h"
#include "map/terrain.h"
#include "startlocations/players.h"
#include "startlocations/start_locations.h"

namespace pelorn::cli {

namespace {

constexpr const char* kCommand = "startlocations";

std::int64_t countStartLocations(const Map& map) {
    std::int64_t count = 0;
    for (std::int32_t x = 0; x < mapWidth(map); ++x)
        for (std::int32_t y = 0; y < mapHeight(map); ++y) count += isStartLocationCode(map.mapGrid[x][y]) ? 1 : 0;
    return count;
}

}  // namespace

void printStartLocationsHelp(std::ostream& out) {
    out << "pelorn-cli startlocations --seed N --map FILE --name NAME [--tries T]\n"
           "pelorn-cli startlocations --map FILE --name NAME --players N\n"
           "                          [--min-distance D] [--radius R] [--weights FILE]\n"
           "                          [--max-spread P] [--room R]\n"
           "  Opens FILE as the editor opens a map, places start locations as the\n"
           "  editor's \"Generate Start Locations\" does (earlier ones are cleared\n"
           "  first), and saves the map as NAME.map in the current folder.\n"
           "  --seed N     state of the random generator, 0 to 4294967295; players\n"
           "               mode draws no random numbers and needs no seed\n"
           "  --map FILE   the map file to start from\n"
           "  --name NAME  map name: the stem of the file written and its name line,\n"
           "               by the rule of \"pelorn-cli generate --help\"\n"
           "  --tries T    tries per quad, a 32-bit whole number (default 1000);\n"
           "               0 or less only clears the start locations\n"
           "  Players mode: exactly N start locations whose land near them (home)\n"
           "  and whose room (the land each reaches on foot before any other) are as\n"
           "  even as the map allows, instead of the random tries.\n"
           "  --players N        the number of start locations, 1 to 1000\n"
           "  --min-distance D   steps any two of them keep apart at least (0: only\n"
           "                     the placement rules' three steps); without it, the\n"
           "                     automatic spacing floor(0.6 x sqrt(walkable tiles / N))\n"
           "  --radius R         the land value of a start sums the weights of the\n"
           "                     tiles within R steps, 0 to 20 (default 3)\n"
           "  --weights FILE     the weights from FILE, one \"CODE WEIGHT\" pair a line\n"
           "                     (see the README); otherwise the built-in table\n"
           "  --max-spread P     a whole percent: exit status 3 when the home or the\n"
           "                     room spread is above it (the placement stays as found)\n"
           "  --room R           rooms within R walking steps, 0 to 100000; by default\n"
           "                     max(3, spacing / 2), spacing the distance in force\n"
           "  Exit status 3: NAME.map was written, but the map holds fewer start\n"
           "  locations than --players asked for under the rules, or a spread is\n"
           "  above --max-spread.\n";
}

int runStartLocations(const Arguments& args) {
    std::optional<std::uint32_t> seed;
    std::optional<std::string> mapPath;
    std::optional<std::string> name;
    std::optional<std::int32_t> tries;
    PlayersOptionWords playersWords;
    OptionNames valued{"--seed", "--map", "--name", "--tries"};
    valued.insert(valued.end(), playersOptionNames().begin(), playersOptionNames().end());
    const Stop stop = readOptions(kCommand, args, {}, valued, Operands::kNone,
                                  [&](const std::string& option, const std::string& value) -> Stop {
                                      if (option == "--seed") return readSeed(kCommand, value, seed);
                                      if (option == "--map") return readInputPath(kCommand, option, value, mapPath);
                                      if (option == "--name") return readMapName(kCommand, option, value, name);
                                      if (option == "--tries") return readWholeNumber(kCommand, option, value, tries);
                                      return takePlayersOption(kCommand, option, value, playersWords);
                                  });
    if (stop) return *stop;
    const bool playersMode = playersWords.players.has_value();
    if (playersMode && tries) return usageError(kCommand, "--tries belongs to the random tries; leave it out with --players");
    if (const Stop missing = requireOption(kCommand, "--seed", seed.has_value() || playersMode)) return *missing;
    if (const Stop missing = requireOption(kCommand, "--map", mapPath.has_value())) return *missing;
    if (const Stop missing = requireOption(kCommand, "--name", name.has_value())) return *missing;
    if (const Stop stray = refuseWithoutPlayers(kCommand, playersWords)) return *stray;
    PlayersOptions players;
    if (playersMode) {
        if (const Stop refused = playersOptionsFrom(kCommand, playersWords, players)) return *refused;
    }

    // A map that was not read in full is not placed on: saving it would write
    // an emptied or cut map, over the input itself when the names agree.
    Map map;
    MapReadFailure failure = MapReadFailure::kNone;
    if (!loadMapFile(map, *mapPath, &failure)) return reportCannotRead(kCommand, *mapPath);
    if (failure != MapReadFailure::kNone) return reportCannotRead(kCommand, *mapPath, mapReadFailureText(failure));
    PlayersPlan plan;
    if (playersMode) {
        plan = generatePlayerStartLocations(map, players);
        if (!plan.error.empty()) {
            std::cerr << "pelorn-cli " << kCommand << ": " << plan.error << "\n";
            return kExitFile;
        }
        reportPlayersPlan(kCommand, plan, players);
    } else {
        GeneratorParameters parameters;
        parameters.genStartLocTries = tries.value_or(1000);
        Random random(*seed);
        generateStartLocations(map, parameters, random);
        std::cout << "placed " << countStartLocations(map) << " start locations\n";
    }
    map.currentMapName = *name;
    const int written = reportWrite(kCommand, map.currentMapName + ".map", saveMapFile(map));
    return playersMode ? statusAfterPlacing(plan, written) : written;
}

}  // namespace pelorn::cli
