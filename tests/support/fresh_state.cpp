#include "support/fresh_state.h"

#include "dialogs/generate_terrain_dialog.h"
#include "dialogs/start_locations_dialog.h"
#include "editing/history.h"
#include "editing/tools.h"
#include "editing/unsaved_work.h"
#include "generator/parameters.h"
#include "generator/random.h"
#include "map/map_grid.h"
#include "map/save_state.h"
#include "map/terrain.h"
#include "view/cursor_text.h"
#include "view/seed_status.h"
#include "view/players_status.h"
#include "view/view_mode.h"

namespace pelorn::test {

void resetSharedState() {
    historyClear();
    setHistoryMemoryLimit(kHistoryMemoryLimit);
    resetMapState();
    resetEditingState();
    resetSaveState();
    resetUnsavedWork();
    viewMode = 0;
    resetCursorText();
    clearShownSeed();
    resetSymmetryChoice();
    clearPlayersStatus();
    resetPlayersFields();
    generatorParameters = GeneratorParameters{};
    seedRandom(0);
    buildTerrainPalette();
}

}  // namespace pelorn::test
