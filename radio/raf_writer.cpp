// Writing a radio record as a version 04 ASCII radio file.
#include "raf_format.h"
#include "raf_tables.h"
#include "radio_record.h"

#include "qvfileio.h"
#include "save_atomically.h"

#include <cmath>
#include <string>

namespace {

constexpr std::size_t max_field = 47;

// A text field: made safe for the line, cut to the field's 47 characters.
std::string field(const std::string& value, bool in_list = false) {
    std::string text = raf_safe_text(value, in_list);
    if (text.size() > max_field) {
        text.resize(max_field);
    }
    return text;
}

class Raf_Writer {
public:
    explicit Raf_Writer(const Radio_Record& record) : m_record(record), m_spec(record.radio_spec) {}

    std::string write();

private:
    // Adds one line; a line is cut to the format's 255 characters.
    void line(std::string text) {
        if (text.size() > RAF_MAX_LINE) {
            text.resize(RAF_MAX_LINE);
        }
        m_text += text;
        m_text += "\r\n";
    }
    static std::string key(int row) { return std::string(raf_keyword(row)) + ":\t"; }
    void text_row(int row, const char* text) { line(key(row) + field(text)); }
    void double_row(int row, double value) { line(key(row) + raf_double(value)); }
    void doubles_row(int row, const double* values, int count) {
        std::string text = key(row);
        for (int i = 0; i < count; ++i) {
            text += (i ? ", " : "") + raf_double(values[i]);
        }
        line(text);
    }
    void threshold_row(int row, double Rx_Threshold::*member) {
        const double values[THRESHOLD_COUNT] = {
            m_record.thresholds[0].*member, m_record.thresholds[1].*member,
            m_record.thresholds[2].*member, m_record.thresholds[3].*member};
        doubles_row(row, values, THRESHOLD_COUNT);
    }
    void label(int row) { line(std::string("// ") + raf_keyword(row)); }
    void curve_blocks();

    const Radio_Record& m_record;
    const Radio_Spec& m_spec;
    std::string m_text;
};

std::string Raf_Writer::write() {
    line(RAF_IDENTIFIERS[3]);
    text_row(ROW_MANUFACTURER, m_spec.manufacturer);
    text_row(ROW_MODEL, m_spec.model);
    text_row(ROW_RELEASE_DATE, m_spec.release_date);
    text_row(ROW_REVISION_NUM, m_spec.revision_num);
    text_row(ROW_REVISION_DATE, m_spec.revision_date);
    text_row(ROW_RADIO_ID, m_spec.radio_id);
    text_row(ROW_RADIO_CODE, m_spec.radio_code);
    line(key(ROW_APPLICATION_TYPE) + std::to_string(m_spec.application_type + 1) +
         " // 1-microwave, 2-adaptive modulation 3-land mobile");
    text_row(ROW_RADIO_TYPE, m_spec.radio_type);
    line(key(ROW_FREQUENCY_RANGE) + raf_double(m_spec.freq_low) + ", " +
         raf_double(m_spec.freq_high));
    text_row(ROW_EMISSION_DESIGNATOR, m_spec.emission_designator);
    double_row(ROW_TXDATA_RATE, m_spec.tx_data_rate);
    double_row(ROW_RXDATA_RATE, m_spec.rx_data_rate);
    line(key(ROW_RADIO_CAPACITY) + raf_integer(m_spec.capacity_count) + ", " +
         field(m_spec.capacity_unit, true));
    text_row(ROW_MODULATION, m_spec.modulation);
    double_row(ROW_BANDWIDTH_FCC, m_spec.bandwidth_fcc);
    double_row(ROW_BANDWIDTH_99PC, m_spec.bandwidth_99pc);
    double_row(ROW_BANDWIDTH_CHANNEL, m_spec.bandwidth_channel);
    double_row(ROW_BANDWIDTH_3DB_TX, m_spec.bandwidth_3db_tx);
    double_row(ROW_BANDWIDTH_3DB_RX, m_spec.bandwidth_3db_rx);

    label(ROW_LABEL_TRANSMIT);
    std::string names = key(ROW_TX_POWER_NAMES);
    for (int i = 0; i < TX_POWER_OPTION_COUNT; ++i) {
        names += field(m_spec.tx_power_names[i], true) + (i + 1 < TX_POWER_OPTION_COUNT ? ", " : "");
    }
    line(names);
    doubles_row(ROW_TX_POWER_OPTIONS, m_spec.tx_power_options, TX_POWER_OPTION_COUNT);
    doubles_row(ROW_TX_POWER_MIN_OPTIONS, m_spec.tx_power_min_options, TX_POWER_OPTION_COUNT);
    doubles_row(ROW_ATPC_OPTIONS, m_spec.atpc_options, TX_POWER_OPTION_COUNT);
    line(key(ROW_TX_POWER_RANGE) + raf_double(m_spec.tx_power_min) + ", " +
         raf_double(m_spec.tx_power_max));
    double_row(ROW_ATPC_RANGE, m_spec.atpc_range);
    double_row(ROW_ATPC_STEP, m_spec.atpc_step);
    double_row(ROW_REQUIRED_RXSIGNAL, m_spec.required_rx_signal);
    double_row(ROW_TX_STABILITY, m_spec.tx_stability);

    label(ROW_LABEL_RECEIVER);
    std::string descriptions = key(ROW_RX_THRESHOLD_DESCRIPTION);
    for (int i = 0; i < THRESHOLD_COUNT; ++i) {
        descriptions += field(m_record.thresholds[i].description, true) +
                        (i + 1 < THRESHOLD_COUNT ? ", " : "");
    }
    line(descriptions);
    threshold_row(ROW_RX_THRESHOLD_BER, &Rx_Threshold::ber);
    threshold_row(ROW_RX_THRESHOLD_DBM, &Rx_Threshold::threshold_dbm);
    threshold_row(ROW_MAXIMUM_RXSIGNAL, &Rx_Threshold::max_rx_signal);
    threshold_row(ROW_DISPERSIVE_FM, &Rx_Threshold::dispersive_fm);
    threshold_row(ROW_SIGNATURE_DELAY, &Rx_Threshold::signature_delay);
    threshold_row(ROW_SIGNATURE_WIDTH, &Rx_Threshold::signature_width);
    threshold_row(ROW_SIGNATURE_MINPHASE, &Rx_Threshold::signature_minphase);
    threshold_row(ROW_SIGNATURE_NONMINPHASE, &Rx_Threshold::signature_nonminphase);
    double_row(ROW_NOISE_FIGURE, m_spec.noise_figure);
    double_row(ROW_TTOI_RATIO, m_spec.ttoi_ratio);
    double_row(ROW_CTOI_10_6, m_spec.ctoi_ber_10_6);
    double_row(ROW_CTOI_10_3, m_spec.ctoi_ber_10_3);
    double_row(ROW_NOISE_FLOOR_KTBF, m_spec.noise_floor_ktbf);
    double_row(ROW_SIMULCAST_CAPTURE_RANGE, m_spec.simulcast_capture_range);

    label(ROW_LABEL_BBER);
    line(key(ROW_BITS_BLOCK) + raf_integer(m_spec.bits_block));
    line(key(ROW_BLOCKS_SEC) + raf_integer(m_spec.blocks_sec));
    line(key(ROW_ALPHA_VALUES) + raf_integer(m_spec.alpha[0]) + ", " +
         raf_integer(m_spec.alpha[1]) + ", " + raf_integer(m_spec.alpha[2]));
    line(key(ROW_NUM_ACM_STATES) + std::to_string(m_record.acm_table.count()));
    for (const std::string& row : acm_rows(m_record.acm_table)) {
        line(row);
    }

    line(std::string("// ") + raf_keyword(ROW_LABEL_COCHANNEL) + ":\t 0-no, 1-yes");
    line(key(ROW_COCHANNEL_OPERATION) + std::to_string(m_spec.cochannel_operation));
    double_row(ROW_COCHANNEL_XPIF, m_spec.cochannel_xpif);
    double_row(ROW_COCHANNEL_XPD_XPI, m_spec.cochannel_xpd_xpi);
    label(ROW_LABEL_SELECTIVE_FADING);
    line(key(ROW_SELECTIVE_FADING) + std::to_string(m_spec.selective_fading) +
         " // 0-use dispersive fade margin, 1-use signature, 2-none");
    label(ROW_LABEL_SPACE_DIV);
    line(key(ROW_SPACE_DIV_OPERATION) + std::to_string(m_spec.space_div_operation) +
         " // 0-BB_switching 1-IF combining");
    line("//\tCombiner gain, Sig width factor, Sig depth factor");
    line(key(ROW_GAIN_WIDTH_DEPTH) + raf_double(m_spec.gain_width_depth[0]) + ", " +
         raf_double(m_spec.gain_width_depth[1]) + ", " + raf_double(m_spec.signature_depth_factor));
    label(ROW_LABEL_FREQ_SEP);
    for (int i = 0; i < FREQ_SEPARATION_COUNT; ++i) {
        double_row(ROW_FREQ_SEP_FIRST + i, m_spec.freq_separations[i]);
    }
    double_row(ROW_TR_FIXED, m_spec.tr_fixed);
    line("//ACU :\tConfiguration, ANT, CRC, TXS, TXF, RXH, RXF, DRC");
    line(key(ROW_NUM_ACU_CONFIG) + std::to_string(m_record.acu_table.count()));
    for (const std::string& row : acu_rows(m_record.acu_table)) {
        line(row);
    }
    label(ROW_LABEL_MISC);
    for (int i = 0; i < COMMENT_COUNT; ++i) {
        text_row(ROW_COMMENT_FIRST + i, m_spec.comments[i]);
    }
    curve_blocks();
    line(RAF_END);
    return std::move(m_text);
}

void Raf_Writer::curve_blocks() {
    for (const Radio_Curve& curve : m_record.curves) {
        if (is_derived_type(curve.curve_type)) {
            continue;
        }
        std::string header = curve_type_name(curve.curve_type) + ":\t" +
                             std::to_string(curve.point_count());
        if (is_state_type(curve.curve_type) && curve.first_code() != nullptr) {
            header += ", " + raf_safe_text(curve.first_code(), true);
        } else if (carries_codes(curve.curve_type)) {
            // Every code that fits the line; a code is never cut in half.
            for (const std::string& code : curve.interfering_codes) {
                const std::string safe = raf_safe_text(code, true);
                if (header.size() + 2 + safe.size() > RAF_MAX_LINE) {
                    break;
                }
                header += ", " + safe;
            }
        }
        line(header);
        for (const Radio_Point& point : curve.points) {
            line(raf_point(point.offset) + ", " + raf_point(point.db));
        }
    }
}

} // namespace

namespace {

// The most decimals the writer adds to keep a value that two decimals would change.
constexpr int max_extra_precision = 10;

// `value` with two decimals, as the format writes numbers, or with as many more as it takes to
// read back the same value: two decimals would turn a 12.5 kHz channel (0.0125 MHz) into
// 0.01 MHz and put the points of a narrow-band curve on top of each other. Values that two
// decimals hold are written exactly as the format has always written them.
template <typename Number>
std::string precise(Number value, std::string (*format)(double, int)) {
    std::string text = format(value, 2);
    for (int precision = 3; precision <= max_extra_precision; ++precision) {
        if (static_cast<Number>(text_to_double(text.c_str())) == value) {
            break;
        }
        text = format(value, precision);
    }
    return text;
}

} // namespace

std::string raf_double(double value) {
    if (value == NOT_SET) {
        return {};
    }
    if (value == 0.0) {
        return "0.00";
    }
    if (std::fabs(value) < 0.005) {
        return precise(value, format_exponent);
    }
    std::string text = precise(value, format_fixed);
    // Beyond the field's 47 characters (values of 1e44 and up) only the exponent form fits.
    return text.size() <= max_field ? text : precise(value, format_exponent);
}

std::string raf_point(float value) { return precise(value, format_fixed); }

std::string raf_integer(int value) {
    if (value == -1 || value == 222 || value == 0) {
        return {};
    }
    return std::to_string(value);
}

std::string raf_text(const Radio_Record& record) { return Raf_Writer(record).write(); }

void write_raf_file(const Radio_Record& record, const char* path, Error_Handler* handler) {
    save_atomically(handler, path, raf_text(record));
}
