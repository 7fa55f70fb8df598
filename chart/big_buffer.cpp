#include "chart/big_buffer.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

void AdviseBigBuffer(const void* data, size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr uintptr_t HUGE_PAGE = 2u << 20;
    if (bytes < 4 * HUGE_PAGE) return;
    auto begin = reinterpret_cast<uintptr_t>(data);
    uintptr_t first = (begin + HUGE_PAGE - 1) & ~(HUGE_PAGE - 1);
    uintptr_t end = (begin + bytes) & ~(HUGE_PAGE - 1);
    if (end > first) ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
#endif
}
