// Foreign PNG images of every colour type, bit depth and interlacing, read
// by colour into tiles.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "files/png_chunks.h"

namespace pelorn::png {

// Decodes the image (its layout already checked) to red, green and blue
// bytes, row by row from the top.
bool decodeRgb(std::string_view file, const PngLayout& png, std::vector<unsigned char>& rgb, std::string& error);

// How well the colours of an image read by colour matched the legend.
struct ColourMatch {
    std::int64_t inexact = 0;  // pixels of no terrain colour
    std::int64_t shared = 0;   // pixels of a colour several terrains share (read as the lowest code)
    std::int64_t far = 0;      // pixels far from every legend colour
};

// Decodes the image and gives every pixel the nearest legend terrain.
bool readColours(std::string_view file, const PngLayout& png, Tiles& tiles, ColourMatch& match, std::string& error);

}  // namespace pelorn::png
