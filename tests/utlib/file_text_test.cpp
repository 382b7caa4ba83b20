#include "file_text.h"

#include <gtest/gtest.h>

#include <string>

TEST(FileText, DecodesTheCodePage) {
    const struct {
        std::string bytes;
        std::string utf8;
    } cases[] = {
        {"-40 \xB0"
         "C",
         "-40 \u00B0C"},
        {"\x80", "\u20AC"},
        {"\x96\x97", "\u2013\u2014"},
        {"\x81\x8D\x8F\x90\x9D", "\u0081\u008D\u008F\u0090\u009D"},
        {"\xFF", "\u00FF"},
        {"plain", "plain"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(file_text_to_utf8(c.bytes), c.utf8) << c.utf8;
        EXPECT_EQ(utf8_to_file_text(c.utf8), c.bytes) << c.utf8;
    }
}

TEST(FileText, EveryByteComesBack) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte) {
        all.push_back(static_cast<char>(byte));
    }
    EXPECT_EQ(utf8_to_file_text(file_text_to_utf8(all)), all);
}

TEST(FileText, FixedFieldEndsAtItsSizeOrFirstZero) {
    const char field[6] = {'A', 'B', '\0', 'C', 'D', 'E'};
    EXPECT_EQ(file_text_to_utf8(field, sizeof field), "AB");
    const char full[3] = {'x', 'y', 'z'};
    EXPECT_EQ(file_text_to_utf8(full, sizeof full), "xyz");
}

TEST(FileText, RefusesWhatTheCodePageCannotHold) {
    const struct {
        std::string utf8;
        char32_t refused;
    } cases[] = {
        {"gain \u03A9", U'\u03A9'},
        {"\U0001F4E1", U'\U0001F4E1'},
        {std::string("a\0b", 3), U'\0'},
        {"\xC3", U'\uFFFD'},
        {"\xC0\xAF", U'\uFFFD'},
        {"\xED\xA0\x80", U'\uFFFD'},
        {"\xF8\x88\x80\x80\x80", U'\uFFFD'},
    };
    for (const auto& c : cases) {
        char32_t refused = U'x';
        EXPECT_FALSE(utf8_to_file_text(c.utf8, &refused).has_value());
        EXPECT_EQ(refused, c.refused);
    }
}
