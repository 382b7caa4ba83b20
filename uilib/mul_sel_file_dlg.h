// CMulSelFileDlg2: an open dialog for one or many files that remembers its folder.
#pragma once

#include "qv6_ex_export.h"

#include <QFileDialog>

#include <optional>
#include <string>
#include <vector>

class QV6_EX_EXPORT CMulSelFileDlg2 : public QFileDialog {
    Q_OBJECT

public:
    // An open dialog for existing files, several at a time, titled `title`, with the types of
    // `filter` ("name|patterns|...||"). With a key id other than 0 it opens in the folder
    // remembered under that key.
    CMulSelFileDlg2(int key_id, const char* title, const char* filter, QWidget* parent = nullptr);

    // Shows the dialog (through the file dialog runner). On OK records the chosen files and
    // remembers the folder of the first under the key; returns ID_OK, or ID_CANCEL when nothing
    // was chosen.
    virtual int DoModal();

    // The number of files chosen.
    unsigned long get_num_items() const { return static_cast<unsigned long>(m_paths.size()); }

    // The full path of chosen file `index`; null when the index is not below the number chosen.
    // The text stays valid until the next call or the dialog's end.
    const char* GetPath(unsigned long index);

private:
    int m_key_id;
    std::vector<std::string> m_paths;
    std::string m_returned_path;
};

// Shows the dialog and returns the chosen files in their order, or nullopt when it was
// cancelled.
QV6_EX_EXPORT std::optional<std::vector<std::string>> choose_files(QWidget* parent, int key_id,
                                                                   const char* title,
                                                                   const char* filter);
