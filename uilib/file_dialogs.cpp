// File dialogs through the replaceable runner.
#include "file_dialogs.h"

#include "default_directory.h"

#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QRegularExpression>

namespace {

File_Dialog_Runner* installed_runner = nullptr;

std::optional<QStringList> exec_dialog(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles();
}

void prepare(QFileDialog& dialog, int key_id, const std::string& title,
             const std::vector<File_Filter>& filters) {
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setWindowTitle(QString::fromStdString(title));
    if (!filters.empty()) {
        dialog.setNameFilters(qt_name_filters(filters));
    }
    if (key_id != 0) {
        const default_directory remembered(key_id);
        if (remembered.get_default_dir()[0] != '\0') {
            dialog.setDirectory(from_local_path(remembered.get_default_dir()));
        }
    }
}

void remember(int key_id, const std::string& path) {
    if (key_id != 0) {
        default_directory(key_id).set_default_dir(path.c_str());
    }
}

// Shows the dialog; the chosen path, whose folder is then remembered under `key_id`.
std::optional<std::string> run_and_remember(QFileDialog& dialog, int key_id) {
    const auto chosen = run_file_dialog(dialog);
    if (!chosen || chosen->isEmpty()) {
        return std::nullopt;
    }
    const std::string path = to_local_path(chosen->front());
    remember(key_id, path);
    return path;
}

} // namespace

File_Dialog_Runner::~File_Dialog_Runner() = default;

std::vector<File_Filter> filters_from_text(const char* text) {
    std::vector<File_Filter> filters;
    if (text == nullptr) {
        return filters;
    }
    std::vector<std::string> parts;
    std::string part;
    for (const char* at = text; *at != '\0'; ++at) {
        if (*at == '|') {
            parts.push_back(part);
            part.clear();
        } else {
            part += *at;
        }
    }
    if (!part.empty()) {
        parts.push_back(part);
    }
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (!parts[i].empty() && !parts[i + 1].empty()) {
            filters.push_back({parts[i], parts[i + 1]});
        }
    }
    return filters;
}

QStringList qt_name_filters(const std::vector<File_Filter>& filters) {
    QStringList list;
    for (const File_Filter& filter : filters) {
        QString patterns = QString::fromStdString(filter.patterns);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // "*.*" means every file, also one whose name has no dot.
        patterns.replace(QRegularExpression(QStringLiteral("(^|\\s)\\*\\.\\*(?=\\s|$)")),
                         QStringLiteral("\\1*"));
        list << QString::fromStdString(filter.name) + QStringLiteral(" (") +
                    patterns.simplified() + QLatin1Char(')');
    }
    return list;
}

File_Dialog_Runner* set_file_dialog_runner(File_Dialog_Runner* runner) {
    File_Dialog_Runner* previous = installed_runner;
    installed_runner = runner;
    return previous;
}

std::optional<QStringList> run_file_dialog(QFileDialog& dialog) {
    return installed_runner != nullptr ? installed_runner->run(dialog) : exec_dialog(dialog);
}

std::string to_local_path(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString from_local_path(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::optional<std::string> choose_open_file(QWidget* parent, int key_id,
                                            const std::string& title,
                                            const std::vector<File_Filter>& filters,
                                            const std::string& start_folder) {
    QFileDialog dialog(parent);
    if (!start_folder.empty()) {
        dialog.setDirectory(from_local_path(start_folder));
    }
    prepare(dialog, key_id, title, filters);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return run_and_remember(dialog, key_id);
}

std::optional<std::string> choose_save_file(QWidget* parent, int key_id,
                                            const std::string& title,
                                            const std::vector<File_Filter>& filters,
                                            const std::string& proposed_name,
                                            const std::string& default_suffix,
                                            const std::string& notice) {
    QFileDialog dialog(parent);
    prepare(dialog, key_id, title, filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromStdString(default_suffix));
    if (!proposed_name.empty()) {
        dialog.selectFile(from_local_path(proposed_name));
    }
    if (!notice.empty()) {
        auto* panel = new QLabel(QString::fromStdString(notice), &dialog);
        panel->setObjectName(QStringLiteral("save_notice"));
        panel->setWordWrap(true);
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setMargin(6);
        if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
            grid->addWidget(panel, grid->rowCount(), 0, 1, grid->columnCount());
        }
    }
    return run_and_remember(dialog, key_id);
}

std::optional<std::string> choose_folder(QWidget* parent, int key_id, const std::string& title) {
    QFileDialog dialog(parent);
    prepare(dialog, key_id, title, {});
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    return run_and_remember(dialog, key_id);
}
