// Opening a radio file of any kind as a version 5 or as a version 4 record: the file is read
// once, its first bytes choose the reader, and the reader is handed the bytes.
#pragma once

#include "data_findings.h"
#include "qvfileio.h"
#include "radio_file_kind.h"

#include <string>
#include <string_view>
#include <vector>

class Error_Handler;
struct Radio4_Record;
struct Radio_Record;

// The bytes that tell the radio files apart.
inline constexpr std::size_t RADIO_IDENTIFYING_BYTES = 48;

// The most bytes a file starting with `head` may hold: MAX_BINARY_FILE_SIZE ("binary data
// file") for the binary radio files, else MAX_TEXT_FILE_SIZE ("data file").
Data_File_Limit radio_file_limit(std::string_view head);

// The whole of the file at `path`, read through one open: a file larger than MAX_TEXT_FILE_SIZE
// refused unread, and one starting as a binary radio file larger than MAX_BINARY_FILE_SIZE
// refused after its first bytes. Raises `handler` as read_data_file does.
std::string read_radio_file(const char* path, Error_Handler* handler);

// The reader each editor takes for a file starting with `head`, or unknown when it refuses the
// file. The version 5 editor: every radio kind radio_kind_of tells. The version 4 editor: version
// 5 ASCII files of versions 01 to 03 only, any file beginning with "QV50_RADIO_SPEC" as a binary
// version 5 file, and the version 4 files.
Radio_File_Kind v5_open_kind(std::string_view head);
Radio_File_Kind v4_open_kind(std::string_view head);

// Reads the bytes of a file of `kind` (raf5 or rsd; mrs or raf4), `handler` armed for the file,
// into the reset record. Adds to `warnings` what the file suggests though the reader takes it: each
// text of an ASCII file cut to its field (text_cut_warning), and an ASCII file without ENDFIL
// ("no ENDFIL: the file may be cut short"). Raises `handler` (code 104
// for a kind of the other version) or Data_Syntax_Error* as the readers do.
void read_v5_bytes(Radio_Record& record, Radio_File_Kind kind, std::string_view bytes,
                   const char* path, Error_Handler* handler, std::vector<std::string>& warnings);
void read_v4_bytes(Radio4_Record& record, Radio_File_Kind kind, std::string_view bytes,
                   const char* path, Error_Handler* handler, std::vector<std::string>& warnings);

// For a conversion that reads a file to write it as `target`: where to put what the target cannot
// hold of the record as the file holds it (v5_conversion_losses or v4_conversion_losses). No
// losses are told when `into` is null.
struct Losses_Request {
    Radio_File_Kind target = Radio_File_Kind::unknown;
    Conversion_Losses* into = nullptr;
};

// Reads the bytes of a file of `kind` (one v5_open_kind gives) into the reset record as a version
// 5 record, a version 4 file converted. The curves the conversion leaves out go to
// `passed_over`, the other warnings to `warnings`; the losses as `losses` asks. Raises as
// read_v5_bytes.
void read_bytes_as_v5(Radio_Record& record, Radio_File_Kind kind, std::string_view bytes,
                      const char* path, Error_Handler* handler, std::vector<std::string>& warnings,
                      std::vector<std::string>& passed_over, const Losses_Request& losses = {});
// The same as a version 4 record (a kind v4_open_kind gives), a version 5 file converted; what
// the conversion had to cut is among the warnings, or with a losses request among its texts cut.
void read_bytes_as_v4(Radio4_Record& record, Radio_File_Kind kind, std::string_view bytes,
                      const char* path, Error_Handler* handler, std::vector<std::string>& warnings,
                      const Losses_Request& losses = {});

// Reads the radio file at `path` once into `record` as a version 5 record (v5_open_kind), a
// version 4 file converted; or as a version 4 record (v4_open_kind), a version 5 file converted.
// Returns the warnings: those of read_v5_bytes, and what the conversion left out or cut (the
// record's own single-byte texts). Refuses, raising `handler` before anything is read into the
// record: a file the editor does not take (MSG_INVALID_RADIO_SUFFIX, 289), a locked binary
// version 5 file (no code, RSD_LOCKED_TEXT as the information text). A file that fails to read
// raises as the readers do, the record then holding part of the file: the caller resets it.
std::vector<std::string> open_radio_as_v5(Radio_Record& record, const char* path,
                                          Error_Handler* handler);
std::vector<std::string> open_radio_as_v4(Radio4_Record& record, const char* path,
                                          Error_Handler* handler);

// Raises `handler` for the file at `path` as open_radio_as_v5 refuses it: a file of no kind the
// editor takes (289), or a locked binary file. For callers that read the bytes themselves.
[[noreturn]] void refuse_radio_file(Error_Handler* handler, const char* path, bool locked);
