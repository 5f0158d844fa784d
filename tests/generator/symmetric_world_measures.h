// What a symmetric world must satisfy, measured on a map: every
// tile equals its images, and no straight seam shows where the copies meet.
// Shared by the unit tests and the 50-seed checker (tests/checks).
#pragma once

#include <cstdint>
#include <vector>

#include "generator/symmetry.h"
#include "map/map_grid.h"
#include "map/terrain.h"

namespace pelorn::test {

// The relation itself, written out apart from GridSymmetry: the tile that
// tile (x, y) must equal.
inline TilePos expectedImage(const Map& map, Symmetry symmetry, std::int32_t x, std::int32_t y) {
    const std::int32_t w = mapWidth(map);
    const std::int32_t h = mapHeight(map);
    switch (symmetry) {
        case Symmetry::kNone: return {x, y};
        case Symmetry::kRotate2: return {w - 1 - x, h - 1 - y};
        case Symmetry::kCopies2: return {(x + w / 2) % w, y};
        case Symmetry::kCopies4: return {(x + w / 4) % w, y};
    }
    return {x, y};
}

// Tiles that differ from their image.
inline std::int64_t imageMismatches(const Map& map, Symmetry symmetry) {
    std::int64_t mismatches = 0;
    for (std::int32_t x = 0; x < mapWidth(map); ++x) {
        for (std::int32_t y = 0; y < mapHeight(map); ++y) {
            const TilePos image = expectedImage(map, symmetry, x, y);
            if (map.mapGrid[x][y] != map.mapGrid[image.x][image.y]) ++mismatches;
        }
    }
    return mismatches;
}

// Water for the seam measure: what lies at or below sea level.
inline bool isOpenWater(TerrainCode code) { return code == kSea || code == kLake || code == kGlacier; }

// Land/water changes across the line between columns c-1 and c (rows r-1 and r).
inline std::int32_t changesAcrossColumnLine(const Map& map, std::int32_t c) {
    std::int32_t changes = 0;
    for (std::int32_t y = 0; y < mapHeight(map); ++y)
        if (isOpenWater(map.mapGrid[c - 1][y]) != isOpenWater(map.mapGrid[c][y])) ++changes;
    return changes;
}
inline std::int32_t changesAcrossRowLine(const Map& map, std::int32_t r) {
    std::int32_t changes = 0;
    for (std::int32_t x = 0; x < mapWidth(map); ++x)
        if (isOpenWater(map.mapGrid[x][r - 1]) != isOpenWater(map.mapGrid[x][r])) ++changes;
    return changes;
}

// Changes summed over the seam lines and over all other inner lines of one
// direction, with the number of lines of each kind.
struct SeamCount {
    std::int64_t seamChanges = 0;
    std::int64_t seamLines = 0;
    std::int64_t otherChanges = 0;
    std::int64_t otherLines = 0;

    void add(const SeamCount& other) {
        seamChanges += other.seamChanges;
        seamLines += other.seamLines;
        otherChanges += other.otherChanges;
        otherLines += other.otherLines;
    }
    double seamShare() const { return seamLines ? static_cast<double>(seamChanges) / seamLines : 0.0; }
    double otherShare() const { return otherLines ? static_cast<double>(otherChanges) / otherLines : 0.0; }
};

// The seams of a symmetric map: under copies the column lines where one strip
// meets the next; under rotate2 the column line and the row line through the
// centre, where the half and its turned image meet (counted as one direction
// each: columns first, then rows).
inline std::vector<std::int32_t> seamColumns(const Map& map, Symmetry symmetry) {
    const std::int32_t w = mapWidth(map);
    switch (symmetry) {
        case Symmetry::kNone: return {};
        case Symmetry::kRotate2: return {w / 2};
        case Symmetry::kCopies2: return {w / 2};
        case Symmetry::kCopies4: return {w / 4, w / 2, 3 * w / 4};
    }
    return {};
}
inline std::vector<std::int32_t> seamRows(const Map& map, Symmetry symmetry) {
    if (symmetry == Symmetry::kRotate2) return {mapHeight(map) / 2};
    return {};
}

inline SeamCount countSeams(const Map& map, const std::vector<std::int32_t>& seams, std::int32_t lines,
                            std::int32_t (*changesAcross)(const Map&, std::int32_t)) {
    SeamCount count;
    for (std::int32_t line = 1; line < lines; ++line) {
        const std::int32_t changes = changesAcross(map, line);
        bool seam = false;
        for (std::int32_t s : seams) seam = seam || s == line;
        if (seam) {
            count.seamChanges += changes;
            ++count.seamLines;
        } else {
            count.otherChanges += changes;
            ++count.otherLines;
        }
    }
    return count;
}
inline SeamCount columnSeams(const Map& map, Symmetry symmetry) {
    return countSeams(map, seamColumns(map, symmetry), mapWidth(map), changesAcrossColumnLine);
}
inline SeamCount rowSeams(const Map& map, Symmetry symmetry) { return countSeams(map, seamRows(map, symmetry), mapHeight(map), changesAcrossRowLine); }

// River tiles with a river neighbour on the other side of a seam column: the
// rivers that run on across it.
inline std::int64_t riverCrossings(const Map& map, Symmetry symmetry) {
    std::int64_t crossings = 0;
    const HexTorus torus = mapTorus(map);
    for (std::int32_t c : seamColumns(map, symmetry)) {
        for (std::int32_t y = 0; y < mapHeight(map); ++y) {
            if (!isRiverCode(map.mapGrid[c][y])) continue;
            for (const TilePos& n : torus.neighbours({c, y}))
                if (n.x == c - 1 && isRiverCode(map.mapGrid[n.x][n.y])) ++crossings;
        }
    }
    return crossings;
}

}  // namespace pelorn::test
