// The whole-map view's geometry: how a map of any size fits the area, which
// tile each picture pixel shows, where the frame of a quad runs, and which
// quad a click opens.
#include "view/whole_map.h"

#include <gtest/gtest.h>

#include <vector>

#include "map/map_grid.h"
#include "support/repaint_list.h"
#include "view/layout.h"
#include "view/screen.h"
#include "view/view_mode.h"
#include "view_test_map.h"

namespace pelorn {
namespace {

struct Fit {
    int quadsX;
    int quadsY;
    int width;   // picture size in pixels
    int height;
};

// The area is 698 by 468 pixels; a tile is 3 units wide for every 2 high.
const Fit kFits[] = {
    {1, 1, 698, 465},     // 698 * 400 / 600 = 465.3: width-limited
    {10, 10, 698, 465},
    {32, 32, 698, 465},
    {2, 1, 698, 232},     // 698 * 400 / 1200 = 232.7
    {1, 2, 351, 468},     // 468 * 600 / 800: height-limited
    {7, 3, 698, 199},     // 698 * 1200 / 4200 = 199.4
    {100, 10, 698, 46},   // 698 * 4000 / 60000 = 46.5
    {10, 100, 70, 468},   // 468 * 6000 / 40000 = 70.2
    {100, 1, 698, 4},
    {1, 100, 7, 468},
};

TEST(WholeMapPicture, FitsTheAreaAtTheTilesProportions) {
    for (const Fit& f : kFits) {
        SCOPED_TRACE(::testing::Message() << f.quadsX << "x" << f.quadsY);
        const WholeMapPicture picture(f.quadsX * kQuadSize, f.quadsY * kQuadSize);
        EXPECT_EQ(picture.width(), f.width);
        EXPECT_EQ(picture.height(), f.height);
        EXPECT_EQ(picture.bounds(), (ClientRect{kWholeMapArea.left, kWholeMapArea.top, kWholeMapArea.left + f.width,
                                                kWholeMapArea.top + f.height}));
        // One side fills the area; the other is the largest whole number of
        // pixels within 3 : 2 per tile.
        const double ratio = (6.0 * f.quadsX) / (4.0 * f.quadsY);
        if (picture.width() == 698) {
            EXPECT_GE(picture.width() / ratio - picture.height(), 0.0);
            EXPECT_LT(picture.width() / ratio - picture.height(), 1.0);
        } else {
            EXPECT_EQ(picture.height(), 468);
            EXPECT_GE(picture.height() * ratio - picture.width(), 0.0);
            EXPECT_LT(picture.height() * ratio - picture.width(), 1.0);
        }
    }
}

TEST(WholeMapPicture, EachPixelShowsTheTileUnderItsCentre) {
    // Enlarged: a 1x1 map at 6.98 pixels a tile; pixel 0..6 show tile 0, 7 tile 1.
    const WholeMapPicture small(100, 100);
    EXPECT_EQ(small.tileColumn(0), 0);
    EXPECT_EQ(small.tileColumn(6), 0);  // centre 6.5 * 100 / 698 = 0.93
    EXPECT_EQ(small.tileColumn(7), 1);
    EXPECT_EQ(small.tileColumn(697), 99);
    EXPECT_EQ(small.tileRow(464), 99);
    // Reduced: 32x32 quads at 4.58 tiles a pixel across, 6.88 down.
    const WholeMapPicture large(3200, 3200);
    EXPECT_EQ(large.tileColumn(0), 2);  // 0.5 * 3200 / 698 = 2.29
    EXPECT_EQ(large.tileColumn(697), 3197);
    EXPECT_EQ(large.tileRow(0), 3);     // 0.5 * 3200 / 465 = 3.44
    EXPECT_EQ(large.tileRow(464), 3196);
    for (const Fit& f : kFits) {
        const WholeMapPicture picture(f.quadsX * kQuadSize, f.quadsY * kQuadSize);
        for (int px = 1; px < picture.width(); ++px) ASSERT_LE(picture.tileColumn(px - 1), picture.tileColumn(px));
        for (int py = 1; py < picture.height(); ++py) ASSERT_LE(picture.tileRow(py - 1), picture.tileRow(py));
        EXPECT_LT(picture.tileColumn(picture.width() - 1), f.quadsX * kQuadSize);
        EXPECT_LT(picture.tileRow(picture.height() - 1), f.quadsY * kQuadSize);
        // firstColumnShowing is the inverse: the first pixel whose tile is that far.
        for (std::int32_t tile = 0; tile <= f.quadsX * kQuadSize; tile += 37) {
            const int px = picture.firstColumnShowing(tile);
            if (px < picture.width()) {
                EXPECT_GE(picture.tileColumn(px), tile);
            }
            if (px > 0) {
                EXPECT_LT(picture.tileColumn(px - 1), tile);
            }
        }
        EXPECT_EQ(picture.firstColumnShowing(f.quadsX * kQuadSize), picture.width());
        EXPECT_EQ(picture.firstRowShowing(f.quadsY * kQuadSize), picture.height());
    }
}

TEST(WholeMapPicture, QuadsTileThePictureAndTheirFramesStayInTheMapArea) {
    for (const Fit& f : kFits) {
        SCOPED_TRACE(::testing::Message() << f.quadsX << "x" << f.quadsY);
        const WholeMapPicture picture(f.quadsX * kQuadSize, f.quadsY * kQuadSize);
        const ClientRect bounds = picture.bounds();
        for (int qx = 0; qx < f.quadsX; ++qx) {
            for (int qy = 0; qy < f.quadsY; ++qy) {
                const ClientRect quad = picture.quadRect({qx, qy});
                // At least 4 pixels each way, even for 100 quads on a side.
                ASSERT_GE(quad.right - quad.left, 4) << qx << ", " << qy;
                ASSERT_GE(quad.bottom - quad.top, 4) << qx << ", " << qy;
                // Side by side without gaps, from edge to edge of the picture.
                EXPECT_EQ(quad.left, qx == 0 ? bounds.left : picture.quadRect({qx - 1, qy}).right);
                EXPECT_EQ(quad.top, qy == 0 ? bounds.top : picture.quadRect({qx, qy - 1}).bottom);
                if (qx == f.quadsX - 1) {
                    EXPECT_EQ(quad.right, bounds.right);
                }
                if (qy == f.quadsY - 1) {
                    EXPECT_EQ(quad.bottom, bounds.bottom);
                }
                const ClientRect frame = picture.frameRect({qx, qy});
                EXPECT_EQ(frame, (ClientRect{quad.left - 1, quad.top - 1, quad.right, quad.bottom}));
                EXPECT_GE(frame.left, kMapAreaRect.left);
                EXPECT_GE(frame.top, kMapAreaRect.top);
                EXPECT_LT(frame.right, kMapAreaRect.right);
                EXPECT_LT(frame.bottom, kMapAreaRect.bottom);
            }
        }
    }
}

TEST(WholeMapPicture, AClickFindsTheQuadWhosePixelsItHits) {
    for (const Fit& f : kFits) {
        SCOPED_TRACE(::testing::Message() << f.quadsX << "x" << f.quadsY);
        const WholeMapPicture picture(f.quadsX * kQuadSize, f.quadsY * kQuadSize);
        const ClientRect bounds = picture.bounds();
        // Every pixel answers with the quad whose rectangle holds it.
        for (int x = bounds.left; x < bounds.right; x += 3) {
            for (int y = bounds.top; y < bounds.bottom; y += 2) {
                const std::optional<QuadPos> quad = picture.quadAt({x, y});
                ASSERT_TRUE(quad) << x << ", " << y;
                const ClientRect r = picture.quadRect(*quad);
                ASSERT_TRUE(x >= r.left && x < r.right && y >= r.top && y < r.bottom) << x << ", " << y;
            }
        }
        // Just off the picture, the frame's pixels included: nothing.
        for (ClientPoint off : {ClientPoint{bounds.left - 1, bounds.top}, ClientPoint{bounds.left, bounds.top - 1},
                                ClientPoint{bounds.right, bounds.top}, ClientPoint{bounds.left, bounds.bottom},
                                ClientPoint{-5, -5}, ClientPoint{800, 100}})
            EXPECT_FALSE(picture.quadAt(off)) << off.x << ", " << off.y;
    }
    // Named places on a 10x10 world: 69.8 pixels a quad across, 46.5 down.
    const WholeMapPicture world(1000, 1000);
    const struct {
        ClientPoint point;
        QuadPos quad;
    } clicks[] = {
        {{11, 40}, {0, 0}},     {{80, 85}, {0, 0}},     {{81, 86}, {1, 1}},  {{708, 504}, {9, 9}},
        {{11 + 3 * 70 + 35, 40 + 2 * 46 + 23}, {3, 2}}, {{400, 300}, {5, 5}},
    };
    for (const auto& c : clicks) {
        const std::optional<QuadPos> quad = world.quadAt(c.point);
        ASSERT_TRUE(quad) << c.point.x << ", " << c.point.y;
        EXPECT_EQ(*quad, c.quad) << c.point.x << ", " << c.point.y;
    }
}

TEST(WholeMapView, AClickOpensTheDetailViewOfItsQuad) {
    Map map;
    test::makeViewTestMap(map, 10, 10);
    Screen screen;
    screen.viewMode = kWholeMapView;
    EXPECT_FALSE(openQuadAt(screen, map, {5, 300}));  // beside the picture
    EXPECT_TRUE(screen.repaints.empty());
    EXPECT_EQ(screen.viewMode, kWholeMapView);
    const ClientRect quad = WholeMapPicture(1000, 1000).quadRect({7, 4});
    EXPECT_TRUE(openQuadAt(screen, map, {quad.right - 1, quad.top}));
    EXPECT_EQ(screen.viewMode, kDetailView);
    EXPECT_EQ(screen.viewQuadX, 7);
    EXPECT_EQ(screen.viewQuadY, 4);
    EXPECT_EQ(screen.repaints.list(), std::vector{test::whole(true)});
    // In the detail view the same point lies on the tiles, which a click edits: no quad opens.
    EXPECT_FALSE(openQuadAt(screen, map, {quad.right - 1, quad.top}));
    EXPECT_EQ(screen.viewQuadX, 7);
    EXPECT_EQ(screen.repaints.list().size(), 1u);
}

TEST(WholeMapView, SwitchingGoesThereAndBackToTheDetailView) {
    Map map;
    test::makeViewTestMap(map, 3, 2);
    Screen screen;
    screen.viewQuadX = 2;
    switchWholeMapView(screen, map);
    EXPECT_TRUE(showsWholeMap(screen));
    EXPECT_EQ(screen.viewMode, 2);  // the next number after the overview's
    switchWholeMapView(screen, map);
    EXPECT_EQ(screen.viewMode, kDetailView);
    screen.viewMode = kOverview;
    switchWholeMapView(screen, map);
    EXPECT_TRUE(showsWholeMap(screen));
    switchToNextView(screen);  // Ctrl+M's turn from the whole map: the detail view
    EXPECT_EQ(screen.viewMode, kDetailView);
    EXPECT_EQ(screen.viewQuadX, 2);
    EXPECT_EQ(screen.repaints.list().size(), 3u);
}

TEST(WholeMapPicture, NoMapNoPicture) {
    const WholeMapPicture none(0, 0);
    EXPECT_EQ(none.width(), 0);
    EXPECT_EQ(none.height(), 0);
    EXPECT_FALSE(none.quadAt({kWholeMapArea.left, kWholeMapArea.top}));
}

}  // namespace
}  // namespace pelorn
