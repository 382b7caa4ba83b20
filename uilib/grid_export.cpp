// The grid list's export text and clipboard texts.
#include "grid_export.h"

#include "save_atomically.h"
#include "text_helpers.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

constexpr unsigned char DEGREE_SIGN = 0xB0; // in the file texts' code page

bool left_out(uint8_t kind) { return is_check_box_kind(kind) || is_colour_kind(kind); }

const std::string& cell_of(const std::vector<std::string>& row, std::size_t column) {
    static const std::string none;
    return column < row.size() ? row[column] : none;
}

bool is_degree_separator(char c) {
    return c == ' ' || c == '\t' || c == ':' || c == '-' || c == '\'' || c == '"' ||
           static_cast<unsigned char>(c) == DEGREE_SIGN;
}

// A hemisphere letter's sign: +1 for N and E, -1 for S and W, 0 for any other character.
int hemisphere_sign(char c) {
    switch (upper_char(c)) {
    case 'N':
    case 'E': return 1;
    case 'S':
    case 'W': return -1;
    default: return 0;
    }
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

Grid_Table_Text grid_table_text(const Grid_Info& info,
                                const std::function<void(Grid_Transfer&)>& cell_text,
                                const std::vector<int>* rows) {
    Grid_Table_Text table;
    const int positions =
        std::max(std::min<int>(info.column_count, static_cast<int>(info.columns.size())), 0);
    std::vector<int> shown;
    for (int position = 0; position < positions; ++position) {
        const int column = grid_data_column(info, position);
        shown.push_back(column);
        table.titles.push_back(static_cast<std::size_t>(column) < info.titles.size()
                                   ? info.titles[static_cast<std::size_t>(column)]
                                   : std::string());
        table.kinds.push_back(info.columns[static_cast<std::size_t>(column)].kind);
    }
    auto add_row = [&](int row) {
        if (row < 0 || row >= info.row_count) {
            return;
        }
        std::vector<std::string> cells;
        cells.reserve(shown.size());
        for (int column : shown) {
            Grid_Transfer transfer;
            transfer.row = row;
            transfer.column = column;
            transfer.attributes = info.columns[static_cast<std::size_t>(column)];
            cell_text(transfer);
            if (is_drop_list_kind(info.columns[static_cast<std::size_t>(column)].kind)) {
                const bool chosen = transfer.selection >= 0 &&
                                    static_cast<std::size_t>(transfer.selection) < transfer.entries.size();
                cells.push_back(chosen ? transfer.entries[static_cast<std::size_t>(transfer.selection)]
                                       : std::string());
            } else {
                cells.push_back(std::move(transfer.text));
            }
        }
        table.rows.push_back(std::move(cells));
    };
    if (rows != nullptr) {
        for (int row : *rows) {
            add_row(row);
        }
    } else {
        for (int row = 0; row < info.row_count; ++row) {
            add_row(row);
        }
    }
    return table;
}

bool is_export_delimiter(char c) { return c != '\0' && c != '\r' && c != '\n'; }

std::string grid_export_text(const Grid_Table_Text& table, const Grid_Export_Options& options) {
    const char delimiter = is_export_delimiter(options.delimiter) ? options.delimiter : ',';
    std::string text;
    auto add_line = [&](const std::vector<std::string>& cells, bool convert) {
        bool first = true;
        for (std::size_t column = 0; column < table.kinds.size(); ++column) {
            const uint8_t kind = table.kinds[column];
            if (left_out(kind)) {
                continue;
            }
            if (!first) {
                text += delimiter;
            }
            first = false;
            std::string field = cell_of(cells, column);
            if (convert && options.decimal_coordinates &&
                (kind == GRID_LATITUDE || kind == GRID_LONGITUDE)) {
                if (const std::optional<double> value = degree_text_value(field)) {
                    field = format_fixed(*value, 7);
                }
            }
            if (field.find(delimiter) != std::string::npos) {
                text += '"';
                text += field;
                text += '"';
            } else {
                text += field;
            }
        }
        text += "\r\n";
    };
    if (options.headers) {
        add_line(table.titles, false);
    }
    for (const std::vector<std::string>& row : table.rows) {
        add_line(row, true);
    }
    return text;
}

void write_grid_export(Error_Handler* handler, const char* path, std::string_view text) {
    save_atomically(handler, path, text);
}

std::string CSVEncloseQuotes(std::string_view text) {
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted += '"';
    for (char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    quoted += '"';
    return quoted;
}

std::optional<double> degree_text_value(std::string_view text) {
    text = trimmed(text);
    if (text.empty()) {
        return std::nullopt;
    }
    int sign = 0;
    if (const int hemisphere = hemisphere_sign(text.front()); hemisphere != 0) {
        sign = hemisphere;
        text = trimmed(text.substr(1));
    } else if (const int after = hemisphere_sign(text.back()); after != 0) {
        sign = after;
        text = trimmed(text.substr(0, text.size() - 1));
    }
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        if (sign != 0) {
            return std::nullopt; // a sign and a hemisphere: which one is meant?
        }
        sign = text.front() == '-' ? -1 : 1;
        text.remove_prefix(1);
    }
    double parts[3] = {0, 0, 0};
    int count = 0;
    bool fraction = false;
    std::size_t at = 0;
    while (at < text.size()) {
        const char c = text[at];
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        if (count == 3 || fraction) {
            return std::nullopt; // a fourth number, or one after a number with decimals
        }
        std::size_t end = at;
        while (end < text.size() && ((text[end] >= '0' && text[end] <= '9') || text[end] == '.')) {
            fraction = fraction || text[end] == '.';
            ++end;
        }
        double value = 0;
        const auto [stop, error] =
            std::from_chars(text.data() + at, text.data() + end, value, std::chars_format::fixed);
        if (error != std::errc() || stop != text.data() + end) {
            return std::nullopt;
        }
        parts[count++] = value;
        at = end;
        const std::size_t number_end = at;
        while (at < text.size() && is_degree_separator(text[at])) {
            ++at;
        }
        if (at < text.size() && at == number_end) {
            return std::nullopt; // numbers run together with something else
        }
    }
    if (count == 0 || parts[1] >= 60 || parts[2] >= 60) {
        return std::nullopt;
    }
    const double degrees = parts[0] + parts[1] / 60 + parts[2] / 3600;
    if (!std::isfinite(degrees) || degrees > 180) {
        return std::nullopt;
    }
    return sign < 0 ? -degrees : degrees;
}

std::string grid_tab_text(const Grid_Table_Text& table, bool headers) {
    std::string text;
    auto add_line = [&](const std::vector<std::string>& cells) {
        bool first = true;
        for (std::size_t column = 0; column < table.kinds.size(); ++column) {
            if (left_out(table.kinds[column])) {
                continue;
            }
            if (!first) {
                text += '\t';
            }
            first = false;
            const std::string& cell = cell_of(cells, column);
            if (cell.find_first_of("\t\r\n") != std::string::npos ||
                (!cell.empty() && cell.front() == '"')) {
                text += CSVEncloseQuotes(cell);
            } else {
                text += cell;
            }
        }
        text += "\r\n";
    };
    if (headers) {
        add_line(table.titles);
    }
    for (const std::vector<std::string>& row : table.rows) {
        add_line(row);
    }
    return text;
}

std::vector<std::vector<std::string>> parse_tab_text(std::string_view text) {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::string cell;
    std::size_t at = 0;
    const std::size_t size = text.size();
    while (at < size) {
        // One cell: a quoted part first when it starts with a quote, then plain characters.
        if (text[at] == '"') {
            ++at;
            while (at < size) {
                if (text[at] == '"') {
                    if (at + 1 < size && text[at + 1] == '"') {
                        cell += '"';
                        at += 2;
                        continue;
                    }
                    ++at;
                    break;
                }
                cell += text[at++];
            }
        }
        const std::size_t stop = std::min(text.find_first_of("\t\r\n", at), size);
        cell.append(text.substr(at, stop - at));
        at = stop;
        row.push_back(std::move(cell));
        cell.clear();
        if (at == size) {
            break;
        }
        if (text[at] == '\t') {
            ++at;
            if (at == size) {
                row.emplace_back(); // a tab at the very end leaves an empty last cell
            }
            continue;
        }
        // A line break: "\r\n", "\n" or "\r" ends the row.
        if (text[at] == '\r' && at + 1 < size && text[at + 1] == '\n') {
            ++at;
        }
        ++at;
        rows.push_back(std::move(row));
        row.clear();
    }
    if (!row.empty()) {
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<int> grid_paste_columns(const Grid_Info& info, int first_position) {
    std::vector<int> columns;
    const int positions =
        std::max(std::min<int>(info.column_count, static_cast<int>(info.columns.size())), 0);
    for (int position = std::max(first_position, 0); position < positions; ++position) {
        const int column = grid_data_column(info, position);
        const Grid_Column& descriptor = info.columns[static_cast<std::size_t>(column)];
        if (left_out(descriptor.kind)) {
            continue;
        }
        columns.push_back(descriptor.editable != 0 ? column : -1);
    }
    return columns;
}
