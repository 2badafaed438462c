#include "foundation/Prefault.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <initializer_list>

namespace os {

void prefault(const void* data, std::size_t bytes)
{
    if (bytes == 0)
        return;
    static const uintptr_t page = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
    const uintptr_t begin = reinterpret_cast<uintptr_t>(data) & ~(page - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(data) + bytes + page - 1) & ~(page - 1);
    for (const int advice : {MADV_HUGEPAGE, MADV_POPULATE_WRITE})
        ::madvise(reinterpret_cast<void*>(begin), end - begin, advice);
}

} // namespace os
