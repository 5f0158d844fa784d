#include <algorithm>
#include <thread>
#include <vector>

#include "cli/parallel.h"

namespace pelorn::cli {

std::int32_t coreCount() { return static_cast<std::int32_t>(std::max(1u, std::thread::hardware_concurrency())); }

void runInParallel(std::int32_t threads, const std::function<void()>& work) {
    std::vector<std::thread> others;
    for (std::int32_t t = 1; t < threads; ++t) others.emplace_back(work);
    work();
    for (std::thread& thread : others) thread.join();
}

}  // namespace pelorn::cli
