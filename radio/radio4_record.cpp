// Resetting the version 4 radio record and the operations of its curve list.
#include "radio4_record.h"

#include "text_helpers.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Sets every double from byte `first` up to byte `last` (excluded) of the record to `value`.
void fill_doubles(Radio4_Spec& radio_spec, std::size_t first, std::size_t last, double value) {
    char* bytes = reinterpret_cast<char*>(&radio_spec);
    for (std::size_t offset = first; offset + sizeof(double) <= last; offset += sizeof(double)) {
        std::memcpy(bytes + offset, &value, sizeof value);
    }
}

float linear_of(double db) { return static_cast<float>(std::pow(10.0, db / 10.0)); }

} // namespace

Radio4_Curve_Head Radio4_Curve::head() const {
    Radio4_Curve_Head head{};
    std::memcpy(head.name, name, sizeof head.name);
    head.x_min = x_min;
    head.x_max = x_max;
    head.power_integral = power_integral;
    head.two_sided = two_sided;
    head.point_count = static_cast<uint32_t>(points.size());
    return head;
}

bool Radio4_Curve::is_named(const char* text) const {
    return text != nullptr && std::strlen(text) < sizeof name &&
           equals_nocase(std::string_view(name, strnlen(name, sizeof name)), text);
}

void Radio4_Curve::set_name(const char* text) {
    std::memset(name, 0, sizeof name);
    if (text != nullptr) {
        std::strncpy(name, text, sizeof name - 1);
    }
}

Radio4_Curve* Radio4_Curve_List::find(const char* name) {
    for (Radio4_Curve& curve : m_curves) {
        if (curve.is_named(name)) {
            return &curve;
        }
    }
    return nullptr;
}

const Radio4_Curve* Radio4_Curve_List::find(const char* name) const {
    return const_cast<Radio4_Curve_List*>(this)->find(name);
}

void Radio4_Record::reset() {
    curves.m_curves.clear();
    std::memset(&radio_spec, 0, sizeof radio_spec);
    // TXPOWER_DBM to FREQ_HI_MHZ, the fifth further double, and RESIDUAL_BER to the end.
    fill_doubles(radio_spec, offsetof(Radio4_Spec, txpower_dbm), offsetof(Radio4_Spec, further),
                 NOT_SET);
    radio_spec.further[4] = NOT_SET;
    fill_doubles(radio_spec, offsetof(Radio4_Spec, residual_ber), sizeof radio_spec, NOT_SET);
    radio_spec.flags = RADIO4_PDH;
}

Radio4_Curve& Radio4_Record::append_curve() {
    curves.m_curves.emplace_back();
    radio_spec.curve_count = curves.count();
    return curves.m_curves.back();
}

Radio4_Curve_List::iterator Radio4_Record::unlink_curve(Radio4_Curve_List::iterator position) {
    const auto next = curves.m_curves.erase(position);
    radio_spec.curve_count = curves.count();
    return next;
}

void Radio4_Record::unlink_curve(const Radio4_Curve& curve) {
    for (auto it = curves.m_curves.begin(); it != curves.m_curves.end(); ++it) {
        if (&*it == &curve) {
            unlink_curve(it);
            return;
        }
    }
}

int Radio4_Record::remove_derived_curves() {
    int removed = 0;
    for (auto it = curves.begin(); it != curves.end();) {
        if (it->is_named(RADIO4_TX_EMISSION_MASK) || it->is_named(RADIO4_RX_SELECTIVITY_MASK) ||
            it->is_named(RADIO4_RX_SELECTIVITY_CALC)) {
            it = unlink_curve(it);
            ++removed;
        } else {
            ++it;
        }
    }
    return removed;
}

bool is_radio4_derived_name(const char* name) {
    return name != nullptr && (equals_nocase(name, RADIO4_TX_EMISSION_MASK) ||
                               equals_nocase(name, RADIO4_RX_SELECTIVITY_MASK) ||
                               equals_nocase(name, RADIO4_RX_SELECTIVITY_CALC));
}

bool set_curve_points(Radio4_Curve& curve, int count, const double* pairs) {
    if (count < 0 || (count != curve.point_count() && count < 2)) {
        return false;
    }
    curve.points.resize(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < curve.points.size(); ++i) {
        Radio_Point& point = curve.points[i];
        point.offset = static_cast<float>(pairs[2 * i]);
        point.db = static_cast<float>(pairs[2 * i + 1]);
        point.linear = linear_of(point.db);
    }
    if (!curve.points.empty()) {
        curve.x_min = curve.points.front().offset;
        curve.x_max = curve.points.back().offset;
        curve.two_sided = curve.x_min < -0.001f ? 1 : 0;
    }
    return true;
}

Radio_Curve to_radio_curve(const Radio4_Curve& curve, int type) {
    Radio_Curve converted;
    converted.curve_type = static_cast<uint8_t>(type);
    converted.x_min = curve.x_min;
    converted.x_max = curve.x_max;
    converted.power_integral = curve.power_integral;
    converted.two_sided = curve.two_sided;
    converted.points = curve.points;
    name_curve(converted, false);
    return converted;
}

Radio4_Curve to_radio4_curve(const Radio_Curve& curve, const char* name) {
    Radio4_Curve converted;
    converted.set_name(name);
    converted.x_min = curve.x_min;
    converted.x_max = curve.x_max;
    converted.power_integral = curve.power_integral;
    converted.two_sided = curve.two_sided;
    converted.points = curve.points;
    return converted;
}

double curve_value_at(const Radio4_Curve& curve, double f) {
    return curve_value_at(to_radio_curve(curve, CURVE_TTOI_SAME), f);
}
