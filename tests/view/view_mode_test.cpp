#include "view/repaint.h"

#include <gtest/gtest.h>

#include "map/map_grid.h"
#include "support/raster_painter.h"
#include "support/repaint_list.h"
#include "view/cursor_text.h"
#include "view/map_view.h"
#include "view/whole_map.h"
#include "view/layout.h"
#include "view/screen.h"
#include "view/view_mode.h"

namespace pelorn::test {
namespace {

TEST(MapChangeRepaint, EachChangeRepaintsWhatItsViewShows) {
    const struct {
        MapChange change;
        ViewMode view;
        Repaint expected;
    } cases[] = {
        {MapChange::kBrushedTiles, kDetailView, area(kMapAreaRect, false)},
        {MapChange::kTiles, kDetailView, area(kMapAreaRect, true)},
        {MapChange::kWholeMap, kDetailView, whole(true)},
        {MapChange::kBrushedTiles, kOverview, whole(false)},
        {MapChange::kTiles, kOverview, whole(true)},
        {MapChange::kWholeMap, kOverview, whole(true)},
        // The whole-map picture and its frame lie inside the map area.
        {MapChange::kTiles, kWholeMapView, area(kMapAreaRect, true)},
        {MapChange::kWholeMap, kWholeMapView, whole(true)},
    };
    const Map map;
    for (const auto& c : cases) {
        Screen screen;
        screen.viewMode = c.view;
        repaintMapChange(screen, map, c.change);
        ASSERT_EQ(screen.repaints.list().size(), 1u);
        EXPECT_EQ(screen.repaints.list()[0], c.expected) << static_cast<int>(c.change) << " in view " << c.view;
    }
}

TEST(MapChangeRepaint, ViewsTakeTurnsAndKeepTheirNumbers) {
    Screen screen;
    EXPECT_EQ(screen.viewMode, 0);
    EXPECT_TRUE(showsDetailView(screen));
    EXPECT_FALSE(showsOverview(screen));
    switchToNextView(screen);
    EXPECT_EQ(screen.viewMode, 1);
    EXPECT_TRUE(showsOverview(screen));
    EXPECT_FALSE(showsDetailView(screen));
    switchToNextView(screen);
    EXPECT_EQ(screen.viewMode, 0);
    screen.viewMode = kWholeMapView;
    EXPECT_EQ(screen.viewMode, 2);
    EXPECT_TRUE(showsWholeMap(screen));
    EXPECT_FALSE(showsDetailView(screen) || showsOverview(screen));
    switchToNextView(screen);
    EXPECT_EQ(screen.viewMode, 0);
}

// A number no view answers to (never set by the program) shows the caption
// alone, picks nothing, names no tile and repaints the map area for tiles.
TEST(MapChangeRepaint, ANumberOfNoViewShowsTheCaptionAlone) {
    Map map;
    ASSERT_TRUE(replaceWithEmptyMap(map, 2, 2));
    Screen screen;
    screen.viewMode = 7;
    RasterPainter raster;
    paintMap(raster, map, screen, FileMarks{});
    EXPECT_EQ(raster.paintedPixelCount(), 960);  // the rule under the caption
    ASSERT_EQ(raster.texts().size(), 1u);
    EXPECT_EQ(cursorTextAt(screen, map, {47, 76}), "");
    EXPECT_FALSE(openQuadAt(screen, map, {20, 50}));
    repaintMapChange(screen, map, MapChange::kTiles);
    EXPECT_EQ(screen.repaints.list(), std::vector{area(kMapAreaRect, true)});
    switchToNextView(screen);
    EXPECT_EQ(screen.viewMode, kDetailView);
}

}  // namespace
}  // namespace pelorn::test
