// What the antenna fuzz targets share: a scratch file per process for the readers, which take
// paths; the record's promises, checked after every read; dump's JSON of the record; and
// write -> read round trips.
#pragma once

#include "antenna_binary.h"
#include "antenna_conversion.h"
#include "antenna_json.h"
#include "antenna_lint.h"
#include "antenna_open.h"
#include "antenna_record.h"
#include "byte_reader.h"
#include "error_handler.h"
#include "fuzz_support.h"
#include "nsma_format.h"
#include "qvfileio.h"
#include "syntax_error.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace antenna_fuzz {

using kelvor_fuzz::scratch_file;
using kelvor_fuzz::scratch_path;

template <std::size_t N>
bool terminated(const char (&field)[N]) {
    return std::memchr(field, '\0', N) != nullptr;
}

// The promises every reader keeps for the record it fills, also after a failed read.
inline void check_record(const Antenna_Record& record) {
    const Antenna_Spec& s = record.antenna_spec;
    KELVOR_CHECK(terminated(s.magic) && terminated(s.manufacturer) && terminated(s.model) &&
                 terminated(s.description) && terminated(s.file_name) && terminated(s.date));
    const Nsma_Header& h = record.header;
    KELVOR_CHECK(terminated(h.revision_number) && terminated(h.comment1) &&
                 terminated(h.gain_units_text) && terminated(h.feed_orientation_text) &&
                 terminated(h.pattern_id) && terminated(h.field4));
    for (int slot = 0; slot < PATTERN_SLOTS; ++slot) {
        const auto points = record.cut(slot);
        KELVOR_CHECK(s.cut_points[slot] == static_cast<int32_t>(points.size()));
        for (std::size_t i = 0; i < points.size(); ++i) {
            KELVOR_CHECK(std::isfinite(points[i].angle) && std::isfinite(points[i].attenuation));
            KELVOR_CHECK(i == 0 || points[i - 1].angle <= points[i].angle);
        }
    }
}

inline bool same_cuts(const Antenna_Record& a, const Antenna_Record& b) {
    for (int slot = 0; slot < PATTERN_SLOTS; ++slot) {
        const auto pa = a.cut(slot);
        const auto pb = b.cut(slot);
        if (pa.size() != pb.size() ||
            (!pa.empty() && std::memcmp(pa.data(), pb.data(), pa.size_bytes()) != 0)) {
            return false;
        }
    }
    return true;
}

inline std::string nsma_text(const Antenna_Record& record) {
    std::string text;
    write_nsma_file(record, text);
    return text;
}

// Writes the record as NSMA text and reads it back, which must succeed. Returns the text of the
// record read back, which must be what it was read from: a written file is its own result.
inline std::string check_nsma_round_trip(const Antenna_Record& record) {
    static Antenna_Record again;
    static Antenna_Record third;
    Error_Handler handler;
    const std::string path = scratch_path("round.adf");
    save_nsma_file(record, &handler, path.c_str());
    KELVOR_CHECK(read_nsma_file(again, &handler, path.c_str()) == Nsma_Read_Result::nsma);
    check_record(again);
    for (int slot = 0; slot < PATTERN_SLOTS; ++slot) {
        KELVOR_CHECK(again.cut(slot).size() == record.cut(slot).size());
    }
    const std::string second = nsma_text(again);
    save_nsma_file(again, &handler, path.c_str());
    KELVOR_CHECK(read_nsma_file(third, &handler, path.c_str()) == Nsma_Read_Result::nsma);
    KELVOR_CHECK(nsma_text(third) == second);
    return second;
}

// Writes the record as .asd and reads it back: the header and the cuts come back byte for byte.
inline void check_asd_round_trip(Antenna_Record& record) {
    static Antenna_Record again;
    Error_Handler handler;
    const std::string path = scratch_path("round.asd");
    write_asd_file(record, &handler, path.c_str());
    again.reset_antenna_record();
    {
        const std::string bytes =
            read_data_file(&handler, path.c_str(), {MAX_BINARY_FILE_SIZE, "binary data file"});
        Byte_Reader file(&handler, bytes);
        KELVOR_CHECK(read_antenna_binary(file, again) == Antenna_Kind::asd);
    }
    KELVOR_CHECK(
        std::memcmp(&again.antenna_spec, &record.antenna_spec, sizeof record.antenna_spec) == 0);
    KELVOR_CHECK(same_cuts(again, record));
}

// Writes the record as .mas, when its cuts fit the version 4 format, and reads it back: the cuts,
// the model and the frequencies come back as they were.
inline void check_mas_round_trip(const Antenna_Record& record) {
    for (int slot = 0; slot < PATTERN_SLOTS; ++slot) {
        if (record.cut(slot).size() > static_cast<std::size_t>(MAX_V4_POINTS)) {
            return;
        }
    }
    static Antenna_Record again;
    Error_Handler handler;
    const std::string path = scratch_path("round.mas");
    write_mas_file(record, &handler, path.c_str());
    again.reset_antenna_record();
    {
        const std::string bytes =
            read_data_file(&handler, path.c_str(), {MAX_BINARY_FILE_SIZE, "binary data file"});
        Byte_Reader file(&handler, bytes);
        KELVOR_CHECK(read_antenna_binary(file, again) == Antenna_Kind::mas);
    }
    check_record(again);
    KELVOR_CHECK(same_cuts(again, record));
    KELVOR_CHECK(std::strncmp(again.antenna_spec.model, record.antenna_spec.model, 23) == 0);
    KELVOR_CHECK(
        std::memcmp(&again.antenna_spec.low_frequency, &record.antenna_spec.low_frequency, 8) == 0);
}

// dump's JSON of the record serialises: every text reaches it as UTF-8. The audit and the
// losses of the conversions take the record too, each warning with its rule.
inline void check_json(const Antenna_Record& record) {
    KELVOR_CHECK(!antenna_to_json(record).dump().empty());
    for (const Lint_Warning& warning : lint_antenna(record)) {
        KELVOR_CHECK(!warning.id.empty() && !warning.text.empty());
    }
    for (const Antenna_Kind target : {Antenna_Kind::asd, Antenna_Kind::mas, Antenna_Kind::nsma}) {
        antenna_conversion_losses(record, target);
    }
}

} // namespace antenna_fuzz
