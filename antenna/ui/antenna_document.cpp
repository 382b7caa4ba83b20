// The file commands of the antenna mode.
#include "antenna_document.h"

#include "antenna_binary.h"
#include "antenna_open.h"
#include "antenna_record.h"
#include "batch_progress_dlg.h"
#include "command_ids.h"
#include "editor_support.h"
#include "error_handler.h"
#include "msi_format.h"
#include "mul_sel_file_dlg.h"
#include "nsma_format.h"
#include "qv5_extn.h"
#include "syntax_error.h"
#include "text_helpers.h"

#include <exception>

Technology_Answers& technology_answers() {
    static Technology_Answers answers;
    return answers;
}

Antenna_Document::Antenna_Document(Owner_Window owner, QObject* parent)
    : File_Document(owner, IDS_KELVOR_ANTENNA_DIRECTORY, parent),
      m_record(std::make_unique<Antenna_Record>()) {}

Antenna_Document::~Antenna_Document() = default;

void Antenna_Document::reset_record() { m_record->reset_antenna_record(); }

bool Antenna_Document::handle_own_command(int id) {
    switch (id) {
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

File_Document::Read_Result Antenna_Document::read_path(const std::string& path,
                                                       std::string& named) {
    if (check_name(path, false) != ID_OK) {
        return Read_Result::refused;
    }
    Error_Handler handler;
    Antenna_Read_Decisions decisions;
    decisions.ask_reverse_backwards = [this] {
        return show_message_box(owner(), MSI_BACKWARDS_CAPTION, MSI_BACKWARDS_QUESTION,
                                BOX_YES_NO | BOX_ICON_QUESTION) == ID_YES;
    };
    try {
        named = open_antenna_file(*m_record, &handler, path.c_str(), decisions).named_path;
    } catch (Data_Syntax_Error* fault) {
        show_syntax_error(*fault, false);
        return Read_Result::failed_partial;
    } catch (...) {
        const std::exception_ptr failure = std::current_exception();
        run_and_report(owner(), false, [&] { std::rethrow_exception(failure); });
        return Read_Result::failed;
    }
    return Read_Result::read;
}

void Antenna_Document::name_record(const std::string& path) {
    const std::string name = base_name(path.c_str());
    if (!equals_nocase(m_record->antenna_spec.file_name, name)) {
        copy_text_field(m_record->antenna_spec.file_name, name.c_str());
    }
}

void Antenna_Document::write_path(const std::string& path, Format format,
                                    Error_Handler* handler) {
    if (format == Format::ascii) {
        save_nsma_file(*m_record, handler, path.c_str());
    } else {
        write_asd_file(*m_record, handler, path.c_str());
    }
}

int Antenna_Document::check_name(const std::string& path, bool ask_continue) {
    return check_file_name(owner(), path, MAX_V5_FILE_NAME, V5_FILE_NAME_TOO_LONG, ask_continue);
}

Save_Format Antenna_Document::save_format(Format format) const {
    if (format == Format::ascii) {
        return {"adf", "Save Antenna Data File in ASCII adf Format",
                {"ASCII Antenna Data Files", "*.adf"}, true, true};
    }
    return {"asd", "Save Antenna Data File in Binary asd Format",
            {"Antenna Data Files", "*.asd"}, true, true};
}

bool Antenna_Document::is_binary_path(const std::string& path) const {
    return has_extension(path.c_str(), ".asd") || has_extension(path.c_str(), ".mas") ||
           has_extension(path.c_str(), ".vas");
}

std::string Antenna_Document::open_title() const { return OPEN_ANTENNA_TITLE; }

std::vector<File_Filter> Antenna_Document::open_filters() const {
    return {{"Antenna Data Files", "*.adf;*.mas;*.vas;*.vaf;*.dat;*.asd;*.msi"},
            ALL_FILES_FILTER};
}

void Antenna_Document::convert(Antenna_Target target, const std::vector<std::string>& files,
                               bool whole_folder) {
    auto scratch = std::make_unique<Antenna_Record>();
    Error_Handler handler;
    Batch_Losses losses;
    BatchProgressDlg progress(owner_widget(), files.size());
    const int count = run_conversion_batch(
        files, whole_folder || files.size() > 1,
        {[this](const std::string& file, bool ask) { return check_name(file, ask); },
         [&](const std::string& file, bool ask) {
             if (target == Antenna_Target::mas) {
                 const int name_check = check_file_name(owner(), file, MAX_V4_ANTENNA_FILE_NAME,
                                                        V4_ANTENNA_FILE_NAME_TOO_LONG, ask);
                 if (name_check != ID_OK) {
                     return name_check;
                 }
             }
             // A selection is written into the folder of its first file, a folder tree's files
             // each into their own folder.
             const std::string folder = get_directory((whole_folder ? file : files.front()).c_str());
             int result = 0;
             Antenna_Read_Decisions decisions;
             const auto failed = run_and_report(owner(), ask, [&] {
                 result = target == Antenna_Target::asd
                              ? convert_to_asd(*scratch, &handler, file.c_str(), folder.c_str(),
                                               technology_answers(), technology_dialog,
                                               &decisions)
                              : convert_to_mas(*scratch, &handler, file.c_str(), folder.c_str(),
                                               &decisions);
             });
             if (!failed && result == 1) {
                 losses.add(file,
                            antenna_conversion_losses(*scratch, target == Antenna_Target::asd
                                                                    ? Antenna_Kind::asd
                                                                    : Antenna_Kind::mas),
                            decisions.texts_cut);
             }
             return failed ? (ask ? *failed : ID_NO) : result;
         }},
        progress.progress());
    progress.hide();
    show_batch_result(owner(), CONVERT_ANTENNA_TITLE, count,
                      BOX_OK | batch_count_icon(count, whole_folder), losses);
    make_unnamed();
}

void Antenna_Document::convert_selected(Antenna_Target target) {
    if (!query_close()) {
        return;
    }
    const auto files = choose_files(owner_widget(), directory_key(), CONVERT_ANTENNA_TITLE,
                                    ASCII_ANTENNA_FILTER);
    if (files) {
        convert(target, *files, false);
    }
}

void Antenna_Document::convert_folder(Antenna_Target target) {
    if (!query_close()) {
        return;
    }
    const auto top = choose_folder(owner_widget(), directory_key(), ANTENNA_TOP_FOLDER_TITLE);
    if (top) {
        convert(target, antenna_folder_files(*top), true);
    }
}
