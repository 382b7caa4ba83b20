// Opening radio files of every kind as records of either version.
#include "radio_open.h"

#include "error_handler.h"
#include "message_catalogue.h"
#include "radio4_conversion.h"
#include "radio4_format.h"
#include "radio4_record.h"
#include "radio_conversion_losses.h"
#include "radio_record.h"
#include "raf_format.h"
#include "rsd_format.h"
#include "string_list.h"

#include <memory>

namespace {

std::string_view after_line_breaks(std::string_view bytes) {
    const std::size_t start = bytes.find_first_not_of(" \r\n");
    return start == std::string_view::npos ? std::string_view() : bytes.substr(start);
}

// Reads the file and tells which reader the editor takes for it, refusing what it does not take.
Radio_File_Kind read_for_editor(const char* path, Error_Handler* handler, std::string& bytes,
                                Radio_File_Kind (*open_kind)(std::string_view)) {
    bytes = read_radio_file(path, handler);
    const std::string_view head = std::string_view(bytes).substr(0, RADIO_IDENTIFYING_BYTES);
    const Radio_File_Kind kind = open_kind(head);
    if (kind == Radio_File_Kind::unknown || is_rsd_locked(head.data(), head.size())) {
        refuse_radio_file(handler, path, kind != Radio_File_Kind::unknown);
    }
    return kind;
}

void add_end_warning(const string_list& lines, std::vector<std::string>& warnings) {
    std::string warning = radio_text_end_warning(lines);
    if (!warning.empty()) {
        warnings.push_back(std::move(warning));
    }
}

bool is_v5_kind(Radio_File_Kind kind) {
    return kind == Radio_File_Kind::raf5 || kind == Radio_File_Kind::rsd;
}

} // namespace

Data_File_Limit radio_file_limit(std::string_view head) {
    const Radio_File_Kind kind = radio_kind_of(head.data(), head.size());
    return kind == Radio_File_Kind::rsd || kind == Radio_File_Kind::mrs
               ? Data_File_Limit{MAX_BINARY_FILE_SIZE, "binary data file"}
               : Data_File_Limit{MAX_TEXT_FILE_SIZE, "data file"};
}

std::string read_radio_file(const char* path, Error_Handler* handler) {
    return read_data_file(handler, path, {MAX_TEXT_FILE_SIZE, "data file"},
                          RADIO_IDENTIFYING_BYTES, radio_file_limit);
}

Radio_File_Kind v5_open_kind(std::string_view head) {
    return radio_kind_of(head.data(), head.size());
}

Radio_File_Kind v4_open_kind(std::string_view head) {
    const std::string_view text = after_line_breaks(head);
    for (const char* id : {"QV50_ASCII_RADIO_SPEC_01", "QV50_ASCII_RADIO_SPEC_02",
                           "QV50_ASCII_RADIO_SPEC_03"}) {
        if (text.starts_with(id)) {
            return Radio_File_Kind::raf5;
        }
    }
    if (text.starts_with("QV50_RADIO_SPEC")) {
        return Radio_File_Kind::rsd;
    }
    const Radio_File_Kind kind = radio_kind_of(head.data(), head.size());
    return is_v5_kind(kind) ? Radio_File_Kind::unknown : kind;
}

void refuse_radio_file(Error_Handler* handler, const char* path, bool locked) {
    if (locked) {
        handler->init(ET_ERROR, 0, path);
        handler->set_info_buff(RSD_LOCKED_TEXT);
    } else {
        handler->init(ET_ERROR, MSG_INVALID_RADIO_SUFFIX, path);
    }
    throw handler;
}

void read_v5_bytes(Radio_Record& record, Radio_File_Kind kind, std::string_view bytes,
                   const char* path, Error_Handler* handler, std::vector<std::string>& warnings) {
    record.reset();
    if (kind == Radio_File_Kind::rsd) {
        read_rsd_image(record, bytes, handler);
        return;
    }
    if (kind != Radio_File_Kind::raf5) {
        handler->set_error_code(MSG_WRONG_FILE_FORMAT);
        throw handler;
    }
    string_list lines;
    lines.set_text(handler, bytes.data(), bytes.size());
    read_raf_lines(record, lines, path, &warnings);
    add_end_warning(lines, warnings);
}

void read_v4_bytes(Radio4_Record& record, Radio_File_Kind kind, std::string_view bytes,
                   const char* path, Error_Handler* handler, std::vector<std::string>& warnings) {
    if (kind == Radio_File_Kind::mrs) {
        read_mrs_image(record, bytes, handler);
        return;
    }
    if (kind != Radio_File_Kind::raf4) {
        handler->set_error_code(MSG_WRONG_FILE_FORMAT);
        throw handler;
    }
    string_list lines;
    lines.set_text(handler, bytes.data(), bytes.size());
    read_raf4_lines(record, lines, path, &warnings);
    add_end_warning(lines, warnings);
}

void read_bytes_as_v5(Radio_Record& record, Radio_File_Kind kind, std::string_view bytes,
                      const char* path, Error_Handler* handler, std::vector<std::string>& warnings,
                      std::vector<std::string>& passed_over, const Losses_Request& losses) {
    if (is_v5_kind(kind)) {
        read_v5_bytes(record, kind, bytes, path, handler, warnings);
        if (losses.into != nullptr) {
            *losses.into = v5_conversion_losses(record, losses.target);
        }
        return;
    }
    const auto v4 = std::make_unique<Radio4_Record>();
    read_v4_bytes(*v4, kind, bytes, path, handler, warnings);
    if (losses.into != nullptr) {
        *losses.into = v4_conversion_losses(*v4, losses.target);
    }
    convert_v4_to_v5(*v4, record, passed_over);
}

void read_bytes_as_v4(Radio4_Record& record, Radio_File_Kind kind, std::string_view bytes,
                      const char* path, Error_Handler* handler, std::vector<std::string>& warnings,
                      const Losses_Request& losses) {
    if (!is_v5_kind(kind)) {
        read_v4_bytes(record, kind, bytes, path, handler, warnings);
        if (losses.into != nullptr) {
            *losses.into = v4_conversion_losses(record, losses.target);
        }
        return;
    }
    const auto v5 = std::make_unique<Radio_Record>();
    read_v5_bytes(*v5, kind, bytes, path, handler, warnings);
    if (losses.into != nullptr) {
        // The losses tell the texts cut, among the rest.
        *losses.into = v5_conversion_losses(*v5, losses.target);
        convert_v5_to_v4(*v5, record, nullptr);
    } else {
        convert_v5_to_v4(*v5, record, &warnings);
    }
}

std::vector<std::string> open_radio_as_v5(Radio_Record& record, const char* path,
                                          Error_Handler* handler) {
    std::string bytes;
    const Radio_File_Kind kind = read_for_editor(path, handler, bytes, v5_open_kind);
    std::vector<std::string> warnings;
    read_bytes_as_v5(record, kind, bytes, path, handler, warnings, warnings);
    return warnings;
}

std::vector<std::string> open_radio_as_v4(Radio4_Record& record, const char* path,
                                          Error_Handler* handler) {
    std::string bytes;
    const Radio_File_Kind kind = read_for_editor(path, handler, bytes, v4_open_kind);
    std::vector<std::string> warnings;
    read_bytes_as_v4(record, kind, bytes, path, handler, warnings);
    return warnings;
}
