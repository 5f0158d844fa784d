// The logic of the "Generate Start Locations" dialog (template 205): the
// number of tries per quad, and after it, OK and CANCEL in tab order, the
// players-mode fields.
//
// The dialog procedure: init sets field IDC_TRIES to
// startLocationsInitialText() and the players fields to
// playersInitialTexts(); OK asks refusedPlayersField first (a field it names
// gets the focus, selected, and the dialog stays), then hands the texts, the
// "Seed" field's (IDC_SEED, the last in tab order, filled with
// seedFieldInitialText()) among them, to applyStartLocations and closes;
// CANCEL closes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "dialogs/dialog_context.h"

namespace pelorn {

// genStartLocTries as text.
std::string startLocationsInitialText(const GeneratorParameters& parameters);

// What the players fields held at the last OK of this run of the program;
// "0", "" (the automatic spacing) and "3" before the first. They are not saved with the settings.
PlayersFieldTexts playersInitialTexts(const DialogMemory& memory);

// The field whose value players mode refuses (players beyond 0 to 1000, a
// negative or too large distance, a radius beyond 0 to 20); nothing when OK
// may go on. With 0 players the other two fields are not looked at.
std::optional<int> refusedPlayersField(const PlayersFieldTexts& texts);

// OK: the first 15 characters of the tries (empty gives "1") are read by
// textToInt (no number gives 0) into genStartLocTries, with no range check;
// the run starts from the seed field's text (seedFromField). With 0 players
// the start locations are placed by the random tries and the status line
// shows the seed; otherwise in players mode, following the symmetry the last
// world was made with where the map still has it, and the status line shows
// what was placed ("8 starts, home 1%, room 4%"). Either way one undoable edit, and
// the map area is repainted. Fields that refusedPlayersField refuses change
// nothing.
void applyStartLocations(DialogContext& context, std::string_view tries, const PlayersFieldTexts& players,
                         std::string_view seedText);

}  // namespace pelorn
