// The binary antenna files: byte images built from the layout tables are read into the right
// fields and slots, the writers put every field at its offset, and bad files are refused with
// the right code.
#include "antenna_binary.h"
#include "antenna_test_support.h"
#include "byte_reader.h"
#include "message_catalogue.h"
#include "qvfileio.h"
#include "test_support.h"

#include <cstring>
#include <gtest/gtest.h>
#include <limits>

using antenna_test::Byte_Image;
using antenna_test::points_of;
using antenna_test::raised_by;
using kelvor_test::read_bytes;

namespace {

using Points = std::vector<std::pair<float, float>>;

class AntennaBinary : public antenna_test::Antenna_Fixture {
protected:
    Antenna_Kind read(const std::string& name, const std::string& bytes) {
        handler.init_fileio(name.c_str());
        record.reset_antenna_record();
        Byte_Reader file(&handler, bytes);
        texts_cut.clear();
        return read_antenna_binary(file, record, &texts_cut);
    }
    // The catalogue code a read raised, 0 when it raised nothing.
    int code_of(const std::string& bytes) {
        const auto outcome = raised_by([&] { read("bad.asd", bytes); });
        return outcome.file ? outcome.code : 0;
    }
    std::vector<std::string> texts_cut;
};

// An .asd header from the offset table.
Byte_Image asd_header() {
    Byte_Image image(376);
    image.text(0, "QV50_ANTENNA_SPEC_DATA")
        .text(24, "NORDIC MICROWAVE")
        .text(72, "NPX-120-11")
        .text(120, "1.2 m parabolic, 10.7-11.7 GHz")
        .text(168, "npx120")
        .text(216, "2024-03-01")
        .f64(240, 40.6)
        .f64(248, 38.45)
        .f64(256, 1.2)
        .f64(264, 1.6)
        .f64(272, 1.7)
        .f64(280, NOT_SET)
        .f64(288, NOT_SET)
        .f64(296, 10700.0)
        .f64(304, 11700.0)
        .f64(312, NOT_SET)
        .i32(320, 2)
        .i32(324, 1)
        .i32(360, 2);
    return image;
}

// A .mas record from the offset table, counts in file order.
Byte_Image mas_record(std::initializer_list<int16_t> counts) {
    Byte_Image image(155);
    image.text(0, "QVW40-MAT")
        .u8(10, 2)
        .text(11, "NORDIC MICROWAVE")
        .text(43, "NPX-60-23")
        .text(67, "2001-05-20")
        .text(83, "npx60")
        .f64(99, 21200.0)
        .f64(107, 23600.0)
        .f64(115, 39.5)
        .f64(123, 0.6)
        .f64(131, 1.5);
    std::size_t offset = 139;
    for (const int16_t count : counts) {
        image.i16(offset, count);
        offset += 2;
    }
    return image;
}

// A .vas record from the offset table.
Byte_Image vas_record(int16_t az_vv, int16_t el_vv, int16_t az_hh, int16_t el_hh) {
    Byte_Image image(269);
    image.text(0, "QVW40-VAS")
        .text(10, "NORDIC MICROWAVE")
        .text(42, "DP-450")
        .text(66, "Folded dipole, 450 MHz")
        .text(114, "dp450")
        .u8(130, 1)
        .f64(131, 440.0)
        .f64(139, 470.0)
        .f64(147, 3.25)
        .f64(155, 2.1)
        .f64(163, 0.1) // stored as it is, not derived
        .f64(171, 0.0)
        .f64(179, 360.0)
        .f64(187, 78.0)
        .text(195, "skipped bytes, any content")
        .i16(229, az_vv)
        .i16(231, el_vv)
        .i16(233, az_hh)
        .i16(235, el_hh)
        .text(237, "skipped too");
    return image;
}

TEST_F(AntennaBinary, AsdHeaderFieldsAndSlotsInOrder) {
    Byte_Image image = asd_header();
    image.i32(328 + 4 * 1, 2)
        .i32(328 + 4 * 6, 1)
        .points({{-1.0f, 10.0f}, {1.0f, 11.0f}, {0.0f, 0.5f}});
    EXPECT_EQ(read("npx.asd", image.bytes()), Antenna_Kind::asd);
    EXPECT_STREQ(record.antenna_spec.manufacturer, "NORDIC MICROWAVE");
    EXPECT_STREQ(record.antenna_spec.model, "NPX-120-11");
    EXPECT_STREQ(record.antenna_spec.description, "1.2 m parabolic, 10.7-11.7 GHz");
    EXPECT_STREQ(record.antenna_spec.file_name, "npx120");
    EXPECT_STREQ(record.antenna_spec.date, "2024-03-01");
    EXPECT_EQ(record.antenna_spec.gain_dbi, 40.6);
    EXPECT_EQ(record.antenna_spec.gain_dbd, 38.45);
    EXPECT_EQ(record.antenna_spec.high_frequency, 11700.0);
    EXPECT_EQ(record.antenna_spec.technology, TECH_APERTURE);
    EXPECT_EQ(record.antenna_spec.feed_orientation, FEED_LEFT);
    EXPECT_EQ(record.antenna_spec.pattern_type, PATTERN_ENVELOPE);
    EXPECT_EQ(points_of(record, 1), (Points{{-1.0f, 10.0f}, {1.0f, 11.0f}}));
    EXPECT_EQ(points_of(record, 6), (Points{{0.0f, 0.5f}}));
    EXPECT_EQ(record.antenna_spec.cut_points[1], 2);
    EXPECT_EQ(record.antenna_spec.cut_points[6], 1);
}

TEST_F(AntennaBinary, TheMagicDecidesNotTheExtension) {
    EXPECT_EQ(read("really-asd.mas", asd_header().bytes()), Antenna_Kind::asd);
    EXPECT_STREQ(record.antenna_spec.model, "NPX-120-11");
    EXPECT_EQ(read("really-mas.asd", mas_record({0, 0, 0, 0, 0, 0, 0, 0}).bytes()),
              Antenna_Kind::mas);
    EXPECT_EQ(read("really-vas.adf", vas_record(0, 0, 0, 0).bytes()), Antenna_Kind::vas);
}

TEST_F(AntennaBinary, MasCountsAreInTheirOwnOrderAndArraysInSlotOrder) {
    Byte_Image image = mas_record({10, 20, 0, 0, 5, 0, 0, 0});
    image.point_run(10, 0.0f, 1.0f).point_run(20, 100.0f, 2.0f).point_run(5, -50.0f, 3.0f);
    EXPECT_EQ(read("npx60.mas", image.bytes()), Antenna_Kind::mas);
    ASSERT_EQ(record.cut(0).size(), 10u);
    ASSERT_EQ(record.cut(2).size(), 20u);
    ASSERT_EQ(record.cut(4).size(), 5u);
    EXPECT_EQ(record.cut(0)[9].angle, 9.0f);
    EXPECT_EQ(record.cut(2)[0].angle, 100.0f);
    EXPECT_EQ(record.cut(2)[0].attenuation, 2.0f);
    EXPECT_EQ(record.cut(4)[4].angle, -46.0f);
    for (const int slot : {1, 3, 5, 6, 7}) {
        EXPECT_TRUE(record.cut(slot).empty()) << slot;
    }
    EXPECT_EQ(record.antenna_spec.cut_points[2], 20);
}

TEST_F(AntennaBinary, MasFieldsAndWhatItDoesNotCarry) {
    // The file is shorter than an .asd header and still a good file.
    Byte_Image image = mas_record({0, 0, 0, 0, 0, 0, 0, 0});
    image.text(11, std::string(32, 'M')); // a field without its terminator
    read("npx60.mas", image.bytes());
    EXPECT_EQ(record.antenna_spec.technology, TECH_APERTURE);
    EXPECT_EQ(record.antenna_spec.feed_orientation, FEED_RIGHT);
    EXPECT_EQ(std::string(record.antenna_spec.manufacturer), std::string(32, 'M'));
    EXPECT_STREQ(record.antenna_spec.model, "NPX-60-23");
    EXPECT_STREQ(record.antenna_spec.file_name, "npx60");
    EXPECT_EQ(record.antenna_spec.gain_dbi, 39.5);
    EXPECT_DOUBLE_EQ(record.antenna_spec.gain_dbd, 37.35);
    EXPECT_EQ(record.antenna_spec.antenna_size, 0.6);
    EXPECT_EQ(record.antenna_spec.azimuth_beamwidth, 1.5);
    EXPECT_EQ(record.antenna_spec.elevation_beamwidth, NOT_SET);
    EXPECT_EQ(record.antenna_spec.electrical_tilt, NOT_SET);
    EXPECT_STREQ(record.antenna_spec.description, "");
    EXPECT_STREQ(record.antenna_spec.magic, "");

    // A missing gain stays missing in both units.
    image.f64(115, NOT_SET);
    read("nogain.mas", image.bytes());
    EXPECT_EQ(record.antenna_spec.gain_dbd, NOT_SET);
}

TEST_F(AntennaBinary, VasIsADipoleWithCopolarSlotsOnly) {
    Byte_Image image = vas_record(2, 1, 3, 1);
    // Arrays in slot order: 0 (H/H az, 3), 2 (V/V az, 2), 4 (H/H el, 1), 6 (V/V el, 1).
    image.point_run(3, 0.0f, 0.0f)
        .point_run(2, 10.0f, 1.0f)
        .point_run(1, 20.0f, 2.0f)
        .point_run(1, 30.0f, 3.0f);
    EXPECT_EQ(read("dp450.vas", image.bytes()), Antenna_Kind::vas);
    EXPECT_EQ(record.antenna_spec.technology, TECH_DIPOLE);
    EXPECT_EQ(record.antenna_spec.feed_orientation, FEED_NA);
    EXPECT_EQ(record.antenna_spec.pattern_type, PATTERN_TYPICAL);
    EXPECT_STREQ(record.antenna_spec.description, "Folded dipole, 450 MHz");
    EXPECT_EQ(record.antenna_spec.reserved_2, 3.25);
    EXPECT_EQ(record.antenna_spec.gain_dbi, 2.1);
    EXPECT_EQ(record.antenna_spec.gain_dbd, 0.1);
    EXPECT_EQ(record.antenna_spec.electrical_tilt, 0.0);
    EXPECT_EQ(record.antenna_spec.elevation_beamwidth, 78.0);
    EXPECT_EQ(record.antenna_spec.antenna_size, NOT_SET);
    EXPECT_EQ(points_of(record, 0), (Points{{0, 0}, {1, 0}, {2, 0}}));
    EXPECT_EQ(points_of(record, 2), (Points{{10, 1}, {11, 1}}));
    EXPECT_EQ(points_of(record, 4), (Points{{20, 2}}));
    EXPECT_EQ(points_of(record, 6), (Points{{30, 3}}));
    for (const int slot : {1, 3, 5, 7}) {
        EXPECT_TRUE(record.cut(slot).empty()) << slot;
    }
}

TEST_F(AntennaBinary, PointsOutOfOrderAreSortedTextsWithoutTerminatorAreCut) {
    Byte_Image image = asd_header();
    image.text(24, std::string(48, 'A')).text(216, std::string(24, 'D'));
    image.i32(328, 3).points({{5.0f, 1.0f}, {-5.0f, 2.0f}, {0.0f, 0.0f}});
    read("npx.asd", image.bytes());
    EXPECT_EQ(points_of(record, 0), (Points{{-5, 2}, {0, 0}, {5, 1}}));
    EXPECT_EQ(std::string(record.antenna_spec.manufacturer), std::string(47, 'A'));
    EXPECT_EQ(std::string(record.antenna_spec.date), std::string(23, 'D'));
    EXPECT_EQ(texts_cut, (std::vector<std::string>{"ANTMAN cut to 47 characters (1 lost)",
                                                   "DTDATA cut to 23 characters (1 lost)"}));
    // A .vas description fills the record's field of the same size.
    read("dp.vas", vas_record(0, 0, 0, 0).text(66, std::string(48, 'd')).bytes());
    EXPECT_EQ(std::string(record.antenna_spec.description), std::string(47, 'd'));
    EXPECT_EQ(texts_cut, std::vector<std::string>{"DESCR1 cut to 47 characters (1 lost)"});
    // Texts with their terminator lose nothing.
    read("npx.asd", asd_header().bytes());
    EXPECT_TRUE(texts_cut.empty());
}

TEST_F(AntennaBinary, BadFilesAreRefusedWithTheirCode) {
    EXPECT_EQ(code_of("QV50_ANTENNA_SPEC_DATX" + std::string(400, '\0')), MSG_WRONG_FILE_FORMAT);
    EXPECT_EQ(code_of(""), MSG_WRONG_FILE_FORMAT);
    EXPECT_EQ(code_of("REVNUM:,NSMA WG16.99.050\r\n"), MSG_WRONG_FILE_FORMAT);
    // Shorter than the header its magic announces.
    EXPECT_EQ(code_of(asd_header().bytes().substr(0, 375)), MSG_READ_ERROR_AT_EOF);
    EXPECT_EQ(code_of(mas_record({}).bytes().substr(0, 154)), MSG_READ_ERROR_AT_EOF);
    EXPECT_EQ(code_of(vas_record(0, 0, 0, 0).bytes().substr(0, 268)), MSG_READ_ERROR_AT_EOF);
    // Shorter than its point arrays.
    Byte_Image short_arrays = asd_header();
    short_arrays.i32(328, 2).points({{0.0f, 0.0f}});
    EXPECT_EQ(code_of(short_arrays.bytes()), MSG_READ_ERROR_AT_EOF);
    // A count no file could hold is refused before anything is allocated for it.
    Byte_Image huge = asd_header();
    huge.i32(328 + 4 * 3, 0x7FFFFFFF);
    EXPECT_EQ(code_of(huge.bytes()), MSG_READ_ERROR_AT_EOF);
    Byte_Image negative = mas_record({0, -4, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(code_of(negative.bytes()), MSG_WRONG_FILE_FORMAT);
    // A point that is no number.
    Byte_Image nan_point = asd_header();
    nan_point.i32(328, 1).points({{0.0f, std::numeric_limits<float>::quiet_NaN()}});
    EXPECT_EQ(code_of(nan_point.bytes()), MSG_WRONG_FILE_FORMAT);
}

TEST_F(AntennaBinary, AFailedReadKeepsCountsThatDescribeTheArraysRead) {
    Byte_Image image = asd_header();
    image.i32(328, 1).i32(332, 5).points({{0.0f, 0.0f}, {1.0f, 1.0f}});
    EXPECT_EQ(code_of(image.bytes()), MSG_READ_ERROR_AT_EOF);
    EXPECT_STREQ(record.antenna_spec.model, "NPX-120-11");
    EXPECT_EQ(record.antenna_spec.cut_points[0], 1);
    EXPECT_EQ(record.antenna_spec.cut_points[1], 0);
    EXPECT_TRUE(record.cut(1).empty());
}

TEST_F(AntennaBinary, AsdWriterPutsEveryFieldAtItsOffset) {
    Byte_Image image = asd_header();
    image.i32(328 + 4 * 2, 2)
        .i32(328 + 4 * 7, 1)
        .points({{-1.0f, 3.0f}, {1.0f, 4.0f}, {9.0f, 9.5f}});
    read("in.asd", image.bytes());
    std::memset(record.antenna_spec.magic, 0, sizeof record.antenna_spec.magic);
    const std::string path = dir.file("out.asd");
    write_asd_file(record, &handler, path.c_str());
    const std::string bytes = read_bytes(path);
    // Header, then slot 2 and slot 7; nothing for the empty slots.
    EXPECT_EQ(bytes, image.bytes());
    EXPECT_EQ(bytes.size(), 376u + 3 * 8);
    EXPECT_STREQ(record.antenna_spec.magic, "QV50_ANTENNA_SPEC_DATA");
}

TEST_F(AntennaBinary, MasWriterLayout) {
    record.reset_antenna_record();
    copy_text_field(record.antenna_spec.manufacturer, std::string(40, 'M').c_str());
    copy_text_field(record.antenna_spec.model, "NPX-60-23 WITH A LONG MODEL NAME");
    copy_text_field(record.antenna_spec.date, "2024-03-01 10:00:00");
    copy_text_field(record.antenna_spec.file_name, "npx60");
    record.antenna_spec.feed_orientation = FEED_LEFT;
    record.antenna_spec.low_frequency = 21200.0;
    record.antenna_spec.high_frequency = 23600.0;
    record.antenna_spec.gain_dbi = 39.5;
    record.antenna_spec.antenna_size = 0.6;
    record.antenna_spec.azimuth_beamwidth = 1.5;
    record.set_cut(1, {{0.0f, 20.0f}});
    record.set_cut(2, {{-1.0f, 1.0f}, {1.0f, 1.0f}});
    record.set_cut(5, {{0.0f, 30.0f}, {1.0f, 31.0f}, {2.0f, 32.0f}});
    const std::string path = dir.file("npx60.mas");
    write_mas_file(record, &handler, path.c_str());
    Byte_Image expected(155);
    expected.text(0, "QVW40-MAT")
        .u8(10, 1)
        .text(11, std::string(31, 'M'))
        .text(43, "NPX-60-23 WITH A LONG M")
        .text(67, "2024-03-01 10:0")
        .text(83, "npx60")
        .f64(99, 21200.0)
        .f64(107, 23600.0)
        .f64(115, 39.5)
        .f64(123, 0.6)
        .f64(131, 1.5);
    // Counts in the order of slots 0, 2, 1, 3, 4, 6, 5, 7; arrays in slot order: 1, 2, 5.
    const int16_t counts[8] = {0, 2, 1, 0, 0, 0, 3, 0};
    for (std::size_t i = 0; i < 8; ++i) {
        expected.i16(139 + 2 * i, counts[i]);
    }
    expected.points({{0, 20}, {-1, 1}, {1, 1}, {0, 30}, {1, 31}, {2, 32}});
    EXPECT_EQ(read_bytes(path), expected.bytes());

    // And it reads back.
    Antenna_Record again;
    const std::string written = read_bytes(path);
    Byte_Reader file(&handler, written);
    EXPECT_EQ(read_antenna_binary(file, again), Antenna_Kind::mas);
    for (int slot = 0; slot < PATTERN_SLOTS; ++slot) {
        EXPECT_EQ(points_of(again, slot), points_of(record, slot)) << slot;
    }
}

TEST_F(AntennaBinary, MasWriterRefusesCutsTooLongForItsCounts) {
    record.reset_antenna_record();
    record.set_cut(0, std::vector<Pattern_Point>(32767));
    const std::string fits = dir.file("fits.mas");
    write_mas_file(record, &handler, fits.c_str());
    EXPECT_EQ(read_bytes(fits).size(), 155u + 32767u * 8);

    record.set_cut(4, std::vector<Pattern_Point>(32768));
    const std::string path = dir.write("big.mas", "old");
    const auto outcome = raised_by([&] { write_mas_file(record, &handler, path.c_str()); });
    EXPECT_TRUE(outcome.file);
    EXPECT_EQ(outcome.report, "File error - " + path +
                                  "\nWrong file format\nA pattern cut of a version 4 antenna data "
                                  "file holds at most 32767 points.\n");
    EXPECT_EQ(read_bytes(path), "old");
}

} // namespace
