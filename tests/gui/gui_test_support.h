// Helpers of the desktop program's tests: scripted message boxes and file dialogs, and a fresh
// settings file for every test.
#pragma once

#include "file_dialogs.h"
#include "import_text_dlg.h"
#include "import_text_panes.h"
#include "message_presenter.h"
#include "qv5_extn.h"
#include "test_support.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace kelvor_test {

// Answers message boxes from a queue (the cautious answer when it is empty) and records them.
class Scripted_Presenter : public Message_Presenter {
public:
    Scripted_Presenter() { m_previous = set_message_presenter(this); }
    ~Scripted_Presenter() override { set_message_presenter(m_previous); }
    Scripted_Presenter(const Scripted_Presenter&) = delete;
    Scripted_Presenter& operator=(const Scripted_Presenter&) = delete;

    int show_message(Owner_Window owner, const std::string& caption, const std::string& text,
                     unsigned style) override {
        return show_detailed_message(owner, caption, text, {}, style);
    }
    int show_detailed_message(Owner_Window, const std::string& caption, const std::string& text,
                              const std::string& details, unsigned style) override {
        shown.push_back({caption, text, style, details});
        if (answers.empty()) {
            return cautious_answer(style);
        }
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }

    // The last message shown (a test asserts first that there is one).
    const Shown_Message& last() const { return shown.back(); }

    std::deque<int> answers;
    std::vector<Shown_Message> shown;

private:
    Message_Presenter* m_previous;
};

// What a file dialog showed.
struct Seen_Dialog {
    QString title;
    QStringList filters; // the type list as the user sees it
    QString directory;
    QFileDialog::FileMode file_mode;
    QFileDialog::AcceptMode accept_mode;
    QString proposed_name;
    QString default_suffix;
    QString notice; // the save dialog's notice panel, or empty
};

// Answers file dialogs from a queue (Cancel when it is empty) and records them.
class Scripted_File_Dialogs : public File_Dialog_Runner {
public:
    Scripted_File_Dialogs() { m_previous = set_file_dialog_runner(this); }
    ~Scripted_File_Dialogs() override { set_file_dialog_runner(m_previous); }
    Scripted_File_Dialogs(const Scripted_File_Dialogs&) = delete;
    Scripted_File_Dialogs& operator=(const Scripted_File_Dialogs&) = delete;

    std::optional<QStringList> run(QFileDialog& dialog) override {
        QStringList shown_filters = dialog.nameFilters();
        if (dialog.testOption(QFileDialog::HideNameFilterDetails)) {
            for (QString& filter : shown_filters) {
                filter.truncate(filter.lastIndexOf(QStringLiteral(" (")));
            }
        }
        Seen_Dialog dialog_seen{dialog.windowTitle(),
                                shown_filters,
                                dialog.directory().absolutePath(),
                                dialog.fileMode(),
                                dialog.acceptMode(),
                                {},
                                dialog.defaultSuffix(),
                                {}};
        if (!dialog.selectedFiles().isEmpty()) {
            dialog_seen.proposed_name = QFileInfo(dialog.selectedFiles().front()).fileName();
        }
        if (const auto* notice = dialog.findChild<QLabel*>(QStringLiteral("save_notice"))) {
            dialog_seen.notice = notice->text();
        }
        seen.push_back(dialog_seen);
        if (answers.empty()) {
            return std::nullopt;
        }
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }

    // Queues the choice of `paths`.
    void choose(const std::vector<std::string>& paths) {
        QStringList list;
        for (const std::string& path : paths) {
            list << QString::fromStdString(path);
        }
        answers.emplace_back(list);
    }
    void cancel() { answers.emplace_back(std::nullopt); }

    std::deque<std::optional<QStringList>> answers;
    std::vector<Seen_Dialog> seen;

private:
    File_Dialog_Runner* m_previous;
};

// Finishes the text import dialog as soon as it shows (from inside its modal loop): column 1
// holds the first field and column 2 the second, then Finish. `finished`, when given, tells
// whether it closed with OK; a dialog that refuses is closed, so that no test waits in it.
inline void answer_import_dialog(bool* finished = nullptr) {
    QTimer::singleShot(0, [finished] {
        auto* dialog = qobject_cast<ImportTextDlg*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            ADD_FAILURE() << "no import dialog";
            return;
        }
        dialog->OnNext();
        dialog->OnNext();
        auto* pane = static_cast<CColSelWin*>(dialog->control(ImportTextDlg::IDC_COLUMN_PANE));
        auto* fields = static_cast<QComboBox*>(dialog->control(ImportTextDlg::IDC_FIELD_LIST));
        for (const int column : {0, 1}) {
            pane->select_column(column);
            fields->setCurrentIndex(column + 1);
            dialog->OnSelchangeColselectt();
        }
        dialog->OnNext();
        if (finished != nullptr) {
            *finished = dialog->result() == QDialog::Accepted;
        }
        if (dialog->isVisible()) {
            dialog->reject();
        }
    });
}

// Every test gets its own scratch folder and settings file ("<scratch>/config/Kelvor.ini", not
// yet written).
class Gui_Test : public ::testing::Test {
protected:
    void SetUp() override {
        settings_path = dir.file("Kelvor.ini");
        init_qv5_extn(nullptr, nullptr, nullptr, settings_path.c_str());
    }
    void TearDown() override { init_qv5_extn(nullptr, nullptr, nullptr, nullptr); }

    std::string settings() const { return read_bytes(settings_path); }
    void write_settings(const std::string& text) const { dir.write("Kelvor.ini", text); }

    Temp_Dir dir;
    std::string settings_path;
};

// The folder of the test data and of the examples.
inline std::string test_data(const std::string& name) {
    return std::string(KELVOR_TEST_DATA_DIR) + "/" + name;
}
inline std::string example(const std::string& name) {
    return std::string(KELVOR_EXAMPLES_DIR) + "/" + name;
}

} // namespace kelvor_test
