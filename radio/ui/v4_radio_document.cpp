// The file commands of the version 4 radio mode.
#include "v4_radio_document.h"

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
#include "radio4_support.h"
#include "radio_conversions.h"
#include "radio_file_kind.h"
#include "radio_file_support.h"
#include "radio_record.h"
#include "raf_format.h"
#include "rsd_format.h"
#include "text_helpers.h"

#include <QWidget>

#include <memory>

namespace {

QWidget* parent_of(Owner_Window owner) { return static_cast<QWidget*>(owner); }

const std::vector<File_Filter> open_filters = {{"Radio Data Files", "*.mrs;*.raf;*.rsd"},
                                               {"All Files (*.*)", "*"}};

} // namespace

V4_Radio_Document::V4_Radio_Document(Owner_Window owner, Title_Sink title_sink)
    : m_owner(owner), m_title_sink(std::move(title_sink)), m_record(std::make_unique<Radio4_Record>()) {}

V4_Radio_Document::~V4_Radio_Document() = default;

void V4_Radio_Document::notify() {
    if (m_title_sink) {
        m_title_sink(m_path);
    }
    if (changed) {
        changed();
    }
}

void V4_Radio_Document::make_unnamed() {
    m_record->reset();
    m_path.clear();
    m_file_code.clear();
    m_modified = false;
    notify();
}

bool V4_Radio_Document::handle_command(int id) {
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

void V4_Radio_Document::new_file() {
    if (!query_close()) {
        return;
    }
    make_unnamed();
}

void V4_Radio_Document::open_command() {
    if (!query_close()) {
        return;
    }
    const auto chosen = choose_open_file(parent_of(m_owner), IDS_KELVOR_RADIO_DIRECTORY,
                                         OPEN_RADIO_TITLE, open_filters);
    if (chosen) {
        open_path(*chosen);
    }
}

bool V4_Radio_Document::open_path(const std::string& path) {
    if (check_v4_radio_name(m_owner, path, false) != ID_OK) {
        return false;
    }
    Error_Handler handler;
    std::string bytes;
    if (run_and_report(m_owner, false, [&] {
            bytes = read_leading_bytes(path.c_str(), 48, &handler);
        })) {
        return false;
    }
    const V4_Open_Route route = v4_open_route(bytes);
    if (route == V4_Open_Route::rsd_locked) {
        show_locked_rsd_file(m_owner, path);
        return false;
    }
    if (route == V4_Open_Route::unknown) {
        show_unknown_radio_file(m_owner, path);
        return false;
    }
    m_record->reset();
    const auto failed = run_and_report(m_owner, false, [&] {
        switch (route) {
        case V4_Open_Route::raf5:
        case V4_Open_Route::rsd: {
            auto v5 = std::make_unique<Radio_Record>();
            if (route == V4_Open_Route::raf5) {
                read_raf_file(*v5, path.c_str(), &handler);
            } else {
                read_rsd_file(*v5, path.c_str(), &handler);
            }
            convert_v5_to_v4(*v5, *m_record);
            break;
        }
        case V4_Open_Route::mrs:
            read_mrs_file(*m_record, path.c_str(), &handler);
            break;
        case V4_Open_Route::raf4:
            read_raf4_file(*m_record, path.c_str(), &handler);
            break;
        default:
            break;
        }
    });
    if (failed) {
        make_unnamed();
        return false;
    }
    ensure_radio4_type(*m_record);
    m_file_code = radio4_file_code(path.c_str());
    m_path = path;
    m_modified = false;
    default_directory(IDS_KELVOR_RADIO_DIRECTORY).set_default_dir(path.c_str());
    notify();
    return true;
}

bool V4_Radio_Document::save_ascii() {
    const std::string proposed = m_path.empty() ? std::string() : base_name(m_path) + ".raf";
    const auto chosen = choose_save_file(parent_of(m_owner), IDS_KELVOR_RADIO_DIRECTORY,
                                         "Save Radio Data File in V5 ASCII raf Format",
                                         {{"ASCII Radio Data Files (*.raf)", "*.raf"}}, proposed,
                                         "raf");
    if (!chosen || check_v4_radio_name(m_owner, *chosen, false) != ID_OK) {
        return false;
    }
    Error_Handler handler;
    if (run_and_report(m_owner, false, [&] {
            write_raf4_file(*m_record, chosen->c_str(), &handler);
        })) {
        return false;
    }
    m_path = *chosen;
    m_file_code = radio4_file_code(m_path.c_str());
    m_modified = false;
    default_directory(IDS_KELVOR_RADIO_DIRECTORY).set_default_dir(m_path.c_str());
    notify();
    return true;
}

bool V4_Radio_Document::save_binary() {
    const std::string proposed = m_path.empty() ? std::string() : base_name(m_path) + ".mrs";
    const auto chosen = choose_save_file(parent_of(m_owner), IDS_KELVOR_RADIO_DIRECTORY,
                                         "Save Radio Data File in V4 Binary mrs Format",
                                         {{"V4 Radio Data Files (*.mrs)", "*.mrs"}}, proposed,
                                         "mrs");
    if (!chosen || check_v4_radio_name(m_owner, *chosen, false) != ID_OK) {
        return false;
    }
    Error_Handler handler;
    if (run_and_report(m_owner, false, [&] {
            write_mrs_file(*m_record, chosen->c_str(), &handler);
        })) {
        if (changed) {
            changed();
        }
        return false;
    }
    m_path = *chosen;
    m_file_code = radio4_file_code(m_path.c_str());
    default_directory(IDS_KELVOR_RADIO_DIRECTORY).set_default_dir(m_path.c_str());
    notify();
    return true;
}

bool V4_Radio_Document::query_close() {
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
    const bool binary = has_extension(m_path, ".mrs") || has_extension(m_path, ".rsd");
    return binary ? save_binary() : save_ascii();
}

void V4_Radio_Document::convert_selected() {
    if (!query_close()) {
        return;
    }
    CMulSelFileDlg2 dialog(IDS_KELVOR_RADIO_DIRECTORY, CONVERT_TO_BINARY_TITLE, ASCII_RADIO_FILTER,
                           parent_of(m_owner));
    if (dialog.DoModal() != ID_OK) {
        return;
    }
    std::vector<std::string> files;
    for (unsigned long i = 0; i < dialog.get_num_items(); ++i) {
        files.emplace_back(dialog.GetPath(i));
    }
    const int count = run_conversion_batch(
        files, files.size() > 1,
        {[this](const std::string& file, bool ask) {
             return check_v4_radio_name(m_owner, file, ask);
         },
         [this](const std::string& file, bool ask) {
             return convert_file_to_mrs(m_owner, file, get_directory(file.c_str()), ask);
         }});
    show_message_box(m_owner, CONVERT_TO_BINARY_TITLE, converted_count_text(count),
                     BOX_OK | BOX_ICON_INFORMATION);
    make_unnamed();
}

void V4_Radio_Document::convert_folder() {
    if (!query_close()) {
        return;
    }
    const auto top = choose_folder(parent_of(m_owner), IDS_KELVOR_RADIO_DIRECTORY,
                                   TOP_FOLDER_TITLE);
    if (!top) {
        return;
    }
    const std::vector<std::string> files = folder_files(*top, is_radio_batch_extension);
    const int count = run_conversion_batch(
        files, true,
        {[this](const std::string& file, bool ask) {
             return check_v4_radio_name(m_owner, file, ask);
         },
         [this](const std::string& file, bool ask) {
             return convert_file_to_mrs(m_owner, file, get_directory(file.c_str()), ask);
         }});
    show_message_box(m_owner, CONVERT_TO_BINARY_TITLE, converted_count_text(count),
                     BOX_OK | (count > 0 ? BOX_ICON_EXCLAMATION : BOX_ICON_STOP));
    make_unnamed();
}
