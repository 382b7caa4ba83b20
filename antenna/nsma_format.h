// The NSMA WG16.99.050 antenna text file (.adf, .dat and every extension no other antenna
// format claims): reader, pattern-cut blocks and writer.
#pragma once

#include "antenna_record.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class Error_Handler;
class string_list;

// What read_nsma_file found.
enum class Nsma_Read_Result { nsma, headerless };

// Why a text file is refused as neither an NSMA file nor a headerless pattern file.
inline constexpr const char* NOT_NSMA_TEXT = "Not an NSMA antenna file: no REVNUM or keyword line.";
inline constexpr const char* NOT_NSMA_OR_PATTERN_TEXT =
    "Not an NSMA antenna file: no REVNUM line, and no pattern data after a ten-line header.";

// Resets the record and fills it from the NSMA file at `path`. A file whose first significant
// line is no REVNUM line is read by the headerless pattern reader instead (the result says so).
// Raises `handler` when the file cannot be read or is no text file, and with code 104 (the
// record reset) when it holds no significant line at all (NOT_NSMA_TEXT) or is no pattern file
// either (NOT_NSMA_OR_PATTERN_TEXT). Raises Data_Syntax_Error* with the 1-based line at the
// first format fault; the record then keeps what was read before it. A text longer than the
// field of its row (DESCR1 holds 47 characters) is kept in part; each such cut is added to
// `texts_cut`, when given, as text_cut_warning tells it: "DESCR1 cut to 47 characters (25 lost)".
Nsma_Read_Result read_nsma_file(Antenna_Record& record, Error_Handler* handler, const char* path,
                                std::vector<std::string>* texts_cut = nullptr);
// The same from the file's bytes already read, `handler` armed for the file.
Nsma_Read_Result read_nsma_text(Antenna_Record& record, Error_Handler* handler, const char* path,
                                std::string_view text,
                                std::vector<std::string>* texts_cut = nullptr);

// The reader takes NUMCUT as it stands. When it claims more cuts than the record read holds,
// the file was probably cut short: "NUMCUT says 8, the file holds 5 cuts". Empty otherwise,
// also for records that did not come from an NSMA file (NUMCUT 0).
std::string nsma_cut_count_warning(const Antenna_Record& record);

// Reads the pattern-cut block that starts at `index` (the line whose unknown keyword had the
// value `cut_type`) and leaves `index` at the block's last line. Raises Data_Syntax_Error*.
void parse_pattern_cut(Antenna_Record& record, const string_list& lines, const char* cut_type,
                       int& index);

// Appends the record as NSMA text to `text`, line by line with CR LF line ends. Pattern values
// are written relative (DBR) whatever the record was read from.
void write_nsma_file(const Antenna_Record& record, std::string& text);

// Writes the NSMA text to `path` atomically; raises `handler` on failure, the file at `path`
// then unchanged.
void save_nsma_file(const Antenna_Record& record, Error_Handler* handler, const char* path);

// Andrew antennas without a stated size: "VHLP-800" models are 0.8 m, other models start with
// their size in feet, which becomes antenna_size and depth in metres. Only when antenna_size is
// NOT_SET and the manufacturer begins with "ANDREW".
void apply_andrew_size_rule(Antenna_Record& record);

// The record's place of a text row: its field and the field's size (the terminator included); a
// null text for the other rows.
struct Nsma_Text_Field {
    char* text;
    std::size_t size;
};
Nsma_Text_Field nsma_text_field(Antenna_Record& record, int row);
// The record's number of a real row (MDGAIN, held in two units, excepted); null for other rows.
double* nsma_real_field(Antenna_Record& record, int row);

// A text value as the reader gives it back, which the writer writes: no line feed and none of
// the control bytes that would make the file no text file, no blanks at the ends and no comma at
// the end, which the reader takes for a separator.
std::string nsma_text_value(std::string_view value);

// The value the form and the NSMA text give a row (0 to 42 of the keyword table).
std::string nsma_row_value(const Antenna_Record& record, int row);
// The number a real row holds, unrounded: MDGAIN in dBi; NOT_SET for the rows of other kinds.
double nsma_row_number(const Antenna_Record& record, int row);
