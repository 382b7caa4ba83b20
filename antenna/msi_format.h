// The .msi antenna file, which comes in pairs with one polarization each ("...Vpol..." and
// "...Hpol..."): the reader of the first file and of its companion.
#pragma once

#include "antenna_record.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class Error_Handler;

// The question an elevation pattern that looks backwards raises, and its caption: the editor
// asks it (Yes mirrors the pattern).
inline constexpr const char* MSI_BACKWARDS_CAPTION = "File error";
inline constexpr const char* MSI_BACKWARDS_QUESTION =
    "Elevation pattern appears to be backwards. Do you want to correct it?";

// The answers to the questions a file raises while it is read. The caller fills them before the
// read (the editor with a callback that asks the user, the command-line tool from its options);
// the reader asks nobody.
struct Antenna_Read_Decisions {
    // An elevation pattern whose main beam lies above the horizon with no peak below it first
    // was probably stored with the opposite sign convention: mirrored when true, else kept as
    // the file has it.
    bool reverse_backwards = false;
    // When set, called for each such pattern instead, its answer deciding.
    std::function<bool()> ask_reverse_backwards;
    // Filled by the reader: how each question met was answered, one line each for the caller's
    // report: "Elevation pattern appears to be backwards: reversed" or "...: kept as it is".
    std::vector<std::string> answered;
    // Filled by the readers: each text longer than the field that holds it, kept in part, as
    // text_cut_warning tells it ("DESCR1 cut to 47 characters (25 lost)"). The opener and the
    // conversions clear it before they read, so that it tells of the file read last.
    std::vector<std::string> texts_cut;
    // Filled by the opener and the conversions: what the file read last turned out to be (when
    // its read failed, the kind its name chose the reader for: asd for the binary names).
    Antenna_Kind kind = Antenna_Kind::nsma;
};

// Why a file is refused as an .msi file.
inline constexpr const char* NOT_MSI_TEXT =
    "Not an .msi antenna file: it needs a NAME line and a HORIZONTAL or VERTICAL pattern block.";

// Fills the reset record from the .msi file at `path`. Raises `handler` when the file cannot be
// read, is larger than MAX_TEXT_FILE_SIZE or is no text, and with code 104 (NOT_MSI_TEXT, the
// record reset) when it holds no NAME line or no pattern block with points: such a file is no .msi
// file, whatever it holds. Faults in the file raise Data_Syntax_Error* at their line, the record
// keeping what was read: an over-long NAME, MAKE or COMMENT ("NAME field must be less than 48
// characters"), and a block that the file ends inside (at its keyword line, after the points
// present are stored). An elevation pattern that looks backwards is mirrored or kept as `decisions`
// say; a GAIN unit longer than its field is kept in part and added to decisions.texts_cut.
void read_msi_file(Antenna_Record& record, Error_Handler* handler, const char* path,
                   Antenna_Read_Decisions& decisions);
// The same from the file's bytes already read, `handler` armed for the file.
void read_msi_text(Antenna_Record& record, Error_Handler* handler, const char* path,
                   std::string_view text, Antenna_Read_Decisions& decisions);

// Adds the HORIZONTAL and VERTICAL blocks of the second file of a pair, read through one open.
// A file that cannot be opened, is no regular file or is no text adds nothing; true when it was
// read. One larger than MAX_TEXT_FILE_SIZE raises `handler`; a block that the file ends inside
// raises Data_Syntax_Error* naming this file, as read_msi_file does.
bool read_msi_companion(Antenna_Record& record, Error_Handler* handler, const char* path);

// The path of the other file of a pair: the file name with its first "Vpol" replaced by "Hpol",
// or else its first "Hpol" by "Vpol" (case-sensitive); empty when the name has neither.
std::string msi_companion_path(const char* path);
