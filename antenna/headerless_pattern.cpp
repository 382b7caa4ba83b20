// Reading headerless pattern files.
#include "headerless_pattern.h"

#include "antenna_record.h"
#include "antenna_text.h"
#include "nsma_format.h"
#include "string_list.h"
#include "syntax_error.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int header_entries = 10;
constexpr double dbi_to_dbd = 2.15;

// Raised inside the reader at a fault met before any data line: lines that give no pattern data
// before they go wrong are no pattern file at all, and are refused as such, not at a line.
struct Not_A_Pattern_File {};

// The lines and how far they proved to be a pattern file.
struct Pattern_Lines {
    const string_list& lines;
    bool data_read = false; // a data line of a block has been read

    [[noreturn]] void raise_at(int index, const char* fault) const {
        if (!data_read) {
            throw Not_A_Pattern_File{};
        }
        data_syntax_error().raise(index + 1, lines[index], fault);
    }

    std::string entry(int index) const {
        if (std::strlen(lines[index]) > MAX_LINE_LENGTH) {
            raise_at(index, "line longer than 255 characters");
        }
        std::string text = lines[index];
        strip_space(text.data());
        text.resize(std::strlen(text.c_str()));
        return text;
    }
};

// "HH", "HV", "VV", "VH" name the azimuth slots; "ELHH" to "ELVH" the elevation slots. The
// two-letter names are tried first, by their leading characters.
int slot_of_cut_name(const std::string& name) {
    static const char* const names[8] = {"HH", "HV", "VV", "VH", "ELHH", "ELHV", "ELVV", "ELVH"};
    for (int slot = 0; slot < 8; ++slot) {
        if (name.starts_with(names[slot])) {
            return slot;
        }
    }
    return -1;
}

// The frequency range entry: "5.925 - 6.425 GHz" and the like. Values below 100 are in GHz.
void read_frequency_range(Antenna_Record& record, const std::string& text) {
    double low = plain_double(text.c_str());
    const char* p = text.c_str();
    skip_blanks(p);
    if (*p == '+' || *p == '-') {
        ++p;
    }
    while ((*p >= '0' && *p <= '9') || *p == '.') {
        ++p;
    }
    while (*p != '\0' && !(*p >= '0' && *p <= '9')) {
        ++p;
    }
    double high = plain_double(p);
    if (low < 100.0) {
        low *= 1000.0;
        high *= 1000.0;
    }
    record.antenna_spec.low_frequency = low;
    record.antenna_spec.high_frequency = high;
}

// Fills the record; raises Not_A_Pattern_File or Data_Syntax_Error*.
void read_pattern_lines(Antenna_Record& record, Pattern_Lines& file,
                        std::vector<std::string>* texts_cut) {
    const string_list& lines = file.lines;
    if (lines.count() < header_entries) {
        file.raise_at(lines.count() - 1, "the file ends inside the header");
    }
    copy_text_field_told(record.antenna_spec.manufacturer, file.entry(0).c_str(), "ANTMAN",
                         texts_cut);
    copy_text_field_told(record.antenna_spec.model, file.entry(1).c_str(), "MODNUM", texts_cut);
    copy_text_field_told(record.antenna_spec.date, file.entry(5).c_str(), "DTDATA", texts_cut);
    // The name gives way to the opened file's name: nothing of it is kept to be cut.
    copy_text_field(record.antenna_spec.file_name, file.entry(6).c_str());
    read_frequency_range(record, file.entry(7));
    if (const std::string gain = file.entry(8); !gain.empty()) {
        record.antenna_spec.gain_dbi = plain_double(gain.c_str());
        record.antenna_spec.gain_dbd = record.antenna_spec.gain_dbi - dbi_to_dbd;
    }
    if (const std::string width = file.entry(9); !width.empty()) {
        record.antenna_spec.azimuth_beamwidth = plain_double(width.c_str());
    }
    apply_andrew_size_rule(record);

    Number_Line cleaned;
    for (int i = header_entries; i < lines.count(); ++i) {
        const std::string name_line = file.entry(i);
        if (name_line.empty()) {
            continue;
        }
        // "%s %d": a name, then a count.
        const auto name_end = name_line.find_first_of(" \t");
        const std::string name = name_line.substr(0, name_end);
        const char* cursor = name_end == std::string::npos ? "" : name_line.c_str() + name_end;
        skip_blanks(cursor);
        const char* digits = cursor + ((*cursor == '+' || *cursor == '-') ? 1 : 0);
        if (!(*digits >= '0' && *digits <= '9')) {
            file.raise_at(i, "a pattern block needs a cut name and a point count");
        }
        const int count = plain_int(cursor);
        const int slot = slot_of_cut_name(name);
        if (slot < 0) {
            file.raise_at(i, "unknown pattern cut name");
        }
        if (count < 0) {
            file.raise_at(i, "negative point count");
        }

        std::vector<Pattern_Point> points;
        points.reserve(static_cast<std::size_t>(std::min(count, lines.count() - i - 1)));
        for (int n = 0; n < count; ++n) {
            if (++i >= lines.count()) {
                file.raise_at(lines.count() - 1, "the file ends inside a pattern block");
            }
            const std::string line = file.entry(i);
            const std::size_t as_written = clean_number_line(line.c_str(), cleaned);
            // "%f %f": the blank between the numbers may be any number of blanks.
            Pattern_Point point{};
            const char* p = cleaned;
            if (!scan_float(p, point.angle) || !scan_float(p, point.attenuation)) {
                file.raise_at(i, "a pattern data line needs an angle and a level");
            }
            if (static_cast<std::size_t>(p - cleaned) > as_written) {
                file.raise_at(i, "a number of a pattern data line has other characters inside it");
            }
            points.push_back(point);
            file.data_read = true;
        }
        std::stable_sort(points.begin(), points.end(), compare_pattern_angles);
        for (Pattern_Point& point : points) {
            // Levels are relative: 0 at the peak. 0 - level rather than -level gives 0, not -0.
            point.attenuation = 0.0f - point.attenuation;
        }
        record.set_cut(slot, std::move(points));
    }
}

} // namespace

bool read_headerless_pattern_file(Antenna_Record& record, const string_list& lines,
                                  std::vector<std::string>* texts_cut) {
    Pattern_Lines file{lines};
    // Cuts are told only of a file that proves to be a pattern file.
    std::vector<std::string> cut;
    try {
        read_pattern_lines(record, file, &cut);
    } catch (Not_A_Pattern_File) {
        record.reset_antenna_record();
        return false;
    }
    if (!file.data_read) {
        record.reset_antenna_record();
        return false;
    }
    if (texts_cut != nullptr) {
        texts_cut->insert(texts_cut->end(), cut.begin(), cut.end());
    }
    return true;
}
