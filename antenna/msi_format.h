// The .msi antenna file, which comes in pairs with one polarization each ("...Vpol..." and
// "...Hpol..."): the reader of the first file and of its companion.
#pragma once

#include <string>

class Antenna_Record;
class Error_Handler;

// Why a file is refused as an .msi file.
inline constexpr const char* NOT_MSI_TEXT =
    "Not an .msi antenna file: it needs a NAME line and a HORIZONTAL or VERTICAL pattern block.";

// Fills the reset record from the .msi file at `path`. Raises `handler` when the file cannot be
// read or is no text, and with code 104 (NOT_MSI_TEXT, the record reset) when it holds no NAME
// line or no pattern block with points: such a file is no .msi file, whatever it holds. Faults
// in the file raise Data_Syntax_Error* at their line, the record keeping what was read: an
// over-long NAME, MAKE or COMMENT ("NAME field must be less than 48 characters"), and a block
// that the file ends inside (at its keyword line, after the points present are stored). Asks
// whether to mirror an elevation pattern that looks backwards.
void read_msi_file(Antenna_Record& record, Error_Handler* handler, const char* path);

// Adds the HORIZONTAL and VERTICAL blocks of the second file of a pair. A file that cannot be
// opened adds nothing; true when it was read. A block that the file ends inside raises
// Data_Syntax_Error* naming this file, as read_msi_file does.
bool read_msi_companion(Antenna_Record& record, const char* path);

// The path of the other file of a pair: the file name with its first "Vpol" replaced by "Hpol",
// or else its first "Hpol" by "Vpol" (case-sensitive); empty when the name has neither.
std::string msi_companion_path(const char* path);
