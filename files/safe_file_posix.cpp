#include "files/safe_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

namespace pelorn {

namespace {

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

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
    static unsigned counter = 0;
    const std::string folder = folderOf(path);
    bool shortName = false;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string unique = std::to_string(::getpid()) + "-" + std::to_string(++counter) + ".tmp";
        tempPath = shortName ? folder + "/.~pelorn-" + unique : path + ".~" + unique;
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
    if (path.empty()) return false;
    std::string tempPath;
    const int fd = createTemporary(path, tempPath);
    if (fd < 0) return false;
    bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
    if (::close(fd) != 0) ok = false;
    if (ok && std::rename(tempPath.c_str(), path.c_str()) != 0) ok = false;
    if (!ok) {
        ::unlink(tempPath.c_str());
        return false;
    }
    syncFolder(folderOf(path));
    return true;
}

}  // namespace pelorn
