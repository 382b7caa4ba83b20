// The version 4 radio files: the binary .mrs file, the version 4 ASCII .raf file and the keyword
// table they and the version 4 form share.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class Error_Handler;
class string_list;
struct Radio4_Record;
struct Radio4_Spec;

// The identifier of the .mrs file ("QVW40_RADIOSPEC" in older ones), NUL-padded to 16 bytes,
// followed by the record size. The older identifier is also the ASCII file's first line.
inline constexpr const char* MRS_IDENTIFIER = "QVW401RADIOSPEC";
inline constexpr const char* RADIO4_OLD_IDENTIFIER = "QVW40_RADIOSPEC";
inline constexpr std::size_t RADIO4_IDENTIFIER_LENGTH = 15;
inline constexpr std::size_t MRS_HEADER_SIZE = 20;
inline constexpr const char* RAF4_END = "ENDFIL";

// How a keyword's value is read and written.
enum class Raf4_Value {
    text,          // a text field, cut to the field
    number,        // a double
    data_rate,     // a double, or the product of two joined by x
    stability_ppm, // the stability in parts per million (the field holds percent)
    steps,         // NUM_ATPCSTEPS: a whole number held in a double
    radio_type,    // DIGRADIO_TYPE: NB_DIGITAL, PDH or SDH from the flags
    sd_operation,  // SD_OPERATION: IFC or BBS
    cochannel,     // COCHANNEL_OPERATION: YES or NO
    use_signature, // USE_SIGNATURE: YES or NO
};

struct Raf4_Keyword {
    const char* keyword;
    const char* description;     // the form's description of the value
    Raf4_Value value;
    std::size_t offset;          // of the field in Radio4_Spec (the flags byte for the flags)
    std::size_t size;            // of a text field's array
    unsigned char character_set; // the characters the form's editor accepts
    int width;                   // the form's editor takes width - 1 characters
};

inline constexpr int RAF4_KEYWORD_COUNT = 65;

// Keyword `index` (0 to 64) in the order of the form and the ASCII file.
const Raf4_Keyword& raf4_keyword(int index);
// The index of the keyword exactly `keyword`, or -1.
int find_raf4_keyword(const char* keyword);

// What a keyword of an ASCII file's line stands for: compared, ignoring case, with the
// beginning of `keyword`, first the 65 keywords, then the curve prefixes "TtoI_",
// "TX_EMISSION", "RX_SELECTIVITY", "RX_FILTER", "TX_FILTER" and "IRF_".
inline constexpr int RAF4_CURVE_LINE = -2;
inline constexpr int RAF4_UNKNOWN_LINE = -1;
int match_raf4_line(const char* keyword);

// True when a curve of this name can stand in an ASCII file and be read back as a curve: not
// empty, no blank, tab, line feed or other control character the reader refuses, and it begins
// with one of the curve prefixes.
bool raf4_curve_name_writable(const char* name);

// The value of keyword `index` as the ASCII writer writes it (and the form shows it): texts as
// stored; numbers empty for NOT_SET, "0.00" for zero, "%.2E" below 0.005, else "%.2f", with more
// decimals where two would change the value; the flags as their words.
std::string raf4_value_text(const Radio4_Spec& radio_spec, int index);

// Reads a version 4 ASCII radio file into `record`, which is reset first. A format fault raises
// the program's Data_Syntax_Error with the line (the record keeps what was read before it); a
// file that cannot be read raises `handler`. Derived curves in the file are not kept.
void read_raf4_file(Radio4_Record& record, const char* path, Error_Handler* handler);
// Reads lines already in memory as read_raf4_file does; `path` names the file in syntax errors.
// Texts and curve names longer than their fields are cut to them; each cut is told in
// `texts_cut`, when given, as text_cut_warning tells it ("curve NAME" for a curve name).
void read_raf4_lines(Radio4_Record& record, string_list& lines, const char* path,
                     std::vector<std::string>* texts_cut = nullptr);

// The version 4 ASCII text of `record`, lines ended by CR LF.
std::string raf4_text(const Radio4_Record& record);
// Why `record` cannot be written as a version 4 ASCII file that reads back, or empty when it can:
// a curve name that is not one of a curve (raf4_curve_name_writable), or a text holding a line
// feed (which would make a line of its own) or a control character the reader refuses.
std::string raf4_unwritable_reason(const Radio4_Record& record);
// Writes `record` as a version 4 ASCII file, replacing `path` only when the whole file was
// written. A record raf4_unwritable_reason finds fault with is refused (code 101, the reason as
// the handler's information text) before anything is written. Failures raise `handler`.
void write_raf4_file(const Radio4_Record& record, const char* path, Error_Handler* handler);

// Reads an .mrs file into `record`, which is reset first. A record stored longer than 923 bytes
// is cut and the rest skipped; counts are checked against the bytes left before anything is
// allocated. The masks and the calculated selectivity are read and dropped. Failures (a wrong
// identifier is code 104, a file too short for what it announces 123) raise `handler`, as do
// a file that cannot be read or is larger than MAX_BINARY_FILE_SIZE.
void read_mrs_file(Radio4_Record& record, const char* path, Error_Handler* handler);
// The same from the file's bytes already read, `handler` armed for the file.
void read_mrs_image(Radio4_Record& record, std::string_view image, Error_Handler* handler);

// Derives the missing values and the derived curves, writes the .mrs file, replacing `path` only
// when the whole file was written, and removes the derived curves again. On success the record
// keeps the derived values and the normalised emission curves; on failure it stays as it was.
// Failures raise `handler`.
void write_mrs_file(Radio4_Record& record, const char* path, Error_Handler* handler);

// The bytes of an .mrs file of `record` as it stands: no derivations.
std::string mrs_bytes(const Radio4_Record& record);

// Completes `record` as the .mrs writer does before writing: T/I values from the T/I curves and
// the modulation, the channel bandwidth from the emission designator, the spectrum bandwidth from
// the emission curve, the two default masks, the normalised emission curves and the calculated
// selectivity (derived curves left over from before are removed first).
void derive_radio4_record(Radio4_Record& record);
