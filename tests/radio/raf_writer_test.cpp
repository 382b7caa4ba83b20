// Writing version 04 ASCII radio files, and reading them back.
#include "radio_json.h"
#include "raf_tables.h"
#include "radio_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using kelvor_test::read_bytes;
using kelvor_test::v4_file;

namespace {

std::string data_file(const std::string& name) { return std::string(KELVOR_TEST_DATA_DIR) + "/" + name; }

std::string examples_dir() { return KELVOR_EXAMPLES_DIR; }

class RafWriter : public testing::Test, public kelvor_test::Raf_Fixture {};

TEST(RafNumbers, FormatRules) {
    const struct {
        double value;
        const char* text;
    } doubles[] = {
        {NOT_SET, ""}, {0.0, "0.00"}, {0.001, "1.00E-03"}, {-0.000001, "-1.00E-06"},
        {7.13, "7.13"}, {155.52, "155.52"}, {-85, "-85.00"},
        // More decimals only where two would change the value.
        {0.005, "0.005"}, {7.125, "7.125"}, {0.0125, "0.0125"}, {34.368, "34.368"},
        {0.00125, "1.25E-03"}, {0.0001234, "1.234E-04"}, {1.0 / 3.0, "0.3333333333"},
        {-2.5e50, "-2.50E+50"},
    };
    for (const auto& c : doubles) {
        EXPECT_EQ(raf_double(c.value), c.text) << c.value;
    }
    EXPECT_EQ(raf_point(12.7f), "12.70");
    EXPECT_EQ(raf_point(-0.004f), "-0.004");
    EXPECT_EQ(raf_point(0.00625f), "0.00625");
    for (const int none : {-1, 222, 0}) {
        EXPECT_EQ(raf_integer(none), "") << none;
    }
    EXPECT_EQ(raf_integer(19440), "19440");
}

TEST_F(RafWriter, ValuesSurviveTheRoundTrip) {
    record.reset();
    record.radio_spec.bits_block = 0;
    copy_text(record.radio_spec.comments[2], "100% tested, 5 % spare");
    const std::string text = written();
    EXPECT_NE(text.find("BITS_BLOCK:\t\r\n"), std::string::npos);
    EXPECT_NE(text.find("COMMENT_3:\t100% tested, 5 % spare\r\n"), std::string::npos);

    ASSERT_TRUE(read(text));
    EXPECT_EQ(record.radio_spec.bits_block, -1); // an empty value keeps the default
    EXPECT_STREQ(record.radio_spec.comments[2], "100% tested, 5 % spare");
}

TEST_F(RafWriter, TablesAfterTheirCountLines) {
    record.reset();
    record.acm_table.make(3);
    for (int n = 0; n < 3; ++n) {
        copy_text(record.acm_table[n].Mod, ("Q" + std::to_string(n)).c_str());
    }
    record.acm_table[0].RXthr10_6 = 0.001;
    record.acm_table[0].step_up = 0;
    record.acu_table.make(1);
    copy_text(record.acu_table[0].Configuration, "Duplexer");
    record.acu_table[0].ANT = ACU_TH;
    record.acu_table[0].RXF = 2.5;
    const std::string text = written();

    const std::string acm =
        "NUM_ACM_STATES:\t3\r\n"
        "//ADMOD_A:\tMod, RSEC, RXthr10_6, step_up, step_dn, min_ctoi, thruput\r\n"
        "ADMOD_A01:\t Q0, , 1.00E-03, 0.00, , , \r\n"
        "ADMOD_A02:\t Q1, , , , , , \r\n"
        "ADMOD_A03:\t Q2, , , , , , \r\n"
        "//ADMOD_B:\tdispfm10_6, dispfm_step, sig_delay, sig_width, sig_minph10_6, "
        "sig_nminph10_6, sig_minph_step, sig_nminph_step, max_rxsig, XPIF\r\n"
        "ADMOD_B01:\t , , , , , , , , , \r\n"
        "ADMOD_B02:\t , , , , , , , , , \r\n"
        "ADMOD_B03:\t , , , , , , , , , \r\n"
        "//ADMOD_C:\tTXmax, TXmin, ATPC_top, , , , , , , , , , , , \r\n"
        "ADMOD_C01:\t , , , , , , , , , , , , , , \r\n"
        "ADMOD_C02:\t , , , , , , , , , , , , , , \r\n"
        "ADMOD_C03:\t , , , , , , , , , , , , , , \r\n"
        "// Cochannel operation:";
    EXPECT_NE(text.find(acm), std::string::npos) << text;
    EXPECT_NE(text.find("NUM_ACU_CONFIG:\t1\r\nACU_CNFG_01:\t Duplexer, 4, , , , , 2.50, \r\n"
                        "// Miscellaneous"),
              std::string::npos);

    ASSERT_TRUE(read(text));
    ASSERT_EQ(record.acm_table.count(), 3);
    EXPECT_EQ(record.acm_table[0].RXthr10_6, 0.001);
    EXPECT_EQ(record.acm_table[0].step_up, 0.0);
    EXPECT_STREQ(record.acm_table[2].Mod, "Q2");
    ASSERT_EQ(record.acu_table.count(), 1);
    EXPECT_EQ(record.acu_table[0].ANT, ACU_TH);
    EXPECT_EQ(record.acu_table[0].RXF, 2.5);
}

TEST_F(RafWriter, CurveBlocksWithoutDerivedCurves) {
    record.reset();
    const double points[] = {-1, 3, 0, 30, 1, 3};
    int i = record.curves.add_curve(CURVE_TTOI_OTHER, "R1, R2");
    record.curves.set_curve_points(i, 3, points);
    i = record.curves.add_curve(CURVE_TX_EMISSION_MASK, nullptr);
    record.curves.set_curve_points(i, 3, points);
    i = record.curves.add_curve(CURVE_RX_SELECTIVITY_STATE_FIRST, "16QAM");
    record.curves.set_curve_points(i, 3, points);
    i = record.curves.add_curve(CURVE_TTOI_SAME, nullptr);
    record.curves.set_curve_points(i, 3, points);
    const std::string text = written();

    const std::string blocks = "TtoI_Same:\t3\r\n-1.00, 3.00\r\n0.00, 30.00\r\n1.00, 3.00\r\n"
                               "TtoI_Other:\t3, R1, R2\r\n-1.00, 3.00\r\n0.00, 30.00\r\n1.00, 3.00\r\n"
                               "RX_SELECTIVITY_01:\t3, 16QAM\r\n-1.00, 3.00\r\n0.00, 30.00\r\n"
                               "1.00, 3.00\r\nENDFIL\r\n";
    ASSERT_GE(text.size(), blocks.size());
    EXPECT_EQ(text.substr(text.size() - blocks.size()), blocks);
    EXPECT_EQ(text.find("TX_EMISSION_MASK"), std::string::npos);

    ASSERT_TRUE(read(text));
    ASSERT_EQ(record.curves.count(), 3);
    EXPECT_STREQ(record.curves[2].name, "RX_SELECTIVITY_01 - 16QAM");
    EXPECT_EQ(record.curves[1].interfering_codes, (std::vector<std::string>{"R1", "R2"}));
}

TEST_F(RafWriter, TextsFromBinaryFilesCannotBreakTheirLine) {
    record.reset();
    copy_text(record.radio_spec.model, "two\nlines");
    copy_text(record.radio_spec.comments[0], "see http://example");
    copy_text(record.thresholds[0].description, "BER 10-3, typical");
    copy_text(record.thresholds[1].description, "BER 10-6");
    record.acu_table.make(1);
    copy_text(record.acu_table[0].Configuration, "A,B");
    ASSERT_TRUE(read(written()));
    EXPECT_STREQ(record.radio_spec.model, "two lines");
    EXPECT_STREQ(record.radio_spec.comments[0], "see http:/ /example");
    // A comma in one field must not push the others out of place.
    EXPECT_STREQ(record.thresholds[0].description, "BER 10-3; typical");
    EXPECT_STREQ(record.thresholds[1].description, "BER 10-6");
    EXPECT_STREQ(record.acu_table[0].Configuration, "A;B");
    EXPECT_EQ(raf_safe_text("a, b", false), "a, b");
    EXPECT_EQ(raf_safe_text("///", false), "/ / /");
}

TEST_F(RafWriter, ManyCodesAreNeverCutInHalf) {
    record.reset();
    std::string codes;
    for (int n = 0; n < 8; ++n) {
        codes += (n ? "," : "") + std::string(40, static_cast<char>('a' + n));
    }
    const int i = record.curves.add_curve(CURVE_IRF_OTHER, codes.c_str());
    const double points[] = {0, 1, 1, 0};
    record.curves.set_curve_points(i, 2, points);
    ASSERT_TRUE(read(written()));
    ASSERT_EQ(record.curves.count(), 1);
    const auto& kept = record.curves[0].interfering_codes;
    EXPECT_EQ(kept.size(), 5u);
    for (const std::string& code : kept) {
        EXPECT_EQ(code.size(), 40u);
    }
}

// Every version 04 file of the test data and the examples reads and is written back byte for
// byte, and reads back to the same record. A dump beside a test file (<name>.json) says which
// field each value went to: the reset record with every row empty, and a file with a value of its
// own in every cell.
TEST_F(RafWriter, FilesReadAndWriteBackUnchanged) {
    std::vector<std::filesystem::path> files;
    for (const std::string& folder : {data_file("radio"), examples_dir()}) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
            if (entry.path().extension() == ".raf" &&
                read_bytes(entry.path().string()).find(RAF_IDENTIFIERS[3]) == 0) {
                files.push_back(entry.path());
            }
        }
    }
    EXPECT_GE(files.size(), 5u);
    for (const std::filesystem::path& path : files) {
        SCOPED_TRACE(path);
        const std::string original = read_bytes(path.string());
        ASSERT_TRUE(read(original)) << " line " << fault.line;
        const auto first = radio_to_json(record);
        const std::string golden = path.string() + ".json";
        if (std::filesystem::exists(golden)) {
            EXPECT_EQ(first, nlohmann::ordered_json::parse(read_bytes(golden))) << first.dump(2);
        }
        const std::string text = written();
        EXPECT_EQ(text, original);
        ASSERT_TRUE(read(text));
        EXPECT_EQ(radio_to_json(record), first);
    }
}

TEST_F(RafWriter, FailedSaveKeepsTheOldFile) {
    const std::string path = dir.write("keep.raf", "old contents");
    record.reset();
    // A file size limit makes the write fail part-way, as a full disk would.
    {
        const kelvor_test::File_Size_Limit limit(512);
        EXPECT_THROW(write_raf_file(record, path.c_str(), &handler), Error_Handler*);
    }
    EXPECT_EQ(handler.get_last_error_code(), static_cast<uint32_t>(EFBIG));
    EXPECT_STREQ(handler.get_file_name(), path.c_str());
    EXPECT_EQ(read_bytes(path), "old contents");
    EXPECT_EQ(dir.entries().size(), 1u);
}

TEST_F(RafWriter, WritesTheFile) {
    record.reset();
    copy_text(record.radio_spec.model, "M");
    const std::string path = dir.file("out.raf");
    write_raf_file(record, path.c_str(), &handler);
    EXPECT_EQ(read_bytes(path), written());
}

} // namespace
