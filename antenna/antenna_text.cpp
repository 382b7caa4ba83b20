// Text and number helpers of the antenna formats.
//
// The program runs under a toolkit that sets the process locale from the user's environment, so
// nothing here uses the locale-dependent C conversions (atof, sscanf, printf): a German desktop
// must still read and write "3.50".
#include "antenna_text.h"

#include "text_helpers.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <system_error>

namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}
bool is_space(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The extent of a decimal number starting at `p` (a sign, digits with one optional point, at
// least one digit, an optional exponent with digits). Returns the end, or `p` when there is
// none; `magnitude` gets the power of ten of the first significant digit, to tell an overflow
// from an underflow.
const char* number_end(const char* p, long& magnitude) {
    const char* q = p;
    if (*q == '+' || *q == '-') {
        ++q;
    }
    long integer_digits = 0;
    long leading_fraction_zeros = 0;
    bool significant = false;
    bool any_digit = false;
    while (is_digit(*q)) {
        any_digit = true;
        if (*q != '0' || significant) {
            significant = true;
            ++integer_digits;
        }
        ++q;
    }
    if (*q == '.') {
        ++q;
        while (is_digit(*q)) {
            any_digit = true;
            if (!significant) {
                if (*q == '0') {
                    ++leading_fraction_zeros;
                } else {
                    significant = true;
                }
            }
            ++q;
        }
    }
    if (!any_digit) {
        return p;
    }
    long exponent = 0;
    if (*q == 'e' || *q == 'E') {
        const char* e = q + 1;
        bool negative = false;
        if (*e == '+' || *e == '-') {
            negative = *e == '-';
            ++e;
        }
        if (is_digit(*e)) {
            while (is_digit(*e)) {
                if (exponent < 100000) {
                    exponent = exponent * 10 + (*e - '0');
                }
                ++e;
            }
            if (negative) {
                exponent = -exponent;
            }
            q = e;
        }
    }
    magnitude = (integer_digits > 0 ? integer_digits - 1 : -leading_fraction_zeros - 1) + exponent;
    return q;
}

template <typename Number>
bool convert(const char* begin, const char* end, long magnitude, Number& value) {
    if (*begin == '+') {
        ++begin; // from_chars takes a minus sign only
    }
    Number result{};
    const auto [ptr, ec] = std::from_chars(begin, end, result, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        if (magnitude > 0) {
            return false; // too large: no usable number
        }
        value = 0; // too small: as good as zero
        return true;
    }
    if (ec != std::errc() || ptr != end || !std::isfinite(result)) {
        return false;
    }
    value = result;
    return true;
}

template <typename Number>
bool scan_number(const char*& cursor, Number& value) {
    const char* p = cursor;
    skip_blanks(p);
    long magnitude = 0;
    const char* end = number_end(p, magnitude);
    if (end == p || !convert(p, end, magnitude, value)) {
        return false;
    }
    cursor = end;
    return true;
}

} // namespace

void skip_blanks(const char*& cursor) {
    while (is_space(*cursor)) {
        ++cursor;
    }
}

bool leading_double(const char* text, double& value, const char** end) {
    const char* cursor = text;
    double result = 0.0;
    if (text == nullptr || !scan_number(cursor, result)) {
        value = 0.0;
        return false;
    }
    value = result;
    if (end != nullptr) {
        *end = cursor;
    }
    return true;
}

double plain_double(const char* text) {
    double value = 0.0;
    leading_double(text, value);
    return value;
}

int plain_int(const char* text) {
    if (text == nullptr) {
        return 0;
    }
    const char* p = text;
    skip_blanks(p);
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    long long value = 0;
    while (is_digit(*p)) {
        value = value * 10 + (*p - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            value = static_cast<long long>(INT_MAX) + 1;
        }
        ++p;
    }
    if (negative) {
        value = -value;
    }
    if (value > INT_MAX) {
        value = INT_MAX;
    }
    return static_cast<int>(value);
}

bool scan_float(const char*& cursor, float& value) {
    return scan_number(cursor, value);
}
bool scan_double(const char*& cursor, double& value) {
    return scan_number(cursor, value);
}

char upper_char(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

void fold_upper(char* text) {
    for (; *text != '\0'; ++text) {
        *text = upper_char(*text);
    }
}

bool equals_nocase(const char* a, const char* b) {
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (upper_char(*a) != upper_char(*b)) {
            return false;
        }
    }
    return *a == *b;
}

bool starts_with_nocase(const char* text, const char* prefix) {
    for (; *prefix != '\0'; ++text, ++prefix) {
        if (*text == '\0' || upper_char(*text) != upper_char(*prefix)) {
            return false;
        }
    }
    return true;
}

void remove_quotes(char* text) {
    char* out = text;
    for (const char* in = text; *in != '\0'; ++in) {
        if (*in != '"') {
            *out++ = *in;
        }
    }
    *out = '\0';
}

void remove_trailing_comma(char* text) {
    const std::size_t length = std::strlen(text);
    if (length > 0 && text[length - 1] == ',') {
        text[length - 1] = '\0';
    }
}

std::string format_fixed(double value, int decimals) {
    char buffer[512];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return ec == std::errc() ? std::string(buffer, end) : std::string();
}

namespace {

std::string scientific_text(double value) {
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 2);
    std::string text(buffer, ec == std::errc() ? end : buffer);
    for (char& c : text) {
        c = upper_char(c);
    }
    return text;
}

std::string number_rule(double value) {
    if (value == NOT_SET || !std::isfinite(value)) {
        return {};
    }
    if (value == 0.0) {
        return "0.00";
    }
    const double magnitude = std::fabs(value);
    if (magnitude < 0.005 || magnitude >= 1e13) {
        return scientific_text(value);
    }
    return format_fixed(value, 2);
}

} // namespace

std::string format_nsma_number(double value) {
    std::string text = number_rule(value);
    // One more step from the value the text reads back as: after it the text is its own result.
    const std::string again = number_rule(plain_double(text.c_str()));
    return text.empty() || again == text ? text : again;
}

std::string format_point_value(float value) {
    std::string text = format_fixed(value, 3);
    return text == "-0.000" ? "0.000" : text;
}

void clean_number_line(const char* line, Number_Line& cleaned) {
    // Every cut point passes through here: a plain loop over a fixed buffer.
    std::size_t length = 0;
    for (const char* p = line; *p != '\0' && length < MAX_LINE_LENGTH; ++p) {
        char c = *p;
        if (c == '\t') {
            c = ' ';
        }
        if (c == ' ') {
            if (length == 0 || cleaned[length - 1] == '-') {
                continue;
            }
        } else if (!is_digit(c) && c != '-' && c != '.' && c != ',') {
            continue;
        }
        cleaned[length++] = c;
    }
    cleaned[length] = '\0';
}

std::string base_name(const char* path) {
    std::string name = get_filename_c(path);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos) {
        name.resize(dot);
    }
    return name;
}
