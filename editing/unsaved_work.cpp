#include "editing/unsaved_work.h"

#include <cstdint>

#include "files/map_file.h"
#include "files/recovery_file.h"
#include "editing/history.h"
#include "map/save_state.h"
#include "text/conversions.h"
#include "view/repaint.h"

namespace pelorn {

namespace {

// This session's recovery copy (its number; 0 before the first) and the
// revision of the map it holds.
int sessionCopy = 0;
std::uint64_t copiedRevision = 0;
// The revision keepUnsavedWork last kept: asked again before anything
// changed, it has nothing more to write.
constexpr std::uint64_t kNoRevision = ~std::uint64_t{0};
std::uint64_t keptRevision = kNoRevision;

void showSaveFailed(bool failed) {
    if (mapSaveFailed == failed) return;
    mapSaveFailed = failed;
    repaintStatus(StatusChange::kMapFile);
}

// Writes the unsaved map to this session's copy, or to a new one.
bool writeSessionCopy() {
    const std::uint64_t revision = historyRevision();
    if (sessionCopy != 0 && copiedRevision == revision) return true;
    if (sessionCopy == 0 || !rewriteRecoveryCopy(sessionCopy)) sessionCopy = writeNewRecoveryCopy();
    if (sessionCopy == 0) return false;
    copiedRevision = revision;
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

bool saveMap() {
    const bool saved = saveMapFile();
    if (saved) markMapSaved();
    showSaveFailed(!saved);
    return saved;
}

bool keepUnsavedWork() {
    if (!hasUnsavedEdits() || keptRevision == historyRevision()) return true;
    const bool kept = writeSessionCopy();
    sessionCopy = 0;  // whatever comes next goes to a copy of its own
    if (kept)
        keptRevision = historyRevision();
    else
        showSaveFailed(true);
    return kept;
}

void autosaveUnsavedWork() {
    if (hasUnsavedEdits()) writeSessionCopy();
}

void mapReplaced(bool savedUnderItsName) {
    historyClear();
    if (!savedUnderItsName) markMapUnsaved();
    showSaveFailed(false);
    sessionCopy = 0;
}

void openCurrentMap() {
    const std::string fileName = openMapFile();
    mapReplaced(fileName.empty() || fileName == currentMapName);
}

void resetUnsavedWork() {
    sessionCopy = 0;
    copiedRevision = 0;
    keptRevision = kNoRevision;
}

}  // namespace pelorn
