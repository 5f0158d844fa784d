#include "files/safe_file.h"

#include <cstdio>
#include <exception>
#include <memory>

namespace pelorn {

namespace {
struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
}  // namespace

bool readWholeFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) return false;
    // The size is only a hint for the first read: the file may change while
    // it is read, and a pipe or device has no size at all. It is taken from
    // the open file, so that no conversion of the name can fail here.
    std::size_t want = 1 << 16;
    if (std::fseek(file.get(), 0, SEEK_END) == 0) {
        const long sizeHint = std::ftell(file.get());
        // A folder or device may claim any size: only a plausible one is trusted.
        if (sizeHint >= 0 && sizeHint < (1L << 30)) want = static_cast<std::size_t>(sizeHint) + 1;
    }
    std::rewind(file.get());
    std::size_t used = 0;
    try {
        for (;;) {
            bytes.resize(used + want);
            const std::size_t got = std::fread(&bytes[used], 1, want, file.get());
            used += got;
            if (got < want) break;
            want = used < (std::size_t{1} << 20) ? (std::size_t{1} << 20) : used;
        }
    } catch (const std::exception&) {
        // More than memory can hold: as unreadable as a missing file.
        bytes.clear();
        bytes.shrink_to_fit();
        return false;
    }
    bytes.resize(used);
    // A folder opens on some systems and then fails to read: treat it, and
    // any other read error, as a file that cannot be read.
    if (std::ferror(file.get())) {
        bytes.clear();
        bytes.shrink_to_fit();
        return false;
    }
    return true;
}

}  // namespace pelorn
