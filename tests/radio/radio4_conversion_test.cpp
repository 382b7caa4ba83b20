// Converting between the version 4 and version 5 radio records, and telling version 4 files by
// their names and first bytes.
#include "error_handler.h"
#include "radio4_conversion.h"
#include "radio4_format.h"
#include "radio4_json.h"
#include "radio4_record.h"
#include "radio4_test_support.h"
#include "radio_file_kind.h"
#include "radio_json.h"
#include "radio_record.h"
#include "raf_format.h"
#include "string_list.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <cstring>
#include <string>
#include <vector>

using kelvor_test::add_curve;
using kelvor_test::read_bytes;
using kelvor_test::Recording_Presenter;

namespace {

// The conversion of a record whose curves all have a version 5 type: none is passed over.
void convert_all_curves(const Radio4_Record& v4, Radio_Record& v5) {
    std::vector<std::string> passed_over;
    convert_v4_to_v5(v4, v5, passed_over);
    EXPECT_EQ(passed_over, std::vector<std::string>{});
}

// A version 4 record with a value in every field both versions hold.
Radio4_Record full_record() {
    Radio4_Record r;
    Radio4_Spec& s = r.radio_spec;
    std::strcpy(s.manufact, "Halvard Microwave AB");
    std::strcpy(s.model, "HM-6L 16E1");
    for (int i = 0; i < RADIO4_COMMENT_COUNT; ++i) {
        s.comment[i][0] = static_cast<char>('a' + i);
    }
    std::strcpy(s.emdesig, "28M0D7W");
    std::strcpy(s.radio_id, "HM6L-16E1-Q");
    std::strcpy(s.modulation, "QPSK");
    std::strcpy(s.capacity, "16E1");
    s.txpower_dbm = 30.0;
    s.stability_prc = 0.001;
    s.data_rate = 32.768;
    s.spectrmbw_mhz = 22.4;
    s.channelbw_mhz = 29.65;
    s.rxthresh_10_3 = -80.5;
    s.rxthresh_10_6 = -76.5;
    s.dispfm_10_3 = 48.0;
    s.dispfm_10_6 = 45.0;
    s.maxrxsig_10_3 = -15.0;
    s.maxrxsig_10_6 = -20.0;
    s.ttoi_cochan_like = 23.0;
    s.ttoi_cochan_cw = 21.5;
    s.atpc_range = 10.0;
    s.num_atpcsteps = 3.0;
    s.freq_lo_mhz = 5925.0;
    s.freq_hi_mhz = 6425.0;
    for (int i = 0; i < 4; ++i) {
        s.further[i] = 1.0 + i;
    }
    s.flags = RADIO4_SDH | RADIO4_IF_COMBINER | RADIO4_COCHANNEL | RADIO4_USE_SIGNATURE;
    s.residual_ber = 1e-12;
    s.rxthresh_rber = -63.0;
    s.ses_ber = 4.6e-4;
    s.rxthresh_ses_ber = -70.0;
    s.xpif = 18.0;
    s.xpd_xpi = 25.0;
    s.if_comb_gain = 2.5;
    s.bits_block = 19440.0;
    s.blocks_sec = 8000.0;
    s.alpha[0] = 20.0;
    s.alpha[1] = 40.0;
    s.alpha[2] = 60.0;
    s.signature_10_3 = {6.3, 22.0, 17.5, 17.2};
    s.signature_10_6 = {6.4, 23.0, 14.8, 14.5};
    s.signature_ses = {6.5, 24.0, 11.6, 11.2};
    s.signature_rber = {6.6, 25.0, 8.4, 8.0};
    s.dispfm_ses = 39.0;
    s.dispfm_rber = 33.0;
    add_curve(r, "TtoI_16E1-QPSK", {0, 23, 14, 12, 28, -15});
    add_curve(r, "TtoI_8E1-QPSK", {0, 23, 14, 4});
    add_curve(r, "TtoI_CW", {0, 21.5, 10, 12});
    add_curve(r, "IRF_16E1-QPSK", {0, 0, 20, 14});
    add_curve(r, "IRF_4E1-QPSK", {0, 0, 20, 20});
    add_curve(r, "TX_EMISSION", {-20, -40, 0, 0, 20, -40});
    add_curve(r, "RX_SELECTIVITY", {0, 0, 30, -60});
    add_curve(r, "RX_FILTER", {0, 0, 30, -10});
    add_curve(r, "TX_FILTER", {0, 0, 30, -11});
    return r;
}

TEST(Radio4Conversion, VersionFourFieldsInVersionFive) {
    Recording_Presenter presenter;
    const Radio4_Record v4 = full_record();
    Radio_Record v5;
    v5.radio_spec.noise_figure = 5.0; // the conversion starts from a new record
    convert_all_curves(v4, v5);
    EXPECT_TRUE(presenter.shown.empty());

    // Plain copies are checked by the round trip below; here what the conversion makes of them.
    const Radio_Spec& s = v5.radio_spec;
    EXPECT_EQ(s.noise_figure, NOT_SET);
    EXPECT_STREQ(s.manufacturer, "Halvard Microwave AB");
    EXPECT_EQ(s.capacity_count, 16);
    EXPECT_STREQ(s.capacity_unit, "E1");
    EXPECT_EQ(s.tx_data_rate, 32.768);
    EXPECT_EQ(s.rx_data_rate, 32.768);
    EXPECT_EQ(double(s.bits_block), 19440);
    EXPECT_EQ(double(s.alpha[2]), 60);
    EXPECT_EQ(s.tx_power_options[0], 30.0);
    EXPECT_DOUBLE_EQ(s.tx_power_watts, 1.0);
    EXPECT_EQ(s.atpc_options[0], 10.0);
    EXPECT_DOUBLE_EQ(s.atpc_step, 10.0 / 3.0);
    EXPECT_EQ(double(s.atpc_range), NOT_SET);
    EXPECT_EQ(s.bandwidth_3db_tx, 22.4);
    EXPECT_EQ(s.bandwidth_3db_rx, 22.4);
    EXPECT_EQ(s.ttoi_cw, 21.5);
    EXPECT_EQ(s.gain_width_depth[0], 2.5);
    EXPECT_EQ(s.reserved_1040, 1.0);
    EXPECT_EQ(s.reserved_1096[2], 4.0);
    EXPECT_STREQ(s.radio_type, "SDH");
    EXPECT_EQ(s.application_type, APPLICATION_MICROWAVE);
    EXPECT_EQ(s.space_div_operation, 1);
    EXPECT_EQ(s.cochannel_operation, 1);
    EXPECT_EQ(s.selective_fading, 1);
    EXPECT_STREQ(v5.capacity_summary, "16E1-QPSK");

    const Rx_Threshold* t = v5.thresholds;
    EXPECT_EQ(t[0].kind, 0);
    EXPECT_EQ(t[0].ber, 0.001);
    EXPECT_EQ(t[0].threshold_dbm, -80.5);
    EXPECT_NEAR(t[0].threshold_uv, std::sqrt(std::pow(10.0, -11.05) * 50.0) * 1e6, 1e-9);
    EXPECT_EQ(t[0].signature_minphase, 17.5);
    EXPECT_EQ(t[0].dispersive_fm, 48.0);
    EXPECT_EQ(t[0].max_rx_signal, -15.0);
    EXPECT_EQ(t[1].kind, 1);
    EXPECT_EQ(t[1].ber, 1e-6);
    EXPECT_EQ(t[1].signature_delay, 6.4);
    EXPECT_EQ(t[1].max_rx_signal, -20.0);
    EXPECT_EQ(t[2].kind, 2);
    EXPECT_EQ(t[2].ber, 1e-12);
    EXPECT_EQ(t[2].threshold_dbm, -63.0);
    EXPECT_EQ(t[2].signature_width, 25.0);
    EXPECT_EQ(t[2].dispersive_fm, 33.0);
    EXPECT_EQ(t[2].max_rx_signal, NOT_SET);
    EXPECT_EQ(t[3].kind, 3);
    EXPECT_EQ(t[3].ber, 4.6e-4);
    EXPECT_EQ(t[3].threshold_dbm, -70.0);
    EXPECT_EQ(t[3].signature_nonminphase, 11.2);
    EXPECT_EQ(t[3].dispersive_fm, 39.0);
}

TEST(Radio4Conversion, CurveTypesFromVersionFourNames) {
    Recording_Presenter presenter;
    Radio4_Record v4 = full_record();
    add_curve(v4, "TtoI_QPSK-16E1", {0, 20, 10, 5});
    add_curve(v4, "Bogus", {0, 20, 10, 5});
    add_curve(v4, "tx_emission_02", {0, 0, 10, -30});
    add_curve(v4, "TtoI_", {0, 1, 10, 0});
    Radio_Record v5;
    std::vector<std::string> passed_over;
    convert_v4_to_v5(v4, v5, passed_over);

    // The unknown curve is told to the caller and passed over, nobody asked; the others are all
    // converted.
    EXPECT_EQ(passed_over, std::vector<std::string>{"Unknown radio curve Bogus: left out"});
    EXPECT_TRUE(presenter.shown.empty());
    std::vector<std::string> names;
    std::vector<std::string> types;
    for (const Radio_Curve& curve : v5.curves) {
        names.emplace_back(curve.name);
        types.push_back(curve_type_name(curve.curve_type));
    }
    EXPECT_EQ(types, (std::vector<std::string>{
                         "TtoI_Same", "TtoI_Other", "TtoI_CW", "IRF_Same", "IRF_Other",
                         "TX_EMISSION", "RX_SELECTIVITY", "RX_FILTER", "TX_FILTER", "TtoI_Same",
                         "TX_EMISSION_02", "TtoI_Other"}));
    EXPECT_EQ(names[1], "TtoI_Other - 8E1-QPSK");
    EXPECT_EQ(v5.curves[1].interfering_codes, std::vector<std::string>{"8E1-QPSK"});
    EXPECT_EQ(names[4], "IRF_Other - 4E1-QPSK");
    EXPECT_EQ(names[11], "TtoI_Other - Other radio code required");
    EXPECT_EQ(v5.header.curve_count, 12);

    const Radio_Curve& same = v5.curves[0];
    ASSERT_EQ(same.point_count(), 3);
    EXPECT_EQ(same.points[2].offset, 28.0f);
    EXPECT_EQ(same.points[2].db, -15.0f);
    EXPECT_EQ(same.x_max, 28.0f);
    EXPECT_EQ(v5.curves[5].two_sided, 1);
}

TEST(Radio4Conversion, CapacityTexts) {
    const std::vector<std::tuple<const char*, int, const char*, double>> cases = {
        {"16E1", 16, "E1", 32.768}, {"STM1", 1, "STM1", 32.768}, {"0E1", 1, "E1", 32.768},
        {"2.5G", 2, "G", 32.768},   {"155.52", -1, "", 155.52},  {"", -1, "", 32.768},
    };
    for (const auto& [capacity, count, unit, rate] : cases) {
        Radio4_Record v4;
        std::strcpy(v4.radio_spec.capacity, capacity);
        v4.radio_spec.data_rate = 32.768;
        Radio_Record v5;
        convert_all_curves(v4, v5);
        EXPECT_EQ(v5.radio_spec.capacity_count, count) << capacity;
        EXPECT_STREQ(v5.radio_spec.capacity_unit, unit) << capacity;
        EXPECT_EQ(v5.radio_spec.tx_data_rate, rate) << capacity;
        EXPECT_EQ(v5.radio_spec.rx_data_rate, rate) << capacity;
    }
    // Without both texts, the traffic code is the data rate.
    Radio4_Record v4;
    v4.radio_spec.data_rate = 155.52;
    Radio_Record v5;
    convert_all_curves(v4, v5);
    EXPECT_STREQ(v5.capacity_summary, "155.52Mbs");
}

TEST(Radio4Conversion, FlagsStepsAndThresholdsOfARecordWithoutThem) {
    Radio4_Record v4;
    v4.radio_spec.flags = RADIO4_NB_DIGITAL;
    v4.radio_spec.atpc_range = 20.0;
    v4.radio_spec.num_atpcsteps = 0.0;
    Radio_Record v5;
    convert_all_curves(v4, v5);
    EXPECT_STREQ(v5.radio_spec.radio_type, "Narrow band / analog");
    EXPECT_EQ(v5.radio_spec.space_div_operation, 0);
    EXPECT_EQ(v5.radio_spec.cochannel_operation, 0);
    EXPECT_EQ(v5.radio_spec.selective_fading, 2);
    EXPECT_EQ(v5.radio_spec.atpc_step, NOT_SET);
    EXPECT_EQ(double(v5.radio_spec.bits_block), -1);
    // A step count that is no value gives no step size either.
    v4.radio_spec.num_atpcsteps = NOT_SET;
    convert_all_curves(v4, v5);
    EXPECT_EQ(v5.radio_spec.atpc_step, NOT_SET);
    EXPECT_EQ(v5.thresholds[0].threshold_dbm, NOT_SET);
    EXPECT_EQ(v5.thresholds[0].threshold_uv, NOT_SET);
    // Positive thresholds become negative.
    v4.radio_spec.rxthresh_10_6 = 85.0;
    convert_all_curves(v4, v5);
    EXPECT_EQ(v5.thresholds[1].threshold_dbm, -85.0);
    EXPECT_NEAR(v5.thresholds[1].threshold_uv, 12.6, 0.05);
}

TEST(Radio4Conversion, VersionFiveRecordInVersionFour) {
    Radio_Record v5;
    Radio_Spec& s = v5.radio_spec;
    std::strcpy(s.manufacturer, "A manufacturer name longer than thirty-one characters");
    std::strcpy(s.modulation, "128QAM");
    s.capacity_count = 2;
    std::strcpy(s.capacity_unit, "STM1");
    std::strcpy(s.radio_type, "pdh");
    s.atpc_range = 20.0;
    s.atpc_step = 3.0;
    s.rx_data_rate = 311.04;
    s.bandwidth_3db_rx = 50.0;
    s.bits_block = -1;
    s.alpha[1] = 7;
    s.selective_fading = 0;
    s.space_div_operation = 1;
    Radio_Curve same;
    same.curve_type = CURVE_TTOI_SAME;
    same.points = {{0.0f, 30.0f, 1000.0f}, {10.0f, 20.0f, 100.0f}};
    same.update_limits();
    v5.curves.append(same);
    Radio_Curve other = same;
    other.curve_type = CURVE_IRF_OTHER;
    other.interfering_codes = {"R1", "R2"};
    name_curve(other, false);
    v5.curves.append(other);
    Radio_Curve state = same;
    state.curve_type = CURVE_TX_EMISSION_STATE_FIRST;
    state.interfering_codes = {"QAM64"};
    name_curve(state, true);
    v5.curves.append(state);
    Radio_Curve mask = same;
    mask.curve_type = CURVE_TX_EMISSION_MASK;
    v5.curves.append(mask);

    Radio4_Record v4;
    convert_v5_to_v4(v5, v4);
    const Radio4_Spec& a = v4.radio_spec;
    EXPECT_STREQ(a.manufact, "A manufacturer name longer than");
    EXPECT_STREQ(a.capacity, "2STM1");
    EXPECT_STREQ(a.modulation, "128QAM");
    EXPECT_EQ(double(a.num_atpcsteps), 7.0); // 20 / 3 rounded
    EXPECT_EQ(double(a.data_rate), 311.04);
    EXPECT_EQ(double(a.spectrmbw_mhz), 50.0);
    EXPECT_EQ(double(a.bits_block), NOT_SET);
    EXPECT_EQ(double(a.alpha[1]), 7.0);
    EXPECT_EQ(a.flags, RADIO4_PDH | RADIO4_IF_COMBINER);
    EXPECT_EQ(double(a.further[4]), NOT_SET);
    EXPECT_EQ(double(a.further[5]), 0.0);
    EXPECT_EQ(double(a.further[0]), NOT_SET); // from a new version 5 record
    std::vector<std::string> names;
    for (const Radio4_Curve& curve : v4.curves) {
        names.emplace_back(curve.name);
    }
    // A curve for each code; the state's identifier after its name.
    EXPECT_EQ(names, (std::vector<std::string>{"TtoI_2STM1-128QAM", "IRF_R1", "IRF_R2",
                                               "TX_EMISSION_01-QAM64"}));
    EXPECT_EQ(a.curve_count, 4);
    EXPECT_EQ(v4.curves.front().points[1].db, 20.0f);
    EXPECT_EQ(v4.curves.front().x_max, 10.0f);

    // One of a unit is the unit alone; the capacity needs a positive count and a unit.
    s.capacity_count = 1;
    convert_v5_to_v4(v5, v4);
    EXPECT_STREQ(v4.radio_spec.capacity, "STM1");
    EXPECT_STREQ(v4.curves.front().name, "TtoI_STM1-128QAM");
    s.capacity_count = 0;
    convert_v5_to_v4(v5, v4);
    EXPECT_STREQ(v4.radio_spec.capacity, "");
    std::strcpy(s.radio_type, "Narrow band / analog");
    convert_v5_to_v4(v5, v4);
    EXPECT_EQ(v4.radio_spec.flags & RADIO4_TYPE_FLAGS, RADIO4_NB_DIGITAL);
}

TEST(Radio4Conversion, FourToFiveToFourKeepsWhatBothHold) {
    Recording_Presenter presenter;
    kelvor_test::Radio4_Fixture fixture;
    std::vector<std::pair<std::string, Radio4_Record>> records = {{"full record", full_record()}};
    for (const char* name : {"hm6l_16e1q.raf", "nr18s_stm1.raf"}) {
        ASSERT_TRUE(fixture.read_raf4(read_bytes(kelvor_test::example_file("radio", name))));
        records.emplace_back(name, fixture.record);
    }
    for (const auto& [name, original] : records) {
        SCOPED_TRACE(name);
        Radio_Record v5;
        convert_all_curves(original, v5);
        Radio4_Record back;
        convert_v5_to_v4(v5, back);
        // Only LCOMB_FACTOR, which has no place in version 5, is lost.
        auto expected = radio4_to_json(original);
        expected["LCOMB_FACTOR"] = nullptr;
        EXPECT_EQ(radio4_to_json(back), expected);
    }
    EXPECT_TRUE(presenter.shown.empty());

    // And through the version 5 ASCII file, which has no place for the unnamed doubles, the CW
    // T/I value and the curves' power integrals.
    Radio_Record v5;
    convert_all_curves(records.front().second, v5);
    kelvor_test::Temp_Dir dir;
    Error_Handler handler;
    const std::string path = dir.file("v5.raf");
    write_raf_file(v5, path.c_str(), &handler);
    Radio_Record again;
    read_raf_file(again, path.c_str(), &handler);
    Radio4_Record back;
    convert_v5_to_v4(again, back);
    auto expected = radio4_to_json(records.front().second);
    for (int i = 0; i < 4; ++i) {
        expected["further"][i] = nullptr;
    }
    expected["TtoI_COCHAN_CW"] = nullptr;
    for (auto& curve : expected["curves"]) {
        curve["power_integral"] = nullptr;
    }
    EXPECT_EQ(radio4_to_json(back), expected);
}

// The curves of a version 5 record by type and codes, in list order, the derived ones left out.
// With `cut`, each code as much of it as a version 4 curve name holds: 23 characters with the
// T/I or IRF prefix, or the state curve's type name and a hyphen, before it.
std::vector<std::string> curve_keys(const Radio_Record& record, bool cut = false) {
    std::vector<std::string> keys;
    for (const Radio_Curve& curve : record.curves) {
        if (is_derived_type(curve.curve_type)) {
            continue;
        }
        std::string key = curve_type_name(curve.curve_type);
        std::size_t prefix = 0;
        if (curve.curve_type == CURVE_TTOI_OTHER) {
            prefix = 5;
        } else if (curve.curve_type == CURVE_IRF_OTHER) {
            prefix = 4;
        } else if (is_state_type(curve.curve_type)) {
            prefix = key.size() + 1;
        }
        for (const std::string& code : curve.interfering_codes) {
            key += " | " + (cut && prefix > 0 ? code.substr(0, 23 - prefix) : code);
        }
        keys.push_back(key + " (" + std::to_string(curve.point_count()) + " points)");
    }
    return keys;
}

// A version 5 record of `capacity` and `modulation` with a curve of each of `types`, the curves
// against other radios carrying `code`.
Radio_Record record_with_curves(int count, const char* unit, const char* modulation,
                                std::initializer_list<int> types, const char* code) {
    Radio_Record record;
    record.reset();
    record.radio_spec.capacity_count = count;
    std::strcpy(record.radio_spec.capacity_unit, unit);
    std::strcpy(record.radio_spec.modulation, modulation);
    for (const int type : types) {
        Radio_Curve curve;
        curve.curve_type = static_cast<uint8_t>(type);
        curve.points = {{0.0f, 30.0f, 1000.0f}, {10.0f, 20.0f, 100.0f}};
        curve.update_limits();
        if (is_other_radio_type(type)) {
            curve.interfering_codes = {code};
        }
        name_curve(curve, false);
        record.curves.append(std::move(curve));
    }
    return record;
}

TEST(Radio4Conversion, CurveTypesAndCodesSurviveBothVersionFourFiles) {
    Recording_Presenter presenter;
    const std::initializer_list<int> t_and_i = {CURVE_TTOI_SAME, CURVE_TTOI_OTHER, CURVE_IRF_SAME,
                                                CURVE_IRF_OTHER, CURVE_TTOI_CW};
    std::vector<std::pair<std::string, Radio_Record>> cases;
    cases.emplace_back("STM-1", record_with_curves(1, "STM-1", "128QAM", t_and_i, "R7"));
    cases.emplace_back("STM_1", record_with_curves(1, "STM_1", "QPSK", t_and_i, "R7"));
    cases.emplace_back("NL90_18G_14M",
                       record_with_curves(16, "E1", "QPSK", t_and_i, "NL90_18G_14M"));
    cases.emplace_back("TETRA_1", record_with_curves(1, "STM1", "64QAM", t_and_i, "TETRA_1"));
    cases.emplace_back("8E1-QPSK", record_with_curves(16, "E1", "QPSK", t_and_i, "8E1-QPSK"));
    for (const char* name : {"ac450_lm_12k5.raf", "hx23_am_56m.raf", "nl180_18g_28m.raf"}) {
        Radio_Record record;
        Error_Handler handler;
        read_raf_file(record, (kelvor_test::example_file("radio", name)).c_str(),
                      &handler);
        cases.emplace_back(name, std::move(record));
    }
    for (auto& [name, v5] : cases) {
        const std::vector<std::string> expected = curve_keys(v5, true);
        ASSERT_FALSE(expected.empty()) << name;
        Radio4_Record v4;
        convert_v5_to_v4(v5, v4);
        for (const char* extension : {"mrs", "raf"}) {
            kelvor_test::Temp_Dir dir;
            Error_Handler handler;
            const std::string path = dir.file(std::string("radio.") + extension);
            Radio4_Record read_back;
            if (std::strcmp(extension, "mrs") == 0) {
                write_mrs_file(v4, path.c_str(), &handler);
                read_mrs_file(read_back, path.c_str(), &handler);
            } else {
                write_raf4_file(v4, path.c_str(), &handler);
                read_raf4_file(read_back, path.c_str(), &handler);
            }
            Radio_Record again;
            convert_all_curves(read_back, again);
            EXPECT_EQ(curve_keys(again), expected) << name << " through ." << extension;
        }
    }
    EXPECT_TRUE(presenter.shown.empty());
}

TEST(Radio4Conversion, TextsTooLongForVersionFourAreToldAsCuts) {
    struct Case {
        const char* name;
        void (*change)(Radio_Record&);
        std::vector<std::string> cuts;
    };
    const Case cases[] = {
        {"fitting texts",
         [](Radio_Record& r) { std::strcpy(r.radio_spec.model, "M23456789012345678901_3"); },
         {}},
        {"model",
         [](Radio_Record& r) { std::strcpy(r.radio_spec.model, "M234567890123456789012_4"); },
         {"MODEL cut to 23 characters (1 lost)"}},
        {"manufacturer and comment",
         [](Radio_Record& r) {
             std::strcpy(r.radio_spec.manufacturer, std::string(40, 'm').c_str());
             std::strcpy(r.radio_spec.comments[2], std::string(32, 'c').c_str());
         },
         {"MANUFACT cut to 31 characters (9 lost)", "COMMENT_3 cut to 31 characters (1 lost)"}},
        {"modulation and capacity",
         [](Radio_Record& r) {
             std::strcpy(r.radio_spec.modulation, "1024QAMX");
             r.radio_spec.capacity_count = 1;
             std::strcpy(r.radio_spec.capacity_unit, "STM1_HPX");
         },
         {"MODULATION cut to 7 characters (1 lost)", "CAPACITY cut to 7 characters (1 lost)"}},
        {"curve code",
         [](Radio_Record& r) {
             r = record_with_curves(1, "STM1", "64QAM", {CURVE_TTOI_OTHER},
                                    "A_VERY_LONG_RADIO_CODE_1234");
         },
         {"curve TtoI_A_VERY_LONG_RADIO_CODE_1234 cut to 23 characters (9 lost)"}},
    };
    for (const Case& c : cases) {
        Radio_Record v5;
        v5.reset();
        c.change(v5);
        Radio4_Record v4;
        std::vector<std::string> cuts;
        convert_v5_to_v4(v5, v4, &cuts);
        EXPECT_EQ(cuts, c.cuts) << c.name;
    }
}

// Both ASCII radio files end with ENDFIL. The readers take a file that lacks it as it is, and
// the warning tells that it may have been cut short.
TEST(Radio4Files, AsciiFilesWithoutTheirEndLineAreWarnedOf) {
    const std::string examples = std::string(KELVOR_EXAMPLES_DIR) + "/radio/";
    const std::string v5 = read_bytes(examples + "nl180_18g_28m.raf");
    const std::string v4 = read_bytes(examples + "hm6l_16e1q.raf");
    // The text up to the line that begins with `line`.
    const auto before = [](const std::string& text, const std::string& line) {
        const std::size_t at = text.find("\n" + line);
        EXPECT_NE(at, std::string::npos) << line;
        return text.substr(0, at + 1);
    };
    const std::string v5_head = "QV50_ASCII_RADIO_SPEC_04\r\nMODEL:\tX\r\n";
    struct Case {
        const char* name;
        std::string text;
        bool warned;
        int version; // 5 or 4: the reader that must take the text; 0 for none
    };
    const std::vector<Case> cases = {
        {"version 5 complete", v5, false, 5},
        {"version 5 cut before ENDFIL", before(v5, "ENDFIL"), true, 5},
        {"version 5 cut in a curve block", before(v5, "16.00, -20.00"), true, 0},
        {"version 5 cut after a curve block", before(v5, "RX_SELECTIVITY"), true, 5},
        {"version 4 complete", v4, false, 4},
        {"version 4 cut short", before(v4, "SES_BER"), true, 4},
        {"version 4 cut before ENDFIL", before(v4, "ENDFIL"), true, 4},
        {"end line between blanks", v5_head + " \t ENDFIL \t\r\n", false, 5},
        {"lines after the end line", v5_head + "ENDFIL\r\nMODEL:\tY\r\n\r\n", false, 5},
        {"end line in a comment", v5_head + "// ENDFIL\r\n", true, 5},
        {"end line with more on it", v5_head + "COMMENT_1:\tENDFIL\r\n", true, 5},
    };
    Error_Handler handler;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        string_list lines;
        lines.set_text(&handler, c.text.data(), c.text.size());
        EXPECT_EQ(radio_text_end_warning(lines),
                  c.warned ? "no ENDFIL: the file may be cut short" : "");
        if (c.version == 5) {
            Radio_Record record;
            EXPECT_NO_THROW(read_raf_lines(record, lines, "cut.raf"));
        } else if (c.version == 4) {
            Radio4_Record record;
            EXPECT_NO_THROW(read_raf4_lines(record, lines, "cut.raf"));
        }
    }
}

TEST(Radio4Files, FileNamesAndCodes) {
    EXPECT_STREQ(V4_NAME_TOO_LONG, "Version 4 radio data file names cannot exceed 15 characters");
    EXPECT_TRUE(fits_v4_name("/data/radios/hm6l_16e1q_abcd.raf"));    // 15 characters
    EXPECT_FALSE(fits_v4_name("/data/radios/hm6l_16e1q_abcde.raf"));  // 16
    EXPECT_TRUE(fits_v4_name("/data/radios.v4/abcdefghijklmno"));
    EXPECT_EQ(radio4_file_code("/data/radios/hm6l.16e1.raf"), "hm6l.16e1");
    EXPECT_EQ(radio4_file_code("/data/x/abcdefghijklmnopq.mrs"), "abcdefghijklmno");
    EXPECT_EQ(radio4_file_code("plain"), "plain");
}

} // namespace
