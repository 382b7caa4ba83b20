// Trimming, number checks and conversions, frequency texts, field walks and path parts.
#include "text_helpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

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
    EXPECT_EQ(stripped(" \t 12.5 \r\n"), "12.5");
    EXPECT_EQ(stripped("\t\t"), "");
    EXPECT_EQ(stripped("   "), "");
    EXPECT_EQ(stripped("a b"), "a b");
    // Leading control characters other than blank and tab stay; trailing ones go.
    EXPECT_EQ(stripped("\ra\x01\x1f"), "\ra");
    // Characters from 128 up are text.
    EXPECT_EQ(stripped("  caf\xe9\xa0 "), "caf\xe9\xa0");
    strip_space(nullptr);
    char empty[] = "";
    strip_space(empty);
    EXPECT_STREQ(empty, "");
}

TEST(GetValidDouble, PositiveSet) {
    EXPECT_EQ(valid_double("12.5", 3), 12.5);
    EXPECT_EQ(valid_double("  12.5\r\n", 3), 12.5);
    EXPECT_EQ(valid_double("-3", 3), NOT_SET);
    EXPECT_EQ(valid_double("1e3", 3), NOT_SET);
    EXPECT_EQ(valid_double("x", 3), NOT_SET);
    EXPECT_EQ(valid_double("", 3), NOT_SET);
    EXPECT_EQ(valid_double("0", 3), 0.0);
    EXPECT_EQ(valid_double("+7", 3), 7.0);
    EXPECT_EQ(valid_double(".5", 3), 0.5);
}

TEST(GetValidDouble, TrimsTheCallersText) {
    char text[] = "  -4.25 \t";
    EXPECT_EQ(get_valid_double(text, 4), -4.25);
    EXPECT_STREQ(text, "-4.25");
}

TEST(GetValidDouble, SetIsAListOfCharactersNotAGrammar) {
    EXPECT_EQ(valid_double("1-2", 4), 1.0);
    EXPECT_EQ(valid_double("1.2.3", 4), 1.2);
    EXPECT_EQ(valid_double("-", 4), 0.0);
    EXPECT_EQ(valid_double("+-3", 4), 0.0);
    EXPECT_EQ(valid_double("-0.75", 4), -0.75);
    EXPECT_EQ(valid_double("1e3", 2), 1000.0);
    EXPECT_EQ(valid_double("2.5E-2", 2), 0.025);
    EXPECT_EQ(valid_double("12 5", 15), 12.0);
    EXPECT_EQ(valid_double("12 5", 4), NOT_SET);
}

TEST(GetValidDouble, XMeansNoValue) {
    EXPECT_EQ(valid_double("X", 6), NOT_SET);
    EXPECT_EQ(valid_double("x12", 6), NOT_SET);
    // An x later in the text is only a character of the set: no hexadecimal numbers.
    EXPECT_EQ(valid_double("0x10", 5), 0.0);
    EXPECT_EQ(valid_double("12x", 5), 12.0);
}

TEST(GetValidDouble, SetsWithoutNumbersRejectEverything) {
    EXPECT_EQ(valid_double("1", 0), NOT_SET);
    EXPECT_EQ(valid_double("1", 1), NOT_SET);
    EXPECT_EQ(valid_double("1", 20), NOT_SET);
    EXPECT_EQ(valid_double("1", 255), NOT_SET);
}

TEST(GetValidDouble, ZeroIsInvalidInSets16To19) {
    for (int set_index : {16, 17, 18, 19}) {
        const auto set = static_cast<unsigned char>(set_index);
        EXPECT_EQ(valid_double("0", set), NOT_SET) << int(set);
        EXPECT_EQ(valid_double("0.000", set), NOT_SET) << int(set);
        EXPECT_EQ(valid_double("0.5", set), 0.5) << int(set);
    }
    EXPECT_EQ(valid_double("0", 7), 0.0);
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

TEST(GetValidDouble, UnitLettersConvertFeetInMetricUnits) {
    EXPECT_DOUBLE_EQ(valid_double("10f", 12), 3.048);
    EXPECT_DOUBLE_EQ(valid_double("10F", 19), 3.048);
    EXPECT_EQ(valid_double("10m", 12), 10.0);
    EXPECT_EQ(valid_double("10f", 4), NOT_SET);

    init_qv5_util(0, false, 0.3048);
    EXPECT_DOUBLE_EQ(valid_double("3.048m", 13), 10.0);
    // Near the largest double, metres to feet would overflow.
    EXPECT_EQ(valid_double("17" + std::string(307, '0') + "m", 13), NOT_SET);
    EXPECT_EQ(valid_double("10f", 13), 10.0);
    init_qv5_util(0, true, 0.3048);
}

TEST(GetValidDouble, OutOfRangeNumbers) {
    EXPECT_EQ(valid_double("1e999", 2), NOT_SET);
    EXPECT_EQ(valid_double("-1e999", 2), NOT_SET);
    EXPECT_EQ(valid_double("1e-999", 2), 0.0);
    const std::string huge = std::string(400, '9');
    EXPECT_EQ(valid_double(huge, 4), NOT_SET);
    EXPECT_EQ(get_valid_double(nullptr, 4), NOT_SET);
}

TEST(GetValidInt32, ConvertsTheLeadingInteger) {
    EXPECT_EQ(valid_int(" 42 ", 7), 42);
    EXPECT_EQ(valid_int("-42", 8), -42);
    EXPECT_EQ(valid_int("-42", 7), 0);
    EXPECT_EQ(valid_int("4.9", 4), 4);
    EXPECT_EQ(valid_int("1-2", 8), 1);
    EXPECT_EQ(valid_int("", 8), 0);
    EXPECT_EQ(valid_int("12a", 8), 0);
    EXPECT_EQ(valid_int("2147483647", 8), 2147483647);
    EXPECT_EQ(valid_int("-2147483648", 8), -2147483647 - 1);
    EXPECT_EQ(valid_int("2147483648", 8), 0);
    EXPECT_EQ(valid_int("99999999999999999999999", 8), 0);
    EXPECT_EQ(get_valid_int32(nullptr, 8), 0);
}

TEST(GetValidInt32, MissingValueComesFromTheSuite) {
    init_qv5_util(-1, true, 0.3048);
    EXPECT_EQ(missing_integer_value(), -1);
    EXPECT_EQ(valid_int("", 8), -1);
    EXPECT_EQ(valid_int("z", 8), -1);
    init_qv5_util(0, true, 0.3048);
    EXPECT_EQ(valid_int("z", 8), 0);
}

TEST(PlainConversion, ReadsTheLeadingNumberWhateverFollows) {
    EXPECT_EQ(text_to_double("0.001 // comment"), 0.001);
    EXPECT_EQ(text_to_double("  -85dBm"), -85.0);
    EXPECT_EQ(text_to_double("2.5e3x"), 2500.0);
    EXPECT_EQ(text_to_double("+.5"), 0.5);
    EXPECT_EQ(text_to_double("abc"), 0.0);
    EXPECT_EQ(text_to_double(""), 0.0);
    EXPECT_EQ(text_to_double(nullptr), 0.0);
    // Only decimal numbers: no hexadecimal, infinities or NaN.
    EXPECT_EQ(text_to_double("0x1p4"), 0.0);
    EXPECT_EQ(text_to_double("inf"), 0.0);
    EXPECT_EQ(text_to_double("-nan"), 0.0);
    EXPECT_EQ(text_to_double("1e400"), NOT_SET);
    EXPECT_EQ(text_to_double("1e-400"), 0.0);

    EXPECT_EQ(text_to_int(" 12, R1"), 12);
    EXPECT_EQ(text_to_int("-3"), -3);
    EXPECT_EQ(text_to_int("4.9"), 4);
    EXPECT_EQ(text_to_int("x"), 0);
    EXPECT_EQ(text_to_int("99999999999"), 2147483647);
    EXPECT_EQ(text_to_int("-99999999999"), -2147483647 - 1);
}

TEST(FormatNumbers, PointAndTwoDigitExponentWhateverTheLocale) {
    EXPECT_EQ(format_fixed(7.125, 2), "7.13");
    EXPECT_EQ(format_fixed(-85, 2), "-85.00");
    EXPECT_EQ(format_exponent(0.001, 2), "1.00E-03");
    EXPECT_EQ(format_exponent(-0.000001, 2), "-1.00E-06");
    EXPECT_EQ(format_exponent(1.5e-300, 2), "1.50E-300");
    EXPECT_EQ(format_fixed(1e300, 2).size(), 304u);
    EXPECT_EQ(format_fixed(0, 2), "0.00");
    EXPECT_EQ(format_fixed(-0.001, 2), "-0.00");
}

TEST(FormatNumbers, ExactTiesRoundAwayFromZero) {
    EXPECT_EQ(format_fixed(0.125, 2), "0.13");
    EXPECT_EQ(format_fixed(-0.125, 2), "-0.13");
    EXPECT_EQ(format_fixed(2.5, 0), "3");
    // 0.145 is stored a little below the tie and 0.135 a little above it.
    EXPECT_EQ(format_fixed(0.145, 2), "0.14");
    EXPECT_EQ(format_fixed(0.135, 2), "0.14");
    EXPECT_EQ(format_fixed(9.995, 2), "9.99");
    EXPECT_EQ(format_fixed(99.999, 2), "100.00");
    EXPECT_EQ(format_exponent(0.0012345, 2), "1.23E-03");
    EXPECT_EQ(format_exponent(0.00125, 2), "1.25E-03");
    EXPECT_EQ(format_exponent(0.0099999, 2), "1.00E-02");
    EXPECT_EQ(format_exponent(0.0009999999, 2), "1.00E-03");
    EXPECT_EQ(format_exponent(0.0, 2), "0.00E+00");
}

TEST(SetFrequencyStr, KeepsTwoToEightDecimals) {
    EXPECT_EQ(frequency(NOT_SET), "");
    EXPECT_EQ(frequency(1850.125), "1850.125");
    EXPECT_EQ(frequency(1850), "1850.00");
    EXPECT_EQ(frequency(7), "7.00");
    EXPECT_EQ(frequency(7.5), "7.50");
    EXPECT_EQ(frequency(7.123456789), "7.12345679");
    EXPECT_EQ(frequency(-0.5), "-0.50");
    EXPECT_EQ(frequency(0), "0.00");
}

TEST(SetFrequencyStr, StaysInsideTheBuffer) {
    EXPECT_EQ(frequency(1850.125, 5), "1850");
    EXPECT_EQ(frequency(1850.125, 1), "");
    const std::string big = frequency(1e300, 512);
    EXPECT_EQ(big.size(), 304u); // 301 digits, the point and two decimals
    std::string buffer(8, '#');
    set_frequency_str(buffer.data(), 8, std::numeric_limits<double>::max());
    EXPECT_EQ(std::strlen(buffer.c_str()), 7u);
    set_frequency_str(nullptr, 10, 1.0);
}

TEST(GetDelimitedFields, WalksFieldsIncludingEmptyOnes) {
    char line[] = "1,2,,4";
    EXPECT_STREQ(get_delimited_fields(line, ','), "1");
    EXPECT_STREQ(get_delimited_fields(nullptr, ','), "2");
    EXPECT_STREQ(get_delimited_fields(nullptr, ','), "");
    EXPECT_STREQ(get_delimited_fields(nullptr, ','), "4");
    EXPECT_EQ(get_delimited_fields(nullptr, ','), nullptr);
    EXPECT_EQ(get_delimited_fields(nullptr, ','), nullptr);
}

TEST(GetDelimitedFields, FinalDelimiterAndEmptyLine) {
    char line[] = "a,b,";
    EXPECT_STREQ(get_delimited_fields(line, ','), "a");
    EXPECT_STREQ(get_delimited_fields(nullptr, ','), "b");
    EXPECT_EQ(get_delimited_fields(nullptr, ','), nullptr);

    char empty[] = "";
    EXPECT_EQ(get_delimited_fields(empty, ','), empty);
    EXPECT_EQ(get_delimited_fields(nullptr, ','), nullptr);

    // Fields are not trimmed.
    char spaced[] = " 1 , 2 ";
    EXPECT_STREQ(get_delimited_fields(spaced, ','), " 1 ");
    EXPECT_STREQ(get_delimited_fields(nullptr, ','), " 2 ");
}

TEST(PathParts, FileName) {
    char path[] = "/data/radios.v5/Model 7.raf";
    EXPECT_STREQ(get_filename(path), "Model 7.raf");
    EXPECT_EQ(get_filename(path), path + 16);
    EXPECT_STREQ(get_filename("plain.rsd"), "plain.rsd");
    EXPECT_STREQ(get_filename("dir/"), "");
    EXPECT_EQ(get_filename_c("/a/b/c.adf"), "c.adf");
    EXPECT_EQ(get_filename_c("/a/b/"), "");
    EXPECT_EQ(get_filename_c(nullptr), "");
}

TEST(PathParts, Extension) {
    EXPECT_STREQ(get_extension("/a/b/radio.RAF"), ".RAF");
    EXPECT_STREQ(get_extension("radio.v2.rsd"), ".rsd");
    EXPECT_STREQ(get_extension("/data.v5/radio"), "");
    char path[] = "/data.v5/radio";
    EXPECT_EQ(get_extension(path), path + std::strlen(path));
    EXPECT_STREQ(get_extension("name."), ".");
}

TEST(PathParts, Directory) {
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

} // namespace
