// Curve_Points: slots and growth by 8, ordering, and the conversions to and from the records.
#include "antenna_record.h"
#include "curve_points.h"
#include "radio4_record.h"
#include "radio_curves.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<Curve_Pair> ramp(int count) {
    std::vector<Curve_Pair> pairs;
    for (int i = 0; i < count; ++i) {
        pairs.push_back({static_cast<double>(i), -static_cast<double>(i)});
    }
    return pairs;
}

void expect_spare_slots_default(const Curve_Points& points) {
    for (int i = points.count(); i < points.capacity(); ++i) {
        EXPECT_EQ(points[i], (Curve_Pair{NOT_SET, NOT_SET})) << "slot " << i;
    }
}

TEST(CurvePoints, EmptyAndLoadedCapacity) {
    const Curve_Points empty;
    EXPECT_EQ(empty.capacity(), 8);
    EXPECT_EQ(empty.count(), 0);
    expect_spare_slots_default(empty);

    Curve_Points loaded(ramp(3));
    EXPECT_EQ(loaded.capacity(), 11);
    EXPECT_EQ(loaded.count(), 3);
    EXPECT_EQ(loaded[2], (Curve_Pair{2.0, -2.0}));
    expect_spare_slots_default(loaded);

    loaded.clear();
    EXPECT_EQ(loaded.capacity(), 8);
    EXPECT_EQ(loaded.count(), 0);
    expect_spare_slots_default(loaded);
}

// Adding one by one or all at once grows by 8 whenever the points would fill every slot.
TEST(CurvePoints, GrowsByEightKeepingASpareSlot) {
    struct Case {
        int added;
        int capacity;
    };
    for (const Case c :
         {Case{7, 8}, Case{8, 16}, Case{9, 16}, Case{15, 16}, Case{16, 24}, Case{40, 48}}) {
        Curve_Points one_by_one;
        for (const Curve_Pair& pair : ramp(c.added)) {
            one_by_one.add_point(pair);
        }
        Curve_Points at_once;
        at_once.add_points(ramp(c.added));
        for (const Curve_Points* points : {&one_by_one, &at_once}) {
            EXPECT_EQ(points->count(), c.added);
            EXPECT_EQ(points->capacity(), c.capacity) << c.added << " added";
            EXPECT_EQ((*points)[c.added - 1], (Curve_Pair{c.added - 1.0, 1.0 - c.added}));
            expect_spare_slots_default(*points);
        }
    }
}

// Removing a point moves the following slots up, the typed pair after the points with them.
TEST(CurvePoints, RemoveMovesFollowingSlotsUp) {
    Curve_Points points(ramp(4));
    points[4] = {7.0, NOT_SET};
    points.remove_point(1);
    EXPECT_EQ(points.count(), 3);
    EXPECT_EQ(points[1], (Curve_Pair{2.0, -2.0}));
    EXPECT_EQ(points[2], (Curve_Pair{3.0, -3.0}));
    EXPECT_EQ(points[3], (Curve_Pair{7.0, NOT_SET}));
    EXPECT_EQ(points[4], points.default_pair());
}

// One point out of place goes where a stable sort would put it.
TEST(CurvePoints, MoveIntoOrderMatchesStableSort) {
    struct Case {
        std::vector<double> xs;
        int index;
        int expected_index;
    };
    const Case cases[] = {
        {{15, 5, 10}, 0, 2},                           // the first x raised past the others
        {{0, 5, -1}, 2, 0},                            // the last x lowered before the others
        {{0, 5, 10}, 1, 1},                            // in order already
        {{5, 5, 1, 7}, 2, 0},                          // lowered before equal values
        {{5, 9, 5, 7}, 1, 3},                          // raised past an equal value: after it
        {{2, 5, 5, 1}, 3, 0}, {{1, 6, 5, 5, 7}, 1, 3}, // raised to after the equal values
    };
    for (const Case& c : cases) {
        std::vector<Curve_Pair> pairs;
        for (std::size_t i = 0; i < c.xs.size(); ++i) {
            pairs.push_back({c.xs[i], static_cast<double>(i)});
        }
        Curve_Points moved(pairs);
        Curve_Points sorted(pairs);
        EXPECT_EQ(moved.move_into_order(c.index), c.expected_index);
        sorted.sort_by_x();
        EXPECT_TRUE(moved.sorted());
        EXPECT_TRUE(
            std::equal(moved.points().begin(), moved.points().end(), sorted.points().begin()))
            << "moving index " << c.index;
    }
}

// A NaN from a damaged file sorts after every number instead of breaking the order.
TEST(CurvePoints, NanSortsLast) {
    const double nan = std::nan("");
    Curve_Points points(std::vector<Curve_Pair>{{3, 0}, {nan, 1}, {1, 2}, {nan, 3}, {2, 4}});
    points.sort_by_x();
    EXPECT_TRUE(points.sorted());
    EXPECT_EQ(points[2].x, 3.0);
    EXPECT_EQ(points[3].y, 1.0);
    EXPECT_EQ(points[4].y, 3.0);
    points[0].x = 5.0;
    EXPECT_EQ(points.move_into_order(0), 2);
    EXPECT_TRUE(points.sorted());
}

TEST(CurvePoints, RadioCurvesRoundTrip) {
    Radio_Curve_List list;
    const int index = list.add_curve(CURVE_TX_EMISSION, "");
    list[index].points = {{-12.7f, -60.0f, 0.0f}, {0.0f, 0.0f, 1.0f}, {12.7f, -60.0f, 0.0f}};
    Radio4_Curve curve4;
    curve4.points = list[index].points;

    for (const Curve_Points& points : {curve_points_of(list[index]), curve_points_of(curve4)}) {
        ASSERT_EQ(points.count(), 3);
        EXPECT_EQ(points.capacity(), 11);
        EXPECT_EQ(points[0], (Curve_Pair{-12.7, -60.0})); // the decimal, not the float's double
    }

    Curve_Points edited = curve_points_of(list[index]);
    edited[1].y = -3.0;
    edited.add_point({25.0, -70.0});
    ASSERT_TRUE(store_curve_points(list, index, edited));
    ASSERT_TRUE(store_curve_points(curve4, edited));
    for (const std::vector<Radio_Point>* stored : {&list[index].points, &curve4.points}) {
        ASSERT_EQ(stored->size(), 4u);
        EXPECT_EQ((*stored)[0].offset, -12.7f);
        EXPECT_EQ((*stored)[1].db, -3.0f);
        EXPECT_NEAR((*stored)[1].linear, 0.501187f, 1e-6);
        EXPECT_EQ((*stored)[3].offset, 25.0f);
    }
    EXPECT_EQ(list[index].x_max, 25.0f);
    EXPECT_EQ(curve_points_of(list[index]).points()[3], (Curve_Pair{25.0, -70.0}));

    // A curve is not cut down to a single point.
    Curve_Points one(std::vector<Curve_Pair>{{0.0, 0.0}});
    EXPECT_FALSE(store_curve_points(list, index, one));
    EXPECT_FALSE(store_curve_points(curve4, one));
    EXPECT_EQ(list[index].points.size(), 4u);
    EXPECT_EQ(curve4.points.size(), 4u);
}

TEST(CurvePoints, PatternCutsAsNegatedAttenuation) {
    const std::vector<Pattern_Point> cut = {{-180.0f, 30.5f}, {0.0f, 0.0f}, {90.0f, 3.1f}};
    const Curve_Points points = curve_points_of(cut);
    ASSERT_EQ(points.count(), 3);
    EXPECT_EQ(points[0], (Curve_Pair{-180.0, -30.5}));
    EXPECT_FALSE(std::signbit(points[1].y)); // the peak is 0, not -0
    EXPECT_EQ(points[2], (Curve_Pair{90.0, -3.1}));

    const std::vector<Pattern_Point> back = pattern_points_of(points);
    ASSERT_EQ(back.size(), cut.size());
    for (std::size_t i = 0; i < cut.size(); ++i) {
        EXPECT_EQ(back[i].angle, cut[i].angle);
        EXPECT_EQ(back[i].attenuation, cut[i].attenuation);
    }

    // Absolute levels are stored relative to their peak, and the angles in order.
    const Curve_Points levels(std::vector<Curve_Pair>{{10.0, 17.0}, {-10.0, 10.0}, {0.0, 20.0}});
    const std::vector<Pattern_Point> relative = pattern_points_of(levels);
    ASSERT_EQ(relative.size(), 3u);
    EXPECT_EQ(relative[0].angle, -10.0f);
    EXPECT_EQ(relative[0].attenuation, 10.0f);
    EXPECT_EQ(relative[1].attenuation, 0.0f);
    EXPECT_EQ(relative[2].attenuation, 3.0f);

    Antenna_Record record;
    store_pattern_cut(record, 2, levels);
    EXPECT_EQ(record.cut(2).size(), 3u);
    EXPECT_EQ(record.antenna_spec.cut_points[2], 3);
    store_pattern_cut(record, 2, Curve_Points(std::vector<Curve_Pair>{{0.0, 0.0}}));
    EXPECT_TRUE(record.cut(2).empty());
    EXPECT_EQ(record.antenna_spec.cut_points[2], 0);
}

} // namespace
