// The logic of the "Generate Start Locations" dialog (template 205): one edit
// field, the number of tries per quad.
//
// The dialog procedure: init sets field 601 to startLocationsInitialText();
// OK hands the field's text to applyStartLocations and closes; CANCEL closes.
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

}  // namespace pelorn
