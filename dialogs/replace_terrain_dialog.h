// The logic of "Replace Terrain": every tile of one terrain becomes another,
// in the selection or on the whole map, one step of undo; the status line
// says how many tiles changed.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "map/terrain.h"

namespace pelorn {

class Editor;

// A terrain as typed: a legend name in any letter case ("sea", "f plains"),
// blanks around it allowed, or a code with a colour (0..38, 50..60).
std::optional<TerrainCode> terrainFromText(std::string_view text);

struct ReplaceTerrainTexts {
    std::string replace;  // empty
    std::string with;     // the current terrain's name (or code)
    bool onlySelection;   // checked while there is a selection
};
ReplaceTerrainTexts replaceTerrainInitialTexts(const Editor& editor);

// Which field OK refused, if any.
enum class ReplaceField { kNone, kReplace, kWith };

// OK: both fields must name a terrain, else nothing changes and the field
// is named so that the dialog keeps it open there.
ReplaceField applyReplaceTerrain(Editor& editor, std::string_view replace, std::string_view with, bool onlySelection);

}  // namespace pelorn
