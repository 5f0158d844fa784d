// Text as a JSON string. Map files are shared and their names untrusted:
// quotes, back slashes and control characters are escaped, and so is every
// byte that is not part of well-formed UTF-8, read as the Latin-1 character
// of that value, so that the output is always valid JSON.
#pragma once

#include <string>
#include <string_view>

namespace pelorn {

// The text between double quotes, escaped.
std::string jsonString(std::string_view text);

}  // namespace pelorn
