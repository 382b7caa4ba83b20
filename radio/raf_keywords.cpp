// The version 5 keyword table.
#include "raf_keywords.h"

#include "radio_record.h"

#include <cstring>

namespace {

// A cell's place, named as the record names the field; `index` is the element of an array field.
template <std::size_t N>
Raf_Cell place(const char* name, char (&text)[N], int index = -1) {
    Raf_Cell cell{name, index};
    cell.text = text;
    cell.size = N;
    return cell;
}
Raf_Cell place(const char* name, double& number, int index = -1) {
    Raf_Cell cell{name, index};
    cell.number = &number;
    return cell;
}
Raf_Cell place(const char* name, int32_t& integer, int index = -1) {
    Raf_Cell cell{name, index};
    cell.integer = &integer;
    return cell;
}
Raf_Cell place(const char* name, uint8_t& code) {
    Raf_Cell cell{name, -1};
    cell.code = &code;
    return cell;
}

// The accessors of the table's cells.
// A field of the radio description, the row's only cell.
#define FIELD(member) [](Radio_Record& r, int) { return place(#member, r.radio_spec.member); }
// An array of the description, one element per cell.
#define FIELD_EACH(member)                                                                         \
    [](Radio_Record& r, int cell) { return place(#member, r.radio_spec.member[cell], cell); }
// One element of an array of the description, the row's only cell.
#define FIELD_AT(member, index)                                                                    \
    [](Radio_Record& r, int) { return place(#member, r.radio_spec.member[index], index); }
// Two fields of the description, one per cell.
#define FIELD_PAIR(first, second)                                                                  \
    [](Radio_Record& r, int cell) {                                                                \
        return cell == 0 ? place(#first, r.radio_spec.first)                                       \
                         : place(#second, r.radio_spec.second);                                    \
    }
// A field of each of the four thresholds, one per cell.
#define THRESHOLD(member)                                                                          \
    [](Radio_Record& r, int cell) { return place(#member, r.thresholds[cell].member, cell); }

Raf_Cell gain_width_depth(Radio_Record& r, int cell) {
    return cell < 2 ? place("gain_width_depth", r.radio_spec.gain_width_depth[cell], cell)
                    : place("signature_depth_factor", r.radio_spec.signature_depth_factor);
}

// The power in dBm and watts follows the first power option.
void first_tx_power(Radio_Record& r, int cell) {
    if (cell == 0) {
        set_first_tx_power(r.radio_spec, r.radio_spec.tx_power_options[0]);
    }
}

// The microvolts follow the threshold in dBm, which is never positive.
void threshold_microvolts(Radio_Record& r, int cell) {
    set_threshold_dbm(r.thresholds[cell], r.thresholds[cell].threshold_dbm);
}

using Place = Raf_Cell (*)(Radio_Record&, int);
using Derive = void (*)(Radio_Record&, int);

// The kinds of rows. Numbers take 11 characters in the form, integers 11 unless said otherwise.
constexpr Raf_Keyword heading(const char* label, const char* line = nullptr) {
    return {label, Raf_Row_Kind::heading, 0, RAF_TEXT_INPUT, 0, 0, 0, line, nullptr, nullptr};
}
constexpr Raf_Keyword text(const char* keyword, int width, Place cell, int cells = 1,
                           unsigned rules = 0) {
    return {keyword, Raf_Row_Kind::values, cells, RAF_TEXT_INPUT, width, 0, rules, nullptr, cell,
            nullptr};
}
constexpr Raf_Keyword number(const char* keyword, unsigned char input, Place cell, int cells = 1,
                             unsigned rules = 0, Derive derive = nullptr, int decimals = 2) {
    return {keyword, Raf_Row_Kind::values, cells, input, 12, decimals, rules, nullptr, cell,
            derive};
}
constexpr Raf_Keyword integer(const char* keyword, Place cell, int cells = 1, int width = 12) {
    return {keyword, Raf_Row_Kind::values, cells, RAF_INTEGER_INPUT, width, 0, 0, nullptr, cell,
            nullptr};
}
constexpr Raf_Keyword choice(const char* keyword, Place cell, const char* note = nullptr,
                             unsigned rules = 0) {
    return {keyword, Raf_Row_Kind::values, 1, RAF_CHOICE_INPUT, 0, 0, rules, note, cell, nullptr};
}
constexpr Raf_Keyword count(const char* keyword, Raf_Row_Kind kind, const char* line = nullptr) {
    return {keyword, kind, 0, RAF_TEXT_INPUT, 0, 0, 0, line, nullptr, nullptr};
}

constexpr unsigned char UNSIGNED = RAF_UNSIGNED_INPUT;
constexpr unsigned char SIGNED = RAF_SIGNED_INPUT;
constexpr unsigned THRESHOLDS = RAF_PER_THRESHOLD;

constexpr Raf_Keyword table[RAF_ROW_COUNT] = {
    text("MANUFACTURER", 48, FIELD(manufacturer)),
    text("MODEL", 48, FIELD(model)),
    text("RELEASE_DATE", 24, FIELD(release_date)),
    text("REVISION_NUM", 36, FIELD(revision_num)),
    text("REVISION_DATE", 24, FIELD(revision_date)),
    text("RADIO_ID", 48, FIELD(radio_id)),
    text("QV50_RADIO_CODE", 48, FIELD(radio_code)),
    choice("APPLICATION_TYPE", FIELD(application_type),
           " // 1-microwave, 2-adaptive modulation 3-land mobile", RAF_ONE_BASED),
    text("RADIO_TYPE", 24, FIELD(radio_type)),
    number("FREQUENCY_RANGE", UNSIGNED, FIELD_PAIR(freq_low, freq_high), 2),
    text("EMISSION_DESIGNATOR", 16, FIELD(emission_designator)),
    number("TXDATA_RATE_MBS", UNSIGNED, FIELD(tx_data_rate)),
    number("RXDATA_RATE_MBS", UNSIGNED, FIELD(rx_data_rate)),
    // A count of 7 characters, then the unit, a text.
    integer("RADIO_CAPACITY", FIELD_PAIR(capacity_count, capacity_unit), 2, 8),
    text("MODULATION", 16, FIELD(modulation)),
    number("BANDWIDTH_FCC_MHZ", UNSIGNED, FIELD(bandwidth_fcc)),
    number("BANDWIDTH_99PC_MHZ", UNSIGNED, FIELD(bandwidth_99pc)),
    number("BANDWIDTH_CHANNEL_MHZ", UNSIGNED, FIELD(bandwidth_channel)),
    number("BANDWIDTH_3DB_TX_MHZ", UNSIGNED, FIELD(bandwidth_3db_tx)),
    number("BANDWIDTH_3DB_RX_MHZ", UNSIGNED, FIELD(bandwidth_3db_rx)),
    heading("Transmit data"),
    text("TX_POWER_OPTIONS_NAME", 16, FIELD_EACH(tx_power_names), TX_POWER_OPTION_COUNT,
         RAF_STORES_EMPTY_TEXT | RAF_SINCE_VERSION_03),
    number("TX_POWER_OPTIONS_DBM", SIGNED, FIELD_EACH(tx_power_options), TX_POWER_OPTION_COUNT,
           RAF_FOUR_BEFORE_03, first_tx_power),
    number("TX_POWER_MIN_OPTIONS_DBM", SIGNED, FIELD_EACH(tx_power_min_options),
           TX_POWER_OPTION_COUNT),
    number("ATPC_OPTIONS_DB", UNSIGNED, FIELD_EACH(atpc_options), TX_POWER_OPTION_COUNT,
           RAF_FOUR_BEFORE_03),
    number("TX_POWER_RANGE_DBM", SIGNED, FIELD_PAIR(tx_power_min, tx_power_max), 2),
    number("ATPC_RANGE_DB", UNSIGNED, FIELD(atpc_range)),
    number("ATPC_STEP_SIZE_DB", UNSIGNED, FIELD(atpc_step)),
    number("REQUIRED_RXSIGNAL_DBM", SIGNED, FIELD(required_rx_signal)),
    number("TX_STABILITY_PERCENT", UNSIGNED, FIELD(tx_stability), 1, 0, nullptr, 4),
    heading("Receiver data"),
    text("RX_THRESHOLD_DESCRIPTION", 16, THRESHOLD(description), THRESHOLD_COUNT, THRESHOLDS),
    number("RX_THRESHOLD_BER", RAF_EXPONENT_INPUT, THRESHOLD(ber), THRESHOLD_COUNT, THRESHOLDS),
    number("RX_THRESHOLD_DBM", SIGNED, THRESHOLD(threshold_dbm), THRESHOLD_COUNT, THRESHOLDS,
           threshold_microvolts),
    number("MAXIMUM_RXSIGNAL_DBM", SIGNED, THRESHOLD(max_rx_signal), THRESHOLD_COUNT, THRESHOLDS),
    number("DISPERSIVE_FM_DB", UNSIGNED, THRESHOLD(dispersive_fm), THRESHOLD_COUNT, THRESHOLDS),
    number("SIGNATURE_DELAY_NS", UNSIGNED, THRESHOLD(signature_delay), THRESHOLD_COUNT,
           THRESHOLDS),
    number("SIGNATURE_WIDTH_MHZ", UNSIGNED, THRESHOLD(signature_width), THRESHOLD_COUNT,
           THRESHOLDS),
    number("SIGNATURE_MINPHASE_DB", UNSIGNED, THRESHOLD(signature_minphase), THRESHOLD_COUNT,
           THRESHOLDS),
    number("SIGNATURE_NONMINPHASE_DB", UNSIGNED, THRESHOLD(signature_nonminphase), THRESHOLD_COUNT,
           THRESHOLDS),
    number("NOISE FIGURE_DB", UNSIGNED, FIELD(noise_figure)),
    number("TtoI_RATIO", UNSIGNED, FIELD(ttoi_ratio)),
    number("CtoI_RATIO_BER10-6_3DB", UNSIGNED, FIELD(ctoi_ber_10_6)),
    number("CtoI_RATIO_BER10-3_3DB", UNSIGNED, FIELD(ctoi_ber_10_3)),
    number("NOISE_FLOOR_KTBF_DBM", SIGNED, FIELD(noise_floor_ktbf)),
    number("SIMULCAST_CAPTURE_RANGE_DB", UNSIGNED, FIELD(simulcast_capture_range)),
    heading("BBER and ESR parameters"),
    integer("BITS_BLOCK", FIELD(bits_block)),
    integer("BLOCKS_SEC", FIELD(blocks_sec)),
    integer("ALPHA_VALUES", FIELD_EACH(alpha), 3),
    count("NUM_ACM_STATES", Raf_Row_Kind::acm_count),
    heading("Cochannel operation", "// Cochannel operation:\t 0-no, 1-yes"),
    choice("COCHANNEL_OPERATION", FIELD(cochannel_operation)),
    number("COCHANNEL XPIF", UNSIGNED, FIELD(cochannel_xpif)),
    number("COCHANNEL XPD_XPI", UNSIGNED, FIELD(cochannel_xpd_xpi)),
    heading("Selective fading method"),
    choice("SELECTIVE_FADING", FIELD(selective_fading),
           " // 0-use dispersive fade margin, 1-use signature, 2-none"),
    heading("Space diversity improvement parameters"),
    choice("SPACE_DIV_OPERATION", FIELD(space_div_operation), " // 0-BB_switching 1-IF combining"),
    heading(" ", "//\tCombiner gain, Sig width factor, Sig depth factor"),
    number("GAIN_WIDTH_DEPTH", UNSIGNED, gain_width_depth, 3),
    heading("Minimum frequency separation"),
    number("T-T_FREQ_SEP_1ANT_CPOL", UNSIGNED, FIELD_AT(freq_separations, 0)),
    number("T-T_FREQ_SEP_1ANT_XPOL", UNSIGNED, FIELD_AT(freq_separations, 1)),
    number("T-T_FREQ_SEP_2ANT_CPOL", UNSIGNED, FIELD_AT(freq_separations, 2)),
    number("T-T_FREQ_SEP_2ANT_XPOL", UNSIGNED, FIELD_AT(freq_separations, 3)),
    number("T-R_FREQ_SEP_1ANT_CPOL", UNSIGNED, FIELD_AT(freq_separations, 4)),
    number("T-R_FREQ_SEP_1ANT_XPOL", UNSIGNED, FIELD_AT(freq_separations, 5)),
    number("T-R_FREQ_SEP_2ANT_CPOL", UNSIGNED, FIELD_AT(freq_separations, 6)),
    number("T-R_FREQ_SEP_2ANT_XPOL", UNSIGNED, FIELD_AT(freq_separations, 7)),
    number("T-R_FIXED", UNSIGNED, FIELD(tr_fixed)),
    count("NUM_ACU_CONFIG", Raf_Row_Kind::acu_count,
          "//ACU :\tConfiguration, ANT, CRC, TXS, TXF, RXH, RXF, DRC"),
    heading("Miscellaneous"),
    text("COMMENT_1", 48, FIELD_AT(comments, 0)),
    text("COMMENT_2", 48, FIELD_AT(comments, 1)),
    text("COMMENT_3", 48, FIELD_AT(comments, 2)),
    text("COMMENT_4", 48, FIELD_AT(comments, 3)),
    text("COMMENT_5", 48, FIELD_AT(comments, 4)),
    text("COMMENT_6", 48, FIELD_AT(comments, 5)),
};

#undef FIELD
#undef FIELD_EACH
#undef FIELD_AT
#undef FIELD_PAIR
#undef THRESHOLD

} // namespace

const Raf_Keyword& raf_keyword(int row) { return table[row]; }

int find_raf_row(const char* keyword) {
    for (int row = 0; row < RAF_ROW_COUNT; ++row) {
        if (std::strcmp(table[row].keyword, keyword) == 0) {
            return row;
        }
    }
    return -1;
}

Raf_Cell raf_cell(Radio_Record& record, int row, int cell) { return table[row].cell(record, cell); }

Raf_Cell raf_cell(const Radio_Record& record, int row, int cell) {
    // The accessors take the record to write; this overload's callers only read.
    return table[row].cell(const_cast<Radio_Record&>(record), cell);
}
