// The file commands of the version 4 radio mode.
#include "v4_radio_document.h"

#include "batch_progress_dlg.h"
#include "command_ids.h"
#include "editor_support.h"
#include "folder_walk.h"
#include "mul_sel_file_dlg.h"
#include "qv5_extn.h"
#include "radio4_format.h"
#include "radio4_record.h"
#include "radio4_support.h"
#include "radio_conversions.h"
#include "radio_file_kind.h"
#include "radio_file_support.h"
#include "radio_open.h"
#include "radio_record.h"
#include "raf_format.h"
#include "rsd_format.h"
#include "text_helpers.h"

#include <exception>

V4_Radio_Document::V4_Radio_Document(Owner_Window owner, QObject* parent)
    : File_Document(owner, IDS_KELVOR_RADIO_DIRECTORY, parent),
      m_record(std::make_unique<Radio4_Record>()) {}

V4_Radio_Document::~V4_Radio_Document() = default;

void V4_Radio_Document::reset_record() {
    m_record->reset();
    m_file_code.clear();
}

bool V4_Radio_Document::handle_own_command(int id) {
    switch (id) {
    case ID_CONVERT_SELECTED:
        convert_selected();
        return true;
    case ID_CONVERT_FOLDER:
        convert_folder();
        return true;
    default:
        return false;
    }
}

File_Document::Read_Result V4_Radio_Document::read_path(const std::string& path,
                                                        std::string& /*named*/) {
    if (check_name(path, false) != ID_OK) {
        return Read_Result::refused;
    }
    const auto read = read_radio_record(
        owner(), path, v4_open_kind, [&](const Radio_File_Bytes& file, Error_Handler* handler) {
            m_record->reset();
            std::vector<std::string> warnings;
            read_bytes_as_v4(*m_record, file.kind, file.bytes, path.c_str(), handler, warnings);
        });
    if (!read) {
        return Read_Result::refused;
    }
    if (!*read) {
        return Read_Result::failed;
    }
    ensure_radio4_type(*m_record);
    return Read_Result::read;
}

void V4_Radio_Document::path_changed(const std::string& path) {
    m_file_code = radio4_file_code(path.c_str());
}

void V4_Radio_Document::write_path(const std::string& path, Format format,
                                    Error_Handler* handler) {
    if (format == Format::binary) {
        write_mrs_file(*m_record, path.c_str(), handler);
        return;
    }
    try {
        write_raf4_file(*m_record, path.c_str(), handler);
    } catch (Error_Handler*) {
        m_save_failure.init(ET_ERROR, 101, path.c_str());
        throw &m_save_failure;
    } catch (const std::exception&) {
        m_save_failure.init(ET_ERROR, 101, path.c_str());
        throw &m_save_failure;
    }
}

int V4_Radio_Document::check_name(const std::string& path, bool ask_continue) {
    return check_v4_radio_name(owner(), path, ask_continue);
}

Save_Format V4_Radio_Document::save_format(Format format) const {
    if (format == Format::ascii) {
        return {"raf", "Save Radio Data File in V5 ASCII raf Format",
                {"ASCII Radio Data Files", "*.raf"}, false, true};
    }
    return {"mrs", "Save Radio Data File in V4 Binary mrs Format",
            {"V4 Radio Data Files", "*.mrs"}, false, false};
}

bool V4_Radio_Document::is_binary_path(const std::string& path) const {
    return has_extension(path.c_str(), ".mrs") || has_extension(path.c_str(), ".rsd");
}

std::string V4_Radio_Document::open_title() const { return OPEN_RADIO_TITLE; }

std::vector<File_Filter> V4_Radio_Document::open_filters() const { return RADIO_OPEN_FILTERS; }

void V4_Radio_Document::convert_to_mrs(const std::vector<std::string>& files, bool whole_folder) {
    Batch_Losses losses;
    BatchProgressDlg progress(owner_widget(), files.size());
    const int count = run_conversion_batch(
        files, whole_folder || files.size() > 1,
        {[this](const std::string& file, bool ask) { return check_name(file, ask); },
         [this, &losses](const std::string& file, bool ask) {
             return convert_file_to_mrs(owner(), file, get_directory(file.c_str()), ask, &losses);
         }},
        progress.progress());
    progress.hide();
    show_batch_result(owner(), CONVERT_TO_BINARY_TITLE, count,
                      BOX_OK | batch_count_icon(count, whole_folder), losses);
    make_unnamed();
}

void V4_Radio_Document::convert_selected() {
    if (!query_close()) {
        return;
    }
    const auto files = choose_files(owner_widget(), directory_key(), CONVERT_TO_BINARY_TITLE,
                                    ASCII_RADIO_FILTER);
    if (files) {
        convert_to_mrs(*files, false);
    }
}

void V4_Radio_Document::convert_folder() {
    if (!query_close()) {
        return;
    }
    const auto top = choose_folder(owner_widget(), directory_key(), TOP_FOLDER_TITLE);
    if (top) {
        convert_to_mrs(walked_files(*top, is_radio_batch_extension), true);
    }
}
