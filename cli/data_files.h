// Loading any data file the command-line tool knows, and describing why a file failed.
#pragma once

#include "antenna_record.h"
#include "data_findings.h"
#include "folder_walk.h"
#include "radio4_record.h"
#include "radio_file_kind.h"
#include "radio_record.h"

#include <nlohmann/json.hpp>

#include <memory>
#include <string>
#include <string_view>
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

// True for the names of the data files a folder check takes: the radio extensions and ".adf",
// ".dat", ".pat", ".asd", ".mas", ".vas", ".msi" and ".pln", in any case.
bool has_data_file_extension(const std::string& path);

// The files `paths` name, with each folder among them replaced by the data files below it
// (walk_folder: in name order, a folder that cannot be read an item with its failure where the
// walk met it).
std::vector<Walked_Path> data_files_below(const std::vector<std::string>& paths);

// What the tool decides where the editors ask.
struct Load_Options {
    bool read_locked = false;       // a locked binary radio file is read, not refused
    bool reverse_backwards = false; // an .msi elevation pattern that looks backwards is mirrored
};

// The whole of the data file `path`, read once: larger than MAX_TEXT_FILE_SIZE refused unread,
// larger than MAX_BINARY_FILE_SIZE refused after the first bytes when they start a binary radio
// file or the name is that of a binary antenna file (which is read without sharing, as the
// antenna editor reads it). Raises `handler` for a file that cannot be read, and for an empty
// file ("the file is empty").
std::string read_data_file_bytes(const std::string& path, Error_Handler* handler);

// Reads the bytes of `path` with the reader their first bytes choose, as the editors do when
// they open a file: radio files by their identifiers, anything else as an antenna file. Notes the
// warnings of ASCII radio files without ENDFIL, of NSMA files holding fewer cuts than NUMCUT
// says, and how an .msi pattern that looks backwards was taken ("Elevation pattern appears to be
// backwards: kept as it is", or "...: reversed"). A locked binary radio file is refused, with the
// lock message, unless `options.read_locked`. Raises `handler` (a file of no known kind) or the
// program's Data_Syntax_Error.
Loaded_File load_data_bytes(const std::string& path, std::string_view bytes,
                            Error_Handler* handler, const Load_Options& options = {});
// The same into `loaded`, whose kind is set as soon as it is known: a file that fails to read
// is still reported with the kind it was read as.
void load_data_bytes(Loaded_File& loaded, const std::string& path, std::string_view bytes,
                     Error_Handler* handler, const Load_Options& options = {});
// read_data_file_bytes, then load_data_bytes.
Loaded_File load_data_file(const std::string& path, Error_Handler* handler,
                           const Load_Options& options = {});
void load_data_file(Loaded_File& loaded, const std::string& path, Error_Handler* handler,
                    const Load_Options& options = {});

// The audit's warnings for the record read: data that reads fine but is probably wrong.
std::vector<Lint_Warning> lint_data_file(const Loaded_File& file);

// {"format": KIND, "record": {...}}
nlohmann::ordered_json data_file_json(const Loaded_File& file);

// What the work on a file was doing when it failed: reading it, or writing the file made from it.
enum class File_Work { reading, writing };

// Why a file failed, for the report line and for the JSON report.
struct File_Failure {
    std::string report;  // the line of the report: "PATH: MESSAGE" or "PATH:LINE: FAULT: TEXT"
    std::string message; // the report without the path, line and line text
    int line = -1;       // the 1-based line of a syntax error; -1 for any other failure
    std::string text;    // what the report shows of that line (UTF-8); empty without one

    bool failed() const { return !report.empty(); }
};

// Why `path` failed: "PATH: MESSAGE" with the handler's message (without its caption), or
// "PATH:LINE: FAULT: TEXT" for a syntax error (the parts that are known, the line cut to 80
// characters). A file that could not be accessed is named with what was done to it: "PATH:
// cannot read the file: REASON" when the system refused to read `path`, "PATH: cannot write
// TARGET: MESSAGE" for a failure while writing, or on another file than `path`.
File_Failure failure_report(const std::string& path, Error_Handler& handler,
                            File_Work work = File_Work::reading);
File_Failure failure_report(const std::string& path, const Data_Syntax_Error& error);
// "PATH: MESSAGE" for a failure the tool finds itself.
File_Failure failure_report(const std::string& path, const std::string& message);
// "PATH: MESSAGE" for the exception being handled (call it in a catch block) that is neither of
// the program's own: memory running out, or anything else a library raised.
File_Failure unexpected_failure_report(const std::string& path);

// {"message": M, "line": N, "text": T}, the line and its text only when known.
nlohmann::ordered_json failure_json(const File_Failure& failure);

// The warnings of a file as JSON: [{"id": ID, "where": W, "text": T}] with the texts as UTF-8.
nlohmann::ordered_json lint_json(const std::vector<Lint_Warning>& warnings);
