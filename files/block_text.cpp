#include "files/block_text.h"

#include "text/whole_number.h"

namespace pelorn {

namespace {

constexpr std::string_view kBlockTag = "PELORN-BLOCK";

// Splits off the next line (without its CR LF or LF); false at the end.
bool nextLine(std::string_view& text, std::string_view& line) {
    if (text.empty()) return false;
    const std::size_t end = text.find('\n');
    line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return true;
}

std::optional<std::int64_t> field(std::string_view& words, std::int64_t max) {
    const std::size_t blank = words.find(' ');
    const std::string_view word = words.substr(0, blank);
    words = blank == std::string_view::npos ? std::string_view() : words.substr(blank + 1);
    return parseWholeNumber(word, 1, max);
}

void appendCode(std::string& text, TerrainCode code) {
    if (code < 0) code = kVoid;
    if (code < 100) {
        text += static_cast<char>('0' + code / 10);
        text += static_cast<char>('0' + code % 10);
    } else {
        text += std::to_string(code);
    }
}

}  // namespace

std::string blockText(const TileBlock& block) {
    std::string text = std::string(kBlockTag) + " " + std::to_string(block.width) + " " + std::to_string(block.height);
    text.reserve(text.size() + block.cells.size() * 4);
    for (const TerrainCode code : block.cells) {
        text += "\r\n";
        appendCode(text, code);
    }
    return text;
}

std::optional<TileBlock> parseBlockText(std::string_view text) {
    while (!text.empty() && text.back() == '\0') text.remove_suffix(1);
    std::string_view line;
    if (!nextLine(text, line) || line.substr(0, kBlockTag.size() + 1) != std::string(kBlockTag) + " ") return std::nullopt;
    std::string_view words = line.substr(kBlockTag.size() + 1);
    const std::optional<std::int64_t> width = field(words, kMaxBlockSide);
    const std::optional<std::int64_t> height = field(words, kMaxBlockSide);
    if (!width || !height || !words.empty() || *width * *height > kMaxBlockTiles) return std::nullopt;
    TileBlock block;
    block.width = static_cast<std::int32_t>(*width);
    block.height = static_cast<std::int32_t>(*height);
    const std::size_t count = static_cast<std::size_t>(*width * *height);
    // Each code takes at least two bytes with its line break: a short text
    // is refused before the cells are made.
    if (text.size() + 1 < count * 2) return std::nullopt;
    block.cells.reserve(count);
    while (nextLine(text, line)) {
        if (line.empty() && text.empty() && block.cells.size() == count) break;  // a final line break
        const std::optional<std::int64_t> code = parseWholeNumber(line, 0, kLastStartLocation);
        if (!code || !hasTerrainColour(static_cast<TerrainCode>(*code)) || block.cells.size() == count)
            return std::nullopt;
        block.cells.push_back(static_cast<TerrainCode>(*code));
    }
    if (block.cells.size() != count) return std::nullopt;
    return block;
}

}  // namespace pelorn
