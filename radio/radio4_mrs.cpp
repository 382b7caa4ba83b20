// The binary version 4 radio file (.mrs): reading, the derivations made before writing, writing.
#include "radio4_format.h"
#include "file_text.h"
#include "radio4_record.h"
#include "radio_derivations.h"
#include "radio_record.h"

#include "error_handler.h"
#include "message_catalogue.h"
#include "byte_reader.h"
#include "qvfileio.h"
#include "save_atomically.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <string>

// The record and the curve heads are read and written as the images they are in memory.
static_assert(std::endian::native == std::endian::little);

namespace {

bool is_set(double value) { return value != NOT_SET; }

// The identifier at the start of a binary file: the current one, or the older one followed by a
// zero byte (the ASCII file has a line end there).
bool is_mrs_identifier(const char* header) {
    if (std::memcmp(header, MRS_IDENTIFIER, RADIO4_IDENTIFIER_LENGTH) == 0) {
        return true;
    }
    return std::memcmp(header, RADIO4_OLD_IDENTIFIER, RADIO4_IDENTIFIER_LENGTH) == 0 &&
           header[RADIO4_IDENTIFIER_LENGTH] == '\0';
}

[[noreturn]] void refuse(Byte_Reader& file, Error_Handler* handler, int code, const std::string& why) {
    handler->set_last_error_code(0);
    handler->set_info_buff(why.c_str());
    file.throw_error_code(code);
}

bool finite_points(const std::vector<Radio_Point>& points) {
    return std::all_of(points.begin(), points.end(), [](const Radio_Point& point) {
        return std::isfinite(point.offset) && std::isfinite(point.db);
    });
}

void read_curve(Byte_Reader& file, Error_Handler* handler, Radio4_Record& record) {
    Radio4_Curve_Head head;
    file.read(reinterpret_cast<char*>(&head), sizeof head);
    const uint32_t count = file.checked_count(head.point_count, sizeof(Radio_Point));
    Radio4_Curve curve;
    std::memcpy(curve.name, head.name, sizeof curve.name);
    curve.name[sizeof curve.name - 1] = '\0';
    curve.x_min = head.x_min;
    curve.x_max = head.x_max;
    curve.power_integral = head.power_integral;
    curve.two_sided = head.two_sided;
    curve.points.resize(count);
    file.read(reinterpret_cast<char*>(curve.points.data()),
              static_cast<unsigned>(count * sizeof(Radio_Point)));
    // Sorting and interpolating need numbers: a point that is none cannot be a curve's.
    if (!finite_points(curve.points)) {
        refuse(file, handler, MSG_WRONG_FILE_FORMAT,
               "The curve " + file_text_to_utf8(radio4_text(curve.name)) + " holds a point that is not a number");
    }
    if (!curve.points.empty()) {
        if (curve.points.front().offset > curve.points.back().offset) {
            std::stable_sort(
                curve.points.begin(), curve.points.end(),
                [](const Radio_Point& a, const Radio_Point& b) { return a.offset < b.offset; });
        }
        if (curve.is_named("TX_EMISSION")) {
            for (Radio_Point& point : curve.points) {
                point.linear =
                    static_cast<float>(std::pow(10.0, static_cast<double>(point.db) / 10.0));
            }
        }
        curve.x_min = curve.points.front().offset;
        curve.x_max = curve.points.back().offset;
        curve.two_sided = curve.x_min < 0.0f ? 1 : 0;
    }
    if (is_radio4_derived_name(curve.name)) {
        return; // read past and dropped: they are made again for every write
    }
    record.append_curve() = std::move(curve);
}

// A version 5 record to run one of the version 5 curve derivations in, with both 3 dB bandwidths
// `bandwidth`.
Radio_Record scratch_record(double bandwidth) {
    Radio_Record scratch;
    scratch.radio_spec.bandwidth_3db_tx = scratch.radio_spec.bandwidth_3db_rx = bandwidth;
    return scratch;
}

void append_derived(Radio4_Record& record, const Radio_Curve& curve, const char* name) {
    record.append_curve() = to_radio4_curve(curve, name);
}

} // namespace

void derive_radio4_record(Radio4_Record& record) {
    record.remove_derived_curves();
    Radio4_Spec& s = record.radio_spec;
    const std::string modulation = radio4_text(s.modulation);

    // T/I values from the curves against the radio itself and against a CW interferer.
    if (!is_set(s.ttoi_cochan_like)) {
        const std::string same = "TtoI_" + radio4_text(s.capacity) + "-" + modulation;
        if (const Radio4_Curve* curve = record.curves.find(same.c_str())) {
            s.ttoi_cochan_like = curve_value_at(*curve, 0.0);
        }
    }
    if (!is_set(s.ttoi_cochan_cw)) {
        if (const Radio4_Curve* curve = record.curves.find("TtoI_CW")) {
            s.ttoi_cochan_cw = curve_value_at(*curve, 0.0);
        }
    }
    // The completions shared with version 5.
    if (!is_set(s.ttoi_cochan_like)) {
        s.ttoi_cochan_like = modulation_ttoi(modulation.c_str());
    }
    if (!is_set(s.channelbw_mhz) && s.emdesig[0] != '\0') {
        s.channelbw_mhz = designator_bandwidth(radio4_text(s.emdesig).c_str());
    }

    // The spectrum bandwidth from the emission curve, and the default masks from it.
    Radio4_Curve* emission = record.curves.find("TX_EMISSION");
    if (!is_set(s.spectrmbw_mhz) && emission != nullptr && !emission->points.empty()) {
        s.spectrmbw_mhz = 2.0 * curve_half_width_3db(to_radio_curve(*emission, CURVE_TX_EMISSION));
    }
    if (is_set(s.spectrmbw_mhz)) {
        Radio_Record masks = scratch_record(s.spectrmbw_mhz);
        make_default_tx_mask(masks);
        make_default_rx_mask(masks);
        for (const Radio_Curve& mask : masks.curves) {
            append_derived(record, mask, curve_type_name(mask.curve_type).c_str());
        }
    }

    // Every emission curve as power in 4 kHz relative to the total power.
    for (Radio4_Curve& curve : record.curves) {
        if (!curve.is_named("TX_EMISSION")) {
            continue;
        }
        Radio_Record scratch = scratch_record(NOT_SET);
        scratch.curves.append(to_radio_curve(curve, CURVE_TX_EMISSION));
        normalise_tx_emission(scratch);
        curve.points = scratch.curves[0].points;
    }

    // The calculated selectivity from the first source there is.
    const Radio4_Curve* source = nullptr;
    int source_type = CURVE_RX_SELECTIVITY;
    for (const auto& [name, type] :
         {std::pair{"RX_SELECTIVITY", CURVE_RX_SELECTIVITY}, std::pair{"TtoI_CW", CURVE_TTOI_CW},
          std::pair{RADIO4_RX_SELECTIVITY_MASK, CURVE_RX_SELECTIVITY_MASK}}) {
        if ((source = record.curves.find(name)) != nullptr) {
            source_type = type;
            break;
        }
    }
    if (source != nullptr) {
        Radio_Record scratch = scratch_record(NOT_SET);
        scratch.curves.append(to_radio_curve(*source, source_type));
        make_rx_selectivity_calc(scratch);
        const int calc = scratch.curves.find_first(CURVE_RX_SELECTIVITY_CALC);
        if (calc >= 0) {
            append_derived(record, scratch.curves[calc], RADIO4_RX_SELECTIVITY_CALC);
        }
    }
}

std::string mrs_bytes(const Radio4_Record& record) {
    std::string bytes(MRS_HEADER_SIZE, '\0');
    std::memcpy(bytes.data(), MRS_IDENTIFIER, RADIO4_IDENTIFIER_LENGTH);
    const uint32_t size = RADIO4_RECORD_SIZE;
    std::memcpy(bytes.data() + 16, &size, sizeof size);
    Radio4_Spec radio_spec = record.radio_spec;
    radio_spec.curve_count = record.curves.count();
    bytes.append(reinterpret_cast<const char*>(&radio_spec), sizeof radio_spec);
    for (const Radio4_Curve& curve : record.curves) {
        const Radio4_Curve_Head head = curve.head();
        bytes.append(reinterpret_cast<const char*>(&head), sizeof head);
        bytes.append(reinterpret_cast<const char*>(curve.points.data()),
                     curve.points.size() * sizeof(Radio_Point));
    }
    return bytes;
}

void read_mrs_file(Radio4_Record& record, const char* path, Error_Handler* handler) {
    record.reset();
    const std::string bytes =
        read_data_file(handler, path, {MAX_BINARY_FILE_SIZE, "binary data file"});
    read_mrs_image(record, bytes, handler);
}

void read_mrs_image(Radio4_Record& record, std::string_view image, Error_Handler* handler) {
    record.reset();
    Byte_Reader file(handler, image);
    char header[MRS_HEADER_SIZE];
    file.read(header, sizeof header);
    if (!is_mrs_identifier(header)) {
        refuse(file, handler, MSG_WRONG_FILE_FORMAT,
               "The file does not begin with a version 4 radio file identifier");
    }
    uint32_t stored_size;
    std::memcpy(&stored_size, header + 16, sizeof stored_size);
    if (stored_size > file.bytes_left()) {
        refuse(file, handler, MSG_READ_ERROR_AT_EOF,
               "The header gives a record of " + std::to_string(stored_size) +
                   " bytes, more than the file holds");
    }
    // A longer record is cut to the 923 bytes known here; a shorter one leaves the rest as reset.
    file.read_aligned(reinterpret_cast<char*>(&record.radio_spec), sizeof record.radio_spec, stored_size);
    const int32_t count = record.radio_spec.curve_count;
    record.radio_spec.curve_count = 0;
    if (count < 0) {
        refuse(file, handler, MSG_WRONG_FILE_FORMAT,
               "The record gives a negative curve count of " + std::to_string(count));
    }
    file.checked_count(static_cast<uint32_t>(count), RADIO4_CURVE_HEAD_SIZE);
    for (int32_t i = 0; i < count; ++i) {
        read_curve(file, handler, record);
    }
}

void write_mrs_file(Radio4_Record& record, const char* path, Error_Handler* handler) {
    // The derivations work on a copy, so that a failed write leaves the record as it was.
    Radio4_Record work = record;
    derive_radio4_record(work);
    const std::string bytes = mrs_bytes(work);
    save_atomically(handler, path, [&](const char* temp_path) {
        qvfileio file(handler, temp_path, QV_GENERIC_WRITE, QV_SHARE_NONE);
        file.write(bytes.data(), static_cast<unsigned>(bytes.size()));
    });
    work.remove_derived_curves();
    record = std::move(work);
}
