// The NSMA reader: keyword rules, pattern-cut blocks, the size rule and every syntax fault.
#include "antenna_json.h"
#include "antenna_test_support.h"
#include "nsma_format.h"
#include "test_support.h"

#include <gtest/gtest.h>

using antenna_test::lines;
using antenna_test::points_of;
using antenna_test::raised_by;
using antenna_test::revnum;

namespace {

class NsmaReader : public antenna_test::Antenna_Fixture {
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
};

// The lines of each case, after REVNUM, read into a reset record, and the fields they set as the
// dump names them (by JSON pointer). The golden dumps of the antenna JSON test show the reader on
// tricky.adf: a comment before REVNUM, quotes and comments around a value, NSMNUM, duplicate
// angles kept in file order and an absolute pattern in dBi.
TEST_F(NsmaReader, RowValues) {
    const std::string long_text(60, 'M');
    const double foot = 0.3048;
    const struct {
        std::vector<std::string> lines;
        std::vector<std::pair<std::string, Json>> fields;
    } cases[] = {
        // Values are cleaned of quotes, comments and blanks; one trailing comma goes with the
        // line, the second stays with the value; a value that does not start with the comma
        // keeps the one it has.
        {{"ANTMAN:,  \"Andrew\"   // the maker  ", "MODNUM:\"hp\"2-107,,", "COMNT1:,",
          "COMNT2: ,X"},
         {{"/antenna_spec/manufacturer", "ANDREW"}, {"/antenna_spec/model", "HP2-107,"},
          {"/nsma_header/comment1", ""}, {"/nsma_header/comment2", ",X"}}},
        // Texts are cut to their row's size.
        {{"ANTMAN:," + long_text, "DESCR1:," + long_text, "DTDATA:," + long_text,
          "FILNUM:," + long_text},
         {{"/antenna_spec/manufacturer", std::string(41, 'M')},
          {"/antenna_spec/description", std::string(47, 'M')},
          {"/antenna_spec/date", std::string(15, 'M')},
          {"/nsma_header/pattern_file_number", std::string(12, 'M')}}},
        {{"descrp:,B-2"}, {{"/nsma_header/pattern_id", "B-2"}}},
        // The gain units decide both flags: "DBI" found anywhere; no slash as after the reset.
        {{"GUNITS:,DBD/DBI"},
         {{"/gain_in_dbi", true}, {"/pattern_relative", false},
          {"/nsma_header/gain_units_text", "DBD/DBI"}}},
        {{"GUNITS:,DBD"}, {{"/gain_in_dbi", false}, {"/pattern_relative", true}}},
        // The mid-band gain follows the unit read before it.
        {{"GUNITS:,DBD/DBR", "MDGAIN:,17.0"},
         {{"/antenna_spec/gain_dbd", 17.0}, {"/antenna_spec/gain_dbi", 19.15}}},
        {{"MDGAIN:,38.5", "GUNITS:,DBD/DBR"},
         {{"/antenna_spec/gain_dbi", 38.5}, {"/antenna_spec/gain_dbd", 36.35}}},
        // Zero means no value for the elevation width, the tilt and the pattern frequency.
        {{"ELWIDT:,0", "ELTILT:,0.0", "PATFRE:,0", "AZWIDT:,0"},
         {{"/antenna_spec/elevation_beamwidth", nullptr},
          {"/antenna_spec/electrical_tilt", nullptr}, {"/nsma_header/pattern_frequency", nullptr},
          {"/antenna_spec/azimuth_beamwidth", 0.0}}},
        // Reals read the leading number, or 0; beyond a double is no number.
        {{"LOWFRQ:,10700 MHz", "HGHFRQ:,abc", "FRTOBA:,-.5e1x", "MAXPOW:,1e999"},
         {{"/antenna_spec/low_frequency", 10700.0}, {"/antenna_spec/high_frequency", 0.0},
          {"/nsma_header/front_to_back", -5.0}, {"/nsma_header/max_power", 0.0}}},
        // NUMCUT is not compared with the cuts read.
        {{"FEDORN:,right", "FIELD5:,Aperture", "PATTYP:,Envelope", "NOFREQ:,1.00", "NUMCUT:,5"},
         {{"/antenna_spec/feed_orientation", FEED_RIGHT},
          {"/nsma_header/feed_orientation_text", "RIGHT"},
          {"/antenna_spec/technology", TECH_APERTURE},
          {"/antenna_spec/pattern_type", PATTERN_ENVELOPE}, {"/nsma_header/frequency_count", 1},
          {"/nsma_header/cut_count", 5}}},
        // Unknown feed and pattern texts keep the value; an unknown technology is 0.
        {{"FEDORN:,LEFT", "FEDORN:,UP", "PATTYP:,TYPICAL", "PATTYP:,BEST", "FIELD5:,DIPOLE",
          "FIELD5:,HORN"},
         {{"/antenna_spec/feed_orientation", FEED_LEFT},
          {"/nsma_header/feed_orientation_text", "UP"},
          {"/antenna_spec/pattern_type", PATTERN_TYPICAL},
          {"/antenna_spec/technology", TECH_UNKNOWN}}},
        // ENDFIL ends the reading.
        {{"ANTMAN:,A", "endfil:,EOF", "MODNUM:,NOT READ", "garbage"},
         {{"/antenna_spec/model", ""}}},
        // The antenna size: ANTDEP after ANTLEN wins; ANTLEN alone gives the depth too.
        {{"ANTLEN:,1.2", "ANTDEP:,0.5"},
         {{"/antenna_spec/antenna_size", 1.2}, {"/nsma_header/depth", 0.5}}},
        {{"ANTLEN:,1.8"}, {{"/nsma_header/depth", 1.8}}},
        {{"ANTWID:,0.9", "ANTMAN:,ANDREW"}, {{"/antenna_spec/antenna_size", 0.9}}},
        // Andrew models start with their size in feet; "." starts no number.
        {{"ANTMAN:,Andrew Corp.", "MODNUM:,HP2-107"},
         {{"/antenna_spec/antenna_size", 2 * foot}, {"/nsma_header/depth", 0.6096}}},
        {{"ANTMAN:,ANDREW", "MODNUM:,vhlp-800-11"},
         {{"/antenna_spec/antenna_size", 0.8}, {"/nsma_header/depth", nullptr}}},
        {{"ANTMAN:,ANDREW", "MODNUM:,PL.X"}, {{"/antenna_spec/antenna_size", nullptr}}},
        {{"ANTMAN:,RFS", "MODNUM:,SB4-190"}, {{"/antenna_spec/antenna_size", nullptr}}},
    };
    for (const auto& c : cases) {
        const std::string text = revnum + "\r\n" + lines(c.lines);
        SCOPED_TRACE(text);
        ASSERT_EQ(read(text), Nsma_Read_Result::nsma);
        const Json dump = antenna_to_json(record);
        for (const auto& [field, value] : c.fields) {
            const Json& got = dump.at(Json::json_pointer(field));
            if (value.is_number_float() && got.is_number()) {
                EXPECT_DOUBLE_EQ(got.get<double>(), value.get<double>()) << field;
            } else {
                EXPECT_EQ(got, value) << field;
            }
        }
    }
}

// Pattern blocks: their points in the slot of their plane and polarization, sorted by angle,
// as attenuations below the reference.
TEST_F(NsmaReader, PatternBlocksFillTheirSlots) {
    using Points = std::vector<std::pair<float, float>>;
    const struct {
        const char* name;
        std::vector<std::string> lines;
        std::vector<std::pair<int, Points>> slots;
    } cases[] = {
        {"relative cut sorted and negated",
         {"PATCUT:,AZ", "POLARI:,H/H", "NUPOIN:,3", "FSTLST:,180.000,-180.000", "180.000, -40.000,",
          "0.000, 0.000,", "-180.000, -40.500,"},
         {{0, {{-180.0f, 40.5f}, {0.0f, -0.0f}, {180.0f, 40.0f}}}}},
        {"alternative polarizations",
         {"PATCUT:,AZ", "POLARI:,slr/slr", "NUPOIN:,1", "0, -1", "PATCUT:,el", "POLARI:,SLR/SLR",
          "NUPOIN:,1", "0, -2", "PATCUT:,V", "POLARI:,SLL/SLR", "NUPOIN:,1", "0, -3", "PATCUT:,H",
          "POLARI:,V/H", "NUPOIN:,1", "0, -4"},
         {{2, {{0.0f, 1.0f}}}, {6, {{0.0f, 2.0f}}}, {5, {{0.0f, 3.0f}}}, {3, {{0.0f, 4.0f}}}}},
        {"data after NUPOIN without FSTLST",
         {"PATCUT:,EL", "POLARI:,V/V", "NUPOIN:,2", "-10.0, -20.0", "10.0, -21.0", "MODNUM:,AFTER"},
         {{6, {{-10.0f, 20.0f}, {10.0f, 21.0f}}}}},
        {"data lines cleaned before they are read",
         {"PATCUT:,AZ", "POLARI:,H/H", "NUPOIN:,2", "FSTLST:,-5,5", "\t\"-5.0\",\t- 3.25 dB", "+5.0,-3"},
         {{0, {{-5.0f, 3.25f}, {5.0f, 3.0f}}}}},
        {"numbers in exponent form",
         {"PATCUT:,AZ", "POLARI:,H/H", "NUPOIN:,4", "-1E1,-1.5E-01,", "0,-2.5E+01", "1.e1, -3e1 dB",
          "2E+1,\t-2.5e-1"},
         {{0, {{-10.0f, 0.15f}, {0.0f, 25.0f}, {10.0f, 30.0f}, {20.0f, 0.25f}}}}},
        {"a second block for a slot replaces the first",
         {"PATCUT:,AZ", "POLARI:,H/H", "NUPOIN:,2", "0, 0", "1, -1", "PATCUT:,AZ", "POLARI:,H/H",
          "NUPOIN:,1", "7, -7"},
         {{0, {{7.0f, 7.0f}}}}},
        {"levels above the reference keep their sign",
         {"PATCUT:,AZ", "POLARI:,H/H", "NUPOIN:,2", "0, 0.4", "5, -1"},
         {{0, {{0.0f, -0.4f}, {5.0f, 1.0f}}}}},
        // An absolute pattern is taken from the mid-band gain (in dBi: the golden dump of
        // tricky.adf), in dBd the gain in dBd.
        {"absolute in dBd",
         {"GUNITS:,DBD/DBD", "MDGAIN:,20.0", "PATCUT:,AZ", "POLARI:,H/H", "NUPOIN:,1", "0, 18"},
         {{0, {{0.0f, 2.0f}}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(read(revnum + "\r\n" + lines(c.lines)), Nsma_Read_Result::nsma);
        int filled = 0;
        for (const auto& [slot, points] : c.slots) {
            EXPECT_EQ(points_of(record, slot), points) << "slot " << slot;
            EXPECT_EQ(record.antenna_spec.cut_points[slot], static_cast<int>(points.size()));
            ++filled;
        }
        EXPECT_EQ(record.filled_slots(), filled);
    }
    // The keyword line after a block's data lines is read as one.
    read(lines({revnum, "PATCUT:,EL", "POLARI:,V/V", "NUPOIN:,1", "0, 0", "MODNUM:,AFTER"}));
    EXPECT_STREQ(record.antenna_spec.model, "AFTER");
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

// Syntax faults are reported with the file, the line number and the line as it stands.
TEST_F(NsmaReader, SyntaxFaultsGiveTheFileLineAndText) {
    const std::vector<std::string> az = {"PATCUT:,AZ", "POLARI:,H/H", "NUPOIN:,1"};
    const auto block = [&az](std::initializer_list<std::string> more) {
        std::vector<std::string> text = {revnum};
        text.insert(text.end(), az.begin(), az.end());
        text.insert(text.end(), more);
        return text;
    };
    const std::string wide = "0.000000000000000000000, -3.500000000000000000000";
    const std::string huge = "0, -" + std::string(40, '9');
    const struct {
        const char* name;
        std::vector<std::string> lines;
        int line; // 0: read without a fault
        std::string text;
    } cases[] = {
        {"line of 256 characters", {revnum, "COMNT1:," + std::string(248, 'x')}, 2,
         "COMNT1:," + std::string(248, 'x')},
        {"line of 255 characters", {revnum, "COMNT1:," + std::string(247, 'x')}, 0, ""},
        {"no colon", {revnum, "ANTMAN ANDREW"}, 2, "ANTMAN ANDREW"},
        {"keyword of no row, value of no cut type", {revnum, "ANTMAN:,A", "ANTMFR:,ANDREW"}, 3,
         "ANTMFR:,ANDREW"},
        {"unknown cut type", {revnum, "PATCUT:,XY"}, 2, "PATCUT:,XY"},
        // The cut header.
        {"POLARI missing", {revnum, "PATCUT:,AZ", "NUPOIN:,1", "0, 0"}, 3, "NUPOIN:,1"},
        {"unknown polarization", {revnum, "PATCUT:,EL", "POLARI:,H/X", "NUPOIN:,1", "0, 0"}, 3,
         "POLARI:,H/X"},
        {"no colon where NUPOIN is expected", {revnum, "PATCUT:,AZ", "POLARI:,H/H", "0, 0"}, 4,
         "0, 0"},
        {"empty header line", {revnum, "PATCUT:,AZ", "\"\"", "NUPOIN:,1"}, 3, "\"\""},
        {"empty header value", {revnum, "PATCUT:,AZ", "POLARI:,", "NUPOIN:,1"}, 3, "POLARI:"},
        {"FSTLST without two numbers", block({"FSTLST:,0 ,0", "0, 0"}), 5, "FSTLST:,0 ,0"},
        {"negative count", {revnum, "PATCUT:,AZ", "POLARI:,H/H", "NUPOIN:,-2", "0, 0"}, 4,
         "NUPOIN:,-2"},
        // Data lines.
        {"no comma between the numbers", block({"0 -3.5"}), 5, "0 -3.5"},
        {"blank before the comma", block({"0 , -3.5"}), 5, "0 , -3.5"},
        // Long number texts are read (the writer's own lines may be long: "%.3f" of large floats).
        {"long numbers", block({wide}), 0, ""},
        // Data lines longer than 255 characters, whether or not the numbers come first; blanks
        // at the ends are gone before the length counts.
        {"long data line", block({"  1,-2," + std::string(251, '0') + " "}), 5,
         "1,-2," + std::string(251, '0')},
        {"long text after the numbers", block({"  1,-2 " + std::string(251, 'x') + " "}), 5,
         "1,-2 " + std::string(251, 'x')},
        {"long text after the numbers without a blank", block({"  1,-2" + std::string(252, 'x') + " "}),
         5, "1,-2" + std::string(252, 'x')},
        {"data line of 255 characters", block({"  1,-2," + std::string(250, '0') + " "}), 0, ""},
        {"number beyond a float", block({huge}), 5, huge},
        {"exponent beyond a double", block({"0, -1E400"}), 5, "0, -1E400"},
        // Characters inside a number, which cleaning would drop and so join its parts.
        {"letter inside a number", block({"0, -2.5x01"}), 5, "0, -2.5x01"},
        {"plus sign inside a number", block({"0, -2+5"}), 5, "0, -2+5"},
        {"second exponent", block({"1E1E1, -2"}), 5, "1E1E1, -2"},
        {"quote inside a number", block({"0, -1\"5"}), 5, "0, -1\"5"},
        // Counts that disagree with the lines: the next line is read as a keyword line.
        {"more lines than the count", block({"0, 0", "1, -1"}), 6, "1, -1"},
        {"fewer lines before the next block",
         {revnum, "PATCUT:,AZ", "POLARI:,H/H", "NUPOIN:,3", "0, 0", "1, -1", "PATCUT:,EL"}, 7,
         "PATCUT:,EL"},
        {"file ends after PATCUT", {revnum, "PATCUT:,AZ"}, 2, "PATCUT:,AZ"},
        // An absolute pattern without a gain is a fault at the block's end.
        {"absolute pattern without gain",
         {revnum, "GUNITS:,DBI/DBI", "PATCUT:,AZ", "POLARI:,H/H", "NUPOIN:,2", "0, 40", "90, 5.5",
          "ANTMAN:,X"},
         7, "90, 5.5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(fault_of(lines(c.lines)), c.line == 0 ? std::string()
                                              : "ant.adf\r\nLine number " + std::to_string(c.line) +
                                                    "\r\n" + c.text + "\r\n");
    }
    fault_of(lines({revnum, "PATCUT:,AZ", "POLARI:,H/H", "NUPOIN:,1", wide}));
    EXPECT_EQ(points_of(record, 0), (std::vector<std::pair<float, float>>{{0.0f, 3.5f}}));
}

TEST_F(NsmaReader, AFailedReadKeepsWhatWasRead) {
    fault_of(lines({revnum, "ANTMAN:,KEPT", "NONSENSE"}));
    EXPECT_STREQ(record.antenna_spec.manufacturer, "KEPT");
    // A count beyond the end of the file: reported at the last line, the points of earlier
    // blocks kept.
    EXPECT_EQ(fault_of(lines({revnum, "PATCUT:,EL", "POLARI:,H/H", "NUPOIN:,1", "0, 0",
                              "PATCUT:,AZ", "POLARI:,H/H", "NUPOIN:,2000000000", "0, 0", "1, -1"})),
              "ant.adf\r\nLine number 10\r\n1, -1\r\n");
    EXPECT_EQ(record.cut(4).size(), 1u);
    EXPECT_TRUE(record.cut(0).empty());
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
            text += lines(block);
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
