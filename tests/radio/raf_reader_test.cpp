// Reading version 5 ASCII radio files: values, blocks, the older versions and every fault.
#include "radio_json.h"
#include "radio_test_support.h"

#include <gtest/gtest.h>

#include <string>

using kelvor_test::crlf;
using kelvor_test::Fault;
using kelvor_test::v4_file;

namespace {

class RafReader : public testing::Test, public kelvor_test::Raf_Fixture {};

// The lines of each case read into a reset record, and the fields they set as the dump names
// them (by JSON pointer).
TEST_F(RafReader, RowValues) {
    const std::string long_model = "MODEL:\t" + std::string(80, 'm');
    const std::string cut_model = R"({"/model": ")" + std::string(47, 'm') + "\"}";
    const struct {
        std::string lines;
        std::string fields;
    } cases[] = {
        // A single text keeps its commas and is cut to its field.
        {"MANUFACTURER:\tAcme, Inc.", R"({"/manufacturer": "Acme, Inc."})"},
        {"MODEL:", R"({"/model": ""})"},
        {long_model, cut_model},
        {"  RELEASE_DATE  :  2020  ", R"({"/release_date": "2020"})"},
        // A single number is the value's leading number, after the comment is cut.
        {"TX_STABILITY_PERCENT:\t0.001 // ten ppm", R"({"/tx_stability": 0.001})"},
        {"TXDATA_RATE_MBS:\t34.368 Mbit/s", R"({"/tx_data_rate": 34.368})"},
        {"RXDATA_RATE_MBS:\tn/a", R"({"/rx_data_rate": 0.0})"},
        // Codes keep the low eight bits; the application type is 1-based in the file.
        {"APPLICATION_TYPE:\t3", R"({"/application_type": 2})"},
        {"SELECTIVE_FADING:\t258", R"({"/selective_fading": 2})"},
        // In a list an empty field is no value, and missing fields leave theirs.
        {"FREQUENCY_RANGE:\t, 7.8", R"({"/freq_low": null, "/freq_high": 7.8})"},
        {"FREQUENCY_RANGE:\t7.1", R"({"/freq_low": 7.1, "/freq_high": null})"},
        {"RADIO_CAPACITY:\t, E1", R"({"/capacity_count": null, "/capacity_unit": "E1"})"},
        {"ALPHA_VALUES:\t30, , 10", R"({"/alpha": [30, null, 10]})"},
        {"GAIN_WIDTH_DEPTH:\t1, , 3",
         R"({"/gain_width_depth": [1, null], "/signature_depth_factor": 3})"},
        {"T-R_FREQ_SEP_2ANT_XPOL:\t8", R"({"/freq_separations/7": 8})"},
        {"COMMENT_6:\tlast", R"({"/comments/5": "last"})"},
        {"RX_THRESHOLD_DBM:\t+85, -80, , ",
         R"({"/rx_thresholds/0/threshold_dbm": -85, "/rx_thresholds/2/threshold_uv": null})"},
        // An empty field leaves a text, but empties a power option's name.
        {"RX_THRESHOLD_DESCRIPTION:\tA\r\nRX_THRESHOLD_DESCRIPTION:\t, B",
         R"({"/rx_thresholds/0/description": "A"})"},
        {"TX_POWER_OPTIONS_NAME:\tA\r\nTX_POWER_OPTIONS_NAME:\t, B",
         R"({"/tx_power_names": ["", "B", "", "", ""]})"},
        // The power in dBm and watts follows the first option, also when it has none.
        {"TX_POWER_OPTIONS_DBM:\t30, 27",
         R"({"/tx_power_options": [30, 27, null, null, null], "/tx_power_watts": 1.0})"},
        {"TX_POWER_OPTIONS_DBM:\t30\r\nTX_POWER_OPTIONS_DBM:\t, 27", R"({"/tx_power_dbm": null})"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        ASSERT_TRUE(read(v4_file({c.lines.c_str()})));
        const auto dump = radio_to_json(record);
        const auto fields = nlohmann::ordered_json::parse(c.fields);
        for (const auto& [field, value] : fields.items()) {
            EXPECT_EQ(dump.at(nlohmann::ordered_json::json_pointer(field)), value) << field;
        }
    }
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
    const std::string long_line = "COMMENT_1:\t" + std::string(250, 'c');
    const struct {
        std::string text;
        int line;
        const char* what;
        std::string line_text = {}; // checked when given
    } cases[] = {
        {crlf({"QV50_ASCII_RADIO_SPEC_05", "MODEL:\tx"}), 1, "unknown file identifier"},
        {crlf({"", "// c", "QV50_ASCII_RADIO_SPEC_04", "MODEL x", "ENDFIL"}), 4,
         "line without a colon"},
        // Keywords are compared exactly: lower case is unknown.
        {v4_file({"MODEL:\tM", "model:\tm"}), 3, "unknown keyword", "model:\tm"},
        {v4_file({long_line.c_str()}), 2, "line longer than 255 characters", long_line},
        // Empty lines count, whatever the line ends.
        {"QV50_ASCII_RADIO_SPEC_04\r\n\r\nBAD\r\n", 3, "line without a colon", "BAD"},
        {"QV50_ASCII_RADIO_SPEC_04\r\rBAD\r", 3, "line without a colon", "BAD"},
        {"QV50_ASCII_RADIO_SPEC_04\n\r\n\rBAD\n\r", 3, "line without a colon", "BAD"},
        {"QV50_ASCII_RADIO_SPEC_04\n\nBAD\n", 3, "line without a colon", "BAD"},
        // The older versions have no count lines, and version 04 none of the old keywords.
        {crlf({"QV50_ASCII_RADIO_SPEC_03", "NUM_ACM_STATES:\t0"}), 2, "unknown keyword"},
        {v4_file({"DATA_RATE_MBS:\t8"}), 2, "unknown keyword"},
        {v4_file({"NUM_ACU_CONFIG:\t1", "no colon here"}), 3, "row without a colon"},
        // Counts that the remaining lines cannot hold are refused at the count line.
        {v4_file({"NUM_ACM_STATES:\t2", "A:1", "A:2", "B:1"}), 2,
         "count larger than the lines that follow"},
        {crlf({"QV50_ASCII_RADIO_SPEC_04", "TX_EMISSION:\t3", "0, 0", "1, 0"}), 2,
         "count larger than the lines that follow"},
        {v4_file({"TX_EMISSION:\t2000000000", "0, 0"}), 2,
         "count larger than the lines that follow"},
        {v4_file({"TX_EMISSION:\t-3", "0, 0"}), 2, "negative count"},
        // ENDFIL before all points.
        {v4_file({"TX_EMISSION:\t2", "0, 0", "// nothing", "// more"}), 2,
         "fewer point lines than the count"},
        {v4_file({"TX_EMISSION:\t2", "0 0", "1, 0"}), 3, "point line without a comma"},
        {v4_file({"TX_EMISSION:\t2", "0, 0", "1, 1e39"}), 4, "point value out of range"},
        {v4_file({"NO_SUCH_CURVE:\t2", "0, 0", "1, 1"}), 2, "unknown keyword"},
        {v4_file({"TtoI_Other:\t2", "0, 1", "1, 0"}), 2,
         "curve against other radios without a radio code"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const Fault f = fault_of(c.text);
        EXPECT_EQ(f.line, c.line);
        EXPECT_EQ(f.what, c.what);
        if (!c.line_text.empty()) {
            EXPECT_EQ(f.text, c.line_text);
        }
    }

    // What came before the fault stays.
    fault_of(v4_file({"MODEL:\tM", "model:\tm"}));
    EXPECT_STREQ(record.radio_spec.model, "M");
    // A curve without its code stays, named by the stand-in code.
    fault_of(v4_file({"TtoI_Other:\t2", "0, 1", "1, 0"}));
    ASSERT_EQ(record.curves.count(), 1);
    EXPECT_STREQ(record.curves[0].name, "TtoI_Other - Other radio code required");
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

// The form's editor never takes more characters than a text field holds.
TEST(RafKeywords, TextWidthsFitTheirFields) {
    Radio_Record record;
    for (int row = 0; row < RAF_ROW_COUNT; ++row) {
        const Raf_Keyword& entry = raf_keyword(row);
        for (int i = 0; i < entry.cells && entry.input == RAF_TEXT_INPUT; ++i) {
            EXPECT_LE(static_cast<std::size_t>(entry.width), raf_cell(record, row, i).size)
                << entry.keyword;
        }
    }
}

TEST_F(RafReader, FileErrorsRaiseTheHandler) {
    EXPECT_THROW(read_raf_file(record, dir.file("missing.raf").c_str(), &handler), Error_Handler*);
    const std::string binary = dir.write("b.raf", std::string("QV50\x01\x02", 6));
    EXPECT_THROW(read_raf_file(record, binary.c_str(), &handler), Error_Handler*);
    EXPECT_EQ(handler.get_error_code(), 342);
}

} // namespace
