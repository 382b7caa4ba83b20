// The audit rules of radio records: one crafted record per rule and boundary, and the examples,
// which are sound.
#include "error_handler.h"
#include "radio4_record.h"
#include "radio_lint.h"
#include "radio_open.h"
#include "radio_record.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct Curve_Data {
    int type;
    std::vector<double> pairs; // offset, dB, ...
};

Radio_Record record_of(const std::vector<Curve_Data>& curves) {
    Radio_Record record;
    for (const Curve_Data& data : curves) {
        const int index = record.curves.add_curve(data.type, "");
        Radio_Curve& curve = record.curves[index];
        for (std::size_t i = 0; i + 1 < data.pairs.size(); i += 2) {
            curve.points.push_back(
                {static_cast<float>(data.pairs[i]), static_cast<float>(data.pairs[i + 1]), 0.0f});
        }
        curve.update_limits();
    }
    return record;
}

std::vector<std::string> texts_of(const std::vector<Lint_Warning>& warnings) {
    std::vector<std::string> texts;
    for (const Lint_Warning& w : warnings) {
        texts.push_back(w.id + " | " + w.where + " | " + w.text);
    }
    return texts;
}

TEST(RadioLint, Version5Rules) {
    const int tx = CURVE_TX_EMISSION;
    const int rx = CURVE_RX_SELECTIVITY;
    const int tx01 = CURVE_TX_EMISSION_STATE_FIRST;
    const int tx02 = CURVE_TX_EMISSION_STATE_FIRST + 1;
    const int rx01 = CURVE_RX_SELECTIVITY_STATE_FIRST;
    // A selectivity 3 dB down at 0.6 MHz and 30 dB down at 4 MHz.
    const Curve_Data selectivity{rx, {0, 0, 0.6, -3, 4, -30}};
    const struct {
        const char* name;
        std::vector<Curve_Data> curves;
        std::vector<std::string> warnings;
    } cases[] = {
        {"no curves", {}, {}},
        {"one point",
         {{CURVE_TX_FILTER, {1, -3}}},
         {"short-curve | TX_FILTER | TX_FILTER has 1 point, fewer than 2"}},
        {"no points",
         {{CURVE_RX_FILTER, {}}},
         {"short-curve | RX_FILTER | RX_FILTER has 0 points, fewer than 2"}},
        // Two-sided emission 3 dB down at 1.2 MHz on either side: twice 0.6 is 1.2, not beyond.
        {"twice as wide", {{tx, {-10, -40, -4, -10, 0, 0, 4, -10, 10, -40}}, selectivity}, {}},
        {"wider at 3 dB",
         {{tx, {-10, -40, -5, -10, 0, 0, 5, -10, 10, -40}}, selectivity},
         {"mask-wider-than-selectivity | TX_EMISSION | TX_EMISSION is 3 dB down at 1.50 MHz, "
          "RX_SELECTIVITY at 0.60 MHz: more than 2 times as wide"}},
        // The wider side counts.
        {"wider on the left",
         {{tx, {-10, -40, -5, -10, 0, 0, 4, -10, 10, -40}}, selectivity},
         {"mask-wider-than-selectivity | TX_EMISSION | TX_EMISSION is 3 dB down at 1.50 MHz, "
          "RX_SELECTIVITY at 0.60 MHz: more than 2 times as wide"}},
        {"wider at 30 dB only",
         {{tx, {0, 0, 1, -3, 10, -30}}, selectivity},
         {"mask-wider-than-selectivity | TX_EMISSION | TX_EMISSION is 30 dB down at 10.00 MHz, "
          "RX_SELECTIVITY at 4.00 MHz: more than 2 times as wide"}},
        // Levels count from the level at zero offset, not from 0 dB.
        {"emission below 0 dB",
         {{tx, {0, -24, 1, -27, 10, -54}}, selectivity},
         {"mask-wider-than-selectivity | TX_EMISSION | TX_EMISSION is 30 dB down at 10.00 MHz, "
          "RX_SELECTIVITY at 4.00 MHz: more than 2 times as wide"}},
        // A selectivity that never falls 3 or 30 dB gives no width to compare with.
        {"selectivity without a width", {{tx, {0, 0, 10, -40}}, {rx, {0, 0, 10, -2}}}, {}},
        {"no selectivity", {{tx, {0, 0, 10, -40}}}, {}},
        // States pair by their number only.
        {"state pairs",
         {{tx01, {0, 0, 10, -40}}, {tx02, {0, 0, 10, -40}}, {rx01, {0, 0, 1, -30}}},
         {"mask-wider-than-selectivity | TX_EMISSION_01 | TX_EMISSION_01 is 3 dB down at 0.75 MHz, "
          "RX_SELECTIVITY_01 at 0.10 MHz: more than 2 times as wide"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(texts_of(lint_radio(record_of(c.curves))), c.warnings);
    }
}

TEST(RadioLint, Version4ShortCurves) {
    Radio4_Record record;
    const double points[] = {0, 0, 10, -20};
    record.append_curve().set_name("TtoI_CW");
    Radio4_Curve& two = record.append_curve();
    two.set_name("TX_EMISSION");
    set_curve_points(two, 2, points);
    record.curves.front().points = {{1.0f, -3.0f, 0.5f}};
    EXPECT_EQ(
        texts_of(lint_radio4(record)),
        std::vector<std::string>{"short-curve | TtoI_CW | TtoI_CW has 1 point, fewer than 2"});
}

TEST(RadioLint, ExamplesAreSound) {
    int files = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(KELVOR_EXAMPLES_DIR) + "/radio")) {
        const std::string path = entry.path().string();
        SCOPED_TRACE(path);
        Radio_Record v5;
        Radio4_Record v4;
        Error_Handler handler;
        EXPECT_EQ(open_radio_as_v5(v5, path.c_str(), &handler), std::vector<std::string>{});
        EXPECT_EQ(texts_of(lint_radio(v5)), std::vector<std::string>{});
        if (v4_open_kind(read_radio_file(path.c_str(), &handler)) != Radio_File_Kind::unknown) {
            open_radio_as_v4(v4, path.c_str(), &handler);
            EXPECT_EQ(texts_of(lint_radio4(v4)), std::vector<std::string>{});
        }
        ++files;
    }
    EXPECT_GT(files, 0);
}

} // namespace
