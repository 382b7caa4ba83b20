// Reading and writing version 5 binary radio files.
#include "rsd_format.h"

#include "radio_derivations.h"
#include "radio_record.h"
#include "rsd_old_blocks.h"

#include "message_catalogue.h"
#include "byte_reader.h"
#include "qvfileio.h"
#include "save_atomically.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace {

constexpr std::size_t old_header_size = 44;
constexpr std::size_t identifier_length = 18;
constexpr const char* identifiers[] = {"QV50_RADIO_SPEC_01", "QV50_RADIO_SPEC_03",
                                       "QV50_RADIO_SPEC_04"};

// 1, 3 or 4 for the three identifiers at the start of `bytes`; 0 for anything else.
int rsd_version(const char* bytes, std::size_t size) {
    if (size < identifier_length) {
        return 0;
    }
    const std::string_view start(bytes, identifier_length);
    if (start == identifiers[0]) {
        return 1;
    }
    if (start == identifiers[1]) {
        return 3;
    }
    return start == identifiers[2] ? 4 : 0;
}

template <typename T>
void append(std::string& image, const T& value) {
    image.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// Removes the derived curves when it goes out of scope, also when a write fails.
struct Derived_Curves_Cleanup {
    Radio_Record& record;
    ~Derived_Curves_Cleanup() { record.curves.remove_derived_curves(); }
};

// The smallest stored size each counted structure ever had. Below it the structure cannot hold
// the fields every layout had, and the rows made for a count would outgrow the bytes behind them.
// States held at least the part that the older main blocks stored; configurations at least
// their name and antenna byte; curve headers every field up to the point count.
constexpr uint32_t smallest_state_size = offsetof(Acm_State, reserved_280);
constexpr uint32_t smallest_coupling_size = offsetof(Acu_Config, reserved_48);
constexpr uint32_t smallest_curve_header_size = sizeof(Radio_Curve_Header);
static_assert(smallest_state_size == 280 && smallest_coupling_size == 48 &&
              smallest_curve_header_size == 112);

// A count from the file: negative, or records smaller than any layout of them, is not a radio
// file; more than the file holds is a short file.
uint32_t stored_count(Byte_Reader& file, int32_t count, uint32_t stored_size,
                      uint32_t smallest_size) {
    if (count < 0 || (count > 0 && stored_size < smallest_size)) {
        file.throw_error_code(MSG_WRONG_FILE_FORMAT);
    }
    return file.checked_count(static_cast<uint32_t>(count), stored_size);
}

// Offsets and levels must be numbers; the linear column is derived and may overflow.
bool finite_point(const Radio_Point& point) {
    return std::isfinite(point.offset) && std::isfinite(point.db);
}

void read_curves(Byte_Reader& file, Radio_Record& record, int32_t curve_count, uint32_t header_size) {
    const uint32_t count =
        stored_count(file, curve_count, header_size, smallest_curve_header_size);
    for (uint32_t n = 0; n < count; ++n) {
        Radio_Curve_Header header{};
        file.read_aligned(reinterpret_cast<char*>(&header), sizeof header, header_size);
        header.name[CURVE_NAME_SIZE - 1] = '\0';
        const int named_type = find_curve_type_exact(header.name);
        if (named_type >= 0) {
            header.curve_type = static_cast<uint8_t>(named_type);
        }
        if (header.curve_type >= CURVE_TYPE_COUNT) {
            file.throw_error_code(MSG_WRONG_FILE_FORMAT);
        }

        Radio_Curve curve;
        std::memcpy(curve.name, header.name, sizeof curve.name);
        curve.curve_type = header.curve_type;
        curve.x_min = header.x_min;
        curve.x_max = header.x_max;
        curve.power_integral = header.power_integral;
        curve.two_sided = header.two_sided;
        if (carries_codes(curve.curve_type) && header.code_count > 0) {
            const uint32_t codes = file.checked_count(header.code_count, CURVE_CODE_SIZE);
            for (uint32_t c = 0; c < codes; ++c) {
                char code[CURVE_CODE_SIZE];
                file.read(code, CURVE_CODE_SIZE);
                curve.interfering_codes.emplace_back(code, strnlen(code, CURVE_CODE_SIZE - 1));
            }
        }
        const uint32_t points = file.checked_count(header.point_count, sizeof(Radio_Point));
        curve.points.resize(points);
        file.read(reinterpret_cast<char*>(curve.points.data()),
                  static_cast<unsigned>(points * sizeof(Radio_Point)));
        if (!std::all_of(curve.points.begin(), curve.points.end(), finite_point)) {
            file.throw_error_code(MSG_WRONG_FILE_FORMAT);
        }
        const auto by_offset = [](const Radio_Point& a, const Radio_Point& b) {
            return a.offset < b.offset;
        };
        if (!std::is_sorted(curve.points.begin(), curve.points.end(), by_offset)) {
            std::stable_sort(curve.points.begin(), curve.points.end(), by_offset);
            curve.update_limits();
        }
        record.curves.append(std::move(curve));
    }
}

} // namespace

bool is_rsd_locked(const char* bytes, std::size_t size) {
    std::size_t start = 0;
    while (start < size && (bytes[start] == ' ' || bytes[start] == '\r' || bytes[start] == '\n')) {
        ++start;
    }
    const char* id = bytes + start;
    const std::size_t left = size - start;
    if (rsd_version(id, left) == 0 || left < 24) {
        return false;
    }
    const auto lock = static_cast<uint16_t>(static_cast<uint8_t>(id[22]) |
                                            static_cast<uint8_t>(id[23]) << 8);
    return lock == RSD_LOCK_VALUE;
}

std::string rsd_image(Radio_Record& record, bool lock) {
    Derived_Curves_Cleanup cleanup{record};
    derive_radio_curves(record);

    Radio_Header& header = record.header;
    std::memset(&header, 0, sizeof header);
    std::memcpy(header.identifier, RSD_IDENTIFIER, identifier_length);
    record.set_lock_flag(lock ? RSD_LOCK_VALUE : 0);
    header.threshold_size = sizeof(Rx_Threshold);
    header.spec_size = sizeof(Radio_Spec);
    header.coupling_size = sizeof(Acu_Config);
    header.curve_header_size = sizeof(Radio_Curve_Header);
    header.curve_count = record.curves.count();
    header.state_size = sizeof(Acm_State);
    header.state_count = record.acm_table.count();
    header.coupling_count = record.acu_table.count();

    std::string image;
    image.reserve(RSD_FIXED_SIZE + record.acm_table.rows.size() * sizeof(Acm_State) +
                  record.acu_table.rows.size() * sizeof(Acu_Config));
    append(image, header);
    for (const Rx_Threshold& threshold : record.thresholds) {
        append(image, threshold);
    }
    append(image, record.radio_spec);
    for (const Acm_State& state : record.acm_table.rows) {
        append(image, state);
    }
    for (Acu_Config& config : record.acu_table.rows) {
        config.clear_unused_losses();
        append(image, config);
    }
    for (const Radio_Curve& curve : record.curves) {
        append(image, curve.header());
        if (carries_codes(curve.curve_type)) {
            for (const std::string& code : curve.interfering_codes) {
                char field[CURVE_CODE_SIZE] = {};
                std::memcpy(field, code.data(), std::min(code.size(), CURVE_CODE_SIZE - 1));
                image.append(field, sizeof field);
            }
        }
        image.append(reinterpret_cast<const char*>(curve.points.data()),
                     curve.points.size() * sizeof(Radio_Point));
    }
    return image;
}

void write_rsd_file(Radio_Record& record, const char* path, Error_Handler* handler, bool lock) {
    save_atomically(handler, path, rsd_image(record, lock));
}

void read_rsd_file(Radio_Record& record, const char* path, Error_Handler* handler) {
    const std::string bytes =
        read_data_file(handler, path, {MAX_BINARY_FILE_SIZE, "binary data file"});
    read_rsd_image(record, bytes, handler);
}

void read_rsd_image(Radio_Record& record, std::string_view image, Error_Handler* handler) {
    Byte_Reader file(handler, image);
    Radio_Header& header = record.header;
    std::memset(&header, 0, sizeof header);
    char* bytes = reinterpret_cast<char*>(&header);
    const bool complete = file.read_nothrow_eof(bytes, old_header_size);
    const int version = rsd_version(bytes, old_header_size);
    if (version == 0) {
        file.throw_error_code(MSG_WRONG_FILE_FORMAT);
    }
    if (!complete) {
        file.throw_error_code(MSG_READ_ERROR_AT_EOF);
    }
    if (version == 4) {
        file.rewind();
        file.read(bytes, sizeof header);
    }
    // Every file stores its thresholds and main block, and the older ones six configurations.
    if (header.threshold_size == 0 || header.spec_size == 0 ||
        (version != 4 && header.coupling_size == 0)) {
        file.throw_error_code(MSG_WRONG_FILE_FORMAT);
    }

    for (Rx_Threshold& threshold : record.thresholds) {
        file.read_aligned(reinterpret_cast<char*>(&threshold), sizeof threshold,
                          header.threshold_size);
    }
    if (version == 4) {
        file.read_aligned(reinterpret_cast<char*>(&record.radio_spec), sizeof record.radio_spec,
                          header.spec_size);
        const uint32_t states = stored_count(file, header.state_count, header.state_size,
                                             smallest_state_size);
        record.acm_table.make(static_cast<int>(states));
        for (Acm_State& state : record.acm_table.rows) {
            file.read_aligned(reinterpret_cast<char*>(&state), sizeof state, header.state_size);
        }
        const uint32_t configs = stored_count(file, header.coupling_count, header.coupling_size,
                                              smallest_coupling_size);
        record.acu_table.make(static_cast<int>(configs));
        for (Acu_Config& config : record.acu_table.rows) {
            file.read_aligned(reinterpret_cast<char*>(&config), sizeof config,
                              header.coupling_size);
        }
    } else {
        read_old_main_block(file, record, version, header.spec_size);
        record.acu_table.clear();
        for (int n = 0; n < OLD_RSD_CONFIGS; ++n) {
            Acu_Config config = Acu_Config::fresh();
            file.read_aligned(reinterpret_cast<char*>(&config), sizeof config,
                              header.coupling_size);
            if (config.Configuration[0] != '\0') {
                config.Configuration[ACU_NAME_SIZE - 1] = '\0';
                record.acu_table.rows.push_back(config);
            }
        }
    }
    read_curves(file, record, header.curve_count, header.curve_header_size);
    terminate_texts(record);
    make_capacity_summary(record);
    record.curves.remove_derived_curves();
}
