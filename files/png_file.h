// PNG pictures of the map, and maps made from PNG images.
//
// Both exports are 8-bit palette images, one pixel per tile:
// - the picture shows exactly the pixels of the bitmap export (quad rings
//   drawn darker); its palette holds the colours of codes 0..60 and then
//   their ring colours;
// - the terrain-code image stores each tile's code as the pixel's palette
//   index, and its palette is the colour of every index 0..255 (the legend's
//   colours, the view's colour for codes without one). It reads back without
//   loss.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace pelorn {

enum class PngKind { Picture, TerrainCodes };

// The exact bytes of the PNG of the map in memory. Empty, with `error` saying
// why, when there is no grid, when a terrain-code image is asked for and a
// tile holds a code outside 0..255, or when memory runs out.
std::string mapPngBytes(PngKind kind, std::string& error);
// Writes those bytes to `path` (any previous file stays whole on failure).
bool writeMapPng(const std::string& path, PngKind kind, std::string& error);

// The largest file the import reads: far more than the largest map image in
// any PNG form (1024 quads, 16-bit RGBA, uncompressed).
constexpr std::size_t kMaxPngFileSize = std::size_t{128} << 20;

struct PngImport {
    bool ok = false;
    std::string error;                // why the image was refused, for the user
    std::int32_t width = 0;           // the image's size in pixels
    std::int32_t height = 0;
    bool byCode = false;              // read from a terrain-code image
    std::int64_t inexactPixels = 0;   // read by colour: pixels of no terrain colour
};

// Replaces the map in memory by the one the image shows; the map's name is
// left as it is. A terrain-code image (palette image of 8 bits per pixel,
// not interlaced, whose palette entries are those of the export) gives every
// tile its pixel's index. Any other PNG is read by colour: each pixel becomes
// the legend terrain (0..38) of the nearest colour, the lowest code on a tie,
// and on the outer ring of a quad also the ring colours of the bitmap count;
// alpha is ignored. The image must be a whole number of quads (100 pixels
// each way) of a size the editor accepts. On any failure the map in memory is
// unchanged.
PngImport loadMapFromPng(std::string_view bytes);
PngImport loadMapPngFile(const std::string& path);

}  // namespace pelorn
