// Reading and writing radio files from texts in the tests.
#pragma once

#include "error_handler.h"
#include "raf_format.h"
#include "radio_record.h"
#include "syntax_error.h"
#include "test_support.h"

#include <string>

namespace kelvor_test {

// Lines joined with CR LF, as the radio files are written.
inline std::string crlf(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

// A syntax fault as the reader reported it.
struct Fault {
    int line = 0;
    std::string text;
    std::string what;
};

class Raf_Fixture {
public:
    // Reads `body` as a .raf file into `record` (reset first); false when a syntax error was raised.
    bool read(const std::string& body) {
        record.reset();
        const std::string path = dir.write("radio.raf", body);
        try {
            read_raf_file(record, path.c_str(), &handler);
        } catch (Data_Syntax_Error* error) {
            fault = {error->line_number(), error->line_text() ? error->line_text() : "",
                     error->fault()};
            return false;
        }
        return true;
    }

    // Reads `body`, expecting a syntax error; returns it.
    Fault fault_of(const std::string& body) {
        fault = {};
        if (read(body)) {
            fault.line = -100;
        }
        return fault;
    }

    std::string written() { return raf_text(record); }

    Temp_Dir dir;
    Error_Handler handler;
    Radio_Record record;
    Fault fault;
};

// The identifier line followed by `lines` and ENDFIL.
inline std::string v4_file(std::initializer_list<const char*> lines) {
    std::string text = "QV50_ASCII_RADIO_SPEC_04\r\n";
    for (const char* line : lines) {
        text += line;
        text += "\r\n";
    }
    return text + "ENDFIL\r\n";
}

} // namespace kelvor_test
