// JSON form of the version 4 radio record.
#include "radio4_json.h"

#include "file_text.h"
#include "radio4_conversion.h"
#include "radio4_format.h"
#include "radio4_record.h"

#include "text_helpers.h"

#include <charconv>
#include <cstring>
#include <string>

using json = nlohmann::ordered_json;

namespace {

json value(double number) { return number == NOT_SET ? json(nullptr) : json(number); }

double double_at(const Radio4_Spec& radio_spec, std::size_t offset) {
    double number;
    std::memcpy(&number, reinterpret_cast<const char*>(&radio_spec) + offset, sizeof number);
    return number;
}

json keyword_value(const Radio4_Spec& radio_spec, int index) {
    const Raf4_Keyword& entry = raf4_keyword(index);
    switch (entry.value) {
    case Raf4_Value::number:
    case Raf4_Value::data_rate:
        return value(double_at(radio_spec, entry.offset));
    case Raf4_Value::steps: {
        const double steps = double_at(radio_spec, entry.offset);
        return steps == -1.0 ? json(nullptr) : value(steps);
    }
    default:
        return file_text_to_utf8(raf4_value_text(radio_spec, index));
    }
}

json curve_json(const Radio4_Spec& radio_spec, const Radio4_Curve& curve) {
    json points = json::array();
    for (const Radio_Point& point : curve.points) {
        points.push_back({float_as_decimal(point.offset), float_as_decimal(point.db)});
    }
    const std::string name = radio4_text(curve.name);
    const int type = radio4_curve_type(radio_spec, name.c_str());
    return {
        {"name", file_text_to_utf8(name)},
        {"type", type < 0 ? json(nullptr) : json(curve_type_name(type))},
        {"two_sided", curve.two_sided != 0},
        {"power_integral", value(curve.power_integral)},
        {"points", points},
    };
}

} // namespace

json radio4_to_json(const Radio4_Record& record) {
    const Radio4_Spec& radio_spec = record.radio_spec;
    json result = json::object();
    for (int i = 0; i < RAF4_KEYWORD_COUNT; ++i) {
        const Raf4_Keyword& entry = raf4_keyword(i);
        if (entry.value != Raf4_Value::stability_ppm) {
            result[entry.keyword] = keyword_value(radio_spec, i);
        }
    }
    result["flags"] = radio_spec.flags;
    json further = json::array();
    for (int i = 0; i < RADIO4_FURTHER_COUNT; ++i) {
        further.push_back(value(radio_spec.further[i]));
    }
    result["further"] = further;
    json reserved_bytes = json::array();
    for (uint8_t byte : radio_spec.reserved_525) {
        reserved_bytes.push_back(byte);
    }
    result["reserved_525"] = reserved_bytes;
    json reserved = json::array();
    for (int i = 0; i < RADIO4_RESERVED_COUNT; ++i) {
        reserved.push_back(value(radio_spec.reserved_779[i]));
    }
    result["reserved_779"] = reserved;
    result["curve_count"] = radio_spec.curve_count;
    json curves = json::array();
    for (const Radio4_Curve& curve : record.curves) {
        curves.push_back(curve_json(radio_spec, curve));
    }
    result["curves"] = curves;
    return result;
}
