// The worksheet form's cell rules and layout.
#include "wks_rules.h"

#include "qv5_extn.h"
#include "text_helpers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace {

bool is_text_type(int32_t type) { return type == WKS_TEXT_KEEP || type == WKS_TEXT; }

bool is_double_type(int32_t type) {
    switch (type) {
    case WKS_DOUBLE_KEEP:
    case WKS_DOUBLE:
    case WKS_FRACTION:
    case WKS_LATITUDE:
    case WKS_LONGITUDE:
    case WKS_ANGLE:
    case WKS_FREQUENCY_POSITIVE:
    case WKS_FREQUENCY:
        return true;
    default:
        return false;
    }
}

// The text a text cell's buffer may hold: its length, and never past the value on entry's room.
std::size_t text_room(const WorkSheetCell& cell) {
    const auto length = static_cast<std::size_t>(std::max(cell.length, 0));
    return std::min(length, WKS_ENTRY_VALUE_SIZE - 1);
}

template <typename T>
T read_field(const WorkSheetCell& cell) {
    T value{};
    std::memcpy(&value, cell.data, sizeof(T));
    return value;
}

template <typename T>
void write_field(WorkSheetCell& cell, T value) {
    std::memcpy(cell.data, &value, sizeof(T));
}

// Writes a text into a text cell's buffer, cut to the cell's length and at the first line break.
void write_text(WorkSheetCell& cell, std::string_view text) {
    const std::size_t line_end = text.find_first_of("\r\n");
    if (line_end != std::string_view::npos) {
        text = text.substr(0, line_end);
    }
    text = text.substr(0, std::min(text.size(), text_room(cell)));
    auto* field = static_cast<char*>(cell.data);
    std::memcpy(field, text.data(), text.size());
    field[text.size()] = '\0';
}

std::string field_text(const WorkSheetCell& cell) {
    const auto* field = static_cast<const char*>(cell.data);
    return std::string(field, strnlen(field, text_room(cell)));
}

int16_t clamp16(int value) {
    return static_cast<int16_t>(std::clamp<int>(value, std::numeric_limits<int16_t>::min(),
                                                std::numeric_limits<int16_t>::max()));
}

std::string with_point(std::string text, int decimals) {
    // "%#" keeps the point even without decimals.
    if (decimals == 0) {
        const std::size_t exponent = std::min(text.find('E'), text.size());
        text = text.substr(0, exponent) + '.' + text.substr(exponent);
    }
    return text;
}

std::string frequency_text(double value) {
    char buffer[64];
    set_frequency_str(buffer, sizeof buffer, value);
    return buffer;
}

std::string shown(std::string text) {
    if (text.size() > WKS_SHOWN_TEXT_MAX) {
        text.resize(WKS_SHOWN_TEXT_MAX);
    }
    return text;
}

} // namespace

Wks_Missing_Values wks_missing_values() {
    const Global_Constants& constants = qv5_global_constants();
    return {clamp16(constants.integers[5]), constants.integers[4]};
}

std::size_t wks_field_size(const WorkSheetCell& cell) {
    if (is_text_type(cell.type)) {
        return text_room(cell) + 1;
    }
    if (is_double_type(cell.type)) {
        return sizeof(double);
    }
    switch (cell.type) {
    case WKS_INT16:
    case WKS_CHOICE:
        return sizeof(int16_t);
    case WKS_FLAG:
    case WKS_ZONE:
    case WKS_MERIDIAN:
        return sizeof(uint8_t);
    default:
        return sizeof(int32_t);
    }
}

void resetval_to_addr(WorkSheetCell& cell) {
    if (!is_text_type(cell.type)) {
        wks_keep_entry_value(cell);
    }
}

void wks_keep_entry_value(WorkSheetCell& cell) {
    if (cell.data == nullptr) {
        return;
    }
    std::memset(cell.value_on_entry, 0, sizeof cell.value_on_entry);
    if (is_text_type(cell.type)) {
        const std::string text = field_text(cell);
        std::memcpy(cell.value_on_entry, text.data(), text.size());
    } else {
        std::memcpy(cell.value_on_entry, cell.data, wks_field_size(cell));
    }
}

void wks_restore_entry_value(WorkSheetCell& cell) {
    if (cell.data == nullptr) {
        return;
    }
    if (is_text_type(cell.type)) {
        const auto* entry = reinterpret_cast<const char*>(cell.value_on_entry);
        write_text(cell, std::string_view(entry, strnlen(entry, WKS_ENTRY_VALUE_SIZE)));
    } else {
        std::memcpy(cell.data, cell.value_on_entry, wks_field_size(cell));
    }
}

bool wks_differs_from_entry(const WorkSheetCell& cell) {
    if (cell.data == nullptr) {
        return false;
    }
    if (is_text_type(cell.type)) {
        const auto* entry = reinterpret_cast<const char*>(cell.value_on_entry);
        return field_text(cell) != std::string_view(entry, strnlen(entry, WKS_ENTRY_VALUE_SIZE));
    }
    if (is_double_type(cell.type)) {
        double entry = 0;
        std::memcpy(&entry, cell.value_on_entry, sizeof entry);
        return read_field<double>(cell) != entry;
    }
    return std::memcmp(cell.data, cell.value_on_entry, wks_field_size(cell)) != 0;
}

std::string wks_double_text(double value, int decimals) {
    if (value == NOT_SET || std::isnan(value)) {
        return {};
    }
    decimals = std::clamp(decimals, 0, 30);
    if (value == 0 || std::fabs(value) >= 0.01) {
        return with_point(format_fixed(value, decimals), decimals);
    }
    return with_point(format_exponent(value, decimals), decimals);
}

std::string wks_cell_text(const WorkSheetCell& cell, const Wks_Missing_Values& missing) {
    if (cell.data == nullptr) {
        return {};
    }
    switch (cell.type) {
    case WKS_TEXT_KEEP:
    case WKS_TEXT:
        return shown(field_text(cell));
    case WKS_INT16: {
        const auto value = read_field<int16_t>(cell);
        return value == missing.int16 ? std::string() : std::to_string(value);
    }
    case WKS_FLAG: {
        const char* text = read_field<uint8_t>(cell) != 0 ? cell.true_text : cell.false_text;
        return text != nullptr ? shown(text) : std::string();
    }
    case WKS_DOUBLE_KEEP:
    case WKS_DOUBLE:
        return shown(wks_double_text(read_field<double>(cell), cell.decimals));
    case WKS_FRACTION: {
        const double value = read_field<double>(cell);
        if (value == NOT_SET) {
            return {};
        }
        return shown(with_point(format_fixed(value * 100, cell.decimals), cell.decimals));
    }
    case WKS_CHOICE: {
        const int index = read_field<int16_t>(cell);
        if (cell.choice_list == nullptr || index < 0 || index >= cell.choice_count ||
            cell.choice_list[index] == nullptr) {
            return {};
        }
        return shown(cell.choice_list[index]);
    }
    case WKS_INT32:
    case WKS_UINT32: {
        const auto value = read_field<int32_t>(cell);
        return value == missing.int32 ? std::string() : std::to_string(value);
    }
    case WKS_FREQUENCY_POSITIVE:
    case WKS_FREQUENCY:
        return shown(frequency_text(read_field<double>(cell)));
    default:
        return {};
    }
}

bool wks_takes_text(const WorkSheetCell& cell) {
    switch (cell.type) {
    case WKS_TEXT_KEEP:
    case WKS_TEXT:
    case WKS_INT16:
    case WKS_DOUBLE_KEEP:
    case WKS_DOUBLE:
    case WKS_FRACTION:
    case WKS_INT32:
    case WKS_UINT32:
    case WKS_FREQUENCY_POSITIVE:
    case WKS_FREQUENCY:
        return cell.data != nullptr;
    default:
        return false;
    }
}

bool wks_edit_accepts(const WorkSheetCell& cell, char c) {
    if (cell.char_set == 0 || c == '\0') {
        return c != '\0';
    }
    const char* allowed = character_set_chars(cell.char_set);
    return allowed == nullptr || *allowed == '\0' || std::strchr(allowed, c) != nullptr;
}

bool wks_starts_edit(const WorkSheetCell& cell, char c) {
    return wks_takes_text(cell) && wks_edit_accepts(cell, c);
}

bool wks_store_entry(WorkSheetCell& cell, std::string text, const Wks_Missing_Values& missing) {
    if (!wks_takes_text(cell)) {
        return false;
    }
    text.resize(strnlen(text.c_str(), text.size()));
    strip_space(text.data());
    text.resize(std::strlen(text.c_str()));
    switch (cell.type) {
    case WKS_TEXT_KEEP:
        if (!text.empty()) {
            write_text(cell, text);
        }
        break;
    case WKS_TEXT:
        write_text(cell, text);
        break;
    case WKS_INT16:
        write_field(cell, text.empty() ? missing.int16 : clamp16(text_to_int(text.c_str())));
        break;
    case WKS_DOUBLE_KEEP: {
        const double value = get_valid_double(text.data(), cell.char_set);
        if (value != NOT_SET) {
            write_field(cell, value);
        }
        break;
    }
    case WKS_DOUBLE:
    case WKS_FREQUENCY:
        write_field(cell, get_valid_double(text.data(), cell.char_set));
        break;
    case WKS_FRACTION:
        break;
    case WKS_INT32:
    case WKS_UINT32:
        write_field(cell, text.empty() ? missing.int32 : text_to_int(text.c_str()));
        break;
    case WKS_FREQUENCY_POSITIVE: {
        const double value = text_to_double(text.c_str());
        if (value > 0 && value != NOT_SET) {
            write_field(cell, value);
        }
        break;
    }
    default:
        return false;
    }
    return true;
}

bool wks_erase(WorkSheetCell& cell, const Wks_Missing_Values& missing) {
    if (cell.data == nullptr) {
        return false;
    }
    switch (cell.type) {
    case WKS_DOUBLE:
    case WKS_FREQUENCY:
        return wks_store_entry(cell, "X", missing);
    case WKS_TEXT:
    case WKS_INT16:
    case WKS_INT32:
    case WKS_UINT32:
        return wks_store_entry(cell, " ", missing);
    case WKS_SELECTION:
        write_field<int32_t>(cell, -1);
        return true;
    default:
        return false;
    }
}

std::string wks_copy_text(const WorkSheetCell& cell) {
    if (cell.data == nullptr) {
        return {};
    }
    if (is_text_type(cell.type)) {
        return field_text(cell);
    }
    if (is_double_type(cell.type)) {
        const double value = read_field<double>(cell);
        return value == NOT_SET ? std::string() : format_fixed(value, 9);
    }
    switch (cell.type) {
    case WKS_ZONE:
    case WKS_MERIDIAN:
        return std::to_string(read_field<uint8_t>(cell));
    case WKS_INT32:
        return std::to_string(read_field<int32_t>(cell));
    case WKS_UINT32:
        return std::to_string(static_cast<uint32_t>(read_field<int32_t>(cell)));
    default:
        return {};
    }
}

bool wks_paste(WorkSheetCell& cell, std::string_view text) {
    if (cell.data == nullptr) {
        return false;
    }
    const std::string copy(text.substr(0, std::min<std::size_t>(text.size(), 1024)));
    if (is_text_type(cell.type)) {
        write_text(cell, copy);
        return true;
    }
    if (is_double_type(cell.type)) {
        write_field(cell, text_to_double(copy.c_str()));
        return true;
    }
    switch (cell.type) {
    case WKS_ZONE:
    case WKS_MERIDIAN:
        write_field(cell, static_cast<uint8_t>(std::clamp(text_to_int(copy.c_str()), 0, 255)));
        return true;
    case WKS_INT32:
    case WKS_UINT32:
    case WKS_SELECTION:
        write_field(cell, text_to_int(copy.c_str()));
        return true;
    default:
        return false;
    }
}

bool wks_toggle(WorkSheetCell& cell) {
    if (cell.type != WKS_FLAG || cell.data == nullptr) {
        return false;
    }
    write_field<uint8_t>(cell, read_field<uint8_t>(cell) != 0 ? 0 : 1);
    return true;
}

bool wks_choose(WorkSheetCell& cell, int index) {
    if (cell.type != WKS_CHOICE || cell.data == nullptr || index < 0 ||
        index >= cell.choice_count) {
        return false;
    }
    write_field(cell, static_cast<int16_t>(index));
    return true;
}

std::vector<int> wks_cell_rows(const wks_menu_transfer& transfer) {
    const int columns = std::max(transfer.column_count, 1);
    const int count = transfer.cells != nullptr ? std::max(transfer.cell_count, 0) : 0;
    std::vector<int> rows(static_cast<std::size_t>(count), 0);
    int row = -1;
    int previous_column = std::numeric_limits<int>::max();
    for (int index = 0; index < count; ++index) {
        const int column = transfer.cells[index].column < columns ? transfer.cells[index].column : -1;
        // A whole-row cell fills its row: the cell after it starts the next one.
        if (columns == 1 || column <= previous_column || previous_column < 0) {
            ++row;
        }
        previous_column = column;
        rows[static_cast<std::size_t>(index)] = row;
    }
    return rows;
}

Wks_Layout wks_layout(wks_menu_transfer& transfer, const Wks_Metrics& metrics,
                      const std::function<int(std::string_view)>& text_width,
                      const Wks_Missing_Values& missing) {
    Wks_Layout layout;
    const int columns = std::max(transfer.column_count, 1);
    const int average = metrics.average_char_width;
    std::vector<int> widths(static_cast<std::size_t>(columns), 0);
    const bool wide_table = columns >= 10;
    auto title_width = [&](const char* const* titles, int column) {
        return titles != nullptr && titles[column] != nullptr ? text_width(titles[column]) : 0;
    };
    for (int column = 0; column < columns; ++column) {
        const int titles = std::max(title_width(transfer.column_titles, column),
                                    title_width(transfer.second_titles, column));
        widths[column] = titles + 2 * average;
        if (!wide_table) {
            widths[column] = std::max(widths[column], 18 * average);
        }
    }
    layout.title_lines = transfer.column_titles == nullptr ? 0
                         : transfer.second_titles == nullptr ? 1
                                                              : 2;

    const int count = transfer.cells != nullptr ? std::max(transfer.cell_count, 0) : 0;
    layout.cell_rows = wks_cell_rows(transfer);
    int whole_row_width = 0;
    for (int index = 0; index < count; ++index) {
        const WorkSheetCell& cell = transfer.cells[index];
        const int column = cell.column < columns ? cell.column : -1;
        const int text = text_width(wks_cell_text(cell, missing)) + 2 * average;
        if (column < 0) {
            whole_row_width = std::max(whole_row_width, text);
        } else if (!wide_table) {
            int& width = widths[static_cast<std::size_t>(column)];
            width = std::max(width, text + (cell.drop_button != 0 ? 16 : 0));
        }
    }
    layout.row_count = layout.cell_rows.empty() ? 0 : layout.cell_rows.back() + 1;
    if (columns == 2 && whole_row_width > widths[0] + widths[1]) {
        widths[0] = std::max(widths[0], (whole_row_width + 1) / 2);
        widths[1] = std::max(widths[1], (whole_row_width + 1) / 2);
    }

    int edge = 0;
    for (const int width : widths) {
        edge += width;
        layout.column_edges.push_back(edge);
    }
    layout.grid_width = edge;

    const int whole_row_right = layout.column_edges[std::min(columns, 2) - 1] - average;
    for (int index = 0; index < count; ++index) {
        WorkSheetCell& cell = transfer.cells[index];
        const int cell_row = layout.cell_rows[static_cast<std::size_t>(index)];
        const int top = cell_row * (metrics.row_height + 1);
        if (cell.column < 0 || cell.column >= columns) {
            cell.rect[0] = average;
            cell.rect[2] = whole_row_right;
        } else {
            cell.rect[0] = cell.column == 0 ? 0 : layout.column_edges[cell.column - 1];
            cell.rect[2] = layout.column_edges[cell.column];
        }
        cell.rect[1] = top;
        cell.rect[3] = top + metrics.row_height;
    }
    layout.grid_height = layout.row_count * (metrics.row_height + 1);

    int widest_title = 0;
    for (int title = 0; transfer.row_titles != nullptr && title < transfer.row_count; ++title) {
        if (transfer.row_titles[title] != nullptr) {
            widest_title = std::max(widest_title, text_width(transfer.row_titles[title]));
        }
    }
    layout.row_title_width = widest_title + 2 * average + 4;
    return layout;
}
