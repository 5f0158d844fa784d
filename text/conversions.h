// Numbers to text and back, the same everywhere a number is shown or stored,
// whatever the user's locale: "." as the decimal point, no separators.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pelorn {

// Decimal digits, "-" in front when negative.
std::string intToText(std::int32_t n);

// The general form with six significant digits: trailing zeros and a bare
// decimal point dropped, exponent form (three exponent digits, as 1e-005)
// when the decimal exponent is below -4 or at least 6.
std::string realToText(float r);

// The number at the start of the text, read as a stream extraction reads it:
// white space skipped, an optional sign, then digits. No number, or one
// outside the 32-bit range, gives 0.
std::int32_t textToInt(std::string_view s);

// As textToInt for a real: digits with an optional fraction and an optional
// exponent, rounded to single precision. No number, a bare exponent mark, or a
// value beyond single precision's range gives 0.0.
float textToReal(std::string_view s);

// Removes every blank (code 32); other white space stays.
void removeBlanks(std::string& s);

// Stream-style extraction used by the file readers. Each reads one value at
// `pos` (leading white space skipped) and advances `pos` past it; on failure it
// returns false and leaves `value` unchanged (`pos` may then have moved past
// the white space). A real too small for single precision reads as zero; one
// too large fails.
bool readIntToken(std::string_view text, std::size_t& pos, std::int32_t& value);
bool readRealToken(std::string_view text, std::size_t& pos, float& value);
// Reads one white-space-separated token; false at the end of the text.
bool readWordToken(std::string_view text, std::size_t& pos, std::string& word);
// The same token as a view into the text, which the readers use to pass over
// tokens without copying them (a shared file may hold one of many megabytes).
bool readWordView(std::string_view text, std::size_t& pos, std::string_view& word);

bool isStreamSpace(char c);  // blank, tab, LF, CR, VT, FF

}  // namespace pelorn
