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

#include "generator/parameters.h"
#include "map/map_grid.h"
#include "map/terrain.h"
#include "support/fresh_state.h"

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

class FilesTest : public test::FreshStateTest {
protected:
    void SetUp() override {
        FreshStateTest::SetUp();
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
        FreshStateTest::TearDown();
        fs::current_path(previous_);
        std::error_code ignored;
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(folder_, ignored);
    }

    // A grid of the given size, every tile 0.
    static void makeMap(std::int32_t quadsX, std::int32_t quadsY, const std::string& name = "Untitled") {
        freeMapGrid();
        quadCountX = quadsX;
        quadCountY = quadsY;
        currentMapName = name;
        ASSERT_TRUE(allocateMapGrid());
    }

    fs::path previous_;
    fs::path folder_;
};

}  // namespace testing_files
}  // namespace pelorn
