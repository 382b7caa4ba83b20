// Reading data files for the command-line tool.
#include "data_files.h"

#include "antenna_json.h"
#include "antenna_lint.h"
#include "antenna_open.h"
#include "error_handler.h"
#include "file_text.h"
#include "nsma_format.h"
#include "radio4_json.h"
#include "radio_json.h"
#include "radio_lint.h"
#include "radio_open.h"
#include "qvfileio.h"
#include "rsd_format.h"
#include "syntax_error.h"
#include "text_helpers.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <exception>
#include <new>

namespace {

void add_warnings(Loaded_File& file, std::vector<std::string> warnings) {
    for (std::string& warning : warnings) {
        if (!warning.empty()) {
            file.warnings.push_back(file_text_to_utf8(warning));
        }
    }
}

} // namespace

std::string read_data_file_bytes(const std::string& path, Error_Handler* handler) {
    // The first bytes choose the reader and its size limit before the rest is read; a file
    // larger than any data file is refused unread. What is no radio file is an antenna file,
    // whose name tells its limit (and its sharing: a binary one is read without, as the antenna
    // editor reads it).
    const auto limit_after_head = [&](std::string_view head) {
        return radio_kind_of(head.data(), head.size()) == Radio_File_Kind::unknown
                   ? antenna_file_limit(path.c_str())
                   : radio_file_limit(head);
    };
    std::string bytes =
        read_data_file(handler, path.c_str(), {MAX_TEXT_FILE_SIZE, "data file"},
                       RADIO_IDENTIFYING_BYTES, limit_after_head, antenna_file_share(path.c_str()));
    // An empty file is no data file of any kind, whatever its name says.
    if (bytes.empty()) {
        handler->init(ET_ERROR, 0, path.c_str());
        handler->set_info_buff("the file is empty");
        throw handler;
    }
    return bytes;
}

Loaded_File load_data_bytes(const std::string& path, std::string_view bytes,
                            Error_Handler* handler, const Load_Options& options) {
    Loaded_File loaded;
    load_data_bytes(loaded, path, bytes, handler, options);
    return loaded;
}

void load_data_bytes(Loaded_File& loaded, const std::string& path, std::string_view bytes,
                     Error_Handler* handler, const Load_Options& options) {
    const std::string_view head = bytes.substr(0, RADIO_IDENTIFYING_BYTES);
    const Radio_File_Kind kind = radio_kind_of(head.data(), head.size());
    loaded.kind = radio_kind_name(kind);
    std::vector<std::string> warnings;
    switch (kind) {
    case Radio_File_Kind::rsd:
        // The lock is looked at before anything else of the file.
        loaded.locked = is_rsd_locked(head.data(), head.size());
        if (loaded.locked && !options.read_locked) {
            refuse_radio_file(handler, path.c_str(), true);
        }
        [[fallthrough]];
    case Radio_File_Kind::raf5:
        loaded.radio = std::make_unique<Radio_Record>();
        read_v5_bytes(*loaded.radio, kind, bytes, path.c_str(), handler, warnings);
        add_warnings(loaded, std::move(warnings));
        return;
    case Radio_File_Kind::mrs:
    case Radio_File_Kind::raf4:
        loaded.radio4 = std::make_unique<Radio4_Record>();
        read_v4_bytes(*loaded.radio4, kind, bytes, path.c_str(), handler, warnings);
        add_warnings(loaded, std::move(warnings));
        return;
    default:
        break;
    }
    if (has_radio_extension(path)) {
        refuse_radio_file(handler, path.c_str(), false);
    }
    loaded.kind.clear(); // known once the antenna opener has read the file
    loaded.antenna = std::make_unique<Antenna_Record>();
    Antenna_Read_Decisions decisions;
    decisions.reverse_backwards = options.reverse_backwards;
    try {
        open_antenna_bytes(*loaded.antenna, handler, path.c_str(), bytes, decisions);
    } catch (...) {
        loaded.kind = antenna_kind_name(decisions.kind); // what the name or bytes chose
        throw;
    }
    loaded.kind = antenna_kind_name(decisions.kind);
    add_warnings(loaded, std::move(decisions.texts_cut));
    add_warnings(loaded, {nsma_cut_count_warning(*loaded.antenna)});
    add_warnings(loaded, std::move(decisions.answered));
}

Loaded_File load_data_file(const std::string& path, Error_Handler* handler,
                           const Load_Options& options) {
    Loaded_File loaded;
    load_data_file(loaded, path, handler, options);
    return loaded;
}

void load_data_file(Loaded_File& loaded, const std::string& path, Error_Handler* handler,
                    const Load_Options& options) {
    const std::string bytes = read_data_file_bytes(path, handler);
    load_data_bytes(loaded, path, bytes, handler, options);
}

bool has_radio_extension(const std::string& path) {
    return has_extension(path.c_str(), ".raf") || has_extension(path.c_str(), ".rsd") ||
           has_extension(path.c_str(), ".mrs");
}

bool has_data_file_extension(const std::string& path) {
    static const char* const antenna_extensions[] = {".adf", ".dat", ".pat", ".asd",
                                                     ".mas", ".vas", ".msi", ".pln"};
    return has_radio_extension(path) ||
           std::any_of(std::begin(antenna_extensions), std::end(antenna_extensions),
                       [&](const char* extension) { return has_extension(path.c_str(), extension); });
}

std::vector<Walked_Path> data_files_below(const std::vector<std::string>& paths) {
    std::vector<Walked_Path> files;
    for (const std::string& path : paths) {
        std::error_code error;
        if (!std::filesystem::is_directory(path, error)) {
            files.push_back({path, {}});
            continue;
        }
        for (Walked_Path& walked : walk_folder(path, has_data_file_extension)) {
            files.push_back(std::move(walked));
        }
    }
    return files;
}

std::vector<Lint_Warning> lint_data_file(const Loaded_File& file) {
    if (file.antenna) {
        return lint_antenna(*file.antenna);
    }
    if (file.radio) {
        return lint_radio(*file.radio);
    }
    if (file.radio4) {
        return lint_radio4(*file.radio4);
    }
    return {};
}

nlohmann::ordered_json data_file_json(const Loaded_File& file) {
    nlohmann::ordered_json record;
    if (file.radio) {
        record = radio_to_json(*file.radio);
    } else if (file.radio4) {
        record = radio4_to_json(*file.radio4);
    } else if (file.antenna) {
        record = antenna_to_json(*file.antenna);
    }
    return {{"format", file.kind}, {"record", record}};
}

File_Failure failure_report(const std::string& path, const std::string& message) {
    return {path + ": " + message, message, -1, {}};
}

File_Failure unexpected_failure_report(const std::string& path) {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return failure_report(path, "not enough memory for the file");
    } catch (const std::exception& error) {
        return failure_report(path, error.what());
    } catch (...) {
        return failure_report(path, "an unexpected failure");
    }
}

File_Failure failure_report(const std::string& path, Error_Handler& handler, File_Work work) {
    handler.format_errormsg();
    std::string text;
    if (handler.get_last_error_code() == ELOOP) {
        text = "symbolic link loop";
    } else if (handler.get_message_text() != nullptr) {
        text = handler.get_message_text();
    }
    if (handler.get_info_text() != nullptr) {
        text += (text.empty() ? "" : " ") + std::string(handler.get_info_text());
    }
    std::string line = to_display_lines(text);
    for (char& c : line) {
        if (c == '\n') {
            c = ' ';
        }
    }
    // A failure on another file than the one worked on is the file being written.
    const std::string concerned = handler.get_file_name();
    if (work == File_Work::writing || (!concerned.empty() && concerned != path)) {
        line = "cannot write " + (concerned.empty() ? path : concerned) + ": " + line;
    } else if (handler.get_last_error_code() != 0) {
        line = "cannot read the file: " + line;
    }
    return failure_report(path, line);
}

namespace {

// What a report shows of a line of the file: its first characters, as UTF-8 for the terminal.
std::string echoed_line(std::string_view line) {
    constexpr std::size_t most = 80;
    if (line.size() <= most) {
        return file_text_to_utf8(line);
    }
    return file_text_to_utf8(line.substr(0, most - 1)) + "\u2026";
}

} // namespace

File_Failure failure_report(const std::string& path, const Data_Syntax_Error& error) {
    File_Failure failure;
    failure.line = error.line_number();
    failure.message = error.fault().empty() ? "syntax error" : error.fault();
    failure.report = path + ":";
    if (failure.line != -1) {
        failure.report += std::to_string(failure.line) + ":";
    }
    failure.report += " " + failure.message;
    if (error.line_text() != nullptr) {
        // The line is the file's own single-byte text; the terminal takes UTF-8.
        failure.text = echoed_line(error.line_text());
        failure.report += ": " + failure.text;
    }
    return failure;
}

nlohmann::ordered_json failure_json(const File_Failure& failure) {
    nlohmann::ordered_json json = {{"message", failure.message}};
    if (failure.line != -1) {
        json["line"] = failure.line;
    }
    if (!failure.text.empty()) {
        json["text"] = failure.text;
    }
    return json;
}

nlohmann::ordered_json lint_json(const std::vector<Lint_Warning>& warnings) {
    nlohmann::ordered_json json = nlohmann::ordered_json::array();
    for (const Lint_Warning& warning : warnings) {
        json.push_back({{"id", warning.id},
                        {"where", file_text_to_utf8(warning.where)},
                        {"text", file_text_to_utf8(warning.text)}});
    }
    return json;
}
