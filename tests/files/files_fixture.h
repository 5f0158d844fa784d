// A fresh temporary working folder per test: the files are relative names.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "map/map_grid.h"
#include "map/terrain.h"
#include "support/state_names.h"

namespace pelorn {
namespace testing_files {

namespace fs = std::filesystem;

inline std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Names of everything in the folder, sorted.
inline std::vector<std::string> folderEntries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Each test has a map of its own, as a fresh editor has it: no grid yet.
struct MapHolder {
    Map map;
};

class FilesTest : public ::testing::Test, protected MapHolder, protected test::MapNames {
protected:
    FilesTest() : MapNames(map) {}

    void SetUp() override {
        static std::atomic<unsigned> counter{0};
        previous_ = fs::current_path();
        // CTest runs the tests of this program in parallel processes.
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        folder_ = fs::temp_directory_path() / ("pelorn-files-" + std::to_string(std::random_device{}()) + "-" +
                                               std::to_string(stamp) + "-" + std::to_string(++counter));
        fs::create_directories(folder_);
        fs::current_path(folder_);
    }
    void TearDown() override {
        fs::current_path(previous_);
        std::error_code ignored;
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(folder_, ignored);
    }

    // A grid of the given size, every tile `fill`.
    void makeMap(std::int32_t quadsX, std::int32_t quadsY, const std::string& name = "Untitled",
                 TerrainCode fill = 0) {
        freeMapGrid(map);
        quadCountX = quadsX;
        quadCountY = quadsY;
        currentMapName = name;
        ASSERT_TRUE(allocateMapGrid(map));
        for (std::int32_t x = 0; x < mapWidth(map); ++x) std::fill(mapGrid[x], mapGrid[x] + mapHeight(map), fill);
    }

    // Every tile, column by column, each column top to bottom.
    std::vector<TerrainCode> allTiles() const {
        std::vector<TerrainCode> tiles;
        if (!mapGrid) return tiles;
        for (std::int32_t x = 0; x < mapWidth(map); ++x) tiles.insert(tiles.end(), mapGrid[x], mapGrid[x] + mapHeight(map));
        return tiles;
    }


    fs::path previous_;
    fs::path folder_;
};

}  // namespace testing_files
}  // namespace pelorn
