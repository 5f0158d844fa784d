// The layout's numbers agree with each other: clicks land on the tiles drawn
// under them, and every repaint rectangle covers what is drawn for it.
#include "view/layout.h"

#include <gtest/gtest.h>

#include "view/screen.h"

namespace pelorn::test {
namespace {

bool inside(ClientPoint p, const ClientRect& r) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}
bool covers(const ClientRect& outer, const ClientRect& inner) {
    return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
           inner.bottom <= outer.bottom;
}

TEST(LayoutTest, ClicksAnswerOneCellPerTileFromOnePixelRightOfTheDrawing) {
    // Hit-testing needs no grid, only the viewed quad.
    Screen screen;
    screen.viewQuadX = 1;
    screen.viewQuadY = 2;
    const struct {
        ClientPoint point;
        bool onQuad;
        TilePos tile;  // of the map, in the viewed quad (1, 2)
    } cases[] = {
        {{47, 76}, true, {100, 200}},   {{46, 76}, false, {}},          {{47, 75}, false, {}},
        {{52, 79}, true, {100, 200}},   {{53, 79}, true, {101, 200}},   {{52, 80}, true, {100, 201}},
        {{646, 475}, true, {199, 299}}, {{647, 475}, false, {}},        {{646, 476}, false, {}},
        {{-1, -1}, false, {}},          {{760, 100}, false, {}},
    };
    for (const auto& c : cases) {
        const std::optional<TilePos> tile = tileAt(screen, c.point);
        ASSERT_EQ(tile.has_value(), c.onQuad) << c.point.x << ", " << c.point.y;
        if (tile) {
            EXPECT_EQ(*tile, c.tile) << c.point.x << ", " << c.point.y;
        }
    }
    // Every click cell's top-left pixel lies in the box of its own tile as drawn.
    screen.viewQuadX = 0;
    screen.viewQuadY = 0;
    for (int column = 0; column < kQuadSize; column += 7) {
        for (int row = 0; row < kQuadSize; row += 9) {
            const ClientPoint cell{kMapClickOriginX + kColumnSpacing * column, kMapClickOriginY + kRowSpacing * row};
            ASSERT_EQ(tileAt(screen, cell), (TilePos{column, row}));
            const ClientRect box = quadTileRect(column, row);
            EXPECT_EQ(box.left + 1, cell.x) << column;
            EXPECT_EQ(box.right - box.left, kTileWidth);
            EXPECT_EQ(box.top, cell.y - (column % 2 == 0 ? 2 : 0)) << column;
        }
    }
}

TEST(LayoutTest, LegendRowsAnswerWhereTheirLabelsStand) {
    for (TerrainCode code = 0; code <= kLastLegendCode; ++code) {
        const ClientPoint label = legendLabelOrigin(code);
        EXPECT_EQ(legendCodeAt(label), code);
        EXPECT_EQ(legendCodeAt({label.x, label.y + kLegendRowHeight - 1}), code);
        EXPECT_TRUE(isOnLegend(label));
        // The marker lies in the column of markers repainted for it.
        const ClientPoint marker = legendMarkerStart(code);
        const ClientRect& markers = code < kLegendColumn1Rows ? kMarkerColumn1Rect : kMarkerColumn2Rect;
        EXPECT_TRUE(inside(marker, markers)) << code;
        EXPECT_TRUE(inside({marker.x + kMarkerLength - 1, marker.y}, markers)) << code;
    }
    EXPECT_EQ(legendLabelOrigin(0).x, 740);
    EXPECT_EQ(legendLabelOrigin(21).y, 460);
    EXPECT_EQ(legendLabelOrigin(22).x, 850);
    EXPECT_EQ(legendLabelOrigin(22).y, 40);
    // The columns answer up to their right edges; between them, nothing.
    EXPECT_EQ(legendCodeAt({779, 45}), 0);
    EXPECT_EQ(legendCodeAt({780, 45}), std::nullopt);
    EXPECT_FALSE(isOnLegend({780, 45}));
    EXPECT_EQ(legendCodeAt({959, 45}), 22);
    EXPECT_FALSE(isOnLegend({960, 45}));
    // Below the last row of a column: on the legend, but on no row.
    EXPECT_TRUE(isOnLegend({745, 480}));
    EXPECT_EQ(legendCodeAt({745, 480}), std::nullopt);
    EXPECT_EQ(legendCodeAt({855, 380}), std::nullopt);
    EXPECT_EQ(legendCodeAt({855, 379}), 38);
    EXPECT_EQ(legendCodeAt({745, 39}), std::nullopt);
}

TEST(LayoutTest, RepaintRectanglesCoverWhatIsDrawnForThem) {
    // The map area holds the quad and the edges of its neighbours.
    EXPECT_TRUE(covers(kMapAreaRect, quadTileRect(0, 0)));
    EXPECT_TRUE(covers(kMapAreaRect, quadTileRect(99, 99)));
    for (const auto* edges : {&kLeftEdgeColumns, &kRightEdgeColumns})
        for (const EdgeColumn& c : *edges) {
            EXPECT_TRUE(covers(kMapAreaRect, {c.x, c.y, c.x + kTileWidth, c.y + kTileHeight}));
            const int last = c.y + kRowSpacing * (kQuadSize - 1);
            EXPECT_TRUE(covers(kMapAreaRect, {c.x, last, c.x + kTileWidth, last + kTileHeight}));
        }
    for (const auto* edges : {&kTopEdgeRows, &kBottomEdgeRows})
        for (const EdgeRow& r : *edges) {
            const int x = quadTileOrigin(99, 0).x;
            const int y = r.y + kEdgeRowOddColumnDrop;
            EXPECT_TRUE(covers(kMapAreaRect, {x, r.y, x + kTileWidth, y + kTileHeight}));
        }
    // Scrolling repaints the map area and the position text.
    EXPECT_TRUE(covers(kScrollRect, kMapAreaRect));
    // Each status text starts at the top-left corner of its field.
    for (const ClientRect& field :
         {kToolStatusRect, kPositionStatusRect, kBrushStatusRect, kStartLocationStatusRect, kPlayersStatusRect})
        EXPECT_EQ(field.top, kStatusTop);
    EXPECT_EQ(kPlayersStatusRect.left, kPlayersStatusX);
    EXPECT_EQ(kToolStatusRect.left, kToolStatusX);
    EXPECT_EQ(kPositionStatusRect.left, kPositionStatusX);
    EXPECT_EQ(kBrushStatusRect.left, kBrushStatusX);
    EXPECT_EQ(kStartLocationStatusRect.left, kStartLocationStatusX);
    // The overview's five quads fit the client area below the caption.
    EXPECT_GT(kOverviewTop, kCaptionRuleY);
    EXPECT_LT(kOverviewLeft + kOverviewQuads * kQuadSize, kWindowWidth);
}

}  // namespace
}  // namespace pelorn::test
