#include "dialogs/replace_terrain_dialog.h"

#include <gtest/gtest.h>

#include "support/program_fixture.h"

namespace pelorn {
namespace {

TEST(TerrainFromText, LegendNamesInAnyCaseOrCodes) {
    const std::pair<const char*, std::optional<TerrainCode>> cases[] = {
        {"Sea", kSea}, {"  sEA ", kSea}, {"f plains", kFertilePlains}, {"Mount4", kMount4}, {"21", kSea},
        {"051", 51}, {"Void", kVoid}, {"0", kVoid}, {"", std::nullopt}, {"Seas", std::nullopt},
        {"45", std::nullopt}, {"61", std::nullopt}, {"-1", std::nullopt}, {"2 1", std::nullopt},
        {"99999999999999999999", std::nullopt}};
    for (const auto& [text, code] : cases) EXPECT_EQ(terrainFromText(text), code) << text;
}

class ReplaceTerrainDialogTest : public test::ProgramTest {};

TEST_F(ReplaceTerrainDialogTest, OkReplacesOrNamesTheFieldItRefused) {
    makeMap(1, 1, kDesert);
    currentTerrain = kSteppes;
    const ReplaceTerrainTexts initial = replaceTerrainInitialTexts(editor);
    EXPECT_EQ(initial.replace, "");
    EXPECT_EQ(initial.with, "Steppes");
    EXPECT_FALSE(initial.onlySelection);
    EXPECT_EQ(applyReplaceTerrain(editor, "dune", "steppes", false), ReplaceField::kReplace);
    EXPECT_EQ(applyReplaceTerrain(editor, "desert", "", false), ReplaceField::kWith);
    EXPECT_EQ(mapGrid[0][0], kDesert);
    editor.setSelection(TileRect{10, 10, 4, 5});
    EXPECT_TRUE(replaceTerrainInitialTexts(editor).onlySelection);
    EXPECT_EQ(applyReplaceTerrain(editor, "DESERT", "steppes", true), ReplaceField::kNone);
    EXPECT_EQ(screen.editText, "20 tiles replaced");
    EXPECT_EQ(mapGrid[13][14], kSteppes);
    EXPECT_EQ(mapGrid[14][14], kDesert);
    EXPECT_TRUE(editor.undo());
    EXPECT_EQ(mapGrid[13][14], kDesert);
}

}  // namespace
}  // namespace pelorn
