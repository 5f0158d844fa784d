#include "dialogs/start_locations_dialog.h"

#include "dialogs/dialog_text.h"
#include "dialogs/seed_field.h"
#include "editing/history.h"
#include "generator/parameters.h"
#include "startlocations/start_locations.h"
#include "text/conversions.h"

namespace pelorn {

std::string startLocationsInitialText() { return intToText(generatorParameters.genStartLocTries); }

namespace {

void storeTries(std::string_view tries) {
    std::string text = firstChars(tries);
    if (text.empty()) text = "1";
    generatorParameters.genStartLocTries = textToInt(text);
}

}  // namespace

void applyStartLocations(std::string_view tries) {
    storeTries(tries);
    runRecordedWholeMapEdit(generateStartLocations, MapChange::kTiles);
}

void applyStartLocations(std::string_view tries, std::string_view seedText) {
    storeTries(tries);
    seedFromField(seedText);
    runRecordedWholeMapEdit(generateStartLocations, MapChange::kTiles);
}

}  // namespace pelorn
