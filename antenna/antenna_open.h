// Opening any antenna file into the record, the reader chosen as the antenna editor chooses it.
#pragma once

#include "antenna_record.h"

#include <string>

class Error_Handler;

struct Antenna_Open_Result {
    Antenna_Kind kind;
    // The path the record is named after: the path opened, or for an .msi file of a pair the
    // companion's path.
    std::string named_path;
};

// Resets the record and reads the file at `path`: ".asd", ".mas" and ".vas" (any case) with the
// binary reader, whose magic then tells which of the three it is; ".msi" with the .msi reader
// and its companion; anything else with the NSMA reader, which gives "pattern" for a headerless
// pattern file. Then sets file_name to the base name of named_path (at most 47 characters), and
// after a binary file gain_in_dbi to 1 when the high frequency is unknown or above 890 MHz,
// else 0.
//
// A file error raises Error_Handler* after resetting the record, also for a text file that is
// none of the text formats (code 104); a syntax error raises Data_Syntax_Error* and the record
// keeps what was read.
Antenna_Open_Result open_antenna_file(Antenna_Record& record, Error_Handler* handler,
                                      const char* path);

// Reads any antenna file, then writes it as NSMA text to "<target_folder>/<base>.adf" (base
// from `path`), with file_name set to that base. Returns the path written. Raises as
// open_antenna_file and as the writer.
std::string convert_to_adf(Antenna_Record& record, Error_Handler* handler, const char* path,
                           const char* target_folder);
