// Terrain codes, their names and display colours, and the pairing of land
// codes with start-location codes.
#pragma once

#include <cstdint>

namespace pelorn {

using TerrainCode = std::int32_t;

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(Rgb a, Rgb b) { return a.red == b.red && a.green == b.green && a.blue == b.blue; }
    friend bool operator!=(Rgb a, Rgb b) { return !(a == b); }
};

constexpr TerrainCode kVoid = 0;
constexpr TerrainCode kFertilePlains = 1;
constexpr TerrainCode kPlains = 2;
constexpr TerrainCode kHills = 3;
constexpr TerrainCode kHighHills = 4;
constexpr TerrainCode kMount1 = 5;
constexpr TerrainCode kMount2 = 6;
constexpr TerrainCode kMount3 = 7;
constexpr TerrainCode kMount4 = 8;
constexpr TerrainCode kSteppes = 9;
constexpr TerrainCode kArid = 10;
constexpr TerrainCode kDesert = 11;
constexpr TerrainCode kDesertMount1 = 12;
constexpr TerrainCode kDesertMount2 = 13;
constexpr TerrainCode kForestPlains = 14;
constexpr TerrainCode kForestHills = 15;
constexpr TerrainCode kForestHighHills = 16;
constexpr TerrainCode kJunglePlains = 17;
constexpr TerrainCode kJungleHills = 18;
constexpr TerrainCode kRiver = 19;
constexpr TerrainCode kRiverP = 20;
constexpr TerrainCode kSea = 21;
constexpr TerrainCode kLake = 22;
constexpr TerrainCode kPlainsL = 23;
constexpr TerrainCode kPlainsD = 24;
constexpr TerrainCode kHillsL = 25;
constexpr TerrainCode kHillsD = 26;
constexpr TerrainCode kHighHillsL = 27;
constexpr TerrainCode kHighHillsD = 28;
constexpr TerrainCode kMount1S = 29;
constexpr TerrainCode kMount2S = 30;
constexpr TerrainCode kMount3S = 31;
constexpr TerrainCode kMount4S = 32;
constexpr TerrainCode kSorestPlains = 33;
constexpr TerrainCode kSorestHills = 34;
constexpr TerrainCode kSorestHighHills = 35;
constexpr TerrainCode kGlacier = 36;
constexpr TerrainCode kJungleHighHills = 37;
constexpr TerrainCode kAPlains = 38;

constexpr TerrainCode kLastLegendCode = 38;       // codes 0..38 are the legend's terrains
constexpr TerrainCode kFirstStartLocation = 50;   // codes 50..60 are start locations
constexpr TerrainCode kLastStartLocation = 60;
constexpr int kPaletteSize = 61;

// The colour shown for a code that has no terrain (39..49, negative, above 60;
// only a damaged or foreign map file brings them). Magenta is far from every
// terrain colour, so such tiles stand out in the view, the overview and the bitmap.
constexpr Rgb kUnknownCodeColour{255, 0, 255};

// True for 0..38 and 50..60: the codes that have a colour and a pen.
bool hasTerrainColour(TerrainCode code);
bool isStartLocationCode(TerrainCode code);
bool isWaterCode(TerrainCode code);  // "River", "River P", "Sea", "Lake"
bool isRiverCode(TerrainCode code);  // "River", "River P"
bool isMountainCode(TerrainCode code);  // "Mount1" to "Mount4"
bool isForestCode(TerrainCode code);    // "Forest P", "Forest H", "Forest HH"

// The forest on open land: "Plains" -> "Forest P", "Hills" -> "Forest H",
// "H Hills" -> "Forest HH"; the code itself for every other code.
TerrainCode forestedCode(TerrainCode code);
// A forest under snow: "Forest P" -> "Sorest P" and so on; the code itself
// for every other code.
TerrainCode snowCoveredCode(TerrainCode code);

// The land code under a start-location code (50 -> 1, ..., 60 -> 27); the code
// itself for every other code.
TerrainCode baseCode(TerrainCode code);
// The start-location code of one of the eleven land codes that can carry one;
// 0 for every other code.
TerrainCode startLocationCode(TerrainCode code);

// The legend name of a code 0..38; an empty string for every other code.
const char* terrainName(TerrainCode code);

// Display colour of a code: the legend's colour (a start location its
// land's), or kUnknownCodeColour for a code of no terrain.
Rgb terrainColour(TerrainCode code);

}  // namespace pelorn
