// JSON form of the version 4 radio record.
#include "radio4_json.h"

#include "json_values.h"
#include "radio4_conversion.h"
#include "radio4_format.h"
#include "radio4_record.h"

#include <cstring>
#include <string>

namespace {

double double_at(const Radio4_Spec& radio_spec, std::size_t offset) {
    double number;
    std::memcpy(&number, reinterpret_cast<const char*>(&radio_spec) + offset, sizeof number);
    return number;
}

Json keyword_value(const Radio4_Spec& radio_spec, int index) {
    const Raf4_Keyword& entry = raf4_keyword(index);
    switch (entry.value) {
    case Raf4_Value::number:
    case Raf4_Value::data_rate:
        return json_number(double_at(radio_spec, entry.offset));
    case Raf4_Value::steps: {
        const double steps = double_at(radio_spec, entry.offset);
        return steps == -1.0 ? Json(nullptr) : json_number(steps);
    }
    default:
        return file_text_to_utf8(raf4_value_text(radio_spec, index));
    }
}

Json curve_json(const Radio4_Spec& radio_spec, const Radio4_Curve& curve) {
    const std::string name = radio4_text(curve.name);
    const int type = radio4_curve_type(radio_spec, name.c_str());
    return {
        {"name", file_text_to_utf8(name)},
        {"type", type < 0 ? Json(nullptr) : Json(curve_type_name(type))},
        {"two_sided", curve.two_sided != 0},
        {"power_integral", json_number(curve.power_integral)},
        {"points", json_points(curve.points, &Radio_Point::offset, &Radio_Point::db)},
    };
}

} // namespace

Json radio4_to_json(const Radio4_Record& record) {
    const Radio4_Spec& radio_spec = record.radio_spec;
    Json result = Json::object();
    for (int i = 0; i < RAF4_KEYWORD_COUNT; ++i) {
        const Raf4_Keyword& entry = raf4_keyword(i);
        if (entry.value != Raf4_Value::stability_ppm) {
            result[entry.keyword] = keyword_value(radio_spec, i);
        }
    }
    result["flags"] = radio_spec.flags;
    Json further = Json::array();
    for (int i = 0; i < RADIO4_FURTHER_COUNT; ++i) {
        further.push_back(json_number(radio_spec.further[i]));
    }
    result["further"] = further;
    Json reserved_bytes = Json::array();
    for (uint8_t byte : radio_spec.reserved_525) {
        reserved_bytes.push_back(byte);
    }
    result["reserved_525"] = reserved_bytes;
    Json reserved = Json::array();
    for (int i = 0; i < RADIO4_RESERVED_COUNT; ++i) {
        reserved.push_back(json_number(radio_spec.reserved_779[i]));
    }
    result["reserved_779"] = reserved;
    result["curve_count"] = radio_spec.curve_count;
    Json curves = Json::array();
    for (const Radio4_Curve& curve : record.curves) {
        curves.push_back(curve_json(radio_spec, curve));
    }
    result["curves"] = curves;
    return result;
}
