// The binary radio file: layout, the three versions, the lock and every kind of damaged file.
#include "radio_json.h"
#include "radio_test_support.h"
#include "rsd_format.h"
#include "rsd_old_blocks.h"

#include "message_catalogue.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using kelvor_test::read_bytes;

namespace {

template <typename T>
void put(std::string& image, std::size_t offset, const T& value) {
    kelvor_test::put_at(image, offset, value);
}

template <typename T>
T get(const std::string& image, std::size_t offset) {
    return kelvor_test::value_at<T>(image, offset);
}

class RsdFile : public testing::Test, public kelvor_test::Raf_Fixture {
protected:
    // Writes `image` as a file and reads it; the catalogue code raised, or 0.
    int read_image(const std::string& image) {
        const std::string path = dir.write("radio.rsd", image);
        record.reset();
        try {
            read_rsd_file(record, path.c_str(), &handler);
        } catch (Error_Handler* raised) {
            EXPECT_EQ(raised, &handler);
            return handler.get_error_code();
        }
        return 0;
    }

    std::string image_of_example(const char* name) {
        EXPECT_TRUE(read(read_bytes(kelvor_test::example_file("radio", name))));
        return rsd_image(record, false);
    }
};

TEST_F(RsdFile, EmptyRecordIsTheFixedPartOnly) {
    record.reset();
    const std::string image = rsd_image(record, false);
    ASSERT_EQ(image.size(), RSD_FIXED_SIZE);
    EXPECT_EQ(std::string(image.data(), 18), "QV50_RADIO_SPEC_04");
    for (int i = 18; i < 24; ++i) {
        EXPECT_EQ(image[i], '\0') << i;
    }
    EXPECT_EQ(get<uint32_t>(image, 24), 136u);
    EXPECT_EQ(get<uint32_t>(image, 28), 1808u);
    EXPECT_EQ(get<uint32_t>(image, 32), 128u);
    EXPECT_EQ(get<uint32_t>(image, 36), 112u);
    EXPECT_EQ(get<int32_t>(image, 40), 0);
    EXPECT_EQ(get<uint32_t>(image, 44), 376u);
    EXPECT_EQ(get<double>(image, 56 + 8), NOT_SET); // threshold 0's BER
    EXPECT_EQ(static_cast<unsigned char>(image[600 + 3]), 1); // selective fading
    EXPECT_EQ(get<int32_t>(image, 600 + 740), -1);            // capacity count
    EXPECT_FALSE(is_rsd_locked(image.data(), image.size()));
}

TEST_F(RsdFile, WriteDerivesCleansUpAndWhatTheRecordHoldsComesBack) {
    for (const char* name : {"nl180_18g_28m.raf", "hx23_am_56m.raf", "ac450_lm_12k5.raf"}) {
        SCOPED_TRACE(name);
        const std::string image = image_of_example(name);
        for (const Radio_Curve& curve : record.curves) {
            EXPECT_FALSE(is_derived_type(curve.curve_type)) << curve.name;
        }
        if (std::string(name) == "nl180_18g_28m.raf") {
            // Four curves of the file plus the two masks and the calculated selectivity.
            EXPECT_EQ(get<int32_t>(image, 40), 7);
            EXPECT_EQ(record.curves.count(), 4);
            EXPECT_EQ(record.radio_spec.selectivity_source, 3);
        }
        // The writer completed the record; what it holds now must come back from the file.
        const auto expected = radio_to_json(record);
        ASSERT_EQ(read_image(image), 0);
        EXPECT_EQ(radio_to_json(record), expected);
    }
}

TEST_F(RsdFile, CouplingUnitLossesThatDoNotApplyAreCleared) {
    record.reset();
    record.acu_table.make(1);
    record.acu_table[0].ANT = ACU_DR;
    record.acu_table[0].CRC = record.acu_table[0].RXF = 1.0;
    const std::string image = rsd_image(record, false);
    EXPECT_EQ(record.acu_table[0].CRC, NOT_SET);
    EXPECT_EQ(record.acu_table[0].RXF, 1.0);
    EXPECT_EQ(get<double>(image, RSD_FIXED_SIZE + 72), NOT_SET);
    EXPECT_EQ(get<double>(image, RSD_FIXED_SIZE + 104), 1.0);
}

TEST_F(RsdFile, StoredSpecOfAnotherSize) {
    record.reset();
    copy_text(record.radio_spec.manufacturer, "Big");
    record.radio_spec.tr_fixed = 12.5;
    std::string image = rsd_image(record, false);

    // Larger: the extra bytes are skipped and the curves after them still read.
    std::string larger = image;
    put(larger, 28, uint32_t{1900});
    larger.insert(600 + 1808, std::string(92, '\x7f'));
    ASSERT_EQ(read_image(larger), 0);
    EXPECT_STREQ(record.radio_spec.manufacturer, "Big");
    EXPECT_EQ(record.radio_spec.tr_fixed, 12.5);

    // Smaller: what it does not hold keeps the reset defaults.
    std::string smaller = image;
    put(smaller, 28, uint32_t{1000});
    smaller.erase(600 + 1000, 808);
    ASSERT_EQ(read_image(smaller), 0);
    EXPECT_STREQ(record.radio_spec.manufacturer, "Big");
    EXPECT_EQ(record.radio_spec.tr_fixed, NOT_SET);
    EXPECT_EQ(record.radio_spec.freq_separations[0], NOT_SET);
}

TEST_F(RsdFile, CurvesAreSortedAndRetypedFromTheirName) {
    record.reset();
    const double pairs[] = {0, 1, 5, 2, 9, 3};
    record.curves.set_curve_points(record.curves.add_curve(CURVE_RX_FILTER, nullptr), 3, pairs);
    std::string image = rsd_image(record, false);
    const std::size_t curve = RSD_FIXED_SIZE;
    ASSERT_EQ(get<int32_t>(image, 40), 1); // nothing to derive from a filter alone
    // Stored out of order and with a wrong type byte.
    put(image, curve + 84, uint8_t{3});
    put(image, curve + 112, 9.0f);
    put(image, curve + 112 + 24, 0.0f);
    ASSERT_EQ(read_image(image), 0);
    const Radio_Curve& filter = record.curves[0];
    EXPECT_EQ(filter.curve_type, CURVE_RX_FILTER);
    EXPECT_EQ(filter.points[0].offset, 0.0f);
    EXPECT_EQ(filter.points[2].offset, 9.0f);
    EXPECT_EQ(filter.x_min, 0.0f);
    EXPECT_EQ(filter.x_max, 9.0f);
}

TEST_F(RsdFile, DamagedFilesAreRefusedWithAClearCode) {
    record.reset();
    const double pairs[] = {0, 1, 5, 2};
    record.curves.set_curve_points(record.curves.add_curve(CURVE_TTOI_OTHER, "R1"), 2, pairs);
    record.acm_table.make(2);
    const std::string good = rsd_image(record, false);
    ASSERT_EQ(read_image(good), 0);

    // `good` with `value` put at `offset`.
    const auto with = [&good](std::size_t offset, auto value) {
        std::string bad = good;
        put(bad, offset, value);
        return bad;
    };
    const std::size_t curve = RSD_FIXED_SIZE + 2 * 376;
    std::string no_type_name = with(curve + 84, uint8_t{250});
    std::memset(no_type_name.data() + curve, 'x', 80);
    const struct {
        const char* name;
        std::string bytes;
        int code;
    } cases[] = {
        {"older identifier", "QV50_RADIO_SPEC_02" + good.substr(18), MSG_WRONG_FILE_FORMAT},
        {"shorter than the identifier", "short", MSG_WRONG_FILE_FORMAT},
        {"cut in the header", good.substr(0, 30), MSG_READ_ERROR_AT_EOF},
        {"cut by a byte", good.substr(0, good.size() - 1), MSG_READ_ERROR_AT_EOF},
        {"cut in the fixed part", good.substr(0, 1000), MSG_READ_ERROR_AT_EOF},
        {"negative state count", with(48, int32_t{-1}), MSG_WRONG_FILE_FORMAT},
        {"huge state count", with(48, int32_t{0x7fffffff}), MSG_READ_ERROR_AT_EOF},
        {"huge curve count", with(40, int32_t{1000000}), MSG_READ_ERROR_AT_EOF},
        // Stored sizes of zero for what the file must hold.
        {"no threshold size", with(24, uint32_t{0}), MSG_WRONG_FILE_FORMAT},
        {"no radio_spec size", with(28, uint32_t{0}), MSG_WRONG_FILE_FORMAT},
        {"no curve header size", with(36, uint32_t{0}), MSG_WRONG_FILE_FORMAT},
        {"no state size", with(44, uint32_t{0}), MSG_WRONG_FILE_FORMAT},
        {"absurd radio_spec size", with(28, uint32_t{0xfffffff0}), MSG_READ_ERROR_AT_EOF},
        {"huge point count", with(curve + 108, uint32_t{0xffffffff}), MSG_READ_ERROR_AT_EOF},
        {"huge code count", with(curve + 80, uint32_t{0x10000000}), MSG_READ_ERROR_AT_EOF},
        {"a name that is no type name", no_type_name, MSG_WRONG_FILE_FORMAT},
        {"point not a number", with(curve + 112 + 48, std::numeric_limits<float>::quiet_NaN()),
         MSG_WRONG_FILE_FORMAT},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(read_image(c.bytes), c.code) << c.name;
    }
}

TEST_F(RsdFile, CountedStructuresAreNoSmallerThanTheirOldestLayout) {
    record.reset();
    const double pairs[] = {0, 1, 5, 2};
    record.curves.set_curve_points(record.curves.add_curve(CURVE_TTOI_OTHER, "R1"), 2, pairs);
    record.acm_table.make(2);
    copy_text(record.acm_table[1].Mod, "QPSK");
    record.acu_table.make(1);
    const std::string good = rsd_image(record, false);
    // States of 280 bytes, as the older main blocks held them, still read.
    std::string oldest = good;
    put(oldest, 44, uint32_t{280});
    oldest.erase(RSD_FIXED_SIZE + 376 + 280, 96);
    oldest.erase(RSD_FIXED_SIZE + 280, 96);
    ASSERT_EQ(read_image(oldest), 0);
    ASSERT_EQ(record.acm_table.count(), 2);
    EXPECT_STREQ(record.acm_table[1].Mod, "QPSK");
    EXPECT_EQ(record.curves.count(), 1);

    const struct {
        std::size_t size_at;
        uint32_t smallest;
    } sizes[] = {{44, 280}, {32, 48}, {36, 112}}; // states, configurations, curve headers
    for (const auto& size : sizes) {
        std::string bad = good;
        put(bad, size.size_at, size.smallest - 1);
        EXPECT_EQ(read_image(bad), MSG_WRONG_FILE_FORMAT) << size.size_at;
    }
}

TEST_F(RsdFile, TextsWithoutTerminatorsAreCut) {
    record.reset();
    std::string image = rsd_image(record, false);
    std::memset(image.data() + 600 + 24, 'M', 48 * 3); // manufacturer, model, code unterminated
    ASSERT_EQ(read_image(image), 0);
    EXPECT_EQ(std::string(record.radio_spec.manufacturer), std::string(47, 'M'));
    EXPECT_EQ(std::string(record.radio_spec.radio_code), std::string(47, 'M'));
}

TEST_F(RsdFile, LockIsWrittenReplacingTheFileWholeAndFoundAfterLeadingBlanks) {
    record.reset();
    const std::string path = dir.write("out.rsd", "old");
    write_rsd_file(record, path.c_str(), &handler, true);
    const std::string written = read_bytes(path);
    EXPECT_EQ(written.size(), RSD_FIXED_SIZE);
    EXPECT_EQ(static_cast<unsigned char>(written[22]), 0x9A);
    EXPECT_EQ(static_cast<unsigned char>(written[23]), 0x02);
    EXPECT_TRUE(is_rsd_locked(written.data(), written.size()));

    std::string locked = "QV50_RADIO_SPEC_03";
    locked.resize(24, '\0');
    locked[22] = static_cast<char>(0x9A);
    locked[23] = 0x02;
    std::string other_mark = locked;
    other_mark[23] = 0x03;
    for (const auto& [bytes, is_locked] : std::vector<std::pair<std::string, bool>>{
             {locked, true}, {" \r\n " + locked, true}, {other_mark, false},
             {"QV50_RADIO_SPEC_04", false}, {"QV50_ASCII_RADIO_SPEC_04", false}}) {
        EXPECT_EQ(is_rsd_locked(bytes.data(), bytes.size()), is_locked) << testing::PrintToString(bytes);
    }
}

// Older files, built byte by byte.
std::string old_file(const char* identifier, uint32_t block_size, const std::string& block) {
    std::string image(44, '\0');
    std::memcpy(image.data(), identifier, 18);
    put(image, 24, uint32_t{136});
    put(image, 28, block_size);
    put(image, 32, uint32_t{100}); // older, shorter configurations
    put(image, 36, uint32_t{112});
    put(image, 40, int32_t{0});
    for (int i = 0; i < 4; ++i) {
        std::string threshold(136, '\0');
        put(threshold, 16, -80.0 - i);
        image += threshold;
    }
    image += block;
    for (int n = 0; n < 6; ++n) {
        std::string config(100, '\0');
        if (n == 2) {
            std::memcpy(config.data(), "Duplexer", 8);
            put(config, 72, 1.5);
        }
        image += config;
    }
    return image;
}

TEST_F(RsdFile, VersionOneReadsFormA) {
    std::string a(OLD_FORM_A_SIZE, '\0');
    a[0] = 2;  // application type
    a[3] = 0;  // selective fading
    a[10] = 3; // selectivity source
    std::memcpy(a.data() + 24, "Old Maker", 9);
    std::memcpy(a.data() + 348, std::string(24, 'T').data(), 24); // radio type, unterminated
    put(a, 660, int32_t{16});
    std::memcpy(a.data() + 664 + 16, "QPSK", 4); // state 1 modulation
    put(a, 664 + 72, -88.0);                     // state 1 threshold
    put(a, 664 + 80, 15.0);
    put(a, 1816 + 8, 6.3); // state 1 signature delay
    put(a, 1436, int32_t{2048});
    put(a, 1456, 8.448);
    put(a, 1464, 7100.0);
    put(a, 1488, 27.0);  // first TX power option
    put(a, 1568, 3.5);   // TX 3 dB bandwidth
    put(a, 1712, 20.0);  // ATPC range
    put(a, 1800, 161.0); // T-R fixed
    put(a, 2328, NOT_SET);
    put(a, 2368, NOT_SET); // RX 3 dB bandwidth
    put(a, 2376, NOT_SET); // RX data rate
    ASSERT_EQ(read_image(old_file("QV50_RADIO_SPEC_01", OLD_FORM_A_SIZE, a)), 0);
    const Radio_Spec& s = record.radio_spec;
    EXPECT_EQ(s.application_type, 2);
    EXPECT_EQ(s.selective_fading, 0);
    EXPECT_EQ(s.selectivity_source, 3);
    EXPECT_STREQ(s.manufacturer, "Old Maker");
    EXPECT_EQ(std::string(s.radio_type), std::string(23, 'T'));
    EXPECT_EQ(s.capacity_count, 16);
    EXPECT_EQ(s.bits_block, 2048);
    EXPECT_EQ(s.freq_low, 7100.0);
    EXPECT_EQ(s.tx_power_options[0], 27.0);
    EXPECT_EQ(s.tr_fixed, 161.0);
    // Version 01 takes the partners' values and moves the ATPC range into the first option.
    EXPECT_EQ(s.bandwidth_3db_rx, 3.5);
    EXPECT_EQ(s.rx_data_rate, 8.448);
    EXPECT_EQ(s.atpc_options[0], 20.0);
    EXPECT_EQ(s.atpc_range, NOT_SET);
    EXPECT_EQ(s.tx_power_min_options[0], NOT_SET);
    EXPECT_EQ(s.required_rx_signal, NOT_SET);
    EXPECT_EQ(record.thresholds[2].threshold_dbm, -82.0);

    ASSERT_EQ(record.acm_table.count(), 1);
    EXPECT_STREQ(record.acm_table[0].Mod, "QPSK");
    EXPECT_EQ(record.acm_table[0].RXthr10_6, -88.0);
    EXPECT_EQ(record.acm_table[0].min_ctoi, 15.0);
    EXPECT_EQ(record.acm_table[0].sig_delay, 6.3);
    EXPECT_EQ(record.acm_table[0].XPIF, NOT_SET);

    ASSERT_EQ(record.acu_table.count(), 1);
    EXPECT_STREQ(record.acu_table[0].Configuration, "Duplexer");
    EXPECT_EQ(record.acu_table[0].CRC, 1.5);
    EXPECT_EQ(record.acu_table[0].DRC, NOT_SET); // beyond the stored 100 bytes
}

TEST_F(RsdFile, VersionThreeReadsFormB) {
    std::string b(OLD_FORM_B_SIZE, '\0');
    b[3] = 2;
    std::memcpy(b.data() + 32, "Maker B", 7);
    std::memcpy(b.data() + 668 + 16, "High", 4); // second power option name
    put(b, 748, int32_t{4});
    const std::size_t state = 752 + 280; // second row
    std::memcpy(b.data() + state + 16, "16QAM", 5);
    put(b, state + 72, -80.0);
    put(b, state + 208, 25.0); // XPIF
    put(b, 3552, int32_t{19440});
    put(b, 3584, 155.52); // RX data rate
    put(b, 3696 + 32, 7.0); // fifth ATPC option
    put(b, 3768, 2.0);      // combiner gain
    put(b, 3776, 99.0);     // not carried over
    put(b, 3792, 28.0);     // RX 3 dB bandwidth
    put(b, 3872, 33.5);     // T/I
    put(b, 3944, 15.0);     // ATPC range
    put(b, 4032, 1010.0);   // T-R fixed
    ASSERT_EQ(read_image(old_file("QV50_RADIO_SPEC_03", OLD_FORM_B_SIZE, b)), 0);
    const Radio_Spec& s = record.radio_spec;
    EXPECT_EQ(s.selective_fading, 2);
    EXPECT_STREQ(s.manufacturer, "Maker B");
    EXPECT_STREQ(s.tx_power_names[1], "High");
    EXPECT_EQ(s.capacity_count, 4);
    EXPECT_EQ(s.bits_block, 19440);
    EXPECT_EQ(s.rx_data_rate, 155.52);
    EXPECT_EQ(s.atpc_options[4], 7.0);
    EXPECT_EQ(s.gain_width_depth[0], 2.0);
    EXPECT_EQ(s.gain_width_depth[1], NOT_SET);
    EXPECT_EQ(s.bandwidth_3db_rx, 28.0);
    EXPECT_EQ(s.bandwidth_3db_tx, 0.0); // as stored; version 03 takes nothing from partners
    EXPECT_EQ(s.ttoi_ratio, 33.5);
    EXPECT_EQ(s.atpc_range, 15.0);
    EXPECT_EQ(s.tr_fixed, 1010.0);
    EXPECT_EQ(s.noise_floor_ktbf, NOT_SET);
    ASSERT_EQ(record.acm_table.count(), 1);
    EXPECT_STREQ(record.acm_table[0].Mod, "16QAM");
    EXPECT_EQ(record.acm_table[0].XPIF, 25.0);
    EXPECT_EQ(record.acm_table[0].dispfm_step, NOT_SET);

    // A version 03 block below 3000 bytes is form A.
    std::string a(OLD_FORM_A_SIZE, '\0');
    std::memcpy(a.data() + 24, "Maker A", 7);
    put(a, 1568, 3.5);
    put(a, 2368, NOT_SET);
    ASSERT_EQ(read_image(old_file("QV50_RADIO_SPEC_03", OLD_FORM_A_SIZE, a)), 0);
    EXPECT_STREQ(record.radio_spec.manufacturer, "Maker A");
    EXPECT_EQ(record.radio_spec.bandwidth_3db_rx, NOT_SET); // only version 01 fills it
}

TEST_F(RsdFile, OldFileTooShortForItsBlock) {
    const std::string image = old_file("QV50_RADIO_SPEC_01", OLD_FORM_A_SIZE, std::string(100, '\0'));
    EXPECT_EQ(read_image(image), MSG_READ_ERROR_AT_EOF);
}

} // namespace
