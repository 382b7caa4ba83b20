// The grid list's stored layout text and default column edges.
#include "grid_layout.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace {

// Walks the comma-separated integers of a stored layout; stops for good at the first field that
// is missing or no 32-bit integer.
class Layout_Values {
public:
    explicit Layout_Values(std::string_view text) : m_rest(text) {}

    bool next(int32_t& value) {
        if (m_done || m_rest.empty()) {
            m_done = true;
            return false;
        }
        const std::size_t comma = m_rest.find(',');
        std::string_view field = m_rest.substr(0, comma);
        m_rest = comma == std::string_view::npos ? std::string_view() : m_rest.substr(comma + 1);
        const std::size_t first = field.find_first_not_of(" \t");
        const std::size_t last = field.find_last_not_of(" \t");
        if (first == std::string_view::npos) {
            m_done = true;
            return false;
        }
        field = field.substr(first, last - first + 1);
        if (field.front() == '+') {
            field.remove_prefix(1);
        }
        long long number = 0;
        const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), number);
        if (error != std::errc() || end != field.data() + field.size() || field.empty() ||
            number < std::numeric_limits<int32_t>::min() ||
            number > std::numeric_limits<int32_t>::max()) {
            m_done = true;
            return false;
        }
        value = static_cast<int32_t>(number);
        return true;
    }

private:
    std::string_view m_rest;
    bool m_done = false;
};

bool off_screen(const Grid_Rect& rect, const Screen_Sizes& screens) {
    const long long right = static_cast<long long>(rect.left) + rect.width;
    return right < 0 || rect.left > screens.virtual_width || rect.top < 0 ||
           rect.top > screens.virtual_height || rect.width < 0 || rect.height < 0;
}

bool usable_edges(const std::vector<int32_t>& edges) {
    if (edges.empty() || edges.front() < 0 || edges.back() > GRID_MAX_EDGE) {
        return false;
    }
    return std::adjacent_find(edges.begin(), edges.end(),
                              [](int32_t a, int32_t b) { return b <= a; }) == edges.end();
}

} // namespace

std::string grid_layout_text(const Grid_Info& info) {
    const int32_t count = std::max(info.column_count, 0);
    std::string text;
    auto add = [&text](long long value) {
        text += std::to_string(value);
        text += ',';
    };
    add(count);
    add(info.top_row);
    add(info.visible_rows);
    add(info.maximised ? 1 : 0);
    add(info.window.left);
    add(info.window.top);
    add(info.window.width);
    add(info.window.height);
    const bool edges_fit = info.column_edges.size() == static_cast<std::size_t>(count) + 1;
    for (int32_t n = 0; n <= count; ++n) {
        add(edges_fit ? info.column_edges[static_cast<std::size_t>(n)] : 0);
    }
    const bool order_fits = is_column_permutation(info.column_order, count);
    for (int32_t n = 0; n < count; ++n) {
        add(order_fits ? info.column_order[static_cast<std::size_t>(n)] : n);
    }
    return text;
}

void read_grid_layout(Grid_Info& info, std::string_view text, const Screen_Sizes& screens) {
    if (text.empty()) {
        return;
    }
    Layout_Values values(text);
    int32_t count = 0;
    if (!values.next(count) || count != info.column_count || count < 0) {
        return;
    }
    int32_t head[7] = {};
    int read = 0;
    while (read < 7 && values.next(head[read])) {
        ++read;
    }
    if (read > 0) {
        info.top_row = head[0];
    }
    if (read > 1) {
        // The list recomputes the visible rows from its window; a negative count is no count.
        info.visible_rows = std::max(head[1], 0);
    }
    if (read > 2) {
        info.maximised = head[2] == 1;
    }
    if (read > 3) {
        int32_t* const rect[4] = {&info.window.left, &info.window.top, &info.window.width,
                                  &info.window.height};
        for (int n = 3; n < read; ++n) {
            *rect[n - 3] = head[n];
        }
        if (off_screen(info.window, screens)) {
            info.window = centred_grid_rect(screens);
        }
        // A window larger than every screen together is cut to them.
        if (screens.virtual_width > 0) {
            info.window.width = std::min(info.window.width, screens.virtual_width);
        }
        if (screens.virtual_height > 0) {
            info.window.height = std::min(info.window.height, screens.virtual_height);
        }
    }
    if (read == 7) {
        // Edges and order are read into copies and taken whole or not at all: a part of them
        // mixed with the program's values could give edges that do not increase.
        std::vector<int32_t> edges;
        int32_t value = 0;
        while (edges.size() < static_cast<std::size_t>(count) + 1 && values.next(value)) {
            edges.push_back(value);
        }
        const bool all_edges = edges.size() == static_cast<std::size_t>(count) + 1;
        if (all_edges && usable_edges(edges)) {
            info.column_edges = std::move(edges);
        }
        if (all_edges) {
            std::vector<int32_t> order;
            while (order.size() < static_cast<std::size_t>(count) && values.next(value)) {
                order.push_back(value);
            }
            if (is_column_permutation(order, count)) {
                info.column_order = std::move(order);
            }
        }
    }
    if (info.top_row < 0 || info.top_row >= info.row_count) {
        info.top_row = 0;
    }
}

Grid_Rect centred_grid_rect(const Screen_Sizes& screens) {
    const double w = screens.virtual_width;
    const double h = screens.virtual_height;
    return {static_cast<int32_t>(0.125 * w), static_cast<int32_t>(0.125 * h),
            static_cast<int32_t>(0.75 * w), static_cast<int32_t>(0.75 * h)};
}

Grid_Rect default_grid_rect(int screen_width, int screen_height, int pixels_per_inch_x,
                            int pixels_per_inch_y) {
    return {pixels_per_inch_x, pixels_per_inch_y,
            std::max(screen_width - 8 * pixels_per_inch_x, pixels_per_inch_x),
            std::max(screen_height - 6 * pixels_per_inch_y, pixels_per_inch_y)};
}

void note_grid_window(Grid_Info& info, bool maximised, const Grid_Rect& normal) {
    info.maximised = maximised;
    if (!maximised) {
        info.window = normal;
    }
}

std::vector<int32_t> default_grid_edges(int average_char_width, int digits_width,
                                        const std::vector<int>& title_widths) {
    std::vector<int32_t> edges;
    edges.reserve(title_widths.size() + 1);
    int32_t edge = average_char_width + digits_width;
    edges.push_back(edge);
    for (int title : title_widths) {
        edge += std::max(title, 10 * average_char_width) + 4 * average_char_width;
        edges.push_back(edge);
    }
    return edges;
}

void set_default_grid_edges(Grid_Info& info, int average_char_width, int digits_width,
                            const std::vector<int>& title_widths) {
    const int count = std::max(info.column_count, 0);
    std::vector<int> shown(static_cast<std::size_t>(count), 0);
    for (int position = 0; position < count; ++position) {
        const int column = grid_data_column(info, position);
        if (column >= 0 && static_cast<std::size_t>(column) < title_widths.size()) {
            shown[static_cast<std::size_t>(position)] = title_widths[static_cast<std::size_t>(column)];
        }
    }
    info.column_edges = default_grid_edges(average_char_width, digits_width, shown);
}

bool needs_default_edges(const Grid_Info& info) {
    return info.column_edges.size() != static_cast<std::size_t>(std::max(info.column_count, 0)) + 1 ||
           info.column_edges.front() <= 0;
}

void reset_grid_display(Grid_Info& info, int average_char_width, int digits_width,
                        const std::vector<int>& title_widths) {
    const int count = std::max(info.column_count, 0);
    info.column_order.resize(static_cast<std::size_t>(count));
    for (int n = 0; n < count; ++n) {
        info.column_order[static_cast<std::size_t>(n)] = n;
    }
    set_default_grid_edges(info, average_char_width, digits_width, title_widths);
}
