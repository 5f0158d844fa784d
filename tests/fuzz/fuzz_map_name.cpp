// Any bytes as a map name: a name the rule accepts must be one plain file
// name in the working folder on POSIX and on Windows alike, naming no device,
// and must come back unchanged as the name token of a map or settings file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>

#include "files/map_name.h"
#include "text/conversions.h"

namespace {

using namespace pelorn;

void check(bool condition) {
    if (!condition) std::abort();
}

void checkAccepted(const std::string& name) {
    check(!name.empty() && name.size() <= kMaxMapNameLength);
    check(name != "." && name != "..");
    for (char c : name) {
        const unsigned char u = static_cast<unsigned char>(c);
        // No separator of either system, no drive or stream colon, no wildcard, no control.
        check(u >= 32 && u != 127 && std::strchr("/\\:*?\"<>|", c) == nullptr);
    }
    // Windows drops trailing dots and blanks, which would name another file.
    check(name.back() != '.' && name.back() != ' ');
    check(!namesReservedDevice(name) && !namesReservedDevice(name + ".map"));
    const std::filesystem::path file(name + ".map");
    check(!file.has_parent_path() && !file.has_root_path() && file.filename() == file);
    check(file.lexically_normal() == file);
    check(fileNameOfPath(name) == name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string name(reinterpret_cast<const char*>(data), size);
    const MapNameProblem problem = mapNameProblem(name);
    if (problem == MapNameProblem::None) checkAccepted(name);
    else check(std::strlen(mapNameRuleText(problem)) > 0);

    // As a token: a safe name without white space is read back whole, and
    // anything else is never taken.
    std::size_t pos = 0;
    std::string read = "stale";
    const std::string text = name + "\r\n01";
    if (readMapNameToken(text, pos, read)) {
        check(read.empty() || isSafeMapName(read));
        bool white = false;
        for (char c : name) white = white || isStreamSpace(c);
        if (problem == MapNameProblem::None && !white) check(read == name);
    }
    return 0;
}
