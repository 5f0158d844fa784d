#include "files/png_map_chunk.h"

#include <zlib.h>

#include <new>

namespace pelorn::png {

namespace {

constexpr unsigned char kVersion = 1;
constexpr std::size_t kHeadBytes = 13;  // version, the two counts, the pixels' CRC

// Inflates exactly `expected` bytes: less, more or a broken stream is refused.
bool inflateExactly(const unsigned char* data, std::size_t size, std::string& out, std::size_t expected) {
    out.assign(expected, '\0');
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return false;
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = static_cast<uInt>(size);
    z.next_out = reinterpret_cast<Bytef*>(&out[0]);
    z.avail_out = static_cast<uInt>(expected);
    const int result = inflate(&z, Z_FINISH);
    const bool exact = result == Z_STREAM_END && z.total_out == expected;
    inflateEnd(&z);
    return exact;
}

}  // namespace

void PixelHash::add(const unsigned char* rgb, std::size_t bytes) {
    while (bytes > 0) {
        const uInt part = bytes < (std::size_t{1} << 30) ? static_cast<uInt>(bytes) : (uInt{1} << 30);
        crc_ = static_cast<std::uint32_t>(crc32(crc_, rgb, part));
        rgb += part;
        bytes -= part;
    }
}

std::string mapChunkData(const Map& map, std::uint32_t pixelHash) {
    const std::int32_t width = mapWidth(map);
    const std::int32_t height = mapHeight(map);
    std::string codes;
    codes.reserve(static_cast<std::size_t>(width) * height * 4);
    for (std::int32_t x = 0; x < width; ++x)
        for (std::int32_t y = 0; y < height; ++y) putU32(codes, static_cast<std::uint32_t>(map.mapGrid[x][y]));
    uLongf packedSize = compressBound(static_cast<uLong>(codes.size()));
    std::string data(1, static_cast<char>(kVersion));
    putU32(data, static_cast<std::uint32_t>(map.quadCountX));
    putU32(data, static_cast<std::uint32_t>(map.quadCountY));
    putU32(data, pixelHash);
    data.resize(kHeadBytes + packedSize);
    if (compress2(reinterpret_cast<Bytef*>(&data[kHeadBytes]), &packedSize,
                  reinterpret_cast<const Bytef*>(codes.data()), static_cast<uLong>(codes.size()), Z_BEST_SPEED) != Z_OK)
        return std::string();
    data.resize(kHeadBytes + packedSize);
    return data;
}

bool readStoredMap(std::string_view file, std::optional<StoredMap>& stored, std::string& error) {
    stored.reset();
    const ChunkReader reader(file);
    if (!reader.hasSignature()) return true;  // the layout reader says what is wrong
    Chunk chunk;
    for (std::size_t at = 8; at < file.size(); at = chunk.next()) {
        std::string ignored;
        if (!reader.chunkAt(at, chunk, ignored) || chunk.is("IEND")) return true;
        if (!chunk.is(kMapChunkType)) continue;
        if (chunk.length < kHeadBytes || chunk.data[0] != kVersion) {
            error = "damaged: its stored map is unreadable";
            return false;
        }
        StoredMap map;
        map.quadsX = static_cast<std::int32_t>(getU32(chunk.data + 1));
        map.quadsY = static_cast<std::int32_t>(getU32(chunk.data + 5));
        map.pixelHash = getU32(chunk.data + 9);
        if (!isAcceptableMapSize(map.quadsX, map.quadsY)) {
            error = "damaged: its stored map has no map's size";
            return false;
        }
        const std::size_t count = static_cast<std::size_t>(map.quadsX) * map.quadsY * kQuadSize * kQuadSize;
        std::string codes;
        if (!inflateExactly(chunk.data + kHeadBytes, chunk.length - kHeadBytes, codes, count * 4)) {
            error = "damaged: its stored map does not hold the map's tiles";
            return false;
        }
        map.tiles.resize(count);
        const auto* p = reinterpret_cast<const unsigned char*>(codes.data());
        for (std::size_t i = 0; i < count; ++i) map.tiles[i] = static_cast<TerrainCode>(getU32(p + 4 * i));
        stored = std::move(map);
        return true;
    }
    return true;
}

}  // namespace pelorn::png
