// PNG pictures of the map, and maps made from PNG images.
//
// Both exports are 8-bit palette images, one pixel per tile:
// - the picture shows exactly the pixels of the bitmap export (quad rings
//   drawn darker); its palette holds the colours of codes 0..60 and then
//   their ring colours; it carries the map itself in a chunk of its own
//   (files/png_map_chunk.h), so that it reads back exactly;
// - the terrain-code image stores each tile's code as the pixel's palette
//   index, and its palette is the colour of every index 0..255 (the legend's
//   colours, the view's colour for codes without one). It reads back without
//   loss.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "map/map_grid.h"
#include "map/terrain.h"

namespace pelorn {

enum class PngKind { Picture, TerrainCodes };

// The exact bytes of the map's PNG. Empty, with `error` saying why, when the
// map has no grid, when a terrain-code image is asked for and a tile holds a
// code outside 0..255, or when memory runs out.
std::string mapPngBytes(const Map& map, PngKind kind, std::string& error);
// Writes those bytes to `path` (any previous file stays whole on failure).
bool writeMapPng(const Map& map, const std::string& path, PngKind kind, std::string& error);
// "Save PNG": the picture to the map's currentMapName + ".png"; true on
// success. An unsafe name (isSafeMapName) writes nothing.
bool saveMapPng(const Map& map);

// Any picture as a PNG: `pixels` row after row from the top, each pixel made a
// block of scale by scale pixels. An 8-bit palette image when it has at most
// 256 colours (indices in the order the colours first appear), else 8-bit
// red, green and blue. Empty, with `error` saying why, when the image would
// exceed the bounds below or memory runs out. With `carried`, the map goes
// with the picture in its own chunk (the hexagon export).
struct ImageSize {
    std::int32_t width;
    std::int32_t height;
};
constexpr int kMaxImageScale = 16;
constexpr std::int32_t kMaxImageSide = 32767;                 // what every common viewer opens
constexpr std::int64_t kMaxImagePixels = std::int64_t{1} << 25;  // 32 Mi pixels, 96 MiB of colour
std::string imagePngBytes(const ImageSize& size, const Rgb* pixels, int scale, std::string& error,
                          const Map* carried = nullptr);

// The largest file the import reads: far more than the largest map image in
// any PNG form (1024 quads, 16-bit RGBA, uncompressed).
constexpr std::size_t kMaxPngFileSize = std::size_t{128} << 20;

struct PngImport {
    bool ok = false;
    std::string error;                // why the image was refused, for the user
    std::int32_t width = 0;           // the image's size in pixels
    std::int32_t height = 0;
    bool byCode = false;              // read from a terrain-code image
    bool byStoredMap = false;         // read from the map a Pelorn picture carries
    bool changedSinceExport = false;  // it carries one, but its pixels are no longer those exported
    std::int64_t inexactPixels = 0;   // read by colour: pixels of no terrain colour
    std::int64_t sharedPixels = 0;    // read by colour: of a colour several terrains share
    std::int64_t farPixels = 0;       // read by colour: far from every legend colour
};

// Replaces `map` by the one the image shows; the map's name is left as it is.
// A picture that carries its map (png_map_chunk.h) and whose pixels are
// still those it was exported with gives that map exactly, whatever its
// size in pixels (the hexagon export too). A terrain-code image (palette image of 8 bits per pixel,
// not interlaced, whose palette entries are those of the export) gives every
// tile its pixel's index. Any other PNG is read by colour: each pixel becomes
// the legend terrain (0..38) of the nearest colour, the lowest code on a tie,
// and on the outer ring of a quad also the ring colours of the bitmap count;
// alpha is ignored. The image must be a whole number of quads (100 pixels
// each way) of a size the editor accepts. On any failure the map is
// unchanged.
PngImport loadMapFromPng(Map& map, std::string_view bytes);
// The file read through readWholeFile (at most kMaxPngFileSize bytes; no
// device, pipe or folder), then as above.
PngImport loadMapPngFile(Map& map, const std::string& path);

}  // namespace pelorn
