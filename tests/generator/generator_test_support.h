// Helpers shared by the generator tests: an independent copy of the random
// generator to replay its stream, and a fixture that restores every global
// the generator touches.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "generator/parameters.h"
#include "generator/random.h"
#include "map/map_grid.h"
#include "support/fresh_state.h"
#include "support/test_map.h"
#include "view/view_mode.h"

namespace pelorn::test {

// The generator's LCG, written out again so the tests can predict draws.
struct ReferenceLcg {
    std::uint32_t state;
    explicit ReferenceLcg(std::uint32_t seed) : state(seed) {}
    std::int32_t next() {
        state = state * 214013u + 2531011u;
        return static_cast<std::int32_t>((state >> 16) & 0x7FFF);
    }
    // r / 32767 rounded to single precision, as the fill's draws are.
    float nextQuotient() { return static_cast<float>(next() / 32767.0); }
};

// How many draws lead from `seed` to the generator's current state (-1 when
// more than `limit`).
inline std::int64_t drawsSince(std::uint32_t seed, std::int64_t limit = 50'000'000) {
    ReferenceLcg lcg(seed);
    const std::uint32_t now = randomState();
    for (std::int64_t n = 0; n <= limit; ++n) {
        if (lcg.state == now) return n;
        lcg.next();
    }
    return -1;
}

// The seed whose first draw is r: inverts state = seed x 214013 + 2531011.
inline std::uint32_t seedForFirstDraw(std::int32_t r) {
    std::uint32_t inverse = 214013u;
    for (int i = 0; i < 5; ++i) inverse *= 2u - 214013u * inverse;
    const std::uint32_t state = static_cast<std::uint32_t>(r) << 16;
    return (state - 2531011u) * inverse;
}

class GeneratorTest : public FreshStateTest {
protected:
    // A grid of qx by qy quads with every tile `code`.
    static void makeMap(std::int32_t qx, std::int32_t qy, TerrainCode code) {
        ASSERT_TRUE(makeTestMap(qx, qy, code));
    }
};

}  // namespace pelorn::test
