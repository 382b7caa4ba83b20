// The convert command: data files, or every data file below folders, into another format.
#pragma once

#include "data_files.h"

#include <ostream>
#include <string>
#include <vector>

struct Convert_Options {
    std::string target;  // "raf", "rsd", "mrs", "raf4", "asd", "mas", "adf"
    std::string out_dir; // empty: beside each source
    bool keep_going = false;
    bool lock = false;   // binary radio files written locked
    int technology = 0;  // antenna technology for files that give none: 1 dipole, 2 aperture
    bool v4_only = false; // version 4 ASCII files only (others passed over), stop at the first error
    int jobs = 0;         // files converted at once with keep_going; 0: one per processor
    bool reverse_backwards = false; // .msi elevation patterns that look backwards are mirrored
    bool json = false; // one JSON object per file instead of the report lines and the count
    bool quiet = false;    // only the failures are reported
    bool progress = false; // a batch of more than 100 files shows its count on `err`
};

// Formats `convert --to` accepts.
bool is_convert_target(const std::string& target);

// One item of a conversion: a file to convert, or a file or folder that could not be looked at.
struct Convert_Source {
    std::string path;
    File_Failure failure; // when the walk could not look at `path`
};

// What a convert to `target` works on: files as given, folders walked recursively, each folder's
// entries in name order, for the files of the target's kind: radio files whose extension is
// exactly ".raf", ".Raf" or ".RAF"; NSMA files (".adf", ".dat", ".Adf", ...) for the binary
// antenna formats; binary antenna files (".asd", ".mas", ".vas", ".msi" or ".pln" in any case) for NSMA
// text. Symbolic links to folders below a folder are not followed. A folder that cannot be read
// is an item of its own, with its failure, where the walk met it; so is a file of the target's
// kind that is a symbolic link loop.
std::vector<Convert_Source> convert_sources(const std::string& target,
                                            const std::vector<std::string>& paths);

// Converts every source, printing one line per file and the count message: "SOURCE -> TARGET",
// with "(not kept: ...)" when the target format has no room for some of the source's values and
// the warnings after it; the failures on `err`. With `options.json` one JSON object per file on
// `out` instead, and no count. A source whose target
// (however spelt) an earlier source of the run was converted into is refused, naming both, and
// counts as not converted. With `options.quiet` only the failures are reported (as lines on `err`,
// or with `options.json` as their objects on `out`). With `options.progress` a batch of more
// than 100 files keeps one line on `err` up to date ("converted 7 of 250: PATH"), cleared before
// each failure line and at the end. Returns the exit code: 0 when every file converted, 1 when any failed.
int run_convert(const Convert_Options& options, const std::vector<std::string>& paths,
                std::ostream& out, std::ostream& err);
