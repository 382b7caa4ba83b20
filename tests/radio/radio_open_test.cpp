// Opening a radio file of any kind as a version 5 or a version 4 record: the reader its first
// bytes choose, the conversion between the versions, the files each editor refuses, and what the
// caller is told besides.
#include "error_handler.h"
#include "message_catalogue.h"
#include "radio4_format.h"
#include "radio4_record.h"
#include "radio_open.h"
#include "radio_record.h"
#include "raf_format.h"
#include "rsd_format.h"
#include "syntax_error.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

using kelvor_test::read_bytes;
using kelvor_test::Recording_Presenter;
using kelvor_test::Temp_Dir;

namespace {

std::string example(const char* name) {
    return read_bytes(std::string(KELVOR_EXAMPLES_DIR) + "/radio/" + name);
}

std::string rsd_file(bool locked) {
    Radio_Record record;
    record.reset();
    copy_text(record.radio_spec.model, "BINARY 5");
    return rsd_image(record, locked);
}

// An .mrs file with a curve of no version 5 type beside one that has one.
std::string mrs_file() {
    Radio4_Record record;
    record.reset();
    copy_text(record.radio_spec.model, "BINARY 4");
    const double points[] = {0, 20, 10, 5};
    for (const char* name : {"TtoI_CW", "Bogus"}) {
        Radio4_Curve& curve = record.append_curve();
        curve.set_name(name);
        set_curve_points(curve, 2, points);
    }
    return mrs_bytes(record);
}

// What opening a file told: the model read, or how the open was refused.
struct Opened {
    std::string model;
    std::vector<std::string> warnings;
    int code = -1;    // the catalogue code of a refusal
    std::string info; // its information text
};

Opened read_as(const std::string& model, std::vector<std::string> warnings = {}) {
    return {model, std::move(warnings), -1, ""};
}
Opened refused(int code, const std::string& info = "") {
    return {"", {}, code, info};
}

template <typename Record>
Opened open_as(std::vector<std::string> (*open)(Record&, const char*, Error_Handler*),
               const std::string& path) {
    Record record;
    Error_Handler handler;
    Opened opened;
    try {
        opened.warnings = open(record, path.c_str(), &handler);
    } catch (Error_Handler* raised) {
        opened.code = raised->get_error_code();
        opened.info = raised->get_info_text() ? raised->get_info_text() : "";
        return opened;
    }
    opened.model = record.radio_spec.model;
    return opened;
}

// The first bytes tell the kind, and each editor's reader; the version 4 to 5 batch takes
// version 4 ASCII files only.
TEST(RadioOpen, TheFirstBytesChooseTheReader) {
    using K = Radio_File_Kind;
    struct Case {
        std::string head;
        K kind;
        K as_v5;
        K as_v4;
        bool v4_batch;
    } const cases[] = {
        {std::string("QVW401RADIOSPEC\0\x9b\x03\0\0", 20), K::mrs, K::mrs, K::mrs, false},
        {std::string("QVW40_RADIOSPEC\0\x9b\x03\0\0", 20), K::mrs, K::mrs, K::mrs, false},
        {"QVW40_RADIOSPEC\r\nMANUFACT\tx", K::raf4, K::raf4, K::raf4, true},
        {" \r\n\r\nQVW40_RADIOSPEC\nMODEL x", K::raf4, K::raf4, K::raf4, true},
        // The identifier alone is an empty ASCII file, never a binary one.
        {"QVW40_RADIOSPEC", K::raf4, K::raf4, K::raf4, true},
        {"QVW40_RADIOSPE", K::unknown, K::unknown, K::unknown, false},
        {"\tQVW40_RADIOSPEC\r\n", K::unknown, K::unknown, K::unknown, false},
        {"\r\n  QVW40_RADIOSPEC\n", K::raf4, K::raf4, K::raf4, true},
        {"QVW401RADIOSPEC\r\n", K::mrs, K::mrs, K::mrs, false},
        {"\r\n QV50_ASCII_RADIO_SPEC_02", K::raf5, K::raf5, K::raf5, false},
        {"QV50_ASCII_RADIO_SPEC_01\r\n", K::raf5, K::raf5, K::raf5, false},
        {"QV50_ASCII_RADIO_SPEC_03", K::raf5, K::raf5, K::raf5, false},
        {"QV50_ASCII_RADIO_SPEC_04", K::raf5, K::raf5, K::unknown, false},
        {"QV50_RADIO_SPEC_04", K::rsd, K::rsd, K::rsd, false},
        {"QV50_RADIO_SPEC_02", K::unknown, K::unknown, K::rsd, false},
        {"", K::unknown, K::unknown, K::unknown, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.head);
        EXPECT_EQ(radio_kind_of(c.head.data(), c.head.size()), c.kind);
        EXPECT_EQ(v5_open_kind(c.head), c.as_v5);
        EXPECT_EQ(v4_open_kind(c.head), c.as_v4);
        EXPECT_EQ(v4_batch_converts(c.head.data(), c.head.size()), c.v4_batch);
    }
}

TEST(RadioOpen, EachEditorTakesTheKindsItKnowsAndConvertsTheOthers) {
    const std::string no_end = "no ENDFIL: the file may be cut short";
    const std::string unknown_curve = "Unknown radio curve Bogus: left out";
    struct Case {
        const char* name;
        std::string bytes;
        Opened as_v5;
        Opened as_v4;
    };
    const Opened not_taken = refused(MSG_INVALID_RADIO_SUFFIX);
    const Opened locked = refused(0, RSD_LOCKED_TEXT);
    const Case cases[] = {
        {"version 5 ASCII 04", example("hx23_am_56m.raf"), read_as("HX-23 Adaptive"), not_taken},
        {"version 5 ASCII 02 without ENDFIL", "QV50_ASCII_RADIO_SPEC_02\r\nMODEL:\tOLD\r\n",
         read_as("OLD", {no_end}), read_as("OLD", {no_end})},
        {"version 5 binary", rsd_file(false), read_as("BINARY 5"), read_as("BINARY 5")},
        {"locked version 5 binary", rsd_file(true), locked, locked},
        {"version 4 ASCII", example("hm6l_16e1q.raf"), read_as("HM-6L 16E1"),
         read_as("HM-6L 16E1")},
        {"version 4 binary", mrs_file(), read_as("BINARY 4", {unknown_curve}), read_as("BINARY 4")},
        // Texts longer than their fields are kept in part, and each cut is told.
        {"version 5 ASCII 03 with long texts",
         "QV50_ASCII_RADIO_SPEC_03\r\nMODEL:\t" + std::string(50, 'm') +
             "\r\nTX_POWER_OPTIONS_NAME:\tA, " + std::string(20, 'p') + "\r\nADMOD_1:\t" +
             std::string(17, 'q') + ", R, -70\r\nACU_CONFIG_1:\t" + std::string(47, 'n') +
             ", 0\r\nTtoI_Other:\t2, R1, " + std::string(49, 'r') + "\r\n0, 1\r\n1, 2\r\nENDFIL\r\n",
         read_as(std::string(47, 'm'),
                 {"MODEL cut to 47 characters (3 lost)",
                  "TX_POWER_OPTIONS_NAME cut to 15 characters (5 lost)",
                  "ADMOD_1 cut to 15 characters (2 lost)", "ACU_CONFIG_1 cut to 46 characters (1 lost)",
                  "TtoI_Other cut to 47 characters (2 lost)"}),
         read_as(std::string(23, 'm'),
                 {"MODEL cut to 47 characters (3 lost)",
                  "TX_POWER_OPTIONS_NAME cut to 15 characters (5 lost)",
                  "ADMOD_1 cut to 15 characters (2 lost)", "ACU_CONFIG_1 cut to 46 characters (1 lost)",
                  "TtoI_Other cut to 47 characters (2 lost)", "MODEL cut to 23 characters (24 lost)",
                  "curve TtoI_" + std::string(47, 'r') + " cut to 23 characters (29 lost)"})},
        {"version 5 ASCII 04 with long table texts",
         "QV50_ASCII_RADIO_SPEC_04\r\nMODEL:\tT\r\nNUM_ACM_STATES:\t1\r\nADMOD_A01 :\t" +
             std::string(20, 'q') + ", R, -70\r\nADMOD_B01:\t\r\nADMOD_C01:\t\r\nNUM_ACU_CONFIG:\t1\r\n"
             "ACU_CNFG_01:\t" + std::string(50, 'n') + ", 0\r\nENDFIL\r\n",
         read_as("T", {"ADMOD_A01 cut to 15 characters (5 lost)",
                       "ACU_CNFG_01 cut to 46 characters (4 lost)"}),
         not_taken},
        {"version 4 ASCII with long texts",
         "QVW40_RADIOSPEC\r\nMODEL\t" + std::string(30, 'm') +
             "\r\nCAPACITY\tSTM1+2E1\r\nTtoI_" + std::string(25, 'c') +
             "\t2\r\n0 1\r\n1 2\r\nENDFIL\r\n",
         read_as(std::string(23, 'm'),
                 {"MODEL cut to 23 characters (7 lost)", "CAPACITY cut to 7 characters (1 lost)",
                  "curve TtoI_" + std::string(25, 'c') + " cut to 23 characters (7 lost)"}),
         read_as(std::string(23, 'm'),
                 {"MODEL cut to 23 characters (7 lost)", "CAPACITY cut to 7 characters (1 lost)",
                  "curve TtoI_" + std::string(25, 'c') + " cut to 23 characters (7 lost)"})},
        // The version 4 editor takes any "QV50_RADIO_SPEC" file as binary, whose reader refuses it.
        {"unknown binary version", "QV50_RADIO_SPEC_02" + std::string(60, '\0'), not_taken,
         refused(MSG_WRONG_FILE_FORMAT)},
        {"no radio file", "hello world\r\n", not_taken, not_taken},
        {"empty", "", not_taken, not_taken},
    };
    Temp_Dir dir;
    Recording_Presenter presenter;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.write("radio.raf", c.bytes);
        for (const auto& [opened, expected] :
             {std::pair{open_as<Radio_Record>(open_radio_as_v5, path), c.as_v5},
              std::pair{open_as<Radio4_Record>(open_radio_as_v4, path), c.as_v4}}) {
            EXPECT_EQ(opened.code, expected.code);
            EXPECT_EQ(opened.info, expected.info);
            EXPECT_EQ(opened.model, expected.model);
            EXPECT_EQ(opened.warnings, expected.warnings);
        }
    }
    // Nobody was asked anything.
    EXPECT_TRUE(presenter.shown.empty());
}

// The file is read once, whole: a binary file larger than any binary radio file is refused after
// its first bytes, a syntax fault raises as the reader raises it.
TEST(RadioOpen, LimitsAndFaultsOfTheFileRead) {
    Temp_Dir dir;
    Error_Handler handler;
    Radio_Record record;
    const std::string big = dir.write("big.rsd", "QV50_RADIO_SPEC_04");
    ASSERT_EQ(::truncate(big.c_str(), off_t{MAX_BINARY_FILE_SIZE} + 1), 0);
    try {
        open_radio_as_v5(record, big.c_str(), &handler);
        ADD_FAILURE() << "not refused";
    } catch (Error_Handler* raised) {
        ASSERT_NE(raised->get_info_text(), nullptr);
        EXPECT_EQ(std::string(raised->get_info_text()),
                  "File too large: 67108865 bytes, where a binary data file holds at most 64 MB");
    }
    const std::string bad =
        dir.write("bad.raf", "QV50_ASCII_RADIO_SPEC_04\r\nNUM_ACM_STATES:\t9\r\nENDFIL\r\n");
    try {
        open_radio_as_v5(record, bad.c_str(), &handler);
        ADD_FAILURE() << "no syntax error";
    } catch (Data_Syntax_Error* error) {
        EXPECT_EQ(error->line_number(), 2);
        EXPECT_STREQ(error->file_name(), "bad.raf");
    }
}

} // namespace
