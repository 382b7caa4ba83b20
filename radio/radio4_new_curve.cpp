// The New dialog's rules for version 4 curves.
#include "radio4_new_curve.h"

#include "radio4_record.h"

#include <vector>

const char* radio4_fixed_curve_name(Radio4_New_Kind kind) {
    switch (kind) {
    case Radio4_New_Kind::ttoi_cw:
        return "TtoI_CW";
    case Radio4_New_Kind::tx_emission:
        return "TX_EMISSION";
    case Radio4_New_Kind::rx_selectivity:
        return "RX_SELECTIVITY";
    case Radio4_New_Kind::rx_filter:
        return "RX_FILTER";
    case Radio4_New_Kind::tx_filter:
        return "TX_FILTER";
    case Radio4_New_Kind::ttoi:
    case Radio4_New_Kind::irf:
        break;
    }
    return nullptr;
}

bool radio4_new_kind_available(const Radio4_Curve_List& curves, Radio4_New_Kind kind) {
    const char* fixed = radio4_fixed_curve_name(kind);
    return fixed == nullptr || curves.find(fixed) == nullptr;
}

std::string radio4_own_traffic_code(const Radio4_Spec& radio_spec) {
    const std::string capacity = radio4_text(radio_spec.capacity);
    const std::string modulation = radio4_text(radio_spec.modulation);
    if (capacity.empty() || modulation.empty()) {
        return "Not specified";
    }
    return capacity + "-" + modulation;
}

Radio4_New_Curve radio4_new_curve(const Radio4_Curve_List& curves, Radio4_New_Kind kind,
                                  const std::string& code) {
    Radio4_New_Curve result;
    if (const char* fixed = radio4_fixed_curve_name(kind)) {
        result.name = fixed;
    } else {
        std::vector<char> text(code.begin(), code.end());
        text.push_back('\0');
        strip_space(text.data());
        std::string stripped(text.data());
        if (stripped.size() > RADIO4_TRAFFIC_CODE_LENGTH) {
            stripped.resize(RADIO4_TRAFFIC_CODE_LENGTH);
        }
        if (stripped.empty()) {
            result.refusal = 212;
            result.message = RADIO4_CODE_MISSING;
            return result;
        }
        result.name = (kind == Radio4_New_Kind::ttoi ? "TtoI_" : "IRF_") + stripped;
    }
    if (curves.find(result.name.c_str()) != nullptr) {
        result.refusal = 213;
        result.message = std::string(RADIO4_CURVE_EXISTS) + "\r\n" + result.name;
        result.name.clear();
    }
    return result;
}
