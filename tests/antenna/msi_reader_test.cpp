// The .msi reader and its companion: keywords, gain units, angle wrapping, polarization, the
// faults it raises, the decision it takes, and counts beyond the end of the file.
#include "antenna_test_support.h"
#include "msi_format.h"
#include "syntax_error.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <optional>

using antenna_test::points_of;
using antenna_test::raised_by;
using kelvor_test::Recording_Presenter;
using kelvor_test::Temp_Dir;

namespace {

using Points = std::vector<std::pair<float, float>>;

// A block that makes keyword lines an .msi file.
const std::string block = "HORIZONTAL 1\n0 0\n";

class MsiReader : public testing::Test {
protected:
    // Reads `text` after a NAME line, which every .msi file has, as the file "ant.msi".
    void read(const std::string& text) {
        record.reset_antenna_record();
        read_msi_file(record, &handler, dir.write("ant.msi", "NAME TEST\n" + text).c_str(),
                      decisions);
    }
    // Reads as read does; "LINE: FAULT" of the syntax error raised, "" when none.
    std::string fault_of(const std::string& text) {
        try {
            read(text);
        } catch (Data_Syntax_Error* error) {
            EXPECT_STREQ(error->file_name(), "ant.msi");
            return std::to_string(error->line_number()) + ": " + error->fault();
        }
        return "";
    }

    Temp_Dir dir;
    Error_Handler handler;
    Antenna_Record record;
    Antenna_Read_Decisions decisions;
};

TEST_F(MsiReader, KeywordsFillTheirFields) {
    Recording_Presenter presenter;
    read("NAME  NPX-60 23GHz \r\nMAKE Nordic Microwave\r\nFREQUENCY 23000 MHz\r\nH_WIDTH 1.5\r\n"
         "V_WIDTH 1.6\r\nFRONT_TO_BACK 62\r\nTILT -2\r\nCOMMENT envelope, 2024\r\nUNKNOWN 5\r\n"
         "GAIN 41.2 dBi\r\n" + block);
    EXPECT_STREQ(record.antenna_spec.model, "NPX-60 23GHz");
    EXPECT_STREQ(record.antenna_spec.manufacturer, "Nordic Microwave");
    EXPECT_EQ(record.antenna_spec.low_frequency, 23000.0);
    EXPECT_EQ(record.antenna_spec.high_frequency, NOT_SET);
    EXPECT_EQ(record.antenna_spec.azimuth_beamwidth, 1.5);
    EXPECT_EQ(record.antenna_spec.elevation_beamwidth, 1.6);
    EXPECT_EQ(record.header.front_to_back, 62.0);
    EXPECT_EQ(record.antenna_spec.electrical_tilt, -2.0);
    EXPECT_STREQ(record.header.comment1, "envelope, 2024");
    EXPECT_EQ(record.gain_in_dbi, 1);
    EXPECT_EQ(record.antenna_spec.gain_dbi, 41.2);
    EXPECT_DOUBLE_EQ(record.antenna_spec.gain_dbd, 39.05);
    EXPECT_STREQ(record.header.gain_units_text, "dBi");
    EXPECT_TRUE(presenter.shown.empty());

    read("BEAM_WIDTH 65\nELECTRICAL_TILT 6\nV_WIDTH\n" + block);
    EXPECT_EQ(record.antenna_spec.azimuth_beamwidth, 65.0);
    EXPECT_EQ(record.antenna_spec.electrical_tilt, 6.0);
    EXPECT_EQ(record.antenna_spec.elevation_beamwidth, 0.0); // no number gives 0
}

TEST_F(MsiReader, GainUnitsOtherThanTheThreeDbiFormsAreDbd) {
    read("GAIN 17.5 dBd\n" + block);
    EXPECT_EQ(record.gain_in_dbi, 0);
    EXPECT_EQ(record.antenna_spec.gain_dbd, 17.5);
    EXPECT_DOUBLE_EQ(record.antenna_spec.gain_dbi, 19.65);
    read("GAIN 17.5 DBi\n" + block);
    EXPECT_EQ(record.gain_in_dbi, 0);
    read("GAIN 17.5 dbi\n" + block);
    EXPECT_EQ(record.gain_in_dbi, 1);
    read("GAIN 17.5 dBi_typical_over_band\n" + block); // too long for its field: cut, not dBi
    EXPECT_STREQ(record.header.gain_units_text, "dBi_typical_ov");
    EXPECT_EQ(record.gain_in_dbi, 0);
}

TEST_F(MsiReader, HorizontalAnglesWrapToPlusMinus180) {
    std::string text = "HORIZONTAL 360\n";
    for (int angle = 0; angle < 360; ++angle) {
        text += std::to_string(angle) + " " + std::to_string(angle == 0 ? 0 : 10) + ".5\n";
    }
    read(text);
    const auto cut = record.cut(2); // vertical polarization by default
    ASSERT_EQ(cut.size(), 360u);
    EXPECT_EQ(cut.front().angle, -179.0f);
    EXPECT_EQ(cut.back().angle, 180.0f);
    EXPECT_TRUE(std::is_sorted(cut.begin(), cut.end(), compare_pattern_angles));
    EXPECT_EQ(cut[179].angle, 0.0f);
    EXPECT_EQ(cut[179].attenuation, 0.5f);
}

TEST_F(MsiReader, PolarizationChoosesTheSlotsOfTheBlocksAfterIt) {
    read("VERTICAL 1\n0 0\nPOLARIZATION H\nHORIZONTAL 1\n0 1\nVERTICAL 1\n0 2\n"
         "POLARIZATION V\nHORIZONTAL 1\n0 3\n");
    EXPECT_EQ(points_of(record, 6), (Points{{0, 0}}));
    EXPECT_EQ(points_of(record, 0), (Points{{0, 1}}));
    EXPECT_EQ(points_of(record, 4), (Points{{0, 2}}));
    EXPECT_EQ(points_of(record, 2), (Points{{0, 3}}));
}

TEST_F(MsiReader, ShortPointLinesGiveZeros) {
    read("HORIZONTAL 3.9\n10\n\n-20 x\n");
    EXPECT_EQ(points_of(record, 2), (Points{{-20, 0}, {0, 0}, {10, 0}}));
}

TEST_F(MsiReader, PointNumbersInExponentFormAndNumbersCutShort) {
    read("HORIZONTAL 4\n3.5E2 1.5E-01\n0 2.5e+01\n1e1\t3E1dB\n2E+1 2.5E-1 x9\n");
    EXPECT_EQ(points_of(record, 2), (Points{{-10, 0.15f}, {0, 25}, {10, 30}, {20, 0.25f}}));
    // A number followed by more digits in its word would be read from part of it.
    for (const char* line : {"0 2.5x01", "0 1,5", "1.2.3 0", "0 1E1E1", "1-5 0"}) {
        EXPECT_EQ(fault_of(std::string("HORIZONTAL 2\n0 0\n") + line + "\n"),
                  "4: a number of a pattern data line has other characters inside it")
            << line;
    }
}

// A fault of the file ends the read as a failure at its line, the record keeping what was read
// before it; nothing is shown.
TEST_F(MsiReader, OverLongTextsAreFaultsOfTheirLine) {
    Recording_Presenter presenter;
    EXPECT_EQ(fault_of("COMMENT " + std::string(79, 'c') + "\n" + block), "");
    EXPECT_EQ(std::string(record.header.comment1), std::string(79, 'c'));
    EXPECT_EQ(fault_of("MAKE " + std::string(47, 'm') + "\n" + block), "");

    EXPECT_EQ(fault_of("MAKE Kept\nCOMMENT " + std::string(80, 'c') + "\n" + block),
              "3: COMMENT field must be less than 80 characters");
    EXPECT_STREQ(record.antenna_spec.manufacturer, "Kept");
    EXPECT_STREQ(record.header.comment1, "");
    EXPECT_TRUE(record.cut(2).empty());
    EXPECT_EQ(fault_of("NAME " + std::string(48, 'n') + "\n" + block),
              "2: NAME field must be less than 48 characters");
    EXPECT_STREQ(record.antenna_spec.model, "TEST");
    EXPECT_EQ(fault_of("MAKE " + std::string(48, 'm') + "\n" + block),
              "2: MAKE field must be less than 48 characters");
    EXPECT_TRUE(presenter.shown.empty());
}

// The reader asks nobody: the caller's decisions, an answer or a callback, say whether a pattern
// that looks backwards is mirrored, and the reader tells how each was taken.
TEST_F(MsiReader, ABackwardsElevationPatternIsTakenAsTheDecisionsSay) {
    const std::string backwards = "VERTICAL 4\n-10 20\n-5 10\n5 0\n10 25\n";
    const Points as_written{{-10, 20}, {-5, 10}, {5, 0}, {10, 25}};
    const Points mirrored{{-10, 25}, {-5, 0}, {5, 10}, {10, 20}};
    const std::string reversed = "Elevation pattern appears to be backwards: reversed";
    const std::string kept = "Elevation pattern appears to be backwards: kept as it is";
    struct Case {
        const char* name;
        std::string text;
        bool reverse;
        std::optional<bool> asked_answer; // a callback answering so, or none
        Points expected;
        std::vector<std::string> answered;
        int questions; // calls of the callback
    };
    const Case cases[] = {
        {"yes reverses", backwards, true, std::nullopt, mirrored, {reversed}, 0},
        {"no keeps", backwards, false, std::nullopt, as_written, {kept}, 0},
        {"the callback's yes wins", backwards, false, true, mirrored, {reversed}, 1},
        {"the callback's no wins", backwards, true, false, as_written, {kept}, 1},
        // clang-format off
        {"a peak below the horizon first is no question", "VERTICAL 3\n-5 0\n5 0\n10 3\n",
         true, true, {{-5, 0}, {5, 0}, {10, 3}}, {}, 0},
        {"one question per pattern", backwards + "POLARIZATION H\n" + backwards, false,
         std::nullopt, as_written, {kept, kept}, 0},
        // clang-format on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Recording_Presenter presenter;
        decisions = {};
        decisions.reverse_backwards = c.reverse;
        int questions = 0;
        if (c.asked_answer) {
            decisions.ask_reverse_backwards = [&] {
                ++questions;
                return *c.asked_answer;
            };
        }
        read(c.text);
        EXPECT_EQ(points_of(record, 6), c.expected);
        EXPECT_EQ(decisions.answered, c.answered);
        EXPECT_EQ(questions, c.questions);
        EXPECT_TRUE(presenter.shown.empty());
    }
    // The companion takes its patterns as they are.
    record.reset_antenna_record();
    EXPECT_TRUE(read_msi_companion(record, &handler, dir.write("c.msi", backwards).c_str()));
    EXPECT_EQ(points_of(record, 6), as_written);
}

TEST_F(MsiReader, ABlockTheFileEndsInsideIsAFaultAfterThePointsPresent) {
    Recording_Presenter presenter;
    EXPECT_EQ(fault_of("HORIZONTAL 1e9\n0 0\n5 3\n"),
              "2: HORIZONTAL pattern: the file ends after 2 of 1000000000 points");
    EXPECT_EQ(points_of(record, 2), (Points{{0, 0}, {5, 3}}));
    EXPECT_TRUE(presenter.shown.empty());
    // The companion's blocks are faults of the companion.
    record.reset_antenna_record();
    try {
        read_msi_companion(record, &handler,
                           dir.write("c.msi", "POLARIZATION H\nVERTICAL 3\n1 2\n").c_str());
        ADD_FAILURE() << "no fault raised";
    } catch (Data_Syntax_Error* error) {
        EXPECT_STREQ(error->file_name(), "c.msi");
        EXPECT_EQ(error->line_number(), 2);
        EXPECT_EQ(error->fault(), "VERTICAL pattern: the file ends after 1 of 3 points");
    }
    EXPECT_EQ(points_of(record, 4), (Points{{1, 2}}));
    // Counts that are no count make no block.
    read("HORIZONTAL -3\n0 0\nVERTICAL x\nVERTICAL 1\n0 0\n");
    EXPECT_TRUE(record.cut(2).empty());
    EXPECT_EQ(record.cut(6).size(), 1u);
}

TEST_F(MsiReader, CompanionKnowsOnlyTheBlockKeywords) {
    record.reset_antenna_record();
    EXPECT_TRUE(read_msi_companion(
        record, &handler,
        dir.write("h.msi", "NAME OTHER\nGAIN 3 dBd\nPOLARIZATION Hpol\nVERTICAL 1\n0 0\n")
            .c_str()));
    EXPECT_STREQ(record.antenna_spec.model, "");
    EXPECT_EQ(record.antenna_spec.gain_dbi, NOT_SET);
    EXPECT_EQ(record.cut(4).size(), 1u);
    EXPECT_FALSE(read_msi_companion(record, &handler, dir.file("missing.msi").c_str()));
}

TEST_F(MsiReader, CompanionPathSwapsThePolarizationInTheFileName) {
    EXPECT_EQ(msi_companion_path("/data/Vpol/ant_Vpol_Vpol.msi"), "/data/Vpol/ant_Hpol_Vpol.msi");
    EXPECT_EQ(msi_companion_path("/data/ant_Hpol.msi"), "/data/ant_Vpol.msi");
    EXPECT_EQ(msi_companion_path("/data/Hpol/ant_vpol.msi"), "");
}

TEST_F(MsiReader, AMissingFileIsAFileError) {
    EXPECT_TRUE(raised_by([&] {
                    read_msi_file(record, &handler, dir.file("none.msi").c_str(), decisions);
                }).file);
}

} // namespace
