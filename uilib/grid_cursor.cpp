// Grid_Cursor: the grid list's keys and commands.
#include "grid_cursor.h"

#include <algorithm>

Grid_Cursor::Grid_Cursor(Grid_Info& info) : m_info(info) {
    m_info.row_count = std::max(m_info.row_count, 0);
    m_info.visible_rows = std::max(m_info.visible_rows, 1);
    m_info.current_row = std::clamp(m_info.current_row, 0, template_row());
    m_info.current_column = std::clamp(m_info.current_column, 0, std::max(column_positions() - 1, 0));
    m_info.top_row = std::clamp(m_info.top_row, 0, scroll_limit());
    keep_in_view();
}

int Grid_Cursor::column_positions() const {
    return std::max(std::min<int>(m_info.column_count, static_cast<int>(m_info.columns.size())), 0);
}

int Grid_Cursor::data_column() const { return grid_data_column(m_info, m_info.current_column); }

int Grid_Cursor::scroll_limit() const {
    // The template row is a row of the view too.
    return std::max(template_row() + 1 - m_info.visible_rows, 0);
}

void Grid_Cursor::keep_in_view() {
    const int row = m_info.current_row;
    if (row < m_info.top_row) {
        m_info.top_row = row;
    } else if (row > m_info.top_row + m_info.visible_rows - 1) {
        m_info.top_row = row - (m_info.visible_rows - 1);
    }
    m_info.top_row = std::clamp(m_info.top_row, 0, scroll_limit());
    m_info.last_visible_row = m_info.top_row + m_info.visible_rows - 1;
}

bool Grid_Cursor::move_to(int row, int position) {
    row = std::clamp(row, 0, template_row());
    position = std::clamp(position, 0, std::max(column_positions() - 1, 0));
    const bool moved = row != m_info.current_row || position != m_info.current_column;
    m_info.current_row = row;
    m_info.current_column = position;
    keep_in_view();
    return moved;
}

bool Grid_Cursor::key(Grid_Key key) {
    const int row = m_info.current_row;
    const int position = m_info.current_column;
    const int page = m_info.visible_rows;
    switch (key) {
    case Grid_Key::left:
    case Grid_Key::back_tab: return move_to(row, position - 1);
    case Grid_Key::right:
    case Grid_Key::tab: return move_to(row, position + 1);
    case Grid_Key::up: return move_to(row - 1, position);
    case Grid_Key::down: return move_to(row + 1, position);
    case Grid_Key::page_up: return move_to(row - page, position);
    case Grid_Key::page_down: return move_to(row + page, position);
    case Grid_Key::home: return move_to(0, position);
    case Grid_Key::end: return move_to(template_row(), position);
    }
    return false;
}

bool Grid_Cursor::select(int row, int position) {
    if (row < 0 || row > template_row() || position < 0 || position >= column_positions()) {
        return false;
    }
    return move_to(row, position);
}

void Grid_Cursor::set_row_count(int rows) {
    m_info.row_count = std::max(rows, 0);
    m_info.current_row = std::clamp(m_info.current_row, 0, template_row());
    keep_in_view();
}

void Grid_Cursor::set_visible_rows(int rows) {
    m_info.visible_rows = std::max(rows, 1);
    keep_in_view();
}

void Grid_Cursor::scroll_to(int top) {
    m_info.top_row = std::clamp(top, 0, scroll_limit());
    m_info.last_visible_row = m_info.top_row + m_info.visible_rows - 1;
}

bool Grid_Cursor::enabled(Grid_Command command) const {
    switch (command) {
    case Grid_Command::add: return any_editable_column(m_info);
    case Grid_Command::edit:
    case Grid_Command::remove:
        return any_editable_column(m_info) && m_info.row_count > 0 && m_info.current_row >= 0 &&
               m_info.current_row < m_info.row_count;
    case Grid_Command::reset_display:
    case Grid_Command::close:
    case Grid_Command::export_text: return true;
    }
    return false;
}
