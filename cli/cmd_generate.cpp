// pelorn-cli generate: one world from a seed, a size and optional settings,
// saved exactly as the editor saves it.
#include <algorithm>
#include <cstdint>
#include <iostream>
#include <optional>
#include <string>
#include <utility>

#include "cli/commands.h"
#include "cli/generate.h"
#include "cli/options.h"
#include "cli/players_options.h"
#include "files/bitmap_file.h"
#include "files/map_file.h"
#include "files/settings_file.h"
#include "generator/parameters.h"
#include "generator/random.h"
#include "generator/symmetry.h"
#include "generator/world.h"
#include "map/map_grid.h"
#include "map/terrain.h"
#include "startlocations/players.h"
#include "startlocations/start_locations.h"

namespace pelorn::cli {

namespace {

constexpr const char* kCommand = "generate";

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

// "A..B": two seeds, the first not above the last, at most kMaxBatchSeeds of them.
Stop readSeedRange(const std::string& value, GenerateOptions& options) {
    const std::size_t dots = value.find("..");
    const auto first = dots == std::string::npos ? std::nullopt : parseDecimal(value.substr(0, dots), 0xFFFFFFFFu);
    const auto last = dots == std::string::npos ? std::nullopt : parseDecimal(value.substr(dots + 2), 0xFFFFFFFFu);
    if (!first || !last) return usageError(kCommand, "--seeds must read A..B, two seeds from 0 to 4294967295, e.g. 1..200");
    if (*first > *last) return usageError(kCommand, "--seeds " + value + " runs backwards");
    const SeedRange range{static_cast<std::uint32_t>(*first), static_cast<std::uint32_t>(*last)};
    if (range.count() > kMaxBatchSeeds)
        return usageError(kCommand, "--seeds " + value + " holds more than " + std::to_string(kMaxBatchSeeds) + " seeds");
    options.seeds = range;
    return std::nullopt;
}

Stop readSymmetry(const std::string& value, GenerateOptions& options) {
    const std::optional<Symmetry> symmetry = parseSymmetry(value);
    if (!symmetry) return usageError(kCommand, "--symmetry must be none, rotate2, copies2 or copies4");
    options.symmetry = *symmetry;
    return std::nullopt;
}

Stop readGenerateOptions(const Arguments& args, GenerateOptions& options) {
    OptionNames valued{"--seed", "--seeds", "--keep-best", "--threads", "--quads", "--name", "--settings", "--write-settings",
                       "--symmetry"};
    valued.insert(valued.end(), playersOptionNames().begin(), playersOptionNames().end());
    const Stop stop = readOptions(
        kCommand, args, {"--bmp", "--startlocations"}, valued, Operands::kNone,
        [&](const std::string& option, const std::string& value) -> Stop {
            if (option == "--bmp") options.bitmap = true;
            if (option == "--startlocations") options.startLocations = true;
            if (option == "--seed") return readSeed(kCommand, value, options.seed);
            if (option == "--seeds") return readSeedRange(value, options);
            if (option == "--keep-best") return readWholeNumber(kCommand, option, value, options.keepBest);
            if (option == "--threads") return readWholeNumber(kCommand, option, value, options.threads);
            if (option == "--quads") return readQuads(value, options);
            if (option == "--name") return readMapName(kCommand, option, value, options.name);
            if (option == "--settings") return readInputPath(kCommand, option, value, options.settings);
            if (option == "--symmetry") return readSymmetry(value, options);
            if (option == "--write-settings") {
                if (const Stop refused = refuseUnsafeName(kCommand, option, value)) return refused;
                options.writeSettings = value;
            }
            if (isPlayersOption(option)) return takePlayersOption(kCommand, option, value, options.playersWords);
            return std::nullopt;
        });
    if (stop) return stop;
    if (options.seed && options.seeds) return usageError(kCommand, "--seed and --seeds exclude each other");
    if (const Stop missing = requireOption(kCommand, "--seed", options.seed || options.seeds)) return missing;
    if (const Stop missing = requireOption(kCommand, "--quads", options.quadsX.has_value())) return missing;
    if (const Stop missing = requireOption(kCommand, "--name", options.name.has_value())) return missing;
    const std::string refusal = symmetryRefusal(options.symmetry, *options.quadsX);
    if (!refusal.empty()) return usageError(kCommand, "--symmetry " + refusal);
    if (const Stop stray = refuseWithoutPlayers(kCommand, options.playersWords)) return stray;
    if (options.seeds) {
        if (const Stop missing = requireOption(kCommand, "--players", options.playersWords.players.has_value()))
            return missing;
        if (const Stop missing = requireOption(kCommand, "--keep-best", options.keepBest.has_value())) return missing;
        const std::int64_t most = std::min<std::int64_t>(kMaxKeptWorlds, static_cast<std::int64_t>(options.seeds->count()));
        if (*options.keepBest < 1 || *options.keepBest > most)
            return usageError(kCommand, "--keep-best must be from 1 to " + std::to_string(most) +
                                            " (the number of seeds, at most " + std::to_string(kMaxKeptWorlds) + ")");
        if (options.writeSettings) return usageError(kCommand, "--write-settings takes one world; leave it out with --seeds");
        if (options.threads && (*options.threads < 1 || *options.threads > kMaxBatchThreads))
            return usageError(kCommand, "--threads must be from 1 to " + std::to_string(kMaxBatchThreads));
        // The longest name the batch writes must pass the rule as well.
        const std::string longest = *options.name + "-" + std::to_string(options.seeds->last);
        if (const Stop refused = refuseUnsafeName(kCommand, "--name with --seeds (" + longest + ")", longest))
            return refused;
    } else if (options.keepBest) {
        return usageError(kCommand, "--keep-best needs --seeds");
    } else if (options.threads) {
        return usageError(kCommand, "--threads needs --seeds");
    }
    if (options.playersWords.players) {
        options.startLocations = true;
        if (const Stop refused = playersOptionsFrom(kCommand, options.playersWords, options.players)) return refused;
        // The world's symmetry, which players mode follows where it can.
        options.players.symmetry = options.symmetry;
    }
    options.parameters = GeneratorParameters{};
    if (options.settings) {
        if (!readSettingsFile(*options.settings, options.parameters)) {
            std::cerr << "pelorn-cli generate: cannot read settings file '" << *options.settings << "'\n";
            return kExitFile;
        }
    }
    return std::nullopt;
}

// One world with its start locations, written as NAME.map (and the rest).
int runOneWorld(const GenerateOptions& options) {
    World world;
    if (const Stop stop = makeWorld(world, options, *options.seed, *options.name)) return *stop;
    Map& map = world.map;
    PlayersPlan plan;
    const bool playersMode = options.playersWords.players.has_value();
    if (playersMode) {
        plan = generatePlayerStartLocations(map, options.players);
        reportPlayersPlan(kCommand, plan, options.players);
    } else if (options.startLocations) {
        generateStartLocations(map, world.parameters, world.random);
    }
    int status = reportWrite(kCommand, map.currentMapName + ".map", saveMapFile(map));
    if (options.bitmap) status = std::max(status, reportWrite(kCommand, map.currentMapName + ".bmp", saveMapBitmap(map)));
    if (options.writeSettings) {
        const Settings settings{map.currentMapName, world.parameters};
        status = std::max(status, reportWrite(kCommand, *options.writeSettings,
                                              writeSettingsFile(settings, *options.writeSettings)));
    }
    return playersMode ? statusAfterPlacing(plan, status) : status;
}

}  // namespace

Stop makeWorld(World& world, const GenerateOptions& options, std::uint32_t seed, const std::string& name) {
    world.map = Map{};
    world.map.currentMapName = name;
    world.random.seed(seed);
    world.parameters = options.parameters;
    // An empty map is no world: nothing is written.
    bool generated = replaceWithEmptyMap(world.map, *options.quadsX, options.quadsY);
    if (generated) {
        const GenerateResult result = generateSymmetricMap(world.map, options.parameters, world.random, options.symmetry);
        generated = result.generated;
        world.parameters = result.parameters;
    }
    if (!generated) {
        world.map = Map{};  // its memory back at once
        std::cerr << "pelorn-cli generate: not enough memory for a map of " << *options.quadsX << "x"
                  << options.quadsY << " quads\n";
        return kExitFile;
    }
    return std::nullopt;
}

Stop makeWorld(Map& map, const GenerateOptions& options, std::uint32_t seed, const std::string& name) {
    World world;
    world.map = std::move(map);  // its grid is freed before the new one is made
    const Stop stop = makeWorld(world, options, seed, name);
    map = std::move(world.map);
    return stop;
}

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
           "  --players N [--min-distance D] [--radius R] [--weights FILE] [--max-spread P]\n"
           "              [--room R]\n"
           "                       place the start locations in players mode instead,\n"
           "                       as \"pelorn-cli startlocations --help\" describes\n"
           "                       (implies --startlocations; exit status 3 when the\n"
           "                       map holds fewer than N); on a symmetric world, N a\n"
           "                       multiple of its order gives starts in symmetric sets\n"
           "  --symmetry S         a world fair to 2 or 4 players (default none):\n"
           "                       rotate2  tile (x, y) equals tile (W-1-x, H-1-y)\n"
           "                       copies2  two equal strips side by side\n"
           "                       copies4  four equal strips (QX must be even)\n"
           "\n"
           "pelorn-cli generate --seeds A..B --keep-best K --quads QXxQY --name NAME\n"
           "                    --players N [--min-distance D] [--radius R]\n"
           "                    [--weights FILE] [--settings FILE] [--bmp] [--symmetry S]\n"
           "                    [--max-spread P] [--room R] [--threads T]\n"
           "  Generates the world of every seed from A to B (at most 100000 seeds),\n"
           "  places N start locations on each in players mode, and keeps the K\n"
           "  fairest worlds (K at most 1000): those with all N starts first, then the\n"
           "  least of the larger of the home and room spreads, the highest weakest\n"
           "  room, the lowest seed. They are written as NAME-SEED.map (and\n"
           "  NAME-SEED.bmp with --bmp), each exactly as --seed SEED would write it;\n"
           "  NAME.csv lists every seed, fairest first: seed, home (land value) spread\n"
           "  in percent, weakest land value, territory spread in percent, starts\n"
           "  placed, room spread in percent, weakest room value.\n"
           "  The worlds are made side by side, one per core of the machine;\n"
           "  --threads T (1 to 256) sets how many at once. The files are the same\n"
           "  whatever the number.\n"
           "  On a terminal a progress line shows on stderr. Exit status 3 when a\n"
           "  kept world holds fewer than N start locations, or has a home or room\n"
           "  spread above --max-spread.\n";
}

int runGenerate(const Arguments& args) {
    GenerateOptions options;
    if (const Stop stop = readGenerateOptions(args, options)) return *stop;
    return options.seeds ? runBatch(options) : runOneWorld(options);
}

}  // namespace pelorn::cli
