// pelorn-cli generate: one world from a seed, a size and optional settings,
// saved exactly as the editor saves it.
#include <algorithm>
#include <cstdint>
#include <iostream>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "cli/options.h"
#include "files/bitmap_file.h"
#include "files/map_file.h"
#include "files/settings_file.h"
#include "generator/parameters.h"
#include "generator/random.h"
#include "generator/symmetry.h"
#include "generator/world.h"
#include "map/map_grid.h"
#include "map/terrain.h"
#include "startlocations/start_locations.h"

namespace pelorn::cli {

namespace {

constexpr const char* kCommand = "generate";

struct GenerateOptions {
    std::optional<std::uint32_t> seed;
    std::optional<std::int32_t> quadsX;
    std::int32_t quadsY = 0;
    std::optional<std::string> name;
    std::optional<std::string> settings;
    std::optional<std::string> writeSettings;
    std::optional<Symmetry> symmetry;
    bool bitmap = false;
    bool startLocations = false;
};

Stop readQuads(const std::string& value, GenerateOptions& options) {
    const std::size_t cross = value.find_first_of("xX");
    const auto qx = cross == std::string::npos ? std::nullopt : parseDecimal(value.substr(0, cross), 1000);
    const auto qy = cross == std::string::npos ? std::nullopt : parseDecimal(value.substr(cross + 1), 1000);
    if (!qx || !qy) return usageError(kCommand, "--quads must read QXxQY, e.g. 3x2");
    const auto x = static_cast<std::int32_t>(*qx);
    const auto y = static_cast<std::int32_t>(*qy);
    if (!isAcceptableMapSize(x, y))
        return usageError(kCommand, "--quads " + value + " is no map size: each side 1 to " +
                                        std::to_string(kMaxQuadsPerSide) + ", at most " + std::to_string(kMaxQuads) +
                                        " quads in all");
    options.quadsX = x;
    options.quadsY = y;
    return std::nullopt;
}

Stop readSymmetry(const std::string& value, GenerateOptions& options) {
    options.symmetry = parseSymmetry(value);
    if (!options.symmetry) return usageError(kCommand, "--symmetry must be none, rotate2, copies2 or copies4");
    return std::nullopt;
}

Stop readGenerateOptions(const Arguments& args, GenerateOptions& options) {
    const Stop stop = readOptions(
        kCommand, args, {"--bmp", "--startlocations"}, {"--seed", "--quads", "--name", "--settings", "--write-settings", "--symmetry"},
        Operands::kNone,
        [&](const std::string& option, const std::string& value) -> Stop {
            if (option == "--bmp") options.bitmap = true;
            if (option == "--startlocations") options.startLocations = true;
            if (option == "--seed") return readSeed(kCommand, value, options.seed);
            if (option == "--quads") return readQuads(value, options);
            if (option == "--name") return readMapName(kCommand, option, value, options.name);
            if (option == "--settings") return readInputPath(kCommand, option, value, options.settings);
            if (option == "--symmetry") return readSymmetry(value, options);
            if (option == "--write-settings") {
                if (const Stop refused = refuseUnsafeName(kCommand, option, value)) return refused;
                options.writeSettings = value;
            }
            return std::nullopt;
        });
    if (stop) return stop;
    if (const Stop missing = requireOption(kCommand, "--seed", options.seed.has_value())) return missing;
    if (const Stop missing = requireOption(kCommand, "--quads", options.quadsX.has_value())) return missing;
    if (const Stop missing = requireOption(kCommand, "--name", options.name.has_value())) return missing;
    const std::string refusal = symmetryRefusal(options.symmetry.value_or(Symmetry::kNone), *options.quadsX);
    if (!refusal.empty()) return usageError(kCommand, "--symmetry " + refusal);
    return std::nullopt;
}

// The world of the options, placed in memory; an exit status when there is none.
Stop makeWorld(const GenerateOptions& options) {
    generatorParameters = GeneratorParameters{};
    if (options.settings && !readSettingsFile(*options.settings, false)) {
        std::cerr << "pelorn-cli generate: cannot read settings file '" << *options.settings << "'\n";
        return kExitFile;
    }
    resetMapState();
    currentMapName = *options.name;
    seedRandom(*options.seed);
    // An empty map is no world: nothing is written.
    if (!replaceWithEmptyMap(*options.quadsX, options.quadsY) ||
        !generateSymmetricMap(options.symmetry.value_or(Symmetry::kNone))) {
        std::cerr << "pelorn-cli generate: not enough memory for a map of " << *options.quadsX << "x"
                  << options.quadsY << " quads\n";
        return kExitFile;
    }
    if (options.startLocations) generateStartLocations();
    return std::nullopt;
}

}  // namespace

void printGenerateHelp(std::ostream& out) {
    out << "pelorn-cli generate --seed N --quads QXxQY --name NAME [--settings FILE]\n"
           "                    [--bmp] [--write-settings FILE] [--startlocations]\n"
           "                    [--symmetry none|rotate2|copies2|copies4]\n"
           "  Generates a random world as the editor's \"Generate Terrain\" does and\n"
           "  saves it as NAME.map in the current folder (and NAME.bmp with --bmp).\n"
           "  The same seed, size and settings give the same files on every platform.\n"
           "  --seed N             state of the random generator, 0 to 4294967295\n"
           "  --quads QXxQY        map size in quads of 100 by 100 tiles, e.g. 3x2\n"
           "                       (each side 1 to 100, at most 1024 quads in all)\n"
           "  --name NAME          map name: the stem of the files and their name line;\n"
           "                       a plain file name of at most 64 characters, without\n"
           "                       / \\ : * ? \" < > | or control characters, not . or ..,\n"
           "                       not ending in a dot or blank, and no device name\n"
           "                       (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9)\n"
           "  --settings FILE      generator parameters read from FILE as the editor\n"
           "                       reads \"appdata.dat\" (its #LastOpen# entry is\n"
           "                       ignored); otherwise the defaults\n"
           "  --bmp                also export NAME.bmp, one pixel per tile\n"
           "  --write-settings FILE  write the parameters after the run (with the\n"
           "                       generator's corrections) to FILE in the current\n"
           "                       folder, in the settings format, #LastOpen# NAME;\n"
           "                       FILE follows the rule of NAME\n"
           "  --startlocations     then place start locations, from the same random\n"
           "                       stream, with genStartLocTries tries per quad\n"
           "  --symmetry S         a world fair to 2 or 4 players (default none):\n"
           "                       rotate2  tile (x, y) equals tile (W-1-x, H-1-y)\n"
           "                       copies2  two equal strips side by side\n"
           "                       copies4  four equal strips (QX must be even)\n";
}

int runGenerate(const Arguments& args) {
    GenerateOptions options;
    if (const Stop stop = readGenerateOptions(args, options)) return *stop;
    if (const Stop stop = makeWorld(options)) {
        freeMapGrid();
        return *stop;
    }
    int status = reportWrite(kCommand, currentMapName + ".map", saveMapFile());
    if (options.bitmap) {
        buildTerrainPalette();  // the editor builds it at start-up
        status = std::max(status, reportWrite(kCommand, currentMapName + ".bmp", saveMapBitmap()));
    }
    if (options.writeSettings)
        status = std::max(status, reportWrite(kCommand, *options.writeSettings, writeSettingsFile(*options.writeSettings)));
    freeMapGrid();
    return status;
}

}  // namespace pelorn::cli
