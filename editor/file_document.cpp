// The file commands every editor's document shares.
#include "file_document.h"

#include "command_ids.h"
#include "default_directory.h"
#include "editor_support.h"
#include "error_handler.h"
#include "text_helpers.h"

#include <QWidget>

File_Document::File_Document(Owner_Window owner, int directory_key, QObject* parent)
    : QObject(parent), m_owner(owner), m_directory_key(directory_key),
      m_undo(std::make_unique<QUndoStack>()) {
    m_undo->setUndoLimit(undo_limit);
    connect(m_undo.get(), &QUndoStack::cleanChanged, this, [this] { emit changed(); });
}

File_Document::~File_Document() {
    // The view the signals would reach is going too.
    m_undo->blockSignals(true);
}

QWidget* File_Document::owner_widget() const { return static_cast<QWidget*>(m_owner); }

void File_Document::set_modified(bool modified) {
    if (modified) {
        m_undo->resetClean();
    } else {
        m_undo->setClean();
    }
}

void File_Document::push_edit(QUndoCommand* command) {
    if (command != nullptr) {
        m_undo->push(command);
    }
}

bool File_Document::handle_command(int id) {
    switch (id) {
    case ID_FILE_NEW:
        new_file();
        return true;
    case ID_FILE_OPEN:
        open_command();
        return true;
    case ID_FILE_SAVE_ASCII:
        save(Format::ascii);
        return true;
    case ID_FILE_SAVE_BINARY:
        save(Format::binary);
        return true;
    case ID_FILE_SAVE_AS_ASCII:
        save_as(Format::ascii);
        return true;
    case ID_FILE_SAVE_AS_BINARY:
        save_as(Format::binary);
        return true;
    case ID_EDIT_UNDO:
        m_undo->undo();
        return true;
    case ID_EDIT_REDO:
        m_undo->redo();
        return true;
    default:
        return handle_own_command(id);
    }
}

bool File_Document::command_available(int id) const {
    switch (id) {
    case ID_EDIT_UNDO:
        return m_undo->canUndo();
    case ID_EDIT_REDO:
        return m_undo->canRedo();
    default:
        return true;
    }
}

void File_Document::notify() {
    emit title_changed(m_path);
    emit changed();
}

void File_Document::make_unnamed() {
    reset_record();
    m_path.clear();
    m_undo->clear();
    notify();
    emit record_replaced();
}

bool File_Document::run_reported(const std::function<void()>& work) {
    return !run_and_report(m_owner, false, work).has_value();
}

void File_Document::new_file() {
    if (query_close()) {
        make_unnamed();
    }
}

void File_Document::open_command() {
    if (!query_close()) {
        return;
    }
    const auto chosen =
        choose_open_file(owner_widget(), m_directory_key, open_title(), open_filters());
    if (chosen) {
        open_path(*chosen);
    }
}

bool File_Document::open_path(const std::string& path) {
    std::string named = path;
    switch (read_path(path, named)) {
    case Read_Result::refused:
        return false;
    case Read_Result::failed:
        // The record read so far is not the file's; it must not be saved under any name.
        make_unnamed();
        return false;
    case Read_Result::failed_partial:
        // What was read stays to be looked at, but it is not the file: it gets no name that a
        // save could overwrite, and no step back to a record that was never the file's.
        m_path.clear();
        m_undo->clear();
        notify();
        emit record_replaced();
        return false;
    case Read_Result::read:
        break;
    }
    m_path = named;
    m_undo->clear();
    if (remembers_opened_folder()) {
        default_directory(m_directory_key).set_default_dir(m_path.c_str());
    }
    path_changed(m_path);
    notify();
    emit record_replaced();
    return true;
}

bool File_Document::save(Format format) {
    if (m_path.empty() || saves_always_ask()) {
        return save_as(format);
    }
    return save_to(m_path, format);
}

bool File_Document::save_as(Format format) {
    const Save_Format target = save_format(format);
    const std::string proposed =
        m_path.empty() ? std::string() : base_name(m_path.c_str()) + "." + target.extension;
    std::vector<File_Filter> filters = {target.filter};
    if (target.with_all_files) {
        filters.push_back(ALL_FILES_FILTER);
    }
    const auto chosen = choose_save_file(owner_widget(), m_directory_key, target.title, filters,
                                         proposed, target.extension, save_notice(format));
    if (!chosen || check_name(*chosen, false) != ID_OK) {
        return false;
    }
    return save_to(*chosen, format);
}

bool File_Document::save_to(const std::string& chosen_path, Format format) {
    const Save_Format target = save_format(format);
    const std::string path = keeps_chosen_extension()
                                 ? chosen_path
                                 : replace_extension(chosen_path.c_str(), target.extension);
    if (check_name(path, false) != ID_OK) {
        return false;
    }
    name_record(path);
    Error_Handler handler;
    if (!run_reported([&] { write_path(path, format, &handler); })) {
        // Nothing was written: the changes are still only in memory.
        emit changed();
        return false;
    }
    default_directory(m_directory_key).set_default_dir(path.c_str());
    m_path = path;
    if (target.marks_saved) {
        m_undo->setClean();
    }
    path_changed(path);
    notify();
    return true;
}

bool File_Document::query_close() {
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
    return save_as(is_binary_path(m_path) ? Format::binary : Format::ascii);
}
