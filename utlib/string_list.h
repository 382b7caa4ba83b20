// string_list: a checked text file held in memory as an array of lines.
#pragma once

#include "qv6_ut_export.h"

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

class Error_Handler;

class QV6_UT_EXPORT string_list {
public:
    string_list() = default;
    // init_string_list with the arguments.
    string_list(Error_Handler* handler, const char* file_name);
    string_list(const string_list&) = delete;
    string_list& operator=(const string_list&) = delete;
    string_list(string_list&&) noexcept = default;
    string_list& operator=(string_list&&) noexcept = default;

    // Reads `file_name` into the list, replacing what it held. Raises `handler` (armed for the
    // file) when the file cannot be read, with code 155 for an empty file and 342 for a file that
    // is not text (the list is then empty).
    void init_string_list(Error_Handler* handler, const char* file_name);

    // Checks and splits `size` bytes of text already in memory, as init_string_list does after
    // reading. `handler` must be armed for the file the bytes came from; raises it with code 342
    // for bytes that are not text.
    //
    // Lines may end in LF, CR LF, CR alone or LF CR, all through the text alike; the first line
    // feed tells LF CR (a carriage return after it and none before) from the others, and a text
    // without line feeds ends its lines in carriage returns. Every line end makes an entry, empty
    // lines too, so a text has the same lines (and line numbers) whatever its line ends; text
    // after the last line end is a line too. A carriage return that is no part of the text's
    // line ends stays in its line.
    void set_text(Error_Handler* handler, const char* data, std::size_t size);
    // The whole content of a file already read, `handler` armed for it: as init_string_list after
    // reading, an empty file raising code 155 too.
    void set_file_text(Error_Handler* handler, std::string_view bytes);
    // The same as set_text, taking over `text` (of `size` bytes and at least one more) instead of
    // copying it.
    void adopt_text(Error_Handler* handler, std::unique_ptr<char[]> text, std::size_t size);

    // Number of lines.
    int count() const { return static_cast<int>(m_lines.size()); }
    bool empty() const { return m_lines.empty(); }
    // Line `index` (0-based), without its line end; editable in place (not lengthened).
    char* line(int index) { return m_lines[static_cast<std::size_t>(index)]; }
    const char* line(int index) const { return m_lines[static_cast<std::size_t>(index)]; }
    char* operator[](int index) { return line(index); }
    const char* operator[](int index) const { return line(index); }

    // Length of the longest line; 0 for an empty list.
    unsigned get_maxstrlen() const;

    void clear();

private:
    std::unique_ptr<char[]> m_text; // every line, each ending in a zero
    std::vector<char*> m_lines;
};

// True for a byte that a text file may hold: not below 30, or zero, tab, line feed, carriage
// return or the end-of-file mark 26.
inline bool is_text_byte(unsigned char byte) {
    return byte >= 30 || byte == 0 || byte == 9 || byte == 10 || byte == 13 || byte == 26;
}
