// Audit rules for radio records.
#include "radio_lint.h"

#include "radio4_record.h"
#include "radio_record.h"
#include "text_helpers.h"

#include <cmath>
#include <cstring>
#include <optional>
#include <string>

namespace {

constexpr const char* SHORT_CURVE = "short-curve";
constexpr const char* MASK_WIDER = "mask-wider-than-selectivity";
// How many times wider than the selectivity an emission may be before it is told.
constexpr double WIDTH_FACTOR = 2.0;
constexpr double ATTENUATIONS[] = {3.0, 30.0};

template <std::size_t N>
std::string text_of(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

void check_points(std::vector<Lint_Warning>& warnings, const std::string& name, int count) {
    if (count < 2) {
        warnings.push_back({SHORT_CURVE, name,
                            name + " has " + std::to_string(count) +
                                (count == 1 ? " point" : " points") + ", fewer than 2"});
    }
}

// The offset magnitude at which the points, walked from offset 0 (level `top`) in `step`
// direction, first lie `attenuation` dB below `top`; none when they never do.
std::optional<double> side_width(const std::vector<Radio_Point>& points, double top,
                                 double attenuation, int step) {
    const double level = top - attenuation;
    double previous_offset = 0.0;
    double previous_db = top;
    const int count = static_cast<int>(points.size());
    for (int k = 0; k < count; ++k) {
        const Radio_Point& point = points[static_cast<std::size_t>(step > 0 ? k : count - 1 - k)];
        const double offset = std::fabs(static_cast<double>(point.offset));
        if (step > 0 ? point.offset <= 0.0f : point.offset >= 0.0f) {
            continue; // the other side, or the centre itself
        }
        if (point.db <= level) {
            if (previous_db == point.db) {
                return offset;
            }
            return previous_offset +
                   (previous_db - level) / (previous_db - point.db) * (offset - previous_offset);
        }
        previous_offset = offset;
        previous_db = point.db;
    }
    return std::nullopt;
}

// W(A) of the header: the larger side's width, or none.
std::optional<double> width_at(const Radio_Curve& curve, double attenuation) {
    if (curve.points.size() < 2) {
        return std::nullopt;
    }
    const double top = curve_level_at_zero(curve);
    std::optional<double> width = side_width(curve.points, top, attenuation, 1);
    if (curve.two_sided != 0) {
        const std::optional<double> left = side_width(curve.points, top, attenuation, -1);
        if (left && (!width || *left > *width)) {
            width = left;
        }
    }
    // Levels out of all range (a binary file of another program) give no width to compare.
    return width && std::isfinite(*width) ? width : std::nullopt;
}

void check_mask(std::vector<Lint_Warning>& warnings, const Radio_Curve& emission,
                const Radio_Curve& selectivity) {
    for (const double attenuation : ATTENUATIONS) {
        const std::optional<double> wide = width_at(emission, attenuation);
        const std::optional<double> narrow = width_at(selectivity, attenuation);
        if (!wide || !narrow || *wide <= WIDTH_FACTOR * *narrow) {
            continue;
        }
        const std::string name = text_of(emission.name);
        warnings.push_back({MASK_WIDER, name,
                            name + " is " + format_fixed(attenuation, 0) + " dB down at " +
                                format_fixed(*wide, 2) + " MHz, " + text_of(selectivity.name) +
                                " at " + format_fixed(*narrow, 2) + " MHz: more than " +
                                format_fixed(WIDTH_FACTOR, 0) + " times as wide"});
        return;
    }
}

} // namespace

std::vector<Lint_Warning> lint_radio(const Radio_Record& record) {
    std::vector<Lint_Warning> warnings;
    for (const Radio_Curve& curve : record.curves) {
        check_points(warnings, text_of(curve.name), curve.point_count());
        int pair = -1;
        if (curve.curve_type == CURVE_TX_EMISSION) {
            pair = CURVE_RX_SELECTIVITY;
        } else if (curve.curve_type >= CURVE_TX_EMISSION_STATE_FIRST &&
                   curve.curve_type <= CURVE_TX_EMISSION_STATE_LAST) {
            pair =
                curve.curve_type - CURVE_TX_EMISSION_STATE_FIRST + CURVE_RX_SELECTIVITY_STATE_FIRST;
        }
        const int emission = record.curves.find_first(curve.curve_type);
        const int selectivity = pair < 0 ? -1 : record.curves.find_first(pair);
        if (selectivity >= 0 && &record.curves[emission] == &curve) {
            check_mask(warnings, curve, record.curves[selectivity]);
        }
    }
    return warnings;
}

std::vector<Lint_Warning> lint_radio4(const Radio4_Record& record) {
    std::vector<Lint_Warning> warnings;
    for (const Radio4_Curve& curve : record.curves) {
        check_points(warnings, text_of(curve.name), curve.point_count());
    }
    return warnings;
}
