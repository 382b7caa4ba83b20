// The worksheet form's data: the cell and table descriptions the caller fills, what a cell shows,
// how an entry, an erase, a paste and a copy treat its field, and the table's layout. Plain code
// (no Qt): the form's windows paint and forward keys, and the tests drive these directly.
#pragma once

#include "qv6_ex_export.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Cell types: the kind of field a cell edits and how it is shown and entered.
enum Wks_Cell_Type : int32_t {
    WKS_TEXT_KEEP = 0,      // text; an empty entry leaves the field as it is
    WKS_TEXT = 1,           // text; an empty entry empties it
    WKS_INT16 = 2,          // 16-bit integer
    WKS_FLAG = 3,           // 8-bit flag shown by its true or false text
    WKS_DOUBLE_KEEP = 4,    // double; an invalid entry leaves the field as it is
    WKS_DOUBLE = 5,         // double; an invalid or empty entry stores NOT_SET
    WKS_FRACTION = 6,       // double shown as a percentage; entries store nothing
    WKS_LATITUDE = 7,       // the coordinate types 7 to 9, 11 and 12 need the suite's
    WKS_LONGITUDE = 8,      // coordinate conversions, which this library does not carry: they
    WKS_ANGLE = 9,          // show nothing and take no entry
    WKS_CHOICE = 10,        // 16-bit index into the cell's choice list
    WKS_ZONE = 11,
    WKS_MERIDIAN = 12,
    WKS_INT32 = 13,         // 32-bit integer
    WKS_UINT32 = 14,        // 32-bit integer copied as unsigned
    WKS_FREQUENCY_POSITIVE = 15, // double shown as a frequency; stored only when above 0
    WKS_FREQUENCY = 16,     // double shown as a frequency; invalid or empty stores NOT_SET
    WKS_SELECTION = 18,     // 32-bit selection: Enter or Space asks the owner to act
};

inline constexpr std::size_t WKS_ENTRY_VALUE_SIZE = 260;
// The longest text a cell shows.
inline constexpr std::size_t WKS_SHOWN_TEXT_MAX = 79;

// One cell of the table, in reading order (row by row, left to right).
struct WorkSheetCell {
    uint8_t cell_id = 0;          // names the cell in notifications and write_cells
    int8_t column = 0;            // from 0; -1: the cell spans the whole row
    int32_t type = WKS_TEXT;
    uint8_t editable = 1;         // 0: shown only; the cursor, OK, Cancel and Reset pass it over
    uint8_t drop_button = 0;      // shows a drop-down button (16 pixels more in its column)
    int32_t length = 0;           // most characters of a text field (its buffer holds one more)
    int32_t notify_id = -1;       // not -1: every change is reported to the owner with this id
    uint8_t decimals = 0;         // digits after the point of a shown number
    uint8_t char_set = 0;         // allowed characters for typing and converting (0: any)
    unsigned char value_on_entry[WKS_ENTRY_VALUE_SIZE] = {}; // the field before editing
    int32_t reserved_1 = 0;
    void* data = nullptr;         // the caller's field
    int32_t reserved_2 = 0;
    const char* true_text = nullptr;   // shown for a set flag
    const char* false_text = nullptr;  // shown for a cleared flag
    int32_t choice_count = 0;
    const char* const* choice_list = nullptr; // the choices, indexed by the field's value
    int32_t rect[4] = {};         // left, top, right, bottom in the grid; filled by the form
};

// The table of one form.
struct wks_menu_transfer {
    const char* title = nullptr;       // the window's caption
    int32_t reserved = 0;
    const char* help_page = nullptr;   // appended to the web-help base address by Help
    int32_t cell_count = 0;
    int32_t row_count = 0;
    int32_t column_count = 0;
    int32_t* column_edges = nullptr;   // right edge of each column; filled by the form
    const char* const* column_titles = nullptr; // first title line per column; null: no bar
    const char* const* second_titles = nullptr; // second title line per column; null: one line
    const char* const* row_titles = nullptr;
    int32_t changed = 0;               // set on OK: 1 when an editable field differs from entry
    WorkSheetCell* cells = nullptr;
    int32_t grid_value = 0;
    int32_t current_cell = 0;          // set on OK: the cell that held the cursor
    uint8_t grid_flag = 0;
};

// The values that mean "none" in integer cells (the suite's constants: missing 16-bit value for
// type 2, missing integer for types 13 and 14).
struct Wks_Missing_Values {
    int16_t int16 = -1;
    int32_t int32 = -1;
};
// The values the user-interface library was started with.
QV6_EX_EXPORT Wks_Missing_Values wks_missing_values();

// Bytes of the field of a cell type (a text's is its length plus its terminator).
QV6_EX_EXPORT std::size_t wks_field_size(const WorkSheetCell& cell);

// Copies the current field into the value on entry, for every type but texts (whose value on
// entry the caller writes).
QV6_EX_EXPORT void resetval_to_addr(WorkSheetCell& cell);
// The same for texts too (what a caller does for its text cells).
QV6_EX_EXPORT void wks_keep_entry_value(WorkSheetCell& cell);
// Writes the value on entry back into the field.
QV6_EX_EXPORT void wks_restore_entry_value(WorkSheetCell& cell);
// True when the field differs from its value on entry (texts by characters, numbers exactly).
QV6_EX_EXPORT bool wks_differs_from_entry(const WorkSheetCell& cell);

// A double as types 4 and 5 show it: empty for NOT_SET; "%#.*f" with `decimals` when its
// magnitude is at least 0.01 or it is exactly 0; else "%#.*E" (a point always, whatever the
// locale).
QV6_EX_EXPORT std::string wks_double_text(double value, int decimals);

// What the cell shows (at most 79 characters; empty for a cell without a field).
QV6_EX_EXPORT std::string wks_cell_text(const WorkSheetCell& cell,
                                        const Wks_Missing_Values& missing);

// True when typing `c` on the cell starts an edit box with it: the cell takes typed entries and
// its set is empty or holds `c`.
QV6_EX_EXPORT bool wks_starts_edit(const WorkSheetCell& cell, char c);
// True when the edit box of the cell takes `c` (every character when the set is empty).
QV6_EX_EXPORT bool wks_edit_accepts(const WorkSheetCell& cell, char c);
// True when the cell takes text entries at all (not flags, choices, selections, coordinates).
QV6_EX_EXPORT bool wks_takes_text(const WorkSheetCell& cell);

// Stores an entered text into the field by the cell's type (the text is trimmed first); texts
// are cut to the cell's length and at a line break. Returns false when the type takes no
// entries (the caller then marks nothing).
QV6_EX_EXPORT bool wks_store_entry(WorkSheetCell& cell, std::string text,
                                   const Wks_Missing_Values& missing);
// Erases the field: "X" through types 5 and 16, a blank through types 1, 2, 13 and 14, -1 into
// type 18. False for the other types, which keep their fields.
QV6_EX_EXPORT bool wks_erase(WorkSheetCell& cell, const Wks_Missing_Values& missing);
// The clipboard text of the field: texts as they are, types 11, 12, 13 with "%d", 14 with
// "%u", doubles with "%.9f" (nothing for NOT_SET), nothing for types 2, 3, 10 and 18.
QV6_EX_EXPORT std::string wks_copy_text(const WorkSheetCell& cell);
// Pastes a clipboard text into the field without the character-set check: texts up to the
// cell's length (cut at the first line break), integer types through a leading-integer
// conversion, the others through a leading-number conversion. False, nothing stored, for types
// 2, 3 and 10.
QV6_EX_EXPORT bool wks_paste(WorkSheetCell& cell, std::string_view text);
// Toggles a flag cell; false for other types.
QV6_EX_EXPORT bool wks_toggle(WorkSheetCell& cell);
// Stores choice `index` of a choice cell; false for another type or an index outside the list.
QV6_EX_EXPORT bool wks_choose(WorkSheetCell& cell, int index);

// What the layout measures with.
struct Wks_Metrics {
    int average_char_width = 7;
    int row_height = 19;   // font height + 6
    int title_height = 16; // font height + 3
};

// The table's measured shape.
struct Wks_Layout {
    std::vector<int32_t> column_edges; // running sums of the column widths
    std::vector<int> cell_rows;        // the row of each cell
    int row_count = 0;
    int row_title_width = 0;           // widest row title plus room for the frame
    int grid_width = 0;
    int grid_height = 0;
    int title_lines = 0;               // 0 (no title bar), 1 or 2
};

// The row of each cell: a cell whose column is not past the previous cell's, or that follows a
// whole-row cell, starts a new row; in a one-column table every cell is a row. Columns beyond the column count are whole-row.
QV6_EX_EXPORT std::vector<int> wks_cell_rows(const wks_menu_transfer& transfer);

// Lays the table out: column widths and edges, each cell's row and rectangle (written into the
// cells), the row-title width. `text_width` measures a text in pixels. Cells of a column beyond
// the column count count as whole-row cells.
QV6_EX_EXPORT Wks_Layout wks_layout(wks_menu_transfer& transfer, const Wks_Metrics& metrics,
                                    const std::function<int(std::string_view)>& text_width,
                                    const Wks_Missing_Values& missing);
