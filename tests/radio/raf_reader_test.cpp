// Reading version 5 ASCII radio files: values, blocks, the older versions and every fault.
#include "radio_test_support.h"

#include <gtest/gtest.h>

#include <string>

using kelvor_test::crlf;
using kelvor_test::Fault;
using kelvor_test::v4_file;

namespace {

class RafReader : public testing::Test, public kelvor_test::Raf_Fixture {};

TEST_F(RafReader, ValuesCommentsAndEmptyFields) {
    ASSERT_TRUE(read(v4_file({
        "MANUFACTURER:\tAcme, Inc.",
        "MODEL:",
        "TX_STABILITY_PERCENT:\t0.001 // ten ppm",
        "FREQUENCY_RANGE:\t, 7.8",
        "RADIO_CAPACITY:\t16, E1",
        "TXDATA_RATE_MBS:\t34.368 Mbit/s",
        "RXDATA_RATE_MBS:\tn/a",
        "ALPHA_VALUES:\t30, , 10",
        "APPLICATION_TYPE:\t3",
        "SELECTIVE_FADING:\t258",
        "  RELEASE_DATE  :  2020  ",
        "TX_POWER_OPTIONS_DBM:\t23, 27",
        "RX_THRESHOLD_DBM:\t+85, -80, , ",
    })));
    const Radio_Spec& s = record.radio_spec;
    // A single text keeps its commas.
    EXPECT_STREQ(s.manufacturer, "Acme, Inc.");
    EXPECT_STREQ(s.model, "");
    EXPECT_EQ(s.tx_stability, 0.001);
    EXPECT_EQ(s.freq_low, NOT_SET);
    EXPECT_EQ(s.freq_high, 7.8);
    EXPECT_EQ(s.capacity_count, 16);
    EXPECT_STREQ(s.capacity_unit, "E1");
    EXPECT_EQ(s.tx_data_rate, 34.368);
    EXPECT_EQ(s.rx_data_rate, 0.0);
    EXPECT_EQ(s.alpha[0], 30);
    EXPECT_EQ(s.alpha[1], -1);
    EXPECT_EQ(s.alpha[2], 10);
    EXPECT_EQ(s.application_type, 2);
    EXPECT_EQ(s.selective_fading, 2); // low eight bits
    EXPECT_STREQ(s.release_date, "2020");
    EXPECT_EQ(s.tx_power_options[1], 27.0);
    EXPECT_EQ(s.tx_power_options[2], NOT_SET);
    EXPECT_EQ(s.tx_power_dbm, 23.0);
    EXPECT_NEAR(s.tx_power_watts, 0.19953, 1e-5);
    EXPECT_EQ(record.thresholds[0].threshold_dbm, -85.0);
    EXPECT_NEAR(record.thresholds[0].threshold_uv, 12.6, 0.05);
    EXPECT_EQ(record.thresholds[2].threshold_dbm, NOT_SET);
    EXPECT_EQ(record.thresholds[2].threshold_uv, NOT_SET);
}

TEST_F(RafReader, SingleLowerFrequencyAndLongTexts) {
    const std::string long_model = "MODEL:\t" + std::string(80, 'm');
    ASSERT_TRUE(read(v4_file({"FREQUENCY_RANGE:\t7.1", long_model.c_str()})));
    EXPECT_EQ(record.radio_spec.freq_low, 7.1);
    EXPECT_EQ(record.radio_spec.freq_high, NOT_SET);
    EXPECT_EQ(std::string(record.radio_spec.model), std::string(47, 'm'));
}

TEST_F(RafReader, LabelsBlankLinesAndCommentsAnywhere) {
    ASSERT_TRUE(read(crlf({
        "// made by hand",
        "",
        "   ",
        "QV50_ASCII_RADIO_SPEC_04",
        "Transmit data: anything",
        "// Receiver data",
        "NUM_ACU_CONFIG:\t2",
        "// first",
        "ACU_CNFG_01:\t Duplexer, 0, 1.20, , , , , ",
        "",
        "ACU_CNFG_02:\t Hybrid, 4, , 3.10",
        "TX_EMISSION:\t2",
        "// between points",
        "0.00, 0.00",
        "",
        "5.00, -30.00",
        "MODEL:\tM1",
        "ENDFIL",
        "MODEL:\tnever read",
        "NOT A KEYWORD LINE",
    })));
    EXPECT_STREQ(record.radio_spec.model, "M1");
    ASSERT_EQ(record.acu_table.count(), 2);
    EXPECT_STREQ(record.acu_table[0].Configuration, "Duplexer");
    EXPECT_EQ(record.acu_table[0].CRC, 1.2);
    EXPECT_EQ(record.acu_table[0].TXS, NOT_SET);
    EXPECT_EQ(record.acu_table[1].ANT, 4);
    EXPECT_EQ(record.acu_table[1].TXS, 3.1);
    ASSERT_EQ(record.curves.count(), 1);
    EXPECT_EQ(record.curves[0].point_count(), 2);
}

TEST_F(RafReader, FileWithoutIdentifierReadsNothing) {
    ASSERT_TRUE(read(crlf({"// only a comment", "", "ENDFIL", "MODEL:\tx"})));
    EXPECT_STREQ(record.radio_spec.model, "");
    ASSERT_TRUE(read(crlf({"// only a comment"})));
}

TEST_F(RafReader, FaultsCarryTheirLine) {
    Fault f = fault_of(crlf({"QV50_ASCII_RADIO_SPEC_05", "MODEL:\tx"}));
    EXPECT_EQ(f.line, 1);
    EXPECT_EQ(f.text, "QV50_ASCII_RADIO_SPEC_05");

    f = fault_of(crlf({"", "// c", "QV50_ASCII_RADIO_SPEC_04", "MODEL x", "ENDFIL"}));
    EXPECT_EQ(f.line, 4);
    EXPECT_EQ(f.text, "MODEL x");
    EXPECT_EQ(f.what, "line without a colon");

    // Keywords are compared exactly: lower case is unknown.
    f = fault_of(v4_file({"MODEL:\tM", "model:\tm"}));
    EXPECT_EQ(f.line, 3);
    EXPECT_EQ(f.what, "unknown keyword");
    EXPECT_STREQ(record.radio_spec.model, "M"); // what came before the fault stays

    const std::string long_line = "COMMENT_1:\t" + std::string(250, 'c');
    f = fault_of(v4_file({long_line.c_str()}));
    EXPECT_EQ(f.line, 2);
    EXPECT_EQ(f.text.size(), long_line.size());
}

TEST_F(RafReader, LineNumbersCountEmptyLinesWhateverTheLineEnds) {
    const struct {
        const char* text;
        int line;
    } cases[] = {
        {"QV50_ASCII_RADIO_SPEC_04\r\n\r\nBAD\r\n", 3},
        {"QV50_ASCII_RADIO_SPEC_04\r\rBAD\r", 3},
        {"QV50_ASCII_RADIO_SPEC_04\n\r\n\rBAD\n\r", 3},
        {"QV50_ASCII_RADIO_SPEC_04\n\nBAD\n", 3},
    };
    for (const auto& c : cases) {
        const Fault f = fault_of(c.text);
        EXPECT_EQ(f.line, c.line) << testing::PrintToString(std::string(c.text));
        EXPECT_EQ(f.text, "BAD");
    }
}

TEST_F(RafReader, CurveBlocks) {
    ASSERT_TRUE(read(v4_file({
        "tx_emission:\t3",
        "10.00, -40.00",
        "0.00, 0.00",
        "5.00, -20.00",
        "TtoI_Other:\t2, R1, , R2 // two radios",
        "0, 30",
        "20, 0",
        "TX_EMISSION_04:\t2, 64QAM, ignored",
        "0, 0",
        "1, -3",
        "IRF_Same:\t2, code",
        "0, 10",
        "1, 5",
        "RX_FILTER:\t0",
        "TtoI_CW:\t2, X1",
        "-1, 5",
        "1, 5",
    })));
    ASSERT_EQ(record.curves.count(), 5);
    const Radio_Curve& emission = record.curves[0];
    EXPECT_STREQ(emission.name, "TX_EMISSION");
    EXPECT_EQ(emission.points[0].offset, 0.0f);
    EXPECT_EQ(emission.points[2].offset, 10.0f);
    EXPECT_EQ(emission.x_max, 10.0f);
    EXPECT_EQ(emission.two_sided, 0);
    EXPECT_FLOAT_EQ(emission.points[1].linear, 0.01f);
    EXPECT_EQ(emission.power_integral, NOT_SET);

    EXPECT_STREQ(record.curves[1].name, "TtoI_Other - R1");
    EXPECT_EQ(record.curves[1].interfering_codes, (std::vector<std::string>{"R1", "R2"}));
    EXPECT_STREQ(record.curves[2].name, "TX_EMISSION_04 - 64QAM");
    EXPECT_EQ(record.curves[2].interfering_codes.size(), 2u);
    EXPECT_STREQ(record.curves[3].name, "IRF_Same");
    EXPECT_EQ(record.curves[3].interfering_codes, std::vector<std::string>{"code"});
    EXPECT_STREQ(record.curves[4].name, "TtoI_CW");
    EXPECT_TRUE(record.curves[4].interfering_codes.empty());
    EXPECT_EQ(record.curves[4].two_sided, 1);
}

TEST_F(RafReader, CurveBlockFaults) {
    Fault f = fault_of(v4_file({"TtoI_Other:\t2", "0, 1", "1, 0"}));
    EXPECT_EQ(f.line, 2);
    EXPECT_EQ(f.text, "TtoI_Other:\t2");
    // The curve stays, named by the stand-in code.
    ASSERT_EQ(record.curves.count(), 1);
    EXPECT_STREQ(record.curves[0].name, "TtoI_Other - Other radio code required");

    f = fault_of(v4_file({"TX_EMISSION:\t2", "0 0", "1, 0"}));
    EXPECT_EQ(f.line, 3);
    EXPECT_EQ(f.what, "point line without a comma");

    // Counts that the remaining lines cannot hold are refused at the header.
    f = fault_of(crlf({"QV50_ASCII_RADIO_SPEC_04", "TX_EMISSION:\t3", "0, 0", "1, 0"}));
    EXPECT_EQ(f.line, 2);
    f = fault_of(v4_file({"TX_EMISSION:\t2000000000", "0, 0"}));
    EXPECT_EQ(f.line, 2);
    f = fault_of(v4_file({"TX_EMISSION:\t-3", "0, 0"}));
    EXPECT_EQ(f.what, "negative count");
    // The file ends (ENDFIL) before all points.
    f = fault_of(v4_file({"TX_EMISSION:\t2", "0, 0", "// nothing", "// more"}));
    EXPECT_EQ(f.line, 2);
    EXPECT_EQ(f.what, "fewer point lines than the count");
    f = fault_of(v4_file({"TX_EMISSION:\t2", "0, 0", "1, 1e39"}));
    EXPECT_EQ(f.line, 4);
    EXPECT_EQ(f.what, "point value out of range");
    f = fault_of(v4_file({"NO_SUCH_CURVE:\t2", "0, 0", "1, 1"}));
    EXPECT_EQ(f.what, "unknown keyword");
}

TEST_F(RafReader, AdaptiveModulationBlock) {
    ASSERT_TRUE(read(v4_file({
        "NUM_ACM_STATES:\t2",
        "//ADMOD_A:\tMod, RSEC, RXthr10_6, step_up, step_dn, min_ctoi, thruput",
        "ADMOD_A02:\t QPSK, 2, -88.50, 1.00, 2.00, 12.00, 50 Mb/s",
        "ADMOD_A01:\t 256QAM_LONG_MODULATION, 6, -70.00",
        "ADMOD_B01:\t 40.00, 0.50, 6.30, 24.00, 12.00, 13.00, 0.10, 0.20, -20.00, 25.00, 99",
        "// a comment between rows",
        "ADMOD_B02:\t , , 6.30",
        "ADMOD_C01:\t 20, 0, 10, 21, 1, 11, 22, 2, 12, 23, 3, 13, 24, 4, 14",
        "ADMOD_C02:\t 30",
        "MODEL:\tafter",
    })));
    ASSERT_EQ(record.acm_table.count(), 2);
    const Acm_State& first = record.acm_table[0];
    // Rows are taken in file order, whatever their labels say.
    EXPECT_STREQ(first.Mod, "QPSK");
    EXPECT_STREQ(first.thruput, "50 Mb/s");
    EXPECT_EQ(first.step_dn, 2.0);
    EXPECT_EQ(first.dispfm10_6, 40.0);
    EXPECT_EQ(first.XPIF, 25.0);
    EXPECT_EQ(first.TXmax[4], 24.0);
    EXPECT_EQ(first.ATPC_top[4], 14.0);
    const Acm_State& second = record.acm_table[1];
    EXPECT_STREQ(second.Mod, "256QAM_LONG_MOD"); // at most 15 characters
    EXPECT_EQ(second.step_up, NOT_SET);
    EXPECT_EQ(second.dispfm10_6, NOT_SET);
    EXPECT_EQ(second.sig_delay, 6.3);
    EXPECT_EQ(second.TXmax[0], 30.0);
    EXPECT_EQ(second.TXmin[0], NOT_SET);
    EXPECT_STREQ(record.radio_spec.model, "after");
}

TEST_F(RafReader, BlockRowsEndAtEndfil) {
    ASSERT_TRUE(read(crlf({"QV50_ASCII_RADIO_SPEC_04", "NUM_ACM_STATES:\t1",
                           "ADMOD_A01:\t QPSK, 2, -88.00", "ENDFIL", "ADMOD_B01:\t 1",
                           "ADMOD_C01:\t 2"})));
    ASSERT_EQ(record.acm_table.count(), 1);
    EXPECT_STREQ(record.acm_table[0].Mod, "QPSK");
    EXPECT_EQ(record.acm_table[0].dispfm10_6, NOT_SET);

    Fault f = fault_of(v4_file({"NUM_ACU_CONFIG:\t1", "no colon here"}));
    EXPECT_EQ(f.line, 3);
    f = fault_of(v4_file({"NUM_ACM_STATES:\t2", "A:1", "A:2", "B:1"}));
    EXPECT_EQ(f.line, 2);
    EXPECT_EQ(f.what, "count larger than the lines that follow");
}

TEST_F(RafReader, ZeroCountsReadNoRows) {
    ASSERT_TRUE(read(v4_file({"NUM_ACM_STATES:\t0", "NUM_ACU_CONFIG:", "MODEL:\tm"})));
    EXPECT_TRUE(record.acm_table.empty());
    EXPECT_STREQ(record.radio_spec.model, "m");
}

TEST_F(RafReader, OlderVersionsReadFourPowerOptions) {
    ASSERT_TRUE(read(crlf({
        "QV50_ASCII_RADIO_SPEC_02",
        "TX_POWER_OPTIONS_NAME:\tA, B",
        "TX_POWER_OPTIONS_DBM:\t10, 11, 12, 13, 14",
        "ATPC_OPTIONS_DB:\t1, 2, 3, 4, 5",
        "TX_POWER_MIN_OPTIONS_DBM:\t1, 2, 3, 4, 5",
        "DATA_RATE_MBS:\t8.448",
        "BANDWIDTH_3DB_MHZ:\t3.5",
        "ATPC_TRIGGER_POINT_DBM:\t-50",
        "GAIN_WIDTH_DEPTH:\t1, 2, 3",
        "IF_COMB_GAIN:\t2.5",
        "LCOMB_FACTOR:\t9",
        "ADAPTMOD 1:\tlabel",
        "ENDFIL",
    })));
    const Radio_Spec& s = record.radio_spec;
    EXPECT_STREQ(s.tx_power_names[0], "");
    EXPECT_EQ(s.tx_power_options[3], 13.0);
    EXPECT_EQ(s.tx_power_options[4], NOT_SET);
    EXPECT_EQ(s.atpc_options[4], NOT_SET);
    EXPECT_EQ(s.tx_power_min_options[4], 5.0);
    EXPECT_EQ(s.tx_data_rate, 8.448);
    EXPECT_EQ(s.rx_data_rate, 8.448);
    EXPECT_EQ(s.bandwidth_3db_rx, 3.5);
    EXPECT_EQ(s.required_rx_signal, -50.0);
    EXPECT_EQ(s.gain_width_depth[0], 2.5);
    EXPECT_EQ(s.gain_width_depth[1], NOT_SET);
    EXPECT_EQ(s.signature_depth_factor, NOT_SET);

    // The older versions have no count lines, and version 04 none of the old keywords.
    EXPECT_EQ(fault_of(crlf({"QV50_ASCII_RADIO_SPEC_03", "NUM_ACM_STATES:\t0"})).line, 2);
    EXPECT_EQ(fault_of(v4_file({"DATA_RATE_MBS:\t8"})).what, "unknown keyword");
}

TEST_F(RafReader, OlderStatesAndConfigurations) {
    ASSERT_TRUE(read(crlf({
        "QV50_ASCII_RADIO_SPEC_03",
        "TX_POWER_OPTIONS_NAME:\tLow, High",
        "ADMOD_1:\tQPSK, 2, -90, 1, 2, 14, 34 Mb/s",
        "ADMOD_1A:\t40, 6.3, , 12, 13, -20, 25",
        "ADMOD_2:\t16QAM, 4, -85",
        "ADMOD_3:\t64QAM, 6, ",
        "ADMOD_10:\t256QAM, 8, -70",
        "ADMOD_1B:\t20, 0, 10, 21",
        "x:\t30",
        "// comments do not count",
        "x:\t40",
        "x:", "x:", "x:", "x:", "x:", "x:",
        "x:\t50",
        "ACU_CONFIG_2:\tBranching, 3, 1.5, , 0.8",
        "ACU_CONFIG_5:\tDuplexer, 0, 1.1",
        "ENDFIL",
    })));
    EXPECT_STREQ(record.radio_spec.tx_power_names[1], "High");
    // Entries without a modulation or a 10-6 threshold do not become states.
    ASSERT_EQ(record.acm_table.count(), 3);
    const Acm_State& first = record.acm_table[0];
    EXPECT_STREQ(first.Mod, "QPSK");
    EXPECT_STREQ(first.thruput, "34 Mb/s");
    EXPECT_EQ(first.step_dn, 2.0);
    EXPECT_EQ(first.dispfm10_6, 40.0);
    EXPECT_EQ(first.sig_width, NOT_SET); // an empty field left the fresh value
    EXPECT_EQ(first.XPIF, 25.0);
    EXPECT_EQ(first.TXmax[0], 20.0);
    EXPECT_EQ(first.TXmax[1], 21.0);
    EXPECT_EQ(first.dispfm_step, NOT_SET);
    EXPECT_EQ(record.acm_table[1].TXmax[0], 30.0);
    EXPECT_STREQ(record.acm_table[2].Mod, "256QAM");
    EXPECT_EQ(record.acm_table[2].TXmax[0], 50.0);

    ASSERT_EQ(record.acu_table.count(), 2);
    EXPECT_STREQ(record.acu_table[0].Configuration, "Branching");
    EXPECT_EQ(record.acu_table[0].ANT, 3);
    EXPECT_EQ(record.acu_table[0].CRC, 1.5);
    EXPECT_EQ(record.acu_table[0].TXS, NOT_SET);
    EXPECT_EQ(record.acu_table[0].TXF, 0.8);
    EXPECT_STREQ(record.acu_table[1].Configuration, "Duplexer");
}

TEST_F(RafReader, VersionOneStatesAndConfigurations) {
    ASSERT_TRUE(read(crlf({
        "QV50_ASCII_RADIO_SPEC_01",
        "ADMOD_1:\tQPSK, 27, -90, 14, 34",
        "ADMOD_1A:\t40, 6.3, 20, 12, 13, -20, 25",
        "ACU_CONFIG_1:\tDuplexer, 1.1, 1.2, 1.3, 1.4, 1.5, 1.6",
    })));
    ASSERT_EQ(record.acm_table.count(), 1);
    EXPECT_EQ(record.acm_table[0].TXmax[0], 27.0);
    EXPECT_EQ(record.acm_table[0].min_ctoi, 14.0);
    EXPECT_STREQ(record.acm_table[0].thruput, "34");
    EXPECT_EQ(record.acm_table[0].XPIF, NOT_SET); // version 03 only
    ASSERT_EQ(record.acu_table.count(), 1);
    EXPECT_EQ(record.acu_table[0].ANT, 0);
    EXPECT_EQ(record.acu_table[0].CRC, 1.1);
    EXPECT_EQ(record.acu_table[0].DRC, 1.6);
}

TEST_F(RafReader, FileErrorsRaiseTheHandler) {
    EXPECT_THROW(read_raf_file(record, dir.file("missing.raf").c_str(), &handler), Error_Handler*);
    const std::string binary = dir.write("b.raf", std::string("QV50\x01\x02", 6));
    EXPECT_THROW(read_raf_file(record, binary.c_str(), &handler), Error_Handler*);
    EXPECT_EQ(handler.get_error_code(), 342);
}

} // namespace
