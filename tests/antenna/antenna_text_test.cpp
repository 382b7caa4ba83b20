// The quick readings of the NSMA reader against the plain rules they stand for: a pattern data
// line read in place against the cleaned line read by the scans, and the one-pass trim against
// strip_space followed by the removal of a trailing comma.
#include "antenna_text.h"
#include "text_helpers.h"

#include <gtest/gtest.h>

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

// The rule: clean the line, then "%f", a comma, "%lf".
Point_Reading by_the_rule(const std::string& line) {
    Number_Line cleaned;
    clean_number_line(line.c_str(), cleaned);
    Point_Reading reading;
    const char* cursor = cleaned;
    reading.read = scan_float(cursor, reading.angle) && *cursor++ == ',' &&
                   scan_double(cursor, reading.value);
    return reading;
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
    // Blanks, plus signs, letters inside numbers, tabs: the cleaned line decides.
    EXPECT_EQ(quick("+1,2"), (Point_Reading{true, 1.0f, 2.0}));
    EXPECT_EQ(quick("1,2.x5"), (Point_Reading{true, 1.0f, 2.5}));
    EXPECT_EQ(quick("1,2e5"), (Point_Reading{true, 1.0f, 25.0}));
    EXPECT_EQ(quick("1,- 3"), (Point_Reading{true, 1.0f, -3.0}));
    EXPECT_EQ(quick("\t1,\t-3"), (Point_Reading{true, 1.0f, -3.0}));
    EXPECT_FALSE(quick("1 ,2").read);
    EXPECT_FALSE(quick("1").read);
    EXPECT_FALSE(quick(",2").read);
    EXPECT_FALSE(quick("").read);
    EXPECT_FALSE(quick("-,2").read);
    EXPECT_FALSE(quick("1,99999" + std::string(400, '9')).read); // beyond a double
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
