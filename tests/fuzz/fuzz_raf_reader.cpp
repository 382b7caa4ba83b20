// Fuzz target for the version 5 ASCII radio file: read, write, read again.
//
// Any input may be refused with a syntax or file error, but nothing may crash, and whatever the
// reader accepts must be written as a file that the reader accepts again, with the same curves,
// states and configurations. It also serialises as dump's JSON and is written as the binary and
// the version 4 files a conversion makes, which read back.
#include "error_handler.h"
#include "fuzz_support.h"
#include "radio_fuzz_support.h"
#include "raf_format.h"
#include "radio_record.h"
#include "string_list.h"
#include "syntax_error.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>


namespace {

// Reads `size` bytes as a radio file; false when they were refused.
bool read_text(Radio_Record& record, const char* data, std::size_t size) {
    Error_Handler handler;
    handler.init_fileio("fuzz.raf");
    string_list lines;
    record.reset();
    try {
        lines.set_text(&handler, data, size);
        read_raf_lines(record, lines, "fuzz.raf");
    } catch (Error_Handler*) {
        return false;
    } catch (Data_Syntax_Error*) {
        return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static Radio_Record first;
    static Radio_Record second;
    static Radio_Record third;
    if (!read_text(first, reinterpret_cast<const char*>(data), size)) {
        return 0;
    }
    const std::string text = raf_text(first);
    KELVOR_CHECK(read_text(second, text.data(), text.size()));
    KELVOR_CHECK(second.curves.count() == first.curves.count());
    KELVOR_CHECK(second.acm_table.count() == first.acm_table.count());
    KELVOR_CHECK(second.acu_table.count() == first.acu_table.count());
    for (int i = 0; i < first.curves.count(); ++i) {
        KELVOR_CHECK(second.curves[i].point_count() == first.curves[i].point_count());
        KELVOR_CHECK(second.curves[i].curve_type == first.curves[i].curve_type);
    }
    // What the writer wrote once, it writes the same way again.
    const std::string again = raf_text(second);
    KELVOR_CHECK(read_text(third, again.data(), again.size()));
    KELVOR_CHECK(raf_text(third) == again);

    radio_fuzz::check_json(first);
    radio_fuzz::check_rsd_round_trip(first);
    radio_fuzz::check_v4_conversion(first);
    return 0;
}
