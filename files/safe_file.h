// Whole-file input and output for the map, settings and bitmap files.
#pragma once

#include <string>
#include <string_view>

namespace pelorn {

// Replaces the file at `path` by `bytes` without ever leaving a half-written
// file behind: the bytes go to a new file in the same folder, are flushed to
// the disk, and that file is then renamed over the target. On any failure the
// previous file is untouched, the temporary file is removed, and the result is
// false.
bool writeFileSafely(const std::string& path, std::string_view bytes);

// Reads the whole file into `bytes`. False, with `bytes` empty, when the file
// cannot be opened or read (a missing file, a folder, an I/O error).
bool readWholeFile(const std::string& path, std::string& bytes);

}  // namespace pelorn
