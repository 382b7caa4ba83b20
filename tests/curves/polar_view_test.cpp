// The polar view: directions and levels on the circle, the dB rings, the mouse rule.
#include "polar_view.h"

#include "text_helpers.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// A 400 x 400 client with a 20-pixel margin: centre (200, 200), radius 180.
Polar_Scale scale_for(double low, double high, int count = 2) {
    return polar_scale(400, 400, 20, Data_Range{count, 0, 360, low, high});
}

TEST(PolarView, RingsRunFromBelowTheMinimumToZeroDecibels) {
    struct Case {
        double low;
        double high;
        int count;
        double step;
        double inner;
        double outer;
        std::vector<std::string> labels;
    };
    const std::vector<Case> cases = {
        {-40, 0, 2, 10, -50, 0, {"-40", "-30", "-20", "-10", "0"}},
        {-40, -3, 2, 10, -50, 0, {"-40", "-30", "-20", "-10", "0"}},
        {-20, 3, 2, 5, -25, 5, {"-20", "-15", "-10", "-5", "0", "5"}},  // data above 0 dB
        {0, 0, 2, 2, -12, 0, {"-10", "-8", "-6", "-4", "-2", "0"}},      // widened by 10 dB
        {NaN, NaN, 0, 2, -12, 0, {"-10", "-8", "-6", "-4", "-2", "0"}},  // no usable point
    };
    for (const Case& c : cases) {
        const Polar_Scale scale = scale_for(c.low, c.high, c.count);
        EXPECT_DOUBLE_EQ(scale.radius, 180);
        EXPECT_DOUBLE_EQ(scale.ring_step, c.step) << c.low << ".." << c.high;
        EXPECT_DOUBLE_EQ(scale.inner_level, c.inner) << c.low << ".." << c.high;
        EXPECT_DOUBLE_EQ(scale.outer_level, c.outer) << c.low << ".." << c.high;
        EXPECT_EQ(scale.ring_labels, c.labels) << c.low << ".." << c.high;
        EXPECT_EQ(scale.ring_levels.size(), c.labels.size());
    }
}

TEST(PolarView, ZeroDegreesUpAndAnglesClockwise) {
    const Polar_Scale scale = scale_for(-40, 0);  // centre -50 dB, outer ring 0 dB
    struct Case {
        double angle;
        double level;
        double x;
        double y;
    };
    const Case cases[] = {
        {0, 0, 200, 20},
        {90, 0, 380, 200},
        {180, 0, 200, 380},
        {-90, 0, 20, 200},
        {270, 0, 20, 200},
        {450, 0, 380, 200},
        {90, -25, 290, 200},   // half way out
        {90, -50, 200, 200},   // the centre's level
        {90, -80, 200, 200},   // below it: held at the centre
        {90, 6, 380, 200},     // above the outer ring: held on it
        {NaN, 0, 200, 200},
        {90, NaN, 200, 200},
    };
    for (const Case& c : cases) {
        const Polar_Position at = polar_position(scale, c.angle, c.level);
        EXPECT_NEAR(at.x, c.x, 1e-9) << c.angle << " at " << c.level;
        EXPECT_NEAR(at.y, c.y, 1e-9) << c.angle << " at " << c.level;
    }
}

TEST(PolarView, MouseSelectsTheNearestAngleAroundTheCircle) {
    const Polar_Scale scale = scale_for(-40, 0);
    const std::vector<Chart_Point> cut = {
        {-180, -30}, {-90, -20}, {0, 0}, {NOT_SET, -5}, {90, -10}, {170, NaN}};
    struct Case {
        double x;
        double y;
        double angle;
        int point;
    };
    const Case cases[] = {
        {200, 20, 0, 2},
        {380, 200, 90, 4},
        {20, 200, 270, 1},      // -90 is 270
        {195, 20, 358.41, 2},   // just left of the top: 0 across the wrap, not -90
        {200, 380, 180, 0},     // -180 is 180; 170 has no level and is passed over
        {200, 200, 0, 2},       // the centre reads as 0 degrees
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(polar_angle_at(scale, c.x, c.y), c.angle, 0.01) << c.x << "," << c.y;
        EXPECT_EQ(polar_point_at_mouse(scale, cut, c.x, c.y), c.point) << c.x << "," << c.y;
    }
    EXPECT_EQ(polar_point_at_mouse(scale, std::vector<Chart_Point>{{NOT_SET, 1}}, 200, 20), -1);
}

} // namespace
