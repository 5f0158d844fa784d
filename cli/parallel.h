// Work run on several threads at once: std::thread where the C++ library
// has it, the Win32 threads in the Windows build (its library has none).
#pragma once

#include <cstdint>
#include <functional>

namespace pelorn::cli {

// The threads of the machine's cores, at least 1.
std::int32_t coreCount();

// Runs `work` on `threads` threads (this one among them) and returns when
// all have returned.
void runInParallel(std::int32_t threads, const std::function<void()>& work);

}  // namespace pelorn::cli
