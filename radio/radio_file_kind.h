// Which radio reader a file needs, told by its first bytes.
#pragma once

#include <cstddef>

class Error_Handler;

enum class Radio_File_Kind { unknown, raf5, rsd, mrs, raf4 };

// "raf5", "rsd", "mrs", "raf4"; "unknown".
const char* radio_kind_name(Radio_File_Kind kind);

// The kind of radio file whose first bytes are `bytes` (after leading blanks, carriage returns
// and line feeds): the version 5 ASCII and binary identifiers, and the version 4 identifiers,
// which are binary when a zero byte follows them.
Radio_File_Kind radio_kind_of(const char* bytes, std::size_t size);

// Reads the first 48 bytes of `path` and tells its kind. Raises `handler` when the file cannot be
// read.
Radio_File_Kind identify_radio_file(const char* path, Error_Handler* handler);

// Base names (without folder and extension) of version 5 files hold at most 47 characters.
inline constexpr std::size_t MAX_V5_NAME = 47;
// The text shown when a version 5 file name is too long.
inline constexpr const char* V5_NAME_TOO_LONG =
    "The file name cannot exceed 47 characters for version 5 radio and antenna data files";
