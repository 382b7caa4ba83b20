// kelvor-cli: checks, dumps and converts radio and antenna data files without a display.
#include "convert.h"
#include "data_files.h"

#include "error_handler.h"
#include "kelvor_version.h"
#include "save_atomically.h"
#include "syntax_error.h"

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* usage_text =
    "Usage: kelvor-cli COMMAND [OPTIONS] PATH...\n"
    "\n"
    "Commands:\n"
    "  check FILE...      read each file and report whether it is sound\n"
    "  dump FILE          print the file's record as JSON\n"
    "  convert --to FORMAT [--out DIR] [--continue [--jobs N]] [--lock] [--technology T] PATH...\n"
    "                     convert files, or every file of the right kind below a folder;\n"
    "                     FORMAT: raf (version 5 ASCII radio file),\n"
    "                             rsd (version 5 binary radio file),\n"
    "                             mrs (version 4 binary radio file),\n"
    "                             raf4 (version 4 ASCII radio file),\n"
    "                             asd (binary antenna file), mas (version 4 binary antenna file),\n"
    "                             adf (NSMA antenna text file)\n"
    "\n"
    "Options:\n"
    "  --to FORMAT        the format to write\n"
    "  --out DIR          write into DIR instead of beside each source\n"
    "  --continue         go on after a file that failed, converting several files at once\n"
    "  --jobs N           with --continue: N files at once (default: one per processor)\n"
    "  --lock             mark the binary radio files written as locked\n"
    "  --v4-only          convert version 4 ASCII files only, passing over the others,\n"
    "                     and stop at the first failure (needs --out)\n"
    "  --technology T     dipole or aperture: the antenna technology of NSMA files that\n"
    "                     do not state it (without it such files are skipped)\n"
    "  --help             show this text\n"
    "  --version          show the version\n";

int usage_error(const std::string& message) {
    std::cerr << "kelvor-cli: " << message << "\n\n" << usage_text;
    return 2;
}

int check(const std::vector<std::string>& files) {
    Error_Handler handler;
    bool failed = false;
    for (const std::string& path : files) {
        try {
            const Loaded_File file = load_data_file(path, &handler, true);
            std::cout << path << ": ok (" << file.kind << (file.locked ? ", locked" : "")
                      << ")\n";
        } catch (Error_Handler* raised) {
            failed = true;
            std::cout << failure_report(path, *raised) << '\n';
        } catch (Data_Syntax_Error* raised) {
            failed = true;
            std::cout << failure_report(path, *raised) << '\n';
        }
    }
    return failed ? 1 : 0;
}

int dump(const std::string& path) {
    Error_Handler handler;
    try {
        const Loaded_File file = load_data_file(path, &handler);
        std::cout << data_file_json(file).dump(2) << '\n';
        return 0;
    } catch (Error_Handler* raised) {
        std::cerr << failure_report(path, *raised) << '\n';
    } catch (Data_Syntax_Error* raised) {
        std::cerr << failure_report(path, *raised) << '\n';
    }
    return 1;
}

int convert(const std::vector<std::string>& args) {
    Convert_Options options;
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--to" || arg == "--out" || arg == "--technology" || arg == "--jobs") {
            if (i + 1 >= args.size()) {
                return usage_error(arg + " needs a value");
            }
            const std::string& value = args[++i];
            if (arg == "--jobs") {
                const int jobs = std::atoi(value.c_str());
                if (jobs < 1 || jobs > 256 || value.find_first_not_of("0123456789") != std::string::npos) {
                    return usage_error("--jobs is a number from 1 to 256");
                }
                options.jobs = jobs;
            } else if (arg == "--technology") {
                if (value != "dipole" && value != "aperture") {
                    return usage_error("--technology is dipole or aperture");
                }
                options.technology = value == "dipole" ? 1 : 2;
            } else {
                (arg == "--to" ? options.target : options.out_dir) = value;
            }
        } else if (arg == "--continue") {
            options.keep_going = true;
        } else if (arg == "--lock") {
            options.lock = true;
        } else if (arg == "--v4-only") {
            options.v4_only = true;
        } else if (arg.rfind("--", 0) == 0) {
            return usage_error("unknown option " + arg);
        } else {
            paths.push_back(arg);
        }
    }
    if (options.target.empty()) {
        return usage_error("convert needs --to FORMAT");
    }
    if (!is_convert_target(options.target)) {
        return usage_error("cannot convert to " + options.target);
    }
    if (paths.empty()) {
        return usage_error("convert needs at least one file or folder");
    }
    if (options.v4_only && (options.target != "raf" || options.out_dir.empty())) {
        return usage_error("--v4-only goes with --to raf and --out DIR");
    }
    return run_convert(options, paths, std::cout, std::cerr);
}

} // namespace

int main(int argc, char** argv) {
    // An interrupted batch leaves no temporary files; a write past `ulimit -f` fails as a write.
    install_save_signal_handlers();
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        return usage_error("no command given");
    }
    const std::string& command = args[0];
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << usage_text;
        return 0;
    }
    if (command == "--version") {
        std::cout << KELVOR_VERSION_TEXT << '\n';
        return 0;
    }
    if (command == "check") {
        return rest.empty() ? usage_error("check needs at least one file") : check(rest);
    }
    if (command == "dump") {
        return rest.size() != 1 ? usage_error("dump takes one file") : dump(rest[0]);
    }
    if (command == "convert") {
        return convert(rest);
    }
    return usage_error("unknown command " + command);
}
