// The version 5 ASCII radio file (.raf): identifiers, the keyword table, its reader and writer.
#pragma once

#include "raf_keywords.h"

#include <string>
#include <vector>

class Error_Handler;
class string_list;
struct Radio_Record;

inline constexpr const char* RAF_IDENTIFIERS[4] = {
    "QV50_ASCII_RADIO_SPEC_01", "QV50_ASCII_RADIO_SPEC_02", "QV50_ASCII_RADIO_SPEC_03",
    "QV50_ASCII_RADIO_SPEC_04"};
inline constexpr const char* RAF_END = "ENDFIL";
// Longest line the format allows.
inline constexpr std::size_t RAF_MAX_LINE = 255;

// Reads a version 5 ASCII radio file of any of its four versions into `record`, which the
// caller has reset. Format faults raise the program's Data_Syntax_Error (the record keeps what
// was read before the faulty line); a file that cannot be read raises `handler`.
void read_raf_file(Radio_Record& record, const char* path, Error_Handler* handler);

// Reads lines already in memory, as read_raf_file does after loading the file; `path` names the
// file in syntax errors. A text longer than its field is cut to it (the field sizes are the
// record's layout); each cut is told in `texts_cut`, when given, as text_cut_warning tells it.
void read_raf_lines(Radio_Record& record, string_list& lines, const char* path,
                    std::vector<std::string>* texts_cut = nullptr);

// The version 04 text of `record`, lines ended by CR LF.
std::string raf_text(const Radio_Record& record);

// Writes `record` as a version 04 ASCII radio file, replacing `path` only when the whole file was
// written. Failures raise `handler`.
void write_raf_file(const Radio_Record& record, const char* path, Error_Handler* handler);
