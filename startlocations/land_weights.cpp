#include "startlocations/land_weights.h"

#include "text/whole_number.h"

namespace pelorn {

namespace {

// Decimal digits only, at most six of them, at most `maxValue`.
bool parseNumber(std::string_view token, std::int32_t maxValue, std::int32_t& value) {
    if (token.size() > 6) return false;
    const auto v = parseWholeNumber(token, 0, maxValue);
    if (!v) return false;
    value = static_cast<std::int32_t>(*v);
    return true;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

LandWeights defaultLandWeights() {
    LandWeights w;
    for (TerrainCode c : {kFertilePlains, kPlains, kPlainsL, kAPlains, kRiverP}) w.byCode[c] = 3;
    for (TerrainCode c : {kHills, kHighHills, kSteppes, kForestPlains, kForestHills, kHillsL, kHighHillsL,
                          kSorestPlains, kRiver})
        w.byCode[c] = 2;
    for (TerrainCode c : {kArid, kForestHighHills, kJunglePlains, kJungleHills, kPlainsD, kHillsD, kHighHillsD,
                          kSorestHills, kSorestHighHills, kJungleHighHills, kSea, kLake})
        w.byCode[c] = 1;
    return w;
}

bool parseLandWeights(std::string_view text, LandWeights& weights, std::string& error) {
    if (text.size() > kMaxWeightsFileBytes) {
        error = "more than " + std::to_string(kMaxWeightsFileBytes) + " bytes";
        return false;
    }
    LandWeights parsed;
    std::array<bool, kLastLegendCode + 1> seen{};
    bool any = false;
    std::size_t lineNumber = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        ++lineNumber;
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        const std::size_t hash = line.find('#');
        if (hash != std::string_view::npos) line = line.substr(0, hash);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

        std::string_view tokens[3];
        int count = 0;
        std::size_t i = 0;
        while (i < line.size() && count < 3) {
            while (i < line.size() && isBlank(line[i])) ++i;
            if (i == line.size()) break;
            const std::size_t start = i;
            while (i < line.size() && !isBlank(line[i])) ++i;
            tokens[count++] = line.substr(start, i - start);
        }
        if (count == 0) continue;
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        if (count != 2) {
            error = where + "expected CODE WEIGHT";
            return false;
        }
        std::int32_t code = 0;
        std::int32_t weight = 0;
        if (!parseNumber(tokens[0], kLastLegendCode, code)) {
            error = where + "code must be a whole number from 0 to " + std::to_string(kLastLegendCode);
            return false;
        }
        if (!parseNumber(tokens[1], kMaxLandWeight, weight)) {
            error = where + "weight must be a whole number from 0 to " + std::to_string(kMaxLandWeight);
            return false;
        }
        if (seen[static_cast<std::size_t>(code)]) {
            error = where + "code " + std::to_string(code) + " given twice";
            return false;
        }
        seen[static_cast<std::size_t>(code)] = true;
        parsed.byCode[static_cast<std::size_t>(code)] = weight;
        any = true;
    }
    if (!any) {
        error = "no CODE WEIGHT lines";
        return false;
    }
    weights = parsed;
    return true;
}

std::string formatLandWeights(const LandWeights& weights) {
    std::string text = "# CODE WEIGHT; codes not listed weigh 0\n";
    for (TerrainCode code = 0; code <= kLastLegendCode; ++code) {
        const std::int32_t w = weights.byCode[static_cast<std::size_t>(code)];
        if (w > 0) text += std::to_string(code) + " " + std::to_string(w) + "\n";
    }
    return text;
}

}  // namespace pelorn
