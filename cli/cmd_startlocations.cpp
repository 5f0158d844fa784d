// pelorn-cli startlocations: start locations placed on an existing map, as the
// editor's "Generate Start Locations" places them.
#include <cstdint>
#include <iostream>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "files/map_file.h"
#include "generator/parameters.h"
#include "generator/random.h"
#include "map/map_grid.h"
#include "map/terrain.h"
#include "startlocations/start_locations.h"

namespace pelorn::cli {

namespace {

constexpr const char* kCommand = "startlocations";

// An optional "-" and decimal digits, within [minValue, maxValue].
std::optional<std::int64_t> parseWhole(const std::string& text, std::int64_t minValue, std::int64_t maxValue) {
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) i = 1;
    if (i == text.size() || text.size() - i > 10) return std::nullopt;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    if (negative) value = -value;
    if (value < minValue || value > maxValue) return std::nullopt;
    return value;
}

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
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option != "--seed" && option != "--map" && option != "--name" && option != "--tries")
            return usageError(kCommand, "unknown option '" + option + "'");
        if (i + 1 >= args.size()) return usageError(kCommand, option + " needs a value");
        const std::string& value = args[++i];
        if (option == "--seed") {
            if (seed) return usageError(kCommand, "--seed given twice");
            const auto parsed = value.empty() || value[0] == '-' ? std::nullopt : parseWhole(value, 0, 0xFFFFFFFFLL);
            if (!parsed) return usageError(kCommand, "--seed must be a whole number from 0 to 4294967295");
            seed = static_cast<std::uint32_t>(*parsed);
        } else if (option == "--map") {
            if (mapPath) return usageError(kCommand, "--map given twice");
            if (value.empty()) return usageError(kCommand, "--map must not be empty");
            if (const auto refused = refuseDevicePath(kCommand, option, value)) return *refused;
            mapPath = value;
        } else if (option == "--name") {
            if (name) return usageError(kCommand, "--name given twice");
            if (value.empty()) return usageError(kCommand, "--name must not be empty");
            // The file goes to the current folder, as the editor's do.
            if (const auto refused = refuseUnsafeName(kCommand, option, value)) return *refused;
            name = value;
        } else {
            if (tries) return usageError(kCommand, "--tries given twice");
            const auto parsed = parseWhole(value, INT32_MIN, INT32_MAX);
            if (!parsed) return usageError(kCommand, "--tries must be a whole number from -2147483648 to 2147483647");
            tries = static_cast<std::int32_t>(*parsed);
        }
    }
    if (!seed) return usageError(kCommand, "--seed is required");
    if (!mapPath) return usageError(kCommand, "--map is required");
    if (!name) return usageError(kCommand, "--name is required");

    resetMapState();
    if (!loadMapFile(*mapPath) || !mapGrid) {
        std::cerr << "pelorn-cli startlocations: cannot read '" << *mapPath << "'\n";
        return kExitFile;
    }
    generatorParameters = GeneratorParameters{};
    generatorParameters.genStartLocTries = tries.value_or(1000);
    seedRandom(*seed);
    generateStartLocations();
    currentMapName = *name;

    int status = kExitOk;
    std::cout << "placed " << countStartLocations() << " start locations\n";
    const std::string fileName = currentMapName + ".map";
    if (saveMapFile()) {
        std::cout << "wrote " << fileName << "\n";
    } else {
        std::cerr << "pelorn-cli startlocations: cannot write '" << fileName << "'\n";
        status = kExitFile;
    }
    freeMapGrid();
    return status;
}

}  // namespace pelorn::cli
