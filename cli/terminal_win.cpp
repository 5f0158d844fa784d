#include "cli/terminal.h"

#include <windows.h>

namespace pelorn::cli {

// A console answers GetConsoleMode; a pipe, a file or the NUL device does not.
bool stderrIsTerminal() {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

}  // namespace pelorn::cli
