// The settings file: the name of the map open last and every generator
// parameter, carried from one run to the next.
#pragma once

#include <string>
#include <string_view>

namespace pelorn {

constexpr const char* kSettingsFileName = "appdata.dat";

// The exact bytes writeSettingsFile writes: "#LastOpen# <name>", then one
// line per generator parameter, CR LF between lines and none at the end.
std::string settingsFileText();

// Writes currentMapName and the generator parameters; true on success. A
// failed write leaves any previous file as it was.
bool writeSettingsFile(const std::string& path = kSettingsFileName);

// Reads the file into currentMapName and the generator parameters it names;
// false, with nothing changed, when it cannot be opened or is refused
// (readWholeFile). A "#LastOpen#" name that is no safe map name
// (isSafeMapName) gives "Untitled".
bool readSettingsFile(const std::string& path = kSettingsFileName);
// As above; with applyLastOpen false the "#LastOpen#" entry is read over but
// leaves currentMapName alone (the command-line tool's use).
bool readSettingsFile(const std::string& path, bool applyLastOpen);

// Start-up: a settings file that opens is read (and left as it is, even when
// refused); where none opens, one with the values in memory is written.
void readSettingsOrWriteDefaults(const std::string& path = kSettingsFileName);

// The reading rules on text in memory: keys in any order and number, each
// followed by its value; other tokens passed over; a value that cannot be
// read ends the reading.
void readSettingsText(std::string_view text, bool applyLastOpen = true);

}  // namespace pelorn
