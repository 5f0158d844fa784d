// The folders form layers, lowest first; a folder may include only from
// itself and from the layers below it, and only files named *_win include
// <windows.h>. The check reads the #include lines of every source file, so
// a new dependency that runs upwards fails here instead of growing a loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kSourceRoot = fs::path(PELORN_TEST_DATA) / ".." / "..";

// Folders of one layer use neither each other nor anything above them.
const std::vector<std::vector<std::string>> kLayers = {
    {"text"},                       // number text, the same in every locale
    {"map"},                        // the map value: grid, terrain, hex geometry, flood fill
    {"generator"},                  // worlds from a seed
    {"files", "startlocations"},    // the files; start locations on a map
    {"view"},                       // layout, drawing, hit-testing, the screen state, repaints
    {"editing"},                    // the document, the editor and its tools, undo
    {"resources"},                  // the resource script's identifiers
    {"dialogs"},                    // each dialog's logic and procedure
    {"app", "cli"},                 // the program, its commands and shell; the command-line companion
};

int layerOf(const std::string& folder) {
    for (std::size_t i = 0; i < kLayers.size(); ++i)
        if (std::find(kLayers[i].begin(), kLayers[i].end(), folder) != kLayers[i].end()) return static_cast<int>(i);
    return -1;
}

// Why `file` (a path below the source root) may not include `included`;
// empty when it may.
std::string includeProblem(const std::string& file, const std::string& included) {
    const std::string from = file.substr(0, file.find('/'));
    const std::size_t slash = included.find('/');
    if (slash == std::string::npos) return {};  // beside the file itself
    std::string to = included.substr(0, slash);
    if (to == "..") to = included.substr(3, included.find('/', 3) - 3);
    if (to == from) return {};
    const int fromLayer = layerOf(from);
    const int toLayer = layerOf(to);
    if (fromLayer < 0) return "folder " + from + " has no layer";
    if (toLayer < 0) return "folder " + to + " has no layer";
    if (toLayer < fromLayer) return {};
    return from + " may not include from " + to + (toLayer == fromLayer ? " (same layer)" : " (a layer above)");
}

struct Include {
    std::string file;  // relative to the source root, with '/'
    std::string target;
    bool system;
};

std::vector<Include> includesOf(const fs::path& path, const std::string& name) {
    std::vector<Include> found;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, 8, "#include") != 0) continue;
        const std::size_t open = line.find_first_of("\"<", start + 8);
        if (open == std::string::npos) continue;
        const std::size_t close = line.find(line[open] == '"' ? '"' : '>', open + 1);
        if (close == std::string::npos) continue;
        found.push_back({name, line.substr(open + 1, close - open - 1), line[open] == '<'});
    }
    return found;
}

// Every #include of the product's sources: the folders of the layers, and
// any other folder beside them that holds C++ (tests and benchmarks aside).
std::vector<Include> productIncludes() {
    std::vector<Include> all;
    for (const auto& folder : fs::directory_iterator(kSourceRoot)) {
        const std::string name = folder.path().filename().string();
        if (!folder.is_directory() || name == "tests" || name == "bench" || name == "build" || name[0] == '.')
            continue;
        for (const auto& entry : fs::directory_iterator(folder.path())) {
            const std::string extension = entry.path().extension().string();
            if (extension != ".cpp" && extension != ".h") continue;
            const auto found = includesOf(entry.path(), name + "/" + entry.path().filename().string());
            all.insert(all.end(), found.begin(), found.end());
        }
    }
    return all;
}

TEST(IncludeGraph, UpwardAndSidewaysIncludesAreRefused) {
    // The loops this check keeps out.
    EXPECT_NE(includeProblem("map/map_grid.cpp", "view/screen.h"), "");
    EXPECT_NE(includeProblem("generator/world.cpp", "view/view_mode.h"), "");
    EXPECT_NE(includeProblem("files/map_file.cpp", "view/layout.h"), "");
    EXPECT_NE(includeProblem("view/map_view.cpp", "editing/tool.h"), "");
    EXPECT_NE(includeProblem("editing/editor.cpp", "app/program.h"), "");
    EXPECT_NE(includeProblem("dialogs/map_dialogs.cpp", "app/commands.h"), "");
    EXPECT_NE(includeProblem("text/conversions.cpp", "map/map_grid.h"), "");
    EXPECT_NE(includeProblem("startlocations/players.cpp", "files/map_file.h"), "");  // same layer
    EXPECT_NE(includeProblem("cli/main.cpp", "app/commands.h"), "");                  // same layer
    EXPECT_NE(includeProblem("png/png.cpp", "map/map_grid.h"), "");                   // a folder with no layer
    EXPECT_NE(includeProblem("map/map_grid.cpp", "png/png.h"), "");
    // Downwards, and within a folder, is fine.
    EXPECT_EQ(includeProblem("view/map_view.cpp", "map/map_grid.h"), "");
    EXPECT_EQ(includeProblem("view/map_view.cpp", "text/conversions.h"), "");
    EXPECT_EQ(includeProblem("editing/editor.cpp", "view/layout.h"), "");
    EXPECT_EQ(includeProblem("dialogs/map_dialogs.cpp", "editing/history.h"), "");
    EXPECT_EQ(includeProblem("app/program.h", "dialogs/dialog_context.h"), "");
    EXPECT_EQ(includeProblem("files/settings_file.cpp", "generator/parameters.h"), "");
    EXPECT_EQ(includeProblem("app/main_win.cpp", "resources/resource.h"), "");
    EXPECT_EQ(includeProblem("map/flood_fill.cpp", "map/map_grid.h"), "");
    EXPECT_EQ(includeProblem("resources/resource.h", "../app/command_ids.h"), "resources may not include from app (a layer above)");
}

TEST(IncludeGraph, EveryProductIncludeRunsDownwards) {
    const std::vector<Include> includes = productIncludes();
    ASSERT_GT(includes.size(), 100u) << "no sources found below " << kSourceRoot;
    for (const Include& include : includes) {
        if (include.system) continue;
        const std::string problem = includeProblem(include.file, include.target);
        EXPECT_EQ(problem, "") << include.file << " includes \"" << include.target << "\"";
    }
}

TEST(IncludeGraph, OnlyWin32FilesSeeWindowsHeaders) {
    for (const Include& include : productIncludes()) {
        if (!include.system || include.target != "windows.h") continue;
        EXPECT_NE(include.file.find("_win."), std::string::npos) << include.file << " includes <windows.h>";
    }
}

}  // namespace
