// Reading a version 5 ASCII radio file (versions 01 to 04) into a radio record.
#include "raf_format.h"
#include "raf_tables.h"
#include "radio_record.h"

#include "string_list.h"
#include "syntax_error.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr const char* keywords[RAF_ROW_COUNT] = {
    "MANUFACTURER",
    "MODEL",
    "RELEASE_DATE",
    "REVISION_NUM",
    "REVISION_DATE",
    "RADIO_ID",
    "QV50_RADIO_CODE",
    "APPLICATION_TYPE",
    "RADIO_TYPE",
    "FREQUENCY_RANGE",
    "EMISSION_DESIGNATOR",
    "TXDATA_RATE_MBS",
    "RXDATA_RATE_MBS",
    "RADIO_CAPACITY",
    "MODULATION",
    "BANDWIDTH_FCC_MHZ",
    "BANDWIDTH_99PC_MHZ",
    "BANDWIDTH_CHANNEL_MHZ",
    "BANDWIDTH_3DB_TX_MHZ",
    "BANDWIDTH_3DB_RX_MHZ",
    "Transmit data",
    "TX_POWER_OPTIONS_NAME",
    "TX_POWER_OPTIONS_DBM",
    "TX_POWER_MIN_OPTIONS_DBM",
    "ATPC_OPTIONS_DB",
    "TX_POWER_RANGE_DBM",
    "ATPC_RANGE_DB",
    "ATPC_STEP_SIZE_DB",
    "REQUIRED_RXSIGNAL_DBM",
    "TX_STABILITY_PERCENT",
    "Receiver data",
    "RX_THRESHOLD_DESCRIPTION",
    "RX_THRESHOLD_BER",
    "RX_THRESHOLD_DBM",
    "MAXIMUM_RXSIGNAL_DBM",
    "DISPERSIVE_FM_DB",
    "SIGNATURE_DELAY_NS",
    "SIGNATURE_WIDTH_MHZ",
    "SIGNATURE_MINPHASE_DB",
    "SIGNATURE_NONMINPHASE_DB",
    "NOISE FIGURE_DB",
    "TtoI_RATIO",
    "CtoI_RATIO_BER10-6_3DB",
    "CtoI_RATIO_BER10-3_3DB",
    "NOISE_FLOOR_KTBF_DBM",
    "SIMULCAST_CAPTURE_RANGE_DB",
    "BBER and ESR parameters",
    "BITS_BLOCK",
    "BLOCKS_SEC",
    "ALPHA_VALUES",
    "NUM_ACM_STATES",
    "Cochannel operation",
    "COCHANNEL_OPERATION",
    "COCHANNEL XPIF",
    "COCHANNEL XPD_XPI",
    "Selective fading method",
    "SELECTIVE_FADING",
    "Space diversity improvement parameters",
    "SPACE_DIV_OPERATION",
    " ",
    "GAIN_WIDTH_DEPTH",
    "Minimum frequency separation",
    "T-T_FREQ_SEP_1ANT_CPOL",
    "T-T_FREQ_SEP_1ANT_XPOL",
    "T-T_FREQ_SEP_2ANT_CPOL",
    "T-T_FREQ_SEP_2ANT_XPOL",
    "T-R_FREQ_SEP_1ANT_CPOL",
    "T-R_FREQ_SEP_1ANT_XPOL",
    "T-R_FREQ_SEP_2ANT_CPOL",
    "T-R_FREQ_SEP_2ANT_XPOL",
    "T-R_FIXED",
    "NUM_ACU_CONFIG",
    "Miscellaneous",
    "COMMENT_1",
    "COMMENT_2",
    "COMMENT_3",
    "COMMENT_4",
    "COMMENT_5",
    "COMMENT_6",
};

constexpr int label_rows[] = {ROW_LABEL_TRANSMIT,         ROW_LABEL_RECEIVER,  ROW_LABEL_BBER,
                              ROW_LABEL_COCHANNEL,        ROW_LABEL_SELECTIVE_FADING,
                              ROW_LABEL_SPACE_DIV,        ROW_LABEL_BLANK,     ROW_LABEL_FREQ_SEP,
                              ROW_LABEL_MISC};

// Labels that only the older versions have.
constexpr const char* old_labels[] = {"ADAPTMOD 1", "ADAPTMOD 2", "ACU"};

// Points are stored in single precision.
bool fits_float(double value) {
    return value != NOT_SET && std::fabs(value) <= std::numeric_limits<float>::max();
}

// One content line of the file: trimmed, with its 1-based line number.
struct Raf_Line {
    char text[RAF_MAX_LINE + 1];
    int number;
};

class Raf_Reader {
public:
    Raf_Reader(Radio_Record& record, string_list& lines)
        : m_record(record), m_spec(record.radio_spec), m_lines(lines),
          m_error(data_syntax_error()) {}

    void read();

private:
    enum class Next { line, end };

    [[noreturn]] void fault(int number, const char* what) {
        m_error.raise(number, m_lines[number - 1], what);
    }
    // Moves to the next line that holds something: empty and comment lines are passed over.
    // Returns Next::end at the end of the list or at ENDFIL (which ends the whole read).
    Next next_line(Raf_Line& line);
    // Whether at least `needed` lines that could be rows (not empty, no comment) follow. Looks no
    // further than it must.
    bool rows_follow(long long needed) const;

    void read_version_4();
    void read_old_version();
    // Splits a keyword line; false (line skipped) when its value is empty.
    bool split(Raf_Line& line, char*& keyword, char*& value);
    void store_row(int row, const char* value, const std::vector<std::string>& fields);
    bool store_old_keyword(const char* keyword, const char* value,
                           const std::vector<std::string>& fields);
    // The blocks after a count line; false when ENDFIL or the end came first.
    bool read_acm_block(const char* value, const Raf_Line& line);
    bool read_acu_block(const char* value, const Raf_Line& line);
    bool read_row(Raf_Line& line, std::vector<std::string>& fields);
    // Checks a count against the lines that could hold its rows.
    int checked_count(const char* value, int lines_per_item, const Raf_Line& line);
    void read_curve_block(const char* keyword, const char* value, const Raf_Line& line);

    Radio_Record& m_record;
    Radio_Spec& m_spec;
    string_list& m_lines;
    Data_Syntax_Error& m_error;
    int m_position = 0; // index of the next line to look at
    int m_version = 0;
    bool m_ended = false;
    // The older versions' fixed entries.
    Acm_State m_old_states[OLD_ACM_ENTRIES];
    Acu_Config m_old_configs[OLD_ACU_ENTRIES];
    bool m_old_config_given[OLD_ACU_ENTRIES] = {};
};

Raf_Reader::Next Raf_Reader::next_line(Raf_Line& line) {
    while (m_position < m_lines.count()) {
        const int number = ++m_position;
        const char* raw = m_lines[number - 1];
        if (std::strlen(raw) > RAF_MAX_LINE) {
            fault(number, "line longer than 255 characters");
        }
        std::strcpy(line.text, raw);
        strip_space(line.text);
        if (line.text[0] == '\0' || std::strncmp(line.text, "//", 2) == 0 ||
            line.text[0] == '\r' || line.text[0] == '\n') {
            continue;
        }
        if (std::strcmp(line.text, RAF_END) == 0) {
            m_ended = true;
            return Next::end;
        }
        line.number = number;
        return Next::line;
    }
    m_ended = true;
    return Next::end;
}

void Raf_Reader::read() {
    Raf_Line line;
    if (next_line(line) == Next::end) {
        return; // nothing but comments: no version, nothing read
    }
    for (int i = 0; i < 4; ++i) {
        if (std::strcmp(line.text, RAF_IDENTIFIERS[i]) == 0) {
            m_version = i + 1;
        }
    }
    if (m_version == 0) {
        fault(line.number, "unknown file identifier");
    }
    if (m_version == 4) {
        read_version_4();
    } else {
        read_old_version();
    }
}

bool Raf_Reader::split(Raf_Line& line, char*& keyword, char*& value) {
    char* colon = std::strchr(line.text, ':');
    if (colon == nullptr) {
        fault(line.number, "line without a colon");
    }
    *colon = '\0';
    keyword = line.text;
    strip_space(keyword);
    value = colon + 1;
    if (char* comment = std::strstr(value, "//")) {
        *comment = '\0';
    }
    strip_space(value);
    return value[0] != '\0';
}

void Raf_Reader::read_version_4() {
    Raf_Line line;
    while (!m_ended && next_line(line) == Next::line) {
        char* keyword;
        char* value;
        if (!split(line, keyword, value)) {
            continue;
        }
        const int row = find_raf_row(keyword);
        if (row < 0) {
            read_curve_block(keyword, value, line);
        } else if (row == ROW_NUM_ACM_STATES) {
            read_acm_block(value, line);
        } else if (row == ROW_NUM_ACU_CONFIG) {
            read_acu_block(value, line);
        } else if (!is_raf_label(row)) {
            store_row(row, value, split_fields(value));
        }
    }
}

void Raf_Reader::read_old_version() {
    for (Acm_State& entry : m_old_states) {
        entry = Acm_State::fresh();
    }
    for (Acu_Config& entry : m_old_configs) {
        entry = Acu_Config::fresh();
    }
    Raf_Line line;
    while (!m_ended && next_line(line) == Next::line) {
        char* keyword;
        char* value;
        if (!split(line, keyword, value)) {
            continue;
        }
        const std::vector<std::string> fields = split_fields(value);
        if (store_old_keyword(keyword, value, fields)) {
            continue;
        }
        const int row = find_raf_row(keyword);
        if (row < 0 || row == ROW_NUM_ACM_STATES || row == ROW_NUM_ACU_CONFIG) {
            read_curve_block(keyword, value, line);
        } else if (!is_raf_label(row)) {
            store_row(row, value, fields);
        }
    }
    make_acm_table_from_entries(m_record.acm_table, m_old_states);
    m_record.acu_table.clear();
    for (int i = 0; i < OLD_ACU_ENTRIES; ++i) {
        if (m_old_config_given[i]) {
            m_record.acu_table.rows.push_back(m_old_configs[i]);
        }
    }
}

// The keywords that only the older versions know. True when the line was one of them.
bool Raf_Reader::store_old_keyword(const char* keyword, const char* value,
                                   const std::vector<std::string>& fields) {
    for (const char* label : old_labels) {
        if (std::strcmp(keyword, label) == 0) {
            return true;
        }
    }
    const double number = text_to_double(value);
    if (std::strcmp(keyword, "DATA_RATE_MBS") == 0) {
        m_spec.tx_data_rate = m_spec.rx_data_rate = number;
        return true;
    }
    if (std::strcmp(keyword, "BANDWIDTH_3DB_MHZ") == 0) {
        m_spec.bandwidth_3db_tx = m_spec.bandwidth_3db_rx = number;
        return true;
    }
    if (std::strcmp(keyword, "ATPC_TRIGGER_POINT_DBM") == 0) {
        m_spec.required_rx_signal = number;
        return true;
    }
    if (std::strcmp(keyword, "IF_COMB_GAIN") == 0) {
        m_spec.gain_width_depth[0] = number;
        m_spec.gain_width_depth[1] = NOT_SET;
        m_spec.signature_depth_factor = NOT_SET;
        return true;
    }
    if (std::strcmp(keyword, "LCOMB_FACTOR") == 0) {
        return true;
    }
    if (std::strcmp(keyword, "ADMOD_1B") == 0) {
        // A run of ten lines, one per entry in file order; only the first carries its keyword.
        read_old_admod_b(m_old_states[0], fields);
        for (int entry = 1; entry < OLD_ACM_ENTRIES; ++entry) {
            Raf_Line row;
            std::vector<std::string> row_fields;
            if (!read_row(row, row_fields)) {
                return true;
            }
            read_old_admod_b(m_old_states[entry], row_fields);
        }
        return true;
    }
    for (int n = 1; n <= OLD_ACM_ENTRIES; ++n) {
        const std::string state = "ADMOD_" + std::to_string(n);
        if (keyword == state) {
            read_old_admod(m_old_states[n - 1], m_version, fields);
            return true;
        }
        if (keyword == state + "A") {
            read_old_admod_a(m_old_states[n - 1], m_version, fields);
            return true;
        }
    }
    for (int n = 1; n <= OLD_ACU_ENTRIES; ++n) {
        if (keyword == "ACU_CONFIG_" + std::to_string(n)) {
            read_old_acu(m_old_configs[n - 1], m_version, fields);
            m_old_config_given[n - 1] = true;
            return true;
        }
    }
    return false;
}

void Raf_Reader::store_row(int row, const char* value, const std::vector<std::string>& fields) {
    auto text = [&](char* target, std::size_t size) { copy_text(target, size, value); };
    auto number = [&](std::size_t index) {
        return index < fields.size() && !fields[index].empty()
                   ? text_to_double(fields[index].c_str())
                   : NOT_SET;
    };
    auto numbers = [&](double* target, std::size_t count) {
        for (std::size_t i = 0; i < std::min(count, fields.size()); ++i) {
            target[i] = number(i);
        }
    };
    auto integer = [&](std::size_t index) {
        return fields[index].empty() ? -1 : text_to_int(fields[index].c_str());
    };
    auto thresholds = [&](double Rx_Threshold::*member) {
        for (std::size_t i = 0; i < std::min<std::size_t>(THRESHOLD_COUNT, fields.size()); ++i) {
            m_record.thresholds[i].*member = number(i);
        }
    };
    // The older versions hold four power options, version 03 five.
    const std::size_t power_fields = m_version == 1 || m_version == 2 ? 4 : TX_POWER_OPTION_COUNT;

    switch (row) {
    case ROW_MANUFACTURER:
        text(m_spec.manufacturer, sizeof m_spec.manufacturer);
        break;
    case ROW_MODEL:
        text(m_spec.model, sizeof m_spec.model);
        break;
    case ROW_RELEASE_DATE:
        text(m_spec.release_date, sizeof m_spec.release_date);
        break;
    case ROW_REVISION_NUM:
        text(m_spec.revision_num, sizeof m_spec.revision_num);
        break;
    case ROW_REVISION_DATE:
        text(m_spec.revision_date, sizeof m_spec.revision_date);
        break;
    case ROW_RADIO_ID:
        text(m_spec.radio_id, sizeof m_spec.radio_id);
        break;
    case ROW_RADIO_CODE:
        text(m_spec.radio_code, sizeof m_spec.radio_code);
        break;
    case ROW_APPLICATION_TYPE:
        m_spec.application_type = static_cast<uint8_t>(text_to_int(value) - 1);
        break;
    case ROW_RADIO_TYPE:
        text(m_spec.radio_type, sizeof m_spec.radio_type);
        break;
    case ROW_FREQUENCY_RANGE:
        if (!fields.empty()) {
            m_spec.freq_low = number(0);
        }
        if (fields.size() > 1) {
            m_spec.freq_high = number(1);
        }
        break;
    case ROW_EMISSION_DESIGNATOR:
        text(m_spec.emission_designator, sizeof m_spec.emission_designator);
        break;
    case ROW_TXDATA_RATE:
        m_spec.tx_data_rate = text_to_double(value);
        break;
    case ROW_RXDATA_RATE:
        m_spec.rx_data_rate = text_to_double(value);
        break;
    case ROW_RADIO_CAPACITY:
        m_spec.capacity_count = integer(0);
        if (fields.size() > 1 && !fields[1].empty()) {
            copy_text(m_spec.capacity_unit, fields[1].c_str());
        }
        break;
    case ROW_MODULATION:
        text(m_spec.modulation, sizeof m_spec.modulation);
        break;
    case ROW_BANDWIDTH_FCC:
        m_spec.bandwidth_fcc = text_to_double(value);
        break;
    case ROW_BANDWIDTH_99PC:
        m_spec.bandwidth_99pc = text_to_double(value);
        break;
    case ROW_BANDWIDTH_CHANNEL:
        m_spec.bandwidth_channel = text_to_double(value);
        break;
    case ROW_BANDWIDTH_3DB_TX:
        m_spec.bandwidth_3db_tx = text_to_double(value);
        break;
    case ROW_BANDWIDTH_3DB_RX:
        m_spec.bandwidth_3db_rx = text_to_double(value);
        break;
    case ROW_TX_POWER_NAMES:
        if (m_version == 3 || m_version == 4) {
            for (std::size_t i = 0; i < std::min<std::size_t>(TX_POWER_OPTION_COUNT, fields.size()); ++i) {
                copy_text(m_spec.tx_power_names[i], fields[i].c_str());
            }
        }
        break;
    case ROW_TX_POWER_OPTIONS: {
        const bool first_given = !fields.empty() && !fields[0].empty();
        numbers(m_spec.tx_power_options, power_fields);
        if (first_given) {
            set_first_tx_power(m_spec, m_spec.tx_power_options[0]);
        }
        break;
    }
    case ROW_TX_POWER_MIN_OPTIONS:
        numbers(m_spec.tx_power_min_options, TX_POWER_OPTION_COUNT);
        break;
    case ROW_ATPC_OPTIONS:
        numbers(m_spec.atpc_options, power_fields);
        break;
    case ROW_TX_POWER_RANGE:
        if (!fields.empty()) {
            m_spec.tx_power_min = number(0);
        }
        if (fields.size() > 1) {
            m_spec.tx_power_max = number(1);
        }
        break;
    case ROW_ATPC_RANGE:
        m_spec.atpc_range = text_to_double(value);
        break;
    case ROW_ATPC_STEP:
        m_spec.atpc_step = text_to_double(value);
        break;
    case ROW_REQUIRED_RXSIGNAL:
        m_spec.required_rx_signal = text_to_double(value);
        break;
    case ROW_TX_STABILITY:
        m_spec.tx_stability = text_to_double(value);
        break;
    case ROW_RX_THRESHOLD_DESCRIPTION:
        for (std::size_t i = 0; i < std::min<std::size_t>(THRESHOLD_COUNT, fields.size()); ++i) {
            if (!fields[i].empty()) {
                copy_text(m_record.thresholds[i].description, fields[i].c_str());
            }
        }
        break;
    case ROW_RX_THRESHOLD_BER:
        thresholds(&Rx_Threshold::ber);
        break;
    case ROW_RX_THRESHOLD_DBM:
        for (std::size_t i = 0; i < std::min<std::size_t>(THRESHOLD_COUNT, fields.size()); ++i) {
            set_threshold_dbm(m_record.thresholds[i], number(i));
        }
        break;
    case ROW_MAXIMUM_RXSIGNAL:
        thresholds(&Rx_Threshold::max_rx_signal);
        break;
    case ROW_DISPERSIVE_FM:
        thresholds(&Rx_Threshold::dispersive_fm);
        break;
    case ROW_SIGNATURE_DELAY:
        thresholds(&Rx_Threshold::signature_delay);
        break;
    case ROW_SIGNATURE_WIDTH:
        thresholds(&Rx_Threshold::signature_width);
        break;
    case ROW_SIGNATURE_MINPHASE:
        thresholds(&Rx_Threshold::signature_minphase);
        break;
    case ROW_SIGNATURE_NONMINPHASE:
        thresholds(&Rx_Threshold::signature_nonminphase);
        break;
    case ROW_NOISE_FIGURE:
        m_spec.noise_figure = text_to_double(value);
        break;
    case ROW_TTOI_RATIO:
        m_spec.ttoi_ratio = text_to_double(value);
        break;
    case ROW_CTOI_10_6:
        m_spec.ctoi_ber_10_6 = text_to_double(value);
        break;
    case ROW_CTOI_10_3:
        m_spec.ctoi_ber_10_3 = text_to_double(value);
        break;
    case ROW_NOISE_FLOOR_KTBF:
        m_spec.noise_floor_ktbf = text_to_double(value);
        break;
    case ROW_SIMULCAST_CAPTURE_RANGE:
        m_spec.simulcast_capture_range = text_to_double(value);
        break;
    case ROW_BITS_BLOCK:
        m_spec.bits_block = text_to_int(value);
        break;
    case ROW_BLOCKS_SEC:
        m_spec.blocks_sec = text_to_int(value);
        break;
    case ROW_ALPHA_VALUES:
        for (std::size_t i = 0; i < std::min<std::size_t>(3, fields.size()); ++i) {
            m_spec.alpha[i] = integer(i);
        }
        break;
    case ROW_COCHANNEL_OPERATION:
        m_spec.cochannel_operation = static_cast<uint8_t>(text_to_int(value));
        break;
    case ROW_COCHANNEL_XPIF:
        m_spec.cochannel_xpif = text_to_double(value);
        break;
    case ROW_COCHANNEL_XPD_XPI:
        m_spec.cochannel_xpd_xpi = text_to_double(value);
        break;
    case ROW_SELECTIVE_FADING:
        m_spec.selective_fading = static_cast<uint8_t>(text_to_int(value));
        break;
    case ROW_SPACE_DIV_OPERATION:
        m_spec.space_div_operation = static_cast<uint8_t>(text_to_int(value));
        break;
    case ROW_GAIN_WIDTH_DEPTH:
        if (!fields.empty()) {
            m_spec.gain_width_depth[0] = number(0);
        }
        if (fields.size() > 1) {
            m_spec.gain_width_depth[1] = number(1);
        }
        if (fields.size() > 2) {
            m_spec.signature_depth_factor = number(2);
        }
        break;
    case ROW_TR_FIXED:
        m_spec.tr_fixed = text_to_double(value);
        break;
    default:
        if (row >= ROW_FREQ_SEP_FIRST && row < ROW_FREQ_SEP_FIRST + FREQ_SEPARATION_COUNT) {
            m_spec.freq_separations[row - ROW_FREQ_SEP_FIRST] = text_to_double(value);
        } else if (row >= ROW_COMMENT_FIRST && row < ROW_COMMENT_FIRST + COMMENT_COUNT) {
            text(m_spec.comments[row - ROW_COMMENT_FIRST], sizeof m_spec.comments[0]);
        }
        break;
    }
}

bool Raf_Reader::rows_follow(long long needed) const {
    // The lines next_line passes over, told without copying them.
    const auto blank = [](const char* text) {
        for (; *text != '\0'; ++text) {
            if (static_cast<unsigned char>(*text) > ' ') {
                return false;
            }
        }
        return true;
    };
    for (int index = m_position; index < m_lines.count() && needed > 0; ++index) {
        const char* text = m_lines[index];
        text += std::strspn(text, " \t");
        if (blank(text) || std::strncmp(text, "//", 2) == 0 || text[0] == '\r' ||
            text[0] == '\n') {
            continue;
        }
        --needed;
    }
    return needed <= 0;
}

int Raf_Reader::checked_count(const char* value, int lines_per_item, const Raf_Line& line) {
    const int count = text_to_int(value);
    if (count < 0) {
        fault(line.number, "negative count");
    }
    // Rows are made for the count before they are read: comment lines cannot be rows, so a
    // count is held against the lines that can.
    if (!rows_follow(static_cast<long long>(count) * lines_per_item)) {
        fault(line.number, "count larger than the lines that follow");
    }
    return count;
}

bool Raf_Reader::read_row(Raf_Line& line, std::vector<std::string>& fields) {
    if (next_line(line) == Next::end) {
        return false;
    }
    char* colon = std::strchr(line.text, ':');
    if (colon == nullptr) {
        fault(line.number, "row without a colon");
    }
    char* value = colon + 1;
    if (char* comment = std::strstr(value, "//")) {
        *comment = '\0';
    }
    strip_space(value);
    fields = split_fields(value);
    return true;
}

bool Raf_Reader::read_acm_block(const char* value, const Raf_Line& count_line) {
    const int count = checked_count(value, 3, count_line);
    if (count == 0) {
        return true;
    }
    m_record.acm_table.make(count);
    for (char group : {'A', 'B', 'C'}) {
        for (int n = 0; n < count; ++n) {
            Raf_Line line;
            std::vector<std::string> fields;
            if (!read_row(line, fields)) {
                return false;
            }
            read_acm_row(m_record.acm_table[n], group, fields);
        }
    }
    return true;
}

bool Raf_Reader::read_acu_block(const char* value, const Raf_Line& count_line) {
    const int count = checked_count(value, 1, count_line);
    if (count == 0) {
        m_record.acu_table.clear();
        return true;
    }
    m_record.acu_table.make(count);
    for (int n = 0; n < count; ++n) {
        Raf_Line line;
        std::vector<std::string> fields;
        if (!read_row(line, fields)) {
            return false;
        }
        read_acu_row(m_record.acu_table[n], fields);
    }
    return true;
}

void Raf_Reader::read_curve_block(const char* keyword, const char* value, const Raf_Line& header) {
    const int type = find_curve_type(keyword);
    if (type < 0) {
        fault(header.number, "unknown keyword");
    }
    const int count = checked_count(value, 1, header);
    if (count == 0) {
        return;
    }
    // Points: comment and blank lines between them are passed over like anywhere else.
    std::vector<std::pair<float, float>> pairs;
    pairs.reserve(static_cast<std::size_t>(count));
    for (int n = 0; n < count; ++n) {
        Raf_Line line;
        if (next_line(line) == Next::end) {
            fault(header.number, "fewer point lines than the count");
        }
        const char* comma = std::strchr(line.text, ',');
        if (comma == nullptr) {
            fault(line.number, "point line without a comma");
        }
        const double offset = text_to_double(line.text);
        const double db = text_to_double(comma + 1);
        if (!fits_float(offset) || !fits_float(db)) {
            fault(line.number, "point value out of range");
        }
        pairs.emplace_back(static_cast<float>(offset), static_cast<float>(db));
    }
    std::stable_sort(pairs.begin(), pairs.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });

    Radio_Curve curve;
    curve.curve_type = static_cast<uint8_t>(type);
    curve.power_integral = NOT_SET;
    curve.points.reserve(pairs.size());
    for (const auto& [offset, db] : pairs) {
        curve.points.push_back({offset, db, static_cast<float>(std::pow(10.0, db / 10.0))});
    }
    curve.update_limits();
    if (carries_codes(type)) {
        const char* after_count = std::strchr(value, ',');
        curve.interfering_codes = split_codes(after_count ? after_count + 1 : nullptr);
    }
    const bool code_missing = is_other_radio_type(type) && curve.interfering_codes.empty();
    if (code_missing) {
        curve.interfering_codes.emplace_back(MISSING_RADIO_CODE);
    }
    name_curve(curve, true);
    m_record.curves.append(std::move(curve));
    if (code_missing) {
        fault(header.number, "curve against other radios without a radio code");
    }
}

} // namespace

const char* raf_keyword(int row) { return row >= 0 && row < RAF_ROW_COUNT ? keywords[row] : ""; }

bool is_raf_label(int row) {
    return std::find(std::begin(label_rows), std::end(label_rows), row) != std::end(label_rows);
}

int find_raf_row(const char* keyword) {
    for (int row = 0; row < RAF_ROW_COUNT; ++row) {
        if (std::strcmp(keywords[row], keyword) == 0) {
            return row;
        }
    }
    return -1;
}

void read_raf_lines(Radio_Record& record, string_list& lines, const char* path) {
    data_syntax_error().start_read(path);
    Raf_Reader(record, lines).read();
}

void read_raf_file(Radio_Record& record, const char* path, Error_Handler* handler) {
    data_syntax_error().start_read(path);
    string_list lines(handler, path);
    read_raf_lines(record, lines, path);
}
