// The values start-up fixes before the main window exists: the command-line file, the settings
// file, the suite's constants and the program's deployment addresses.
#pragma once

#include "qv5_extn.h"

#include <string>

// The web-help base address that help pages are appended to: $KELVOR_HELP_URL when set and not
// empty, else `setting` (the settings file's "Help" / "KELVOR_HELP_URL"); empty when neither is
// set, and the help commands then open the user guide shipped with the program.
std::string kelvor_help_base(const std::string& setting);

// Longest command-line path the program takes; a longer one starts the program without a file.
inline constexpr std::size_t MAX_STARTUP_PATH = 4095;

// The first argument after the program path, or empty (no argument, an empty one, or one longer
// than MAX_STARTUP_PATH). Further arguments are ignored.
std::string startup_file_path(int argc, const char* const* argv);

// The per-user settings folder: "$XDG_CONFIG_HOME/Kelvor" when that variable holds an absolute
// path, else "$HOME/.config/Kelvor"; empty when neither can be had.
std::string settings_folder();

// "<settings folder>/Kelvor.ini", creating the folder when it is missing; empty when the folder
// cannot be found or made.
std::string settings_file_path();

// The suite's constants with this program's values.
Global_Constants kelvor_global_constants();
