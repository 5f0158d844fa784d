#include "files/png_file.h"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <unordered_map>
#include <utility>
#include <vector>

#include "files/bitmap_file.h"
#include "files/map_name.h"
#include "files/safe_file.h"
#include "map/map_grid.h"
#include "map/terrain.h"

// Foreign images of every colour type, bit depth and interlacing are decoded
// by stb_image, after the checks below have bounded their size and data.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_MAX_DIMENSIONS 10000
#include "stb_image.h"

namespace pelorn {

namespace {

constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr int kColourTypeRgb = 2;
constexpr int kColourTypeIndexed = 3;

// The picture's palette: codes 0..60 (39..49 in the view's colour for codes
// without one), then the same codes on a quad's ring; any other code takes the
// colour of 39.
constexpr int kRingIndexOffset = kPaletteSize;
constexpr int kPicturePaletteSize = 2 * kPaletteSize;
constexpr int kNoColourIndex = kLastLegendCode + 1;

Rgb codePaletteEntry(int index) { return terrainColour(index); }

// ---- Writing --------------------------------------------------------------

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

// Run-length matching only suits rows of palette indices: a map's rows are
// long runs of one code. On a generated world this is about twice as fast as
// level 1, the fastest general level, and its files are smaller. Rows of
// colours repeat at three bytes' distance, which only the general matcher finds.
enum class Rows { Indices, Colours };

bool compressRows(const std::string& raw, Rows rows, std::string& out) {
    z_stream z{};
    const int level = rows == Rows::Indices ? Z_BEST_SPEED : Z_DEFAULT_COMPRESSION;
    const int strategy = rows == Rows::Indices ? Z_RLE : Z_DEFAULT_STRATEGY;
    if (deflateInit2(&z, level, Z_DEFLATED, 15, 8, strategy) != Z_OK) return false;
    out.resize(deflateBound(&z, static_cast<uLong>(raw.size())));
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(raw.data()));
    z.avail_in = static_cast<uInt>(raw.size());
    z.next_out = reinterpret_cast<Bytef*>(&out[0]);
    z.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return result == Z_STREAM_END;
}

// An 8-bit image from its rows (each a filter byte of 0 and the pixels): a
// palette image when `palette` holds colours, else red, green and blue.
std::string pngOf(std::uint32_t width, std::uint32_t height, const std::vector<Rgb>& palette,
                  const std::string& raw) {
    const bool indexed = !palette.empty();
    std::string header;
    putU32(header, width);
    putU32(header, height);
    // bit depth, colour type, compression, filter, no interlace
    header += {8, static_cast<char>(indexed ? kColourTypeIndexed : kColourTypeRgb), 0, 0, 0};
    std::string colours;
    for (Rgb c : palette) colours += {static_cast<char>(c.red), static_cast<char>(c.green), static_cast<char>(c.blue)};
    std::string compressed;
    if (!compressRows(raw, indexed ? Rows::Indices : Rows::Colours, compressed)) return std::string();

    std::string png(reinterpret_cast<const char*>(kSignature), sizeof kSignature);
    appendChunk(png, "IHDR", header);
    if (indexed) appendChunk(png, "PLTE", colours);
    appendChunk(png, "IDAT", compressed);
    appendChunk(png, "IEND", std::string_view());
    return png;
}

std::string palettePng(const std::vector<Rgb>& palette, const std::string& raw) {
    return pngOf(static_cast<std::uint32_t>(mapWidth()), static_cast<std::uint32_t>(mapHeight()), palette, raw);
}

// The rows of palette indices, `indexOf(code, onRing)` for every tile.
template <typename IndexOf>
std::string indexRows(IndexOf indexOf) {
    const std::int32_t width = mapWidth();
    const std::int32_t height = mapHeight();
    const std::size_t stride = static_cast<std::size_t>(width) + 1;
    std::string raw(stride * static_cast<std::size_t>(height), '\0');  // filter 0 on every row
    // Column by column, as the grid lies in memory.
    for (std::int32_t x = 0; x < width; ++x) {
        const TerrainCode* column = mapGrid[x];
        const bool ringColumn = onQuadRing(x);
        char* out = &raw[1 + static_cast<std::size_t>(x)];
        for (std::int32_t y = 0; y < height; ++y, out += stride)
            *out = static_cast<char>(indexOf(column[y], ringColumn || onQuadRing(y)));
    }
    return raw;
}

std::string picturePng() {
    std::vector<Rgb> palette(kPicturePaletteSize);
    for (int code = 0; code < kPaletteSize; ++code) {
        palette[code] = terrainColour(code);
        palette[kRingIndexOffset + code] = ringColour(terrainColour(code));
    }
    const std::string raw = indexRows([](TerrainCode code, bool ring) {
        const int index = code >= 0 && code < kPaletteSize ? code : kNoColourIndex;
        return ring ? index + kRingIndexOffset : index;
    });
    return palettePng(palette, raw);
}

std::string terrainCodePng(std::string& error) {
    for (std::int32_t x = 0; x < mapWidth(); ++x)
        for (std::int32_t y = 0; y < mapHeight(); ++y) {
            const TerrainCode code = mapGrid[x][y];
            if (code < 0 || code > 255) {
                error = "tile x " + std::to_string(x) + ", y " + std::to_string(y) + " holds code " +
                        std::to_string(code) + ": a terrain-code image holds codes 0 to 255 only";
                return std::string();
            }
        }
    std::vector<Rgb> palette(256);
    for (int index = 0; index < 256; ++index) palette[index] = codePaletteEntry(index);
    return palettePng(palette, indexRows([](TerrainCode code, bool) { return code; }));
}

std::uint32_t packedColour(Rgb c) { return std::uint32_t{c.red} << 16 | std::uint32_t{c.green} << 8 | c.blue; }

// The rows of an image enlarged `scale` times, each pixel `bytesPerPixel`
// bytes that `put` writes for source pixel i.
template <typename Put>
std::string enlargedRows(const ImageSize& size, int scale, std::size_t bytesPerPixel, Put put) {
    const std::size_t rowBytes = 1 + static_cast<std::size_t>(size.width) * scale * bytesPerPixel;
    std::string raw(rowBytes * static_cast<std::size_t>(size.height) * scale, '\0');
    for (std::int32_t y = 0; y < size.height; ++y) {
        char* row = &raw[static_cast<std::size_t>(y) * scale * rowBytes];
        char* out = row + 1;  // filter 0
        for (std::int32_t x = 0; x < size.width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * size.width + x;
            for (int k = 0; k < scale; ++k, out += bytesPerPixel) put(i, out);
        }
        for (int k = 1; k < scale; ++k) std::memcpy(row + k * rowBytes, row, rowBytes);
    }
    return raw;
}

// ---- Reading --------------------------------------------------------------

std::uint32_t getU32(const unsigned char* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

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

class Reader {
public:
    explicit Reader(std::string_view file)
        : bytes_(reinterpret_cast<const unsigned char*>(file.data())), size_(file.size()) {}

    // The chunk at `at`, its length and checksum checked.
    bool chunkAt(std::size_t at, Chunk& chunk, std::string& error) const {
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

    bool hasSignature() const { return size_ >= 8 && std::memcmp(bytes_, kSignature, 8) == 0; }

private:
    const unsigned char* bytes_;
    std::size_t size_;
};

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

bool readHeader(const Chunk& chunk, PngLayout& png, std::string& error) {
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
    // Before anything is decoded: only a map's size is ever read.
    if (png.width % kQuadSize != 0 || png.height % kQuadSize != 0 ||
        !isAcceptableMapSize(static_cast<std::int32_t>(png.width / kQuadSize),
                             static_cast<std::int32_t>(png.height / kQuadSize))) {
        error = sizeError(png.width, png.height);
        return false;
    }
    return true;
}

// The whole chunk structure: header first, one palette before the data, the
// data chunks together, and the end chunk.
bool readLayout(std::string_view file, PngLayout& png, std::string& error) {
    const Reader reader(file);
    if (!reader.hasSignature()) {
        error = "not a PNG image";
        return false;
    }
    Chunk chunk;
    if (!reader.chunkAt(8, chunk, error) || !readHeader(chunk, png, error)) return false;
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

// Bytes of the decompressed data: every row a filter byte and its pixels,
// for each of the seven passes of an interlaced image.
std::uint64_t rowBytes(std::uint64_t pixels, const PngLayout& png) {
    return (pixels * static_cast<std::uint64_t>(channelsOf(png.colourType) * png.bitDepth) + 7) / 8;
}

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

struct Inflater {
    z_stream z{};
    bool ready = false;
    Inflater() { ready = inflateInit(&z) == Z_OK; }
    ~Inflater() {
        if (ready) inflateEnd(&z);
    }
};

// Decompresses the image data into `out` (or only counts it when `out` is
// null), refusing more than `expected` bytes: a hostile file cannot make the
// decoders ask for more memory than the image's size needs.
bool inflateData(std::string_view file, const PngLayout& png, std::uint64_t expected, unsigned char* out,
                 std::string& error) {
    Inflater inflater;
    if (!inflater.ready) {
        error = "not enough memory";
        return false;
    }
    z_stream& z = inflater.z;
    const Reader reader(file);
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

// A palette image as the terrain-code export writes it.
bool holdsTerrainCodes(const PngLayout& png) {
    if (png.colourType != kColourTypeIndexed || png.bitDepth != 8 || png.interlaced) return false;
    for (int i = 0; i < png.paletteEntries; ++i) {
        const Rgb entry{png.palette[3 * i], png.palette[3 * i + 1], png.palette[3 * i + 2]};
        if (entry != codePaletteEntry(i)) return false;
    }
    return true;
}

// Tiles column by column, as the grid holds them.
using Tiles = std::vector<TerrainCode>;

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

// The legend terrain nearest to a colour, remembered per colour: maps have few.
class NearestTerrain {
public:
    // `exact` tells whether the colour is one of the candidates.
    TerrainCode find(Rgb colour, bool ring, bool& exact) {
        const std::uint32_t key = (std::uint32_t{ring} << 24) | (std::uint32_t{colour.red} << 16) |
                                  (std::uint32_t{colour.green} << 8) | colour.blue;
        if (key != lastKey_) {
            auto found = known_.find(key);
            if (found == known_.end()) {
                // A photograph may have millions of colours: memory stays bounded.
                if (known_.size() >= kMaxKnown) known_.clear();
                found = known_.emplace(key, search(colour, ring)).first;
            }
            lastKey_ = key;
            last_ = found->second;
        }
        exact = last_.exact;
        return last_.code;
    }

private:
    struct Match {
        TerrainCode code;
        bool exact;
    };
    static int distance(Rgb a, Rgb b) {
        const int r = a.red - b.red;
        const int g = a.green - b.green;
        const int bl = a.blue - b.blue;
        return r * r + g * g + bl * bl;
    }
    static Match search(Rgb colour, bool ring) {
        Match best{kVoid, false};
        int bestDistance = INT_MAX;
        for (TerrainCode code = 0; code <= kLastLegendCode; ++code) {
            int d = distance(colour, terrainColour(code));
            if (ring) d = std::min(d, distance(colour, ringColour(terrainColour(code))));
            if (d < bestDistance) {
                bestDistance = d;
                best.code = code;
            }
        }
        best.exact = bestDistance == 0;
        return best;
    }

    static constexpr std::size_t kMaxKnown = std::size_t{1} << 16;
    std::unordered_map<std::uint32_t, Match> known_;
    std::uint32_t lastKey_ = 0xFFFFFFFFu;
    Match last_{kVoid, false};
};

struct StbImageFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

bool readColours(std::string_view file, const PngLayout& png, Tiles& tiles, std::int64_t& inexact,
                 std::string& error) {
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
    const std::size_t w = png.width;
    const std::size_t h = png.height;
    tiles.resize(w * h);
    NearestTerrain nearest;
    inexact = 0;
    for (std::size_t y = 0; y < h; ++y) {
        const bool ringRow = onQuadRing(static_cast<std::int32_t>(y));
        const stbi_uc* p = pixels.get() + 3 * w * y;
        for (std::size_t x = 0; x < w; ++x, p += 3) {
            bool exact = false;
            tiles[x * h + y] = nearest.find({p[0], p[1], p[2]}, ringRow || onQuadRing(static_cast<std::int32_t>(x)), exact);
            if (!exact) ++inexact;
        }
    }
    return true;
}

// Puts the tiles in place of the map in memory; the old map stays when no
// grid can be had for the new one.
bool replaceMap(std::int32_t quadsX, std::int32_t quadsY, const Tiles& tiles) {
    TileGrid grid;
    if (!grid.allocate(quadsX, quadsY)) return false;
    const std::size_t height = static_cast<std::size_t>(quadsY) * kQuadSize;
    for (std::int32_t x = 0; x < quadsX * kQuadSize; ++x)
        std::memcpy(grid.columns()[x], tiles.data() + static_cast<std::size_t>(x) * height, height * sizeof(TerrainCode));
    installMapGrid(std::move(grid));
    return true;
}

// Reads at most `limit` bytes; false when the file cannot be read or is larger.
bool readFileUpTo(const std::string& path, std::size_t limit, std::string& bytes, bool& tooLarge) {
    tooLarge = false;
    bytes.clear();
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> file(std::fopen(path.c_str(), "rb"));
    if (!file) return false;
    // A regular file's size refuses a large one unread; the loop below
    // still holds the bound when the size is wrong or unknown (a pipe).
    if (std::fseek(file.get(), 0, SEEK_END) == 0) {
        const long size = std::ftell(file.get());
        std::rewind(file.get());
        if (size > 0 && static_cast<unsigned long>(size) > limit) {
            // A folder claims any size and then fails to read.
            char first = 0;
            tooLarge = std::fread(&first, 1, 1, file.get()) == 1;
            return false;
        }
        if (size > 0) bytes.reserve(static_cast<std::size_t>(size) + 1);
    }
    std::rewind(file.get());
    constexpr std::size_t kPiece = std::size_t{1} << 20;
    for (;;) {
        const std::size_t used = bytes.size();
        bytes.resize(used + kPiece);
        const std::size_t got = std::fread(&bytes[used], 1, kPiece, file.get());
        bytes.resize(used + got);
        if (bytes.size() > limit) {
            tooLarge = true;
            bytes.clear();
            return false;
        }
        if (got < kPiece) break;
    }
    if (std::ferror(file.get())) {
        bytes.clear();
        return false;
    }
    return true;
}

}  // namespace

std::string mapPngBytes(PngKind kind, std::string& error) {
    error.clear();
    if (!mapGrid || !isAcceptableMapSize(quadCountX, quadCountY)) {
        error = "there is no map";
        return std::string();
    }
    try {
        std::string png = kind == PngKind::Picture ? picturePng() : terrainCodePng(error);
        if (png.empty() && error.empty()) error = "the image data cannot be compressed";
        return png;
    } catch (const std::bad_alloc&) {
        error = "not enough memory";
        return std::string();
    }
}

bool writeMapPng(const std::string& path, PngKind kind, std::string& error) {
    const std::string png = mapPngBytes(kind, error);
    if (png.empty()) return false;
    if (!writeFileSafely(path, png)) {
        error = "cannot write the file";
        return false;
    }
    return true;
}

std::string imagePngBytes(const ImageSize& size, const Rgb* pixels, int scale, std::string& error) {
    error.clear();
    if (size.width <= 0 || size.height <= 0 || scale < 1 || scale > kMaxImageScale ||
        static_cast<std::int64_t>(size.width) * scale > kMaxImageSide ||
        static_cast<std::int64_t>(size.height) * scale > kMaxImageSide ||
        static_cast<std::int64_t>(size.width) * size.height * scale * scale > kMaxImagePixels) {
        error = "an image of that size cannot be written";
        return std::string();
    }
    try {
        const ImageSize out{size.width * scale, size.height * scale};
        const std::size_t count = static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height);
        // The palette of the colours in their order of first appearance, while there are at most 256.
        std::vector<Rgb> palette;
        std::unordered_map<std::uint32_t, unsigned char> indexOf;
        std::vector<unsigned char> indices(count);
        for (std::size_t i = 0; i < count && palette.size() <= 256; ++i) {
            const auto found = indexOf.emplace(packedColour(pixels[i]), static_cast<unsigned char>(palette.size()));
            if (found.second) palette.push_back(pixels[i]);
            indices[i] = found.first->second;
        }
        std::string png;
        if (palette.size() <= 256) {
            png = pngOf(static_cast<std::uint32_t>(out.width), static_cast<std::uint32_t>(out.height), palette,
                        enlargedRows(size, scale, 1, [&](std::size_t i, char* o) { *o = static_cast<char>(indices[i]); }));
        } else {
            indices = std::vector<unsigned char>();
            png = pngOf(static_cast<std::uint32_t>(out.width), static_cast<std::uint32_t>(out.height), {},
                        enlargedRows(size, scale, 3, [&](std::size_t i, char* o) {
                            o[0] = static_cast<char>(pixels[i].red);
                            o[1] = static_cast<char>(pixels[i].green);
                            o[2] = static_cast<char>(pixels[i].blue);
                        }));
        }
        if (png.empty()) error = "the image data cannot be compressed";
        return png;
    } catch (const std::bad_alloc&) {
        error = "not enough memory";
        return std::string();
    }
}

bool saveMapPng() {
    std::string error;
    return isSafeMapName(currentMapName) && writeMapPng(currentMapName + ".png", PngKind::Picture, error);
}

PngImport loadMapFromPng(std::string_view bytes) {
    PngImport result;
    try {
        PngLayout png;
        if (!readLayout(bytes, png, result.error)) return result;
        result.width = static_cast<std::int32_t>(png.width);
        result.height = static_cast<std::int32_t>(png.height);
        Tiles tiles;
        result.byCode = holdsTerrainCodes(png);
        const bool read = result.byCode ? readTerrainCodes(bytes, png, tiles, result.error)
                                        : readColours(bytes, png, tiles, result.inexactPixels, result.error);
        if (!read) return result;
        if (!replaceMap(result.width / kQuadSize, result.height / kQuadSize, tiles)) {
            result.error = "not enough memory for the map";
            return result;
        }
        result.ok = true;
    } catch (const std::bad_alloc&) {
        result.error = "not enough memory";
    }
    return result;
}

PngImport loadMapPngFile(const std::string& path) {
    std::string bytes;
    bool tooLarge = false;
    bool read = false;
    try {
        read = readFileUpTo(path, kMaxPngFileSize, bytes, tooLarge);
    } catch (const std::bad_alloc&) {
        read = false;
    }
    if (!read) {
        PngImport result;
        result.error = tooLarge ? "the file is larger than any map image (" + std::to_string(kMaxPngFileSize >> 20) +
                                      " MiB)"
                                : "cannot read the file";
        return result;
    }
    return loadMapFromPng(bytes);
}

}  // namespace pelorn
