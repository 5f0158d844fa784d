#include "editing/unsaved_work.h"

#include <cstdint>

#include "editing/editor.h"
#include "files/map_file.h"
#include "files/map_name.h"
#include "files/recovery_file.h"
#include "files/safe_file.h"
#include "text/conversions.h"
#include "view/notice.h"
#include "view/repaint.h"

namespace pelorn {

const char* const kNoCopyNotice = "No recovery copy could be written";

namespace {

void showSaveFailed(Editor& editor, bool failed) {
    editor.document.mapSaveFailed = failed;
    editor.showFileMarks();
}

// The caption turns red and the status line tells why, at once.
void showCopyFailed(Editor& editor) {
    editor.recovery.copyFailed = true;
    showSaveFailed(editor, true);
    showNotice(editor.screen, kNoCopyNotice, true);
}

void showCopyWritten(Editor& editor) {
    if (!editor.recovery.copyFailed) return;
    editor.recovery.copyFailed = false;
    if (editor.screen.noticeText == kNoCopyNotice) clearNotice(editor.screen);
}

// Writes the unsaved map to its copy, or to a new one: a copy this run did
// not write (one opened from the Recover dialog) is never written over.
bool writeMapCopy(Editor& editor) {
    RecoveryState& recovery = editor.recovery;
    const Map& map = editor.map();
    const std::uint64_t revision = editor.history().revision();
    if (!recovery.sessionCopy.empty() && recovery.copiedRevision == revision) return true;
    if (!recovery.ownCopy || !rewriteRecoveryCopy(map, recovery.sessionCopy)) {
        std::string path = writeNewRecoveryCopy(recovery.run, map);
        if (path.empty()) {
            showCopyFailed(editor);
            return false;
        }
        recovery.sessionCopy = std::move(path);
        recovery.ownCopy = true;
    }
    recovery.copiedRevision = revision;
    showCopyWritten(editor);
    return true;
}

// The copy of the map in memory no longer holds it: whatever comes next
// goes to a copy of its own.
void forgetMapCopy(RecoveryState& recovery) {
    recovery.sessionCopy.clear();
    recovery.ownCopy = false;
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
    if (saved) {
        editor.history().markSaved();
        editor.document.sourceName = editor.map().currentMapName;
    }
    showSaveFailed(editor, !saved);
    return saved;
}

bool keepUnsavedWork(Editor& editor) {
    History& history = editor.history();
    RecoveryState& recovery = editor.recovery;
    if (!history.hasUnsavedEdits() || recovery.keptRevision == history.revision()) return true;
    // A copy deleted since (in the Recover dialog, or pruned by another
    // editor when it was opened from there) holds nothing: it is written anew.
    if (!recovery.sessionCopy.empty() && pathKind(recovery.sessionCopy) != PathKind::PlainFile)
        recovery.copiedRevision = RecoveryState::kNoRevision;
    if (!writeMapCopy(editor)) return false;
    recovery.keptRevision = history.revision();
    forgetMapCopy(recovery);
    return true;
}

void autosaveUnsavedWork(Editor& editor) {
    if (editor.history().hasUnsavedEdits()) writeMapCopy(editor);
}

bool unsavedEditsInNoFile(Editor& editor) {
    const std::uint64_t revision = editor.history().revision();
    const RecoveryState& recovery = editor.recovery;
    return editor.history().hasUnsavedEdits() && recovery.keptRevision != revision &&
           (recovery.sessionCopy.empty() || recovery.copiedRevision != revision);
}

void mapReplaced(Editor& editor, bool savedUnderItsName) {
    editor.history().clear();
    if (!savedUnderItsName) editor.history().markUnsaved();
    editor.document.mapSaveFailed = false;
    editor.document.sourceName.clear();
    forgetMapCopy(editor.recovery);
    editor.recovery.copyFailed = false;
    clearNotice(editor.screen);
    editor.screen.viewQuadX = 0;
    editor.screen.viewQuadY = 0;
    // The selection and the last painted tile belonged to the old map; a floating stamp stays.
    editor.screen.selection.reset();
    editor.lastPainted.reset();
    editor.showFileMarks();
}

bool openCurrentMap(Editor& editor) {
    const std::string wanted = editor.map().currentMapName;
    const std::string fileName = openMapFile(editor.map());
    mapReplaced(editor, fileName.empty() || fileName == editor.map().currentMapName);
    editor.document.sourceName = fileName;
    return !fileName.empty() && fileName == wanted;
}

bool openRecoveryCopy(Editor& editor, const std::string& path) {
    std::string text;
    if (!readWholeFile(path, text)) {
        showNotice(editor.screen, std::string(fileNameOfPath(path)) + " could not be read", true);
        return false;
    }
    // Read first: the copy that keeps the map in memory may prune this one.
    // Read again when it is still there: that copy may be this one, brought up to date.
    if (!keepUnsavedWork(editor)) return false;
    std::string kept;
    const bool stillThere = readWholeFile(path, kept);
    if (stillThere) text = std::move(kept);
    Map& map = editor.map();
    freeMapGrid(map);  // the old grid goes first, as when a map file opens
    ParsedMap parsed = parseMapText(text);
    if (!parsed.name) parsed.name.emplace();  // no name line: "Untitled", not the name of the map left
    installParsedMap(map, std::move(parsed), "Untitled");
    mapReplaced(editor, false);
    // Still there, the copy holds the map; pruned, the map goes to a new one.
    if (stillThere) {
        editor.recovery.sessionCopy = path;
        editor.recovery.copiedRevision = editor.history().revision();
    }
    return true;
}

}  // namespace pelorn
