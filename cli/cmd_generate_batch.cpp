// pelorn-cli generate --seeds A..B: many worlds, the fairest kept.
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

#include "cli/generate.h"
#include "cli/parallel.h"
#include "cli/terminal.h"
#include "files/bitmap_file.h"
#include "files/map_file.h"
#include "files/safe_file.h"
#include "map/map_grid.h"

namespace pelorn::cli {

namespace {

constexpr const char* kCommand = "generate";

struct WorldFacts {
    std::uint32_t seed = 0;
    std::size_t starts = 0;
    bool complete = false;
    Spread land;
    std::int32_t weakest = 0;
    Spread territory;
    Spread room;
    std::int64_t weakestRoom = 0;
};

WorldFacts factsOf(std::uint32_t seed, const PlayersPlan& plan) {
    WorldFacts facts;
    facts.seed = seed;
    facts.starts = plan.starts.size();
    facts.complete = plan.complete;
    facts.land = plan.report.landSpread;
    facts.territory = plan.report.territorySpread;
    facts.room = plan.roomSpread;
    if (!plan.rooms.empty()) facts.weakestRoom = *std::min_element(plan.rooms.begin(), plan.rooms.end());
    if (!plan.report.starts.empty()) {
        facts.weakest = std::min_element(plan.report.starts.begin(), plan.report.starts.end(),
                                         [](const StartFacts& a, const StartFacts& b) { return a.landValue < b.landValue; })
                            ->landValue;
    }
    return facts;
}

// The larger of a world's home (land value) and room spreads.
Spread unevenness(const WorldFacts& w) { return w.land.fairerThan(w.room) ? w.room : w.land; }

// All starts placed first (else the most), then the least of the larger
// spread, the highest weakest room; equal worlds stay in seed order.
bool fairer(const WorldFacts& a, const WorldFacts& b) {
    if (a.starts != b.starts) return a.starts > b.starts;
    const Spread ua = unevenness(a);
    const Spread ub = unevenness(b);
    if (ua.fairerThan(ub)) return true;
    if (ub.fairerThan(ua)) return false;
    return a.weakestRoom > b.weakestRoom;
}

std::string csvText(const std::vector<WorldFacts>& ranked) {
    std::string text = "seed,spread,weakest,territory_spread,starts,room_spread,weakest_room";
    for (const WorldFacts& w : ranked) {
        text += "\r\n" + std::to_string(w.seed) + "," + w.land.percentText() + "," + std::to_string(w.weakest) + "," +
                w.territory.percentText() + "," + std::to_string(w.starts) + "," + w.room.percentText() + "," +
                std::to_string(w.weakestRoom);
    }
    return text + "\r\n";
}

// The progress line, shared by the threads: the worlds done and the seed
// of the last one.
class Progress {
public:
    explicit Progress(std::uint64_t total) : total_(total), shown_(stderrIsTerminal()) {}
    void done(std::uint32_t seed) {
        // One line at a time; a short wait while another thread writes its own.
        while (writing_.test_and_set(std::memory_order_acquire)) {
        }
        ++done_;
        if (shown_) std::cerr << "\rpelorn-cli generate: world " << done_ << " of " << total_ << " (seed " << seed << ")" << std::flush;
        writing_.clear(std::memory_order_release);
    }
    void end() const {
        if (shown_) std::cerr << "\n";
    }

private:
    std::atomic_flag writing_ = ATOMIC_FLAG_INIT;
    std::uint64_t total_;
    std::uint64_t done_ = 0;
    bool shown_;
};

// One seed's outcome: its facts, or why the batch stops there.
struct SeedResult {
    WorldFacts facts;
    Stop stop;
    std::string error;  // players mode's refusal
};

std::int32_t threadCount(const GenerateOptions& options) {
    // Each thread holds a world and its working tables, a few dozen bytes a
    // tile: big maps get fewer threads than cores, or than --threads asks.
    constexpr std::int64_t kTilesAtOnce = 40'000'000;
    const std::int64_t tiles = std::int64_t{*options.quadsX} * options.quadsY * kQuadSize * kQuadSize;
    const std::int64_t fit = std::max<std::int64_t>(1, kTilesAtOnce / std::max<std::int64_t>(tiles, 1));
    const std::int64_t wanted = options.threads ? std::int64_t{*options.threads} : coreCount();
    return static_cast<std::int32_t>(std::min({wanted, fit, std::int64_t{kMaxBatchThreads}}));
}

// Every seed's world, one per thread at a time. A seed's result depends on
// nothing but the seed, so the results are those of one thread; after a
// failure no new seed is begun, and the first failing seed is the one told.
std::vector<SeedResult> runSeeds(const GenerateOptions& options, Progress& progress) {
    const SeedRange range = *options.seeds;
    std::vector<SeedResult> results(static_cast<std::size_t>(range.count()));
    std::atomic<std::uint64_t> next{0};
    std::atomic<bool> failed{false};
    const auto work = [&] {
        Map map;
        for (std::uint64_t i = next++; i < range.count() && !failed; i = next++) {
            const auto seed = static_cast<std::uint32_t>(range.first + i);
            SeedResult& result = results[static_cast<std::size_t>(i)];
            result.stop = makeWorld(map, options, seed, *options.name);
            if (!result.stop) {
                const PlayersPlan plan = planPlayerStarts(map, options.players);
                result.error = plan.error;
                result.facts = factsOf(seed, plan);
            }
            if (result.stop || !result.error.empty()) failed = true;
            progress.done(seed);
        }
    };
    runInParallel(threadCount(options), work);
    return results;
}

}  // namespace

int runBatch(const GenerateOptions& options) {
    Progress progress(options.seeds->count());
    const std::vector<SeedResult> results = runSeeds(options, progress);
    progress.end();
    std::vector<WorldFacts> worlds;
    worlds.reserve(results.size());
    for (const SeedResult& result : results) {
        if (result.stop) return *result.stop;
        if (!result.error.empty()) {
            std::cerr << "pelorn-cli generate: seed " << result.facts.seed << ": " << result.error << "\n";
            return kExitFile;
        }
        worlds.push_back(result.facts);
    }
    // Worlds come in seed order, so equally fair ones stay in it.
    std::stable_sort(worlds.begin(), worlds.end(), fairer);

    // The kept worlds are made again rather than held: memory stays that of
    // one world however many are kept.
    Map map;
    int status = kExitOk;
    bool fewer = false;
    bool uneven = false;  // a kept world with a spread above --max-spread
    for (std::int32_t k = 0; k < *options.keepBest; ++k) {
        const WorldFacts& kept = worlds[static_cast<std::size_t>(k)];
        const std::string name = *options.name + "-" + std::to_string(kept.seed);
        if (const Stop stop = makeWorld(map, options, kept.seed, name)) return *stop;
        const PlayersPlan plan = generatePlayerStartLocations(map, options.players);
        std::cout << "seed " << kept.seed << ": " << playersStatusText(plan) << "\n";
        fewer = fewer || !plan.complete;
        if (plan.uneven) {
            std::cerr << "pelorn-cli generate: seed " << kept.seed << ": home spread "
                      << plan.report.landSpread.percentText() << "% and room spread " << plan.roomSpread.percentText()
                      << "%: above --max-spread " << options.players.maxSpread << "%\n";
        }
        uneven = uneven || plan.uneven;
        status = std::max(status, reportWrite(kCommand, name + ".map", saveMapFile(map)));
        if (options.bitmap) status = std::max(status, reportWrite(kCommand, name + ".bmp", saveMapBitmap(map)));
    }
    const std::string csvName = *options.name + ".csv";
    status = std::max(status, reportWrite(kCommand, csvName, writeFileSafely(csvName, csvText(worlds))));
    if (status != kExitOk) return status;
    return fewer || uneven ? kExitFewerStarts : kExitOk;
}

}  // namespace pelorn::cli
