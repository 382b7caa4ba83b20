// Reading and writing NSMA antenna text files.
#include "nsma_format.h"

#include "antenna_text.h"
#include "error_handler.h"
#include "headerless_pattern.h"
#include "message_catalogue.h"
#include "nsma_keywords.h"
#include "save_atomically.h"
#include "string_list.h"
#include "syntax_error.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr double dbi_to_dbd = 2.15;
constexpr double feet_to_metres = 0.3048;

// Refuses a file that is neither of the two layouts this reader knows; the record stays reset.
[[noreturn]] void refuse_file(Antenna_Record& record, Error_Handler* handler, const char* path,
                              const char* why) {
    record.reset_antenna_record();
    handler->init(ET_ERROR, MSG_WRONG_FILE_FORMAT, path);
    handler->set_info_buff(why);
    throw handler;
}

struct Text_Field {
    char* text;
    std::size_t size;
};
template <std::size_t N>
Text_Field field(char (&text)[N]) {
    return {text, N};
}

// The record's text field of a text row; a null text for other rows.
Text_Field text_field(Antenna_Record& r, int row) {
    Nsma_Header& h = r.header;
    Antenna_Spec& s = r.antenna_spec;
    switch (row) {
    case ROW_REVNUM:
        return field(h.revision_number);
    case ROW_REVDAT:
        return field(h.revision_date);
    case ROW_COMNT1:
        return field(h.comment1);
    case ROW_COMNT2:
        return field(h.comment2);
    case ROW_ANTMAN:
        return field(s.manufacturer);
    case ROW_MODNUM:
        return field(s.model);
    case ROW_FILNUM:
        return field(h.pattern_file_number);
    case ROW_PATNUM:
        return field(h.pattern_id);
    case ROW_DESCR1:
        return field(s.description);
    case ROW_DESCR2:
        return field(h.description2);
    case ROW_DESCR3:
        return field(h.description3);
    case ROW_DESCR4:
        return field(h.description4);
    case ROW_DESCR5:
        return field(h.description5);
    case ROW_DTDATA:
        return field(s.date);
    case ROW_CONTYP:
        return field(h.connector_type);
    case ROW_FIELD1:
        return field(h.field1);
    case ROW_FIELD2:
        return field(h.field2);
    case ROW_FIELD3:
        return field(h.field3);
    case ROW_FIELD4:
        return field(h.field4);
    default:
        return {nullptr, 0};
    }
}

const char* text_field(const Antenna_Record& r, int row) {
    return text_field(const_cast<Antenna_Record&>(r), row).text;
}

// The record's double of a real row, except MDGAIN (two fields); null for other rows.
double* real_field(Antenna_Record& r, int row) {
    Nsma_Header& h = r.header;
    Antenna_Spec& s = r.antenna_spec;
    switch (row) {
    case ROW_LOWFRQ:
        return &s.low_frequency;
    case ROW_HGHFRQ:
        return &s.high_frequency;
    case ROW_LWGAIN:
        return &h.low_band_gain;
    case ROW_HGGAIN:
        return &h.high_band_gain;
    case ROW_AZWIDT:
        return &s.azimuth_beamwidth;
    case ROW_ELWIDT:
        return &s.elevation_beamwidth;
    case ROW_ATVSWR:
        return &h.vswr;
    case ROW_FRTOBA:
        return &h.front_to_back;
    case ROW_ELTILT:
        return &s.electrical_tilt;
    case ROW_RADCTR:
        return &h.radiation_center;
    case ROW_POTOPO:
        return &h.port_isolation;
    case ROW_MAXPOW:
        return &h.max_power;
    case ROW_ANTLEN:
        return &s.antenna_size;
    case ROW_ANTWID:
        return &h.width;
    case ROW_ANTDEP:
        return &h.depth;
    case ROW_ANTWGT:
        return &h.weight;
    case ROW_PATFRE:
        return &h.pattern_frequency;
    default:
        return nullptr;
    }
}

double real_value(const Antenna_Record& r, int row) {
    return *real_field(const_cast<Antenna_Record&>(r), row);
}

// The reader's working copy of a line: at most 255 characters, so longer lines are refused
// before they are copied.
std::string checked_line(const string_list& lines, int index) {
    const char* line = lines[index];
    if (std::strlen(line) > MAX_LINE_LENGTH) {
        data_syntax_error().raise(index + 1, line, "line longer than 255 characters");
    }
    return line;
}

[[noreturn]] void raise_at(const string_list& lines, int index, const char* fault) {
    data_syntax_error().raise(index + 1, lines[index], fault);
}

// The next line of a block; the end of the file inside a block is a fault of the last line.
int next_block_line(const string_list& lines, int index) {
    if (index + 1 >= lines.count()) {
        raise_at(lines, lines.count() - 1, "the file ends inside a pattern cut");
    }
    return index + 1;
}

// Stores the value of a row; a text longer than its row is kept in part and told in
// `texts_cut` (when given).
void store_value(Antenna_Record& r, int row, const char* value,
                 std::vector<std::string>* texts_cut) {
    const Nsma_Keyword& key = nsma_keywords[row];
    if (const Text_Field text = text_field(r, row); text.text != nullptr) {
        copy_text_field_told(text.text,
                             std::min<std::size_t>(text.size, static_cast<std::size_t>(key.size)),
                             value, key.keyword, texts_cut);
        return;
    }
    switch (row) {
    case ROW_FEDORN:
        copy_text_field_told(r.header.feed_orientation_text, value, key.keyword, texts_cut);
        if (equals_nocase(value, "RIGHT")) {
            r.antenna_spec.feed_orientation = FEED_RIGHT;
        } else if (equals_nocase(value, "LEFT")) {
            r.antenna_spec.feed_orientation = FEED_LEFT;
        }
        return;
    case ROW_GUNITS:
        // The value is upper case already: the whole line was folded.
        copy_text_field_told(r.header.gain_units_text, value, key.keyword, texts_cut);
        r.gain_in_dbi = std::strstr(value, "DBI") != nullptr ? 1 : 0;
        if (std::strchr(value, '/') != nullptr) {
            r.pattern_relative = std::strstr(value, "DBR") != nullptr ? 1 : 0;
        }
        return;
    case ROW_MDGAIN: {
        const double gain = plain_double(value);
        if (r.gain_in_dbi) {
            r.antenna_spec.gain_dbi = gain;
            r.antenna_spec.gain_dbd = gain - dbi_to_dbd;
        } else {
            r.antenna_spec.gain_dbd = gain;
            r.antenna_spec.gain_dbi = gain + dbi_to_dbd;
        }
        return;
    }
    case ROW_FIELD5:
        r.antenna_spec.technology = equals_nocase(value, "DIPOLE")     ? TECH_DIPOLE
                                    : equals_nocase(value, "APERTURE") ? TECH_APERTURE
                                                                       : TECH_UNKNOWN;
        return;
    case ROW_PATTYP:
        if (equals_nocase(value, "TYPICAL")) {
            r.antenna_spec.pattern_type = PATTERN_TYPICAL;
        } else if (equals_nocase(value, "ENVELOPE")) {
            r.antenna_spec.pattern_type = PATTERN_ENVELOPE;
        }
        return;
    case ROW_NOFREQ:
        r.header.frequency_count = plain_int(value);
        return;
    case ROW_NUMCUT:
        r.header.cut_count = plain_int(value);
        return;
    default:
        break;
    }
    double number = plain_double(value);
    if (number == 0.0 && (row == ROW_ELWIDT || row == ROW_ELTILT || row == ROW_PATFRE)) {
        number = NOT_SET;
    }
    *real_field(r, row) = number;
    if (row == ROW_ANTLEN) {
        r.header.depth = number; // a later ANTDEP line overwrites it
    }
}

// Andrew antennas without a stated size: "VHLP-800" models are 0.8 m, other models start with
// their size in feet, which gives the depth too.
bool andrew_size(const Antenna_Spec& core, double& size, bool& with_depth) {
    if (!starts_with_nocase(core.manufacturer, "ANDREW")) {
        return false;
    }
    with_depth = false;
    if (starts_with_nocase(core.model, "VHLP-800")) {
        size = 0.8;
        return true;
    }
    const char* start = core.model;
    while (*start != '\0' && !(*start >= '0' && *start <= '9') && *start != '.') {
        ++start;
    }
    double feet = 0.0;
    if (*start == '\0' || !leading_double(start, feet)) {
        return false;
    }
    size = feet * feet_to_metres;
    with_depth = true;
    return true;
}

// Antennas without a stated size: the width, or the Andrew rule.
void apply_antenna_size_rule(Antenna_Record& r) {
    if (r.antenna_spec.antenna_size != NOT_SET) {
        return;
    }
    if (r.header.width != NOT_SET) {
        r.antenna_spec.antenna_size = r.header.width;
        return;
    }
    apply_andrew_size_rule(r);
}

// True when the reader would derive the record's size, and no depth, from the other values
// written: ANTLEN is then left empty. Writing it would make the reader take it for a stated
// size and copy it into the depth, so that the file written from the file read would differ.
bool size_is_derived(const Antenna_Record& r) {
    if (r.antenna_spec.antenna_size == NOT_SET || r.header.depth != NOT_SET) {
        return false;
    }
    if (r.header.width != NOT_SET) {
        return r.header.width == r.antenna_spec.antenna_size;
    }
    double size = 0.0;
    bool with_depth = false;
    return andrew_size(r.antenna_spec, size, with_depth) && !with_depth &&
           size == r.antenna_spec.antenna_size;
}

// Reads the header line of a cut block expected at `index` + 1. False (and `index` unchanged)
// when the optional FSTLST line is absent; otherwise `value` holds the line's value.
bool read_cut_header(const string_list& lines, int& index, int expected, std::string& value) {
    const int at = next_block_line(lines, index);
    std::string line = checked_line(lines, at);
    strip_space(line.data());
    remove_quotes(line.data());
    line.resize(std::strlen(line.c_str()));
    if (line.empty()) {
        raise_at(lines, at, "empty line in a pattern cut header");
    }
    const auto colon = line.find(':');
    if (colon == std::string::npos) {
        if (expected == CUT_FSTLST) {
            return false; // no FSTLST: this is the first data line
        }
        raise_at(lines, at, "line without a colon");
    }
    index = at;
    std::string keyword = line.substr(0, colon);
    value = line.substr(colon + 1);
    if (!value.empty() && value[0] == ',') {
        value.erase(0, 1);
    }
    strip_space(value.data());
    value.resize(std::strlen(value.c_str()));
    if (value.empty()) {
        raise_at(lines, at, "empty value in a pattern cut header");
    }
    if (!equals_nocase(keyword.c_str(), nsma_cut_keywords[expected])) {
        raise_at(lines, at,
                 expected == CUT_POLARI   ? "POLARI expected"
                 : expected == CUT_NUPOIN ? "NUPOIN expected"
                                          : "FSTLST expected");
    }
    return true;
}

} // namespace

void apply_andrew_size_rule(Antenna_Record& r) {
    double size = 0.0;
    bool with_depth = false;
    if (r.antenna_spec.antenna_size == NOT_SET && andrew_size(r.antenna_spec, size, with_depth)) {
        r.antenna_spec.antenna_size = size;
        if (with_depth) {
            r.header.depth = size;
        }
    }
}

void parse_pattern_cut(Antenna_Record& record, const string_list& lines, const char* cut_type,
                       int& index) {
    std::string type = cut_type;
    fold_upper(type.data());
    int first_slot = 0;
    if (type == "AZ" || type == "H") {
        first_slot = 0;
    } else if (type == "EL" || type == "V") {
        first_slot = 4;
    } else {
        raise_at(lines, index, "unknown pattern cut type");
    }

    std::string value;
    read_cut_header(lines, index, CUT_POLARI, value);
    fold_upper(value.data());
    int slot = -1;
    for (int s = first_slot; s < first_slot + 4; ++s) {
        if (value == pattern_slots[s].polarization || value == pattern_slots[s].alternative) {
            slot = s;
        }
    }
    if (slot < 0) {
        raise_at(lines, index, "unknown polarization");
    }

    read_cut_header(lines, index, CUT_NUPOIN, value);
    const int count = plain_int(value.c_str());
    if (count < 0) {
        raise_at(lines, index, "negative point count");
    }

    if (read_cut_header(lines, index, CUT_FSTLST, value)) {
        const char* cursor = value.c_str();
        double first = 0.0;
        double last = 0.0;
        if (!scan_double(cursor, first) || *cursor++ != ',' || !scan_double(cursor, last)) {
            raise_at(lines, index, "FSTLST needs the first and last angle");
        }
    }

    // The values are read as doubles and become attenuations at once, so that an absolute
    // level of 30.2 below a gain of 34.2 gives 4, not the 3.9999993 of float arithmetic. The
    // faults of the block as a whole (no gain for absolute levels, a level beyond a float) are
    // reported at its last line, after those of its lines.
    const bool absolute = !record.pattern_relative;
    const bool gain_missing = absolute && record.antenna_spec.gain_dbi == NOT_SET;
    double reference = 0.0; // relative levels: attenuation = -level
    if (absolute && !gain_missing) {
        reference =
            record.gain_in_dbi ? record.antenna_spec.gain_dbi : record.antenna_spec.gain_dbd;
    }
    bool out_of_range = false;
    // Room for the lines the file still has, never for what the count claims.
    std::vector<Pattern_Point> points;
    points.reserve(static_cast<std::size_t>(std::min(count, lines.count() - index - 1)));
    for (int n = 0; n < count; ++n) {
        index = next_block_line(lines, index);
        const char* line = lines[index];
        float angle = 0.0f;
        double level = 0.0;
        const char* end = nullptr;
        const bool read = read_point_line(line, angle, level, &end);
        if ((end == nullptr || *end != '\0') && std::strlen(line) > MAX_LINE_LENGTH) {
            raise_at(lines, index, "line longer than 255 characters");
        }
        if (!read) {
            Number_Line cleaned;
            const std::size_t as_written = clean_number_line(line, cleaned);
            const bool joined = as_written < std::strlen(cleaned);
            raise_at(lines, index,
                     joined ? "a number of a pattern data line has other characters inside it"
                            : "a pattern data line needs an angle and a value");
        }
        if (std::fabs(level) > FLT_MAX) {
            raise_at(lines, index, "a pattern data line needs an angle and a value");
        }
        const auto attenuation = static_cast<float>(reference - level);
        out_of_range = out_of_range || !std::isfinite(attenuation);
        points.push_back({angle, attenuation});
    }
    if (gain_missing) {
        raise_at(lines, index, "absolute pattern values need the mid-band gain");
    }
    if (out_of_range) {
        raise_at(lines, index, "pattern value out of range");
    }
    const auto by_angle = [](const Pattern_Point& a, const Pattern_Point& b) {
        return compare_pattern_angles(a, b);
    };
    if (!std::is_sorted(points.begin(), points.end(), by_angle)) {
        std::stable_sort(points.begin(), points.end(), by_angle);
    }
    record.set_cut(slot, std::move(points));
}

namespace {

Nsma_Read_Result read_nsma_lines(Antenna_Record& record, Error_Handler* handler, const char* path,
                                 string_list& lines, std::vector<std::string>* texts_cut) {
    for (int i = 0; i < lines.count(); ++i) {
        trim_nsma_line(lines[i]);
    }
    record.reset_antenna_record();

    bool first = true;
    for (int i = 0; i < lines.count(); ++i) {
        std::string line = lines[i];
        strip_space(line.data());
        remove_quotes(line.data());
        fold_upper(line.data());
        line.resize(std::strlen(line.c_str()));
        const bool skipped =
            line.empty() || line.starts_with("//") || line[0] == '\n' || line[0] == '\r';
        const bool other_format = first && !skipped && !line.starts_with("REVNUM");
        // A long line is a fault of an NSMA file; one that shows the file is none is the
        // pattern reader's to judge.
        if (!other_format && std::strlen(lines[i]) > MAX_LINE_LENGTH) {
            raise_at(lines, i, "line longer than 255 characters");
        }
        if (skipped) {
            continue;
        }
        if (other_format) {
            if (!read_headerless_pattern_file(record, lines, texts_cut)) {
                refuse_file(record, handler, path, NOT_NSMA_OR_PATTERN_TEXT);
            }
            return Nsma_Read_Result::headerless;
        }
        first = false;
        if (line.starts_with("NSMNUM") || line.starts_with("DESCRP")) {
            line.replace(0, 6, "PATNUM");
        }
        const auto colon = line.find(':');
        if (colon == std::string::npos) {
            raise_at(lines, i, "line without a colon");
        }
        const std::string keyword = line.substr(0, colon);
        if (keyword == "ENDFIL") {
            break;
        }
        std::string value = line.substr(colon + 1);
        if (!value.empty() && value[0] == ',') {
            value.erase(0, 1);
        }
        const auto comment = value.find("//");
        if (comment != std::string::npos) {
            value.resize(comment);
        }
        strip_space(value.data());
        value.resize(std::strlen(value.c_str()));
        if (value.empty()) {
            continue;
        }
        const int row = find_nsma_keyword(keyword.c_str());
        if (row < 0) {
            parse_pattern_cut(record, lines, value.c_str(), i);
            continue;
        }
        store_value(record, row, value.c_str(), texts_cut);
    }
    if (first) {
        // Blank lines, comments or zero bytes only: nothing says what the file is.
        refuse_file(record, handler, path, NOT_NSMA_TEXT);
    }
    apply_antenna_size_rule(record);
    return Nsma_Read_Result::nsma;
}

} // namespace

Nsma_Read_Result read_nsma_file(Antenna_Record& record, Error_Handler* handler, const char* path,
                                std::vector<std::string>* texts_cut) {
    data_syntax_error().start_read(path);
    string_list lines(handler, path);
    return read_nsma_lines(record, handler, path, lines, texts_cut);
}

Nsma_Read_Result read_nsma_text(Antenna_Record& record, Error_Handler* handler, const char* path,
                                std::string_view text, std::vector<std::string>* texts_cut) {
    data_syntax_error().start_read(path);
    string_list lines;
    lines.set_file_text(handler, text);
    return read_nsma_lines(record, handler, path, lines, texts_cut);
}

std::string nsma_cut_count_warning(const Antenna_Record& record) {
    const int held = record.filled_slots();
    if (record.header.cut_count <= held) {
        return {};
    }
    return "NUMCUT says " + std::to_string(record.header.cut_count) + ", the file holds " +
           std::to_string(held) + (held == 1 ? " cut" : " cuts");
}

namespace {

const char* choice_text(int32_t value, const char* const (&texts)[3]) {
    return value >= 0 && value < 3 ? texts[value] : texts[0];
}

void append_line(std::string& text, const char* keyword, const std::string& value) {
    text += keyword;
    text += ":,\t";
    text += value;
    text += "\r\n";
}

} // namespace

// A text value as the reader will give it back: no line feed and none of the control bytes
// that would make the file no text file (a text of a binary file may hold any byte), no blanks
// at the ends and no comma at the end, which the reader takes for a separator. Everything the
// NSMA reader itself can store stays as it is.
std::string nsma_text_value(std::string_view value) {
    std::string text(value);
    for (char& c : text) {
        if (c == '\n' || !is_text_byte(static_cast<unsigned char>(c))) {
            c = ' ';
        }
    }
    for (;;) {
        strip_space(text.data());
        text.resize(std::strlen(text.c_str()));
        if (text.empty() || text.back() != ',') {
            return text;
        }
        text.pop_back();
    }
}

Nsma_Text_Field nsma_text_field(Antenna_Record& record, int row) {
    const Text_Field place = text_field(record, row);
    return {place.text, place.size};
}

double* nsma_real_field(Antenna_Record& record, int row) { return real_field(record, row); }

std::string nsma_row_value(const Antenna_Record& r, int row) {
    static const char* const feed_texts[3] = {"N/A", "LEFT", "RIGHT"};
    static const char* const technology_texts[3] = {"UNKNOWN", "DIPOLE", "APERTURE"};
    static const char* const pattern_texts[3] = {"UNKNOWN", "TYPICAL", "ENVELOPE"};
    if (const char* field = text_field(r, row)) {
        std::string text = nsma_text_value(field);
        if (text.empty()) {
            // The reader passes over an empty value and the row keeps what a new record has
            // (the revision and its date have texts): write that, so that the file reads back
            // as written.
            static const Antenna_Record fresh;
            text = nsma_text_value(text_field(fresh, row));
        }
        return text;
    }
    switch (row) {
    case ROW_FEDORN:
        return choice_text(r.antenna_spec.feed_orientation, feed_texts);
    case ROW_GUNITS:
        return r.gain_in_dbi ? "DBI/DBR" : "DBD/DBR";
    case ROW_MDGAIN:
        return format_nsma_number(r.gain_in_dbi ? r.antenna_spec.gain_dbi
                                                : r.antenna_spec.gain_dbd);
    case ROW_FIELD5:
        return choice_text(r.antenna_spec.technology, technology_texts);
    case ROW_PATTYP:
        return choice_text(r.antenna_spec.pattern_type, pattern_texts);
    case ROW_NOFREQ:
        return format_nsma_number(static_cast<double>(r.header.frequency_count));
    case ROW_ANTLEN:
        return size_is_derived(r) ? std::string() : format_nsma_number(r.antenna_spec.antenna_size);
    case ROW_NUMCUT: {
        const int cuts = r.filled_slots();
        return cuts == 0 ? std::string() : std::to_string(cuts);
    }
    default:
        return format_nsma_number(real_value(r, row));
    }
}

double nsma_row_number(const Antenna_Record& record, int row) {
    if (row == ROW_MDGAIN) {
        return record.antenna_spec.gain_dbi;
    }
    const double* number = real_field(const_cast<Antenna_Record&>(record), row);
    return number != nullptr ? *number : NOT_SET;
}

void write_nsma_file(const Antenna_Record& record, std::string& text) {
    for (int row = 0; row < NSMA_KEYWORD_COUNT; ++row) {
        append_line(text, nsma_keywords[row].keyword, nsma_row_value(record, row));
    }
    for (int slot = 0; slot < PATTERN_SLOTS; ++slot) {
        const auto points = record.cut(slot);
        if (points.empty()) {
            continue;
        }
        const Pattern_Slot_Info& info = pattern_slots[slot];
        append_line(text, "PATCUT", info.plane == PLANE_AZIMUTH ? "AZ" : "EL");
        append_line(text, "POLARI", info.polarization);
        append_line(text, "NUPOIN", std::to_string(points.size()));
        append_line(text, "FSTLST",
                    format_point_value(points.front().angle) + "," +
                        format_point_value(points.back().angle));
        for (const Pattern_Point& point : points) {
            // The level the reader turns back into this attenuation.
            text += format_point_value(point.angle);
            text += ", ";
            text += format_point_value(-point.attenuation);
            text += ",\r\n";
        }
    }
    text += "ENDFIL:,EOF\r\n";
}

void save_nsma_file(const Antenna_Record& record, Error_Handler* handler, const char* path) {
    std::string text;
    write_nsma_file(record, text);
    save_atomically(handler, path, text);
}
