// Players mode on a symmetric map: starts in symmetric sets.
#include "startlocations/symmetric_starts.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "generator/random.h"
#include "map/map_grid.h"
#include "startlocations/players.h"
#include "start_test_maps.h"

namespace pelorn {
namespace {

class SymmetricStarts : public ::testing::Test {
protected:
    static PlayersOptions optionsFor(Symmetry symmetry, std::int32_t players, std::int32_t distance) {
        PlayersOptions options;
        options.players = players;
        options.minDistance = distance;
        options.symmetry = symmetry;
        return options;
    }

    // Every start's images are starts too.
    void expectSymmetricSets(Symmetry symmetry, const std::vector<TilePos>& starts) {
        const GridSymmetry tiles = GridSymmetry::forMap(symmetry, mapWidth(map), mapHeight(map));
        for (const TilePos& p : starts) {
            TilePos images[GridSymmetry::kMaxImages];
            const int count = tiles.images(p.x, p.y, images);
            for (int i = 0; i < count; ++i)
                EXPECT_NE(std::find(starts.begin(), starts.end(), images[i]), starts.end())
                    << "(" << p.x << ", " << p.y << ") without its image (" << images[i].x << ", " << images[i].y << ")";
        }
    }

    void expectSpacing(const std::vector<TilePos>& starts, std::int32_t distance) {
        const HexTorus torus = mapTorus(map);
        for (std::size_t i = 0; i < starts.size(); ++i)
            for (std::size_t j = 0; j < i; ++j) EXPECT_GE(torus.distance(starts[i], starts[j]), distance);
    }

    Map map;
    MapGrid& mapGrid = map.mapGrid;
    Random random;
};

TEST_F(SymmetricStarts, OnlyAMultipleOfTheOrderOnAMapThatHasTheSymmetry) {
    ASSERT_TRUE(test::fillMap(map, 2, 1, kPlains));
    EXPECT_TRUE(symmetricSetsApply(map, Symmetry::kRotate2, 4));
    EXPECT_TRUE(symmetricSetsApply(map, Symmetry::kCopies4, 8));
    EXPECT_FALSE(symmetricSetsApply(map, Symmetry::kNone, 4));
    EXPECT_FALSE(symmetricSetsApply(map, Symmetry::kRotate2, 3));
    EXPECT_FALSE(symmetricSetsApply(map, Symmetry::kCopies4, 6));
    // A start location counts as the land under it; any other difference breaks it.
    mapGrid[10][10] = startLocationCode(kPlains);
    EXPECT_TRUE(symmetricSetsApply(map, Symmetry::kCopies2, 2));
    mapGrid[10][10] = kHills;
    EXPECT_FALSE(symmetricSetsApply(map, Symmetry::kCopies2, 2));
    // copies4 on a map an odd number of quads across is no symmetry it can have.
    ASSERT_TRUE(test::fillMap(map, 3, 1, kPlains));
    EXPECT_FALSE(symmetricSetsApply(map, Symmetry::kCopies4, 4));
}

// On generated symmetric worlds: whole sets, the spacing kept, spread 0.
TEST_F(SymmetricStarts, GeneratedWorldsGetEvenSets) {
    struct Case {
        Symmetry symmetry;
        std::int32_t qx, qy, players, distance;
    };
    for (const Case& c : {Case{Symmetry::kRotate2, 2, 1, 2, 10}, Case{Symmetry::kRotate2, 2, 2, 6, 25},
                          Case{Symmetry::kCopies2, 1, 2, 4, 20}, Case{Symmetry::kCopies4, 2, 2, 8, 15}}) {
        SCOPED_TRACE(std::string(symmetryName(c.symmetry)) + " " + std::to_string(c.players));
        ASSERT_TRUE(test::makeWorld(map, random, c.qx, c.qy, 17, c.symmetry));
        const PlayersPlan plan = generatePlayerStartLocations(map, optionsFor(c.symmetry, c.players, c.distance));
        ASSERT_TRUE(plan.error.empty()) << plan.error;
        EXPECT_TRUE(plan.complete);
        EXPECT_EQ(plan.starts.size(), static_cast<std::size_t>(c.players));
        // Sets exchanged for even rooms: the homes within 5%, the rooms within 1%.
        EXPECT_LE(plan.report.landSpread.difference * 20, plan.report.landSpread.maximum);
        EXPECT_GT(plan.report.landSpread.maximum, 0);
        EXPECT_LE(plan.roomSpread.percent(), 1) << plan.roomSpread.percentText();
        expectSymmetricSets(c.symmetry, plan.starts);
        expectSpacing(plan.starts, c.distance);
        EXPECT_EQ(startLocationsOnMap(map), plan.starts);
    }
}

// When no one land value holds every set, the strongest sets that fit are
// taken from the best down, and the spread says how uneven they are.
TEST_F(SymmetricStarts, WithoutSetsOfOneValueTheBestThatFit) {
    ASSERT_TRUE(test::fillMap(map, 2, 1, kVoid));
    // In each of the two strips: a pair of plains (worth 6 each, one step
    // apart, so only one can be a start) and a lone plains tile (worth 3).
    for (std::int32_t strip : {0, 100}) {
        mapGrid[strip + 20][20] = kPlains;
        mapGrid[strip + 20][21] = kPlains;
        mapGrid[strip + 60][60] = kPlains;
    }
    const PlayersPlan plan = generatePlayerStartLocations(map, optionsFor(Symmetry::kCopies2, 4, 3));
    EXPECT_TRUE(plan.complete);
    expectSymmetricSets(Symmetry::kCopies2, plan.starts);
    EXPECT_EQ(plan.report.landSpread.maximum, 6);
    EXPECT_EQ(plan.report.landSpread.difference, 3);
    EXPECT_TRUE(isStartLocationCode(mapGrid[60][60]) && isStartLocationCode(mapGrid[160][60]));
    // Six players: only two sets fit; fewer starts, never a broken set.
    const PlayersPlan crowded = generatePlayerStartLocations(map, optionsFor(Symmetry::kCopies2, 6, 3));
    EXPECT_FALSE(crowded.complete);
    EXPECT_EQ(crowded.starts.size(), 4u);
}

// A tile too near its own image (by the centre under rotate2) makes no set;
// neither does one whose image lies too near a quad's edge (copies2 on a map
// one quad wide shifts by 50 columns).
TEST_F(SymmetricStarts, SetsWhoseImagesBreakTheRulesAreLeftOut) {
    ASSERT_TRUE(test::fillMap(map, 1, 1, kVoid));
    mapGrid[49][49] = kPlains;  // its turned image (50, 50) is one step away
    mapGrid[50][50] = kPlains;
    EXPECT_TRUE(generatePlayerStartLocations(map, optionsFor(Symmetry::kRotate2, 2, 3)).starts.empty());

    ASSERT_TRUE(test::fillMap(map, 1, 1, kVoid));
    mapGrid[48][30] = kPlains;  // its image in column 98 lies in the quad's margin
    mapGrid[98][30] = kPlains;
    EXPECT_TRUE(generatePlayerStartLocations(map, optionsFor(Symmetry::kCopies2, 2, 3)).starts.empty());
    mapGrid[30][30] = kPlains;
    mapGrid[80][30] = kPlains;
    const PlayersPlan plan = generatePlayerStartLocations(map, optionsFor(Symmetry::kCopies2, 2, 3));
    EXPECT_EQ(plan.starts, (std::vector<TilePos>{{30, 30}, {80, 30}}));
}

// Without a symmetry, players mode is what it was, draw for draw and tile for tile.
TEST_F(SymmetricStarts, NoneLeavesPlayersModeAsItWas) {
    ASSERT_TRUE(test::makeWorld(map, random, 2, 1, 3, Symmetry::kCopies2));
    PlayersOptions options = optionsFor(Symmetry::kNone, 4, 20);
    const std::vector<TilePos> plain = planPlayerStarts(map, options).starts;
    options.players = 3;  // not a multiple of the order: as without the symmetry
    options.symmetry = Symmetry::kCopies2;
    PlayersOptions without = options;
    without.symmetry = Symmetry::kNone;
    EXPECT_EQ(planPlayerStarts(map, options).starts, planPlayerStarts(map, without).starts);
    EXPECT_EQ(plain.size(), 4u);
}

}  // namespace
}  // namespace pelorn
