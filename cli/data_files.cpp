// Reading data files for the command-line tool.
#include "data_files.h"

#include "antenna_json.h"
#include "antenna_open.h"
#include "error_handler.h"
#include "file_text.h"
#include "message_catalogue.h"
#include "nsma_format.h"
#include "radio4_format.h"
#include "radio4_json.h"
#include "radio_json.h"
#include "qvfileio.h"
#include "raf_format.h"
#include "string_list.h"
#include "rsd_format.h"
#include "syntax_error.h"
#include "text_helpers.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <exception>
#include <new>

namespace {

// The bytes that tell the radio files apart, as the editors read them.
constexpr std::size_t identifying_bytes = 48;

void add_warning(Loaded_File& file, std::string warning) {
    if (!warning.empty()) {
        file.warnings.push_back(std::move(warning));
    }
}

} // namespace

namespace {

thread_local std::vector<std::string> unanswered_questions;

} // namespace

void note_unanswered_question(const std::string& text) {
    // "Something looks wrong. Shall it be mended?" is told as "Something looks wrong: kept as it
    // is"; a question of one sentence is told whole.
    std::string told = text;
    const std::size_t asked = told.rfind(". ");
    if (!told.empty() && told.back() == '?' && asked != std::string::npos) {
        told.resize(asked);
        told += ": kept as it is";
    } else {
        told = "unanswered: " + told;
    }
    unanswered_questions.push_back(file_text_to_utf8(told));
}

std::vector<std::string> take_unanswered_questions() {
    std::vector<std::string> taken;
    taken.swap(unanswered_questions);
    return taken;
}

Loaded_File load_data_file(const std::string& path, Error_Handler* handler, bool read_locked) {
    // Questions left from an earlier file that failed are not this file's.
    take_unanswered_questions();
    // The first bytes choose the reader, before anything else is read: a file larger than any
    // data file is refused unread, and a binary file is left to its reader, which reads it record
    // by record. A text file is read once, its lines taken from the bytes already read.
    std::string bytes;
    Radio_File_Kind kind;
    {
        qvfileio file(handler, path.c_str(), QV_GENERIC_READ, QV_SHARE_READ);
        const uint32_t size = file.get_file_size_within(MAX_TEXT_FILE_SIZE, "data file");
        bytes.resize(std::min<uint32_t>(size, identifying_bytes));
        file.read(bytes.data(), static_cast<unsigned>(bytes.size()));
        kind = radio_kind_of(bytes.data(), bytes.size());
        if (kind == Radio_File_Kind::rsd || kind == Radio_File_Kind::mrs) {
            file.get_file_size_within(MAX_BINARY_FILE_SIZE, "binary data file");
        } else if (kind == Radio_File_Kind::raf5 || kind == Radio_File_Kind::raf4) {
            const std::size_t head = bytes.size();
            bytes.resize(size);
            file.read(bytes.data() + head, static_cast<unsigned>(size - head));
        }
    }
    // An empty file is no data file of any kind, whatever its name says.
    if (bytes.empty()) {
        handler->init(ET_ERROR, 0, path.c_str());
        handler->set_info_buff("the file is empty");
        throw handler;
    }
    Loaded_File loaded;
    loaded.kind = radio_kind_name(kind);
    switch (kind) {
    case Radio_File_Kind::raf5: {
        loaded.radio = std::make_unique<Radio_Record>();
        string_list lines;
        lines.set_text(handler, bytes.data(), bytes.size());
        read_raf_lines(*loaded.radio, lines, path.c_str());
        add_warning(loaded, radio_text_end_warning(lines));
        return loaded;
    }
    case Radio_File_Kind::rsd:
        // The lock is looked at before anything else of the file.
        loaded.locked = is_rsd_locked(bytes.data(), bytes.size());
        if (loaded.locked && !read_locked) {
            handler->init(ET_ERROR, 0, path.c_str());
            handler->set_info_buff(RSD_LOCKED_TEXT);
            throw handler;
        }
        loaded.radio = std::make_unique<Radio_Record>();
        read_rsd_file(*loaded.radio, path.c_str(), handler);
        return loaded;
    case Radio_File_Kind::mrs:
        loaded.radio4 = std::make_unique<Radio4_Record>();
        read_mrs_file(*loaded.radio4, path.c_str(), handler);
        return loaded;
    case Radio_File_Kind::raf4: {
        loaded.radio4 = std::make_unique<Radio4_Record>();
        string_list lines;
        lines.set_text(handler, bytes.data(), bytes.size());
        read_raf4_lines(*loaded.radio4, lines, path.c_str());
        add_warning(loaded, radio_text_end_warning(lines));
        return loaded;
    }
    default:
        break;
    }
    if (has_radio_extension(path)) {
        handler->init(ET_ERROR, MSG_INVALID_RADIO_SUFFIX, path.c_str());
        throw handler;
    }
    loaded.antenna = std::make_unique<Antenna_Record>();
    loaded.kind = antenna_kind_name(open_antenna_file(*loaded.antenna, handler, path.c_str()).kind);
    add_warning(loaded, nsma_cut_count_warning(*loaded.antenna));
    for (std::string& question : take_unanswered_questions()) {
        add_warning(loaded, std::move(question));
    }
    return loaded;
}

bool has_radio_extension(const std::string& path) {
    std::string extension = get_extension(path.c_str());
    for (char& c : extension) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return extension == ".raf" || extension == ".rsd" || extension == ".mrs";
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

std::string failure_report(const std::string& path, const std::string& message) {
    return path + ": " + message;
}

std::string unexpected_failure_report(const std::string& path) {
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

std::string failure_report(const std::string& path, Error_Handler& handler, File_Work work) {
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

std::string failure_report(const std::string& path, const Data_Syntax_Error& error) {
    std::string text = path + ":";
    if (error.line_number() != -1) {
        text += std::to_string(error.line_number()) + ":";
    }
    text += " ";
    text += error.fault().empty() ? "syntax error" : error.fault();
    if (error.line_text() != nullptr) {
        // The line is the file's own single-byte text; the terminal takes UTF-8.
        text += ": ";
        text += echoed_line(error.line_text());
    }
    return text;
}
