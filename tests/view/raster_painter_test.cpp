#include <gtest/gtest.h>

#include "support/raster_painter.h"

namespace pelorn {
namespace {

using test::RasterPainter;

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};

TEST(RasterPainter, ThinLinesExcludeTheirEndPoint) {
    RasterPainter raster(40, 40);
    raster.selectPen(kDefaultPen);
    raster.moveTo(2, 3);
    raster.lineTo(7, 3);
    EXPECT_EQ(raster.countPixels(kBlack, 0, 0, 40, 40), 5);
    EXPECT_EQ(raster.pixel(2, 3), kBlack);
    EXPECT_EQ(raster.pixel(6, 3), kBlack);
    EXPECT_EQ(raster.pixel(7, 3), kWhite);
    raster.lineTo(7, 3);  // zero length: nothing
    EXPECT_EQ(raster.countPixels(kBlack, 0, 0, 40, 40), 5);
    raster.lineTo(7, 0);  // upwards from the current position
    EXPECT_EQ(raster.pixel(7, 3), kBlack);
    EXPECT_EQ(raster.pixel(7, 1), kBlack);
    EXPECT_EQ(raster.pixel(7, 0), kWhite);
    raster.clear();
    raster.moveTo(0, 10);
    raster.lineTo(10, 20);  // a diagonal: one pixel per step
    EXPECT_EQ(raster.countPixels(kBlack, 0, 0, 40, 40), 10);
    EXPECT_EQ(raster.pixel(9, 19), kBlack);
    EXPECT_EQ(raster.pixel(10, 20), kWhite);
    raster.clear();
    raster.moveTo(0, 0);
    raster.lineTo(10, 3);  // shallow: one pixel per column, never more than a step in y
    EXPECT_EQ(raster.countPixels(kBlack, 0, 0, 40, 40), 10);
    for (int x = 0; x < 10; ++x) {
        int inColumn = 0;
        for (int y = 0; y < 4; ++y) inColumn += raster.pixel(x, y) == kBlack;
        EXPECT_EQ(inColumn, 1) << x;
    }
}

TEST(RasterPainter, WidePensAreRoundCapped) {
    RasterPainter raster(40, 40);
    raster.selectPen(kStartMarkerPen);
    raster.moveTo(10, 10);
    raster.lineTo(10, 11);
    // A plus: column 10 from row 9 to 12, columns 9 and 11 in rows 10 and 11.
    EXPECT_EQ(raster.countPixels(kRed, 0, 0, 40, 40), 8);
    EXPECT_EQ(raster.countPixels(kRed, 10, 9, 11, 13), 4);
    EXPECT_EQ(raster.countPixels(kRed, 9, 10, 12, 12), 6);
    EXPECT_EQ(raster.pixel(9, 9), kWhite);
    EXPECT_EQ(raster.pixel(11, 12), kWhite);
    raster.clear();
    raster.selectPen(kForestMarkPen);  // even width: a block
    raster.moveTo(10, 10);
    raster.lineTo(10, 12);
    EXPECT_EQ(raster.countPixels(Rgb{0, 60, 26}, 9, 9, 11, 13), 8);
    EXPECT_EQ(raster.countPixels(Rgb{0, 60, 26}, 0, 0, 40, 40), 8);
    raster.clear();
    raster.selectPen(kMarkerPen);
    raster.moveTo(20, 20);
    raster.lineTo(20, 20);  // a single point: a disc of diameter 10
    EXPECT_EQ(raster.countPixels(kRed, 15, 15, 25, 25), raster.countPixels(kRed, 0, 0, 40, 40));
    EXPECT_EQ(raster.pixel(15, 19), kRed);
    EXPECT_EQ(raster.pixel(15, 15), kWhite);
    EXPECT_EQ(raster.pixel(24, 20), kRed);
    EXPECT_EQ(raster.countPixels(kRed, 0, 15, 40, 16), 4);  // rows of 4, 6, 8, 10, 10, ...
    EXPECT_EQ(raster.countPixels(kRed, 0, 16, 40, 17), 6);
    EXPECT_EQ(raster.countPixels(kRed, 0, 17, 40, 18), 8);
    EXPECT_EQ(raster.countPixels(kRed, 0, 0, 40, 40), 2 * (4 + 6 + 8 + 10 + 10));
}

TEST(RasterPainter, ClipsToTheUnionOfRectanglesAndRecordsTextByOrigin) {
    RasterPainter raster(40, 40);
    raster.setClipRects({{0, 0, 5, 5}, {10, 0, 12, 40}});
    raster.selectPen(kDefaultPen);
    raster.moveTo(0, 2);
    raster.lineTo(40, 2);
    EXPECT_EQ(raster.countPixels(kBlack, 0, 0, 40, 40), 5 + 2);
    EXPECT_EQ(raster.pixel(4, 2), kBlack);
    EXPECT_EQ(raster.pixel(5, 2), kWhite);
    EXPECT_EQ(raster.pixel(11, 2), kBlack);
    raster.moveTo(-5, 3);
    raster.lineTo(100, 3);  // off the raster: no harm
    raster.setTextColour(kRed);
    raster.textOut(4, 4, "in");
    raster.textOut(5, 4, "out");
    raster.textOut(-1, 4, "off");
    ASSERT_EQ(raster.texts().size(), 1u);
    EXPECT_EQ(raster.texts()[0].text, "in");
    EXPECT_EQ(raster.texts()[0].colour, kRed);
}

TEST(RasterPainter, BlocksOfPixelsAreClippedAndTheClipBoxBoundsTheRectangles) {
    RasterPainter raster(40, 40);
    EXPECT_EQ(raster.clipBox(), (ClientRect{0, 0, 40, 40}));
    raster.setClipRects({{2, 3, 5, 6}, {30, 1, 50, 4}});
    EXPECT_EQ(raster.clipBox(), (ClientRect{2, 1, 40, 6}));  // cut at the raster's edge
    const Rgb block[] = {kRed, kBlack, kRed, kBlack, kRed, kBlack};  // 3 wide, 2 high
    raster.drawPixels(3, 4, 3, 2, block);
    EXPECT_EQ(raster.pixel(3, 4), kRed);
    EXPECT_EQ(raster.pixel(4, 4), kBlack);
    EXPECT_EQ(raster.pixel(5, 4), kWhite);  // right of the clip
    EXPECT_EQ(raster.pixel(3, 5), kBlack);
    EXPECT_EQ(raster.pixel(4, 5), kRed);
    raster.drawPixels(38, 0, 3, 2, block);  // partly off the raster and above the clip
    EXPECT_EQ(raster.pixel(38, 0), kWhite);
    EXPECT_EQ(raster.pixel(38, 1), kBlack);
    EXPECT_EQ(raster.pixel(39, 1), kRed);
    EXPECT_EQ(raster.paintedPixelCount(), 6);
    EXPECT_EQ(raster.calls(), 2);
    raster.setClipRects({{50, 50, 60, 60}});  // wholly outside: an empty box
    const ClientRect none = raster.clipBox();
    EXPECT_TRUE(none.left >= none.right || none.top >= none.bottom);
}

}  // namespace
}  // namespace pelorn
