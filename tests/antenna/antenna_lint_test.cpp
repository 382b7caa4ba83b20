// The audit of antenna records: each rule on a record crafted to break it alone, and a sound
// record that gives no warning.
#include "antenna_lint.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Points = std::vector<Pattern_Point>;

// A sound dish: band, gains, front-to-back and pattern frequency agree with its cuts. The V/V
// azimuth cut runs from -180 to 179 in even steps, as an .msi file gives it.
Antenna_Record sound_record() {
    Antenna_Record record;
    Antenna_Spec& core = record.antenna_spec;
    core.low_frequency = 21200.0;
    core.high_frequency = 23600.0;
    core.gain_dbi = 40.3;
    core.gain_dbd = 38.15;
    record.header.low_band_gain = 39.8;
    record.header.high_band_gain = 40.9;
    record.header.front_to_back = 64.0;
    record.header.pattern_frequency = 22400.0;
    record.set_cut(0, {{-180, 64}, {-10, 30}, {0, 0}, {10, 30}, {180, 64}});
    record.set_cut(1, {{-180, 70}, {0, 20}, {180, 70}});
    record.set_cut(2, {{-180, 66}, {-90, 30}, {0, 0}, {90, 30}, {179, 66}});
    record.set_cut(6, {{-90, 40}, {0, 0}, {90, 40}});
    return record;
}

struct Expected {
    std::string id;
    std::string where;
    std::string text;
    bool operator==(const Lint_Warning& w) const {
        return id == w.id && where == w.where && text == w.text;
    }
};

TEST(AntennaLint, EachRuleOnARecordThatBreaksIt) {
    const struct {
        const char* what;
        std::function<void(Antenna_Record&)> change;
        std::vector<Expected> expected;
    } cases[] = {
        {"sound", [](Antenna_Record&) {}, {}},
        {"nothing set", [](Antenna_Record& r) { r.reset_antenna_record(); }, {}},
        {"azimuth cut of half the circle",
         [](Antenna_Record& r) {
             r.set_cut(1, {{-90, 30}, {0, 20}, {90, 30}});
         },
         {{"cut-range", "azimuth H/V",
           "azimuth H/V runs from -90 to 90 deg, not round the circle (-180 to 180 or 0 to 360)"}}},
        {"azimuth cut from 0 to 360 and ends within half a degree",
         [](Antenna_Record& r) {
             r.set_cut(1, {{0.4f, 20}, {180, 70}, {359.6f, 20}});
             r.set_cut(3, {{-179.6f, 70}, {0, 20}, {179.6f, 70}});
         },
         {}},
        {"elevation cut short of -90..90",
         [](Antenna_Record& r) {
             r.set_cut(6, {{-45, 20}, {0, 0}, {45, 20}});
         },
         {{"cut-range", "elevation V/V",
           "elevation V/V runs from -45 to 45 deg, not from -90 to 90 (or round the circle)"}}},
        {"repeated angles",
         [](Antenna_Record& r) {
             r.set_cut(0, {{-180, 64}, {-10, 30}, {0, 0}, {10, 30}, {10, 31}, {10, 32}, {180, 64}});
             r.set_cut(1, {{-180, 70}, {0, 20}, {0, 21}, {5, 20}, {5, 20}, {180, 70}});
         },
         {{"repeated-angle", "azimuth H/H", "azimuth H/H gives the angle 10 deg 3 times"},
          {"repeated-angle", "azimuth H/V",
           "azimuth H/V gives the angle 0 deg 2 times, and 1 more angle more than once"}}},
        {"co-polar peak below 0 dB; a cross-polar cut has none",
         [](Antenna_Record& r) {
             r.set_cut(6, {{-90, 40}, {0.5f, 1.5f}, {90, 40}});
         },
         {{"peak-not-zero", "elevation V/V",
           "elevation V/V peaks at -1.5 dB (at 0.5 deg), not at 0 dB"}}},
        {"peak within 0.05 dB",
         [](Antenna_Record& r) {
             r.set_cut(6, {{-90, 40}, {0, 0.05f}, {90, 40}});
             r.set_cut(4, {{-90, 40}, {0, -0.05f}, {90, 40}});
         },
         {}},
        {"level above the main beam in any cut",
         [](Antenna_Record& r) {
             r.set_cut(1, {{-180, 70}, {5, -2}, {180, 70}});
         },
         {{"above-peak", "azimuth H/V",
           "azimuth H/V rises to +2 dB at 5 deg, above the main beam"}}},
        {"mid-band gain outside the band's gains",
         [](Antenna_Record& r) { r.antenna_spec.gain_dbi = 41.5; },
         {{"mid-gain-outside", "MDGAIN", "MDGAIN 41.5 is outside LWGAIN 39.8 to HGGAIN 40.9"}}},
        {"mid-band gain in dBd",
         [](Antenna_Record& r) {
             r.gain_in_dbi = 0;
             r.header.low_band_gain = 39.8 - 2.15;
             r.header.high_band_gain = 40.9 - 2.15;
         },
         {}},
        {"band upside down",
         [](Antenna_Record& r) {
             r.antenna_spec.low_frequency = 23600.0;
             r.antenna_spec.high_frequency = 21200.0;
             r.header.pattern_frequency = NOT_SET;
         },
         {{"band-order", "LOWFRQ", "LOWFRQ 23600 MHz is above HGHFRQ 21200 MHz"}}},
        {"pattern frequency above the band",
         [](Antenna_Record& r) { r.header.pattern_frequency = 30000.0; },
         {{"pattern-frequency-outside-band", "PATFRE",
           "PATFRE 30000 MHz is above HGHFRQ 23600 MHz"}}},
        {"pattern frequency below a band given by its low end alone",
         [](Antenna_Record& r) {
             r.antenna_spec.high_frequency = NOT_SET;
             r.header.pattern_frequency = 21000.0;
         },
         {{"pattern-frequency-outside-band", "PATFRE",
           "PATFRE 21000 MHz is below LOWFRQ 21200 MHz"}}},
        {"front-to-back of the worse co-polar cut, interpolated at 180 deg",
         [](Antenna_Record& r) {
             r.set_cut(0, {{0, 0}, {90, 30}, {270, 40}, {360, 0}});
         },
         {{"front-to-back", "FRTOBA", "FRTOBA 64 dB, but azimuth H/H is 35 dB down at 180 deg"}}},
        {"front-to-back within 3 dB of the worse cut",
         [](Antenna_Record& r) { r.header.front_to_back = 67.0; },
         {}},
        {"cut of one point",
         [](Antenna_Record& r) {
             r.set_cut(4, {{0, 0}});
         },
         {{"short-curve", "elevation H/H", "elevation H/H has 1 point; a cut needs at least 2"}}},
    };
    for (const auto& c : cases) {
        Antenna_Record record = sound_record();
        c.change(record);
        const std::vector<Lint_Warning> warnings = lint_antenna(record);
        ASSERT_EQ(warnings.size(), c.expected.size()) << c.what;
        for (std::size_t i = 0; i < warnings.size(); ++i) {
            EXPECT_TRUE(c.expected[i] == warnings[i])
                << c.what << ": " << warnings[i].id << " | " << warnings[i].where << " | "
                << warnings[i].text;
        }
    }
}

} // namespace
