// The antenna record as JSON.
#include "antenna_json.h"

#include "file_text.h"
#include "text_helpers.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

using nlohmann::json;

// JSON text is UTF-8; the record's texts are single-byte.
std::string utf8_text(const char* text, std::size_t size) { return file_text_to_utf8(text, size); }
template <std::size_t N>
std::string utf8_text(const char (&field)[N]) {
    return utf8_text(field, N);
}

json number(double value) {
    return value == NOT_SET || !std::isfinite(value) ? json(nullptr) : json(value);
}

json header_json(const Nsma_Header& h) {
    return {
        {"revision_number", utf8_text(h.revision_number)},
        {"revision_date", utf8_text(h.revision_date)},
        {"comment1", utf8_text(h.comment1)},
        {"comment2", utf8_text(h.comment2)},
        {"pattern_file_number", utf8_text(h.pattern_file_number)},
        {"pattern_id", utf8_text(h.pattern_id)},
        {"feed_orientation_text", utf8_text(h.feed_orientation_text)},
        {"description2", utf8_text(h.description2)},
        {"description3", utf8_text(h.description3)},
        {"description4", utf8_text(h.description4)},
        {"description5", utf8_text(h.description5)},
        {"gain_units_text", utf8_text(h.gain_units_text)},
        {"connector_type", utf8_text(h.connector_type)},
        {"field1", utf8_text(h.field1)},
        {"field2", utf8_text(h.field2)},
        {"field3", utf8_text(h.field3)},
        {"field4", utf8_text(h.field4)},
        {"field5", utf8_text(h.field5)},
        {"low_band_gain", number(h.low_band_gain)},
        {"high_band_gain", number(h.high_band_gain)},
        {"vswr", number(h.vswr)},
        {"front_to_back", number(h.front_to_back)},
        {"radiation_center", number(h.radiation_center)},
        {"port_isolation", number(h.port_isolation)},
        {"max_power", number(h.max_power)},
        {"width", number(h.width)},
        {"depth", number(h.depth)},
        {"weight", number(h.weight)},
        {"pattern_frequency", number(h.pattern_frequency)},
        {"frequency_count", h.frequency_count == -1 ? json(nullptr) : json(h.frequency_count)},
        {"cut_count", h.cut_count},
    };
}

json core_json(const Antenna_Spec& s) {
    return {
        {"magic", utf8_text(s.magic)},
        {"manufacturer", utf8_text(s.manufacturer)},
        {"model", utf8_text(s.model)},
        {"description", utf8_text(s.description)},
        {"file_name", utf8_text(s.file_name)},
        {"date", utf8_text(s.date)},
        {"gain_dbi", number(s.gain_dbi)},
        {"gain_dbd", number(s.gain_dbd)},
        {"antenna_size", number(s.antenna_size)},
        {"azimuth_beamwidth", number(s.azimuth_beamwidth)},
        {"elevation_beamwidth", number(s.elevation_beamwidth)},
        {"electrical_tilt", number(s.electrical_tilt)},
        {"reserved_1", number(s.reserved_1)},
        {"low_frequency", number(s.low_frequency)},
        {"high_frequency", number(s.high_frequency)},
        {"reserved_2", number(s.reserved_2)},
        {"technology", s.technology},
        {"feed_orientation", s.feed_orientation},
        {"cut_points", s.cut_points},
        {"pattern_type", s.pattern_type},
        {"reserved", s.reserved},
    };
}

} // namespace

nlohmann::json antenna_to_json(const Antenna_Record& record) {
    json cuts = json::array();
    for (int slot = 0; slot < PATTERN_SLOTS; ++slot) {
        const auto points = record.cut(slot);
        if (points.empty()) {
            continue;
        }
        json pairs = json::array();
        for (const Pattern_Point& point : points) {
            pairs.push_back({float_as_decimal(point.angle), float_as_decimal(point.attenuation)});
        }
        cuts.push_back({{"slot", slot},
                        {"plane", pattern_slots[slot].plane_name},
                        {"polarization", pattern_slots[slot].polarization},
                        {"points", std::move(pairs)}});
    }
    return {
        {"gain_in_dbi", record.gain_in_dbi != 0},
        {"pattern_relative", record.pattern_relative != 0},
        {"nsma_header", header_json(record.header)},
        {"antenna_spec", core_json(record.antenna_spec)},
        {"cuts", std::move(cuts)},
    };
}
