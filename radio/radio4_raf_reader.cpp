// Reading a version 4 ASCII radio file into the version 4 radio record.
#include "radio4_format.h"
#include "radio4_record.h"
#include "radio_record.h"

#include "data_findings.h"
#include "string_list.h"
#include "syntax_error.h"
#include "text_helpers.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace {

// CAPACITY is held in this many characters until the end of the read.
constexpr std::size_t long_capacity_size = 24;

bool begins_with(const char* text, const char* prefix, std::size_t count) {
    return std::strncmp(text, prefix, count) == 0;
}

// Whether `part` of a curve name names a modulation: the radio's own, or one of the families
// that traffic codes are written with (QPSK, 128QAM, 4FSK, GMSK, 64TCM, ...).
bool names_modulation(const std::string& part, const char* own_modulation) {
    if (part.empty()) {
        return false;
    }
    if (equals_nocase(part.c_str(), own_modulation)) {
        return true;
    }
    std::string upper = part;
    fold_upper(upper.data());
    for (const char* family : {"QAM", "PSK", "FSK", "MSK", "TCM", "ASK", "OFDM"}) {
        if (upper.find(family) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// Whether the code of a T/I or IRF curve is a traffic code written with an underscore, as
// older files have them (16E1_QPSK): no hyphen, and a modulation after its first underscore.
// Codes of other radios are radio codes, which often hold underscores (NL90_18G_14M, TETRA_1)
// and are kept as they are.
bool underscored_traffic_code(const char* code, const char* own_modulation) {
    if (std::strchr(code, '-') != nullptr) {
        return false;
    }
    const char* underscore = std::strchr(code, '_');
    if (underscore == nullptr) {
        return false;
    }
    const char* part_end = std::strchr(underscore + 1, '_');
    const std::string part = part_end ? std::string(underscore + 1, part_end)
                                      : std::string(underscore + 1);
    return names_modulation(part, own_modulation);
}

// Points are stored in single precision.
bool fits_float(double value) {
    return value != NOT_SET && std::isfinite(value) &&
           std::fabs(value) <= std::numeric_limits<float>::max();
}

// Reads the decimal number at `text`, after blanks, as "%lf" reads it (but never hexadecimal,
// infinity or not-a-number): true with its value, and `text` moved past it.
bool scan_number(const char*& text, double& value) {
    const char* p = text;
    while (*p != '\0' && std::isspace(static_cast<unsigned char>(*p))) {
        ++p;
    }
    const char* start = p;
    if (*p == '+' || *p == '-') {
        ++p;
    }
    int digits = 0;
    while (std::isdigit(static_cast<unsigned char>(*p))) {
        ++p;
        ++digits;
    }
    if (*p == '.') {
        ++p;
        while (std::isdigit(static_cast<unsigned char>(*p))) {
            ++p;
            ++digits;
        }
    }
    if (digits == 0) {
        return false;
    }
    if (*p == 'e' || *p == 'E') {
        const char* exponent = p + 1;
        if (*exponent == '+' || *exponent == '-') {
            ++exponent;
        }
        if (std::isdigit(static_cast<unsigned char>(*exponent))) {
            while (std::isdigit(static_cast<unsigned char>(*exponent))) {
                ++exponent;
            }
            p = exponent;
        }
    }
    value = text_to_double(std::string(start, p).c_str());
    text = p;
    return true;
}

// DATA_RATE: a number, or the product of two joined by "x" or "X" (4x2.048 is 8.192). An "x"
// with nothing after it gives no value.
double data_rate_of(const char* value) {
    const double first = text_to_double(value);
    const char* times = std::strpbrk(value, "xX");
    if (times == nullptr) {
        return first;
    }
    std::string rest = times + 1;
    strip_space(rest.data());
    if (rest.c_str()[0] == '\0') {
        return NOT_SET;
    }
    const double product = first * text_to_double(rest.c_str());
    return std::isfinite(product) ? product : NOT_SET;
}

void set_double(Radio4_Spec& radio_spec, std::size_t offset, double value) {
    std::memcpy(reinterpret_cast<char*>(&radio_spec) + offset, &value, sizeof value);
}

double get_double(const Radio4_Spec& radio_spec, std::size_t offset) {
    double value;
    std::memcpy(&value, reinterpret_cast<const char*>(&radio_spec) + offset, sizeof value);
    return value;
}

// One content line: stripped, with its 1-based line number.
struct Line {
    std::string text;
    int number = 0;
};

class Raf4_Reader {
public:
    Raf4_Reader(Radio4_Record& record, string_list& lines, std::vector<std::string>* texts_cut)
        : m_record(record), m_lines(lines), m_error(data_syntax_error()), m_texts_cut(texts_cut) {}

    void read();

private:
    [[noreturn]] void fault(int number, const char* what) {
        m_error.raise(number, m_lines[number - 1], what);
    }
    // Moves to the next line that holds something, passing over empty and comment lines;
    // false at the end of the lines or at ENDFIL.
    bool next_line(Line& line);
    // Whether at least `needed` lines that are neither empty nor comments follow. Looks no
    // further than it must.
    bool lines_follow(int needed) const;
    void store(int index, const char* value);
    void read_curve(const std::string& keyword, const char* value, const Line& header);
    // The renaming of the traffic codes once every line is read.
    void finish();
    // Tells a text of `length` characters that a field of `size` bytes holds only in part.
    void tell_cut(const std::string& what, std::size_t length, std::size_t size);

    Radio4_Record& m_record;
    string_list& m_lines;
    Data_Syntax_Error& m_error;
    std::vector<std::string>* m_texts_cut; // null when nobody asks
    int m_position = 0; // index of the next line to look at
    char m_capacity[long_capacity_size] = {};
};

bool Raf4_Reader::next_line(Line& line) {
    while (m_position < m_lines.count()) {
        const int number = ++m_position;
        const char* raw = m_lines[number - 1];
        if (raw[0] == '\r' || raw[0] == '\n') {
            continue;
        }
        line.text = raw;
        strip_space(line.text.data());
        line.text.resize(std::strlen(line.text.c_str()));
        if (line.text.empty() || line.text.compare(0, 2, "//") == 0) {
            continue;
        }
        if (line.text == RAF4_END) {
            return false;
        }
        line.number = number;
        return true;
    }
    return false;
}

bool Raf4_Reader::lines_follow(int needed) const {
    const auto blank = [](const char* text) {
        for (; *text != '\0'; ++text) {
            if (static_cast<unsigned char>(*text) > ' ') {
                return false;
            }
        }
        return true;
    };
    for (int index = m_position; index < m_lines.count() && needed > 0; ++index) {
        const char* raw = m_lines[index];
        if (raw[0] == '\r' || raw[0] == '\n') {
            continue;
        }
        const char* text = raw + std::strspn(raw, " \t");
        if (blank(text) || std::strncmp(text, "//", 2) == 0) {
            continue;
        }
        --needed;
    }
    return needed <= 0;
}

void Raf4_Reader::read() {
    Line line;
    if (!next_line(line)) {
        const int last = m_lines.count();
        m_error.raise(last, last > 0 ? m_lines[last - 1] : nullptr,
                      "no version 4 radio file identifier");
    }
    if (line.text.compare(0, RADIO4_IDENTIFIER_LENGTH, MRS_IDENTIFIER) != 0 &&
        line.text.compare(0, RADIO4_IDENTIFIER_LENGTH, RADIO4_OLD_IDENTIFIER) != 0) {
        fault(line.number, "unknown file identifier");
    }
    while (next_line(line)) {
        const std::size_t end = line.text.find_first_of(" \t");
        const std::string keyword = line.text.substr(0, end);
        std::string value = end == std::string::npos ? std::string() : line.text.substr(end);
        const std::size_t comment = value.find("//");
        if (comment != std::string::npos) {
            value.resize(comment);
        }
        strip_space(value.data());
        value.resize(std::strlen(value.c_str()));
        if (value.empty()) {
            continue;
        }
        const int match = match_raf4_line(keyword.c_str());
        if (match == RAF4_UNKNOWN_LINE) {
            fault(line.number, "unknown keyword");
        }
        if (match == RAF4_CURVE_LINE) {
            read_curve(keyword, value.c_str(), line);
        } else {
            store(match, value.c_str());
        }
    }
    finish();
}

void Raf4_Reader::store(int index, const char* value) {
    const Raf4_Keyword& entry = raf4_keyword(index);
    Radio4_Spec& radio_spec = m_record.radio_spec;
    switch (entry.value) {
    case Raf4_Value::text:
        if (entry.offset == offsetof(Radio4_Spec, capacity)) {
            copy_text(m_capacity, value);
        }
        tell_cut(entry.keyword, std::strlen(value), entry.size);
        copy_text(reinterpret_cast<char*>(&radio_spec) + entry.offset, entry.size, value);
        break;
    case Raf4_Value::number:
    case Raf4_Value::steps:
        set_double(radio_spec, entry.offset, text_to_double(value));
        break;
    case Raf4_Value::data_rate:
        set_double(radio_spec, entry.offset, data_rate_of(value));
        break;
    case Raf4_Value::stability_ppm:
        // Parts per million count only where no percentage was given.
        if (get_double(radio_spec, entry.offset) == NOT_SET) {
            set_double(radio_spec, entry.offset, text_to_double(value) * 0.0001);
        }
        break;
    case Raf4_Value::radio_type: {
        uint8_t type = 0;
        if (begins_with(value, "NB_DIGITAL", 9)) {
            type = RADIO4_NB_DIGITAL;
        } else if (begins_with(value, "PDH", 3)) {
            type = RADIO4_PDH;
        } else if (begins_with(value, "SDH", 3)) {
            type = RADIO4_SDH;
        }
        // The type named replaces the one the record had (a new record is PDH), so that an
        // NB_DIGITAL radio is not written back as PDH.
        if (type != 0) {
            radio_spec.flags = static_cast<uint8_t>((radio_spec.flags & ~RADIO4_TYPE_FLAGS) | type);
        }
        break;
    }
    case Raf4_Value::sd_operation:
        if (begins_with(value, "IFC", 3)) {
            radio_spec.flags |= RADIO4_IF_COMBINER;
        }
        break;
    case Raf4_Value::cochannel:
        if (begins_with(value, "YES", 3)) {
            radio_spec.flags |= RADIO4_COCHANNEL;
        }
        break;
    case Raf4_Value::use_signature:
        if (begins_with(value, "YES", 3)) {
            radio_spec.flags |= RADIO4_USE_SIGNATURE;
        }
        break;
    }
}

void Raf4_Reader::read_curve(const std::string& keyword, const char* value, const Line& header) {
    const int count = text_to_int(value);
    if (count <= 0) {
        return;
    }
    // Points are made room for before they are read: only lines that can be points count.
    if (!lines_follow(count)) {
        fault(header.number, "fewer point lines than the count");
    }
    std::vector<std::pair<float, float>> pairs;
    pairs.reserve(static_cast<std::size_t>(count));
    for (int n = 0; n < count; ++n) {
        Line line;
        if (!next_line(line)) {
            fault(header.number, "fewer point lines than the count");
        }
        std::replace(line.text.begin(), line.text.end(), ',', ' ');
        const char* text = line.text.c_str();
        double offset = 0.0;
        double db = 0.0;
        if (!scan_number(text, offset) || !scan_number(text, db)) {
            fault(line.number, "point line without two numbers");
        }
        if (!fits_float(offset) || !fits_float(db)) {
            fault(line.number, "point value out of range");
        }
        pairs.emplace_back(static_cast<float>(offset), static_cast<float>(db));
    }
    Radio4_Curve curve;
    curve.set_name(keyword.c_str());
    if (is_radio4_derived_name(curve.name)) {
        return; // the masks and the calculated selectivity are made again when they are needed
    }
    tell_cut("curve " + keyword, keyword.size(), sizeof curve.name);
    std::stable_sort(pairs.begin(), pairs.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    curve.points.reserve(pairs.size());
    for (const auto& [offset, db] : pairs) {
        curve.points.push_back(
            {offset, db, static_cast<float>(std::pow(10.0, static_cast<double>(db) / 10.0))});
    }
    curve.x_min = curve.points.front().offset;
    curve.x_max = curve.points.back().offset;
    curve.two_sided = curve.x_min < -0.001f ? 1 : 0;
    m_record.append_curve() = std::move(curve);
}

void Raf4_Reader::tell_cut(const std::string& what, std::size_t length, std::size_t size) {
    if (m_texts_cut != nullptr && length >= size) {
        m_texts_cut->push_back(text_cut_warning(what, size - 1, length - (size - 1)));
    }
}

void Raf4_Reader::finish() {
    Radio4_Spec& radio_spec = m_record.radio_spec;
    // Traffic codes are written capacity-modulation: TtoI_16E1_QPSK becomes TtoI_16E1-QPSK. A
    // code that has its hyphen already stays as it is, so that reading a file again never
    // changes its names further, and so does the code of another radio.
    const std::string own_modulation = radio4_text(radio_spec.modulation);
    for (Radio4_Curve& curve : m_record.curves) {
        std::size_t skip = 0;
        if (starts_with_nocase(curve.name, "TtoI")) {
            skip = 5;
        } else if (starts_with_nocase(curve.name, "IRF")) {
            skip = 4;
        }
        if (skip != 0 && std::strlen(curve.name) > skip &&
            underscored_traffic_code(curve.name + skip, own_modulation.c_str())) {
            *std::strchr(curve.name + skip, '_') = '-';
        }
    }
    // A capacity too long for the record is cut, and the T/I and IRF curves named after it
    // follow.
    if (std::strlen(m_capacity) >= sizeof radio_spec.capacity) {
        const std::string modulation = radio4_text(radio_spec.modulation);
        const std::string old_code = std::string(m_capacity) + "-" + modulation;
        const std::string new_code = radio4_text(radio_spec.capacity) + "-" + modulation;
        for (Radio4_Curve& curve : m_record.curves) {
            for (const char* prefix : {"TtoI_", "IRF_"}) {
                const std::size_t length = std::strlen(prefix);
                if (starts_with_nocase(curve.name, prefix) &&
                    equals_nocase(curve.name + length, old_code.c_str())) {
                    curve.set_name((std::string(curve.name, length) + new_code).c_str());
                }
            }
        }
    }
}

} // namespace

void read_raf4_lines(Radio4_Record& record, string_list& lines, const char* path,
                     std::vector<std::string>* texts_cut) {
    data_syntax_error().start_read(path);
    record.reset();
    Raf4_Reader(record, lines, texts_cut).read();
}

void read_raf4_file(Radio4_Record& record, const char* path, Error_Handler* handler) {
    data_syntax_error().start_read(path);
    record.reset();
    string_list lines(handler, path);
    read_raf4_lines(record, lines, path);
}
