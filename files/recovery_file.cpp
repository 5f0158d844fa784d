#include "files/recovery_file.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "files/map_file.h"

namespace pelorn {

namespace {

bool isHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }
bool isDecimalDigit(char c) { return c >= '0' && c <= '9'; }

// A run of 1 to 16 characters of `digit`.
bool digitsOnly(std::string_view text, bool (*digit)(char)) {
    return !text.empty() && text.size() <= 16 && std::all_of(text.begin(), text.end(), digit);
}

std::string runFilePath(const std::string& runId) { return std::string(kRecoveryFolder) + "/" + runId + ".run"; }

// Whether anything in the folder already carries this id: a run's file, or a
// copy of a run that ended long ago under the same time and process id.
bool idTaken(const std::string& id, const std::vector<FolderFile>& files) {
    for (const FolderFile& file : files) {
        std::string runId;
        if (file.name == id + ".run" || (isRecoveryCopyFileName(file.name, &runId) && runId == id)) return true;
    }
    return false;
}

std::string hexText(std::uint64_t value) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%08llx", static_cast<unsigned long long>(value));
    return buffer;
}

// The copy's number within its run.
std::uint64_t copyNumber(const std::string& fileName) {
    const std::size_t dash = fileName.rfind('-');
    return std::strtoull(fileName.c_str() + dash + 1, nullptr, 10);
}

}  // namespace

bool RecoveryRun::start() {
    if (!id_.empty()) return true;
    if (!makeFolder(kRecoveryFolder)) return false;
    const std::vector<FolderFile> files = plainFilesIn(kRecoveryFolder);
    const std::uint64_t now = static_cast<std::uint64_t>(std::time(nullptr));
    const std::string process = hexText(currentProcessId());
    // The time only makes the id new: a later one is tried when it is taken.
    for (std::uint64_t t = now; t < now + 64; ++t) {
        const std::string id = hexText(t) + "-" + process;
        if (idTaken(id, files)) continue;
        if (!held_.create(runFilePath(id))) continue;
        id_ = id;
        return true;
    }
    return false;
}

std::string RecoveryRun::nextCopyPath() {
    return std::string(kRecoveryFolder) + "/" + id_ + "-" + std::to_string(++copies_) + ".map";
}

bool isRecoveryCopyFileName(std::string_view fileName, std::string* runId) {
    constexpr std::string_view kExtension = ".map";
    if (fileName.size() <= kExtension.size() || fileName.substr(fileName.size() - kExtension.size()) != kExtension)
        return false;
    const std::string_view stem = fileName.substr(0, fileName.size() - kExtension.size());
    const std::size_t first = stem.find('-');
    const std::size_t last = stem.rfind('-');
    if (first == std::string_view::npos || first == last || stem.find('-', first + 1) != last) return false;
    if (!digitsOnly(stem.substr(0, first), isHexDigit) || !digitsOnly(stem.substr(first + 1, last - first - 1), isHexDigit) ||
        !digitsOnly(stem.substr(last + 1), isDecimalDigit))
        return false;
    if (runId) runId->assign(stem.substr(0, last));
    return true;
}

bool recoveryRunIsLive(const std::string& runId) { return fileIsHeld(runFilePath(runId)); }

std::vector<RecoveryCopy> listRecoveryCopies() {
    std::vector<RecoveryCopy> copies;
    for (FolderFile& file : plainFilesIn(kRecoveryFolder)) {
        if (!isRecoveryCopyFileName(file.name)) continue;
        copies.push_back({std::string(kRecoveryFolder) + "/" + file.name, std::move(file.name), file.writeTime, file.size});
    }
    // Newest first; copies of one second by their run's start, then their number.
    std::sort(copies.begin(), copies.end(), [](const RecoveryCopy& a, const RecoveryCopy& b) {
        if (a.writeTime != b.writeTime) return a.writeTime > b.writeTime;
        const std::string runA = a.fileName.substr(0, a.fileName.rfind('-'));
        const std::string runB = b.fileName.substr(0, b.fileName.rfind('-'));
        if (runA != runB) return runA > runB;
        return copyNumber(a.fileName) > copyNumber(b.fileName);
    });
    return copies;
}

std::string writeNewRecoveryCopy(RecoveryRun& run, const Map& map) {
    if (!map.mapGrid || !run.start()) return {};
    const std::string path = run.nextCopyPath();
    if (!writeMapFile(map, path)) return {};
    pruneRecoveryCopies();
    return path;
}

bool rewriteRecoveryCopy(const Map& map, const std::string& path) {
    return !path.empty() && map.mapGrid && writeMapFile(map, path);
}

int pruneRecoveryCopies() {
    const std::vector<RecoveryCopy> copies = listRecoveryCopies();
    int removed = 0;
    for (std::size_t i = kKeptRecoveryCopies; i < copies.size(); ++i) {
        std::string runId;
        isRecoveryCopyFileName(copies[i].fileName, &runId);
        if (!recoveryRunIsLive(runId) && removeFile(copies[i].path)) ++removed;
    }
    return removed;
}

}  // namespace pelorn
