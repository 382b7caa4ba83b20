// Derivations made before a binary radio file is written.
#include "radio_derivations.h"

#include "radio_record.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {

bool is_set(double value) { return value != NOT_SET; }

float linear_of(double db) { return static_cast<float>(std::pow(10.0, db / 10.0)); }

// Reads the leading number of `text` as a C conversion would ("%lf"); the position after it in
// `end`, or null when there is no number.
double scan_number(const char* text, const char*& end) {
    while (*text == ' ' || *text == '\t') {
        ++text;
    }
    const char* begin = *text == '+' ? text + 1 : text;
    double value = 0.0;
    const auto result = std::from_chars(begin, begin + std::strlen(begin), value,
                                        std::chars_format::general);
    end = result.ec == std::errc() ? result.ptr : nullptr;
    return value;
}

// "NUMBER<letter>DIGITS" at the start of `text`: the number of whole megahertz and the digits that
// follow the unit letter, which are its decimals.
bool scan_pair(const char* text, char letter, double& whole, double& fraction) {
    const char* end = nullptr;
    whole = scan_number(text, end);
    if (end == nullptr || *end != letter) {
        return false;
    }
    const char* digits = end + 1;
    fraction = 0.0;
    double place = 0.1;
    const char* c = digits;
    for (; std::isdigit(static_cast<unsigned char>(*c)); ++c, place /= 10.0) {
        fraction += (*c - '0') * place;
    }
    return c != digits;
}

// The ten points of a default mask with the given levels: outer, shoulder and in-band.
void append_mask(Radio_Record& record, int type, double bandwidth, double outer, double shoulder,
                 double inner) {
    const double log_b = std::log10(bandwidth);
    std::array<double, 4> v = {0.5 * bandwidth, 0.6875 * bandwidth - 0.125 * bandwidth * log_b,
                               1.0625 * bandwidth - 0.125 * bandwidth * log_b, 5.0 * bandwidth};
    std::sort(v.begin(), v.end());
    const double a = v[0], b = v[1], c = v[2], d = v[3];
    const double offsets[10] = {-d, -c, -b, -a, -0.998 * a, 0.998 * a, a, b, c, d};
    const double levels[10] = {outer, outer, shoulder, shoulder, inner,
                               inner, shoulder, shoulder, outer, outer};

    Radio_Curve curve;
    curve.curve_type = static_cast<uint8_t>(type);
    curve.power_integral = NOT_SET;
    for (int i = 0; i < 10; ++i) {
        curve.points.push_back({static_cast<float>(offsets[i]), static_cast<float>(levels[i]),
                                linear_of(levels[i])});
    }
    // A wide band puts the in-band level below the shoulders: the band is held at the shoulder.
    if (curve.points[3].db > curve.points[4].db) {
        curve.points[4].db = curve.points[5].db = curve.points[3].db;
        curve.points[4].linear = curve.points[5].linear = curve.points[3].linear;
    }
    curve.update_limits();
    curve.two_sided = 1;
    // A bandwidth far outside any radio's gives offsets or levels beyond single precision.
    if (!curve.finite()) {
        return;
    }
    name_curve(curve, false);
    record.curves.append(std::move(curve));
}

} // namespace

double designator_bandwidth(const char* designator) {
    double whole = 0.0;
    double fraction = 0.0;
    if (designator == nullptr ||
        !(scan_pair(designator, 'M', whole, fraction) || scan_pair(designator, 'm', whole, fraction))) {
        return NOT_SET;
    }
    return std::isfinite(whole) ? whole + fraction : NOT_SET;
}

void complete_from_tables(Radio_Record& record) {
    Radio_Spec& s = record.radio_spec;
    if (!is_set(s.ttoi_ratio)) {
        s.ttoi_ratio = modulation_ttoi(s.modulation);
    }
    if (!is_set(s.bandwidth_channel) && s.emission_designator[0] != '\0') {
        s.bandwidth_channel = designator_bandwidth(s.emission_designator);
    }
}

void complete_record_fields(Radio_Record& record) {
    Radio_Spec& s = record.radio_spec;

    // 3 dB bandwidths, from the emission curve when neither is given.
    if (!is_set(s.bandwidth_3db_tx) && !is_set(s.bandwidth_3db_rx)) {
        const int emission = record.curves.find_first(CURVE_TX_EMISSION);
        if (emission >= 0) {
            s.bandwidth_3db_tx = 2.0 * curve_half_width_3db(record.curves[emission]);
        }
    }
    if (is_set(s.bandwidth_3db_tx) != is_set(s.bandwidth_3db_rx)) {
        (is_set(s.bandwidth_3db_tx) ? s.bandwidth_3db_rx : s.bandwidth_3db_tx) =
            is_set(s.bandwidth_3db_tx) ? s.bandwidth_3db_tx : s.bandwidth_3db_rx;
    }
    if (is_set(s.tx_data_rate) != is_set(s.rx_data_rate)) {
        (is_set(s.tx_data_rate) ? s.rx_data_rate : s.tx_data_rate) =
            is_set(s.tx_data_rate) ? s.tx_data_rate : s.rx_data_rate;
    }

    // The SES threshold, interpolated between the 10-3 and 10-6 thresholds.
    Rx_Threshold& ses = record.thresholds[THRESHOLD_SES];
    const double t3 = record.thresholds[THRESHOLD_10_3].threshold_dbm;
    const double t6 = record.thresholds[THRESHOLD_10_6].threshold_dbm;
    if (!is_set(ses.threshold_dbm) && s.bits_block != -1 && s.alpha[0] != -1 && is_set(t3) &&
        is_set(t6) && s.bits_block != 0) {
        const double x = s.alpha[0] * 0.458 / s.bits_block;
        if (x > 0.0) {
            const double power = std::log10(x);
            if (power >= -6.0 && power <= -3.0) {
                ses.ber = x;
                ses.threshold_dbm = (t3 - t6) / 3.0 * (power + 6.0) + t6;
            }
        }
    }

    for (int i = 0; i < THRESHOLD_COUNT; ++i) {
        Rx_Threshold& threshold = record.thresholds[i];
        set_threshold_dbm(threshold, threshold.threshold_dbm);
        s.threshold_copy[i] = threshold;
        s.threshold_copy[i].spare = NOT_SET;
    }

    // The effective noise floor, by the first rule that has its values.
    s.effective_noise_floor = NOT_SET;
    const double t6_now = record.thresholds[THRESHOLD_10_6].threshold_dbm;
    const double t3_now = record.thresholds[THRESHOLD_10_3].threshold_dbm;
    if (is_set(s.noise_floor_ktbf)) {
        s.effective_noise_floor = s.noise_floor_ktbf;
    } else if (is_set(t6_now) && is_set(s.ttoi_ratio)) {
        s.effective_noise_floor = t6_now - s.ttoi_ratio + 5.868253;
    } else if (is_set(t3_now) && is_set(s.ctoi_ber_10_3)) {
        s.effective_noise_floor = t3_now - s.ctoi_ber_10_3;
    } else if (is_set(t6_now) && is_set(s.ctoi_ber_10_6)) {
        s.effective_noise_floor = t6_now - s.ctoi_ber_10_6;
    } else if (is_set(s.bandwidth_3db_rx) && is_set(s.noise_figure) && s.bandwidth_3db_rx > 0.0) {
        s.effective_noise_floor =
            10.0 * std::log10(s.bandwidth_3db_rx * 4.0039082e-21 * 1e6) + 30.0 + s.noise_figure;
    }
}

void make_default_tx_mask(Radio_Record& record) {
    const double bandwidth = record.radio_spec.bandwidth_3db_tx;
    if (!is_set(bandwidth) || !(bandwidth > 0.0) || !std::isfinite(bandwidth)) {
        return;
    }
    append_mask(record, CURVE_TX_EMISSION_MASK, bandwidth, -80.0, -50.0,
                10.0 * std::log10(0.004 / bandwidth));
}

void make_default_rx_mask(Radio_Record& record) {
    const double bandwidth = record.radio_spec.bandwidth_3db_rx;
    if (!is_set(bandwidth) || !(bandwidth > 0.0) || !std::isfinite(bandwidth)) {
        return;
    }
    const double k = 10.0 * std::log10(0.004 / bandwidth);
    append_mask(record, CURVE_RX_SELECTIVITY_MASK, bandwidth, -80.0 - k, -50.0 - k, 0.0);
}

void normalise_tx_emission(Radio_Record& record) {
    for (Radio_Curve& curve : record.curves) {
        const int type = curve.curve_type;
        if (type != CURVE_TX_EMISSION &&
            !(type >= CURVE_TX_EMISSION_STATE_FIRST && type <= CURVE_TX_EMISSION_STATE_LAST)) {
            continue;
        }
        for (Radio_Point& point : curve.points) {
            point.linear = linear_of(point.db);
        }
        const double step = (static_cast<double>(curve.x_max) - curve.x_min) / 199.0;
        double sum = 0.0;
        for (int k = 0; k < 200; ++k) {
            const double f = curve.x_min + step / 2.0 + k * step;
            sum += std::pow(10.0, curve_value_at(curve, f) / 10.0);
        }
        double power = sum * step;
        if (!curve.two_sided) {
            power *= 2.0;
        }
        const double scale = power / 0.004;
        // A curve without width has no power to scale by.
        if (!(scale > 0.0) || !std::isfinite(scale)) {
            continue;
        }
        // Dividing the linear values by the scale is subtracting its level from the dB values;
        // done that way a very low level never becomes the logarithm of zero.
        const double scale_db = 10.0 * std::log10(scale);
        for (Radio_Point& point : curve.points) {
            point.db = static_cast<float>(point.db - scale_db);
            point.linear = linear_of(point.db);
        }
    }
}

void make_rx_selectivity_calc(Radio_Record& record) {
    Radio_Spec& radio_spec = record.radio_spec;
    int source = record.curves.find_first(CURVE_RX_SELECTIVITY);
    radio_spec.selectivity_source = 3;
    if (source < 0) {
        source = record.curves.find_first(CURVE_TTOI_CW);
        radio_spec.selectivity_source = 2;
    }
    if (source < 0) {
        source = record.curves.find_first(CURVE_RX_SELECTIVITY_MASK);
        radio_spec.selectivity_source = 1;
    }
    if (source < 0) {
        radio_spec.selectivity_source = 0;
        return;
    }
    const Radio_Curve s = record.curves[source];
    if (s.points.empty()) {
        return;
    }
    const bool two_sided = s.two_sided != 0;
    const double b = curve_half_width_3db(s);
    const double sr = (s.x_max - b) / 34.0;
    const double sl = two_sided ? (std::fabs(s.x_min) - b) / 34.0 : sr;
    const double si = 2.0 * b / 10.0;
    const double reference = s.curve_type == CURVE_RX_SELECTIVITY_MASK ? 0.0 : curve_level_at_zero(s);

    double offsets[79];
    if (two_sided) {
        for (int k = 0; k <= 34; ++k) {
            offsets[k] = s.x_min + k * sl;
        }
        for (int j = 1; j <= 10; ++j) {
            offsets[34 + j] = -b + j * si;
        }
    } else {
        offsets[39] = 0.0;
        for (int j = 1; j <= 5; ++j) {
            offsets[39 + j] = j * 0.2 * b;
        }
    }
    for (int k = 1; k <= 34; ++k) {
        offsets[44 + k] = b + k * sr;
    }
    if (!two_sided) {
        for (int i = 0; i <= 38; ++i) {
            offsets[i] = -offsets[78 - i];
        }
    }

    Radio_Curve calc;
    calc.curve_type = CURVE_RX_SELECTIVITY_CALC;
    for (double offset : offsets) {
        const double db = curve_value_at(s, offset) - reference;
        calc.points.push_back({static_cast<float>(offset), static_cast<float>(db), linear_of(db)});
    }
    calc.two_sided = 1;
    calc.x_max = s.x_max;
    calc.x_min = two_sided ? s.x_min : -s.x_max;

    // Trapezoids over the three spans, with their own steps.
    auto span = [&](int first, int last, double width) {
        double total = 0.0;
        for (int i = first; i <= last; ++i) {
            const double weight = (i == first || i == last) ? 0.5 : 1.0;
            total += weight * calc.points[static_cast<std::size_t>(i)].linear;
        }
        return total * width;
    };
    calc.power_integral = span(0, 34, sl) + span(34, 44, si) + span(44, 78, sr);
    if (!calc.finite()) {
        return;
    }
    name_curve(calc, false);
    record.curves.append(std::move(calc));
}

void derive_radio_curves(Radio_Record& record) {
    Radio_Curve_List& curves = record.curves;
    for (int i = curves.count() - 1; i >= 0; --i) {
        if (curves[i].point_count() < 2) {
            curves.delete_curve(i);
        }
    }
    curves.remove_derived_curves();

    Radio_Spec& s = record.radio_spec;
    if (!is_set(s.ttoi_ratio)) {
        const int same = curves.find_first(CURVE_TTOI_SAME);
        if (same >= 0) {
            s.ttoi_ratio = curve_value_at(curves[same], 0.0);
        }
    }
    if (!is_set(s.ttoi_cw)) {
        const int cw = curves.find_first(CURVE_TTOI_CW);
        if (cw >= 0) {
            s.ttoi_cw = curve_value_at(curves[cw], 0.0);
        }
    }
    complete_from_tables(record);
    complete_record_fields(record);
    make_default_tx_mask(record);
    make_default_rx_mask(record);
    normalise_tx_emission(record);
    make_rx_selectivity_calc(record);
}
