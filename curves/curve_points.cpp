// Curve_Points: slots, growth by 8, ordering, and the conversions from and to the records.
#include "curve_points.h"

#include "antenna_record.h"
#include "radio4_record.h"
#include "radio_curves.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace {

// By ascending x, a NaN read from a damaged file after every number, so that sorting stays
// well defined.
bool x_less(const Curve_Pair& a, const Curve_Pair& b) {
    return x_before(a.x, b.x);
}

template <typename Points>
Curve_Points radio_points(const Points& points) {
    std::vector<Curve_Pair> pairs;
    pairs.reserve(points.size());
    for (const Radio_Point& point : points) {
        pairs.push_back({float_as_decimal(point.offset), float_as_decimal(point.db)});
    }
    return Curve_Points(pairs);
}

std::vector<double> flat_pairs(const Curve_Points& points) {
    std::vector<double> flat;
    flat.reserve(2 * static_cast<std::size_t>(points.count()));
    for (const Curve_Pair& pair : points.points()) {
        flat.push_back(pair.x);
        flat.push_back(pair.y);
    }
    return flat;
}

} // namespace

Curve_Points::Curve_Points() {
    clear();
}

Curve_Points::Curve_Points(std::span<const Curve_Pair> pairs) {
    load(pairs);
}

void Curve_Points::load(std::span<const Curve_Pair> pairs) {
    m_slots.assign(pairs.size() + growth, m_default);
    std::copy(pairs.begin(), pairs.end(), m_slots.begin());
    m_count = static_cast<int>(pairs.size());
}

void Curve_Points::clear() {
    m_slots.assign(growth, m_default);
    m_count = 0;
}

void Curve_Points::grow_to(int needed) {
    int capacity = this->capacity();
    while (capacity < needed) {
        capacity += growth;
    }
    // std::vector grows its storage geometrically underneath, so steps of 8 stay cheap.
    m_slots.resize(static_cast<std::size_t>(capacity), m_default);
}

void Curve_Points::add_point(const Curve_Pair& pair) {
    (*this)[m_count] = pair;
    ++m_count;
    grow_to(m_count + 1);
}

void Curve_Points::add_points(std::span<const Curve_Pair> pairs) {
    grow_to(m_count + static_cast<int>(pairs.size()) + 1);
    std::copy(pairs.begin(), pairs.end(), m_slots.begin() + m_count);
    m_count += static_cast<int>(pairs.size());
}

void Curve_Points::remove_point(int index) {
    const auto first = m_slots.begin() + index;
    std::move(first + 1, m_slots.begin() + m_count + 1, first);
    (*this)[m_count] = m_default;
    --m_count;
}

int Curve_Points::move_into_order(int index) {
    const auto begin = m_slots.begin();
    const auto at = begin + index;
    const auto end = begin + m_count;
    if (index > 0 && x_less(*at, *(at - 1))) {
        // After the equal points before it, as a stable sort leaves it.
        const auto place = std::upper_bound(begin, at, *at, x_less);
        std::rotate(place, at, at + 1);
        return static_cast<int>(place - begin);
    }
    if (index + 1 < m_count && x_less(*(at + 1), *at)) {
        const auto place = std::lower_bound(at + 1, end, *at, x_less);
        std::rotate(at, at + 1, place);
        return static_cast<int>(place - begin) - 1;
    }
    return index;
}

void Curve_Points::sort_by_x() {
    std::stable_sort(m_slots.begin(), m_slots.begin() + m_count, x_less);
}

bool Curve_Points::sorted() const {
    return std::is_sorted(m_slots.begin(), m_slots.begin() + m_count, x_less);
}

Curve_Points curve_points_of(const Radio_Curve& curve) {
    return radio_points(curve.points);
}

Curve_Points curve_points_of(const Radio4_Curve& curve) {
    return radio_points(curve.points);
}

bool store_curve_points(Radio_Curve_List& list, int index, const Curve_Points& points) {
    const std::vector<double> flat = flat_pairs(points);
    return list.set_curve_points(index, points.count(), flat.data());
}

bool store_curve_points(Radio4_Curve& curve, const Curve_Points& points) {
    const std::vector<double> flat = flat_pairs(points);
    return set_curve_points(curve, points.count(), flat.data());
}

Curve_Points curve_points_of(std::span<const Pattern_Point> cut) {
    std::vector<Curve_Pair> pairs;
    pairs.reserve(cut.size());
    for (const Pattern_Point& point : cut) {
        // -0.0 would show as "-0.0" at the peak.
        const double level = point.attenuation == 0.0f ? 0.0 : -float_as_decimal(point.attenuation);
        pairs.push_back({float_as_decimal(point.angle), level});
    }
    return Curve_Points(pairs);
}

std::vector<Pattern_Point> pattern_points_of(const Curve_Points& points) {
    double peak = 0.0;
    for (const Curve_Pair& pair : points.points()) {
        peak = std::max(peak, pair.y);
    }
    std::vector<Pattern_Point> cut;
    cut.reserve(static_cast<std::size_t>(points.count()));
    for (const Curve_Pair& pair : points.points()) {
        cut.push_back({static_cast<float>(pair.x), static_cast<float>(std::fabs(pair.y - peak))});
    }
    std::stable_sort(cut.begin(), cut.end(), compare_pattern_angles);
    return cut;
}

void store_pattern_cut(Antenna_Record& record, int slot, const Curve_Points& points) {
    if (points.count() < 2) {
        record.set_cut(slot, {});
        return;
    }
    record.set_cut(slot, pattern_points_of(points));
}

double curve_import_value(const char* field) {
    if (field == nullptr) {
        return NOT_SET;
    }
    std::string text(field);
    const double value = get_valid_double(text.data(), 4);
    return value != NOT_SET && std::fabs(value) <= std::numeric_limits<float>::max() ? value
                                                                                      : NOT_SET;
}
