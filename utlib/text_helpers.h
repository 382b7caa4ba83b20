// Small text, number and path helpers shared by every reader, editor and form.
//
// They work in place on zero-terminated single-byte texts and never raise: a bad number comes
// back as NOT_SET (or the missing-integer value). Paths use '/' as the only separator.
#pragma once

#include "qv6_ut_export.h"

#include <cstddef>
#include <string>
#include <string_view>

// The "no value" number of every numeric record field; compared for exact equality.
inline constexpr double NOT_SET = 222.222;

// Highest character-set index that get_valid_double and get_valid_int32 know.
inline constexpr unsigned char LAST_CHARACTER_SET = 19;

// Settings the suite's programs hand over at start-up: the integer that stands for "no value",
// whether lengths are metric, and how many metres make a foot. Without the call the integer is 0,
// the units are metric and a foot is 0.3048 m.
QV6_UT_EXPORT void init_qv5_util(int missing_integer, bool metric_units, double feet_to_metres);
QV6_UT_EXPORT int missing_integer_value();

// Trims leading blanks and tabs and trailing characters with codes 1 to 32, in place.
// Nothing happens for a null or empty text.
QV6_UT_EXPORT void strip_space(char* text);

// The characters number set `set_index` allows (null for an unknown index; empty for 0 and 1).
QV6_UT_EXPORT const char* character_set_chars(unsigned char set_index);

// Trims the text in place and converts it when every character belongs to the set; otherwise,
// and for an empty text or one that starts with X, returns NOT_SET. A value too large for a
// double is NOT_SET as well.
QV6_UT_EXPORT double get_valid_double(char* text, unsigned char set_index);

// Trims the text in place and converts its leading integer when every character belongs to the
// set; otherwise (and beyond the 32-bit range) returns the missing-integer value.
QV6_UT_EXPORT int get_valid_int32(char* text, unsigned char set_index);

// The leading decimal number of `text` (blanks and tabs before it skipped; sign, digits, point,
// exponent), the rest ignored, as a plain C conversion reads it but independent of the process
// locale: no number gives 0, and hexadecimal, "inf" and "nan" are not numbers. A number too
// large for a double gives NOT_SET.
QV6_UT_EXPORT double text_to_double(const char* text);
// The leading decimal integer of `text` (blanks and tabs before it skipped, sign allowed); 0 when
// there is none; clamped to the 32-bit range.
QV6_UT_EXPORT int text_to_int(const char* text);

// `value` as printf's "%.*f" and "%.*E" write it, but always with a point as the decimal
// separator, whatever the process locale ("1.00E-03", "-85.00").
QV6_UT_EXPORT std::string format_fixed(double value, int precision);
QV6_UT_EXPORT std::string format_exponent(double value, int precision);

// A number as the data-entry forms show it: empty for NOT_SET; exactly 0 as "0.00"; otherwise
// with `decimals` decimals when its magnitude is at least half a unit of the last of them, and in
// exponent notation with that precision below ("1.00E-03").
QV6_UT_EXPORT std::string form_number_text(double value, int decimals);
// An integer cell of the forms: empty for -1, 0 and 222 (the values that mean none), else the
// number.
QV6_UT_EXPORT std::string form_integer_text(int value);

// A single-precision number as the double of its shortest decimal form (12.7f gives 12.7, not
// 12.699999809).
QV6_UT_EXPORT double float_as_decimal(float value);

// Writes `value` with up to eight decimals and at least two, trailing zeros dropped, a point as
// the decimal separator; the empty text for NOT_SET. The text is cut to fit `size`.
QV6_UT_EXPORT void set_frequency_str(char* buffer, unsigned size, double value);

// ASCII case folding and comparisons: the files' texts are single-byte, and only a to z fold
// (as strcasecmp does in the C locale, whatever the process locale).
QV6_UT_EXPORT char upper_char(char c);
QV6_UT_EXPORT void fold_upper(char* text);
QV6_UT_EXPORT bool equals_nocase(std::string_view a, std::string_view b);
QV6_UT_EXPORT bool starts_with_nocase(std::string_view text, std::string_view prefix);

// Walks a line field by field. The first call passes the line (which it changes: each delimiter
// found becomes a terminator); the next calls pass null and get the following fields, then null
// when the line is used up. Empty fields come back as empty texts; a final delimiter makes no
// last empty field. One walk at a time in the whole process.
QV6_UT_EXPORT char* get_delimited_fields(char* text, char delimiter);

// Pointer into `path` at its file-name part: after the last '/', or the whole text.
QV6_UT_EXPORT char* get_filename(char* path);
QV6_UT_EXPORT const char* get_filename(const char* path);
// The file-name part as a string; empty when the path ends with '/'.
QV6_UT_EXPORT std::string get_filename_c(const char* path);

// Pointer into `path` at the extension of its file-name part (the last dot, included), or at
// the terminating zero when the file name has no dot.
QV6_UT_EXPORT char* get_extension(char* path);
QV6_UT_EXPORT const char* get_extension(const char* path);

// The file-name part of `path` without its extension ("name.v1" for "/d.x/name.v1.raf").
QV6_UT_EXPORT std::string base_name(const char* path);
// `path` with the extension of its file name replaced by `extension` (given without the dot),
// or with it added when the file name has none.
QV6_UT_EXPORT std::string replace_extension(const char* path, const char* extension);
// True when the file name of `path` ends in `extension` (".rsd"), ignoring case.
QV6_UT_EXPORT bool has_extension(const char* path, const char* extension);

// The folder part of `path` without a final '/' ("/" for a file in the root, empty for a bare
// file name), in a buffer of the library that the next call overwrites.
QV6_UT_EXPORT char* get_directory(const char* path);
