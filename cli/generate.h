// pelorn-cli generate: what the one-world run and the batch of seeds share.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "cli/options.h"
#include "cli/players_options.h"
#include "generator/parameters.h"
#include "generator/random.h"
#include "generator/symmetry.h"
#include "map/map_grid.h"
#include "startlocations/players.h"

namespace pelorn::cli {

// A batch runs at most this many seeds (about an hour of 4 x 4 worlds) and
// keeps at most this many worlds.
constexpr std::uint64_t kMaxBatchSeeds = 100000;
constexpr std::int32_t kMaxKeptWorlds = 1000;
// The most threads --threads may ask for.
constexpr std::int32_t kMaxBatchThreads = 256;

struct SeedRange {
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    std::uint64_t count() const { return std::uint64_t{last} - first + 1; }
};

struct GenerateOptions {
    std::optional<std::uint32_t> seed;
    std::optional<SeedRange> seeds;
    std::optional<std::int32_t> keepBest;
    std::optional<std::int32_t> threads;  // --threads; otherwise every core
    std::optional<std::int32_t> quadsX;
    std::int32_t quadsY = 0;
    std::optional<std::string> name;
    std::optional<std::string> settings;
    std::optional<std::string> writeSettings;
    Symmetry symmetry = Symmetry::kNone;
    bool bitmap = false;
    bool startLocations = false;
    PlayersOptionWords playersWords;
    PlayersOptions players;  // read from playersWords when --players is given
    GeneratorParameters parameters;  // the defaults, or the --settings file
};

// One world in memory: its map, the random state as the generator left it
// (the start locations draw on from there) and the parameters as the
// generator corrected them (what --write-settings writes).
struct World {
    Map map;
    Random random;
    GeneratorParameters parameters;
};

// The world of `seed`, named `name`, made into `world` (whatever it held
// before); an exit status when there is none (the reason on stderr).
Stop makeWorld(World& world, const GenerateOptions& options, std::uint32_t seed, const std::string& name);
// The same when only the map is wanted (the batch of seeds).
Stop makeWorld(Map& map, const GenerateOptions& options, std::uint32_t seed, const std::string& name);

// generate --seeds A..B: every seed's world with its players-mode starts;
// the fairest --keep-best of them are written as NAME-SEED.map, and every
// seed's facts as NAME.csv. The worlds are made one per thread, on every
// core (or --threads); the files are the same for any number of threads.
int runBatch(const GenerateOptions& options);

}  // namespace pelorn::cli
