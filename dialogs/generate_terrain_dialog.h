// The logic of the "Generate Terrain" dialog (template 206): 27 edit fields,
// one per generator parameter but genStartLocTries, and two check boxes for
// the sea-seeding flags.
//
// The dialog procedure:
//   init:   for each entry of kTerrainEditFields, set the control's text to
//           generateTerrainInitialText(id); check each of 610/611 when
//           checkBoxState(id) says so;
//   610/611 clicked: read the box's present state, call clickCheckBox, and
//           show the state it returns (the flag has changed already);
//   OK:     collect the 27 texts in the order of kTerrainEditFields, the seed
//           field's whole text and the symmetry chosen, call
//           applyGenerateTerrain; close unless it gives a reason to refuse,
//           which the dialog shows;
//   CANCEL: close.
// After the original controls (and OK and CANCEL) in tab order come the
// "Seed" field IDC_SEED (dialogs/seed_field.h), the "Symmetry" choice
// IDC_SYMMETRY, a drop-down list of kSymmetryNames, and the map's size,
// "Quads X" IDC_GENERATE_QUADS_X and "Quads Y" IDC_GENERATE_QUADS_Y.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "dialogs/dialog_context.h"
#include "generator/symmetry.h"

namespace pelorn {

// The label of the symmetry choice (IDC_SYMMETRY).
extern const char* const kSymmetryLabel;

struct TerrainDialogControl {
    int id;
    const char* label;   // the static text beside the control
    int parameterIndex;  // index into kParameterFields (generator/parameter_fields.h)
};

constexpr int kTerrainEditFieldCount = 27;
// The edit fields in the order OK reads them: 601..609, then 612..629.
extern const TerrainDialogControl kTerrainEditFields[kTerrainEditFieldCount];
// The check boxes 610 and 611.
extern const TerrainDialogControl kTerrainCheckBoxes[2];

// The headings over the three columns, and the label over the check boxes.
extern const char* const kTerrainColumnHeadings[3];
extern const char* const kMapBordersLabel;

// The field texts, in the order of kTerrainEditFields.
using TerrainFieldTexts = std::array<std::string, kTerrainEditFieldCount>;

// The text a field shows: its parameter by intToText or realToText. An empty
// text for an id that is not an edit field of this dialog.
std::string generateTerrainInitialText(const GeneratorParameters& parameters, int id);
TerrainFieldTexts generateTerrainInitialTexts(const GeneratorParameters& parameters);

// Whether box 610 or 611 shows checked: its flag holds 1.
bool checkBoxState(const GeneratorParameters& parameters, int id);
// A click on box 610 or 611: a checked box sets its flag to 0, an unchecked
// one to 1, at once (CANCEL does not undo it). Returns the box's new state.
// Any other id changes nothing and returns currentlyChecked.
bool clickCheckBox(GeneratorParameters& parameters, int id, bool currentlyChecked);

// The symmetry the choice shows when the dialog opens: the one last used,
// none at first.
Symmetry symmetryInitialChoice(const DialogMemory& memory);

// The size fields: what they show (the map's size in quads), and their labels.
struct MapSizeTexts {
    std::string quadX;
    std::string quadY;
};
MapSizeTexts generateSizeInitialTexts(const Map& map);
extern const char* const kQuadsXLabel;
extern const char* const kQuadsYLabel;

// OK with the seed field and the symmetry: when the map's width cannot have
// the symmetry, returns the reason and changes nothing. Otherwise stores each
// field (its first 15 characters, read by textToInt or textToReal; text
// without a number gives 0) in the order of kTerrainEditFields, seeds the
// generator from the seed text (seedFromField), writes unsaved edits of the
// map to a recovery copy (keepUnsavedWork), makes the world with the symmetry
// as one undoable edit, stores the parameters as the generator corrected
// them, and returns an empty text. With `size` (the size fields, read as
// "New Map" reads its counts), the world is made at that size: the width
// read decides the symmetry's refusal, a size no map may have is refused,
// and one undo step brings back the old map and size. When the generator
// could not make the world, the status line says so in red.
std::string applyGenerateTerrain(DialogContext& context, const TerrainFieldTexts& texts, std::string_view seedText,
                                 Symmetry symmetry, const std::optional<MapSizeTexts>& size = std::nullopt);

}  // namespace pelorn
