// Loading a text file into a string_list.
#include "string_list.h"

#include "error_handler.h"
#include "message_catalogue.h"
#include "qvfileio.h"

#include <algorithm>
#include <cstring>

string_list::string_list(Error_Handler* handler, const char* file_name) {
    init_string_list(handler, file_name);
}

void string_list::clear() {
    m_lines.clear();
    m_text.reset();
}

unsigned string_list::get_maxstrlen() const {
    std::size_t longest = 0;
    for (const char* text : m_lines) {
        longest = std::max(longest, std::strlen(text));
    }
    return static_cast<unsigned>(longest);
}

void string_list::init_string_list(Error_Handler* handler, const char* file_name) {
    qvfileio file(handler, file_name, QV_GENERIC_READ, QV_SHARE_READ);
    const uint32_t size = file.get_file_size();
    if (size == 0) {
        file.throw_error_code(MSG_FILE_SIZE_ZERO);
    }
    auto buffer = std::make_unique_for_overwrite<char[]>(std::size_t{size} + 2);
    file.read(buffer.get(), size);
    adopt_text(handler, std::move(buffer), size);
}

void string_list::set_text(Error_Handler* handler, const char* data, std::size_t size) {
    auto copy = std::make_unique_for_overwrite<char[]>(size + 1);
    std::memcpy(copy.get(), data, size);
    adopt_text(handler, std::move(copy), size);
}

void string_list::adopt_text(Error_Handler* handler, std::unique_ptr<char[]> owned,
                             std::size_t size) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(owned.get());
    // Control characters are rare; test the common case with one comparison a byte.
    for (std::size_t i = 0; i < size; ++i) {
        if (bytes[i] < 30 && !is_text_byte(bytes[i])) {
            clear();
            handler->set_error_type(ET_ERROR);
            handler->set_error_code(MSG_NOT_ASCII_TEXT);
            throw handler;
        }
    }

    clear();
    // The lines are cut out of the text itself: each line end becomes its terminator.
    m_text = std::move(owned);
    char* text = m_text.get();
    text[size] = '\0';
    m_lines.reserve(static_cast<std::size_t>(std::count(text, text + size, '\n')) + 1);

    std::size_t start = 0;
    while (start < size) {
        const auto* feed = static_cast<char*>(std::memchr(text + start, '\n', size - start));
        if (feed == nullptr) {
            // Text after the last line feed, a carriage return at its end included.
            m_lines.push_back(text + start);
            break;
        }
        const std::size_t end = static_cast<std::size_t>(feed - text);
        text[end] = '\0';
        if (end > start) {
            if (text[end - 1] == '\r') {
                text[end - 1] = '\0';
            }
            m_lines.push_back(text + start);
        }
        start = end + 1;
    }
}
