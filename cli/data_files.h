// Loading any data file the command-line tool knows, and describing why a file failed.
#pragma once

#include "antenna_record.h"
#include "radio4_record.h"
#include "radio_file_kind.h"
#include "radio_record.h"

#include <nlohmann/json.hpp>

#include <memory>
#include <string>
#include <vector>

class Error_Handler;
class Data_Syntax_Error;

// One file read into its record.
struct Loaded_File {
    std::string kind; // "raf5", "rsd", "nsma", "asd", ...
    bool locked = false;
    std::unique_ptr<Radio_Record> radio;   // version 5
    std::unique_ptr<Radio4_Record> radio4; // version 4
    std::unique_ptr<Antenna_Record> antenna;
    // What the file's readers took as it is, though it suggests the file was cut short.
    std::vector<std::string> warnings;
};

// True for the extensions of radio files (.raf, .rsd, .mrs in any case): a file named so is read
// as a radio file or refused as one, never tried as an antenna file.
bool has_radio_extension(const std::string& path);

// Reads `path` with the reader its first bytes choose, as the editors do when they open a file:
// radio files by their identifiers, anything else as an antenna file. Notes the warnings of
// ASCII radio files without ENDFIL and of NSMA files holding fewer cuts than NUMCUT says.
// A locked binary radio file is refused, with the lock message, unless `read_locked`. Raises
// `handler` (a file that cannot be read, or one of no known kind) or the program's
// Data_Syntax_Error.
Loaded_File load_data_file(const std::string& path, Error_Handler* handler,
                           bool read_locked = false);

// {"format": KIND, "record": {...}}
nlohmann::ordered_json data_file_json(const Loaded_File& file);

// The questions readers asked of this thread while nobody could answer: each got the cautious
// answer, which reads the file as it stands, and is told with the file's report as a warning
// ("Elevation pattern appears to be backwards: kept as it is").
void note_unanswered_question(const std::string& text);
// The warnings for the questions noted since the last call, which forgets them.
std::vector<std::string> take_unanswered_questions();

// What the work on a file was doing when it failed: reading it, or writing the file made from it.
enum class File_Work { reading, writing };

// One line telling why `path` failed: "PATH: MESSAGE" with the handler's message (without its
// caption), or "PATH:LINE: FAULT: TEXT" for a syntax error (the parts that are known, the line
// cut to 80 characters). A file that could not be accessed is named with what was done to it:
// "PATH: cannot read the file: REASON" when the system refused to read `path`, "PATH: cannot
// write TARGET: MESSAGE" for a failure while writing, or on another file than `path`.
std::string failure_report(const std::string& path, Error_Handler& handler,
                           File_Work work = File_Work::reading);
std::string failure_report(const std::string& path, const Data_Syntax_Error& error);
// "PATH: MESSAGE" for a failure the tool finds itself.
std::string failure_report(const std::string& path, const std::string& message);
// "PATH: MESSAGE" for the exception being handled (call it in a catch block) that is neither of
// the program's own: memory running out, or anything else a library raised.
std::string unexpected_failure_report(const std::string& path);
