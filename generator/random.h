// The program's one pseudo-random generator, shared by the world generator and
// the start-location generator: a linear congruential generator with a 32-bit
// state, giving integers from 0 to 32767. The same seed gives the same maps on
// every platform, so it never defers to a C runtime's rand.
#pragma once

#include <cstdint>

namespace pelorn {

constexpr std::int32_t kRandMax = 32767;

void seedRandom(std::uint32_t seed);
std::uint32_t randomState();
// The next value, 0 to 32767: state = state * 214013 + 2531011, then (state >> 16) & 0x7FFF.
std::int32_t rand();

// floor(v + 0.5) as the generators round a scaled draw: v + 0.5 is computed
// in double (v itself from the double quotient r / 32767), rounded once to
// single precision, then rounded down.
std::int32_t roundHalfUpToSingle(double v);

// floor(r / 32767 x scale + 0.5) of one draw r, rounded as above: a number
// from 0 to scale whose two ends come out half as often as the rest.
std::int32_t drawScaled(double scale);

}  // namespace pelorn
