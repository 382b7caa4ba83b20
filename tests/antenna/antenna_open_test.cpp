// Opening any antenna file: the reader chosen by extension and magic, the kind reported, the
// name and gain unit set afterwards, and what a failed open leaves.
#include "antenna_open.h"
#include "antenna_test_support.h"
#include "headerless_pattern.h"
#include "message_catalogue.h"
#include "msi_format.h"
#include "nsma_format.h"
#include "string_list.h"
#include "test_support.h"

#include <algorithm>
#include <gtest/gtest.h>

using antenna_test::Byte_Image;
using antenna_test::lines;
using antenna_test::Raised;
using antenna_test::raised_by;
using kelvor_test::Recording_Presenter;

namespace {

class AntennaOpen : public antenna_test::Antenna_Fixture {
protected:
    Antenna_Open_Result open(const std::string& path) {
        return open_antenna_file(record, &handler, path.c_str(), decisions);
    }

    Antenna_Read_Decisions decisions;
};

std::string asd_bytes(double high_frequency) {
    Byte_Image image(376);
    image.text(0, "QV50_ANTENNA_SPEC_DATA").text(72, "NPX").text(168, "stored-name");
    for (std::size_t offset = 240; offset <= 312; offset += 8) {
        image.f64(offset, NOT_SET);
    }
    image.f64(304, high_frequency);
    return image.bytes();
}

TEST_F(AntennaOpen, KindsByExtensionAndMagic) {
    const std::string nsma = lines({"REVNUM:,NSMA WG16.99.050", "MODNUM:,X"});
    EXPECT_EQ(open(dir.write("a.adf", nsma)).kind, Antenna_Kind::nsma);
    EXPECT_EQ(open(dir.write("a.DAT", nsma)).kind, Antenna_Kind::nsma);
    EXPECT_EQ(open(dir.write("a.txt", nsma)).kind, Antenna_Kind::nsma);
    EXPECT_EQ(open(dir.write("h.dat", lines({"MAKER", "MODEL", "", "", "", "", "", "6-7", "", "",
                                             "HH 1", "0 0"})))
                  .kind,
              Antenna_Kind::pattern);
    EXPECT_EQ(open(dir.write("b.ASD", asd_bytes(NOT_SET))).kind, Antenna_Kind::asd);
    EXPECT_EQ(open(dir.write("b.mas", asd_bytes(NOT_SET))).kind, Antenna_Kind::asd);
    EXPECT_EQ(open(dir.write("m.msi", "NAME X\nVERTICAL 1\n0 0\n")).kind, Antenna_Kind::msi);
    EXPECT_STREQ(antenna_kind_name(Antenna_Kind::pattern), "pattern");
    EXPECT_STREQ(antenna_kind_name(Antenna_Kind::vas), "vas");
}

TEST_F(AntennaOpen, FileNameComesFromThePathNotTheFile) {
    open(dir.write("link-7.asd", asd_bytes(NOT_SET)));
    EXPECT_STREQ(record.antenna_spec.file_name, "link-7");
    open(dir.write(std::string(60, 'n') + ".adf", lines({"REVNUM:,X"})));
    EXPECT_EQ(std::string(record.antenna_spec.file_name), std::string(47, 'n'));
}

TEST_F(AntennaOpen, BinaryGainUnitFollowsTheHighFrequency) {
    for (const auto& [high_frequency, in_dbi] :
         std::vector<std::pair<double, int>>{{450.0, 0}, {890.0, 0}, {890.5, 1}, {NOT_SET, 1}}) {
        open(dir.write("b.asd", asd_bytes(high_frequency)));
        EXPECT_EQ(record.gain_in_dbi, in_dbi) << high_frequency;
    }
}

TEST_F(AntennaOpen, AFileErrorResetsTheRecordASyntaxErrorKeepsWhatWasRead) {
    open(dir.write("good.adf", lines({"REVNUM:,X", "MODNUM:,GOOD", "PATCUT:,AZ", "POLARI:,H/H",
                                      "NUPOIN:,1", "0, 0"})));
    ASSERT_STREQ(record.antenna_spec.model, "GOOD");
    const auto outcome = raised_by([&] { open(dir.write("text.asd", "REVNUM:,X\r\n")); });
    EXPECT_TRUE(outcome.file);
    EXPECT_EQ(outcome.code, MSG_WRONG_FILE_FORMAT);
    EXPECT_STREQ(record.antenna_spec.model, "");
    EXPECT_TRUE(record.cut(0).empty());

    open(dir.file("good.adf"));
    EXPECT_TRUE(raised_by([&] { open(dir.file("missing.vas")); }).file);
    EXPECT_STREQ(record.antenna_spec.model, "");

    // A syntax error keeps what was read.
    EXPECT_TRUE(raised_by([&] {
                    open(dir.write("bad.adf", lines({"REVNUM:,X", "MODNUM:,PARTLY", "NO COLON"})));
                }).syntax);
    EXPECT_STREQ(record.antenna_spec.model, "PARTLY");
}

// Bytes of no antenna format: every text reader refuses them as a file, never as an empty
// record, whatever the extension chooses; the record is left reset.
TEST_F(AntennaOpen, TextsOfNoAntennaFormatAreRefused) {
    std::string random_bytes;
    std::string random_text;
    uint32_t state = 2024;
    for (int i = 0; i < 4096; ++i) {
        state = state * 1664525u + 1013904223u;
        const auto byte = static_cast<unsigned char>(state >> 24);
        random_bytes += static_cast<char>(byte);
        random_text += byte % 61 == 0 ? '\n' : static_cast<char>(byte < 32 ? byte + 32 : byte);
    }
    const std::string radio = antenna_test::data_path("../../../examples/radio/");
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<int> codes; // the refusals each reader may give
    };
    const std::vector<Case> cases = {
        {"empty", "", {MSG_FILE_SIZE_ZERO, MSG_WRONG_FILE_FORMAT}},
        {"zero bytes", std::string(1024, '\0'), {MSG_WRONG_FILE_FORMAT}},
        {"blank lines", std::string(512, '\n') + " \t \r\n\r\n", {MSG_WRONG_FILE_FORMAT}},
        {"comments", lines({"// nothing", "", "// but comments"}), {MSG_WRONG_FILE_FORMAT}},
        {"hello world", "hello world\n", {MSG_WRONG_FILE_FORMAT}},
        {"random bytes", random_bytes, {MSG_NOT_ASCII_TEXT, MSG_WRONG_FILE_FORMAT}},
        {"random text", random_text, {MSG_WRONG_FILE_FORMAT}},
        {"raf5", kelvor_test::read_bytes(radio + "nl180_18g_28m.raf"), {MSG_WRONG_FILE_FORMAT}},
        {"raf4", kelvor_test::read_bytes(radio + "hm6l_16e1q.raf"), {MSG_WRONG_FILE_FORMAT}},
    };
    const auto refused = [](const Raised& outcome, const Case& c) {
        EXPECT_TRUE(outcome.file) << outcome.report;
        EXPECT_NE(std::find(c.codes.begin(), c.codes.end(), outcome.code), c.codes.end())
            << outcome.code;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* extension : {".adf", ".dat", ".pat", ".msi", ".MSI"}) {
            SCOPED_TRACE(extension);
            open(dir.write("good.adf", lines({"REVNUM:,X", "MODNUM:,GOOD", "PATCUT:,AZ",
                                              "POLARI:,H/H", "NUPOIN:,1", "0, 0"})));
            const std::string path = dir.write(std::string("none") + extension, c.bytes);
            refused(raised_by([&] { open(path); }), c);
            EXPECT_STREQ(record.antenna_spec.model, "");
            EXPECT_EQ(record.filled_slots(), 0);
        }
        const std::string path = dir.write("none.txt", c.bytes);
        record.reset_antenna_record();
        refused(raised_by([&] { read_nsma_file(record, &handler, path.c_str()); }), c);
        record.reset_antenna_record();
        refused(raised_by([&] { read_msi_file(record, &handler, path.c_str(), decisions); }), c);
        EXPECT_EQ(record.filled_slots(), 0);
        string_list text;
        try {
            text.set_text(&handler, c.bytes.data(), c.bytes.size());
        } catch (Error_Handler*) {
            continue; // no text: the pattern reader never sees it
        }
        record.reset_antenna_record();
        EXPECT_FALSE(read_headerless_pattern_file(record, text));
    }
    // The texts the refusals give.
    const auto nsma = raised_by([&] { open(dir.write("blank.adf", "\r\n\r\n")); });
    EXPECT_NE(nsma.report.find("Wrong file format\n" + std::string(NOT_NSMA_TEXT)),
              std::string::npos);
    const auto other = raised_by([&] { open(dir.write("hello.adf", "hello world")); });
    EXPECT_NE(other.report.find(NOT_NSMA_OR_PATTERN_TEXT), std::string::npos);
    const auto msi = raised_by([&] { open(dir.write("hello.msi", "hello world")); });
    EXPECT_NE(msi.report.find("Wrong file format\n" + std::string(NOT_MSI_TEXT)),
              std::string::npos);
    // A NAME without a block, or a block without a NAME, is no .msi file either.
    EXPECT_EQ(raised_by([&] { open(dir.write("n.msi", "NAME X\nHORIZONTAL 0\n")); }).code,
              MSG_WRONG_FILE_FORMAT);
    EXPECT_EQ(raised_by([&] { open(dir.write("b.msi", "MAKE X\nHORIZONTAL 1\n0 0\n")); }).code,
              MSG_WRONG_FILE_FORMAT);
}

TEST_F(AntennaOpen, MsiPairIsReadTogetherAndNamedAfterTheCompanion) {
    const std::string vpol = dir.write("npx_Vpol.msi", "NAME NPX\nVERTICAL 2\n-1 0\n1 3\n");
    dir.write("npx_Hpol.msi", "POLARIZATION H\nHORIZONTAL 2\n0 0\n90 20\n");
    const Antenna_Open_Result result = open(vpol);
    EXPECT_EQ(result.kind, Antenna_Kind::msi);
    EXPECT_EQ(result.named_path, dir.file("npx_Hpol.msi"));
    EXPECT_STREQ(record.antenna_spec.file_name, "npx_Hpol");
    EXPECT_STREQ(record.antenna_spec.model, "NPX");
    EXPECT_EQ(record.cut(6).size(), 2u); // vertical polarization, elevation
    EXPECT_EQ(record.cut(0).size(), 2u); // the companion's horizontal block

    // Without its companion the file is named after itself.
    const std::string alone = dir.write("solo_Vpol.msi", "NAME SOLO\nVERTICAL 2\n-1 0\n1 3\n");
    EXPECT_EQ(open(alone).named_path, alone);
    EXPECT_STREQ(record.antenna_spec.file_name, "solo_Vpol");
}

// The decisions of the open pass on to the .msi reader, which tells how it took them.
TEST_F(AntennaOpen, TheDecisionsPassOnToTheMsiReader) {
    const std::string path = dir.write("back.msi", "NAME B\nVERTICAL 3\n-10 20\n5 0\n10 25\n");
    decisions.reverse_backwards = true;
    open(path);
    EXPECT_EQ(record.cut(6).front().attenuation, 25.0f);
    EXPECT_EQ(decisions.answered,
              std::vector<std::string>{"Elevation pattern appears to be backwards: reversed"});
}

TEST_F(AntennaOpen, TextsCutOnReadingAreToldWithTheKindFound) {
    const std::string descr1(72, 'D');
    const struct {
        std::string name;
        std::string text;
        Antenna_Kind kind;
        std::vector<std::string> cut;
    } cases[] = {
        {"long.adf",
         lines({"REVNUM:,X", "DESCR1:," + descr1, "MODNUM:," + std::string(41, 'M'),
                "FEDORN:,LEFT HAND FEED", "GUNITS:,DBI/DBR OVER THE BAND"}),
         Antenna_Kind::nsma,
         {"DESCR1 cut to 47 characters (25 lost)", "FEDORN cut to 12 characters (2 lost)",
          "GUNITS cut to 14 characters (7 lost)"}},
        {"long.pat",
         lines({std::string(50, 'A'), "MODEL", "", "", "", std::string(30, '1'), "", "6-7", "", "",
                "HH 1", "0 0"}),
         Antenna_Kind::pattern,
         {"ANTMAN cut to 47 characters (3 lost)", "DTDATA cut to 23 characters (7 lost)"}},
        {"long.msi",
         "NAME X\nGAIN 17.5 dBi_typical_over_band\nVERTICAL 1\n0 0\n",
         Antenna_Kind::msi,
         {"GAIN unit cut to 14 characters (7 lost)"}},
        {"fits.adf",
         lines({"REVNUM:,X", "DESCR1:," + std::string(47, 'D')}),
         Antenna_Kind::nsma,
         {}},
    };
    for (const auto& c : cases) {
        open(dir.write(c.name, c.text));
        EXPECT_EQ(decisions.kind, c.kind) << c.name;
        EXPECT_EQ(decisions.texts_cut, c.cut) << c.name;
    }
    open(dir.write("b.asd", asd_bytes(NOT_SET)));
    EXPECT_EQ(decisions.kind, Antenna_Kind::asd);
    // A file that fails tells the kind its name chose, not that of the file before.
    EXPECT_TRUE(raised_by([&] {
                    open(dir.write("bad.adf", lines({"REVNUM:,X", "NO COLON"})));
                }).syntax);
    EXPECT_EQ(decisions.kind, Antenna_Kind::nsma);
}

TEST_F(AntennaOpen, ConvertToAdfWritesNsmaFromAnyFile) {
    const std::string source = dir.write("uhf.asd", asd_bytes(450.0));
    const std::string written =
        convert_to_adf(record, &handler, source.c_str(), dir.path().c_str(), decisions);
    EXPECT_EQ(written, dir.file("uhf.adf"));
    EXPECT_EQ(decisions.kind, Antenna_Kind::asd);
    Antenna_Record again;
    EXPECT_EQ(open_antenna_file(again, &handler, written.c_str(), decisions).kind,
              Antenna_Kind::nsma);
    EXPECT_STREQ(again.antenna_spec.model, "NPX");
    EXPECT_DOUBLE_EQ(again.antenna_spec.high_frequency, 450.0);
    EXPECT_EQ(again.gain_in_dbi, 0); // written as DBD/DBR
}

// The example files of the distribution open as what they are meant to show.
TEST_F(AntennaOpen, ExamplesOpenAsTheirKind) {
    const std::string examples = antenna_test::data_path("../../../examples/antenna/");
    Recording_Presenter presenter; // any question would be a fault of an example
    struct Example {
        const char* name;
        Antenna_Kind kind;
        int filled_slots;
        int32_t technology;
    };
    for (const Example& example :
         {Example{"npx120_11_envelope.adf", Antenna_Kind::nsma, 8, TECH_APERTURE},
          Example{"dp450_dipole.dat", Antenna_Kind::nsma, 2, TECH_UNKNOWN},
          Example{"pnl450_Vpol.msi", Antenna_Kind::msi, 4, TECH_UNKNOWN},
          Example{"npx180_6.pat", Antenna_Kind::pattern, 6, TECH_UNKNOWN}}) {
        SCOPED_TRACE(example.name);
        EXPECT_EQ(open(examples + example.name).kind, example.kind);
        EXPECT_EQ(record.filled_slots(), example.filled_slots);
        EXPECT_EQ(record.antenna_spec.technology, example.technology);
    }
    EXPECT_TRUE(presenter.shown.empty());
}

} // namespace
