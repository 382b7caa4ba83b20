// The antenna record's reset, its cut slots and the slot table.
#include "antenna_record.h"

#include "data_findings.h"

#include <algorithm>
#include <cstring>

const Pattern_Slot_Info pattern_slots[PATTERN_SLOTS] = {
    {PLANE_AZIMUTH, "azimuth", "H/H", "SLL/SLL"},
    {PLANE_AZIMUTH, "azimuth", "H/V", "SLL/SLR"},
    {PLANE_AZIMUTH, "azimuth", "V/V", "SLR/SLR"},
    {PLANE_AZIMUTH, "azimuth", "V/H", "SLR/SLL"},
    {PLANE_ELEVATION, "elevation", "H/H", "SLL/SLL"},
    {PLANE_ELEVATION, "elevation", "H/V", "SLL/SLR"},
    {PLANE_ELEVATION, "elevation", "V/V", "SLR/SLR"},
    {PLANE_ELEVATION, "elevation", "V/H", "SLR/SLL"},
};

const char* antenna_kind_name(Antenna_Kind kind) {
    switch (kind) {
    case Antenna_Kind::nsma:
        return "nsma";
    case Antenna_Kind::asd:
        return "asd";
    case Antenna_Kind::mas:
        return "mas";
    case Antenna_Kind::vas:
        return "vas";
    case Antenna_Kind::msi:
        return "msi";
    case Antenna_Kind::pattern:
        return "pattern";
    }
    return "";
}

void copy_text_field(char* field, std::size_t size, const char* text) {
    if (size == 0) {
        return;
    }
    std::size_t length = 0;
    if (text != nullptr) {
        while (length < size - 1 && text[length] != '\0') {
            ++length;
        }
        std::memcpy(field, text, length);
    }
    std::memset(field + length, 0, size - length);
}

void copy_text_field_told(char* field, std::size_t size, const char* text, const char* keyword,
                          std::vector<std::string>* texts_cut) {
    copy_text_field(field, size, text);
    if (texts_cut == nullptr || size == 0 || text == nullptr) {
        return;
    }
    const std::size_t length = std::strlen(text);
    if (length > size - 1) {
        texts_cut->push_back(text_cut_warning(keyword, size - 1, length - (size - 1)));
    }
}

Antenna_Record::Antenna_Record() {
    reset_antenna_record();
}

void Antenna_Record::reset_antenna_record() {
    gain_in_dbi = 1;
    pattern_relative = 1;
    std::memset(&header, 0, sizeof header);
    copy_text_field(header.revision_number, "NSMA WG16.99.050");
    copy_text_field(header.revision_date, "19990520");
    for (double* value :
         {&header.low_band_gain, &header.high_band_gain, &header.vswr, &header.front_to_back,
          &header.radiation_center, &header.port_isolation, &header.max_power, &header.width,
          &header.depth, &header.weight, &header.pattern_frequency}) {
        *value = NOT_SET;
    }
    header.frequency_count = -1;
    header.cut_count = 0;
    data_changed = 0;
    for (Pattern_Cut& slot : m_cuts) {
        slot.points = {}; // releases the array, not only its contents
    }
    clear_antenna_spec();
}

void Antenna_Record::clear_antenna_spec() {
    // Every text, code and count becomes zero, then the doubles get their "no value".
    std::memset(&antenna_spec, 0, sizeof antenna_spec);
    for (double* value :
         {&antenna_spec.gain_dbi, &antenna_spec.gain_dbd, &antenna_spec.antenna_size,
          &antenna_spec.azimuth_beamwidth, &antenna_spec.elevation_beamwidth,
          &antenna_spec.electrical_tilt, &antenna_spec.reserved_1, &antenna_spec.low_frequency,
          &antenna_spec.high_frequency, &antenna_spec.reserved_2}) {
        *value = NOT_SET;
    }
    // The counts describe the arrays, which stay: keep them in step rather than claim 0 points
    // for a slot that still holds some.
    for (int slot = 0; slot < PATTERN_SLOTS; ++slot) {
        antenna_spec.cut_points[slot] = static_cast<int32_t>(m_cuts[slot].points.size());
    }
}

std::span<const Pattern_Point> Antenna_Record::cut(int slot) const {
    return m_cuts[slot].points;
}

void Antenna_Record::set_cut(int slot, std::vector<Pattern_Point> points) {
    m_cuts[slot].points = std::move(points);
    if (m_cuts[slot].points.empty()) {
        m_cuts[slot].points.shrink_to_fit();
    }
    antenna_spec.cut_points[slot] = static_cast<int32_t>(m_cuts[slot].points.size());
}

int Antenna_Record::filled_slots() const {
    return static_cast<int>(std::count_if(std::begin(m_cuts), std::end(m_cuts),
                                          [](const Pattern_Cut& c) { return !c.points.empty(); }));
}
