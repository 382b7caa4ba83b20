// Curve_Grid: cursor keys, the in-place edit and the apply rules of the two-column curve grid.
#include "curve_grid.h"

#include "message_catalogue.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

namespace {

// Two x values closer than this are the same point.
constexpr double same_x = 0.001;

// The text of one number field, or nullopt: an optional sign, digits with a point, an optional
// exponent, nothing else; finite and not NOT_SET.
std::optional<double> field_number(std::string_view field) {
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
        field = field.substr(1, field.size() - 2);
    }
    if (!field.empty() && field.front() == '+') {
        field.remove_prefix(1);
        if (!field.empty() && field.front() == '-') {
            return std::nullopt;
        }
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value,
                                              std::chars_format::general);
    if (field.empty() || error != std::errc() || end != field.data() + field.size() ||
        !std::isfinite(value) || value == NOT_SET) {
        return std::nullopt;
    }
    return value;
}

// The number pair that starts a pasted line, or nullopt.
std::optional<Curve_Pair> line_pair(std::string_view line) {
    constexpr std::string_view separators = "\t,; ";
    std::optional<double> values[2];
    int found = 0;
    std::size_t at = 0;
    while (found < 2) {
        at = line.find_first_not_of(separators, at);
        if (at == std::string_view::npos) {
            break;
        }
        std::size_t end = line.find_first_of(separators, at);
        if (end == std::string_view::npos) {
            end = line.size();
        }
        values[found] = field_number(line.substr(at, end - at));
        if (!values[found]) {
            return std::nullopt;
        }
        ++found;
        at = end;
    }
    if (found < 2) {
        return std::nullopt;
    }
    return Curve_Pair{*values[0], *values[1]};
}

std::string shortest(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

} // namespace

void Curve_Grid::attach(Curve_Points* points) {
    m_points = points;
    reset_cursor();
}

void Curve_Grid::reset_cursor() {
    m_first = 0;
    m_row = 0;
    m_column = 0;
    m_changed = false;
    m_editing = false;
    m_edit_modified = false;
    m_edit_selected = false;
    m_edit_text.clear();
}

std::string Curve_Grid::row_label(int row) {
    return std::to_string(row + 1);
}

std::string Curve_Grid::cell_text(int row, int column) const {
    if (m_points == nullptr || row < 0 || row > count()) {
        return {};
    }
    const Curve_Pair& pair = (*m_points)[row];
    const double value = column == 0 ? pair.x : pair.y;
    if (value == NOT_SET) {
        return {};
    }
    return format_fixed(value, column == 0 ? 4 : 1);
}

int Curve_Grid::last_visible_row() const {
    return std::min(m_first + m_visible_rows - 1, new_point_row());
}

int Curve_Grid::scroll_limit() const {
    return std::max(0, row_count() - m_visible_rows);
}

void Curve_Grid::set_visible_rows(int rows) {
    m_visible_rows = std::max(rows, 1);
    keep_cursor_visible();
}

int Curve_Grid::row_at(int y, int row_height) const {
    if (y < 0 || row_height <= 0) {
        return -1;
    }
    const int row = m_first + y / row_height;
    return row <= last_visible_row() ? row : -1;
}

void Curve_Grid::keep_cursor_visible() {
    if (m_row < m_first) {
        m_first = m_row;
    } else if (m_row > m_first + m_visible_rows - 1) {
        m_first = m_row - (m_visible_rows - 1);
    }
    m_first = std::clamp(m_first, 0, scroll_limit());
}

Grid_Outcome Curve_Grid::cursor_to(int row, int column) {
    Grid_Outcome outcome;
    outcome.handled = true;
    outcome.repaint = true;
    row = std::clamp(row, 0, new_point_row());
    outcome.row_changed = row != m_row;
    m_row = row;
    m_column = std::clamp(column, 0, 1);
    keep_cursor_visible();
    return outcome;
}

Grid_Outcome Curve_Grid::scroll_to(int first) {
    Grid_Outcome outcome;
    outcome.handled = true;
    outcome.repaint = true;
    m_first = std::clamp(first, 0, scroll_limit());
    return outcome;
}

Grid_Outcome Curve_Grid::move_to(int row, int column) {
    if (m_points == nullptr) {
        return {};
    }
    Grid_Outcome outcome;
    if (m_editing) {
        m_editing = false;
        outcome = apply_edit(false);
        outcome.edit_ended = true;
    }
    const Grid_Outcome moved = cursor_to(row, column);
    outcome.handled = true;
    outcome.repaint = true;
    outcome.row_changed = outcome.row_changed || moved.row_changed;
    return outcome;
}

Grid_Outcome Curve_Grid::points_replaced() {
    if (m_points == nullptr) {
        return {};
    }
    Grid_Outcome outcome;
    if (m_editing) {
        m_editing = false;
        m_edit_modified = false;
        outcome.edit_ended = true;
    }
    const Grid_Outcome moved = cursor_to(std::min(m_row, count()), m_column);
    m_changed = true;
    outcome.handled = true;
    outcome.repaint = true;
    outcome.row_changed = moved.row_changed;
    outcome.list_changed = true;
    return outcome;
}

Grid_Outcome Curve_Grid::key(Grid_Key key) {
    if (m_points == nullptr) {
        return {};
    }
    if (m_editing) {
        return edit_key(key);
    }
    switch (key) {
    case Grid_Key::up:
        return cursor_to(m_row - 1, m_column);
    case Grid_Key::down:
        return cursor_to(m_row + 1, m_column);
    case Grid_Key::page_up:
        return cursor_to(m_row - rows_per_page, m_column);
    case Grid_Key::page_down:
        return cursor_to(m_row + rows_per_page, m_column);
    case Grid_Key::home:
        return cursor_to(0, m_column);
    case Grid_Key::end:
        return cursor_to(new_point_row(), m_column);
    case Grid_Key::left:
    case Grid_Key::back_tab:
        return cursor_to(m_row, 0);
    case Grid_Key::right:
    case Grid_Key::tab:
        return cursor_to(m_row, 1);
    case Grid_Key::f2:
    case Grid_Key::enter:
    case Grid_Key::space:
        return start_edit(cell_text(m_row, m_column), true);
    case Grid_Key::delete_row:
        return delete_row();
    case Grid_Key::escape:
        break;
    }
    return {};
}

Grid_Outcome Curve_Grid::character(char c) {
    if (m_points == nullptr) {
        return {};
    }
    if (m_editing) {
        return edit_character(c);
    }
    if (c == ' ') {
        return key(Grid_Key::space);
    }
    if (!edit_accepts(c)) {
        return {};
    }
    Grid_Outcome outcome = start_edit(std::string(1, c), false);
    m_edit_modified = true;
    return outcome;
}

Grid_Outcome Curve_Grid::start_edit(std::string text, bool selected) {
    m_editing = true;
    m_edit_text = std::move(text);
    m_edit_selected = selected;
    m_edit_modified = false;
    Grid_Outcome outcome;
    outcome.handled = true;
    outcome.edit_started = true;
    return outcome;
}

bool Curve_Grid::edit_accepts(char c) {
    return c != '\0' && number_characters.find(c) != std::string_view::npos;
}

Grid_Outcome Curve_Grid::edit_character(char c) {
    Grid_Outcome outcome;
    if (!m_editing) {
        return outcome;
    }
    outcome.handled = true;
    const bool replaces = m_edit_selected;
    if (!edit_accepts(c) || (!replaces && m_edit_text.size() >= edit_limit)) {
        outcome.beep = true;
        return outcome;
    }
    if (replaces) {
        m_edit_text.clear();
    }
    m_edit_text += c;
    m_edit_selected = false;
    m_edit_modified = true;
    outcome.edit_text_changed = true;
    return outcome;
}

Grid_Outcome Curve_Grid::set_edit_text(std::string_view text) {
    Grid_Outcome outcome;
    if (!m_editing) {
        return outcome;
    }
    std::string kept;
    for (const char c : text) {
        if (edit_accepts(c) && kept.size() < edit_limit) {
            kept += c;
        }
    }
    outcome.handled = true;
    outcome.edit_text_changed = kept != text;
    m_edit_text = std::move(kept);
    m_edit_selected = false;
    m_edit_modified = true;
    return outcome;
}

Grid_Outcome Curve_Grid::edit_key(Grid_Key key) {
    Grid_Outcome outcome;
    switch (key) {
    case Grid_Key::escape:
        outcome.handled = true;
        if (m_edit_modified) {
            m_edit_text.clear();
            m_edit_modified = false;
            m_edit_selected = false;
            outcome.edit_text_changed = true;
        } else {
            m_editing = false;
            outcome.edit_ended = true;
            outcome.repaint = true;
        }
        return outcome;
    case Grid_Key::space:
        return edit_character(' ');
    case Grid_Key::enter:
    case Grid_Key::tab:
    case Grid_Key::back_tab:
    case Grid_Key::up:
    case Grid_Key::down:
        break;
    default:
        // Left, Right, Home, End and the rest belong to the edit control.
        return outcome;
    }
    m_editing = false;
    outcome = apply_edit(key == Grid_Key::enter);
    outcome.handled = true;
    outcome.edit_ended = true;
    outcome.repaint = true;
    if (outcome.message || key == Grid_Key::enter) {
        return outcome;
    }
    // The key then acts as it does in the grid.
    const Grid_Outcome moved = this->key(key);
    outcome.row_changed = outcome.row_changed || moved.row_changed;
    return outcome;
}

Grid_Outcome Curve_Grid::apply_edit(bool enter) {
    if (!m_edit_modified) {
        return {};
    }
    m_edit_modified = false;
    // A text that holds no number is 0, as the C conversion reads it.
    const double value = text_to_double(m_edit_text.c_str());
    return m_column == 0 ? apply_x(value, enter) : apply_y(value, enter);
}

Grid_Outcome Curve_Grid::apply_x(double x, bool enter) {
    Grid_Outcome outcome;
    outcome.handled = true;
    outcome.repaint = true;
    Curve_Points& points = *m_points;
    if (m_row < points.count() && x == points[m_row].x) {
        return outcome; // the same value again changes nothing
    }
    for (int i = 0; i < points.count(); ++i) {
        if (i != m_row && std::fabs(x - points[i].x) < same_x) {
            outcome.message = Grid_Message{MSG_SAME_DISTANCE, MSG_DATA_ENTRY_ERROR, {}};
            return outcome;
        }
    }
    points[m_row].x = x;
    if (m_row < points.count()) {
        points.move_into_order(m_row);
        m_changed = true;
        outcome.list_changed = true;
    } else if (points[m_row].y_set()) {
        add_new_point(outcome, enter);
    } else if (enter) {
        const Grid_Outcome moved = cursor_to(m_row, 1);
        outcome.row_changed = moved.row_changed;
    }
    return outcome;
}

Grid_Outcome Curve_Grid::apply_y(double y, bool enter) {
    Grid_Outcome outcome;
    outcome.handled = true;
    outcome.repaint = true;
    Curve_Points& points = *m_points;
    if (m_row < points.count() && y == points[m_row].y) {
        return outcome;
    }
    points[m_row].y = y;
    if (m_row < points.count()) {
        m_changed = true;
        outcome.list_changed = true;
    } else if (points[m_row].x_set()) {
        add_new_point(outcome, enter);
    } else if (enter) {
        const Grid_Outcome moved = cursor_to(m_row, 0);
        outcome.row_changed = moved.row_changed;
    }
    return outcome;
}

void Curve_Grid::add_new_point(Grid_Outcome& outcome, bool enter) {
    Curve_Points& points = *m_points;
    const int row = points.count();
    points.add_point(points[row]);
    if (row > 0 && points[row].x < points[row - 1].x) {
        points.move_into_order(row);
    }
    m_changed = true;
    outcome.list_changed = true;
    if (enter) {
        const Grid_Outcome moved = cursor_to(points.count(), 0);
        outcome.row_changed = moved.row_changed;
    }
}

Grid_Outcome Curve_Grid::delete_row() {
    Curve_Points& points = *m_points;
    Grid_Outcome outcome;
    if (m_row == points.count()) {
        points[m_row] = points.default_pair();
        outcome = cursor_to(m_row - 1, m_column);
        return outcome;
    }
    points.remove_point(m_row);
    m_changed = true;
    int row = m_row;
    if (row == points.count() && m_first > 0) {
        --row;
    }
    outcome = cursor_to(row, m_column);
    outcome.list_changed = true;
    return outcome;
}

Grid_Outcome Curve_Grid::paste(std::string_view text) {
    Grid_Outcome outcome;
    if (m_points == nullptr || m_editing) {
        return outcome;
    }
    outcome.handled = true;
    std::vector<Curve_Pair> pasted;
    bool first_line = true;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        while (!line.empty() &&
               (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) {
            line.remove_suffix(1);
        }
        if (line.find_first_not_of(" \t") == std::string_view::npos) {
            continue;
        }
        const std::optional<Curve_Pair> pair = line_pair(line);
        if (!pair) {
            if (first_line) {
                first_line = false;
                continue;
            }
            break;
        }
        first_line = false;
        pasted.push_back(*pair);
    }
    if (pasted.empty()) {
        return outcome;
    }

    // Every x of the list and of the paste in order: a value within 0.001 of another lies next
    // to one that close. The paste row with the lowest number among those named.
    struct Entry {
        double x;
        int pasted_row; // -1 for a point of the list
    };
    Curve_Points& points = *m_points;
    std::vector<Entry> entries;
    entries.reserve(points.points().size() + pasted.size());
    for (const Curve_Pair& pair : points.points()) {
        entries.push_back({pair.x, -1});
    }
    for (std::size_t i = 0; i < pasted.size(); ++i) {
        entries.push_back({pasted[i].x, static_cast<int>(i)});
    }
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return x_before(a.x, b.x); });
    int duplicate = -1;
    for (std::size_t i = 1; i < entries.size(); ++i) {
        if (entries[i].x - entries[i - 1].x < same_x) {
            for (const int row : {entries[i - 1].pasted_row, entries[i].pasted_row}) {
                if (row >= 0 && (duplicate < 0 || row < duplicate)) {
                    duplicate = row;
                }
            }
        }
    }
    if (duplicate >= 0) {
        outcome.message =
            Grid_Message{MSG_SAME_DISTANCE, MSG_DATA_ENTRY_ERROR,
                         format_fixed(pasted[static_cast<std::size_t>(duplicate)].x, 4)};
        return outcome;
    }

    // What is typed in the new-point row stays there.
    const bool on_new_point_row = m_row == points.count();
    const Curve_Pair typed = points[points.count()];
    points[points.count()] = points.default_pair();
    points.add_points(pasted);
    points.sort_by_x();
    points[points.count()] = typed;
    m_changed = true;
    outcome.list_changed = true;
    outcome.repaint = true;
    if (on_new_point_row) {
        m_row = points.count();
        outcome.row_changed = true;
    }
    keep_cursor_visible();
    return outcome;
}

std::string Curve_Grid::copy_text(std::string_view x_title, std::string_view y_title) const {
    std::string text;
    text.append(x_title).append("\t").append(y_title).append("\n");
    if (m_points == nullptr) {
        return text;
    }
    for (const Curve_Pair& pair : m_points->points()) {
        text.append(shortest(pair.x)).append("\t").append(shortest(pair.y)).append("\n");
    }
    return text;
}
