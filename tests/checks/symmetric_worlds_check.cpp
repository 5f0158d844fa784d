// Symmetric worlds over many seeds: 50 seeds for each symmetry and three map
// sizes. Every tile must equal its images; the land/water changes across the
// seam lines must stay within twice those across the other lines (summed over
// the seeds, per size and direction); rivers must run on across the seams;
// players mode, asked for twice the symmetry's order of starts, must place
// them in symmetric sets with a home spread of at most 5%.
// Too many worlds for the sanitizer builds, so CTest runs it on the plain
// build only. Prints the measures; exits 1 when one fails.
#include <cstdint>
#include <cstdio>

#include "generator/parameters.h"
#include "generator/random.h"
#include "generator/symmetry.h"
#include "generator/world.h"
#include "map/map_grid.h"
#include "startlocations/players.h"
#include "../generator/symmetric_world_measures.h"

namespace {

using namespace pelorn;
using namespace pelorn::test;

constexpr int kSeeds = 50;
struct Size {
    std::int32_t quadsX;
    std::int32_t quadsY;
};
constexpr Size kSizes[] = {{2, 1}, {2, 2}, {4, 2}};
constexpr Symmetry kSymmetries[] = {Symmetry::kRotate2, Symmetry::kCopies2, Symmetry::kCopies4};

// Players mode for twice the order of players: every start's images are
// starts, the homes within 5% of each other. A world of little land
// may hold fewer, but never a broken set. Counts the worlds that held them
// all in `complete`.
bool startsInSymmetricSets(Map& map, Symmetry symmetry, int& complete) {
    PlayersOptions options;
    options.players = 2 * symmetryOrder(symmetry);
    options.minDistance = 20;
    options.symmetry = symmetry;
    const PlayersPlan plan = generatePlayerStartLocations(map, options);
    if (plan.starts.empty() || plan.report.landSpread.percent() > 5) return false;
    complete += plan.complete ? 1 : 0;
    for (const TilePos& start : plan.starts) {
        const TilePos image = expectedImage(map, symmetry, start.x, start.y);
        if (!isStartLocationCode(map.mapGrid[image.x][image.y])) return false;
    }
    return imageMismatches(map, symmetry) == 0;
}

bool withinTwice(const SeamCount& count) {
    return count.seamLines == 0 || count.seamShare() <= 2.0 * count.otherShare();
}

void printShares(const char* direction, const SeamCount& count, int seedsOver) {
    if (count.seamLines == 0) return;
    const double ratio = count.otherShare() > 0 ? count.seamShare() / count.otherShare() : 0.0;
    std::printf("    %s: seam %.2f changes per line, other lines %.2f, ratio %.2f; seeds over twice: %d of %d\n",
                direction, count.seamShare(), count.otherShare(), ratio, seedsOver, kSeeds);
}

}  // namespace

int main() {
    int failures = 0;
    for (Symmetry symmetry : kSymmetries) {
        std::int64_t crossings = 0;
        for (const Size& size : kSizes) {
            SeamCount columns;
            SeamCount rows;
            int columnSeedsOver = 0;
            int rowSeedsOver = 0;
            std::int64_t mismatches = 0;
            int failedRuns = 0;
            int unevenStarts = 0;
            int completeStarts = 0;
            for (int seed = 1; seed <= kSeeds; ++seed) {
                Map map;
                map.quadCountX = size.quadsX;
                map.quadCountY = size.quadsY;
                Random random(static_cast<std::uint32_t>(seed));
                if (!generateSymmetricMap(map, GeneratorParameters{}, random, symmetry).generated) {
                    ++failedRuns;
                    continue;
                }
                mismatches += imageMismatches(map, symmetry);
                const SeamCount c = columnSeams(map, symmetry);
                const SeamCount r = rowSeams(map, symmetry);
                columnSeedsOver += withinTwice(c) ? 0 : 1;
                rowSeedsOver += withinTwice(r) ? 0 : 1;
                columns.add(c);
                rows.add(r);
                crossings += riverCrossings(map, symmetry);
                unevenStarts += startsInSymmetricSets(map, symmetry, completeStarts) ? 0 : 1;
            }
            const bool ok = failedRuns == 0 && mismatches == 0 && withinTwice(columns) && withinTwice(rows) &&
                            unevenStarts == 0;
            std::printf("%-5s %-8s %dx%d: %lld tiles unlike their image, %d runs failed; %d players: %d worlds "
                        "without symmetric sets of homes within 5%%, %d of %d with all of them\n",
                        ok ? "ok" : "FAIL", symmetryName(symmetry), size.quadsX, size.quadsY,
                        static_cast<long long>(mismatches), failedRuns, 2 * symmetryOrder(symmetry), unevenStarts,
                        completeStarts, kSeeds);
            printShares("column lines", columns, columnSeedsOver);
            printShares("row lines", rows, rowSeedsOver);
            if (!ok) ++failures;
        }
        std::printf("%-5s %-8s rivers crossing a seam: %lld\n", crossings > 0 ? "ok" : "FAIL", symmetryName(symmetry),
                    static_cast<long long>(crossings));
        if (crossings == 0) ++failures;
    }
    std::printf("%d failed\n", failures);
    return failures == 0 ? 0 : 1;
}
