// Fuzz target for the version 4 ASCII radio file: read, write, read again, and through an .mrs.
//
// Any input may be refused with a syntax or file error, but nothing may crash. Whatever the reader
// accepts must be written as a file that the reader accepts again with the same curves, and what
// the writer wrote once it writes the same way again. Written as an .mrs file, the record must
// read back with the same curves. The record also serialises as dump's JSON, and converted to
// version 5 it is written as files that read back.
#include "error_handler.h"
#include "fuzz_support.h"
#include "radio_fuzz_support.h"
#include "radio4_format.h"
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

struct Curve_Shape {
    std::string name;
    int points;
    bool operator==(const Curve_Shape&) const = default;
};

std::vector<Curve_Shape> shapes_of(const Radio4_Record& record) {
    std::vector<Curve_Shape> shapes;
    for (const Radio4_Curve& curve : record.curves) {
        KELVOR_CHECK(!is_radio4_derived_name(curve.name));
        shapes.push_back({radio4_text(curve.name), curve.point_count()});
    }
    KELVOR_CHECK(record.radio_spec.curve_count == record.curves.count());
    return shapes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static Radio4_Record first;
    static Radio4_Record second;
    static Radio4_Record third;
    const std::string input(reinterpret_cast<const char*>(data), size);
    if (!radio_fuzz::read_raf4_text(first, input)) {
        return 0;
    }
    const std::vector<Curve_Shape> shapes = shapes_of(first);
    radio_fuzz::check_json(first);
    KELVOR_CHECK(raf4_unwritable_reason(first).empty());
    const std::string text = raf4_text(first);
    KELVOR_CHECK(radio_fuzz::read_raf4_text(second, text));
    KELVOR_CHECK(shapes_of(second) == shapes);
    const std::string again = raf4_text(second);
    KELVOR_CHECK(radio_fuzz::read_raf4_text(third, again));
    KELVOR_CHECK(raf4_text(third) == again);

    // Through the binary file, with the derivations the writer makes (written here without the
    // writer's flush to disk, which would only slow the fuzzing).
    derive_radio4_record(third);
    const std::string bytes = mrs_bytes(third);
    const std::string path = kelvor_fuzz::scratch_file("round.mrs", bytes.data(), bytes.size());
    Error_Handler handler;
    try {
        read_mrs_file(second, path.c_str(), &handler);
    } catch (Error_Handler*) {
        KELVOR_CHECK(false);
    }
    KELVOR_CHECK(shapes_of(second) == shapes);
    radio_fuzz::check_v5_conversion(first);
    return 0;
}
