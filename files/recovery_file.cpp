#include "files/recovery_file.h"

#include <vector>

#include "files/map_file.h"
#include "files/map_name.h"
#include "files/safe_file.h"
#include "map/map_grid.h"
#include "text/conversions.h"

namespace pelorn {

namespace {

constexpr char kRecoveryPrefix[] = "Recovery-";
// The head of a map file up to the end of line 2: "*MapInfo*", a line break,
// a name of at most 64 characters, with room to spare.
constexpr std::size_t kHeadBytes = 256;

std::string pathOf(const std::string& mapName) { return mapName + ".map"; }

// The numbers a copy may use: nothing stands there or a copy of ours does,
// and the number is not the map's own name.
std::vector<int> usableNumbers(const std::string& currentMapName) {
    std::vector<int> numbers;
    for (int copy = 1; copy <= kRecoveryCopies; ++copy) {
        const std::string name = recoveryMapName(copy);
        if (name == currentMapName) continue;
        const PathKind kind = pathKind(pathOf(name));
        if (kind == PathKind::Nothing || (kind == PathKind::PlainFile && isRecoveryCopy(name))) numbers.push_back(copy);
    }
    return numbers;
}

// Frees the first usable number: the copies that stand one after another from
// it move one number up, into the first free one; when none is free, the
// last of them, the oldest, is deleted first.
bool freeFirstNumber(const std::vector<int>& numbers) {
    std::size_t taken = 0;
    while (taken < numbers.size() && pathKind(pathOf(recoveryMapName(numbers[taken]))) != PathKind::Nothing) ++taken;
    if (taken == numbers.size()) {
        if (!removeFile(pathOf(recoveryMapName(numbers[taken - 1])))) return false;
        --taken;
    }
    for (std::size_t i = taken; i-- > 0;) {
        if (!renameFileWithoutReplacing(pathOf(recoveryMapName(numbers[i])), pathOf(recoveryMapName(numbers[i + 1]))))
            return false;
    }
    return true;
}

}  // namespace

std::string recoveryMapName(int copy) { return kRecoveryPrefix + std::to_string(copy); }

bool isRecoveryCopy(const std::string& mapName) {
    std::string head;
    if (!readFileStart(pathOf(mapName), kHeadBytes, head)) return false;
    std::size_t pos = 0;
    std::string_view first;
    std::string name;
    if (!readWordView(head, pos, first) || first != "*MapInfo*" || !nextTokenStartsALine(head, pos)) return false;
    return readMapNameWords(head, pos, name) && !name.empty() && name != mapName;
}

int writeNewRecoveryCopy(const Map& map) {
    if (!map.mapGrid) return 0;
    const std::vector<int> numbers = usableNumbers(map.currentMapName);
    if (numbers.empty() || !freeFirstNumber(numbers)) return 0;
    return writeMapFile(map, pathOf(recoveryMapName(numbers.front()))) ? numbers.front() : 0;
}

bool rewriteRecoveryCopy(const Map& map, int copy) {
    const std::string name = recoveryMapName(copy);
    return copy >= 1 && copy <= kRecoveryCopies && map.mapGrid && name != map.currentMapName &&
           isRecoveryCopy(name) && writeMapFile(map, pathOf(name));
}

}  // namespace pelorn
