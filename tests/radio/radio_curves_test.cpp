// Curve types, naming, the list operations and the curve arithmetic.
#include "radio_curves.h"
#include "text_helpers.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

Radio_Curve curve_of(int type, std::vector<std::pair<float, float>> points) {
    Radio_Curve curve;
    curve.curve_type = static_cast<uint8_t>(type);
    for (const auto& [offset, db] : points) {
        curve.points.push_back({offset, db, 0.0f});
    }
    curve.update_limits();
    return curve;
}

TEST(CurveTypes, NamesAndLookup) {
    EXPECT_EQ(curve_type_name(0), "TtoI_Same");
    EXPECT_EQ(curve_type_name(11), "RX_SELECTIVITY_CALC");
    EXPECT_EQ(curve_type_name(12), "TX_EMISSION_01");
    EXPECT_EQ(curve_type_name(110), "TX_EMISSION_99");
    EXPECT_EQ(curve_type_name(111), "RX_SELECTIVITY_01");
    EXPECT_EQ(curve_type_name(209), "RX_SELECTIVITY_99");
    EXPECT_EQ(curve_type_name(210), "RX_SELECTIVITY_AMODCALC");
    EXPECT_EQ(curve_type_name(211), "");
    EXPECT_EQ(curve_type_name(-1), "");

    EXPECT_EQ(find_curve_type("tx_emission"), CURVE_TX_EMISSION);
    EXPECT_EQ(find_curve_type("Rx_Selectivity_07"), 117);
    EXPECT_EQ(find_curve_type("TX_EMISSION_100"), -1);
    EXPECT_EQ(find_curve_type_exact("tx_emission"), -1);
    EXPECT_EQ(find_curve_type_exact("TX_EMISSION_05"), 16);
}

TEST(CurveList, AddCurveSplitsCodesNamesAndSorts) {
    Radio_Curve_List list;
    EXPECT_EQ(list.add_curve(CURVE_TX_EMISSION, "ignored"), 0);
    EXPECT_EQ(list.add_curve(CURVE_TTOI_OTHER, " R2 , ,R3"), 0);
    EXPECT_EQ(list.add_curve(CURVE_TTOI_OTHER, "R1"), 0);
    EXPECT_EQ(list.add_curve(CURVE_TX_EMISSION_STATE_FIRST + 2, "QAM64, other"), 3);
    EXPECT_EQ(list.add_curve(CURVE_TTOI_SAME, nullptr), 0);

    ASSERT_EQ(list.count(), 5);
    EXPECT_STREQ(list[0].name, "TtoI_Same");
    EXPECT_STREQ(list[1].name, "TtoI_Other - R1");
    EXPECT_STREQ(list[2].name, "TtoI_Other - R2");
    EXPECT_EQ(list[2].interfering_codes, (std::vector<std::string>{"R2", "R3"}));
    EXPECT_STREQ(list[3].name, "TX_EMISSION");
    EXPECT_TRUE(list[3].interfering_codes.empty());
    // A per-state curve made in the editor keeps its plain name and only its first code.
    EXPECT_STREQ(list[4].name, "TX_EMISSION_03");
    EXPECT_EQ(list[4].interfering_codes, std::vector<std::string>{"QAM64"});
    EXPECT_EQ(list[4].power_integral, NOT_SET);
    EXPECT_EQ(list[4].point_count(), 0);

    // Codes are cut to their field; blanks and empty ones are no codes.
    const auto codes = split_codes((std::string(60, 'c') + ",d").c_str());
    ASSERT_EQ(codes.size(), 2u);
    EXPECT_EQ(codes[0].size(), 47u);
    EXPECT_TRUE(split_codes(" , ,").empty());
}

TEST(CurveList, SetPointsKeepsAtLeastTwo) {
    Radio_Curve_List list;
    list.add_curve(CURVE_TX_EMISSION, nullptr);
    const double pairs[] = {-10, -40, 0, 0, 10, -40};
    EXPECT_TRUE(list.set_curve_points(0, 3, pairs));
    EXPECT_EQ(list[0].x_min, -10.0f);
    EXPECT_EQ(list[0].x_max, 10.0f);
    EXPECT_EQ(list[0].two_sided, 1);
    EXPECT_FLOAT_EQ(list[0].points[0].linear, 1e-4f);
    EXPECT_FLOAT_EQ(list[0].points[1].linear, 1.0f);

    EXPECT_FALSE(list.set_curve_points(0, 1, pairs));
    EXPECT_EQ(list[0].point_count(), 3);

    const double one_sided[] = {0, 0, 5, -3};
    EXPECT_TRUE(list.set_curve_points(0, 2, one_sided));
    EXPECT_EQ(list[0].two_sided, 0);
    // Offsets just below zero still count as one-sided.
    const double near_zero[] = {-0.0005, 0, 5, -3};
    EXPECT_TRUE(list.set_curve_points(0, 2, near_zero));
    EXPECT_EQ(list[0].two_sided, 0);
}

TEST(CurveList, DeleteAndDerivedCurves) {
    Radio_Curve_List list;
    list.add_curve(CURVE_TX_EMISSION_MASK, nullptr);
    list.add_curve(CURVE_TX_EMISSION, nullptr);
    list.add_curve(CURVE_RX_SELECTIVITY_CALC, nullptr);
    list.add_curve(CURVE_RX_SELECTIVITY_MASK, nullptr);
    EXPECT_EQ(list.find_first(CURVE_RX_SELECTIVITY_MASK), 2);
    list.remove_derived_curves();
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list[0].curve_type, CURVE_TX_EMISSION);
    list.delete_curve(0);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.find_first(CURVE_TX_EMISSION), -1);
}

TEST(CurveList, ADeletedStateTakesItsCurvesAndTheLaterOnesMoveUp) {
    constexpr int tx = CURVE_TX_EMISSION_STATE_FIRST;
    constexpr int rx = CURVE_RX_SELECTIVITY_STATE_FIRST;
    Radio_Curve_List list;
    for (const int type : {tx, tx + 1, tx + 2, rx + 1, rx + 2, int{CURVE_TTOI_CW}}) {
        list.add_curve(type, nullptr);
    }
    // A state curve read from a file with its code is named after it.
    const int coded = list.find_first(tx + 2);
    list[coded].interfering_codes = {"64QAM"};
    name_curve(list[coded], true);

    list.remove_state_curves(1);
    std::vector<std::string> names;
    for (const Radio_Curve& curve : list) {
        names.emplace_back(curve.name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"TtoI_CW", "TX_EMISSION_01", "TX_EMISSION_02 - 64QAM",
                                               "RX_SELECTIVITY_02"}));
    EXPECT_EQ(list.find_first(tx + 1), 2);
    EXPECT_EQ(list.find_first(rx + 1), 3);
    EXPECT_EQ(list.find_first(tx + 2), -1);
}

TEST(CurveValue, InterpolatesAndHoldsTheEnds) {
    const Radio_Curve two = curve_of(CURVE_TTOI_SAME, {{-10, -20}, {0, 30}, {10, -20}});
    EXPECT_DOUBLE_EQ(curve_value_at(two, 0), 30);
    EXPECT_DOUBLE_EQ(curve_value_at(two, 5), 5);
    EXPECT_DOUBLE_EQ(curve_value_at(two, -5), 5);
    EXPECT_DOUBLE_EQ(curve_value_at(two, -50), -20);
    EXPECT_DOUBLE_EQ(curve_value_at(two, 50), -20);

    // A one-sided curve is read with the absolute offset.
    const Radio_Curve one = curve_of(CURVE_TX_EMISSION, {{0, 0}, {4, -10}, {8, -50}});
    EXPECT_DOUBLE_EQ(curve_value_at(one, -2), -5);
    EXPECT_DOUBLE_EQ(curve_value_at(one, 6), -30);
    EXPECT_DOUBLE_EQ(curve_value_at(one, -100), -50);
    EXPECT_DOUBLE_EQ(curve_value_at(Radio_Curve{}, 1), 0);
}

TEST(HalfWidth, WhereTheCurveFallsThreeDecibelsBelowItsTop) {
    Radio_Curve mask = curve_of(CURVE_RX_SELECTIVITY_MASK, {});
    for (int i = 0; i < 10; ++i) {
        mask.points.push_back({static_cast<float>(i), 0.0f, 1.0f});
    }
    const struct {
        const char* name;
        Radio_Curve curve;
        double half_width;
    } cases[] = {
        // -23 dB is crossed half way between 10 and 14 MHz.
        {"one-sided", curve_of(CURVE_TX_EMISSION, {{0, -20}, {10, -20}, {14, -26}, {20, -60}}), 12.0},
        // Left crossing at -3 MHz, right at 2 MHz: the wider side.
        {"two-sided", curve_of(CURVE_RX_SELECTIVITY, {{-20, -40}, {-6, -6}, {0, 0}, {4, -6}, {20, -40}}),
         3.0},
        {"never falls", curve_of(CURVE_TX_EMISSION, {{0, 0}, {5, -1}, {10, -2}}), 10.0},
        {"rises", curve_of(CURVE_TX_EMISSION, {{2, -10}, {5, -1}}), 5.0},
        // A two-sided curve that rises but never falls again ends at its first crossing.
        {"two-sided rising", curve_of(CURVE_RX_SELECTIVITY, {{-4, -10}, {-2, 0}, {0, 0}, {4, 0}}), 2.6},
        {"no points", Radio_Curve{}, 0.0},
        // The selectivity mask's half width is its seventh point.
        {"selectivity mask", mask, 6.0},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(curve_half_width_3db(c.curve), c.half_width) << c.name;
    }
}

TEST(CurveOrder, ByTypeThenFirstCode) {
    Radio_Curve a = curve_of(CURVE_IRF_OTHER, {});
    Radio_Curve b = curve_of(CURVE_IRF_OTHER, {});
    a.interfering_codes = {"B"};
    b.interfering_codes = {"A"};
    EXPECT_TRUE(compare_curves(b, a));
    EXPECT_FALSE(compare_curves(a, b));
    Radio_Curve c = curve_of(CURVE_TTOI_SAME, {});
    c.interfering_codes = {"Z"};
    EXPECT_TRUE(compare_curves(c, a));
}

} // namespace
