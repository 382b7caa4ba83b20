// Fuzz target for the string list and the text, number and path helpers of QV6_UT.
//
// The input is taken whole as the bytes of a text file (string_list::set_text), then line by
// line through the helpers. Each helper's documented promises are checked on the way; a broken
// promise aborts, so libFuzzer keeps the input.
#include "error_handler.h"
#include "fuzz_support.h"
#include "message_catalogue.h"
#include "string_list.h"
#include "text_helpers.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>


namespace {

// The lines and doubles handed to the helpers are capped so that one input stays quick.
constexpr std::size_t max_lines = 32;
constexpr std::size_t max_doubles = 16;

// A zero-terminated, writable copy of a text.
std::vector<char> writable(const std::string& text) {
    std::vector<char> copy(text.begin(), text.end());
    copy.push_back('\0');
    return copy;
}

bool is_blank(char c) { return c == ' ' || c == '\t'; }

bool documented_text_byte(unsigned char byte) {
    return byte >= 30 || byte == 0 || byte == 9 || byte == 10 || byte == 13 || byte == 26;
}

// ---- string_list -------------------------------------------------------------------------

// Splits the input into the lines the helpers get: from the list when the input is text, else
// cut at line feeds here.
std::vector<std::string> check_string_list(const uint8_t* data, std::size_t size) {
    const bool text = std::all_of(data, data + size, documented_text_byte);
    Error_Handler handler;
    handler.init_fileio("fuzz-input.txt");
    string_list list;
    std::vector<std::string> lines;
    try {
        list.set_text(&handler, reinterpret_cast<const char*>(data), size);
        KELVOR_CHECK(text);
    } catch (Error_Handler* raised) {
        KELVOR_CHECK(!text);
        KELVOR_CHECK(raised == &handler);
        KELVOR_CHECK(raised->get_error_code() == MSG_NOT_ASCII_TEXT);
        KELVOR_CHECK(list.empty());
        KELVOR_CHECK(list.count() == 0);
    }

    if (text) {
        // Lines end in line feeds (with a carriage return before or after them), or in carriage
        // returns alone when the text has no line feed: each line end makes a line, and so does
        // text after the last one.
        const auto feeds = static_cast<std::size_t>(std::count(data, data + size, '\n'));
        const std::size_t line_ends =
            feeds > 0 ? feeds : static_cast<std::size_t>(std::count(data, data + size, '\r'));
        const auto count = static_cast<std::size_t>(list.count());
        KELVOR_CHECK(count >= line_ends && count <= line_ends + 1);
        const char terminator = feeds > 0 ? '\n' : '\r';
        std::size_t longest = 0;
        for (int i = 0; i < list.count(); ++i) {
            const char* line = list[i];
            KELVOR_CHECK(line != nullptr);
            const std::size_t length = std::strlen(line);
            KELVOR_CHECK(std::memchr(line, terminator, length) == nullptr);
            longest = std::max(longest, length);
            if (lines.size() < max_lines) {
                lines.emplace_back(line, length);
            }
        }
        KELVOR_CHECK(list.get_maxstrlen() == longest);
        KELVOR_CHECK(longest <= size);
    } else {
        std::size_t start = 0;
        while (start < size && lines.size() < max_lines) {
            const auto* feed = static_cast<const uint8_t*>(std::memchr(data + start, '\n',
                                                                       size - start));
            const std::size_t end = feed ? static_cast<std::size_t>(feed - data) : size;
            // A line ends at its first zero, as every helper reads it.
            std::string line(reinterpret_cast<const char*>(data + start), end - start);
            line.resize(std::strlen(line.c_str()));
            lines.push_back(std::move(line));
            start = end + 1;
        }
    }

    list.clear();
    KELVOR_CHECK(list.empty());
    return lines;
}

// ---- strip_space -------------------------------------------------------------------------

void check_strip_space(const std::string& line) {
    std::vector<char> copy = writable(line);
    strip_space(copy.data());
    const std::size_t length = std::strlen(copy.data());
    KELVOR_CHECK(length <= line.size());
    if (length > 0) {
        KELVOR_CHECK(!is_blank(copy[0]));
        const auto last = static_cast<unsigned char>(copy[length - 1]);
        KELVOR_CHECK(last < 1 || last > 32);
    }
    // The result is the line without its leading blanks and tabs, cut at its end.
    std::size_t start = 0;
    while (start < line.size() && is_blank(line[start])) {
        ++start;
    }
    KELVOR_CHECK(line.compare(start, length, copy.data(), length) == 0);
    // Everything cut from the end was a code from 1 to 32.
    for (std::size_t i = start + length; i < line.size(); ++i) {
        const auto code = static_cast<unsigned char>(line[i]);
        KELVOR_CHECK(code >= 1 && code <= 32);
    }
    // Trimming twice changes nothing.
    std::vector<char> again(copy.begin(), copy.begin() + static_cast<std::ptrdiff_t>(length) + 1);
    strip_space(again.data());
    KELVOR_CHECK(std::strcmp(again.data(), copy.data()) == 0);
}

// ---- numbers -----------------------------------------------------------------------------

bool set_allows_minus(unsigned char set_index) {
    const char* chars = character_set_chars(set_index);
    return chars != nullptr && std::strchr(chars, '-') != nullptr;
}

void check_numbers(const std::string& line, std::vector<double>& values) {
    static constexpr unsigned char extra_sets[] = {20, 21, 32, 100, 255};
    std::vector<unsigned char> sets;
    for (unsigned char set = 0; set <= LAST_CHARACTER_SET; ++set) {
        sets.push_back(set);
    }
    sets.insert(sets.end(), std::begin(extra_sets), std::end(extra_sets));

    for (const unsigned char set : sets) {
        const bool known = set <= LAST_CHARACTER_SET;
        KELVOR_CHECK((character_set_chars(set) != nullptr) == known);

        std::vector<char> text = writable(line);
        const double value = get_valid_double(text.data(), set);
        // The text is left trimmed.
        KELVOR_CHECK(std::strlen(text.data()) <= line.size());
        if (value != NOT_SET) {
            KELVOR_CHECK(known && set >= 2);
            KELVOR_CHECK(std::isfinite(value));
            if (!set_allows_minus(set)) {
                KELVOR_CHECK(value >= 0.0);
            }
            if (values.size() < max_doubles) {
                values.push_back(value);
            }
        }

        text = writable(line);
        const int integer = get_valid_int32(text.data(), set);
        if (integer != missing_integer_value()) {
            KELVOR_CHECK(known && set >= 2);
            if (!set_allows_minus(set)) {
                KELVOR_CHECK(integer >= 0);
            }
        }
    }
    // A null text is no number.
    KELVOR_CHECK(get_valid_double(nullptr, 2) == NOT_SET);
    KELVOR_CHECK(get_valid_int32(nullptr, 7) == missing_integer_value());
}

void check_frequency_text(double value) {
    // The whole text first: room enough for any double.
    char full[512];
    std::memset(full, 0x55, sizeof full);
    set_frequency_str(full, sizeof full, value);
    KELVOR_CHECK(std::memchr(full, '\0', sizeof full) != nullptr);
    const std::size_t full_length = std::strlen(full);
    if (value == NOT_SET) {
        KELVOR_CHECK(full_length == 0);
    } else if (std::isfinite(value)) {
        // At least two decimals and at most eight, after a point.
        const char* point = std::strchr(full, '.');
        KELVOR_CHECK(point != nullptr);
        const std::size_t decimals = full_length - static_cast<std::size_t>(point - full) - 1;
        KELVOR_CHECK(decimals >= 2 && decimals <= 8);
        KELVOR_CHECK(std::strspn(point + 1, "0123456789") == decimals);
    }

    // Small buffers get the start of the same text, terminated, and nothing past their end.
    constexpr std::size_t guard = 8;
    for (unsigned size = 1; size <= 16; ++size) {
        char buffer[16 + guard];
        std::memset(buffer, 0x55, sizeof buffer);
        set_frequency_str(buffer, size, value);
        KELVOR_CHECK(std::memchr(buffer, '\0', size) != nullptr);
        const std::size_t length = std::strlen(buffer);
        KELVOR_CHECK(length == std::min<std::size_t>(full_length, size - 1));
        KELVOR_CHECK(std::memcmp(buffer, full, length) == 0);
        for (std::size_t i = size; i < sizeof buffer; ++i) {
            KELVOR_CHECK(buffer[i] == 0x55);
        }
    }
    // A zero size writes nothing at all.
    char untouched = 0x55;
    set_frequency_str(&untouched, 0, value);
    KELVOR_CHECK(untouched == 0x55);
}

// ---- delimited fields --------------------------------------------------------------------

void check_delimited_fields(const std::string& line, char delimiter) {
    std::vector<char> text = writable(line);
    // Delimiters in the text as the walk sees it: up to its first zero.
    const std::size_t length = std::strlen(text.data());
    const auto delimiters =
        delimiter == '\0' ? 0 : static_cast<std::size_t>(std::count(line.begin(),
                                                                      line.begin() + length,
                                                                      delimiter));
    const bool ends_with_delimiter = length > 0 && delimiter != '\0' && line[length - 1] == delimiter;
    const std::size_t expected =
        length == 0 ? 1 : delimiters + (ends_with_delimiter ? 0 : 1);

    std::string joined;
    std::size_t fields = 0;
    char* field = get_delimited_fields(text.data(), delimiter);
    KELVOR_CHECK(field != nullptr); // the first call always gives a field
    while (field != nullptr) {
        KELVOR_CHECK(field >= text.data() && field <= text.data() + length);
        if (delimiter != '\0') {
            KELVOR_CHECK(std::strchr(field, delimiter) == nullptr);
        }
        if (fields > 0) {
            joined.push_back(delimiter);
        }
        joined += field;
        ++fields;
        // More fields than bytes would mean the walk never ends.
        KELVOR_CHECK(fields <= length + 1);
        field = get_delimited_fields(nullptr, delimiter);
    }
    KELVOR_CHECK(fields == expected);
    if (ends_with_delimiter) {
        joined.push_back(delimiter);
    }
    KELVOR_CHECK(joined == std::string(line.c_str(), length));
    // A used-up walk stays used up.
    KELVOR_CHECK(get_delimited_fields(nullptr, delimiter) == nullptr);
}

// ---- paths -------------------------------------------------------------------------------

void check_paths(const std::string& line) {
    std::vector<char> text = writable(line);
    char* path = text.data();
    const std::size_t length = std::strlen(path);
    const char* last_slash = std::strrchr(path, '/');

    char* name = get_filename(path);
    KELVOR_CHECK(name == (last_slash ? last_slash + 1 : path));
    KELVOR_CHECK(std::strchr(name, '/') == nullptr);
    KELVOR_CHECK(get_filename(static_cast<const char*>(path)) == name);
    KELVOR_CHECK(get_filename_c(path) == name);

    char* extension = get_extension(path);
    KELVOR_CHECK(extension >= name && extension <= path + length);
    KELVOR_CHECK(*extension == '\0' || *extension == '.');
    if (*extension == '.') {
        KELVOR_CHECK(std::strchr(extension + 1, '.') == nullptr);
    } else {
        KELVOR_CHECK(std::strchr(name, '.') == nullptr);
    }
    KELVOR_CHECK(get_extension(static_cast<const char*>(path)) == extension);

    // The folder part of what fits the library's buffer (4095 characters).
    const std::string kept(path, std::min<std::size_t>(length, 4095));
    const std::size_t slash = kept.rfind('/');
    std::string expected;
    if (slash == 0) {
        expected = "/";
    } else if (slash != std::string::npos) {
        expected = kept.substr(0, slash);
    }
    const char* directory = get_directory(path);
    KELVOR_CHECK(directory != nullptr);
    KELVOR_CHECK(expected == directory);

    KELVOR_CHECK(get_filename(static_cast<char*>(nullptr)) == nullptr);
    KELVOR_CHECK(get_extension(static_cast<char*>(nullptr)) == nullptr);
    KELVOR_CHECK(get_filename_c(nullptr).empty());
    KELVOR_CHECK(get_directory(nullptr)[0] == '\0');
}

// Doubles worth writing whatever the input: the edges of the type and the "no value" mark.
const double edge_values[] = {
    NOT_SET,
    0.0,
    -0.0,
    0.005,
    -0.005,
    1e-9,
    123456789.123456789,
    1e300,
    -DBL_MAX,
    DBL_MAX,
    DBL_MIN,
    std::numeric_limits<double>::denorm_min(),
    std::numeric_limits<double>::infinity(),
    -std::numeric_limits<double>::infinity(),
    std::numeric_limits<double>::quiet_NaN(),
    -std::numeric_limits<double>::quiet_NaN(),
};

void check_is_text_byte_once() {
    static const bool checked = [] {
        for (int byte = 0; byte < 256; ++byte) {
            const auto b = static_cast<unsigned char>(byte);
            KELVOR_CHECK(is_text_byte(b) == documented_text_byte(b));
        }
        for (const double value : edge_values) {
            check_frequency_text(value);
        }
        return true;
    }();
    (void)checked;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    check_is_text_byte_once();

    // The unit settings come from the first bytes, as the programs would set them at start-up.
    int missing = 0;
    if (size >= 5) {
        std::memcpy(&missing, data + 1, sizeof missing);
    }
    init_qv5_util(missing, size == 0 || (data[0] & 1) == 0, 0.3048);

    const std::vector<std::string> lines = check_string_list(data, size);

    std::vector<double> values;
    for (const std::string& line : lines) {
        check_strip_space(line);
        check_numbers(line, values);
        check_paths(line);
        for (const char delimiter : {',', ';', '\t', ' ', '\0'}) {
            check_delimited_fields(line, delimiter);
        }
    }

    // The whole input as one text, delimited by its own first byte.
    const std::string whole(reinterpret_cast<const char*>(data), size);
    check_delimited_fields(whole, size > 0 ? static_cast<char>(data[0]) : ',');
    check_strip_space(std::string(whole.c_str()));

    // Doubles straight from the input bits: NaNs, infinities and huge values included.
    for (std::size_t offset = 0; offset + sizeof(double) <= size && values.size() < 2 * max_doubles;
         offset += sizeof(double)) {
        double value;
        std::memcpy(&value, data + offset, sizeof value);
        values.push_back(value);
    }
    for (const double value : values) {
        check_frequency_text(value);
    }
    return 0;
}
