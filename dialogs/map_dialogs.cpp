#include "dialogs/map_dialogs.h"

#include <algorithm>
#include <cstdint>

#include "dialogs/dialog_text.h"
#include "text/conversions.h"
#include "files/map_file.h"
#include "map/history.h"
#include "map/map_grid.h"
#include "map/window_seam.h"
#include "view/seed_status.h"

namespace pelorn {

namespace {

// An empty field gives 1, and so does every count below 1.
std::int32_t quadCountFromText(std::string_view field) {
    std::string text = firstChars(field);
    if (text.empty()) text = "1";
    return std::max<std::int32_t>(1, textToInt(text));
}

// The name fields of Open and Save As keep their blanks.
std::string mapNameFromText(std::string_view field) {
    std::string name = firstChars(field);
    if (name.empty()) name = kUntitledMapName;
    return name;
}

}  // namespace

NewMapTexts newMapInitialTexts() { return {kUntitledMapName, "1", "1"}; }

bool applyNewMap(std::string_view mapName, std::string_view quadX, std::string_view quadY) {
    std::string name = firstChars(mapName);
    removeBlanks(name);
    if (name.empty()) name = kUntitledMapName;
    const std::int32_t width = quadCountFromText(quadX);
    const std::int32_t height = quadCountFromText(quadY);
    // Checked before anything is released: a size that cannot be held must not
    // cost the user the map they have.
    if (!isAcceptableMapSize(width, height)) return false;

    freeMapGrid();  // first, so the old and new grids never need memory together
    currentMapName = name;
    quadCountX = width;
    quadCountY = height;
    if (!allocateMapGrid()) {
        quadCountX = 1;
        quadCountY = 1;
        allocateMapGrid();
    }
    historyClear();  // earlier edits belong to a map that is gone
    clearShownSeed();  // and so does the seed it was made from
    invalidateClientArea(true);
    return true;
}

std::string openMapInitialText() { return kUntitledMapName; }

void applyOpenMap(std::string_view mapName) {
    currentMapName = mapNameFromText(mapName);
    openMapFile();
    historyClear();
    clearShownSeed();
    invalidateClientArea(true);
}

std::string saveAsMapInitialText() { return kUntitledMapName; }

bool applySaveAsMap(std::string_view mapName) {
    currentMapName = mapNameFromText(mapName);
    const bool saved = saveMapFile();
    invalidateClientArea(true);
    return saved;
}

}  // namespace pelorn
