// PNG export and import. The exports are checked through zlib and through an
// independent decoder (stb_image), byte for byte; foreign images are made here
// chunk by chunk or with stb_image_write, and hostile ones by hand.
#include <gtest/gtest.h>
#include <zlib.h>

#include <climits>
#include <cstdlib>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include <sys/stat.h>

#include "files/bitmap_file.h"
#include "files/map_file.h"
#include "files/png_file.h"
#include "files_fixture.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include "stb_image.h"
#include "stb_image_write.h"

namespace pelorn {
namespace {

using testing_files::FilesTest;
using testing_files::folderEntries;
using testing_files::readBytes;
using testing_files::writeBytes;

// ---- PNG building blocks -------------------------------------------------

std::string u32(std::uint32_t v) {
    return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8), static_cast<char>(v)};
}

std::uint32_t u32At(const std::string& s, std::size_t at) {
    return (std::uint32_t(static_cast<unsigned char>(s.at(at))) << 24) |
           (std::uint32_t(static_cast<unsigned char>(s.at(at + 1))) << 16) |
           (std::uint32_t(static_cast<unsigned char>(s.at(at + 2))) << 8) | static_cast<unsigned char>(s.at(at + 3));
}

std::string chunk(const std::string& type, const std::string& data) {
    const std::string body = type + data;
    return u32(static_cast<std::uint32_t>(data.size())) + body +
           u32(static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()), body.size())));
}

std::string zlibOf(const std::string& raw) {
    uLongf size = compressBound(raw.size());
    std::string out(size, '\0');
    compress2(reinterpret_cast<Bytef*>(&out[0]), &size, reinterpret_cast<const Bytef*>(raw.data()), raw.size(), 6);
    out.resize(size);
    return out;
}

std::string inflated(const std::string& data) {
    z_stream z{};
    inflateInit(&z);
    std::string out(4 << 20, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(&out[0]);
    z.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(inflate(&z, Z_FINISH), Z_STREAM_END);
    out.resize(z.total_out);
    inflateEnd(&z);
    return out;
}

const std::string kSignature("\x89PNG\r\n\x1a\n", 8);
const std::string kEnd = chunk("IEND", "");

std::string header(std::uint32_t width, std::uint32_t height, int depth, int colourType, int interlace = 0) {
    return chunk("IHDR", u32(width) + u32(height) +
                             std::string{static_cast<char>(depth), static_cast<char>(colourType), 0, 0,
                                         static_cast<char>(interlace)});
}

// The export's palette of terrain codes: the colour of every index.
std::string codePalette(int entries = 256) {
    std::string p;
    for (int i = 0; i < entries; ++i) {
        const Rgb c = terrainColour(i);
        p += {static_cast<char>(c.red), static_cast<char>(c.green), static_cast<char>(c.blue)};
    }
    return chunk("PLTE", p);
}

// A palette image of width x height whose rows are given already filtered.
std::string indexedPng(std::uint32_t width, std::uint32_t height, const std::string& rows,
                       const std::string& palette = codePalette()) {
    return kSignature + header(width, height, 8, 3) + palette + chunk("IDAT", zlibOf(rows)) + kEnd;
}

// Rows of one index per pixel, filter 0.
std::string plainRows(std::uint32_t width, std::uint32_t height, unsigned char index) {
    std::string rows;
    for (std::uint32_t y = 0; y < height; ++y) rows += std::string(1, '\0') + std::string(width, char(index));
    return rows;
}

struct Chunks {
    std::vector<std::pair<std::string, std::string>> list;  // type, data
    const std::string& data(const std::string& type) const {
        for (const auto& c : list)
            if (c.first == type) return c.second;
        ADD_FAILURE() << "no chunk " << type;
        return list.front().second;
    }
};

// The file again without the chunks of one type.
std::string withoutChunk(const std::string& png, const std::string& type) {
    std::string out = png.substr(0, 8);
    for (std::size_t at = 8; at < png.size();) {
        const std::uint32_t length = u32At(png, at);
        if (png.substr(at + 4, 4) != type) out += png.substr(at, 12 + length);
        at += 12 + length;
    }
    return out;
}

Chunks chunksOf(const std::string& png) {
    EXPECT_EQ(png.substr(0, 8), kSignature);
    Chunks chunks;
    for (std::size_t at = 8; at < png.size();) {
        const std::uint32_t length = u32At(png, at);
        const std::string body = png.substr(at + 4, 4 + length);
        EXPECT_EQ(u32At(png, at + 8 + length), crc32(0, reinterpret_cast<const Bytef*>(body.data()), body.size()));
        chunks.list.emplace_back(body.substr(0, 4), body.substr(4));
        at += 12 + length;
    }
    return chunks;
}

std::vector<unsigned char> decodeRgb(const std::string& png, int& width, int& height) {
    int channels = 0;
    stbi_uc* pixels = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(png.data()), static_cast<int>(png.size()),
                                            &width, &height, &channels, 3);
    EXPECT_NE(pixels, nullptr) << stbi_failure_reason();
    if (!pixels) return {};
    std::vector<unsigned char> out(pixels, pixels + 3 * width * height);
    stbi_image_free(pixels);
    return out;
}

void appendBytes(void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<std::size_t>(size));
}

// A PNG from a foreign encoder: stb_image_write picks its own row filters.
std::string foreignPng(int width, int height, int channels, const std::vector<unsigned char>& pixels) {
    std::string png;
    stbi_write_png_to_func(appendBytes, &png, width, height, channels, pixels.data(), width * channels);
    return png;
}

// The legend code an image read by colour gives for a code: the lowest code
// of the same colour (forests read as plains and hills, start locations as
// their base).
TerrainCode byColour(TerrainCode code) {
    for (TerrainCode c = 0; c <= kLastLegendCode; ++c)
        if (terrainColour(c) == terrainColour(code)) return c;
    return -1;
}

class PngFile : public FilesTest {
protected:
    // A 2 by 1 quad map with every code the program knows, codes without a
    // colour, and codes on the quad rings.
    void makeMixedMap() {
        makeMap(2, 1, "Mixed");
        for (int x = 0; x < 200; ++x)
            for (int y = 0; y < 100; ++y) mapGrid[x][y] = (x * 7 + y * 3) % 61;
    }
};

// ---- Export --------------------------------------------------------------

TEST_F(PngFile, PictureShowsTheBitmapsPixelsExactly) {
    makeMixedMap();
    mapGrid[10][10] = -3;
    mapGrid[11][10] = 45;
    mapGrid[12][10] = 1000;
    mapGrid[0][10] = 61;
    mapGrid[199][99] = INT_MIN;
    std::string error;
    const std::string png = mapPngBytes(map, PngKind::Picture, error);
    ASSERT_FALSE(png.empty()) << error;
    const std::string bmp = mapBitmapBytes(map);
    int width = 0, height = 0;
    const std::vector<unsigned char> rgb = decodeRgb(png, width, height);
    ASSERT_EQ(width, 200);
    ASSERT_EQ(height, 100);
    for (std::size_t i = 0; i < rgb.size(); i += 3) {
        const std::size_t b = 54 + i;
        ASSERT_EQ(rgb[i], static_cast<unsigned char>(bmp[b + 2])) << "pixel " << i / 3;
        ASSERT_EQ(rgb[i + 1], static_cast<unsigned char>(bmp[b + 1])) << "pixel " << i / 3;
        ASSERT_EQ(rgb[i + 2], static_cast<unsigned char>(bmp[b])) << "pixel " << i / 3;
    }
}

TEST_F(PngFile, PictureIsAPaletteOfTheCodesAndTheirRingColours) {
    makeMap(1, 1, "Pic");
    mapGrid[50][50] = 21;
    mapGrid[0][50] = 21;
    mapGrid[51][50] = 300;
    std::string error;
    const std::string png = mapPngBytes(map, PngKind::Picture, error);
    const Chunks chunks = chunksOf(png);
    ASSERT_EQ(chunks.list.size(), 5u);
    EXPECT_EQ(chunks.list[0].first, "IHDR");
    EXPECT_EQ(chunks.list[2].first, "plMp") << "the map it carries, before the image data";
    EXPECT_EQ(chunks.list[0].second, u32(100) + u32(100) + std::string("\x08\x03\x00\x00\x00", 5));
    EXPECT_EQ(png.substr(png.size() - 12), std::string("\0\0\0\0IEND\xAE\x42\x60\x82", 12));
    const std::string& palette = chunks.data("PLTE");
    ASSERT_EQ(palette.size(), 3u * 122);
    for (int i = 0; i < 122; ++i) {
        const Rgb want = i < 61 ? terrainColour(i) : ringColour(terrainColour(i - 61));
        EXPECT_EQ(Rgb({static_cast<std::uint8_t>(palette[3 * i]), static_cast<std::uint8_t>(palette[3 * i + 1]),
                       static_cast<std::uint8_t>(palette[3 * i + 2])}),
                  want)
            << i;
    }
    const std::string rows = inflated(chunks.data("IDAT"));
    ASSERT_EQ(rows.size(), 100u * 101);
    const auto index = [&](int x, int y) { return static_cast<unsigned char>(rows[y * 101 + 1 + x]); };
    for (int y = 0; y < 100; ++y) EXPECT_EQ(rows[y * 101], 0) << "filter of row " << y;
    EXPECT_EQ(index(50, 50), 21);
    EXPECT_EQ(index(0, 50), 61 + 21);
    EXPECT_EQ(index(51, 50), 39);   // no colour: the view's colour
    EXPECT_EQ(index(99, 99), 61);   // Void on the ring
    EXPECT_EQ(index(1, 1), 0);
}

TEST_F(PngFile, TerrainCodeImageStoresEveryCodeAsItsIndex) {
    makeMap(3, 1, "Codes");
    for (int x = 0; x < 300; ++x)
        for (int y = 0; y < 100; ++y) mapGrid[x][y] = (x + 7 * y) % 256;
    std::string error;
    const std::string png = mapPngBytes(map, PngKind::TerrainCodes, error);
    ASSERT_FALSE(png.empty()) << error;
    const Chunks chunks = chunksOf(png);
    EXPECT_EQ(chunks.list[0].second, u32(300) + u32(100) + std::string("\x08\x03\x00\x00\x00", 5));
    const std::string& palette = chunks.data("PLTE");
    ASSERT_EQ(palette.size(), 768u);
    EXPECT_EQ(chunk("PLTE", palette), codePalette());
    EXPECT_EQ(palette.substr(3 * 14, 3), palette.substr(3 * 2, 3));   // forest shows as plains
    EXPECT_EQ(palette.substr(3 * 200, 3), std::string("\xFF\x00\xFF", 3));  // no colour: the view's
    const std::string rows = inflated(chunks.data("IDAT"));
    ASSERT_EQ(rows.size(), 100u * 301);
    for (int y = 0; y < 100; ++y) {
        ASSERT_EQ(rows[y * 301], 0);
        for (int x = 0; x < 300; ++x)
            ASSERT_EQ(static_cast<unsigned char>(rows[y * 301 + 1 + x]), mapGrid[x][y]) << x << "," << y;
    }
    // A viewer shows the legend's colours, without rings.
    int width = 0, height = 0;
    const std::vector<unsigned char> rgb = decodeRgb(png, width, height);
    const Rgb seaColour = terrainColour(21);
    const std::size_t at = 3 * (0 * 300 + 21);  // tile (21, 0) holds 21, on the top ring
    EXPECT_EQ(Rgb({rgb[at], rgb[at + 1], rgb[at + 2]}), seaColour);
}

TEST_F(PngFile, TerrainCodeImageRefusesCodesItCannotHold) {
    for (TerrainCode code : {-1, 256, INT_MIN, INT_MAX}) {
        makeMap(1, 1, "Odd");
        writeBytes("Odd.png", "before");
        mapGrid[12][34] = code;
        std::string error;
        EXPECT_FALSE(writeMapPng(map, "Odd.png", PngKind::TerrainCodes, error)) << code;
        EXPECT_EQ(error, "tile x 12, y 34 holds code " + std::to_string(code) +
                             ": a terrain-code image holds codes 0 to 255 only");
        EXPECT_EQ(readBytes("Odd.png"), "before");
        // The picture shows such a tile in the view's colour.
        EXPECT_TRUE(writeMapPng(map, "Pic.png", PngKind::Picture, error)) << error;
    }
    EXPECT_EQ(folderEntries("."), (std::vector<std::string>{"Odd.png", "Pic.png"}));
}

TEST_F(PngFile, NoMapNoImage) {
    std::string error;
    EXPECT_TRUE(mapPngBytes(map, PngKind::Picture, error).empty());
    EXPECT_EQ(error, "there is no map");
    EXPECT_FALSE(writeMapPng(map, "x.png", PngKind::TerrainCodes, error));
    EXPECT_TRUE(folderEntries(".").empty());
}

// ---- Import --------------------------------------------------------------

// ---- Any picture ------------------------------------------------------------

// A picture of `colours` colours (all of them, when it has the pixels), each
// pixel the next colour in turn.
std::vector<Rgb> patternPicture(int width, int height, int colours) {
    std::vector<Rgb> pixels(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int c = (y * width + x) % colours;
            pixels[static_cast<std::size_t>(y) * width + x] = {static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(255 - c / 2),
                                                 static_cast<std::uint8_t>(c * 37)};
        }
    return pixels;
}

TEST(ImagePng, PicturesEnlargeByTheirScaleInPaletteOrColour) {
    const struct {
        int width, height, colours, scale;
        int colourType;  // 3 palette, 2 red-green-blue
    } cases[] = {{1, 1, 1, 1, 3}, {37, 11, 70, 1, 3}, {37, 11, 70, 3, 3}, {20, 20, 256, 2, 3},
                 {23, 19, 257, 1, 2}, {23, 19, 300, 4, 2}, {602, 402, 12, 1, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << ", " << c.colours << " colours, scale " << c.scale);
        const std::vector<Rgb> pixels = patternPicture(c.width, c.height, c.colours);
        std::string error;
        const std::string png = imagePngBytes({c.width, c.height}, pixels.data(), c.scale, error);
        ASSERT_FALSE(png.empty()) << error;
        const Chunks chunks = chunksOf(png);
        const std::string& head = chunks.data("IHDR");
        EXPECT_EQ(u32At(head, 0), static_cast<std::uint32_t>(c.width * c.scale));
        EXPECT_EQ(u32At(head, 4), static_cast<std::uint32_t>(c.height * c.scale));
        EXPECT_EQ(head[8], 8);
        EXPECT_EQ(head[9], c.colourType);
        if (c.colourType == 3) {
            EXPECT_EQ(chunks.data("PLTE").size(), 3u * std::min(c.colours, c.width * c.height));
        }
        int width = 0, height = 0;
        const std::vector<unsigned char> rgb = decodeRgb(png, width, height);
        ASSERT_EQ(width, c.width * c.scale);
        ASSERT_EQ(height, c.height * c.scale);
        int wrong = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const Rgb want = pixels[static_cast<std::size_t>(y / c.scale) * c.width + x / c.scale];
                const unsigned char* got = &rgb[3 * (static_cast<std::size_t>(y) * width + x)];
                wrong += got[0] != want.red || got[1] != want.green || got[2] != want.blue;
            }
        EXPECT_EQ(wrong, 0);
    }
}

TEST(ImagePng, SizesBeyondTheBoundsAreRefused) {
    const std::vector<Rgb> pixel(1);
    std::string error;
    for (const auto& [width, height, scale] : std::vector<std::tuple<int, int, int>>{
             {0, 1, 1}, {1, 0, 1}, {-5, 3, 1}, {1, 1, 0}, {1, 1, 17}, {32768, 1, 1}, {1, 2048, 16},
             {5793, 5793, 1}, {2897, 2897, 2}}) {
        EXPECT_TRUE(imagePngBytes({width, height}, pixel.data(), scale, error).empty()) << width << "x" << height;
        EXPECT_FALSE(error.empty());
    }
    // The largest: 32767 on a side, 32 Mi pixels in all.
    const std::vector<Rgb> row(32767);
    EXPECT_FALSE(imagePngBytes({32767, 1}, row.data(), 1, error).empty()) << error;
    const std::vector<Rgb> block(std::size_t{1} << 21);
    EXPECT_FALSE(imagePngBytes({2048, 1024}, block.data(), 4, error).empty()) << error;
}

TEST_F(PngFile, TerrainCodeImageReadsBackByteForByte) {
    for (auto [qx, qy] : {std::pair{1, 1}, {3, 2}, {1, 10}}) {
        makeMap(qx, qy, "Back");
        for (int x = 0; x < mapWidth(map); ++x)
            for (int y = 0; y < mapHeight(map); ++y) mapGrid[x][y] = (x * 31 + y * 17 + x / 7) % 256;
        const std::string before = mapFileText(map);
        std::string error;
        const std::string png = mapPngBytes(map, PngKind::TerrainCodes, error);
        makeMap(2, 2, "Back", 7);
        const PngImport read = loadMapFromPng(map, png);
        ASSERT_TRUE(read.ok) << read.error;
        EXPECT_TRUE(read.byCode);
        EXPECT_EQ(read.inexactPixels, 0);
        EXPECT_EQ(read.width, 100 * qx);
        EXPECT_EQ(read.height, 100 * qy);
        EXPECT_EQ(mapFileText(map), before);
    }
}

TEST_F(PngFile, EveryRowFilterOfATerrainCodeImageIsUndone) {
    // Row y is stored with filter y % 5, as an optimiser may re-encode it.
    const int w = 100, h = 100;
    // Codes at random over all 256 indices, so that every tie of the Paeth
    // predictor turns up.
    std::vector<std::vector<unsigned char>> codes(h, std::vector<unsigned char>(w));
    std::uint32_t state = 1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            state = state * 214013u + 2531011u;
            codes[y][x] = static_cast<unsigned char>(state >> 16);
        }
    std::string rows;
    for (int y = 0; y < h; ++y) {
        const int filter = y % 5;
        rows += static_cast<char>(filter);
        for (int x = 0; x < w; ++x) {
            const int a = x > 0 ? codes[y][x - 1] : 0;
            const int b = y > 0 ? codes[y - 1][x] : 0;
            const int c = x > 0 && y > 0 ? codes[y - 1][x - 1] : 0;
            const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
            const int predictor[5] = {0, a, b, (a + b) / 2, pa <= pb && pa <= pc ? a : pb <= pc ? b : c};
            rows += static_cast<char>(codes[y][x] - predictor[filter]);
        }
    }
    const PngImport read = loadMapFromPng(map, indexedPng(w, h, rows));
    ASSERT_TRUE(read.ok) << read.error;
    ASSERT_TRUE(read.byCode);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) ASSERT_EQ(mapGrid[x][y], codes[y][x]) << x << "," << y;
}

TEST_F(PngFile, PictureReadsBackByColourWithItsRings) {
    makeMap(2, 1, "Pic");
    for (int x = 0; x < 200; ++x)
        for (int y = 0; y < 100; ++y) {
            const int k = (x + y) % 50;
            mapGrid[x][y] = k <= kLastLegendCode ? k : 50 + k % 11;  // every legend and start-location code
        }
    std::string error;
    const std::string png = withoutChunk(mapPngBytes(map, PngKind::Picture, error), "plMp");
    const std::vector<TerrainCode> original = allTiles();
    const PngImport read = loadMapFromPng(map, png);
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_FALSE(read.byCode);
    EXPECT_EQ(read.inexactPixels, 0);
    const std::vector<TerrainCode> tiles = allTiles();
    ASSERT_EQ(tiles.size(), original.size());
    for (std::size_t i = 0; i < tiles.size(); ++i) ASSERT_EQ(tiles[i], byColour(original[i])) << i;
    EXPECT_EQ(byColour(14), 2);
    EXPECT_EQ(byColour(35), 27);
    EXPECT_EQ(byColour(55), 2);
}

TEST_F(PngFile, ForeignImagesReadByNearestColour) {
    // Inside the quad (50, 50) and on its ring (0, 50): an exact colour, an
    // exact ring colour, and near misses.
    struct Case {
        int channels;
        std::vector<unsigned char> sample;  // the pixel's channels
        bool ring;
        TerrainCode want;
        bool exact;
    };
    const Case cases[] = {
        {3, {0, 45, 98}, false, 21, true},            // Sea
        {3, {1, 45, 98}, false, 21, false},           // nearly Sea
        {3, {108, 179, 63}, false, 2, true},          // Plains, also Forest P's colour
        {3, {88, 138, 48}, true, 1, true},            // F Plains on a ring
        {3, {88, 138, 48}, false, 4, false},          // the same inside: nearest H Hills
        {4, {201, 199, 32, 0}, false, 11, true},      // Desert, transparent: alpha ignored
        {4, {250, 250, 250, 255}, false, 36, false},  // nearly Glacier
        {1, {135}, false, 32, true},                  // grey: Mount4 S
        {1, {0}, true, 0, true},                      // black: Void on the ring too
        {2, {255, 7}, false, 36, true},               // grey and alpha: Glacier
    };
    for (const Case& c : cases) {
        const int x = c.ring ? 0 : 50;
        std::vector<unsigned char> pixels(100 * 100 * c.channels, 0);
        std::copy(c.sample.begin(), c.sample.end(), pixels.begin() + (50 * 100 + x) * c.channels);
        makeMap(1, 1);
        const PngImport read = loadMapFromPng(map, foreignPng(100, 100, c.channels, pixels));
        ASSERT_TRUE(read.ok) << read.error;
        EXPECT_FALSE(read.byCode);
        EXPECT_EQ(mapGrid[x][50], c.want) << int(c.sample[0]) << " ring " << c.ring;
        // Every other pixel is black, Void exactly, unless alpha was the only channel set.
        EXPECT_EQ(read.inexactPixels, c.exact ? 0 : 1) << int(c.sample[0]);
        EXPECT_EQ(mapGrid[1][1], kVoid);
    }
}

TEST_F(PngFile, SixteenBitAndInterlacedImagesDecode) {
    // 16-bit RGB, rows unfiltered: Desert everywhere, one Sea pixel.
    std::string rows;
    for (int y = 0; y < 100; ++y) {
        rows += '\0';
        for (int x = 0; x < 100; ++x) {
            const Rgb c = x == 3 && y == 4 ? terrainColour(21) : terrainColour(11);
            for (std::uint8_t v : {c.red, c.green, c.blue}) rows += {static_cast<char>(v), '\x80'};
        }
    }
    makeMap(1, 1);
    PngImport read = loadMapFromPng(map, kSignature + header(100, 100, 16, 2) + chunk("IDAT", zlibOf(rows)) + kEnd);
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(mapGrid[3][4], 21);
    EXPECT_EQ(mapGrid[4][3], 11);
    EXPECT_EQ(read.inexactPixels, 0);

    // Interlaced 8-bit grey, one value: the seven passes' rows, each its own width.
    const int starts[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                              {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    rows.clear();
    for (const auto& pass : starts) {
        const int columns = (200 - pass[0] + pass[2] - 1) / pass[2];
        const int passRows = (100 - pass[1] + pass[3] - 1) / pass[3];
        for (int r = 0; r < passRows; ++r) rows += std::string(1, '\0') + std::string(columns, '\xAF');
    }
    read = loadMapFromPng(map, kSignature + header(200, 100, 8, 0, 1) + chunk("IDAT", zlibOf(rows)) + kEnd);
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(quadCountX, 2);
    EXPECT_EQ(mapGrid[199][99], 30);  // Mount2 S, grey 175
    EXPECT_EQ(mapGrid[0][0], 30);
    // One row short of the last pass is caught before decoding.
    rows.resize(rows.size() - 201);
    read = loadMapFromPng(map, kSignature + header(200, 100, 8, 0, 1) + chunk("IDAT", zlibOf(rows)) + kEnd);
    EXPECT_EQ(read.error, "truncated: its image data ends early");
}

TEST_F(PngFile, OtherPaletteImagesReadByColour) {
    // A palette image not made by the export (here a reordered palette) is
    // no terrain-code image: its indices mean nothing, its colours do.
    std::string palette;
    for (TerrainCode code : {21, 11}) {
        const Rgb c = terrainColour(code);
        palette += {static_cast<char>(c.red), static_cast<char>(c.green), static_cast<char>(c.blue)};
    }
    makeMap(1, 1);
    const PngImport read = loadMapFromPng(map, indexedPng(100, 100, plainRows(100, 100, 1), chunk("PLTE", palette)));
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_FALSE(read.byCode);
    EXPECT_EQ(mapGrid[50][50], 11);
}

// ---- Hostile images ------------------------------------------------------

struct Hostile {
    const char* what;
    std::string bytes;
    std::string error;  // the message, or its start
};

std::vector<Hostile> hostileImages() {
    const std::string good = indexedPng(100, 100, plainRows(100, 100, 5));
    const std::string rows = plainRows(100, 100, 5);
    const std::string compressed = zlibOf(rows);
    std::string badCrc = good;
    badCrc[45] ^= 1;  // inside the palette
    std::string badFilter = rows;
    badFilter[101 * 7] = 5;
    std::string bomb(1, '\0');
    bomb += std::string(100, '\5');
    bomb += std::string(4u << 20, '\0');  // 4 MiB of nothing behind an image of 10 KB
    const std::string size = "the image is ";
    return {
        {"empty", "", "not a PNG image"},
        {"text", "*MapInfo*\r\nx\r\n01\r\n01", "not a PNG image"},
        {"bitmap", "BM" + std::string(100, '\0'), "not a PNG image"},
        {"signature only", kSignature, "truncated: the file ends before its last chunk"},
        {"header cut", good.substr(0, 20), "truncated: the file ends inside its IHDR chunk"},
        {"no end chunk", good.substr(0, good.size() - 12), "truncated: the file ends before its last chunk"},
        {"data cut", good.substr(0, good.size() - 20), "truncated: the file ends inside its IDAT chunk"},
        {"end chunk cut", good.substr(0, good.size() - 3), "truncated: the file ends before its last chunk"},
        {"checksum", badCrc, "damaged: the PLTE chunk fails its checksum"},
        {"first chunk not the header", kSignature + codePalette() + kEnd, "damaged: the image header is missing"},
        {"bad type", kSignature + header(100, 100, 8, 3) + chunk("PL1E", "") + kEnd,
         "damaged: a chunk at byte 33 has no valid type"},
        {"length beyond 2^31", kSignature + header(100, 100, 8, 3) + u32(0x80000000u) + "IDAT" + std::string(8, '\0'),
         "damaged: the IDAT chunk has an impossible length"},
        {"99 wide", kSignature + header(99, 100, 8, 3) + kEnd, size + "99 by 100 pixels"},
        {"101 high", kSignature + header(100, 101, 8, 3) + kEnd, size + "100 by 101 pixels"},
        {"101 quads wide", kSignature + header(10100, 100, 8, 2) + kEnd, size + "10100 by 100 pixels"},
        {"33 by 32 quads", kSignature + header(3300, 3200, 8, 2) + kEnd, size + "3300 by 3200 pixels"},
        {"huge", kSignature + header(0x7FFFFF00u, 0x7FFFFF00u, 8, 6) + kEnd, size + "2147483392 by 2147483392"},
        {"zero wide", kSignature + header(0, 100, 8, 2) + kEnd, "damaged: the image header is invalid"},
        {"width beyond 2^31", kSignature + header(0x80000000u, 100, 8, 2) + kEnd, "damaged: the image header is invalid"},
        {"RGB of 4 bits", kSignature + header(100, 100, 4, 2) + kEnd, "damaged: the image header is invalid"},
        {"interlace 2", kSignature + header(100, 100, 8, 2, 2) + kEnd, "damaged: the image header is invalid"},
        {"no data", kSignature + header(100, 100, 8, 3) + codePalette() + kEnd, "damaged: it holds no image data"},
        {"no palette", kSignature + header(100, 100, 8, 3) + chunk("IDAT", zlibOf(rows)) + kEnd,
         "damaged: a palette image without a palette"},
        {"palette in grey", kSignature + header(100, 100, 8, 0) + codePalette(2) + chunk("IDAT", zlibOf(rows)) + kEnd,
         "damaged: its palette is invalid"},
        {"palette after data", kSignature + header(100, 100, 8, 3) + chunk("IDAT", zlibOf(rows)) + codePalette() + kEnd,
         "damaged: its palette is invalid"},
        {"two palettes", kSignature + header(100, 100, 8, 3) + codePalette() + codePalette() + kEnd,
         "damaged: its palette is invalid"},
        {"split data", kSignature + header(100, 100, 8, 3) + codePalette() + chunk("IDAT", zlibOf(rows).substr(0, 9)) +
                           chunk("tEXt", "a\0b") + chunk("IDAT", zlibOf(rows).substr(9)) + kEnd,
         "damaged: its image data is split"},
        {"second header", kSignature + header(100, 100, 8, 3) + header(100, 100, 8, 3) + kEnd,
         "damaged: it has a second image header"},
        {"unknown critical chunk", kSignature + header(100, 100, 8, 3) + chunk("ABCD", "") + kEnd,
         "it needs a PNG feature this program does not read (chunk ABCD)"},
        {"not zlib", kSignature + header(100, 100, 8, 3) + codePalette() + chunk("IDAT", "garbage!") + kEnd,
         "damaged: its image data cannot be decompressed"},
        {"one row short", indexedPng(100, 100, rows.substr(101)), "truncated: its image data ends early"},
        {"stream cut", kSignature + header(100, 100, 8, 3) + codePalette() + chunk("IDAT", compressed.substr(0, compressed.size() - 5)) + kEnd,
         "truncated: its image data ends early"},
        {"decompression bomb", indexedPng(100, 100, bomb), "damaged: it holds more image data than its size"},
        {"same for a colour image", kSignature + header(100, 100, 8, 0) + chunk("IDAT", zlibOf(bomb)) + kEnd,
         "damaged: it holds more image data than its size"},
        {"unknown filter", indexedPng(100, 100, badFilter), "damaged: a row of its image data has an unknown filter"},
        {"index beyond the palette", indexedPng(100, 100, plainRows(100, 100, 20), codePalette(10)),
         "damaged: a pixel's index lies beyond its palette"},
    };
}

TEST_F(PngFile, HostileImagesAreRefusedAndTheMapKept) {
    for (const Hostile& h : hostileImages()) {
        makeMap(2, 1, "Untitled", 7);
        currentMapName = "Kept";
        const PngImport read = loadMapFromPng(map, h.bytes);
        EXPECT_FALSE(read.ok) << h.what;
        EXPECT_EQ(read.error.substr(0, h.error.size()), h.error) << h.what << ": " << read.error;
        EXPECT_EQ(quadCountX, 2) << h.what;
        EXPECT_EQ(currentMapName, "Kept");
        EXPECT_EQ(allTiles(), std::vector<TerrainCode>(200 * 100, 7)) << h.what;
    }
}

TEST_F(PngFile, EveryCutOfAnExportIsRefused) {
    makeMixedMap();
    std::string error;
    for (PngKind kind : {PngKind::TerrainCodes, PngKind::Picture}) {
        const std::string png = mapPngBytes(map, kind, error);
        for (std::size_t length = 0; length < png.size(); ++length) {
            const PngImport read = loadMapFromPng(map, std::string_view(png.data(), length));
            ASSERT_FALSE(read.ok) << length;
            ASSERT_FALSE(read.error.empty()) << length;
        }
        EXPECT_TRUE(loadMapFromPng(map, png).ok);
    }
}

// The import reads through readWholeFile: a path that is no plain file,
// names a device or holds more than any map image is refused unread (a pipe
// would block a plain open for good, a device never ends), the map kept.
TEST_F(PngFile, ImportRefusesWhatTheBoundedReaderRefuses) {
    makeMap(1, 1, "Disk");
    mapGrid[3][3] = 60;
    std::string error;
    ASSERT_TRUE(writeMapPng(map, "disk.png", PngKind::TerrainCodes, error));
    writeBytes("aux.png", readBytes("disk.png"));  // a good image under a device's name
    std::filesystem::create_directory("folder.png");
    ASSERT_EQ(::mkfifo("fifo.png", 0600), 0);
    writeBytes("large.png", kSignature);
    std::filesystem::resize_file("large.png", kMaxPngFileSize + 1);
    const struct {
        const char* path;
        const char* error;
    } refused[] = {
        {"missing.png", "cannot read the file"}, {"folder.png", "cannot read the file"},
        {"fifo.png", "cannot read the file"},    {"/dev/zero", "cannot read the file"},
        {"aux.png", "cannot read the file"},     {"large.png", "the file is larger than any map image (128 MiB)"},
    };
    makeMap(2, 1, "Kept", 7);
    for (const auto& r : refused) {
        const PngImport read = loadMapPngFile(map, r.path);
        EXPECT_FALSE(read.ok) << r.path;
        EXPECT_EQ(read.error, r.error) << r.path;
        EXPECT_EQ(allTiles(), std::vector<TerrainCode>(200 * 100, 7)) << r.path;
    }
    map = Map();
    const PngImport read = loadMapPngFile(map, "disk.png");
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(mapGrid[3][3], 60);
}

// ---- The map a picture carries --------------------------------------------

// Both pictures give their map back exactly, codes of no terrain and all;
// the chunk holds the codes, the counts and the CRC-32 of the pixels.
TEST_F(PngFile, PicturesCarryTheirMapExactly) {
    makeMixedMap();
    mapGrid[10][10] = -3;
    mapGrid[12][10] = 1000;
    mapGrid[199][99] = INT_MIN;
    const std::vector<TerrainCode> original = allTiles();
    std::string error;
    const std::string picture = mapPngBytes(map, PngKind::Picture, error);
    // Any picture of the map, as the hexagon export writes it: here one of
    // more than 256 colours, so red, green and blue.
    std::vector<Rgb> pixels(600 * 2);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i >> 8), 7};
    const std::string hex = imagePngBytes({600, 2}, pixels.data(), 2, error, &map);
    ASSERT_FALSE(hex.empty()) << error;
    for (const std::string* png : {&picture, &hex}) {
        const std::string stored = chunksOf(*png).data("plMp");
        int width = 0, height = 0;
        const std::vector<unsigned char> rgb = decodeRgb(*png, width, height);
        EXPECT_EQ(stored.substr(0, 9), std::string(1, '\1') + u32(2) + u32(1));
        EXPECT_EQ(u32At(stored, 9), crc32(0, rgb.data(), static_cast<uInt>(rgb.size())));
        const std::string codes = inflated(stored.substr(13));
        ASSERT_EQ(codes.size(), 4u * 20000);
        EXPECT_EQ(u32At(codes, 4 * (10 * 100 + 10)), static_cast<std::uint32_t>(-3));
        makeMap(1, 1, "Other");
        const PngImport read = loadMapFromPng(map, *png);
        ASSERT_TRUE(read.ok) << read.error;
        EXPECT_TRUE(read.byStoredMap);
        EXPECT_EQ(currentMapName, "Other");
        EXPECT_EQ(allTiles(), original);
    }
    makeMap(1, 1, "Codes");
    EXPECT_EQ(chunksOf(mapPngBytes(map, PngKind::TerrainCodes, error)).list.size(), 4u) << "the codes are its pixels";
}

// A picture changed since it was exported is read from its pixels and says
// so; a damaged chunk refuses the file.
TEST_F(PngFile, AChangedPictureIsReadFromItsPixels) {
    makeMap(1, 1, "Pic", 14);  // Forest P: the colour of Plains
    std::string error;
    const std::string png = mapPngBytes(map, PngKind::Picture, error);
    int width = 0, height = 0;
    std::vector<unsigned char> rgb = decodeRgb(png, width, height);
    const std::string stored = chunksOf(png).data("plMp");
    const std::size_t far = 3 * (50 * 100 + 50);  // one pixel far from every legend colour
    rgb[far] = 255;
    rgb[far + 1] = 0;
    rgb[far + 2] = 255;
    const std::string edited = withoutChunk(foreignPng(width, height, 3, rgb), "IEND") + chunk("plMp", stored) + kEnd;
    PngImport read = loadMapFromPng(map, edited);
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_TRUE(read.changedSinceExport);
    EXPECT_EQ(mapGrid[5][5], 2);
    EXPECT_EQ(read.sharedPixels, 10000 - 1);
    EXPECT_EQ(read.farPixels, 1);

    const std::string badStored[] = {
        std::string(1, '\2') + stored.substr(1),                       // another version
        stored.substr(0, 1) + u32(0) + stored.substr(5),                 // no map's size
        stored.substr(0, 1) + u32(2) + stored.substr(5),                 // too few codes for the size
        stored.substr(0, 12),                                           // cut short
    };
    for (const std::string& data : badStored) {
        const std::string bad = withoutChunk(png, "IEND");
        const PngImport refused = loadMapFromPng(map, withoutChunk(bad, "plMp") + chunk("plMp", data) + kEnd);
        EXPECT_FALSE(refused.ok);
        EXPECT_EQ(refused.error.substr(0, 8), "damaged:");
    }
}

}  // namespace
}  // namespace pelorn
