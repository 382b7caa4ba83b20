// The convert command: data files, or every data file below folders, into another format.
#pragma once

#include <ostream>
#include <string>
#include <vector>

struct Convert_Options {
    std::string target;  // "raf", "rsd"
    std::string out_dir; // empty: beside each source
    bool keep_going = false;
    bool lock = false; // binary radio files written locked
};

// Formats `convert --to` accepts.
bool is_convert_target(const std::string& target);

// The files a convert of `paths` works on: files as given, folders walked recursively for radio
// files whose extension is exactly ".raf", ".Raf" or ".RAF", in name order.
std::vector<std::string> convert_sources(const std::vector<std::string>& paths);

// Converts every source, printing one line per file and the count message. Returns the exit
// code: 0 when every file converted, 1 when any failed.
int run_convert(const Convert_Options& options, const std::vector<std::string>& paths,
                std::ostream& out, std::ostream& err);
