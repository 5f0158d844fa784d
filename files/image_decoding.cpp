#include "files/image_decoding.h"

#include <cstddef>
#include <memory>

#include "files/bitmap_file.h"
#include "files/colour_matching.h"

// Foreign images are decoded by stb_image, after the checks of the chunk
// reader have bounded their size and data.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_MAX_DIMENSIONS 32767  // the widest picture an export writes
#include "stb_image.h"

namespace pelorn::png {

namespace {

struct StbImageFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

}  // namespace

bool decodeRgb(std::string_view file, const PngLayout& png, std::vector<unsigned char>& rgb, std::string& error) {
    // The decoder gets only data whose decompressed size is known to fit.
    if (!inflateData(file, png, rawDataSize(png), nullptr, error)) return false;
    int width = 0;
    int height = 0;
    int channels = 0;
    std::unique_ptr<stbi_uc, StbImageFree> pixels(
        stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(file.data()), static_cast<int>(file.size()), &width,
                              &height, &channels, 3));
    if (!pixels) {
        error = std::string("cannot decode the image (") + stbi_failure_reason() + ")";
        return false;
    }
    if (static_cast<std::uint32_t>(width) != png.width || static_cast<std::uint32_t>(height) != png.height) {
        error = "cannot decode the image (its size came out different)";
        return false;
    }
    rgb.assign(pixels.get(), pixels.get() + std::size_t{3} * png.width * png.height);
    return true;
}

bool readColours(std::string_view file, const PngLayout& png, Tiles& tiles, ColourMatch& match, std::string& error) {
    std::vector<unsigned char> rgb;
    if (!decodeRgb(file, png, rgb, error)) return false;
    const std::size_t w = png.width;
    const std::size_t h = png.height;
    tiles.resize(w * h);
    NearestTerrain nearest;
    match = ColourMatch{};
    for (std::size_t y = 0; y < h; ++y) {
        const bool ringRow = onQuadRing(static_cast<std::int32_t>(y));
        const unsigned char* p = rgb.data() + 3 * w * y;
        for (std::size_t x = 0; x < w; ++x, p += 3) {
            NearestTerrain::Quality quality;
            tiles[x * h + y] = nearest.find({p[0], p[1], p[2]}, ringRow || onQuadRing(static_cast<std::int32_t>(x)), quality);
            match.inexact += !quality.exact;
            match.shared += quality.shared;
            match.far += quality.far;
        }
    }
    return true;
}

}  // namespace pelorn::png
