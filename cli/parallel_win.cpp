#include <windows.h>

#include <vector>

#include "cli/parallel.h"

namespace pelorn::cli {

namespace {

DWORD WINAPI runWork(LPVOID work) {
    (*static_cast<const std::function<void()>*>(work))();
    return 0;
}

}  // namespace

std::int32_t coreCount() {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwNumberOfProcessors > 0 ? static_cast<std::int32_t>(info.dwNumberOfProcessors) : 1;
}

void runInParallel(std::int32_t threads, const std::function<void()>& work) {
    std::vector<HANDLE> others;
    for (std::int32_t t = 1; t < threads; ++t) {
        const HANDLE thread = CreateThread(nullptr, 0, runWork, const_cast<std::function<void()>*>(&work), 0, nullptr);
        if (thread) others.push_back(thread);  // without it, the others do its share
    }
    work();
    for (HANDLE thread : others) {
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
}

}  // namespace pelorn::cli
