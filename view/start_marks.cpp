#include "view/start_marks.h"

#include <algorithm>
#include <string>

#include "startlocations/land_weights.h"
#include "startlocations/rooms.h"

namespace pelorn {

namespace {

constexpr Rgb kInk{0, 0, 0};
constexpr Rgb kPaper{255, 255, 255};

// The mark: '#' ink, 'o' paper, '.' the picture shows through.
constexpr int kMarkSize = 7;
constexpr const char* kMark[kMarkSize] = {
    "..###..", ".#ooo#.", "#ooooo#", "#oo#oo#", "#ooooo#", ".#ooo#.", "..###..",
};

// Digits 3 pixels wide and 5 high, each row 3 bits, the high bit on the left.
constexpr int kDigitRows[10][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 3, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 2, 2}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
};

// Room tints that tell neighbours apart on land and sea alike.
constexpr Rgb kTints[] = {
    {255, 0, 0},   {0, 90, 255},  {255, 220, 0}, {200, 0, 255}, {0, 230, 230},
    {255, 120, 0}, {0, 200, 40},  {255, 0, 150}, {120, 60, 0},  {90, 90, 90},
};

void put(const PixelBlock& block, int x, int y, Rgb colour) {
    const int column = x - block.left;
    const int row = y - block.top;
    if (column < 0 || column >= block.width || row < 0 || row >= block.height) return;
    block.pixels[static_cast<std::size_t>(row) * block.width + column] = colour;
}

// A number in ink on a paper box one pixel wider all round, its left edge at x.
void drawNumber(const PixelBlock& block, int x, int y, std::int32_t number) {
    const std::string digits = std::to_string(number);
    const int width = static_cast<int>(digits.size()) * 4 + 1;
    for (int row = -1; row <= 5; ++row)
        for (int column = 0; column < width; ++column) put(block, x + column, y + row, kPaper);
    for (std::size_t d = 0; d < digits.size(); ++d) {
        const int left = x + 1 + static_cast<int>(d) * 4;
        for (int row = 0; row < 5; ++row)
            for (int bit = 0; bit < 3; ++bit)
                if (kDigitRows[digits[d] - '0'][row] & (4 >> bit)) put(block, left + bit, y + row, kInk);
    }
}

}  // namespace

void drawStartMarks(const PixelBlock& block, const std::vector<StartMark>& marks) {
    for (const StartMark& mark : marks) {
        for (int row = 0; row < kMarkSize; ++row) {
            for (int column = 0; column < kMarkSize; ++column) {
                const char c = kMark[row][column];
                if (c != '.') put(block, mark.x - 3 + column, mark.y - 3 + row, c == '#' ? kInk : kPaper);
            }
        }
        drawNumber(block, mark.x + 5, mark.y - 2, mark.number);
    }
}

std::vector<std::int32_t> roomOwnersOf(const Map& map, const std::vector<TilePos>& starts) {
    if (starts.empty()) return {};
    const std::int32_t radius = automaticRoomRadius(map, static_cast<std::int32_t>(starts.size()));
    return measureRooms(map, starts, radius, defaultLandWeights()).owner;
}

Rgb roomTint(Rgb colour, std::int32_t index) {
    const Rgb tint = kTints[static_cast<std::size_t>(index) % (sizeof kTints / sizeof kTints[0])];
    return {static_cast<std::uint8_t>((colour.red + tint.red) / 2), static_cast<std::uint8_t>((colour.green + tint.green) / 2),
            static_cast<std::uint8_t>((colour.blue + tint.blue) / 2)};
}

int pixelShowing(int first, int next, int size) {
    const int pixel = next > first ? (first + next - 1) / 2 : first;
    return std::clamp(pixel, 0, std::max(size - 1, 0));
}

}  // namespace pelorn
