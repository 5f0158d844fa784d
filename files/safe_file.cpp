#include "files/safe_file.h"

#include <exception>

namespace pelorn {

namespace {

constexpr std::string_view kTemporaryMark = ".~";
constexpr std::string_view kTemporaryEnd = ".tmp";

// One to ten decimal digits (any 32-bit number); the end of them, or npos.
std::size_t digitsEnd(std::string_view text, std::size_t pos, std::uint64_t& value) {
    const std::size_t start = pos;
    value = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && pos - start < 10) {
        value = value * 10 + static_cast<std::uint64_t>(text[pos] - '0');
        ++pos;
    }
    if (pos == start || (pos < text.size() && text[pos] >= '0' && text[pos] <= '9')) return std::string_view::npos;
    return pos;
}

}  // namespace

std::string temporarySuffix(std::uint64_t processId, unsigned counter) {
    return std::string(kTemporaryMark) + std::to_string(processId) + "-" + std::to_string(counter) +
           std::string(kTemporaryEnd);
}

std::optional<std::uint64_t> temporaryOwner(std::string_view entryName, std::string_view targetFileName) {
    if (targetFileName.empty() || entryName.size() <= targetFileName.size() ||
        entryName.substr(0, targetFileName.size()) != targetFileName)
        return std::nullopt;
    std::string_view rest = entryName.substr(targetFileName.size());
    if (rest.substr(0, kTemporaryMark.size()) != kTemporaryMark) return std::nullopt;
    std::uint64_t owner = 0;
    std::uint64_t counter = 0;
    std::size_t pos = digitsEnd(rest, kTemporaryMark.size(), owner);
    if (pos == std::string_view::npos || pos >= rest.size() || rest[pos] != '-') return std::nullopt;
    pos = digitsEnd(rest, pos + 1, counter);
    if (pos == std::string_view::npos || rest.substr(pos) != kTemporaryEnd) return std::nullopt;
    return owner;
}

bool readOpenFile(std::uint64_t size, std::string& bytes,
                  const std::function<std::int64_t(char*, std::size_t)>& readSome, std::size_t maxBytes,
                  ReadFailure* why) {
    bytes.clear();
    if (why) *why = ReadFailure::kUnreadable;
    if (size > maxBytes) {
        if (why) *why = ReadFailure::kTooLarge;
        return false;
    }
    bool read = false;
    bool tooLarge = false;
    try {
        // One byte more than the size tells a file that grew while it was read.
        bytes.resize(static_cast<std::size_t>(size) + 1);
        std::size_t used = 0;
        for (;;) {
            if (used == bytes.size()) {
                if (used > maxBytes) {
                    tooLarge = true;  // it grew while it was read
                    break;
                }
                bytes.resize(used < maxBytes / 2 ? 2 * used : maxBytes + 1);
            }
            const std::int64_t got = readSome(&bytes[used], bytes.size() - used);
            if (got < 0) break;
            if (got == 0) {
                bytes.resize(used);
                read = true;
                break;
            }
            used += static_cast<std::size_t>(got);
        }
    } catch (const std::exception&) {
        // More than memory can hold: as unreadable as a missing file.
    }
    if (!read) {
        bytes.clear();
        bytes.shrink_to_fit();
    }
    if (why) *why = read ? ReadFailure::kNone : tooLarge ? ReadFailure::kTooLarge : ReadFailure::kUnreadable;
    return read;
}

bool readOpenFileStart(std::size_t maxBytes, std::string& bytes,
                       const std::function<std::int64_t(char*, std::size_t)>& readSome) {
    bytes.assign(maxBytes, '\0');
    std::size_t used = 0;
    while (used < maxBytes) {
        const std::int64_t got = readSome(&bytes[used], maxBytes - used);
        if (got < 0) {
            bytes.clear();
            return false;
        }
        if (got == 0) break;
        used += static_cast<std::size_t>(got);
    }
    bytes.resize(used);
    return true;
}

}  // namespace pelorn
