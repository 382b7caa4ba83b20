// Helpers of the antenna tests: NSMA texts line by line, byte images of binary files built from
// their layout tables, and catching what a reader raises.
#pragma once

#include "antenna_record.h"
#include "error_handler.h"
#include "syntax_error.h"
#include "test_support.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace antenna_test {

// The revision line NSMA files begin with.
inline const std::string revnum = "REVNUM:,NSMA WG16.99.050";

// The scratch folder, handler and record of most antenna tests.
class Antenna_Fixture : public testing::Test {
protected:
    kelvor_test::Temp_Dir dir;
    Error_Handler handler;
    Antenna_Record record;
};

// Lines joined with CR LF line ends, as the files are written.
inline std::string lines(const std::vector<std::string>& text) {
    std::string joined;
    for (const std::string& line : text) {
        joined += line;
        joined += "\r\n";
    }
    return joined;
}

// What a read raised.
struct Raised {
    bool syntax = false;
    bool file = false;
    std::string report; // the syntax report without "Continue?", or the file error's text
    int code = 0;       // the file error's catalogue code
};

// Runs `work` and tells what it raised, if anything.
inline Raised raised_by(const std::function<void()>& work) {
    Raised result;
    try {
        work();
    } catch (Data_Syntax_Error* error) {
        result.syntax = true;
        result.report = format_syntax_error(*error, false);
    } catch (Error_Handler* handler) {
        result.file = true;
        result.code = handler->get_error_code();
        result.report = handler->get_errormsg() ? handler->get_errormsg() : "";
    }
    return result;
}

// A byte image of a binary record, filled field by field at the offsets of its layout table.
class Byte_Image {
public:
    explicit Byte_Image(std::size_t size) : m_bytes(size, '\0') {}

    Byte_Image& text(std::size_t offset, const std::string& value) {
        std::memcpy(&m_bytes[offset], value.data(), value.size());
        return *this;
    }
    Byte_Image& f64(std::size_t offset, double value) { return put(offset, value); }
    Byte_Image& i32(std::size_t offset, int32_t value) { return put(offset, value); }
    Byte_Image& i16(std::size_t offset, int16_t value) { return put(offset, value); }
    Byte_Image& u8(std::size_t offset, uint8_t value) { return put(offset, value); }
    // Appends point pairs of 32-bit floats after the record.
    Byte_Image& points(std::initializer_list<std::pair<float, float>> pairs) {
        for (const auto& [angle, attenuation] : pairs) {
            append(angle);
            append(attenuation);
        }
        return *this;
    }
    // Appends `count` points with angles first, first + 1, ... and attenuation `attenuation`.
    Byte_Image& point_run(int count, float first, float attenuation) {
        for (int i = 0; i < count; ++i) {
            append(first + static_cast<float>(i));
            append(attenuation);
        }
        return *this;
    }

    const std::string& bytes() const { return m_bytes; }

private:
    template <typename T>
    Byte_Image& put(std::size_t offset, T value) {
        std::memcpy(&m_bytes[offset], &value, sizeof value);
        return *this;
    }
    template <typename T>
    void append(T value) {
        m_bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    std::string m_bytes;
};

inline std::vector<std::pair<float, float>> points_of(const Antenna_Record& record, int slot) {
    std::vector<std::pair<float, float>> result;
    for (const Pattern_Point& point : record.cut(slot)) {
        result.emplace_back(point.angle, point.attenuation);
    }
    return result;
}

// The folder of the committed test inputs.
inline std::string data_path(const std::string& name) {
    const char* root = std::getenv("KELVOR_TEST_DATA");
    return std::string(root ? root : "tests/data") + "/antenna/" + name;
}

} // namespace antenna_test
