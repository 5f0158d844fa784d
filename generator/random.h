// The program's one pseudo-random generator, shared by the world generator and
// the start-location generator: a linear congruential generator with a 32-bit
// state, giving integers from 0 to 32767. The same seed gives the same maps on
// every platform, so it never defers to a C runtime's rand.
#pragma once

#include <cstdint>

namespace pelorn {

constexpr std::int32_t kRandMax = 32767;

// The random state of one run of the generators. The editor keeps one for
// the whole session; pelorn-cli and the tests make their own.
class Random {
public:
    Random() = default;
    explicit Random(std::uint32_t seed) : state_(seed) {}

    void seed(std::uint32_t seed) { state_ = seed; }
    std::uint32_t state() const { return state_; }
    // The next value, 0 to 32767: state = state * 214013 + 2531011, then (state >> 16) & 0x7FFF.
    std::int32_t next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<std::int32_t>((state_ >> 16) & 0x7FFFu);
    }

private:
    std::uint32_t state_ = 0;
};

// floor(v + 0.5) as the generators round a scaled draw: v + 0.5 is computed
// in double (v itself from the double quotient r / 32767), rounded once to
// single precision, then rounded down.
std::int32_t roundHalfUpToSingle(double v);

// floor(r / 32767 x scale + 0.5) of one draw r, rounded as above: a number
// from 0 to scale whose two ends come out half as often as the rest.
std::int32_t drawScaled(Random& random, double scale);

}  // namespace pelorn
