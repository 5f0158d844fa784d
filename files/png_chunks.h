// Inside the PNG files: the chunk structure as the writer makes it and the
// readers check it, and the compressed image data the chunks carry. Shared
// by the PNG writer and readers only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "map/terrain.h"

namespace pelorn::png {

constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr int kColourTypeRgb = 2;
constexpr int kColourTypeIndexed = 3;

// The terrain-code image's palette: the colour of every index 0..255.
inline Rgb codePaletteEntry(int index) { return terrainColour(index); }

// ---- Writing --------------------------------------------------------------

void putU32(std::string& out, std::uint32_t value);
std::uint32_t crcOf(const char* data, std::size_t size);
// length, type, data, and the checksum of type and data.
void appendChunk(std::string& png, const char (&type)[5], std::string_view data);

// ---- Reading --------------------------------------------------------------

std::uint32_t getU32(const unsigned char* p);

struct Chunk {
    std::size_t at = 0;  // offset of the length field
    std::uint32_t length = 0;
    char type[5] = {};
    const unsigned char* data = nullptr;
    bool is(const char* name) const { return std::memcmp(type, name, 4) == 0; }
    std::size_t next() const { return at + 12 + length; }
};

struct PngLayout {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int bitDepth = 0;
    int colourType = 0;
    bool interlaced = false;
    const unsigned char* palette = nullptr;  // PLTE data, 3 bytes per entry
    int paletteEntries = 0;
    std::size_t firstData = 0;  // the first IDAT chunk; the others follow it
};

class ChunkReader {
public:
    explicit ChunkReader(std::string_view file)
        : bytes_(reinterpret_cast<const unsigned char*>(file.data())), size_(file.size()) {}

    // The chunk at `at`, its length and checksum checked.
    bool chunkAt(std::size_t at, Chunk& chunk, std::string& error) const;
    bool hasSignature() const { return size_ >= 8 && std::memcmp(bytes_, kSignature, 8) == 0; }

private:
    const unsigned char* bytes_;
    std::size_t size_;
};

// The whole chunk structure: header first, one palette before the data, the
// data chunks together, and the end chunk. The header must give a map's
// size, or, for a picture that carries its map, no more than the exports
// write (the bounds of imagePngBytes).
enum class ImageBound { kMapSize, kAnyExportedPicture };
constexpr std::uint32_t kMaxPictureSide = 32767;
constexpr std::uint64_t kMaxPicturePixels = std::uint64_t{1} << 25;
bool readLayout(std::string_view file, PngLayout& png, std::string& error, ImageBound bound = ImageBound::kMapSize);

// Bytes of the decompressed data: every row a filter byte and its pixels,
// for each of the seven passes of an interlaced image.
std::uint64_t rawDataSize(const PngLayout& png);

// Decompresses the image data into `out` (or only counts it when `out` is
// null), refusing more than `expected` bytes: a hostile file cannot make the
// decoders ask for more memory than the image's size needs.
bool inflateData(std::string_view file, const PngLayout& png, std::uint64_t expected, unsigned char* out,
                 std::string& error);

// Tiles column by column, as the grid holds them: what the readers make.
using Tiles = std::vector<TerrainCode>;

}  // namespace pelorn::png
