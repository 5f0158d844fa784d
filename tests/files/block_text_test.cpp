#include "files/block_text.h"

#include <gtest/gtest.h>

namespace pelorn {
namespace {

TEST(BlockText, WritesTheMapFileFormAndReadsItBack) {
    const TileBlock block{2, 3, 0, {0, 21, 5, 60, kTransparentCell, 38}};
    const std::string text = blockText(block);
    EXPECT_EQ(text, "PELORN-BLOCK 2 3\r\n00\r\n21\r\n05\r\n60\r\n00\r\n38");
    TileBlock voided = block;
    voided.cells[4] = kVoid;
    EXPECT_EQ(parseBlockText(text), voided);
    EXPECT_EQ(parseBlockText(text + "\r\n"), voided);
    EXPECT_EQ(parseBlockText(text + std::string(1, '\0')), voided);
    EXPECT_EQ(parseBlockText("PELORN-BLOCK 1 2\n7\n50"), (TileBlock{1, 2, 0, {7, 50}}));
}

TEST(BlockText, RefusesEverythingElse) {
    const char* const hostile[] = {
        "",
        "PELORN-BLOCK 1 1",                   // no code
        "PELORN-BLOCK 1 1\r\n02\r\n03",       // a code too many
        "PELORN-BLOCK 2 1\r\n02",             // one too few
        "PELORN-BLOCK 0 1\r\n",               // no columns
        "PELORN-BLOCK 1 1 1\r\n02",           // a third size
        "PELORN-BLOCK 1 1\r\n45",             // a code of no terrain
        "PELORN-BLOCK 1 1\r\n2x",
        "PELORN-BLOCK 10001 1\r\n02",         // wider than any map
        "PELORN-BLOCK 10000 10000\r\n02",     // more tiles than any map
        "PELORN-BLOCK 99999999999999999999 1\r\n02",
        "PELORN-BLOCK 1000 1000\r\n02\r\n02", // a huge size with a short text: refused at once
    };
    for (const char* text : hostile) EXPECT_FALSE(parseBlockText(text)) << text;
}

}  // namespace
}  // namespace pelorn
