#include "text/conversions.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <system_error>

namespace pelorn {

bool isStreamSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::string intToText(std::int32_t n) {
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, n);
    return std::string(buffer, result.ptr);
}

namespace {

void stripTrailingZeros(std::string& digits) {
    if (digits.find('.') == std::string::npos) return;
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    if (!digits.empty() && digits.back() == '.') digits.pop_back();
}

}  // namespace

std::string realToText(float r) {
    const double value = r;
    if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    if (value == 0.0) return std::signbit(value) ? "-0" : "0";

    // Six significant digits in scientific form tell the decimal exponent
    // after rounding, which decides between the two forms.
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 5);
    std::string scientific(buffer, result.ptr);
    const std::size_t e = scientific.find('e');
    const int exponent = std::atoi(scientific.c_str() + e + 1);

    if (exponent < -4 || exponent >= 6) {
        std::string mantissa = scientific.substr(0, e);
        stripTrailingZeros(mantissa);
        const int magnitude = exponent < 0 ? -exponent : exponent;
        std::string exponentDigits = std::to_string(magnitude);
        while (exponentDigits.size() < 3) exponentDigits.insert(exponentDigits.begin(), '0');
        return mantissa + (exponent < 0 ? "e-" : "e+") + exponentDigits;
    }
    result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 5 - exponent);
    std::string fixed(buffer, result.ptr);
    stripTrailingZeros(fixed);
    return fixed;
}

namespace {

void skipSpace(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && isStreamSpace(text[pos])) ++pos;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Finds the extent of an integer (sign and digits) at pos; returns its end, or
// npos when no digit follows.
std::size_t scanInteger(std::string_view text, std::size_t pos) {
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    const std::size_t digits = pos;
    while (pos < text.size() && isDigit(text[pos])) ++pos;
    return pos == digits ? std::string_view::npos : pos;
}

// The extent of a real: sign, digits with an optional fraction, an optional
// exponent. npos when there is no mantissa digit or an exponent mark has no digit.
std::size_t scanReal(std::string_view text, std::size_t pos) {
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    std::size_t mantissaDigits = 0;
    while (pos < text.size() && isDigit(text[pos])) ++pos, ++mantissaDigits;
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        while (pos < text.size() && isDigit(text[pos])) ++pos, ++mantissaDigits;
    }
    if (mantissaDigits == 0) return std::string_view::npos;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t p = pos + 1;
        if (p < text.size() && (text[p] == '+' || text[p] == '-')) ++p;
        const std::size_t digits = p;
        while (p < text.size() && isDigit(text[p])) ++p;
        if (p == digits) return std::string_view::npos;
        pos = p;
    }
    return pos;
}

bool parseInt(std::string_view number, std::int32_t& value) {
    bool negative = false;
    if (number[0] == '+' || number[0] == '-') {
        negative = number[0] == '-';
        number.remove_prefix(1);
    }
    std::int64_t magnitude = 0;
    for (char c : number) {
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > std::int64_t{1} << 31) return false;
    }
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue < std::numeric_limits<std::int32_t>::min() ||
        signedValue > std::numeric_limits<std::int32_t>::max())
        return false;
    value = static_cast<std::int32_t>(signedValue);
    return true;
}

// The decimal exponent of the leading non-zero digit of an unsigned real text
// (digits, optional fraction, optional exponent); saturates far beyond any
// float so that huge exponent texts cannot overflow.
long long leadingDecimalExponent(std::string_view number) {
    std::size_t i = 0;
    long long integerDigits = 0;
    long long lead = 0;
    bool found = false;
    while (i < number.size() && isDigit(number[i])) {
        if (!found && number[i] != '0') {
            found = true;
            lead = integerDigits;  // index of the digit; fixed up below
        }
        ++integerDigits;
        ++i;
    }
    if (found) lead = integerDigits - 1 - lead;
    if (i < number.size() && number[i] == '.') {
        ++i;
        long long fraction = 0;
        while (i < number.size() && isDigit(number[i])) {
            ++fraction;
            if (!found && number[i] != '0') {
                found = true;
                lead = -fraction;
            }
            ++i;
        }
    }
    long long exponent = 0;
    if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
        ++i;
        bool negative = false;
        if (i < number.size() && (number[i] == '+' || number[i] == '-')) negative = number[i++] == '-';
        while (i < number.size() && isDigit(number[i])) {
            if (exponent < 1000000000LL) exponent = exponent * 10 + (number[i] - '0');
            ++i;
        }
        if (negative) exponent = -exponent;
    }
    return lead + exponent;
}

bool parseReal(std::string_view number, float& value) {
    bool negative = false;
    if (number[0] == '+' || number[0] == '-') {
        negative = number[0] == '-';
        number.remove_prefix(1);
    }
    float parsed = 0.0f;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), parsed);
    if (result.ec == std::errc::result_out_of_range) {
        // Beyond single precision's range: too large fails, too small is zero
        // (however many exponent digits the text has).
        if (leadingDecimalExponent(number) < 0) {
            value = negative ? -0.0f : 0.0f;
            return true;
        }
        return false;
    }
    if (result.ec != std::errc() || std::isinf(parsed)) return false;
    value = negative ? -parsed : parsed;
    return true;
}

}  // namespace

bool readIntToken(std::string_view text, std::size_t& pos, std::int32_t& value) {
    skipSpace(text, pos);
    const std::size_t end = scanInteger(text, pos);
    if (end == std::string_view::npos) return false;
    if (!parseInt(text.substr(pos, end - pos), value)) return false;
    pos = end;
    return true;
}

bool readRealToken(std::string_view text, std::size_t& pos, float& value) {
    skipSpace(text, pos);
    const std::size_t end = scanReal(text, pos);
    if (end == std::string_view::npos) return false;
    if (!parseReal(text.substr(pos, end - pos), value)) return false;
    pos = end;
    return true;
}

bool readWordView(std::string_view text, std::size_t& pos, std::string_view& word) {
    skipSpace(text, pos);
    if (pos >= text.size()) return false;
    const std::size_t start = pos;
    while (pos < text.size() && !isStreamSpace(text[pos])) ++pos;
    word = text.substr(start, pos - start);
    return true;
}

bool readWordToken(std::string_view text, std::size_t& pos, std::string& word) {
    std::string_view view;
    if (!readWordView(text, pos, view)) return false;
    word.assign(view);
    return true;
}

std::int32_t textToInt(std::string_view s) {
    std::size_t pos = 0;
    std::int32_t value = 0;
    return readIntToken(s, pos, value) ? value : 0;
}

float textToReal(std::string_view s) {
    std::size_t pos = 0;
    float value = 0.0f;
    return readRealToken(s, pos, value) ? value : 0.0f;
}

void removeBlanks(std::string& s) {
    std::string::size_type out = 0;
    for (char c : s)
        if (c != ' ') s[out++] = c;
    s.resize(out);
}

}  // namespace pelorn
