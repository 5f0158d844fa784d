#include "dialogs/map_dialogs.h"

#include <algorithm>
#include <cstdint>

#include "dialogs/dialog_text.h"
#include "editing/editor.h"
#include "editing/unsaved_work.h"
#include "files/map_file.h"
#include "files/map_name.h"
#include "files/safe_file.h"
#include "map/map_grid.h"
#include "text/conversions.h"
#include "view/notice.h"
#include "view/players_status.h"
#include "view/repaint.h"
#include "view/seed_status.h"

namespace pelorn {

namespace {

// The name fields of Open and Save As keep their blanks.
std::string mapNameFromText(std::string_view field) {
    std::string name = firstChars(field);
    if (name.empty()) name = kUntitledMapName;
    return name;
}

std::string newMapNameFromText(std::string_view field) {
    std::string name = firstChars(field);
    removeBlanks(name);
    if (name.empty()) name = kUntitledMapName;
    return name;
}

char toLowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameNameInAnyCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (toLowerAscii(a[i]) != toLowerAscii(b[i])) return false;
    return true;
}

}  // namespace

// An empty field gives 1, and so does every count below 1.
std::int32_t quadCountFromText(std::string_view field) {
    std::string text = firstChars(field);
    if (text.empty()) text = "1";
    return std::max<std::int32_t>(1, textToInt(text));
}

int refusedQuadCountField(std::string_view quadX, std::string_view quadY) {
    const std::int32_t width = quadCountFromText(quadX);
    if (width > kMaxQuadsPerSide) return 1;
    return isAcceptableMapSize(width, quadCountFromText(quadY)) ? 0 : 2;
}

bool newMapNameAccepted(std::string_view mapName) { return isSafeMapName(newMapNameFromText(mapName)); }

bool mapNameAccepted(std::string_view mapName) { return isSafeMapName(mapNameFromText(mapName)); }

NewMapTexts newMapInitialTexts() { return {kUntitledMapName, "1", "1"}; }

bool applyNewMap(Editor& editor, std::string_view mapName, std::string_view quadX, std::string_view quadY) {
    const std::string name = newMapNameFromText(mapName);
    if (!isSafeMapName(name)) return false;
    const std::int32_t width = quadCountFromText(quadX);
    const std::int32_t height = quadCountFromText(quadY);
    // Checked before anything is released: a size that cannot be held must not
    // cost the user the map they have.
    if (!isAcceptableMapSize(width, height)) return false;
    if (!keepUnsavedWork(editor)) return false;

    Map& map = editor.map();
    map.currentMapName = name;
    replaceWithEmptyMap(map, width, height);
    mapReplaced(editor, true);  // earlier edits belong to a map that is gone
    clearPlayersStatus(editor.screen);  // and so do the starts the status line tells of
    clearShownSeed(editor.screen);  // and the seed it was made from
    editor.repaintMapChange(MapChange::kWholeMap);
    return true;
}

std::string openMapInitialText() { return kUntitledMapName; }

bool applyOpenMap(Editor& editor, std::string_view mapName) {
    std::string name = mapNameFromText(mapName);
    if (!isSafeMapName(name) || !keepUnsavedWork(editor)) return false;
    editor.map().currentMapName = name;
    const bool read = openCurrentMap(editor);
    clearPlayersStatus(editor.screen);
    clearShownSeed(editor.screen);
    if (!read) showNotice(editor.screen, name + ".map could not be read", true);
    editor.repaintMapChange(MapChange::kWholeMap);
    return true;
}

std::string saveAsMapInitialText() { return kUntitledMapName; }

bool saveAsReplacesAnotherFile(const Editor& editor, std::string_view mapName) {
    const std::string name = mapNameFromText(mapName);
    return isSafeMapName(name) && pathKind(name + ".map") != PathKind::Nothing &&
           !sameNameInAnyCase(name, editor.document.sourceName);
}

std::string saveAsReplaceQuestion(std::string_view mapName) {
    return mapNameFromText(mapName) + ".map exists. Replace it?";
}

bool applySaveAsMap(Editor& editor, std::string_view mapName) {
    std::string name = mapNameFromText(mapName);
    if (!isSafeMapName(name)) return false;
    editor.map().currentMapName = std::move(name);
    const bool saved = saveMap(editor);
    editor.repaintMapChange(MapChange::kWholeMap);
    return saved;
}

}  // namespace pelorn
