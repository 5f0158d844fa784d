#include "dialogs/start_locations_dialog.h"

#include "dialogs/dialog_text.h"
#include "dialogs/generate_terrain_dialog.h"
#include "dialogs/seed_field.h"
#include "editing/history.h"
#include "generator/parameters.h"
#include "resources/resource.h"
#include "startlocations/players.h"
#include "startlocations/start_locations.h"
#include "text/conversions.h"
#include "view/players_status.h"
#include "view/seed_status.h"

namespace pelorn {

namespace {

const PlayersFieldTexts kFirstPlayersTexts{"0", "0", "3"};
// Kept for the run of the program, but not saved with the settings, whose
// bytes stay as they were.
PlayersFieldTexts lastPlayersTexts = kFirstPlayersTexts;

void storeTries(std::string_view tries) {
    std::string text = firstChars(tries);
    if (text.empty()) text = "1";
    generatorParameters.genStartLocTries = textToInt(text);
}

std::int32_t fieldNumber(std::string_view field, std::int32_t whenEmpty) {
    const std::string text = firstChars(field);
    return text.empty() ? whenEmpty : textToInt(text);
}

PlayersOptions playersOptionsOf(const PlayersFieldTexts& texts) {
    PlayersOptions options;
    options.players = fieldNumber(texts.players, 0);
    options.minDistance = fieldNumber(texts.minDistance, 0);
    options.radius = fieldNumber(texts.radius, kDefaultLandRadius);
    // The symmetry the last world was made with: on a map that still has it,
    // a number of players that is a multiple of its order get symmetric sets.
    options.symmetry = symmetryInitialChoice();
    return options;
}

void runClassic() {
    clearPlayersStatus();
    runRecordedWholeMapEdit(generateStartLocations, MapChange::kTiles);
}

}  // namespace

std::string startLocationsInitialText() { return intToText(generatorParameters.genStartLocTries); }

void applyStartLocations(std::string_view tries) {
    storeTries(tries);
    runClassic();
}

PlayersFieldTexts playersInitialTexts() { return lastPlayersTexts; }

void resetPlayersFields() { lastPlayersTexts = kFirstPlayersTexts; }

std::optional<int> refusedPlayersField(const PlayersFieldTexts& texts) {
    const PlayersOptions options = playersOptionsOf(texts);
    if (options.players == 0) return std::nullopt;
    std::string reason;
    switch (refusedPlayersOption(options, reason)) {
        case PlayersOption::kNone: return std::nullopt;
        case PlayersOption::kPlayers: return IDC_PLAYERS;
        case PlayersOption::kMinDistance: return IDC_MIN_DISTANCE;
        case PlayersOption::kRadius:
        case PlayersOption::kWeights: return IDC_LAND_RADIUS;
    }
    return std::nullopt;
}

void applyStartLocations(std::string_view tries, const PlayersFieldTexts& players) {
    if (refusedPlayersField(players)) return;
    storeTries(tries);
    lastPlayersTexts = {firstChars(players.players), firstChars(players.minDistance), firstChars(players.radius)};
    const PlayersOptions options = playersOptionsOf(players);
    if (options.players == 0) {
        runClassic();
        return;
    }
    PlayersPlan plan;
    runRecordedWholeMapEdit([&] {
        plan = generatePlayerStartLocations(options);
        return plan.error.empty();
    });
    showPlayersStatus(playersStatusText(plan));
}

void applyStartLocations(std::string_view tries, const PlayersFieldTexts& players, std::string_view seedText) {
    if (refusedPlayersField(players)) return;
    const std::uint32_t used = seedFromField(seedText);
    applyStartLocations(tries, players);
    // Players mode draws no random numbers: its own text tells of the run.
    if (playersOptionsOf(players).players == 0) {
        showSeed(used);
    } else {
        clearShownSeed();
    }
}

}  // namespace pelorn
