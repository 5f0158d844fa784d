// What every dialog does with the text of an edit field before it reads it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pelorn {

// A dialog reads at most this many characters of a field (a 16-byte buffer
// with its terminating zero).
constexpr std::size_t kFieldTextLimit = 15;

// The name used wherever a map name is missing.
inline constexpr const char* kUntitledMapName = "Untitled";

// The first `count` characters of `text`, or all of it when it is shorter.
std::string firstChars(std::string_view text, std::size_t count = kFieldTextLimit);

}  // namespace pelorn
