// The start-location lines of the reference list, made in process exactly as
// pelorn-cli makes them: "generate ... --startlocations" and "startlocations
// --map FILE", whose FILE an earlier line of the list wrote; with --players,
// in players mode.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "files/map_file.h"
#include "files/settings_file.h"
#include "generator/parameters.h"
#include "generator/random.h"
#include "generator/sha256.h"
#include "generator/world.h"
#include "map/map_grid.h"
#include "startlocations/land_weights.h"
#include "startlocations/players.h"
#include "startlocations/start_locations.h"
#include "start_test_maps.h"

namespace pelorn {
namespace {

const std::string kGeneratorTests = std::string(PELORN_TEST_DATA) + "/../generator/";

struct Line {
    std::string hash;
    std::string command;
    std::vector<std::string> words;  // from "pelorn-cli" on

    std::string option(const std::string& name) const {
        for (std::size_t i = 0; i + 1 < words.size(); ++i)
            if (words[i] == name) return words[i + 1];
        return {};
    }
    bool flag(const std::string& name) const {
        for (const std::string& w : words)
            if (w == name) return true;
        return false;
    }
};

std::vector<Line> readList() {
    std::vector<Line> lines;
    std::ifstream in(kGeneratorTests + "golden_hashes.txt");
    std::string text;
    while (std::getline(in, text)) {
        if (!text.empty() && text.back() == '\r') text.pop_back();
        if (text.empty() || text[0] == '#') continue;
        Line line;
        std::istringstream words(text);
        words >> line.hash;
        line.command = text.substr(text.find("pelorn-cli"));
        for (std::string w; words >> w;) line.words.push_back(w);
        lines.push_back(line);
    }
    return lines;
}

class GoldenStartLocations : public ::testing::Test {
protected:
    // The map file text a line writes; the maps of earlier lines are made as
    // they are needed.
    std::string mapOf(const Line& line) {
        const std::string name = line.option("--name");
        const auto known = written_.find(name + ".map");
        if (known != written_.end()) return known->second;
        Map map;
        Random random;
        GeneratorParameters parameters;
        if (line.words.at(1) == "generate") {
            const std::string settings = line.option("--settings");
            if (!settings.empty()) {
                EXPECT_TRUE(readSettingsFile(kGeneratorTests + settings, parameters));
            }
            const std::string quads = line.option("--quads");
            const std::uint32_t seed = static_cast<std::uint32_t>(std::stoul(line.option("--seed")));
            test::makeWorld(map, random, std::stoi(quads.substr(0, quads.find('x'))),
                            std::stoi(quads.substr(quads.find('x') + 1)), seed, symmetryOf(line), parameters);
            map.currentMapName = name;
            if (line.flag("--startlocations") && !placePlayers(map, line)) generateStartLocations(map, parameters, random);
        } else {
            const std::string source = mapSource(line.option("--map"));
            installParsedMap(map, parseMapText(source), "Untitled");
            if (!placePlayers(map, line)) {
                const std::string tries = line.option("--tries");
                parameters.genStartLocTries = tries.empty() ? 1000 : std::stoi(tries);
                random.seed(static_cast<std::uint32_t>(std::stoul(line.option("--seed"))));
                generateStartLocations(map, parameters, random);
            }
            map.currentMapName = name;
        }
        return written_[name + ".map"] = mapFileText(map);
    }

    std::string mapSource(const std::string& file) {
        for (const Line& line : lines_)
            if (line.option("--name") + ".map" == file) return mapOf(line);
        ADD_FAILURE() << "no line writes " << file;
        return {};
    }

    // The world's symmetry a line asks for (--symmetry), none without.
    static Symmetry symmetryOf(const Line& line) {
        const std::string name = line.option("--symmetry");
        return name.empty() ? Symmetry::kNone : parseSymmetry(name).value_or(Symmetry::kNone);
    }

    // The players-mode placement a line asks for; false without --players.
    static bool placePlayers(Map& map, const Line& line) {
        const std::string players = line.option("--players");
        if (players.empty()) return false;
        PlayersOptions options;
        options.players = std::stoi(players);
        options.symmetry = symmetryOf(line);
        const std::string distance = line.option("--min-distance");
        if (!distance.empty()) options.minDistance = std::stoi(distance);
        const std::string radius = line.option("--radius");
        if (!radius.empty()) options.radius = std::stoi(radius);
        const std::string weights = line.option("--weights");
        if (!weights.empty()) {
            std::ifstream in(kGeneratorTests + weights, std::ios::binary);
            std::ostringstream text;
            text << in.rdbuf();
            std::string error;
            EXPECT_TRUE(parseLandWeights(text.str(), options.weights, error)) << error;
        }
        const PlayersPlan plan = generatePlayerStartLocations(map, options);
        EXPECT_TRUE(plan.complete) << "a reference line places every start it asks for";
        return true;
    }

    std::vector<Line> lines_ = readList();
    std::map<std::string, std::string> written_;
};

TEST_F(GoldenStartLocations, ReferenceMapsComeOutByteForByte) {
    int checked = 0;
    for (const Line& line : lines_) {
        if (line.command.find("startlocations") == std::string::npos) continue;
        SCOPED_TRACE(line.command);
        EXPECT_EQ(test::sha256Hex(mapOf(line)), line.hash);
        ++checked;
    }
    EXPECT_GE(checked, 10) << "start-location lines missing from golden_hashes.txt";
}

}  // namespace
}  // namespace pelorn
