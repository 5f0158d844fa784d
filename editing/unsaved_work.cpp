#include "editing/unsaved_work.h"

#include <cstdint>

#include "files/map_file.h"
#include "files/recovery_file.h"
#include "editing/editor.h"
#include "text/conversions.h"
#include "view/repaint.h"

namespace pelorn {

namespace {

void showSaveFailed(Editor& editor, bool failed) {
    editor.document.mapSaveFailed = failed;
    editor.showFileMarks();
}

// Writes the unsaved map to this session's copy, or to a new one.
bool writeSessionCopy(Editor& editor) {
    RecoveryState& recovery = editor.recovery;
    const Map& map = editor.map();
    const std::uint64_t revision = editor.history().revision();
    if (recovery.sessionCopy != 0 && recovery.copiedRevision == revision) return true;
    if (recovery.sessionCopy == 0 || !rewriteRecoveryCopy(map, recovery.sessionCopy))
        recovery.sessionCopy = writeNewRecoveryCopy(map);
    if (recovery.sessionCopy == 0) return false;
    recovery.copiedRevision = revision;
    return true;
}

}  // namespace

unsigned autosaveIntervalMs(const char* override) {
    if (!override) return kAutosaveIntervalMs;
    const std::string_view text(override);
    std::size_t pos = 0;
    std::int32_t value = 0;
    std::string_view rest;
    if (!readIntToken(text, pos, value) || readWordView(text, pos, rest)) return kAutosaveIntervalMs;
    if (value < 100 || static_cast<unsigned>(value) > kAutosaveIntervalMs) return kAutosaveIntervalMs;
    return static_cast<unsigned>(value);
}

bool saveMap(Editor& editor) {
    const bool saved = saveMapFile(editor.map());
    if (saved) editor.history().markSaved();
    showSaveFailed(editor, !saved);
    return saved;
}

bool keepUnsavedWork(Editor& editor) {
    History& history = editor.history();
    RecoveryState& recovery = editor.recovery;
    if (!history.hasUnsavedEdits() || recovery.keptRevision == history.revision()) return true;
    const bool kept = writeSessionCopy(editor);
    recovery.sessionCopy = 0;  // whatever comes next goes to a copy of its own
    if (kept)
        recovery.keptRevision = history.revision();
    else
        showSaveFailed(editor, true);
    return kept;
}

void autosaveUnsavedWork(Editor& editor) {
    if (editor.history().hasUnsavedEdits()) writeSessionCopy(editor);
}

void mapReplaced(Editor& editor, bool savedUnderItsName) {
    editor.history().clear();
    if (!savedUnderItsName) editor.history().markUnsaved();
    editor.document.mapSaveFailed = false;
    editor.recovery.sessionCopy = 0;
    editor.screen.viewQuadX = 0;
    editor.screen.viewQuadY = 0;
    // The selection and the last painted tile belonged to the old map; a floating stamp stays.
    editor.screen.selection.reset();
    editor.lastPainted.reset();
    editor.showFileMarks();
}

void openCurrentMap(Editor& editor) {
    const std::string fileName = openMapFile(editor.map());
    mapReplaced(editor, fileName.empty() || fileName == editor.map().currentMapName);
}

}  // namespace pelorn
