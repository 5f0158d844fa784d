#include "dialogs/replace_terrain_dialog.h"

#include <cctype>

#include "editing/editor.h"
#include "text/whole_number.h"

namespace pelorn {

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return text;
}

bool sameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string textOf(TerrainCode code) {
    if (code >= 0 && code <= kLastLegendCode) return terrainName(code);
    return std::to_string(code);
}

}  // namespace

std::optional<TerrainCode> terrainFromText(std::string_view text) {
    text = trimmed(text);
    for (TerrainCode code = 0; code <= kLastLegendCode; ++code)
        if (sameLetters(text, terrainName(code))) return code;
    const std::optional<std::int64_t> number = parseWholeNumber(text, 0, kLastStartLocation);
    if (!number || !hasTerrainColour(static_cast<TerrainCode>(*number))) return std::nullopt;
    return static_cast<TerrainCode>(*number);
}

ReplaceTerrainTexts replaceTerrainInitialTexts(const Editor& editor) {
    return {std::string(), textOf(editor.screen.currentTerrain), editor.screen.selection.has_value()};
}

ReplaceField applyReplaceTerrain(Editor& editor, std::string_view replace, std::string_view with, bool onlySelection) {
    const std::optional<TerrainCode> from = terrainFromText(replace);
    if (!from) return ReplaceField::kReplace;
    const std::optional<TerrainCode> to = terrainFromText(with);
    if (!to) return ReplaceField::kWith;
    editor.replaceTerrain(*from, *to, onlySelection);
    return ReplaceField::kNone;
}

}  // namespace pelorn
