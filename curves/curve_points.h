// Curve_Points: the editable list of x/y pairs behind the curve grid and the chart, and its
// conversions from and to the radio curves and the antenna pattern cuts.
#pragma once

#include "text_helpers.h"

#include <cmath>
#include <span>
#include <vector>

struct Radio_Curve;
struct Radio4_Curve;
class Radio_Curve_List;
class Antenna_Record;
struct Pattern_Point;

// One pair of the list; NOT_SET in either value means the pair holds no point (shown empty).
struct Curve_Pair {
    double x = NOT_SET;
    double y = NOT_SET;

    bool x_set() const { return x != NOT_SET; }
    bool y_set() const { return y != NOT_SET; }
    friend bool operator==(const Curve_Pair&, const Curve_Pair&) = default;
};

// The order of x values: ascending, a NaN after every number (NaNs equal).
inline bool x_before(double a, double b) {
    return a < b || (std::isnan(b) && !std::isnan(a));
}

// The points of one curve in capacity slots: count points, then spare slots holding the default
// pair (both NOT_SET). There is always at least one spare slot: the grid keeps the point being
// typed into its new-point row in slot count.
class Curve_Points {
public:
    static constexpr int growth = 8;

    // An empty list: capacity 8, count 0.
    Curve_Points();
    // A list loaded with `pairs`: capacity count + 8.
    explicit Curve_Points(std::span<const Curve_Pair> pairs);

    int capacity() const { return static_cast<int>(m_slots.size()); }
    int count() const { return m_count; }
    const Curve_Pair& default_pair() const { return m_default; }

    // Slot `index`, 0 to capacity - 1 (the caller keeps to that range).
    const Curve_Pair& operator[](int index) const {
        return m_slots[static_cast<std::size_t>(index)];
    }
    Curve_Pair& operator[](int index) { return m_slots[static_cast<std::size_t>(index)]; }
    // The points 0 to count - 1.
    std::span<const Curve_Pair> points() const {
        return {m_slots.data(), static_cast<std::size_t>(m_count)};
    }

    // Replaces the points by `pairs` with capacity count + 8, the spare slots reset.
    void load(std::span<const Curve_Pair> pairs);
    // The empty list again: capacity 8, count 0.
    void clear();
    // Writes `pair` into slot count and counts it; the slots grow by 8 when count reaches the
    // capacity, so a spare slot always stays.
    void add_point(const Curve_Pair& pair);
    // Appends `pairs` after the points as add_point would, one growth of 8 slots at a time.
    void add_points(std::span<const Curve_Pair> pairs);
    // Removes point `index` (0 to count - 1): the following slots, the spare one after the points
    // included, move up one, and the freed last slot gets the default pair.
    void remove_point(int index);
    // Moves point `index` to its place by ascending x when the other points are in order, as a
    // stable sort of the whole list would; linear time. Returns the new index.
    int move_into_order(int index);
    // Sorts the points by ascending x, equal values keeping their order.
    void sort_by_x();
    // True when the points ascend by x (equal neighbours allowed).
    bool sorted() const;

private:
    // Grows the slots by steps of 8 until they hold `needed` slots.
    void grow_to(int needed);

    Curve_Pair m_default{};
    int m_count = 0;
    std::vector<Curve_Pair> m_slots;
};

// An imported text field as a curve value: its number by character set 4, or NOT_SET for a
// missing field, a text that is no number, and a number beyond single precision (the records
// keep single-precision values). The first line whose x or y is NOT_SET ends an import.
double curve_import_value(const char* field);

// The points of a version 5 or version 4 radio curve as (offset MHz, dB) pairs. The stored
// single-precision values come back as their shortest decimals (12.7, not 12.699999809).
Curve_Points curve_points_of(const Radio_Curve& curve);
Curve_Points curve_points_of(const Radio4_Curve& curve);

// Writes the points back into curve `index` of `list` (and its linear values and limits) or into
// a version 4 curve. A list of fewer than 2 points that would change the curve's point count is
// refused: the curve stays as it was and false comes back.
bool store_curve_points(Radio_Curve_List& list, int index, const Curve_Points& points);
bool store_curve_points(Radio4_Curve& curve, const Curve_Points& points);

// A pattern cut as (angle, level) pairs: the level is the negated attenuation, 0 dB at the peak.
Curve_Points curve_points_of(std::span<const Pattern_Point> cut);
// The pattern points of the list, by ascending angle. The peak P is the largest level but at
// least 0, and each attenuation is |level - P|: levels at or below 0 dB give attenuation = -level,
// and levels typed as absolute gains (17, 14, ...) are stored relative to their peak.
std::vector<Pattern_Point> pattern_points_of(const Curve_Points& points);
// Writes the points into pattern slot `slot` (0 to 7) of the record; fewer than 2 points leave
// the slot empty.
void store_pattern_cut(Antenna_Record& record, int slot, const Curve_Points& points);
