#include "Resident.h"

#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

namespace tri {

void populate(void* data, std::size_t bytes)
{
#ifdef MADV_POPULATE_WRITE
    // Below this, the call costs about what the few faults it saves cost.
    constexpr std::size_t kWorthwhile = std::size_t{64} << 10;
    if (data == nullptr || bytes < kWorthwhile) return;
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    // Whole pages inside the array only: the pages at its ends may hold other data.
    const std::uintptr_t first = (begin + page - 1) / page * page;
    const std::uintptr_t last = (begin + bytes) / page * page;
    if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_POPULATE_WRITE);
#else
    (void)data;
    (void)bytes;
#endif
}

} // namespace tri
