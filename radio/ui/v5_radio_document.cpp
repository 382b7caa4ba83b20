// The file commands of the version 5 radio mode.
#include "v5_radio_document.h"

#include "command_ids.h"
#include "default_directory.h"
#include "editor_support.h"
#include "error_handler.h"
#include "file_dialogs.h"
#include "mul_sel_file_dlg.h"
#include "qv5_extn.h"
#include "radio4_conversion.h"
#include "radio4_format.h"
#include "radio4_record.h"
#include "radio_conversions.h"
#include "radio_file_support.h"
#include "radio_record.h"
#include "raf_format.h"
#include "rsd_format.h"
#include "text_helpers.h"

#include <QWidget>

namespace {

bool lock_option = false;

QWidget* parent_of(Owner_Window owner) { return static_cast<QWidget*>(owner); }

const std::vector<File_Filter> open_filters = {{"Radio Data Files", "*.mrs;*.raf;*.rsd"},
                                               {"All Files (*.*)", "*"}};

std::vector<std::string> chosen_files(CMulSelFileDlg2& dialog) {
    std::vector<std::string> files;
    for (unsigned long i = 0; i < dialog.get_num_items(); ++i) {
        files.emplace_back(dialog.GetPath(i));
    }
    return files;
}

} // namespace

bool rsd_lock_option() { return lock_option; }
void set_rsd_lock_option(bool locked) { lock_option = locked; }

V5_Radio_Document::V5_Radio_Document(Owner_Window owner, Title_Sink title_sink)
    : m_owner(owner), m_title_sink(std::move(title_sink)),
      m_record(std::make_unique<Radio_Record>()) {}

V5_Radio_Document::~V5_Radio_Document() = default;

void V5_Radio_Document::notify() {
    if (m_title_sink) {
        m_title_sink(m_path);
    }
    if (changed) {
        changed();
    }
}

void V5_Radio_Document::make_unnamed() {
    m_record->reset();
    m_path.clear();
    m_modified = false;
    notify();
}

bool V5_Radio_Document::handle_command(int id) {
    switch (id) {
    case ID_FILE_NEW:
        new_file();
        return true;
    case ID_FILE_OPEN:
        open_command();
        return true;
    case ID_FILE_SAVE_ASCII:
        save_ascii();
        return true;
    case ID_FILE_SAVE_BINARY:
        save_binary();
        return true;
    case ID_FILE_SAVE_AS_ASCII:
        save_as_ascii();
        return true;
    case ID_FILE_SAVE_AS_BINARY:
        save_as_binary();
        return true;
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

void V5_Radio_Document::new_file() {
    if (!query_close()) {
        return;
    }
    make_unnamed();
}

void V5_Radio_Document::open_command() {
    if (!query_close()) {
        return;
    }
    const auto chosen = choose_open_file(parent_of(m_owner), IDS_KELVOR_RADIO_DIRECTORY,
                                         OPEN_RADIO_TITLE, open_filters);
    if (chosen) {
        open_path(*chosen);
    }
}

bool V5_Radio_Document::open_path(const std::string& path) {
    if (check_v5_radio_name(m_owner, path, false) != ID_OK) {
        return false;
    }
    Error_Handler handler;
    std::string bytes;
    if (run_and_report(m_owner, false, [&] {
            bytes = read_leading_bytes(path.c_str(), 48, &handler);
        })) {
        return false;
    }
    const V5_Open_Route route = v5_open_route(bytes);
    if (route == V5_Open_Route::rsd_locked) {
        show_locked_rsd_file(m_owner, path);
        return false;
    }
    if (route == V5_Open_Route::unknown) {
        show_unknown_radio_file(m_owner, path);
        return false;
    }
    m_record->reset();
    const auto failed = run_and_report(m_owner, false, [&] {
        switch (route) {
        case V5_Open_Route::raf5:
            read_raf_file(*m_record, path.c_str(), &handler);
            break;
        case V5_Open_Route::rsd:
            read_rsd_file(*m_record, path.c_str(), &handler);
            break;
        case V5_Open_Route::mrs:
        case V5_Open_Route::raf4: {
            auto v4 = std::make_unique<Radio4_Record>();
            if (route == V5_Open_Route::mrs) {
                read_mrs_file(*v4, path.c_str(), &handler);
            } else {
                read_raf4_file(*v4, path.c_str(), &handler);
            }
            ::convert_v4_to_v5(*v4, *m_record);
            break;
        }
        default:
            break;
        }
    });
    if (failed) {
        // The record read so far is not the file's; it must not be saved under any name.
        make_unnamed();
        return false;
    }
    copy_text(m_record->radio_spec.radio_code, base_name(path).c_str());
    m_path = path;
    m_modified = false;
    notify();
    return true;
}

bool V5_Radio_Document::save_ascii() { return save(Format::ascii); }
bool V5_Radio_Document::save_binary() { return save(Format::binary); }
bool V5_Radio_Document::save_as_ascii() { return save_as(Format::ascii); }
bool V5_Radio_Document::save_as_binary() { return save_as(Format::binary); }

bool V5_Radio_Document::save(Format format) {
    if (m_path.empty()) {
        return save_as(format);
    }
    return save_to(m_path, format);
}

bool V5_Radio_Document::save_as(Format format) {
    const bool ascii = format == Format::ascii;
    const std::string extension = ascii ? "raf" : "rsd";
    const std::string proposed =
        m_path.empty() ? std::string() : base_name(m_path) + "." + extension;
    const auto chosen = choose_save_file(
        parent_of(m_owner), IDS_KELVOR_RADIO_DIRECTORY,
        ascii ? "Save Radio Data File in V5 ASCII raf Format"
              : "Save Radio Data File in Binary rsd Format",
        {ascii ? File_Filter{"ASCII Radio Data Files (*.raf)", "*.raf"}
               : File_Filter{"Radio Data Files (*.rsd)", "*.rsd"}},
        proposed, extension, !ascii && rsd_lock_option() ? RSD_LOCK_NOTICE : "");
    if (!chosen) {
        return false;
    }
    return save_to(*chosen, format);
}

bool V5_Radio_Document::save_to(const std::string& chosen_path, Format format) {
    const bool ascii = format == Format::ascii;
    const std::string path = replace_extension(chosen_path, ascii ? "raf" : "rsd");
    if (check_v5_radio_name(m_owner, path, false) != ID_OK) {
        return false;
    }
    copy_text(m_record->radio_spec.radio_code, base_name(path).c_str());
    Error_Handler handler;
    const auto failed = run_and_report(m_owner, false, [&] {
        if (ascii) {
            write_raf_file(*m_record, path.c_str(), &handler);
        } else {
            write_rsd_file(*m_record, path.c_str(), &handler, rsd_lock_option());
        }
    });
    if (failed) {
        // Nothing was written: the changes are still only in memory.
        if (changed) {
            changed();
        }
        return false;
    }
    default_directory(IDS_KELVOR_RADIO_DIRECTORY).set_default_dir(path.c_str());
    m_path = path;
    m_modified = false;
    notify();
    return true;
}

void V5_Radio_Document::lock_command() {
    if (!lock_dialog) {
        return;
    }
    const auto chosen = lock_dialog(rsd_lock_option());
    if (chosen) {
        set_rsd_lock_option(*chosen);
    }
}

bool V5_Radio_Document::query_close() {
    if (!m_modified) {
        return true;
    }
    const int answer = ask_save_changes(m_owner, m_path);
    if (answer == ID_CANCEL) {
        return false;
    }
    if (answer != ID_YES) {
        return true;
    }
    const bool binary = has_extension(m_path, ".rsd") || has_extension(m_path, ".mrs");
    return save_as(binary ? Format::binary : Format::ascii);
}

void V5_Radio_Document::convert_selected() {
    if (!query_close()) {
        return;
    }
    CMulSelFileDlg2 dialog(IDS_KELVOR_RADIO_DIRECTORY, CONVERT_TO_BINARY_TITLE, ASCII_RADIO_FILTER,
                           parent_of(m_owner));
    if (dialog.DoModal() != ID_OK) {
        return;
    }
    const std::vector<std::string> files = chosen_files(dialog);
    const bool lock = rsd_lock_option();
    const int count = run_conversion_batch(
        files, files.size() > 1,
        {[this](const std::string& file, bool ask) {
             return check_v5_radio_name(m_owner, file, ask);
         },
         [this, lock](const std::string& file, bool ask) {
             return convert_file_to_rsd(m_owner, file, get_directory(file.c_str()), ask, lock);
         }});
    show_message_box(m_owner, CONVERT_TO_BINARY_TITLE, converted_count_text(count),
                     BOX_OK | BOX_ICON_INFORMATION);
    make_unnamed();
}

void V5_Radio_Document::convert_folder() {
    if (!query_close()) {
        return;
    }
    const auto top = choose_folder(parent_of(m_owner), IDS_KELVOR_RADIO_DIRECTORY,
                                   TOP_FOLDER_TITLE);
    if (!top) {
        return;
    }
    const std::vector<std::string> files = folder_files(*top, is_radio_batch_extension);
    const bool lock = rsd_lock_option();
    const int count = run_conversion_batch(
        files, true,
        {[this](const std::string& file, bool ask) {
             return check_v5_radio_name(m_owner, file, ask);
         },
         [this, lock](const std::string& file, bool ask) {
             return convert_file_to_rsd(m_owner, file, get_directory(file.c_str()), ask, lock);
         }});
    show_message_box(m_owner, CONVERT_TO_BINARY_TITLE, converted_count_text(count),
                     BOX_OK | (count > 0 ? BOX_ICON_EXCLAMATION : BOX_ICON_STOP));
    make_unnamed();
}

void V5_Radio_Document::convert_v4_to_v5() {
    if (!query_close()) {
        return;
    }
    CMulSelFileDlg2 dialog(IDS_KELVOR_RADIO_DIRECTORY, CONVERT_V4_TO_V5_TITLE, ASCII_RADIO_FILTER,
                           parent_of(m_owner));
    if (dialog.DoModal() != ID_OK) {
        return;
    }
    const auto save_folder = choose_folder(parent_of(m_owner), IDS_KELVOR_RADIO_DIRECTORY,
                                           SAVE_FOLDER_TITLE);
    if (!save_folder) {
        return;
    }
    const auto count = convert_v4_files_to_v5(m_owner, chosen_files(dialog), *save_folder);
    if (count) {
        show_message_box(m_owner, CONVERT_V4_TO_V5_TITLE, converted_count_text(*count),
                         BOX_OK | BOX_ICON_INFORMATION);
    }
    make_unnamed();
}
