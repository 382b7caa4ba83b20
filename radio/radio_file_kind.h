// Which radio reader a file needs, told by its first bytes.
#pragma once

#include <cstddef>
#include <string>

class string_list;

enum class Radio_File_Kind { unknown, raf5, rsd, mrs, raf4 };

// "raf5", "rsd", "mrs", "raf4"; "unknown".
const char* radio_kind_name(Radio_File_Kind kind);

// The kind of radio file whose first bytes are `bytes` (after leading blanks, carriage returns
// and line feeds): the version 5 ASCII and binary identifiers, and the version 4 identifiers,
// which are binary when a zero byte follows them.
Radio_File_Kind radio_kind_of(const char* bytes, std::size_t size);

// Base names (without folder and extension) of version 5 files hold at most 47 characters.
inline constexpr std::size_t MAX_V5_NAME = 47;
// The text shown when a version 5 file name is too long.
inline constexpr const char* V5_NAME_TOO_LONG =
    "The file name cannot exceed 47 characters for version 5 radio and antenna data files";

// Base names of version 4 files hold at most 15 characters.
inline constexpr std::size_t MAX_V4_NAME = 15;
// The text shown when a version 4 file name is too long.
inline constexpr const char* V4_NAME_TOO_LONG =
    "Version 4 radio data file names cannot exceed 15 characters";

// True when the base name of `path` fits a version 4 file (at most 15 characters).
bool fits_v4_name(const char* path);
// The version 4 file code of `path`: its base name, cut to 15 characters.
std::string radio4_file_code(const char* path);

// Whether the batch conversion of version 4 ASCII files to version 5 ASCII converts a file whose
// first bytes (up to 80) are `bytes`: only a file that begins, after blanks and line breaks, with
// "QVW40_RADIOSPEC" not followed by a zero byte. Version 5 files and binary files are passed over.
bool v4_batch_converts(const char* bytes, std::size_t size);

// Both ASCII radio files end with a line "ENDFIL". Their readers take a file without it as it
// is, since the format allows that, but such a file may have been cut short: the warning for
// the lines of an ASCII radio file of either version, "no ENDFIL: the file may be cut short",
// or empty when one of the lines is "ENDFIL" once stripped of blanks, as the readers see it.
std::string radio_text_end_warning(const string_list& lines);
