// The multiple-selection open dialog.
#include "mul_sel_file_dlg.h"

#include "default_directory.h"
#include "file_dialogs.h"
#include "message_presenter.h"

CMulSelFileDlg2::CMulSelFileDlg2(int key_id, const char* title, const char* filter,
                                 QWidget* parent)
    : QFileDialog(parent), m_key_id(key_id) {
    setOption(QFileDialog::DontUseNativeDialog, true);
    setOption(QFileDialog::ReadOnly, true);
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::ExistingFiles);
    setSizeGripEnabled(true);
    if (title != nullptr) {
        setWindowTitle(QString::fromUtf8(title));
    }
    const auto filters = filters_from_text(filter);
    if (!filters.empty()) {
        setNameFilters(qt_name_filters(filters));
    }
    if (m_key_id != 0) {
        const default_directory remembered(m_key_id);
        if (remembered.get_default_dir()[0] != '\0') {
            setDirectory(from_local_path(remembered.get_default_dir()));
        }
    }
}

int CMulSelFileDlg2::DoModal() {
    m_paths.clear();
    const auto chosen = run_file_dialog(*this);
    if (!chosen || chosen->isEmpty()) {
        return ID_CANCEL;
    }
    for (const QString& path : *chosen) {
        m_paths.push_back(to_local_path(path));
    }
    if (m_key_id != 0) {
        default_directory(m_key_id).set_default_dir(m_paths.front().c_str());
    }
    return ID_OK;
}

const char* CMulSelFileDlg2::GetPath(unsigned long index) {
    if (index >= m_paths.size()) {
        return nullptr;
    }
    m_returned_path = m_paths[index];
    return m_returned_path.c_str();
}

std::optional<std::vector<std::string>> choose_files(QWidget* parent, int key_id,
                                                     const char* title, const char* filter) {
    CMulSelFileDlg2 dialog(key_id, title, filter, parent);
    if (dialog.DoModal() != ID_OK) {
        return std::nullopt;
    }
    std::vector<std::string> files;
    for (unsigned long i = 0; i < dialog.get_num_items(); ++i) {
        files.emplace_back(dialog.GetPath(i));
    }
    return files;
}
