// Windows-1252 to and from UTF-8.
#include "file_text.h"

#include <array>

namespace {

// The characters of the bytes 0x80 to 0x9F; the rest of the code page is Latin-1.
constexpr std::array<char16_t, 32> high_controls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t character_of(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? high_controls[byte - 0x80] : byte;
}

void append_utf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

std::optional<unsigned char> byte_of(char32_t c) {
    if (c == 0) {
        return std::nullopt;
    }
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<unsigned char>(c);
    }
    for (std::size_t i = 0; i < high_controls.size(); ++i) {
        if (high_controls[i] == c) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return std::nullopt;
}

// The next character of `text` from `at`, moving `at` past it; nullopt for invalid UTF-8
// (overlong forms, surrogates and values above U+10FFFF included).
std::optional<char32_t> next_character(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80) {
        return lead;
    }
    int length = 0;
    char32_t c = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 1;
        c = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 2;
        c = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 3;
        c = lead & 0x07;
    } else {
        return std::nullopt;
    }
    for (int i = 0; i < length; ++i) {
        if (at >= text.size()) {
            return std::nullopt;
        }
        const auto next = static_cast<unsigned char>(text[at]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        c = (c << 6) | (next & 0x3F);
        ++at;
    }
    constexpr char32_t smallest[] = {0, 0x80, 0x800, 0x10000};
    if (c < smallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return std::nullopt;
    }
    return c;
}

} // namespace

std::string file_text_to_utf8(const char* text, std::size_t size) {
    std::string result;
    result.reserve(size);
    for (std::size_t i = 0; i < size && text[i] != '\0'; ++i) {
        append_utf8(result, character_of(static_cast<unsigned char>(text[i])));
    }
    return result;
}

std::optional<std::string> utf8_to_file_text(std::string_view utf8, char32_t* refused) {
    std::string result;
    result.reserve(utf8.size());
    std::size_t at = 0;
    while (at < utf8.size()) {
        const auto c = next_character(utf8, at);
        const auto byte = c ? byte_of(*c) : std::nullopt;
        if (!byte) {
            if (refused != nullptr) {
                *refused = c ? *c : U'\uFFFD';
            }
            return std::nullopt;
        }
        result.push_back(static_cast<char>(*byte));
    }
    return result;
}
