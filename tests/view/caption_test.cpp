// The caption at the top left: the map's name, the mark of unsaved edits
// and a failed save, in every view, and the status line after it unchanged;
// its field is what a change of the file's state repaints.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "map/map_grid.h"
#include "support/raster_painter.h"
#include "support/repaint_list.h"
#include "view/map_view.h"
#include "view/repaint.h"
#include "view/view_mode.h"
#include "view_test_map.h"

namespace pelorn {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kFailure{200, 0, 0};  // the colour of the tool status

TEST(Caption, NameThenTheStateOfItsFile) {
    Map map;
    test::makeViewTestMap(map, 1, 1);
    map.currentMapName = "Two Words";
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
        FileMarks marks;
        marks.mapHasUnsavedEdits = c.unsaved;
        marks.mapSaveFailed = c.failed;
        EXPECT_EQ(mapCaptionText(map, marks), c.text);
        for (std::int32_t mode : {kDetailView, kOverview, kWholeMapView}) {
            Screen screen;
            screen.viewMode = mode;
            test::RasterPainter raster;
            paintMap(raster, map, screen, marks);
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

// The file's state repaints the caption's field alone, apart from the others.
TEST(Caption, AChangeOfTheFileRepaintsTheCaptionField) {
    Screen screen;
    repaintStatus(screen, StatusChange::kMapFile);
    repaintStatus(screen, StatusChange::kBrush);
    EXPECT_EQ(test::captionRepaints(screen.repaints), std::vector{test::area(kCaptionRect, true)});
    EXPECT_EQ(test::repaintsBesideCaption(screen.repaints), std::vector{test::area(kBrushStatusRect, true)});
}

}  // namespace
}  // namespace pelorn
