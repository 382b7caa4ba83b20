// Reading and writing the binary antenna files.
#include "antenna_binary.h"

#include "byte_reader.h"
#include "data_findings.h"
#include "error_handler.h"
#include "message_catalogue.h"
#include "qvfileio.h"
#include "save_atomically.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr double dbi_to_dbd = 2.15;
constexpr std::size_t asd_magic_length = sizeof ASD_MAGIC - 1; // 22
constexpr std::size_t v4_magic_length = sizeof MAS_MAGIC - 1;  // 9

// Copies a text field of a file, which need not hold a terminator, into a wider record field.
void copy_file_text(char* field, std::size_t field_size, const char* source,
                    std::size_t source_size) {
    const std::size_t length = std::min(strnlen(source, source_size), field_size - 1);
    std::memcpy(field, source, length);
    std::memset(field + length, 0, field_size - length);
}
template <std::size_t N, std::size_t M>
void copy_file_text(char (&field)[N], const char (&source)[M]) {
    copy_file_text(field, N, source, M);
}

// Every text of a header read as an image gets its terminator, whatever the file held; a text
// that filled its field to the last byte loses that byte, and is told in `texts_cut`.
template <std::size_t N>
void terminate(char (&field)[N], const char* keyword = nullptr,
               std::vector<std::string>* texts_cut = nullptr) {
    if (field[N - 1] != '\0' && keyword != nullptr && texts_cut != nullptr) {
        texts_cut->push_back(text_cut_warning(keyword, N - 1, 1));
    }
    field[N - 1] = '\0';
}

void read_points(Byte_Reader& file, Antenna_Record& record,
                 const int32_t (&counts)[PATTERN_SLOTS]) {
    for (int slot = 0; slot < PATTERN_SLOTS; ++slot) {
        if (counts[slot] == 0) {
            continue;
        }
        if (counts[slot] < 0) {
            file.throw_error_code(MSG_WRONG_FILE_FORMAT);
        }
        const uint32_t count =
            file.checked_count(static_cast<uint32_t>(counts[slot]), sizeof(Pattern_Point));
        std::vector<Pattern_Point> points(count);
        file.read(reinterpret_cast<char*>(points.data()),
                  static_cast<unsigned>(count * sizeof(Pattern_Point)));
        for (const Pattern_Point& point : points) {
            if (!std::isfinite(point.angle) || !std::isfinite(point.attenuation)) {
                file.throw_error_code(MSG_WRONG_FILE_FORMAT);
            }
        }
        // Files written by other programs are not always in order; the record always is.
        std::stable_sort(points.begin(), points.end(), compare_pattern_angles);
        record.set_cut(slot, std::move(points));
    }
}

void read_mas(Byte_Reader& file, Antenna_Record& record) {
    Mas_Record mas{};
    file.read(reinterpret_cast<char*>(&mas), sizeof mas);
    if (std::memcmp(mas.magic, MAS_MAGIC, v4_magic_length) != 0) {
        file.throw_error_code(MSG_WRONG_FILE_FORMAT);
    }
    Antenna_Spec& core = record.antenna_spec;
    core.feed_orientation = mas.feed_orientation;
    copy_file_text(core.manufacturer, mas.manufacturer);
    copy_file_text(core.model, mas.model);
    copy_file_text(core.date, mas.date);
    copy_file_text(core.file_name, mas.file_name);
    core.low_frequency = mas.low_frequency;
    core.high_frequency = mas.high_frequency;
    core.gain_dbi = mas.gain_dbi;
    core.gain_dbd = mas.gain_dbi == NOT_SET ? NOT_SET : mas.gain_dbi - dbi_to_dbd;
    core.antenna_size = mas.antenna_size;
    core.azimuth_beamwidth = mas.azimuth_beamwidth;
    core.technology = TECH_APERTURE;
    int32_t counts[PATTERN_SLOTS] = {};
    for (int i = 0; i < PATTERN_SLOTS; ++i) {
        counts[mas_count_slots[i]] = mas.counts[i];
    }
    read_points(file, record, counts);
}

void read_vas(Byte_Reader& file, Antenna_Record& record, std::vector<std::string>* texts_cut) {
    Vas_Record vas{};
    file.read(reinterpret_cast<char*>(&vas), sizeof vas);
    if (std::memcmp(vas.magic, VAS_MAGIC, v4_magic_length) != 0) {
        file.throw_error_code(MSG_WRONG_FILE_FORMAT);
    }
    Antenna_Spec& core = record.antenna_spec;
    copy_file_text(core.manufacturer, vas.manufacturer);
    copy_file_text(core.model, vas.model);
    copy_file_text(core.description, vas.description);
    if (strnlen(vas.description, sizeof vas.description) == sizeof vas.description &&
        texts_cut != nullptr) {
        texts_cut->push_back(
            text_cut_warning("DESCR1", sizeof core.description - 1, 1)); // no room for its end
    }
    copy_file_text(core.file_name, vas.file_name);
    core.pattern_type = vas.pattern_type;
    core.low_frequency = vas.low_frequency;
    core.high_frequency = vas.high_frequency;
    core.reserved_2 = vas.unnamed;
    core.gain_dbi = vas.gain_dbi;
    core.gain_dbd = vas.gain_dbd;
    core.electrical_tilt = vas.electrical_tilt;
    core.azimuth_beamwidth = vas.azimuth_beamwidth;
    core.elevation_beamwidth = vas.elevation_beamwidth;
    core.technology = TECH_DIPOLE;
    core.feed_orientation = FEED_NA;
    int32_t counts[PATTERN_SLOTS] = {};
    counts[0] = vas.points_azimuth_hh;
    counts[2] = vas.points_azimuth_vv;
    counts[4] = vas.points_elevation_hh;
    counts[6] = vas.points_elevation_vv;
    read_points(file, record, counts);
}

void append_points(std::string& bytes, const Antenna_Record& record, int slot) {
    const auto points = record.cut(slot);
    bytes.append(reinterpret_cast<const char*>(points.data()), points.size_bytes());
}

} // namespace

Antenna_Kind read_antenna_binary(Byte_Reader& file, Antenna_Record& record,
                                 std::vector<std::string>* texts_cut) {
    // The magic is looked at before the size: a version 4 file may well be shorter than the
    // version 5 header, and is still a good file.
    Antenna_Spec header{};
    const uint32_t head = std::min<uint32_t>(file.bytes_left(), sizeof header);
    file.read(reinterpret_cast<char*>(&header), head);

    if (head >= asd_magic_length && std::memcmp(header.magic, ASD_MAGIC, asd_magic_length) == 0) {
        if (head < sizeof header) {
            file.throw_error_code(MSG_READ_ERROR_AT_EOF);
        }
        terminate(header.magic);
        terminate(header.manufacturer, "ANTMAN", texts_cut);
        terminate(header.model, "MODNUM", texts_cut);
        terminate(header.description, "DESCR1", texts_cut);
        terminate(header.file_name); // gives way to the name of the file opened
        terminate(header.date, "DTDATA", texts_cut);
        int32_t counts[PATTERN_SLOTS];
        std::memcpy(counts, header.cut_points, sizeof counts);
        // The counts arrive with the arrays, so that they describe what was read.
        std::memset(header.cut_points, 0, sizeof header.cut_points);
        record.antenna_spec = header;
        read_points(file, record, counts);
        return Antenna_Kind::asd;
    }

    const bool mas =
        head >= v4_magic_length && std::memcmp(header.magic, MAS_MAGIC, v4_magic_length) == 0;
    const bool vas =
        head >= v4_magic_length && std::memcmp(header.magic, VAS_MAGIC, v4_magic_length) == 0;
    if (!mas && !vas) {
        file.throw_error_code(MSG_WRONG_FILE_FORMAT);
    }
    record.clear_antenna_spec();
    file.rewind();
    if (mas) {
        read_mas(file, record);
        return Antenna_Kind::mas;
    }
    read_vas(file, record, texts_cut);
    return Antenna_Kind::vas;
}

std::string asd_file_bytes(const Antenna_Record& record) {
    Antenna_Spec header = record.antenna_spec;
    copy_text_field(header.magic, ASD_MAGIC);
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    for (int slot = 0; slot < PATTERN_SLOTS; ++slot) {
        append_points(bytes, record, slot);
    }
    return bytes;
}

void write_asd_file(Antenna_Record& record, Error_Handler* handler, const char* path) {
    copy_text_field(record.antenna_spec.magic, ASD_MAGIC);
    save_atomically(handler, path, asd_file_bytes(record));
}

std::string mas_file_bytes(const Antenna_Record& record, Error_Handler* handler, const char* path) {
    for (int slot = 0; slot < PATTERN_SLOTS; ++slot) {
        if (record.cut(slot).size() > static_cast<std::size_t>(MAX_V4_POINTS)) {
            handler->init(ET_ERROR, MSG_WRONG_FILE_FORMAT, path);
            handler->set_info_buff(
                "A pattern cut of a version 4 antenna data file holds at most 32767 points.");
            throw handler;
        }
    }
    const Antenna_Spec& core = record.antenna_spec;
    Mas_Record mas{};
    std::memcpy(mas.magic, MAS_MAGIC, sizeof MAS_MAGIC);
    mas.feed_orientation = static_cast<uint8_t>(core.feed_orientation);
    copy_text_field(mas.manufacturer, core.manufacturer);
    copy_text_field(mas.model, core.model);
    copy_text_field(mas.date, core.date);
    copy_text_field(mas.file_name, core.file_name);
    mas.low_frequency = core.low_frequency;
    mas.high_frequency = core.high_frequency;
    mas.gain_dbi = core.gain_dbi;
    mas.antenna_size = core.antenna_size;
    mas.azimuth_beamwidth = core.azimuth_beamwidth;
    for (int i = 0; i < PATTERN_SLOTS; ++i) {
        mas.counts[i] = static_cast<int16_t>(record.cut(mas_count_slots[i]).size());
    }
    std::string bytes(reinterpret_cast<const char*>(&mas), sizeof mas);
    for (int slot = 0; slot < PATTERN_SLOTS; ++slot) {
        append_points(bytes, record, slot);
    }
    return bytes;
}

void write_mas_file(const Antenna_Record& record, Error_Handler* handler, const char* path) {
    save_atomically(handler, path, mas_file_bytes(record, handler, path));
}
