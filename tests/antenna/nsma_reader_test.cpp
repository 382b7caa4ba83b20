// The NSMA reader: keyword rules, pattern-cut blocks, the size rule and every syntax fault.
#include "antenna_test_support.h"
#include "nsma_format.h"
#include "test_support.h"

#include <gtest/gtest.h>

using antenna_test::lines;
using antenna_test::points_of;
using antenna_test::raised_by;
using kelvor_test::Temp_Dir;

namespace {

class NsmaReader : public testing::Test {
protected:
    // Reads `text` as the file "ant.adf".
    Nsma_Read_Result read(const std::string& text) {
        return read_nsma_file(record, &handler, dir.write("ant.adf", text).c_str());
    }
    // Reads `text` and returns the syntax report it raised ("" when none).
    std::string fault_of(const std::string& text) {
        const auto outcome = raised_by([&] { read(text); });
        EXPECT_FALSE(outcome.file) << outcome.report;
        return outcome.report;
    }

    Temp_Dir dir;
    Error_Handler handler;
    Antenna_Record record;
};

const std::string revnum = "REVNUM:,NSMA WG16.99.050";

TEST_F(NsmaReader, CommentBeforeRevnumStillNsma) {
    EXPECT_EQ(read(lines({"// exported by hand", revnum, "ANTMAN:,Nordic"})),
              Nsma_Read_Result::nsma);
    EXPECT_STREQ(record.antenna_spec.manufacturer, "NORDIC");
}

TEST_F(NsmaReader, ValuesAreCleanedOfQuotesCommentsAndBlanks) {
    read(lines({revnum, "ANTMAN:,  \"Andrew\"   // the maker  ", "MODNUM:\"hp\"2-107,,", "COMNT1:,",
                "COMNT2: ,X"}));
    EXPECT_STREQ(record.antenna_spec.manufacturer, "ANDREW");
    // One trailing comma goes with the line, the second stays with the value.
    EXPECT_STREQ(record.antenna_spec.model, "HP2-107,");
    EXPECT_STREQ(record.header.comment1, "");
    // A value that does not start with the comma keeps the one it has.
    EXPECT_STREQ(record.header.comment2, ",X");
}

TEST_F(NsmaReader, TextsAreCutToTheirRowSize) {
    const std::string long_text(60, 'M');
    read(lines({revnum, "ANTMAN:," + long_text, "DESCR1:," + long_text, "DTDATA:," + long_text,
                "FILNUM:," + long_text}));
    EXPECT_EQ(std::string(record.antenna_spec.manufacturer), std::string(41, 'M'));
    EXPECT_EQ(std::string(record.antenna_spec.description), std::string(47, 'M'));
    EXPECT_EQ(std::string(record.antenna_spec.date), std::string(15, 'M'));
    EXPECT_EQ(std::string(record.header.pattern_file_number), std::string(12, 'M'));
}

TEST_F(NsmaReader, NsmnumAndDescrpArePatternIds) {
    read(lines({revnum, "NSMNUM:,A-1"}));
    EXPECT_STREQ(record.header.pattern_id, "A-1");
    read(lines({revnum, "descrp:,B-2"}));
    EXPECT_STREQ(record.header.pattern_id, "B-2");
}

TEST_F(NsmaReader, GainUnitsDecideBothFlags) {
    read(lines({revnum, "GUNITS:,DBD/DBI"}));
    EXPECT_EQ(record.gain_in_dbi, 1); // "DBI" is found
    EXPECT_EQ(record.pattern_relative, 0);
    EXPECT_STREQ(record.header.gain_units_text, "DBD/DBI");

    read(lines({revnum, "GUNITS:,DBD"}));
    EXPECT_EQ(record.gain_in_dbi, 0);
    EXPECT_EQ(record.pattern_relative, 1); // no slash: as after the reset
}

TEST_F(NsmaReader, MidBandGainFollowsTheUnitReadBefore) {
    read(lines({revnum, "GUNITS:,DBD/DBR", "MDGAIN:,17.0"}));
    EXPECT_DOUBLE_EQ(record.antenna_spec.gain_dbd, 17.0);
    EXPECT_DOUBLE_EQ(record.antenna_spec.gain_dbi, 19.15);

    read(lines({revnum, "MDGAIN:,38.5", "GUNITS:,DBD/DBR"}));
    EXPECT_DOUBLE_EQ(record.antenna_spec.gain_dbi, 38.5);
    EXPECT_DOUBLE_EQ(record.antenna_spec.gain_dbd, 36.35);
}

TEST_F(NsmaReader, ZeroMeansNoValueForElevationWidthTiltAndPatternFrequency) {
    read(lines({revnum, "ELWIDT:,0", "ELTILT:,0.0", "PATFRE:,0", "AZWIDT:,0"}));
    EXPECT_EQ(record.antenna_spec.elevation_beamwidth, NOT_SET);
    EXPECT_EQ(record.antenna_spec.electrical_tilt, NOT_SET);
    EXPECT_EQ(record.header.pattern_frequency, NOT_SET);
    EXPECT_EQ(record.antenna_spec.azimuth_beamwidth, 0.0);
}

TEST_F(NsmaReader, RealsReadTheLeadingNumberOrZero) {
    read(lines({revnum, "LOWFRQ:,10700 MHz", "HGHFRQ:,abc", "FRTOBA:,-.5e1x", "MAXPOW:,1e999"}));
    EXPECT_DOUBLE_EQ(record.antenna_spec.low_frequency, 10700.0);
    EXPECT_DOUBLE_EQ(record.antenna_spec.high_frequency, 0.0);
    EXPECT_DOUBLE_EQ(record.header.front_to_back, -5.0);
    EXPECT_DOUBLE_EQ(record.header.max_power, 0.0); // beyond a double: no number
}

TEST_F(NsmaReader, ChoicesAndIntegers) {
    read(lines({revnum, "FEDORN:,right", "FIELD5:,Aperture", "PATTYP:,Envelope", "NOFREQ:,1.00",
                "NUMCUT:,5"}));
    EXPECT_EQ(record.antenna_spec.feed_orientation, FEED_RIGHT);
    EXPECT_STREQ(record.header.feed_orientation_text, "RIGHT");
    EXPECT_EQ(record.antenna_spec.technology, TECH_APERTURE);
    EXPECT_EQ(record.antenna_spec.pattern_type, PATTERN_ENVELOPE);
    EXPECT_EQ(record.header.frequency_count, 1);
    EXPECT_EQ(record.header.cut_count, 5); // not compared with the cuts read

    // Unknown feed and pattern texts keep the value; an unknown technology is 0.
    read(lines({revnum, "FEDORN:,LEFT", "FEDORN:,UP", "PATTYP:,TYPICAL", "PATTYP:,BEST",
                "FIELD5:,DIPOLE", "FIELD5:,HORN"}));
    EXPECT_EQ(record.antenna_spec.feed_orientation, FEED_LEFT);
    EXPECT_STREQ(record.header.feed_orientation_text, "UP");
    EXPECT_EQ(record.antenna_spec.pattern_type, PATTERN_TYPICAL);
    EXPECT_EQ(record.antenna_spec.technology, TECH_UNKNOWN);
}

TEST_F(NsmaReader, EndfilEndsTheReading) {
    read(lines({revnum, "ANTMAN:,A", "endfil:,EOF", "MODNUM:,NOT READ", "garbage"}));
    EXPECT_STREQ(record.antenna_spec.model, "");
}

TEST_F(NsmaReader, AntennaSizeRules) {
    read(lines({revnum, "ANTLEN:,1.2", "ANTDEP:,0.5"}));
    EXPECT_DOUBLE_EQ(record.antenna_spec.antenna_size, 1.2);
    EXPECT_DOUBLE_EQ(record.header.depth, 0.5); // ANTDEP after ANTLEN wins

    read(lines({revnum, "ANTLEN:,1.8"}));
    EXPECT_DOUBLE_EQ(record.header.depth, 1.8);

    read(lines({revnum, "ANTWID:,0.9", "ANTMAN:,ANDREW"}));
    EXPECT_DOUBLE_EQ(record.antenna_spec.antenna_size, 0.9);

    // Andrew models start with their size in feet.
    read(lines({revnum, "ANTMAN:,Andrew Corp.", "MODNUM:,HP2-107"}));
    EXPECT_DOUBLE_EQ(record.antenna_spec.antenna_size, 2 * 0.3048);
    EXPECT_DOUBLE_EQ(record.header.depth, 0.6096);

    read(lines({revnum, "ANTMAN:,ANDREW", "MODNUM:,vhlp-800-11"}));
    EXPECT_DOUBLE_EQ(record.antenna_spec.antenna_size, 0.8);
    EXPECT_EQ(record.header.depth, NOT_SET);

    read(lines({revnum, "ANTMAN:,ANDREW", "MODNUM:,PL.X"})); // "." starts no number
    EXPECT_EQ(record.antenna_spec.antenna_size, NOT_SET);

    read(lines({revnum, "ANTMAN:,RFS", "MODNUM:,SB4-190"}));
    EXPECT_EQ(record.antenna_spec.antenna_size, NOT_SET);
}

TEST_F(NsmaReader, RelativeCutIsSortedAndNegated) {
    read(lines({revnum, "PATCUT:,AZ", "POLARI:,H/H", "NUPOIN:,3", "FSTLST:,180.000,-180.000",
                "180.000, -40.000,", "0.000, 0.000,", "-180.000, -40.500,"}));
    EXPECT_EQ(points_of(record, 0), (std::vector<std::pair<float, float>>{
                                        {-180.0f, 40.5f}, {0.0f, -0.0f}, {180.0f, 40.0f}}));
    EXPECT_EQ(record.antenna_spec.cut_points[0], 3);
}

TEST_F(NsmaReader, AlternativePolarizationsSelectTheirSlot) {
    read(lines({revnum, "PATCUT:,AZ", "POLARI:,slr/slr", "NUPOIN:,1", "0, -1", "PATCUT:,el",
                "POLARI:,SLR/SLR", "NUPOIN:,1", "0, -2", "PATCUT:,V", "POLARI:,SLL/SLR",
                "NUPOIN:,1", "0, -3", "PATCUT:,H", "POLARI:,V/H", "NUPOIN:,1", "0, -4"}));
    EXPECT_EQ(points_of(record, 2), (std::vector<std::pair<float, float>>{{0.0f, 1.0f}}));
    EXPECT_EQ(points_of(record, 6), (std::vector<std::pair<float, float>>{{0.0f, 2.0f}}));
    EXPECT_EQ(points_of(record, 5), (std::vector<std::pair<float, float>>{{0.0f, 3.0f}}));
    EXPECT_EQ(points_of(record, 3), (std::vector<std::pair<float, float>>{{0.0f, 4.0f}}));
}

TEST_F(NsmaReader, MissingFstlstStartsTheDataAfterNupoin) {
    read(lines({revnum, "PATCUT:,EL", "POLARI:,V/V", "NUPOIN:,2", "-10.0, -20.0", "10.0, -21.0",
                "MODNUM:,AFTER"}));
    EXPECT_EQ(points_of(record, 6),
              (std::vector<std::pair<float, float>>{{-10.0f, 20.0f}, {10.0f, 21.0f}}));
    EXPECT_STREQ(record.antenna_spec.model, "AFTER");
}

TEST_F(NsmaReader, DataLinesAreCleanedBeforeTheyAreRead) {
    read(lines({revnum, "PATCUT:,AZ", "POLARI:,H/H", "NUPOIN:,2", "FSTLST:,-5,5",
                "\t\"-5.0\",\t- 3.25 dB", "+5.0,-3"}));
    EXPECT_EQ(points_of(record, 0),
              (std::vector<std::pair<float, float>>{{-5.0f, 3.25f}, {5.0f, 3.0f}}));
}

TEST_F(NsmaReader, DuplicateAnglesAreKeptInFileOrder) {
    read(lines({revnum, "PATCUT:,AZ", "POLARI:,H/H", "NUPOIN:,3", "5, -1", "5, -2", "-5, -3"}));
    EXPECT_EQ(points_of(record, 0),
              (std::vector<std::pair<float, float>>{{-5.0f, 3.0f}, {5.0f, 1.0f}, {5.0f, 2.0f}}));
}

TEST_F(NsmaReader, SecondBlockForASlotReplacesTheFirst) {
    read(lines({revnum, "PATCUT:,AZ", "POLARI:,H/H", "NUPOIN:,2", "0, 0", "1, -1", "PATCUT:,AZ",
                "POLARI:,H/H", "NUPOIN:,1", "7, -7"}));
    EXPECT_EQ(points_of(record, 0), (std::vector<std::pair<float, float>>{{7.0f, 7.0f}}));
}

TEST_F(NsmaReader, AbsolutePatternIsTakenFromTheMidBandGain) {
    read(lines({revnum, "GUNITS:,DBI/DBI", "MDGAIN:,40.0", "PATCUT:,AZ", "POLARI:,H/H", "NUPOIN:,2",
                "0, 40", "90, 5.5"}));
    EXPECT_EQ(points_of(record, 0),
              (std::vector<std::pair<float, float>>{{0.0f, 0.0f}, {90.0f, 34.5f}}));

    // In dBd the gain in dBd is the reference.
    read(lines({revnum, "GUNITS:,DBD/DBD", "MDGAIN:,20.0", "PATCUT:,AZ", "POLARI:,H/H", "NUPOIN:,1",
                "0, 18"}));
    EXPECT_EQ(points_of(record, 0), (std::vector<std::pair<float, float>>{{0.0f, 2.0f}}));
}

TEST_F(NsmaReader, AFileWithoutRevnumGoesToTheHeaderlessReader) {
    EXPECT_EQ(read(lines({"NORDIC", "NPX-60", "", "", "", "2024-01-01", "name", "10.7-11.7 GHz",
                          "41.2", "1.2", "HH 1", "0 0"})),
              Nsma_Read_Result::headerless);
    EXPECT_STREQ(record.antenna_spec.manufacturer, "NORDIC");
    EXPECT_DOUBLE_EQ(record.antenna_spec.high_frequency, 11700.0);
}

TEST_F(NsmaReader, ReadingResetsTheRecordFirst) {
    read(lines({revnum, "ANTMAN:,FIRST", "PATCUT:,AZ", "POLARI:,H/H", "NUPOIN:,1", "0, 0"}));
    read(lines({revnum, "MODNUM:,SECOND"}));
    EXPECT_STREQ(record.antenna_spec.manufacturer, "");
    EXPECT_TRUE(record.cut(0).empty());
    EXPECT_EQ(record.antenna_spec.cut_points[0], 0);
}

TEST_F(NsmaReader, SyntaxFaultsGiveTheFileLineAndText) {
    // A line of more than 255 characters.
    EXPECT_EQ(fault_of(lines({revnum, "COMNT1:," + std::string(248, 'x')})),
              "ant.adf\r\nLine number 2\r\nCOMNT1:," + std::string(248, 'x') + "\r\n");
    EXPECT_EQ(fault_of(lines({revnum, "COMNT1:," + std::string(247, 'x')})), "");
    // No colon.
    EXPECT_EQ(fault_of(lines({revnum, "ANTMAN ANDREW"})),
              "ant.adf\r\nLine number 2\r\nANTMAN ANDREW\r\n");
    // A keyword of no row with a value that is no cut type.
    EXPECT_EQ(fault_of(lines({revnum, "ANTMAN:,A", "ANTMFR:,ANDREW"})),
              "ant.adf\r\nLine number 3\r\nANTMFR:,ANDREW\r\n");
    EXPECT_EQ(fault_of(lines({revnum, "PATCUT:,XY"})),
              "ant.adf\r\nLine number 2\r\nPATCUT:,XY\r\n");
}

TEST_F(NsmaReader, CutHeaderFaults) {
    // POLARI missing.
    EXPECT_EQ(fault_of(lines({revnum, "PATCUT:,AZ", "NUPOIN:,1", "0, 0"})),
              "ant.adf\r\nLine number 3\r\nNUPOIN:,1\r\n");
    // Unknown polarization (SLL/SLL is no elevation-only value, but H/X is none at all).
    EXPECT_EQ(fault_of(lines({revnum, "PATCUT:,EL", "POLARI:,H/X", "NUPOIN:,1", "0, 0"})),
              "ant.adf\r\nLine number 3\r\nPOLARI:,H/X\r\n");
    // A header line without a colon where NUPOIN is expected.
    EXPECT_EQ(fault_of(lines({revnum, "PATCUT:,AZ", "POLARI:,H/H", "0, 0"})),
              "ant.adf\r\nLine number 4\r\n0, 0\r\n");
    // An empty header line and an empty header value.
    EXPECT_EQ(fault_of(lines({revnum, "PATCUT:,AZ", "\"\"", "NUPOIN:,1"})),
              "ant.adf\r\nLine number 3\r\n\"\"\r\n");
    EXPECT_EQ(fault_of(lines({revnum, "PATCUT:,AZ", "POLARI:,", "NUPOIN:,1"})),
              "ant.adf\r\nLine number 3\r\nPOLARI:\r\n");
    // FSTLST that does not give two numbers.
    EXPECT_EQ(
        fault_of(lines({revnum, "PATCUT:,AZ", "POLARI:,H/H", "NUPOIN:,1", "FSTLST:,0 ,0", "0, 0"})),
        "ant.adf\r\nLine number 5\r\nFSTLST:,0 ,0\r\n");
    // A negative count.
    EXPECT_EQ(fault_of(lines({revnum, "PATCUT:,AZ", "POLARI:,H/H", "NUPOIN:,-2", "0, 0"})),
              "ant.adf\r\nLine number 4\r\nNUPOIN:,-2\r\n");
}

TEST_F(NsmaReader, DataLineFaults) {
    // Two numbers without the comma between them.
    EXPECT_EQ(fault_of(lines({revnum, "PATCUT:,AZ", "POLARI:,H/H", "NUPOIN:,1", "0 -3.5"})),
              "ant.adf\r\nLine number 5\r\n0 -3.5\r\n");
    // A blank before the comma.
    EXPECT_EQ(fault_of(lines({revnum, "PATCUT:,AZ", "POLARI:,H/H", "NUPOIN:,1", "0 , -3.5"})),
              "ant.adf\r\nLine number 5\r\n0 , -3.5\r\n");
    // Long number texts are read (the writer's own lines may be long: "%.3f" of large floats).
    const std::string wide = "0.000000000000000000000, -3.500000000000000000000";
    EXPECT_EQ(fault_of(lines({revnum, "PATCUT:,AZ", "POLARI:,H/H", "NUPOIN:,1", wide})), "");
    EXPECT_EQ(points_of(record, 0), (std::vector<std::pair<float, float>>{{0.0f, 3.5f}}));
    // Data lines longer than 255 characters, whether or not the numbers come first.
    // Blanks at the ends are gone before the length counts.
    for (const std::string& line : {"1,-2," + std::string(251, '0'), "1,-2 " + std::string(251, 'x'),
                                    "1,-2" + std::string(252, 'x')}) {
        EXPECT_EQ(fault_of(lines({revnum, "PATCUT:,AZ", "POLARI:,H/H", "NUPOIN:,1", "  " + line + " "})),
                  "ant.adf\r\nLine number 5\r\n" + line + "\r\n");
    }
    EXPECT_EQ(fault_of(lines({revnum, "PATCUT:,AZ", "POLARI:,H/H", "NUPOIN:,1",
                              "  1,-2," + std::string(250, '0') + " "})),
              "");
    // A number beyond the range of a float.
    const std::string huge = "0, -" + std::string(40, '9');
    EXPECT_EQ(fault_of(lines({revnum, "PATCUT:,AZ", "POLARI:,H/H", "NUPOIN:,1", huge})),
              "ant.adf\r\nLine number 5\r\n" + huge + "\r\n");
}

TEST_F(NsmaReader, CountsThatDisagreeWithTheLines) {
    // More lines than the count: the next one is read as a keyword line.
    EXPECT_EQ(fault_of(lines({revnum, "PATCUT:,AZ", "POLARI:,H/H", "NUPOIN:,1", "0, 0", "1, -1"})),
              "ant.adf\r\nLine number 6\r\n1, -1\r\n");
    // Fewer lines before the next block: the block's keyword line is no data line.
    EXPECT_EQ(fault_of(lines({revnum, "PATCUT:,AZ", "POLARI:,H/H", "NUPOIN:,3", "0, 0", "1, -1",
                              "PATCUT:,EL"})),
              "ant.adf\r\nLine number 7\r\nPATCUT:,EL\r\n");
    // A count beyond the end of the file: reported at the last line, the points read so far of
    // earlier blocks kept.
    EXPECT_EQ(fault_of(lines({revnum, "PATCUT:,EL", "POLARI:,H/H", "NUPOIN:,1", "0, 0",
                              "PATCUT:,AZ", "POLARI:,H/H", "NUPOIN:,2000000000", "0, 0", "1, -1"})),
              "ant.adf\r\nLine number 10\r\n1, -1\r\n");
    EXPECT_EQ(record.cut(4).size(), 1u);
    EXPECT_TRUE(record.cut(0).empty());
    // The file ends after PATCUT.
    EXPECT_EQ(fault_of(lines({revnum, "PATCUT:,AZ"})),
              "ant.adf\r\nLine number 2\r\nPATCUT:,AZ\r\n");
}

TEST_F(NsmaReader, AbsolutePatternWithoutGainIsAFaultAtTheBlockEnd) {
    EXPECT_EQ(fault_of(lines({revnum, "GUNITS:,DBI/DBI", "PATCUT:,AZ", "POLARI:,H/H", "NUPOIN:,2",
                              "0, 40", "90, 5.5", "ANTMAN:,X"})),
              "ant.adf\r\nLine number 7\r\n90, 5.5\r\n");
}

TEST_F(NsmaReader, AFailedReadKeepsWhatWasRead) {
    fault_of(lines({revnum, "ANTMAN:,KEPT", "NONSENSE"}));
    EXPECT_STREQ(record.antenna_spec.manufacturer, "KEPT");
}

TEST_F(NsmaReader, LineNumbersCountTheEntriesOfTheLineList) {
    // Empty lines make entries whatever the line ends.
    for (const std::string end : {"\n", "\r\n", "\r", "\n\r"}) {
        EXPECT_EQ(fault_of(revnum + end + end + end + "ANTMAN ANDREW" + end),
                  "ant.adf\r\nLine number 4\r\nANTMAN ANDREW\r\n")
            << testing::PrintToString(end);
    }
}

// The reader takes NUMCUT as it stands; a claim of more cuts than the file held is warned of,
// as the file may have been cut short between two blocks.
TEST_F(NsmaReader, NumcutBeyondTheCutsHeldIsWarned) {
    const auto cut = [](const char* plane, const char* polarization) {
        return std::vector<std::string>{std::string("PATCUT:,") + plane,
                                        std::string("POLARI:,") + polarization, "NUPOIN:,1",
                                        "0, 0"};
    };
    struct Case {
        const char* numcut;
        std::vector<std::vector<std::string>> cuts;
        const char* warning;
    };
    const std::vector<Case> cases = {
        {"8", {cut("AZ", "H/H"), cut("AZ", "V/V"), cut("EL", "H/H"), cut("EL", "V/V"),
               cut("AZ", "H/V")},
         "NUMCUT says 8, the file holds 5 cuts"},
        {"2", {cut("AZ", "H/H")}, "NUMCUT says 2, the file holds 1 cut"},
        {"1", {}, "NUMCUT says 1, the file holds 0 cuts"},
        {"2", {cut("AZ", "H/H"), cut("EL", "V/V")}, ""},
        {"1", {cut("AZ", "H/H"), cut("EL", "V/V")}, ""},
        {"", {cut("AZ", "H/H")}, ""},
    };
    for (const Case& c : cases) {
        std::string text = lines({revnum, std::string("NUMCUT:,") + c.numcut});
        for (const auto& block : c.cuts) {
            for (const std::string& line : block) {
                text += line + "\r\n";
            }
        }
        SCOPED_TRACE(text);
        ASSERT_EQ(read(text), Nsma_Read_Result::nsma);
        EXPECT_EQ(nsma_cut_count_warning(record), c.warning);
    }
}

TEST_F(NsmaReader, FileErrorsComeFromTheHandler) {
    const auto missing =
        raised_by([&] { read_nsma_file(record, &handler, dir.file("none.adf").c_str()); });
    EXPECT_TRUE(missing.file);
    const auto binary = raised_by([&] { read(std::string("REVNUM:\x01\x02", 9)); });
    EXPECT_TRUE(binary.file);
    EXPECT_EQ(binary.code, 342);
}

} // namespace
