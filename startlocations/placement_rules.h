// The placement rules every start location obeys, however it is chosen: the
// classic random tries and the players mode share them.
#pragma once

#include <cstdint>

namespace pelorn {

// Tiles this close to a quad's edge never carry a start location, which also
// keeps every tile the rules look at inside the map.
constexpr std::int32_t kEdgeMargin = 2;

// v mod 100 lies from 2 to 97: the column or row may carry a start location.
bool insideQuadMargin(std::int32_t v);

// Every one of the six neighbours is water. Needs both coordinates inside
// the quad margin.
bool surroundedByWater(std::int32_t x, std::int32_t y);

// Any start location among the 18 tiles within two steps of (x, y). Needs
// both coordinates inside the quad margin.
bool startLocationNearby(std::int32_t x, std::int32_t y);

// Turns every start location of the map (width x height tiles) back into its land tile.
void clearStartLocations(std::int32_t width, std::int32_t height);

}  // namespace pelorn
