// The headerless pattern reader: the ten header entries, the frequency range, named blocks, and
// its syntax faults.
#include "antenna_test_support.h"
#include "message_catalogue.h"
#include "nsma_format.h"
#include "test_support.h"

#include <gtest/gtest.h>

using antenna_test::lines;
using antenna_test::points_of;
using antenna_test::raised_by;

namespace {

using Points = std::vector<std::pair<float, float>>;

class HeaderlessReader : public antenna_test::Antenna_Fixture {
protected:
    // The ten header entries with the given frequency, gain and width, then `blocks`.
    std::string file(const std::string& frequency, const std::string& gain,
                     const std::string& width,
                     const std::vector<std::string>& blocks = {"HH 1", "0 0"}) {
        return lines({"Andrew Corporation", "HP4-107", "unused 2", "unused 3", "unused 4",
                      "1998-11-02", "HP4107", frequency, gain, width}) +
               lines(blocks);
    }
    void read(const std::string& text) {
        ASSERT_EQ(read_nsma_file(record, &handler, dir.write("hp4.pat", text).c_str()),
                  Nsma_Read_Result::headerless);
    }
    std::string fault_of(const std::string& text) {
        return raised_by(
                   [&] { read_nsma_file(record, &handler, dir.write("hp4.pat", text).c_str()); })
            .report;
    }
};

TEST_F(HeaderlessReader, HeaderEntries) {
    read(file("5.925 - 6.425 GHz", "38.6", "2.7"));
    EXPECT_STREQ(record.antenna_spec.manufacturer, "Andrew Corporation"); // case kept
    EXPECT_STREQ(record.antenna_spec.model, "HP4-107");
    EXPECT_STREQ(record.antenna_spec.date, "1998-11-02");
    EXPECT_STREQ(record.antenna_spec.file_name, "HP4107");
    EXPECT_DOUBLE_EQ(record.antenna_spec.low_frequency, 5925.0);
    EXPECT_DOUBLE_EQ(record.antenna_spec.high_frequency, 6425.0);
    EXPECT_EQ(record.antenna_spec.gain_dbi, 38.6);
    EXPECT_DOUBLE_EQ(record.antenna_spec.gain_dbd, 36.45);
    EXPECT_EQ(record.antenna_spec.azimuth_beamwidth, 2.7);
    // Andrew: four feet.
    EXPECT_DOUBLE_EQ(record.antenna_spec.antenna_size, 4 * 0.3048);
    EXPECT_DOUBLE_EQ(record.header.depth, 4 * 0.3048);
}

TEST_F(HeaderlessReader, FrequenciesInMegahertzStayAndEmptyValuesAreIgnored) {
    read(file("10700 to 11700", "", ""));
    EXPECT_EQ(record.antenna_spec.low_frequency, 10700.0);
    EXPECT_EQ(record.antenna_spec.high_frequency, 11700.0);
    EXPECT_EQ(record.antenna_spec.gain_dbi, NOT_SET);
    EXPECT_EQ(record.antenna_spec.gain_dbd, NOT_SET);
    EXPECT_EQ(record.antenna_spec.azimuth_beamwidth, NOT_SET);
}

TEST_F(HeaderlessReader, BlocksFillTheirSlots) {
    read(file("6", "", "",
              {"", "VV 0", "HH 3", "10 -30.5", "-10 -31", "0 0", "ELVH 1", "\t5\t-40 ", "HV_POL 1",
               "0 -50"}));
    EXPECT_EQ(points_of(record, 0), (Points{{-10, 31}, {0, 0}, {10, 30.5f}}));
    EXPECT_TRUE(record.cut(2).empty());
    EXPECT_EQ(points_of(record, 7), (Points{{5, 40}}));
    EXPECT_EQ(points_of(record, 1), (Points{{0, 50}})); // named by its leading characters
    // Numbers in exponent form, as other tools print them.
    read(file("6", "", "", {"VV 4", "-1E1 -1.5E-01", "0\t-2.5e+01", "1.e1 -3E1 dB", "2E+1 -2.5E-1"}));
    EXPECT_EQ(points_of(record, 2), (Points{{-10, 0.15f}, {0, 25}, {10, 30}, {20, 0.25f}}));
}

TEST_F(HeaderlessReader, SyntaxFaultsAfterTheFirstDataLine) {
    const struct {
        std::vector<std::string> blocks;
        const char* line_13;
    } cases[] = {
        {{"VV 1", "0 0", "HH", "0 0"}, "HH"}, // a block line without a count
        {{"VV 1", "0 0", "HH many"}, "HH many"},
        {{"VV 1", "0 0", "XX 1", "0 0"}, "XX 1"}, // a cut name of no slot
        {{"VV 1", "0 0", "HH -1"}, "HH -1"},
        {{"HH 2", "0 0", "five -3"}, "five -3"}, // a data line without two numbers
        {{"HH 3", "0 0", "1 -1"}, "1 -1"},       // the end of the file inside a block: the last line
        // Characters inside a number, which cleaning would drop and so join its parts.
        {{"HH 2", "0 0", "1 -2.5x01"}, "1 -2.5x01"},
        {{"HH 2", "0 0", "1 -2+5"}, "1 -2+5"},
        {{"HH 2", "0 0", "1E1E1 -2"}, "1E1E1 -2"},
        {{"HH 2", "0 0", "1 -1E400"}, "1 -1E400"}, // beyond a float
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fault_of(file("6", "", "", c.blocks)),
                  std::string("hp4.pat\r\nLine number 13\r\n") + c.line_13 + "\r\n");
    }
}

// A pattern file is known by its data: lines that go wrong, or end, before one data line of a
// block was read are no pattern file at all and are refused as a file of the wrong format.
TEST_F(HeaderlessReader, LinesWithoutPatternDataAreNoPatternFile) {
    for (const std::string& text :
         {file("6", "", "", {}), file("6", "", "", {"", "VV 0", ""}),
          file("6", "", "", {"HH", "0 0"}), file("6", "", "", {"HH many"}),
          file("6", "", "", {"XX 1", "0 0"}), file("6", "", "", {"HH -1"}),
          file("6", "", "", {"HH 2", "five -3", "0 0"}), file("6", "", "", {"HH 3"}),
          lines({"Maker", "Model", "x"}), lines({std::string(300, 'm'), "HH 1", "0 0"})}) {
        SCOPED_TRACE(text);
        const auto outcome = raised_by(
            [&] { read_nsma_file(record, &handler, dir.write("hp4.pat", text).c_str()); });
        EXPECT_TRUE(outcome.file);
        EXPECT_EQ(outcome.code, MSG_WRONG_FILE_FORMAT);
        EXPECT_NE(outcome.report.find(NOT_NSMA_OR_PATTERN_TEXT), std::string::npos);
        EXPECT_STREQ(record.antenna_spec.manufacturer, "");
    }
}

} // namespace
