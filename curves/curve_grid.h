// Curve_Grid: the two-column grid's rows, cursor, scrolling, in-place edit and apply rules over a
// Curve_Points list, without a window. The grid widgets forward keys, characters, clicks and
// scroll positions to it and paint what it reports.
#pragma once

#include "curve_points.h"

#include <optional>
#include <string>
#include <string_view>

// The keys the grid and its edit act on; every other key is the widget's own.
enum class Grid_Key {
    up,
    down,
    page_up,
    page_down,
    home,
    end,
    left,
    right,
    tab,
    back_tab, // Shift+Tab
    f2,
    enter,
    space,
    escape,
    delete_row, // Ctrl+Y
};

// A catalogue message for the widget to show through error_handler(owner, message_id,
// caption_id, context, 0, false).
struct Grid_Message {
    int message_id = 0;
    int caption_id = 0;
    std::string context; // a line above the message; empty for none
};

// What one input did, for the widget to act on after forwarding it.
struct Grid_Outcome {
    bool handled = false;           // the grid used the input; otherwise it is the widget's own
    bool beep = false;              // a refused character in the edit
    bool repaint = false;           // cells, cursor or scroll position changed
    bool row_changed = false;       // tell the parent the current row (current_row())
    bool list_changed = false;      // tell the parent the list changed (redraw the chart)
    bool edit_started = false;      // show the edit over edit_row()/edit_column() with edit_text()
    bool edit_ended = false;        // remove the edit control
    bool edit_text_changed = false; // show edit_text() in the edit control again
    std::optional<Grid_Message> message;
};

class Curve_Grid {
public:
    static constexpr int rows_per_page = 20;
    static constexpr int edit_limit = 8;
    // The characters a number cell accepts (character set 4).
    static constexpr std::string_view number_characters = "+-.1234567890";

    // Attaches `points` (not owned; it must outlive the grid or be replaced by another attach):
    // cursor and first row 0, column 0, no edit, changed flag cleared.
    void attach(Curve_Points* points);
    // Cursor and first row back to 0, column 0, the edit dropped, changed flag cleared.
    void reset_cursor();

    // Rows: the points and the new-point row after them.
    int row_count() const { return count() + 1; }
    int new_point_row() const { return count(); }
    // Row label ("%d" of row + 1) and the shown texts: x "%#.4f", y "%#.1f", empty for NOT_SET
    // and for rows beyond the list.
    static std::string row_label(int row);
    std::string cell_text(int row, int column) const;

    int current_row() const { return m_row; }
    int current_column() const { return m_column; }
    int first_visible_row() const { return m_first; }
    // The last row shown: first + visible rows - 1, or the new-point row when the list ends
    // before that.
    int last_visible_row() const;
    // How many rows the window shows (rows_per_page until the window says otherwise): the
    // visible rows and the scroll range follow it; Page Up and Page Down keep moving
    // rows_per_page rows. At least 1; the cursor is kept in view.
    void set_visible_rows(int rows);
    int visible_rows() const { return m_visible_rows; }
    // The highest first visible row (the scroll range is 0 to count, a page of visible rows).
    int scroll_limit() const;
    // The changed flag: set by every applied change, cleared by attach and reset_cursor.
    bool changed() const { return m_changed; }

    // A key or a typed character while the grid has the focus (an open edit takes them first).
    Grid_Outcome key(Grid_Key key);
    Grid_Outcome character(char c);
    // Moves the cursor to a cell (a click, or the chart's marker), clamped to the rows; an open
    // edit is applied first as Enter would.
    Grid_Outcome move_to(int row, int column);
    // Row under a click `y` pixels below the top of the first visible row, or -1 below the rows.
    int row_at(int y, int row_height) const;
    // Scrolls so that `first` is the first visible row (clamped); the cursor stays where it is.
    Grid_Outcome scroll_to(int first);
    // The list was given other points from outside (an undo): an open edit is dropped, the
    // cursor kept on its row as far as the rows reach, the changed flag set, and the list told
    // changed.
    Grid_Outcome points_replaced();

    // The in-place edit: active, its cell, its text and whether it was modified.
    bool editing() const { return m_editing; }
    int edit_row() const { return m_row; }
    int edit_column() const { return m_column; }
    const std::string& edit_text() const { return m_edit_text; }
    bool edit_modified() const { return m_edit_modified; }
    // True when the edit takes `c`; the widget refuses others with a beep (Backspace passes).
    static bool edit_accepts(char c);
    // A character typed in the edit: a refused one or one past 8 characters beeps; otherwise it
    // replaces the text while all of it is selected (just after the edit started) or is
    // appended.
    Grid_Outcome edit_character(char c);
    // The edit control's text after the widget's own editing (Backspace, Delete, pasting into the
    // control): characters beyond the set are dropped, the text cut to 8, the edit modified.
    Grid_Outcome set_edit_text(std::string_view text);

    // Adds the number pairs of a pasted text, one pair a line: the first two fields of each line,
    // separated by tabs, commas, semicolons or blanks (fields may be quoted), with a point as the
    // decimal separator. A first line without a number pair is a header and passed over; an empty
    // line is skipped; a later line without a pair ends the paste there. The pasted x values go
    // through the rule of the grid: when one lies within 0.001 of a point of the list or of
    // another pasted row, nothing of the paste is added and message 149 names the first such x.
    // Otherwise the pairs are added, the list sorted and marked changed, with one list-changed
    // outcome. Not handled while an edit is open (the edit control pastes then).
    Grid_Outcome paste(std::string_view text);
    // The whole curve as tab-separated pairs under a header line of the two column titles, each
    // line ended by "\n"; values in their shortest exact decimal form with a point. The titles
    // are copied as given (the program's single-byte text, like the result).
    std::string copy_text(std::string_view x_title, std::string_view y_title) const;

private:
    int count() const { return m_points != nullptr ? m_points->count() : 0; }
    Grid_Outcome cursor_to(int row, int column);
    void keep_cursor_visible();
    Grid_Outcome start_edit(std::string text, bool selected);
    Grid_Outcome edit_key(Grid_Key key);
    // Applies the edit text to the current cell; `enter` tells whether Enter ended the edit.
    Grid_Outcome apply_edit(bool enter);
    Grid_Outcome apply_x(double x, bool enter);
    Grid_Outcome apply_y(double y, bool enter);
    // Counts the point typed into the new-point row and puts it in order.
    void add_new_point(Grid_Outcome& outcome, bool enter);
    Grid_Outcome delete_row();

    Curve_Points* m_points = nullptr;
    int m_first = 0;
    int m_row = 0;
    int m_column = 0;
    bool m_changed = false;
    int m_visible_rows = rows_per_page;
    bool m_editing = false;
    bool m_edit_modified = false;
    bool m_edit_selected = false;
    std::string m_edit_text;
};
