// The map a Pelorn picture carries: the default and hexagon exports store the
// tiles' codes in a chunk of their own beside the pixels, so that the
// picture gives its map back exactly ("pelorn-cli import"). The chunk type
// "plMp" is ancillary (viewers skip it), private, and safe to copy, so a
// paint program keeps it when it saves an edited picture: the CRC-32 of the
// pixels stored with the codes tells whether the pixels are still the ones
// exported.
//
// Data: version 1 (one byte), the quad counts (4 bytes each, big-endian),
// the CRC-32 of the pixels as red, green, blue bytes row by row from the top,
// then the codes column by column as the grid holds them (4 bytes each,
// big-endian, two's complement), deflated.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "files/png_chunks.h"
#include "map/map_grid.h"

namespace pelorn::png {

constexpr char kMapChunkType[5] = "plMp";

// Running CRC-32 of pixels as red, green, blue bytes.
class PixelHash {
public:
    void add(const unsigned char* rgb, std::size_t bytes);
    std::uint32_t value() const { return crc_; }

private:
    std::uint32_t crc_ = 0;
};

// The chunk's data for the map; empty when memory or compression fails.
std::string mapChunkData(const Map& map, std::uint32_t pixelHash);

struct StoredMap {
    std::int32_t quadsX = 0;
    std::int32_t quadsY = 0;
    std::uint32_t pixelHash = 0;
    Tiles tiles;  // column by column
};

// The stored map of a PNG file, when it carries one. False, with `error`,
// when the chunk is there but damaged (a size no map has, codes that do not
// fill the map exactly): a shared file is not trusted.
bool readStoredMap(std::string_view file, std::optional<StoredMap>& stored, std::string& error);

}  // namespace pelorn::png
