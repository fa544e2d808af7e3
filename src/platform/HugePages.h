// Large buffers ask the kernel for 2 MB pages. Pictures and point lists are read and written far apart (a
// column of pixels, a few points per pixel column), and with 4 KB pages nearly every such touch first walks
// the page tables.
#pragma once

#include <sys/mman.h>

#include <cstddef>

namespace plotara {

inline constexpr size_t kHugePageBytes = size_t{2} << 20;

// Asks for huge pages over [p, p + bytes), which starts on a page boundary; a block smaller than one huge
// page is left as it is.
inline void AskForHugePages(void* p, size_t bytes) {
  if (bytes >= kHugePageBytes) madvise(p, bytes, MADV_HUGEPAGE);
}

}  // namespace plotara
