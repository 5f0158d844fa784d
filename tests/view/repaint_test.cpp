// What the window shows after partial repaints and the overview's fast
// drawing: always exactly the pixels of a full paint drawn tile by tile.
#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <optional>
#include <vector>

#include "map/map_grid.h"
#include "map/terrain.h"
#include "support/raster_painter.h"
#include "support/reference_view.h"
#include "view/layout.h"
#include "view/map_view.h"
#include "view/repaint.h"
#include "view/screen.h"
#include "view/view_mode.h"
#include "view_test_map.h"

namespace pelorn {
namespace {

using test::RasterPainter;

class RepaintTest : public ::testing::Test {
protected:
    // A map of every kind of tile: terrains with and without marks, start
    // locations, codes without a pen, in short runs and long ones.
    void makeMixedMap(int quadsX, int quadsY, std::uint32_t seed) {
        test::makeViewTestMap(map, quadsX, quadsY);
        static const TerrainCode codes[] = {1, 2, 14, 17, 21, 22, 33, 36, 37, 50, 55, 58, 45, -3, 5, 11};
        std::uint32_t state = seed;
        TerrainCode code = 1;
        for (int x = 0; x < mapWidth(map); ++x) {
            for (int y = 0; y < mapHeight(map); ++y) {
                state = state * 1664525u + 1013904223u;
                if ((state >> 28) < 5) code = codes[(state >> 8) % std::size(codes)];
                map.mapGrid[x][y] = code;
            }
        }
    }

    // One step of the editor's brush at a client point, as the tools take it:
    // the tile under the point (the bold brush only where its seven tiles lie
    // in the quad); each of its tiles that holds another code takes the
    // current terrain, and those are repainted together.
    void brushStep(ClientPoint point) {
        struct Offset {
            int dx, dy;
        };
        static const Offset kNormal[] = {{0, 0}};
        static const Offset kBold[] = {{0, 0}, {0, -1}, {0, 1}, {-1, -1}, {-1, 1}, {1, -1}, {1, 1}};
        const std::optional<TilePos> tile = tileAt(screen, point);
        if (!tile) return;
        const int column = tile->x - screen.viewQuadX * kQuadSize;
        const int row = tile->y - screen.viewQuadY * kQuadSize;
        if (screen.boldBrush && (column < 1 || column > kQuadSize - 2 || row < 1 || row > kQuadSize - 2)) return;
        QuadTileRepaint changed;
        const Offset* first = screen.boldBrush ? std::begin(kBold) : std::begin(kNormal);
        const Offset* last = screen.boldBrush ? std::end(kBold) : std::end(kNormal);
        for (const Offset* o = first; o != last; ++o) {
            TerrainCode& code = map.mapGrid[tile->x + o->dx][tile->y + o->dy];
            if (code == screen.currentTerrain) continue;
            code = screen.currentTerrain;
            changed.add(column + o->dx, row + o->dy);
        }
        changed.repaint(screen, map);
    }

    void paint(RasterPainter& raster) { paintMap(raster, map, screen, FileMarks{}); }

    RasterPainter fullPaint() {
        RasterPainter raster;
        paint(raster);
        return raster;
    }

    // Every pixel of `a` equals that of `b`; reports the first few that do not.
    static void expectSamePixels(const RasterPainter& a, const RasterPainter& b, const char* what) {
        int differing = 0;
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x) {
                if (a.pixel(x, y) == b.pixel(x, y)) continue;
                if (++differing <= 3) ADD_FAILURE() << what << ": pixel (" << x << ", " << y << ") differs";
            }
        }
        EXPECT_EQ(differing, 0) << what;
    }

    Map map;
    Screen screen;
};

TEST_F(RepaintTest, OverviewIsTheTileByTileOverviewPixelForPixel) {
    struct Case {
        int quadsX, quadsY, viewX, viewY;
    };
    const Case cases[] = {{1, 1, 0, 0}, {7, 2, 0, 0}, {7, 2, 3, 1}, {7, 7, 6, 6}, {6, 6, 1, 1}, {3, 8, 2, 3}};
    std::uint32_t seed = 1;
    for (const Case& c : cases) {
        makeMixedMap(c.quadsX, c.quadsY, seed++);
        screen.viewQuadX = c.viewX;
        screen.viewQuadY = c.viewY;
        screen.viewMode = 1;
        for (const std::vector<ClientRect>& clip :
             {std::vector<ClientRect>{}, {{0, 30, 730, 540}, {740, 8, 790, 28}}, {{97, 130, 103, 140}},
              {{0, 0, 3, 590}, {495, 300, 600, 301}}, {{600, 100, 700, 200}}}) {
            RasterPainter fast;
            fast.setClipRects(clip);
            paint(fast);
            RasterPainter reference;
            reference.setClipRects(clip);
            test::paintOverviewTileByTile(reference, map, screen);
            SCOPED_TRACE(testing::Message() << c.quadsX << "x" << c.quadsY << " at (" << c.viewX << ", " << c.viewY
                                            << "), " << clip.size() << " clip rectangles");
            expectSamePixels(fast, reference, "overview");
            ASSERT_EQ(fast.texts().size(), reference.texts().size());
            // The frame's five calls and at most one block of pixels.
            EXPECT_LE(fast.calls(), 6);
        }
    }
}

TEST_F(RepaintTest, DetailViewClippedDrawsExactlyWhatTheFullPaintDrawsThere) {
    makeMixedMap(3, 3, 7);
    screen.viewQuadX = 1;
    screen.viewQuadY = 1;  // edges on all four sides
    screen.currentTerrain = 55;
    screen.startLocationMode = true;
    const RasterPainter full = fullPaint();
    const ClientRect clips[] = {
        {46, 74, 54, 78},      // one tile
        {53, 81, 54, 82},      // one pixel
        {192, 192, 208, 208},  // the old brush square
        {0, 30, 730, 540},     // the scroll rectangle
        {20, 50, 50, 500},     // the left edge columns and the gap
        {640, 470, 700, 500},  // the bottom-right corner: no corner tiles
        {300, 55, 320, 65},    // the top edge rows
        {740, 8, 790, 28},     // the position text alone
        {719, 0, 722, 590},    // the separator
        {600, 400, 964, 590},  // map, separator and legend at once
        // One-pixel strips along the first and last pixel columns and rows of tiles.
        {53, 30, 54, 540}, {58, 30, 59, 540}, {30, 77, 700, 78}, {30, 80, 700, 81}, {23, 30, 25, 540},
    };
    for (const ClientRect& clip : clips) {
        RasterPainter part;
        part.setClipRects({clip});
        paint(part);
        SCOPED_TRACE(testing::Message() << "clip " << clip.left << ", " << clip.top << ", " << clip.right << ", "
                                        << clip.bottom);
        for (int y = 0; y < part.height(); ++y) {
            for (int x = 0; x < part.width(); ++x) {
                const bool inside = x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
                const Rgb expected = inside ? full.pixel(x, y) : RasterPainter::kWhite;
                if (part.pixel(x, y) != expected) {
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ")";
                    y = part.height();
                    break;
                }
            }
        }
        for (const test::TextEntry& text : part.texts()) {
            const test::TextEntry* same = full.textAt(text.x, text.y);
            ASSERT_NE(same, nullptr);
            EXPECT_EQ(same->text, text.text);
        }
    }
    // What scrolling repaints besides the map: the position text, and only it.
    RasterPainter position;
    position.setClipRects({kPositionStatusRect});
    paint(position);
    ASSERT_EQ(position.texts().size(), 1u);
    EXPECT_EQ(position.texts()[0].text, "1, 1");
    // A one-tile repaint leaves nearly all of the 10,800 tiles undrawn.
    RasterPainter tile;
    tile.setClipRects({quadTileRect(50, 50)});
    paint(tile);
    EXPECT_LT(tile.calls(), 200);
    EXPECT_GT(full.calls(), 10000 * 9);
}

// Brush steps repaint only what they change, without erasing: painting just
// the invalidated rectangles over what the window showed must give the
// window a full paint gives, step after step.
TEST_F(RepaintTest, BrushRepaintsLeaveTheWindowAsAFullPaint) {
    makeMixedMap(3, 3, 11);
    screen.viewQuadX = 1;
    screen.viewQuadY = 1;
    RasterPainter window = fullPaint();
    const TerrainCode terrains[] = {kSea, 55, kForestHills, kJungleHighHills, kGlacier, kSea};
    std::uint32_t state = 5;
    int repaints = 0;
    for (int step = 0; step < 240; ++step) {
        if (step % 40 == 0) {
            // A new terrain and brush, as the legend and Ctrl+B give them with their own repaints.
            screen.currentTerrain = terrains[step / 40];
            screen.boldBrush = !screen.boldBrush;
            window = fullPaint();
        }
        state = state * 1664525u + 1013904223u;
        // Mostly short moves, so that the brush often lands on tiles it already painted.
        const int x = 40 + static_cast<int>((state >> 8) % 40) + (step % 8) * 75;
        const int y = 70 + static_cast<int>((state >> 20) % 410);
        brushStep({x, y});
        const std::vector<Repaint> asked = screen.repaints.take();
        if (asked.empty()) continue;
        ++repaints;
        std::vector<ClientRect> rects;
        for (const Repaint& inv : asked) {
            EXPECT_FALSE(inv.erase);
            EXPECT_FALSE(inv.wholeClient);
            rects.push_back(inv.rect);
        }
        window.setClipRects(rects);
        paint(window);
        if (step % 8 == 7) expectSamePixels(window, fullPaint(), "after brush steps");
    }
    expectSamePixels(window, fullPaint(), "after the last brush step");
    EXPECT_GT(repaints, 60);
    EXPECT_LT(repaints, 240);  // some steps changed nothing and asked for nothing
}

}  // namespace
}  // namespace pelorn
