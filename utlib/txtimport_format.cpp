// txtimport_format: splitting text lines into columns and the definition files.
#include "txtimport_format.h"

#include "error_handler.h"
#include "message_catalogue.h"
#include "save_atomically.h"
#include "text_helpers.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>

namespace {

constexpr std::size_t record_size = sizeof(Import_Definition);

void put_le32(std::string& bytes, int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<char>((bits >> shift) & 0xFF));
    }
}

int32_t get_le32(const unsigned char* bytes) {
    const uint32_t bits = uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
                          uint32_t{bytes[3]} << 24;
    return static_cast<int32_t>(bits);
}

std::string encode_record(const Import_Definition& record) {
    std::string bytes(record.magic, sizeof record.magic);
    bytes.push_back(static_cast<char>(record.fixed_width));
    bytes.push_back(static_cast<char>(record.quotes));
    bytes.push_back(static_cast<char>(record.consecutive));
    bytes.push_back(static_cast<char>(record.delimiter_choice));
    bytes.push_back(record.other_delimiter);
    bytes.append(reinterpret_cast<const char*>(record.unused), sizeof record.unused);
    put_le32(bytes, record.start_line);
    put_le32(bytes, record.field_count);
    put_le32(bytes, record.saved_column_count);
    put_le32(bytes, record.definition_kind);
    return bytes;
}

Import_Definition decode_record(const unsigned char* bytes) {
    Import_Definition record{};
    std::memcpy(record.magic, bytes, sizeof record.magic);
    record.fixed_width = bytes[16];
    record.quotes = bytes[17];
    record.consecutive = bytes[18];
    record.delimiter_choice = bytes[19];
    record.other_delimiter = static_cast<char>(bytes[20]);
    std::memcpy(record.unused, bytes + 21, sizeof record.unused);
    record.start_line = get_le32(bytes + 24);
    record.field_count = get_le32(bytes + 28);
    record.saved_column_count = get_le32(bytes + 32);
    record.definition_kind = get_le32(bytes + 36);
    return record;
}

// Reads exactly `count` bytes; false at the end of the file.
bool read_exactly(std::ifstream& in, unsigned char* buffer, std::size_t count) {
    in.read(reinterpret_cast<char*>(buffer), static_cast<std::streamsize>(count));
    return in && static_cast<std::size_t>(in.gcount()) == count;
}

bool is_flag(uint8_t value) { return value <= 1; }

// Shows `code` for the definition file `path` through `handler` as a file error.
void show_file_error(Error_Handler& handler, int code) {
    handler.set_error_code(code);
    handler.show_errormsg(nullptr, false);
}

bool is_trailing_blank(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 1 && code <= 32;
}

} // namespace

txtimport_format::txtimport_format(Error_Handler* handler, const char* path, int field_count,
                                   int definition_kind, bool free_columns)
    : free_assignment(free_columns) {
    std::memcpy(record.magic, IMPORT_DEFINITION_MAGIC, sizeof record.magic);
    record.quotes = 1;
    record.delimiter_choice = DELIMITER_COMMA;
    record.other_delimiter = '|';
    record.start_line = 1;
    record.field_count = std::max(field_count, 0);
    record.definition_kind = definition_kind;
    if (!free_assignment) {
        field_names.resize(static_cast<std::size_t>(record.field_count));
    }
    if (path != nullptr) {
        file_name = path;
        lines.init_string_list(handler, path);
    }
    size_line_buffer();
}

txtimport_format::~txtimport_format() = default;

void txtimport_format::set_text(Error_Handler* handler, std::string_view bytes) {
    string_list taken;
    taken.set_text(handler, bytes.data(), bytes.size());
    lines = std::move(taken);
    display_lines.clear();
    display_line_count = 0;
    current_line = -1;
    size_line_buffer();
}

void txtimport_format::size_line_buffer() {
    // A spreadsheet's UTF-8 export starts with a byte order mark; it is no part of the first
    // field. The line is shortened in place.
    if (!lines.empty()) {
        char* first = lines[0];
        if (std::strncmp(first, "\xEF\xBB\xBF", 3) == 0) {
            std::memmove(first, first + 3, std::strlen(first + 3) + 1);
        }
    }
    line_buffer.assign(lines.get_maxstrlen() + 2, '\0');
}

void txtimport_format::set_header_item(int index, const char* name) {
    if (index < 0 || static_cast<std::size_t>(index) >= field_names.size()) {
        return;
    }
    field_names[static_cast<std::size_t>(index)] = name != nullptr ? name : "";
}

bool txtimport_format::set_delimiter() {
    switch (record.delimiter_choice) {
    case DELIMITER_COMMA: delimiter = ','; return true;
    case DELIMITER_SEMICOLON: delimiter = ';'; return true;
    case DELIMITER_BLANK: delimiter = ' '; return true;
    case DELIMITER_TAB: delimiter = '\t'; return true;
    case DELIMITER_OTHER:
        if (record.other_delimiter == '\0') {
            return false;
        }
        delimiter = record.other_delimiter;
        return true;
    default: return false;
    }
}

bool txtimport_format::set_start_line(int line) {
    if (line < 1 || line > max_start_line) {
        return false;
    }
    record.start_line = line;
    read_disp_lines();
    return true;
}

void txtimport_format::read_disp_lines() {
    display_lines.clear();
    longest_line = 0;
    const int start = std::max(record.start_line, 1);
    const int first = std::max(start - 2, 0);
    for (int index = first; index < lines.count() && display_lines.size() < max_display_lines;
         ++index) {
        display_lines.push_back(lines[index]);
        longest_line = std::max(longest_line, static_cast<int>(std::strlen(lines[index])));
    }
    display_line_count = static_cast<int>(display_lines.size());
    first_display_line = start > 2 ? 1 : start - 1;
}

std::vector<std::string_view> txtimport_format::split_line(std::string_view line) const {
    std::vector<std::string_view> fields;
    const bool quotes = record.quotes != 0;
    const bool consecutive = record.consecutive != 0;
    bool inside = false;
    std::size_t field_start = 0;
    std::size_t at = 0;
    while (at < line.size()) {
        const char c = line[at];
        if (quotes && c == '"') {
            inside = !inside;
        } else if (c == delimiter && !inside) {
            fields.push_back(line.substr(field_start, at - field_start));
            if (fields.size() == static_cast<std::size_t>(max_columns)) {
                return fields;
            }
            if (consecutive) {
                while (at + 1 < line.size() && line[at + 1] == delimiter) {
                    ++at;
                }
            }
            field_start = at + 1;
        }
        ++at;
    }
    // The text after the last delimiter is a field, unless the line ends in a delimiter; an
    // empty line is one empty field.
    if (field_start < line.size() || fields.empty()) {
        fields.push_back(line.substr(field_start));
    }
    return fields;
}

void txtimport_format::resize_columns(int count) {
    count = std::clamp(count, 0, max_columns);
    column_count = count;
    column_assignment.resize(static_cast<std::size_t>(count), 0);
    column_widths.resize(static_cast<std::size_t>(count), 0);
    if (free_assignment) {
        field_names.resize(static_cast<std::size_t>(count));
    }
}

void txtimport_format::set_col_widths() {
    if (record.fixed_width != 0) {
        if (column_count == 0 || column_starts.size() != static_cast<std::size_t>(column_count) + 1) {
            resize_columns(1);
            column_starts = {0, longest_line};
        }
        for (int column = 0; column < column_count; ++column) {
            const auto c = static_cast<std::size_t>(column);
            column_widths[c] = column_starts[c + 1] - column_starts[c];
        }
        return;
    }
    column_starts.clear();
    std::vector<int32_t> widths;
    for (const char* line : display_lines) {
        const std::vector<std::string_view> fields = split_line(line);
        if (fields.size() > widths.size()) {
            widths.resize(fields.size(), 0);
        }
        for (std::size_t i = 0; i < fields.size(); ++i) {
            widths[i] = std::max(widths[i], static_cast<int32_t>(fields[i].size()));
        }
    }
    resize_columns(static_cast<int>(widths.size()));
    column_widths = std::move(widths);
    reset_allcolumn_header();
}

void txtimport_format::initialize_columns(int count) {
    column_count = 0;
    column_assignment.clear();
    column_widths.clear();
    resize_columns(count);
    if (record.fixed_width != 0) {
        column_starts.assign(static_cast<std::size_t>(column_count) + 1, 0);
    } else {
        column_starts.clear();
    }
}

void txtimport_format::set_col_fields() {
    for (int column = 0; column < column_count; ++column) {
        int32_t& field = column_assignment[static_cast<std::size_t>(column)];
        if (free_assignment) {
            field = column + 1;
        } else if (field < 0 || field > record.field_count) {
            field = 0;
        }
    }
}

void txtimport_format::reset_delim_columns() {
    if (record.fixed_width != 0) {
        return;
    }
    column_widths.clear();
    column_assignment.clear();
    column_count = 0;
    set_col_widths();
}

void txtimport_format::reset_selcolumn_header(int column) {
    if (column < 0 || column >= column_count) {
        return;
    }
    const auto c = static_cast<std::size_t>(column);
    const int32_t field = column_assignment[c];
    if (field < 1 || static_cast<std::size_t>(field) > field_names.size()) {
        return;
    }
    const auto name_width = static_cast<int32_t>(field_names[static_cast<std::size_t>(field) - 1].size());
    column_widths[c] = std::max(column_widths[c], name_width);
}

void txtimport_format::reset_allcolumn_header() {
    for (int column = 0; column < column_count; ++column) {
        reset_selcolumn_header(column);
    }
}

bool txtimport_format::set_fixed_column(unsigned position) {
    if (position == 0 || position >= static_cast<unsigned>(longest_line)) {
        return false;
    }
    if (column_count == 0 || column_starts.size() != static_cast<std::size_t>(column_count) + 1) {
        resize_columns(1);
        column_starts = {0, longest_line};
    }
    // The last boundary is the line's end, wherever a loaded definition put it.
    column_starts.back() = std::max(column_starts.back(), static_cast<int32_t>(longest_line));
    const auto at = static_cast<int32_t>(position);
    const auto found = std::lower_bound(column_starts.begin(), column_starts.end(), at);
    const auto index = static_cast<std::size_t>(found - column_starts.begin());
    if (found != column_starts.end() && *found == at) {
        // Columns index - 1 and index become one: the left one keeps its assignment.
        if (index + 1 == column_starts.size()) {
            return false; // the line's end is no boundary to remove
        }
        column_starts.erase(found);
        column_assignment.erase(column_assignment.begin() + static_cast<std::ptrdiff_t>(index));
        column_widths.erase(column_widths.begin() + static_cast<std::ptrdiff_t>(index));
        if (free_assignment) {
            field_names.resize(field_names.size() - 1);
        }
        --column_count;
    } else {
        if (column_count >= max_columns) {
            return false;
        }
        column_starts.insert(found, at);
        column_assignment.insert(column_assignment.begin() + static_cast<std::ptrdiff_t>(index), 0);
        column_widths.insert(column_widths.begin() + static_cast<std::ptrdiff_t>(index), 0);
        if (free_assignment) {
            field_names.emplace_back();
        }
        ++column_count;
    }
    for (std::size_t c = 0; c < static_cast<std::size_t>(column_count); ++c) {
        column_widths[c] = column_starts[c + 1] - column_starts[c];
    }
    return true;
}

bool txtimport_format::check_duplicates() {
    const std::string caption = catalogue_text(MSG_DATA_ENTRY_ERROR);
    const bool any = std::any_of(column_assignment.begin(), column_assignment.end(),
                                 [](int32_t field) { return field > 0; });
    if (!any) {
        show_message_box(nullptr, caption, catalogue_text(MSG_COLUMNS_INCOMPLETE),
                         BOX_OK | BOX_ICON_STOP);
        return false;
    }
    for (std::size_t first = 0; first < column_assignment.size(); ++first) {
        const int32_t field = column_assignment[first];
        if (field <= 0) {
            continue;
        }
        for (std::size_t second = first + 1; second < column_assignment.size(); ++second) {
            if (column_assignment[second] != field) {
                continue;
            }
            char text[512];
            const int one = static_cast<int>(first) + 1;
            const int two = static_cast<int>(second) + 1;
            if (free_assignment) {
                std::snprintf(text, sizeof text, catalogue_text(MSG_COLUMNS_SAME_DEFINITION), one,
                              two);
            } else {
                const auto name_index = static_cast<std::size_t>(field) - 1;
                const std::string name =
                    name_index < field_names.size() ? field_names[name_index] : std::string();
                std::snprintf(text, sizeof text, catalogue_text(MSG_COLUMNS_SAME_FIELD), one, two,
                              name.c_str());
            }
            show_message_box(nullptr, caption, text, BOX_OK | BOX_ICON_STOP);
            return false;
        }
    }
    return true;
}

bool txtimport_format::load_definition_file(const char* path) {
    Error_Handler handler;
    handler.init_fileio(path);
    if (path == nullptr) {
        show_file_error(handler, MSG_READ_ERROR_AT_EOF);
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        handler.set_last_error_code(static_cast<unsigned long>(errno));
        show_file_error(handler, MSG_SYSTEM_ERROR);
        return false;
    }
    unsigned char head[record_size];
    if (!read_exactly(in, head, sizeof head)) {
        show_file_error(handler, MSG_READ_ERROR_AT_EOF);
        return false;
    }
    const Import_Definition loaded = decode_record(head);
    if (std::memcmp(loaded.magic, IMPORT_DEFINITION_MAGIC, sizeof loaded.magic) != 0) {
        show_file_error(handler, MSG_WRONG_FILE_FORMAT);
        return false;
    }
    if (loaded.definition_kind != record.definition_kind) {
        show_file_error(handler, MSG_WRONG_IMPORT_DEFINITION);
        return false;
    }
    // Values no save makes: the file is damaged, and nothing in it is taken.
    if (!is_flag(loaded.fixed_width) || !is_flag(loaded.quotes) || !is_flag(loaded.consecutive) ||
        loaded.delimiter_choice > DELIMITER_OTHER || loaded.start_line < 1 ||
        loaded.saved_column_count < 0 || loaded.saved_column_count > max_columns) {
        show_file_error(handler, MSG_WRONG_FILE_FORMAT);
        return false;
    }
    // The count is capped above, so these reads allocate at most a few kilobytes; a file with
    // fewer bytes than they need is short.
    const auto count = static_cast<std::size_t>(loaded.saved_column_count);
    std::vector<unsigned char> bytes(count * 4);
    if (!read_exactly(in, bytes.data(), bytes.size())) {
        show_file_error(handler, MSG_READ_ERROR_AT_EOF);
        return false;
    }
    std::vector<int32_t> assignment(count);
    for (std::size_t i = 0; i < count; ++i) {
        assignment[i] = get_le32(bytes.data() + 4 * i);
        const int32_t fields = free_assignment ? loaded.saved_column_count : record.field_count;
        if (assignment[i] < 0 || assignment[i] > fields) {
            show_file_error(handler, MSG_WRONG_FILE_FORMAT);
            return false;
        }
    }
    std::vector<int32_t> starts;
    if (loaded.fixed_width != 0) {
        bytes.resize((count + 1) * 4);
        if (!read_exactly(in, bytes.data(), bytes.size())) {
            show_file_error(handler, MSG_READ_ERROR_AT_EOF);
            return false;
        }
        starts.resize(count + 1);
        for (std::size_t i = 0; i <= count; ++i) {
            starts[i] = get_le32(bytes.data() + 4 * i);
            if (starts[i] < 0 || (i > 0 && starts[i] <= starts[i - 1])) {
                show_file_error(handler, MSG_WRONG_FILE_FORMAT);
                return false;
            }
        }
    }

    // The caller's field count stays: it is what the caller offers, not part of the layout.
    const int32_t field_count = record.field_count;
    record = loaded;
    record.field_count = field_count;
    initialize_columns(loaded.saved_column_count);
    column_assignment = std::move(assignment);
    if (loaded.fixed_width != 0) {
        column_starts = std::move(starts);
        for (std::size_t c = 0; c < count; ++c) {
            column_widths[c] = column_starts[c + 1] - column_starts[c];
        }
    }
    reset_allcolumn_header();
    definition_file_name = path;
    set_delimiter();
    return true;
}

bool txtimport_format::save_definition_file(const char* path) {
    Error_Handler handler;
    handler.init_fileio(path);
    if (path == nullptr) {
        show_file_error(handler, MSG_INSUFFICIENT_DISK_SPACE);
        return false;
    }
    Import_Definition saved = record;
    std::memcpy(saved.magic, IMPORT_DEFINITION_MAGIC, sizeof saved.magic);
    saved.saved_column_count = column_count;
    std::string bytes = encode_record(saved);
    for (int column = 0; column < column_count; ++column) {
        put_le32(bytes, column_assignment[static_cast<std::size_t>(column)]);
    }
    if (saved.fixed_width != 0) {
        for (std::size_t i = 0; i <= static_cast<std::size_t>(column_count); ++i) {
            put_le32(bytes, i < column_starts.size() ? column_starts[i] : 0);
        }
    }
    // A failed or short write is reported as a full disk, whatever the system said.
    const File_Writer writer = [&handler, &bytes](const char* temp_path) {
        std::FILE* file = std::fopen(temp_path, "wb");
        if (file == nullptr) {
            handler.init_fileio(temp_path);
            handler.set_last_error_code(static_cast<unsigned long>(errno));
            handler.set_error_code(MSG_SYSTEM_ERROR);
            throw &handler;
        }
        const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        const bool closed = std::fclose(file) == 0;
        if (!written || !closed) {
            handler.init_fileio(temp_path);
            handler.set_error_code(MSG_INSUFFICIENT_DISK_SPACE);
            throw &handler;
        }
    };
    try {
        save_atomically(&handler, path, writer);
    } catch (Error_Handler* raised) {
        raised->show_errormsg(nullptr, false);
        return false;
    }
    record = saved;
    definition_file_name = path;
    return true;
}

bool txtimport_format::init_import() {
    const int start = std::max(record.start_line, 1);
    if (start - 1 > lines.count()) {
        return false;
    }
    current_line = start - 2;
    return true;
}

bool txtimport_format::set_line_buffer(int& line_number) {
    if (current_line + 1 >= lines.count()) {
        current_line = lines.count();
        return false;
    }
    ++current_line;
    const char* line = lines[current_line];
    const std::size_t length = std::min(std::strlen(line), line_buffer.size() - 1);
    std::memcpy(line_buffer.data(), line, length);
    line_buffer[length] = '\0';
    line_number = current_line;
    return true;
}

int txtimport_format::column_of_field(int field) const {
    if (field < 0) {
        return -1;
    }
    if (free_assignment) {
        return field;
    }
    for (int column = 0; column < column_count; ++column) {
        if (column_assignment[static_cast<std::size_t>(column)] == field + 1) {
            return column;
        }
    }
    return -1;
}

char* txtimport_format::get_field(int field) {
    const int column = column_of_field(field);
    if (column < 0) {
        return nullptr;
    }
    const std::string_view line(line_buffer.data());
    std::string_view text;
    if (record.fixed_width == 0) {
        const std::vector<std::string_view> fields = split_line(line);
        if (static_cast<std::size_t>(column) >= fields.size()) {
            return nullptr;
        }
        text = fields[static_cast<std::size_t>(column)];
    } else {
        if (column >= column_count ||
            column_starts.size() != static_cast<std::size_t>(column_count) + 1) {
            return nullptr;
        }
        const auto start = static_cast<std::size_t>(column_starts[static_cast<std::size_t>(column)]);
        if (start >= line.size()) {
            return nullptr;
        }
        std::size_t end = line.size();
        if (column + 1 < column_count) {
            end = std::min(end, static_cast<std::size_t>(
                                    column_starts[static_cast<std::size_t>(column) + 1]));
        }
        text = line.substr(start, end - start);
        while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
            text.remove_prefix(1);
        }
        while (!text.empty() && is_trailing_blank(text.back())) {
            text.remove_suffix(1);
        }
        if (text.empty()) {
            return nullptr;
        }
    }
    const std::size_t length = std::min(text.size(), max_field_length);
    std::memcpy(m_field, text.data(), length);
    m_field[length] = '\0';
    return m_field;
}

Import_Forecast txtimport_format::forecast_import(const Import_Field_Check& converts) {
    Import_Forecast forecast;
    const int kept_line = current_line;
    if (init_import()) {
        const int fields = free_assignment ? column_count : record.field_count;
        int line = -1;
        while (set_line_buffer(line)) {
            bool good = true;
            for (int field = 0; field < fields && good; ++field) {
                good = converts(field, get_field(field));
            }
            if (!good) {
                forecast.stop_line = line + 1;
                // Enough of the line to recognise it.
                forecast.stop_text.assign(line_buffer.data(),
                                          std::min<std::size_t>(std::strlen(line_buffer.data()), 120));
                break;
            }
            ++forecast.lines;
        }
    }
    current_line = kept_line;
    return forecast;
}

std::string txtimport_format::stored_defaults_text() const {
    std::string text;
    const auto put = [&text](int value) { text += std::to_string(value) + ','; };
    put(column_count + 9);
    put(record.field_count);
    put(record.start_line);
    put(record.fixed_width);
    put(record.quotes);
    put(record.consecutive);
    put(record.delimiter_choice);
    put(static_cast<unsigned char>(delimiter));
    put(static_cast<unsigned char>(record.other_delimiter));
    put(column_count);
    for (int column = 0; column < column_count; ++column) {
        put(column_assignment[static_cast<std::size_t>(column)]);
    }
    if (record.fixed_width != 0) {
        for (std::size_t i = 0; i <= static_cast<std::size_t>(column_count); ++i) {
            put(i < column_starts.size() ? column_starts[i] : 0);
        }
    }
    return text;
}

void txtimport_format::load_stored_defaults(const char* text) {
    record.fixed_width = 0;
    record.quotes = 1;
    record.consecutive = 0;
    record.delimiter_choice = DELIMITER_COMMA;
    record.other_delimiter = '|';
    delimiter = ',';
    initialize_columns(0);
    if (text == nullptr) {
        return;
    }
    // The values in order; a value is missing where no comma ends it.
    std::vector<int> values;
    for (const char* at = text; *at != '\0';) {
        const char* comma = std::strchr(at, ',');
        if (comma == nullptr) {
            break;
        }
        values.push_back(text_to_int(std::string(at, comma).c_str()));
        at = comma + 1;
    }
    std::size_t next = 1; // the first value only counts the others
    // The next value when there is one within [low, high].
    const auto take = [&values, &next](int low, int high) -> std::optional<int> {
        if (next >= values.size() || values[next] < low || values[next] > high) {
            next = values.size();
            return std::nullopt;
        }
        return values[next++];
    };
    if (take(record.field_count, record.field_count) == std::nullopt) {
        return;
    }
    const auto set_byte = [&take](uint8_t& field, int high) {
        const std::optional<int> value = take(0, high);
        if (value) {
            field = static_cast<uint8_t>(*value);
        }
        return value.has_value();
    };
    if (const std::optional<int> start = take(1, max_start_line)) {
        record.start_line = *start;
    }
    if (!set_byte(record.fixed_width, 1) || !set_byte(record.quotes, 1) ||
        !set_byte(record.consecutive, 1) || !set_byte(record.delimiter_choice, DELIMITER_OTHER)) {
        return;
    }
    if (const std::optional<int> in_force = take(1, 255)) {
        delimiter = static_cast<char>(*in_force);
    } else {
        return;
    }
    if (const std::optional<int> other = take(0, 255)) {
        record.other_delimiter = static_cast<char>(*other);
    } else {
        return;
    }
    const std::optional<int> count = take(0, max_columns);
    if (!count) {
        return;
    }
    initialize_columns(*count);
    for (int column = 0; column < column_count; ++column) {
        const std::optional<int> field =
            take(0, free_assignment ? column_count : record.field_count);
        if (!field) {
            break;
        }
        column_assignment[static_cast<std::size_t>(column)] = *field;
    }
    if (record.fixed_width == 0) {
        return;
    }
    std::vector<int32_t> starts;
    for (int i = 0; i <= column_count; ++i) {
        const std::optional<int> start = take(starts.empty() ? 0 : starts.back() + 1, INT32_MAX - 1);
        if (!start) {
            initialize_columns(0);
            return;
        }
        starts.push_back(*start);
    }
    column_starts = std::move(starts);
    for (std::size_t c = 0; c < static_cast<std::size_t>(column_count); ++c) {
        column_widths[c] = column_starts[c + 1] - column_starts[c];
    }
}
