// The grid list's shared data: the table description the program fills (Grid_Info), one cell
// exchange (Grid_Transfer), the column descriptors and the set of marked rows. Plain data and
// rules without Qt: the list window keeps them and the tests drive them without a display.
#pragma once

#include "qv6_ex_export.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

// Column kinds of a descriptor. Kinds 18 and above are drop lists; every kind that is not a
// check box, a colour or a drop list is edited in a text box.
enum Grid_Column_Kind : uint8_t {
    GRID_TEXT = 0,
    GRID_CHECK_BOX = 2,
    GRID_LATITUDE = 12,
    GRID_LONGITUDE = 13,
    GRID_COLOUR = 16,
    GRID_DROP_LIST = 18,
};

inline bool is_check_box_kind(uint8_t kind) { return kind == GRID_CHECK_BOX; }
inline bool is_colour_kind(uint8_t kind) { return kind == GRID_COLOUR; }
inline bool is_drop_list_kind(uint8_t kind) { return kind >= GRID_DROP_LIST; }
inline bool is_text_kind(uint8_t kind) {
    return !is_check_box_kind(kind) && !is_colour_kind(kind) && !is_drop_list_kind(kind);
}

// One column's descriptor, four bytes as the program keeps it.
struct Grid_Column {
    uint8_t limit_plus_one = 1; // the edit box takes this many characters less one
    uint8_t kind = GRID_TEXT;
    uint8_t char_set = 0;       // for the program's own conversion of the entered text
    uint8_t editable = 0;       // non-zero: the column can be edited

    int text_limit() const { return limit_plus_one > 0 ? limit_plus_one - 1 : 0; }
};
static_assert(sizeof(Grid_Column) == 4);

// How a cell of a column is edited: not at all (a column that cannot be edited), toggled (a
// check box: a click, Enter or Space, without asking for its text), with the colour chooser,
// from a drop list, or in a text box.
enum class Grid_Edit { none, toggle, colour, drop_list, text };
QV6_EX_EXPORT Grid_Edit grid_edit_kind(const Grid_Column& column);

// The rows a drop list shows: its entries plus two, at most 20.
inline int grid_drop_list_rows(int entries) { return entries < 18 ? std::max(entries, 0) + 2 : 20; }

// A window rectangle; width and height 0 mean none.
struct Grid_Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;

    bool operator==(const Grid_Rect&) const = default;
};

// The table as the program describes it, shared with the list for the life of its window. The
// reserved field is left out: nothing uses it.
struct Grid_Info {
    int32_t current_row = 0;     // the cursor's row; the row of the add, edit and delete events
    int32_t current_column = 0;  // the cursor's column, by display position
    int32_t column_count = 0;
    int32_t layout_key = -1;     // string id of the stored layout's key; -1: not stored
    int32_t visible_rows = 0;    // rows that fit the window (kept by the list)
    int32_t top_row = 0;         // first visible row
    int32_t last_visible_row = 0;
    std::vector<int32_t> column_edges; // column count + 1 pixel edges, the row numbers' first
    std::vector<int32_t> column_order; // the data column shown at each display position
    std::vector<Grid_Column> columns;
    std::vector<std::string> titles;   // file texts
    int32_t row_count = 0;
    bool maximised = false;
    Grid_Rect window;
};

// A Grid_Info for these columns and titles (as many titles as columns; missing ones are empty):
// the natural column order, no edges yet (the list computes the default ones), no stored layout.
QV6_EX_EXPORT Grid_Info make_grid_info(std::vector<Grid_Column> columns,
                                       std::vector<std::string> titles, int32_t row_count);

// True when `order` holds each of 0 .. count - 1 exactly once.
QV6_EX_EXPORT bool is_column_permutation(const std::vector<int32_t>& order, int32_t count);

// The data column shown at display position `position`: the column order's entry when the order
// is a permutation of the columns, the position itself when it is not (a broken order is never
// followed out of the table); -1 for a position outside the columns.
QV6_EX_EXPORT int grid_data_column(const Grid_Info& info, int position);

// True when some column can be edited: add, edit and delete do nothing otherwise.
QV6_EX_EXPORT bool any_editable_column(const Grid_Info& info);

// One exchange between the list and the program about cell (row, column). The list fills row and
// column; the program fills the rest. The entries' count is the size of `entries`; the reserved
// fields are left out: nothing uses them.
struct Grid_Transfer {
    int32_t row = 0;
    int32_t column = 0;    // data column
    int32_t value = -1;    // a colour for colour columns; -1 when there is none
    int32_t selection = -1; // the chosen entry of a drop list
    std::string text;      // the cell's file text, at most 259 characters
    std::vector<std::string> entries; // a drop list's texts
    Grid_Column attributes; // the column's descriptor as the program keeps it
};

// The set of marked rows: row numbers in the order they were marked, an anchor for Shift clicks
// and a capacity that grows and shrinks in steps of 20.
class QV6_EX_EXPORT Marked_Row {
public:
    Marked_Row() { init(); }

    // Marks `row`; false when it was marked already.
    bool add_row(int row);
    // Unmarks `row`; false when it was not marked. The capacity shrinks by 20 when the count
    // falls to 20 below it (never under 20).
    bool remove_row(int row);
    bool is_marked(int row) const { return m_marked.contains(row); }
    // Sorts the row numbers ascending.
    void sort_marked();
    // Empties the set and resets the capacity to 20; the anchor is kept.
    void init();

    int count() const { return static_cast<int>(m_rows.size()); }
    int capacity() const { return m_capacity; }
    const std::vector<int>& rows() const { return m_rows; }
    // The marked row when exactly one is marked, else -1 (the parameter of the add event).
    int single_marked() const { return count() == 1 ? m_rows.front() : -1; }

    int anchor = -1; // the row a Shift click extends from; -1: none

private:
    std::vector<int> m_rows;
    std::unordered_set<int> m_marked; // the same rows, for a constant-time look-up
    int m_capacity = 20;
};

enum class Row_Click { plain, ctrl, shift };

// A click on the number of row `row` of a table of `row_count` rows (the template row has no
// number to click; other rows outside the table do nothing):
//  - plain: marks the row alone, or unmarks it when it is the only marked row;
//  - Ctrl: toggles its mark;
//  - Shift: marks the rows from the anchor to it, and only those. The anchor is the only marked
//    row when exactly one is marked, else the last row clicked, else the row itself.
// Plain and Ctrl clicks make the row the anchor; a Shift click keeps the anchor.
QV6_EX_EXPORT void click_row_number(Marked_Row& marks, int row, int row_count, Row_Click click);

// Insert: marks the current row, or unmarks it when it is marked; nothing on the template row.
QV6_EX_EXPORT void toggle_row_mark(Marked_Row& marks, int row, int row_count);
