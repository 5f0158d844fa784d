#include "view/repaint.h"

#include <gtest/gtest.h>

#include "map/window_seam.h"
#include "support/fresh_state.h"
#include "support/recording_seam.h"
#include "view/layout.h"
#include "view/view_mode.h"

namespace pelorn::test {
namespace {

using MapChangeRepaint = FreshStateTest;

TEST_F(MapChangeRepaint, EachChangeRepaintsWhatItsViewShows) {
    const struct {
        MapChange change;
        ViewMode view;
        Invalidation expected;
    } cases[] = {
        {MapChange::kBrushedTiles, kDetailView, RecordingSeam::area(kMapAreaRect, false)},
        {MapChange::kTiles, kDetailView, RecordingSeam::area(kMapAreaRect, true)},
        {MapChange::kWholeMap, kDetailView, RecordingSeam::whole(true)},
        {MapChange::kBrushedTiles, kOverview, RecordingSeam::whole(false)},
        {MapChange::kTiles, kOverview, RecordingSeam::whole(true)},
        {MapChange::kWholeMap, kOverview, RecordingSeam::whole(true)},
        // The whole-map picture and its frame lie inside the map area.
        {MapChange::kTiles, kWholeMapView, RecordingSeam::area(kMapAreaRect, true)},
        {MapChange::kWholeMap, kWholeMapView, RecordingSeam::whole(true)},
    };
    for (const auto& c : cases) {
        RecordingSeam seam;
        viewMode = c.view;
        repaintMapChange(c.change);
        ASSERT_EQ(seam.invalidations.size(), 1u);
        EXPECT_EQ(seam.invalidations[0], c.expected) << static_cast<int>(c.change) << " in view " << c.view;
    }
}

TEST_F(MapChangeRepaint, ViewsTakeTurnsAndKeepTheirNumbers) {
    EXPECT_EQ(viewMode, 0);
    EXPECT_TRUE(showsDetailView());
    EXPECT_FALSE(showsOverview());
    switchToNextView();
    EXPECT_EQ(viewMode, 1);
    EXPECT_TRUE(showsOverview());
    EXPECT_FALSE(showsDetailView());
    switchToNextView();
    EXPECT_EQ(viewMode, 0);
    viewMode = kWholeMapView;
    EXPECT_EQ(viewMode, 2);
    EXPECT_TRUE(showsWholeMap());
    EXPECT_FALSE(showsDetailView() || showsOverview());
    switchToNextView();
    EXPECT_EQ(viewMode, 0);
}

}  // namespace
}  // namespace pelorn::test
