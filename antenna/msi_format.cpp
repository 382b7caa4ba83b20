// Reading .msi antenna files and their companions.
#include "msi_format.h"

#include "antenna_record.h"
#include "antenna_text.h"
#include "data_findings.h"
#include "error_handler.h"
#include "message_catalogue.h"
#include "qvfileio.h"
#include "string_list.h"
#include "syntax_error.h"
#include "text_helpers.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

namespace {

constexpr double dbi_to_dbd = 2.15;

struct Msi_Lines {
    std::vector<std::string> lines;
    std::size_t next = 0;

    bool done() const { return next >= lines.size(); }
    const std::string& take() { return lines[next++]; }
    std::size_t left() const { return lines.size() - next; }

    // A fault of line `number` (1-based), or of the line taken last.
    [[noreturn]] void raise_at(std::size_t number, const std::string& fault) const {
        data_syntax_error().raise(static_cast<int>(number), lines[number - 1].c_str(),
                                  fault.c_str());
    }
    [[noreturn]] void raise_at_last(const std::string& fault) const { raise_at(next, fault); }
};

// The lines of the file, every one of them (a point block counts empty lines too), whatever
// its line ends. Raises `handler`, armed for the file, when the bytes are not text.
Msi_Lines split_lines(Error_Handler* handler, std::string_view text) {
    string_list list;
    list.set_text(handler, text.data(), text.size());
    Msi_Lines result;
    result.lines.reserve(static_cast<std::size_t>(list.count()));
    for (int i = 0; i < list.count(); ++i) {
        result.lines.emplace_back(list[i]);
    }
    return result;
}

bool is_word_blank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

std::vector<std::string> split_words(const std::string& line, std::size_t limit = 3) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (words.size() < limit) {
        while (i < line.size() && is_word_blank(line[i])) {
            ++i;
        }
        if (i >= line.size()) {
            break;
        }
        const std::size_t start = i;
        while (i < line.size() && !is_word_blank(line[i])) {
            ++i;
        }
        words.push_back(line.substr(start, i - start));
    }
    return words;
}

std::string word(const std::vector<std::string>& words, std::size_t index) {
    return index < words.size() ? words[index] : std::string();
}

// A number of the file as a float; a value beyond the range of a float converts like a word that
// is no number, to 0.
float to_float(double value) {
    return std::fabs(value) <= FLT_MAX ? static_cast<float>(value) : 0.0f;
}

// The text after the keyword, without the blanks around it.
std::string rest_of_line(const std::string& line, const std::string& keyword) {
    std::string rest = line.substr(line.find(keyword) + keyword.size());
    strip_space(rest.data());
    rest.resize(std::strlen(rest.c_str()));
    return rest;
}

// A text too long for its field is a fault of the line just taken; the field keeps its value.
void store_text(const Msi_Lines& lines, char* field, std::size_t size, const std::string& text,
                const char* refusal) {
    if (text.size() >= size) {
        lines.raise_at_last(refusal);
    }
    copy_text_field(field, size, text.c_str());
}

// A word of a point line whose number stops short of digits that follow it ("2.5x01", "1,5",
// "1.2.3"): its value would be read from part of what the word shows. A number followed by
// letters alone ("-3dB") reads as the number, and a word that begins with no number as 0.
bool number_cut_short(const std::string& text) {
    double value = 0.0;
    const char* end = nullptr;
    return leading_double(text.c_str(), value, &end) && std::strpbrk(end, "0123456789") != nullptr;
}

// Reads a HORIZONTAL or VERTICAL block of `count_word` points from the lines that follow. A
// count beyond the end of the file gives the points present, and `missing` the fault to raise
// once they are stored; empty otherwise.
std::vector<Pattern_Point> read_block(Msi_Lines& lines, const std::string& keyword,
                                      const std::string& count_word, std::string& missing) {
    const double count_value = std::trunc(plain_double(count_word.c_str()));
    if (!(count_value >= 1.0)) {
        return {};
    }
    // Points only for the lines the file has, never for what the count claims.
    std::size_t count = lines.left();
    if (count_value <= static_cast<double>(count)) {
        count = static_cast<std::size_t>(count_value);
    } else {
        missing = keyword + " pattern: the file ends after " + std::to_string(count) + " of " +
                  format_fixed(count_value, 0) + " points";
    }
    std::vector<Pattern_Point> points(count);
    for (Pattern_Point& point : points) {
        const std::vector<std::string> words = split_words(lines.take(), 2);
        if (std::any_of(words.begin(), words.end(), number_cut_short)) {
            lines.raise_at_last("a number of a pattern data line has other characters inside it");
        }
        double angle = plain_double(word(words, 0).c_str());
        if (angle > 180.0) {
            angle -= 360.0;
        }
        point.angle = to_float(angle);
        point.attenuation = to_float(plain_double(word(words, 1).c_str()));
    }
    std::stable_sort(points.begin(), points.end(), compare_pattern_angles);
    return points;
}

// An elevation pattern whose main beam (attenuation 0) lies at a positive angle while the
// walk from the most negative angle finds no peak below the horizon first was probably stored
// with the opposite sign convention; the caller's decisions say what becomes of it. One question
// per pattern.
void check_backwards(std::vector<Pattern_Point>& points, Antenna_Read_Decisions& decisions) {
    if (points.empty() || !(points.front().angle < 0.0f)) {
        return;
    }
    for (const Pattern_Point& point : points) {
        if (point.angle < 0.0f && point.attenuation == 0.0f) {
            return;
        }
        if (point.angle > 0.0f && point.attenuation == 0.0f) {
            const bool reverse = decisions.ask_reverse_backwards ? decisions.ask_reverse_backwards()
                                                                 : decisions.reverse_backwards;
            decisions.answered.push_back(std::string("Elevation pattern appears to be backwards") +
                                         (reverse ? ": reversed" : ": kept as it is"));
            if (reverse) {
                for (Pattern_Point& mirrored : points) {
                    mirrored.angle = -mirrored.angle + 0.0f;
                }
                std::stable_sort(points.begin(), points.end(), compare_pattern_angles);
            }
            return;
        }
    }
}

// The keywords of both files of a pair: polarization and the two blocks. A block that the file
// ends inside is stored as far as it goes, then raised as a fault of its keyword line.
// `decisions` is null for the companion, whose elevation patterns are taken as they are.
bool read_block_keyword(Antenna_Record& record, Msi_Lines& lines,
                        const std::vector<std::string>& words, bool& horizontal,
                        Antenna_Read_Decisions* decisions) {
    const std::string& keyword = words[0];
    if (keyword == "POLARIZATION") {
        horizontal = word(words, 1).starts_with("H");
        return true;
    }
    if (keyword != "HORIZONTAL" && keyword != "VERTICAL") {
        return false;
    }
    const std::size_t keyword_line = lines.next;
    std::string missing;
    std::vector<Pattern_Point> points = read_block(lines, keyword, word(words, 1), missing);
    if (keyword == "VERTICAL" && decisions != nullptr) {
        check_backwards(points, *decisions);
    }
    if (!points.empty()) {
        const int slot = keyword == "HORIZONTAL" ? (horizontal ? 0 : 2) : (horizontal ? 4 : 6);
        record.set_cut(slot, std::move(points));
    }
    if (!missing.empty()) {
        lines.raise_at(keyword_line, missing);
    }
    return true;
}

// Fills the record from the lines; true when they hold a NAME line.
bool read_msi_lines(Antenna_Record& record, Msi_Lines lines, Antenna_Read_Decisions& decisions) {
    Antenna_Spec& core = record.antenna_spec;
    bool horizontal = false;
    bool named = false;
    while (!lines.done()) {
        const std::string line = lines.take();
        const std::vector<std::string> words = split_words(line);
        if (words.empty()) {
            continue;
        }
        const std::string& keyword = words[0];
        const double number = plain_double(word(words, 1).c_str());
        if (read_block_keyword(record, lines, words, horizontal, &decisions)) {
            continue;
        }
        if (keyword == "NAME") {
            named = true;
            store_text(lines, core.model, sizeof core.model, rest_of_line(line, keyword),
                       "NAME field must be less than 48 characters");
        } else if (keyword == "MAKE") {
            store_text(lines, core.manufacturer, sizeof core.manufacturer,
                       rest_of_line(line, keyword), "MAKE field must be less than 48 characters");
        } else if (keyword == "COMMENT") {
            store_text(lines, record.header.comment1, sizeof record.header.comment1,
                       rest_of_line(line, keyword),
                       "COMMENT field must be less than 80 characters");
        } else if (keyword == "FREQUENCY") {
            core.low_frequency = number;
        } else if (keyword == "H_WIDTH" || keyword == "BEAM_WIDTH") {
            core.azimuth_beamwidth = number;
        } else if (keyword == "V_WIDTH") {
            core.elevation_beamwidth = number;
        } else if (keyword == "FRONT_TO_BACK") {
            record.header.front_to_back = number;
        } else if (keyword == "TILT" || keyword == "ELECTRICAL_TILT") {
            core.electrical_tilt = number;
        } else if (keyword == "GAIN") {
            const std::string unit = word(words, 2);
            // A unit too long for its field is kept as far as it fits, and told; it decides all
            // the same.
            constexpr std::size_t unit_room = sizeof record.header.gain_units_text - 1;
            if (unit.size() > unit_room) {
                decisions.texts_cut.push_back(
                    text_cut_warning("GAIN unit", unit_room, unit.size() - unit_room));
            }
            copy_text_field(record.header.gain_units_text, unit.c_str());
            if (unit == "DBI" || unit == "dbi" || unit == "dBi") {
                record.gain_in_dbi = 1;
                core.gain_dbi = number;
                core.gain_dbd = number - dbi_to_dbd;
            } else {
                record.gain_in_dbi = 0;
                core.gain_dbd = number;
                core.gain_dbi = number + dbi_to_dbd;
            }
        }
    }
    return named;
}

} // namespace

void read_msi_file(Antenna_Record& record, Error_Handler* handler, const char* path,
                   Antenna_Read_Decisions& decisions) {
    const std::string text = read_data_file(handler, path, {MAX_TEXT_FILE_SIZE, "text data file"});
    read_msi_text(record, handler, path, text, decisions);
}

void read_msi_text(Antenna_Record& record, Error_Handler* handler, const char* path,
                   std::string_view text, Antenna_Read_Decisions& decisions) {
    data_syntax_error().start_read(path);
    const bool named = read_msi_lines(record, split_lines(handler, text), decisions);
    if (!named || record.filled_slots() == 0) {
        record.reset_antenna_record();
        handler->init(ET_ERROR, MSG_WRONG_FILE_FORMAT, path);
        handler->set_info_buff(NOT_MSI_TEXT);
        throw handler;
    }
}

bool read_msi_companion(Antenna_Record& record, Error_Handler* handler, const char* path) {
    std::string text;
    {
        std::optional<qvfileio> file;
        try {
            file.emplace(handler, path, QV_GENERIC_READ, QV_SHARE_READ);
        } catch (Error_Handler*) {
            // One that cannot be opened, or is no regular file (a pipe would never end), adds
            // nothing.
            return false;
        }
        text.resize(file->get_file_size_within(MAX_TEXT_FILE_SIZE, "text data file"));
        file->read(text.data(), static_cast<unsigned>(text.size()));
    }
    // Nor does one that is not text.
    Error_Handler probe;
    probe.set_file_name(path);
    Msi_Lines lines;
    try {
        lines = split_lines(&probe, text);
    } catch (Error_Handler*) {
        return false;
    }
    data_syntax_error().start_read(path);
    bool horizontal = false;
    while (!lines.done()) {
        const std::vector<std::string> words = split_words(lines.take());
        if (!words.empty()) {
            read_block_keyword(record, lines, words, horizontal, nullptr);
        }
    }
    return true;
}

std::string msi_companion_path(const char* path) {
    std::string companion = path;
    const std::size_t name_start = companion.size() - std::strlen(get_filename(path));
    for (const auto& [from, to] : {std::pair{"Vpol", "Hpol"}, std::pair{"Hpol", "Vpol"}}) {
        const auto at = companion.find(from, name_start);
        if (at != std::string::npos) {
            companion.replace(at, 4, to);
            return companion;
        }
    }
    return {};
}
