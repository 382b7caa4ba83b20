// Screen and chart defaults: their stored texts and how they are read.
#include "stored_metrics.h"

#include "ini_settings.h"
#include "qv5_extn.h"

#include <charconv>
#include <cstdio>
#include <cstring>

namespace {

// Reads a text the way a scanf format of numbers separated by commas does, locale-free.
class Field_Scanner {
public:
    explicit Field_Scanner(const char* text) : m_at(text != nullptr ? text : "") {}

    // "%d" (and "%u", "%hhu", whose values wrap): blanks, a sign, digits.
    bool next_integer(long long& value) {
        const char* at = skip_blanks(m_at);
        bool negative = false;
        if (*at == '+' || *at == '-') {
            negative = *at == '-';
            ++at;
        }
        if (*at < '0' || *at > '9') {
            return false;
        }
        long long result = 0;
        while (*at >= '0' && *at <= '9') {
            if (result < (1LL << 40)) {
                result = result * 10 + (*at - '0');
            }
            ++at;
        }
        value = negative ? -result : result;
        m_at = at;
        return true;
    }

    // "%lx": blanks, an optional 0x, hexadecimal digits.
    bool next_hex(uint32_t& value) {
        const char* at = skip_blanks(m_at);
        if (at[0] == '0' && (at[1] == 'x' || at[1] == 'X') && is_hex(at[2])) {
            at += 2;
        }
        unsigned long long result = 0;
        const auto parsed = std::from_chars(at, at + std::strlen(at), result, 16);
        if (parsed.ec != std::errc()) {
            return false;
        }
        value = static_cast<uint32_t>(result);
        m_at = parsed.ptr;
        return true;
    }

    // "%f": blanks, then a decimal number with a point.
    bool next_float(float& value) {
        const char* at = skip_blanks(m_at);
        if (*at == '+') {
            ++at;
        }
        double result = 0;
        const auto parsed =
            std::from_chars(at, at + std::strlen(at), result, std::chars_format::general);
        if (parsed.ec != std::errc()) {
            return false;
        }
        value = static_cast<float>(result);
        m_at = parsed.ptr;
        return true;
    }

    // A literal comma.
    bool comma() {
        if (*m_at != ',') {
            return false;
        }
        ++m_at;
        return true;
    }

private:
    static const char* skip_blanks(const char* at) {
        while (*at == ' ' || *at == '\t' || *at == '\n' || *at == '\r') {
            ++at;
        }
        return at;
    }
    static bool is_hex(char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    }

    const char* m_at;
};

std::string profile_key(int number) {
    char key[96];
    std::snprintf(key, sizeof key, "%s %02d", qv6_ex_string(IDS_PROFILE_METRICS), number);
    return key;
}

Log_Font default_font(int32_t height) {
    Log_Font font;
    font.height = height;
    font.weight = 400;
    font.char_set = 1;
    font.out_precision = 3;
    font.clip_precision = 2;
    font.quality = 0;
    font.pitch_and_family = 34;
    std::snprintf(font.face_name, sizeof font.face_name, "%s", "Arial");
    return font;
}

constexpr uint32_t default_chart_colours[15] = {
    0x00000000, 0x00007f00, 0x0000ff00, 0x00ff7f7f, 0x00be8c66, 0x004e8138, 0x00989898, 0x00ffffff,
    0x004e56e7, 0x00ff0000, 0x0000ff00, 0x00007fff, 0x000000ff, 0x0000c864, 0x00000000};

} // namespace

std::string format_font_metrics(int scale, uint32_t colour, const Log_Font& font) {
    char face[sizeof font.face_name + 1] = {};
    std::memcpy(face, font.face_name, sizeof font.face_name);
    char text[256];
    std::snprintf(text, sizeof text, "%d,%d,%d,%d,%d,%d,%d,%u,%u,%u,%u,%u,%u,%u,%u,%s", scale,
                  static_cast<int>(colour), font.height, font.width, font.escapement,
                  font.orientation, font.weight, font.italic, font.underline, font.strike_out,
                  font.char_set, font.out_precision, font.clip_precision, font.quality,
                  font.pitch_and_family, face);
    return text;
}

void parse_font_metrics(const char* text, int& scale, uint32_t& colour, Log_Font& font) {
    if (text == nullptr) {
        return;
    }
    Field_Scanner scan(text);
    long long value = 0;
    int32_t* const integers[5] = {&font.height, &font.width, &font.escapement, &font.orientation,
                                  &font.weight};
    uint8_t* const bytes[8] = {&font.italic,         &font.underline,      &font.strike_out,
                               &font.char_set,       &font.out_precision, &font.clip_precision,
                               &font.quality,        &font.pitch_and_family};
    bool reading = true;
    for (int field = 0; field < 15 && reading; ++field) {
        if ((field > 0 && !scan.comma()) || !scan.next_integer(value)) {
            reading = false;
            break;
        }
        if (field == 0) {
            scale = static_cast<int>(value);
        } else if (field == 1) {
            colour = static_cast<uint32_t>(value);
        } else if (field < 7) {
            *integers[field - 2] = static_cast<int32_t>(value);
        } else {
            *bytes[field - 7] = static_cast<uint8_t>(value);
        }
    }
    const char* last_comma = std::strrchr(text, ',');
    if (last_comma != nullptr) {
        std::memset(font.face_name, 0, sizeof font.face_name);
        std::snprintf(font.face_name, sizeof font.face_name, "%s", last_comma + 1);
    }
}

void getdefault_screen_metrics(Log_Font* font, uint32_t* colour, int* scale) {
    if (font == nullptr || colour == nullptr || scale == nullptr) {
        return;
    }
    const std::string fallback = format_font_metrics(100, 0, default_font(-13));
    const std::string stored =
        ReadINIfile(IDS_DISPLAY_OPTIONS, IDS_SCREEN_METRICS, fallback.c_str());
    parse_font_metrics(stored.c_str(), *scale, *colour, *font);
}

void getdefault_profile_metrics(tag_profile_metrics* metrics) {
    if (metrics == nullptr) {
        return;
    }
    const char* section = qv6_ex_string(IDS_DISPLAY_OPTIONS);
    const std::string font_fallback = format_font_metrics(130, 0, default_font(0));
    for (int number = 1; number <= 2; ++number) {
        const std::string stored =
            ReadINIfile(section, profile_key(number).c_str(), font_fallback.c_str());
        if (number == 1) {
            parse_font_metrics(stored.c_str(), metrics->font_1_scale, metrics->font_1_colour,
                               metrics->font_1);
        } else {
            parse_font_metrics(stored.c_str(), metrics->font_2_scale, metrics->font_2_colour,
                               metrics->font_2);
        }
    }

    std::string colours_fallback;
    for (const uint32_t colour : default_chart_colours) {
        char item[16];
        std::snprintf(item, sizeof item, "0x%08x,", colour);
        colours_fallback += item;
    }
    const std::string colours = ReadINIfile(section, profile_key(3).c_str(),
                                            colours_fallback.c_str());
    Field_Scanner colour_scan(colours.c_str());
    for (int index = 0; index < 15; ++index) {
        if ((index > 0 && !colour_scan.comma()) || !colour_scan.next_hex(metrics->colours[index])) {
            break;
        }
    }

    const std::string layout =
        ReadINIfile(section, profile_key(4).c_str(), "1,0.35,0.45,0.35,0.35,0.35,0");
    Field_Scanner layout_scan(layout.c_str());
    long long flag = 0;
    if (!layout_scan.next_integer(flag)) {
        return;
    }
    metrics->flag_1 = flag == 1;
    for (float& proportion : metrics->proportions) {
        if (!layout_scan.comma() || !layout_scan.next_float(proportion)) {
            return;
        }
    }
    if (layout_scan.comma() && layout_scan.next_integer(flag)) {
        metrics->flag_2 = flag == 1;
    }
}
