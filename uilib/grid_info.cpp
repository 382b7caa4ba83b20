// The grid list's table description and marked rows.
#include "grid_info.h"

#include <algorithm>

Grid_Edit grid_edit_kind(const Grid_Column& column) {
    if (column.editable == 0) {
        return Grid_Edit::none;
    }
    if (is_check_box_kind(column.kind)) {
        return Grid_Edit::toggle;
    }
    if (is_colour_kind(column.kind)) {
        return Grid_Edit::colour;
    }
    return is_drop_list_kind(column.kind) ? Grid_Edit::drop_list : Grid_Edit::text;
}

Grid_Info make_grid_info(std::vector<Grid_Column> columns, std::vector<std::string> titles,
                         int32_t row_count) {
    Grid_Info info;
    info.column_count = static_cast<int32_t>(columns.size());
    info.columns = std::move(columns);
    info.titles = std::move(titles);
    info.titles.resize(info.columns.size());
    info.column_order.resize(info.columns.size());
    for (std::size_t n = 0; n < info.column_order.size(); ++n) {
        info.column_order[n] = static_cast<int32_t>(n);
    }
    info.row_count = std::max(row_count, 0);
    return info;
}

bool is_column_permutation(const std::vector<int32_t>& order, int32_t count) {
    if (count < 0 || order.size() != static_cast<std::size_t>(count)) {
        return false;
    }
    std::vector<bool> seen(order.size(), false);
    for (int32_t column : order) {
        if (column < 0 || column >= count || seen[static_cast<std::size_t>(column)]) {
            return false;
        }
        seen[static_cast<std::size_t>(column)] = true;
    }
    return true;
}

int grid_data_column(const Grid_Info& info, int position) {
    const int count = std::min<int>(info.column_count, static_cast<int>(info.columns.size()));
    if (position < 0 || position >= count) {
        return -1;
    }
    if (is_column_permutation(info.column_order, info.column_count)) {
        return info.column_order[static_cast<std::size_t>(position)];
    }
    return position;
}

bool any_editable_column(const Grid_Info& info) {
    return std::any_of(info.columns.begin(), info.columns.end(),
                       [](const Grid_Column& column) { return column.editable != 0; });
}

bool Marked_Row::add_row(int row) {
    if (!m_marked.insert(row).second) {
        return false;
    }
    if (count() == m_capacity) {
        m_capacity += 20;
    }
    m_rows.push_back(row);
    return true;
}

bool Marked_Row::remove_row(int row) {
    if (m_marked.erase(row) == 0) {
        return false;
    }
    m_rows.erase(std::find(m_rows.begin(), m_rows.end(), row));
    if (m_capacity > 20 && count() == m_capacity - 20) {
        m_capacity -= 20;
    }
    return true;
}

void Marked_Row::sort_marked() { std::sort(m_rows.begin(), m_rows.end()); }

void Marked_Row::init() {
    m_rows.clear();
    m_marked.clear();
    m_capacity = 20;
}

void click_row_number(Marked_Row& marks, int row, int row_count, Row_Click click) {
    if (row < 0 || row >= row_count) {
        return;
    }
    switch (click) {
    case Row_Click::plain: {
        const bool only_this = marks.single_marked() == row;
        marks.init();
        if (!only_this) {
            marks.add_row(row);
        }
        marks.anchor = row;
        break;
    }
    case Row_Click::ctrl:
        if (!marks.remove_row(row)) {
            marks.add_row(row);
        }
        marks.anchor = row;
        break;
    case Row_Click::shift: {
        int from = marks.single_marked();
        if (from < 0) {
            from = marks.anchor >= 0 && marks.anchor < row_count ? marks.anchor : row;
        }
        marks.init();
        const int first = std::min(from, row);
        const int last = std::max(from, row);
        for (int r = first; r <= last; ++r) {
            marks.add_row(r);
        }
        marks.anchor = from;
        break;
    }
    }
}

void toggle_row_mark(Marked_Row& marks, int row, int row_count) {
    if (row < 0 || row >= row_count) {
        return;
    }
    if (!marks.remove_row(row)) {
        marks.add_row(row);
    }
}
