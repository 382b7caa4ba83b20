// The file commands of the antenna mode.
#include "antenna_document.h"

#include "antenna_binary.h"
#include "antenna_open.h"
#include "antenna_record.h"
#include "command_ids.h"
#include "default_directory.h"
#include "editor_support.h"
#include "error_handler.h"
#include "file_dialogs.h"
#include "mul_sel_file_dlg.h"
#include "nsma_format.h"
#include "qv5_extn.h"
#include "syntax_error.h"
#include "text_helpers.h"

#include <QWidget>

#include <cctype>

namespace {

QWidget* parent_of(Owner_Window owner) { return static_cast<QWidget*>(owner); }

const std::vector<File_Filter> open_filters = {
    {"Antenna Data Files (*.adf,*.mas,*.vas,*.vaf,*.dat,*.asd,*.msi) ",
     "*.adf;*.mas;*.vas;*.vaf;*.dat;*.asd;*.msi"},
    {"All Files (*.*)", "*"}};

bool same_text_ignoring_case(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

} // namespace

Technology_Answers& technology_answers() {
    static Technology_Answers answers;
    return answers;
}

Antenna_Document::Antenna_Document(Owner_Window owner, Title_Sink title_sink)
    : m_owner(owner), m_title_sink(std::move(title_sink)),
      m_record(std::make_unique<Antenna_Record>()) {}

Antenna_Document::~Antenna_Document() = default;

bool Antenna_Document::modified() const { return m_record->data_changed != 0; }
void Antenna_Document::set_modified(bool modified) { m_record->data_changed = modified ? 1 : 0; }

void Antenna_Document::notify() {
    if (m_title_sink) {
        m_title_sink(m_path);
    }
    if (changed) {
        changed();
    }
}

void Antenna_Document::make_unnamed() {
    m_record->reset_antenna_record();
    m_record->data_changed = 0;
    m_path.clear();
    notify();
}

bool Antenna_Document::handle_command(int id) {
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
    case ID_ANTENNA_ASD_SELECTED:
        convert_selected(Antenna_Target::asd);
        return true;
    case ID_ANTENNA_ASD_FOLDER:
        convert_folder(Antenna_Target::asd);
        return true;
    case ID_ANTENNA_MAS_SELECTED:
        convert_selected(Antenna_Target::mas);
        return true;
    case ID_ANTENNA_MAS_FOLDER:
        convert_folder(Antenna_Target::mas);
        return true;
    default:
        return false;
    }
}

void Antenna_Document::new_file() {
    if (!query_close()) {
        return;
    }
    make_unnamed();
}

void Antenna_Document::open_command() {
    if (!query_close()) {
        return;
    }
    const auto chosen = choose_open_file(parent_of(m_owner), IDS_KELVOR_ANTENNA_DIRECTORY,
                                         OPEN_ANTENNA_TITLE, open_filters);
    if (!chosen || check_v5_file_name(chosen->c_str(), false) != ID_OK) {
        return;
    }
    open_path(*chosen);
}

bool Antenna_Document::open_path(const std::string& path) {
    Error_Handler handler;
    try {
        open_antenna_file(*m_record, &handler, path.c_str());
    } catch (Error_Handler* failed) {
        failed->show_errormsg(m_owner, false);
        make_unnamed();
        return false;
    } catch (Data_Syntax_Error* fault) {
        show_syntax_error(*fault, false);
        // What was read stays to be looked at, but it is not the file: it gets no name that a
        // save could overwrite.
        m_record->data_changed = 0;
        m_path.clear();
        notify();
        return false;
    } catch (const std::exception& error) {
        show_message_box(m_owner, "Error", error.what(), BOX_OK | BOX_ICON_STOP);
        make_unnamed();
        return false;
    }
    m_record->data_changed = 0;
    m_path = path;
    default_directory(IDS_KELVOR_ANTENNA_DIRECTORY).set_default_dir(path.c_str());
    notify();
    return true;
}

bool Antenna_Document::save_ascii() { return save(Format::ascii); }
bool Antenna_Document::save_binary() { return save(Format::binary); }
bool Antenna_Document::save_as_ascii() { return save_as(Format::ascii); }
bool Antenna_Document::save_as_binary() { return save_as(Format::binary); }

bool Antenna_Document::save(Format format) {
    if (m_path.empty()) {
        return save_as(format);
    }
    return save_to(m_path, format);
}

bool Antenna_Document::save_as(Format format) {
    const bool ascii = format == Format::ascii;
    const std::string extension = ascii ? "adf" : "asd";
    const std::string proposed =
        m_path.empty() ? std::string() : base_name(m_path) + "." + extension;
    const auto chosen = choose_save_file(
        parent_of(m_owner), IDS_KELVOR_ANTENNA_DIRECTORY,
        ascii ? "Save Antenna Data File in ASCII adf Format"
              : "Save Antenna Data File in Binary asd Format",
        {ascii ? File_Filter{"ASCII Antenna Data Files (*.adf)", "*.adf"}
               : File_Filter{"Antenna Data Files (*.asd)", "*.asd"},
         File_Filter{"All Files (*.*)", "*"}},
        proposed, extension);
    if (!chosen || check_v5_file_name(chosen->c_str(), false) != ID_OK) {
        return false;
    }
    return save_to(*chosen, format);
}

bool Antenna_Document::save_to(const std::string& chosen_path, Format format) {
    const bool ascii = format == Format::ascii;
    const std::string path = replace_extension(chosen_path, ascii ? "adf" : "asd");
    if (check_v5_file_name(path.c_str(), false) != ID_OK) {
        return false;
    }
    const std::string name = base_name(path);
    if (!same_text_ignoring_case(m_record->antenna_spec.file_name, name)) {
        copy_text_field(m_record->antenna_spec.file_name, name.c_str());
    }
    Error_Handler handler;
    const auto failed = run_and_report(m_owner, false, [&] {
        if (ascii) {
            save_nsma_file(*m_record, &handler, path.c_str());
        } else {
            write_asd_file(*m_record, &handler, path.c_str());
        }
    });
    if (failed) {
        if (changed) {
            changed();
        }
        return false;
    }
    default_directory(IDS_KELVOR_ANTENNA_DIRECTORY).set_default_dir(path.c_str());
    m_path = path;
    m_record->data_changed = 0;
    notify();
    return true;
}

bool Antenna_Document::query_close() {
    if (!modified()) {
        return true;
    }
    const int answer = ask_save_changes(m_owner, m_path);
    if (answer == ID_CANCEL) {
        return false;
    }
    if (answer != ID_YES) {
        return true;
    }
    const bool binary = has_extension(m_path, ".asd") || has_extension(m_path, ".mas") ||
                        has_extension(m_path, ".vas");
    return save_as(binary ? Format::binary : Format::ascii);
}

void Antenna_Document::convert_selected(Antenna_Target target) {
    if (!query_close()) {
        return;
    }
    CMulSelFileDlg2 dialog(IDS_KELVOR_ANTENNA_DIRECTORY, CONVERT_ANTENNA_TITLE,
                           ASCII_ANTENNA_FILTER, parent_of(m_owner));
    if (dialog.DoModal() != ID_OK) {
        return;
    }
    const unsigned long chosen = dialog.get_num_items();
    const std::string folder = get_directory(dialog.GetPath(0));
    const bool ask_continue = chosen > 1;
    auto scratch = std::make_unique<Antenna_Record>();
    Error_Handler handler;
    int count = 0;
    for (unsigned long i = 0; i < chosen; ++i) {
        const std::string path = dialog.GetPath(i);
        const int result = convert_batch_file(target, *scratch, &handler, path.c_str(),
                                              folder.c_str(), ask_continue, technology_answers(),
                                              technology_dialog);
        if (result == ID_NO) {
            break;
        }
        if (result == ID_OK) {
            ++count;
        }
    }
    show_message_box(m_owner, CONVERT_ANTENNA_TITLE, converted_files_text(count),
                     BOX_OK | BOX_ICON_INFORMATION);
    make_unnamed();
}

void Antenna_Document::convert_folder(Antenna_Target target) {
    if (!query_close()) {
        return;
    }
    const auto top = choose_folder(parent_of(m_owner), IDS_KELVOR_ANTENNA_DIRECTORY,
                                   ANTENNA_TOP_FOLDER_TITLE);
    if (!top) {
        return;
    }
    auto scratch = std::make_unique<Antenna_Record>();
    Error_Handler handler;
    int count = 0;
    for (const std::string& path : antenna_folder_files(*top)) {
        const std::string folder = get_directory(path.c_str());
        const int result = convert_batch_file(target, *scratch, &handler, path.c_str(),
                                              folder.c_str(), true, technology_answers(),
                                              technology_dialog);
        if (result == ID_NO) {
            break;
        }
        if (result == ID_OK) {
            ++count;
        }
    }
    show_message_box(m_owner, CONVERT_ANTENNA_TITLE, converted_files_text(count),
                     BOX_OK | (count > 0 ? BOX_ICON_EXCLAMATION : BOX_ICON_STOP));
    make_unnamed();
}
