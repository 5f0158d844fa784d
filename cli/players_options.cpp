#include "cli/players_options.h"

#include <algorithm>
#include <iostream>
#include <utility>

#include "files/safe_file.h"
#include "startlocations/land_weights.h"

namespace pelorn::cli {

const OptionNames& landOptionNames() {
    static const OptionNames names{"--radius", "--weights"};
    return names;
}

const OptionNames& playersOptionNames() {
    static const OptionNames names{"--players", "--min-distance", "--max-spread", "--room", "--radius", "--weights"};
    return names;
}

bool isPlayersOption(const std::string& option) {
    const OptionNames& names = playersOptionNames();
    return std::any_of(names.begin(), names.end(), [&](const char* name) { return option == name; });
}

Stop takePlayersOption(const char* command, const std::string& option, const std::string& value,
                       PlayersOptionWords& words) {
    if (option == "--players") return readWholeNumber(command, option, value, words.players);
    if (option == "--min-distance") return readWholeNumber(command, option, value, words.minDistance);
    if (option == "--max-spread") return readWholeNumber(command, option, value, words.maxSpread);
    if (option == "--room") return readWholeNumber(command, option, value, words.room);
    if (option == "--radius") return readWholeNumber(command, option, value, words.land.radius);
    return readInputPath(command, option, value, words.land.weightsPath);
}

namespace {

// Reads the weights file of the words, when one is given.
Stop readWeights(const char* command, const LandOptionWords& words, PlayersOptions& options) {
    options.weights = defaultLandWeights();
    if (!words.weightsPath) return std::nullopt;
    std::string text;
    if (!readWholeFile(*words.weightsPath, text, kMaxWeightsFileBytes)) {
        return reportCannotRead(command, *words.weightsPath,
                                "a weights file is a plain file of at most " + std::to_string(kMaxWeightsFileBytes) +
                                    " bytes");
    }
    std::string error;
    if (!parseLandWeights(text, options.weights, error)) return reportCannotRead(command, *words.weightsPath, error);
    return std::nullopt;
}

}  // namespace

Stop landOptionsFrom(const char* command, const LandOptionWords& words, PlayersOptions& options) {
    options.radius = words.radius.value_or(kDefaultLandRadius);
    std::string refused;
    if (!checkLandOptions(options.radius, LandWeights{}, refused)) return usageError(command, refused);
    return readWeights(command, words, options);
}

Stop refuseWithoutPlayers(const char* command, const PlayersOptionWords& words) {
    if (words.players) return std::nullopt;
    for (const auto& [given, name] : {std::pair{words.minDistance.has_value(), "--min-distance"},
                                      std::pair{words.maxSpread.has_value(), "--max-spread"},
                                      std::pair{words.room.has_value(), "--room"},
                                      std::pair{words.land.radius.has_value(), "--radius"},
                                      std::pair{words.land.weightsPath.has_value(), "--weights"}}) {
        if (given) return usageError(command, std::string(name) + " needs --players");
    }
    return std::nullopt;
}

Stop playersOptionsFrom(const char* command, const PlayersOptionWords& words, PlayersOptions& options) {
    options.players = words.players.value_or(0);
    options.minDistance = words.minDistance.value_or(kAutomaticSpacing);
    options.radius = words.land.radius.value_or(kDefaultLandRadius);
    options.maxSpread = words.maxSpread.value_or(-1);
    options.roomRadius = words.room.value_or(-1);
    // Every value is checked before the weights file is read. A negative
    // distance or spread given is refused, never read as "none given".
    constexpr std::int32_t kRefused = -2;
    PlayersOptions given = options;
    if (words.minDistance && *words.minDistance < 0) given.minDistance = kRefused;
    if (words.maxSpread && *words.maxSpread < 0) given.maxSpread = kRefused;
    if (words.room && *words.room < 0) given.roomRadius = kRefused;
    std::string refused;
    if (!checkPlayersOptions(given, refused)) return usageError(command, refused);
    return readWeights(command, words.land, options);
}

void reportPlayersPlan(const char* command, const PlayersPlan& plan, const PlayersOptions& options) {
    std::cout << "placed " << playersStatusText(plan) << "\n";
    if (!plan.complete) {
        std::cerr << "pelorn-cli " << command << ": the map holds only " << plan.starts.size() << " of the "
                  << plan.requested << " start locations asked for, at least " << plan.spacing << " steps apart\n";
    }
    if (plan.uneven) {
        std::cerr << "pelorn-cli " << command << ": home spread " << plan.report.landSpread.percentText()
                  << "% and room spread " << plan.roomSpread.percentText() << "%: above --max-spread "
                  << options.maxSpread << "%\n";
    }
}

int statusAfterPlacing(const PlayersPlan& plan, int written) {
    if (written != kExitOk) return written;
    return plan.complete && !plan.uneven ? kExitOk : kExitFewerStarts;
}

}  // namespace pelorn::cli
