// The caption at the top left: the map's name, the mark of unsaved edits
// and a failed save, in every view, and the status line after it unchanged.
#include <gtest/gtest.h>

#include <string>

#include "map/map_grid.h"
#include "map/save_state.h"
#include "support/fresh_state.h"
#include "support/raster_painter.h"
#include "support/test_map.h"
#include "view/map_view.h"
#include "view/view_mode.h"

namespace pelorn {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kFailure{200, 0, 0};  // the colour of the tool status

class Caption : public test::FreshStateTest {};

TEST_F(Caption, NameThenTheStateOfItsFile) {
    ASSERT_TRUE(test::makeTestMap(1, 1));
    currentMapName = "Two Words";
    struct Case {
        bool unsaved;
        bool failed;
        const char* text;
        Rgb colour;
    };
    const Case cases[] = {
        {false, false, "Two Words.map", kBlack},
        {true, false, "Two Words.map *", kBlack},
        {true, true, "Two Words.map * not saved", kFailure},
        {false, true, "Two Words.map not saved", kFailure},
    };
    for (const Case& c : cases) {
        mapHasUnsavedEdits = c.unsaved;
        mapSaveFailed = c.failed;
        EXPECT_EQ(mapCaptionText(), c.text);
        for (std::int32_t mode : {kDetailView, kOverview, kWholeMapView}) {
            viewMode = mode;
            test::RasterPainter raster;
            paintMap(raster);
            const test::TextEntry* caption = raster.textAt(10, 8);
            ASSERT_NE(caption, nullptr);
            EXPECT_EQ(caption->text, c.text);
            EXPECT_EQ(caption->colour, c.colour);
            if (mode == kDetailView) {
                ASSERT_NE(raster.textAt(740, 8), nullptr);
                EXPECT_EQ(raster.textAt(740, 8)->colour, kBlack) << "the status line after a red caption";
                EXPECT_EQ(raster.texts().size(), 3u + 39u);
            } else if (mode == kOverview) {
                EXPECT_EQ(raster.texts().size(), 1u);
            }
        }
    }
}

}  // namespace
}  // namespace pelorn
