// The NSMA writer: the whole layout, the number rule, the cut blocks, and write -> read round
// trips.
#include "antenna_binary.h"
#include "antenna_json.h"
#include "antenna_open.h"
#include "antenna_test_support.h"
#include "antenna_text.h"
#include "nsma_format.h"
#include "nsma_keywords.h"
#include "test_support.h"

#include <gtest/gtest.h>

using antenna_test::lines;
using antenna_test::points_of;
using kelvor_test::read_bytes;

namespace {

class NsmaWriter : public antenna_test::Antenna_Fixture {
protected:
    void read(const std::string& text) {
        read_nsma_file(record, &handler, dir.write("in.adf", text).c_str());
    }
    std::string written() const {
        std::string text;
        write_nsma_file(record, text);
        return text;
    }
    // The value written on the line of `keyword`.
    std::string value_of(const std::string& keyword) const {
        const std::string text = written();
        const auto at = text.find("\r\n" + keyword + ":,\t");
        if (at == std::string::npos) {
            return "<missing>";
        }
        const auto start = at + keyword.size() + 5;
        return text.substr(start, text.find("\r\n", start) - start);
    }
};

TEST_F(NsmaWriter, ARecordWithoutCutsHasAnEmptyCutCount) {
    const std::string text = written();
    EXPECT_EQ(value_of("NUMCUT"), "");
    EXPECT_EQ(text.find("PATCUT"), std::string::npos);
    EXPECT_TRUE(text.ends_with("NUMCUT:,\t\r\nENDFIL:,EOF\r\n"));
}

TEST_F(NsmaWriter, NumberRule) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {NOT_SET, ""}, {0.0, "0.00"}, {-0.0, "0.00"}, {0.001, "1.00E-03"}, {-0.00499, "-4.99E-03"},
        {0.005, "0.01"}, {38.456, "38.46"}, {-2.15, "-2.15"},
        // Values whose fixed form would not fit a line, or not read back the same, keep the
        // exponent form.
        {1e300, "1.00E+300"}, {-2.5e13, "-2.50E+13"}, {9999999999999.99, "9999999999999.99"},
        {9999999999999.999, "1.00E+13"}, // "%.2f" gives 1e13
        // A value whose exponent form reads back as 0.005 is written as that value would be.
        {0.004996, "0.01"}, {-0.004996, "-0.01"},
        {1.2345e-7, nullptr}, {7.1e13, nullptr}, {123456789012.345, nullptr}, {-0.0049999, nullptr},
        {4.9e-324, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        const std::string text = format_nsma_number(c.value);
        if (c.text != nullptr) {
            EXPECT_EQ(text, c.text);
        }
        // Every number text reads back as itself.
        if (c.value != NOT_SET) {
            EXPECT_EQ(format_nsma_number(plain_double(text.c_str())), text);
        }
    }
    // Zero levels are written without sign.
    EXPECT_EQ(format_point_value(-0.0001f), "0.000");
    EXPECT_EQ(format_point_value(-0.0f), "0.000");
    EXPECT_EQ(format_point_value(-0.0005f), "-0.001");
}

// The golden writes below show most rules of the rows; here those they do not.
TEST_F(NsmaWriter, RowValues) {
    // Units and gain follow the flag.
    read(lines({"REVNUM:,X", "GUNITS:,DBD/DBR", "MDGAIN:,17.0", "AZWIDT:,0"}));
    record.gain_in_dbi = 1;
    EXPECT_EQ(value_of("GUNITS"), "DBI/DBR");
    EXPECT_EQ(value_of("MDGAIN"), "19.15");
    // A zero azimuth width is a value, unlike a zero elevation width.
    EXPECT_EQ(value_of("AZWIDT"), "0.00");
    // Codes outside their lists are written as the first text.
    record.antenna_spec.feed_orientation = 7;
    record.antenna_spec.technology = -1;
    record.antenna_spec.pattern_type = 3;
    EXPECT_EQ(value_of("FEDORN"), "N/A");
    EXPECT_EQ(value_of("FIELD5"), "UNKNOWN");
    EXPECT_EQ(value_of("PATTYP"), "UNKNOWN");
}

TEST_F(NsmaWriter, TextsAreWrittenSoThatTheReaderGivesThemBack) {
    // Texts of binary files may hold any byte: line feeds and bytes no text file may hold become
    // blanks; tabs and lone carriage returns, which the reader keeps, stay.
    copy_text_field(record.antenna_spec.manufacturer, "  NORDIC\x01RADIO\nAB\tCD\rEF,, ");
    EXPECT_EQ(value_of("ANTMAN"), "NORDIC RADIO AB\tCD\rEF");
}

// Found by the fuzz target: a byte 31 before the manufacturer's name hid it from the Andrew size
// rule when read, but not after the writer had turned it into a blank.
TEST_F(NsmaWriter, BytesTheReaderKeepsAreWrittenAsTheyAre) {
    read(lines({"REVNUM:,X", "ANTMAN:, \x1f Andrew", "MODNUM:,HP2-107"}));
    EXPECT_EQ(record.antenna_spec.antenna_size, NOT_SET);
    const std::string first = written();
    read(first);
    EXPECT_EQ(written(), first);
}

TEST_F(NsmaWriter, DerivedSizesAreNotWrittenAsStatedOnes) {
    // Only a width: the size comes from it and stays derived when read back.
    read(lines({"REVNUM:,X", "ANTWID:,0.6"}));
    EXPECT_EQ(record.antenna_spec.antenna_size, 0.6);
    EXPECT_EQ(value_of("ANTLEN"), "");
    EXPECT_EQ(value_of("ANTDEP"), "");
    read(lines({"REVNUM:,X", "ANTMAN:,ANDREW", "MODNUM:,VHLP-800-23"}));
    EXPECT_EQ(value_of("ANTLEN"), "");
    // Stated sizes, and the feet of Andrew models, which give the depth too, are written.
    read(lines({"REVNUM:,X", "ANTMAN:,ANDREW", "MODNUM:,HP4-107"}));
    EXPECT_EQ(value_of("ANTLEN"), "1.22");
    EXPECT_EQ(value_of("ANTDEP"), "1.22");
    read(lines({"REVNUM:,X", "ANTLEN:,0.6", "ANTWID:,0.6"}));
    EXPECT_EQ(value_of("ANTLEN"), "0.60");
    // A size of another origin without a width is written.
    record.reset_antenna_record();
    record.antenna_spec.antenna_size = 0.9;
    EXPECT_EQ(value_of("ANTLEN"), "0.90");
}

TEST_F(NsmaWriter, CutsAreWrittenInSlotOrderWithTheirPolarization) {
    read(lines({"REVNUM:,X", "PATCUT:,EL", "POLARI:,SLR/SLR", "NUPOIN:,2", "FSTLST:,-1,1",
                "1.0, -2.25", "-1.0, -3.5", "PATCUT:,AZ", "POLARI:,H/H", "NUPOIN:,1", "0, 0"}));
    const std::string text = written();
    EXPECT_EQ(value_of("NUMCUT"), "2");
    EXPECT_NE(text.find("PATCUT:,\tAZ\r\n"
                        "POLARI:,\tH/H\r\n"
                        "NUPOIN:,\t1\r\n"
                        "FSTLST:,\t0.000,0.000\r\n"
                        "0.000, 0.000,\r\n"
                        "PATCUT:,\tEL\r\n"
                        "POLARI:,\tV/V\r\n"
                        "NUPOIN:,\t2\r\n"
                        "FSTLST:,\t-1.000,1.000\r\n"
                        "-1.000, -3.500,\r\n"
                        "1.000, -2.250,\r\n"
                        "ENDFIL:,EOF\r\n"),
              std::string::npos)
        << text;
}

// Absolute patterns are written relative: see the golden write of tricky.adf.
TEST_F(NsmaWriter, LevelsAboveTheReferenceKeepTheirSign) {
    read(lines({"REVNUM:,X", "PATCUT:,AZ", "POLARI:,H/H", "NUPOIN:,2", "0, 0.4", "5, -1"}));
    EXPECT_NE(written().find("0.000, 0.400,\r\n5.000, -1.000,\r\n"), std::string::npos) << written();
}

TEST_F(NsmaWriter, SaveReplacesTheFileWholeAndKeepsItOnFailure) {
    read(lines({"REVNUM:,X", "ANTMAN:,NORDIC"}));
    const std::string path = dir.write("out.adf", "old contents");
    save_nsma_file(record, &handler, path.c_str());
    EXPECT_EQ(read_bytes(path), written());

    // A folder that does not exist: raised, nothing left behind.
    const std::string missing = dir.file("no/such/out.adf");
    EXPECT_TRUE(
        antenna_test::raised_by([&] { save_nsma_file(record, &handler, missing.c_str()); }).file);
    EXPECT_EQ(read_bytes(path), written());
}

TEST_F(NsmaWriter, TextsOfNothingButCommasAreWrittenAsTheReaderLeavesThem) {
    // Such texts cannot be written (the reader takes a comma at the end for a separator), and
    // an empty value leaves a row as a new record has it: the revision and its date have texts.
    read(lines({"REVNUM:,,,,,", "REVDAT:, , ,", "COMNT1:,,,,", "ANTMAN:,A"}));
    ASSERT_STREQ(record.header.revision_number, ",,,");
    const std::string first = written();
    EXPECT_TRUE(first.starts_with("REVNUM:,\tNSMA WG16.99.050\r\nREVDAT:,\t19990520\r\n"))
        << first.substr(0, 60);
    EXPECT_EQ(value_of("COMNT1"), "");
    read(first);
    EXPECT_EQ(written(), first);
}

// Each committed input beside the text the writer makes of it (<name> and <name>.nsma); writing
// what was read and reading it again changes nothing. tricky.adf holds an absolute pattern, a
// zero elevation width and a small VSWR.
TEST_F(NsmaWriter, GoldenWritesAndWriteReadWriteIsStable) {
    const std::string width_only = dir.write(
        "width.adf", lines({"REVNUM:,X", "ANTWID:,0.6125", "ATVSWR:,0.004996", "PATCUT:,AZ",
                            "POLARI:,H/H", "NUPOIN:,3", "1e3, -0.0001", "0.00049, 0", "-1, -1"}));
    for (const std::string& path :
         {antenna_test::data_path("parabolic.adf"), antenna_test::data_path("dipole.dat"),
          antenna_test::data_path("tricky.adf"), width_only}) {
        SCOPED_TRACE(path);
        read_nsma_file(record, &handler, path.c_str());
        const std::string first = written();
        if (path != width_only) {
            EXPECT_EQ(first, read_bytes(path + ".nsma"));
        }
        read(first);
        EXPECT_EQ(written(), first);
    }
}

// NSMA -> .asd -> NSMA: every value the binary file holds comes back, and the NSMA text of the
// rows and cuts it holds is the same.
TEST_F(NsmaWriter, AsdRoundTripKeepsEveryValueItHolds) {
    const int spec_rows[] = {ROW_ANTMAN, ROW_MODNUM, ROW_FEDORN, ROW_DESCR1, ROW_DTDATA, ROW_LOWFRQ,
                             ROW_HGHFRQ, ROW_GUNITS, ROW_MDGAIN, ROW_AZWIDT, ROW_ELWIDT, ROW_ELTILT,
                             ROW_ANTLEN, ROW_FIELD5, ROW_PATTYP, ROW_NUMCUT};
    for (const char* name : {"parabolic.adf", "dipole.dat", "tricky.adf"}) {
        SCOPED_TRACE(name);
        read_nsma_file(record, &handler, antenna_test::data_path(name).c_str());
        const std::string asd = dir.file("round.asd");
        write_asd_file(record, &handler, asd.c_str());
        Antenna_Record binary;
        Antenna_Read_Decisions decisions;
        open_antenna_file(binary, &handler, asd.c_str(), decisions);

        nlohmann::json expected = antenna_to_json(record);
        nlohmann::json actual = antenna_to_json(binary);
        expected["antenna_spec"].erase("file_name");
        actual["antenna_spec"].erase("file_name");
        EXPECT_EQ(actual["antenna_spec"], expected["antenna_spec"]);
        EXPECT_EQ(actual["cuts"], expected["cuts"]);
        for (const int row : spec_rows) {
            EXPECT_EQ(nsma_row_value(binary, row), nsma_row_value(record, row))
                << nsma_keywords[row].keyword;
        }
        std::string from_binary;
        write_nsma_file(binary, from_binary);
        const std::string original = written();
        EXPECT_EQ(from_binary.substr(from_binary.find("NUMCUT:")),
                  original.substr(original.find("NUMCUT:")));
    }
}

} // namespace
