// The version 4 radio record: its reset image, the curve list, the curve arithmetic and the JSON
// form.
#include "radio4_json.h"
#include "radio4_record.h"
#include "radio4_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

using kelvor_test::add_curve;
using kelvor_test::Mrs_Record_Bytes;

namespace {

std::string image_of(const Radio4_Record& record) {
    return std::string(reinterpret_cast<const char*>(&record.radio_spec), sizeof record.radio_spec);
}

// The reset record, laid out from the format's table.
std::string reset_image() {
    Mrs_Record_Bytes bytes;
    for (std::size_t offset = 296; offset < 432; offset += 8) {
        bytes.number(offset, NOT_SET);
    }
    bytes.number(464, NOT_SET);
    for (std::size_t offset = 531; offset < 923; offset += 8) {
        bytes.number(offset, NOT_SET);
    }
    bytes.flags(0x40);
    return bytes.bytes();
}

TEST(Radio4Record, ResetGivesTheNewRecordImage) {
    Radio4_Record record;
    EXPECT_EQ(image_of(record), reset_image());

    std::strcpy(record.radio_spec.manufact, "Acme");
    record.radio_spec.further[4] = 1.0;
    record.radio_spec.flags = RADIO4_SDH;
    add_curve(record, "TtoI_CW", {0, 20, 10, 5});
    record.reset();
    EXPECT_EQ(image_of(record), reset_image());
    EXPECT_TRUE(record.curves.empty());
}

TEST(Radio4Record, CurveCountFollowsTheList) {
    Radio4_Record record;
    Radio4_Curve& first = record.append_curve();
    EXPECT_EQ(record.radio_spec.curve_count, 1);
    EXPECT_STREQ(first.name, "");
    EXPECT_EQ(first.point_count(), 0);
    EXPECT_EQ(first.power_integral, 0.0);

    add_curve(record, "TX_EMISSION_MASK", {-1, -80, 1, -80});
    add_curve(record, "TX_EMISSION", {0, 0, 5, -30});
    add_curve(record, "rx_selectivity_calc", {0, 0, 5, -30});
    EXPECT_EQ(record.radio_spec.curve_count, 4);

    EXPECT_EQ(record.curves.find("tx_emission"), &*std::next(record.curves.begin(), 2));
    EXPECT_EQ(record.curves.find("TX_EMISSIO"), nullptr);

    EXPECT_EQ(record.remove_derived_curves(), 2);
    EXPECT_EQ(record.radio_spec.curve_count, 2);
    record.unlink_curve(first);
    EXPECT_EQ(record.radio_spec.curve_count, 1);
    EXPECT_STREQ(record.curves.front().name, "TX_EMISSION");
}

TEST(Radio4Record, CurveNamesHoldTwentyThreeCharacters) {
    Radio4_Curve curve;
    curve.set_name("TtoI_1234567890123456789012345");
    EXPECT_STREQ(curve.name, "TtoI_123456789012345678");
    EXPECT_TRUE(curve.is_named("ttoi_123456789012345678"));
    EXPECT_FALSE(curve.is_named("TtoI_1234567890123456789"));
}

TEST(Radio4Record, SetCurvePoints) {
    Radio4_Curve curve;
    const double two[] = {-0.0005, 0.0, 3.0, -10.0};
    ASSERT_TRUE(set_curve_points(curve, 2, two));
    EXPECT_EQ(curve.x_min, -0.0005f);
    EXPECT_EQ(curve.x_max, 3.0f);
    EXPECT_EQ(curve.two_sided, 0); // not below -0.001
    EXPECT_FLOAT_EQ(curve.points[0].linear, 1.0f);
    EXPECT_FLOAT_EQ(curve.points[1].linear, 0.1f);

    // A changed count below 2 leaves the curve as it was.
    const double one[] = {-5.0, 1.0};
    EXPECT_FALSE(set_curve_points(curve, 1, one));
    EXPECT_EQ(curve.point_count(), 2);
    EXPECT_EQ(curve.x_max, 3.0f);

    const double three[] = {-2.0, -3.0, 0.0, 0.0, 2.0, -3.0};
    ASSERT_TRUE(set_curve_points(curve, 3, three));
    EXPECT_EQ(curve.two_sided, 1);
    EXPECT_EQ(curve.x_min, -2.0f);
}

TEST(Radio4Record, ValueAtOffset) {
    Radio4_Record record;
    const Radio4_Curve& one_sided = add_curve(record, "TtoI_CW", {0, 20, 10, 0, 20, -20});
    EXPECT_DOUBLE_EQ(curve_value_at(one_sided, 5.0), 10.0);
    EXPECT_DOUBLE_EQ(curve_value_at(one_sided, -5.0), 10.0); // one-sided: the absolute offset
    EXPECT_DOUBLE_EQ(curve_value_at(one_sided, 30.0), -20.0);
    const Radio4_Curve& two_sided = add_curve(record, "RX_SELECTIVITY", {-10, -40, 0, 0, 10, -20});
    EXPECT_DOUBLE_EQ(curve_value_at(two_sided, -5.0), -20.0);
    EXPECT_DOUBLE_EQ(curve_value_at(two_sided, 5.0), -10.0);
    EXPECT_DOUBLE_EQ(curve_value_at(two_sided, -50.0), -40.0);
}

TEST(Radio4Record, JsonNamesFieldsByKeyword) {
    Radio4_Record record;
    std::strcpy(record.radio_spec.manufact, "Ericsson Tele\xE9" "com");
    std::strcpy(record.radio_spec.capacity, "16E1");
    std::strcpy(record.radio_spec.modulation, "QPSK");
    record.radio_spec.data_rate = 32.768;
    record.radio_spec.num_atpcsteps = -1;
    record.radio_spec.flags = RADIO4_SDH | RADIO4_IF_COMBINER;
    add_curve(record, "TtoI_QPSK-16E1", {0, 23.1, 14, 12.7});
    add_curve(record, "FOO", {0, 0, 1, 1});

    const auto json = radio4_to_json(record);
    EXPECT_EQ(json["MANUFACT"], "Ericsson Tele\u00e9com"); // single-byte text in UTF-8
    EXPECT_NO_THROW(json.dump());
    EXPECT_EQ(json["CAPACITY"], "16E1");
    EXPECT_EQ(json["DATA_RATE"], 32.768);
    EXPECT_TRUE(json["TXPOWER_DBM"].is_null());
    EXPECT_TRUE(json["NUM_ATPCSTEPS"].is_null());
    EXPECT_FALSE(json.contains("STABILITY_PPM"));
    EXPECT_EQ(json["DIGRADIO_TYPE"], "SDH");
    EXPECT_EQ(json["SD_OPERATION"], "IFC");
    EXPECT_EQ(json["USE_SIGNATURE"], "NO");
    EXPECT_EQ(json["flags"], 0x24);
    EXPECT_EQ(json["further"].size(), 11u);
    EXPECT_EQ(json["further"][0], 0.0);
    EXPECT_TRUE(json["further"][4].is_null());
    EXPECT_EQ(json["reserved_779"].size(), 18u);
    EXPECT_EQ(json["curve_count"], 2);
    ASSERT_EQ(json["curves"].size(), 2u);
    EXPECT_EQ(json["curves"][0]["name"], "TtoI_QPSK-16E1");
    EXPECT_EQ(json["curves"][0]["type"], "TtoI_Same");
    EXPECT_EQ(json["curves"][0]["points"][1][1], 12.7);
    EXPECT_TRUE(json["curves"][1]["type"].is_null());
}

} // namespace
