// pelorn-cli info: what a map file holds.
#include <cstdint>
#include <iostream>
#include <map>
#include <string>

#include "cli/commands.h"
#include "cli/options.h"
#include "files/map_file.h"
#include "map/map_grid.h"
#include "map/terrain.h"

namespace pelorn::cli {

void printInfoHelp(std::ostream& out) {
    out << "pelorn-cli info FILE.map\n"
           "  Reads a map file as the editor opens it and prints the map's name, its\n"
           "  size, the number of tiles of each terrain (code and legend name) and\n"
           "  the number of start locations. A file name that is a device name (AUX,\n"
           "  AUX.map, ...) is refused; so is a file that is no plain file or is larger\n"
           "  than the largest map the editor holds.\n";
}

int runInfo(const Arguments& args) {
    if (args.empty()) return usageError("info", "a map file is required");
    if (args.size() > 1) return usageError("info", "one map file only");
    if (!args[0].empty() && args[0][0] == '-') return usageError("info", "unknown option '" + args[0] + "'");
    if (const auto refused = refuseDevicePath("info", "the map file", args[0])) return *refused;

    resetMapState();
    if (!loadMapFile(args[0]) || !mapGrid) return reportCannotRead("info", args[0]);

    std::map<TerrainCode, std::int64_t> counts;
    const std::int32_t width = mapWidth();
    const std::int32_t height = mapHeight();
    for (std::int32_t x = 0; x < width; ++x)
        for (std::int32_t y = 0; y < height; ++y) ++counts[mapGrid[x][y]];

    std::cout << "name: " << currentMapName << "\n"
              << "size: " << quadCountX << "x" << quadCountY << " quads (" << width << "x" << height
              << " tiles)\n"
              << "terrain:\n";
    std::int64_t startLocations = 0;
    for (const auto& [code, count] : counts) {
        if (isStartLocationCode(code)) {
            startLocations += count;
            continue;
        }
        std::cout << "  " << code << " ";
        if (code >= 0 && code <= kLastLegendCode) std::cout << terrainName(code);
        else std::cout << "(no terrain)";
        std::cout << ": " << count << "\n";
    }
    std::cout << "start locations: " << startLocations << "\n";
    for (const auto& [code, count] : counts) {
        if (isStartLocationCode(code))
            std::cout << "  " << code << " on " << terrainName(baseCode(code)) << ": " << count << "\n";
    }
    freeMapGrid();
    return kExitOk;
}

}  // namespace pelorn::cli
