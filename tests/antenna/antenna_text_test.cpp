// The quick readings of the NSMA reader against the plain rules they stand for: a pattern data
// line read in place against the cleaned line read by the scans, and the one-pass trim against
// strip_space followed by the removal of a trailing comma.
#include "antenna_text.h"
#include "text_helpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

struct Point_Reading {
    bool read = false;
    float angle = 0.0f;
    double value = 0.0;

    // Bit for bit, so that a zero of the wrong sign or a value one unit off is told apart.
    bool operator==(const Point_Reading& other) const {
        if (read != other.read) {
            return false;
        }
        return !read || (std::memcmp(&angle, &other.angle, sizeof angle) == 0 &&
                         std::memcmp(&value, &other.value, sizeof value) == 0);
    }
};

std::ostream& operator<<(std::ostream& out, const Point_Reading& reading) {
    return out << (reading.read ? "" : "no point ") << reading.angle << ", " << reading.value;
}

Point_Reading quick(const std::string& line) {
    Point_Reading reading;
    reading.read = read_point_line(line.c_str(), reading.angle, reading.value);
    return reading;
}

// The rule: clean the line, refused when that changes a number, then "%f", a comma, "%lf".
Point_Reading by_the_rule(const std::string& line) {
    Number_Line cleaned;
    const std::size_t as_written = clean_number_line(line.c_str(), cleaned);
    Point_Reading reading;
    const char* cursor = cleaned;
    reading.read = scan_float(cursor, reading.angle) && *cursor++ == ',' &&
                   scan_double(cursor, reading.value) &&
                   static_cast<std::size_t>(cursor - cleaned) <= as_written;
    return reading;
}

TEST(CleanNumberLine, KeepsExponentsAndRefusesCharactersInsideNumbers) {
    const struct {
        const char* line;
        const char* cleaned;
        std::size_t as_written;
    } cases[] = {
        {"0,-1.5E-01,", "0,-1.5E-01,", 11},
        {"\t-2.5e+01 dB", "-2.5e+01 ", 9},
        {"3E2 4.E1", "3E2 4.E1", 8},
        {"+5,- 3", "5,-3", 4},
        // Letters that are no exponent: where they stand nothing is joined.
        {"E5 1", "5 1", 3},
        {"1 E5", "1 5", 3},
        {"1e+,2E", "1,2", 3},
        {"1x,\"5\"", "1,5", 3},
        // Dropped characters between parts of a number: the first such place.
        {"1E5E3", "1E53", 3},
        {"0,2.x5", "0,2.5", 4},
        {"1+5", "15", 1},
        {"1,2/5,7/8", "1,25,78", 3},
        {"1\"5", "15", 1},
        {"1\xb0" "5", "15", 1},
    };
    for (const auto& c : cases) {
        Number_Line cleaned;
        EXPECT_EQ(clean_number_line(c.line, cleaned), c.as_written) << c.line;
        EXPECT_STREQ(cleaned, c.cleaned) << c.line;
    }
}

TEST(PointLine, PlainLinesAreReadAsTheRuleReadsThem) {
    for (const char* line :
         {"-180.00,-70.00", "0.00,0.00", "-0.00,-0.00", "0.1,0.3", "179.99,-45.27", "5.,6.",
          ".5,-.5", "1,2,3", "1.5,2.25,", "12.345678,-0.000001", "359.9999999,-99.99999999999",
          // Digits beyond what one division rounds exactly, in either number.
          "16777217,1", "16777216.5,1", "0.12345678901,1", "1,9007199254740993",
          "1,0.00000000000000000000001", "1,12345678901234567890", "1e3,2"}) {
        EXPECT_EQ(quick(line), by_the_rule(line)) << line;
    }
}

TEST(PointLine, LinesThatNeedCleaningAreCleanedFirst) {
    // Blanks, plus signs, letters, tabs, exponents: the cleaned line decides.
    const Point_Reading none;
    const struct {
        std::string line;
        Point_Reading reading;
    } cases[] = {
        {"+1,2", {true, 1.0f, 2.0}},
        {"1,- 3", {true, 1.0f, -3.0}},
        {"\t1,\t-3", {true, 1.0f, -3.0}},
        {"1,-3dB", {true, 1.0f, -3.0}},
        {"0,-1.5E-01", {true, 0.0f, -0.15}},
        {"0,-2.5E+01", {true, 0.0f, -25.0}},
        {"3E2,-2.5e+01", {true, 300.0f, -25.0}},
        {"1,2e5", {true, 1.0f, 200000.0}},
        {"1.5e-1, 5.E1", {true, 0.15f, 50.0}},
        {"1E-5,2", {true, 1e-5f, 2.0}},
        {"1,2E", {true, 1.0f, 2.0}},
        {"1,2.x5", none},
        {"1,2+5", none},
        {"1,1E5E3", none},
        {"1 ,2", none},
        {"1", none},
        {",2", none},
        {"", none},
        {"-,2", none},
        {"1,99999" + std::string(400, '9'), none}, // beyond a double
        {"1,1E400", none},
        // Only the two numbers count: a third field is not looked at.
        {"1,2,3x4", {true, 1.0f, 2.0}},
        {"1, 2,3x4", {true, 1.0f, 2.0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(quick(c.line), c.reading) << c.line;
    }
}

// Numbers as other tools print them, fixed and in exponent form, read back as the C library
// reads the same text, and the exact forms as the number printed.
TEST(PointLine, PrintedNumbersReadBackInEveryForm) {
    const auto printed = [](const char* format, double number) {
        char text[64];
        std::snprintf(text, sizeof text, format, number);
        return std::string(text);
    };
    std::mt19937 random(20261207);
    std::uniform_real_distribution<double> uniform(-1.0, 1.0);
    std::uniform_int_distribution<int> scale(-8, 8);
    for (int n = 0; n < 20000; ++n) {
        const auto angle = static_cast<float>(360.0 * uniform(random));
        const auto value = static_cast<float>(uniform(random) * std::pow(10.0, scale(random)));
        for (const char* format : {"%g", "%e", "%E", "%.3f", "%.9g", "%.8E"}) {
            const std::string a = printed(format, angle);
            const std::string v = printed(format, value);
            const Point_Reading expected{true, std::strtof(a.c_str(), nullptr),
                                         std::strtod(v.c_str(), nullptr)};
            ASSERT_EQ(quick(a + "," + v), expected) << a << "," << v;
            // The headerless layout: the two numbers after blanks.
            Number_Line cleaned;
            const std::string line = "\t" + a + "  " + v;
            const std::size_t as_written = clean_number_line(line.c_str(), cleaned);
            ASSERT_EQ(as_written, std::strlen(cleaned)) << line;
            const char* cursor = cleaned;
            float first = 0.0f;
            float second = 0.0f;
            ASSERT_TRUE(scan_float(cursor, first) && scan_float(cursor, second)) << cleaned;
            ASSERT_EQ(first, expected.angle) << a;
            ASSERT_EQ(second, std::strtof(v.c_str(), nullptr)) << v;
            if (format[1] == '.' && format[2] != '3') {
                ASSERT_EQ(first, angle) << a;
                ASSERT_EQ(second, value) << v;
            }
        }
    }
}

TEST(PointLine, RandomLinesAgreeWithTheRule) {
    // Lines mostly of number characters, so that both the in-place reading and the cleaning
    // are taken, with the odd character that makes the difference between them.
    static const char common[] = "0123456789012345678901234567890123456789..,,--";
    static const char rare[] = " \t+eExa;\r";
    std::mt19937 random(20261206);
    for (int n = 0; n < 200000; ++n) {
        std::string line;
        const auto length = random() % 24;
        for (unsigned i = 0; i < length; ++i) {
            line += random() % 16 == 0 ? rare[random() % (sizeof rare - 1)]
                                       : common[random() % (sizeof common - 1)];
        }
        ASSERT_EQ(quick(line), by_the_rule(line)) << '"' << line << '"';
    }
}

TEST(PointLine, TheEndIsGivenOnlyForLinesReadInPlace) {
    float angle = 0.0f;
    double value = 0.0;
    const char* end = nullptr;
    const std::string plain = "1.5,-2.25";
    ASSERT_TRUE(read_point_line(plain.c_str(), angle, value, &end));
    EXPECT_EQ(end, plain.c_str() + plain.size());
    const std::string third = "1.5,-2.25,7";
    ASSERT_TRUE(read_point_line(third.c_str(), angle, value, &end));
    EXPECT_EQ(end, third.c_str() + 9);
    ASSERT_TRUE(read_point_line(" 1.5,-2.25", angle, value, &end));
    EXPECT_EQ(end, nullptr);
}

std::string trimmed_by_the_rule(std::string text) {
    text.push_back('\0');
    strip_space(text.data());
    remove_trailing_comma(text.data());
    return text.c_str();
}

TEST(TrimNsmaLine, AgreesWithStripSpaceAndOneComma) {
    for (const char* line : {"", " ", "a", "  a  ", "a,", "a,,", "a, ,", ",", " ,", "\t,\t",
                             "a,\r", "x\x01", "\x7f,", " ,a, "}) {
        std::string text = line;
        text.push_back('\0');
        const std::size_t length = trim_nsma_line(text.data());
        EXPECT_STREQ(text.c_str(), trimmed_by_the_rule(line).c_str()) << '"' << line << '"';
        EXPECT_EQ(length, std::strlen(text.c_str()));
    }
    static const char characters[] = " \t,ab\r\x1f\x20\x21";
    std::mt19937 random(7);
    for (int n = 0; n < 50000; ++n) {
        std::string line;
        const auto length = random() % 10;
        for (unsigned i = 0; i < length; ++i) {
            line += characters[random() % (sizeof characters - 1)];
        }
        std::string text = line;
        text.push_back('\0');
        trim_nsma_line(text.data());
        ASSERT_EQ(std::string(text.c_str()), trimmed_by_the_rule(line)) << '"' << line << '"';
    }
}

} // namespace
