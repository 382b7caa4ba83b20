// The version 5 binary radio file (.rsd): its three versions, the lock, reading and writing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class Error_Handler;
struct Radio_Record;

inline constexpr const char* RSD_IDENTIFIER = "QV50_RADIO_SPEC_04";
inline constexpr uint16_t RSD_LOCK_VALUE = 666;
// Size of the file of a record without curves, states or configurations.
inline constexpr std::size_t RSD_FIXED_SIZE = 2408;

inline constexpr const char* RSD_LOCKED_CAPTION = "File Locked";
inline constexpr const char* RSD_LOCKED_TEXT =
    "This rsd file has been locked and cannot be edited. The ASCII file must be used for all "
    "changes";

// True when `bytes` (the start of a file) hold one of the three binary identifiers, after any
// leading blanks, carriage returns and line feeds, with the lock value 666 at identifier offset 22.
bool is_rsd_locked(const char* bytes, std::size_t size);

// The binary image of `record` as write_rsd_file writes it, after the derivations; the derived
// curves are removed from the record again before it returns.
std::string rsd_image(Radio_Record& record, bool lock);

// Derives, then writes `record` as a version 04 binary file, replacing `path` only when the whole
// file was written; `lock` marks it locked. The derived curves never stay in the record, also
// when the write fails. Failures raise `handler`.
void write_rsd_file(Radio_Record& record, const char* path, Error_Handler* handler, bool lock);

// Fills a reset `record` from a binary file of version 01, 03 or 04. A wrong identifier raises
// with code 104, a file shorter than its counts and sizes say with code 123; a file that cannot
// be read, or is larger than MAX_BINARY_FILE_SIZE, as read_data_file does.
void read_rsd_file(Radio_Record& record, const char* path, Error_Handler* handler);
// The same from the file's bytes already read, `handler` armed for the file.
void read_rsd_image(Radio_Record& record, std::string_view image, Error_Handler* handler);
