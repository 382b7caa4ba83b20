// V5_Radio_Document: the version 5 radio editor without its window: the record, its file and
// every file command of the version 5 mode.
#pragma once

#include "message_presenter.h"
#include "mode_editor.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

struct Radio_Record;

// The lock option of binary radio files: off when the program starts, never remembered.
bool rsd_lock_option();
void set_rsd_lock_option(bool locked);

// The texts of the rsd save dialog's notice while the lock option is on.
inline constexpr const char* RSD_LOCK_NOTICE =
    "The binary rsd file lock option is ON.\nBinary rsd radio data files created with this "
    "option set, cannot be edited. Any changes required must be carried out with the "
    "corresponding ASCII raf file.";

class V5_Radio_Document {
public:
    // `owner` (a QWidget*) owns the message boxes and dialogs; `title_sink` gets the file's path
    // whenever the title changes (empty for an unnamed record).
    V5_Radio_Document(Owner_Window owner, Title_Sink title_sink);
    ~V5_Radio_Document();
    V5_Radio_Document(const V5_Radio_Document&) = delete;
    V5_Radio_Document& operator=(const V5_Radio_Document&) = delete;

    Radio_Record& record() { return *m_record; }
    const Radio_Record& record() const { return *m_record; }
    // The current file; empty for an unnamed record.
    const std::string& path() const { return m_path; }
    bool modified() const { return m_modified; }
    // Set by every stored edit of the forms.
    void set_modified(bool modified) { m_modified = modified; }

    // Carries out a command of the version 5 menu; false for any other command.
    bool handle_command(int id);

    // New: the unsaved-changes check, then an empty record without a name.
    void new_file();
    // Open: the unsaved-changes check, the open dialog, then open_path.
    void open_command();
    // Opens `path` by its first bytes: version 5 ASCII or binary (a locked file is refused),
    // version 4 binary or ASCII converted to version 5. The radio code becomes the file name.
    // A name over 47 characters or a file of no known kind opens nothing and leaves the record
    // as it was; after a failed read the record is empty and unnamed. True when read.
    bool open_path(const std::string& path);

    // Save ASCII / Save Binary: under the current path with the extension "raf" or "rsd", or
    // through Save As for an unnamed record. True when written.
    bool save_ascii();
    bool save_binary();
    // The save dialogs, then the save. True when written.
    bool save_as_ascii();
    bool save_as_binary();

    // The lock dialog; OK stores its check box as the lock option.
    void lock_command();

    // The conversions (ASCII to .rsd for a selection or a folder tree; version 4 ASCII to
    // version 5 ASCII). Each runs the unsaved-changes check first; after a conversion the record
    // is empty and unnamed.
    void convert_selected();
    void convert_folder();
    void convert_v4_to_v5();

    // The unsaved-changes check: true when there are none, the user answers No, or the record
    // was saved after Yes; false after Cancel or when the save after Yes did not happen.
    bool query_close();

    // Shows the lock dialog with its check box at `current`; the new state, or nullopt for
    // Cancel. The view sets it; without it the option cannot change.
    std::function<std::optional<bool>(bool current)> lock_dialog;
    // Called after the record or its file changed, for the view to redraw.
    std::function<void()> changed;

private:
    enum class Format { ascii, binary };
    bool save(Format format);
    bool save_as(Format format);
    bool save_to(const std::string& chosen_path, Format format);
    void make_unnamed();
    void notify();

    Owner_Window m_owner;
    Title_Sink m_title_sink;
    std::unique_ptr<Radio_Record> m_record;
    std::string m_path;
    bool m_modified = false;
};
