// The audit rules of antenna records.
#include "antenna_lint.h"

#include "text_helpers.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>
#include <string>

namespace {

constexpr double angle_tolerance = 0.5;   // deg: how near a cut's ends must come to the range's
constexpr float level_tolerance = 0.05f;  // dB: what still counts as the main beam's level
constexpr double value_tolerance = 0.005; // half the last decimal the NSMA text gives values
constexpr double front_to_back_tolerance = 3.0; // dB

bool is_set(double value) {
    return value != NOT_SET;
}

// A number for a warning: at most two decimals, without trailing zeros ("-1.5", "180").
std::string number(double value) {
    std::string text = format_fixed(value, 2);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') {
            text.pop_back();
        }
        if (text.back() == '.') {
            text.pop_back();
        }
    }
    return text == "-0" ? "0" : text;
}

std::string cut_name(int slot) {
    return std::string(pattern_slots[slot].plane_name) + " " + pattern_slots[slot].polarization;
}

bool is_copolar(int slot) {
    const std::string polarization = pattern_slots[slot].polarization;
    return polarization == "H/H" || polarization == "V/V";
}

// The attenuation the cut gives at `angle`, interpolated between its neighbours; none when the
// angle lies outside the cut.
std::optional<double> attenuation_at(std::span<const Pattern_Point> points, double angle) {
    const auto after =
        std::lower_bound(points.begin(), points.end(), angle,
                         [](const Pattern_Point& point, double a) { return point.angle < a; });
    if (after == points.end()) {
        return std::nullopt;
    }
    if (after->angle == angle) {
        return after->attenuation;
    }
    if (after == points.begin()) {
        return std::nullopt;
    }
    const Pattern_Point& before = *(after - 1);
    const double share =
        (angle - before.angle) / (static_cast<double>(after->angle) - before.angle);
    return before.attenuation +
           share * (static_cast<double>(after->attenuation) - before.attenuation);
}

// The attenuation at the back of an azimuth cut: at 180 degrees, or -180 for cuts that run
// from -180 to below 180.
std::optional<double> back_attenuation(std::span<const Pattern_Point> points) {
    if (const auto back = attenuation_at(points, 180.0)) {
        return back;
    }
    return attenuation_at(points, -180.0);
}

// True when the cut reaches from `from` to `to`, within the tolerance.
bool reaches(std::span<const Pattern_Point> points, double from, double to) {
    return points.front().angle <= from + angle_tolerance &&
           points.back().angle >= to - angle_tolerance;
}

// True when the points go round the whole circle at their own step: the gap from the last
// angle back to the first is no wider than the widest step between two points (0 to 359 in
// steps of 1, as the .msi files give them).
bool closes_the_circle(std::span<const Pattern_Point> points) {
    double widest = 0.0;
    for (std::size_t i = 1; i < points.size(); ++i) {
        widest = std::max(widest, static_cast<double>(points[i].angle) - points[i - 1].angle);
    }
    const double gap = 360.0 - (static_cast<double>(points.back().angle) - points.front().angle);
    return gap >= -angle_tolerance && gap <= widest + angle_tolerance;
}

void lint_cut(int slot, std::span<const Pattern_Point> points, std::vector<Lint_Warning>& out) {
    const std::string where = cut_name(slot);
    if (points.size() < 2) {
        out.push_back({"short-curve", where, where + " has 1 point; a cut needs at least 2"});
        return;
    }

    const std::string from = number(points.front().angle);
    const std::string to = number(points.back().angle);
    if (pattern_slots[slot].plane == PLANE_AZIMUTH) {
        if (!reaches(points, -180.0, 180.0) && !reaches(points, 0.0, 360.0) &&
            !closes_the_circle(points)) {
            out.push_back({"cut-range", where,
                           where + " runs from " + from + " to " + to +
                               " deg, not round the circle (-180 to 180 or 0 to 360)"});
        }
    } else if (!reaches(points, -90.0, 90.0) && !reaches(points, 0.0, 360.0) &&
               !closes_the_circle(points)) {
        out.push_back({"cut-range", where,
                       where + " runs from " + from + " to " + to +
                           " deg, not from -90 to 90 (or round the circle)"});
    }

    // The points are in angle order: the points of one angle stand together.
    int repeated = 0; // angles given more than once
    float first_angle = 0.0f;
    std::size_t first_times = 0;
    for (std::size_t i = 0; i < points.size();) {
        std::size_t end = i + 1;
        while (end < points.size() && points[end].angle == points[i].angle) {
            ++end;
        }
        if (end - i > 1 && repeated++ == 0) {
            first_angle = points[i].angle;
            first_times = end - i;
        }
        i = end;
    }
    if (repeated > 0) {
        std::string text = where + " gives the angle " + number(first_angle) + " deg " +
                           std::to_string(first_times) + " times";
        if (repeated > 1) {
            text += ", and " + std::to_string(repeated - 1) + " more angle" +
                    (repeated > 2 ? "s" : "") + " more than once";
        }
        out.push_back({"repeated-angle", where, text});
    }

    const auto best = std::min_element(points.begin(), points.end(),
                                       [](const Pattern_Point& a, const Pattern_Point& b) {
                                           return a.attenuation < b.attenuation;
                                       });
    if (is_copolar(slot) && best->attenuation > level_tolerance) {
        out.push_back({"peak-not-zero", where,
                       where + " peaks at " + number(-best->attenuation) + " dB (at " +
                           number(best->angle) + " deg), not at 0 dB"});
    }
    if (best->attenuation < -level_tolerance) {
        out.push_back({"above-peak", where,
                       where + " rises to +" + number(-best->attenuation) + " dB at " +
                           number(best->angle) + " deg, above the main beam"});
    }
}

} // namespace

std::vector<Lint_Warning> lint_antenna(const Antenna_Record& record) {
    std::vector<Lint_Warning> out;
    const Antenna_Spec& core = record.antenna_spec;
    const Nsma_Header& header = record.header;
    const double low = core.low_frequency;
    const double high = core.high_frequency;

    if (is_set(low) && is_set(high) && low > high) {
        out.push_back({"band-order", "LOWFRQ",
                       "LOWFRQ " + number(low) + " MHz is above HGHFRQ " + number(high) + " MHz"});
    }

    const double mid = record.gain_in_dbi ? core.gain_dbi : core.gain_dbd;
    const double low_gain = header.low_band_gain;
    const double high_gain = header.high_band_gain;
    if (is_set(mid) && is_set(low_gain) && is_set(high_gain) &&
        (mid < std::min(low_gain, high_gain) - value_tolerance ||
         mid > std::max(low_gain, high_gain) + value_tolerance)) {
        out.push_back({"mid-gain-outside", "MDGAIN",
                       "MDGAIN " + number(mid) + " is outside LWGAIN " + number(low_gain) +
                           " to HGGAIN " + number(high_gain)});
    }

    if (is_set(header.front_to_back)) {
        // The antenna's front-to-back ratio is that of its worst co-polar azimuth cut.
        std::optional<double> worst;
        int worst_slot = -1;
        for (const int slot : {0, 2}) {
            const auto back =
                record.cut(slot).empty() ? std::nullopt : back_attenuation(record.cut(slot));
            if (back && (!worst || *back < *worst)) {
                worst = back;
                worst_slot = slot;
            }
        }
        if (worst && std::fabs(*worst - header.front_to_back) > front_to_back_tolerance) {
            out.push_back({"front-to-back", "FRTOBA",
                           "FRTOBA " + number(header.front_to_back) + " dB, but " +
                               cut_name(worst_slot) + " is " + number(*worst) +
                               " dB down at 180 deg"});
        }
    }

    const double pattern_frequency = header.pattern_frequency;
    if (is_set(pattern_frequency)) {
        if (is_set(low) && pattern_frequency < low - value_tolerance) {
            out.push_back({"pattern-frequency-outside-band", "PATFRE",
                           "PATFRE " + number(pattern_frequency) + " MHz is below LOWFRQ " +
                               number(low) + " MHz"});
        } else if (is_set(high) && pattern_frequency > high + value_tolerance) {
            out.push_back({"pattern-frequency-outside-band", "PATFRE",
                           "PATFRE " + number(pattern_frequency) + " MHz is above HGHFRQ " +
                               number(high) + " MHz"});
        }
    }

    for (int slot = 0; slot < PATTERN_SLOTS; ++slot) {
        if (!record.cut(slot).empty()) {
            lint_cut(slot, record.cut(slot), out);
        }
    }
    return out;
}
