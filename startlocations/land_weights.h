// What a tile is worth to a player starting near it: one whole-number weight
// per legend code, and the line-based text form a user can supply instead of
// the built-in table.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "map/terrain.h"

namespace pelorn {

// Weights are kept small so that a land value (at most 1261 tiles for the
// largest radius) and a territory (a whole map of a million tiles) both stay
// far inside 32-bit and 64-bit sums.
constexpr std::int32_t kMaxLandWeight = 1000;
// A weights file is a short table; a longer text is refused, and a longer
// file is not even read.
constexpr std::size_t kMaxWeightsFileBytes = 64 * 1024;

struct LandWeights {
    // Index: legend code 0..38. Codes with no entry weigh nothing.
    std::array<std::int32_t, kLastLegendCode + 1> byCode{};

    // A start-location code weighs as its land code; codes outside the legend
    // (39..49, negative, above 60) weigh 0.
    std::int32_t weightOf(TerrainCode code) const {
        const TerrainCode base = baseCode(code);
        return base >= 0 && base <= kLastLegendCode ? byCode[static_cast<std::size_t>(base)] : 0;
    }
    friend bool operator==(const LandWeights& a, const LandWeights& b) { return a.byCode == b.byCode; }
    friend bool operator!=(const LandWeights& a, const LandWeights& b) { return !(a == b); }
};

// Plains and river plains 3; hills, steppes, forest on plains and hills,
// river 2; arid land, thick forest, jungle, dry plains and hills, sea, lake 1;
// everything else (mountains, desert, glacier, void, polar) 0.
LandWeights defaultLandWeights();

// The text form: one "CODE WEIGHT" pair per line (code 0..38, weight
// 0..1000, decimal), blanks or tabs between; "#" starts a comment that runs
// to the end of the line; blank lines are allowed; LF or CR LF. Codes not
// listed weigh 0; a code listed twice is an error, and so is a file without
// any pair. On failure `weights` is unchanged and `error` says which line
// and why.
bool parseLandWeights(std::string_view text, LandWeights& weights, std::string& error);

// The table as text that parseLandWeights reads back: a comment line, then
// every code with a weight above 0 in ascending order.
std::string formatLandWeights(const LandWeights& weights);

}  // namespace pelorn
