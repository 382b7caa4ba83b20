// What the radio fuzz targets share: the record as dump prints it, and the writers of the other
// formats a conversion takes a record to, each of which must read back.
#pragma once

#include "error_handler.h"
#include "fuzz_support.h"
#include "radio4_conversion.h"
#include "radio4_format.h"
#include "radio4_json.h"
#include "radio4_record.h"
#include "radio_conversion_losses.h"
#include "radio_json.h"
#include "radio_lint.h"
#include "radio_record.h"
#include "raf_format.h"
#include "rsd_format.h"
#include "string_list.h"
#include "syntax_error.h"

#include <string>

namespace radio_fuzz {

// dump's JSON of the record serialises: every text reaches it as UTF-8. The audit and the
// losses of a conversion to the other version take the record too, each warning with its rule.
inline void check_json(const Radio_Record& record) {
    KELVOR_CHECK(!radio_to_json(record).dump().empty());
    for (const Lint_Warning& warning : lint_radio(record)) {
        KELVOR_CHECK(!warning.id.empty() && !warning.text.empty());
    }
    v5_conversion_losses(record, Radio_File_Kind::raf4);
}
inline void check_json(const Radio4_Record& record) {
    KELVOR_CHECK(!radio4_to_json(record).dump().empty());
    for (const Lint_Warning& warning : lint_radio4(record)) {
        KELVOR_CHECK(!warning.id.empty() && !warning.text.empty());
    }
    v4_conversion_losses(record, Radio_File_Kind::raf5);
}

// Reads an .mrs image; false when it was refused.
inline bool read_mrs_bytes(Radio4_Record& record, const std::string& bytes) {
    const std::string path = kelvor_fuzz::scratch_file("round.mrs", bytes.data(), bytes.size());
    Error_Handler handler;
    try {
        read_mrs_file(record, path.c_str(), &handler);
    } catch (Error_Handler*) {
        return false;
    }
    return true;
}

// Reads version 4 ASCII text; false when it was refused.
inline bool read_raf4_text(Radio4_Record& record, const std::string& text) {
    Error_Handler handler;
    handler.init_fileio("fuzz.raf");
    string_list lines;
    try {
        lines.set_text(&handler, text.data(), text.size());
        read_raf4_lines(record, lines, "fuzz.raf");
    } catch (Error_Handler*) {
        return false;
    } catch (Data_Syntax_Error*) {
        return false;
    }
    return true;
}

// The record converted to version 4 as `convert --to mrs` and `--to raf4` write it (without the
// writers' flush to disk, which would only slow the fuzzing): the .mrs file reads back with the
// same curves, and the ASCII file, when the writer takes the record, reads back.
inline void check_v4_conversion(const Radio_Record& record) {
    static Radio4_Record v4;
    static Radio4_Record again;
    convert_v5_to_v4(record, v4);
    check_json(v4);
    if (raf4_unwritable_reason(v4).empty()) {
        KELVOR_CHECK(read_raf4_text(again, raf4_text(v4)));
    }
    derive_radio4_record(v4);
    KELVOR_CHECK(read_mrs_bytes(again, mrs_bytes(v4)));
    check_json(again);
}

// The record written as a binary file (as `convert --to rsd` writes it) reads back with the same
// states and configurations.
inline void check_rsd_round_trip(const Radio_Record& record) {
    static Radio_Record copy;
    static Radio_Record again;
    copy = record;
    const std::string image = rsd_image(copy, false);
    const std::string path = kelvor_fuzz::scratch_file("round.rsd", image.data(), image.size());
    Error_Handler handler;
    again.reset();
    try {
        read_rsd_file(again, path.c_str(), &handler);
    } catch (Error_Handler*) {
        KELVOR_CHECK(false && "the written binary file does not read back");
    }
    KELVOR_CHECK(again.acm_table.count() == record.acm_table.count());
    KELVOR_CHECK(again.acu_table.count() == record.acu_table.count());
    check_json(again);
}

// Curves that hold points: a curve without any is written as its header alone and not read back.
inline int curves_with_points(const Radio_Record& record) {
    int count = 0;
    for (const Radio_Curve& curve : record.curves) {
        count += curve.point_count() > 0;
    }
    return count;
}

// The record converted to version 5 as `convert --to raf` and `--to rsd` write it: the ASCII text
// reads back with the curves that hold points, and the binary file reads back.
inline void check_v5_conversion(const Radio4_Record& record) {
    static Radio_Record v5;
    static Radio_Record again;
    std::vector<std::string> passed_over;
    convert_v4_to_v5(record, v5, passed_over);
    check_json(v5);
    const std::string text = raf_text(v5);
    Error_Handler handler;
    handler.init_fileio("fuzz.raf");
    string_list lines;
    again.reset();
    try {
        lines.set_text(&handler, text.data(), text.size());
        read_raf_lines(again, lines, "fuzz.raf");
    } catch (Error_Handler*) {
        KELVOR_CHECK(false && "the converted ASCII file is not text");
    } catch (Data_Syntax_Error*) {
        KELVOR_CHECK(false && "the converted ASCII file has a syntax error");
    }
    KELVOR_CHECK(curves_with_points(again) == curves_with_points(v5));
    check_rsd_round_trip(v5);
}

} // namespace radio_fuzz
