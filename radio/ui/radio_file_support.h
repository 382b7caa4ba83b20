// What the radio editors decide from a file's first bytes and name.
#pragma once

#include "file_dialogs.h"
#include "message_presenter.h"
#include "radio_file_kind.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class Error_Handler;

// A radio file read whole, and the reader its first bytes choose.
struct Radio_File_Bytes {
    std::string bytes;
    Radio_File_Kind kind;
};

// Reads the radio file at `path` whole for the editor whose reader `open_kind` (v5_open_kind or
// v4_open_kind) chooses, then fills the editor's record from it with `read`. Shows why when it
// cannot: the file's failure, catalogue message 289 for a file the editor does not take, "File
// Locked" for a locked binary file, a failure of `read`. nullopt when the file was refused
// before the record was touched; false when `read` failed; true when the record is the file's.
std::optional<bool> read_radio_record(
    Owner_Window owner, const std::string& path, Radio_File_Kind (*open_kind)(std::string_view),
    const std::function<void(const Radio_File_Bytes& file, Error_Handler* handler)>& read);

// Shows the "Unknown radio curve" error once for each curve a conversion left out.
void show_passed_over_curves(Owner_Window owner, const std::vector<std::string>& passed_over);

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
