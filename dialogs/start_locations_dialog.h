// The logic of the "Generate Start Locations" dialog (template 205): one edit
// field, the number of tries per quad.
//
// The dialog procedure: init sets field 601 to startLocationsInitialText()
// and the "Seed" field (after OK and CANCEL in tab order) to
// seedFieldInitialText(); OK hands both texts to applyStartLocations and
// closes; CANCEL closes.
#pragma once

#include <string>
#include <string_view>

namespace pelorn {


// genStartLocTries as text.
std::string startLocationsInitialText();

// OK: the first 15 characters (empty gives "1") are read by textToInt (no
// number gives 0) into genStartLocTries, with no range check, and the start
// locations are placed anew; the generator repaints the map area.
void applyStartLocations(std::string_view tries);
// The same, the run starting from the seed field's text (seedFromField).
void applyStartLocations(std::string_view tries, std::string_view seedText);

}  // namespace pelorn
