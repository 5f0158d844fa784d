#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "files/bitmap_file.h"
#include "files_fixture.h"

namespace pelorn {
namespace {

using testing_files::FilesTest;
using testing_files::folderEntries;
using testing_files::readBytes;

struct Bgr {
    int blue, green, red;
    friend bool operator==(Bgr a, Bgr b) { return a.blue == b.blue && a.green == b.green && a.red == b.red; }
};

std::ostream& operator<<(std::ostream& out, Bgr p) {
    return out << "(b " << p.blue << ", g " << p.green << ", r " << p.red << ")";
}

std::uint32_t u32At(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes.at(at + i));
    return value;
}

// The bitmap's rows are as wide as the map.
Bgr pixelAt(const std::string& bytes, int x, int y) {
    const std::size_t width = static_cast<std::size_t>(u32At(bytes, 18));
    const std::size_t at = 54 + 3 * width * static_cast<std::size_t>(y) + 3 * static_cast<std::size_t>(x);
    const auto byte = [&](std::size_t i) { return static_cast<int>(static_cast<unsigned char>(bytes.at(i))); };
    return {byte(at), byte(at + 1), byte(at + 2)};
}

class BitmapFile : public FilesTest {};

TEST_F(BitmapFile, OneQuadHasTheExactHeader) {
    makeMap(1, 1, "Pic");
    ASSERT_TRUE(saveMapBitmap(map));
    const std::string bytes = readBytes("Pic.bmp");
    ASSERT_EQ(bytes.size(), 30054u);
    const unsigned char header[54] = {
        0x42, 0x4D, 0x66, 0x75, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x36, 0x00, 0x00, 0x00,  // file header
        0x28, 0x00, 0x00, 0x00, 0x64, 0x00, 0x00, 0x00, 0x9C, 0xFF, 0xFF, 0xFF, 0x01, 0x00,
        0x18, 0x00, 0x00, 0x00, 0x00, 0x00, 0x30, 0x75, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
    EXPECT_EQ(bytes.substr(0, 54), std::string(reinterpret_cast<const char*>(header), 54));
    // Code 0 is black, on the rings too: every pixel byte is zero.
    EXPECT_EQ(bytes.find_first_not_of('\0', 54), std::string::npos);
    EXPECT_EQ(folderEntries("."), std::vector<std::string>{"Pic.bmp"});
}

TEST_F(BitmapFile, SizeFollowsTheQuadCounts) {
    makeMap(2, 3, "Six");
    ASSERT_TRUE(saveMapBitmap(map));
    const std::string bytes = readBytes("Six.bmp");
    ASSERT_EQ(bytes.size(), 180054u);
    EXPECT_EQ(u32At(bytes, 2), 180054u);
    EXPECT_EQ(u32At(bytes, 18), 200u);
    EXPECT_EQ(static_cast<std::int32_t>(u32At(bytes, 22)), -300);
    EXPECT_EQ(u32At(bytes, 34), 180000u);
}

TEST_F(BitmapFile, RingComponentIsFiveSeventhsRoundedUp) {
    EXPECT_EQ(ringComponent(0), 0);
    EXPECT_EQ(ringComponent(7), 5);
    EXPECT_EQ(ringComponent(122), 88);
    EXPECT_EQ(ringComponent(255), 183);
    for (int v = 0; v < 256; ++v) {
        const int k = ringComponent(static_cast<std::uint8_t>(v));
        EXPECT_GE(7 * k, 5 * v) << v;
        EXPECT_LT(7 * (k - 1), 5 * v) << v;
    }
}

TEST_F(BitmapFile, QuadRingsAreDarker) {
    makeMap(1, 1, "Ring");
    for (int x = 0; x < 100; ++x)
        for (int y = 0; y < 100; ++y) mapGrid[x][y] = 1;  // F Plains, 122 193 67
    ASSERT_TRUE(saveMapBitmap(map));
    const std::string bytes = readBytes("Ring.bmp");
    const Bgr inside{67, 193, 122};
    const Bgr ring{48, 138, 88};
    EXPECT_EQ(pixelAt(bytes, 50, 50), inside);
    EXPECT_EQ(pixelAt(bytes, 1, 1), inside);
    EXPECT_EQ(pixelAt(bytes, 98, 98), inside);
    EXPECT_EQ(pixelAt(bytes, 0, 50), ring);
    EXPECT_EQ(pixelAt(bytes, 99, 50), ring);
    EXPECT_EQ(pixelAt(bytes, 50, 0), ring);
    EXPECT_EQ(pixelAt(bytes, 50, 99), ring);
    EXPECT_EQ(pixelAt(bytes, 0, 0), ring);
    EXPECT_EQ(pixelAt(bytes, 99, 99), ring);
}

TEST_F(BitmapFile, TwoQuadsWideMakeATwoPixelLineBetweenThem) {
    makeMap(2, 1, "Two");
    for (int x = 0; x < 200; ++x)
        for (int y = 0; y < 100; ++y) mapGrid[x][y] = 36;  // Glacier, white
    ASSERT_TRUE(saveMapBitmap(map));
    const std::string bytes = readBytes("Two.bmp");
    const Bgr dark{183, 183, 183};
    const Bgr white{255, 255, 255};
    for (int x : {0, 99, 100, 199}) EXPECT_EQ(pixelAt(bytes, x, 50), dark) << x;
    for (int x : {1, 98, 101, 198}) EXPECT_EQ(pixelAt(bytes, x, 50), white) << x;
}

TEST_F(BitmapFile, EachPixelShowsItsTile) {
    makeMap(2, 2, "Where");
    mapGrid[150][30] = 21;   // Sea 0 45 98
    mapGrid[30][150] = 11;   // Desert 201 199 32
    mapGrid[55][120] = 55;   // start location on code 14: 108 179 63
    mapGrid[100][120] = 55;  // same, on a ring
    ASSERT_TRUE(saveMapBitmap(map));
    const std::string bytes = readBytes("Where.bmp");
    EXPECT_EQ(pixelAt(bytes, 150, 30), (Bgr{98, 45, 0}));
    EXPECT_EQ(pixelAt(bytes, 30, 150), (Bgr{32, 199, 201}));
    EXPECT_EQ(pixelAt(bytes, 30, 151), (Bgr{0, 0, 0}));
    EXPECT_EQ(pixelAt(bytes, 151, 30), (Bgr{0, 0, 0}));
    EXPECT_EQ(pixelAt(bytes, 55, 120), (Bgr{63, 179, 108}));
    EXPECT_EQ(pixelAt(bytes, 100, 120), (Bgr{45, 128, 78}));
}

TEST_F(BitmapFile, CodesWithoutAColourUseTheViewsColour) {
    makeMap(1, 1, "Odd");
    mapGrid[10][10] = 45;
    mapGrid[11][10] = -3;
    mapGrid[12][10] = 1000;
    mapGrid[0][10] = 61;
    ASSERT_TRUE(saveMapBitmap(map));
    const std::string bytes = readBytes("Odd.bmp");
    const Rgb unknown = terrainColour(45);
    EXPECT_EQ(unknown, kUnknownCodeColour);
    const Bgr inside{unknown.blue, unknown.green, unknown.red};
    EXPECT_EQ(pixelAt(bytes, 10, 10), inside);
    EXPECT_EQ(pixelAt(bytes, 11, 10), inside);
    EXPECT_EQ(pixelAt(bytes, 12, 10), inside);
    EXPECT_EQ(pixelAt(bytes, 0, 10),
              (Bgr{ringComponent(unknown.blue), ringComponent(unknown.green), ringComponent(unknown.red)}));
}

TEST_F(BitmapFile, ExportingAgainReplacesTheFile) {
    makeMap(1, 1, "Again");
    ASSERT_TRUE(saveMapBitmap(map));
    mapGrid[50][50] = 36;
    ASSERT_TRUE(saveMapBitmap(map));
    const std::string bytes = readBytes("Again.bmp");
    EXPECT_EQ(bytes.size(), 30054u);
    EXPECT_EQ(pixelAt(bytes, 50, 50), (Bgr{255, 255, 255}));
    EXPECT_EQ(folderEntries("."), std::vector<std::string>{"Again.bmp"});
}

TEST_F(BitmapFile, NoGridNoFile) {
    EXPECT_FALSE(saveMapBitmap(map));
    EXPECT_TRUE(folderEntries(".").empty());
}

TEST_F(BitmapFile, FailedExportKeepsThePreviousFile) {
    makeMap(1, 1, "Kept");
    ASSERT_TRUE(saveMapBitmap(map));
    const std::string before = readBytes("Kept.bmp");
    mapGrid[1][1] = 5;
    std::filesystem::create_directory("Kept2.bmp");
    testing_files::writeBytes("Kept2.bmp/x", "x");
    currentMapName = "Kept2";
    EXPECT_FALSE(saveMapBitmap(map));
    currentMapName = "missing/Kept";
    EXPECT_FALSE(saveMapBitmap(map));
    EXPECT_EQ(readBytes("Kept.bmp"), before);
    EXPECT_EQ(folderEntries("."), (std::vector<std::string>{"Kept.bmp", "Kept2.bmp"}));
}

}  // namespace
}  // namespace pelorn
