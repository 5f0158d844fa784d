#include "map/terrain.h"

namespace pelorn {


namespace {

struct TerrainInfo {
    const char* name;
    Rgb colour;
};

constexpr TerrainInfo kTerrains[kLastLegendCode + 1] = {
    {"Void", {0, 0, 0}},           {"F Plains", {122, 193, 67}},  {"Plains", {108, 179, 63}},
    {"Hills", {98, 163, 57}},      {"H Hills", {105, 137, 49}},   {"Mount1", {179, 151, 51}},
    {"Mount2", {176, 127, 35}},    {"Mount3", {162, 99, 18}},     {"Mount4", {145, 88, 14}},
    {"Steppes", {120, 162, 47}},   {"Arid", {157, 179, 34}},      {"Desert", {201, 199, 32}},
    {"D Mount1", {205, 124, 36}},  {"D Mount2", {186, 94, 33}},   {"Forest P", {108, 179, 63}},
    {"Forest H", {98, 163, 57}},   {"Forest HH", {105, 137, 49}}, {"Jungle P", {68, 149, 52}},
    {"Jungle H", {60, 133, 47}},   {"River", {0, 80, 175}},       {"River P", {0, 128, 102}},
    {"Sea", {0, 45, 98}},          {"Lake", {0, 65, 142}},        {"Plains L", {175, 232, 139}},
    {"Plains D", {230, 255, 230}}, {"Hills L", {188, 215, 170}},  {"Hills D", {207, 230, 207}},
    {"HHills L", {182, 201, 170}}, {"HHills D", {195, 215, 195}}, {"Mount1 S", {195, 195, 195}},
    {"Mount2 S", {175, 175, 175}}, {"Mount3 S", {155, 155, 155}}, {"Mount4 S", {135, 135, 135}},
    {"Sorest P", {175, 232, 139}}, {"Sorest H", {188, 215, 170}}, {"Sorest HH", {182, 201, 170}},
    {"Glacier", {255, 255, 255}},  {"Jungle HH", {53, 116, 41}},  {"APlains", {137, 179, 47}},
};

// Land codes that can carry a start location, in the order of their start-location codes 50..60.
constexpr TerrainCode kStartLocationBases[kLastStartLocation - kFirstStartLocation + 1] = {
    kFertilePlains, kPlains,          kHills,   kHighHills, kSteppes,   kForestPlains,
    kForestHills,   kForestHighHills, kPlainsL, kHillsL,    kHighHillsL};

// The forest and snow-covered forest rows run parallel to the open-land rows.
static_assert(kForestHills - kForestPlains == kHills - kPlains &&
                  kForestHighHills - kForestPlains == kHighHills - kPlains,
              "forest codes follow the open-land codes");
static_assert(kSorestHills - kSorestPlains == kForestHills - kForestPlains &&
                  kSorestHighHills - kSorestPlains == kForestHighHills - kForestPlains,
              "snow-covered forest codes follow the forest codes");

}  // namespace

bool hasTerrainColour(TerrainCode code) {
    return (code >= 0 && code <= kLastLegendCode) || isStartLocationCode(code);
}

bool isStartLocationCode(TerrainCode code) {
    return code >= kFirstStartLocation && code <= kLastStartLocation;
}

bool isWaterCode(TerrainCode code) { return code >= kRiver && code <= kLake; }
bool isRiverCode(TerrainCode code) { return code == kRiver || code == kRiverP; }
bool isMountainCode(TerrainCode code) { return code >= kMount1 && code <= kMount4; }
bool isForestCode(TerrainCode code) { return code >= kForestPlains && code <= kForestHighHills; }

TerrainCode forestedCode(TerrainCode code) {
    return code >= kPlains && code <= kHighHills ? code + (kForestPlains - kPlains) : code;
}

TerrainCode snowCoveredCode(TerrainCode code) {
    return isForestCode(code) ? code + (kSorestPlains - kForestPlains) : code;
}

TerrainCode baseCode(TerrainCode code) {
    return isStartLocationCode(code) ? kStartLocationBases[code - kFirstStartLocation] : code;
}

TerrainCode startLocationCode(TerrainCode code) {
    for (int i = 0; i <= kLastStartLocation - kFirstStartLocation; ++i) {
        if (kStartLocationBases[i] == code) return kFirstStartLocation + i;
    }
    return 0;
}

const char* terrainName(TerrainCode code) {
    return code >= 0 && code <= kLastLegendCode ? kTerrains[code].name : "";
}

Rgb terrainColour(TerrainCode code) {
    // A start location takes the colour of its land.
    return hasTerrainColour(code) ? kTerrains[baseCode(code)].colour : kUnknownCodeColour;
}

}  // namespace pelorn
