// Batch_Memory_Scope: freed memory stays in the process while a batch runs, and goes back to
// the system after it.
#include "batch_memory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

// The sanitizers bring allocators of their own, which do not report on a heap.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define KELVOR_OWN_ALLOCATOR 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(memory_sanitizer) || \
    __has_feature(thread_sanitizer)
#define KELVOR_OWN_ALLOCATOR 1
#endif
#endif

namespace {

#if defined(__GLIBC__) && !defined(KELVOR_OWN_ALLOCATOR)

constexpr std::size_t block_size = 8 * 1024 * 1024;

// Bytes free in the heap, held by the process.
std::size_t free_heap() {
    return mallinfo2().fordblks;
}

// Allocates, touches and frees a block the size of a large file's buffer.
void use_a_block() {
    void* block = std::malloc(block_size);
    ASSERT_NE(block, nullptr);
    std::memset(block, 1, block_size);
    std::free(block);
}

TEST(BatchMemory, FreedBuffersAreKeptForTheNextFileAndReturnedAfterTheBatch) {
    {
        Batch_Memory_Scope batch;
        {
            Batch_Memory_Scope nested; // the inner end leaves the batch's settings alone
        }
        use_a_block();
        EXPECT_GE(free_heap(), block_size); // from the heap, and still there
    }
    EXPECT_LT(free_heap(), block_size);

    // Without a scope a block this size is a mapping of its own, gone when freed.
    use_a_block();
    EXPECT_LT(free_heap(), block_size);
}

#endif

} // namespace
