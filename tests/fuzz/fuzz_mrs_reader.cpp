// Fuzz target for the binary version 4 radio file (.mrs): read, write both forms, read again.
//
// Any input may be refused, but nothing may crash or allocate beyond what the file holds. A record
// the reader accepts must hold no derived curve; written again as it stands it must read back to
// the same record; with the derivations it must read back with the same curves; and when
// the ASCII writer takes it, its ASCII form must read back with the same curves. Converted to
// version 5, it is written as files that read back.
#include "error_handler.h"
#include "fuzz_support.h"
#include "radio_fuzz_support.h"
#include "radio4_format.h"
#include "radio4_json.h"
#include "radio4_record.h"
#include "string_list.h"
#include "syntax_error.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>


namespace {

const std::string& scratch_path() {
    static const std::string path = kelvor_fuzz::scratch_path("input.mrs");
    return path;
}

void write_scratch(const char* data, std::size_t size) {
    kelvor_fuzz::scratch_file("input.mrs", data, size);
}

bool read_scratch(Radio4_Record& record) {
    Error_Handler handler;
    try {
        read_mrs_file(record, scratch_path().c_str(), &handler);
    } catch (Error_Handler*) {
        return false;
    }
    return true;
}

std::vector<std::string> names_of(const Radio4_Record& record) {
    std::vector<std::string> names;
    for (const Radio4_Curve& curve : record.curves) {
        KELVOR_CHECK(!is_radio4_derived_name(curve.name));
        names.push_back(radio4_text(curve.name));
    }
    KELVOR_CHECK(record.radio_spec.curve_count == record.curves.count());
    return names;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static Radio4_Record first;
    static Radio4_Record second;
    write_scratch(reinterpret_cast<const char*>(data), size);
    if (!read_scratch(first)) {
        return 0;
    }
    const std::vector<std::string> names = names_of(first);

    // As it stands, the record reads back unchanged.
    const std::string bytes = mrs_bytes(first);
    write_scratch(bytes.data(), bytes.size());
    KELVOR_CHECK(read_scratch(second));
    KELVOR_CHECK(mrs_bytes(second) == bytes);
    KELVOR_CHECK(radio4_to_json(second).dump() == radio4_to_json(first).dump());

    // With the derivations the writer makes (written here without the writer's flush to disk,
    // which would only slow the fuzzing), it reads back with the same curves and none of the
    // derived.
    Radio4_Record derived = second;
    derive_radio4_record(derived);
    const std::string written = mrs_bytes(derived);
    write_scratch(written.data(), written.size());
    KELVOR_CHECK(read_scratch(second));
    KELVOR_CHECK(names_of(second) == names);

    // The ASCII form, when the writer takes the record, reads back with the curves that have
    // points.
    if (raf4_unwritable_reason(first).empty()) {
        KELVOR_CHECK(radio_fuzz::read_raf4_text(second, raf4_text(first)));
        int with_points = 0;
        for (const Radio4_Curve& curve : first.curves) {
            with_points += curve.point_count() > 0;
        }
        KELVOR_CHECK(second.curves.count() == with_points);
    }
    radio_fuzz::check_v5_conversion(first);
    return 0;
}
