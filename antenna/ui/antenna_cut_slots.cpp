// Names and New-dialog choices of the pattern-cut slots.
#include "antenna_cut_slots.h"

std::string pattern_cut_name(int slot) {
    const Pattern_Slot_Info& info = pattern_slots[slot];
    return std::string(info.polarization) +
           (info.plane == PLANE_AZIMUTH ? " azimuth - horizontal" : " elevation - vertical");
}

bool same_pattern_plane(int a, int b) {
    return pattern_slots[a].plane == pattern_slots[b].plane;
}

New_Cut_Choice new_cut_choice(const Antenna_Record& record) {
    New_Cut_Choice choice;
    for (int slot = 0; slot < PATTERN_SLOTS; ++slot) {
        choice.enabled[static_cast<std::size_t>(slot)] = record.cut(slot).size() < 2;
        if (choice.checked < 0 && choice.enabled[static_cast<std::size_t>(slot)]) {
            choice.checked = slot;
        }
    }
    return choice;
}
