// The .msi antenna file, which comes in pairs with one polarization each ("...Vpol..." and
// "...Hpol..."): the reader of the first file and of its companion.
#pragma once

#include <string>

class Antenna_Record;
class Error_Handler;

// Fills the reset record from the .msi file at `path`. Raises `handler` only when the file
// cannot be read; faults in the file are shown in message boxes ("File error") and reading goes
// on: an over-long NAME, MAKE or COMMENT is refused, a block that the file ends inside keeps the
// points present. Asks whether to mirror an elevation pattern that looks backwards.
void read_msi_file(Antenna_Record& record, Error_Handler* handler, const char* path);

// Adds the HORIZONTAL and VERTICAL blocks of the second file of a pair. A file that cannot be
// opened adds nothing; true when it was read.
bool read_msi_companion(Antenna_Record& record, const char* path);

// The path of the other file of a pair: the file name with its first "Vpol" replaced by "Hpol",
// or else its first "Hpol" by "Vpol" (case-sensitive); empty when the name has neither.
std::string msi_companion_path(const char* path);
