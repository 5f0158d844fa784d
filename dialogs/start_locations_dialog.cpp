#include "dialogs/start_locations_dialog.h"

#include <functional>

#include "dialogs/dialog_text.h"
#include "dialogs/generate_terrain_dialog.h"
#include "dialogs/seed_field.h"
#include "editing/editor.h"
#include "generator/parameters.h"
#include "resources/resource.h"
#include "startlocations/players.h"
#include "startlocations/start_locations.h"
#include "text/conversions.h"
#include "view/players_status.h"
#include "view/seed_status.h"

namespace pelorn {

namespace {

void storeTries(GeneratorParameters& parameters, std::string_view tries) {
    std::string text = firstChars(tries);
    if (text.empty()) text = "1";
    parameters.genStartLocTries = textToInt(text);
}

std::int32_t fieldNumber(std::string_view field, std::int32_t whenEmpty) {
    const std::string text = firstChars(field);
    return text.empty() ? whenEmpty : textToInt(text);
}

PlayersOptions playersOptionsOf(const PlayersFieldTexts& texts, Symmetry symmetry) {
    PlayersOptions options;
    options.players = fieldNumber(texts.players, 0);
    // Empty asks for the automatic spacing; a number typed keeps its meaning
    // (a negative one is refused by refusedPlayersField before this counts).
    options.minDistance = fieldNumber(texts.minDistance, kAutomaticSpacing);
    options.radius = fieldNumber(texts.radius, kDefaultLandRadius);
    options.symmetry = symmetry;
    return options;
}

}  // namespace

std::string startLocationsInitialText(const GeneratorParameters& parameters) {
    return intToText(parameters.genStartLocTries);
}

PlayersFieldTexts playersInitialTexts(const DialogMemory& memory) { return memory.lastPlayersTexts; }

std::optional<int> refusedPlayersField(const PlayersFieldTexts& texts) {
    const PlayersOptions options = playersOptionsOf(texts, Symmetry::kNone);
    if (options.players == 0) return std::nullopt;
    // A typed -1 would read as the automatic spacing: a typed distance below 0 is refused.
    if (!firstChars(texts.minDistance).empty() && options.minDistance < 0 && options.players > 0 &&
        options.players <= kMaxPlayers)
        return IDC_MIN_DISTANCE;
    std::string reason;
    switch (refusedPlayersOption(options, reason)) {
        case PlayersOption::kNone: return std::nullopt;
        case PlayersOption::kPlayers: return IDC_PLAYERS;
        case PlayersOption::kMinDistance: return IDC_MIN_DISTANCE;
        case PlayersOption::kRadius:
        case PlayersOption::kWeights: return IDC_LAND_RADIUS;
        case PlayersOption::kMaxSpread:
        case PlayersOption::kRoomRadius: return std::nullopt;  // the dialog has no such fields
    }
    return std::nullopt;
}

namespace {

// After a start moved by hand: the status text of the run's options for the
// starts the map holds now.
std::function<std::string(const Map&)> playersRecount(const PlayersOptions& options) {
    return [options](const Map& map) {
        PlayersPlan plan;
        plan.requested = options.players;
        plan.starts = startLocationsOnMap(map);
        plan.complete = static_cast<std::int32_t>(plan.starts.size()) >= options.players;
        plan.report = describeStarts(map, plan.starts, options.radius, options.weights);
        return playersStatusText(plan);
    };
}

}  // namespace

void applyStartLocations(DialogContext& context, std::string_view tries, const PlayersFieldTexts& players,
                         std::string_view seedText) {
    if (refusedPlayersField(players)) return;
    Editor& editor = context.editor;
    const std::uint32_t used = seedFromField(context.random, seedText);
    storeTries(context.generatorParameters, tries);
    context.memory.lastPlayersTexts = {firstChars(players.players), firstChars(players.minDistance),
                                       firstChars(players.radius)};
    // The symmetry the last world was made with: on a map that still has it,
    // a number of players that is a multiple of its order get symmetric sets.
    const PlayersOptions options = playersOptionsOf(players, context.memory.lastSymmetry);
    editor.playersRecount = nullptr;
    if (options.players == 0) {
        clearPlayersStatus(editor.screen);
        editor.runRecordedWholeMapEdit(
            [&] { return generateStartLocations(editor.map(), context.generatorParameters, context.random); });
        showSeed(editor.screen, used);
        return;
    }
    PlayersPlan plan;
    editor.runRecordedWholeMapEdit([&] {
        plan = generatePlayerStartLocations(editor.map(), options);
        return plan.error.empty();
    });
    showPlayersStatus(editor.screen, playersStatusText(plan));
    if (plan.error.empty()) editor.playersRecount = playersRecount(options);
    // Players mode draws no random numbers: its own text tells of the run.
    clearShownSeed(editor.screen);
}

}  // namespace pelorn
