#include "files/png_indexed_reader.h"

#include <cstddef>
#include <vector>

namespace pelorn::png {

namespace {

// Undoes the row filters of an image of one byte per pixel, in place.
bool unfilterBytes(unsigned char* raw, std::size_t width, std::size_t height, std::string& error) {
    const std::vector<unsigned char> zeros(width, 0);
    const unsigned char* prior = zeros.data();
    for (std::size_t y = 0; y < height; ++y) {
        unsigned char* row = raw + y * (width + 1);
        unsigned char* cur = row + 1;
        switch (row[0]) {
            case 0: break;
            case 1:
                for (std::size_t i = 1; i < width; ++i) cur[i] = static_cast<unsigned char>(cur[i] + cur[i - 1]);
                break;
            case 2:
                for (std::size_t i = 0; i < width; ++i) cur[i] = static_cast<unsigned char>(cur[i] + prior[i]);
                break;
            case 3:
                for (std::size_t i = 0; i < width; ++i) {
                    const int left = i > 0 ? cur[i - 1] : 0;
                    cur[i] = static_cast<unsigned char>(cur[i] + (left + prior[i]) / 2);
                }
                break;
            case 4:
                for (std::size_t i = 0; i < width; ++i) {
                    const int a = i > 0 ? cur[i - 1] : 0;
                    const int b = prior[i];
                    const int c = i > 0 ? prior[i - 1] : 0;
                    const int p = a + b - c;
                    const int pa = p > a ? p - a : a - p;
                    const int pb = p > b ? p - b : b - p;
                    const int pc = p > c ? p - c : c - p;
                    const int predictor = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
                    cur[i] = static_cast<unsigned char>(cur[i] + predictor);
                }
                break;
            default:
                error = "damaged: a row of its image data has an unknown filter";
                return false;
        }
        prior = cur;
    }
    return true;
}

}  // namespace

bool holdsTerrainCodes(const PngLayout& png) {
    if (png.colourType != kColourTypeIndexed || png.bitDepth != 8 || png.interlaced) return false;
    for (int i = 0; i < png.paletteEntries; ++i) {
        const Rgb entry{png.palette[3 * i], png.palette[3 * i + 1], png.palette[3 * i + 2]};
        if (entry != codePaletteEntry(i)) return false;
    }
    return true;
}

bool readTerrainCodes(std::string_view file, const PngLayout& png, Tiles& tiles, std::string& error) {
    const std::size_t width = png.width;
    const std::size_t height = png.height;
    std::vector<unsigned char> raw(static_cast<std::size_t>(rawDataSize(png)));
    if (!inflateData(file, png, raw.size(), raw.data(), error)) return false;
    if (!unfilterBytes(raw.data(), width, height, error)) return false;
    tiles.resize(width * height);
    for (std::size_t y = 0; y < height; ++y) {
        const unsigned char* row = raw.data() + y * (width + 1) + 1;
        for (std::size_t x = 0; x < width; ++x) {
            if (row[x] >= png.paletteEntries) {
                error = "damaged: a pixel's index lies beyond its palette";
                return false;
            }
            tiles[x * height + y] = row[x];
        }
    }
    return true;
}

}  // namespace pelorn::png
