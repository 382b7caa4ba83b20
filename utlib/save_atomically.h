// Saving a file so that a failed save never leaves a half-written file in place of a good one.
#pragma once

#include "qv6_ut_export.h"

#include <functional>
#include <string_view>

class Error_Handler;

// Writes the file at the path the writer is given; the writer raises on failure.
using File_Writer = std::function<void(const char* temp_path)>;

// Calls `writer` with the path of a new temporary file in the folder of `path`, flushes the
// written file to disk and only then renames it over `path` (following a symbolic link to the
// file it names). An existing file keeps its permissions; a new one gets the usual ones.
//
// When the writer raises, or the temporary file cannot be made, flushed or renamed, the
// temporary file is removed, `path` stays exactly as it was, and the failure travels on:
// Error_Handler pointers with the target's name in place of the temporary one (the failures of
// this function itself are recorded in `handler` and raised as its pointer), anything else as
// the writer raised it.
QV6_UT_EXPORT void save_atomically(Error_Handler* handler, const char* path,
                                   const File_Writer& writer);

// The same for a file whose bytes are all in memory: they are written straight to the temporary
// file, which saves opening it twice. A file that does not exist yet is written as an unnamed
// file of the folder and given its name when complete, where the system allows it.
QV6_UT_EXPORT void save_atomically(Error_Handler* handler, const char* path, std::string_view bytes);

// While one exists, saves skip their own flush to disk (still writing to a temporary file and
// renaming it only when complete), and the scope flushes every file system they wrote to once,
// when it ends. A batch conversion of thousands of files then waits for the disk once instead of
// once per file. Scopes nest; the outermost one flushes.
class QV6_UT_EXPORT Deferred_Flush_Scope {
public:
    Deferred_Flush_Scope();
    ~Deferred_Flush_Scope();
    Deferred_Flush_Scope(const Deferred_Flush_Scope&) = delete;
    Deferred_Flush_Scope& operator=(const Deferred_Flush_Scope&) = delete;

    // Flushes what was saved so far; false when a file system reported a failure.
    static bool flush();
};
