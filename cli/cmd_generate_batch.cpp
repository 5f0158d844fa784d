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
};

WorldFacts factsOf(std::uint32_t seed, const PlayersPlan& plan) {
    WorldFacts facts;
    facts.seed = seed;
    facts.starts = plan.starts.size();
    facts.complete = plan.complete;
    facts.land = plan.report.landSpread;
    facts.territory = plan.report.territorySpread;
    if (!plan.report.starts.empty()) {
        facts.weakest = std::min_element(plan.report.starts.begin(), plan.report.starts.end(),
                                         [](const StartFacts& a, const StartFacts& b) { return a.landValue < b.landValue; })
                            ->landValue;
    }
    return facts;
}

// All starts placed first (else the most), then the least land value
// spread, the highest weakest value, the least territory spread.
bool fairer(const WorldFacts& a, const WorldFacts& b) {
    if (a.starts != b.starts) return a.starts > b.starts;
    if (a.land.fairerThan(b.land)) return true;
    if (b.land.fairerThan(a.land)) return false;
    if (a.weakest != b.weakest) return a.weakest > b.weakest;
    return a.territory.fairerThan(b.territory);
}

std::string csvText(const std::vector<WorldFacts>& ranked) {
    std::string text = "seed,spread,weakest,territory_spread,starts";
    for (const WorldFacts& w : ranked) {
        text += "\r\n" + std::to_string(w.seed) + "," + w.land.percentText() + "," + std::to_string(w.weakest) + "," +
                w.territory.percentText() + "," + std::to_string(w.starts);
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
