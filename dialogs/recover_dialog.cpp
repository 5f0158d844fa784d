#include "dialogs/recover_dialog.h"

#include <ctime>

#include "editing/editor.h"
#include "editing/unsaved_work.h"
#include "files/map_file.h"
#include "files/map_name.h"
#include "files/safe_file.h"
#include "text/conversions.h"
#include "view/players_status.h"
#include "view/repaint.h"
#include "view/seed_status.h"

namespace pelorn {

namespace {

// The head of a map file up to its counts, with room to spare.
constexpr std::size_t kHeadBytes = 512;

std::string localTimeText(std::int64_t seconds) {
    const std::time_t time = static_cast<std::time_t>(seconds);
    const std::tm* local = std::localtime(&time);
    if (!local) return "?";
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", local);
    return text;
}

std::string shownName(const RecoverRow& row) { return row.mapName.empty() ? "(no name)" : row.mapName; }

// The parsed map of a whole file; no grid when it cannot be read.
ParsedMap parsedFile(const std::string& path) {
    std::string text;
    if (!readWholeFile(path, text)) return {};
    return parseMapText(text);
}

}  // namespace

std::vector<RecoverRow> recoverRows() {
    std::vector<RecoverRow> rows;
    for (RecoveryCopy& copy : listRecoveryCopies()) {
        RecoverRow row;
        std::string head;
        if (readFileStart(copy.path, kHeadBytes, head)) {
            const ParsedMap parsed = parseMapHead(head);
            row.mapName = parsed.name.value_or("");
            row.quadsX = parsed.quadsX;
            row.quadsY = parsed.quadsY;
        }
        row.copy = std::move(copy);
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string recoverRowText(const RecoverRow& row) {
    return shownName(row) + "\t" + intToText(row.quadsX) + " x " + intToText(row.quadsY) + " quads\t" +
           localTimeText(row.copy.writeTime);
}

std::string recoverDifferenceText(const RecoverRow& row) {
    if (row.mapName.empty()) return "The copy names no map";
    const std::string saved = row.mapName + ".map";
    const ParsedMap own = parsedFile(saved);
    if (!own.grid) return "No saved " + saved;
    const ParsedMap copy = parsedFile(row.copy.path);
    if (!copy.grid) return "The copy cannot be read";
    if (own.grid.quadsX() != copy.grid.quadsX() || own.grid.quadsY() != copy.grid.quadsY())
        return saved + " holds another size";
    std::int64_t differing = 0;
    const std::int32_t width = copy.grid.quadsX() * kQuadSize;
    const std::int32_t height = copy.grid.quadsY() * kQuadSize;
    for (std::int32_t x = 0; x < width; ++x)
        for (std::int32_t y = 0; y < height; ++y) differing += own.grid.columns()[x][y] != copy.grid.columns()[x][y];
    if (differing == 0) return "No tile differs from " + saved;
    return std::to_string(differing) + (differing == 1 ? " tile differs from " : " tiles differ from ") + saved;
}

bool applyRecoverOpen(Editor& editor, const RecoverRow& row) {
    if (!openRecoveryCopy(editor, row.copy.path)) return false;
    clearPlayersStatus(editor.screen);
    clearShownSeed(editor.screen);
    editor.repaintMapChange(MapChange::kWholeMap);
    return true;
}

std::string recoverDeleteQuestion(const RecoverRow& row) {
    return "Delete the recovery copy of " + shownName(row) + " written " + localTimeText(row.copy.writeTime) + "?";
}

bool applyRecoverDelete(const RecoverRow& row) { return removeFile(row.copy.path); }

}  // namespace pelorn
