// Memory kept for reuse while a batch runs.
#pragma once

#include "qv6_ut_export.h"

// A batch conversion reads, converts and frees one file after another, each needing buffers of
// about the same size. The allocator would hand the larger ones back to the system when they are
// freed and take them again, a page fault at a time, for the next file. While a scope exists,
// freed memory stays in the process for the next file; when the outermost scope ends, the
// allocator's usual thresholds return and what is free goes back to the system. Scopes nest.
class QV6_UT_EXPORT Batch_Memory_Scope {
public:
    Batch_Memory_Scope();
    ~Batch_Memory_Scope();
    Batch_Memory_Scope(const Batch_Memory_Scope&) = delete;
    Batch_Memory_Scope& operator=(const Batch_Memory_Scope&) = delete;
};
