// The antenna record as JSON.
#include "antenna_json.h"

namespace {

// Keys stand in alphabetical order, the order the dump has always had.

Json header_json(const Nsma_Header& h) {
    return {
        {"comment1", json_text(h.comment1)},
        {"comment2", json_text(h.comment2)},
        {"connector_type", json_text(h.connector_type)},
        {"cut_count", h.cut_count},
        {"depth", json_number(h.depth)},
        {"description2", json_text(h.description2)},
        {"description3", json_text(h.description3)},
        {"description4", json_text(h.description4)},
        {"description5", json_text(h.description5)},
        {"feed_orientation_text", json_text(h.feed_orientation_text)},
        {"field1", json_text(h.field1)},
        {"field2", json_text(h.field2)},
        {"field3", json_text(h.field3)},
        {"field4", json_text(h.field4)},
        {"field5", json_text(h.field5)},
        {"frequency_count", json_count(h.frequency_count)},
        {"front_to_back", json_number(h.front_to_back)},
        {"gain_units_text", json_text(h.gain_units_text)},
        {"high_band_gain", json_number(h.high_band_gain)},
        {"low_band_gain", json_number(h.low_band_gain)},
        {"max_power", json_number(h.max_power)},
        {"pattern_file_number", json_text(h.pattern_file_number)},
        {"pattern_frequency", json_number(h.pattern_frequency)},
        {"pattern_id", json_text(h.pattern_id)},
        {"port_isolation", json_number(h.port_isolation)},
        {"radiation_center", json_number(h.radiation_center)},
        {"revision_date", json_text(h.revision_date)},
        {"revision_number", json_text(h.revision_number)},
        {"vswr", json_number(h.vswr)},
        {"weight", json_number(h.weight)},
        {"width", json_number(h.width)},
    };
}

Json core_json(const Antenna_Spec& s) {
    return {
        {"antenna_size", json_number(s.antenna_size)},
        {"azimuth_beamwidth", json_number(s.azimuth_beamwidth)},
        {"cut_points", s.cut_points},
        {"date", json_text(s.date)},
        {"description", json_text(s.description)},
        {"electrical_tilt", json_number(s.electrical_tilt)},
        {"elevation_beamwidth", json_number(s.elevation_beamwidth)},
        {"feed_orientation", s.feed_orientation},
        {"file_name", json_text(s.file_name)},
        {"gain_dbd", json_number(s.gain_dbd)},
        {"gain_dbi", json_number(s.gain_dbi)},
        {"high_frequency", json_number(s.high_frequency)},
        {"low_frequency", json_number(s.low_frequency)},
        {"magic", json_text(s.magic)},
        {"manufacturer", json_text(s.manufacturer)},
        {"model", json_text(s.model)},
        {"pattern_type", s.pattern_type},
        {"reserved", s.reserved},
        {"reserved_1", json_number(s.reserved_1)},
        {"reserved_2", json_number(s.reserved_2)},
        {"technology", s.technology},
    };
}

} // namespace

Json antenna_to_json(const Antenna_Record& record) {
    Json cuts = Json::array();
    for (int slot = 0; slot < PATTERN_SLOTS; ++slot) {
        const auto points = record.cut(slot);
        if (points.empty()) {
            continue;
        }
        cuts.push_back({{"plane", pattern_slots[slot].plane_name},
                        {"points", json_points(points, &Pattern_Point::angle,
                                               &Pattern_Point::attenuation)},
                        {"polarization", pattern_slots[slot].polarization},
                        {"slot", slot}});
    }
    return {
        {"antenna_spec", core_json(record.antenna_spec)},
        {"cuts", std::move(cuts)},
        {"gain_in_dbi", record.gain_in_dbi != 0},
        {"nsma_header", header_json(record.header)},
        {"pattern_relative", record.pattern_relative != 0},
    };
}
