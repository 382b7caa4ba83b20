// Derivations before a binary radio file is written: masks, normalisation, selectivity, fields.
#include "radio_derivations.h"
#include "radio_record.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

int add(Radio_Record& record, int type, std::vector<double> pairs, const char* codes = nullptr) {
    const int index = record.curves.add_curve(type, codes);
    record.curves.set_curve_points(index, static_cast<int>(pairs.size() / 2), pairs.data());
    return record.curves.find_first(type);
}

const Radio_Curve& only(const Radio_Record& record, int type) {
    const int index = record.curves.find_first(type);
    EXPECT_GE(index, 0) << type;
    return record.curves[index];
}

TEST(DefaultMasks, OneMegahertzTransmitMask) {
    Radio_Record record;
    record.radio_spec.bandwidth_3db_tx = 1.0;
    make_default_tx_mask(record);
    const Radio_Curve& mask = only(record, CURVE_TX_EMISSION_MASK);
    ASSERT_EQ(mask.point_count(), 10);
    const float offsets[10] = {-5, -1.0625f, -0.6875f, -0.5f, -0.499f, 0.499f, 0.5f, 0.6875f, 1.0625f, 5};
    const double levels[10] = {-80, -80, -50, -50, -23.98, -23.98, -50, -50, -80, -80};
    for (int i = 0; i < 10; ++i) {
        EXPECT_NEAR(mask.points[i].offset, offsets[i], 1e-6) << i;
        EXPECT_NEAR(mask.points[i].db, levels[i], 0.005) << i;
    }
    EXPECT_FLOAT_EQ(mask.points[0].linear, 1e-8f);
    EXPECT_FLOAT_EQ(mask.points[2].linear, 1e-5f);
    EXPECT_FLOAT_EQ(mask.points[4].linear, 0.004f);
    EXPECT_EQ(mask.two_sided, 1);
    EXPECT_EQ(mask.x_min, -5.0f);
    EXPECT_STREQ(mask.name, "TX_EMISSION_MASK");
}

TEST(DefaultMasks, WideBandIsHeldAtTheShoulder) {
    Radio_Record record;
    record.radio_spec.bandwidth_3db_tx = 500.0;
    make_default_tx_mask(record);
    const Radio_Curve& mask = only(record, CURVE_TX_EMISSION_MASK);
    EXPECT_EQ(mask.points[4].db, -50.0f);
    EXPECT_EQ(mask.points[5].linear, mask.points[3].linear);
    // Above 31.6 MHz the half bandwidth is no longer the innermost offset.
    EXPECT_TRUE(std::is_sorted(mask.points.begin(), mask.points.end(),
                               [](auto& a, auto& b) { return a.offset < b.offset; }));
}

TEST(DefaultMasks, ReceiveMaskIsRelativeToTheBand) {
    Radio_Record record;
    record.radio_spec.bandwidth_3db_rx = 0.4;
    make_default_rx_mask(record);
    const Radio_Curve& mask = only(record, CURVE_RX_SELECTIVITY_MASK);
    // K = 10 log10(0.004 / 0.4) = -20
    EXPECT_NEAR(mask.points[0].db, -60.0, 1e-4);
    EXPECT_NEAR(mask.points[2].db, -30.0, 1e-4);
    EXPECT_EQ(mask.points[4].db, 0.0f);
    EXPECT_EQ(mask.points[4].linear, 1.0f);
    EXPECT_NEAR(mask.points[2].linear, 1e-3, 1e-9);

    // Above 400 MHz the shoulders rise above 0 dB: the band takes the shoulder level.
    Radio_Record wide;
    wide.radio_spec.bandwidth_3db_rx = 1000;
    make_default_rx_mask(wide);
    const Radio_Curve& held = only(wide, CURVE_RX_SELECTIVITY_MASK);
    EXPECT_NEAR(held.points[3].db, 3.98, 0.005);
    EXPECT_EQ(held.points[4].db, held.points[3].db);
    EXPECT_EQ(held.points[5].linear, held.points[3].linear);
}

TEST(DefaultMasks, NoMaskWithoutAPositiveBandwidth) {
    // Bandwidths no radio has would put the mask beyond single precision.
    for (double bandwidth : {0.0, -3.0, NOT_SET, 1e300}) {
        Radio_Record record;
        record.radio_spec.bandwidth_3db_tx = bandwidth;
        record.radio_spec.bandwidth_3db_rx = bandwidth;
        make_default_tx_mask(record);
        make_default_rx_mask(record);
        EXPECT_TRUE(record.curves.empty()) << bandwidth;
    }
}

TEST(RecordFields, TablesCompleteTtoIAndChannelBandwidth) {
    Radio_Record record;
    copy_text(record.radio_spec.modulation, "64QAM");
    copy_text(record.radio_spec.emission_designator, "27M5G7W");
    complete_from_tables(record);
    EXPECT_DOUBLE_EQ(record.radio_spec.ttoi_ratio, 33.5);
    EXPECT_DOUBLE_EQ(record.radio_spec.bandwidth_channel, 27.5);

    // Values that are there stay.
    copy_text(record.radio_spec.modulation, "QPSK");
    copy_text(record.radio_spec.emission_designator, "7M00G7W");
    complete_from_tables(record);
    EXPECT_DOUBLE_EQ(record.radio_spec.ttoi_ratio, 33.5);
    EXPECT_DOUBLE_EQ(record.radio_spec.bandwidth_channel, 27.5);

    for (const auto& [designator, bandwidth] : std::vector<std::pair<const char*, double>>{
             {"28M0D7W", 28.0}, {"3m50F3E", 3.5}, {"7M125", 7.125}, {"2M1", 2.1}, {"2M10G7W", 2.1},
             {"3M01", 3.01}, {"11K0F3E", NOT_SET}, {"M5", NOT_SET}, {"28M", NOT_SET}, {"", NOT_SET}}) {
        EXPECT_DOUBLE_EQ(designator_bandwidth(designator), bandwidth) << designator;
    }
}

TEST(RecordFields, BandwidthsAndRatesFillEachOther) {
    Radio_Record record;
    record.radio_spec.bandwidth_3db_rx = 7.0;
    record.radio_spec.tx_data_rate = 34.368;
    complete_record_fields(record);
    EXPECT_EQ(record.radio_spec.bandwidth_3db_tx, 7.0);
    EXPECT_EQ(record.radio_spec.rx_data_rate, 34.368);

    // Neither bandwidth: twice the emission curve's 3 dB half width.
    Radio_Record curve_only;
    add(curve_only, CURVE_TX_EMISSION, {0, 0, 10, 0, 14, -6, 20, -60});
    complete_record_fields(curve_only);
    EXPECT_DOUBLE_EQ(curve_only.radio_spec.bandwidth_3db_tx, 24.0);
    EXPECT_DOUBLE_EQ(curve_only.radio_spec.bandwidth_3db_rx, 24.0);
}

TEST(RecordFields, SesThresholdInterpolatesBetweenTheBerThresholds) {
    Radio_Record record;
    record.thresholds[THRESHOLD_10_3].threshold_dbm = -80;
    record.thresholds[THRESHOLD_10_6].threshold_dbm = -77;
    record.radio_spec.bits_block = 4580;
    record.radio_spec.alpha[0] = 1; // x = 1e-4
    complete_record_fields(record);
    const Rx_Threshold& ses = record.thresholds[THRESHOLD_SES];
    EXPECT_NEAR(ses.ber, 1e-4, 1e-12);
    EXPECT_NEAR(ses.threshold_dbm, -79.0, 1e-9);
    EXPECT_NEAR(ses.threshold_uv, threshold_microvolts(-79.0), 1e-9);

    // Outside 10-6 to 10-3 nothing is derived, nor with zero bits per block.
    for (const int32_t bits : {45, 0}) {
        Radio_Record outside;
        outside.thresholds[THRESHOLD_10_3].threshold_dbm = -80;
        outside.thresholds[THRESHOLD_10_6].threshold_dbm = -77;
        outside.radio_spec.bits_block = bits;
        outside.radio_spec.alpha[0] = 1;
        complete_record_fields(outside);
        EXPECT_EQ(outside.thresholds[THRESHOLD_SES].threshold_dbm, NOT_SET) << bits;
    }
}

TEST(RecordFields, ThresholdsAreCopied) {
    Radio_Record record;
    record.thresholds[2].threshold_dbm = 70; // positive: taken as -70
    copy_text(record.thresholds[2].description, "RBER");
    record.thresholds[2].kind = 2;
    complete_record_fields(record);
    EXPECT_EQ(record.thresholds[2].threshold_dbm, -70.0);
    const Rx_Threshold& copy = record.radio_spec.threshold_copy[2];
    EXPECT_EQ(copy.threshold_dbm, -70.0);
    EXPECT_EQ(copy.threshold_uv, threshold_microvolts(-70));
    EXPECT_STREQ(copy.description, "RBER");
    EXPECT_EQ(copy.kind, 2);
    EXPECT_EQ(copy.spare, NOT_SET);
}

TEST(RecordFields, NoiseFloorTakesTheFirstRuleThatApplies) {
    Radio_Record record;
    Radio_Spec& s = record.radio_spec;
    s.bandwidth_3db_rx = 28;
    s.noise_figure = 5;
    complete_record_fields(record);
    EXPECT_NEAR(s.effective_noise_floor, 10 * std::log10(28 * 4.0039082e-21 * 1e6) + 35, 1e-9);
    record.thresholds[THRESHOLD_10_6].threshold_dbm = -70;
    s.ctoi_ber_10_6 = 20;
    complete_record_fields(record);
    EXPECT_DOUBLE_EQ(s.effective_noise_floor, -90);
    record.thresholds[THRESHOLD_10_3].threshold_dbm = -73;
    s.ctoi_ber_10_3 = 18;
    complete_record_fields(record);
    EXPECT_DOUBLE_EQ(s.effective_noise_floor, -91);
    s.ttoi_ratio = 30;
    complete_record_fields(record);
    EXPECT_DOUBLE_EQ(s.effective_noise_floor, -70 - 30 + 5.868253);
    s.noise_floor_ktbf = -99;
    complete_record_fields(record);
    EXPECT_DOUBLE_EQ(s.effective_noise_floor, -99);
}

TEST(Normalisation, SpectrumBecomesPowerInFourKilohertz) {
    Radio_Record record;
    add(record, CURVE_TX_EMISSION, {0, 0, 5, 0, 5.5, -60, 10, -60});
    add(record, CURVE_TX_EMISSION_STATE_FIRST, {-2, 0, 2, 0}, "QPSK");
    normalise_tx_emission(record);
    for (const Radio_Curve& curve : record.curves) {
        // Integrate again the way the normalisation does: the total must be 4 kHz worth.
        const double step = (curve.x_max - curve.x_min) / 199.0;
        double sum = 0;
        for (int k = 0; k < 200; ++k) {
            sum += std::pow(10.0, curve_value_at(curve, curve.x_min + step / 2 + k * step) / 10);
        }
        const double power = sum * step * (curve.two_sided ? 1 : 2);
        EXPECT_NEAR(power, 0.004, 0.0004) << curve.name;
        for (const Radio_Point& point : curve.points) {
            EXPECT_NEAR(point.linear, std::pow(10.0, point.db / 10.0), 1e-6 * point.linear);
        }
    }
    // The flat two-sided curve of 4 MHz holds 0.004 / 4 per MHz.
    EXPECT_NEAR(record.curves[1].points[0].db, 10 * std::log10(0.001), 0.03);
}

TEST(Normalisation, VeryLowLevelsStayNumbersAndACurveWithoutWidthIsLeftAlone) {
    Radio_Record record;
    add(record, CURVE_TX_EMISSION, {0, 0, 1, -3e38, 2, -3e38});
    add(record, CURVE_TX_EMISSION_STATE_FIRST, {3, -5, 3, -7}, "QPSK");
    normalise_tx_emission(record);
    for (const Radio_Curve& curve : record.curves) {
        for (const Radio_Point& point : curve.points) {
            EXPECT_TRUE(std::isfinite(point.db)) << curve.name;
        }
    }
    EXPECT_EQ(only(record, CURVE_TX_EMISSION_STATE_FIRST).points[0].db, -5.0f);
}

TEST(CalculatedSelectivity, OneSidedSourceIsMirrored) {
    Radio_Record record;
    add(record, CURVE_RX_SELECTIVITY, {0, 0, 10, -3, 20, -40, 44, -70});
    make_rx_selectivity_calc(record);
    EXPECT_EQ(record.radio_spec.selectivity_source, 3);
    const Radio_Curve& calc = only(record, CURVE_RX_SELECTIVITY_CALC);
    ASSERT_EQ(calc.point_count(), 79);
    EXPECT_EQ(calc.two_sided, 1);
    EXPECT_EQ(calc.points[39].offset, 0.0f);
    EXPECT_NEAR(calc.points[44].offset, 10.0, 1e-5);
    EXPECT_NEAR(calc.points[78].offset, 44.0, 1e-4);
    EXPECT_NEAR(calc.points[45].offset, 11.0, 1e-5); // steps of (44 - 10) / 34
    for (int i = 0; i < 39; ++i) {
        EXPECT_EQ(calc.points[i].offset, -calc.points[78 - i].offset) << i;
        EXPECT_EQ(calc.points[i].db, calc.points[78 - i].db) << i;
    }
    EXPECT_EQ(calc.x_min, -44.0f);
    EXPECT_NEAR(calc.points[44].db, -3.0, 1e-5);

    double integral = 0;
    for (int i = 0; i < 78; ++i) {
        const double width = calc.points[i + 1].offset - calc.points[i].offset;
        integral += width * (calc.points[i].linear + calc.points[i + 1].linear) / 2;
    }
    EXPECT_NEAR(calc.power_integral, integral, 1e-4 * integral);
}

TEST(CalculatedSelectivity, TwoSidedSourceRelativeToItsCentre) {
    Radio_Record record;
    add(record, CURVE_TTOI_CW, {-30, -40, -4, 27, 0, 30, 4, 27, 40, -50});
    make_rx_selectivity_calc(record);
    EXPECT_EQ(record.radio_spec.selectivity_source, 2);
    const Radio_Curve& calc = only(record, CURVE_RX_SELECTIVITY_CALC);
    const double b = 4.0; // where 27 dB is crossed
    EXPECT_NEAR(calc.points[0].offset, -30.0, 1e-5);
    EXPECT_NEAR(calc.points[34].offset, -b, 1e-5);
    EXPECT_NEAR(calc.points[39].offset, 0.0, 1e-5);
    EXPECT_NEAR(calc.points[44].offset, b, 1e-5);
    EXPECT_NEAR(calc.points[78].offset, 40.0, 1e-4);
    EXPECT_NEAR(calc.points[39].db, 0.0, 1e-5);
    EXPECT_NEAR(calc.points[0].db, -70.0, 1e-4);
    EXPECT_NEAR(calc.points[78].db, -80.0, 1e-4);
}

TEST(CalculatedSelectivity, SourcesInOrderOfPreference) {
    Radio_Record none;
    make_rx_selectivity_calc(none);
    EXPECT_EQ(none.radio_spec.selectivity_source, 0);
    EXPECT_TRUE(none.curves.empty());

    Radio_Record mask;
    mask.radio_spec.bandwidth_3db_rx = 1.0;
    make_default_rx_mask(mask);
    make_rx_selectivity_calc(mask);
    EXPECT_EQ(mask.radio_spec.selectivity_source, 1);
    // The mask is taken as it is: its 0 dB band is the reference.
    EXPECT_NEAR(only(mask, CURVE_RX_SELECTIVITY_CALC).points[39].db, 0.0, 1e-5);
}

TEST(DeriveRadioCurves, RunsTheStepsInOrder) {
    Radio_Record record;
    add(record, CURVE_TTOI_SAME, {-10, 0, 0, 31, 10, 0});
    add(record, CURVE_TTOI_CW, {-1, 5, 0, 12, 1, 5});
    add(record, CURVE_TX_FILTER, {0, 0}); // one point: dropped
    add(record, CURVE_TX_EMISSION, {0, 0, 5, 0, 6, -60});
    add(record, CURVE_RX_SELECTIVITY_CALC, {0, 0, 1, 1}); // left over: replaced
    copy_text(record.radio_spec.modulation, "64QAM");
    derive_radio_curves(record);
    EXPECT_EQ(record.curves.find_first(CURVE_TX_FILTER), -1);
    // T/I from the curve wins over the modulation table.
    EXPECT_DOUBLE_EQ(record.radio_spec.ttoi_ratio, 31.0);
    EXPECT_DOUBLE_EQ(record.radio_spec.ttoi_cw, 12.0);
    EXPECT_GE(record.curves.find_first(CURVE_TX_EMISSION_MASK), 0);
    EXPECT_GE(record.curves.find_first(CURVE_RX_SELECTIVITY_MASK), 0);
    int calcs = 0;
    for (const Radio_Curve& curve : record.curves) {
        calcs += curve.curve_type == CURVE_RX_SELECTIVITY_CALC;
    }
    EXPECT_EQ(calcs, 1);
    EXPECT_EQ(record.radio_spec.selectivity_source, 2);
}

} // namespace
