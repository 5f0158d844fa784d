#include "map/tile_block.h"

#include <gtest/gtest.h>

#include <map>

#include "support/test_map.h"

namespace pelorn {
namespace {

constexpr TerrainCode T = kTransparentCell;

// A block whose cells are numbered 1, 2, ... column by column, so that each
// cell can be found again after a mirror.
TileBlock numbered(std::int32_t width, std::int32_t height, std::int32_t parity) {
    TileBlock block{width, height, parity, {}};
    for (std::int32_t i = 0; i < width * height; ++i) block.cells.push_back(i + 1);
    return block;
}

// Where each numbered cell stands on the map with the block's first column
// on a column of its parity.
std::map<TerrainCode, TilePos> placed(const TileBlock& block) {
    std::map<TerrainCode, TilePos> at;
    for (std::int32_t x = 0; x < block.width; ++x)
        for (std::int32_t y = 0; y < block.height; ++y)
            if (block.at(x, y) != T) at[block.at(x, y)] = {10 + block.firstColumnParity + x, 20 + y};
    return at;
}

TileBlock bothWays(const TileBlock& block) { return mirrorNorthSouth(mirrorEastWest(block)); }

TEST(TileBlockMirrors, TwiceIsTheIdentityAndEveryDistanceStays) {
    const struct {
        const char* name;
        TileBlock (*mirror)(const TileBlock&);
    } mirrors[] = {{"east-west", mirrorEastWest}, {"north-south", mirrorNorthSouth}, {"both", bothWays}};
    for (const auto& m : mirrors) {
        for (std::int32_t parity : {0, 1}) {
            for (auto [width, height] : {std::pair{5, 4}, std::pair{4, 3}, std::pair{1, 3}}) {
                SCOPED_TRACE(std::string(m.name) + " parity " + std::to_string(parity) + " " + std::to_string(width));
                const TileBlock block = numbered(width, height, parity);
                const TileBlock once = m.mirror(block);
                EXPECT_EQ(m.mirror(once), block);
                const auto before = placed(block);
                const auto after = placed(once);
                ASSERT_EQ(after.size(), before.size());
                // Neighbours stay neighbours, and a mirror keeps every distance.
                for (const auto& [a, pa] : before)
                    for (const auto& [b, pb] : before)
                        EXPECT_EQ(hexDistance(after.at(a), after.at(b)), hexDistance(pa, pb)) << a << " " << b;
            }
        }
    }
}

TEST(TileBlockMirrors, TurnTheBlockOver) {
    // Two columns starting on an even one: (a b | c d).
    const TileBlock block{2, 2, 0, {1, 2, 3, 4}};
    EXPECT_EQ(mirrorEastWest(block), (TileBlock{2, 2, 1, {3, 4, 1, 2}}));
    // Even column: y -> 2 - y; odd: y -> 1 - y; the outline turns ragged.
    EXPECT_EQ(mirrorNorthSouth(block), (TileBlock{2, 3, 0, {T, 2, 1, 4, 3, T}}));
    EXPECT_EQ(mirrorNorthSouth(TileBlock{2, 2, 1, {1, 2, 3, 4}}), (TileBlock{2, 3, 1, {2, 1, T, T, 4, 3}}));
}

TEST(TileBlock, CopyStampColumnAndWrappingPut) {
    Map map;
    ASSERT_TRUE(test::makeTestMap(map, 1, 1));
    map.mapGrid[3][5] = 7;
    map.mapGrid[4][6] = 9;
    const TileBlock block = copyBlock(map, rectBetween({4, 6}, {3, 5}));
    EXPECT_EQ(block, (TileBlock{2, 2, 1, {7, 0, 0, 9}}));
    EXPECT_EQ(stampColumn(block, 7), 7);
    EXPECT_EQ(stampColumn(block, 8), 7);
    EXPECT_EQ(stampColumn(block, 0), -1);  // wraps to the last column, which is odd
    // Put down at the last tile, the mirrored block wraps round both edges.
    std::vector<std::int32_t> put;
    forEachStampTile(mirrorNorthSouth(block), map, {99, 99},
                     [&](auto x, auto y, auto c) { put.push_back(x * 1000 + y * 10 + c); });
    EXPECT_EQ(put, (std::vector<std::int32_t>{99990, 99007, 9, 10}));
}

}  // namespace
}  // namespace pelorn
