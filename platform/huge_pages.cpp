#include "platform/huge_pages.h"

#if defined(_WIN32)

// Windows gives large pages only to processes with a privilege users seldom hold; boards are
// built in ordinary pages there.
void advise_huge_pages(const void*, size_t) {}
void prepare_heap_for_board(size_t) {}

#else

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>

void advise_huge_pages(const void* data, size_t bytes) {
  constexpr uintptr_t kHuge = 2u << 20;
  if (bytes < 2 * kHuge) return;
  // Only whole huge pages inside the block can be advised.
  const uintptr_t start = (reinterpret_cast<uintptr_t>(data) + kHuge - 1) & ~(kHuge - 1);
  const uintptr_t end = (reinterpret_cast<uintptr_t>(data) + bytes) & ~(kHuge - 1);
  if (end > start) ::madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
}

#if defined(__SANITIZE_ADDRESS__)
#define SILKORA_NO_HEAP_ADVICE 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SILKORA_NO_HEAP_ADVICE 1
#endif
#endif

#if defined(__GLIBC__) && !defined(SILKORA_NO_HEAP_ADVICE)
#include <malloc.h>
#include <unistd.h>

#include <cstdlib>

void prepare_heap_for_board(size_t file_bytes) {
  constexpr size_t kHuge = 2u << 20;
  // A board's records take about twice its file's size. Even a board of a few hundred
  // kilobytes takes a few hundred page faults, which cost more than its reading; only the
  // smallest boards are left as they are.
  if (file_bytes < kSmallBoard || file_bytes > (size_t{1} << 39)) return;
  const size_t room = std::max(2 * file_bytes, 3 * kHuge);
  // The heap grows by the room at once, and is never given back below it between files.
  mallopt(M_TOP_PAD, static_cast<int>(std::min<size_t>(room, 1u << 30)));
  mallopt(M_TRIM_THRESHOLD, static_cast<int>(std::min<size_t>(2 * room, 1u << 30)));
  // Tables up to the allocator's largest threshold come from that room too instead of each
  // being mapped on its own (larger ones are advised where they are made).
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  // Blocks just under the size the allocator would map on its own come from the heap; once the
  // heap's free top is used up, the next one makes it grow by the room.
  char* const before = static_cast<char*>(sbrk(0));
  void* probes[16] = {};
  char* after = before;
  for (int i = 0; i < 16 && after == before; ++i) {
    probes[i] = std::malloc(96 << 10);
    after = static_cast<char*>(sbrk(0));
  }
  for (void* probe : probes) std::free(probe);
  if (before == reinterpret_cast<char*>(-1) || after <= before) return;
  advise_huge_pages(before, static_cast<size_t>(after - before));
}
#else
void prepare_heap_for_board(size_t) {}
#endif

#endif
