// What the radio demo programs share: reading the version 5 radio file they show.
#pragma once

#include "error_handler.h"
#include "radio_record.h"
#include "raf_format.h"
#include "syntax_error.h"

#include <cstdio>
#include <string>

namespace kelvor_demo {

// Reads the version 5 ASCII radio file at `path` into `record`; false, with the error shown, when
// it cannot be read.
inline bool read_demo_radio(Radio_Record& record, const std::string& path) {
    Error_Handler handler;
    try {
        read_raf_file(record, path.c_str(), &handler);
    } catch (Error_Handler* raised) {
        raised->show_errormsg(nullptr, false);
        return false;
    } catch (Data_Syntax_Error* error) {
        std::fprintf(stderr, "%s: syntax error on line %d\n", path.c_str(), error->line_number());
        return false;
    }
    return true;
}

} // namespace kelvor_demo
