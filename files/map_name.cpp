#include "files/map_name.h"

#include <cstring>

#include "text/conversions.h"

namespace pelorn {

namespace {

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool equalsIgnoringCase(std::string_view text, const char* word) {
    if (text.size() != std::strlen(word)) return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (upper(text[i]) != word[i]) return false;
    return true;
}

// Digits 0-9 and the superscripts 1, 2 and 3 of the Latin-1 code page,
// which Windows takes for the same ports.
bool isPortDigit(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return (c >= '0' && c <= '9') || u == 0xB9 || u == 0xB2 || u == 0xB3;
}

bool isControl(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return u < 32 || u == 127;
}

}  // namespace

bool namesReservedDevice(std::string_view fileName) {
    std::string_view stem = fileName.substr(0, fileName.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
        if (equalsIgnoringCase(stem, device)) return true;
    return stem.size() == 4 && isPortDigit(stem[3]) &&
           (equalsIgnoringCase(stem.substr(0, 3), "COM") || equalsIgnoringCase(stem.substr(0, 3), "LPT"));
}

MapNameProblem mapNameProblem(std::string_view name) {
    if (name.empty()) return MapNameProblem::Empty;
    if (name.size() > kMaxMapNameLength) return MapNameProblem::TooLong;
    for (char c : name) {
        if (isControl(c)) return MapNameProblem::ControlCharacter;
        if (std::strchr("/\\:*?\"<>|", c) != nullptr) return MapNameProblem::PathCharacter;
    }
    if (name == "." || name == "..") return MapNameProblem::DotName;
    if (name.back() == '.' || name.back() == ' ') return MapNameProblem::TrailingDotOrBlank;
    if (namesReservedDevice(name)) return MapNameProblem::DeviceName;
    return MapNameProblem::None;
}

const char* mapNameRuleText(MapNameProblem problem) {
    switch (problem) {
        case MapNameProblem::None:
            return "a name is safe";
        case MapNameProblem::Empty:
            return "a name must not be empty";
        case MapNameProblem::TooLong:
            return "a name has at most 64 characters";
        case MapNameProblem::PathCharacter:
            return "a name is no path: it must not hold / \\ : * ? \" < > |";
        case MapNameProblem::ControlCharacter:
            return "a name must not hold control characters";
        case MapNameProblem::DotName:
            return "a name must not be . or ..";
        case MapNameProblem::TrailingDotOrBlank:
            return "a name must not end in a dot or a blank";
        case MapNameProblem::DeviceName:
            return "a name must not be a device name (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9), "
                   "with or without an extension";
    }
    return "";
}

std::string_view fileNameOfPath(std::string_view path) {
    const std::size_t last = path.find_last_of("/\\:");
    return last == std::string_view::npos ? path : path.substr(last + 1);
}

bool readMapNameToken(std::string_view text, std::size_t& pos, std::string& name) {
    std::string_view token;
    if (!readWordView(text, pos, token)) return false;
    if (isSafeMapName(token))
        name.assign(token);
    else
        name.clear();
    return true;
}

}  // namespace pelorn
