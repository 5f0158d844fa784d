// A block of tiles as text, the form copy puts on the clipboard so that
// another Pelorn window can paste it: the line "PELORN-BLOCK W H", then the
// W x H codes column by column, one per line, as a map file writes them
// (two digits, CR LF between lines). Empty cells of a mirrored stamp are
// written as Void. The text says nothing of column parity: a block read from
// it starts on an even column.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "map/tile_block.h"

namespace pelorn {

// The largest block the text may describe: at most the largest map, at most
// as many columns and rows as a map has.
constexpr std::int32_t kMaxBlockSide = kMaxQuadsPerSide * kQuadSize;
constexpr std::int64_t kMaxBlockTiles = static_cast<std::int64_t>(kMaxQuads) * kQuadSize * kQuadSize;

std::string blockText(const TileBlock& block);

// The block the text describes; nothing for any text that is not exactly
// such a block (another first line, sizes of 0 or past the limits, fewer or
// more codes, a code of no terrain, anything else on a line). A trailing line
// break and a trailing NUL are allowed.
std::optional<TileBlock> parseBlockText(std::string_view text);

}  // namespace pelorn
