// JSON form of the version 4 radio record.
#include "radio4_json.h"

#include "radio4_conversion.h"
#include "radio4_format.h"
#include "radio4_record.h"

#include <charconv>
#include <cstring>
#include <string>

using json = nlohmann::ordered_json;

namespace {

json value(double number) { return number == NOT_SET ? json(nullptr) : json(number); }

// A stored single-precision number as the decimal it was written as (12.7, not 12.6999998).
double shortest(float number) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, number).ptr;
    double result = 0.0;
    std::from_chars(text, end, result);
    return result;
}

// The record's texts are single-byte; JSON is UTF-8. Each byte is taken as its Latin-1 character,
// so that any text, whatever its bytes, gives valid JSON and keeps every byte.
std::string utf8_of(const std::string& bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            text += c;
        } else {
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

double double_at(const Radio4_Spec& spec, std::size_t offset) {
    double number;
    std::memcpy(&number, reinterpret_cast<const char*>(&spec) + offset, sizeof number);
    return number;
}

json keyword_value(const Radio4_Spec& spec, int index) {
    const Raf4_Keyword& entry = raf4_keyword(index);
    switch (entry.value) {
    case Raf4_Value::number:
    case Raf4_Value::data_rate:
        return value(double_at(spec, entry.offset));
    case Raf4_Value::steps: {
        const double steps = double_at(spec, entry.offset);
        return steps == -1.0 ? json(nullptr) : value(steps);
    }
    default:
        return utf8_of(raf4_value_text(spec, index));
    }
}

json curve_json(const Radio4_Spec& spec, const Radio4_Curve& curve) {
    json points = json::array();
    for (const Radio_Point& point : curve.points) {
        points.push_back({shortest(point.offset), shortest(point.db)});
    }
    const std::string name = radio4_text(curve.name);
    const int type = radio4_curve_type(spec, name.c_str());
    return {
        {"name", utf8_of(name)},
        {"type", type < 0 ? json(nullptr) : json(curve_type_name(type))},
        {"two_sided", curve.two_sided != 0},
        {"power_integral", value(curve.power_integral)},
        {"points", points},
    };
}

} // namespace

json radio4_to_json(const Radio4_Record& record) {
    const Radio4_Spec& spec = record.spec;
    json result = json::object();
    for (int i = 0; i < RAF4_KEYWORD_COUNT; ++i) {
        const Raf4_Keyword& entry = raf4_keyword(i);
        if (entry.value != Raf4_Value::stability_ppm) {
            result[entry.keyword] = keyword_value(spec, i);
        }
    }
    result["flags"] = spec.flags;
    json further = json::array();
    for (int i = 0; i < RADIO4_FURTHER_COUNT; ++i) {
        further.push_back(value(spec.further[i]));
    }
    result["further"] = further;
    json reserved_bytes = json::array();
    for (uint8_t byte : spec.reserved_525) {
        reserved_bytes.push_back(byte);
    }
    result["reserved_525"] = reserved_bytes;
    json reserved = json::array();
    for (int i = 0; i < RADIO4_RESERVED_COUNT; ++i) {
        reserved.push_back(value(spec.reserved_779[i]));
    }
    result["reserved_779"] = reserved;
    result["curve_count"] = spec.curve_count;
    json curves = json::array();
    for (const Radio4_Curve& curve : record.curves) {
        curves.push_back(curve_json(spec, curve));
    }
    result["curves"] = curves;
    return result;
}
