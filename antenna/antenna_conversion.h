// Converting antenna files: one NSMA file to .asd or .mas, the file-name limits of both
// versions, and the files a folder conversion takes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class Antenna_Record;
class Error_Handler;

// The answers of the technology question that hold for a whole run of conversions.
struct Technology_Answers {
    int32_t last_technology = 0; // 1 dipole, 2 aperture; 0 before any choice
    bool use_for_all = false;    // give the remaining files last_technology without asking
};

// Asks for the technology of the file at `path`, which does not state it, starting from and
// updating `answers` (the choice and the "use for all" flag). False when the user cancels.
// The editor asks with its dialog; the command-line tool has none and passes null, which
// cancels unless `answers` already decide.
using Technology_Asker = std::function<bool(const char* path, Technology_Answers& answers)>;

// File-name limits: the base name (without folder and extension) of a version 5 file has at most
// 47 characters, of a version 4 file at most 15.
bool v5_file_name_ok(const char* path);
bool v4_file_name_ok(const char* path);
// 1 when the name fits; otherwise shows the "Filename Error" box and returns its answer: 7, or
// with `ask_continue` Yes (6) or No (7) to "Continue?".
int check_v5_file_name(const char* path, bool ask_continue);
int check_v4_file_name(const char* path, bool ask_continue);

// "<folder>/<base name of path><extension>": where a conversion writes.
std::string conversion_target_path(const char* path, const char* target_folder,
                                   const char* extension);

// Reads the NSMA file at `path` into `record` and writes it as "<target_folder>/<base>.asd".
// Asks for the technology when the file gives none. Returns 1 when written, 0 when the question
// was cancelled (nothing written). Raises Error_Handler* and Data_Syntax_Error*.
int convert_to_asd(Antenna_Record& record, Error_Handler* handler, const char* path,
                   const char* target_folder, Technology_Answers& answers,
                   const Technology_Asker& ask);

// Reads the NSMA file at `path` into `record` and writes it as "<target_folder>/<base>.mas".
// Returns 1 when written; for a base name longer than 15 characters nothing is read or written
// and the answer of the name box is returned (7, or 6/7 with `ask_continue`). Raises
// Error_Handler* and Data_Syntax_Error*.
int convert_to_mas(Antenna_Record& record, Error_Handler* handler, const char* path,
                   const char* target_folder, bool ask_continue);

enum class Antenna_Target { asd, mas };

// One file of a batch conversion, as the editor runs it: the version 5 name check, then the
// conversion; a file or syntax error is shown (with "Continue?" when `ask_continue`). Returns 1
// when converted, 0 when the technology question was cancelled, 6 to skip the file and go on,
// 7 to stop the batch.
int convert_batch_file(Antenna_Target target, Antenna_Record& record, Error_Handler* handler,
                       const char* path, const char* target_folder, bool ask_continue,
                       Technology_Answers& answers, const Technology_Asker& ask);

// "%d files successfully converted": the message after a batch.
std::string converted_files_text(int count);

// True for the extensions a folder conversion takes: exactly ".adf", ".dat", ".Adf", ".Dat",
// ".ADF" or ".DAT".
bool is_antenna_batch_extension(const char* path);

// The files a folder conversion converts: the files walk_folder finds below `top_folder` with an
// extension of is_antenna_batch_extension (folders it cannot read passed over). Each converted
// file is written into its own folder.
std::vector<std::string> antenna_folder_files(const std::string& top_folder);
