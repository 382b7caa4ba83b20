// The dialog plumbing of QV6_EX and the program's small dialogs.
#include "about_kelvor_dlg.h"
#include "antenna_tech_dlg.h"
#include "batch_progress_dlg.h"
#include "gui_test_support.h"
#include "kelvor_version.h"
#include "ldialog.h"
#include "mul_sel_file_dlg.h"
#include "qt_message_presenter.h"
#include "rsd_lock_dlg.h"

#include <QAbstractButton>
#include <QLabel>
#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <filesystem>

using namespace kelvor_test;

namespace {

TEST(CenterDialog, CentresAndKeepsTheDialogOnTheScreen) {
    const QRect screen(0, 0, 1280, 800);
    EXPECT_EQ(center_dialog_rect({301, 201}, screen, 1280, 800, DP_CENTRE),
              QRect(489, 299, 301, 201));
    EXPECT_EQ(center_dialog_rect({300, 200}, QRect(100, 100, 400, 300), 1280, 800, DP_TOP_RIGHT),
              QRect(200, 100, 300, 200));
    EXPECT_EQ(center_dialog_rect({300, 200}, screen, 1280, 800, DP_BOTTOM_LEFT),
              QRect(0, 600, 300, 200));
    // A parent near the right edge: the dialog moves left to stay on the screen.
    EXPECT_EQ(center_dialog_rect({300, 200}, QRect(1200, 700, 200, 100), 1280, 800, DP_CENTRE),
              QRect(980, 600, 300, 200));
    // Larger than the screen: placed at 0, 0 and cut to the screen.
    EXPECT_EQ(center_dialog_rect({1500, 900}, screen, 1280, 800, DP_CENTRE),
              QRect(0, 0, 1280, 800));
}

TEST(FileFilters, PairsOfNamesAndPatterns) {
    const auto filters = filters_from_text("ASCII Antenna Files|*.adf;*.dat|All Files|*.*||");
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[0].name, "ASCII Antenna Files");
    EXPECT_EQ(filters[0].patterns, "*.adf;*.dat");
    EXPECT_EQ(qt_name_filters(filters),
              QStringList({"ASCII Antenna Files (*.adf *.dat)", "All Files (*)"}));
    EXPECT_TRUE(filters_from_text("").empty());
    EXPECT_TRUE(filters_from_text(nullptr).empty());
}

using MultipleSelection = Gui_Test;

TEST_F(MultipleSelection, ChosenFilesAndTheRememberedFolder) {
    std::filesystem::create_directories(dir.file("start"));
    std::filesystem::create_directories(dir.file("chosen"));
    write_settings("[Default directories]\r\nKELVOR_RADIO_DIRECTORY=" + dir.file("start") +
                   "\r\n");
    Scripted_File_Dialogs dialogs;
    dialogs.choose({dir.file("chosen/a.raf"), dir.file("chosen/b.raf")});

    CMulSelFileDlg2 dialog(IDS_KELVOR_RADIO_DIRECTORY, "Pick", "ASCII Radio Files|*.raf|All Files|*.*||");
    EXPECT_EQ(dialog.DoModal(), ID_OK);
    ASSERT_EQ(dialogs.seen.size(), 1u);
    EXPECT_EQ(dialogs.seen[0].title, "Pick");
    EXPECT_EQ(dialogs.seen[0].directory.toStdString(), dir.file("start"));
    EXPECT_EQ(dialogs.seen[0].file_mode, QFileDialog::ExistingFiles);
    EXPECT_EQ(dialogs.seen[0].filters,
              QStringList({"ASCII Radio Files (*.raf)", "All Files (*)"}));
    EXPECT_EQ(dialog.get_num_items(), 2u);
    EXPECT_EQ(std::string(dialog.GetPath(1)), dir.file("chosen/b.raf"));
    EXPECT_EQ(dialog.GetPath(2), nullptr);
    EXPECT_EQ(settings(),
              "[Default directories]\r\nKELVOR_RADIO_DIRECTORY=" + dir.file("chosen") + "\r\n");

    EXPECT_EQ(dialog.DoModal(), ID_CANCEL);
    EXPECT_EQ(dialog.get_num_items(), 0u);
    EXPECT_EQ(dialog.GetPath(0), nullptr);
}

using FileDialogs = Gui_Test;

TEST_F(FileDialogs, OpenSaveAndFolderRememberTheirFolder) {
    std::filesystem::create_directories(dir.file("antenna/tree"));
    Scripted_File_Dialogs dialogs;
    dialogs.choose({dir.file("antenna/x.adf")});
    EXPECT_EQ(choose_open_file(nullptr, IDS_KELVOR_ANTENNA_DIRECTORY, "Open", {}).value_or(""),
              dir.file("antenna/x.adf"));
    EXPECT_EQ(dialogs.seen.back().file_mode, QFileDialog::ExistingFile);

    dialogs.choose({dir.file("antenna/tree")});
    EXPECT_TRUE(choose_folder(nullptr, IDS_KELVOR_ANTENNA_DIRECTORY, "Folder").has_value());
    EXPECT_EQ(dialogs.seen.back().file_mode, QFileDialog::Directory);
    EXPECT_EQ(dialogs.seen.back().directory.toStdString(), dir.file("antenna"));
    EXPECT_EQ(settings(), "[Default directories]\r\nKELVOR_ANTENNA_DIRECTORY=" +
                              dir.file("antenna/tree") + "\r\n");

    dialogs.cancel();
    EXPECT_FALSE(choose_save_file(nullptr, IDS_KELVOR_ANTENNA_DIRECTORY, "Save",
                                  {{"Antenna Data Files (*.asd)", "*.asd"}}, "name.asd", "asd",
                                  "Read this")
                     .has_value());
    const Seen_Dialog& save = dialogs.seen.back();
    EXPECT_EQ(save.accept_mode, QFileDialog::AcceptSave);
    EXPECT_EQ(save.proposed_name, "name.asd");
    EXPECT_EQ(save.default_suffix, "asd");
    EXPECT_EQ(save.notice, "Read this");
    EXPECT_EQ(save.directory.toStdString(), dir.file("antenna/tree"));
}

// Clicks `button` of the next message box that opens.
void answer_next_box(QMessageBox::StandardButton button, QString* seen_text) {
    QTimer::singleShot(0, [button, seen_text] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        *seen_text = box->windowTitle() + "|" + box->text();
        box->button(button)->click();
    });
}

TEST(QtMessagePresenter, ShowsTheTextAndMapsTheAnswers) {
    Qt_Message_Presenter presenter;
    QString seen;
    answer_next_box(QMessageBox::No, &seen);
    EXPECT_EQ(presenter.show_message(nullptr, "File data has changed", "one\r\ntwo",
                                     BOX_YES_NO_CANCEL | BOX_ICON_QUESTION),
              ID_NO);
    EXPECT_EQ(seen, "File data has changed|one\ntwo");
    answer_next_box(QMessageBox::Cancel, &seen);
    EXPECT_EQ(presenter.show_message(nullptr, "c", "t", BOX_YES_NO_CANCEL), ID_CANCEL);
    answer_next_box(QMessageBox::Yes, &seen);
    EXPECT_EQ(presenter.show_message(nullptr, "c", "t", BOX_YES_NO), ID_YES);
    answer_next_box(QMessageBox::Ok, &seen);
    EXPECT_EQ(presenter.show_message(nullptr, "c", "t", BOX_OK | BOX_ICON_STOP), ID_OK);
}

TEST(QtMessagePresenter, ABoxWithoutOwnerIsCentredOnTheMainWindow) {
    Qt_Message_Presenter presenter;
    QWidget main_window;
    presenter.set_main_window(&main_window);
    const QWidget* parent = nullptr;
    QTimer::singleShot(0, [&parent] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        parent = box->parentWidget();
        box->button(QMessageBox::Ok)->click();
    });
    presenter.show_message(nullptr, "Syntax Error", "t", BOX_OK);
    EXPECT_EQ(parent, &main_window);
}

TEST(AboutBox, CaptionVersionAndNotices) {
    AboutKelvorDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), "Kelvor - Antenna and Radio file Editor ");
    const auto* version = dialog.findChild<QLabel*>("control_101");
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text(), "Kelvor Version 5.01.05");
    for (const char* control : {"control_102", "control_104", "control_106", "control_107",
                                "control_108"}) {
        const auto* line = dialog.findChild<QLabel*>(control);
        ASSERT_NE(line, nullptr) << control;
        EXPECT_FALSE(line->text().isEmpty()) << control;
    }
    const auto* icon = dialog.findChild<QLabel*>("control_112");
    ASSERT_NE(icon, nullptr);
    EXPECT_FALSE(icon->pixmap().isNull());
}

TEST(LockDialog, StartsAtTheOptionAndGivesTheCheckBox) {
    RsdLockDlg dialog(true);
    EXPECT_EQ(dialog.windowTitle(), "Binary Radio Data file locking");
    EXPECT_EQ(dialog.check_box()->text(), "Lock binary RSD files");
    EXPECT_TRUE(dialog.locked());
    dialog.check_box()->setChecked(false);
    EXPECT_FALSE(dialog.locked());
}

TEST(TechnologyDialog, StartsFromTheLastAnswers) {
    antenna_tech_dlg first(Technology_Answers{}, "a.adf");
    EXPECT_EQ(first.windowTitle(), "Antenna Technology");
    EXPECT_TRUE(first.dipole()->isChecked());
    EXPECT_FALSE(first.use_for_all()->isChecked());
    EXPECT_EQ(first.use_for_all()->text(),
              "Use this definitions in all remaining files if required");
    EXPECT_EQ(first.findChild<QLabel*>("control_104")->text(), "a.adf");

    antenna_tech_dlg later(Technology_Answers{2, true}, "b.adf");
    EXPECT_TRUE(later.aperture()->isChecked());
    EXPECT_TRUE(later.use_for_all()->isChecked());
    later.dipole()->setChecked(true);
    later.use_for_all()->setChecked(false);
    EXPECT_EQ(later.answers().last_technology, 1);
    EXPECT_FALSE(later.answers().use_for_all);
}

// A batch shows the file it converts and the count; Cancel ends it after that file.
TEST(BatchProgressDlg, ShowsTheFileAndCountAndCancelEndsAfterTheCurrentFile) {
    QWidget owner;
    BatchProgressDlg dialog(&owner, 4, 0);
    std::vector<std::string> converted;
    std::vector<QString> labels;
    const Batch_Steps steps{
        [](const std::string&, bool) { return ID_OK; },
        [&](const std::string& path, bool) {
            labels.push_back(dialog.findChild<QLabel*>()->text());
            EXPECT_TRUE(dialog.isVisible());
            converted.push_back(path);
            if (path == "/d/b.raf") {
                QPushButton* cancel = dialog.findChild<QPushButton*>();
                EXPECT_NE(cancel, nullptr);
                if (cancel != nullptr) {
                    cancel->click();
                }
            }
            return ID_OK;
        }};
    const int count =
        run_conversion_batch({"/d/a.raf", "/d/b.raf", "/d/c.raf", "/d/d.raf"}, true, steps,
                             dialog.progress());
    EXPECT_EQ(count, 2);
    EXPECT_EQ(converted, (std::vector<std::string>{"/d/a.raf", "/d/b.raf"}));
    EXPECT_EQ(labels, (std::vector<QString>{"Converting /d/a.raf\n1 of 4",
                                            "Converting /d/b.raf\n2 of 4"}));
}

// A batch that ends before the delay shows nothing.
TEST(BatchProgressDlg, AShortBatchShowsNoDialog) {
    QWidget owner;
    BatchProgressDlg dialog(&owner, 3, 60000);
    const Batch_Steps steps{[](const std::string&, bool) { return ID_OK; },
                            [](const std::string&, bool) { return ID_OK; }};
    EXPECT_EQ(run_conversion_batch({"a", "b", "c"}, true, steps, dialog.progress()), 3);
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace
