// pelorn-cli startlocations: start locations placed on an existing map, as the
// editor's "Generate Start Locations" places them.
#include <cstdint>
#include <iostream>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "cli/options.h"
#include "files/map_file.h"
#include "generator/parameters.h"
#include "generator/random.h"
#include "map/map_grid.h"
#include "map/terrain.h"
#include "startlocations/start_locations.h"

namespace pelorn::cli {

namespace {

constexpr const char* kCommand = "startlocations";

std::int64_t countStartLocations() {
    std::int64_t count = 0;
    for (std::int32_t x = 0; x < mapWidth(); ++x)
        for (std::int32_t y = 0; y < mapHeight(); ++y) count += isStartLocationCode(mapGrid[x][y]) ? 1 : 0;
    return count;
}

}  // namespace

void printStartLocationsHelp(std::ostream& out) {
    out << "pelorn-cli startlocations --seed N --map FILE --name NAME [--tries T]\n"
           "  Opens FILE as the editor opens a map, places start locations as the\n"
           "  editor's \"Generate Start Locations\" does (earlier ones are cleared\n"
           "  first), and saves the map as NAME.map in the current folder.\n"
           "  --seed N     state of the random generator, 0 to 4294967295\n"
           "  --map FILE   the map file to start from\n"
           "  --name NAME  map name: the stem of the file written and its name line,\n"
           "               by the rule of \"pelorn-cli generate --help\"\n"
           "  --tries T    tries per quad, a 32-bit whole number (default 1000);\n"
           "               0 or less only clears the start locations\n";
}

int runStartLocations(const Arguments& args) {
    std::optional<std::uint32_t> seed;
    std::optional<std::string> mapPath;
    std::optional<std::string> name;
    std::optional<std::int32_t> tries;
    const Stop stop = readOptions(kCommand, args, {}, {"--seed", "--map", "--name", "--tries"}, Operands::kNone,
                                  [&](const std::string& option, const std::string& value) -> Stop {
                                      if (option == "--seed") return readSeed(kCommand, value, seed);
                                      if (option == "--map") return readInputPath(kCommand, option, value, mapPath);
                                      if (option == "--name") return readMapName(kCommand, option, value, name);
                                      return readWholeNumber(kCommand, option, value, tries);
                                  });
    if (stop) return *stop;
    if (const Stop missing = requireOption(kCommand, "--seed", seed.has_value())) return *missing;
    if (const Stop missing = requireOption(kCommand, "--map", mapPath.has_value())) return *missing;
    if (const Stop missing = requireOption(kCommand, "--name", name.has_value())) return *missing;

    resetMapState();
    // A map that was not read in full is not placed on: saving it would write
    // an emptied or cut map, over the input itself when the names agree.
    MapReadFailure failure = MapReadFailure::kNone;
    if (!loadMapFile(*mapPath, &failure)) return reportCannotRead(kCommand, *mapPath);
    if (failure != MapReadFailure::kNone) {
        freeMapGrid();
        return reportCannotRead(kCommand, *mapPath, mapReadFailureText(failure));
    }
    generatorParameters = GeneratorParameters{};
    generatorParameters.genStartLocTries = tries.value_or(1000);
    seedRandom(*seed);
    generateStartLocations();
    currentMapName = *name;

    std::cout << "placed " << countStartLocations() << " start locations\n";
    const int status = reportWrite(kCommand, currentMapName + ".map", saveMapFile());
    freeMapGrid();
    return status;
}

}  // namespace pelorn::cli
