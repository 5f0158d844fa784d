// Whether the companion talks to a person: progress lines go to a terminal only.
#pragma once

namespace pelorn::cli {

bool stderrIsTerminal();

}  // namespace pelorn::cli
