// Trimming, number checks and conversions, frequency texts, field walks and path parts.
#include "text_helpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

// The helpers work in place: give each call its own copy.
double valid_double(std::string text, unsigned char set) { return get_valid_double(text.data(), set); }
int valid_int(std::string text, unsigned char set) { return get_valid_int32(text.data(), set); }

std::string stripped(std::string text) {
    strip_space(text.data());
    return text.c_str();
}

std::string frequency(double value, unsigned size = 64) {
    std::string buffer(size, '#');
    set_frequency_str(buffer.data(), size, value);
    return buffer.c_str();
}

TEST(StripSpace, TrimsBlanksTabsAndControlCharacters) {
    const struct {
        const char* text;
        const char* stripped;
    } cases[] = {
        {" \t 12.5 \r\n", "12.5"}, {"\t\t", ""}, {"   ", ""}, {"a b", "a b"}, {"", ""},
        // Leading control characters other than blank and tab stay; trailing ones go.
        {"\ra\x01\x1f", "\ra"},
        // Characters from 128 up are text.
        {"  caf\xe9\xa0 ", "caf\xe9\xa0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(stripped(c.text), c.stripped) << testing::PrintToString(std::string(c.text));
    }
    strip_space(nullptr);
}

TEST(GetValidDouble, ValuesByCharacterSet) {
    const struct {
        std::string text;
        int set;
        double value;
    } cases[] = {
        // Set 3: positive decimals.
        {"12.5", 3, 12.5}, {"  12.5\r\n", 3, 12.5}, {"-3", 3, NOT_SET}, {"1e3", 3, NOT_SET},
        {"x", 3, NOT_SET}, {"", 3, NOT_SET}, {"0", 3, 0.0}, {"+7", 3, 7.0}, {".5", 3, 0.5},
        // The set is a list of characters, not a grammar.
        {"1-2", 4, 1.0}, {"1.2.3", 4, 1.2}, {"-", 4, 0.0}, {"+-3", 4, 0.0}, {"-0.75", 4, -0.75},
        {"1e3", 2, 1000.0}, {"2.5E-2", 2, 0.025}, {"12 5", 15, 12.0}, {"12 5", 4, NOT_SET},
        // A leading x means no value; a later one is a character of the set: no hexadecimal.
        {"X", 6, NOT_SET}, {"x12", 6, NOT_SET}, {"0x10", 5, 0.0}, {"12x", 5, 12.0},
        // Sets without numbers reject everything.
        {"1", 0, NOT_SET}, {"1", 1, NOT_SET}, {"1", 20, NOT_SET}, {"1", 255, NOT_SET},
        // Zero is no value in sets 16 to 19.
        {"0", 16, NOT_SET}, {"0.000", 17, NOT_SET}, {"0", 18, NOT_SET}, {"0", 19, NOT_SET},
        {"0.5", 16, 0.5}, {"0.5", 19, 0.5}, {"0", 7, 0.0},
        // Feet in metric units.
        {"10f", 12, 0.3048 * 10}, {"10F", 19, 0.3048 * 10}, {"10m", 12, 10.0}, {"10f", 4, NOT_SET},
        // Out of range.
        {"1e999", 2, NOT_SET}, {"-1e999", 2, NOT_SET}, {"1e-999", 2, 0.0},
        {std::string(400, '9'), 4, NOT_SET},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(valid_double(c.text, static_cast<unsigned char>(c.set)), c.value)
            << '"' << c.text << "\" in set " << c.set;
    }
    EXPECT_EQ(get_valid_double(nullptr, 4), NOT_SET);
    // The caller's text is trimmed in place.
    char text[] = "  -4.25 \t";
    EXPECT_EQ(get_valid_double(text, 4), -4.25);
    EXPECT_STREQ(text, "-4.25");
}

TEST(GetValidDouble, EveryNumberSetAcceptsItsOwnCharactersOnly) {
    for (unsigned char set = 2; set <= LAST_CHARACTER_SET; ++set) {
        const std::string allowed = character_set_chars(set);
        EXPECT_NE(valid_double("5", set), NOT_SET) << int(set);
        EXPECT_EQ(valid_double("5;", set), NOT_SET) << int(set);
        EXPECT_EQ(valid_double("5-", set) != NOT_SET, allowed.find('-') != std::string::npos)
            << int(set);
        EXPECT_EQ(valid_double("5.5", set) != NOT_SET, allowed.find('.') != std::string::npos)
            << int(set);
    }
}

TEST(GetValidDouble, ImperialUnitsTakeMetresAsTheForeignUnit) {
    init_qv5_util(0, false, 0.3048);
    EXPECT_DOUBLE_EQ(valid_double("3.048m", 13), 10.0);
    // Near the largest double, metres to feet would overflow.
    EXPECT_EQ(valid_double("17" + std::string(307, '0') + "m", 13), NOT_SET);
    EXPECT_EQ(valid_double("10f", 13), 10.0);
    init_qv5_util(0, true, 0.3048);
}

TEST(GetValidInt32, ConvertsTheLeadingIntegerAndTheSuiteGivesTheMissingValue) {
    const struct {
        const char* text;
        int set;
        int value;
    } cases[] = {
        {" 42 ", 7, 42}, {"-42", 8, -42}, {"-42", 7, 0}, {"4.9", 4, 4}, {"1-2", 8, 1}, {"", 8, 0},
        {"12a", 8, 0}, {"2147483647", 8, 2147483647}, {"-2147483648", 8, -2147483647 - 1},
        {"2147483648", 8, 0}, {"99999999999999999999999", 8, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(valid_int(c.text, static_cast<unsigned char>(c.set)), c.value)
            << '"' << c.text << "\" in set " << c.set;
    }
    EXPECT_EQ(get_valid_int32(nullptr, 8), 0);

    init_qv5_util(-1, true, 0.3048);
    EXPECT_EQ(missing_integer_value(), -1);
    EXPECT_EQ(valid_int("", 8), -1);
    EXPECT_EQ(valid_int("z", 8), -1);
    init_qv5_util(0, true, 0.3048);
    EXPECT_EQ(valid_int("z", 8), 0);
}

TEST(PlainConversion, ReadsTheLeadingNumberWhateverFollows) {
    const struct {
        const char* text;
        double value;
    } doubles[] = {
        {"0.001 // comment", 0.001}, {"  -85dBm", -85.0}, {"2.5e3x", 2500.0}, {"+.5", 0.5},
        {"abc", 0.0}, {"", 0.0}, {nullptr, 0.0},
        // Only decimal numbers: no hexadecimal, infinities or NaN.
        {"0x1p4", 0.0}, {"inf", 0.0}, {"-nan", 0.0}, {"1e400", NOT_SET}, {"1e-400", 0.0},
    };
    for (const auto& c : doubles) {
        EXPECT_EQ(text_to_double(c.text), c.value) << (c.text ? c.text : "(null)");
    }
    const struct {
        const char* text;
        int value;
    } ints[] = {
        {" 12, R1", 12}, {"-3", -3}, {"4.9", 4}, {"x", 0}, {"99999999999", 2147483647},
        {"-99999999999", -2147483647 - 1},
    };
    for (const auto& c : ints) {
        EXPECT_EQ(text_to_int(c.text), c.value) << c.text;
    }
}

TEST(FormatNumbers, PointTwoDigitExponentAndExactTiesAwayFromZero) {
    const struct {
        double value;
        bool exponent;
        int decimals;
        const char* text;
    } cases[] = {
        {7.125, false, 2, "7.13"}, {-85, false, 2, "-85.00"}, {0, false, 2, "0.00"},
        {-0.001, false, 2, "-0.00"}, {0.125, false, 2, "0.13"}, {-0.125, false, 2, "-0.13"},
        {2.5, false, 0, "3"},
        // 0.145 is stored a little below the tie and 0.135 a little above it.
        {0.145, false, 2, "0.14"}, {0.135, false, 2, "0.14"}, {9.995, false, 2, "9.99"},
        {99.999, false, 2, "100.00"},
        {0.001, true, 2, "1.00E-03"}, {-0.000001, true, 2, "-1.00E-06"},
        {1.5e-300, true, 2, "1.50E-300"}, {0.0012345, true, 2, "1.23E-03"},
        {0.00125, true, 2, "1.25E-03"}, {0.0099999, true, 2, "1.00E-02"},
        {0.0009999999, true, 2, "1.00E-03"}, {0.0, true, 2, "0.00E+00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.exponent ? format_exponent(c.value, c.decimals)
                             : format_fixed(c.value, c.decimals),
                  c.text)
            << c.value;
    }
    EXPECT_EQ(format_fixed(1e300, 2).size(), 304u);
}

TEST(SetFrequencyStr, KeepsTwoToEightDecimalsInsideTheBuffer) {
    const struct {
        double value;
        unsigned size;
        const char* text;
    } cases[] = {
        {NOT_SET, 64, ""}, {1850.125, 64, "1850.125"}, {1850, 64, "1850.00"}, {7, 64, "7.00"},
        {7.5, 64, "7.50"}, {7.123456789, 64, "7.12345679"}, {-0.5, 64, "-0.50"}, {0, 64, "0.00"},
        {1850.125, 5, "1850"}, {1850.125, 1, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(frequency(c.value, c.size), c.text) << c.value << " in " << c.size;
    }
    EXPECT_EQ(frequency(1e300, 512).size(), 304u); // 301 digits, the point and two decimals
    std::string buffer(8, '#');
    set_frequency_str(buffer.data(), 8, std::numeric_limits<double>::max());
    EXPECT_EQ(std::strlen(buffer.c_str()), 7u);
    set_frequency_str(nullptr, 10, 1.0);
}

TEST(GetDelimitedFields, WalksFieldsIncludingEmptyOnesUntrimmed) {
    const struct {
        std::string line;
        std::vector<std::string> fields;
    } cases[] = {
        {"1,2,,4", {"1", "2", "", "4"}},
        {"a,b,", {"a", "b"}},
        {"", {""}},
        {" 1 , 2 ", {" 1 ", " 2 "}},
    };
    for (const auto& c : cases) {
        std::string line = c.line;
        std::vector<std::string> fields;
        for (const char* field = get_delimited_fields(line.data(), ','); field != nullptr;
             field = get_delimited_fields(nullptr, ',')) {
            fields.emplace_back(field);
        }
        EXPECT_EQ(fields, c.fields) << '"' << c.line << '"';
        EXPECT_EQ(get_delimited_fields(nullptr, ','), nullptr) << '"' << c.line << '"';
    }
}

TEST(PathParts, FileNameExtensionAndDirectory) {
    char path[] = "/data/radios.v5/Model 7.raf";
    EXPECT_EQ(get_filename(path), path + 16); // a pointer into the caller's text
    EXPECT_STREQ(get_filename("plain.rsd"), "plain.rsd");
    EXPECT_STREQ(get_filename("dir/"), "");
    EXPECT_EQ(get_filename_c("/a/b/c.adf"), "c.adf");
    EXPECT_EQ(get_filename_c("/a/b/"), "");
    EXPECT_EQ(get_filename_c(nullptr), "");

    EXPECT_STREQ(get_extension("/a/b/radio.RAF"), ".RAF");
    EXPECT_STREQ(get_extension("radio.v2.rsd"), ".rsd");
    EXPECT_STREQ(get_extension("name."), ".");
    char no_extension[] = "/data.v5/radio";
    EXPECT_EQ(get_extension(no_extension), no_extension + std::strlen(no_extension));

    EXPECT_STREQ(get_directory("/data/radios/a.raf"), "/data/radios");
    EXPECT_STREQ(get_directory("a.raf"), "");
    EXPECT_STREQ(get_directory("/a.raf"), "/");
    EXPECT_STREQ(get_directory("rel/dir/"), "rel/dir");
    EXPECT_STREQ(get_directory(nullptr), "");
    // The result lives in one buffer of the library, overwritten by the next call.
    const char* first = get_directory("/x/y");
    const char* second = get_directory("/p/q");
    EXPECT_EQ(first, second);
    EXPECT_STREQ(second, "/p");
}

TEST(PathParts, BaseNameAndExtensions) {
    struct Case {
        const char* path;
        const char* base;
        const char* replaced; // the extension "rsd" in place of the file name's own
        bool raf;             // has_extension(path, ".raf")
    } const cases[] = {
        {"/d.x/name.v1.raf", "name.v1", "/d.x/name.v1.rsd", true},
        {"/d.x/NAME.RAF", "NAME", "/d.x/NAME.rsd", true},
        {"/d.x/name", "name", "/d.x/name.rsd", false},
        {"/d.raf/name", "name", "/d.raf/name.rsd", false},
        {"/d/.raf", "", "/d/.rsd", true},
        {"x.raf.bak", "x.raf", "x.raf.rsd", false},
        {"raf", "raf", "raf.rsd", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(base_name(c.path), c.base);
        EXPECT_EQ(replace_extension(c.path, "rsd"), c.replaced);
        EXPECT_EQ(has_extension(c.path, ".raf"), c.raf);
    }
}

// Only a to z fold, as in the C locale: the files' other bytes are Windows-1252 letters that
// must not match by accident.
TEST(CaseFolding, OnlyAsciiLettersFold) {
    struct Case {
        const char* a;
        const char* b;
        bool equal;
        bool a_starts_with_b;
    } const cases[] = {
        {"TtoI_Same", "ttoi_same", true, true},  {"TtoI_Same", "TTOI_", false, true},
        {"TtoI", "TtoI_Same", false, false},     {"\xe9t\xe9", "\xc9T\xc9", false, false},
        {"", "", true, true},                    {"abc", "", false, true},
        {"a[", "A{", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " / " + c.b);
        EXPECT_EQ(equals_nocase(c.a, c.b), c.equal);
        EXPECT_EQ(starts_with_nocase(c.a, c.b), c.a_starts_with_b);
    }
    char text[] = "Mixed \xe9 case";
    fold_upper(text);
    EXPECT_STREQ(text, "MIXED \xe9 CASE");
}

TEST(FormNumbers, TextsOfNumbersAndIntegers) {
    struct Case {
        double value;
        int decimals;
        const char* text;
    };
    const Case numbers[] = {
        {NOT_SET, 2, ""},       {0.0, 2, "0.00"},      {0.0, 4, "0.00"},
        {12.5, 2, "12.50"},     {-85.0, 2, "-85.00"},  {0.006, 2, "0.01"},
        {-0.004, 2, "-4.00E-03"}, {0.00004, 4, "4.0000E-05"}, {0.0002, 4, "0.0002"},
    };
    for (const Case& c : numbers) {
        EXPECT_EQ(form_number_text(c.value, c.decimals), c.text) << c.value;
    }
    for (const int none : {-1, 0, 222}) {
        EXPECT_EQ(form_integer_text(none), "") << none;
    }
    EXPECT_EQ(form_integer_text(64), "64");
    EXPECT_EQ(form_integer_text(-5), "-5");
}

} // namespace
