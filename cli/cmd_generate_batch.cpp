// pelorn-cli generate --seeds A..B: many worlds, the fairest kept.
#include <algorithm>
#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

#include "cli/generate.h"
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

class Progress {
public:
    explicit Progress(std::uint64_t total) : total_(total), shown_(stderrIsTerminal()) {}
    void at(std::uint64_t done, std::uint32_t seed) const {
        if (shown_) std::cerr << "\rpelorn-cli generate: world " << done << " of " << total_ << " (seed " << seed << ")" << std::flush;
    }
    void end() const {
        if (shown_) std::cerr << "\n";
    }

private:
    std::uint64_t total_;
    bool shown_;
};

}  // namespace

int runBatch(const GenerateOptions& options) {
    const SeedRange range = *options.seeds;
    std::vector<WorldFacts> worlds;
    worlds.reserve(static_cast<std::size_t>(range.count()));
    const Progress progress(range.count());
    Map map;
    for (std::uint64_t i = 0; i < range.count(); ++i) {
        const auto seed = static_cast<std::uint32_t>(range.first + i);
        progress.at(i + 1, seed);
        if (const Stop stop = makeWorld(map, options, seed, *options.name)) {
            progress.end();
            return *stop;
        }
        const PlayersPlan plan = planPlayerStarts(map, options.players);
        if (!plan.error.empty()) {
            progress.end();
            std::cerr << "pelorn-cli generate: seed " << seed << ": " << plan.error << "\n";
            return kExitFile;
        }
        worlds.push_back(factsOf(seed, plan));
    }
    progress.end();
    // Worlds come in seed order, so equally fair ones stay in it.
    std::stable_sort(worlds.begin(), worlds.end(), fairer);

    // The kept worlds are made again rather than held: memory stays that of
    // one world however many are kept.
    int status = kExitOk;
    bool fewer = false;
    for (std::int32_t k = 0; k < *options.keepBest; ++k) {
        const WorldFacts& kept = worlds[static_cast<std::size_t>(k)];
        const std::string name = *options.name + "-" + std::to_string(kept.seed);
        if (const Stop stop = makeWorld(map, options, kept.seed, name)) return *stop;
        const PlayersPlan plan = generatePlayerStartLocations(map, options.players);
        std::cout << "seed " << kept.seed << ": " << playersStatusText(plan) << "\n";
        fewer = fewer || !plan.complete;
        status = std::max(status, reportWrite(kCommand, name + ".map", saveMapFile(map)));
        if (options.bitmap) status = std::max(status, reportWrite(kCommand, name + ".bmp", saveMapBitmap(map)));
    }
    const std::string csvName = *options.name + ".csv";
    status = std::max(status, reportWrite(kCommand, csvName, writeFileSafely(csvName, csvText(worlds))));
    if (status != kExitOk) return status;
    return fewer ? kExitFewerStarts : kExitOk;
}

}  // namespace pelorn::cli
