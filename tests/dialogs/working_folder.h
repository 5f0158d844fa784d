// A fresh working folder for as long as the object lives: map files are
// relative names. The name is unique, since CTest runs tests in parallel
// processes, the plain and the sanitized build side by side.
#pragma once

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace pelorn::test {

class WorkingFolder {
public:
    WorkingFolder() : previous_(std::filesystem::current_path()) {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        folder_ = std::filesystem::temp_directory_path() /
                  ("pelorn-dialogs-" + std::to_string(std::random_device{}()) + "-" + std::to_string(stamp));
        std::filesystem::create_directories(folder_);
        std::filesystem::current_path(folder_);
    }
    ~WorkingFolder() {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
        std::filesystem::remove_all(folder_, ignored);
    }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

private:
    std::filesystem::path previous_;
    std::filesystem::path folder_;
};

}  // namespace pelorn::test
