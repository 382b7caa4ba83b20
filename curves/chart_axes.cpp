// The chart's computations: steps, axes, labels, layout and the painter's plan.
#include "chart_axes.h"

#include "text_helpers.h"

#include <algorithm>
#include <cmath>

namespace {

// A range below this counts as zero: 10 to its exponent must stay a normal double.
constexpr double SMALLEST_RANGE = 1e-300;
// Minor parts per step beyond this would be lines closer than a pixel on any real screen.
constexpr int MAX_MINOR_PARTS = 100;

int to_pixel(double value) {
    if (!std::isfinite(value)) {
        return 0;
    }
    return static_cast<int>(std::lround(std::clamp(value, -1e9, 1e9)));
}

// Indices of multiples of the step near a value. A value within a billionth of a step of a
// multiple counts as that multiple, so 2.2 / 0.05 lands on 44 whichever way it rounds.
struct Multiple {
    double index;     // the nearest multiple's index when `exact`, else floor(value / step)
    bool exact;
};

Multiple multiple_of(double value, double step) {
    const double quotient = value / step;
    const double nearest = std::round(quotient);
    if (std::fabs(quotient - nearest) < 1e-9) {
        return {nearest, true};
    }
    return {std::floor(quotient), false};
}

// The multiple strictly below a value, the first one at least the value, the first strictly
// above it.
double index_below(double value, double step) {
    const Multiple m = multiple_of(value, step);
    return m.exact ? m.index - 1.0 : m.index;
}

double index_at_least(double value, double step) {
    const Multiple m = multiple_of(value, step);
    return m.exact ? m.index : m.index + 1.0;
}

double index_above(double value, double step) {
    const Multiple m = multiple_of(value, step);
    return m.index + 1.0;
}

// Equal ends are widened the way the y axis asks: by 10 % above a positive value, else by 10.
void widen_equal_ends(double low, double& high) {
    if (low == high) {
        high = high > 0.0 ? high * 1.1 : high + 10.0;
    }
}

// Ticks from `first_index` while the value stays below `limit`, at most CHART_MAX_LABELS.
int ticks_below(double first_index, double step, double limit) {
    int count = 0;
    while (count < CHART_MAX_LABELS && (first_index + count) * step < limit) {
        ++count;
    }
    return count;
}

double tick_value(double index, double step) {
    return index * step + 0.0;  // + 0.0 turns -0 into 0
}

// Minor line positions between the major ticks of one axis, clipped to [low, high].
std::vector<int> minor_lines(double first_index, int ticks, double step, int parts, double low,
                             double high, double (Graph_Axis2::*to_screen)(double) const,
                             const Graph_Axis2& axis) {
    std::vector<int> lines;
    if (parts < 2) {
        return lines;
    }
    // From the step before the first tick to the one after the last, so the ends are covered.
    for (int k = -1; k <= ticks; ++k) {
        const double base = (first_index + k) * step;
        for (int j = 1; j < parts; ++j) {
            const double value = base + step * j / parts;
            if (value > low && value < high) {
                lines.push_back(to_pixel((axis.*to_screen)(value)));
            }
        }
    }
    return lines;
}

} // namespace

bool chart_value_usable(double value) {
    return value != NOT_SET && std::isfinite(value) && std::fabs(value) <= CHART_VALUE_LIMIT;
}

bool chart_point_usable(const Chart_Point& point) {
    return chart_value_usable(point.x) && chart_value_usable(point.y);
}

Data_Range data_range(std::span<const Chart_Point> points) {
    Data_Range range;
    for (const Chart_Point& point : points) {
        if (!chart_point_usable(point)) {
            continue;
        }
        if (range.count == 0) {
            range.x_min = range.x_max = point.x;
            range.y_min = range.y_max = point.y;
        } else {
            range.x_min = std::min(range.x_min, point.x);
            range.x_max = std::max(range.x_max, point.x);
            range.y_min = std::min(range.y_min, point.y);
            range.y_max = std::max(range.y_max, point.y);
        }
        ++range.count;
    }
    return range;
}

Data_Range merge_ranges(const Data_Range& a, const Data_Range& b) {
    if (b.count == 0) {
        return a;
    }
    if (a.count == 0) {
        return b;
    }
    Data_Range merged;
    merged.count = a.count + b.count;
    merged.x_min = std::min(a.x_min, b.x_min);
    merged.x_max = std::max(a.x_max, b.x_max);
    merged.y_min = std::min(a.y_min, b.y_min);
    merged.y_max = std::max(a.y_max, b.y_max);
    return merged;
}

Desired_Intervals desired_intervals(int width, int height) {
    Desired_Intervals intervals;
    intervals.x = std::max(0, width - 2) / 60;
    intervals.y = std::max(5, std::max(0, height - 4) / 43);
    return intervals;
}

double window_font_scale(bool scale_with_window, int width, int height, int reference_width,
                         int reference_height) {
    if (!scale_with_window || reference_width <= 0 || reference_height <= 0) {
        return 1.0;
    }
    const double w = std::max(0, width);
    const double h = std::max(0, height);
    return std::hypot(w, h) / std::hypot(double(reference_width), double(reference_height));
}

double round_step(double range, int intervals) {
    range = std::fabs(range);
    if (!std::isfinite(range) || range < SMALLEST_RANGE) {
        range = 0.0;
    }
    const double exponent = range == 0.0 ? 0.0 : std::floor(std::log10(range));
    const double power = std::pow(10.0, exponent);
    const double reduced = range / power;
    static constexpr double factors[] = {0.1, 0.2, 0.5, 1.0};
    double chosen = factors[0];
    double nearest = std::fabs(reduced / factors[0] - intervals);
    for (double factor : factors) {
        const double distance = std::fabs(reduced / factor - intervals);
        if (distance < nearest) {
            nearest = distance;
            chosen = factor;
        }
    }
    return chosen * power;
}

int font_pixel_height(double pixels_per_mm, double tenths) {
    const double pixels = std::floor(pixels_per_mm * tenths * 25.4 / 720.0 + 0.5);
    if (!std::isfinite(pixels) || pixels < 0.0) {
        return 0;
    }
    return static_cast<int>(std::min(pixels, 1e6));
}

Label_Texts label_texts(double first_index, double step, int count) {
    Label_Texts labels;
    count = std::clamp(count, 0, CHART_MAX_LABELS);
    labels.precision = count == 1 ? 1 : 0;
    for (;;) {
        labels.texts.clear();
        for (int i = 0; i < count; ++i) {
            labels.texts.push_back(format_fixed(tick_value(first_index + i, step), labels.precision));
        }
        const bool repeated =
            std::adjacent_find(labels.texts.begin(), labels.texts.end()) != labels.texts.end();
        if (!repeated || labels.precision >= CHART_MAX_PRECISION) {
            return labels;
        }
        ++labels.precision;
    }
}

void Graph_Axis2::set_window_size(int width, int height) {
    const Desired_Intervals intervals = desired_intervals(width, height);
    x_intervals = intervals.x;
    y_intervals = intervals.y;
}

void Graph_Axis2::set_range(const Data_Range& range) {
    y_labels.clear();
    x_labels.clear();
    x_label_widths.clear();
    if (range.count == 0) {
        x_min = y_min = 0.0;
        x_max = y_max = 1.0;
        x_step = y_step = 1.0;
        first_x_tick = 1.0;
        x_precision = 0;
        return;
    }

    // y: round ends strictly outside the data.
    double low = range.y_min;
    double high = range.y_max;
    widen_equal_ends(low, high);
    y_step = round_step(high - low, y_intervals);
    const double y_bottom = index_below(low, y_step);
    y_min = tick_value(y_bottom, y_step);
    y_max = tick_value(index_above(high, y_step), y_step);
    y_labels = label_texts(y_bottom, y_step, ticks_below(y_bottom, y_step, y_max - 0.1 * y_step))
                   .texts;

    double first_index = 0.0;
    int count = 0;
    if (x_range_mode == 0) {
        x_min = range.x_min;
        x_max = range.x_max;
        x_step = round_step(x_max - x_min, x_intervals);
        first_index = x_min > 0.0 ? index_at_least(x_min, x_step) : index_above(x_min, x_step);
        // From (about) zero the first tick is one step in, as long as that is on the axis.
        if (std::fabs(x_min) < 0.001 && x_step >= x_min) {
            first_index = 1.0;
        }
        count = ticks_below(first_index, x_step, x_max);
    } else {
        low = range.x_min;
        high = range.x_max;
        widen_equal_ends(low, high);
        x_step = round_step(high - low, x_intervals);
        const double bottom = index_below(low, x_step);
        x_min = tick_value(bottom, x_step);
        x_max = tick_value(index_above(high, x_step), x_step);
        first_index = bottom + 1.0;
        count = ticks_below(first_index, x_step, x_max - 0.1 * x_step);
    }
    first_x_tick = tick_value(first_index, x_step);
    Label_Texts texts = label_texts(first_index, x_step, count);
    x_labels = std::move(texts.texts);
    x_precision = texts.precision;
}

void Graph_Axis2::layout(int width, int height, const Chart_Metrics& measured) {
    metrics = measured;
    const int half_width = measured.char_width / 2;
    const int half_height = measured.char_height / 2;
    width = std::max(width, 1);
    height = std::max(height, 1);
    plot.left = std::min(measured.title_height + measured.widest_y_label + half_width, width - 1);
    plot.top = std::min(half_height, height - 1);
    plot.right = std::max(plot.left, width - 1 - half_width);
    plot.bottom = std::max(plot.top, height - 1 - half_height - measured.char_height -
                                         measured.title_height);
}

std::string Graph_Axis2::left_end_text() const {
    if (std::fabs(x_min) < 0.001) {
        return "0";
    }
    return format_fixed(x_min + 0.0, x_precision);
}

std::string Graph_Axis2::right_end_text() const {
    return format_fixed(x_max + 0.0, x_precision);
}

double Graph_Axis2::screen_x(double x) const {
    const double span = x_max - x_min;
    if (!(span > 0.0) || !std::isfinite(span)) {
        return (plot.left + plot.right) / 2.0;
    }
    return plot.left + (x - x_min) / span * plot.width();
}

double Graph_Axis2::screen_y(double y) const {
    const double span = y_max - y_min;
    if (!(span > 0.0) || !std::isfinite(span)) {
        return (plot.top + plot.bottom) / 2.0;
    }
    return plot.bottom - (y - y_min) / span * plot.height();
}

int minor_line_count(double step_pixels, double label_font_pixels) {
    if (!(label_font_pixels > 0.0) || !std::isfinite(step_pixels) || step_pixels <= 0.0) {
        return 0;
    }
    const double parts = std::floor(step_pixels / (label_font_pixels * 5.8));
    return static_cast<int>(std::min(parts, double(MAX_MINOR_PARTS)));
}

Chart_Plan plan_chart(const Graph_Axis2& axis, std::span<const Chart_Point> points,
                      int label_font_pixels) {
    Chart_Plan plan;
    plan.plot = axis.plot;
    const Plot_Rect& plot = axis.plot;
    const Chart_Metrics& metrics = axis.metrics;
    const int half_width = metrics.char_width / 2;
    const int half_height = metrics.char_height / 2;
    plan.x_title_centre = (plot.left + plot.right) / 2;
    plan.x_title_top = plot.bottom + half_height + metrics.char_height;
    plan.y_title_centre = (plot.top + plot.bottom) / 2;
    plan.tick_length = std::max(2, half_width);
    if (data_range(points).count < 2) {
        return plan;
    }
    plan.frame_only = false;

    // x: the end values, then the labels that fit between them.
    const int label_top = plot.bottom + half_height;
    plan.left_end = {axis.left_end_text(), plot.left, label_top};
    plan.right_end = {axis.right_end_text(), plot.right, label_top};
    const double x_first_index = std::round(axis.first_x_tick / axis.x_step);
    int previous_right = plot.left + metrics.left_end_width;
    const int right_end_left = plot.right - metrics.right_end_width;
    for (std::size_t i = 0; i < axis.x_labels.size(); ++i) {
        const int centre = to_pixel(axis.screen_x(tick_value(x_first_index + double(i), axis.x_step)));
        plan.x_major.push_back(centre);
        const int width = i < axis.x_label_widths.size() ? axis.x_label_widths[i] : 0;
        const int left = centre - width / 2;
        if (left < previous_right + half_width || left + width + half_width > right_end_left) {
            continue;
        }
        plan.x_labels.push_back({axis.x_labels[i], centre, label_top});
        previous_right = left + width;
    }

    // y: from the bottom up, each label at least a character height above the last one drawn.
    const double y_first_index = std::round(axis.y_min / axis.y_step);
    int previous_y = 0;
    bool any_y_label = false;
    for (std::size_t i = 0; i < axis.y_labels.size(); ++i) {
        const int y = to_pixel(axis.screen_y(tick_value(y_first_index + double(i), axis.y_step)));
        plan.y_major.push_back(y);
        if (any_y_label && previous_y - y < metrics.char_height) {
            continue;
        }
        plan.y_labels.push_back({axis.y_labels[i], plot.left - half_width, y});
        previous_y = y;
        any_y_label = true;
    }

    const double x_step_pixels =
        axis.x_max > axis.x_min ? axis.x_step / (axis.x_max - axis.x_min) * plot.width() : 0.0;
    const double y_step_pixels =
        axis.y_max > axis.y_min ? axis.y_step / (axis.y_max - axis.y_min) * plot.height() : 0.0;
    plan.x_minor = minor_lines(x_first_index, int(axis.x_labels.size()), axis.x_step,
                               minor_line_count(x_step_pixels, label_font_pixels), axis.x_min,
                               axis.x_max, &Graph_Axis2::screen_x, axis);
    plan.y_minor = minor_lines(y_first_index, int(axis.y_labels.size()), axis.y_step,
                               minor_line_count(y_step_pixels, label_font_pixels), axis.y_min,
                               axis.y_max, &Graph_Axis2::screen_y, axis);

    plan.curve.reserve(points.size());
    for (const Chart_Point& point : points) {
        if (chart_point_usable(point)) {
            plan.curve.push_back({axis.screen_x(point.x), axis.screen_y(point.y)});
        }
    }
    return plan;
}

std::vector<int> marker_positions(const Graph_Axis2& axis, std::span<const Chart_Point> points) {
    std::vector<int> positions(points.size(), NO_MARKER);
    if (data_range(points).count < 2) {
        return positions;
    }
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (chart_point_usable(points[i])) {
            positions[i] = to_pixel(axis.screen_x(points[i].x));
        }
    }
    return positions;
}

int point_at_mouse(std::span<const int> screen_x, int mouse_x, bool moving_right) {
    int first = -1;
    int last = -1;
    int found = -1;
    for (std::size_t i = 0; i < screen_x.size(); ++i) {
        if (screen_x[i] == NO_MARKER) {
            continue;
        }
        const int index = static_cast<int>(i);
        if (first < 0) {
            first = index;
        }
        last = index;
        if (moving_right && found < 0 && screen_x[i] >= mouse_x) {
            found = index;
        }
        if (!moving_right && screen_x[i] < mouse_x) {
            found = index;
        }
    }
    if (found >= 0) {
        return found;
    }
    return moving_right ? last : first;
}

Plot_Rect corner_box(const Plot_Rect& area, Chart_Corner corner, int width, int height,
                     int inset) {
    inset = std::max(inset, 0);
    if (width <= 0 || height <= 0 || area.width() - 2 * inset < width ||
        area.height() - 2 * inset < height) {
        return {area.left, area.top, area.left, area.top};
    }
    const bool right = corner == Chart_Corner::top_right || corner == Chart_Corner::bottom_right;
    const bool bottom = corner == Chart_Corner::bottom_right || corner == Chart_Corner::bottom_left;
    Plot_Rect box;
    box.left = right ? area.right - inset - width : area.left + inset;
    box.top = bottom ? area.bottom - inset - height : area.top + inset;
    box.right = box.left + width;
    box.bottom = box.top + height;
    return box;
}

namespace {

// Liang-Barsky: whether the segment from `a` to `b` has a part inside `box`.
bool segment_meets_box(const Chart_Plan::Screen_Point& a, const Chart_Plan::Screen_Point& b,
                       const Plot_Rect& box) {
    double t0 = 0.0;
    double t1 = 1.0;
    const auto clip = [&](double direction, double distance) {
        if (direction == 0.0) {
            return distance >= 0.0;
        }
        const double t = distance / direction;
        if (direction < 0.0) {
            if (t > t1) {
                return false;
            }
            t0 = std::max(t0, t);
        } else {
            if (t < t0) {
                return false;
            }
            t1 = std::min(t1, t);
        }
        return true;
    };
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    return clip(-dx, a.x - box.left) && clip(dx, box.right - a.x) && clip(-dy, a.y - box.top) &&
           clip(dy, box.bottom - a.y);
}

bool screen_point_finite(const Chart_Plan::Screen_Point& point) {
    return std::isfinite(point.x) && std::isfinite(point.y);
}

} // namespace

int segments_crossing(const Plot_Rect& box, std::span<const Chart_Plan::Screen_Point> line) {
    int count = 0;
    for (std::size_t i = 1; i < line.size(); ++i) {
        if (screen_point_finite(line[i - 1]) && screen_point_finite(line[i]) &&
            segment_meets_box(line[i - 1], line[i], box)) {
            ++count;
        }
    }
    return count;
}
