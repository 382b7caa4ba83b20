// Text and number helpers of the antenna formats.
//
// The program runs under a toolkit that sets the process locale from the user's environment, so
// nothing here uses the locale-dependent C conversions (atof, sscanf, printf): a German desktop
// must still read and write "3.50".
#include "antenna_text.h"

#include "text_helpers.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <system_error>
#include <type_traits>

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

std::size_t clean_number_line(const char* line, Number_Line& cleaned) {
    // Every cut point passes through here: a plain loop over a fixed buffer.
    std::size_t length = 0;
    bool digit_in_number = false;    // the number being kept has a digit
    bool exponent_in_number = false; // ... and already its exponent
    bool dropped = false;            // a character was dropped since the last one kept
    std::size_t joined = MAX_LINE_LENGTH + 1;
    const auto number_char = [](char c) { return is_digit(c) || c == '.'; };
    for (const char* p = line; *p != '\0' && length < MAX_LINE_LENGTH; ++p) {
        char c = *p;
        if (c == '\t') {
            c = ' ';
        }
        if ((c == 'e' || c == 'E') && p != line && number_char(p[-1]) && !dropped &&
            digit_in_number && !exponent_in_number) {
            // An exponent straight after the digits it scales: "1.5E-01" is 0.15, not 1.501.
            const bool sign = p[1] == '+' || p[1] == '-';
            if (is_digit(p[sign ? 2 : 1])) {
                if (length + (sign ? 2 : 1) >= MAX_LINE_LENGTH) {
                    break;
                }
                cleaned[length++] = c;
                if (sign) {
                    cleaned[length++] = *++p;
                }
                exponent_in_number = true;
                continue;
            }
        }
        if (c == ' ') {
            if (length == 0 || cleaned[length - 1] == '-') {
                continue;
            }
        } else if (!is_digit(c) && c != '-' && c != '.' && c != ',') {
            dropped = true;
            continue;
        }
        if (number_char(c)) {
            // Characters dropped between two parts of a number would glue them into another.
            if (dropped && length > 0 && number_char(cleaned[length - 1]) && joined > length) {
                joined = length;
            }
            digit_in_number = digit_in_number || is_digit(c);
        } else {
            digit_in_number = false;
            exponent_in_number = false;
        }
        dropped = false;
        cleaned[length++] = c;
    }
    cleaned[length] = '\0';
    return std::min(joined, length);
}

namespace {

// A number written as the pattern lines of nearly every file write it: an optional minus, then
// digits with at most one point and at least one digit. `mantissa` gets the digits as an
// integer and `decimals` the number of digits after the point; `digits` counts them all.
struct Plain_Number {
    const char* begin = nullptr;
    const char* end = nullptr;
    std::uint64_t mantissa = 0;
    int digits = 0;
    int decimals = 0;
    bool negative = false;
};

[[gnu::always_inline]] inline bool plain_number(const char* p, Plain_Number& number) {
    number.begin = p;
    number.negative = *p == '-';
    p += number.negative ? 1 : 0;
    // The digits are gathered without a check: beyond 19 of them the mantissa has wrapped
    // round (unsigned arithmetic), and plain_value does not use it.
    std::uint64_t mantissa = 0;
    const char* digits = p;
    for (; is_digit(*p); ++p) {
        mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
    }
    int decimals = 0;
    const bool point = *p == '.';
    if (point) {
        const char* fraction = ++p;
        for (; is_digit(*p); ++p) {
            mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
        }
        decimals = static_cast<int>(p - fraction);
    }
    number.end = p;
    number.mantissa = mantissa;
    number.decimals = decimals;
    number.digits = static_cast<int>(p - digits) - (point ? 1 : 0);
    return number.digits > 0;
}

// The value of a plain number. When the digits and the power of ten are both exact in the
// floating-point type, one division rounds correctly and gives what from_chars gives; other
// numbers go through from_chars.
template <typename Number>
bool plain_value(const Plain_Number& number, Number& value) {
    static constexpr double double_powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                               1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                               1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    static constexpr float float_powers[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f,
                                             1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
    if constexpr (std::is_same_v<Number, float>) {
        if (number.mantissa <= (std::uint64_t{1} << 24) && number.digits <= 19 &&
            number.decimals <= 10) {
            const float result =
                static_cast<float>(number.mantissa) / float_powers[number.decimals];
            value = number.negative ? -result : result;
            return true;
        }
    } else {
        if (number.mantissa <= (std::uint64_t{1} << 53) && number.digits <= 19 &&
            number.decimals <= 22) {
            const double result =
                static_cast<double>(number.mantissa) / double_powers[number.decimals];
            value = number.negative ? -result : result;
            return true;
        }
    }
    const char* cursor = number.begin;
    return scan_number(cursor, value);
}

bool read_cleaned_point_line(const char* line, float& angle, double& value) {
    Number_Line cleaned;
    const std::size_t as_written = clean_number_line(line, cleaned);
    const char* cursor = cleaned;
    return scan_float(cursor, angle) && *cursor++ == ',' && scan_double(cursor, value) &&
           static_cast<std::size_t>(cursor - cleaned) <= as_written;
}

} // namespace

bool read_point_line(const char* line, float& angle, double& value, const char** end) {
    // Nearly every line is "-12.5,-30.25" as it stands: cleaning would keep it as it is, so the
    // numbers are read in place. Anything else (blanks, signs, letters, exponents, a third
    // field after a minus) is cleaned first, and a line that cleaning would change the value of
    // is no point.
    Plain_Number first;
    Plain_Number second;
    if (!plain_number(line, first) || *first.end != ',' || !plain_number(first.end + 1, second) ||
        (*second.end != '\0' && *second.end != ',')) {
        if (end != nullptr) {
            *end = nullptr;
        }
        return read_cleaned_point_line(line, angle, value);
    }
    if (end != nullptr) {
        *end = second.end;
    }
    return plain_value(first, angle) && plain_value(second, value);
}

std::size_t trim_nsma_line(char* line) {
    const char* start = line;
    while (*start == ' ' || *start == '\t') {
        ++start;
    }
    std::size_t length = std::strlen(start);
    // Trailing blanks and control characters: the codes 1 to 32.
    while (length > 0 && static_cast<unsigned char>(start[length - 1]) - 1u < 32u) {
        --length;
    }
    if (length > 0 && start[length - 1] == ',') {
        --length;
    }
    if (start != line) {
        std::memmove(line, start, length);
    }
    line[length] = '\0';
    return length;
}
