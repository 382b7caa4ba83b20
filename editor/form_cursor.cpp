// Form_Cursor: the keys of the keyword forms.
#include "form_cursor.h"

#include <algorithm>

Form_Cursor::Form_Cursor(std::vector<Form_Row_Shape> rows, Form_Key_Style style)
    : m_style(style) {
    set_rows(std::move(rows));
}

void Form_Cursor::set_rows(std::vector<Form_Row_Shape> rows) {
    m_rows = std::move(rows);
    const int row = nearest_selectable(std::clamp(m_row, 0, std::max(row_count() - 1, 0)));
    m_row = row;
    m_cell = row >= 0 ? std::clamp(m_cell, 0, cells(row) - 1) : 0;
    m_first = std::clamp(m_first, 0, scroll_limit());
    keep_in_view();
}

bool Form_Cursor::selectable(int row) const {
    return row >= 0 && row < row_count() && m_rows[static_cast<std::size_t>(row)].selectable &&
           m_rows[static_cast<std::size_t>(row)].cells > 0;
}

int Form_Cursor::cells(int row) const {
    return std::max(m_rows[static_cast<std::size_t>(row)].cells, 1);
}

int Form_Cursor::next_selectable(int row, int step) const {
    for (int r = row + step; r >= 0 && r < row_count(); r += step) {
        if (selectable(r)) {
            return r;
        }
    }
    return -1;
}

int Form_Cursor::nearest_selectable(int row) const {
    if (selectable(row)) {
        return row;
    }
    const int after = next_selectable(row, 1);
    return after >= 0 ? after : next_selectable(row, -1);
}

int Form_Cursor::last_visible_row() const {
    return std::min(m_first + m_per_page, row_count()) - 1;
}

int Form_Cursor::scroll_limit() const { return std::max(row_count() - m_per_page, 0); }

void Form_Cursor::set_rows_per_page(int rows) {
    m_per_page = std::max(rows, 1);
    m_first = std::clamp(m_first, 0, scroll_limit());
    keep_in_view();
}

void Form_Cursor::scroll_to(int first) { m_first = std::clamp(first, 0, scroll_limit()); }

void Form_Cursor::keep_in_view() {
    if (m_row < 0) {
        return;
    }
    if (m_row < m_first) {
        m_first = m_row;
    } else if (m_row > m_first + m_per_page - 1) {
        m_first = m_row - (m_per_page - 1);
    }
    m_first = std::clamp(m_first, 0, scroll_limit());
}

bool Form_Cursor::move_to(int row, int cell) {
    if (row < 0) {
        return false;
    }
    cell = std::clamp(cell, 0, cells(row) - 1);
    const bool moved = row != m_row || cell != m_cell;
    m_row = row;
    m_cell = cell;
    keep_in_view();
    return moved;
}

bool Form_Cursor::select(int row, int cell) {
    if (!selectable(row) || cell < 0 || cell >= cells(row)) {
        return false;
    }
    return move_to(row, cell);
}

bool Form_Cursor::key(Form_Key key) {
    if (m_row < 0) {
        return false;
    }
    if (m_style == Form_Key_Style::rows) {
        // One column of values: every key moves by rows.
        switch (key) {
        case Form_Key::left:
        case Form_Key::back_tab: key = Form_Key::up; break;
        case Form_Key::right:
        case Form_Key::tab: key = Form_Key::down; break;
        default: break;
        }
    }
    switch (key) {
    case Form_Key::up: return move_to(next_selectable(m_row, -1), m_cell);
    case Form_Key::down: return move_to(next_selectable(m_row, 1), m_cell);
    case Form_Key::left: return m_cell > 0 && move_to(m_row, m_cell - 1);
    case Form_Key::right: return move_to(m_row, m_cell + 1);
    case Form_Key::tab:
        if (m_cell + 1 < cells(m_row)) {
            return move_to(m_row, m_cell + 1);
        }
        return move_to(next_selectable(m_row, 1), 0);
    case Form_Key::back_tab: {
        if (m_cell > 0) {
            return move_to(m_row, m_cell - 1);
        }
        const int previous = next_selectable(m_row, -1);
        return previous >= 0 && move_to(previous, cells(previous) - 1);
    }
    case Form_Key::page_up:
    case Form_Key::page_down: {
        const int step = key == Form_Key::page_up ? -1 : 1;
        const int target = std::clamp(m_row + step * m_per_page, 0, row_count() - 1);
        // The nearest selectable row the page reaches, looking back toward the cursor when the
        // page ends on headings.
        int row = selectable(target) ? target : next_selectable(target, step);
        if (row < 0) {
            row = next_selectable(target, -step);
        }
        return move_to(row, m_cell);
    }
    case Form_Key::home: return move_to(nearest_selectable(0), 0);
    case Form_Key::end: {
        const int last = selectable(row_count() - 1) ? row_count() - 1
                                                     : next_selectable(row_count() - 1, -1);
        return move_to(last, 0);
    }
    }
    return false;
}
