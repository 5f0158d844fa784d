#include "files/safe_file.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "files/map_name.h"

namespace pelorn {

namespace {

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

bool writeAll(int fd, std::string_view bytes) {
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const std::size_t chunk = left < (std::size_t{1} << 30) ? left : (std::size_t{1} << 30);
        const ssize_t written = ::write(fd, data, chunk);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

// Creates a new file beside the target under a name no one else uses; the
// mode lets the usual umask decide, as for a file opened the ordinary way.
// The temporary name is the target's name with a suffix, or, when that name
// would be too long for the file system, a short one in the same folder.
int createTemporary(const std::string& path, std::string& tempPath) {
    static std::atomic<unsigned> counter{0};  // process-wide: names taken by any thread differ
    const std::string folder = folderOf(path);
    bool shortName = false;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string suffix = temporarySuffix(static_cast<std::uint64_t>(::getpid()), ++counter);
        tempPath = shortName ? folder + "/.~pelorn-" + suffix.substr(2) : path + suffix;
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return fd;
        if (errno == ENAMETOOLONG && !shortName) {
            shortName = true;
            continue;
        }
        if (errno != EEXIST && errno != EINTR) break;
    }
    tempPath.clear();
    return -1;
}

// A process that may still be writing its temporary. Our own id is not:
// this process writes one file at a time, so an earlier holder of the id left it.
bool mayStillWrite(std::uint64_t owner) {
    if (owner == 0 || owner > static_cast<std::uint64_t>(INT_MAX)) return false;
    const pid_t pid = static_cast<pid_t>(owner);
    if (pid == ::getpid()) return false;
    return ::kill(pid, 0) == 0 || errno == EPERM;
}

void removeStaleTemporaries(const std::string& path) {
    const std::string folder = folderOf(path);
    const std::string target = fileNameOf(path);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        const auto owner = temporaryOwner(entry->d_name, target);
        if (owner && !mayStillWrite(*owner)) ::unlink((folder + "/" + entry->d_name).c_str());
    }
    ::closedir(dir);
}

// No write permission for us, or none at all (which root would ignore).
bool isProtected(const std::string& path, const struct stat& target) {
    return (target.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0;
}

// Makes the rename itself durable; a folder that cannot be synced does not
// undo a save that has already taken place.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

bool writeFileSafely(const std::string& path, std::string_view bytes) {
    if (path.empty() || namesReservedDevice(fileNameOfPath(path))) return false;
    struct stat target {};
    const bool replaces = ::stat(path.c_str(), &target) == 0 && S_ISREG(target.st_mode);
    if (replaces && isProtected(path, target)) return false;
    removeStaleTemporaries(path);
    std::string tempPath;
    const int fd = createTemporary(path, tempPath);
    if (fd < 0) return false;
    bool ok = writeAll(fd, bytes) && (!replaces || ::fchmod(fd, target.st_mode & 07777) == 0) && ::fsync(fd) == 0;
    if (::close(fd) != 0) ok = false;
    if (ok && std::rename(tempPath.c_str(), path.c_str()) != 0) ok = false;
    if (!ok) {
        ::unlink(tempPath.c_str());
        return false;
    }
    syncFolder(folderOf(path));
    return true;
}

namespace {

// Opens a plain file for reading; -1 for anything else. Refused before it is
// opened, as on Windows, where opening a device name may wait on a port for
// good; not blocking, so that a pipe is refused instead of waiting for a writer.
int openPlainFile(const std::string& path, std::uint64_t& size) {
    if (path.empty() || namesReservedDevice(fileNameOfPath(path))) return -1;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0) {
        ::close(fd);
        return -1;
    }
    size = static_cast<std::uint64_t>(info.st_size);
    return fd;
}

std::int64_t readSome(int fd, char* buffer, std::size_t room) {
    for (;;) {
        const ssize_t got = ::read(fd, buffer, room < (std::size_t{1} << 30) ? room : std::size_t{1} << 30);
        if (got >= 0 || errno != EINTR) return static_cast<std::int64_t>(got);
    }
}

}  // namespace

bool readWholeFile(const std::string& path, std::string& bytes, std::size_t maxBytes, ReadFailure* why) {
    bytes.clear();
    if (why) *why = ReadFailure::kUnreadable;
    std::uint64_t size = 0;
    const Descriptor file(openPlainFile(path, size));
    if (file.get() < 0) return false;
    return readOpenFile(
        size, bytes, [&file](char* buffer, std::size_t room) { return readSome(file.get(), buffer, room); }, maxBytes,
        why);
}

bool readFileStart(const std::string& path, std::size_t maxBytes, std::string& bytes) {
    bytes.clear();
    std::uint64_t size = 0;
    const Descriptor file(openPlainFile(path, size));
    if (file.get() < 0) return false;
    return readOpenFileStart(maxBytes, bytes, [&file](char* buffer, std::size_t room) { return readSome(file.get(), buffer, room); });
}

PathKind pathKind(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return errno == ENOENT ? PathKind::Nothing : PathKind::Other;
    return S_ISREG(info.st_mode) ? PathKind::PlainFile : PathKind::Other;
}

bool renameFileWithoutReplacing(const std::string& from, const std::string& to) {
    if (pathKind(from) != PathKind::PlainFile || pathKind(to) != PathKind::Nothing) return false;
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool removeFile(const std::string& path) { return pathKind(path) == PathKind::PlainFile && ::unlink(path.c_str()) == 0; }

bool makeFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0777) == 0) return true;
    struct stat info {};
    return errno == EEXIST && ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::vector<FolderFile> plainFilesIn(const std::string& folder) {
    std::vector<FolderFile> files;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return files;
    while (const dirent* entry = ::readdir(dir)) {
        struct stat info {};
        if (::lstat((folder + "/" + entry->d_name).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
        files.push_back({entry->d_name, static_cast<std::uint64_t>(info.st_size), static_cast<std::int64_t>(info.st_mtime)});
    }
    ::closedir(dir);
    return files;
}

std::uint64_t currentProcessId() { return static_cast<std::uint64_t>(::getpid()); }

// An advisory lock on the open file tells that its holder runs: the system
// drops it with the last descriptor, also when the process is killed.
bool HeldFile::create(const std::string& path) {
    release();
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        ::unlink(path.c_str());
        return false;
    }
    handle_ = fd;
    path_ = path;
    return true;
}

void HeldFile::release() {
    if (handle_ == kNone) return;
    ::unlink(path_.c_str());
    ::close(static_cast<int>(handle_));
    handle_ = kNone;
}

bool fileIsHeld(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

}  // namespace pelorn
