// Which names may become file names. A map name is the stem of files the
// program writes in its working folder, and it comes from places nobody
// checked (line 2 of a shared map file, "#LastOpen#" of appdata.dat, a
// dialog, the command line), so one rule decides for all of them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pelorn {

// Longer names are refused; "Untitled" and every name a dialog takes (at
// most 15 characters) are far below it.
constexpr std::size_t kMaxMapNameLength = 64;

enum class MapNameProblem {
    None,
    Empty,
    TooLong,               // more than kMaxMapNameLength characters
    PathCharacter,         // / \ : * ? " < > |
    ControlCharacter,      // codes 0 to 31 and 127, NUL included
    DotName,               // "." or ".."
    TrailingDotOrBlank,    // Windows drops them, and the name then means another file
    DeviceName,            // CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, ...
};

// What is wrong with the name as the stem of a file in the working folder:
// None for a safe name. A safe name is a single plain file name on Windows
// and on POSIX systems alike, and names no device.
MapNameProblem mapNameProblem(std::string_view name);
inline bool isSafeMapName(std::string_view name) { return mapNameProblem(name) == MapNameProblem::None; }

// The rule a problem breaks, as a sentence for messages ("a name must ...").
const char* mapNameRuleText(MapNameProblem problem);

// True when Windows takes the file name for a device, whatever follows it:
// CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9 (also with the superscript digits
// 1 to 3), CONIN$ and CONOUT$, in any letter case, alone or before a dot,
// blanks before the dot included ("aux .map"). Opening such a name may wait
// on a port for good.
bool namesReservedDevice(std::string_view fileName);

// The last component of a path: what follows the last "/", "\" or ":".
std::string_view fileNameOfPath(std::string_view path);

// Reads the next white-space-separated token as a map name. False at the end
// of the text. Otherwise `pos` is past the token and `name` holds it when it
// is a safe map name, or is empty when it is not; a token longer than
// kMaxMapNameLength is passed over without being copied.
bool readMapNameToken(std::string_view text, std::size_t& pos, std::string& name);

}  // namespace pelorn
