// The version 5 curve editor's rules for new curves and for the codes field.
#include "curve_edit_rules.h"

#include "message_catalogue.h"
#include "text_helpers.h"

#include <cstring>

int state_curve_type(State_Family family, int number) {
    const int first = family == State_Family::tx_emission ? CURVE_TX_EMISSION_STATE_FIRST
                                                          : CURVE_RX_SELECTIVITY_STATE_FIRST;
    return first + number - STATE_NUMBER_FIRST;
}

bool has_curve_type(const Radio_Curve_List& curves, int type) {
    return curves.find_first(type) >= 0;
}

bool new_type_enabled(const Radio_Curve_List& curves, int type) {
    if (type < CURVE_TTOI_SAME || type > CURVE_TX_FILTER) {
        return false;
    }
    return is_other_radio_type(type) || !has_curve_type(curves, type);
}

int first_new_type(const Radio_Curve_List& curves) {
    for (int type = CURVE_TTOI_SAME; type <= CURVE_TX_FILTER; ++type) {
        if (new_type_enabled(curves, type)) {
            return type;
        }
    }
    return CURVE_TTOI_OTHER; // not reached: always enabled
}

int first_free_state(const Radio_Curve_List& curves, State_Family family) {
    for (int number = STATE_NUMBER_FIRST; number <= STATE_NUMBER_LAST; ++number) {
        if (!has_curve_type(curves, state_curve_type(family, number))) {
            return number;
        }
    }
    return 0;
}

int new_curve_refusal(const Radio_Curve_List& curves, int type, const std::string& code_text) {
    const bool offered = (type >= CURVE_TTOI_SAME && type <= CURVE_TX_FILTER) || is_state_type(type);
    if (!offered) {
        return MSG_CURVE_TYPE_EXISTS;
    }
    if (is_other_radio_type(type)) {
        return split_codes(code_text.c_str()).empty() ? MSG_INTERFERING_CODE_REQUIRED : 0;
    }
    return has_curve_type(curves, type) ? MSG_CURVE_TYPE_EXISTS : 0;
}

bool shows_codes(int type) { return carries_codes(type); }

std::string codes_field_text(const Radio_Curve& curve) {
    std::string text;
    for (const std::string& code : curve.interfering_codes) {
        if (!text.empty()) {
            text += ", ";
        }
        text += code;
    }
    return text;
}

std::vector<std::string> codes_of_field(const std::string& text) {
    std::vector<std::string> codes;
    std::string buffer = text;
    for (char* field = get_delimited_fields(buffer.data(), ','); field != nullptr;
         field = get_delimited_fields(nullptr, ',')) {
        strip_space(field);
        const std::size_t length = std::strlen(field);
        if (length > 0 && length < CURVE_CODE_SIZE) {
            codes.emplace_back(field, length);
        }
    }
    return codes;
}

Codes_Outcome apply_codes_field(Radio_Curve& curve, const std::string& text) {
    std::vector<std::string> codes = codes_of_field(text);
    if (is_other_radio_type(curve.curve_type) && codes.empty()) {
        return Codes_Outcome::code_required;
    }
    if (codes == curve.interfering_codes) {
        return Codes_Outcome::unchanged;
    }
    curve.interfering_codes = std::move(codes);
    if (is_other_radio_type(curve.curve_type)) {
        name_curve(curve, false);
    }
    return Codes_Outcome::changed;
}

int partner_curve_type(int type) {
    if (type == CURVE_TX_EMISSION) {
        return CURVE_RX_SELECTIVITY;
    }
    if (type == CURVE_RX_SELECTIVITY) {
        return CURVE_TX_EMISSION;
    }
    if (type >= CURVE_TX_EMISSION_STATE_FIRST && type <= CURVE_TX_EMISSION_STATE_LAST) {
        return type - CURVE_TX_EMISSION_STATE_FIRST + CURVE_RX_SELECTIVITY_STATE_FIRST;
    }
    if (type >= CURVE_RX_SELECTIVITY_STATE_FIRST && type <= CURVE_RX_SELECTIVITY_STATE_LAST) {
        return type - CURVE_RX_SELECTIVITY_STATE_FIRST + CURVE_TX_EMISSION_STATE_FIRST;
    }
    return -1;
}

namespace {

template <class T>
bool same_bytes(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

bool same_curve(const Radio_Curve& a, const Radio_Curve& b) {
    return std::strncmp(a.name, b.name, CURVE_NAME_SIZE) == 0 && a.curve_type == b.curve_type &&
           same_bytes(a.x_min, b.x_min) && same_bytes(a.x_max, b.x_max) &&
           same_bytes(a.power_integral, b.power_integral) && a.two_sided == b.two_sided &&
           a.interfering_codes == b.interfering_codes && a.points.size() == b.points.size() &&
           (a.points.empty() ||
            std::memcmp(a.points.data(), b.points.data(), a.points.size() * sizeof(Radio_Point)) ==
                0);
}

} // namespace

bool same_curves(const Radio_Curve_List& a, const Radio_Curve_List& b) {
    if (a.count() != b.count()) {
        return false;
    }
    for (int i = 0; i < a.count(); ++i) {
        if (!same_curve(a[i], b[i])) {
            return false;
        }
    }
    return true;
}
