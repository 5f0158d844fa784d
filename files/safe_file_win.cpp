#include "files/safe_file.h"

#include <windows.h>

namespace pelorn {

namespace {

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

// Creates a new file beside the target under a name no one else uses, not
// shared with other processes while it is being written. The temporary name
// is the target's name with a suffix, or, when that path would be too long,
// a short one in the same folder.
HANDLE createTemporary(const std::string& path, std::string& tempPath) {
    static unsigned counter = 0;
    bool shortName = false;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string unique = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter) + ".tmp";
        tempPath = shortName ? folderOf(path) + "~pelorn-" + unique : path + ".~" + unique;
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

}  // namespace

bool writeFileSafely(const std::string& path, std::string_view bytes) {
    if (path.empty()) return false;
    std::string tempPath;
    const HANDLE file = createTemporary(path, tempPath);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = writeAll(file, bytes) && FlushFileBuffers(file);
    if (!CloseHandle(file)) ok = false;
    if (ok && !MoveFileExA(tempPath.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        ok = false;
    if (!ok) {
        DeleteFileA(tempPath.c_str());
        return false;
    }
    return true;
}

}  // namespace pelorn
