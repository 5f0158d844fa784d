// pelorn-cli generate: one world from a seed, a size and optional settings,
// saved exactly as the editor saves it.
#include <cstdint>
#include <iostream>
#include <optional>
#include <string>

#include "cli/commands.h"
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

// Plain decimal digits only, at most `maxValue`.
std::optional<std::uint64_t> parseDecimal(const std::string& text, std::uint64_t maxValue) {
    if (text.empty() || text.size() > 10) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (value > maxValue) return std::nullopt;
    return value;
}

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
           "  --name NAME          map name: the stem of the files and their name line\n"
           "  --settings FILE      generator parameters read from FILE as the editor\n"
           "                       reads \"appdata.dat\" (its #LastOpen# entry is\n"
           "                       ignored); otherwise the defaults\n"
           "  --bmp                also export NAME.bmp, one pixel per tile\n"
           "  --write-settings FILE  write the parameters after the run (with the\n"
           "                       generator's corrections) to FILE in the settings\n"
           "                       format, #LastOpen# NAME\n"
           "  --startlocations     then place start locations, from the same random\n"
           "                       stream, with genStartLocTries tries per quad\n"
           "  --symmetry S         a world fair to 2 or 4 players (default none):\n"
           "                       rotate2  tile (x, y) equals tile (W-1-x, H-1-y)\n"
           "                       copies2  two equal strips side by side\n"
           "                       copies4  four equal strips (QX must be even)\n";
}

int runGenerate(const Arguments& args) {
    GenerateOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--bmp") {
            options.bitmap = true;
            continue;
        }
        if (option == "--startlocations") {
            options.startLocations = true;
            continue;
        }
        if (option != "--seed" && option != "--quads" && option != "--name" && option != "--settings" &&
            option != "--write-settings" && option != "--symmetry")
            return usageError(kCommand, "unknown option '" + option + "'");
        if (i + 1 >= args.size()) return usageError(kCommand, option + " needs a value");
        const std::string& value = args[++i];
        if (option == "--seed") {
            if (options.seed) return usageError(kCommand, "--seed given twice");
            const auto seed = parseDecimal(value, 0xFFFFFFFFu);
            if (!seed) return usageError(kCommand, "--seed must be a whole number from 0 to 4294967295");
            options.seed = static_cast<std::uint32_t>(*seed);
        } else if (option == "--quads") {
            if (options.quadsX) return usageError(kCommand, "--quads given twice");
            const std::size_t cross = value.find_first_of("xX");
            const auto qx = cross == std::string::npos ? std::nullopt : parseDecimal(value.substr(0, cross), 1000);
            const auto qy = cross == std::string::npos ? std::nullopt : parseDecimal(value.substr(cross + 1), 1000);
            if (!qx || !qy) return usageError(kCommand, "--quads must read QXxQY, e.g. 3x2");
            const auto x = static_cast<std::int32_t>(*qx);
            const auto y = static_cast<std::int32_t>(*qy);
            if (!isAcceptableMapSize(x, y))
                return usageError(kCommand, "--quads " + value + " is no map size: each side 1 to " +
                                                std::to_string(kMaxQuadsPerSide) + ", at most " +
                                                std::to_string(kMaxQuads) + " quads in all");
            options.quadsX = x;
            options.quadsY = y;
        } else if (option == "--name") {
            if (options.name) return usageError(kCommand, "--name given twice");
            if (value.empty()) return usageError(kCommand, "--name must not be empty");
            // The files go to the current folder, as the editor's do.
            if (value.find_first_of("/\\") != std::string::npos)
                return usageError(kCommand, "--name is a map name, not a path");
            options.name = value;
        } else if (option == "--symmetry") {
            if (options.symmetry) return usageError(kCommand, "--symmetry given twice");
            options.symmetry = parseSymmetry(value);
            if (!options.symmetry) return usageError(kCommand, "--symmetry must be none, rotate2, copies2 or copies4");
        } else if (option == "--settings") {
            if (options.settings) return usageError(kCommand, "--settings given twice");
            options.settings = value;
        } else {
            if (options.writeSettings) return usageError(kCommand, "--write-settings given twice");
            options.writeSettings = value;
        }
    }
    if (!options.seed) return usageError(kCommand, "--seed is required");
    if (!options.quadsX) return usageError(kCommand, "--quads is required");
    if (!options.name) return usageError(kCommand, "--name is required");
    const Symmetry symmetry = options.symmetry.value_or(Symmetry::kNone);
    const std::string refusal = symmetryRefusal(symmetry, *options.quadsX);
    if (!refusal.empty()) return usageError(kCommand, "--symmetry " + refusal);

    generatorParameters = GeneratorParameters{};
    if (options.settings && !readSettingsFile(*options.settings, false)) {
        std::cerr << "pelorn-cli generate: cannot read settings file '" << *options.settings << "'\n";
        return kExitFile;
    }

    resetMapState();
    quadCountX = *options.quadsX;
    quadCountY = options.quadsY;
    currentMapName = *options.name;
    seedRandom(*options.seed);
    if (!generateSymmetricMap(symmetry)) {
        // An empty map is no world: nothing is written.
        std::cerr << "pelorn-cli generate: not enough memory for a map of " << *options.quadsX << "x"
                  << options.quadsY << " quads\n";
        freeMapGrid();
        return kExitFile;
    }
    if (options.startLocations) generateStartLocations();

    int status = kExitOk;
    const std::string mapName = currentMapName + ".map";
    if (saveMapFile()) {
        std::cout << "wrote " << mapName << "\n";
    } else {
        std::cerr << "pelorn-cli generate: cannot write '" << mapName << "'\n";
        status = kExitFile;
    }
    if (options.bitmap) {
        buildTerrainPalette();  // the editor builds it at start-up
        const std::string bitmapName = currentMapName + ".bmp";
        if (saveMapBitmap()) {
            std::cout << "wrote " << bitmapName << "\n";
        } else {
            std::cerr << "pelorn-cli generate: cannot write '" << bitmapName << "'\n";
            status = kExitFile;
        }
    }
    if (options.writeSettings) {
        if (writeSettingsFile(*options.writeSettings)) {
            std::cout << "wrote " << *options.writeSettings << "\n";
        } else {
            std::cerr << "pelorn-cli generate: cannot write '" << *options.writeSettings << "'\n";
            status = kExitFile;
        }
    }
    freeMapGrid();
    return status;
}

}  // namespace pelorn::cli
