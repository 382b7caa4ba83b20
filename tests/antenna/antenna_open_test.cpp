// Opening any antenna file: the reader chosen by extension and magic, the kind reported, the
// name and gain unit set afterwards, and what a failed open leaves.
#include "antenna_open.h"
#include "antenna_test_support.h"
#include "message_catalogue.h"
#include "test_support.h"

#include <gtest/gtest.h>

using antenna_test::Byte_Image;
using antenna_test::lines;
using antenna_test::raised_by;
using kelvor_test::Recording_Presenter;
using kelvor_test::Temp_Dir;

namespace {

class AntennaOpen : public testing::Test {
protected:
    Antenna_Open_Result open(const std::string& path) {
        return open_antenna_file(record, &handler, path.c_str());
    }

    Temp_Dir dir;
    Error_Handler handler;
    Antenna_Record record;
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
    EXPECT_EQ(
        open(dir.write("h.dat", lines({"MAKER", "MODEL", "", "", "", "", "", "6-7", "", ""}))).kind,
        Antenna_Kind::pattern);
    EXPECT_EQ(open(dir.write("b.ASD", asd_bytes(NOT_SET))).kind, Antenna_Kind::asd);
    EXPECT_EQ(open(dir.write("b.mas", asd_bytes(NOT_SET))).kind, Antenna_Kind::asd);
    EXPECT_EQ(open(dir.write("m.msi", "NAME X\n")).kind, Antenna_Kind::msi);
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
    open(dir.write("uhf.asd", asd_bytes(450.0)));
    EXPECT_EQ(record.gain_in_dbi, 0);
    open(dir.write("gsm.asd", asd_bytes(890.0)));
    EXPECT_EQ(record.gain_in_dbi, 0);
    open(dir.write("mw.asd", asd_bytes(890.5)));
    EXPECT_EQ(record.gain_in_dbi, 1);
    open(dir.write("unknown.asd", asd_bytes(NOT_SET)));
    EXPECT_EQ(record.gain_in_dbi, 1);
}

TEST_F(AntennaOpen, AFileErrorResetsTheRecord) {
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
}

TEST_F(AntennaOpen, ASyntaxErrorKeepsWhatWasRead) {
    const auto outcome = raised_by([&] {
        open(dir.write("bad.adf", lines({"REVNUM:,X", "MODNUM:,PARTLY", "NO COLON"})));
    });
    EXPECT_TRUE(outcome.syntax);
    EXPECT_STREQ(record.antenna_spec.model, "PARTLY");
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
}

TEST_F(AntennaOpen, ConvertToAdfWritesNsmaFromAnyFile) {
    const std::string source = dir.write("uhf.asd", asd_bytes(450.0));
    const std::string written =
        convert_to_adf(record, &handler, source.c_str(), dir.path().c_str());
    EXPECT_EQ(written, dir.file("uhf.adf"));
    Antenna_Record again;
    EXPECT_EQ(open_antenna_file(again, &handler, written.c_str()).kind, Antenna_Kind::nsma);
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
