// Ctrl+S and "Save (CTRL-S)" say in the status line when the file could not
// be written, in both views, and clear the mark of unsaved edits when it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/command_ids.h"
#include "app/commands.h"
#include "map/history.h"
#include "map/map_grid.h"
#include "map/save_state.h"
#include "support/fresh_state.h"
#include "support/recording_seam.h"
#include "support/test_map.h"
#include "view/view_mode.h"
#include "../dialogs/working_folder.h"

namespace pelorn {
namespace {

namespace fs = std::filesystem;

class SaveCommand : public test::FreshStateTest {
protected:
    test::WorkingFolder folder;
    test::RecordingSeam seam;
};

TEST_F(SaveCommand, AFailedSaveShowsAndASavedOneClears) {
    ASSERT_TRUE(test::makeTestMap(1, 1));
    historyRecordTile(1, 1, 0, kHills);
    mapGrid[1][1] = kHills;
    historyEndEdit();
    std::ofstream("Untitled.map") << "mine";
    fs::permissions("Untitled.map", fs::perms::owner_read);
    const auto save = [](bool byKey) {
        if (byKey)
            handleKeyDown('S', true);
        else
            EXPECT_TRUE(handleMenuCommand(IDM_SAVE_MAP));
    };
    for (bool byKey : {true, false}) {
        for (std::int32_t mode : {kDetailView, kOverview}) {
            viewMode = mode;
            mapSaveFailed = false;
            seam.captionRepaints.clear();
            save(byKey);
            EXPECT_TRUE(mapSaveFailed);
            EXPECT_TRUE(mapHasUnsavedEdits);
            EXPECT_EQ(seam.captionRepaints.size(), 1u);
        }
    }
    fs::permissions("Untitled.map", fs::perms::owner_all);
    handleKeyDown('S', true);
    EXPECT_FALSE(mapSaveFailed);
    EXPECT_FALSE(mapHasUnsavedEdits);
    EXPECT_GT(fs::file_size("Untitled.map"), 40000u);
}

}  // namespace
}  // namespace pelorn
