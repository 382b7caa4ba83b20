// Building version 4 radio files in the tests: ASCII texts and .mrs bytes laid out by hand.
#pragma once

#include "error_handler.h"
#include "radio4_format.h"
#include "radio4_record.h"
#include "syntax_error.h"
#include "test_support.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace kelvor_test {

// The version 4 ASCII identifier line, `lines`, and ENDFIL, each ended by CR LF.
inline std::string raf4_file(std::initializer_list<const char*> lines) {
    std::string text = "QVW40_RADIOSPEC\r\n";
    for (const char* line : lines) {
        text += line;
        text += "\r\n";
    }
    return text + "ENDFIL\r\n";
}

// A record of `size` bytes, laid out field by field at the offsets of the format: all zero
// except what the test puts in with the setters.
class Mrs_Record_Bytes {
public:
    explicit Mrs_Record_Bytes(std::size_t size = 923) : m_bytes(size, '\0') {}

    Mrs_Record_Bytes& text(std::size_t offset, const std::string& value) {
        std::memcpy(m_bytes.data() + offset, value.data(), value.size());
        return *this;
    }
    Mrs_Record_Bytes& number(std::size_t offset, double value) {
        return text(offset, le_bytes(value));
    }
    Mrs_Record_Bytes& curve_count(int32_t count) { return text(520, le_bytes(count)); }
    Mrs_Record_Bytes& flags(uint8_t value) {
        m_bytes[524] = static_cast<char>(value);
        return *this;
    }
    const std::string& bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};

// Appends a curve of `name` with the points given as offset, level pairs.
inline Radio4_Curve& add_curve(Radio4_Record& record, const char* name,
                               std::initializer_list<double> pairs) {
    Radio4_Curve& curve = record.append_curve();
    curve.set_name(name);
    const std::vector<double> values(pairs);
    set_curve_points(curve, static_cast<int>(values.size() / 2), values.data());
    return curve;
}

// One curve as the .mrs file stores it: the 45-byte head, then offset, dB and linear per point.
inline std::string mrs_curve(const std::string& name, const std::vector<std::pair<float, float>>& points,
                             uint32_t stored_count = UINT32_MAX, float linear = 1.0f) {
    std::string head(24, '\0');
    std::memcpy(head.data(), name.data(), std::min<std::size_t>(name.size(), 24));
    head += le_bytes(points.empty() ? 0.0f : points.front().first);
    head += le_bytes(points.empty() ? 0.0f : points.back().first);
    head += le_bytes(222.222);
    head += '\0';
    head += le_bytes(stored_count == UINT32_MAX ? static_cast<uint32_t>(points.size()) : stored_count);
    for (const auto& [offset, db] : points) {
        head += le_bytes(offset) + le_bytes(db) + le_bytes(linear);
    }
    return head;
}

// The 20-byte header: the identifier NUL-padded to 16 bytes and the record size.
inline std::string mrs_header(const std::string& identifier = "QVW401RADIOSPEC",
                              uint32_t record_size = 923) {
    std::string header(16, '\0');
    std::memcpy(header.data(), identifier.data(), identifier.size());
    return header + le_bytes(record_size);
}

// A syntax fault as the reader reported it.
struct Raf4_Fault {
    int line = 0;
    std::string text;
    std::string what;
};

class Radio4_Fixture {
public:
    // Reads `body` as a version 4 ASCII file; false when a syntax error was raised.
    bool read_raf4(const std::string& body) {
        const std::string path = dir.write("radio4.raf", body);
        try {
            read_raf4_file(record, path.c_str(), &handler);
        } catch (Data_Syntax_Error* error) {
            fault = {error->line_number(), error->line_text() ? error->line_text() : "",
                     error->fault()};
            return false;
        }
        return true;
    }

    // Reads `body`, expecting a syntax error; returns it.
    Raf4_Fault fault_of(const std::string& body) {
        fault = {};
        if (read_raf4(body)) {
            fault.line = -100;
        }
        return fault;
    }

    // Reads `bytes` as an .mrs file; the handler's code when it was refused, else 0.
    int read_mrs(const std::string& bytes) {
        const std::string path = dir.write("radio4.mrs", bytes);
        try {
            read_mrs_file(record, path.c_str(), &handler);
        } catch (Error_Handler*) {
            return handler.get_error_code();
        }
        return 0;
    }

    std::string info() const { return handler.get_info_text() ? handler.get_info_text() : ""; }

    std::vector<std::string> curve_names() const {
        std::vector<std::string> names;
        for (const Radio4_Curve& curve : record.curves) {
            names.emplace_back(curve.name);
        }
        return names;
    }

    Temp_Dir dir;
    Error_Handler handler;
    Radio4_Record record;
    Raf4_Fault fault;
};

} // namespace kelvor_test
