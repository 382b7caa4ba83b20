// The file dialogs of the suite's programs: open, save and folder choice, shown through one
// replaceable runner so that a test can answer them.
#pragma once

#include "qv6_ex_export.h"

#include <QStringList>

#include <optional>
#include <string>
#include <vector>

class QFileDialog;
class QWidget;

// One entry of a dialog's type list: its name ("ASCII Radio Files") and its patterns
// ("*.adf;*.dat"). The dialog shows both: "ASCII Radio Files (*.adf *.dat)".
struct File_Filter {
    std::string name;
    std::string patterns;
};

// The last entry of most type lists.
inline const File_Filter ALL_FILES_FILTER{"All Files", "*"};

// Splits a filter text of "name|patterns|" pairs ending in "||" ("ASCII Radio Files|*.raf|All
// Files|*.*||"). A name without patterns is dropped.
QV6_EX_EXPORT std::vector<File_Filter> filters_from_text(const char* text);

// The entries as the dialogs show them: each name with its patterns in parentheses, separated
// by blanks, "*.*" written "*".
QV6_EX_EXPORT QStringList qt_name_filters(const std::vector<File_Filter>& filters);

// Shows a prepared file dialog and returns the chosen paths, or nullopt when it was cancelled.
class QV6_EX_EXPORT File_Dialog_Runner {
public:
    virtual ~File_Dialog_Runner();
    virtual std::optional<QStringList> run(QFileDialog& dialog) = 0;
};

// Installs `runner` (not owned; null restores the one that shows the dialog) and returns the
// one it replaces.
QV6_EX_EXPORT File_Dialog_Runner* set_file_dialog_runner(File_Dialog_Runner* runner);
QV6_EX_EXPORT std::optional<QStringList> run_file_dialog(QFileDialog& dialog);

// A path of the file system as the program's single-byte texts hold it, and back.
QV6_EX_EXPORT std::string to_local_path(const QString& path);
QV6_EX_EXPORT QString from_local_path(const std::string& path);

// An open dialog for one existing file, starting in the folder remembered under `key_id` (none
// for 0), which then remembers the chosen file's folder; without a remembered folder it starts in
// `start_folder` when one is given. The chosen path, or nullopt.
QV6_EX_EXPORT std::optional<std::string> choose_open_file(QWidget* parent, int key_id,
                                                          const std::string& title,
                                                          const std::vector<File_Filter>& filters,
                                                          const std::string& start_folder = {});

// A save dialog starting in the remembered folder with `proposed_name`; the default extension
// is added when the user types none, and replacing an existing file asks first. A non-empty
// `notice` is shown as a panel below the file list. The chosen path, or nullopt.
QV6_EX_EXPORT std::optional<std::string> choose_save_file(QWidget* parent, int key_id,
                                                          const std::string& title,
                                                          const std::vector<File_Filter>& filters,
                                                          const std::string& proposed_name,
                                                          const std::string& default_suffix,
                                                          const std::string& notice = {});

// A folder picker starting in the remembered folder, which then remembers the chosen folder.
QV6_EX_EXPORT std::optional<std::string> choose_folder(QWidget* parent, int key_id,
                                                       const std::string& title);
