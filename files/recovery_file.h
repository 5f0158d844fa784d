// Recovery copies: the map in memory written as an ordinary map file, so that
// unsaved edits outlive "New Map", "Open Map", a generated world, a second
// editor in the same folder and the end of the program.
//
// The copies live in a folder of their own, "Recovery" in the working
// folder, where no map name can lead (a name holds no "/" or "\"). Each run
// of the program takes an id no other run has taken (the time it started and
// its process id) and holds "<id>.run" there while it runs; its copies are
// "<id>-1.map", "<id>-2.map", ..., one per map left with unsaved edits, and
// are never renamed. Line 2 of a copy names the map it copies. The program
// deletes only files of that pattern in that folder, only beyond the
// kKeptRecoveryCopies newest, and never one of a run still going.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "files/safe_file.h"
#include "map/map_grid.h"

namespace pelorn {

constexpr char kRecoveryFolder[] = "Recovery";
constexpr std::size_t kKeptRecoveryCopies = 20;

// This run as its copies know it. It starts at its first copy: the folder is
// made, an id taken and its file held. Not copyable: one per editor.
class RecoveryRun {
public:
    // True once the run has an id; false when the folder cannot be made or written.
    bool start();
    const std::string& id() const { return id_; }
    // The path of the run's next copy: "Recovery/<id>-<n>.map".
    std::string nextCopyPath();

private:
    std::string id_;
    HeldFile held_;
    int copies_ = 0;
};

// Whether a file name in the folder is a copy of the program's pattern; the
// id of its run in `runId` when given.
bool isRecoveryCopyFileName(std::string_view fileName, std::string* runId = nullptr);
// Whether the run of that id still goes (its file is held).
bool recoveryRunIsLive(const std::string& runId);

// A copy as the folder lists it.
struct RecoveryCopy {
    std::string path;  // "Recovery/<file name>"
    std::string fileName;
    std::int64_t writeTime = 0;  // seconds since 1970-01-01 UTC
    std::uint64_t size = 0;      // bytes
};
// Every copy in the folder, the newest first.
std::vector<RecoveryCopy> listRecoveryCopies();

// Writes the map to the run's next copy, safely (writeFileSafely), then
// deletes what pruneRecoveryCopies deletes. Returns the copy's path, empty
// when there is no grid or the copy cannot be written.
std::string writeNewRecoveryCopy(RecoveryRun& run, const Map& map);
// Brings a copy of this run up to date.
bool rewriteRecoveryCopy(const Map& map, const std::string& path);
// Deletes the copies beyond the kKeptRecoveryCopies newest whose run has
// ended. Returns how many went.
int pruneRecoveryCopies();

}  // namespace pelorn
