// The version 4 ASCII radio file: every kind of value, the curve blocks, the faults and the writer.
#include "radio4_format.h"
#include "radio4_json.h"
#include "radio4_record.h"
#include "radio4_test_support.h"
#include "string_list.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

using kelvor_test::Raf4_Fault;
using kelvor_test::raf4_file;
using kelvor_test::read_bytes;

namespace {

class Raf4 : public testing::Test, public kelvor_test::Radio4_Fixture {
protected:
    std::string written() const { return raf4_text(record); }
    // The written line of `keyword`.
    std::string written_line(const std::string& keyword) const {
        const std::string text = written();
        const std::size_t start = text.find("\r\n" + keyword + "\t");
        if (start == std::string::npos) {
            return "(missing)";
        }
        const std::size_t end = text.find("\r\n", start + 2);
        return text.substr(start + 2, end - start - 2);
    }
};

TEST_F(Raf4, TextsNumbersCommentsAndPrefixes) {
    ASSERT_TRUE(read_raf4(raf4_file({
        "MANUFACT\tNordvik Radio Systems AB, Gothenburg Sweden",
        "MODEL       HX-18 // a comment after the value",
        "COMMENT_6\tlast comment",
        "RADIO_ID\t",
        "EMDESIG 28M0D7W",
        "modulation\t128QAM",
        "TXPOWER_DBM\t27.5 dBm",
        "FREQ_LO_MHZ\tabc",
        "SPECTRMBW_MHZ_EXTRA\t25.4",
        "  ATPC_RANGE\t 20",
        "// a comment line",
        "",
        "RESIDUAL_BER\t1E-12",
    })));
    const Radio4_Spec& s = record.radio_spec;
    EXPECT_STREQ(s.manufact, "Nordvik Radio Systems AB, Gothe"); // 31 characters
    EXPECT_STREQ(s.model, "HX-18");
    EXPECT_STREQ(s.comment[5], "last comment");
    EXPECT_STREQ(s.radio_id, "");
    EXPECT_STREQ(s.emdesig, "28M0D7W");
    EXPECT_STREQ(s.modulation, "128QAM"); // keywords ignore case
    EXPECT_EQ(double(s.txpower_dbm), 27.5);
    EXPECT_EQ(double(s.freq_lo_mhz), 0.0);
    EXPECT_EQ(double(s.spectrmbw_mhz), 25.4); // a keyword matches the beginning of the line's keyword
    EXPECT_EQ(double(s.atpc_range), 20.0);
    EXPECT_EQ(double(s.residual_ber), 1e-12);
    EXPECT_EQ(double(s.freq_hi_mhz), NOT_SET);
}

TEST_F(Raf4, DataRateMayBeAProduct) {
    ASSERT_TRUE(read_raf4(raf4_file({"DATA_RATE\t4x2.048"})));
    EXPECT_DOUBLE_EQ(double(record.radio_spec.data_rate), 8.192);
    ASSERT_TRUE(read_raf4(raf4_file({"DATA_RATE\t16 X 2.048 Mb/s"})));
    EXPECT_DOUBLE_EQ(double(record.radio_spec.data_rate), 32.768);
    ASSERT_TRUE(read_raf4(raf4_file({"DATA_RATE\t155.52"})));
    EXPECT_EQ(double(record.radio_spec.data_rate), 155.52);
    ASSERT_TRUE(read_raf4(raf4_file({"DATA_RATE\t34x"})));
    EXPECT_EQ(double(record.radio_spec.data_rate), NOT_SET);
}

TEST_F(Raf4, StabilityInPercentOrPartsPerMillion) {
    ASSERT_TRUE(read_raf4(raf4_file({"STABILITY_PPM\t20"})));
    EXPECT_DOUBLE_EQ(double(record.radio_spec.stability_prc), 0.002);
    // A percentage given first wins over the parts per million after it; given later, it
    // replaces them.
    ASSERT_TRUE(read_raf4(raf4_file({"STABILITY_PRC\t0.001", "STABILITY_PPM\t20"})));
    EXPECT_EQ(double(record.radio_spec.stability_prc), 0.001);
    ASSERT_TRUE(read_raf4(raf4_file({"STABILITY_PPM\t20", "STABILITY_PRC\t0.005"})));
    EXPECT_EQ(double(record.radio_spec.stability_prc), 0.005);
    EXPECT_EQ(written_line("STABILITY_PRC"), "STABILITY_PRC\t0.005");
    EXPECT_EQ(written_line("STABILITY_PPM"), "STABILITY_PPM\t50.00");
}

TEST_F(Raf4, FlagKeywords) {
    // The written words of the flags are shown by the examples below, all but a NO signature.
    ASSERT_TRUE(read_raf4(raf4_file({})));
    EXPECT_EQ(record.radio_spec.flags, RADIO4_PDH);
    EXPECT_EQ(written_line("USE_SIGNATURE"), "USE_SIGNATURE\tNO");

    ASSERT_TRUE(read_raf4(raf4_file({"DIGRADIO_TYPE\tSDH", "SD_OPERATION\tIFC",
                                     "COCHANNEL_OPERATION\tYES", "USE_SIGNATURE\tYES please"})));
    EXPECT_EQ(record.radio_spec.flags, RADIO4_SDH | RADIO4_IF_COMBINER | RADIO4_COCHANNEL |
                                     RADIO4_USE_SIGNATURE);

    // A narrow-band radio stays one: its type replaces the PDH of a new record.
    ASSERT_TRUE(read_raf4(raf4_file({"DIGRADIO_TYPE\tNB_DIGITAL"})));
    EXPECT_EQ(record.radio_spec.flags, RADIO4_NB_DIGITAL);
    EXPECT_EQ(written_line("DIGRADIO_TYPE"), "DIGRADIO_TYPE\tNB_DIGITAL");

    // The words are compared with their case; what names no type leaves the type as it was.
    ASSERT_TRUE(read_raf4(raf4_file({"DIGRADIO_TYPE\tsdh", "SD_OPERATION\tifc",
                                     "COCHANNEL_OPERATION\tyes", "USE_SIGNATURE\tNO"})));
    EXPECT_EQ(record.radio_spec.flags, RADIO4_PDH);
}

// The examples below show how numbers are written; here what they do not hold.
TEST_F(Raf4, StepCountIsWrittenAsAWholeNumberAndZeroAsANumber) {
    ASSERT_TRUE(read_raf4(raf4_file({"NUM_ATPCSTEPS\t0", "TXPOWER_DBM\t0"})));
    EXPECT_EQ(double(record.radio_spec.num_atpcsteps), 0.0);
    EXPECT_EQ(written_line("NUM_ATPCSTEPS"), "NUM_ATPCSTEPS\t");
    EXPECT_EQ(written_line("TXPOWER_DBM"), "TXPOWER_DBM\t0.00");
    for (const auto& [steps, text] : std::vector<std::pair<double, std::string>>{
             {-1.0, ""}, {222.0, ""}, {NOT_SET, ""}, {7.9, "7"}, {-3.0, "-3"}}) {
        record.radio_spec.num_atpcsteps = steps;
        EXPECT_EQ(written_line("NUM_ATPCSTEPS"), "NUM_ATPCSTEPS\t" + text) << steps;
    }
}

TEST_F(Raf4, CurveBlocks) {
    ASSERT_TRUE(read_raf4(raf4_file({
        "TtoI_16E1_QPSK\t3",
        "14.00, 12.70",
        "// points may be separated by comments",
        "0.00  23.10",
        "-7.0,17.5",
        "IRF_16E1_QPSK\t2",
        "0 0",
        "20 14.5",
        "TtoI_CW 2",
        "0 21.5",
        "10 12",
        "TX_EMISSION\t1",
        "0 0",
        "RX_FILTER\t0",
        "TX_EMISSION_MASK\t2",
        "-5 -80",
        "5 -80",
        "Rx_Selectivity_Calc\t2",
        "-5 -80",
        "5 -80",
        "MODEL\tafter the curves",
    })));
    EXPECT_EQ(curve_names(), (std::vector<std::string>{"TtoI_16E1-QPSK", "IRF_16E1-QPSK",
                                                        "TtoI_CW", "TX_EMISSION"}));
    EXPECT_EQ(record.radio_spec.curve_count, 4);
    EXPECT_STREQ(record.radio_spec.model, "after the curves");

    const Radio4_Curve& ttoi = record.curves.front();
    ASSERT_EQ(ttoi.point_count(), 3);
    EXPECT_EQ(ttoi.points[0].offset, -7.0f);
    EXPECT_EQ(ttoi.points[1].db, 23.1f);
    EXPECT_EQ(ttoi.points[2].offset, 14.0f);
    EXPECT_FLOAT_EQ(ttoi.points[2].linear, static_cast<float>(std::pow(10.0, 1.27)));
    EXPECT_EQ(ttoi.x_min, -7.0f);
    EXPECT_EQ(ttoi.x_max, 14.0f);
    EXPECT_EQ(ttoi.two_sided, 1);
    EXPECT_EQ(record.curves.back().point_count(), 1);
    EXPECT_EQ(record.curves.back().two_sided, 0);

    const std::string text = written();
    EXPECT_NE(text.find("\r\nTtoI_16E1-QPSK\t3\r\n-7.00 17.50\r\n0.00 23.10\r\n14.00 12.70\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\r\nTX_EMISSION\t1\r\n0.00 0.00\r\nENDFIL\r\n"), std::string::npos);
}

TEST_F(Raf4, TrafficCodesAreRenamedOnce) {
    // Traffic codes written with an underscore get their hyphen; codes of other radios, which
    // name no modulation after their first underscore, stay as they are.
    ASSERT_TRUE(read_raf4(raf4_file({"MODULATION\tC4FM", "TtoI_STM1_128QAM_HP\t2", "0 30",
                                     "10 20", "IRF_E1-QPSK_X\t2", "0 0", "10 20",
                                     "TtoI_NL90_18G_14M\t2", "0 1", "10 2", "IRF_TETRA_1\t2",
                                     "0 1", "10 2", "TtoI_12K5_c4fm\t2", "0 1", "10 2"})));
    const std::vector<std::string> names = {"TtoI_STM1-128QAM_HP", "IRF_E1-QPSK_X",
                                            "TtoI_NL90_18G_14M", "IRF_TETRA_1", "TtoI_12K5-c4fm"};
    EXPECT_EQ(curve_names(), names);
    // Read again, the names stay.
    ASSERT_TRUE(read_raf4(written()));
    EXPECT_EQ(curve_names(), names);
}

TEST_F(Raf4, LongCapacityIsCutAndItsCurvesFollow) {
    ASSERT_TRUE(read_raf4(raf4_file({
        "MODULATION\t128QAM",
        "CAPACITY\tSTM1+2E1",
        "TtoI_STM1+2E1_128QAM\t2",
        "0 30",
        "10 20",
        "IRF_stm1+2e1-128qam\t2",
        "0 0",
        "10 20",
        "TtoI_8E1-QPSK\t2",
        "0 22",
        "10 10",
    })));
    EXPECT_STREQ(record.radio_spec.capacity, "STM1+2E");
    EXPECT_EQ(curve_names(),
              (std::vector<std::string>{"TtoI_STM1+2E-128QAM", "IRF_STM1+2E-128QAM", "TtoI_8E1-QPSK"}));
}

TEST_F(Raf4, Faults) {
    const std::string fewer = "fewer point lines than the count";
    const std::string no_pair = "point line without two numbers";
    const struct {
        std::string text;
        int line;
        std::string line_text; // "": not checked
        std::string what;
    } cases[] = {
        {"\r\n// made by hand\r\nQV50_ASCII_RADIO_SPEC_04\r\nMODEL\tx\r\n", 3,
         "QV50_ASCII_RADIO_SPEC_04", "unknown file identifier"},
        {"// nothing but a comment\r\n", 1, "", "no version 4 radio file identifier"},
        {raf4_file({"MODEL\tM", "MODELL_X\tN", "NOT_A_KEYWORD\t5"}), 4, "NOT_A_KEYWORD\t5",
         "unknown keyword"},
        {raf4_file({"TtoI_CW\t3", "0 20", "// comment", "10 10"}), 2, "", fewer},
        {"QVW40_RADIOSPEC\r\nTX_EMISSION\t2\r\n0 0\r\n", 2, "", fewer},
        {raf4_file({"TtoI_CW\t2", "0 20", "MODEL\tM"}), 4, "MODEL\tM", no_pair},
        {raf4_file({"TtoI_CW\t2", "0", "10 10"}), 3, "", no_pair},
        {raf4_file({"TtoI_CW\t2", "0 20", "1e39 10"}), 4, "", "point value out of range"},
        // A count far beyond the file is refused before anything is made for it.
        {raf4_file({"TX_EMISSION\t2000000000", "0 0"}), 2, "", fewer},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const Raf4_Fault f = fault_of(c.text);
        EXPECT_EQ(f.line, c.line);
        EXPECT_EQ(f.what, c.what);
        if (!c.line_text.empty()) {
            EXPECT_EQ(f.text, c.line_text);
        }
    }
    // Read up to the faulty line.
    fault_of(raf4_file({"MODEL\tM", "MODELL_X\tN", "NOT_A_KEYWORD\t5"}));
    EXPECT_STREQ(record.radio_spec.model, "N");
}

TEST_F(Raf4, ReadingStopsAtEndfilAndResetsFirst) {
    record.radio_spec.xpif = 3.0;
    ASSERT_TRUE(read_raf4(raf4_file({"MODEL\tM1"}) + "MODEL\tnever read\r\nrubbish\r\n"));
    EXPECT_STREQ(record.radio_spec.model, "M1");
    EXPECT_EQ(double(record.radio_spec.xpif), NOT_SET);
    // The binary identifier on the first line is accepted too.
    ASSERT_TRUE(read_raf4("QVW401RADIOSPEC\r\nMODEL\tM2\r\n"));
    EXPECT_STREQ(record.radio_spec.model, "M2");
}

TEST_F(Raf4, SignatureKeywordsReachTheirSets) {
    ASSERT_TRUE(read_raf4(raf4_file({
        "SIGNATURE_DELAY_10-3\t6.3", "SIGNATURE_NONMINPH_10-6\t14.5", "SIGNATURE_WIDTH_RBER\t20",
        "SIGNATURE_MINPH_SES\t11", "DISPFM_SES\t40", "DISPFM_RBER\t38", "RXTHRESH_SES_BER\t-78",
    })));
    const Radio4_Spec& s = record.radio_spec;
    EXPECT_EQ(double(s.signature_10_3.delay), 6.3);
    EXPECT_EQ(double(s.signature_10_6.nonminph), 14.5);
    EXPECT_EQ(double(s.signature_rber.width), 20.0);
    EXPECT_EQ(double(s.signature_ses.minph), 11.0);
    EXPECT_EQ(double(s.dispfm_ses), 40.0);
    EXPECT_EQ(double(s.dispfm_rber), 38.0);
    EXPECT_EQ(double(s.rxthresh_ses_ber), -78.0);
}

TEST_F(Raf4, EveryValueReadsBackAsWritten) {
    for (int i = 0; i < RAF4_KEYWORD_COUNT; ++i) {
        EXPECT_EQ(find_raf4_keyword(raf4_keyword(i).keyword), i);
        EXPECT_EQ(match_raf4_line(raf4_keyword(i).keyword), i);
    }
    // Every field a distinct value, including ones two decimals would not hold.
    record.reset();
    char* bytes = reinterpret_cast<char*>(&record.radio_spec);
    for (int i = 0; i < RAF4_KEYWORD_COUNT; ++i) {
        const Raf4_Keyword& entry = raf4_keyword(i);
        if (entry.value == Raf4_Value::text) {
            const std::string text = "T" + std::to_string(i);
            std::memcpy(bytes + entry.offset, text.c_str(), text.size() + 1);
        } else if (entry.value == Raf4_Value::number || entry.value == Raf4_Value::data_rate) {
            const std::string digits = std::to_string(i);
            const std::string text = i % 3 == 0   ? "-" + digits + ".0125"
                                     : i % 3 == 1 ? digits + ".5"
                                                  : "0.000" + digits + "5";
            const double value = text_to_double(text.c_str());
            std::memcpy(bytes + entry.offset, &value, sizeof value);
        }
    }
    record.radio_spec.num_atpcsteps = 12;
    record.radio_spec.flags = RADIO4_SDH | RADIO4_COCHANNEL;
    Radio4_Curve& curve = record.append_curve();
    curve.set_name("RX_SELECTIVITY");
    const double pairs[] = {-12.5, -60.0, -0.0125, -0.001, 0.0125, -0.5, 12.5, -60.0};
    set_curve_points(curve, 4, pairs);
    const auto before = radio4_to_json(record);
    const std::string text = written();
    ASSERT_TRUE(read_raf4(text));
    EXPECT_EQ(radio4_to_json(record), before);
    EXPECT_EQ(written(), text);
}

TEST_F(Raf4, WriterRefusesNamesTheReaderCouldNotReadBack) {
    const std::string path = dir.write("kept.raf", "old contents");
    Radio4_Curve& curve = record.append_curve();
    for (const char* name : {"TtoI_Other - R1", "MY_CURVE", "", "TtoI_COCHAN_CW"}) {
        curve.set_name(name);
        ASSERT_THROW(write_raf4_file(record, path.c_str(), &handler), Error_Handler*) << name;
        EXPECT_EQ(handler.get_error_code(), 101);
        EXPECT_EQ(info(), std::string("The curve name \"") + name +
                              "\" cannot be read back from a version 4 ASCII radio file");
        EXPECT_EQ(read_bytes(path), "old contents");
    }
    // The message shows the file's single-byte text as UTF-8.
    curve.set_name("MY_CURV\xC9");
    ASSERT_THROW(write_raf4_file(record, path.c_str(), &handler), Error_Handler*);
    EXPECT_EQ(info(), "The curve name \"MY_CURV\xC3\x89\" cannot be read back from a version 4 "
                      "ASCII radio file");
    curve.set_name("tx_filter");
    std::strcpy(record.radio_spec.model, "HX-18\r\nTXPOWER_DBM\t99");
    ASSERT_THROW(write_raf4_file(record, path.c_str(), &handler), Error_Handler*);
    const std::string text_refused = " holds a line break or a control character and cannot be "
                                     "written to a version 4 ASCII radio file";
    EXPECT_EQ(info(), "The text of MODEL" + text_refused);
    EXPECT_EQ(read_bytes(path), "old contents");
    std::strcpy(record.radio_spec.model, "HX-18");
    std::strcpy(record.radio_spec.comment[2], "bell \a");
    ASSERT_THROW(write_raf4_file(record, path.c_str(), &handler), Error_Handler*);
    EXPECT_EQ(info(), "The text of COMMENT_3" + text_refused);
    record.radio_spec.comment[2][0] = '\0';
    std::strcpy(record.radio_spec.model, "HX-18\t18 GHz\r");
    const double pairs[] = {0, 0, 1, -3};
    set_curve_points(curve, 2, pairs);
    write_raf4_file(record, path.c_str(), &handler);
    EXPECT_EQ(read_bytes(path), written());
    EXPECT_EQ(dir.entries().size(), 1u); // no temporary file left beside it
}

TEST(Raf4Names, WhichCurveNamesReadBack) {
    EXPECT_TRUE(raf4_curve_name_writable("TtoI_16E1-QPSK"));
    EXPECT_TRUE(raf4_curve_name_writable("rx_selectivity"));
    EXPECT_TRUE(raf4_curve_name_writable("TtoI_A\rB")); // the reader splits at blanks and tabs only
    EXPECT_FALSE(raf4_curve_name_writable("TtoI_A\tB"));
    EXPECT_FALSE(raf4_curve_name_writable("TtoI_A\nB"));
    EXPECT_FALSE(raf4_curve_name_writable("TtoI_A\x01"));
    EXPECT_FALSE(raf4_curve_name_writable("TtoI_COCHAN_LIKE_X"));
    EXPECT_FALSE(raf4_curve_name_writable("TX_FILTE"));
}

// The examples hold the written form of numbers (two decimals, the three of a data rate, exponents,
// empty values) and of the flag words, byte for byte.
TEST_F(Raf4, ExamplesReadAndWriteBackUnchanged) {
    int examples = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(KELVOR_EXAMPLES_DIR) + "/radio")) {
        const std::string original = read_bytes(entry.path().string());
        if (entry.path().extension() != ".raf" || original.rfind("QVW40_RADIOSPEC", 0) != 0) {
            continue;
        }
        ++examples;
        ASSERT_TRUE(read_raf4(original)) << entry.path() << " line " << fault.line;
        EXPECT_EQ(written(), original) << entry.path();
        EXPECT_GE(record.curves.count(), 3) << entry.path();
    }
    EXPECT_GE(examples, 1);
}

} // namespace
