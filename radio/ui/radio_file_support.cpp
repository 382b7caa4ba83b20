// Telling radio files apart for the editors, and their messages.
#include "radio_file_support.h"

#include "editor_support.h"
#include "error_handler.h"
#include "message_catalogue.h"
#include "qvfileio.h"
#include "radio_file_kind.h"
#include "rsd_format.h"
#include "text_helpers.h"

#include <algorithm>

namespace {

bool starts_with(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

constexpr std::string_view v4_old_identifier = "QVW40_RADIOSPEC";

} // namespace

std::string read_leading_bytes(const char* path, std::size_t count, Error_Handler* handler) {
    qvfileio file(handler, path, QV_GENERIC_READ, QV_SHARE_READ);
    const std::size_t size =
        std::min<std::size_t>(count, file.get_file_size_within(MAX_TEXT_FILE_SIZE, "data file"));
    std::string bytes(size, '\0');
    if (size > 0) {
        file.read(bytes.data(), static_cast<unsigned>(size));
    }
    const Radio_File_Kind kind = radio_kind_of(bytes.data(), bytes.size());
    if (kind == Radio_File_Kind::rsd || kind == Radio_File_Kind::mrs) {
        file.get_file_size_within(MAX_BINARY_FILE_SIZE, "binary data file");
    }
    return bytes;
}

std::string_view after_leading_blanks(std::string_view bytes) {
    std::size_t start = 0;
    while (start < bytes.size() &&
           (bytes[start] == ' ' || bytes[start] == '\r' || bytes[start] == '\n')) {
        ++start;
    }
    return bytes.substr(start);
}

V5_Open_Route v5_open_route(std::string_view bytes) {
    if (is_rsd_locked(bytes.data(), bytes.size())) {
        return V5_Open_Route::rsd_locked;
    }
    switch (radio_kind_of(bytes.data(), bytes.size())) {
    case Radio_File_Kind::raf5:
        return V5_Open_Route::raf5;
    case Radio_File_Kind::rsd:
        return V5_Open_Route::rsd;
    case Radio_File_Kind::mrs:
        return V5_Open_Route::mrs;
    case Radio_File_Kind::raf4:
        return V5_Open_Route::raf4;
    default:
        return V5_Open_Route::unknown;
    }
}

V4_Open_Route v4_open_route(std::string_view bytes) {
    const std::string_view text = after_leading_blanks(bytes);
    for (const char* id : {"QV50_ASCII_RADIO_SPEC_01", "QV50_ASCII_RADIO_SPEC_02",
                           "QV50_ASCII_RADIO_SPEC_03"}) {
        if (starts_with(text, id)) {
            return V4_Open_Route::raf5;
        }
    }
    if (starts_with(text, "QV50_RADIO_SPEC")) {
        return is_rsd_locked(bytes.data(), bytes.size()) ? V4_Open_Route::rsd_locked
                                                         : V4_Open_Route::rsd;
    }
    switch (radio_kind_of(bytes.data(), bytes.size())) {
    case Radio_File_Kind::mrs:
        return V4_Open_Route::mrs;
    case Radio_File_Kind::raf4:
        return V4_Open_Route::raf4;
    default:
        return V4_Open_Route::unknown;
    }
}

bool is_v4_ascii_radio_file(std::string_view bytes) {
    const std::string_view text = after_leading_blanks(bytes);
    return starts_with(text, v4_old_identifier) && text.size() > v4_old_identifier.size() &&
           text[v4_old_identifier.size()] != '\0';
}

bool is_radio_batch_extension(const std::string& path) {
    const std::string extension = get_extension(path.c_str());
    return extension == ".raf" || extension == ".Raf" || extension == ".RAF";
}

int check_v5_radio_name(Owner_Window owner, const std::string& path, bool ask_continue) {
    return check_file_name(owner, path, MAX_V5_NAME, V5_NAME_TOO_LONG, ask_continue);
}

int check_v4_radio_name(Owner_Window owner, const std::string& path, bool ask_continue) {
    return check_file_name(owner, path, MAX_V4_NAME, V4_NAME_TOO_LONG, ask_continue);
}

void show_unknown_radio_file(Owner_Window owner, const std::string& path) {
    error_handler(owner, MSG_INVALID_RADIO_SUFFIX, MSG_FILE_ERROR,
                  get_filename_c(path.c_str()).c_str(), 0, false);
}

void show_locked_rsd_file(Owner_Window owner, const std::string& path) {
    show_message_box(owner, RSD_LOCKED_CAPTION,
                     get_filename_c(path.c_str()) + "\r\n" + RSD_LOCKED_TEXT,
                     BOX_OK | BOX_ICON_STOP);
}
