// Symmetric worlds: the images of a point, the scaling tables that keep a
// field's symmetry on the map, the symmetric fill, and whole worlds whose
// every tile equals its images (the 50-seed run is tests/checks).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "generator/random_field.h"
#include "generator/seas_rivers.h"
#include "generator/symmetry.h"
#include "generator/world.h"
#include "generator_test_support.h"
#include "symmetric_world_measures.h"

namespace pelorn::test {
namespace {

constexpr Symmetry kSymmetric[] = {Symmetry::kRotate2, Symmetry::kCopies2, Symmetry::kCopies4};

// The first cell of a w x h field that differs from one of its images.
std::string firstUnlikeImage(const FloatField& field, const GridSymmetry& cells) {
    for (std::int32_t x = 0; x < field.width; ++x) {
        for (std::int32_t y = 0; y < field.height; ++y) {
            TilePos images[GridSymmetry::kMaxImages];
            const int count = cells.images(x, y, images);
            for (int i = 0; i < count; ++i)
                if (field[images[i].x][images[i].y] != field[x][y])
                    return "(" + std::to_string(x) + ", " + std::to_string(y) + ") and (" +
                           std::to_string(images[i].x) + ", " + std::to_string(images[i].y) + ")";
        }
    }
    return {};
}


// A working field repeats its first column as its last: under copies that
// column belongs to the strips' first column, so column 0 has K + 1 images.
TEST(Symmetry, FieldImagesWrapWithTheField) {
    const GridSymmetry copies4 = GridSymmetry::forField(Symmetry::kCopies4, 257, 129);
    EXPECT_EQ(copies4.period(), 64);
    TilePos images[GridSymmetry::kMaxImages];
    ASSERT_EQ(copies4.images(256, 7, images), 5);
    EXPECT_EQ(images[0], (TilePos{256, 7}));
    EXPECT_EQ(images[1], (TilePos{0, 7}));
    EXPECT_EQ(images[4], (TilePos{192, 7}));
    EXPECT_EQ(copies4.images(65, 7, images), 4);
    EXPECT_EQ(copies4.representative(200, 3), (TilePos{8, 3}));

    // The turn of a field of odd sides has a centre cell that is its own image.
    const GridSymmetry turn = GridSymmetry::forField(Symmetry::kRotate2, 129, 257);
    EXPECT_EQ(turn.images(64, 128, images), 1);
    ASSERT_EQ(turn.images(3, 5, images), 2);
    EXPECT_EQ(images[1], (TilePos{125, 251}));
    EXPECT_EQ(turn.representative(125, 251), (TilePos{3, 5}));
    // On the middle row the western half stands for the eastern.
    EXPECT_EQ(turn.representative(100, 128), (TilePos{28, 128}));
    EXPECT_TRUE(turn.isRepresentative(28, 128));
}

// The scaling tables: in range, each source at or after its target (in
// place), rising, and keeping the symmetry; the strips meet without a jump.
TEST(Symmetry, ScalingTablesKeepTheSymmetry) {
    for (std::int32_t tiles : {100, 200, 300, 400, 600, 1000}) {
        const std::int32_t cells = workingSize(tiles);
        SCOPED_TRACE(std::to_string(tiles) + " tiles over " + std::to_string(cells) + " cells");
        const std::vector<std::int32_t> turned = turnedSources(tiles, cells);
        for (int strips : {2, 4}) {
            if ((tiles / strips) % 2 != 0) continue;
            const std::vector<std::int32_t> strip = stripSources(tiles, cells, strips);
            const std::int32_t stripTiles = tiles / strips;
            const std::int32_t stripCells = (cells - 1) / strips;
            for (std::int32_t i = 0; i < tiles; ++i) {
                EXPECT_GE(strip[i], i);
                EXPECT_LT(strip[i], cells);
                if (i > 0) {
                    EXPECT_GT(strip[i], strip[i - 1]);
                    // About cells / tiles apart everywhere, the seams included.
                    EXPECT_LE(strip[i] - strip[i - 1], 2);
                }
                if (i >= stripTiles) {
                    EXPECT_EQ(strip[i], strip[i - stripTiles] + stripCells);
                }
            }
            EXPECT_EQ(strip[0], 0);
        }
        for (std::int32_t i = 0; i < tiles; ++i) {
            EXPECT_GE(turned[i], i);
            EXPECT_LT(turned[i], cells);
            EXPECT_EQ(turned[i] + turned[tiles - 1 - i], cells - 1);
            if (i > 0) {
                EXPECT_GT(turned[i], turned[i - 1]);
                EXPECT_LE(turned[i] - turned[i - 1], 2);
            }
        }
        EXPECT_EQ(turned[0], 0);
    }
    // Integer rounding: 49 x 128 / 99 = 63.35 -> 63; 50 mirrors it.
    const std::vector<std::int32_t> turned = turnedSources(100, 129);
    EXPECT_EQ(turned[49], 63);
    EXPECT_EQ(turned[50], 65);
    // 49 x 64 / 50 = 62.72 -> 63, and the next strip starts at 64.
    const std::vector<std::int32_t> strip = stripSources(100, 129, 2);
    EXPECT_EQ(strip[49], 63);
    EXPECT_EQ(strip[50], 64);
}

using SymmetricFill = GeneratorTest;

// The fill keeps a field symmetric, sea seeding on every edge included (its
// draws overwrite one another's images), and the scaling carries the
// symmetry onto the map: also with strips of 160 cells (copies4, 6 quads
// across), no multiple of the fill's coarsest step.
TEST_F(SymmetricFill, FieldAndMapKeepTheSymmetry) {
    struct Case {
        Symmetry symmetry;
        std::int32_t qx, qy;
    };
    for (const Case& c : {Case{Symmetry::kRotate2, 1, 2}, Case{Symmetry::kRotate2, 2, 3}, Case{Symmetry::kCopies2, 3, 1},
                          Case{Symmetry::kCopies2, 1, 1}, Case{Symmetry::kCopies4, 2, 1}, Case{Symmetry::kCopies4, 6, 1}}) {
        SCOPED_TRACE(std::string(symmetryName(c.symmetry)) + " " + std::to_string(c.qx) + "x" + std::to_string(c.qy));
        makeMap(c.qx, c.qy, kVoid);
        const std::int32_t w = workingSize(mapWidth(map));
        const std::int32_t h = workingSize(mapHeight(map));
        FloatField field;
        ASSERT_TRUE(field.allocate(w, h));
        field.fill(kUnsetValue);
        const GridSymmetry cells = GridSymmetry::forField(c.symmetry, w, h);
        parameters.seedHorizontalSea = 1;
        parameters.seedVerticalSea = 1;
        random.seed(77);
        fillField(field, w, h, 17, true, parameters, random, &cells);
        EXPECT_EQ(firstUnlikeImage(field, cells), "");
        resampleSymmetricField(field, w, h, mapWidth(map), mapHeight(map), c.symmetry);
        for (std::int32_t x = 0; x < mapWidth(map); ++x) {
            for (std::int32_t y = 0; y < mapHeight(map); ++y) {
                const TilePos image = expectedImage(map, c.symmetry, x, y);
                ASSERT_EQ(field[x][y], field[image.x][image.y]) << x << "," << y;
            }
        }
    }
}

using SymmetricWorld = GeneratorTest;

// Whole worlds, a few seeds and sizes (copies4 on 6 quads across has strips of
// 160 cells, no multiple of the fill's coarsest step), under the default and
// under settings that seed sea on every edge and make many rivers.
TEST_F(SymmetricWorld, EveryTileEqualsItsImages) {
    struct Case {
        Symmetry symmetry;
        std::int32_t qx, qy;
        bool edgesAndRivers;
    };
    for (const Case& c : {Case{Symmetry::kRotate2, 1, 1, false}, Case{Symmetry::kRotate2, 3, 2, true},
                          Case{Symmetry::kCopies2, 1, 2, false}, Case{Symmetry::kCopies2, 3, 1, true},
                          Case{Symmetry::kCopies4, 2, 1, true}, Case{Symmetry::kCopies4, 6, 1, false}}) {
        for (std::uint32_t seed : {1u, 4294967295u}) {
            SCOPED_TRACE(std::string(symmetryName(c.symmetry)) + " " + std::to_string(c.qx) + "x" +
                         std::to_string(c.qy) + " seed " + std::to_string(seed));
            parameters = GeneratorParameters{};
            if (c.edgesAndRivers) {
                parameters.seedHorizontalSea = 1;
                parameters.seedVerticalSea = 1;
                parameters.genRiverTries = 400;
                parameters.levelSea = 3.0f;
            }
            makeMap(c.qx, c.qy, kVoid);
            random.seed(seed);
            ASSERT_TRUE(generateSymmetricMap(map, parameters, random, c.symmetry).generated);
            EXPECT_EQ(imageMismatches(map, c.symmetry), 0);
        }
    }
}

TEST_F(SymmetricWorld, NoneMakesTheClassicWorld) {
    makeMap(3, 2, kVoid);
    random.seed(99);
    ASSERT_TRUE(generateRandomMap(map, parameters, random).generated);
    const std::vector<TerrainCode> classic = mapTiles(map);
    const std::uint32_t after = random.state();
    random.seed(99);
    ASSERT_TRUE(generateSymmetricMap(map, parameters, random, Symmetry::kNone).generated);
    EXPECT_EQ(random.state(), after);
    EXPECT_EQ(mapTiles(map), classic);
}

// A symmetric world is no classic world: the relation holds where the
// classic world of the same seed breaks it.
TEST_F(SymmetricWorld, ClassicWorldsBreakTheRelation) {
    for (Symmetry symmetry : kSymmetric) {
        makeMap(2, 1, kVoid);
        random.seed(8);
        ASSERT_TRUE(generateRandomMap(map, parameters, random).generated);
        EXPECT_GT(imageMismatches(map, symmetry), 1000) << symmetryName(symmetry);
    }
}

TEST_F(SymmetricWorld, Copies4OnAnOddWidthChangesNothing) {
    makeMap(3, 1, kPlains);
    mapGrid[5][5] = kHills;
    const TerrainCode* const* grid = mapGrid;
    random.seed(12);
    EXPECT_FALSE(generateSymmetricMap(map, parameters, random, Symmetry::kCopies4).generated);
    EXPECT_EQ(mapGrid, grid);
    EXPECT_EQ(mapGrid[5][5], kHills);
    EXPECT_EQ(mapGrid[6][5], kPlains);
    EXPECT_EQ(random.state(), 12u);
}

// The sea: the body found becomes sea with its images; lakes apart from them stay.
TEST_F(SymmetricWorld, TheSeasImagesBecomeSeaToo) {
    makeMap(2, 1, kPlains);
    const GridSymmetry tiles = GridSymmetry::forMap(Symmetry::kCopies4, 200, 100);
    // Two bodies in each strip: a large one (all four images) and a small one.
    for (std::int32_t strip = 0; strip < 4; ++strip) {
        for (std::int32_t x = 5; x < 45; ++x)
            for (std::int32_t y = 10; y < 90; ++y) mapGrid[strip * 50 + x][y] = kLake;
        mapGrid[strip * 50 + 47][3] = kLake;
    }
    parameters.genSeaTiles = 3000;
    random.seed(1);
    ASSERT_TRUE(selectSea(map, parameters, random, &tiles));
    std::int64_t sea = 0;
    for (std::int32_t x = 0; x < 200; ++x)
        for (std::int32_t y = 0; y < 100; ++y) sea += mapGrid[x][y] == kSea ? 1 : 0;
    EXPECT_EQ(sea, 4 * 40 * 80);
    for (std::int32_t strip = 0; strip < 4; ++strip) EXPECT_EQ(mapGrid[strip * 50 + 47][3], kLake);
}

// A river is traced once; its course and the banks it turns to arid land are
// drawn in every image, and the images continue across the strips' seams.
TEST_F(SymmetricWorld, RiversAreDrawnInEveryImage) {
    makeMap(2, 1, kDesert);
    FloatField heights;
    ASSERT_TRUE(heights.allocate(200, 100));
    // Falling eastwards from column 40 to 139 (and so on in the next strip):
    // from column 80 the river runs across the seam between columns 99 and 100.
    for (std::int32_t x = 0; x < 200; ++x)
        for (std::int32_t y = 0; y < 100; ++y) heights[x][y] = 9.0f - 0.04f * static_cast<float>((x + 60) % 100);
    const GridSymmetry tiles = GridSymmetry::forMap(Symmetry::kCopies2, 200, 100);
    random.seed(4);
    traceRiver(map, heights, 80, 50, parameters, random, &tiles);
    EXPECT_EQ(imageMismatches(map, Symmetry::kCopies2), 0);
    std::int64_t river = 0;
    std::int64_t banks = 0;
    for (std::int32_t x = 0; x < 200; ++x) {
        for (std::int32_t y = 0; y < 100; ++y) {
            river += isRiverCode(mapGrid[x][y]) ? 1 : 0;
            banks += mapGrid[x][y] == kArid || mapGrid[x][y] == kAPlains ? 1 : 0;
        }
    }
    EXPECT_GT(river, 20);
    EXPECT_EQ(river % 2, 0);
    EXPECT_GT(banks, 0);
    const auto riverInColumn = [this](std::int32_t x) {
        for (std::int32_t y = 0; y < 100; ++y)
            if (isRiverCode(mapGrid[x][y])) return true;
        return false;
    };
    // Both across the seam and, in the image, across the map's east edge.
    EXPECT_TRUE(riverInColumn(99) && riverInColumn(100));
    EXPECT_TRUE(riverInColumn(199) && riverInColumn(0));
}

// Each river comes with its images, so the tries are divided by the order,
// rounded up: on a map without mountains each try is two draws.
TEST_F(SymmetricWorld, RiverTriesAreDividedByTheOrder) {
    struct Case {
        Symmetry symmetry;
        std::int32_t perQuad;
        std::int64_t tries;
    };
    for (const Case& c : {Case{Symmetry::kNone, 7, 14}, Case{Symmetry::kRotate2, 7, 7}, Case{Symmetry::kCopies4, 7, 4},
                          Case{Symmetry::kCopies4, 0, 0}, Case{Symmetry::kCopies2, -3, 0}}) {
        makeMap(2, 1, kPlains);
        FloatField field;
        ASSERT_TRUE(field.allocate(200, 100));
        field.fill(5.0f);
        parameters.genRiverTries = c.perQuad;
        const GridSymmetry tiles = GridSymmetry::forMap(c.symmetry, 200, 100);
        random.seed(21);
        placeRivers(map, field, field, parameters, random, &tiles);
        EXPECT_EQ(drawsSince(random, 21), 2 * c.tries) << symmetryName(c.symmetry) << " " << c.perQuad;
    }
}

}  // namespace
}  // namespace pelorn::test
