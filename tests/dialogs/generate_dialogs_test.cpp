#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/generate_terrain_dialog.h"
#include "dialogs/map_dialogs.h"
#include "dialogs/seed_field.h"
#include "dialogs/start_locations_dialog.h"
#include "files/map_file.h"
#include "generator/generator_test_support.h"
#include "generator/parameter_fields.h"
#include "generator/parameters.h"
#include "generator/random.h"
#include "generator/world.h"
#include "map/map_grid.h"
#include "startlocations/players.h"
#include "startlocations/start_locations.h"
#include "support/program_fixture.h"
#include "view/layout.h"
#include "view/seed_status.h"
#include "working_folder.h"

namespace pelorn {
namespace {

using test::area;

int indexOf(int id) {
    for (int i = 0; i < kTerrainEditFieldCount; ++i)
        if (kTerrainEditFields[i].id == id) return i;
    return -1;
}

const PlayersFieldTexts kRandomTries{"0", "0", "3"};

class GenerateDialogs : public test::ProgramTest {
protected:
    void SetUp() override { makeMap(1, 1); }

    // The dialogs' entry points on this test's program.
    TerrainFieldTexts initialTexts() const { return generateTerrainInitialTexts(generatorParameters); }
    std::string initialText(int id) const { return generateTerrainInitialText(generatorParameters, id); }
    std::string generate(const TerrainFieldTexts& texts, std::string_view seedText = "",
                         Symmetry symmetry = Symmetry::kNone) {
        return applyGenerateTerrain(context, texts, seedText, symmetry);
    }
    void placeStarts(std::string_view tries, const PlayersFieldTexts& players = kRandomTries,
                     std::string_view seedText = "") {
        applyStartLocations(context, tries, players, seedText);
    }

    // The generators run directly, as the dialogs run them.
    bool makeWorld() {
        const GenerateResult result = generateRandomMap(map, generatorParameters, random);
        generatorParameters = result.parameters;
        return result.generated;
    }
    bool makeSymmetricWorld(Symmetry symmetry) {
        const GenerateResult result = generateSymmetricMap(map, generatorParameters, random, symmetry);
        generatorParameters = result.parameters;
        return result.generated;
    }

    const std::optional<std::uint32_t>& shownSeed() const { return screen.seedShown; }
    const std::string& playersStatus() const { return screen.playersText; }
    bool canUndo() const { return document.history.canUndo(); }
    // The repaints asked for since the last look, the caption's aside.
    std::vector<Repaint> repaints() { return takeRepaints().others; }

    test::WorkingFolder folder;  // a world made over unsaved edits writes a recovery copy
};

TEST(GenerateTerrainTable, FieldsShowTheRightParametersInOrder) {
    const struct {
        int id;
        const char* parameter;
        ParameterKind kind;
        const char* label;
    } expected[] = {
        {601, "roughnessFactor", ParameterKind::Real, "Roughness (from 0.0 to 10.0)"},
        {602, "randomnessLength", ParameterKind::Integer, "Randomness Length"},
        {603, "randomnessLengthForest", ParameterKind::Integer, "Randomness Length Forest"},
        {604, "randomnessLengthDesert", ParameterKind::Integer, "Randomness Length Desert"},
        {605, "randomnessLengthJungle", ParameterKind::Integer, "Randomness Length Jungle"},
        {606, "randomnessLengthPolar", ParameterKind::Integer, "Randomness Length Polar"},
        {607, "randomnessLengthSteppes", ParameterKind::Integer, "Randomness Length Steppes"},
        {608, "genRiverTries", ParameterKind::Integer, "Generate River Tries"},
        {609, "genSeaTiles", ParameterKind::Integer, "Generate Sea Tiles"},
        {612, "forestFactor", ParameterKind::Real, "Forest Factor"},
        {613, "desertFactor", ParameterKind::Real, "Desert Factor"},
        {614, "jungleFactor", ParameterKind::Real, "Jungle Facotr"},
        {615, "polarFactor", ParameterKind::Real, "Polar Factor"},
        {616, "steppesFactor", ParameterKind::Real, "Steppes Factor"},
        {617, "equatorFactor", ParameterKind::Real, "Equator Factor"},
        {618, "northPoleFactor", ParameterKind::Real, "North Pole Limit"},
        {619, "southPoleFactor", ParameterKind::Real, "South Pole Limit"},
        {620, "levelSea", ParameterKind::Real, "Sea Level Up to"},
        {621, "levelPlains", ParameterKind::Real, "Plains Level Up To"},
        {622, "levelFertilePlains", ParameterKind::Real, "Fertile Plains Up To"},
        {623, "levelHills", ParameterKind::Real, "Hills Up To"},
        {624, "levelHighHills", ParameterKind::Real, "High Hills Up To"},
        {625, "levelMountain1", ParameterKind::Real, "Mountain 1 Up To"},
        {626, "levelMountain2", ParameterKind::Real, "Mountain 2 Up To"},
        {627, "levelMountain3", ParameterKind::Real, "Mountain 3 Up To"},
        {628, "levelMountain4", ParameterKind::Real, "Mountain 4 Up To"},
        {629, "levelcorrectionGlacial", ParameterKind::Real, "Glaciers Deepness"},
    };
    ASSERT_EQ(std::size(expected), static_cast<std::size_t>(kTerrainEditFieldCount));
    for (int i = 0; i < kTerrainEditFieldCount; ++i) {
        const TerrainDialogControl& control = kTerrainEditFields[i];
        EXPECT_EQ(control.id, expected[i].id);
        EXPECT_STREQ(control.label, expected[i].label);
        EXPECT_EQ(kParameterFields[control.parameterIndex].key, "#" + std::string(expected[i].parameter) + "#")
            << control.id;
        EXPECT_EQ(kParameterFields[control.parameterIndex].kind, expected[i].kind) << control.id;
    }
    EXPECT_EQ(kTerrainCheckBoxes[0].id, 610);
    EXPECT_STREQ(kTerrainCheckBoxes[0].label, "Seed Horizontal Sea");
    EXPECT_STREQ(kParameterFields[kTerrainCheckBoxes[0].parameterIndex].key, "#seedHorizontalSea#");
    EXPECT_EQ(kTerrainCheckBoxes[1].id, 611);
    EXPECT_STREQ(kTerrainCheckBoxes[1].label, "Seed Vertical Sea");
    EXPECT_STREQ(kParameterFields[kTerrainCheckBoxes[1].parameterIndex].key, "#seedVerticalSea#");
}

TEST_F(GenerateDialogs, DefaultTexts) {
    const TerrainFieldTexts texts = initialTexts();
    const char* expected[] = {"1.2", "17", "5", "33", "33", "17", "33", "50", "5000", "4", "4", "4", "8", "2",
                              "3",   "3",  "3", "5",  "6.7", "6.9", "7.9", "8.9", "9.3", "9.6", "9.8", "10", "0.7"};
    for (int i = 0; i < kTerrainEditFieldCount; ++i) {
        EXPECT_EQ(texts[i], expected[i]) << kTerrainEditFields[i].id;
        EXPECT_EQ(initialText(kTerrainEditFields[i].id), expected[i]);
    }
    EXPECT_EQ(initialText(610), "");
    EXPECT_EQ(initialText(600), "");
    EXPECT_FALSE(checkBoxState(generatorParameters, 610));
    EXPECT_FALSE(checkBoxState(generatorParameters, 611));
    EXPECT_EQ(startLocationsInitialText(generatorParameters), "1000");
}

TEST_F(GenerateDialogs, CheckBoxesChangeTheirFlagAtOnce) {
    EXPECT_TRUE(clickCheckBox(generatorParameters, 610, false));
    EXPECT_EQ(generatorParameters.seedHorizontalSea, 1);
    EXPECT_EQ(generatorParameters.seedVerticalSea, 0);
    // CANCEL now would apply nothing; the flag stays and the next opening shows it.
    EXPECT_TRUE(checkBoxState(generatorParameters, 610));
    EXPECT_FALSE(clickCheckBox(generatorParameters, 610, true));
    EXPECT_EQ(generatorParameters.seedHorizontalSea, 0) << "two clicks leave the flag as it was";

    EXPECT_TRUE(clickCheckBox(generatorParameters, 611, false));
    EXPECT_EQ(generatorParameters.seedVerticalSea, 1);
    EXPECT_TRUE(checkBoxState(generatorParameters, 611));

    // The box's own state decides, not the flag: a stale box still toggles from what it shows.
    generatorParameters.seedVerticalSea = 7;
    EXPECT_FALSE(checkBoxState(generatorParameters, 611)) << "only a flag of 1 shows checked";
    EXPECT_TRUE(clickCheckBox(generatorParameters, 611, false));
    EXPECT_EQ(generatorParameters.seedVerticalSea, 1);

    const GeneratorParameters before = generatorParameters;
    EXPECT_TRUE(clickCheckBox(generatorParameters, 612, true));
    EXPECT_FALSE(clickCheckBox(generatorParameters, 609, false));
    EXPECT_EQ(std::memcmp(&before, &generatorParameters, sizeof before), 0);
}

TEST_F(GenerateDialogs, ApplyStoresEveryFieldThenGenerates) {
    TerrainFieldTexts texts = initialTexts();
    texts[indexOf(608)] = "";           // emptied integer field
    texts[indexOf(620)] = "";           // emptied real field
    texts[indexOf(602)] = "12.9";       // whole part only
    texts[indexOf(603)] = "words";      // no number
    texts[indexOf(609)] = "000000000000007" "9";  // only the first 15 characters count
    texts[indexOf(612)] = "+2.5e0junk";
    texts[indexOf(625)] = "9.31234567890123";     // cut to 9.312345678901
    random.seed(77);
    generate(texts);
    const GeneratorParameters stored = generatorParameters;
    EXPECT_EQ(stored.genRiverTries, 0);
    EXPECT_EQ(stored.levelSea, 0.0f);
    EXPECT_EQ(stored.randomnessLength, 12);
    EXPECT_EQ(stored.randomnessLengthForest, 0);
    EXPECT_EQ(stored.genSeaTiles, 7);
    EXPECT_EQ(stored.forestFactor, 2.5f);
    EXPECT_EQ(stored.levelMountain1, 9.312345678901f);
    EXPECT_EQ(stored.genStartLocTries, 1000) << "not a field of this dialog";
    const TerrainFieldTexts next = initialTexts();
    EXPECT_EQ(next[indexOf(608)], "0");
    EXPECT_EQ(next[indexOf(620)], "0");

    // OK ran exactly one generation on the stored values, from the same stream.
    const std::vector<TerrainCode> generated = tiles();
    EXPECT_FALSE(repaints().empty());
    random.seed(77);
    makeWorld();
    EXPECT_EQ(tiles(), generated);
}

TEST_F(GenerateDialogs, GeneratorCorrectionsShowNextTime) {
    TerrainFieldTexts texts = initialTexts();
    texts[indexOf(613)] = "10";
    random.seed(1);
    generate(texts);
    EXPECT_EQ(initialText(613), "9.9");
}

TEST_F(GenerateDialogs, StartLocationsTriesField) {
    freeMapGrid(map);
    quadCountX = 2;
    quadCountY = 1;
    ASSERT_TRUE(allocateMapGrid(map));
    for (int x = 0; x < 200; ++x)
        for (int y = 0; y < 100; ++y) mapGrid[x][y] = 2;
    mapGrid[0][0] = 54;

    // Empty: one try per quad, two draws each.
    random.seed(500);
    placeStarts("");
    EXPECT_EQ(generatorParameters.genStartLocTries, 1);
    std::uint32_t state = 500;
    for (int i = 0; i < 4; ++i) state = state * 214013u + 2531011u;
    EXPECT_EQ(random.state(), state);
    EXPECT_EQ(mapGrid[0][0], 9);
    mapGrid[0][0] = 2;
    // The map area, then the seed the run started from in the status line.
    EXPECT_EQ(repaints(), (std::vector{area(kMapAreaRect, true), area(kSeedStatusRect, true)}));

    placeStarts("500");
    EXPECT_EQ(generatorParameters.genStartLocTries, 500);
    int placed = 0;
    for (int x = 0; x < 200; ++x)
        for (int y = 0; y < 100; ++y) placed += mapGrid[x][y] == 51;
    EXPECT_GT(placed, 50);

    placeStarts("0");
    EXPECT_EQ(generatorParameters.genStartLocTries, 0);
    EXPECT_EQ(startLocationsInitialText(generatorParameters), "0");
    for (int x = 0; x < 200; ++x)
        for (int y = 0; y < 100; ++y) ASSERT_EQ(mapGrid[x][y], 2);

    placeStarts("500");
    placeStarts("none");
    EXPECT_EQ(generatorParameters.genStartLocTries, 0);
    for (int x = 0; x < 200; ++x)
        for (int y = 0; y < 100; ++y) ASSERT_EQ(mapGrid[x][y], 2);

    placeStarts("-25");
    EXPECT_EQ(generatorParameters.genStartLocTries, -25);
    EXPECT_EQ(startLocationsInitialText(generatorParameters), "-25");
    placeStarts("000000000000003" "0");
    EXPECT_EQ(generatorParameters.genStartLocTries, 3);
}

// The seed field shows the generator's state; left as it is, OK makes exactly
// the world OK made before the field existed; a seed typed there makes the
// world of that seed, and the status line shows the seed the run began with.
TEST_F(GenerateDialogs, SeedFieldLeftAsItIsMakesTodaysWorld) {
    const TerrainFieldTexts texts = initialTexts();
    random.seed(4294967295u);
    EXPECT_EQ(seedFieldInitialText(random), "4294967295");
    EXPECT_EQ(generate(texts, seedFieldInitialText(random), Symmetry::kNone), "");
    const std::vector<TerrainCode> withField = tiles();
    const std::uint32_t after = random.state();
    EXPECT_EQ(shownSeed(), 4294967295u);
    EXPECT_EQ(seedStatusText(screen), "seed 4294967295");
    const std::vector<Repaint> asked = repaints();
    EXPECT_NE(std::find(asked.begin(), asked.end(), area(kSeedStatusRect, true)), asked.end());

    random.seed(4294967295u);
    generate(texts);
    EXPECT_EQ(tiles(), withField);
    EXPECT_EQ(random.state(), after);
    // The next opening shows where the stream has got to.
    EXPECT_EQ(seedFieldInitialText(random), std::to_string(after));
}

TEST_F(GenerateDialogs, SeedTypedInMakesThatSeedsWorld) {
    freeMapGrid(map);
    quadCountX = 2;
    ASSERT_TRUE(allocateMapGrid(map));
    random.seed(5);
    EXPECT_EQ(generate(initialTexts(), " 000123456789 ", Symmetry::kNone), "");
    EXPECT_EQ(shownSeed(), 123456789u);
    const std::vector<TerrainCode> typed = tiles();
    random.seed(123456789);
    makeWorld();
    EXPECT_EQ(tiles(), typed);
}

// Text that holds no seed leaves the generator's state as it is: the run
// continues the stream, as if the field had been left alone.
TEST_F(GenerateDialogs, TextWithoutASeedLeavesTheStateAsItIs) {
    const TerrainFieldTexts texts = initialTexts();
    random.seed(31337);
    generate(texts);
    const std::vector<TerrainCode> continued = tiles();
    for (const char* text : {"", "seed", "12ab", "-1", "+7", "1.5", "4294967296", "184467440737095516160000"}) {
        SCOPED_TRACE(text);
        random.seed(31337);
        EXPECT_EQ(generate(texts, text, Symmetry::kNone), "");
        EXPECT_EQ(tiles(), continued);
        EXPECT_EQ(shownSeed(), 31337u);
    }
}

TEST_F(GenerateDialogs, SymmetryChosenMakesASymmetricWorldAndIsKept) {
    freeMapGrid(map);
    quadCountX = 2;
    ASSERT_TRUE(allocateMapGrid(map));
    EXPECT_EQ(symmetryInitialChoice(program.dialogMemory), Symmetry::kNone);
    EXPECT_EQ(generate(initialTexts(), "8", Symmetry::kCopies4), "");
    EXPECT_EQ(symmetryInitialChoice(program.dialogMemory), Symmetry::kCopies4);
    const std::vector<TerrainCode> made = tiles();
    random.seed(8);
    ASSERT_TRUE(makeSymmetricWorld(Symmetry::kCopies4));
    EXPECT_EQ(tiles(), made);
    // Undo takes the symmetric world back as one edit.
    ASSERT_TRUE(editor.undo());
    for (TerrainCode code : tiles()) ASSERT_EQ(code, kVoid);
}

// copies4 on a map of an odd number of quads across is refused with its
// reason before anything is stored, seeded or generated.
TEST_F(GenerateDialogs, SymmetryTheWidthCannotHaveIsRefusedWithItsReason) {
    ASSERT_EQ(quadCountX, 1);
    TerrainFieldTexts texts = initialTexts();
    texts[indexOf(608)] = "3";
    random.seed(9);
    const std::string reason = generate(texts, "77", Symmetry::kCopies4);
    EXPECT_NE(reason.find("copies4 needs an even number of quads across"), std::string::npos) << reason;
    EXPECT_EQ(generatorParameters.genRiverTries, 50);
    EXPECT_EQ(random.state(), 9u);
    EXPECT_FALSE(shownSeed());
    EXPECT_EQ(symmetryInitialChoice(program.dialogMemory), Symmetry::kNone);
    for (TerrainCode code : tiles()) ASSERT_EQ(code, kVoid);
    EXPECT_FALSE(canUndo());
}

TEST_F(GenerateDialogs, StartLocationsSeedField) {
    for (int x = 0; x < 100; ++x)
        for (int y = 0; y < 100; ++y) mapGrid[x][y] = kPlains;
    random.seed(1);
    placeStarts("300", kRandomTries, "2024");
    EXPECT_EQ(shownSeed(), 2024u);
    const std::vector<TerrainCode> placed = tiles();
    for (int x = 0; x < 100; ++x)
        for (int y = 0; y < 100; ++y) mapGrid[x][y] = kPlains;
    random.seed(2024);
    generateStartLocations(map, generatorParameters, random);
    EXPECT_EQ(tiles(), placed);
    // No seed in the text: the stream goes on from where it is.
    const std::uint32_t state = random.state();
    placeStarts("300", kRandomTries, "twenty");
    EXPECT_EQ(shownSeed(), state);
    EXPECT_EQ(test::drawsSince(random, state), 600);
    // Players mode draws nothing: its own text takes the field.
    placeStarts("300", PlayersFieldTexts{"2", "0", "3"}, "5");
    EXPECT_FALSE(shownSeed());
    EXPECT_EQ(playersStatus(), "2 starts, home 0%, room 0%");
    placeStarts("300", kRandomTries, "5");
    EXPECT_EQ(shownSeed(), 5u);
    EXPECT_EQ(playersStatus(), "");
}

// After a symmetric world, players mode places the starts in symmetric sets
// when their number is a multiple of the symmetry's order, so every start's
// land is worth the same; any other number is placed as ever.
TEST_F(GenerateDialogs, PlayersModeFollowsTheSymmetryOfTheLastWorld) {
    freeMapGrid(map);
    quadCountX = 2;
    ASSERT_TRUE(allocateMapGrid(map));
    ASSERT_EQ(generate(initialTexts(), "11", Symmetry::kCopies2), "");
    placeStarts("1000", PlayersFieldTexts{"6", "20", "3"}, "");
    EXPECT_EQ(playersStatus(), "6 starts, home 0%, room 0%");
    std::vector<TilePos> starts = startLocationsOnMap(map);
    ASSERT_EQ(starts.size(), 6u);
    for (const TilePos& p : starts) EXPECT_TRUE(isStartLocationCode(mapGrid[(p.x + 100) % 200][p.y])) << p.x << "," << p.y;
    // Five players: no symmetric sets, the starts as players mode places them.
    placeStarts("1000", PlayersFieldTexts{"5", "20", "3"}, "");
    starts = startLocationsOnMap(map);
    ASSERT_EQ(starts.size(), 5u);
}

TEST_F(GenerateDialogs, ANewMapTakesTheShownSeedAway) {
    generate(initialTexts(), "3", Symmetry::kNone);
    EXPECT_EQ(shownSeed(), 3u);
    ASSERT_TRUE(applyNewMap(editor, "Fresh", "1", "1"));
    EXPECT_FALSE(shownSeed());
}

// Players mode from the dialog: the fields are read as the tries field is,
// a refused field changes nothing, and the status line tells what was placed.
TEST_F(GenerateDialogs, StartLocationsPlayersFields) {
    const PlayersFieldTexts first = playersInitialTexts(program.dialogMemory);
    EXPECT_EQ(first.players, "0");
    EXPECT_EQ(first.minDistance, "") << "empty: the automatic spacing";
    EXPECT_EQ(first.radius, "3");

    const struct {
        PlayersFieldTexts texts;
        std::optional<int> refused;
    } checks[] = {
        {{"0", "-5", "99"}, std::nullopt},  // the random tries look at nothing else
        {{"", "", ""}, std::nullopt},
        {{"none", "", ""}, std::nullopt},   // no number: 0 players
        {{"8", "", ""}, std::nullopt},
        {{"1000", "100000", "20"}, std::nullopt},
        {{" 8", " 20", " 0"}, std::nullopt},
        {{"-1", "", ""}, 602},
        {{"1001", "", ""}, 602},
        {{"8", "-1", ""}, 603},             // typed, -1 is no automatic spacing
        {{"8", " -7", ""}, 603},
        {{"8", "100001", ""}, 603},
        {{"8", "20", "21"}, 604},
        {{"8", "20", "-1"}, 604},
        {{"8", "x", "21"}, 604},            // no number: distance 0
        {{"0000000000000008", "", ""}, std::nullopt},  // the 16th character is not read
    };
    for (const auto& c : checks) {
        EXPECT_EQ(refusedPlayersField(c.texts), c.refused) << c.texts.players << "|" << c.texts.minDistance << "|" << c.texts.radius;
    }

    generatorParameters = GeneratorParameters{};
    freeMapGrid(map);
    quadCountX = 2;
    quadCountY = 2;
    random.seed(9);
    ASSERT_TRUE(makeWorld());
    const std::vector<TerrainCode> world = tiles();
    PlayersOptions options;
    options.players = 6;
    options.minDistance = 40;
    const PlayersPlan plan = planPlayerStarts(map, options);
    ASSERT_TRUE(plan.complete);

    // A refused field: nothing stored, nothing placed, nothing shown.
    placeStarts("77", {"6", "40", "25"});
    EXPECT_EQ(generatorParameters.genStartLocTries, 1000);
    EXPECT_EQ(tiles(), world);
    EXPECT_EQ(playersStatus(), "");
    EXPECT_FALSE(canUndo());

    repaints();  // those of the runs above
    const std::uint32_t state = random.state();
    placeStarts("77", {"6", "40", ""});
    EXPECT_EQ(generatorParameters.genStartLocTries, 77) << "the tries are stored in either mode";
    EXPECT_EQ(random.state(), state) << "players mode draws no random numbers";
    EXPECT_EQ(startLocationsOnMap(map), plan.starts);
    EXPECT_EQ(playersStatus(), playersStatusText(plan));
    EXPECT_EQ(playersStatus(), "6 starts, home " + std::to_string(plan.report.landSpread.percent()) + "%, room " +
                                   std::to_string(plan.roomSpread.percent()) + "%");
    EXPECT_EQ(repaints(), (std::vector{area(kMapAreaRect, true), area(kPlayersTextRepaintRect, true)}));
    const PlayersFieldTexts kept = playersInitialTexts(program.dialogMemory);
    EXPECT_EQ(kept.players, "6");
    EXPECT_EQ(kept.minDistance, "40");
    EXPECT_EQ(kept.radius, "") << "the dialog shows what was typed";
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(tiles(), world) << "one undoable edit";
    ASSERT_TRUE(editor.redo());

    // More than the map holds: as many as it holds, and the status says so.
    placeStarts("77", {"50", "60", "3"});
    const std::size_t held = startLocationsOnMap(map).size();
    EXPECT_LT(held, 50u);
    EXPECT_GT(held, 0u);
    EXPECT_EQ(playersStatus().rfind(std::to_string(held) + " of 50 starts, home ", 0), 0u) << playersStatus();

    // The random tries take the text away, and repaint its field.
    repaints();  // those of the runs above
    placeStarts("100", {"0", "60", "3"});
    EXPECT_EQ(playersStatus(), "");
    const std::vector<Repaint> asked = repaints();
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.front(), area(kPlayersTextRepaintRect, true));
    EXPECT_GT(startLocationsOnMap(map).size(), 6u);
    // So do another world and another map.
    placeStarts("1", {"2", "", ""});
    EXPECT_EQ(playersStatus().substr(0, 8), "2 starts");
    generate(initialTexts());
    EXPECT_EQ(playersStatus(), "");
    placeStarts("1", {"2", "", ""});
    ASSERT_TRUE(applyNewMap(editor, "fresh", "1", "1"));
    EXPECT_EQ(playersStatus(), "");
}

}  // namespace
}  // namespace pelorn

namespace pelorn {
namespace {

// The fields that keep a dialog open: a size no map may have, a seed that is
// no seed. Letters and counts below 1 still read as 1.
TEST(DialogFieldChecks, SizesAndSeedsThatKeepTheDialogOpen) {
    const struct {
        const char* x;
        const char* y;
        int refused;
    } sizes[] = {{"1", "1", 0}, {"", "", 0}, {"abc", "-4", 0}, {"100", "10", 0}, {"101", "1", 1},
                 {"99999", "1", 1}, {"40", "40", 2}, {"1", "101", 2}, {"32", "32", 0}, {"32", "33", 2}};
    for (const auto& s : sizes) EXPECT_EQ(refusedQuadCountField(s.x, s.y), s.refused) << s.x << " " << s.y;
    const std::pair<const char*, bool> seeds[] = {{"", true}, {"  ", true}, {"0", true}, {" 4294967295 ", true},
                                                  {"4294967296", false}, {"12a", false}, {"-1", false},
                                                  {"1.5", false}, {"99999999999999999999", false}};
    for (const auto& [text, accepted] : seeds) EXPECT_EQ(seedFieldAccepted(text), accepted) << text;
}

// Quads X and Y make the world at another size; one undo brings the old map back.
TEST_F(GenerateDialogs, TheSizeFieldsMakeTheWorldAtThatSize) {
    mapGrid[5][5] = kHills;
    EXPECT_EQ(generateSizeInitialTexts(map).quadX, "1");
    ASSERT_EQ(applyGenerateTerrain(context, initialTexts(), "7", Symmetry::kNone, MapSizeTexts{"3", "2"}), "");
    EXPECT_EQ(quadCountX * 10 + quadCountY, 32);
    const std::string made = mapFileText(map);
    ASSERT_TRUE(editor.undo());
    EXPECT_EQ(quadCountX * 10 + quadCountY, 11);
    EXPECT_EQ(mapGrid[5][5], kHills);
    ASSERT_TRUE(editor.redo());
    // The width read decides the symmetry; a size no map may have changes nothing.
    EXPECT_NE(applyGenerateTerrain(context, initialTexts(), "", Symmetry::kCopies4, MapSizeTexts{"3", "2"}), "");
    EXPECT_NE(applyGenerateTerrain(context, initialTexts(), "", Symmetry::kNone, MapSizeTexts{"101", "2"}), "");
    EXPECT_EQ(mapFileText(map), made);
}

}  // namespace
}  // namespace pelorn
