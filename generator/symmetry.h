// Symmetric worlds: every player's part of the map the same land. On this hex
// grid (even columns raised) only two kinds of symmetry keep every tile's six
// neighbours: the turn by 180 degrees about the map's centre, and shifts along
// the wrapping east-west axis by an even number of columns.
//
// The generator follows a symmetry pass by pass: the random fields are made
// symmetric while they are filled (every value computed is written to all the
// cells it stands for), so heights and climate are one seamless field and not
// pasted copies; the passes that draw per tile (desert) run over one
// fundamental part of the map and write each result to its images; the sea and
// the rivers are traced once and every tile they change is changed in all its
// images too.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "map/hex_geometry.h"
#include "map/terrain.h"

namespace pelorn {

enum class Symmetry : std::uint8_t {
    kNone,     // the classic world
    kRotate2,  // tile (x, y) equals tile (W-1-x, H-1-y)
    kCopies2,  // two equal strips: tile (x, y) equals tile ((x + W/2) mod W, y)
    kCopies4,  // four equal strips: tile (x, y) equals tile ((x + W/4) mod W, y)
};

constexpr int kSymmetryCount = 4;
// In the order of the enumeration: "none", "rotate2", "copies2", "copies4".
extern const char* const kSymmetryNames[kSymmetryCount];

const char* symmetryName(Symmetry symmetry);
std::optional<Symmetry> parseSymmetry(std::string_view name);
// How many tiles each tile stands for: 1, 2 or 4.
int symmetryOrder(Symmetry symmetry);

// Why a map of quadsX quads across cannot have this symmetry; empty when it can.
// copies4 needs strips of an even number of columns, so an even quadsX.
std::string symmetryRefusal(Symmetry symmetry, std::int32_t quadsX);

// The images of a point of a grid of width x height under one symmetry. A
// working field's last column and row repeat its first (it wraps with period
// width - 1), so its strips are (width - 1) / K columns wide; the map's strips
// are width / K columns wide.
class GridSymmetry {
public:
    static constexpr int kMaxImages = 5;  // a field's column 0 under copies4: 0, P, 2P, 3P, 4P

    static GridSymmetry forField(Symmetry symmetry, std::int32_t width, std::int32_t height);
    static GridSymmetry forMap(Symmetry symmetry, std::int32_t width, std::int32_t height);

    Symmetry kind() const { return kind_; }
    bool none() const { return kind_ == Symmetry::kNone; }
    // The strip width of a copies symmetry (0 otherwise).
    std::int32_t period() const { return period_; }

    // (x, y) and its images, (x, y) first; returns how many (1 to kMaxImages).
    int images(std::int32_t x, std::int32_t y, TilePos out[kMaxImages]) const;
    // The one point of the images that stands for them all: under copies the
    // one in the first strip, under rotate2 the one in the northern half (on a
    // middle row, the western half).
    TilePos representative(std::int32_t x, std::int32_t y) const;
    bool isRepresentative(std::int32_t x, std::int32_t y) const { return representative(x, y) == TilePos{x, y}; }

private:
    GridSymmetry(Symmetry kind, std::int32_t width, std::int32_t height, std::int32_t period)
        : kind_(kind), width_(width), height_(height), period_(period) {}

    Symmetry kind_;
    std::int32_t width_;
    std::int32_t height_;
    std::int32_t period_;
};

// Nearest-neighbour sources that scale a symmetric working field of `cells`
// per side to `tiles` per side and keep the symmetry (each source at or after
// its target, so the scaling works in place): under copies, each strip of
// tiles reads one strip of cells, seamlessly on into the next; under rotate2,
// the second half mirrors the first. Integer arithmetic only.
std::vector<std::int32_t> stripSources(std::int32_t tiles, std::int32_t cells, int strips);
std::vector<std::int32_t> turnedSources(std::int32_t tiles, std::int32_t cells);

struct FloatField;
struct Map;

// Gives every cell of a w x h field the value of its representative (the
// presets of a climate field, made symmetric before the fill).
void symmetriseField(FloatField& field, const GridSymmetry& cells);

// resampleField (to mapW x mapH) for a field filled under `symmetry`: the
// map's tiles keep the symmetry exactly. Under copies, rows scale as
// resampleField scales them.
void resampleSymmetricField(FloatField& field, std::int32_t w, std::int32_t h, std::int32_t mapW, std::int32_t mapH,
                            Symmetry symmetry);

// Sets map tile (x, y) and all its images to `code`.
void setTileAndImages(Map& map, const GridSymmetry& tiles, std::int32_t x, std::int32_t y, TerrainCode code);

}  // namespace pelorn
