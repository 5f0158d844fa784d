#include "generator/random.h"

#include <cmath>

namespace pelorn {

std::int32_t roundHalfUpToSingle(double v) {
    const float rounded = static_cast<float>(v + 0.5);
    return static_cast<std::int32_t>(std::floor(rounded));
}

std::int32_t drawScaled(Random& random, double scale) {
    return roundHalfUpToSingle(random.next() / static_cast<double>(kRandMax) * scale);
}

}  // namespace pelorn
