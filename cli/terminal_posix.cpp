#include "cli/terminal.h"

#include <unistd.h>

namespace pelorn::cli {

bool stderrIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

}  // namespace pelorn::cli
