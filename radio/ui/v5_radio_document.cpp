// The file commands of the version 5 radio mode.
#include "v5_radio_document.h"

#include "batch_progress_dlg.h"
#include "command_ids.h"
#include "editor_support.h"
#include "folder_walk.h"
#include "error_handler.h"
#include "mul_sel_file_dlg.h"
#include "qv5_extn.h"
#include "radio_conversions.h"
#include "radio_file_support.h"
#include "radio_open.h"
#include "radio_record.h"
#include "raf_format.h"
#include "rsd_format.h"
#include "text_helpers.h"

namespace {

bool lock_option = false;

} // namespace

bool rsd_lock_option() { return lock_option; }
void set_rsd_lock_option(bool locked) { lock_option = locked; }

V5_Radio_Document::V5_Radio_Document(Owner_Window owner, QObject* parent)
    : File_Document(owner, IDS_KELVOR_RADIO_DIRECTORY, parent),
      m_record(std::make_unique<Radio_Record>()) {}

V5_Radio_Document::~V5_Radio_Document() = default;

void V5_Radio_Document::reset_record() { m_record->reset(); }

bool V5_Radio_Document::handle_own_command(int id) {
    switch (id) {
    case ID_LOCK_BINARY:
        lock_command();
        return true;
    case ID_CONVERT_SELECTED:
        convert_selected();
        return true;
    case ID_CONVERT_FOLDER:
        convert_folder();
        return true;
    case ID_CONVERT_V4_TO_V5:
        convert_v4_to_v5();
        return true;
    default:
        return false;
    }
}

File_Document::Read_Result V5_Radio_Document::read_path(const std::string& path,
                                                        std::string& /*named*/) {
    if (check_name(path, false) != ID_OK) {
        return Read_Result::refused;
    }
    std::vector<std::string> passed_over;
    const auto read = read_radio_record(
        owner(), path, v5_open_kind, [&](const Radio_File_Bytes& file, Error_Handler* handler) {
            m_record->reset();
            std::vector<std::string> warnings;
            read_bytes_as_v5(*m_record, file.kind, file.bytes, path.c_str(), handler, warnings,
                             passed_over);
        });
    if (!read) {
        return Read_Result::refused;
    }
    if (!*read) {
        return Read_Result::failed;
    }
    show_passed_over_curves(owner(), passed_over);
    name_record(path);
    return Read_Result::read;
}

void V5_Radio_Document::name_record(const std::string& path) {
    copy_text(m_record->radio_spec.radio_code, base_name(path.c_str()).c_str());
}

void V5_Radio_Document::write_path(const std::string& path, Format format,
                                    Error_Handler* handler) {
    if (format == Format::ascii) {
        write_raf_file(*m_record, path.c_str(), handler);
    } else {
        write_rsd_file(*m_record, path.c_str(), handler, rsd_lock_option());
    }
}

int V5_Radio_Document::check_name(const std::string& path, bool ask_continue) {
    return check_v5_radio_name(owner(), path, ask_continue);
}

Save_Format V5_Radio_Document::save_format(Format format) const {
    if (format == Format::ascii) {
        return {"raf", "Save Radio Data File in V5 ASCII raf Format",
                {"ASCII Radio Data Files", "*.raf"}, false, true};
    }
    return {"rsd", "Save Radio Data File in Binary rsd Format", {"Radio Data Files", "*.rsd"},
            false, true};
}

std::string V5_Radio_Document::save_notice(Format format) const {
    return format == Format::binary && rsd_lock_option() ? RSD_LOCK_NOTICE : "";
}

bool V5_Radio_Document::is_binary_path(const std::string& path) const {
    return has_extension(path.c_str(), ".rsd") || has_extension(path.c_str(), ".mrs");
}

std::string V5_Radio_Document::open_title() const { return OPEN_RADIO_TITLE; }

std::vector<File_Filter> V5_Radio_Document::open_filters() const { return RADIO_OPEN_FILTERS; }

void V5_Radio_Document::lock_command() {
    if (!lock_dialog) {
        return;
    }
    const auto chosen = lock_dialog(rsd_lock_option());
    if (chosen) {
        set_rsd_lock_option(*chosen);
    }
}

void V5_Radio_Document::convert_to_rsd(const std::vector<std::string>& files, bool whole_folder) {
    const bool lock = rsd_lock_option();
    Batch_Losses losses;
    BatchProgressDlg progress(owner_widget(), files.size());
    const int count = run_conversion_batch(
        files, whole_folder || files.size() > 1,
        {[this](const std::string& file, bool ask) { return check_name(file, ask); },
         [this, lock, &losses](const std::string& file, bool ask) {
             return convert_file_to_rsd(owner(), file, get_directory(file.c_str()), ask, lock,
                                        &losses);
         }},
        progress.progress());
    progress.hide();
    show_batch_result(owner(), CONVERT_TO_BINARY_TITLE, count,
                      BOX_OK | batch_count_icon(count, whole_folder), losses);
    make_unnamed();
}

void V5_Radio_Document::convert_selected() {
    if (!query_close()) {
        return;
    }
    const auto files = choose_files(owner_widget(), directory_key(), CONVERT_TO_BINARY_TITLE,
                                    ASCII_RADIO_FILTER);
    if (files) {
        convert_to_rsd(*files, false);
    }
}

void V5_Radio_Document::convert_folder() {
    if (!query_close()) {
        return;
    }
    const auto top = choose_folder(owner_widget(), directory_key(), TOP_FOLDER_TITLE);
    if (top) {
        convert_to_rsd(walked_files(*top, is_radio_batch_extension), true);
    }
}

void V5_Radio_Document::convert_v4_to_v5() {
    if (!query_close()) {
        return;
    }
    const auto files = choose_files(owner_widget(), directory_key(), CONVERT_V4_TO_V5_TITLE,
                                    ASCII_RADIO_FILTER);
    if (!files) {
        return;
    }
    const auto save_folder = choose_folder(owner_widget(), directory_key(), SAVE_FOLDER_TITLE);
    if (!save_folder) {
        return;
    }
    Batch_Losses losses;
    BatchProgressDlg progress(owner_widget(), files->size());
    const auto count =
        convert_v4_files_to_v5(owner(), *files, *save_folder, &losses, progress.progress());
    progress.hide();
    if (count) {
        show_batch_result(owner(), CONVERT_V4_TO_V5_TITLE, *count, BOX_OK | BOX_ICON_INFORMATION,
                          losses);
    }
    make_unnamed();
}
