// Curve types, the curve list and the curve arithmetic.
#include "radio_curves.h"

#include "text_helpers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

std::array<std::string, CURVE_TYPE_COUNT> make_type_names() {
    std::array<std::string, CURVE_TYPE_COUNT> names;
    const char* fixed[] = {"TtoI_Same",        "TtoI_Other",          "IRF_Same",
                           "IRF_Other",        "TtoI_CW",             "TX_EMISSION",
                           "RX_SELECTIVITY",   "RX_FILTER",           "TX_FILTER",
                           "TX_EMISSION_MASK", "RX_SELECTIVITY_MASK", "RX_SELECTIVITY_CALC"};
    for (int i = 0; i < 12; ++i) {
        names[static_cast<std::size_t>(i)] = fixed[i];
    }
    char text[32];
    for (int state = 1; state <= 99; ++state) {
        std::snprintf(text, sizeof text, "TX_EMISSION_%02d", state);
        names[static_cast<std::size_t>(CURVE_TX_EMISSION_STATE_FIRST + state - 1)] = text;
        std::snprintf(text, sizeof text, "RX_SELECTIVITY_%02d", state);
        names[static_cast<std::size_t>(CURVE_RX_SELECTIVITY_STATE_FIRST + state - 1)] = text;
    }
    names[CURVE_RX_SELECTIVITY_AMODCALC] = "RX_SELECTIVITY_AMODCALC";
    return names;
}

const std::array<std::string, CURVE_TYPE_COUNT>& type_names() {
    static const auto names = make_type_names();
    return names;
}

float linear_of(float db) { return static_cast<float>(std::pow(10.0, db / 10.0)); }

// Offset where the segment from point a to point b crosses `level` (dB).
double crossing(const Radio_Point& a, const Radio_Point& b, double level) {
    if (b.db == a.db) {
        return a.offset;
    }
    return a.offset + (level - a.db) * (b.offset - a.offset) / (b.db - a.db);
}

} // namespace

const std::string& curve_type_name(int type) {
    static const std::string none;
    return type >= 0 && type < CURVE_TYPE_COUNT ? type_names()[static_cast<std::size_t>(type)]
                                                 : none;
}

int find_curve_type(const char* name) {
    if (name == nullptr) {
        return -1;
    }
    const auto& names = type_names();
    for (int i = 0; i < CURVE_TYPE_COUNT; ++i) {
        if (equals_nocase(names[static_cast<std::size_t>(i)].c_str(), name)) {
            return i;
        }
    }
    return -1;
}

int find_curve_type_exact(const char* name) {
    if (name == nullptr) {
        return -1;
    }
    const auto& names = type_names();
    for (int i = 0; i < CURVE_TYPE_COUNT; ++i) {
        if (names[static_cast<std::size_t>(i)] == name) {
            return i;
        }
    }
    return -1;
}

bool is_other_radio_type(int type) { return type == CURVE_TTOI_OTHER || type == CURVE_IRF_OTHER; }

bool is_state_type(int type) {
    return type >= CURVE_TX_EMISSION_STATE_FIRST && type <= CURVE_RX_SELECTIVITY_STATE_LAST;
}

bool carries_codes(int type) {
    return (type >= CURVE_TTOI_SAME && type <= CURVE_IRF_OTHER) || is_state_type(type);
}

bool is_derived_type(int type) {
    return type >= CURVE_TX_EMISSION_MASK && type <= CURVE_RX_SELECTIVITY_CALC;
}

const char* Radio_Curve::first_code() const {
    return interfering_codes.empty() ? nullptr : interfering_codes.front().c_str();
}

Radio_Curve_Header Radio_Curve::header() const {
    Radio_Curve_Header header{};
    std::memcpy(header.name, name, sizeof header.name);
    header.code_count = static_cast<uint32_t>(interfering_codes.size());
    header.curve_type = curve_type;
    header.x_min = x_min;
    header.x_max = x_max;
    header.power_integral = power_integral;
    header.two_sided = two_sided;
    header.point_count = static_cast<uint32_t>(points.size());
    return header;
}

void Radio_Curve::update_limits() {
    if (points.empty()) {
        return;
    }
    x_min = points.front().offset;
    x_max = points.back().offset;
    two_sided = x_min < -0.001f ? 1 : 0;
}

bool Radio_Curve::finite() const {
    return std::all_of(points.begin(), points.end(), [](const Radio_Point& point) {
        return std::isfinite(point.offset) && std::isfinite(point.db);
    });
}

bool compare_curves(const Radio_Curve& a, const Radio_Curve& b) {
    if (a.curve_type != b.curve_type) {
        return a.curve_type < b.curve_type;
    }
    if (is_other_radio_type(a.curve_type)) {
        const char* code_a = a.first_code() ? a.first_code() : "";
        const char* code_b = b.first_code() ? b.first_code() : "";
        return std::strcmp(code_a, code_b) < 0;
    }
    return false;
}

std::vector<std::string> split_codes(const char* code_text) {
    std::vector<std::string> codes;
    if (code_text == nullptr) {
        return codes;
    }
    std::string text = code_text;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(',', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string field = text.substr(start, end - start);
        strip_space(field.data());
        field.resize(std::strlen(field.c_str()));
        if (!field.empty()) {
            if (field.size() >= CURVE_CODE_SIZE) {
                field.resize(CURVE_CODE_SIZE - 1);
            }
            codes.push_back(std::move(field));
        }
        start = end + 1;
    }
    return codes;
}

void name_curve(Radio_Curve& curve, bool name_states_by_code) {
    const std::string& type = curve_type_name(curve.curve_type);
    std::string name = type;
    const bool by_code = is_other_radio_type(curve.curve_type) ||
                         (name_states_by_code && is_state_type(curve.curve_type));
    if (by_code && curve.first_code() != nullptr) {
        name += " - ";
        name += curve.first_code();
    }
    std::memset(curve.name, 0, sizeof curve.name);
    std::strncpy(curve.name, name.c_str(), sizeof curve.name - 1);
}

int Radio_Curve_List::add_curve(int type, const char* code_text) {
    Radio_Curve curve;
    curve.curve_type = static_cast<uint8_t>(type);
    curve.power_integral = NOT_SET;
    std::vector<std::string> codes = split_codes(code_text);
    if (is_other_radio_type(type)) {
        curve.interfering_codes = std::move(codes);
    } else if (is_state_type(type) && !codes.empty()) {
        curve.interfering_codes.push_back(codes.front());
    }
    name_curve(curve, false);
    m_curves.push_back(std::move(curve));
    const Radio_Curve* added = &m_curves.back();
    // Stable, so that curves that compare equal keep the order in which they came.
    std::vector<std::size_t> order(m_curves.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
        return compare_curves(m_curves[a], m_curves[b]);
    });
    std::vector<Radio_Curve> sorted;
    sorted.reserve(m_curves.size());
    int index = -1;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (&m_curves[order[i]] == added) {
            index = static_cast<int>(i);
        }
        sorted.push_back(std::move(m_curves[order[i]]));
    }
    m_curves = std::move(sorted);
    return index;
}

int Radio_Curve_List::add_curve_copy(const Radio_Curve_Header& header) {
    Radio_Curve curve;
    std::memcpy(curve.name, header.name, sizeof curve.name);
    curve.name[CURVE_NAME_SIZE - 1] = '\0';
    curve.curve_type = header.curve_type;
    curve.x_min = header.x_min;
    curve.x_max = header.x_max;
    curve.power_integral = header.power_integral;
    curve.two_sided = header.two_sided;
    curve.points.assign(header.point_count, Radio_Point{0.0f, 0.0f, 0.0f});
    return append(std::move(curve));
}

int Radio_Curve_List::append(Radio_Curve curve) {
    m_curves.push_back(std::move(curve));
    return count() - 1;
}

bool Radio_Curve_List::set_curve_points(int index, int count, const double* pairs) {
    Radio_Curve& curve = (*this)[index];
    if (count != curve.point_count() && count < 2) {
        return false;
    }
    curve.points.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        Radio_Point& point = curve.points[static_cast<std::size_t>(i)];
        point.offset = static_cast<float>(pairs[2 * i]);
        point.db = static_cast<float>(pairs[2 * i + 1]);
        point.linear = linear_of(point.db);
    }
    curve.update_limits();
    return true;
}

void Radio_Curve_List::delete_curve(int index) {
    m_curves.erase(m_curves.begin() + index);
}

void Radio_Curve_List::remove_state_curves(int state) {
    const auto family_first = [](int type) {
        return type >= CURVE_RX_SELECTIVITY_STATE_FIRST ? CURVE_RX_SELECTIVITY_STATE_FIRST
                                                        : CURVE_TX_EMISSION_STATE_FIRST;
    };
    std::erase_if(m_curves, [&](const Radio_Curve& curve) {
        return is_state_type(curve.curve_type) &&
               curve.curve_type - family_first(curve.curve_type) == state;
    });
    for (Radio_Curve& curve : m_curves) {
        if (!is_state_type(curve.curve_type) ||
            curve.curve_type - family_first(curve.curve_type) < state) {
            continue;
        }
        // A curve named after its code keeps being so.
        const bool by_code = curve_type_name(curve.curve_type) != curve.name;
        curve.curve_type = static_cast<uint8_t>(curve.curve_type - 1);
        name_curve(curve, by_code);
    }
}

int Radio_Curve_List::find_first(int type) const {
    for (int i = 0; i < count(); ++i) {
        if ((*this)[i].curve_type == type) {
            return i;
        }
    }
    return -1;
}

void Radio_Curve_List::remove_derived_curves() {
    std::erase_if(m_curves, [](const Radio_Curve& curve) { return is_derived_type(curve.curve_type); });
}

double curve_value_at(const Radio_Curve& curve, double f) {
    const auto& points = curve.points;
    if (points.empty()) {
        return 0.0;
    }
    if (!curve.two_sided) {
        f = std::fabs(f);
    }
    if (curve.x_min >= f) {
        return points.front().db;
    }
    if (f >= curve.x_max) {
        return points.back().db;
    }
    for (std::size_t i = 1; i < points.size(); ++i) {
        if (points[i].offset >= f) {
            const Radio_Point& a = points[i - 1];
            const Radio_Point& b = points[i];
            if (b.offset == a.offset) {
                return b.db;
            }
            return a.db + (f - a.offset) * (b.db - a.db) / (b.offset - a.offset);
        }
    }
    return points.back().db;
}

// The level at zero offset, as the half-width and the calculated selectivity take it.
double curve_level_at_zero(const Radio_Curve& curve) {
    const auto& points = curve.points;
    if (points.empty()) {
        return 0.0;
    }
    if (curve.x_min >= 0.0f) {
        return points.front().db;
    }
    if (curve.x_max <= 0.0f) {
        return points.back().db;
    }
    for (std::size_t i = 1; i < points.size(); ++i) {
        if (points[i].offset >= 0.0f) {
            const Radio_Point& a = points[i - 1];
            const Radio_Point& b = points[i];
            if (b.offset == a.offset) {
                return b.db;
            }
            return a.db + (0.0 - a.offset) * (b.db - a.db) / (b.offset - a.offset);
        }
    }
    return points.back().db;
}

double curve_half_width_3db(const Radio_Curve& curve) {
    const auto& points = curve.points;
    if (points.empty()) {
        return 0.0;
    }
    if (curve.curve_type == CURVE_RX_SELECTIVITY_MASK && points.size() > 6) {
        return points[6].offset;
    }
    const double level = curve_level_at_zero(curve) - 3.0;
    const bool two_sided = curve.two_sided != 0;
    std::size_t i = 0;
    for (; i < points.size(); ++i) {
        if (two_sided ? points[i].db > level : points[i].db < level) {
            break;
        }
    }
    if (i == 0) {
        return points.front().offset;
    }
    if (i == points.size()) {
        return points.back().offset;
    }
    const double fa = std::fabs(crossing(points[i - 1], points[i], level));
    if (!two_sided) {
        return fa;
    }
    std::size_t j = i;
    while (j < points.size() && points[j].db >= level) {
        ++j;
    }
    if (j == points.size()) {
        return fa;
    }
    const double fb = std::fabs(crossing(points[j - 1], points[j], level));
    return std::max(fa, fb);
}
