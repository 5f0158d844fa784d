// The names the program has always used for its state, as references to the
// members of the map and the screen that own them, so that a test reads as
// the program does. A fixture takes them as bases after the owners.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "map/map_grid.h"
#include "view/screen.h"

namespace pelorn::test {

struct MapNames {
    explicit MapNames(Map& map)
        : mapGrid(map.mapGrid),
          quadCountX(map.quadCountX),
          quadCountY(map.quadCountY),
          currentMapName(map.currentMapName) {}
    MapGrid& mapGrid;
    std::int32_t& quadCountX;
    std::int32_t& quadCountY;
    std::string& currentMapName;
};

struct ScreenNames {
    explicit ScreenNames(Screen& screen)
        : viewMode(screen.viewMode),
          viewQuadX(screen.viewQuadX),
          viewQuadY(screen.viewQuadY),
          currentTerrain(screen.currentTerrain),
          boldBrush(screen.boldBrush),
          startLocationMode(screen.startLocationMode),
          fillTool(screen.fillTool),
          bucketTool(screen.bucketTool) {}
    std::int32_t& viewMode;
    std::int32_t& viewQuadX;
    std::int32_t& viewQuadY;
    TerrainCode& currentTerrain;
    bool& boldBrush;
    bool& startLocationMode;
    bool& fillTool;
    bool& bucketTool;
};

// A map and a screen of a view test's own, under those names.
struct MapAndScreen {
    Map map;
    Screen screen;
};
class ViewTest : public ::testing::Test, protected MapAndScreen, protected MapNames, protected ScreenNames {
protected:
    ViewTest() : MapNames(map), ScreenNames(screen) {}
};

}  // namespace pelorn::test
