// Converting antenna files: one NSMA file to .asd or .mas, the file-name limits of both
// versions, and the files a folder conversion takes.
#pragma once

#include "antenna_record.h"
#include "data_findings.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class Error_Handler;
struct Antenna_Read_Decisions;

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
// 47 characters, of a version 4 file at most 15; and the texts that say so.
inline constexpr std::size_t MAX_V5_FILE_NAME = 47;
inline constexpr std::size_t MAX_V4_ANTENNA_FILE_NAME = 15;
inline constexpr const char* V5_FILE_NAME_TOO_LONG =
    "The file name cannot exceed 47 characters for version 5 radio and antenna data files";
inline constexpr const char* V4_ANTENNA_FILE_NAME_TOO_LONG =
    "Version 4 antenna data file name cannot exceed 15 characters.";
bool v5_file_name_ok(const char* path);
bool v4_file_name_ok(const char* path);

// "<folder>/<base name of path><extension>": where a conversion writes.
std::string conversion_target_path(const char* path, const char* target_folder,
                                   const char* extension);

// Reads the NSMA file at `path` into `record` and writes it as "<target_folder>/<base>.asd".
// An .msi file (is_msi_file_name) is read with the .msi reader and its companion instead, its
// questions answered by `decisions` (when null: kept as the file has them), which also get the
// kind read and the texts cut on reading (Antenna_Read_Decisions). Asks for the
// technology when the file gives none. Returns 1 when written, 0 when the question was cancelled
// (nothing written). Raises Error_Handler* and Data_Syntax_Error*.
int convert_to_asd(Antenna_Record& record, Error_Handler* handler, const char* path,
                   const char* target_folder, Technology_Answers& answers,
                   const Technology_Asker& ask, Antenna_Read_Decisions* decisions = nullptr);

// Reads the NSMA file (or .msi file, as convert_to_asd) at `path` into `record` and writes it as
// "<target_folder>/<base>.mas". Returns 1 when written. A base name longer than 15 characters is
// refused before anything is read or written (`handler` raised with
// V4_ANTENNA_FILE_NAME_TOO_LONG); callers that ask about it check v4_file_name_ok first. Raises
// Error_Handler* and Data_Syntax_Error*.
int convert_to_mas(Antenna_Record& record, Error_Handler* handler, const char* path,
                   const char* target_folder, Antenna_Read_Decisions* decisions = nullptr);

// What writing `record` as a file of `target` (Antenna_Kind::asd, mas or nsma) and reading it
// back does not give back. `record` is the record as the conversion writes it, after its own
// changes (the file name, the feed mark " (L)" of the model). The target's bytes are built in
// memory and read back with the readers of the target; then every NSMA keyword row that is set
// in `record` (differs from a new record's value) is compared with the row read back. A text
// row read back as a shorter beginning of its text goes into texts_cut ("MODNUM cut to 41
// characters (5 lost)"); any other set row that differs is named in not_kept, in NSMA file
// order, followed by the pattern cuts the target drops or changes ("elevation V/H cut"). The
// mid-band gain is compared in dBi, so that a gain only restated in the other unit is kept (the
// unit itself is GUNITS); NUMCUT, which the cuts give, is not compared, and texts are compared
// without regard to case, which the NSMA reader folds, and 0 in ELWIDT, ELTILT and PATFRE is no
// value, as the NSMA reader takes it. Cuts too long for a .mas file are named as not kept.
// Nothing is written to disk; other targets give no losses.
Conversion_Losses antenna_conversion_losses(const Antenna_Record& record, Antenna_Kind target);

enum class Antenna_Target { asd, mas };

// True for the extensions a folder conversion takes: exactly ".adf", ".dat", ".Adf", ".Dat",
// ".ADF" or ".DAT".
bool is_antenna_batch_extension(const char* path);

// The files a folder conversion converts: the files walk_folder finds below `top_folder` with an
// extension of is_antenna_batch_extension (folders it cannot read passed over). Each converted
// file is written into its own folder.
std::vector<std::string> antenna_folder_files(const std::string& top_folder);
