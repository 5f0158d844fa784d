// What the dialogs read and change: the editor (and through it the document),
// the generator's parameters and random state, and the fields the dialogs
// remember from one opening to the next during a run of the program.
#pragma once

#include <string>

#include "editing/editor.h"
#include "generator/parameters.h"
#include "generator/random.h"
#include "generator/symmetry.h"

namespace pelorn {

// The players-mode fields: "Players" (0 or empty: the random tries),
// "Min. distance" in steps (empty: the automatic spacing of the map's
// walkable tiles) and "Radius" (empty: 3).
struct PlayersFieldTexts {
    std::string players;
    std::string minDistance;
    std::string radius;
};

// Kept for the run of the program, not saved with the settings.
struct DialogMemory {
    PlayersFieldTexts lastPlayersTexts{"0", "", "3"};  // what the players fields held at the last OK
    Symmetry lastSymmetry = Symmetry::kNone;            // the symmetry the last world was made with
};

struct DialogContext {
    Editor& editor;
    GeneratorParameters& generatorParameters;
    Random& random;
    DialogMemory& memory;
};

}  // namespace pelorn
