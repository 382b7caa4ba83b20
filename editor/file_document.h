// File_Document: what the documents of the three editors share: the file's path, the modified
// flag, the undo stack and the file commands (New, Open, Save, Save As, the unsaved-changes
// question, Undo and Redo). Each record kind derives from it and supplies how its record is
// reset, read and written, its file-name rule and its formats.
#pragma once

#include "file_dialogs.h"
#include "message_presenter.h"

#include <QObject>
#include <QUndoStack>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class Error_Handler;
class QWidget;

// One format a document saves in.
struct Save_Format {
    const char* extension;  // "raf", without the dot
    const char* title;      // the save dialog's title
    File_Filter filter;     // the save dialog's type
    bool with_all_files;    // the dialog also offers every file
    bool marks_saved;       // a successful save clears the modified flag
};

class File_Document : public QObject {
    Q_OBJECT

public:
    enum class Format { ascii, binary };

    ~File_Document() override;
    File_Document(const File_Document&) = delete;
    File_Document& operator=(const File_Document&) = delete;

    // The current file; empty for an unnamed record.
    const std::string& path() const { return m_path; }
    // True while the record differs from what was last read or saved.
    bool modified() const { return !m_undo->isClean(); }
    // True marks the record as changed in a way no Undo takes back (nothing else does this
    // today but the tests); false takes the present state as the saved one.
    void set_modified(bool modified);

    // The record's edits. Every stored edit is pushed here as one step; New and Open clear it.
    QUndoStack& undo_stack() { return *m_undo; }
    // The most steps the stack keeps.
    static constexpr int undo_limit = 200;

    // Carries out a command of the mode's menu: New, Open, the saves, Undo, Redo, then the
    // commands of the record kind (handle_own_command). False for any other command.
    bool handle_command(int id);
    // False for Undo and Redo while there is nothing to undo or redo; true otherwise.
    bool command_available(int id) const;

    // New: the unsaved-changes question, then an empty record without a name.
    void new_file();
    // Open: the unsaved-changes question, the open dialog, then open_path.
    void open_command();
    // Reads the file at `path` (read_path); on success it becomes the document's file and the
    // undo steps are cleared. True when read.
    bool open_path(const std::string& path);

    // Save: under the current path with the format's extension, or through Save As for an
    // unnamed record (or always, for a kind whose saves always ask). True when written.
    bool save(Format format);
    // The save dialog, then the save. True when written.
    bool save_as(Format format);

    // The unsaved-changes question: true when there are no changes, the user answers No, or the
    // record was saved after Yes (in the binary format when the path has a binary extension);
    // false after Cancel or when that save did not happen.
    bool query_close();

    // Stores an edit as one undo step and carries it out (QUndoStack::push): the stack takes
    // `command`. Nothing is pushed for a null command.
    void push_edit(QUndoCommand* command);

    // Stores `value` into `field` as one undo step named `label`; false, and nothing pushed, when
    // the field holds that value already.
    template <class T>
    bool store_value(const QString& label, T& field, const T& value);

    // Stores an edit of the whole record as one undo step: `edit` changes `record`, which is kept
    // as it was before and after. Nothing is pushed when `same` finds both alike.
    template <class Record>
    bool store_record_edit(const QString& label, Record& record,
                           const std::function<void(Record&)>& edit,
                           const std::function<bool(const Record&, const Record&)>& same);

    // Lets `edit` change a copy of `record` (a window the user works in at length); when it
    // reports a change and `same` finds the copy differs, the copy replaces the record as one
    // undo step named `label`, so that one Undo takes the whole session back. True when stored.
    template <class Record>
    bool edit_record_copy(const QString& label, Record& record,
                          const std::function<bool(Record&)>& edit,
                          const std::function<bool(const Record&, const Record&)>& same);

signals:
    // The record or its file changed: the view redraws.
    void changed();
    // The file's path changed (empty for an unnamed record).
    void title_changed(const std::string& path);
    // The record was replaced as a whole (New, Open, a conversion): the view starts again at
    // its top. Emitted after changed().
    void record_replaced();

protected:
    // `owner` (a QWidget*) owns the message boxes and dialogs; `directory_key` is the settings key
    // under which the open and save dialogs remember their folder.
    File_Document(Owner_Window owner, int directory_key, QObject* parent = nullptr);

    Owner_Window owner() const { return m_owner; }
    QWidget* owner_widget() const;
    int directory_key() const { return m_directory_key; }

    // What read_path did with a file.
    enum class Read_Result {
        read,           // the record is the file's
        refused,        // nothing was read and the record is as it was
        failed,         // the record is empty and unnamed
        failed_partial, // what was read stays to be looked at, unnamed
    };

    // The record kind's parts.
    virtual void reset_record() = 0;
    // Reads `path` into the record, showing any failure. `named` starts as `path`; a kind whose
    // file is named after another one (an .msi file of a pair) sets that one, which then becomes
    // the document's file.
    virtual Read_Result read_path(const std::string& path, std::string& named) = 0;
    // Writes the record to `path`; raises what the writers raise (`handler`, which outlives the
    // raise, or a std::exception), which the document shows.
    virtual void write_path(const std::string& path, Format format, Error_Handler* handler) = 0;
    // Called before a save writes: the record takes what it keeps of its file's name.
    virtual void name_record(const std::string& path) { (void)path; }
    // The file-name rule: ID_OK when `path` may be written, otherwise the answer of the box
    // that said why not.
    virtual int check_name(const std::string& path, bool ask_continue) = 0;
    virtual Save_Format save_format(Format format) const = 0;
    // True for a path whose file the unsaved-changes question saves in the binary format.
    virtual bool is_binary_path(const std::string& path) const = 0;
    virtual std::string open_title() const = 0;
    virtual std::vector<File_Filter> open_filters() const = 0;
    // The notice the save dialog shows below its file list, if any.
    virtual std::string save_notice(Format format) const {
        (void)format;
        return {};
    }
    // True when Save always shows its dialog, even for a named record.
    virtual bool saves_always_ask() const { return false; }
    // True when a save writes under the name chosen in its dialog as it is; otherwise the
    // format's extension replaces the one chosen.
    virtual bool keeps_chosen_extension() const { return false; }
    // True when a file's folder is remembered once it was opened (it always is once saved).
    virtual bool remembers_opened_folder() const { return true; }
    // The commands of the record kind; false for any other.
    virtual bool handle_own_command(int id) {
        (void)id;
        return false;
    }
    // Called after a file was opened or saved under `path`, before the view hears of it.
    virtual void path_changed(const std::string& path) { (void)path; }

    // Forgets the file and empties the record.
    void make_unnamed();
    // Tells the view and the title that the record or its file changed.
    void notify();
    // Runs a write, a batch or any other work through run_and_report; true when it succeeded.
    bool run_reported(const std::function<void()>& work);

private:
    bool save_to(const std::string& chosen_path, Format format);

    Owner_Window m_owner;
    int m_directory_key;
    std::string m_path;
    std::unique_ptr<QUndoStack> m_undo;
};

// An undo step that sets one value (a field, a curve, the whole record): undo puts the old one
// back.
template <class T>
class Value_Edit : public QUndoCommand {
public:
    Value_Edit(const QString& label, T& field, T value, std::function<void()> changed)
        : QUndoCommand(label), m_field(field), m_old(field), m_new(std::move(value)),
          m_changed(std::move(changed)) {}
    void redo() override { set(m_new); }
    void undo() override { set(m_old); }

private:
    void set(const T& value) {
        m_field = value;
        m_changed();
    }
    T& m_field;
    T m_old;
    T m_new;
    std::function<void()> m_changed;
};

template <class T>
bool File_Document::store_value(const QString& label, T& field, const T& value) {
    if (field == value) {
        return false;
    }
    push_edit(new Value_Edit<T>(label, field, value, [this] { emit changed(); }));
    return true;
}

template <class Record>
bool File_Document::store_record_edit(const QString& label, Record& record,
                                      const std::function<void(Record&)>& edit,
                                      const std::function<bool(const Record&, const Record&)>& same) {
    Record after = record;
    edit(after);
    if (same(record, after)) {
        return false;
    }
    push_edit(new Value_Edit<Record>(label, record, std::move(after), [this] { emit changed(); }));
    return true;
}

template <class Record>
bool File_Document::edit_record_copy(const QString& label, Record& record,
                                     const std::function<bool(Record&)>& edit,
                                     const std::function<bool(const Record&, const Record&)>& same) {
    Record copy = record;
    if (!edit(copy) || same(record, copy)) {
        return false;
    }
    push_edit(new Value_Edit<Record>(label, record, std::move(copy), [this] { emit changed(); }));
    return true;
}
