// What the file benchmarks share: a 10 by 10 quad map of mixed codes, and a
// main that runs them in a temporary folder of their own, so that they can be
// started from anywhere.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

#include "map/map_grid.h"
#include "map/terrain.h"

namespace pelorn::bench {

// `map` becomes a 10 by 10 quad map of mixed codes, as the generator leaves
// them, named "Bench".
inline void makeBenchMap(Map& map) {
    map = Map();
    map.quadCountX = 10;
    map.quadCountY = 10;
    map.currentMapName = "Bench";
    allocateMapGrid(map);
    std::uint32_t state = 12345;
    for (std::int32_t x = 0; x < mapWidth(map); ++x)
        for (std::int32_t y = 0; y < mapHeight(map); ++y) {
            state = state * 214013u + 2531011u;
            map.mapGrid[x][y] = static_cast<TerrainCode>((state >> 16) % 61);
        }
}

// Runs the registered benchmarks in a new folder "<name>-<process id>" in
// the system's temporary folder, removed afterwards.
inline int runInTemporaryFolder(int argc, char** argv, const std::string& name) {
    namespace fs = std::filesystem;
    const fs::path previous = fs::current_path();
    const fs::path folder = fs::temp_directory_path() / (name + "-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    fs::current_path(folder);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    fs::current_path(previous);
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return 0;
}

}  // namespace pelorn::bench
