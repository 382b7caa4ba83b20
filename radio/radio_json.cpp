// JSON form of the version 5 radio record.
#include "radio_json.h"

#include "file_text.h"
#include "radio_record.h"

#include <cmath>
#include <cstring>
#include <string>

using json = nlohmann::ordered_json;

namespace {

json value(double number) {
    return number == NOT_SET || !std::isfinite(number) ? json(nullptr) : json(number);
}

json count(int number) { return number == -1 ? json(nullptr) : json(number); }

// Texts are single-byte; JSON is UTF-8.
template <std::size_t N>
json text(const char (&field)[N]) {
    return file_text_to_utf8(field, N);
}

json values(const double* numbers, int n) {
    json list = json::array();
    for (int i = 0; i < n; ++i) {
        list.push_back(value(numbers[i]));
    }
    return list;
}

json threshold_json(const Rx_Threshold& t, int index) {
    return {
        {"label", threshold_labels[index]},
        {"kind", t.kind},
        {"ber", value(t.ber)},
        {"threshold_dbm", value(t.threshold_dbm)},
        {"threshold_uv", value(t.threshold_uv)},
        {"signature_delay", value(t.signature_delay)},
        {"signature_width", value(t.signature_width)},
        {"signature_minphase", value(t.signature_minphase)},
        {"signature_nonminphase", value(t.signature_nonminphase)},
        {"dispersive_fm", value(t.dispersive_fm)},
        {"max_rx_signal", value(t.max_rx_signal)},
        {"description", text(t.description)},
    };
}

json curve_json(const Radio_Curve& curve) {
    json codes = json::array();
    for (const std::string& code : curve.interfering_codes) {
        codes.push_back(file_text_to_utf8(code));
    }
    json points = json::array();
    for (const Radio_Point& point : curve.points) {
        points.push_back({float_as_decimal(point.offset), float_as_decimal(point.db)});
    }
    return {
        {"name", text(curve.name)},
        {"curve_type", curve_type_name(curve.curve_type)},
        {"interfering_codes", codes},
        {"two_sided", curve.two_sided != 0},
        {"power_integral", value(curve.power_integral)},
        {"points", points},
    };
}

json state_json(const Acm_State& s) {
    return {
        {"thruput", text(s.thruput)},
        {"Mod", text(s.Mod)},
        {"RSEC", text(s.RSEC)},
        {"step_up", value(s.step_up)},
        {"step_dn", value(s.step_dn)},
        {"RXthr10_6", value(s.RXthr10_6)},
        {"min_ctoi", value(s.min_ctoi)},
        {"TXmax", values(s.TXmax, ACM_POWER_OPTIONS)},
        {"TXmin", values(s.TXmin, ACM_POWER_OPTIONS)},
        {"ATPC_top", values(s.ATPC_top, ACM_POWER_OPTIONS)},
        {"XPIF", value(s.XPIF)},
        {"sig_delay", value(s.sig_delay)},
        {"sig_width", value(s.sig_width)},
        {"sig_minph10_6", value(s.sig_minph10_6)},
        {"sig_nminph10_6", value(s.sig_nminph10_6)},
        {"dispfm10_6", value(s.dispfm10_6)},
        {"max_rxsig", value(s.max_rxsig)},
        {"sig_minph_step", value(s.sig_minph_step)},
        {"sig_nminph_step", value(s.sig_nminph_step)},
        {"dispfm_step", value(s.dispfm_step)},
    };
}

json config_json(const Acu_Config& c) {
    return {
        {"Configuration", text(c.Configuration)},
        {"ANT", c.ANT},
        {"CRC", value(c.CRC)},
        {"TXS", value(c.TXS)},
        {"TXF", value(c.TXF)},
        {"RXH", value(c.RXH)},
        {"RXF", value(c.RXF)},
        {"DRC", value(c.DRC)},
    };
}

} // namespace

json radio_to_json(const Radio_Record& record) {
    const Radio_Spec& s = record.radio_spec;
    json comments = json::array();
    for (const auto& comment : s.comments) {
        comments.push_back(text(comment));
    }
    json names = json::array();
    for (const auto& name : s.tx_power_names) {
        names.push_back(text(name));
    }
    json thresholds = json::array();
    for (int i = 0; i < THRESHOLD_COUNT; ++i) {
        thresholds.push_back(threshold_json(record.thresholds[i], i));
    }
    json curves = json::array();
    for (const Radio_Curve& curve : record.curves) {
        curves.push_back(curve_json(curve));
    }
    json states = json::array();
    for (const Acm_State& state : record.acm_table.rows) {
        states.push_back(state_json(state));
    }
    json configs = json::array();
    for (const Acu_Config& config : record.acu_table.rows) {
        configs.push_back(config_json(config));
    }
    return {
        {"manufacturer", text(s.manufacturer)},
        {"model", text(s.model)},
        {"release_date", text(s.release_date)},
        {"revision_num", text(s.revision_num)},
        {"revision_date", text(s.revision_date)},
        {"radio_id", text(s.radio_id)},
        {"radio_code", text(s.radio_code)},
        {"application_type", s.application_type},
        {"radio_type", text(s.radio_type)},
        {"freq_low", value(s.freq_low)},
        {"freq_high", value(s.freq_high)},
        {"emission_designator", text(s.emission_designator)},
        {"tx_data_rate", value(s.tx_data_rate)},
        {"rx_data_rate", value(s.rx_data_rate)},
        {"capacity_count", count(s.capacity_count)},
        {"capacity_unit", text(s.capacity_unit)},
        {"modulation", text(s.modulation)},
        {"bandwidth_fcc", value(s.bandwidth_fcc)},
        {"bandwidth_99pc", value(s.bandwidth_99pc)},
        {"bandwidth_channel", value(s.bandwidth_channel)},
        {"bandwidth_3db_tx", value(s.bandwidth_3db_tx)},
        {"bandwidth_3db_rx", value(s.bandwidth_3db_rx)},
        {"tx_power_names", names},
        {"tx_power_options", values(s.tx_power_options, TX_POWER_OPTION_COUNT)},
        {"tx_power_min_options", values(s.tx_power_min_options, TX_POWER_OPTION_COUNT)},
        {"atpc_options", values(s.atpc_options, TX_POWER_OPTION_COUNT)},
        {"tx_power_min", value(s.tx_power_min)},
        {"tx_power_max", value(s.tx_power_max)},
        {"tx_power_dbm", value(s.tx_power_dbm)},
        {"tx_power_watts", value(s.tx_power_watts)},
        {"atpc_range", value(s.atpc_range)},
        {"atpc_step", value(s.atpc_step)},
        {"required_rx_signal", value(s.required_rx_signal)},
        {"tx_stability", value(s.tx_stability)},
        {"rx_thresholds", thresholds},
        {"noise_figure", value(s.noise_figure)},
        {"ttoi_ratio", value(s.ttoi_ratio)},
        {"ttoi_cw", value(s.ttoi_cw)},
        {"ctoi_ber_10_6", value(s.ctoi_ber_10_6)},
        {"ctoi_ber_10_3", value(s.ctoi_ber_10_3)},
        {"noise_floor_ktbf", value(s.noise_floor_ktbf)},
        {"effective_noise_floor", value(s.effective_noise_floor)},
        {"simulcast_capture_range", value(s.simulcast_capture_range)},
        {"bits_block", count(s.bits_block)},
        {"blocks_sec", count(s.blocks_sec)},
        {"alpha", {count(s.alpha[0]), count(s.alpha[1]), count(s.alpha[2])}},
        {"cochannel_operation", s.cochannel_operation},
        {"cochannel_xpif", value(s.cochannel_xpif)},
        {"cochannel_xpd_xpi", value(s.cochannel_xpd_xpi)},
        {"selective_fading", s.selective_fading},
        {"space_div_operation", s.space_div_operation},
        {"gain_width_depth", values(s.gain_width_depth, 2)},
        {"signature_depth_factor", value(s.signature_depth_factor)},
        {"freq_separations", values(s.freq_separations, FREQ_SEPARATION_COUNT)},
        {"tr_fixed", value(s.tr_fixed)},
        {"selectivity_source", s.selectivity_source},
        {"comments", comments},
        {"capacity_summary", file_text_to_utf8(capacity_summary_text(record))},
        {"curves", curves},
        {"acm_states", states},
        {"acu_configs", configs},
    };
}
