#pragma once

#include <cstddef>
#include <vector>

namespace tri {

// Maps in the memory pages of a new array in one call. Left alone, a new array
// takes a page fault per 4 KiB on its first writes; under virtualisation that costs
// about 10 us a page, ten times what mapping the pages in at once costs. Only a
// hint: where the system lacks the call, the pages fault in as usual.
void populate(void* data, std::size_t bytes);

// Reserves room for n items with its pages mapped in.
template <class T> void reserveResident(std::vector<T>& v, std::size_t n)
{
    v.reserve(n);
    populate(v.data(), n * sizeof(T));
}

} // namespace tri
