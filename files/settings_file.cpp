#include "files/settings_file.h"

#include <cstdint>
#include <exception>
#include <fstream>

#include "files/map_name.h"
#include "files/safe_file.h"
#include "generator/parameter_fields.h"
#include "text/conversions.h"

namespace pelorn {

namespace {

constexpr char kLastOpenKey[] = "#LastOpen#";
constexpr char kUntitled[] = "Untitled";

// One value into its field; false (field unchanged) when the text holds no
// value of the field's kind. A flag must be 0 or 1.
bool readFieldValue(std::string_view text, std::size_t& pos, const ParameterField& field, GeneratorParameters& p) {
    switch (field.kind) {
        case ParameterKind::Integer:
            return readIntToken(text, pos, p.*field.integer);
        case ParameterKind::Real:
            return readRealToken(text, pos, p.*field.real);
        case ParameterKind::Flag: {
            std::int32_t value = 0;
            if (!readIntToken(text, pos, value) || (value != 0 && value != 1)) return false;
            p.*field.flag = static_cast<std::uint8_t>(value);
            return true;
        }
    }
    return false;
}

// A word that looks like a key ("#levelSea#"): where a map name ends.
bool isKeyShaped(std::string_view word) { return word.size() >= 2 && word.front() == '#' && word.back() == '#'; }

std::string valueText(const ParameterField& field, const GeneratorParameters& p) {
    switch (field.kind) {
        case ParameterKind::Integer:
            return intToText(p.*field.integer);
        case ParameterKind::Real:
            return realToText(p.*field.real);
        case ParameterKind::Flag:
            // The generator tests a flag for 1: anything else is off.
            return p.*field.flag == 1 ? "1" : "0";
    }
    return std::string();
}

}  // namespace

std::string settingsFileText(const Settings& settings) {
    // Only a safe name may come back as the map to open at start-up.
    const std::string& name = settings.lastOpen;
    std::string text = std::string(kLastOpenKey) + " " + (isSafeMapName(name) ? name : kUntitled);
    for (const ParameterField& field : kParameterFields) {
        text += "\r\n";
        text += field.key;
        text += " ";
        text += valueText(field, settings.parameters);
    }
    return text;
}

bool writeSettingsFile(const Settings& settings, const std::string& path) {
    try {
        return writeFileSafely(path, settingsFileText(settings));
    } catch (const std::exception&) {
        return false;
    }
}

void readSettingsText(std::string_view text, Settings& settings) {
    std::size_t pos = 0;
    std::string_view token;
    std::string name;
    // Ends at the end of the text or at the first value that cannot be read.
    while (readWordView(text, pos, token)) {
        if (token == kLastOpenKey) {
            // The name may hold blanks; the next key on its line ends it.
            if (!readMapNameWords(text, pos, name, isKeyShaped)) return;
            // A path or device name would be opened, and later written, at start-up.
            settings.lastOpen = name.empty() ? kUntitled : name;
            continue;
        }
        for (const ParameterField& field : kParameterFields) {
            if (token != field.key) continue;  // letter case included
            if (!readFieldValue(text, pos, field, settings.parameters)) return;
            break;
        }
        // Any other token is passed over.
    }
}

bool readSettingsFile(Settings& settings, const std::string& path) {
    std::string text;
    if (!readWholeFile(path, text)) return false;
    readSettingsText(text, settings);
    return true;
}

bool readSettingsFile(const std::string& path, GeneratorParameters& parameters) {
    Settings settings{kUntitled, parameters};
    if (!readSettingsFile(settings, path)) return false;
    parameters = settings.parameters;
    return true;
}

void readSettingsOrWriteDefaults(Settings& settings, const std::string& path) {
    const bool opens = std::ifstream(path, std::ios::binary).is_open();
    if (opens) {
        readSettingsFile(settings, path);
    } else {
        writeSettingsFile(settings, path);
    }
}

}  // namespace pelorn
