// kelvor-cli: checks, dumps and converts radio and antenna data files without a display.
#include "convert.h"
#include "data_files.h"

#include "error_handler.h"
#include "file_text.h"
#include "json_values.h"
#include "folder_walk.h"
#include "kelvor_version.h"
#include "save_atomically.h"
#include "syntax_error.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <optional>
#include <streambuf>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

constexpr const char* usage_text =
    "Usage: kelvor-cli COMMAND [OPTIONS] PATH...\n"
    "\n"
    "Commands:\n"
    "  check [--json] [--lint[=error]] [--reverse-backwards A] PATH...\n"
    "                     read each file, or every data file below a folder, and report\n"
    "                     whether it is sound\n"
    "  dump [--reverse-backwards A] FILE\n"
    "                     print the file's record as JSON\n"
    "  convert --to FORMAT [--out DIR] [--continue [--jobs N]] [--lock] [--technology T]\n"
    "          [--reverse-backwards A] [--json] [--quiet] PATH...\n"
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
    "  --reverse-backwards A\n"
    "                     yes or no (default): whether an .msi elevation pattern that\n"
    "                     appears to be backwards is mirrored; the report tells which\n"
    "  --json             report one JSON object per file, one per line\n"
    "  --quiet            with convert: report nothing but the failures (a batch of more\n"
    "                     than 100 files otherwise shows its progress on a terminal)\n"
    "  --lint             with check: also warn of data that reads but is probably wrong\n"
    "  --lint=error       the same, and a warning fails the check\n"
    "  --help             show this text\n"
    "  --version          show the version\n"
    "  --                 the arguments after it are paths, even those starting with \"-\"\n";

int usage_error(const std::string& message) {
    std::cerr << "kelvor-cli: " << message << "\n\n" << usage_text;
    return 2;
}

constexpr const char* reverse_backwards_option = "--reverse-backwards";

// The answer given to --reverse-backwards: true for yes, false for no, empty for anything else.
std::optional<bool> reverse_backwards_answer(const std::string& value) {
    if (value == "yes" || value == "no") {
        return value == "yes";
    }
    return std::nullopt;
}

// What check is asked for besides reading each file.
struct Check_Options {
    Load_Options load;
    bool json = false;       // one JSON object per file instead of the report lines
    bool lint = false;       // also audit the files that read
    bool lint_fails = false; // an audit warning fails the check (--lint=error)
};

// The paths of check and dump and their options: the arguments without the first "--", which
// ends the options as it does for convert; before it "--reverse-backwards yes|no", and for check
// "--json", "--lint" and "--lint=error". Returns the usage error, or empty.
std::string read_check_arguments(const std::vector<std::string>& args, bool for_check,
                                 std::vector<std::string>& paths, Check_Options& options) {
    bool options_ended = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (options_ended) {
            paths.push_back(arg);
        } else if (arg == "--") {
            options_ended = true;
        } else if (arg == reverse_backwards_option) {
            const auto answer =
                i + 1 < args.size() ? reverse_backwards_answer(args[++i]) : std::nullopt;
            if (!answer) {
                return "--reverse-backwards is yes or no";
            }
            options.load.reverse_backwards = *answer;
        } else if (for_check && arg == "--json") {
            options.json = true;
        } else if (for_check && (arg == "--lint" || arg == "--lint=error")) {
            options.lint = true;
            options.lint_fails = arg == "--lint=error";
        } else if (arg.rfind("--", 0) == 0) {
            return "unknown option " + arg;
        } else {
            paths.push_back(arg);
        }
    }
    return {};
}

// What check found in one file.
struct Check_Result {
    std::string path;
    Loaded_File file;
    File_Failure failure;
    std::vector<Lint_Warning> lint;
};

Check_Result check_file(const std::string& path, const Check_Options& options) {
    Check_Result result;
    result.path = path;
    Error_Handler handler;
    try {
        load_data_file(result.file, path, &handler, options.load);
        if (options.lint) {
            result.lint = lint_data_file(result.file);
        }
    } catch (Error_Handler* raised) {
        result.failure = failure_report(path, *raised);
    } catch (Data_Syntax_Error* raised) {
        result.failure = failure_report(path, *raised);
    } catch (...) {
        result.failure = unexpected_failure_report(path);
    }
    return result;
}

// "PATH: ok (KIND)" with the warnings on the line, and a line for each audit warning.
void print_check_result(const Check_Result& result, std::ostream& out) {
    if (result.failure.failed()) {
        out << result.failure.report << '\n';
        return;
    }
    const Loaded_File& file = result.file;
    out << result.path << ": ok (" << file.kind << (file.locked ? ", locked" : "") << ")";
    for (const std::string& warning : file.warnings) {
        out << ", warning: " << warning;
    }
    out << '\n';
    for (const Lint_Warning& warning : result.lint) {
        out << result.path << ": lint " << warning.id << " ("
            << file_text_to_utf8(warning.where) << "): " << file_text_to_utf8(warning.text) << '\n';
    }
}

Json check_result_json(const Check_Result& result, const Check_Options& options) {
    const Loaded_File& file = result.file;
    Json json = {{"path", result.path},
                 {"kind", file.kind.empty() || file.kind == "unknown" ? Json() : Json(file.kind)},
                 {"status", result.failure.failed() ? "failed" : "ok"},
                 {"locked", file.locked},
                 {"warnings", file.warnings}};
    if (options.lint) {
        json["lint"] = lint_json(result.lint);
    }
    json["error"] = result.failure.failed() ? failure_json(result.failure) : Json();
    return json;
}

int check(const std::vector<std::string>& paths, Check_Options options) {
    bool failed = false;
    options.load.read_locked = true;
    for (const Walked_Path& item : data_files_below(paths)) {
        Check_Result result;
        if (item.failure.empty()) {
            result = check_file(item.path, options);
        } else {
            result.path = item.path;
            result.failure = failure_report(item.path, item.failure);
        }
        failed = failed || result.failure.failed() || (options.lint_fails && !result.lint.empty());
        if (options.json) {
            std::cout << check_result_json(result, options)
                             .dump(-1, ' ', false, Json::error_handler_t::replace)
                      << '\n';
        } else {
            print_check_result(result, std::cout);
        }
    }
    return failed ? 1 : 0;
}

int dump(const std::string& path, const Load_Options& options) {
    Error_Handler handler;
    try {
        const Loaded_File file = load_data_file(path, &handler, options);
        std::cout << data_file_json(file).dump(2) << '\n';
        return 0;
    } catch (Error_Handler* raised) {
        std::cerr << failure_report(path, *raised).report << '\n';
    } catch (Data_Syntax_Error* raised) {
        std::cerr << failure_report(path, *raised).report << '\n';
    } catch (...) {
        std::cerr << unexpected_failure_report(path).report << '\n';
    }
    return 1;
}

int convert(const std::vector<std::string>& args) {
    Convert_Options options;
    std::vector<std::string> paths;
    bool options_ended = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (options_ended) {
            paths.push_back(arg);
        } else if (arg == "--") {
            options_ended = true;
        } else if (arg == "--to" || arg == "--out" || arg == "--technology" || arg == "--jobs" ||
                   arg == reverse_backwards_option) {
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
            } else if (arg == reverse_backwards_option) {
                const auto answer = reverse_backwards_answer(value);
                if (!answer) {
                    return usage_error("--reverse-backwards is yes or no");
                }
                options.reverse_backwards = *answer;
            } else if (arg == "--technology") {
                if (value != "dipole" && value != "aperture") {
                    return usage_error("--technology is dipole or aperture");
                }
                options.technology = value == "dipole" ? 1 : 2;
            } else if (arg == "--out") {
                if (value.empty()) {
                    return usage_error("--out needs a folder");
                }
                options.out_dir = value;
            } else {
                options.target = value;
            }
        } else if (arg == "--continue") {
            options.keep_going = true;
        } else if (arg == "--lock") {
            options.lock = true;
        } else if (arg == "--v4-only") {
            options.v4_only = true;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--quiet") {
            options.quiet = true;
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
    options.progress = ::isatty(STDERR_FILENO) != 0;
    return run_convert(options, paths, std::cout, std::cerr);
}

// Standard output that keeps the first failure of a write (a full disk, a file-size limit): the
// stream itself only learns that a write failed, not why, and nothing more is written after it.
class Output_Buffer : public std::streambuf {
public:
    Output_Buffer() { setp(m_buffer, m_buffer + sizeof m_buffer); }
    Output_Buffer(const Output_Buffer&) = delete;
    Output_Buffer& operator=(const Output_Buffer&) = delete;

    // The errno value of the write that failed; 0 while everything was written.
    int error() const { return m_error; }

protected:
    int_type overflow(int_type c) override {
        if (sync() != 0) {
            return traits_type::eof();
        }
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }

    int sync() override {
        const char* data = pbase();
        std::size_t left = static_cast<std::size_t>(pptr() - pbase());
        while (left > 0 && m_error == 0) {
            const ssize_t put = ::write(STDOUT_FILENO, data, left);
            if (put < 0 && errno == EINTR) {
                continue;
            }
            if (put <= 0) {
                m_error = put < 0 ? errno : EIO;
                break;
            }
            data += put;
            left -= static_cast<std::size_t>(put);
        }
        setp(m_buffer, m_buffer + sizeof m_buffer);
        return m_error == 0 ? 0 : -1;
    }

private:
    char m_buffer[1 << 16];
    int m_error = 0;
};

// A command whose output was lost fails, whatever it did besides.
int finish_output(int exit_code, const Output_Buffer& output) {
    std::cout.flush();
    if (output.error() == 0 && std::cout.good()) {
        return exit_code;
    }
    std::cerr << "kelvor-cli: cannot write the output: "
              << std::strerror(output.error() != 0 ? output.error() : EIO) << '\n';
    return 1;
}

int run_command(const std::vector<std::string>& args) {
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
    if (command == "check" || command == "dump") {
        std::vector<std::string> files;
        Check_Options options;
        const std::string error = read_check_arguments(rest, command == "check", files, options);
        if (!error.empty()) {
            return usage_error(error);
        }
        if (command == "check") {
            return files.empty() ? usage_error("check needs at least one file or folder")
                                 : check(files, options);
        }
        return files.size() != 1 ? usage_error("dump takes one file") : dump(files[0], options.load);
    }
    if (command == "convert") {
        return convert(rest);
    }
    return usage_error("unknown command " + command);
}

} // namespace

int main(int argc, char** argv) {
    // An interrupted batch leaves no temporary files; a write past `ulimit -f` fails as a write.
    install_save_signal_handlers();
    const std::vector<std::string> args(argv + 1, argv + argc);
    Output_Buffer output;
    std::streambuf* const standard_output = std::cout.rdbuf(&output);
    // On a terminal each report shows as it is written, not when the buffer fills.
    if (::isatty(STDOUT_FILENO) != 0) {
        std::cout << std::unitbuf;
    }
    const int exit_code = finish_output(run_command(args), output);
    std::cout.rdbuf(standard_output);
    return exit_code;
}
