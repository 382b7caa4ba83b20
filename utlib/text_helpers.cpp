// Text, number and path helpers.
#include "text_helpers.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

namespace {

struct Unit_Settings {
    int missing_integer = 0;
    bool metric = true;
    double feet_to_metres = 0.3048;
};

Unit_Settings units;

constexpr const char* character_sets[LAST_CHARACTER_SET + 1] = {
    "",                    // 0: text only, no number
    "",                    // 1
    "+-.1234567890eE",     // 2
    "+.1234567890",        // 3
    "+-.1234567890",       // 4
    "+.1234567890xX",      // 5
    "+-.1234567890xX",     // 6
    "+1234567890",         // 7
    "+-1234567890",        // 8
    "+-.1234567890 nNsS",  // 9
    "+-.1234567890 eEwW",  // 10
    "+-1234567890nNsS",    // 11
    "+.1234567890fFmM",    // 12
    "+.1234567890xXfFmM",  // 13
    "+-.1234567890xXfFmM", // 14
    "+-.1234567890 ",      // 15
    "+.1234567890",        // 16
    "+.1234567890xX",      // 17
    "+.1234567890fFmM",    // 18
    "+.1234567890xXfFmM",  // 19
};

bool zero_is_invalid(unsigned char set_index) { return set_index >= 16 && set_index <= 19; }

bool has_unit_letter(unsigned char set_index) {
    return (set_index >= 12 && set_index <= 14) || set_index == 18 || set_index == 19;
}

bool all_in_set(const char* text, const char* allowed) {
    for (const char* c = text; *c != '\0'; ++c) {
        if (std::strchr(allowed, *c) == nullptr) {
            return false;
        }
    }
    return true;
}

// The leading decimal number of `text`, as a plain C conversion reads it but independent of the
// process locale and without hexadecimal, infinite or NaN forms. No number at all gives 0;
// `overflow` is set when the number is too large for a double.
double leading_double(const char* text, bool& overflow) {
    overflow = false;
    const char* begin = text;
    if (*begin == '+' && begin[1] != '+' && begin[1] != '-') {
        ++begin;
    }
    const char* digits = *begin == '-' ? begin + 1 : begin;
    if (!std::isdigit(static_cast<unsigned char>(*digits)) && *digits != '.') {
        return 0.0;
    }
    const char* end = begin + std::strlen(begin);
    double value = 0.0;
    const auto result = std::from_chars(begin, end, value, std::chars_format::general);
    if (result.ec == std::errc::invalid_argument) {
        return 0.0;
    }
    if (result.ec == std::errc::result_out_of_range) {
        // Either far too large or far too small: tell them apart by the exponent's sign.
        const char* exponent = begin;
        while (exponent < result.ptr && *exponent != 'e' && *exponent != 'E') {
            ++exponent;
        }
        const bool tiny = exponent + 1 < result.ptr && exponent[1] == '-';
        if (tiny) {
            return 0.0;
        }
        overflow = true;
        return 0.0;
    }
    return value;
}

// The leading decimal integer of `text`; `overflow` is set beyond the 32-bit range, and
// `value` then holds the nearest 32-bit value.
int leading_int32(const char* text, bool& overflow) {
    overflow = false;
    const char* begin = text;
    if (*begin == '+' && begin[1] != '+' && begin[1] != '-') {
        ++begin;
    }
    const char* end = begin + std::strlen(begin);
    long long value = 0;
    const auto result = std::from_chars(begin, end, value);
    if (result.ec == std::errc::invalid_argument) {
        return 0;
    }
    if (result.ec == std::errc::result_out_of_range || value > INT32_MAX || value < INT32_MIN) {
        overflow = true;
        return *begin == '-' ? INT32_MIN : INT32_MAX;
    }
    return static_cast<int>(value);
}

const char* skip_blanks(const char* text) {
    while (*text == ' ' || *text == '\t') {
        ++text;
    }
    return text;
}

char* walk_position = nullptr;

constexpr std::size_t directory_buffer_size = 4096;
char directory_buffer[directory_buffer_size];

} // namespace

void init_qv5_util(int missing_integer, bool metric_units, double feet_to_metres) {
    units.missing_integer = missing_integer;
    units.metric = metric_units;
    if (feet_to_metres > 0.0 && std::isfinite(feet_to_metres)) {
        units.feet_to_metres = feet_to_metres;
    }
}

int missing_integer_value() { return units.missing_integer; }

double text_to_double(const char* text) {
    if (text == nullptr) {
        return 0.0;
    }
    bool overflow = false;
    const double value = leading_double(skip_blanks(text), overflow);
    return overflow ? NOT_SET : value;
}

int text_to_int(const char* text) {
    if (text == nullptr) {
        return 0;
    }
    bool overflow = false;
    return leading_int32(skip_blanks(text), overflow);
}

void strip_space(char* text) {
    if (text == nullptr || text[0] == '\0') {
        return;
    }
    std::size_t start = 0;
    while (text[start] == ' ' || text[start] == '\t') {
        ++start;
    }
    std::size_t length = std::strlen(text + start);
    if (start > 0) {
        std::memmove(text, text + start, length + 1);
    }
    while (length > 0) {
        const auto code = static_cast<unsigned char>(text[length - 1]);
        if (code < 1 || code > 32) {
            break;
        }
        text[--length] = '\0';
    }
}

const char* character_set_chars(unsigned char set_index) {
    return set_index <= LAST_CHARACTER_SET ? character_sets[set_index] : nullptr;
}

double get_valid_double(char* text, unsigned char set_index) {
    if (text == nullptr) {
        return NOT_SET;
    }
    strip_space(text);
    if (text[0] == '\0' || text[0] == 'X' || text[0] == 'x') {
        return NOT_SET;
    }
    const char* allowed = character_set_chars(set_index);
    if (allowed == nullptr || !all_in_set(text, allowed)) {
        return NOT_SET;
    }
    bool overflow = false;
    double value = leading_double(text, overflow);
    if (overflow) {
        return NOT_SET;
    }
    if (zero_is_invalid(set_index) && value == 0.0) {
        return NOT_SET;
    }
    if (has_unit_letter(set_index)) {
        const char last = text[std::strlen(text) - 1];
        if ((last == 'f' || last == 'F') && units.metric) {
            value *= units.feet_to_metres;
        } else if ((last == 'm' || last == 'M') && !units.metric) {
            value /= units.feet_to_metres;
        }
    }
    // A conversion to metres or feet can still overflow what the text held.
    return std::isfinite(value) ? value : NOT_SET;
}

int get_valid_int32(char* text, unsigned char set_index) {
    if (text == nullptr) {
        return units.missing_integer;
    }
    strip_space(text);
    const char* allowed = character_set_chars(set_index);
    if (text[0] == '\0' || allowed == nullptr || !all_in_set(text, allowed)) {
        return units.missing_integer;
    }
    bool overflow = false;
    const int value = leading_int32(text, overflow);
    return overflow ? units.missing_integer : value;
}

namespace {

// Digits of |value| with `precision` decimals (fixed) or `precision` decimals after the first
// digit (scientific), rounded half away from zero as the data files have always been written:
// 7.125 gives 7.13, where a correctly rounding printf would give 7.12.
std::string rounded_digits(double magnitude, int precision, std::chars_format format) {
    constexpr int guard = 25;
    char text[1600];
    auto result = std::to_chars(text, text + sizeof text, magnitude, format, precision + guard);
    std::string digits(text, result.ptr);
    std::string exponent;
    if (format == std::chars_format::scientific) {
        const auto e = digits.find('e');
        exponent = digits.substr(e);
        digits.resize(e);
    }
    const std::size_t cut = digits.find('.') + 1 + static_cast<std::size_t>(precision);
    std::string tail = digits.substr(cut);
    bool up = tail[0] >= '5';
    if (tail.find_first_not_of('0', 1) == std::string::npos && tail[0] == '5') {
        // Seemingly a tie: look at the exact expansion, which can be 1074 decimals long.
        const int exact_precision = format == std::chars_format::fixed ? 1074 : 800;
        result = std::to_chars(text, text + sizeof text, magnitude, format, exact_precision);
        std::string exact(text, result.ptr);
        if (format == std::chars_format::scientific) {
            exact.resize(exact.find('e'));
        }
        up = exact[cut] >= '5';
    }
    digits.resize(precision > 0 ? cut : cut - 1);
    if (up) {
        int i = static_cast<int>(digits.size()) - 1;
        for (; i >= 0; --i) {
            if (digits[static_cast<std::size_t>(i)] == '.') {
                continue;
            }
            if (digits[static_cast<std::size_t>(i)] == '9') {
                digits[static_cast<std::size_t>(i)] = '0';
            } else {
                ++digits[static_cast<std::size_t>(i)];
                break;
            }
        }
        if (i < 0) {
            digits.insert(digits.begin(), '1');
            if (format == std::chars_format::scientific) {
                // 9.99E+00 became 10.00E+00: move the point back one place.
                const auto point = digits.find('.');
                if (point != std::string::npos) {
                    std::swap(digits[point - 1], digits[point]);
                    digits.pop_back();
                } else {
                    digits.pop_back();
                }
                int power = std::atoi(exponent.c_str() + 1) + 1;
                char buffer[16];
                std::snprintf(buffer, sizeof buffer, "e%+03d", power);
                exponent = buffer;
            }
        }
    }
    return digits + exponent;
}

std::string format_number(double value, int precision, std::chars_format format) {
    if (!std::isfinite(value) || precision < 0 || precision > 100) {
        char text[64];
        const auto result = std::to_chars(text, text + sizeof text, value);
        return std::string(text, result.ptr);
    }
    const std::string digits = rounded_digits(std::fabs(value), precision, format);
    return std::signbit(value) ? "-" + digits : digits;
}

} // namespace

std::string format_fixed(double value, int precision) {
    return format_number(value, precision, std::chars_format::fixed);
}

std::string format_exponent(double value, int precision) {
    std::string formatted = format_number(value, precision, std::chars_format::scientific);
    const auto e = formatted.find('e');
    if (e != std::string::npos) {
        formatted[e] = 'E';
    }
    return formatted;
}

double float_as_decimal(float value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    double result = 0.0;
    std::from_chars(text, end, result);
    return result;
}

void set_frequency_str(char* buffer, unsigned size, double value) {
    if (buffer == nullptr || size == 0) {
        return;
    }
    buffer[0] = '\0';
    if (value == NOT_SET) {
        return;
    }
    // Fixed notation of the largest double needs 309 digits before the point.
    char text[400];
    const std::string formatted = format_fixed(value, 8);
    std::size_t length = std::min(formatted.size(), sizeof text - 1);
    std::memcpy(text, formatted.data(), length);
    text[length] = '\0';
    if (const char* point = std::strchr(text, '.')) {
        const std::size_t keep = static_cast<std::size_t>(point - text) + 3;
        while (length > keep && text[length - 1] == '0') {
            text[--length] = '\0';
        }
    }
    const std::size_t count = length < size - 1 ? length : size - 1;
    std::memcpy(buffer, text, count);
    buffer[count] = '\0';
}

char* get_delimited_fields(char* text, char delimiter) {
    if (text != nullptr) {
        walk_position = text;
    } else if (walk_position == nullptr || *walk_position == '\0') {
        return nullptr;
    }
    char* field = walk_position;
    char* end = std::strchr(field, delimiter);
    if (end != nullptr && delimiter != '\0') {
        *end = '\0';
        walk_position = end + 1;
    } else {
        walk_position = field + std::strlen(field);
    }
    return field;
}

char* get_filename(char* path) {
    if (path == nullptr) {
        return nullptr;
    }
    char* slash = std::strrchr(path, '/');
    return slash ? slash + 1 : path;
}

const char* get_filename(const char* path) { return get_filename(const_cast<char*>(path)); }

std::string get_filename_c(const char* path) {
    return path ? std::string(get_filename(path)) : std::string();
}

char* get_extension(char* path) {
    if (path == nullptr) {
        return nullptr;
    }
    char* name = get_filename(path);
    char* dot = std::strrchr(name, '.');
    return dot ? dot : name + std::strlen(name);
}

const char* get_extension(const char* path) { return get_extension(const_cast<char*>(path)); }

std::string base_name(const char* path) {
    std::string name = get_filename_c(path);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos) {
        name.resize(dot);
    }
    return name;
}

std::string replace_extension(const char* path, const char* extension) {
    const std::string whole = path ? path : "";
    const std::size_t name_start = whole.size() - get_filename_c(path).size();
    const std::size_t dot = whole.rfind('.');
    const std::string stem =
        dot != std::string::npos && dot >= name_start ? whole.substr(0, dot) : whole;
    return stem + "." + extension;
}

bool has_extension(const char* path, const char* extension) {
    const std::string_view name = path ? get_filename(path) : "";
    const std::string_view wanted = extension;
    return name.size() >= wanted.size() &&
           equals_nocase(name.substr(name.size() - wanted.size()), wanted);
}

char upper_char(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

void fold_upper(char* text) {
    for (; *text != '\0'; ++text) {
        *text = upper_char(*text);
    }
}

bool equals_nocase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && starts_with_nocase(a, b);
}

bool starts_with_nocase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (upper_char(text[i]) != upper_char(prefix[i])) {
            return false;
        }
    }
    return true;
}

char* get_directory(const char* path) {
    directory_buffer[0] = '\0';
    if (path == nullptr) {
        return directory_buffer;
    }
    std::strncpy(directory_buffer, path, directory_buffer_size - 1);
    directory_buffer[directory_buffer_size - 1] = '\0';
    char* slash = std::strrchr(directory_buffer, '/');
    if (slash == nullptr) {
        directory_buffer[0] = '\0';
    } else if (slash == directory_buffer) {
        directory_buffer[1] = '\0'; // the root keeps its one separator
    } else {
        *slash = '\0';
    }
    return directory_buffer;
}

std::string form_number_text(double value, int decimals) {
    if (value == NOT_SET) {
        return {};
    }
    if (value == 0.0) {
        return "0.00";
    }
    if (std::fabs(value) >= 0.5 * std::pow(10.0, -decimals)) {
        return format_fixed(value, decimals);
    }
    return format_exponent(value, decimals);
}

std::string form_integer_text(int value) {
    if (value == -1 || value == 0 || value == 222) {
        return {};
    }
    return std::to_string(value);
}
