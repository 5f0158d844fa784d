// Whole-file input and output for the map, settings and bitmap files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "map/map_grid.h"

namespace pelorn {

// The most any reader takes: the largest map the program holds, every tile at
// the widest line it writes ("\r\n-2147483648", 13 bytes), plus head room for
// the head lines and stray blanks. Anything longer is no file of this program.
constexpr std::size_t kMaxReadBytes =
    static_cast<std::size_t>(kMaxQuads) * kQuadSize * kQuadSize * 13 + (std::size_t{1} << 20);

// Replaces the file at `path` by `bytes` without ever leaving a half-written
// file behind: the bytes go to a new file in the same folder, are flushed to
// the disk, and that file is then renamed over the target. On any failure the
// previous file is untouched, the temporary file is removed, and the result is
// false. Refused as failures: a target the user protected (read-only on
// Windows, no write permission on POSIX) and a file name Windows takes for a
// device. A replaced file keeps its permission bits. Temporaries of the same
// target left behind by a run that was killed are removed first.
bool writeFileSafely(const std::string& path, std::string_view bytes);

// Reads the whole file into `bytes`. False, with `bytes` empty, when the file
// cannot be opened or read (a missing file, a folder, an I/O error), is no
// plain file (a device, a pipe), names a device, or holds more than
// `maxBytes`; such files are refused before any of them is read. Small
// files (a weights table) pass a smaller limit.
// `why`, when given, tells a file too large from one that cannot be read.
enum class ReadFailure { kNone, kUnreadable, kTooLarge };
bool readWholeFile(const std::string& path, std::string& bytes, std::size_t maxBytes = kMaxReadBytes,
                   ReadFailure* why = nullptr);

// Reads at most the first `maxBytes` bytes of a plain file (the head of a
// map file, without its tiles). False, with `bytes` empty, where
// readWholeFile refuses the file.
bool readFileStart(const std::string& path, std::size_t maxBytes, std::string& bytes);

// What stands at a path: nothing, a plain file, or something else (a
// folder, a device, anything that cannot be looked at).
enum class PathKind { Nothing, PlainFile, Other };
PathKind pathKind(const std::string& path);

// Renames a plain file; false, with nothing changed, when anything already
// stands at `to` or the rename fails.
bool renameFileWithoutReplacing(const std::string& from, const std::string& to);

// Deletes a plain file; false when it cannot be deleted.
bool removeFile(const std::string& path);

// The temporary files the writer makes are "<target file name>.~<process
// id>-<counter>.tmp" beside the target. For a name in a folder listing: the
// process id that made it when it is a temporary of `targetFileName`.
std::optional<std::uint64_t> temporaryOwner(std::string_view entryName, std::string_view targetFileName);
std::string temporarySuffix(std::uint64_t processId, unsigned counter);

// The part of readWholeFile that is the same everywhere, for an open plain
// file of `size` bytes: `readSome(buffer, room)` reads at most `room` bytes
// and returns how many, 0 at the end of the file, or -1 on an error.
bool readOpenFile(std::uint64_t size, std::string& bytes,
                  const std::function<std::int64_t(char*, std::size_t)>& readSome,
                  std::size_t maxBytes = kMaxReadBytes, ReadFailure* why = nullptr);
// The part of readFileStart that is the same everywhere.
bool readOpenFileStart(std::size_t maxBytes, std::string& bytes,
                       const std::function<std::int64_t(char*, std::size_t)>& readSome);

}  // namespace pelorn

namespace pelorn {

// --- Folders and files held by a run (the recovery copies' folder) ---

// Makes the folder when nothing stands at `path`; true when a folder stands
// there afterwards.
bool makeFolder(const std::string& path);

// A plain file in a folder: its name, its size and when it was last written
// (seconds since 1970-01-01 UTC).
struct FolderFile {
    std::string name;
    std::uint64_t size = 0;
    std::int64_t writeTime = 0;
};
// The plain files of a folder, in no particular order; empty when it cannot be read.
std::vector<FolderFile> plainFilesIn(const std::string& folder);

// This process's id, as the operating system numbers it.
std::uint64_t currentProcessId();

// A file a process holds open for as long as it runs, so that others can
// tell that it still runs (fileIsHeld). Closed, and removed, when the
// object goes or the process ends in any way.
class HeldFile {
public:
    HeldFile() = default;
    ~HeldFile() { release(); }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    HeldFile(HeldFile&& other) noexcept : handle_(other.handle_), path_(std::move(other.path_)) { other.handle_ = kNone; }
    HeldFile& operator=(HeldFile&& other) noexcept {
        if (this != &other) {
            release();
            handle_ = other.handle_;
            path_ = std::move(other.path_);
            other.handle_ = kNone;
        }
        return *this;
    }
    // Creates the file at `path` and holds it; false when anything already
    // stands there or it cannot be made.
    bool create(const std::string& path);
    bool held() const { return handle_ != kNone; }
    void release();

private:
    static constexpr std::intptr_t kNone = -1;
    std::intptr_t handle_ = kNone;
    std::string path_;
};

// Whether some process (this one included) holds the file at `path` now.
bool fileIsHeld(const std::string& path);

}  // namespace pelorn
