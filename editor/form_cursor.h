// Form_Cursor: where the current cell of a keyword form is and how the keys move it, with the
// rows the form shows. Plain rules, driven by the form widget and tested without a window.
#pragma once

#include <vector>

// What the cursor needs to know of a form row.
struct Form_Row_Shape {
    int cells = 1;          // value cells; 0 for a heading
    bool selectable = true; // false for headings and disabled rows: the cursor passes them over
};

// The two ways the forms take the cursor keys.
enum class Form_Key_Style {
    // The radio forms: Left/Right by cell, Up/Down by row, Tab/Shift+Tab by cell wrapping to the
    // next or previous row.
    cells,
    // The antenna form: Up and Left one row up, Down and Right one row down, Tab down, Shift+Tab
    // up.
    rows,
};

enum class Form_Key { up, down, left, right, tab, back_tab, page_up, page_down, home, end };

class Form_Cursor {
public:
    Form_Cursor(std::vector<Form_Row_Shape> rows, Form_Key_Style style);

    // The rows change (a choice that shows other rows): the cursor stays on its row as far as
    // the rows reach, moved to a selectable one.
    void set_rows(std::vector<Form_Row_Shape> rows);

    int row() const { return m_row; }
    int cell() const { return m_cell; }
    int row_count() const { return static_cast<int>(m_rows.size()); }
    int first_visible_row() const { return m_first; }
    // The last row shown, at most the last row.
    int last_visible_row() const;
    int rows_per_page() const { return m_per_page; }

    // The window shows `rows` rows (at least 1): the first visible row is kept where it can be
    // so that the last page is full, and the cursor stays in view.
    void set_rows_per_page(int rows);
    // The highest first visible row.
    int scroll_limit() const;
    // Scrolls without moving the cursor (the scroll bar, the wheel).
    void scroll_to(int first);

    // Moves by a key; true when the cell changed.
    bool key(Form_Key key);
    // Selects a cell (a click); false, nothing changed, for a row that cannot be selected or a
    // cell the row does not have.
    bool select(int row, int cell);

private:
    bool selectable(int row) const;
    int cells(int row) const;
    // The nearest selectable row from `row` in direction `step` (+1 or -1), or -1.
    int next_selectable(int row, int step) const;
    // The first selectable row at or after `row`, else at or before it, or -1.
    int nearest_selectable(int row) const;
    bool move_to(int row, int cell);
    void keep_in_view();

    std::vector<Form_Row_Shape> m_rows;
    Form_Key_Style m_style;
    int m_row = -1;
    int m_cell = 0;
    int m_first = 0;
    int m_per_page = 20;
};
