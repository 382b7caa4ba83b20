// Opening any antenna file into the record, the reader chosen as the antenna editor chooses it.
#pragma once

#include "antenna_record.h"
#include "msi_format.h"
#include "qvfileio.h"

#include <string>
#include <string_view>

class Error_Handler;

struct Antenna_Open_Result {
    Antenna_Kind kind;
    // The path the record is named after: the path opened, or for an .msi file of a pair the
    // companion's path when the companion was read.
    std::string named_path;
};

// True for the names of .msi files: ".msi", or Planet's ".pln", in any case.
bool is_msi_file_name(const char* path);

// The most bytes an antenna file named `path` may hold: MAX_BINARY_FILE_SIZE ("binary data
// file") for the binary extensions, else MAX_TEXT_FILE_SIZE ("text data file").
Data_File_Limit antenna_file_limit(const char* path);

// How an antenna file named `path` is opened for reading: the binary files without sharing,
// the text files with read sharing.
unsigned long antenna_file_share(const char* path);

// Resets the record and reads the file at `path`, through one open (larger than
// antenna_file_limit refused unread): ".asd", ".mas" and ".vas" (any case) with the binary
// reader, whose magic then tells which of the three it is; ".msi" (or Planet's ".pln") with the
// .msi reader and its companion; anything else with the NSMA reader, which gives "pattern" for a
// headerless pattern file. Then sets file_name to the base name of named_path (at most 47
// characters), and after a binary file gain_in_dbi to 1 when the high frequency is unknown or
// above 890 MHz, else 0. A question the file raises is answered by `decisions`, which also get
// the kind found and the texts cut to their fields (cleared first).
//
// A file error raises Error_Handler* after resetting the record, also for a text file that is
// none of the text formats (code 104); a syntax error raises Data_Syntax_Error* and the record
// keeps what was read.
Antenna_Open_Result open_antenna_file(Antenna_Record& record, Error_Handler* handler,
                                      const char* path, Antenna_Read_Decisions& decisions);
// The same from the bytes of the file at `path`, already read with `handler` armed for it.
Antenna_Open_Result open_antenna_bytes(Antenna_Record& record, Error_Handler* handler,
                                       const char* path, std::string_view bytes,
                                       Antenna_Read_Decisions& decisions);

// Reads any antenna file, then writes it as NSMA text to "<target_folder>/<base>.adf" (base
// from `path`), with file_name set to that base. Returns the path written; `decisions` tell
// the kind read and the texts cut on reading, as open_antenna_file fills them. Raises as
// open_antenna_file and as the writer.
std::string convert_to_adf(Antenna_Record& record, Error_Handler* handler, const char* path,
                           const char* target_folder, Antenna_Read_Decisions& decisions);
