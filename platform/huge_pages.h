// Asking the system for large pages on the board's biggest tables (where it gives them).
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

// Prepares the allocator's heap for a board read from a file of `file_bytes`: the heap is grown
// once by about what the board's records will take and that room is advised for huge pages,
// since the records are millions of small allocations that would otherwise each fault in their
// own 4 kB page. Nothing changes what is stored; where the allocator cannot be told (another C
// library, a sanitizer build), nothing is done.
void prepare_heap_for_board(size_t file_bytes);

// Boards from this size up are built in memory backed by large pages.
inline constexpr size_t kSmallBoard = 256u << 10;
