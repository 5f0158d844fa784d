// Foreign PNG images of every colour type, bit depth and interlacing, read
// by colour into tiles.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "files/png_chunks.h"

namespace pelorn::png {

// Decodes the image (its layout already checked) and gives every pixel the
// nearest legend terrain; `inexact` counts the pixels of no terrain colour.
bool readColours(std::string_view file, const PngLayout& png, Tiles& tiles, std::int64_t& inexact,
                 std::string& error);

}  // namespace pelorn::png
