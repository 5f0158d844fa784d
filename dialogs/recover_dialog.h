// The logic of the "Recover" dialog (File > "Recover...", template 207): the
// recovery copies (files/recovery_file.h), newest first, each with its map's
// name, its size and the time it was written; for the selected row alone (so
// that the dialog opens at once however many there are) the number of tiles
// that differ from the map's own saved file. Open brings a copy back, unsaved
// under its map's name; Delete removes one after the dialog asked.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "files/recovery_file.h"

namespace pelorn {

class Editor;

struct RecoverRow {
    RecoveryCopy copy;
    std::string mapName;  // line 2 of the copy; empty when it holds no name
    std::int32_t quadsX = 0;  // 0 where the head could not be read
    std::int32_t quadsY = 0;
};

// Every copy, newest first, with what its head says.
std::vector<RecoverRow> recoverRows();

// The row as the list shows it, in three columns: "Hills", "2 x 1 quads",
// "2026-12-08 06:22:10" (the local time), a tab between them.
std::string recoverRowText(const RecoverRow& row);

// What the copy changes against the map's own file: "12 tiles differ from
// Hills.map", "No tile differs from Hills.map", "Hills.map holds another
// size", "No saved Hills.map".
std::string recoverDifferenceText(const RecoverRow& row);

// Open: the copy replaces the map, whose unsaved edits go to a copy first
// (openRecoveryCopy), and the whole window repaints. False, with the map
// unchanged, when either fails.
bool applyRecoverOpen(Editor& editor, const RecoverRow& row);

// Delete: the question the dialog asks first, and the deletion (false when
// the file could not be deleted).
std::string recoverDeleteQuestion(const RecoverRow& row);
bool applyRecoverDelete(const RecoverRow& row);

}  // namespace pelorn
