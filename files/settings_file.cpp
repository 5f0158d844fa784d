#include "files/settings_file.h"

#include <cstdint>
#include <cstring>
#include <exception>
#include <fstream>

#include "files/map_name.h"
#include "files/safe_file.h"
#include "generator/parameters.h"
#include "map/map_grid.h"
#include "text/conversions.h"

namespace pelorn {

namespace {

constexpr char kLastOpenKey[] = "#LastOpen#";
constexpr char kUntitled[] = "Untitled";

// True when the token is "#" + name + "#", letter case included.
bool isKeyOf(std::string_view token, const char* name) {
    const std::size_t length = std::strlen(name);
    return token.size() == length + 2 && token.front() == '#' && token.back() == '#' &&
           token.compare(1, length, name) == 0;
}

// One value into its field; false (field unchanged) when the text holds no
// value of the field's kind. A flag must be 0 or 1.
bool readFieldValue(std::string_view text, std::size_t& pos, const ParameterField& field) {
    GeneratorParameters& p = generatorParameters;
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

std::string valueText(const ParameterField& field) {
    const GeneratorParameters& p = generatorParameters;
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

std::string settingsFileText() {
    // Only a safe name may come back as the map to open at start-up.
    std::string text = std::string(kLastOpenKey) + " " + (isSafeMapName(currentMapName) ? currentMapName : kUntitled);
    for (const ParameterField& field : kParameterFields) {
        text += "\r\n#";
        text += field.name;
        text += "# ";
        text += valueText(field);
    }
    return text;
}

bool writeSettingsFile(const std::string& path) {
    try {
        return writeFileSafely(path, settingsFileText());
    } catch (const std::exception&) {
        return false;
    }
}

void readSettingsText(std::string_view text, bool applyLastOpen) {
    std::size_t pos = 0;
    std::string_view token;
    std::string name;
    // Ends at the end of the text or at the first value that cannot be read.
    while (readWordView(text, pos, token)) {
        if (token == kLastOpenKey) {
            if (!readMapNameToken(text, pos, name)) return;
            // A path or device name would be opened, and later written, at start-up.
            if (applyLastOpen) currentMapName = name.empty() ? kUntitled : name;
            continue;
        }
        for (const ParameterField& field : kParameterFields) {
            if (!isKeyOf(token, field.name)) continue;
            if (!readFieldValue(text, pos, field)) return;
            break;
        }
        // Any other token is passed over.
    }
}

bool readSettingsFile(const std::string& path, bool applyLastOpen) {
    std::string text;
    if (!readWholeFile(path, text)) return false;
    readSettingsText(text, applyLastOpen);
    return true;
}

bool readSettingsFile(const std::string& path) { return readSettingsFile(path, true); }

void readSettingsOrWriteDefaults(const std::string& path) {
    const bool opens = std::ifstream(path, std::ios::binary).is_open();
    if (opens) {
        readSettingsFile(path);
    } else {
        writeSettingsFile(path);
    }
}

}  // namespace pelorn
