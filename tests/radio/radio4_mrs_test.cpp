// The binary version 4 radio file: files laid out byte by byte, every refusal, the derivations
// made before writing and the round trips.
#include "radio4_format.h"
#include "radio4_json.h"
#include "radio4_record.h"
#include "radio4_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <sys/inotify.h>
#include <unistd.h>

using kelvor_test::add_curve;
using kelvor_test::mrs_curve;
using kelvor_test::mrs_header;
using kelvor_test::Mrs_Record_Bytes;
using kelvor_test::read_bytes;

namespace {

class Mrs : public testing::Test, public kelvor_test::Radio4_Fixture {};

// One curve as found in a written file.
struct File_Curve {
    std::string name;
    std::vector<Radio_Point> points;
};

std::vector<File_Curve> curves_in(const std::string& bytes) {
    int32_t count;
    std::memcpy(&count, bytes.data() + 20 + 520, sizeof count);
    std::vector<File_Curve> curves;
    std::size_t at = 20 + 923;
    for (int32_t i = 0; i < count; ++i) {
        File_Curve curve;
        curve.name = std::string(bytes.data() + at, strnlen(bytes.data() + at, 24));
        uint32_t points;
        std::memcpy(&points, bytes.data() + at + 41, sizeof points);
        at += 45;
        curve.points.resize(points);
        std::memcpy(curve.points.data(), bytes.data() + at, points * 12);
        at += points * 12;
        curves.push_back(curve);
    }
    EXPECT_EQ(at, bytes.size());
    return curves;
}

TEST_F(Mrs, ReadsARecordLaidOutByteByByte) {
    Mrs_Record_Bytes fields;
    fields.text(0, "Acme Microwave")
        .text(32 + 5 * 32, "sixth comment")
        .text(224, "AM-7")
        .text(280, "QPSK")
        .text(288, "16E1")
        .number(296, 30.0)
        .number(312, 32.768)
        .number(408, 10.0)
        .number(432, 1.5) // the first unnamed double
        .number(563, 18.0)
        .number(667 + 16, 14.8) // minimum phase depth at 10-6
        .number(731, 6.3)       // signature delay at RBER
        .number(771, 33.0)
        .number(915, 7.0) // the last reserved double
        .flags(RADIO4_SDH | RADIO4_IF_COMBINER)
        .curve_count(4);
    const std::string file =
        mrs_header() + fields.bytes() +
        mrs_curve("TtoI_CW", {{10.0f, 12.0f}, {0.0f, 21.5f}}, UINT32_MAX, 5.0f) +
        mrs_curve("TX_EMISSION", {{-0.0005f, 0.0f}, {10.0f, -10.0f}}, UINT32_MAX, 7.0f) +
        mrs_curve("RX_SELECTIVITY_CALC", {{-1.0f, -3.0f}, {1.0f, -3.0f}}) +
        mrs_curve("IRF_16E1-QPSK", {});
    ASSERT_EQ(read_mrs(file), 0) << info();

    const Radio4_Spec& s = record.radio_spec;
    EXPECT_STREQ(s.manufact, "Acme Microwave");
    EXPECT_STREQ(s.comment[5], "sixth comment");
    EXPECT_STREQ(s.model, "AM-7");
    EXPECT_STREQ(s.modulation, "QPSK");
    EXPECT_STREQ(s.capacity, "16E1");
    EXPECT_EQ(double(s.txpower_dbm), 30.0);
    EXPECT_EQ(double(s.data_rate), 32.768);
    EXPECT_EQ(double(s.num_atpcsteps), 10.0);
    EXPECT_EQ(double(s.further[0]), 1.5);
    EXPECT_EQ(double(s.xpif), 18.0);
    EXPECT_EQ(double(s.signature_10_6.minph), 14.8);
    EXPECT_EQ(double(s.signature_rber.delay), 6.3);
    EXPECT_EQ(double(s.dispfm_rber), 33.0);
    EXPECT_EQ(double(s.reserved_779[17]), 7.0);
    EXPECT_EQ(s.flags, RADIO4_SDH | RADIO4_IF_COMBINER);

    // The calculated selectivity was read past and dropped.
    EXPECT_EQ(curve_names(), (std::vector<std::string>{"TtoI_CW", "TX_EMISSION", "IRF_16E1-QPSK"}));
    EXPECT_EQ(s.curve_count, 3);
    const Radio4_Curve& cw = record.curves.front();
    EXPECT_EQ(cw.points[0].offset, 0.0f);
    EXPECT_EQ(cw.points[0].db, 21.5f);
    EXPECT_EQ(cw.points[0].linear, 5.0f); // kept as stored
    EXPECT_EQ(cw.x_min, 0.0f);
    EXPECT_EQ(cw.x_max, 10.0f);
    EXPECT_EQ(cw.two_sided, 0);
    const Radio4_Curve& emission = *std::next(record.curves.begin());
    EXPECT_FLOAT_EQ(emission.points[0].linear, 1.0f); // recomputed from the levels
    EXPECT_FLOAT_EQ(emission.points[1].linear, 0.1f);
    EXPECT_EQ(emission.two_sided, 1); // any offset below zero
    EXPECT_EQ(record.curves.back().point_count(), 0);
}

TEST_F(Mrs, Identifiers) {
    const std::string body = Mrs_Record_Bytes().bytes();
    EXPECT_EQ(read_mrs(mrs_header("QVW40_RADIOSPEC") + body), 0);
    EXPECT_EQ(record.radio_spec.flags, 0); // as stored
}

TEST_F(Mrs, RecordSizeFromTheHeader) {
    // Longer than known: the excess is skipped and the curves after it are read.
    Mrs_Record_Bytes longer(1000);
    longer.text(0, "Long").number(296, 25.0).curve_count(1).text(923, std::string(77, '\xEE'));
    ASSERT_EQ(read_mrs(mrs_header("QVW401RADIOSPEC", 1000) + longer.bytes() +
                       mrs_curve("TtoI_CW", {{0.0f, 20.0f}, {5.0f, 10.0f}})),
              0)
        << info();
    EXPECT_STREQ(record.radio_spec.manufact, "Long");
    EXPECT_EQ(double(record.radio_spec.txpower_dbm), 25.0);
    EXPECT_EQ(curve_names(), std::vector<std::string>{"TtoI_CW"});

    // Shorter: the rest keeps the values of a new record.
    Mrs_Record_Bytes shorter(296);
    shorter.text(0, "Short");
    ASSERT_EQ(read_mrs(mrs_header("QVW401RADIOSPEC", 296) + shorter.bytes()), 0);
    EXPECT_STREQ(record.radio_spec.manufact, "Short");
    EXPECT_EQ(double(record.radio_spec.txpower_dbm), NOT_SET);
    EXPECT_EQ(record.radio_spec.flags, RADIO4_PDH);
    EXPECT_TRUE(record.curves.empty());
}

TEST_F(Mrs, DamagedFilesAreRefused) {
    const std::string body = Mrs_Record_Bytes().bytes();
    const std::string longer = Mrs_Record_Bytes(1000).bytes();
    const auto with_curves = [](int32_t count, const std::string& curves) {
        return mrs_header() + Mrs_Record_Bytes().curve_count(count).bytes() + curves;
    };
    const std::string one_curve = mrs_curve("TtoI_CW", {{0.0f, 20.0f}, {5.0f, 10.0f}});
    const float nan = std::nanf("");
    const struct {
        const char* name;
        std::string bytes;
        int code;
        const char* info; // "": not checked
    } cases[] = {
        // The ASCII file has a line end after the older identifier.
        {"ASCII identifier", "QVW40_RADIOSPEC\r\n" + std::string(1000, ' '), 104,
         "The file does not begin with a version 4 radio file identifier"},
        {"version 5 identifier", mrs_header("QV50_RADIO_SPEC") + body, 104, ""},
        {"no header", "QVW401RADIO", 123, ""},
        {"record beyond the file", mrs_header("QVW401RADIOSPEC", 5000) + longer, 123,
         "The header gives a record of 5000 bytes, more than the file holds"},
        {"absurd record size", mrs_header("QVW401RADIOSPEC", 0xFFFFFFFF) + longer, 123, ""},
        {"curve missing", with_curves(2, one_curve), 123, ""},
        {"huge curve count", with_curves(0x7FFFFFFF, ""), 123, ""},
        {"negative curve count", with_curves(-1, ""), 104,
         "The record gives a negative curve count of -1"},
        {"huge point count", with_curves(1, mrs_curve("TtoI_CW", {{0.0f, 20.0f}}, 0x40000000)), 123,
         ""},
        {"point not a number", with_curves(1, mrs_curve("TtoI_CW", {{5.0f, nan}, {0.0f, 10.0f}})),
         104, "The curve TtoI_CW holds a point that is not a number"},
        {"single-byte name", with_curves(1, mrs_curve("TtoI_\xC9", {{5.0f, nan}})), 104,
         "The curve TtoI_\xC3\x89 holds a point that is not a number"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(read_mrs(c.bytes), c.code);
        if (*c.info != '\0') {
            EXPECT_EQ(info(), c.info);
        }
    }
}

TEST_F(Mrs, WritingDerivesWritesAndCleansUp) {
    std::strcpy(record.radio_spec.capacity, "16E1");
    std::strcpy(record.radio_spec.modulation, "QPSK");
    std::strcpy(record.radio_spec.emdesig, "28M0D7W");
    add_curve(record, "TtoI_16E1-QPSK", {0, 23, 14, 12});
    add_curve(record, "TtoI_CW", {0, 21.5, 10, 12});
    add_curve(record, "TX_EMISSION", {0, 0, 10, -3, 20, -30});
    const std::string path = dir.file("hm6.mrs");
    write_mrs_file(record, path.c_str(), &handler);

    const Radio4_Spec& s = record.radio_spec;
    EXPECT_EQ(double(s.ttoi_cochan_like), 23.0);
    EXPECT_EQ(double(s.ttoi_cochan_cw), 21.5);
    EXPECT_EQ(double(s.channelbw_mhz), 28.0);
    EXPECT_DOUBLE_EQ(double(s.spectrmbw_mhz), 20.0);
    EXPECT_EQ(curve_names(),
              (std::vector<std::string>{"TtoI_16E1-QPSK", "TtoI_CW", "TX_EMISSION"}));
    EXPECT_EQ(s.curve_count, 3);

    // The emission curve is scaled to power in 4 kHz: its shape stays.
    const Radio4_Curve& emission = record.curves.back();
    const double shift = emission.points[0].db;
    EXPECT_LT(shift, -30.0);
    EXPECT_NEAR(emission.points[1].db - shift, -3.0, 1e-4);
    EXPECT_NEAR(emission.points[2].db - shift, -30.0, 1e-4);

    const std::string bytes = read_bytes(path);
    // The masks, made once the spectrum bandwidth was derived; their points and the file's
    // layout are those of the example's written form below.
    const std::vector<File_Curve> curves = curves_in(bytes);
    ASSERT_EQ(curves.size(), 6u);
    EXPECT_EQ(curves[3].name, "TX_EMISSION_MASK");
    EXPECT_EQ(curves[4].name, "RX_SELECTIVITY_MASK");
    EXPECT_EQ(curves[5].name, "RX_SELECTIVITY_CALC");
    // The calculated selectivity from the CW T/I curve, the first source there is.
    ASSERT_EQ(curves[5].points.size(), 79u);
    EXPECT_FLOAT_EQ(curves[5].points[39].offset, 0.0f);
    EXPECT_FLOAT_EQ(curves[5].points[39].db, 0.0f);
    EXPECT_FLOAT_EQ(curves[5].points[78].offset, 10.0f);

    // Read back, the derived curves are gone again.
    ASSERT_EQ(read_mrs(bytes), 0);
    EXPECT_EQ(curve_names(),
              (std::vector<std::string>{"TtoI_16E1-QPSK", "TtoI_CW", "TX_EMISSION"}));
    EXPECT_EQ(double(record.radio_spec.ttoi_cochan_like), 23.0);
}

TEST_F(Mrs, ValuesFromTheModulationTableAndNoMasksWithoutABandwidth) {
    std::strcpy(record.radio_spec.modulation, "64QAM");
    add_curve(record, "RX_SELECTIVITY_MASK", {-1, 0, 1, 0}); // left over: made again, not kept
    const std::string path = dir.file("plain.mrs");
    write_mrs_file(record, path.c_str(), &handler);
    EXPECT_EQ(double(record.radio_spec.ttoi_cochan_like), 33.5);
    EXPECT_EQ(double(record.radio_spec.channelbw_mhz), NOT_SET);
    EXPECT_TRUE(record.curves.empty());
    EXPECT_EQ(record.radio_spec.curve_count, 0);
    EXPECT_EQ(read_bytes(path).size(), 943u);
}

TEST_F(Mrs, FailedWriteLeavesTheRecordAsItWas) {
    std::strcpy(record.radio_spec.modulation, "QPSK");
    add_curve(record, "TX_EMISSION", {0, 0, 10, -3, 20, -30});
    const auto before = radio4_to_json(record);
    const std::string path = dir.file("missing/folder/x.mrs");
    EXPECT_THROW(write_mrs_file(record, path.c_str(), &handler), Error_Handler*);
    EXPECT_EQ(radio4_to_json(record), before);
    EXPECT_EQ(record.radio_spec.curve_count, 1);
}

TEST_F(Mrs, AsciiToMrsToAsciiKeepsEveryValue) {
    for (const char* name : {"hm6l_16e1q.raf", "nr18s_stm1.raf"}) {
        const std::string original = read_bytes(kelvor_test::example_file("radio", name));
        ASSERT_TRUE(read_raf4(original)) << name;
        auto before = radio4_to_json(record);
        const std::string path = dir.file("round.mrs");
        write_mrs_file(record, path.c_str(), &handler);
        ASSERT_EQ(read_mrs(read_bytes(path)), 0) << info();
        auto after = radio4_to_json(record);
        // Only the emission curve changed: scaled, with its shape kept.
        for (std::size_t i = 0; i < before["curves"].size(); ++i) {
            auto& old_curve = before["curves"][i];
            auto& new_curve = after["curves"][i];
            if (old_curve["name"] != "TX_EMISSION") {
                continue;
            }
            const double old_first = old_curve["points"][0][1];
            const double new_first = new_curve["points"][0][1];
            for (std::size_t p = 0; p < old_curve["points"].size(); ++p) {
                const double old_db = old_curve["points"][p][1];
                const double new_db = new_curve["points"][p][1];
                EXPECT_NEAR(new_db - new_first, old_db - old_first, 1e-4) << name;
            }
            old_curve["points"] = new_curve["points"];
            old_curve["power_integral"] = new_curve["power_integral"];
        }
        EXPECT_EQ(after, before) << name;
        EXPECT_EQ(raf4_text(record).substr(0, 1000), original.substr(0, 1000)) << name;
    }
}

TEST_F(Mrs, ExampleIsTheWrittenFormOfItsAsciiFile) {
    ASSERT_TRUE(read_raf4(read_bytes(kelvor_test::example_file("radio", "hm6l_16e1q.raf"))));
    const std::string path = dir.file("hm6l_16e1q.mrs");
    write_mrs_file(record, path.c_str(), &handler);
    const std::string example = read_bytes(kelvor_test::example_file("radio", "hm6l_16e1q.mrs"));
    EXPECT_EQ(read_bytes(path), example);
    // Read and written again, it gives the same bytes.
    ASSERT_EQ(read_mrs(example), 0);
    write_mrs_file(record, path.c_str(), &handler);
    EXPECT_EQ(read_bytes(path), example);
}

// The names that appeared in `folder` while `write` ran.
std::vector<std::string> names_created_by(const std::string& folder,
                                          const std::function<void()>& write) {
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    EXPECT_GE(watch, 0);
    ::inotify_add_watch(watch, folder.c_str(), IN_CREATE | IN_MOVED_TO);
    write();
    std::vector<std::string> names;
    alignas(inotify_event) char buffer[8192];
    ssize_t got;
    while ((got = ::read(watch, buffer, sizeof buffer)) > 0) {
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            names.emplace_back(event->len > 0 ? event->name : "");
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    ::close(watch);
    return names;
}

TEST_F(Mrs, NewVersion4FilesAppearOnlyUnderTheirNamesWhenComplete) {
    // A temporary name would outlive a kill of the program.
    ASSERT_TRUE(read_raf4(read_bytes(kelvor_test::example_file("radio", "hm6l_16e1q.raf"))));
    const std::string folder = dir.file("out");
    std::filesystem::create_directory(folder);
    EXPECT_EQ(names_created_by(folder,
                               [&] { write_mrs_file(record, (folder + "/x.mrs").c_str(), &handler); }),
              std::vector<std::string>{"x.mrs"});
    EXPECT_EQ(names_created_by(folder,
                               [&] { write_raf4_file(record, (folder + "/x.raf").c_str(), &handler); }),
              std::vector<std::string>{"x.raf"});
}

} // namespace
