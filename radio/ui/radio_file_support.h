// What the radio editors decide from a file's first bytes and name.
#pragma once

#include "file_dialogs.h"
#include "message_presenter.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class Error_Handler;

// Up to `count` bytes from the start of `path`. Raises `handler` when the file cannot be read,
// and when it is larger than any data file (MAX_TEXT_FILE_SIZE) or, starting as a binary radio
// file, larger than any binary one (MAX_BINARY_FILE_SIZE): the readers are not given it.
std::string read_leading_bytes(const char* path, std::size_t count, Error_Handler* handler);

// The text after the blanks, carriage returns and line feeds it starts with.
std::string_view after_leading_blanks(std::string_view bytes);

// The reader the version 5 editor takes for a file starting with `bytes` (its first 48):
// a locked binary file is refused before anything else is looked at.
enum class V5_Open_Route { raf5, rsd, rsd_locked, mrs, raf4, unknown };
V5_Open_Route v5_open_route(std::string_view bytes);

// The reader the version 4 editor takes: version 5 ASCII files of versions 01 to 03 only, any
// file beginning with "QV50_RADIO_SPEC" as a binary version 5 file (locked ones refused), and
// the version 4 files.
enum class V4_Open_Route { raf5, rsd, rsd_locked, mrs, raf4, unknown };
V4_Open_Route v4_open_route(std::string_view bytes);

// True when the version 4 to version 5 ASCII conversion takes a file beginning with `bytes`
// (its first 80): it must begin with "QVW40_RADIOSPEC" and be text (no zero byte after it).
bool is_v4_ascii_radio_file(std::string_view bytes);

// True for the extensions a radio folder conversion takes: exactly ".raf", ".Raf" or ".RAF".
bool is_radio_batch_extension(const std::string& path);

// The "Filename Error" checks of the two radio versions (check_file_name): at most 47 and 15
// characters.
int check_v5_radio_name(Owner_Window owner, const std::string& path, bool ask_continue);
int check_v4_radio_name(Owner_Window owner, const std::string& path, bool ask_continue);

// Catalogue message 289 for a file of no known radio kind, with the file's name.
void show_unknown_radio_file(Owner_Window owner, const std::string& path);

// "File Locked" with the file name above the explanation.
void show_locked_rsd_file(Owner_Window owner, const std::string& path);

// The titles and types of the radio file dialogs.
inline constexpr const char* OPEN_RADIO_TITLE = "Open Radio Data File";
inline const std::vector<File_Filter> RADIO_OPEN_FILTERS = {
    {"Radio Data Files", "*.mrs;*.raf;*.rsd"}, ALL_FILES_FILTER};
inline constexpr const char* CONVERT_TO_BINARY_TITLE =
    "Convert ASCII raf Radio Files to V5 rsd Binary Format";
inline constexpr const char* CONVERT_V4_TO_V5_TITLE =
    "Convert V4 ASCII Radio Files to V5 ASCII Format";
inline constexpr const char* ASCII_RADIO_FILTER = "ASCII Radio Files|*.raf|All Files|*.*||";
inline constexpr const char* TOP_FOLDER_TITLE = "Select Top Folder to Start Conversion";
inline constexpr const char* SAVE_FOLDER_TITLE = "Select Save Folder";
