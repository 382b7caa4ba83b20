// The small pieces every record's JSON form is made of: numbers without a value as null, the
// records' single-byte texts as UTF-8, curve points as pairs. Keys keep the order they are added
// in, so a dump lists a record's fields in the record's order.
#pragma once

#include "file_text.h"
#include "text_helpers.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstddef>
#include <string>

using Json = nlohmann::ordered_json;

// A double; null for NOT_SET and for what JSON cannot hold (infinities, NaN).
inline Json json_number(double value) {
    return value == NOT_SET || !std::isfinite(value) ? Json(nullptr) : Json(value);
}

// A count or code that may be absent; null for -1.
inline Json json_count(int value) { return value == -1 ? Json(nullptr) : Json(value); }

inline Json json_numbers(const double* values, std::size_t count) {
    Json list = Json::array();
    for (std::size_t i = 0; i < count; ++i) {
        list.push_back(json_number(values[i]));
    }
    return list;
}

// A text array of a record, up to its terminator or its end, in UTF-8.
template <std::size_t N>
Json json_text(const char (&field)[N]) {
    return file_text_to_utf8(field, N);
}

// Points of a curve or a pattern cut as [[x, y], ...], the single-precision values given with
// the digits they hold (12.7f as 12.7). `x` and `y` pick the two values of a point.
template <typename Points, typename X, typename Y>
Json json_points(const Points& points, X x, Y y) {
    Json list = Json::array();
    for (const auto& point : points) {
        list.push_back({float_as_decimal(point.*x), float_as_decimal(point.*y)});
    }
    return list;
}
