#include "generator/random.h"

#include <cmath>

namespace pelorn {

namespace {
std::uint32_t state = 0;
}

void seedRandom(std::uint32_t seed) { state = seed; }

std::uint32_t randomState() { return state; }

std::int32_t rand() {
    state = state * 214013u + 2531011u;
    return static_cast<std::int32_t>((state >> 16) & 0x7FFFu);
}

std::int32_t roundHalfUpToSingle(double v) {
    const float rounded = static_cast<float>(v + 0.5);
    return static_cast<std::int32_t>(std::floor(rounded));
}

std::int32_t drawScaled(double scale) {
    return roundHalfUpToSingle(rand() / static_cast<double>(kRandMax) * scale);
}

}  // namespace pelorn
