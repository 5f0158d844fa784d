// The committed reference worlds, generated in process exactly as
// pelorn-cli generate makes them.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "files/map_file.h"
#include "files/settings_file.h"
#include "generator/world.h"
#include "generator_test_support.h"
#include "sha256.h"

namespace pelorn::test {
namespace {

const std::string kGeneratorTests = std::string(PELORN_TEST_DATA) + "/../generator/";

struct GoldenEntry {
    std::string hash;
    std::string command;
    std::vector<std::string> words;
};

std::vector<GoldenEntry> readGoldenEntries() {
    std::vector<GoldenEntry> entries;
    std::ifstream in(kGeneratorTests + "golden_hashes.txt");
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        GoldenEntry entry;
        std::istringstream words(line);
        words >> entry.hash;
        entry.command = line.substr(line.find("pelorn-cli"));
        for (std::string word; words >> word;) entry.words.push_back(word);
        entries.push_back(entry);
    }
    return entries;
}

std::string option(const GoldenEntry& entry, const std::string& name) {
    for (std::size_t i = 0; i + 1 < entry.words.size(); ++i)
        if (entry.words[i] == name) return entry.words[i + 1];
    return {};
}

TEST(Sha256, KnownDigests) {
    EXPECT_EQ(sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    // Several blocks.
    EXPECT_EQ(sha256Hex(std::string(1000, 'a')),
              "41edece42d63e8d9bf515a9ba6932e1c20cbc9f5a5d134645adb5db1b9737ea3");
}

TEST(GoldenWorlds, EveryReferenceWorldComesOutByteForByte) {
    const auto entries = readGoldenEntries();
    ASSERT_GE(entries.size(), 10u) << "golden_hashes.txt not found or empty";
    for (const GoldenEntry& entry : entries) {
        SCOPED_TRACE(entry.command);
        if (entry.command.find("startlocations") != std::string::npos) continue;  // test_startlocations
        ASSERT_EQ(entry.words.at(0), "pelorn-cli");
        ASSERT_EQ(entry.words.at(1), "generate");
        GeneratorParameters parameters;
        const std::string settings = option(entry, "--settings");
        if (!settings.empty()) {
            ASSERT_TRUE(readSettingsFile(kGeneratorTests + settings, parameters));
        }
        const std::string quads = option(entry, "--quads");
        const std::size_t cross = quads.find('x');
        ASSERT_NE(cross, std::string::npos);
        Map map;
        map.quadCountX = std::stoi(quads.substr(0, cross));
        map.quadCountY = std::stoi(quads.substr(cross + 1));
        map.currentMapName = option(entry, "--name");
        Random random(static_cast<std::uint32_t>(std::stoul(option(entry, "--seed"))));
        const std::string symmetry = option(entry, "--symmetry");
        if (symmetry.empty()) {
            generateRandomMap(map, parameters, random);
        } else {
            ASSERT_TRUE(parseSymmetry(symmetry));
            generateSymmetricMap(map, parameters, random, *parseSymmetry(symmetry));
        }
        EXPECT_EQ(sha256Hex(mapFileText(map)), entry.hash);
    }
}

}  // namespace
}  // namespace pelorn::test
