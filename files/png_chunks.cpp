#include "files/png_chunks.h"

#include <zlib.h>

#include "map/map_grid.h"

namespace pelorn::png {

void putU32(std::string& out, std::uint32_t value) {
    const char bytes[4] = {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
                           static_cast<char>(value >> 8), static_cast<char>(value)};
    out.append(bytes, 4);
}

// Every chunk here is far below zlib's limit of 4 GiB a call.
std::uint32_t crcOf(const char* data, std::size_t size) {
    return static_cast<std::uint32_t>(crc32(0L, reinterpret_cast<const Bytef*>(data), static_cast<uInt>(size)));
}

// length, type, data, and the checksum of type and data.
void appendChunk(std::string& png, const char (&type)[5], std::string_view data) {
    putU32(png, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = png.size();
    png.append(type, 4);
    png.append(data.data(), data.size());
    putU32(png, crcOf(png.data() + start, png.size() - start));
}

std::uint32_t getU32(const unsigned char* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

// The chunk at `at`, its length and checksum checked.
bool ChunkReader::chunkAt(std::size_t at, Chunk& chunk, std::string& error) const {
    if (size_ - at < 12) {
        error = "truncated: the file ends before its last chunk";
        return false;
    }
    chunk.at = at;
    chunk.length = getU32(bytes_ + at);
    std::memcpy(chunk.type, bytes_ + at + 4, 4);
    for (int i = 0; i < 4; ++i) {
        const char c = chunk.type[i];
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) {
            error = "damaged: a chunk at byte " + std::to_string(at) + " has no valid type";
            return false;
        }
    }
    if (chunk.length > 0x7FFFFFFFu) {
        error = std::string("damaged: the ") + chunk.type + " chunk has an impossible length";
        return false;
    }
    if (size_ - at - 12 < chunk.length) {
        error = std::string("truncated: the file ends inside its ") + chunk.type + " chunk";
        return false;
    }
    chunk.data = bytes_ + at + 8;
    const std::uint32_t stored = getU32(chunk.data + chunk.length);
    if (crcOf(reinterpret_cast<const char*>(bytes_ + at + 4), chunk.length + 4) != stored) {
        error = std::string("damaged: the ") + chunk.type + " chunk fails its checksum";
        return false;
    }
    return true;
}


namespace {

int channelsOf(int colourType) {
    switch (colourType) {
        case 0: return 1;  // grey
        case 2: return 3;  // red, green, blue
        case 3: return 1;  // palette index
        case 4: return 2;  // grey, alpha
        case 6: return 4;  // red, green, blue, alpha
        default: return 0;
    }
}

bool validDepth(int colourType, int depth) {
    switch (colourType) {
        case 0: return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
        case 3: return depth == 1 || depth == 2 || depth == 4 || depth == 8;
        case 2:
        case 4:
        case 6: return depth == 8 || depth == 16;
        default: return false;
    }
}

std::string sizeError(std::uint32_t width, std::uint32_t height) {
    return "the image is " + std::to_string(width) + " by " + std::to_string(height) +
           " pixels; a map image is a whole number of quads of 100 by 100 pixels, each side 1 to " +
           std::to_string(kMaxQuadsPerSide) + " quads, at most " + std::to_string(kMaxQuads) + " quads in all";
}

bool readHeader(const Chunk& chunk, PngLayout& png, ImageBound bound, std::string& error) {
    if (!chunk.is("IHDR") || chunk.length != 13) {
        error = "damaged: the image header is missing";
        return false;
    }
    png.width = getU32(chunk.data);
    png.height = getU32(chunk.data + 4);
    png.bitDepth = chunk.data[8];
    png.colourType = chunk.data[9];
    const int compression = chunk.data[10];
    const int filter = chunk.data[11];
    const int interlace = chunk.data[12];
    if (png.width == 0 || png.height == 0 || png.width > 0x7FFFFFFFu || png.height > 0x7FFFFFFFu ||
        !validDepth(png.colourType, png.bitDepth) || compression != 0 || filter != 0 || interlace > 1) {
        error = "damaged: the image header is invalid";
        return false;
    }
    png.interlaced = interlace == 1;
    // Before anything is decoded: only a map's size is ever read, or a
    // picture no larger than the exports write.
    if (bound == ImageBound::kAnyExportedPicture) {
        if (png.width > kMaxPictureSide || png.height > kMaxPictureSide ||
            std::uint64_t{png.width} * png.height > kMaxPicturePixels) {
            error = "the image is " + std::to_string(png.width) + " by " + std::to_string(png.height) +
                    " pixels, larger than any picture of a map";
            return false;
        }
        return true;
    }
    if (png.width % kQuadSize != 0 || png.height % kQuadSize != 0 ||
        !isAcceptableMapSize(static_cast<std::int32_t>(png.width / kQuadSize),
                             static_cast<std::int32_t>(png.height / kQuadSize))) {
        error = sizeError(png.width, png.height);
        return false;
    }
    return true;
}

}  // namespace

// The whole chunk structure: header first, one palette before the data, the
// data chunks together, and the end chunk.
bool readLayout(std::string_view file, PngLayout& png, std::string& error, ImageBound bound) {
    const ChunkReader reader(file);
    if (!reader.hasSignature()) {
        error = "not a PNG image";
        return false;
    }
    Chunk chunk;
    if (!reader.chunkAt(8, chunk, error) || !readHeader(chunk, png, bound, error)) return false;
    bool dataSeen = false;
    bool dataEnded = false;
    for (std::size_t at = chunk.next();; at = chunk.next()) {
        if (!reader.chunkAt(at, chunk, error)) return false;
        if (chunk.is("IEND")) break;
        if (chunk.is("IDAT")) {
            if (dataEnded) {
                error = "damaged: its image data is split";
                return false;
            }
            if (!dataSeen) png.firstData = chunk.at;
            dataSeen = true;
            continue;
        }
        dataEnded = dataSeen;
        if (chunk.is("PLTE")) {
            const bool grey = png.colourType == 0 || png.colourType == 4;
            const std::uint32_t entries = chunk.length / 3;
            if (png.palette || dataSeen || grey || chunk.length % 3 != 0 || entries == 0 || entries > 256 ||
                (png.colourType == kColourTypeIndexed && entries > (1u << png.bitDepth))) {
                error = "damaged: its palette is invalid";
                return false;
            }
            png.palette = chunk.data;
            png.paletteEntries = static_cast<int>(entries);
            continue;
        }
        if (chunk.is("IHDR")) {
            error = "damaged: it has a second image header";
            return false;
        }
        if (chunk.type[0] >= 'A' && chunk.type[0] <= 'Z') {
            error = std::string("it needs a PNG feature this program does not read (chunk ") + chunk.type + ")";
            return false;
        }
        // Any other chunk is ancillary (text, colour space, ...) and skipped.
    }
    if (!dataSeen) {
        error = "damaged: it holds no image data";
        return false;
    }
    if (png.colourType == kColourTypeIndexed && !png.palette) {
        error = "damaged: a palette image without a palette";
        return false;
    }
    return true;
}

namespace {

std::uint64_t rowBytes(std::uint64_t pixels, const PngLayout& png) {
    return (pixels * static_cast<std::uint64_t>(channelsOf(png.colourType) * png.bitDepth) + 7) / 8;
}

}  // namespace

std::uint64_t rawDataSize(const PngLayout& png) {
    if (!png.interlaced) return png.height * (1 + rowBytes(png.width, png));
    static constexpr int kPasses[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                          {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    std::uint64_t total = 0;
    for (const auto& pass : kPasses) {
        const std::uint64_t columns = png.width > std::uint32_t(pass[0]) ? (png.width - pass[0] + pass[2] - 1) / pass[2] : 0;
        const std::uint64_t rows = png.height > std::uint32_t(pass[1]) ? (png.height - pass[1] + pass[3] - 1) / pass[3] : 0;
        if (columns > 0 && rows > 0) total += rows * (1 + rowBytes(columns, png));
    }
    return total;
}

namespace {

struct Inflater {
    z_stream z{};
    bool ready = false;
    Inflater() { ready = inflateInit(&z) == Z_OK; }
    ~Inflater() {
        if (ready) inflateEnd(&z);
    }
};

}  // namespace

bool inflateData(std::string_view file, const PngLayout& png, std::uint64_t expected, unsigned char* out,
                 std::string& error) {
    Inflater inflater;
    if (!inflater.ready) {
        error = "not enough memory";
        return false;
    }
    z_stream& z = inflater.z;
    const ChunkReader reader(file);
    unsigned char scratch[1 << 15];
    std::uint64_t produced = 0;
    bool ended = false;
    Chunk chunk;
    for (std::size_t at = png.firstData; !ended; at = chunk.next()) {
        if (!reader.chunkAt(at, chunk, error)) return false;  // checked before: cannot fail
        if (!chunk.is("IDAT")) break;
        z.next_in = const_cast<Bytef*>(chunk.data);
        z.avail_in = chunk.length;
        for (;;) {
            // Into the image buffer while it has room; one byte more shows
            // data beyond the image's size.
            const std::uint64_t room = out ? expected - produced : sizeof scratch;
            const uInt window = room == 0 ? 1 : room > (1u << 30) ? (1u << 30) : static_cast<uInt>(room);
            z.next_out = out && room > 0 ? out + produced : scratch;
            z.avail_out = window;
            const int result = inflate(&z, Z_NO_FLUSH);
            produced += window - z.avail_out;
            if (produced > expected) {
                error = "damaged: it holds more image data than its size";
                return false;
            }
            if (result == Z_STREAM_END) {
                ended = true;
                break;
            }
            if (result != Z_OK && result != Z_BUF_ERROR) {
                error = "damaged: its image data cannot be decompressed";
                return false;
            }
            if (z.avail_in == 0 && z.avail_out != 0) break;  // the next chunk goes on
        }
    }
    if (!ended || produced < expected) {
        error = "truncated: its image data ends early";
        return false;
    }
    return true;
}

}  // namespace pelorn::png
