// The editor: what the main window shows of a document and how it answers
// input. The shell hands it each event with its own data (a press, a move or
// a release with its client point; a key or a command goes through app/'s
// command table) and afterwards takes the repaints it asked for. The editor
// never asks the window system anything.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
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

private:
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
