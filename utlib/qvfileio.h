// qvfileio: one open file, read and written exactly, every failure raised as Error_Handler*.
//
// Constructed means open; the destructor closes the file, also while an exception unwinds.
// Opening arms the handler for this file (Error_Handler::init_fileio), so the handler always
// describes the most recently opened file. Positions and sizes are 32-bit, as in the files.
#pragma once

#include "qv6_ut_export.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class Error_Handler;

// Access rights.
inline constexpr unsigned long QV_GENERIC_READ = 0x80000000UL;
inline constexpr unsigned long QV_GENERIC_WRITE = 0x40000000UL;
inline constexpr unsigned long QV_GENERIC_READ_WRITE = 0xC0000000UL;
// Sharing: whether other openers may read the file while it is open here.
inline constexpr unsigned long QV_SHARE_NONE = 0;
inline constexpr unsigned long QV_SHARE_READ = 1;
// Origins of move_ptr.
inline constexpr unsigned long QV_FILE_BEGIN = 0;
inline constexpr unsigned long QV_FILE_CURRENT = 1;
inline constexpr unsigned long QV_FILE_END = 2;

// The largest data files read: no text data file of these formats comes near 256 MB, nor a
// binary one near 64 MB. A text file is held whole in memory while it is read, so a larger one
// is refused before anything of it is read.
inline constexpr uint32_t MAX_TEXT_FILE_SIZE = 256u << 20;
inline constexpr uint32_t MAX_BINARY_FILE_SIZE = 64u << 20;

// The most bytes a kind of data file holds, and what the refusal of a larger one calls it.
struct Data_File_Limit {
    uint32_t bytes;
    const char* kind; // "text data file", "binary data file", ...
};

// The whole of the data file `path`, read through one open with `share` (which arms `handler`
// for the file, so that the readers handed the bytes name it in their failures). A file larger
// than `limit` is refused before anything of it is read; with `head_size`, its first bytes (at
// most that many) are read, and a file larger than what `limit_after_head` gives for them is
// refused before the rest is read. Raises `handler` as qvfileio does: a file that cannot be opened or
// is no regular file, a file too large ("File too large: N bytes, where a KIND holds at most
// M MB").
QV6_UT_EXPORT std::string read_data_file(
    Error_Handler* handler, const char* path, Data_File_Limit limit, std::size_t head_size = 0,
    const std::function<Data_File_Limit(std::string_view head)>& limit_after_head = nullptr,
    unsigned long share = QV_SHARE_READ);

// "Not a regular file: this is a named pipe, and only regular files are `done`": why a file of
// `mode` (a stat mode that is neither a regular file nor a folder) is not opened or replaced.
QV6_UT_EXPORT std::string not_regular_file_text(unsigned mode, const char* done);

class QV6_UT_EXPORT qvfileio {
public:
    // Opens `file_name`:
    //  - read and write (exactly QV_GENERIC_READ_WRITE): opens, or creates when missing;
    //  - any other access with write: creates, emptying an existing file;
    //  - read: opens an existing file, which others may read too when `share` allows it.
    // A file opened for reading (read, or read and write) must be a regular file or a link to
    // one: a folder raises with EISDIR, a named pipe, device or socket raises with a text saying
    // what it is. Such a file is opened without waiting, so that a pipe nobody writes to does
    // not hold the open up.
    // A file opened without read sharing is locked against other openers (advisory lock).
    // When `directory` is not empty, the file opened is the name's file-name part in that
    // folder. Raises the handler when the file cannot be opened.
    qvfileio(Error_Handler* handler, const char* file_name, unsigned long access,
             unsigned long share, const char* directory = nullptr);
    ~qvfileio();
    qvfileio(const qvfileio&) = delete;
    qvfileio& operator=(const qvfileio&) = delete;

    // Reads exactly `count` bytes; a short read raises with code 123. (The binary readers read
    // their records from the file's bytes in memory, with the same rules: see Byte_Reader.)
    void read(char* buffer, unsigned count);
    // Reads a record the file stores with `stored_size` bytes into a buffer of `buffer_size`:
    // a longer stored record is cut to the buffer and the rest skipped; a shorter one fills the
    // start of the buffer and leaves the rest as the caller set it. A record that the file does
    // not hold whole raises with code 123, before anything is read.
    void read_aligned(char* buffer, unsigned long buffer_size, unsigned long stored_size);
    // Reads up to `count` bytes; true when all were read, false at the end of the file. Raises
    // only when the read itself fails.
    bool read_nothrow_eof(char* buffer, unsigned long count);
    // Writes exactly `count` bytes; a short write raises with code 116.
    void write(const char* buffer, unsigned count);
    // Moves the position by `distance` from `origin` (QV_FILE_BEGIN, _CURRENT, _END). A position
    // before the start or beyond 32 bits raises.
    void move_ptr(long distance, unsigned long origin);
    // The current position.
    uint32_t get_position();
    // The size of the file; a file of 4 GiB or more raises.
    uint32_t get_file_size();
    // The size of the file when it is at most `limit` bytes; a larger file raises (no code, the
    // handler's info text naming the limit: "File too large: N bytes, where a KIND holds at most
    // 64 MB"). `kind` names the files meant, such as "binary data file".
    uint32_t get_file_size_within(uint32_t limit, const char* kind);
    // Bytes between the position and the end of the file.
    uint32_t bytes_left();
    // Cuts the file at the current position.
    void set_endof_file();
    // Records `code` (a catalogue id) in the handler and raises it: for format faults the reader
    // finds itself, such as a wrong identifier (104).
    [[noreturn]] void throw_error_code(int code);

private:
    [[noreturn]] void raise_system_error(int system_error);
    // Reads up to `count` bytes, retrying interrupted and partial reads; the count read.
    unsigned long read_some(char* buffer, unsigned long count);

    int m_fd = -1;
    Error_Handler* m_handler;
};
