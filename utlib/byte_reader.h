// Byte_Reader: the binary readers' cursor over a data file already read into memory.
//
// It fails as reading the file itself would: a read or a count beyond the bytes there raises the
// handler with code 123 (read error at end of file), before anything is copied or allocated.
#pragma once

#include "qv6_ut_export.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

class Error_Handler;

class QV6_UT_EXPORT Byte_Reader {
public:
    // Reads `bytes`, which must outlive the reader: the content of the file `handler` was armed
    // for when the file was read (Error_Handler::init_fileio), so that its failures name it.
    Byte_Reader(Error_Handler* handler, std::string_view bytes);

    // Copies exactly `count` bytes; fewer left raises with code 123, nothing copied.
    void read(char* buffer, std::size_t count);
    // Reads a record the file stores with `stored_size` bytes into a buffer of `buffer_size`:
    // a longer stored record is cut to the buffer and the rest skipped; a shorter one fills the
    // start of the buffer and leaves the rest as the caller set it. A record that the file does
    // not hold whole raises with code 123, before anything is read.
    void read_aligned(char* buffer, std::size_t buffer_size, std::size_t stored_size);
    // Copies up to `count` bytes; true when all were there, false at the end of the bytes.
    bool read_nothrow_eof(char* buffer, std::size_t count);
    // Back to the first byte.
    void rewind() { m_position = 0; }
    uint32_t get_position() const { return static_cast<uint32_t>(m_position); }
    uint32_t bytes_left() const { return static_cast<uint32_t>(m_bytes.size() - m_position); }
    // Checks, before anything is allocated for them, that `count` items of `item_size` bytes
    // (a count read from the file) fit in what is left; raises with code 123 when they do not.
    // Returns the count.
    uint32_t checked_count(uint32_t count, uint32_t item_size);
    // Records `code` (a catalogue id) in the handler and raises it: for format faults the reader
    // finds itself, such as a wrong identifier (104).
    [[noreturn]] void throw_error_code(int code);

private:
    [[noreturn]] void raise_at_end();

    Error_Handler* m_handler;
    std::string_view m_bytes;
    std::size_t m_position = 0;
};
