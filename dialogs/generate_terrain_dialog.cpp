#include "dialogs/generate_terrain_dialog.h"

#include "dialogs/dialog_text.h"
#include "dialogs/seed_field.h"
#include "editing/editor.h"
#include "editing/unsaved_work.h"
#include "generator/parameter_fields.h"
#include "generator/world.h"
#include "map/map_grid.h"
#include "resources/resource.h"
#include "text/conversions.h"
#include "dialogs/map_dialogs.h"
#include "view/notice.h"
#include "view/players_status.h"
#include "view/seed_status.h"

namespace pelorn {

// parameterIndex follows the order of kParameterFields, where 0 is
// genStartLocTries and field 6nn shows entry nn.
const TerrainDialogControl kTerrainEditFields[kTerrainEditFieldCount] = {
    {601, "Roughness (from 0.0 to 10.0)", 1},
    {602, "Randomness Length", 2},
    {603, "Randomness Length Forest", 3},
    {604, "Randomness Length Desert", 4},
    {605, "Randomness Length Jungle", 5},
    {606, "Randomness Length Polar", 6},
    {607, "Randomness Length Steppes", 7},
    {608, "Generate River Tries", 8},
    {609, "Generate Sea Tiles", 9},
    {612, "Forest Factor", 12},
    {613, "Desert Factor", 13},
    {614, "Jungle Facotr", 14},
    {615, "Polar Factor", 15},
    {616, "Steppes Factor", 16},
    {617, "Equator Factor", 17},
    {618, "North Pole Limit", 18},
    {619, "South Pole Limit", 19},
    {620, "Sea Level Up to", 20},
    {621, "Plains Level Up To", 21},
    {622, "Fertile Plains Up To", 22},
    {623, "Hills Up To", 23},
    {624, "High Hills Up To", 24},
    {625, "Mountain 1 Up To", 25},
    {626, "Mountain 2 Up To", 26},
    {627, "Mountain 3 Up To", 27},
    {628, "Mountain 4 Up To", 28},
    {629, "Glaciers Deepness", 29},
};

const TerrainDialogControl kTerrainCheckBoxes[2] = {
    {IDC_SEED_HORIZONTAL_SEA, "Seed Horizontal Sea", 10},
    {IDC_SEED_VERTICAL_SEA, "Seed Vertical Sea", 11},
};

const char* const kTerrainColumnHeadings[3] = {
    "Map Generator Values (0,1,2,3...):",
    "Climate Values (from 0.0 to 10.0):",
    "Map Height Values (from 0.0 to 10.0):",
};
const char* const kMapBordersLabel = "Map borders:";
const char* const kSymmetryLabel = "Symmetry";
const char* const kQuadsXLabel = "Quads X";
const char* const kQuadsYLabel = "Quads Y";

namespace {

const ParameterField* editFieldParameter(int id) {
    for (const TerrainDialogControl& control : kTerrainEditFields) {
        if (control.id == id) return &kParameterFields[control.parameterIndex];
    }
    return nullptr;
}

const ParameterField* checkBoxField(int id) {
    for (const TerrainDialogControl& control : kTerrainCheckBoxes) {
        if (control.id == id) return &kParameterFields[control.parameterIndex];
    }
    return nullptr;
}

std::string parameterText(const GeneratorParameters& parameters, const ParameterField& field) {
    if (field.kind == ParameterKind::Integer) return intToText(parameters.*field.integer);
    return realToText(parameters.*field.real);
}

void storeParameter(GeneratorParameters& parameters, const ParameterField& field, std::string_view fieldText) {
    const std::string text = firstChars(fieldText);
    if (field.kind == ParameterKind::Integer) {
        parameters.*field.integer = textToInt(text);
    } else {
        parameters.*field.real = textToReal(text);
    }
}

}  // namespace

std::string generateTerrainInitialText(const GeneratorParameters& parameters, int id) {
    const ParameterField* field = editFieldParameter(id);
    return field ? parameterText(parameters, *field) : std::string();
}

TerrainFieldTexts generateTerrainInitialTexts(const GeneratorParameters& parameters) {
    TerrainFieldTexts texts;
    for (int i = 0; i < kTerrainEditFieldCount; ++i) {
        texts[i] = parameterText(parameters, kParameterFields[kTerrainEditFields[i].parameterIndex]);
    }
    return texts;
}

bool checkBoxState(const GeneratorParameters& parameters, int id) {
    const ParameterField* field = checkBoxField(id);
    return field && parameters.*field->flag == 1;
}

bool clickCheckBox(GeneratorParameters& parameters, int id, bool currentlyChecked) {
    const ParameterField* field = checkBoxField(id);
    if (!field) return currentlyChecked;
    parameters.*field->flag = currentlyChecked ? 0 : 1;
    return !currentlyChecked;
}

Symmetry symmetryInitialChoice(const DialogMemory& memory) { return memory.lastSymmetry; }

MapSizeTexts generateSizeInitialTexts(const Map& map) {
    return {intToText(map.quadCountX), intToText(map.quadCountY)};
}

std::string applyGenerateTerrain(DialogContext& context, const TerrainFieldTexts& texts, std::string_view seedText,
                                 Symmetry symmetry, const std::optional<MapSizeTexts>& size) {
    Editor& editor = context.editor;
    const std::int32_t quadsX = size ? quadCountFromText(size->quadX) : editor.map().quadCountX;
    const std::int32_t quadsY = size ? quadCountFromText(size->quadY) : editor.map().quadCountY;
    if (!isAcceptableMapSize(quadsX, quadsY)) return "No map can be that large.";
    std::string refusal = symmetryRefusal(symmetry, quadsX);
    if (!refusal.empty()) return refusal;
    context.memory.lastSymmetry = symmetry;
    const std::uint32_t used = seedFromField(context.random, seedText);
    GeneratorParameters& parameters = context.generatorParameters;
    for (int i = 0; i < kTerrainEditFieldCount; ++i) {
        storeParameter(parameters, kParameterFields[kTerrainEditFields[i].parameterIndex], texts[i]);
    }
    // The world replaces the map: its unsaved edits go to a recovery copy
    // first. They stay in the undo history as well, so the world is made
    // even when the copy cannot be written (the status line says so).
    keepUnsavedWork(editor);
    Map& map = editor.map();
    const bool resized = quadsX != map.quadCountX || quadsY != map.quadCountY;
    const bool generated = editor.runRecordedWholeMapEdit(
        [&] {
            if (resized && !replaceWithEmptyMap(map, quadsX, quadsY)) return false;
            const GenerateResult result = generateSymmetricMap(map, parameters, context.random, symmetry);
            parameters = result.parameters;  // as the generator corrected them
            return result.generated;
        },
        resized ? MapChange::kWholeMap : MapChange::kTiles);
    clearPlayersStatus(editor.screen);  // the new world has no starts
    showSeed(editor.screen, used);
    if (!generated) showNotice(editor.screen, "The world could not be made: not enough memory", true);
    return {};
}

}  // namespace pelorn
