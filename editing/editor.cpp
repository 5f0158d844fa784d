#include "editing/editor.h"

#include "view/cursor_text.h"
#include "view/layout.h"
#include "view/notice.h"
#include "startlocations/players.h"
#include "view/start_marks.h"
#include "view/view_mode.h"
#include "view/whole_map.h"

namespace pelorn {

const Tool& toolFor(const Screen& screen) {
    if (screen.stamp) return stampTool();
    if (screen.bucketTool) return bucketTool();
    if (screen.fillTool) return wholeMapFillTool();
    if (screen.selectTool) return selectTool();
    if (screen.startLocationMode) return moveStartTool();
    return brushTool();
}

// A click on a legend column: the row under the point, if any, becomes the
// current terrain; the markers repaint either way.
void Editor::legendClick(ClientPoint point) {
    if (const std::optional<TerrainCode> row = legendCodeAt(point)) {
        const TerrainCode startCode = startLocationCode(*row);
        screen.currentTerrain = (screen.startLocationMode && startCode != 0) ? startCode : *row;
    }
    repaintStatus(StatusChange::kCurrentTerrain);
}

bool Editor::press(ClientPoint point) { return press(point, false); }

bool Editor::press(ClientPoint point, bool shiftHeld) {
    strokeTool_ = nullptr;
    if (showsWholeMap(screen) && tool().worksOnWholeMap()) {
        history().beginEdit(MapChange::kBrushedTiles);
        leftButtonDown = tool().press(*this, point);
        if (leftButtonDown) strokeTool_ = &tool();
        return leftButtonDown;
    }
    if (showsWholeMap(screen)) {
        // A click picks a quad to edit; no stroke follows it, not even into
        // the detail view it opens while the button is still held.
        leftButtonDown = false;
        openQuadAt(screen, map(), point);
        return false;
    }
    if (showsDetailView(screen) && isOnLegend(point)) {
        leftButtonDown = false;
        legendClick(point);
        return false;
    }
    // Everything the brush paints until the button comes up is one edit.
    if (!showsDetailView(screen)) {
        leftButtonDown = true;
        history().beginEdit(MapChange::kBrushedTiles);
        return true;
    }
    clearNotice(screen);  // the user goes on working: what the last action said is read
    // Shift+click draws a line wherever the press would paint.
    const bool paints = &tool() == &brushTool() || &tool() == &wholeMapFillTool() || &tool() == &moveStartTool();
    const Tool& pressed = shiftHeld && paints ? lineTool() : tool();
    // The stroke's edit opens before its first tile.
    history().beginEdit(MapChange::kBrushedTiles);
    leftButtonDown = pressed.press(*this, point);
    if (leftButtonDown) strokeTool_ = &pressed;
    return leftButtonDown;
}

void Editor::move(ClientPoint point, bool leftButtonHeld) {
    if (leftButtonDown && !leftButtonHeld) release();
    pointerMovedTo(screen, map(), point);
    placeStamp(point);
    strokeTo(point);
}

void Editor::strokeTo(ClientPoint point) {
    if (leftButtonDown && strokeTool_ && (showsDetailView(screen) || strokeTool_->worksOnWholeMap()))
        strokeTool_->move(*this, point);
}

void Editor::release() {
    leftButtonDown = false;
    if (strokeTool_) strokeTool_->release(*this);
    strokeTool_ = nullptr;
    history().endEdit();
    showFileMarks();
}

void Editor::cancel() {
    leftButtonDown = false;
    if (strokeTool_) strokeTool_->cancel(*this);
    strokeTool_ = nullptr;
    history().endEdit();
    showFileMarks();
}

void Editor::pointerLeft() { pelorn::pointerLeft(screen); }

void Editor::toggleBoldBrush() {
    // From a larger size, back to the normal brush.
    screen.boldBrush = screen.brushSize < 2 && !screen.boldBrush;
    screen.brushSize = 0;
    repaintStatus(StatusChange::kBrush);
}

// The fill, bucket and selection tools exclude each other: the others go
// off, then this one switches.
void Editor::switchTool(bool Screen::*tool) {
    const bool on = !(screen.*tool);
    screen.fillTool = false;
    screen.bucketTool = false;
    screen.selectTool = false;
    screen.*tool = on;
    repaintStatus(StatusChange::kTool);
}

void Editor::toggleFillTool() { switchTool(&Screen::fillTool); }

void Editor::toggleBucketTool() { switchTool(&Screen::bucketTool); }

void Editor::toggleStartLocationMode() {
    screen.startLocationMode = !screen.startLocationMode;
    repaintStatus(StatusChange::kStartLocationMode);
}

void Editor::scroll(std::int32_t dx, std::int32_t dy) {
    const std::int32_t x = screen.viewQuadX + dx;
    const std::int32_t y = screen.viewQuadY + dy;
    if (x < 0 || y < 0 || x >= map().quadCountX || y >= map().quadCountY) return;
    screen.viewQuadX = x;
    screen.viewQuadY = y;
    repaintScrolled(screen, map());
    if (screen.lastPointer) placeStamp(*screen.lastPointer);  // the stamp stays under the pointer
}

void Editor::switchViewMode() {
    switchToNextView(screen);
    repaintWholeWindow(screen, map());
}

void Editor::switchWholeMapView() { pelorn::switchWholeMapView(screen, map()); }

void Editor::repaintEdit(const Replay& replay) {
    if (!replay.repaint) return;
    if (replay.change == MapChange::kWholeMap) {
        // The map may have another size now: the view stays inside it.
        screen.viewQuadX = std::min(screen.viewQuadX, map().quadCountX - 1);
        screen.viewQuadY = std::min(screen.viewQuadY, map().quadCountY - 1);
    }
    repaintMapChange(replay.change);
}

bool Editor::undo() {
    const Replay replay = history().undo();
    repaintEdit(replay);
    showFileMarks();
    return replay.done;
}

bool Editor::redo() {
    const Replay replay = history().redo();
    repaintEdit(replay);
    showFileMarks();
    return replay.done;
}

void Editor::showFileMarks() {
    const FileMarks marks = document.marks();
    if (marks.mapHasUnsavedEdits == shownMarks_.mapHasUnsavedEdits && marks.mapSaveFailed == shownMarks_.mapSaveFailed)
        return;
    shownMarks_ = marks;
    repaintStatus(StatusChange::kMapFile);
}

void Editor::refreshStartsShown() {
    if (!showsWholeMap(screen)) return;
    StartsShown& shown = screen.startsShown;
    const std::uint64_t revision = history().revision();
    if (shown.known && shown.revision == revision && shown.withRooms == screen.showRooms) return;
    shown.known = true;
    shown.revision = revision;
    shown.withRooms = screen.showRooms;
    shown.starts = startLocationsOnMap(map());
    shown.roomOwners = screen.showRooms ? roomOwnersOf(map(), shown.starts) : std::vector<std::int32_t>();
}

std::vector<Repaint> Editor::takeRepaints() {
    showFileMarks();
    refreshStartsShown();
    return screen.repaints.take();
}

}  // namespace pelorn
