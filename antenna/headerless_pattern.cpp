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

[[noreturn]] void raise_at(const string_list& lines, int index, const char* fault) {
    data_syntax_error().raise(index + 1, lines[index], fault);
}

std::string entry(const string_list& lines, int index) {
    if (std::strlen(lines[index]) > MAX_LINE_LENGTH) {
        raise_at(lines, index, "line longer than 255 characters");
    }
    std::string text = lines[index];
    strip_space(text.data());
    text.resize(std::strlen(text.c_str()));
    return text;
}

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

} // namespace

void read_headerless_pattern_file(Antenna_Record& record, const string_list& lines) {
    if (lines.count() < header_entries) {
        raise_at(lines, lines.count() - 1, "the file ends inside the header");
    }
    copy_text_field(record.antenna_spec.manufacturer, entry(lines, 0).c_str());
    copy_text_field(record.antenna_spec.model, entry(lines, 1).c_str());
    copy_text_field(record.antenna_spec.date, entry(lines, 5).c_str());
    copy_text_field(record.antenna_spec.file_name, entry(lines, 6).c_str());
    read_frequency_range(record, entry(lines, 7));
    if (const std::string gain = entry(lines, 8); !gain.empty()) {
        record.antenna_spec.gain_dbi = plain_double(gain.c_str());
        record.antenna_spec.gain_dbd = record.antenna_spec.gain_dbi - dbi_to_dbd;
    }
    if (const std::string width = entry(lines, 9); !width.empty()) {
        record.antenna_spec.azimuth_beamwidth = plain_double(width.c_str());
    }
    apply_andrew_size_rule(record);

    Number_Line cleaned;
    for (int i = header_entries; i < lines.count(); ++i) {
        const std::string name_line = entry(lines, i);
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
            raise_at(lines, i, "a pattern block needs a cut name and a point count");
        }
        const int count = plain_int(cursor);
        const int slot = slot_of_cut_name(name);
        if (slot < 0) {
            raise_at(lines, i, "unknown pattern cut name");
        }
        if (count < 0) {
            raise_at(lines, i, "negative point count");
        }

        std::vector<Pattern_Point> points;
        points.reserve(static_cast<std::size_t>(std::min(count, lines.count() - i - 1)));
        for (int n = 0; n < count; ++n) {
            if (++i >= lines.count()) {
                raise_at(lines, lines.count() - 1, "the file ends inside a pattern block");
            }
            const std::string line = entry(lines, i);
            clean_number_line(line.c_str(), cleaned);
            // "%f %f": the blank between the numbers may be any number of blanks.
            Pattern_Point point{};
            const char* p = cleaned;
            if (!scan_float(p, point.angle) || !scan_float(p, point.attenuation)) {
                raise_at(lines, i, "a pattern data line needs an angle and a level");
            }
            points.push_back(point);
        }
        std::stable_sort(points.begin(), points.end(), compare_pattern_angles);
        for (Pattern_Point& point : points) {
            // Levels are relative: 0 at the peak. 0 - level rather than -level gives 0, not -0.
            point.attenuation = 0.0f - point.attenuation;
        }
        record.set_cut(slot, std::move(points));
    }
}
