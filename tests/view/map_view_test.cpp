#include <gtest/gtest.h>

#include <string>

#include "map/map_grid.h"
#include "map/terrain.h"
#include "support/state_names.h"
#include "support/raster_painter.h"
#include "view/map_view.h"
#include "view/cursor_text.h"
#include "view/hex_picture.h"
#include "view/layout.h"
#include "view/notice.h"
#include "view/players_status.h"
#include "view/seed_status.h"
#include "view/start_marks.h"
#include "view/view_mode.h"
#include "view/screen.h"
#include "view/whole_map.h"
#include "view_test_map.h"

namespace pelorn {
namespace {

using test::RasterPainter;

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kMagenta{255, 0, 255};
constexpr Rgb kForestMark{0, 60, 26};
constexpr Rgb kJungleMark{0, 60, 200};

class MapViewTest : public test::ViewTest {
protected:
    // Glacier is drawn white, the raster's background, so single tiles stand out.
    void makeMap(int quadsX, int quadsY, TerrainCode fill = kGlacier) {
        test::makeViewTestMap(map, quadsX, quadsY, fill);
    }

    RasterPainter paint() {
        RasterPainter raster;
        paintMap(raster, map, screen, FileMarks{});
        return raster;
    }

};

// The hexagon's 24 pixels: 4, 8, 8, 4 in its four rows.
bool inHexagon(int dx, int dy) {
    if (dy == 0 || dy == 3) return dx >= 2 && dx <= 5;
    return (dy == 1 || dy == 2) && dx >= 0 && dx <= 7;
}

void expectHexagon(const RasterPainter& raster, int x, int y, Rgb colour) {
    for (int dy = 0; dy < 4; ++dy)
        for (int dx = 0; dx < 8; ++dx)
            EXPECT_EQ(raster.pixel(x + dx, y + dy) == colour, inHexagon(dx, dy))
                << "pixel (" << x + dx << ", " << y + dy << ")";
}

TEST_F(MapViewTest, TileIsAHexagonOfFourEightEightFourPixels) {
    makeMap(1, 1);
    mapGrid[1][0] = kDesert;   // odd column: x 46 + 6, y 76
    mapGrid[2][0] = kMount1;   // even column: 2 pixels higher
    mapGrid[9][10] = kSea;     // odd column 9, row 10: x 100, y 116
    RasterPainter raster = paint();
    expectHexagon(raster, 52, 76, terrainColour(kDesert));
    expectHexagon(raster, 58, 74, terrainColour(kMount1));
    expectHexagon(raster, 100, 116, terrainColour(kSea));
    EXPECT_EQ(raster.countPixels(terrainColour(kSea), 0, 0, 720, 590), 24);
}

TEST_F(MapViewTest, NeighbouringColumnsOverlapByTwoPixels) {
    makeMap(1, 1);
    mapGrid[1][5] = kDesert;  // x 52..59, rows 96..99
    mapGrid[2][5] = kSea;     // x 58..65, rows 94..97, drawn after column 1
    RasterPainter raster = paint();
    const Rgb desert = terrainColour(kDesert);
    const Rgb sea = terrainColour(kSea);
    // In the two shared pixel columns the raised column's wide rows sit beside
    // the lowered column's wide rows: the hexagons interlock.
    EXPECT_EQ(raster.pixel(58, 96), sea);
    EXPECT_EQ(raster.pixel(59, 96), sea);
    EXPECT_EQ(raster.pixel(58, 97), desert);
    EXPECT_EQ(raster.pixel(59, 97), desert);
    EXPECT_EQ(raster.pixel(57, 96), desert);
    EXPECT_EQ(raster.pixel(60, 97), sea);
    // Tiles of one column touch without overlapping: row 6 of column 1 starts at y 100.
    mapGrid[1][6] = kLake;
    raster = paint();
    expectHexagon(raster, 52, 100, terrainColour(kLake));
    EXPECT_EQ(raster.pixel(55, 99), desert);
}

TEST_F(MapViewTest, ForestAndJungleMarks) {
    makeMap(1, 1);
    mapGrid[1][0] = kForestPlains;    // tile at (52, 76): mark from (55, 77) to (55, 79)
    mapGrid[3][0] = kJungleHighHills; // tile at (64, 76)
    mapGrid[5][0] = kSorestHills;     // forest mark on a light colour
    mapGrid[7][0] = kPlains;          // same colour as Forest P, no mark
    RasterPainter raster = paint();
    EXPECT_EQ(raster.countPixels(kForestMark, 52, 76, 60, 80), 8);
    for (int y = 76; y < 80; ++y) {
        EXPECT_EQ(raster.pixel(54, y), kForestMark) << y;
        EXPECT_EQ(raster.pixel(55, y), kForestMark) << y;
    }
    EXPECT_EQ(raster.pixel(53, 77), terrainColour(kForestPlains));
    EXPECT_EQ(raster.pixel(56, 78), terrainColour(kForestPlains));
    EXPECT_EQ(raster.countPixels(kJungleMark, 64, 76, 72, 80), 8);
    EXPECT_EQ(raster.pixel(66, 76), kJungleMark);
    EXPECT_EQ(raster.countPixels(kForestMark, 76, 76, 84, 80), 8);
    EXPECT_EQ(raster.countPixels(kForestMark, 88, 76, 96, 80), 0);
    EXPECT_EQ(raster.countPixels(terrainColour(kPlains), 88, 76, 96, 80), 24);
}

TEST_F(MapViewTest, StartLocationShowsItsBaseColourAndARedDotWithoutForestMark) {
    makeMap(1, 1);
    mapGrid[1][0] = 55;  // start location on Forest P, tile at (52, 76)
    mapGrid[3][0] = 50;  // on F Plains, tile at (64, 76)
    RasterPainter raster = paint();
    EXPECT_EQ(raster.countPixels(kForestMark, 40, 70, 80, 90), 0);
    // A plus of 8 pixels around column x + 3: rows y..y+3 there, rows y+1, y+2 beside.
    EXPECT_EQ(raster.countPixels(kRed, 52, 76, 60, 80), 8);
    for (int y = 76; y <= 79; ++y) EXPECT_EQ(raster.pixel(55, y), kRed) << y;
    for (int y = 77; y <= 78; ++y) {
        EXPECT_EQ(raster.pixel(54, y), kRed) << y;
        EXPECT_EQ(raster.pixel(56, y), kRed) << y;
    }
    EXPECT_EQ(raster.pixel(54, 76), terrainColour(kForestPlains));
    EXPECT_EQ(raster.pixel(56, 79), terrainColour(kForestPlains));
    EXPECT_EQ(raster.pixel(53, 77), terrainColour(kForestPlains));
    EXPECT_EQ(raster.countPixels(terrainColour(kForestPlains), 52, 76, 60, 80), 24 - 8);
    EXPECT_EQ(raster.countPixels(terrainColour(kFertilePlains), 64, 76, 72, 80), 24 - 8);
}

TEST_F(MapViewTest, CodesWithoutAPenAreDrawnMagenta) {
    makeMap(1, 1);
    mapGrid[1][0] = 45;
    mapGrid[3][0] = -7;
    mapGrid[5][0] = 1000000;
    RasterPainter raster = paint();
    expectHexagon(raster, 52, 76, kMagenta);
    expectHexagon(raster, 64, 76, kMagenta);
    expectHexagon(raster, 76, 76, kMagenta);
}

TEST_F(MapViewTest, WithoutAGridOnlyTheFrameStatusAndLegendAreDrawn) {
    currentTerrain = kHills;
    RasterPainter raster = paint();
    EXPECT_EQ(raster.countPixels(kWhite, 0, 31, 720, 590), 720 * (590 - 31));
    EXPECT_EQ(raster.pixel(720, 300), kBlack);
    EXPECT_EQ(raster.pixel(730, 107), kRed);
    ASSERT_NE(raster.textAt(740, 40), nullptr);
    ASSERT_NE(raster.textAt(10, 8), nullptr);
    EXPECT_EQ(raster.textAt(10, 8)->text, "Untitled.map");
}

TEST_F(MapViewTest, TopRuleAndSeparator) {
    makeMap(1, 1);
    RasterPainter raster = paint();
    EXPECT_EQ(raster.pixel(0, 30), kBlack);
    EXPECT_EQ(raster.pixel(959, 30), kBlack);
    EXPECT_EQ(raster.pixel(960, 30), kWhite);  // the end point is not painted
    EXPECT_EQ(raster.pixel(720, 0), kBlack);
    EXPECT_EQ(raster.pixel(720, 589), kBlack);
    EXPECT_EQ(raster.pixel(719, 200), kWhite);
    EXPECT_EQ(raster.pixel(721, 200), kWhite);
}

TEST_F(MapViewTest, OneQuadMapShowsNoEdgeTiles) {
    makeMap(1, 1, kVoid);
    RasterPainter raster = paint();
    // The quad alone covers x 46..647 and y 74..475.
    EXPECT_EQ(raster.pixel(46, 75), kBlack);
    EXPECT_EQ(raster.pixel(48, 74), kBlack);
    EXPECT_EQ(raster.pixel(647, 77), kBlack);
    EXPECT_EQ(raster.pixel(642, 475), kBlack);
    EXPECT_EQ(raster.countPixels(kBlack, 0, 31, 46, 590), 0);
    EXPECT_EQ(raster.countPixels(kBlack, 648, 31, 720, 590), 0);
    EXPECT_EQ(raster.countPixels(kBlack, 46, 31, 648, 74), 0);
    EXPECT_EQ(raster.countPixels(kBlack, 46, 476, 648, 590), 0);
}

TEST_F(MapViewTest, RightEdgeOnlyAtTheLeftOfATwoQuadMap) {
    makeMap(2, 1);
    for (int y = 0; y < 100; ++y) {
        mapGrid[100][y] = kSea;
        mapGrid[101][y] = kDesert;
        mapGrid[199][y] = kLake;  // would be a wrapped left edge: never drawn
        mapGrid[198][y] = kLake;
    }
    RasterPainter raster = paint();
    expectHexagon(raster, 656, 74, terrainColour(kSea));
    expectHexagon(raster, 662, 76 + 4 * 99, terrainColour(kDesert));
    // The two edge columns interlock without covering each other.
    EXPECT_EQ(raster.pixel(662, 76), terrainColour(kSea));
    EXPECT_EQ(raster.pixel(662, 77), terrainColour(kDesert));
    EXPECT_EQ(raster.countPixels(terrainColour(kSea), 648, 31, 720, 590), 100 * 24);
    EXPECT_EQ(raster.countPixels(terrainColour(kDesert), 648, 31, 720, 590), 100 * 24);
    EXPECT_EQ(raster.countPixels(kWhite, 648, 31, 656, 590), 8 * (590 - 31));
    EXPECT_EQ(raster.countPixels(terrainColour(kLake), 0, 0, 720, 590), 0);
    EXPECT_EQ(raster.countPixels(terrainColour(kDesert), 0, 0, 46, 590), 0);
}

TEST_F(MapViewTest, LeftEdgeStandsApartFromTheQuad) {
    makeMap(2, 1);
    viewQuadX = 1;
    for (int y = 0; y < 100; ++y) {
        mapGrid[99][y] = kSea;
        mapGrid[98][y] = kDesert;
        mapGrid[0][y] = kLake;  // would be a wrapped right edge: never drawn
    }
    RasterPainter raster = paint();
    expectHexagon(raster, 24, 74, terrainColour(kDesert));
    expectHexagon(raster, 30, 76 + 4 * 50, terrainColour(kSea));
    EXPECT_EQ(raster.pixel(30, 75), terrainColour(kDesert));  // the farther column is drawn second
    EXPECT_EQ(raster.countPixels(terrainColour(kLake), 0, 0, 720, 590), 0);
    EXPECT_EQ(raster.countPixels(kWhite, 38, 31, 46, 590), 8 * (590 - 31));  // the gap
}

TEST_F(MapViewTest, TopAndBottomEdgesWithoutCorners) {
    makeMap(3, 3);
    viewQuadX = 1;
    viewQuadY = 1;
    for (int x = 0; x < 300; ++x) {
        mapGrid[x][98] = kSea;
        mapGrid[x][99] = kDesert;
        mapGrid[x][200] = kLake;
        mapGrid[x][201] = kMount1;
    }
    for (int y = 0; y < 300; ++y) {  // the edge columns, corners included
        mapGrid[98][y] = kRiver;
        mapGrid[201][y] = kRiver;
    }
    RasterPainter raster = paint();
    const Rgb sea = terrainColour(kSea);
    const Rgb desert = terrainColour(kDesert);
    // Column j = 0 (d = 0) at x 46; column j = 1 (d = 2) at x 52.
    EXPECT_EQ(raster.pixel(48, 57), sea);
    EXPECT_EQ(raster.pixel(46, 59), sea);      // its third row, 59, is not covered
    EXPECT_EQ(raster.pixel(48, 60), desert);   // its last row, 60, is under the second row's top
    EXPECT_EQ(raster.pixel(46, 61), desert);
    EXPECT_EQ(raster.pixel(54, 59), sea);
    EXPECT_EQ(raster.pixel(54, 62), desert);
    EXPECT_EQ(raster.pixel(48, 484), terrainColour(kLake));
    EXPECT_EQ(raster.pixel(46, 486), terrainColour(kLake));
    EXPECT_EQ(raster.pixel(48, 487), terrainColour(kMount1));
    EXPECT_EQ(raster.pixel(58, 491), terrainColour(kMount1));
    EXPECT_EQ(raster.pixel(54, 492), terrainColour(kMount1));
    // No corner tiles: the edge rows do not reach the edge columns and vice versa.
    EXPECT_EQ(raster.countPixels(sea, 0, 31, 46, 590), 0);
    EXPECT_EQ(raster.countPixels(terrainColour(kRiver), 0, 31, 720, 74), 0);
    EXPECT_EQ(raster.countPixels(terrainColour(kRiver), 0, 476, 720, 590), 0);
    EXPECT_EQ(raster.countPixels(kWhite, 24, 57, 46, 74), 22 * 17);
}

TEST_F(MapViewTest, OverviewMapsOneTilePerPixel) {
    makeMap(7, 2);
    for (int qx = 0; qx < 7; ++qx)
        for (int qy = 0; qy < 2; ++qy)
            for (int i = 0; i < 100; ++i)
                for (int j = 0; j < 100; ++j) mapGrid[qx * 100 + i][qy * 100 + j] = 1 + qx + 7 * qy;
    mapGrid[150][20] = 55;  // start location: base colour, no dot
    viewMode = 1;
    RasterPainter raster = paint();
    EXPECT_EQ(raster.pixel(0, 35), terrainColour(1));   // tile column 1 of quad 0
    EXPECT_EQ(raster.pixel(98, 35), terrainColour(1));  // its column 99
    EXPECT_EQ(raster.pixel(99, 35), terrainColour(2));  // the next quad starts at 99
    EXPECT_EQ(raster.pixel(0, 34), kWhite);
    EXPECT_EQ(raster.pixel(498, 134), terrainColour(5));
    EXPECT_EQ(raster.pixel(498, 135), terrainColour(12));
    EXPECT_EQ(raster.pixel(498, 234), terrainColour(12));
    EXPECT_EQ(raster.pixel(499, 100), kWhite);  // quad 5 is not drawn
    EXPECT_EQ(raster.pixel(200, 235), kWhite);
    EXPECT_EQ(raster.pixel(149, 55), terrainColour(14));
    EXPECT_EQ(raster.countPixels(kRed, 0, 0, 964, 590), 0);
    // No hexagons, separator, status line or legend: 499 x 200 pixels and the top rule.
    EXPECT_EQ(raster.paintedPixelCount(), 499 * 200 + 960);
    ASSERT_EQ(raster.texts().size(), 1u);
    EXPECT_EQ(raster.texts()[0].text, "Untitled.map");
}

TEST_F(MapViewTest, OverviewStartsAtTheViewedQuad) {
    makeMap(7, 1);
    for (int x = 0; x < 700; ++x)
        for (int y = 0; y < 100; ++y) mapGrid[x][y] = x / 100;
    viewQuadX = 3;
    viewMode = 1;
    RasterPainter raster = paint();
    EXPECT_EQ(raster.pixel(0, 50), terrainColour(3));
    EXPECT_EQ(raster.pixel(398, 50), terrainColour(6));
    EXPECT_EQ(raster.pixel(399, 50), kWhite);
    EXPECT_EQ(viewQuadX, 3);
}

TEST_F(MapViewTest, LegendMarkerOfAPlainTerrainIsAThickBlot) {
    currentTerrain = kHills;  // row y 107
    RasterPainter raster = paint();
    EXPECT_EQ(raster.countPixels(kRed, 721, 38, 738, 520), 2 * (8 + 10 + 12 + 14 + 14));
    EXPECT_EQ(raster.countPixels(kRed, 0, 103, 964, 104), 10);  // 725..734
    EXPECT_EQ(raster.pixel(725, 103), kRed);
    EXPECT_EQ(raster.pixel(724, 103), kWhite);
    EXPECT_EQ(raster.pixel(723, 107), kRed);
    EXPECT_EQ(raster.pixel(722, 107), kWhite);
    EXPECT_EQ(raster.pixel(736, 106), kRed);
    EXPECT_EQ(raster.pixel(737, 106), kWhite);
    EXPECT_EQ(raster.pixel(730, 102), kRed);
    EXPECT_EQ(raster.pixel(730, 101), kWhite);
    EXPECT_EQ(raster.pixel(730, 111), kRed);
    EXPECT_EQ(raster.pixel(730, 112), kWhite);
    EXPECT_EQ(raster.countPixels(kRed, 832, 38, 848, 520), 0);

    currentTerrain = kLake;  // column 2, row y 47
    raster = paint();
    EXPECT_EQ(raster.countPixels(kRed, 721, 38, 738, 520), 0);
    EXPECT_EQ(raster.pixel(833, 47), kRed);
    EXPECT_EQ(raster.pixel(846, 47), kRed);
    EXPECT_EQ(raster.pixel(840, 42), kRed);
    EXPECT_EQ(raster.pixel(840, 52), kWhite);
}

TEST_F(MapViewTest, LegendMarkerOfAStartLocationIsAThinDashOnItsBaseRow) {
    currentTerrain = 58;  // Plains L: from (838, 67) to (842, 67)
    RasterPainter raster = paint();
    EXPECT_EQ(raster.countPixels(kRed, 832, 38, 848, 520), 5 + 7 + 5);
    EXPECT_EQ(raster.countPixels(kRed, 838, 66, 843, 69), 15);
    EXPECT_EQ(raster.pixel(837, 67), kRed);
    EXPECT_EQ(raster.pixel(843, 67), kRed);
    EXPECT_EQ(raster.pixel(837, 66), kWhite);
    EXPECT_EQ(raster.pixel(840, 65), kWhite);
    EXPECT_EQ(raster.pixel(840, 69), kWhite);
    EXPECT_EQ(raster.countPixels(kRed, 721, 38, 738, 520), 0);

    currentTerrain = 54;  // Steppes, column 1, y 227
    raster = paint();
    EXPECT_EQ(raster.countPixels(kRed, 721, 38, 738, 520), 17);
    EXPECT_EQ(raster.pixel(727, 227), kRed);
    EXPECT_EQ(raster.pixel(728, 226), kRed);
    EXPECT_EQ(raster.pixel(727, 226), kWhite);
    EXPECT_EQ(raster.pixel(733, 227), kRed);
}

TEST_F(MapViewTest, CodesOfNoTerrainDrawNoMarker) {
    for (TerrainCode code : {45, 39, 49, -1, 61}) {
        currentTerrain = code;
        RasterPainter raster = paint();
        EXPECT_EQ(raster.countPixels(kRed, 0, 0, 964, 590), 0) << code;
    }
}

TEST_F(MapViewTest, StatusLine) {
    quadCountX = 4;
    viewQuadX = 3;
    RasterPainter raster = paint();
    ASSERT_NE(raster.textAt(740, 8), nullptr);
    EXPECT_EQ(raster.textAt(740, 8)->text, "3, 0");
    EXPECT_EQ(raster.textAt(740, 8)->colour, kBlack);
    ASSERT_NE(raster.textAt(790, 8), nullptr);
    EXPECT_EQ(raster.textAt(790, 8)->text, "Brush: Normal");
    EXPECT_EQ(raster.textAt(790, 8)->colour, kBlack);
    EXPECT_EQ(raster.textAt(900, 8), nullptr);
    EXPECT_EQ(raster.textAt(580, 8), nullptr);
    EXPECT_EQ(raster.texts().size(), 3u + 39u);

    boldBrush = true;
    startLocationMode = true;
    bucketTool = true;
    currentMapName = "Isles";
    raster = paint();
    EXPECT_EQ(raster.textAt(10, 8)->text, "Isles.map");
    EXPECT_EQ(raster.textAt(790, 8)->text, "Brush: Bold");
    ASSERT_NE(raster.textAt(900, 8), nullptr);
    EXPECT_EQ(raster.textAt(900, 8)->text, "SL");
    EXPECT_EQ(raster.textAt(900, 8)->colour, kRed);
    ASSERT_NE(raster.textAt(580, 8), nullptr);
    EXPECT_EQ(raster.textAt(580, 8)->text, "Using BUCKET tool");
    EXPECT_EQ(raster.textAt(580, 8)->colour, (Rgb{200, 0, 0}));

    fillTool = true;  // the fill tool is named first
    raster = paint();
    EXPECT_EQ(raster.textAt(580, 8)->text, "Using FILL tool");
    EXPECT_EQ(raster.texts().size(), 5u + 39u);
}

// What the last players-mode run placed stands after the map's name, black,
// in the detail and whole-map views; before any run there is nothing there.
// While it shows, the tile under the pointer stands further right.
TEST_F(MapViewTest, PlayersRunInTheStatusLine) {
    EXPECT_EQ(paint().textAt(kPlayersStatusX, kStatusTop), nullptr);
    showPlayersStatus(screen, "8 starts, spread 3%");
    fillTool = true;
    RasterPainter raster = paint();
    ASSERT_NE(raster.textAt(kPlayersStatusX, kStatusTop), nullptr);
    EXPECT_EQ(raster.textAt(kPlayersStatusX, kStatusTop)->text, "8 starts, spread 3%");
    EXPECT_EQ(raster.textAt(kPlayersStatusX, kStatusTop)->colour, kBlack);
    EXPECT_EQ(raster.texts().size(), 5u + 39u);
    // Its repaint field holds it and stops short of the texts right of it.
    EXPECT_EQ(kPlayersStatusRect.left, kPlayersStatusX);
    EXPECT_LE(kPlayersStatusRect.right, kCursorTextRect.left);
    EXPECT_LT(kPlayersStatusRect.right, kToolStatusRect.left);
    EXPECT_EQ(kPlayersStatusRect.top, kStatusTop);
    screen.cursorText = "x 1, y 2: Sea";
    EXPECT_NE(paint().textAt(kCursorTextBesidePlayersX, kStatusTop), nullptr);
    EXPECT_LT(kCursorTextBesidePlayersX, kPlayersTextRepaintRect.right);
    viewMode = kWholeMapView;
    EXPECT_EQ(paint().textAt(kPlayersStatusX, kStatusTop)->text, "8 starts, spread 3%");
    EXPECT_NE(paint().textAt(kCursorTextBesidePlayersX, kStatusTop), nullptr);
    screen.cursorText.clear();

    viewMode = kOverview;
    EXPECT_EQ(paint().textAt(kPlayersStatusX, kStatusTop), nullptr);
    viewMode = kDetailView;
    clearPlayersStatus(screen);
    EXPECT_EQ(paint().textAt(kPlayersStatusX, kStatusTop), nullptr);
    EXPECT_EQ(paint().texts().size(), 4u + 39u);
}

// The seed of the last run stands where a players-mode run tells what it
// placed (one run or the other is the last), black, in the detail view only;
// before any run there is nothing there.
TEST_F(MapViewTest, SeedOfTheLastRunInTheStatusLine) {
    EXPECT_EQ(paint().textAt(kSeedStatusX, kStatusTop), nullptr);
    showSeed(screen, 4294967295u);
    bucketTool = true;
    RasterPainter raster = paint();
    ASSERT_NE(raster.textAt(170, 8), nullptr);
    EXPECT_EQ(raster.textAt(170, 8)->text, "seed 4294967295");
    EXPECT_EQ(raster.textAt(170, 8)->colour, kBlack);
    EXPECT_EQ(raster.texts().size(), 5u + 39u);
    EXPECT_EQ(kSeedStatusRect, kPlayersStatusRect);

    viewMode = kOverview;
    EXPECT_EQ(paint().textAt(170, 8), nullptr);
    viewMode = kDetailView;
    showSeed(screen, 0);
    EXPECT_EQ(paint().textAt(170, 8)->text, "seed 0");
    clearShownSeed(screen);
    EXPECT_EQ(paint().textAt(170, 8), nullptr);
}

// A notice takes the seed's and the pointer's fields, red for a failure,
// until a seed shown after it takes its place again.
TEST_F(MapViewTest, ANoticeStandsForTheSeedAndTheTileUnderThePointer) {
    makeMap(1, 1);
    showSeed(screen, 7);
    pointerMovedTo(screen, map, {47 + 6 * 5, 76 + 4 * 10});
    showNotice(screen, "Nowhere.map could not be read", true);
    RasterPainter raster = paint();
    ASSERT_NE(raster.textAt(kNoticeRect.left, 8), nullptr);
    EXPECT_EQ(raster.textAt(kNoticeRect.left, 8)->text, "Nowhere.map could not be read");
    EXPECT_EQ(raster.textAt(kNoticeRect.left, 8)->colour, (Rgb{200, 0, 0}));
    EXPECT_EQ(raster.texts().size(), 4u + 39u) << "no seed, no tile under the pointer";
    showNotice(screen, "Saved Untitled.png", false);
    EXPECT_EQ(paint().textAt(kNoticeRect.left, 8)->colour, kBlack);
    showSeed(screen, 8);
    EXPECT_EQ(paint().textAt(kNoticeRect.left, 8)->text, "seed 8");
}

TEST_F(MapViewTest, LegendLabelsAndColours) {
    RasterPainter raster = paint();
    struct Row {
        int x, y;
        const char* text;
        Rgb colour;
    };
    const Row rows[] = {
        {740, 40, "Void", {0, 0, 0}},          {740, 60, "F Plains", {122, 193, 67}},
        {740, 260, "Desert", {122, 193, 67}},  {740, 280, "D Mount1", {205, 124, 36}},
        {740, 320, "Forest P", {108, 179, 63}}, {740, 460, "Sea", {0, 45, 98}},
        {850, 40, "Lake", {0, 65, 142}},       {850, 60, "Plains L", {0, 0, 0}},
        {850, 80, "Plains D", {0, 0, 0}},      {850, 160, "HHills D", {0, 0, 0}},
        {850, 180, "Mount1 S", {195, 195, 195}}, {850, 260, "Sorest P", {0, 0, 0}},
        {850, 300, "Sorest HH", {0, 0, 0}},    {850, 320, "Glacier", {0, 0, 0}},
        {850, 340, "Jungle HH", {53, 116, 41}}, {850, 360, "APlains", {137, 179, 47}},
    };
    for (const Row& row : rows) {
        const test::TextEntry* entry = raster.textAt(row.x, row.y);
        ASSERT_NE(entry, nullptr) << row.text;
        EXPECT_EQ(entry->text, row.text);
        EXPECT_EQ(entry->colour, row.colour) << row.text;
    }
    int black = 0;
    for (TerrainCode k = 0; k <= 38; ++k) {
        const test::TextEntry* entry = raster.textAt(k <= 21 ? 740 : 850, 40 + 20 * (k <= 21 ? k : k - 22));
        ASSERT_NE(entry, nullptr) << k;
        EXPECT_EQ(entry->text, terrainName(k));
        if (entry->colour == kBlack) ++black;
    }
    EXPECT_EQ(black, 11);  // Void by its own colour, ten light terrains by rule
}

TEST_F(MapViewTest, DrawingIsClippedToTheInvalidatedRectangles) {
    makeMap(1, 1, kSea);
    RasterPainter raster;
    raster.setClipRects({{192, 192, 208, 208}});  // a normal brush's square
    paintMap(raster, map, screen, FileMarks{});
    EXPECT_EQ(raster.countPixels(terrainColour(kSea), 192, 192, 208, 208), raster.paintedPixelCount());
    EXPECT_GT(raster.paintedPixelCount(), 16 * 16 / 2);
    EXPECT_TRUE(raster.texts().empty());

    // The scroll rectangle leaves the status line alone but takes the legend's first column.
    RasterPainter scrolled;
    scrolled.setClipRects({{0, 30, 730, 540}});
    paintMap(scrolled, map, screen, FileMarks{});
    EXPECT_EQ(scrolled.textAt(740, 8), nullptr);
    EXPECT_EQ(scrolled.textAt(10, 8), nullptr);
    EXPECT_EQ(scrolled.pixel(720, 29), kWhite);
    EXPECT_EQ(scrolled.pixel(720, 30), kBlack);
    EXPECT_EQ(scrolled.pixel(500, 30), kBlack);
    EXPECT_EQ(scrolled.pixel(730, 30), kWhite);
    EXPECT_EQ(scrolled.pixel(723, 47), kRed);  // the Void marker, cut at the rectangle's right
    EXPECT_EQ(scrolled.pixel(729, 47), kRed);
    EXPECT_EQ(scrolled.pixel(730, 47), kWhite);
}


// --- The whole-map view ---

// Every tile its own code from a spread of colours, so that a pixel tells
// which tile it shows; a few start locations and codes of no terrain.
void fillPattern(Map& map, int quadsX, int quadsY) {
    const MapGrid mapGrid = map.mapGrid;
    for (int x = 0; x < quadsX * 100; ++x)
        for (int y = 0; y < quadsY * 100; ++y) mapGrid[x][y] = (x * 7 + y * 3 + x / 13) % 39;
    mapGrid[0][0] = 55;
    mapGrid[quadsX * 100 - 1][quadsY * 100 - 1] = 45;
}

// The pixels of the frame's outline.
bool onFrame(const ClientRect& f, int x, int y) {
    const bool across = (y == f.top || y == f.bottom) && x >= f.left && x <= f.right;
    const bool down = (x == f.left || x == f.right) && y >= f.top && y <= f.bottom;
    return across || down;
}

TEST_F(MapViewTest, WholeMapShowsEveryPixelsTileAndFramesTheViewedQuad) {
    const struct {
        int quadsX, quadsY, viewX, viewY;
    } maps[] = {{1, 1, 0, 0}, {10, 10, 3, 2}, {7, 3, 6, 1}, {2, 9, 1, 8}};
    for (const auto& m : maps) {
        SCOPED_TRACE(::testing::Message() << m.quadsX << "x" << m.quadsY);
        makeMap(m.quadsX, m.quadsY);
        fillPattern(map, m.quadsX, m.quadsY);
        // No start location: not a pixel of a mark.
        mapGrid[0][0] = baseCode(mapGrid[0][0]);
        mapGrid[m.quadsX * 100 - 1][m.quadsY * 100 - 1] = baseCode(mapGrid[m.quadsX * 100 - 1][m.quadsY * 100 - 1]);
        viewQuadX = m.viewX;
        viewQuadY = m.viewY;
        viewMode = kWholeMapView;
        const RasterPainter raster = paint();
        const WholeMapPicture picture(m.quadsX * 100, m.quadsY * 100);
        const ClientRect bounds = picture.bounds();
        const ClientRect frame = picture.frameRect({m.viewX, m.viewY});
        int wrong = 0;
        for (int x = bounds.left; x < bounds.right; ++x) {
            for (int y = bounds.top; y < bounds.bottom; ++y) {
                const TerrainCode code = mapGrid[picture.tileColumn(x - bounds.left)][picture.tileRow(y - bounds.top)];
                const Rgb expected = onFrame(frame, x, y) ? kRed : terrainColour(code);
                if (raster.pixel(x, y) != expected && ++wrong < 5)
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ")";
            }
        }
        EXPECT_EQ(wrong, 0);
        // The frame all round, even where it runs outside the picture.
        EXPECT_EQ(raster.countPixels(kRed, 0, 0, 964, 590),
                  2 * (frame.right - frame.left) + 2 * (frame.bottom - frame.top));
        // Nothing else but the top rule: no legend, separator or hexagons.
        const int outside = raster.paintedPixelCount() - raster.countPixels(kBlack, 0, 30, 960, 31);
        int inside = 0;
        for (int x = bounds.left - 1; x <= bounds.right; ++x)
            for (int y = bounds.top - 1; y <= bounds.bottom; ++y) inside += raster.pixel(x, y) != kWhite;
        EXPECT_EQ(outside, inside);
        // The caption and where the frame is.
        ASSERT_EQ(raster.texts().size(), 2u);
        EXPECT_EQ(raster.textAt(740, 8)->text, std::to_string(m.viewX) + ", " + std::to_string(m.viewY));
    }
}

TEST_F(MapViewTest, WholeMapIsOneBlockOfPixelsAndAFrameWhateverTheSize) {
    makeMap(32, 32, kSea);
    viewMode = kWholeMapView;
    const RasterPainter raster = paint();
    // Rule, caption, block, pen, frame, position: never a call per tile.
    EXPECT_LE(raster.calls(), 16);
    // Quad (0, 0) takes pixel columns 11..32 and rows 40..54: its frame's right
    // and bottom sides (16 and 23 pixels, one shared) lie on the picture.
    EXPECT_EQ(raster.countPixels(terrainColour(kSea), 11, 40, 709, 505), 698 * 465 - 38);
    EXPECT_EQ(raster.countPixels(kRed, 10, 39, 34, 56), 2 * 23 + 2 * 16);
}

// A start location gets a mark at every map size: ink centre on the pixel
// showing its tile, paper round it, an ink ring, its number beside it; the
// mark and number are all that change. Shown rooms tint the land round it.
TEST_F(MapViewTest, WholeMapMarksEveryStartLocation) {
    for (const int quads : {1, 10, 32}) {
        SCOPED_TRACE(quads);
        makeMap(quads, quads, kPlains);
        viewMode = kWholeMapView;
        screen.showRooms = true;
        const RasterPainter plain = paint();
        screen.showRooms = false;
        const TilePos start{quads * 50 + 3, quads * 50 + 7};
        mapGrid[start.x][start.y] = startLocationCode(kPlains);
        const RasterPainter marked = paint();
        const WholeMapPicture picture = wholeMapPicture(map);
        const int x = picture.bounds().left +
                      pixelShowing(picture.firstColumnShowing(start.x), picture.firstColumnShowing(start.x + 1), picture.width());
        const int y = picture.bounds().top +
                      pixelShowing(picture.firstRowShowing(start.y), picture.firstRowShowing(start.y + 1), picture.height());
        EXPECT_EQ(marked.pixel(x, y), kBlack);
        EXPECT_EQ(marked.pixel(x - 2, y), kWhite);
        EXPECT_EQ(marked.pixel(x - 3, y), kBlack);
        EXPECT_EQ(marked.pixel(x, y + 3), kBlack);
        EXPECT_EQ(marked.pixel(x + 7, y), kBlack) << "the 1 of its number";
        int changed = 0;
        for (int px = 0; px < 964; ++px)
            for (int py = 0; py < 590; ++py) changed += marked.pixel(px, py) != plain.pixel(px, py);
        EXPECT_EQ(changed, marked.countPixels(kBlack, x - 3, y - 3, x + 10, y + 4) +
                               marked.countPixels(kWhite, x - 3, y - 3, x + 10, y + 4) -
                               plain.countPixels(kWhite, x - 3, y - 3, x + 10, y + 4));
        screen.showRooms = true;
        const RasterPainter tinted = paint();
        EXPECT_NE(tinted.pixel(x - 5, y), marked.pixel(x - 5, y));
        EXPECT_EQ(tinted.pixel(x, y), kBlack);
        screen.showRooms = false;
    }
}

TEST_F(MapViewTest, ClippedWholeMapPaintsMatchTheFullPaint) {
    makeMap(10, 10);
    fillPattern(map, 10, 10);
    viewQuadX = 4;
    viewQuadY = 7;
    viewMode = kWholeMapView;
    const RasterPainter full = paint();
    for (const ClientRect clip : {ClientRect{0, 30, 730, 540}, ClientRect{100, 100, 131, 117},
                                  ClientRect{0, 0, 12, 590}, ClientRect{700, 400, 964, 590}}) {
        RasterPainter raster;
        raster.setClipRects({clip});
        paintMap(raster, map, screen, FileMarks{});
        int differ = 0;
        for (int x = 0; x < 964; ++x)
            for (int y = 0; y < 590; ++y) {
                const bool in = x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
                differ += raster.pixel(x, y) != (in ? full.pixel(x, y) : kWhite);
            }
        EXPECT_EQ(differ, 0) << clip.left << ", " << clip.top;
    }
}

TEST_F(MapViewTest, CursorTextShowsInTheDetailAndWholeMapViews) {
    makeMap(1, 1);
    mapGrid[5][10] = kFertilePlains;
    pointerMovedTo(screen, map, {47 + 6 * 5, 76 + 4 * 10});
    RasterPainter raster = paint();
    ASSERT_NE(raster.textAt(330, 8), nullptr);
    EXPECT_EQ(raster.textAt(330, 8)->text, "x 5, y 10: F Plains");
    EXPECT_EQ(raster.textAt(330, 8)->colour, kBlack);
    EXPECT_EQ(raster.texts().size(), 4u + 39u);
    viewMode = kOverview;
    refreshCursorText(screen, map);
    raster = paint();
    EXPECT_EQ(raster.textAt(330, 8), nullptr);
    // The whole-map view names the tile drawn at the pointer's pixel.
    viewMode = kWholeMapView;
    pointerMovedTo(screen, map, {11 + 5 * 698 / 100 + 3, 40 + 10 * 465 / 100 + 2});
    raster = paint();
    ASSERT_NE(raster.textAt(330, 8), nullptr);
    EXPECT_EQ(raster.textAt(330, 8)->text, "x 5, y 10: F Plains");
    // Repainting its field draws the text and nothing around it.
    viewMode = kDetailView;
    pointerMovedTo(screen, map, {47 + 6 * 5, 76 + 4 * 10});
    raster.clear();
    raster.setClipRects({kCursorTextRect});
    paintMap(raster, map, screen, FileMarks{});
    ASSERT_EQ(raster.texts().size(), 1u);
    EXPECT_EQ(raster.texts()[0].text, "x 5, y 10: F Plains");
    EXPECT_EQ(raster.paintedPixelCount(), 0);
}

// --- The map as hexagons, for sharing ---

TEST_F(MapViewTest, HexPictureIsTheDetailViewsDrawingOfTheMap) {
    makeMap(1, 1);
    fillPattern(map, 1, 1);
    mapGrid[40][40] = 52;  // a start location's dot
    mapGrid[41][40] = kJungleHills;
    const RasterPainter view = paint();
    const ImageSize size = hexPictureSize(100, 100);
    ASSERT_EQ(size.width, 602);
    ASSERT_EQ(size.height, 402);
    RasterPainter picture(size.width, size.height);
    drawHexPicture(picture, map);
    // A one-quad map shows no edges: the quad's 602 by 402 pixels from (46, 74) are the picture.
    int differ = 0;
    for (int x = 0; x < size.width; ++x)
        for (int y = 0; y < size.height; ++y) differ += picture.pixel(x, y) != view.pixel(46 + x, 74 + y);
    EXPECT_EQ(differ, 0);
    EXPECT_EQ(picture.pixel(0, 0), kWhite);  // the corner between hexagons
    EXPECT_EQ(picture.pixel(2, 0), picture.pixel(0, 1));
}

TEST_F(MapViewTest, HexPictureOfAWideMapGoesOnPastTheQuad) {
    makeMap(2, 1, kGlacier);
    mapGrid[100][0] = kSea;  // even column: box at (600, 0)
    mapGrid[101][99] = kLake;  // odd column, last row: box at (606, 398)
    const ImageSize size = hexPictureSize(200, 100);
    EXPECT_EQ(size.width, 1202);
    EXPECT_EQ(size.height, 402);
    RasterPainter picture(size.width, size.height);
    drawHexPicture(picture, map);
    expectHexagon(picture, 600, 0, terrainColour(kSea));
    expectHexagon(picture, 606, 398, terrainColour(kLake));
    EXPECT_EQ(picture.countPixels(terrainColour(kSea), 0, 0, 1202, 402), 24);
    EXPECT_EQ(hexPictureSize(0, 100).width, 0);
}

// A floating stamp (ragged, with marks) shows as its tiles will once put down.
TEST_F(MapViewTest, StampShowsAsItsTilesWillBePutDown) {
    makeMap(1, 1, kJunglePlains);
    screen.stamp = FloatingStamp{mirrorNorthSouth({3, 2, 1, {kForestHills, 51, kDesert, kGlacier, 0, kLake}}), {{97, 40}}};
    const std::vector<Rgb> floating = paint().pixels();
    forEachStampTile(screen.stamp->block, map, {97, 40}, [&](int x, int y, TerrainCode c) { mapGrid[x][y] = c; });
    screen.stamp.reset();
    const std::vector<Rgb> putDown = paint().pixels();
    for (int y = kMapAreaRect.top; y < kMapAreaRect.bottom; ++y)
        for (int x = kMapAreaRect.left; x < kMapAreaRect.right; ++x)
            ASSERT_EQ(floating[y * 964 + x], putDown[y * 964 + x]) << x << ", " << y;
}

}  // namespace
}  // namespace pelorn
