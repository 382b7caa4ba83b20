// Converting radio files from the command line.
#include "convert.h"

#include "data_files.h"
#include "error_handler.h"
#include "raf_format.h"
#include "save_atomically.h"
#include "rsd_format.h"
#include "syntax_error.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

bool is_radio_ascii_name(const fs::path& path) {
    const std::string extension = path.extension().string();
    return extension == ".raf" || extension == ".Raf" || extension == ".RAF";
}

void walk(const fs::path& folder, std::vector<std::string>& files) {
    std::vector<fs::path> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        entries.push_back(it->path());
    }
    std::sort(entries.begin(), entries.end());
    for (const fs::path& entry : entries) {
        std::error_code kind_error;
        if (fs::is_directory(entry, kind_error) && !fs::is_symlink(entry, kind_error)) {
            walk(entry, files);
        } else if (is_radio_ascii_name(entry) && fs::is_regular_file(entry, kind_error)) {
            files.push_back(entry.string());
        }
    }
}

std::string output_path(const Convert_Options& options, const fs::path& source) {
    const fs::path folder = options.out_dir.empty() ? source.parent_path() : fs::path(options.out_dir);
    return (folder / source.stem()).string() + "." + options.target;
}

} // namespace

bool is_convert_target(const std::string& target) { return target == "raf" || target == "rsd"; }

std::vector<std::string> convert_sources(const std::vector<std::string>& paths) {
    std::vector<std::string> files;
    for (const std::string& path : paths) {
        std::error_code error;
        if (fs::is_directory(path, error)) {
            walk(path, files);
        } else {
            files.push_back(path);
        }
    }
    return files;
}

int run_convert(const Convert_Options& options, const std::vector<std::string>& paths,
                std::ostream& out, std::ostream& err) {
    Error_Handler handler;
    int converted = 0;
    bool failed = false;
    if (!options.out_dir.empty()) {
        std::error_code error;
        fs::create_directories(options.out_dir, error);
        if (error) {
            err << failure_report(options.out_dir, error.message()) << '\n';
            return 1;
        }
    }
    // The disk is waited for once, at the end, not once per file.
    Deferred_Flush_Scope batch;
    for (const std::string& source : convert_sources(paths)) {
        const std::string target = output_path(options, source);
        std::string failure;
        const std::string stem = fs::path(target).stem().string();
        if (stem.size() > MAX_V5_NAME) {
            failure = failure_report(source, V5_NAME_TOO_LONG);
        } else {
            try {
                Loaded_File file = load_data_file(source, &handler);
                copy_text(file.radio->spec.radio_code, stem.c_str());
                if (options.target == "rsd") {
                    write_rsd_file(*file.radio, target.c_str(), &handler, options.lock);
                } else {
                    write_raf_file(*file.radio, target.c_str(), &handler);
                }
            } catch (Error_Handler* raised) {
                failure = failure_report(source, *raised);
            } catch (Data_Syntax_Error* raised) {
                failure = failure_report(source, *raised);
            }
        }
        if (failure.empty()) {
            ++converted;
            out << source << " -> " << target << '\n';
            continue;
        }
        failed = true;
        err << failure << '\n';
        if (!options.keep_going) {
            break;
        }
    }
    if (!Deferred_Flush_Scope::flush()) {
        err << "kelvor-cli: the converted files could not be flushed to disk\n";
        failed = true;
    }
    char count[64];
    std::snprintf(count, sizeof count, "%d files successfully converted", converted);
    out << count << '\n';
    return failed ? 1 : 0;
}
