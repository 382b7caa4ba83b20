// Walking a folder tree for the files a batch works on.
#pragma once

#include "qv6_ut_export.h"

#include <functional>
#include <string>
#include <vector>

// One place the walk met: a file taken, or a file or folder it could not look at.
struct Walked_Path {
    std::string path;
    // Empty for a file taken; else why `path` could not be looked at: "cannot read the folder:
    // REASON", or "cannot read the file: symbolic link loop".
    std::string failure;
};

// Every regular file below `top_folder` (or a symbolic link to one) whose path `takes`, walking
// the sub-folders but not the symbolic links to folders, with the entries of each folder in name
// order. A folder that cannot be read, or whose entries cannot be looked at, is told once at its
// place, as is a file that `takes` which is a symbolic link loop; the walk goes on past them. A
// file that goes away during the walk is passed over. A `top_folder` that cannot be read is the
// one failure.
QV6_UT_EXPORT std::vector<Walked_Path> walk_folder(
    const std::string& top_folder, const std::function<bool(const std::string& path)>& takes);

// The files of walk_folder, its failures passed over.
QV6_UT_EXPORT std::vector<std::string> walked_files(
    const std::string& top_folder, const std::function<bool(const std::string& path)>& takes);
