// What each conversion between the four radio file kinds cannot carry, for records with every
// keyword set.
#include "radio4_format.h"
#include "radio4_record.h"
#include "radio_conversion_losses.h"
#include "radio_record.h"
#include "raf_keywords.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// A version 5 record with every keyword set: texts filling their fields, numbers, integers and
// choices away from their defaults, one adaptive-modulation state, one coupling unit, and curves
// of the kinds version 4 names differently.
Radio_Record full_v5() {
    Radio_Record record;
    for (int row = 0; row < RAF_ROW_COUNT; ++row) {
        const Raf_Keyword& entry = raf_keyword(row);
        for (int cell = 0; entry.kind == Raf_Row_Kind::values && cell < entry.cells; ++cell) {
            const Raf_Cell c = raf_cell(record, row, cell);
            if (c.text != nullptr) {
                copy_text(c.text, c.size,
                          std::string(c.size - 1, static_cast<char>('a' + row % 26)).c_str());
            } else if (c.number != nullptr) {
                *c.number = -(row + cell * 0.25 + 10.5); // thresholds are negative
            } else if (c.integer != nullptr) {
                *c.integer = row + cell + 3;
            } else if (c.code != nullptr) {
                *c.code = 1;
            }
        }
    }
    record.acm_table.make(1);
    copy_text(record.acm_table[0].Mod, "QPSK");
    record.acu_table.make(1);
    copy_text(record.acu_table[0].Configuration, "Duplexer");
    const double points[] = {-10, -40, 0, 0, 10, -40};
    const auto add = [&](int type, const char* codes, int count) {
        record.curves.set_curve_points(record.curves.add_curve(type, codes), count, points);
    };
    add(CURVE_TTOI_SAME, "", 3);
    add(CURVE_TTOI_OTHER, "R1, R2", 3);
    add(CURVE_TTOI_OTHER, "A_RADIO_CODE_OF_THIRTY_CHARS_X", 3);
    add(CURVE_TX_EMISSION, "", 3);
    add(CURVE_RX_SELECTIVITY_STATE_FIRST, "S1", 3);
    // One point: the binary file's derivations drop it.
    const int lone = record.curves.add_curve(CURVE_TX_FILTER, "");
    record.curves[lone].points = {{1.0f, -3.0f, 0.5f}};
    record.curves[lone].update_limits();
    return record;
}

// A version 4 record with every keyword set and values in the fields without a keyword.
Radio4_Record full_v4() {
    Radio4_Record record;
    char* fields = reinterpret_cast<char*>(&record.radio_spec);
    for (int index = 0; index < RAF4_KEYWORD_COUNT; ++index) {
        const Raf4_Keyword& entry = raf4_keyword(index);
        if (entry.value == Raf4_Value::text) {
            copy_text(fields + entry.offset, entry.size,
                      std::string(entry.size - 1, static_cast<char>('a' + index)).c_str());
        } else if (entry.value == Raf4_Value::number || entry.value == Raf4_Value::data_rate) {
            const double value = -(index + 10.5);
            std::memcpy(fields + entry.offset, &value, sizeof value);
        }
    }
    Radio4_Spec& s = record.radio_spec;
    copy_text(s.capacity, "16E1");
    copy_text(s.modulation, "QPSK");
    s.num_atpcsteps = 4;
    s.bits_block = 2430;
    s.blocks_sec = 8000;
    s.alpha[0] = 30;
    s.alpha[1] = 20;
    s.alpha[2] = 10;
    s.stability_prc = 0.001;
    s.flags = RADIO4_SDH | RADIO4_IF_COMBINER | RADIO4_COCHANNEL | RADIO4_USE_SIGNATURE;
    for (int i = 0; i < RADIO4_FURTHER_COUNT; ++i) {
        s.further[i] = i + 1.5;
    }
    s.reserved_779[0] = 7.5;
    const double points[] = {-10, -40, 0, 0, 10, -40};
    for (const char* name : {"TtoI_16E1-QPSK", "TtoI_CW", "TtoI_OTHER_RADIO", "TX_EMISSION",
                             "RX_SELECTIVITY", "TX_FILTER"}) {
        Radio4_Curve& curve = record.append_curve();
        curve.set_name(name);
        set_curve_points(curve, 3, points);
    }
    return record;
}

struct Expected {
    int version; // of the record converted
    Radio_File_Kind target;
    std::vector<std::string> not_kept;
    std::vector<std::string> texts_cut;
};

TEST(ConversionLosses, EachSourceVersionToEachKind) {
    using K = Radio_File_Kind;
    // What version 4 has no field for, or holds otherwise.
    const std::vector<std::string> v4_not_kept = {
        "RELEASE_DATE", "REVISION_NUM", "REVISION_DATE", "QV50_RADIO_CODE", "APPLICATION_TYPE",
        "RADIO_TYPE", "RXDATA_RATE_MBS", "BANDWIDTH_FCC_MHZ", "BANDWIDTH_99PC_MHZ",
        "BANDWIDTH_3DB_RX_MHZ", "TX_POWER_OPTIONS_NAME", "TX_POWER_OPTIONS_DBM",
        "TX_POWER_MIN_OPTIONS_DBM", "ATPC_OPTIONS_DB", "TX_POWER_RANGE_DBM", "ATPC_RANGE_DB",
        "ATPC_STEP_SIZE_DB", "REQUIRED_RXSIGNAL_DBM", "RX_THRESHOLD_DESCRIPTION",
        "RX_THRESHOLD_BER", "MAXIMUM_RXSIGNAL_DBM", "NOISE FIGURE_DB", "CtoI_RATIO_BER10-6_3DB",
        "CtoI_RATIO_BER10-3_3DB", "NOISE_FLOOR_KTBF_DBM", "SIMULCAST_CAPTURE_RANGE_DB",
        "NUM_ACM_STATES", "GAIN_WIDTH_DEPTH", "T-T_FREQ_SEP_1ANT_CPOL", "T-T_FREQ_SEP_1ANT_XPOL",
        "T-T_FREQ_SEP_2ANT_CPOL", "T-T_FREQ_SEP_2ANT_XPOL", "T-R_FREQ_SEP_1ANT_CPOL",
        "T-R_FREQ_SEP_1ANT_XPOL", "T-R_FREQ_SEP_2ANT_CPOL", "T-R_FREQ_SEP_2ANT_XPOL", "T-R_FIXED",
        "NUM_ACU_CONFIG"};
    const std::vector<std::string> v4_cut = {
        "MANUFACTURER cut to 31 characters (16 lost)",
        "MODEL cut to 23 characters (24 lost)",
        "RADIO_ID cut to 15 characters (32 lost)",
        "RADIO_CAPACITY cut to 5 characters (10 lost)",
        "MODULATION cut to 7 characters (8 lost)",
        "COMMENT_1 cut to 31 characters (16 lost)",
        "COMMENT_2 cut to 31 characters (16 lost)",
        "COMMENT_3 cut to 31 characters (16 lost)",
        "COMMENT_4 cut to 31 characters (16 lost)",
        "COMMENT_5 cut to 31 characters (16 lost)",
        "COMMENT_6 cut to 31 characters (16 lost)",
        "TtoI_Other code A_RADIO_CODE_OF_THIRTY_CHARS_X cut to 18 characters (12 lost)"};
    // From version 4: version 5 has no field for the combiner's improvement factor, the ASCII
    // file none for the CW T/I value, and no file but the .mrs for the values without a keyword.
    const Expected cases[] = {
        {5, K::raf5, {}, {}},
        {5, K::rsd, {"TX_FILTER"}, {}},
        {5, K::mrs, v4_not_kept, v4_cut},
        {5, K::raf4, v4_not_kept, v4_cut},
        {4, K::mrs, {}, {}},
        {4, K::raf4, {"further", "reserved_779"}, {}},
        {4, K::raf5, {"TtoI_COCHAN_CW", "LCOMB_FACTOR", "further", "reserved_779"}, {}},
        {4, K::rsd, {"LCOMB_FACTOR", "further", "reserved_779"}, {}},
    };
    const Radio_Record v5 = full_v5();
    const Radio4_Record v4 = full_v4();
    for (const Expected& c : cases) {
        SCOPED_TRACE(std::string("version ") + std::to_string(c.version) + " to " +
                     radio_kind_name(c.target));
        const Conversion_Losses losses = c.version == 5 ? v5_conversion_losses(v5, c.target)
                                                        : v4_conversion_losses(v4, c.target);
        EXPECT_EQ(losses.not_kept, c.not_kept);
        EXPECT_EQ(losses.texts_cut, c.texts_cut);
    }
    // The ASCII file writes a count of 0 (which a binary file may hold) as no value.
    Radio_Record zero;
    zero.radio_spec.alpha[1] = 0;
    EXPECT_EQ(v5_conversion_losses(zero, K::raf5).not_kept,
              std::vector<std::string>{"ALPHA_VALUES"});
    EXPECT_TRUE(v5_conversion_losses(zero, K::rsd).empty());
}

} // namespace
