// Telling radio files apart for the editors, and their messages.
#include "radio_file_support.h"

#include "editor_support.h"
#include "error_handler.h"
#include "message_catalogue.h"
#include "radio4_conversion.h"
#include "radio_file_kind.h"
#include "radio_open.h"
#include "rsd_format.h"
#include "text_helpers.h"

namespace {

std::optional<Radio_File_Bytes> read_radio_for_editor(Owner_Window owner, const std::string& path,
                                                      Radio_File_Kind (*open_kind)(std::string_view),
                                                      Error_Handler& handler) {
    Radio_File_Bytes file;
    if (run_and_report(owner, false, [&] { file.bytes = read_radio_file(path.c_str(), &handler); })) {
        return std::nullopt;
    }
    const std::string_view head = std::string_view(file.bytes).substr(0, RADIO_IDENTIFYING_BYTES);
    file.kind = open_kind(head);
    if (file.kind == Radio_File_Kind::unknown) {
        show_unknown_radio_file(owner, path);
        return std::nullopt;
    }
    if (is_rsd_locked(head.data(), head.size())) {
        show_locked_rsd_file(owner, path);
        return std::nullopt;
    }
    return file;
}

} // namespace

std::optional<bool> read_radio_record(
    Owner_Window owner, const std::string& path, Radio_File_Kind (*open_kind)(std::string_view),
    const std::function<void(const Radio_File_Bytes& file, Error_Handler* handler)>& read) {
    Error_Handler handler;
    const auto file = read_radio_for_editor(owner, path, open_kind, handler);
    if (!file) {
        return std::nullopt;
    }
    return !run_and_report(owner, false, [&] { read(*file, &handler); }).has_value();
}

void show_passed_over_curves(Owner_Window owner, const std::vector<std::string>& passed_over) {
    for (std::size_t i = 0; i < passed_over.size(); ++i) {
        show_message_box(owner, "Error", UNKNOWN_RADIO_CURVE, BOX_OK | BOX_ICON_STOP);
    }
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
