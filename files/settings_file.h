// The settings file: the name of the map open last and every generator
// parameter, carried from one run to the next.
#pragma once

#include <string>
#include <string_view>

#include "generator/parameters.h"

namespace pelorn {

constexpr const char* kSettingsFileName = "appdata.dat";

// What the file holds. A reader changes only what the file names, so a
// caller fills this with its own values first and takes back the result.
struct Settings {
    std::string lastOpen = "Untitled";  // "#LastOpen#": the map to open at start-up
    GeneratorParameters parameters;
};

// The exact bytes writeSettingsFile writes: "#LastOpen# <name>", then one
// line per generator parameter (generator/parameter_fields.h), CR LF between
// lines and none at the end.
std::string settingsFileText(const Settings& settings);

// True on success. A failed write leaves any previous file as it was.
bool writeSettingsFile(const Settings& settings, const std::string& path = kSettingsFileName);

// Reads the file into `settings`; false, with nothing changed, when it cannot
// be opened or is refused (readWholeFile). The "#LastOpen#" name is the words
// after the key up to the end of its line or the next key ("Two Words"); one
// that is no safe map name (isSafeMapName) gives "Untitled".
bool readSettingsFile(Settings& settings, const std::string& path = kSettingsFileName);
// The parameters alone (pelorn-cli's use): the "#LastOpen#" entry is read
// over and left unused. The same rules and result otherwise.
bool readSettingsFile(const std::string& path, GeneratorParameters& parameters);

// Start-up: a settings file that opens is read (and left as it is, even when
// refused); where none opens, one with `settings` as they are is written.
void readSettingsOrWriteDefaults(Settings& settings, const std::string& path = kSettingsFileName);

// The reading rules on text in memory: keys in any order and number, each
// followed by its value; other tokens passed over; a value that cannot be
// read ends the reading (what was read before it stays).
void readSettingsText(std::string_view text, Settings& settings);

}  // namespace pelorn
