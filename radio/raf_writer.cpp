// Writing a radio record as a version 04 ASCII radio file.
#include "raf_format.h"
#include "raf_tables.h"
#include "radio_record.h"

#include "qvfileio.h"
#include "save_atomically.h"

#include <cmath>
#include <cstring>
#include <string>

namespace {

constexpr std::size_t max_field = 47;

// A text field: made safe for the line, cut to the field's 47 characters.
std::string field(const std::string& value, bool in_list = false) {
    std::string text = raf_safe_text(value, in_list);
    if (text.size() > max_field) {
        text.resize(max_field);
    }
    return text;
}

class Raf_Writer {
public:
    explicit Raf_Writer(const Radio_Record& record) : m_record(record) {}

    std::string write();

private:
    // Adds one line; a line is cut to the format's 255 characters.
    void line(std::string text) {
        if (text.size() > RAF_MAX_LINE) {
            text.resize(RAF_MAX_LINE);
        }
        m_text += text;
        m_text += "\r\n";
    }
    static std::string key(int row) { return std::string(raf_keyword(row).keyword) + ":\t"; }
    std::string cell_text(int row, int index) const;
    void values_row(int row);
    void curve_blocks();

    const Radio_Record& m_record;
    std::string m_text;
};

std::string Raf_Writer::write() {
    line(RAF_IDENTIFIERS[3]);
    for (int row = 0; row < RAF_ROW_COUNT; ++row) {
        const Raf_Keyword& entry = raf_keyword(row);
        switch (entry.kind) {
        case Raf_Row_Kind::heading:
            line(entry.note != nullptr ? entry.note : std::string("// ") + entry.keyword);
            break;
        case Raf_Row_Kind::values:
            values_row(row);
            break;
        case Raf_Row_Kind::acm_count:
            line(key(row) + std::to_string(m_record.acm_table.count()));
            for (const std::string& text : acm_rows(m_record.acm_table)) {
                line(text);
            }
            break;
        case Raf_Row_Kind::acu_count:
            line(entry.note);
            line(key(row) + std::to_string(m_record.acu_table.count()));
            for (const std::string& text : acu_rows(m_record.acu_table)) {
                line(text);
            }
            break;
        }
    }
    curve_blocks();
    line(RAF_END);
    return std::move(m_text);
}

// The keyword, the cells joined by ", " and the row's note.
void Raf_Writer::values_row(int row) {
    const Raf_Keyword& entry = raf_keyword(row);
    std::string text = key(row);
    for (int i = 0; i < entry.cells; ++i) {
        text += (i ? ", " : "") + cell_text(row, i);
    }
    if (entry.note != nullptr) {
        text += entry.note;
    }
    line(text);
}

std::string Raf_Writer::cell_text(int row, int index) const {
    const Raf_Keyword& entry = raf_keyword(row);
    const Raf_Cell cell = raf_cell(m_record, row, index);
    if (cell.text != nullptr) {
        // In a list a comma would split the field.
        return field(std::string(cell.text, ::strnlen(cell.text, cell.size)), entry.cells > 1);
    }
    if (cell.number != nullptr) {
        return raf_double(*cell.number);
    }
    if (cell.integer != nullptr) {
        return raf_integer(*cell.integer);
    }
    const int shift = (entry.rules & RAF_ONE_BASED) != 0 ? 1 : 0;
    return std::to_string(*cell.code + shift);
}

void Raf_Writer::curve_blocks() {
    for (const Radio_Curve& curve : m_record.curves) {
        if (is_derived_type(curve.curve_type)) {
            continue;
        }
        std::string header = curve_type_name(curve.curve_type) + ":\t" +
                             std::to_string(curve.point_count());
        if (is_state_type(curve.curve_type) && curve.first_code() != nullptr) {
            header += ", " + raf_safe_text(curve.first_code(), true);
        } else if (carries_codes(curve.curve_type)) {
            // Every code that fits the line; a code is never cut in half.
            for (const std::string& code : curve.interfering_codes) {
                const std::string safe = raf_safe_text(code, true);
                if (header.size() + 2 + safe.size() > RAF_MAX_LINE) {
                    break;
                }
                header += ", " + safe;
            }
        }
        line(header);
        for (const Radio_Point& point : curve.points) {
            line(raf_point(point.offset) + ", " + raf_point(point.db));
        }
    }
}

} // namespace

namespace {

// The most decimals the writer adds to keep a value that two decimals would change.
constexpr int max_extra_precision = 10;

// `value` with two decimals, as the format writes numbers, or with as many more as it takes to
// read back the same value: two decimals would turn a 12.5 kHz channel (0.0125 MHz) into
// 0.01 MHz and put the points of a narrow-band curve on top of each other. Values that two
// decimals hold are written exactly as the format has always written them.
template <typename Number>
std::string precise(Number value, std::string (*format)(double, int)) {
    std::string text = format(value, 2);
    for (int precision = 3; precision <= max_extra_precision; ++precision) {
        if (static_cast<Number>(text_to_double(text.c_str())) == value) {
            break;
        }
        text = format(value, precision);
    }
    return text;
}

} // namespace

std::string raf_double(double value) {
    if (value == NOT_SET) {
        return {};
    }
    if (value == 0.0) {
        return "0.00";
    }
    if (std::fabs(value) < 0.005) {
        return precise(value, format_exponent);
    }
    std::string text = precise(value, format_fixed);
    // Beyond the field's 47 characters (values of 1e44 and up) only the exponent form fits.
    return text.size() <= max_field ? text : precise(value, format_exponent);
}

std::string raf_point(float value) { return precise(value, format_fixed); }

std::string raf_integer(int value) {
    if (value == -1 || value == 222 || value == 0) {
        return {};
    }
    return std::to_string(value);
}

std::string raf_text(const Radio_Record& record) { return Raf_Writer(record).write(); }

void write_raf_file(const Radio_Record& record, const char* path, Error_Handler* handler) {
    save_atomically(handler, path, raf_text(record));
}
