// Fuzz target for the text import engine's fields: arbitrary lines under every combination of
// the layout flags.
//
// The first byte chooses the flags (bit 0 quotes, bit 1 consecutive, bit 2 fixed width, bits 3
// to 5 the delimiter choice), the second the "other" delimiter, the next four the fixed-width
// boundaries clicked; the rest is the text. Every field must be at most 79 characters, a
// delimited line must split into fields that join back into it, and a fixed-width field must be
// a trimmed piece of its line.
#include "error_handler.h"
#include "fuzz_support.h"
#include "import_fuzz_support.h"
#include "txtimport_format.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t header_size = 6;
constexpr int max_lines = 64;

bool is_trailing_blank(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 1 && code <= 32;
}

void check_delimited(txtimport_format& format, std::string_view line) {
    const std::vector<std::string_view> fields = format.split_line(line);
    KELVOR_CHECK(!fields.empty());
    KELVOR_CHECK(fields.size() <= static_cast<std::size_t>(txtimport_format::max_columns));
    if (fields.size() < static_cast<std::size_t>(txtimport_format::max_columns)) {
        // Fields lie in order in the line, and everything between two is delimiters.
        std::size_t at = 0;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const auto start = static_cast<std::size_t>(fields[i].data() - line.data());
            KELVOR_CHECK(start >= at && start + fields[i].size() <= line.size());
            const std::string_view gap = line.substr(at, start - at);
            KELVOR_CHECK(i == 0 ? gap.empty() : !gap.empty());
            KELVOR_CHECK(std::all_of(gap.begin(), gap.end(),
                                     [&](char c) { return c == format.delimiter; }));
            if (format.record.consecutive == 0) {
                KELVOR_CHECK(gap.size() <= 1);
            } else if (i > 0) {
                KELVOR_CHECK(!fields[i].empty());
            }
            if (format.record.quotes == 0) {
                KELVOR_CHECK(fields[i].find(format.delimiter) == std::string_view::npos);
            }
            at = start + fields[i].size();
        }
        // Only delimiters may follow the last field.
        const std::string_view rest = line.substr(at);
        KELVOR_CHECK(std::all_of(rest.begin(), rest.end(),
                                 [&](char c) { return c == format.delimiter; }));
        KELVOR_CHECK(format.get_field(static_cast<int>(fields.size())) == nullptr);
    }
    for (std::size_t i = 0; i < fields.size() && i < 16; ++i) {
        const char* text = format.get_field(static_cast<int>(i));
        KELVOR_CHECK(text != nullptr);
        const std::size_t length = std::min(fields[i].size(), txtimport_format::max_field_length);
        KELVOR_CHECK(std::strlen(text) == length);
        KELVOR_CHECK(fields[i].substr(0, length) == text);
    }
}

void check_fixed(txtimport_format& format, std::string_view line) {
    for (int field = 0; field <= format.column_count; ++field) {
        const char* text = format.get_field(field);
        if (field == format.column_count) {
            KELVOR_CHECK(text == nullptr);
            continue;
        }
        if (text == nullptr) {
            continue;
        }
        const std::size_t length = std::strlen(text);
        KELVOR_CHECK(length >= 1 && length <= txtimport_format::max_field_length);
        KELVOR_CHECK(text[0] != ' ' && text[0] != '\t');
        if (length < txtimport_format::max_field_length) {
            KELVOR_CHECK(!is_trailing_blank(text[length - 1]));
        }
        const auto start = static_cast<std::size_t>(
            format.column_starts[static_cast<std::size_t>(field)]);
        KELVOR_CHECK(start < line.size());
        KELVOR_CHECK(line.find(text, start) != std::string_view::npos);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < header_size) {
        return 0;
    }
    import_fuzz::Counting_Presenter presenter;
    Error_Handler handler;
    handler.init_fileio("lines.txt");
    txtimport_format format(nullptr, nullptr, 2, -1, true);
    try {
        format.set_text(&handler, std::string_view(reinterpret_cast<const char*>(data) + header_size,
                                                   size - header_size));
    } catch (Error_Handler* raised) {
        KELVOR_CHECK(raised == &handler);
        KELVOR_CHECK(format.lines.empty());
        return 0;
    }

    const uint8_t flags = data[0];
    format.record.quotes = flags & 1;
    format.record.consecutive = (flags >> 1) & 1;
    format.record.fixed_width = (flags >> 2) & 1;
    format.record.delimiter_choice = static_cast<uint8_t>(((flags >> 3) & 7) % 5);
    format.record.other_delimiter = static_cast<char>(data[1]);
    const bool put = format.set_delimiter();
    KELVOR_CHECK(put == (format.record.delimiter_choice != DELIMITER_OTHER || data[1] != 0));
    format.read_disp_lines();
    format.set_col_widths();
    if (format.record.fixed_width != 0) {
        for (std::size_t i = 2; i < header_size; ++i) {
            const int before = format.column_count;
            const bool toggled = format.set_fixed_column(data[i]);
            KELVOR_CHECK(toggled == (data[i] > 0 && data[i] < format.longest_line));
            KELVOR_CHECK(!toggled || format.column_count == before + 1 ||
                         format.column_count == before - 1);
        }
        KELVOR_CHECK(format.column_starts.size() ==
                     static_cast<std::size_t>(format.column_count) + 1);
    }
    format.set_col_fields();
    KELVOR_CHECK(format.column_assignment.size() == static_cast<std::size_t>(format.column_count));

    KELVOR_CHECK(format.init_import());
    int line = -1;
    int expected = 0;
    while (expected < max_lines && format.set_line_buffer(line)) {
        KELVOR_CHECK(line == expected);
        const std::string_view text(format.line_buffer.data());
        KELVOR_CHECK(text == format.lines[line]);
        if (format.record.fixed_width != 0) {
            check_fixed(format, text);
        } else {
            check_delimited(format, text);
        }
        ++expected;
    }
    KELVOR_CHECK(presenter.shown == 0);
    return 0;
}
