// The chart's steps, axes, labels, layout, drawing plan and marker rules.
#include "chart_axes.h"

#include "text_helpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double INF = std::numeric_limits<double>::infinity();

using Texts = std::vector<std::string>;

TEST(ChartSteps, RoundStep) {
    struct Case {
        double range;
        int intervals;
        double step;
    };
    const Case cases[] = {
        {37, 8, 5},      // counts 37, 18.5, 7.4, 3.7
        {-37, 8, 5},     // the sign is ignored
        {20, 6, 5},      // 0.5 gives 4, nearer to 6 than 0.2's 10
        {40, 8, 5},
        {6, 9, 0.5},     // 12 and 6 are equally near 9: the earlier factor stays
        {0.2, 5, 0.05},
        {1e-310, 5, 0.1},  // below any meaningful range: as zero
        {0, 5, 0.1},
        {NaN, 5, 0.1},
        {INF, 5, 0.1},
        {2e300, 5, 5e299},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(round_step(c.range, c.intervals), c.step)
            << c.range << " in " << c.intervals;
    }
}

TEST(ChartSteps, DesiredIntervalsFromWindowSize) {
    struct Case {
        int width;
        int height;
        int x;
        int y;
    };
    const Case cases[] = {
        {602, 300, 10, 6},  // 296 / 43
        {61, 150, 0, 5},    // 146 / 43 = 3, at least 5
        {62, 262, 1, 6},
        {-5, -5, 0, 5},
    };
    for (const Case& c : cases) {
        const Desired_Intervals got = desired_intervals(c.width, c.height);
        EXPECT_EQ(got.x, c.x) << c.width;
        EXPECT_EQ(got.y, c.y) << c.height;
    }
}

TEST(ChartSteps, WindowFontScale) {
    EXPECT_DOUBLE_EQ(window_font_scale(false, 800, 600, 400, 300), 1.0);
    EXPECT_DOUBLE_EQ(window_font_scale(true, 400, 300, 400, 300), 1.0);
    EXPECT_DOUBLE_EQ(window_font_scale(true, 800, 600, 400, 300), 2.0);
    EXPECT_DOUBLE_EQ(window_font_scale(true, 800, 600, 0, 300), 1.0);
}

TEST(ChartLabels, PrecisionGrowsWhileNeighboursRepeat) {
    struct Case {
        double first_index;
        double step;
        int count;
        int precision;
        Texts texts;
    };
    const std::vector<Case> cases = {
        {0, 0.5, 3, 1, {"0.0", "0.5", "1.0"}},
        {-9, 5, 10, 0, {"-45", "-40", "-35", "-30", "-25", "-20", "-15", "-10", "-5", "0"}},
        {-1, 0.1, 3, 1, {"-0.1", "0.0", "0.1"}},  // no "-0.0" at the zero tick
        {1, 5, 1, 1, {"5.0"}},
        {0, 1, 0, 0, {}},
        {4, 0.025, 3, 2, {"0.10", "0.13", "0.15"}},  // stops at the first distinct texts
    };
    for (const Case& c : cases) {
        const Label_Texts labels = label_texts(c.first_index, c.step, c.count);
        EXPECT_EQ(labels.precision, c.precision) << c.step;
        EXPECT_EQ(labels.texts, c.texts) << c.step;
    }
}

TEST(ChartLabels, ValuesBeyondTheirResolutionStopAtTheLastPrecision) {
    // 1e17 + 2 is not a double: the neighbours read the same at any precision.
    const Label_Texts labels = label_texts(5e16, 2, 3);
    EXPECT_EQ(labels.precision, CHART_MAX_PRECISION);
    EXPECT_EQ(labels.texts.size(), 3u);
}

struct Axis_Case {
    char axis;  // 'x' or 'y': which of the range's two the case is about
    Data_Range range;
    int intervals;
    double step;
    double low;   // axis minimum
    double high;  // axis maximum
    Texts labels;
};

Data_Range y_range(double low, double high) { return {2, 0, 1, low, high}; }
Data_Range x_range(double low, double high) { return {2, low, high, 0, 1}; }

// The y axis ends on multiples of the step strictly outside the data; the x axis (mode 0) spans
// the data exactly.
TEST(ChartAxes, EndsStepsAndLabelsOfEachAxis) {
    const std::vector<Axis_Case> cases = {
        {'y', y_range(-40, 0), 8, 5, -45, 5,
         {"-45", "-40", "-35", "-30", "-25", "-20", "-15", "-10", "-5", "0"}},
        // All -3: scaled as -3 to 7.
        {'y', y_range(-3, -3), 5, 2, -4, 8, {"-4", "-2", "0", "2", "4", "6"}},
        // All 2: scaled as 2 to 2.2, whichever way 2.2 / 0.05 rounds.
        {'y', y_range(2, 2), 5, 0.05, 1.95, 2.25,
         {"1.95", "2.00", "2.05", "2.10", "2.15", "2.20"}},
        {'y', y_range(0, 0), 5, 2, -2, 12, {"-2", "0", "2", "4", "6", "8", "10"}},
        {'y', y_range(0.3, 9.7), 5, 1, 0, 10,
         {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
        {'x', x_range(-10, 10), 6, 5, -10, 10, {"-5", "0", "5"}},  // first tick strictly above -10
        {'x', x_range(0, 100), 10, 10, 0, 100,
         {"10", "20", "30", "40", "50", "60", "70", "80", "90"}},
        // From about 0: one step in.
        {'x', x_range(0.0005, 40), 4, 10, 0.0005, 40, {"10", "20", "30"}},
        {'x', x_range(5, 35), 6, 5, 5, 35, {"5", "10", "15", "20", "25", "30"}},  // at least a
        // The step is smaller than the left end near 0: the first tick stays on the axis.
        {'x', x_range(0.0002, 0.00075), 6, 0.0001, 0.0002, 0.00075,
         {"0.0002", "0.0003", "0.0004", "0.0005", "0.0006", "0.0007"}},
        {'x', x_range(3, 3), 6, 0.1, 3, 3, {}},
    };
    for (const Axis_Case& c : cases) {
        const bool x = c.axis == 'x';
        SCOPED_TRACE(testing::Message()
                     << c.axis << " from " << (x ? c.range.x_min : c.range.y_min));
        Graph_Axis2 axis;
        (x ? axis.x_intervals : axis.y_intervals) = c.intervals;
        axis.set_range(c.range);
        EXPECT_DOUBLE_EQ(x ? axis.x_step : axis.y_step, c.step);
        EXPECT_DOUBLE_EQ(x ? axis.x_min : axis.y_min, c.low);
        EXPECT_DOUBLE_EQ(x ? axis.x_max : axis.y_max, c.high);
        EXPECT_EQ(x ? axis.x_labels : axis.y_labels, c.labels);
    }
}

TEST(ChartAxes, XAxisWidensToRoundEndsInModeOne) {
    Graph_Axis2 axis;
    axis.x_range_mode = 1;
    axis.x_intervals = 6;
    axis.set_range(x_range(-10, 10));
    EXPECT_DOUBLE_EQ(axis.x_step, 5);
    EXPECT_DOUBLE_EQ(axis.x_min, -15);
    EXPECT_DOUBLE_EQ(axis.x_max, 15);
    EXPECT_DOUBLE_EQ(axis.first_x_tick, -10);
    EXPECT_EQ(axis.x_labels, (Texts{"-10", "-5", "0", "5", "10"}));
}

TEST(ChartAxes, EndValuesUseTheLabelPrecision) {
    struct Case {
        Data_Range range;
        int intervals;
        std::string left;
        std::string right;
    };
    const std::vector<Case> cases = {
        {x_range(-10, 10), 6, "-10", "10"},
        {x_range(0.0004, 2.5), 5, "0", "2.5"},  // labels 0.5 to 2.0 need one digit
        {x_range(0.3, 1.5), 5, "0.3", "1.5"},
    };
    for (const Case& c : cases) {
        Graph_Axis2 axis;
        axis.x_intervals = c.intervals;
        axis.set_range(c.range);
        EXPECT_EQ(axis.left_end_text(), c.left);
        EXPECT_EQ(axis.right_end_text(), c.right);
    }
}

TEST(ChartLayout, FontPixelHeight) {
    struct Case {
        double pixels_per_mm;
        double tenths;
        int pixels;
    };
    const Case cases[] = {
        {96 / 25.4, 80, 11},   // 10.67
        {96 / 25.4, 90, 12},
        {192 / 25.4, 80, 21},  // 21.33
        {96 / 25.4, 0, 0},
        {NaN, 80, 0},
        {96 / 25.4, -80, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(font_pixel_height(c.pixels_per_mm, c.tenths), c.pixels) << c.tenths;
    }
}

Chart_Metrics metrics() {
    Chart_Metrics m;
    m.char_width = 8;
    m.char_height = 14;
    m.title_height = 16;
    m.widest_y_label = 30;
    m.left_end_width = 8;
    m.right_end_width = 16;
    return m;
}

TEST(ChartLayout, PlotRectangleLeavesRoomForTitlesAndLabels) {
    struct Case {
        int width;
        int height;
        Plot_Rect plot;
    };
    const Case cases[] = {
        {400, 300, {16 + 30 + 4, 7, 399 - 4, 299 - 7 - 14 - 16}},
        {20, 20, {19, 7, 19, 7}},  // too small: empty, never inverted
        {0, 0, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        Graph_Axis2 axis;
        axis.layout(c.width, c.height, metrics());
        EXPECT_EQ(axis.plot.left, c.plot.left) << c.width;
        EXPECT_EQ(axis.plot.top, c.plot.top) << c.width;
        EXPECT_EQ(axis.plot.right, c.plot.right) << c.width;
        EXPECT_EQ(axis.plot.bottom, c.plot.bottom) << c.width;
    }
}

TEST(ChartLayout, MinorLineCount) {
    struct Case {
        double step_pixels;
        double font_pixels;
        int parts;
    };
    const Case cases[] = {
        {120, 11, 1},  // 63.8 per part
        {130, 11, 2},
        {0, 11, 0},
        {NaN, 11, 0},
        {INF, 11, 0},
        {100, 0, 0},
        {1e9, 1, 100},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(minor_line_count(c.step_pixels, c.font_pixels), c.parts) << c.step_pixels;
    }
}

// An axis laid out in a client of 400 x 300 for the points.
Graph_Axis2 laid_out(const std::vector<Chart_Point>& points, int width = 400, int height = 300) {
    Graph_Axis2 axis;
    axis.set_window_size(width, height);
    axis.set_range(data_range(points));
    axis.layout(width, height, metrics());
    return axis;
}

TEST(ChartPlan, FewerThanTwoPointsDrawTheFrameOnly) {
    const std::vector<std::vector<Chart_Point>> lists = {
        {},
        {{5, -3}},
        {{5, -3}, {NOT_SET, 1}, {7, NaN}, {INF, 2}},
    };
    for (const auto& points : lists) {
        const Graph_Axis2 axis = laid_out(points);
        const Chart_Plan plan = plan_chart(axis, points, 11);
        EXPECT_TRUE(plan.frame_only);
        EXPECT_EQ(plan.plot.right, axis.plot.right);
        EXPECT_TRUE(plan.x_labels.empty() && plan.y_labels.empty() && plan.curve.empty());
        EXPECT_TRUE(plan.x_major.empty() && plan.y_major.empty() && plan.left_end.text.empty());
        for (int x : marker_positions(axis, points)) {
            EXPECT_EQ(x, NO_MARKER);
        }
    }
}

// Curves drawn behind the own one widen its range; a range without points adds nothing.
TEST(ChartAxes, MergedRangesHoldBoth) {
    struct Case {
        const char* name;
        std::vector<Chart_Point> a;
        std::vector<Chart_Point> b;
        Data_Range merged;
    };
    const Case cases[] = {
        {"wider both ways", {{0, -40}, {40, 0}}, {{-10, -50}, {60, 3}}, {4, -10, 60, -50, 3}},
        {"inside", {{0, -40}, {40, 0}}, {{10, -20}, {20, -30}}, {4, 0, 40, -40, 0}},
        {"nothing behind", {{0, -40}, {40, 0}}, {}, {2, 0, 40, -40, 0}},
        {"unusable behind", {{0, -40}, {40, 0}}, {{NaN, 5}, {NOT_SET, 1}}, {2, 0, 40, -40, 0}},
        {"nothing own", {}, {{5, -3}, {7, -9}}, {2, 5, 7, -9, -3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Data_Range got = merge_ranges(data_range(c.a), data_range(c.b));
        EXPECT_EQ(got.count, c.merged.count);
        EXPECT_EQ(got.x_min, c.merged.x_min);
        EXPECT_EQ(got.x_max, c.merged.x_max);
        EXPECT_EQ(got.y_min, c.merged.y_min);
        EXPECT_EQ(got.y_max, c.merged.y_max);
    }
}

// The legend's box in each corner, and the segments of a line that pass through it.
TEST(ChartLegend, CornerBoxesAndTheSegmentsCrossingThem) {
    const Plot_Rect area{10, 20, 310, 220};
    struct Case {
        Chart_Corner corner;
        Plot_Rect box;
    };
    const Case cases[] = {
        {Chart_Corner::top_right, {246, 24, 306, 54}},
        {Chart_Corner::top_left, {14, 24, 74, 54}},
        {Chart_Corner::bottom_right, {246, 186, 306, 216}},
        {Chart_Corner::bottom_left, {14, 186, 74, 216}},
    };
    for (const Case& c : cases) {
        const Plot_Rect box = corner_box(area, c.corner, 60, 30, 4);
        EXPECT_EQ(box.left, c.box.left);
        EXPECT_EQ(box.top, c.box.top);
        EXPECT_EQ(box.right, c.box.right);
        EXPECT_EQ(box.bottom, c.box.bottom);
    }
    // Too big for the area: an empty box.
    EXPECT_EQ(corner_box(area, Chart_Corner::top_left, 300, 30, 4).width(), 0);
    EXPECT_EQ(corner_box(area, Chart_Corner::top_left, 60, 199, 4).height(), 0);

    const Plot_Rect box{100, 100, 200, 150};
    const std::vector<Chart_Plan::Screen_Point> line{
        {0, 0},     {50, 120},  // left of the box
        {150, 125},             // into it
        {250, 125},             // out of it
        {250, 200},             // below and right
        {90, 90},               // the diagonal passes through the box
        {NaN, 0},   {150, 120}, // a broken line
    };
    EXPECT_EQ(segments_crossing(box, line), 3);
    EXPECT_EQ(segments_crossing(box, std::vector<Chart_Plan::Screen_Point>{{150, 125}}), 0);
}

TEST(ChartPlan, CurveAndMarkersLeaveOutPointsWithoutPlace) {
    const std::vector<Chart_Point> points = {
        {0, -40}, {NOT_SET, -20}, {5, NaN}, {1e301, 0}, {10, 0}};
    const Graph_Axis2 axis = laid_out(points);
    const Chart_Plan plan = plan_chart(axis, points, 11);
    ASSERT_FALSE(plan.frame_only);
    ASSERT_EQ(plan.curve.size(), 2u);
    EXPECT_DOUBLE_EQ(plan.curve[0].x, axis.plot.left);
    EXPECT_DOUBLE_EQ(plan.curve[1].x, axis.plot.right);
    // -40 and 0 on an axis from -45 to 5.
    EXPECT_DOUBLE_EQ(plan.curve[0].y, axis.plot.bottom - 0.1 * axis.plot.height());
    EXPECT_DOUBLE_EQ(plan.curve[1].y, axis.plot.bottom - 0.9 * axis.plot.height());
    EXPECT_EQ(marker_positions(axis, points),
              (std::vector<int>{axis.plot.left, NO_MARKER, NO_MARKER, NO_MARKER, axis.plot.right}));
}

TEST(ChartPlan, XLabelsSkipOverlapsAndTheRightEndValue) {
    // 0 to 10 in a 400-pixel client: 6 intervals ask for step 2; labels 2 to 8.
    const std::vector<Chart_Point> points = {{0, 0}, {10, 1}};
    struct Case {
        int label_width;
        int right_end_width;
        Texts drawn;
    };
    const std::vector<Case> cases = {
        {20, 16, {"2", "4", "6", "8"}},
        {80, 16, {"2", "6"}},        // each overlaps the previous one drawn
        {20, 60, {"2", "4", "6"}},   // "8" would reach the right end value
        {200, 16, {"4"}},            // "2" would reach the left end value
    };
    for (const Case& c : cases) {
        Graph_Axis2 axis = laid_out(points);
        ASSERT_EQ(axis.x_labels, (Texts{"2", "4", "6", "8"}));
        axis.x_label_widths.assign(axis.x_labels.size(), c.label_width);
        axis.metrics.right_end_width = c.right_end_width;
        const Chart_Plan plan = plan_chart(axis, points, 11);
        Texts drawn;
        for (const Chart_Text& label : plan.x_labels) {
            drawn.push_back(label.text);
        }
        EXPECT_EQ(drawn, c.drawn) << c.label_width;
        EXPECT_EQ(plan.x_major.size(), 4u);  // grid lines at every tick, labelled or not
        EXPECT_EQ(plan.left_end.text, "0");
        EXPECT_EQ(plan.right_end.text, "10");
    }
}

TEST(ChartPlan, YLabelsSkipWhenCrowded) {
    // -40 to 0 with 8 intervals: ten labels about 40 pixels apart in a 400 x 448 client.
    const std::vector<Chart_Point> points = {{0, -40}, {10, 0}};
    struct Case {
        int char_height;
        std::size_t drawn;
    };
    const Case cases[] = {{14, 10}, {50, 5}, {500, 1}};
    for (const Case& c : cases) {
        Graph_Axis2 axis;
        axis.set_window_size(400, 4 + 8 * 43);
        axis.set_range(data_range(points));
        Chart_Metrics m = metrics();
        m.char_height = 14;
        axis.layout(400, 4 + 8 * 43 + 100, m);
        axis.metrics.char_height = c.char_height;
        const Chart_Plan plan = plan_chart(axis, points, 11);
        ASSERT_EQ(axis.y_labels.size(), 10u);
        EXPECT_EQ(plan.y_labels.size(), c.drawn) << c.char_height;
        EXPECT_EQ(plan.y_labels.front().text, "-45");
        EXPECT_EQ(plan.y_labels.front().y, axis.plot.bottom);
        for (std::size_t i = 1; i < plan.y_labels.size(); ++i) {
            EXPECT_GE(plan.y_labels[i - 1].y - plan.y_labels[i].y, c.char_height);
        }
    }
}

TEST(ChartPlan, MinorLinesOnlyWhenAStepHoldsTwoParts) {
    // x 0 to 10 with step 2 over 345 pixels: 69 pixels a step.
    const std::vector<Chart_Point> points = {{0, 0}, {10, 1}};
    const Graph_Axis2 axis = laid_out(points);
    ASSERT_DOUBLE_EQ(axis.x_step, 2);
    EXPECT_TRUE(plan_chart(axis, points, 11).x_minor.empty());  // 69 / 63.8 = 1
    const Chart_Plan plan = plan_chart(axis, points, 5);        // 69 / 29 = 2
    ASSERT_EQ(plan.x_minor.size(), 5u);  // 1, 3, 5, 7, 9
    EXPECT_EQ(plan.x_minor.front(), std::lround(axis.screen_x(1)));
    EXPECT_EQ(plan.x_minor.back(), std::lround(axis.screen_x(9)));
}

TEST(ChartMarker, MouseSelectsByDirection) {
    struct Case {
        std::vector<int> screen_x;
        int mouse_x;
        bool moving_right;
        int point;
    };
    const std::vector<Case> cases = {
        {{10, 20, 30}, 15, true, 1},
        {{10, 20, 30}, 20, true, 1},   // at the mouse counts when moving right
        {{10, 20, 30}, 35, true, 2},   // none right of it: the last
        {{10, 20, 30}, 25, false, 1},
        {{10, 20, 30}, 20, false, 0},  // strictly left when moving left
        {{10, 20, 30}, 5, false, 0},   // none left of it: the first
        {{NO_MARKER, 20, NO_MARKER}, 25, true, 1},
        {{NO_MARKER, 20, NO_MARKER}, 5, false, 1},
        {{NO_MARKER, NO_MARKER}, 5, true, -1},
        {{}, 5, false, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(point_at_mouse(c.screen_x, c.mouse_x, c.moving_right), c.point)
            << c.mouse_x << (c.moving_right ? " right" : " left");
    }
}

TEST(ChartBadInput, NothingUnusableReachesTheScale) {
    const std::vector<Chart_Point> points = {
        {NaN, 1}, {1, NaN}, {INF, 1}, {1, -INF}, {NOT_SET, 1}, {1, NOT_SET}, {2e300, 1}, {4, 3}};
    const Data_Range range = data_range(points);
    EXPECT_EQ(range.count, 1);
    EXPECT_EQ(range.x_min, 4);
    EXPECT_EQ(range.y_max, 3);

    Graph_Axis2 axis;
    axis.set_range(data_range(std::vector<Chart_Point>{{NaN, NaN}}));
    EXPECT_TRUE(axis.x_labels.empty() && axis.y_labels.empty());
    EXPECT_GT(axis.x_max, axis.x_min);
    EXPECT_GT(axis.y_max, axis.y_min);
}

TEST(ChartBadInput, ExtremeRangesStayBoundedAndFinite) {
    const Data_Range ranges[] = {
        {2, -1e300, 1e300, -1e300, 1e300},
        {2, 1e17, 1e17 + 16, 1e17, 1e17 + 16},  // steps below the values' resolution
        {2, NaN, NaN, INF, -INF},               // as no caller passes, but no loop either
        {2, 1e-305, 2e-305, 1e-305, 2e-305},
    };
    for (const Data_Range& range : ranges) {
        for (int mode : {0, 1}) {
            Graph_Axis2 axis;
            axis.x_range_mode = static_cast<unsigned char>(mode);
            axis.set_window_size(1000, 600);
            axis.set_range(range);
            axis.layout(1000, 600, metrics());
            EXPECT_LE(axis.x_labels.size(), std::size_t(CHART_MAX_LABELS));
            EXPECT_LE(axis.y_labels.size(), std::size_t(CHART_MAX_LABELS));
            EXPECT_TRUE(std::isfinite(axis.x_step) && axis.x_step > 0);
            EXPECT_TRUE(std::isfinite(axis.y_step) && axis.y_step > 0);
            const std::vector<Chart_Point> points = {{range.x_min, range.y_min},
                                                     {range.x_max, range.y_max}};
            const Chart_Plan plan = plan_chart(axis, points, 11);
            for (const auto& point : plan.curve) {
                EXPECT_TRUE(std::isfinite(point.x) && std::isfinite(point.y));
            }
        }
    }
}

} // namespace
