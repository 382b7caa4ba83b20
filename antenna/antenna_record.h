// Antenna_Record: one antenna model in memory, with the NSMA-only values, the core values that
// are also the .asd header, and the eight pattern-cut slots.
#pragma once

#include "text_helpers.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

static_assert(std::endian::native == std::endian::little,
              "antenna files are little-endian images of these records");

// Values that only the NSMA text format carries. Texts are zero-terminated single-byte texts.
struct Nsma_Header {
    char revision_number[42];
    char revision_date[16];
    char comment1[80];
    char comment2[80];
    char pattern_file_number[13];
    char pattern_id[42];
    char feed_orientation_text[13];
    char description2[80];
    char description3[80];
    char description4[80];
    char description5[80];
    char gain_units_text[15];
    char connector_type[80];
    char field1[80];
    char field2[80];
    char field3[80];
    char field4[80];
    char field5[80]; // never filled: FIELD5 is held as Antenna_Spec::technology
    double low_band_gain;
    double high_band_gain;
    double vswr;
    double front_to_back;     // dB
    double radiation_center;  // m
    double port_isolation;    // dB
    double max_power;         // W
    double width;             // m
    double depth;             // m
    double weight;            // kg
    double pattern_frequency; // MHz
    int32_t frequency_count;
    int32_t cut_count;
};
static_assert(sizeof(Nsma_Header) == 1200);

// Technology, feed orientation and pattern type codes of Antenna_Spec.
enum Antenna_Technology : int32_t { TECH_UNKNOWN = 0, TECH_DIPOLE = 1, TECH_APERTURE = 2 };
enum Feed_Orientation : int32_t { FEED_NA = 0, FEED_LEFT = 1, FEED_RIGHT = 2 };
enum Pattern_Type : int32_t { PATTERN_UNKNOWN = 0, PATTERN_TYPICAL = 1, PATTERN_ENVELOPE = 2 };

inline constexpr int PATTERN_SLOTS = 8;

// The core antenna values; byte for byte the 376-byte header of an .asd file.
struct Antenna_Spec {
    char magic[24]; // filled only when an .asd file is written
    char manufacturer[48];
    char model[48];
    char description[48];
    char file_name[48]; // base name of the file the record came from
    char date[24];
    double gain_dbi;
    double gain_dbd;
    double antenna_size;        // m: antenna length or dish diameter
    double azimuth_beamwidth;   // deg
    double elevation_beamwidth; // deg
    double electrical_tilt;     // deg
    double reserved_1;
    double low_frequency;  // MHz
    double high_frequency; // MHz
    double reserved_2;     // filled only from a version-4 .vas file
    int32_t technology;
    int32_t feed_orientation;
    int32_t cut_points[PATTERN_SLOTS];
    int32_t pattern_type;
    int32_t reserved[3];
};
static_assert(sizeof(Antenna_Spec) == 376);
static_assert(offsetof(Antenna_Spec, magic) == 0);
static_assert(offsetof(Antenna_Spec, manufacturer) == 24);
static_assert(offsetof(Antenna_Spec, model) == 72);
static_assert(offsetof(Antenna_Spec, description) == 120);
static_assert(offsetof(Antenna_Spec, file_name) == 168);
static_assert(offsetof(Antenna_Spec, date) == 216);
static_assert(offsetof(Antenna_Spec, gain_dbi) == 240);
static_assert(offsetof(Antenna_Spec, gain_dbd) == 248);
static_assert(offsetof(Antenna_Spec, antenna_size) == 256);
static_assert(offsetof(Antenna_Spec, azimuth_beamwidth) == 264);
static_assert(offsetof(Antenna_Spec, elevation_beamwidth) == 272);
static_assert(offsetof(Antenna_Spec, electrical_tilt) == 280);
static_assert(offsetof(Antenna_Spec, reserved_1) == 288);
static_assert(offsetof(Antenna_Spec, low_frequency) == 296);
static_assert(offsetof(Antenna_Spec, high_frequency) == 304);
static_assert(offsetof(Antenna_Spec, reserved_2) == 312);
static_assert(offsetof(Antenna_Spec, technology) == 320);
static_assert(offsetof(Antenna_Spec, feed_orientation) == 324);
static_assert(offsetof(Antenna_Spec, cut_points) == 328);
static_assert(offsetof(Antenna_Spec, pattern_type) == 360);
static_assert(offsetof(Antenna_Spec, reserved) == 364);

// One point of a pattern cut: angle in degrees, attenuation in dB below the main-beam gain.
struct Pattern_Point {
    float angle;
    float attenuation;
};
static_assert(sizeof(Pattern_Point) == 8);

// The order of points in a slot: by ascending angle, equal angles equal.
inline bool compare_pattern_angles(const Pattern_Point& a, const Pattern_Point& b) {
    return a.angle < b.angle;
}

// The points of one slot; empty (and holding no array) when the slot has no cut.
struct Pattern_Cut {
    std::vector<Pattern_Point> points;
};

// The planes and polarizations of the eight slots.
enum Pattern_Plane : int { PLANE_AZIMUTH = 0, PLANE_ELEVATION = 1 };
struct Pattern_Slot_Info {
    Pattern_Plane plane;
    const char* plane_name;   // "azimuth" or "elevation"
    const char* polarization; // as written: "H/H", "H/V", "V/V", "V/H"
    const char* alternative;  // the other accepted POLARI value: "SLL/SLL", ...
};
extern const Pattern_Slot_Info pattern_slots[PATTERN_SLOTS];

class Antenna_Record {
public:
    Antenna_Record();

    // The state of a new antenna: default NSMA header, cleared core values, no cuts, flags 1.
    void reset_antenna_record();
    // Clears the core values (texts empty, numbers NOT_SET, codes 0). The point arrays stay, and
    // so do their counts, which always describe the arrays.
    void clear_antenna_spec();

    // The points of slot `slot` (0 to 7), ascending by angle.
    std::span<const Pattern_Point> cut(int slot) const;
    // Replaces the points of a slot and its count in antenna_spec: the one way cuts change, so that
    // antenna_spec.cut_points always agrees with the arrays. The points must be sorted by angle.
    void set_cut(int slot, std::vector<Pattern_Point> points);
    // Number of slots that hold points.
    int filled_slots() const;

    uint8_t gain_in_dbi = 1;      // gains are stated in dBi; 0: dBd
    uint8_t pattern_relative = 1; // NSMA pattern values are relative levels (DBR)
    Nsma_Header header{};
    Antenna_Spec antenna_spec{};
    uint8_t data_changed = 0; // set by the editor on every accepted edit

private:
    Pattern_Cut m_cuts[PATTERN_SLOTS];
};

// What an antenna file turned out to be when it was opened.
enum class Antenna_Kind { nsma, asd, mas, vas, msi, pattern };
// "nsma", "asd", "mas", "vas", "msi" or "pattern".
const char* antenna_kind_name(Antenna_Kind kind);

// Copies at most `size` - 1 characters of `text` (up to its first zero) into the field and
// zero-fills the rest of it.
void copy_text_field(char* field, std::size_t size, const char* text);
template <std::size_t N>
void copy_text_field(char (&field)[N], const char* text) {
    copy_text_field(field, N, text);
}
// Copies as copy_text_field does; a text longer than the field is kept in part and told in
// `texts_cut`, when given, as text_cut_warning(keyword, ...) tells it.
void copy_text_field_told(char* field, std::size_t size, const char* text, const char* keyword,
                          std::vector<std::string>* texts_cut);
template <std::size_t N>
void copy_text_field_told(char (&field)[N], const char* text, const char* keyword,
                          std::vector<std::string>* texts_cut) {
    copy_text_field_told(field, N, text, keyword, texts_cut);
}
