// Conversions between the version 4 radio record and the version 5 radio record.
#include "radio4_conversion.h"

#include "radio4_record.h"
#include "radio_record.h"

#include "data_findings.h"
#include "text_helpers.h"

#include <cctype>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

bool is_set(double value) { return value != NOT_SET; }

// A version 4 double as a version 5 integer, truncated; -1 when it holds no value.
int32_t to_integer(double value) {
    if (!is_set(value) || !std::isfinite(value)) {
        return -1;
    }
    constexpr double low = std::numeric_limits<int32_t>::min();
    constexpr double high = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::trunc(std::fmin(std::fmax(value, low), high)));
}

double to_double(int32_t value) { return value == -1 ? NOT_SET : value; }

// A step count that the ATPC step size can be derived from: set, not 0, not the -1 and 222 the
// file leaves empty.
bool steps_given(double steps) {
    const double whole = std::trunc(steps);
    return is_set(steps) && std::isfinite(steps) && steps != 0.0 && whole != -1.0 &&
           whole != 222.0;
}

void set_threshold(Rx_Threshold& threshold, int index, double ber, double dbm,
                   const Radio4_Signature& signature, double dispersive_fm, double max_rx_signal) {
    threshold.kind = static_cast<uint8_t>(index);
    threshold.ber = ber;
    set_threshold_dbm(threshold, dbm);
    threshold.signature_delay = signature.delay;
    threshold.signature_width = signature.width;
    threshold.signature_minphase = signature.minph;
    threshold.signature_nonminphase = signature.nonminph;
    threshold.dispersive_fm = dispersive_fm;
    threshold.max_rx_signal = max_rx_signal;
}

Radio4_Signature signature_of(const Rx_Threshold& threshold) {
    return {threshold.signature_delay, threshold.signature_width, threshold.signature_minphase,
            threshold.signature_nonminphase};
}

// RADIO_CAPACITY from CAPACITY: "16E1" is 16 of "E1", "STM1" one "STM1"; a capacity that is only
// a number is a data rate. True when it gave the data rate.
bool convert_capacity(const std::string& capacity, Radio_Spec& radio_spec) {
    if (capacity.empty()) {
        return false;
    }
    std::size_t digits = 0;
    while (digits < capacity.size() &&
           (std::isdigit(static_cast<unsigned char>(capacity[digits])) || capacity[digits] == '.')) {
        ++digits;
    }
    if (digits == capacity.size()) {
        radio_spec.tx_data_rate = radio_spec.rx_data_rate = text_to_double(capacity.c_str());
        return true;
    }
    const int count = digits == 0 ? 0 : text_to_int(capacity.substr(0, digits).c_str());
    radio_spec.capacity_count = count == 0 ? 1 : count;
    copy_text(radio_spec.capacity_unit, capacity.substr(digits).c_str());
    return false;
}

// The version 5 radio type text of the version 4 flags; the last of NB_DIGITAL, PDH and SDH that
// is set counts, as in the ASCII file.
const char* radio_type_of(uint8_t flags) {
    if (flags & RADIO4_SDH) {
        return "SDH";
    }
    if (flags & RADIO4_PDH) {
        return "PDH";
    }
    if (flags & RADIO4_NB_DIGITAL) {
        return "Narrow band / analog";
    }
    return "";
}

// The version 4 radio-type flag of a version 5 radio type text; 0 when it names none.
uint8_t radio_type_flag(const char* type) {
    if (starts_with_nocase(type, "SDH")) {
        return RADIO4_SDH;
    }
    if (starts_with_nocase(type, "PDH")) {
        return RADIO4_PDH;
    }
    if (starts_with_nocase(type, "Narrow") || starts_with_nocase(type, "NB")) {
        return RADIO4_NB_DIGITAL;
    }
    return 0;
}

// The version 4 names of a version 5 curve: one curve of version 4 holds one code. T/I and IRF
// curves are named by traffic code: the radio's own for the curves against the same radio, an
// interfering code for the others, one curve for each of its codes (converting back joins them
// again); a curve of an adaptive-modulation state carries its identifier after a hyphen; every
// other curve is named by its type name.
std::vector<std::string> radio4_names_of(const Radio_Curve& curve, const std::string& own_code) {
    const auto by_codes = [&](const char* prefix) {
        std::vector<std::string> names;
        for (const std::string& code : curve.interfering_codes) {
            names.push_back(prefix + code);
        }
        if (names.empty()) {
            names.push_back(curve_type_name(curve.curve_type));
        }
        return names;
    };
    switch (curve.curve_type) {
    case CURVE_TTOI_SAME:
        return {"TtoI_" + own_code};
    case CURVE_IRF_SAME:
        return {"IRF_" + own_code};
    case CURVE_TTOI_OTHER:
        return by_codes("TtoI_");
    case CURVE_IRF_OTHER:
        return by_codes("IRF_");
    default: {
        const std::string& type = curve_type_name(curve.curve_type);
        if (type.empty()) {
            return {std::string(curve.name, strnlen(curve.name, sizeof curve.name))};
        }
        const char* code = curve.first_code();
        if (is_state_type(curve.curve_type) && code != nullptr && code[0] != '\0') {
            return {type + "-" + code};
        }
        return {type};
    }
    }
}

// The type and identifier of a version 4 name "TX_EMISSION_nn-ID" or "RX_SELECTIVITY_nn-ID";
// -1 for any other name.
int state_curve_type(const char* name, std::string& identifier) {
    const char* hyphen = std::strchr(name, '-');
    if (hyphen == nullptr || hyphen[1] == '\0') {
        return -1;
    }
    const int type = find_curve_type(std::string(name, hyphen).c_str());
    if (!is_state_type(type)) {
        return -1;
    }
    identifier = hyphen + 1;
    return type;
}

// Whether `curve` is a further code of `previous`, as radio4_names_of writes them: a curve of the
// same type against other radios, right after it, with the same points.
bool continues_codes(const Radio_Curve& previous, const Radio_Curve& curve) {
    if (!is_other_radio_type(curve.curve_type) || previous.curve_type != curve.curve_type ||
        previous.two_sided != curve.two_sided || previous.points.size() != curve.points.size()) {
        return false;
    }
    for (std::size_t i = 0; i < curve.points.size(); ++i) {
        if (previous.points[i].offset != curve.points[i].offset ||
            previous.points[i].db != curve.points[i].db) {
            return false;
        }
    }
    return true;
}

} // namespace

int radio4_curve_type(const Radio4_Spec& radio_spec, const char* name, std::string* code) {
    const bool ttoi = starts_with_nocase(name, "TtoI_");
    const bool irf = starts_with_nocase(name, "IRF_");
    if (ttoi || irf) {
        const std::string traffic = name + (ttoi ? 5 : 4);
        const std::size_t split = traffic.find_first_of("-_");
        const std::string first = traffic.substr(0, split);
        const std::string second = split == std::string::npos ? "" : traffic.substr(split + 1);
        const std::string capacity = radio4_text(radio_spec.capacity);
        const std::string modulation = radio4_text(radio_spec.modulation);
        auto own = [&](const std::string& part) {
            return equals_nocase(part, capacity) || equals_nocase(part, modulation);
        };
        // The radio's own code taken whole first: a capacity such as STM-1 holds the separator.
        bool own_code = false;
        if (!capacity.empty() && !modulation.empty()) {
            for (const char* separator : {"-", "_"}) {
                own_code = own_code || equals_nocase(traffic, capacity + separator + modulation) ||
                           equals_nocase(traffic, modulation + separator + capacity);
            }
        }
        if (own_code || (own(first) && own(second))) {
            return ttoi ? CURVE_TTOI_SAME : CURVE_IRF_SAME;
        }
        if (ttoi && equals_nocase(traffic, "CW")) {
            return CURVE_TTOI_CW;
        }
        if (code != nullptr) {
            // A version 5 curve against other radios needs a code to be read back.
            *code = traffic.empty() ? MISSING_RADIO_CODE : traffic;
        }
        return ttoi ? CURVE_TTOI_OTHER : CURVE_IRF_OTHER;
    }
    const int type = find_curve_type(name);
    if (type >= CURVE_TTOI_CW) {
        return type;
    }
    std::string identifier;
    const int state_type = state_curve_type(name, identifier);
    if (state_type >= 0 && code != nullptr) {
        *code = identifier;
    }
    return state_type;
}

void convert_v4_to_v5(const Radio4_Record& v4, Radio_Record& v5,
                      std::vector<std::string>& passed_over) {
    v5.reset();
    const Radio4_Spec& a = v4.radio_spec;
    Radio_Spec& b = v5.radio_spec;

    copy_text(b.manufacturer, radio4_text(a.manufact).c_str());
    copy_text(b.model, radio4_text(a.model).c_str());
    for (int i = 0; i < RADIO4_COMMENT_COUNT; ++i) {
        copy_text(b.comments[i], radio4_text(a.comment[i]).c_str());
    }
    copy_text(b.emission_designator, radio4_text(a.emdesig).c_str());
    copy_text(b.radio_id, radio4_text(a.radio_id).c_str());
    copy_text(b.modulation, radio4_text(a.modulation).c_str());
    if (!convert_capacity(radio4_text(a.capacity), b)) {
        b.tx_data_rate = b.rx_data_rate = a.data_rate;
    }
    b.freq_low = a.freq_lo_mhz;
    b.freq_high = a.freq_hi_mhz;
    b.tx_stability = a.stability_prc;
    b.bits_block = to_integer(a.bits_block);
    b.blocks_sec = to_integer(a.blocks_sec);
    for (int i = 0; i < 3; ++i) {
        b.alpha[i] = to_integer(a.alpha[i]);
    }
    set_first_tx_power(b, a.txpower_dbm);
    b.atpc_options[0] = a.atpc_range;
    if (is_set(a.atpc_range) && steps_given(a.num_atpcsteps)) {
        b.atpc_step = a.atpc_range / a.num_atpcsteps;
    }
    b.bandwidth_3db_tx = b.bandwidth_3db_rx = a.spectrmbw_mhz;
    b.bandwidth_channel = a.channelbw_mhz;
    b.ttoi_ratio = a.ttoi_cochan_like;
    b.ttoi_cw = a.ttoi_cochan_cw;
    b.cochannel_xpif = a.xpif;
    b.cochannel_xpd_xpi = a.xpd_xpi;
    b.gain_width_depth[0] = a.if_comb_gain;
    b.reserved_1040 = a.further[0];
    for (int i = 0; i < 3; ++i) {
        b.reserved_1096[i] = a.further[i + 1];
    }

    set_threshold(v5.thresholds[THRESHOLD_10_3], THRESHOLD_10_3, 0.001, a.rxthresh_10_3,
                  a.signature_10_3, a.dispfm_10_3, a.maxrxsig_10_3);
    set_threshold(v5.thresholds[THRESHOLD_10_6], THRESHOLD_10_6, 1e-6, a.rxthresh_10_6,
                  a.signature_10_6, a.dispfm_10_6, a.maxrxsig_10_6);
    set_threshold(v5.thresholds[THRESHOLD_RBER], THRESHOLD_RBER, a.residual_ber, a.rxthresh_rber,
                  a.signature_rber, a.dispfm_rber, NOT_SET);
    set_threshold(v5.thresholds[THRESHOLD_SES], THRESHOLD_SES, a.ses_ber, a.rxthresh_ses_ber,
                  a.signature_ses, a.dispfm_ses, NOT_SET);

    copy_text(b.radio_type, radio_type_of(a.flags));
    b.application_type = APPLICATION_MICROWAVE;
    b.space_div_operation = (a.flags & RADIO4_IF_COMBINER) ? 1 : 0;
    b.cochannel_operation = (a.flags & RADIO4_COCHANNEL) ? 1 : 0;
    b.selective_fading = (a.flags & RADIO4_USE_SIGNATURE) ? 1 : 2;

    const std::string capacity = radio4_text(a.capacity);
    const std::string modulation = radio4_text(a.modulation);
    if (!capacity.empty() && !modulation.empty()) {
        copy_text(v5.capacity_summary, (capacity + "-" + modulation).c_str());
    } else if (is_set(b.tx_data_rate)) {
        copy_text(v5.capacity_summary, (format_fixed(b.tx_data_rate, 2) + "Mbs").c_str());
    }

    for (const Radio4_Curve& curve : v4.curves) {
        std::string code;
        const int type = radio4_curve_type(a, curve.name, &code);
        if (type < 0) {
            passed_over.push_back(std::string(UNKNOWN_RADIO_CURVE) + " " + curve.name +
                                  ": left out");
            continue;
        }
        Radio_Curve converted = to_radio_curve(curve, type);
        if (is_other_radio_type(type)) {
            if (v5.curves.count() > 0 &&
                continues_codes(v5.curves[v5.curves.count() - 1], converted)) {
                v5.curves[v5.curves.count() - 1].interfering_codes.push_back(code);
                continue;
            }
            converted.interfering_codes.push_back(code);
            name_curve(converted, false);
        } else if (is_state_type(type) && !code.empty()) {
            converted.interfering_codes.push_back(code);
            name_curve(converted, true);
        }
        v5.curves.append(std::move(converted));
    }
    v5.header.curve_count = v5.curves.count();
}

void convert_v5_to_v4(const Radio_Record& v5, Radio4_Record& v4, std::vector<std::string>* cuts) {
    v4.reset();
    const Radio_Spec& b = v5.radio_spec;
    Radio4_Spec& a = v4.radio_spec;

    // A text longer than its version 4 field is cut, and the cut told.
    const auto take_text = [cuts](char* field, std::size_t size, const std::string& text,
                                  const std::string& what) {
        copy_text(field, size, text.c_str());
        if (cuts != nullptr && text.size() >= size) {
            cuts->push_back(text_cut_warning(what, size - 1, text.size() - (size - 1)));
        }
    };
    const auto text_of = [](const char* field, std::size_t size) {
        return std::string(field, strnlen(field, size));
    };
    take_text(a.manufact, sizeof a.manufact, text_of(b.manufacturer, sizeof b.manufacturer),
              "MANUFACT");
    take_text(a.model, sizeof a.model, text_of(b.model, sizeof b.model), "MODEL");
    for (int i = 0; i < RADIO4_COMMENT_COUNT; ++i) {
        take_text(a.comment[i], sizeof a.comment[i],
                  text_of(b.comments[i], sizeof b.comments[i]),
                  "COMMENT_" + std::to_string(i + 1));
    }
    take_text(a.emdesig, sizeof a.emdesig,
              text_of(b.emission_designator, sizeof b.emission_designator), "EMDESIG");
    take_text(a.radio_id, sizeof a.radio_id, text_of(b.radio_id, sizeof b.radio_id), "RADIO_ID");
    take_text(a.modulation, sizeof a.modulation, text_of(b.modulation, sizeof b.modulation),
              "MODULATION");
    if (b.capacity_count > 0 && b.capacity_unit[0] != '\0') {
        // One of a unit that names its own size (STM1, E1) is written as the unit alone, as
        // version 4 writes it: "STM1" comes back as "STM1", not "1STM1".
        const bool unit_alone = b.capacity_count == 1 &&
                                !std::isdigit(static_cast<unsigned char>(b.capacity_unit[0])) &&
                                b.capacity_unit[0] != '.';
        const std::string unit(b.capacity_unit, strnlen(b.capacity_unit, sizeof b.capacity_unit));
        take_text(a.capacity, sizeof a.capacity,
                  unit_alone ? unit : std::to_string(b.capacity_count) + unit, "CAPACITY");
    }
    a.data_rate = is_set(b.tx_data_rate) ? b.tx_data_rate : b.rx_data_rate;
    a.freq_lo_mhz = b.freq_low;
    a.freq_hi_mhz = b.freq_high;
    a.stability_prc = b.tx_stability;
    a.bits_block = to_double(b.bits_block);
    a.blocks_sec = to_double(b.blocks_sec);
    for (int i = 0; i < 3; ++i) {
        a.alpha[i] = to_double(b.alpha[i]);
    }
    a.txpower_dbm = b.tx_power_options[0];
    a.atpc_range = b.atpc_options[0];
    // The step count from the ATPC range and step size; a record converted from version 4 holds
    // its range in the first ATPC option only.
    const double range = is_set(b.atpc_range) ? b.atpc_range : b.atpc_options[0];
    if (is_set(range) && is_set(b.atpc_step) && b.atpc_step != 0.0) {
        const double steps = std::round(range / b.atpc_step);
        if (std::isfinite(steps)) {
            a.num_atpcsteps = steps;
        }
    }
    a.spectrmbw_mhz = is_set(b.bandwidth_3db_tx) ? b.bandwidth_3db_tx : b.bandwidth_3db_rx;
    a.channelbw_mhz = b.bandwidth_channel;
    a.ttoi_cochan_like = b.ttoi_ratio;
    a.ttoi_cochan_cw = b.ttoi_cw;
    a.xpif = b.cochannel_xpif;
    a.xpd_xpi = b.cochannel_xpd_xpi;
    a.if_comb_gain = b.gain_width_depth[0];
    a.further[0] = b.reserved_1040;
    for (int i = 0; i < 3; ++i) {
        a.further[i + 1] = b.reserved_1096[i];
    }

    const Rx_Threshold* t = v5.thresholds;
    a.rxthresh_10_3 = t[THRESHOLD_10_3].threshold_dbm;
    a.signature_10_3 = signature_of(t[THRESHOLD_10_3]);
    a.dispfm_10_3 = t[THRESHOLD_10_3].dispersive_fm;
    a.maxrxsig_10_3 = t[THRESHOLD_10_3].max_rx_signal;
    a.rxthresh_10_6 = t[THRESHOLD_10_6].threshold_dbm;
    a.signature_10_6 = signature_of(t[THRESHOLD_10_6]);
    a.dispfm_10_6 = t[THRESHOLD_10_6].dispersive_fm;
    a.maxrxsig_10_6 = t[THRESHOLD_10_6].max_rx_signal;
    a.residual_ber = t[THRESHOLD_RBER].ber;
    a.rxthresh_rber = t[THRESHOLD_RBER].threshold_dbm;
    a.signature_rber = signature_of(t[THRESHOLD_RBER]);
    a.dispfm_rber = t[THRESHOLD_RBER].dispersive_fm;
    a.ses_ber = t[THRESHOLD_SES].ber;
    a.rxthresh_ses_ber = t[THRESHOLD_SES].threshold_dbm;
    a.signature_ses = signature_of(t[THRESHOLD_SES]);
    a.dispfm_ses = t[THRESHOLD_SES].dispersive_fm;

    char radio_type[sizeof b.radio_type];
    copy_text(radio_type, b.radio_type);
    if (const uint8_t type = radio_type_flag(radio_type)) {
        a.flags = static_cast<uint8_t>((a.flags & ~RADIO4_TYPE_FLAGS) | type);
    }
    if (b.space_div_operation == 1) {
        a.flags |= RADIO4_IF_COMBINER;
    }
    if (b.cochannel_operation == 1) {
        a.flags |= RADIO4_COCHANNEL;
    }
    if (b.selective_fading == 1) {
        a.flags |= RADIO4_USE_SIGNATURE;
    }

    const std::string own_code = radio4_text(a.capacity) + "-" + radio4_text(a.modulation);
    for (const Radio_Curve& curve : v5.curves) {
        if (is_derived_type(curve.curve_type)) {
            continue; // made again when an .mrs file is written
        }
        for (const std::string& name : radio4_names_of(curve, own_code)) {
            v4.append_curve() = to_radio4_curve(curve, name.c_str());
            if (cuts != nullptr && name.size() >= RADIO4_CURVE_NAME_SIZE) {
                cuts->push_back(text_cut_warning("curve " + name, RADIO4_CURVE_NAME_SIZE - 1,
                                                 name.size() - (RADIO4_CURVE_NAME_SIZE - 1)));
            }
        }
    }
}
