// The editor: what the main window shows of a document and how it answers
// input. The shell hands it each event with its own data (a press, a move or
// a release with its client point; a key or a command goes through app/'s
// command table) and afterwards takes the repaints it asked for. The editor
// never asks the window system anything.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "editing/document.h"
#include "editing/tool.h"
#include "files/recovery_file.h"
#include "view/repaint.h"
#include "view/screen.h"

namespace pelorn {

// Where the unsaved edits of the map in memory went: this run's copies
// (files/recovery_file.h), the copy that holds the map (its path; empty
// before the first), whether this run wrote it (a copy opened from the
// Recover dialog is never written over), the revision it holds, and the
// revision the last keepUnsavedWork kept.
struct RecoveryState {
    static constexpr std::uint64_t kNoRevision = ~std::uint64_t{0};
    RecoveryRun run;
    std::string sessionCopy;
    bool ownCopy = false;
    std::uint64_t copiedRevision = 0;
    std::uint64_t keptRevision = kNoRevision;
    bool copyFailed = false;  // the last copy could not be written
};

class Editor {
public:
    explicit Editor(Document& document) : document(document) {}
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    Document& document;
    Screen screen;
    bool leftButtonDown = false;  // a stroke is under way
    RecoveryState recovery;

    Map& map() { return document.map; }
    const Map& map() const { return document.map; }
    History& history() { return document.history; }

    // --- Input ---
    // The left button went down at a client point: picks a legend row, runs
    // the tool, or starts a stroke. In the whole-map view the quad under the
    // point opens. Returns true while the stroke goes on, so that the shell
    // keeps the mouse until the button comes up.
    bool press(ClientPoint point);
    // With Shift held, a brush press paints a line from the last painted tile.
    bool press(ClientPoint point, bool shiftHeld);
    // The pointer moved; `leftButtonHeld` as the move reports it. A stroke
    // whose release never arrived ends at the first move without the button.
    void move(ClientPoint point, bool leftButtonHeld);
    // The stroke under way, if any, goes on to a client point (the part of
    // a move after the cursor text).
    void strokeTo(ClientPoint point);
    // The button came up.
    void release();
    // The mouse was taken away (another window, a dialog): the stroke ends as
    // if the button had come up. Harmless without a stroke.
    void cancel();
    // The pointer left the window: no tile under it.
    void pointerLeft();

    // The tool that answers presses on the map.
    const Tool& tool() const { return toolFor(screen); }

    // --- Tool state ---
    void toggleBoldBrush();
    void toggleFillTool();    // the bucket goes off, then the fill tool switches
    void toggleBucketTool();  // the fill tool goes off, then the bucket switches
    void toggleStartLocationMode();
    // Enter with the fill tool on: the tool goes off and every tile becomes
    // currentTerrain. Does nothing while the fill tool is off.
    void fillWholeMap();

    // --- Hand edits (editing/hand_edits.cpp) ---
    void toggleSelectTool();  // the fill tool and the bucket go off
    void selectAll();
    void setSelection(std::optional<TileRect> selection);
    // Escape: the floating stamp goes; without one, the selection.
    void cancelHandEdit();
    // The selected tiles become the block a paste puts down, and its text
    // goes to the clipboard (clipboardOut). Cut then makes them Void; Delete
    // (clearSelection) only that. Each cut or clear is one step of undo.
    void copySelection();
    void cutSelection();
    void clearSelection();
    // The selected tiles become `code` (Enter with the fill tool and a selection).
    void fillSelection(TerrainCode code);
    // Paste asks the shell for the clipboard's text (clipboardWanted); the
    // shell hands it to pasteBlockText, which makes it the floating stamp.
    void requestPaste();
    void pasteBlockText(std::string_view text);
    void mirrorStamp(bool eastWest, bool northSouth);
    // "]" (+1) and "[" (-1): Normal, Bold, Size 2 .. Size 10, round again.
    void stepBrush(int step);
    // Every `from` among the selected tiles (or the whole map's) becomes `to`,
    // one step of undo; the status line says how many. Returns the count.
    std::int64_t replaceTerrain(TerrainCode from, TerrainCode to, bool onlySelection);
    // The text under the map that tells what the last hand edit did.
    void showEditText(std::string text);
    // The stamp stands under the pointer (a move with or without the button).
    void placeStamp(ClientPoint point);

    std::optional<TilePos> lastPainted;  // the centre of the last brush step, for Shift+click lines
    // The selection's drag: where it began, and whether it has moved.
    TilePos strokeAnchor{0, 0};
    ClientPoint strokePressPoint{0, 0};
    bool strokeMoved = false;
    // What copy took, with the text it gave the clipboard: a paste of that
    // very text keeps the block's column parity.
    TileBlock copiedBlock;
    std::string copiedText;
    // The clipboard, served by the shell after each event.
    std::optional<std::string> clipboardOut;  // text to put on it
    bool clipboardWanted = false;             // paste: hand over its text
    // After a players-mode run: the status text recounted for the starts now
    // on the map (a moved start); empty when the last run was no such run.
    std::function<std::string(const Map&)> playersRecount;

    // --- Views ---
    void scroll(std::int32_t dx, std::int32_t dy);  // one quad; nothing past the map's edge
    void switchViewMode();                          // detail <-> overview; from the whole map, detail
    void switchWholeMapView();

    // --- Edits ---
    // Capture, run the edit, commit, and repaint the change. Returns what the
    // edit returned (whether it succeeded), or true for an edit that returns nothing.
    template <typename Edit>
    bool runRecordedWholeMapEdit(Edit edit, MapChange change = MapChange::kTiles);
    bool undo();
    bool redo();

    // Repaints for a change of the map, the status line or the caption.
    void repaintMapChange(MapChange change) { pelorn::repaintMapChange(screen, map(), change); }
    void repaintStatus(StatusChange change) { pelorn::repaintStatus(screen, change); }

    // The repaints asked for since the last call, the caption's among them
    // when the state of the map's file changed.
    std::vector<Repaint> takeRepaints();
    // The caption repaints at once when the file's state changed.
    void showFileMarks();
    // In the whole-map view: the start locations it marks (and their rooms
    // while it tints them) worked out again when the map has changed.
    void refreshStartsShown();

private:
    void switchTool(bool Screen::*tool);
    void legendClick(ClientPoint point);
    void repaintEdit(const Replay& replay);

    const Tool* strokeTool_ = nullptr;  // the tool of the stroke under way
    FileMarks shownMarks_;              // what the caption shows
};

template <typename Edit>
bool Editor::runRecordedWholeMapEdit(Edit edit, MapChange change) {
    const std::int32_t quadsX = map().quadCountX;
    const std::int32_t quadsY = map().quadCountY;
    history().captureWholeMap(change);
    bool succeeded = true;
    if constexpr (std::is_void_v<decltype(edit())>) {
        edit();
    } else {
        succeeded = edit();
    }
    history().commitWholeMap();
    const bool sizeChanged = quadsX != map().quadCountX || quadsY != map().quadCountY;
    if (sizeChanged) {
        screen.viewQuadX = std::min(screen.viewQuadX, map().quadCountX - 1);
        screen.viewQuadY = std::min(screen.viewQuadY, map().quadCountY - 1);
    }
    repaintMapChange(sizeChanged ? MapChange::kWholeMap : change);
    showFileMarks();
    return succeeded;
}

}  // namespace pelorn
