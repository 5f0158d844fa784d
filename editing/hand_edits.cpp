// The hand edits of the selection and the stamp: select, copy, cut, clear,
// fill, replace, paste as a floating stamp and its mirrors, and the brush
// sizes. Each change of tiles is one step of undo.
#include <algorithm>
#include <utility>

#include "editing/editor.h"
#include "files/block_text.h"
#include "text/conversions.h"
#include "view/edit_overlay.h"
#include "view/layout.h"

namespace pelorn {

namespace {

constexpr int kLargestBrush = 10;
constexpr int kBrushSteps = kLargestBrush + 1;  // Normal, Bold, Size 2 .. Size 10

std::string sizeText(std::int32_t width, std::int32_t height) {
    return intToText(width) + " x " + intToText(height);
}

std::string tilesText(std::int64_t count) {
    return std::to_string(count) + (count == 1 ? " tile" : " tiles");
}

// The selection as it lies on the map now (the map may have shrunk since).
std::optional<TileRect> selectionOnMap(const Editor& editor) {
    if (!editor.screen.selection || !editor.map().mapGrid) return std::nullopt;
    TileRect rect = *editor.screen.selection;
    rect.width = std::min(rect.width, mapWidth(editor.map()) - rect.x);
    rect.height = std::min(rect.height, mapHeight(editor.map()) - rect.y);
    if (rect.width <= 0 || rect.height <= 0) return std::nullopt;
    return rect;
}

// Sets every tile of the rectangle that `change` gives another code; the count.
template <typename Change>
std::int64_t changeTiles(Editor& editor, const TileRect& rect, Change change) {
    std::int64_t changed = 0;
    editor.runRecordedWholeMapEdit([&] {
        for (std::int32_t x = rect.x; x < rect.x + rect.width; ++x) {
            TerrainCode* column = editor.map().mapGrid[x];
            for (std::int32_t y = rect.y; y < rect.y + rect.height; ++y) {
                const TerrainCode code = change(column[y]);
                changed += code != column[y];
                column[y] = code;
            }
        }
    });
    return changed;
}

}  // namespace

void Editor::showEditText(std::string text) {
    if (text == screen.editText) return;
    screen.editText = std::move(text);
    repaintStatus(StatusChange::kEditText);
}

void Editor::toggleSelectTool() { switchTool(&Screen::selectTool); }

void Editor::setSelection(std::optional<TileRect> selection) {
    repaintSelectionFrame(screen, map());
    screen.selection = selection;
    repaintSelectionFrame(screen, map());
    repaintStatus(StatusChange::kSelection);
}

void Editor::selectAll() {
    if (map().mapGrid) setSelection(TileRect{0, 0, mapWidth(map()), mapHeight(map())});
}

void Editor::cancelHandEdit() {
    if (screen.stamp) {
        repaintStamp(screen, map());
        screen.stamp.reset();
        repaintStatus(StatusChange::kSelection);
    } else if (screen.selection) {
        setSelection(std::nullopt);
    }
}

void Editor::copySelection() {
    const std::optional<TileRect> rect = selectionOnMap(*this);
    if (!rect) return showEditText("Nothing selected");
    copiedBlock = copyBlock(map(), *rect);
    copiedText = blockText(copiedBlock);
    clipboardOut = copiedText;
    showEditText("Copied " + sizeText(rect->width, rect->height));
}

void Editor::cutSelection() {
    const std::optional<TileRect> rect = selectionOnMap(*this);
    copySelection();
    if (!rect) return;
    changeTiles(*this, *rect, [](TerrainCode) { return kVoid; });
    showEditText("Cut " + sizeText(rect->width, rect->height));
}

void Editor::clearSelection() {
    const std::optional<TileRect> rect = selectionOnMap(*this);
    if (!rect) return showEditText("Nothing selected");
    const std::int64_t changed = changeTiles(*this, *rect, [](TerrainCode) { return kVoid; });
    showEditText(tilesText(changed) + " cleared");
}

void Editor::fillSelection(TerrainCode code) {
    const std::optional<TileRect> rect = selectionOnMap(*this);
    if (!rect) return;
    const std::int64_t changed = changeTiles(*this, *rect, [code](TerrainCode) { return code; });
    showEditText(tilesText(changed) + " filled");
}

std::int64_t Editor::replaceTerrain(TerrainCode from, TerrainCode to, bool onlySelection) {
    std::optional<TileRect> rect = selectionOnMap(*this);
    if (!onlySelection && map().mapGrid) rect = TileRect{0, 0, mapWidth(map()), mapHeight(map())};
    if (!rect) {
        showEditText("Nothing selected: nothing replaced");
        return 0;
    }
    const std::int64_t changed = changeTiles(*this, *rect, [from, to](TerrainCode c) { return c == from ? to : c; });
    showEditText(tilesText(changed) + " replaced");
    return changed;
}

void Editor::requestPaste() { clipboardWanted = true; }

void Editor::pasteBlockText(std::string_view text) {
    clipboardWanted = false;
    std::optional<TileBlock> block;
    // The text this window copied keeps its block's column parity.
    if (!copiedBlock.empty() && text == copiedText)
        block = copiedBlock;
    else
        block = parseBlockText(text);
    if (!block) return showEditText("The clipboard holds no Pelorn block: nothing to paste");
    repaintStamp(screen, map());
    screen.stamp = FloatingStamp{std::move(*block), std::nullopt};
    if (screen.lastPointer) placeStamp(*screen.lastPointer);
    repaintStatus(StatusChange::kSelection);
    showEditText("Click to put the stamp down; X, Y, Z mirror it; Esc ends");
}

void Editor::mirrorStamp(bool eastWest, bool northSouth) {
    if (!screen.stamp) return;
    repaintStamp(screen, map());
    TileBlock& block = screen.stamp->block;
    if (eastWest) block = mirrorEastWest(block);
    if (northSouth) block = mirrorNorthSouth(block);
    // The stamp stays under the pointer with its new first column's parity.
    if (screen.stamp->at) screen.stamp->at.reset();
    if (screen.lastPointer) placeStamp(*screen.lastPointer);
    repaintStamp(screen, map());
    repaintStatus(StatusChange::kSelection);
}

void Editor::stepBrush(int step) {
    int index = screen.brushSize >= 2 ? screen.brushSize : (screen.boldBrush ? 1 : 0);
    index = ((index + step) % kBrushSteps + kBrushSteps) % kBrushSteps;
    screen.boldBrush = index == 1;
    screen.brushSize = index >= 2 ? index : 0;
    repaintStatus(StatusChange::kBrush);
}

}  // namespace pelorn
