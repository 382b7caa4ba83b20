// Fuzz target for the version 5 binary radio file: read, write both forms, read again.
//
// Any input may be refused, but nothing may crash or allocate beyond what the file holds, and a
// record the reader accepts must be written as binary and ASCII files that read back with the
// same curves, states and configurations. It also serialises as dump's JSON and converts to the
// version 4 files, which read back.
#include "error_handler.h"
#include "fuzz_support.h"
#include "radio_fuzz_support.h"
#include "raf_format.h"
#include "radio_record.h"
#include "rsd_format.h"
#include "string_list.h"
#include "syntax_error.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>


namespace {

bool read_bytes_as_rsd(Radio_Record& record, const char* data, std::size_t size) {
    Error_Handler handler;
    const std::string path = kelvor_fuzz::scratch_file("input.rsd", data, size);
    record.reset();
    try {
        read_rsd_file(record, path.c_str(), &handler);
    } catch (Error_Handler*) {
        return false;
    }
    return true;
}

int curves_with_points(const Radio_Record& record) {
    int count = 0;
    for (const Radio_Curve& curve : record.curves) {
        count += curve.point_count() >= 2;
    }
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static Radio_Record first;
    static Radio_Record second;
    if (!read_bytes_as_rsd(first, reinterpret_cast<const char*>(data), size)) {
        return 0;
    }
    for (const Radio_Curve& curve : first.curves) {
        KELVOR_CHECK(!is_derived_type(curve.curve_type));
        KELVOR_CHECK(curve.curve_type < CURVE_TYPE_COUNT);
    }
    radio_fuzz::check_json(first);
    radio_fuzz::check_v4_conversion(first);

    // The ASCII form of whatever the binary file held reads back.
    const std::string text = raf_text(first);
    Error_Handler handler;
    handler.init_fileio("fuzz.raf");
    string_list lines;
    second.reset();
    try {
        lines.set_text(&handler, text.data(), text.size());
        read_raf_lines(second, lines, "fuzz.raf");
    } catch (Error_Handler*) {
        KELVOR_CHECK(false && "the written ASCII file is not text");
    } catch (Data_Syntax_Error* error) {
        std::fprintf(stderr, "line %d: %s: %s\n", error->line_number(), error->fault().c_str(),
                     error->line_text() ? error->line_text() : "");
        KELVOR_CHECK(false && "the written ASCII file has a syntax error");
    }
    KELVOR_CHECK(second.acm_table.count() == first.acm_table.count());
    KELVOR_CHECK(second.acu_table.count() == first.acu_table.count());

    // And the binary form written again reads back.
    const int kept = curves_with_points(first);
    const std::string image = rsd_image(first, false);
    KELVOR_CHECK(read_bytes_as_rsd(second, image.data(), image.size()));
    KELVOR_CHECK(second.curves.count() == kept);
    KELVOR_CHECK(second.acm_table.count() == first.acm_table.count());
    return 0;
}
