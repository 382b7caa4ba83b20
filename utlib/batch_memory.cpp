// Memory kept for reuse while a batch runs: the GNU C library's allocator thresholds.
#include "batch_memory.h"

#include <cstdlib> // says whether this is the GNU C library

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

int batch_depth = 0;

#if defined(__GLIBC__)
// Blocks up to this size come from the heap rather than from mappings of their own (the
// library's largest threshold on 64-bit systems), and this much free heap is kept.
constexpr int batch_mmap_threshold = 32 * 1024 * 1024;
constexpr int batch_trim_threshold = 128 * 1024 * 1024;
// The library's defaults.
constexpr int default_threshold = 128 * 1024;
#endif

} // namespace

Batch_Memory_Scope::Batch_Memory_Scope() {
    if (batch_depth++ == 0) {
#if defined(__GLIBC__)
        mallopt(M_MMAP_THRESHOLD, batch_mmap_threshold);
        mallopt(M_TRIM_THRESHOLD, batch_trim_threshold);
#endif
    }
}

Batch_Memory_Scope::~Batch_Memory_Scope() {
    if (--batch_depth == 0) {
#if defined(__GLIBC__)
        mallopt(M_MMAP_THRESHOLD, default_threshold);
        mallopt(M_TRIM_THRESHOLD, default_threshold);
        malloc_trim(0);
#endif
    }
}
