// Text and number helpers of the antenna readers and writers: locale-independent conversions,
// the NSMA number rule and the cleaning of pattern data lines.
#pragma once

#include "text_helpers.h"

#include <cstddef>
#include <string>

// Reads the decimal number at the start of `text` (blanks before it skipped): sign, digits,
// point, exponent; no "inf", "nan" or hexadecimal forms. True when one was read; `value` then
// holds it and `end`, when given, points past it. A number beyond the range of a double is no
// number; one too small for it reads as 0.
bool leading_double(const char* text, double& value, const char** end = nullptr);
// The plain conversion of the readers: the leading number, or 0 when there is none.
double plain_double(const char* text);
// The leading integer (blanks and a sign allowed), held to the 32-bit range; 0 when none.
int plain_int(const char* text);
// A float as "%f" scans it: blanks skipped, then a number that must be a finite float. Advances
// `cursor` past it; false when there is none.
bool scan_float(const char*& cursor, float& value);
// The same for a double ("%lf").
bool scan_double(const char*& cursor, double& value);
// Skips blanks (a blank in a scan format matches any number of them, none included).
void skip_blanks(const char*& cursor);

// Deletes every double-quote character.
void remove_quotes(char* text);
// Removes one comma at the end of the text.
void remove_trailing_comma(char* text);

// The NSMA number rule: "" for NOT_SET and for values that are no finite number, "0.00" for 0,
// "%.2E" below 0.005 in magnitude and from 1e13 up (the fixed form of larger values would not
// read back to the same text, and would not fit a line), "%.2f" otherwise; always with a point.
// The rule is applied to the value the text reads back as, so that a written value writes the
// same again: 0.004996 is "0.01", as its "5.00E-03" would read back as 0.005.
std::string format_nsma_number(double value);

// The longest line the NSMA and headerless readers accept.
inline constexpr std::size_t MAX_LINE_LENGTH = 255;
// Keeps the characters of a pattern data line that numbers are made of: tabs become blanks,
// then only digits, "-", ".", "," and blanks are kept, without a blank at the start or after a
// kept "-"; an exponent ("E", an optional sign, a digit) straight after a number's digits is
// kept too, once per number. The lines are at most MAX_LINE_LENGTH characters, and so is what
// is kept. Returns how much of the cleaned text holds its numbers as the line wrote them: its
// length, or the place of the first character that a dropped one stood before, inside a number
// ("1x5", "2.+5", "1E5E3"); a number read across that place has another value than written.
using Number_Line = char[MAX_LINE_LENGTH + 1];
std::size_t clean_number_line(const char* line, Number_Line& cleaned);
// Reads an NSMA pattern data line, "angle,value": the line is cleaned as above, then the angle
// is read as a float and, straight after a comma, the value as a double; what follows is not
// looked at. False when the cleaning would change a number or the cleaned line does not begin
// that way. `end`, when given, gets the
// place in `line` after the value when the line needed no cleaning, else nullptr; a line that
// ends there is known to be short.
bool read_point_line(const char* line, float& angle, double& value, const char** end = nullptr);
// Strips blanks as strip_space does, then one comma at the end: the first step of the NSMA
// reader for every line. Returns the length left.
std::size_t trim_nsma_line(char* line);

// A pattern value as the NSMA writer gives it: "%.3f", and "0.000" rather than "-0.000", which
// would read back as a zero of the other sign.
std::string format_point_value(float value);
