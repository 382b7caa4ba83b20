// The pattern-cut slots as the curve editor shows them: their names in the curve list, and which
// slots the New dialog offers.
#pragma once

#include "antenna_record.h"

#include <array>
#include <string>

// The list's name of slot `slot` (0 to 7): "H/H azimuth - horizontal", "V/H elevation - vertical".
std::string pattern_cut_name(int slot);

// True when slots `a` and `b` cut the same plane (both azimuth, slots 0-3, or both elevation).
bool same_pattern_plane(int a, int b);

// The New dialog's slot buttons: a slot holding 2 or more points is taken; the first free slot
// is checked, -1 when all eight are taken.
struct New_Cut_Choice {
    std::array<bool, PATTERN_SLOTS> enabled{};
    int checked = -1;
};
New_Cut_Choice new_cut_choice(const Antenna_Record& record);
