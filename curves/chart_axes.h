// The chart's computations without a window: desired intervals, round steps, the two axes with
// their label texts, the plot rectangle, and the list of what the painter draws where.
//
// The chart widget forwards its client size and the sizes it measured with its fonts, and
// paints what `plan_chart` returns. On every change of size or data: `set_window_size`,
// `set_range`, measure the label texts (x widths into `x_label_widths`), `layout`, `plan_chart`;
// `marker_positions` and `point_at_mouse` serve the marker. All positions are device pixels. Points whose x or y is NOT_SET, infinite, NaN or beyond
// CHART_VALUE_LIMIT never reach the scale; every loop here is bounded, and no computation
// divides by a span that may be zero.
#pragma once

#include <span>
#include <string>
#include <vector>

// Magnitudes beyond this are left out of the chart like NOT_SET values: the span of two such
// values would overflow a double.
inline constexpr double CHART_VALUE_LIMIT = 1e300;
// At most this many labels (or ticks) per axis; a step below the values' resolution cannot
// make the label loops run away.
inline constexpr int CHART_MAX_LABELS = 1000;
// Labels get at most this many digits after the point while neighbours read the same.
inline constexpr int CHART_MAX_PRECISION = 15;
// The marker's screen x when none is drawn.
inline constexpr int NO_MARKER = -100;

// One x/y pair as the chart reads it (the curve list's points, in the list's order).
struct Chart_Point {
    double x;
    double y;
};

// Whether a value may reach the chart's scale: set, finite and within CHART_VALUE_LIMIT.
bool chart_value_usable(double value);
bool chart_point_usable(const Chart_Point& point);

// The smallest and largest x and y of the usable points, and how many there are.
struct Data_Range {
    int count = 0;
    double x_min = 0.0;
    double x_max = 0.0;
    double y_min = 0.0;
    double y_max = 0.0;
};
Data_Range data_range(std::span<const Chart_Point> points);
// The smallest range that holds both; a range without points adds nothing.
Data_Range merge_ranges(const Data_Range& a, const Data_Range& b);

// Desired numbers of intervals for a client area of `width` x `height` pixels: x = (w - 2) / 60,
// y = (h - 4) / 43 but at least 5. Negative sizes count as 0 (x then asks for 0 intervals).
struct Desired_Intervals {
    int x = 0;
    int y = 5;
};
Desired_Intervals desired_intervals(int width, int height);

// The factor applied to the reference font sizes when the chart scales with its window: the
// ratio of the window's diagonal to the reference window's diagonal; 1 when the flag is off or
// the reference size is not positive.
double window_font_scale(bool scale_with_window, int width, int height, int reference_width,
                         int reference_height);

// A round step (0.1, 0.2, 0.5 or 1 times a power of ten) that divides `range` into the number
// of intervals nearest to `intervals` (R 37, n 8: step 5). The sign of the range is ignored; a
// zero or non-finite range takes the exponent 0 and gives 0.1. Always finite and positive.
double round_step(double range, int intervals);

// Pixel height of a font of `tenths` tenths of a point on a device of `pixels_per_mm`:
// floor(pixels_per_mm * tenths * 25.4 / 720 + 0.5); 0 for non-finite or negative inputs.
int font_pixel_height(double pixels_per_mm, double tenths);

// Texts of `count` values first, first + step, ... as "%.*f" writes them: precision 1 when
// count is 1 and 0 otherwise, one more digit while two neighbouring texts are equal (at most
// CHART_MAX_PRECISION). Values are (first_index + i) * step, so ticks that are multiples of the
// step print exactly (0 comes out as "0", never "-0").
struct Label_Texts {
    int precision = 0;
    std::vector<std::string> texts;
};
Label_Texts label_texts(double first_index, double step, int count);

// Size of the plot rectangle's frame, in pixels of the client area; right and bottom are the
// frame's last pixel column and row. Never inverted: a client too small gives an empty one.
struct Plot_Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

// What the widget measured with its fonts, in pixels, for the layout.
struct Chart_Metrics {
    int char_width = 0;        // average character of the label font
    int char_height = 0;       // line height of the label font
    int title_height = 0;      // line height of the title font (0 without titles)
    int widest_y_label = 0;    // widest of the y label texts
    int left_end_width = 0;    // x end value texts
    int right_end_width = 0;
};

// The axes' scaling state of one chart, in the order the chart window keeps it.
struct Graph_Axis2 {
    // Desired intervals, from the window size.
    int x_intervals = 0;
    int y_intervals = 5;
    // Metrics from the label and title fonts, filled by `layout`.
    Chart_Metrics metrics;
    // Label texts and the measured widths of the x labels (the label counts are the sizes).
    std::vector<std::string> y_labels;
    std::vector<std::string> x_labels;
    std::vector<int> x_label_widths;
    double y_step = 1.0;
    double x_step = 1.0;
    double first_x_tick = 0.0;
    // 0: the x axis spans the data's x range exactly; 1: widened to round values like y.
    unsigned char x_range_mode = 0;
    int x_precision = 0;
    double x_max = 1.0;
    double x_min = 0.0;
    double y_max = 1.0;
    double y_min = 0.0;
    // Device scale, pixels per millimetre.
    double pixels_per_mm_x = 96.0 / 25.4;
    double pixels_per_mm_y = 96.0 / 25.4;
    // Font sizes in tenths of a point.
    double label_font_size = 80.0;
    double title_font_size = 90.0;
    Plot_Rect plot;

    // Sets the desired intervals from the client size.
    void set_window_size(int width, int height);

    // Computes both axes, their labels and the x precision from the usable points' range.
    // y: equal ends widened (x 1.1 above a positive value, else + 10), ends at the multiples of
    // the step strictly outside the data, labels from the bottom while below top - step / 10.
    // x in mode 0: the data's range exactly; ticks from the first multiple at or above a
    // positive minimum, strictly above a negative one, or one step in when the minimum is about
    // 0 (|a| < 0.001) and that step lies on the axis; labels while below the maximum. x in mode 1:
    // as y, the first tick one step above the bottom. Clears the x label widths.
    // With no usable point the axes span 0 to 1 with no labels.
    void set_range(const Data_Range& range);

    // Places the plot rectangle in a client of `width` x `height`: room on the left for the y
    // title (set vertically), the widest y label and half a character; at the bottom for the x
    // labels and the x title; half a character at the top and right.
    void layout(int width, int height, const Chart_Metrics& measured);

    // Texts of the x axis's end values ("%.*f" with the x precision; the left one is "0" when
    // |x_min| < 0.001).
    std::string left_end_text() const;
    std::string right_end_text() const;

    // Screen position of a value inside the plot rectangle (y grows downwards). A zero span maps
    // every value to the middle.
    double screen_x(double x) const;
    double screen_y(double y) const;
};

// Number of minor parts per step: floor(step_pixels / (label_font_pixels * 5.8)); lines are
// drawn only when it is at least 2. 0 for a non-positive font size or non-finite length.
int minor_line_count(double step_pixels, double label_font_pixels);

// One text the painter writes; what (x, y) anchors is given with each list below.
struct Chart_Text {
    std::string text;
    int x = 0;
    int y = 0;
};

// Everything the painter draws, in drawing order: titles (the widget places them along the
// plot), the end values (left one left-aligned at the plot's left, right one right-aligned at its
// right, top at y), the x labels (centred on x, top at y), the y labels (right-aligned at x,
// centred on y), the grid lines (minor ones only when the step holds 2 or more parts), the
// curve, the tick marks at the major positions, and the frame `plot`.
struct Chart_Plan {
    bool frame_only = true;  // fewer than 2 usable points: the frame and nothing else
    Plot_Rect plot;
    Chart_Text left_end;
    Chart_Text right_end;
    std::vector<Chart_Text> x_labels;
    std::vector<Chart_Text> y_labels;
    std::vector<int> x_major;  // pixel columns of vertical grid lines and ticks
    std::vector<int> x_minor;
    std::vector<int> y_major;  // pixel rows of horizontal grid lines and ticks
    std::vector<int> y_minor;
    struct Screen_Point {
        double x;
        double y;
    };
    std::vector<Screen_Point> curve;  // the usable points in list order
    // Where the titles go: the x title centred on x_title_centre with its top at x_title_top;
    // the y title turned by 90 degrees, its top at the client's left edge, centred on
    // y_title_centre.
    int x_title_centre = 0;
    int x_title_top = 0;
    int y_title_centre = 0;
    // Tick marks run this far into the plot from its bottom and left edges.
    int tick_length = 0;
};

// Builds the plan from axes that have their range and layout. `label_font_pixels` is the label
// font's pixel height (the minor-line rule); the x label widths come from `axis.x_label_widths`
// (missing widths count as 0).
Chart_Plan plan_chart(const Graph_Axis2& axis, std::span<const Chart_Point> points,
                      int label_font_pixels);

// The corners of a rectangle, in the order a legend tries them.
enum class Chart_Corner { top_right, top_left, bottom_right, bottom_left };

// A box of `width` x `height` pixels in `corner` of `area`, `inset` pixels in from its edges.
// Empty (width or height 0) when it does not fit.
Plot_Rect corner_box(const Plot_Rect& area, Chart_Corner corner, int width, int height,
                     int inset);

// How many segments of the polyline through `line` pass through `box` (its edges included).
// Non-finite points break the line.
int segments_crossing(const Plot_Rect& box, std::span<const Chart_Plan::Screen_Point> line);

// Screen x of every point of the list, rounded to the pixel; NO_MARKER for a point that is
// not usable (it has no place on the chart).
std::vector<int> marker_positions(const Graph_Axis2& axis, std::span<const Chart_Point> points);

// The point the mouse selects: moving right, the first point at or right of `mouse_x` (the last
// one when none); moving left, the last point left of it (the first one when none). Points at
// NO_MARKER are passed over; -1 when there is none at all.
int point_at_mouse(std::span<const int> screen_x, int mouse_x, bool moving_right);
