// Asking for large pages on the board's biggest tables.
#pragma once

#include <cstddef>
#include <vector>

// Advises the kernel to back [data, data + bytes) with huge pages. A board of hundreds of
// megabytes otherwise spends much of its load time taking one page fault per 4 kB of the tables
// it fills; this only helps and never changes what is stored.
void advise_huge_pages(const void* data, size_t bytes);

// The same for a vector's reserved storage, before it is filled.
template <typename T>
void advise_huge_pages(const std::vector<T>& records) {
  advise_huge_pages(records.data(), records.capacity() * sizeof(T));
}
