#include "board/huge_pages.h"

#include <sys/mman.h>

#include <cstdint>

void advise_huge_pages(const void* data, size_t bytes) {
  constexpr uintptr_t kHuge = 2u << 20;
  if (bytes < 2 * kHuge) return;
  // Only whole huge pages inside the block can be advised.
  const uintptr_t start = (reinterpret_cast<uintptr_t>(data) + kHuge - 1) & ~(kHuge - 1);
  const uintptr_t end = (reinterpret_cast<uintptr_t>(data) + bytes) & ~(kHuge - 1);
  if (end > start) ::madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
}
