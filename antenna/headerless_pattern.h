// The headerless pattern file: a ten-line header and named pattern blocks, which the NSMA reader
// hands over to when a file does not begin with REVNUM.
#pragma once

#include <string>
#include <vector>

class Antenna_Record;
class string_list;

// Fills the reset record from the lines the NSMA reader loaded and cleaned (blanks stripped,
// one trailing comma removed). A pattern file is known by its data: lines that give no valid
// data line of a pattern block before their end or their first fault are no pattern file, and
// the result is false with the record reset. Once a data line was read, raises
// Data_Syntax_Error* (started by the NSMA reader) at a block that gives no cut name and count,
// an unknown cut name, a data line without two numbers, a line longer than 255 characters, and
// the end of the file inside a block. Header texts longer than their fields (manufacturer and
// model 47 characters, date 23) are kept in part and told in `texts_cut`, when given, under the
// NSMA keyword of the field: "MODNUM cut to 47 characters (3 lost)".
bool read_headerless_pattern_file(Antenna_Record& record, const string_list& lines,
                                  std::vector<std::string>* texts_cut = nullptr);
