// Saving a file so that a failed save never leaves a half-written file in place of a good one.
#pragma once

#include "qv6_ut_export.h"

#include <functional>
#include <string_view>

class Error_Handler;

// Writes the file at the path the writer is given; the writer raises on failure.
using File_Writer = std::function<void(const char* temp_path)>;

// Calls `writer` with the path of a new file in the folder of `path`, flushes the written file to
// disk and only then gives it the name `path`. A symbolic link is followed to the file it names,
// also when that file does not exist yet (it is then created, as an editor would).
//
// A file that does not exist yet is written as an unnamed file of the folder (the writer gets a
// /proc/self/fd path) and linked under its name when complete, where the system allows it; one
// that exists is written under the temporary name ".NAME.kelvor-XXXXXX" beside it and renamed
// over it. The replacement keeps the old file's permissions, and its owner and group where the
// process may set them; a set-user-ID or set-group-ID bit is kept only with the owner or group
// it belongs to. Refused before anything is written: a target that is not a regular file (a
// folder, a device, a pipe, a socket) and one the process could not open for writing (EACCES, as
// writing it in place would be; root may write a read-only file, so root replaces one).
//
// When the writer raises, or the file cannot be made, flushed or named, nothing new is left in
// the folder, `path` stays exactly as it was, and the failure travels on: Error_Handler
// pointers with the target's name in place of the temporary one (the failures of this function
// itself are recorded in `handler` and raised as its pointer), anything else as the writer
// raised it.
QV6_UT_EXPORT void save_atomically(Error_Handler* handler, const char* path,
                                   const File_Writer& writer);

// The same for a file whose bytes are all in memory: they are written straight to the new file.
QV6_UT_EXPORT void save_atomically(Error_Handler* handler, const char* path, std::string_view bytes);

// For programs without signal handling of their own (the command-line tool), called once at the
// start: an interrupt, a termination or a hang-up removes the temporary files of the saves under
// way and then ends the process as the signal would (status 128 + the signal's number); a signal
// that was ignored when this was called stays ignored. A write past the file size limit fails
// with EFBIG ("File too large") like any other failed write instead of ending the process.
QV6_UT_EXPORT void install_save_signal_handlers();

// How many files that replaced an existing one were flushed to disk before their rename since
// the process started: every one is, also inside a Deferred_Flush_Scope. For tests.
QV6_UT_EXPORT unsigned long replaced_files_flushed();

// While one exists, saves of new files skip their own flush to disk (still naming a file only
// when complete), and the scope flushes every file system they wrote to once, when it ends. A
// batch conversion of thousands of new files then waits for the disk once instead of once per
// file. A file that replaces an existing one is still flushed before the rename: a file system
// that does not order data before renames could otherwise leave an empty file in place of the
// user's good one after a power cut. Scopes nest; the outermost one flushes.
class QV6_UT_EXPORT Deferred_Flush_Scope {
public:
    Deferred_Flush_Scope();
    ~Deferred_Flush_Scope();
    Deferred_Flush_Scope(const Deferred_Flush_Scope&) = delete;
    Deferred_Flush_Scope& operator=(const Deferred_Flush_Scope&) = delete;

    // Flushes what was saved so far; false when a file system reported a failure.
    static bool flush();
};
