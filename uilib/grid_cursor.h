// Grid_Cursor: the grid list's current cell, how the keys move it, which rows are in view and
// which commands are enabled. It works on the list's Grid_Info (current row and column, top row,
// visible and last visible row), so the program sees the cursor there in its events. Plain rules,
// driven by the list window and tested without a window.
#pragma once

#include "grid_info.h"
#include "qv6_ex_export.h"

#include <algorithm>

enum class Grid_Key { left, right, tab, back_tab, up, down, page_up, page_down, home, end };

enum class Grid_Command { add, edit, remove, reset_display, close, export_text };

class QV6_EX_EXPORT Grid_Cursor {
public:
    // Puts the cursor of `info` inside the table (rows 0 to the template row, the columns shown).
    explicit Grid_Cursor(Grid_Info& info);

    // The row after the last real row: where a new record is typed.
    int template_row() const { return std::max(m_info.row_count, 0); }
    bool on_template_row() const { return m_info.current_row >= template_row(); }
    // The data column under the cursor, or -1 in a table without columns.
    int data_column() const;

    // Moves by a key: Left/Right and Tab/Shift+Tab by display position (no wrapping), Up/Down by
    // row with Down stopping at the template row, Page Up/Down by the visible rows no further than
    // the first row or the template row, Home to the first row and End to the template row. True
    // when the cell changed (the owner is then told of the move).
    bool key(Grid_Key key);
    // Makes (row, display position) current, as a click does; false, nothing changed, for a cell
    // outside the table.
    bool select(int row, int position);

    // The row count changed (a record added or deleted): the cursor stays where it was as far as
    // the rows reach.
    void set_row_count(int rows);
    // The window shows `rows` rows (at least 1); the cursor stays in view.
    void set_visible_rows(int rows);
    // Scrolls without moving the cursor (scroll bar, wheel), within the rows.
    void scroll_to(int top);
    // The highest top row: the template row stays reachable.
    int scroll_limit() const;

    // Add needs an editable column; edit and delete also need the cursor on a real row. Reset
    // display, close and export are always there.
    bool enabled(Grid_Command command) const;

private:
    int column_positions() const;
    bool move_to(int row, int position);
    void keep_in_view();

    Grid_Info& m_info;
};
