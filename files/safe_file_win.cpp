#include "files/safe_file.h"

#include <atomic>
#include <windows.h>

#include "files/map_name.h"

namespace pelorn {

namespace {

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

bool writeAll(HANDLE file, std::string_view bytes) {
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const DWORD chunk = left < (std::size_t{1} << 30) ? static_cast<DWORD>(left) : (DWORD{1} << 30);
        DWORD written = 0;
        if (!WriteFile(file, data, chunk, &written, nullptr) || written == 0) return false;
        data += written;
        left -= written;
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Creates a new file beside the target under a name no one else uses, not
// shared with other processes while it is being written. The temporary name
// is the target's name with a suffix, or, when that path would be too long,
// a short one in the same folder.
HANDLE createTemporary(const std::string& path, std::string& tempPath) {
    static std::atomic<unsigned> counter{0};  // process-wide: names taken by any thread differ
    bool shortName = false;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string suffix = temporarySuffix(GetCurrentProcessId(), ++counter);
        tempPath = shortName ? folderOf(path) + "~pelorn-" + suffix.substr(2) : path + suffix;
        const HANDLE file = CreateFileA(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) return file;
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
        if (shortName) break;
        shortName = true;  // too long a path, or a name the folder refuses
    }
    tempPath.clear();
    return INVALID_HANDLE_VALUE;
}

// A process that may still be writing its temporary (which, open and not
// shared, could not be deleted anyway). Our own id is not: this process
// writes one file at a time, so an earlier holder of the id left it.
bool mayStillWrite(std::uint64_t owner) {
    if (owner > 0xFFFFFFFFu) return false;
    const DWORD id = static_cast<DWORD>(owner);
    if (id == GetCurrentProcessId()) return false;
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    if (!process) return GetLastError() == ERROR_ACCESS_DENIED;
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}

void removeStaleTemporaries(const std::string& path) {
    const std::string folder = folderOf(path);
    const std::string target = fileNameOf(path);
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((path + ".~*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const auto owner = temporaryOwner(found.cFileName, target);
        if (owner && !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !mayStillWrite(*owner))
            DeleteFileA((folder + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// Attributes a replaced file keeps (read-only is refused before).
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

}  // namespace

bool writeFileSafely(const std::string& path, std::string_view bytes) {
    if (path.empty() || namesReservedDevice(fileNameOfPath(path))) return false;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    const bool replaces = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    if (replaces && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
    removeStaleTemporaries(path);
    std::string tempPath;
    const HANDLE file = createTemporary(path, tempPath);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = writeAll(file, bytes) && FlushFileBuffers(file);
    if (!CloseHandle(file)) ok = false;
    if (ok && replaces && (attributes & kKeptAttributes) != 0 &&
        !SetFileAttributesA(tempPath.c_str(), attributes & kKeptAttributes))
        ok = false;
    if (ok && !MoveFileExA(tempPath.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        ok = false;
    if (!ok) {
        SetFileAttributesA(tempPath.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(tempPath.c_str());
        return false;
    }
    return true;
}

namespace {

// Opens a plain file on a disk for reading; INVALID_HANDLE_VALUE for anything
// else. Refused before it is opened: opening a device name may wait on a
// port for good.
HANDLE openPlainFile(const std::string& path, std::uint64_t& size) {
    if (path.empty() || namesReservedDevice(fileNameOfPath(path))) return INVALID_HANDLE_VALUE;
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return file;
    LARGE_INTEGER length{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &length) || length.QuadPart < 0) {
        CloseHandle(file);
        return INVALID_HANDLE_VALUE;
    }
    size = static_cast<std::uint64_t>(length.QuadPart);
    return file;
}

std::int64_t readSome(HANDLE file, char* buffer, std::size_t room) {
    const DWORD want = room < (std::size_t{1} << 30) ? static_cast<DWORD>(room) : (DWORD{1} << 30);
    DWORD got = 0;
    if (!ReadFile(file, buffer, want, &got, nullptr)) return -1;
    return static_cast<std::int64_t>(got);
}

}  // namespace

bool readWholeFile(const std::string& path, std::string& bytes, std::size_t maxBytes, ReadFailure* why) {
    bytes.clear();
    if (why) *why = ReadFailure::kUnreadable;
    std::uint64_t size = 0;
    const Handle file(openPlainFile(path, size));
    if (file.get() == INVALID_HANDLE_VALUE) return false;
    return readOpenFile(
        size, bytes, [&file](char* buffer, std::size_t room) { return readSome(file.get(), buffer, room); }, maxBytes,
        why);
}

bool readFileStart(const std::string& path, std::size_t maxBytes, std::string& bytes) {
    bytes.clear();
    std::uint64_t size = 0;
    const Handle file(openPlainFile(path, size));
    if (file.get() == INVALID_HANDLE_VALUE) return false;
    return readOpenFileStart(maxBytes, bytes, [&file](char* buffer, std::size_t room) { return readSome(file.get(), buffer, room); });
}

PathKind pathKind(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? PathKind::Nothing : PathKind::Other;
    }
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) return PathKind::Other;
    return PathKind::PlainFile;
}

bool renameFileWithoutReplacing(const std::string& from, const std::string& to) {
    if (pathKind(from) != PathKind::PlainFile) return false;
    // Without MOVEFILE_REPLACE_EXISTING the move fails when `to` exists.
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

bool removeFile(const std::string& path) { return pathKind(path) == PathKind::PlainFile && DeleteFileA(path.c_str()) != 0; }

bool makeFolder(const std::string& path) {
    if (CreateDirectoryA(path.c_str(), nullptr)) return true;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

namespace {

// FILETIME counts 100 ns steps from 1601; the difference to 1970 in seconds.
std::int64_t unixSeconds(const FILETIME& time) {
    const std::uint64_t ticks = (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return static_cast<std::int64_t>(ticks / 10000000u) - 11644473600LL;
}

}  // namespace

std::vector<FolderFile> plainFilesIn(const std::string& folder) {
    std::vector<FolderFile> files;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
        if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE | FILE_ATTRIBUTE_REPARSE_POINT))
            continue;
        const std::uint64_t size = (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        files.push_back({found.cFileName, size, unixSeconds(found.ftLastWriteTime)});
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return files;
}

std::uint64_t currentProcessId() { return GetCurrentProcessId(); }

// Open without sharing, the file cannot be opened by anyone else while the
// process runs, and the system deletes it when the process ends, killed too.
bool HeldFile::create(const std::string& path) {
    release();
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    handle_ = reinterpret_cast<std::intptr_t>(file);
    path_ = path;
    return true;
}

void HeldFile::release() {
    if (handle_ == kNone) return;
    CloseHandle(reinterpret_cast<HANDLE>(handle_));
    handle_ = kNone;
}

bool fileIsHeld(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return false;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
}

}  // namespace pelorn
