// Reading binary records from a file's bytes in memory.
#include "byte_reader.h"

#include "error_handler.h"
#include "message_catalogue.h"

#include <cstring>

Byte_Reader::Byte_Reader(Error_Handler* handler, std::string_view bytes)
    : m_handler(handler), m_bytes(bytes) {}

void Byte_Reader::raise_at_end() {
    m_handler->set_last_error_code(0);
    throw_error_code(MSG_READ_ERROR_AT_EOF);
}

void Byte_Reader::read(char* buffer, std::size_t count) {
    if (count > m_bytes.size() - m_position) {
        raise_at_end();
    }
    if (count > 0) {
        std::memcpy(buffer, m_bytes.data() + m_position, count);
    }
    m_position += count;
}

void Byte_Reader::read_aligned(char* buffer, std::size_t buffer_size, std::size_t stored_size) {
    if (stored_size > m_bytes.size() - m_position) {
        raise_at_end();
    }
    read(buffer, buffer_size < stored_size ? buffer_size : stored_size);
    m_position += buffer_size < stored_size ? stored_size - buffer_size : 0;
}

bool Byte_Reader::read_nothrow_eof(char* buffer, std::size_t count) {
    const std::size_t left = m_bytes.size() - m_position;
    const std::size_t taken = count < left ? count : left;
    read(buffer, taken);
    return taken == count;
}

uint32_t Byte_Reader::checked_count(uint32_t count, uint32_t item_size) {
    if (static_cast<uint64_t>(count) * item_size > m_bytes.size() - m_position) {
        raise_at_end();
    }
    return count;
}

void Byte_Reader::throw_error_code(int code) {
    m_handler->set_error_code(code);
    throw m_handler;
}
