// Telling radio files apart by their identifiers.
#include "radio_file_kind.h"

#include "string_list.h"
#include "text_helpers.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace {

bool starts_with(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The text after the blanks, carriage returns and line feeds it starts with.
std::string_view after_line_breaks(const char* bytes, std::size_t size) {
    std::size_t start = 0;
    while (start < size && (bytes[start] == ' ' || bytes[start] == '\r' || bytes[start] == '\n')) {
        ++start;
    }
    return std::string_view(bytes + start, size - start);
}

constexpr std::string_view v4_identifier = "QVW40_RADIOSPEC";

// A version 4 file with the older identifier is binary when a zero byte follows it; the
// identifier alone is an ASCII file with nothing in it.
bool is_v4_ascii(std::string_view text) {
    return starts_with(text, v4_identifier) &&
           (text.size() == v4_identifier.size() || text[v4_identifier.size()] != '\0');
}

// True when `line` is "ENDFIL" between blanks: leading blanks and tabs, trailing bytes up to
// the blank, as strip_space removes them.
bool is_end_line(const char* line) {
    std::string_view text = line;
    text.remove_prefix(std::min(text.find_first_not_of(" \t"), text.size()));
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32) {
        text.remove_suffix(1);
    }
    return text == "ENDFIL";
}

} // namespace

const char* radio_kind_name(Radio_File_Kind kind) {
    switch (kind) {
    case Radio_File_Kind::raf5:
        return "raf5";
    case Radio_File_Kind::rsd:
        return "rsd";
    case Radio_File_Kind::mrs:
        return "mrs";
    case Radio_File_Kind::raf4:
        return "raf4";
    default:
        return "unknown";
    }
}

Radio_File_Kind radio_kind_of(const char* bytes, std::size_t size) {
    const std::string_view text = after_line_breaks(bytes, size);
    for (const char* id : {"QV50_ASCII_RADIO_SPEC_01", "QV50_ASCII_RADIO_SPEC_02",
                           "QV50_ASCII_RADIO_SPEC_03", "QV50_ASCII_RADIO_SPEC_04"}) {
        if (starts_with(text, id)) {
            return Radio_File_Kind::raf5;
        }
    }
    for (const char* id : {"QV50_RADIO_SPEC_01", "QV50_RADIO_SPEC_03", "QV50_RADIO_SPEC_04"}) {
        if (starts_with(text, id)) {
            return Radio_File_Kind::rsd;
        }
    }
    if (starts_with(text, "QVW401RADIOSPEC")) {
        return Radio_File_Kind::mrs;
    }
    if (starts_with(text, v4_identifier)) {
        return is_v4_ascii(text) ? Radio_File_Kind::raf4 : Radio_File_Kind::mrs;
    }
    return Radio_File_Kind::unknown;
}

bool fits_v4_name(const char* path) { return base_name(path).size() <= MAX_V4_NAME; }

std::string radio4_file_code(const char* path) {
    return base_name(path).substr(0, MAX_V4_NAME);
}

bool v4_batch_converts(const char* bytes, std::size_t size) {
    return is_v4_ascii(after_line_breaks(bytes, size));
}

std::string radio_text_end_warning(const string_list& lines) {
    // The end line is the last line of a complete file, or close to it.
    for (int i = lines.count() - 1; i >= 0; --i) {
        if (is_end_line(lines[i])) {
            return {};
        }
    }
    return "no ENDFIL: the file may be cut short";
}
