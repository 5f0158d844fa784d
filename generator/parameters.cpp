#include "generator/parameters.h"

#include "map/map_grid.h"

namespace pelorn {

std::int32_t triesOverMap(const Map& map, std::int32_t perQuad) {
    // Unsigned arithmetic wraps without undefined behaviour; the result is
    // then read back as a two's-complement value.
    const std::uint32_t product = static_cast<std::uint32_t>(perQuad) * static_cast<std::uint32_t>(map.quadCountY) *
                                  static_cast<std::uint32_t>(map.quadCountX);
    if (product <= 0x7FFFFFFFu) return static_cast<std::int32_t>(product);
    return -static_cast<std::int32_t>(~product) - 1;
}

}  // namespace pelorn
