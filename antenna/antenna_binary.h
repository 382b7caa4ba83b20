// The binary antenna files: version 5 .asd (read and written), version 4 .mas (read and
// written) and .vas (read). The magic at the start decides, not the extension.
#pragma once

#include "antenna_record.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class Error_Handler;
class Byte_Reader;

inline constexpr char ASD_MAGIC[] = "QV50_ANTENNA_SPEC_DATA";
inline constexpr char MAS_MAGIC[] = "QVW40-MAT";
inline constexpr char VAS_MAGIC[] = "QVW40-VAS";

#pragma pack(push, 1)
// The record at the start of a version 4 aperture antenna file (.mas).
struct Mas_Record {
    char magic[10];
    uint8_t feed_orientation;
    char manufacturer[32];
    char model[24];
    char date[16];
    char file_name[16];
    double low_frequency;
    double high_frequency;
    double gain_dbi;
    double antenna_size;
    double azimuth_beamwidth;
    int16_t counts[8]; // points of the slots 0, 2, 1, 3, 4, 6, 5, 7
};

// The record at the start of a version 4 dipole antenna file (.vas).
struct Vas_Record {
    char magic[10];
    char manufacturer[32];
    char model[24];
    char description[48];
    char file_name[16];
    int8_t pattern_type;
    double low_frequency;
    double high_frequency;
    double unnamed; // held in reserved_2
    double gain_dbi;
    double gain_dbd;
    double electrical_tilt;
    double azimuth_beamwidth;
    double elevation_beamwidth;
    uint8_t unused_1[34];
    int16_t points_azimuth_vv;   // slot 2
    int16_t points_elevation_vv; // slot 6
    int16_t points_azimuth_hh;   // slot 0
    int16_t points_elevation_hh; // slot 4
    uint8_t unused_2[32];
};
#pragma pack(pop)

static_assert(sizeof(Mas_Record) == 155);
static_assert(offsetof(Mas_Record, feed_orientation) == 10);
static_assert(offsetof(Mas_Record, manufacturer) == 11);
static_assert(offsetof(Mas_Record, model) == 43);
static_assert(offsetof(Mas_Record, date) == 67);
static_assert(offsetof(Mas_Record, file_name) == 83);
static_assert(offsetof(Mas_Record, low_frequency) == 99);
static_assert(offsetof(Mas_Record, high_frequency) == 107);
static_assert(offsetof(Mas_Record, gain_dbi) == 115);
static_assert(offsetof(Mas_Record, antenna_size) == 123);
static_assert(offsetof(Mas_Record, azimuth_beamwidth) == 131);
static_assert(offsetof(Mas_Record, counts) == 139);

static_assert(sizeof(Vas_Record) == 269);
static_assert(offsetof(Vas_Record, manufacturer) == 10);
static_assert(offsetof(Vas_Record, model) == 42);
static_assert(offsetof(Vas_Record, description) == 66);
static_assert(offsetof(Vas_Record, file_name) == 114);
static_assert(offsetof(Vas_Record, pattern_type) == 130);
static_assert(offsetof(Vas_Record, low_frequency) == 131);
static_assert(offsetof(Vas_Record, high_frequency) == 139);
static_assert(offsetof(Vas_Record, unnamed) == 147);
static_assert(offsetof(Vas_Record, gain_dbi) == 155);
static_assert(offsetof(Vas_Record, gain_dbd) == 163);
static_assert(offsetof(Vas_Record, electrical_tilt) == 171);
static_assert(offsetof(Vas_Record, azimuth_beamwidth) == 179);
static_assert(offsetof(Vas_Record, elevation_beamwidth) == 187);
static_assert(offsetof(Vas_Record, unused_1) == 195);
static_assert(offsetof(Vas_Record, points_azimuth_vv) == 229);
static_assert(offsetof(Vas_Record, points_elevation_vv) == 231);
static_assert(offsetof(Vas_Record, points_azimuth_hh) == 233);
static_assert(offsetof(Vas_Record, points_elevation_hh) == 235);
static_assert(offsetof(Vas_Record, unused_2) == 237);

// The slot of each count of a .mas record, in file order.
inline constexpr int mas_count_slots[8] = {0, 2, 1, 3, 4, 6, 5, 7};
// Most points a version 4 file can give one slot.
inline constexpr int MAX_V4_POINTS = 32767;

// Reads an .asd, .mas or .vas file from its bytes (`file` at their start) into the record, which
// the caller has reset, and tells which it was. Raises the file's handler with code 104 for a file
// that starts with none of the three magics or holds a negative count or a point that is no finite
// number, and with code 123 for a file shorter than its record or its point arrays. The record then
// keeps what was read before, its counts always describing the arrays read. A text that fills its
// field of the file to the last byte leaves no room for the record's terminator and loses that
// byte: told in `texts_cut`, when given ("MODNUM cut to 47 characters (1 lost)").
Antenna_Kind read_antenna_binary(Byte_Reader& file, Antenna_Record& record,
                                 std::vector<std::string>* texts_cut = nullptr);

// The bytes of the record as an .asd file: the header with its magic, then the points.
std::string asd_file_bytes(const Antenna_Record& record);
// Writes the record as an .asd file at `path` (atomically; the magic goes into the record).
// Raises `handler` on failure, the file at `path` then unchanged.
void write_asd_file(Antenna_Record& record, Error_Handler* handler, const char* path);

// The bytes of the record as a .mas file. Texts are cut to the file's fields. A slot of more
// than 32767 points does not fit: raises `handler` with code 104 and an explanation, for `path`.
std::string mas_file_bytes(const Antenna_Record& record, Error_Handler* handler, const char* path);
// Writes the record as a .mas file at `path` (atomically), as mas_file_bytes gives it; raises
// `handler` before anything is written when it does not fit, and on failure, the file at `path`
// then unchanged.
void write_mas_file(const Antenna_Record& record, Error_Handler* handler, const char* path);
