// The radio batch conversions, one file at a time: ASCII to .rsd, ASCII to .mrs, and version 4
// ASCII to version 5 ASCII.
#pragma once

#include "editor_support.h"
#include "message_presenter.h"

#include <optional>
#include <string>
#include <vector>

// Reads the ASCII radio file at `path` (version 5, or version 4 converted to version 5) into a
// scratch record, sets its radio code to the file name and writes "<folder>/<name>.rsd", locked
// when `lock`. Returns 1 when written; 0 after message 289 for a file of another kind; after a
// read or write failure (shown, with "Continue?" when `ask_continue`) the answer, or 7 without
// the question. A file written adds to `losses`, when given, what the target could not hold and
// what reading it told.
int convert_file_to_rsd(Owner_Window owner, const std::string& path, const std::string& folder,
                        bool ask_continue, bool lock, Batch_Losses* losses = nullptr);

// The same for "<folder>/<name>.mrs": version 5 ASCII files (versions 01 to 04) converted to
// version 4, version 4 ASCII files as read.
int convert_file_to_mrs(Owner_Window owner, const std::string& path, const std::string& folder,
                        bool ask_continue, Batch_Losses* losses = nullptr);

// Converts each version 4 ASCII file of `files` to a version 5 ASCII file of the same name in
// `save_folder`, passing over every other file. Returns the number written; nullopt when a read,
// conversion or write failed (shown at once), which ends the conversion. Each file written adds
// to `losses`, when given, as convert_file_to_rsd does. `progress`, when given, is told of each
// file first; its false ends the conversion there with the number written so far.
std::optional<int> convert_v4_files_to_v5(Owner_Window owner,
                                          const std::vector<std::string>& files,
                                          const std::string& save_folder,
                                          Batch_Losses* losses = nullptr,
                                          const Batch_Progress& progress = {});

// "<folder>/<base name of path>.<extension>".
std::string converted_file_path(const std::string& path, const std::string& folder,
                                const char* extension);
