// The grid list's table as text: the delimited export ("Export To Ascii Text") and the
// tab-separated texts of the clipboard, both ways. Plain rules without Qt; the list window asks
// for the cell texts, shows the dialogs and uses the clipboard.
#pragma once

#include "grid_info.h"
#include "qv6_ex_export.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class Error_Handler;

// The table's texts in display order: the titles, each column's kind and the rows' cell texts
// (a drop list's cell is the text of its chosen entry). All file texts.
struct Grid_Table_Text {
    std::vector<std::string> titles;
    std::vector<uint8_t> kinds;
    std::vector<std::vector<std::string>> rows;
};

// The texts of rows `rows` (all rows when null) of the list described by `info`, in display
// order: `cell_text` is asked for each cell as the program's code 2 is (row and data column set,
// the rest to be filled). A drop-list cell gives the text of its chosen entry, or nothing when the
// selection is no entry. Rows outside the table are left out.
QV6_EX_EXPORT Grid_Table_Text grid_table_text(const Grid_Info& info,
                                              const std::function<void(Grid_Transfer&)>& cell_text,
                                              const std::vector<int>* rows = nullptr);

// What the export dialog asks.
struct Grid_Export_Options {
    char delimiter = ',';
    bool decimal_coordinates = false; // latitudes and longitudes in decimal degrees
    bool headers = true;              // a first line with the column titles
};

// True when `c` can separate the fields of an export: any character but NUL and the line breaks.
QV6_EX_EXPORT bool is_export_delimiter(char c);

// The export text: the columns in the table's order leaving out check boxes and colours, the
// titles first when asked, fields separated by the delimiter (a comma when the options hold no
// usable one), a field holding the delimiter in double quotes (the quotes inside it as they
// are), "\r\n" after each line. With decimal coordinates, latitude and longitude cells are
// written with "%.7f" from their degree text; a cell that is no degree text is written as it is.
QV6_EX_EXPORT std::string grid_export_text(const Grid_Table_Text& table,
                                           const Grid_Export_Options& options);

// Writes the export text to `path` through the atomic save: a failed write leaves an existing
// file as it was and raises the handler's pointer.
QV6_EX_EXPORT void write_grid_export(Error_Handler* handler, const char* path,
                                     std::string_view text);

// The text with each double quote doubled and the whole in double quotes.
QV6_EX_EXPORT std::string CSVEncloseQuotes(std::string_view text);

// The value of a degree text: degrees, or degrees and minutes, or degrees, minutes and seconds,
// separated by blanks, colons, hyphens, the degree sign or the minute and second marks, with a
// sign in front or a hemisphere letter (N, S, E, W) before or after; S, W and the minus sign
// give negative values. Only the last number may have decimals; minutes and seconds are below
// 60; the value is at most 180 degrees either way. nullopt for any other text.
QV6_EX_EXPORT std::optional<double> degree_text_value(std::string_view text);

// The clipboard text of a table's rows: cells separated by tabs, each row ended by "\r\n", the
// titles first when `headers`. A cell holding a tab or a line break, or starting with a double
// quote, is written as CSVEncloseQuotes gives it so that a spreadsheet reads it back whole.
// Check-box and colour columns are left out, as in the export.
QV6_EX_EXPORT std::string grid_tab_text(const Grid_Table_Text& table, bool headers);

// The rows of a tab-separated text as spreadsheets put it on the clipboard: cells split at tabs,
// rows at "\r\n", "\n" or "\r"; a cell that starts with a double quote runs to the closing quote
// and may hold tabs and line breaks ("" inside it is one quote; an unclosed one runs to the end).
// A final line break makes no empty last row. One pass over the text.
QV6_EX_EXPORT std::vector<std::vector<std::string>> parse_tab_text(std::string_view text);

// The data columns that pasted cells fill, from display position `first_position` on: check-box
// and colour columns are skipped (as the copy leaves them out), and a column that cannot be
// edited is -1 (its cell is passed over).
QV6_EX_EXPORT std::vector<int> grid_paste_columns(const Grid_Info& info, int first_position);
