// The main frame with its real editors: start-up by extension, mode switches, menus, check marks,
// help, the orderly close and the stored placement.
#include "command_ids.h"
#include "document_editor.h"
#include "editor_factory.h"
#include "frame_window_size.h"
#include "gui_test_support.h"
#include "help_guide.h"
#include "keyword_form.h"
#include "main_frame.h"
#include "power_options_form.h"
#include "qt_file_text.h"
#include "radio_record.h"
#include "raf_keywords.h"
#include "v4_radio_file_edit.h"
#include "v5_radio_file_edit.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTest>
#include <QUrl>

#include <cerrno>
#include <filesystem>
#include <map>
#include <memory>
#include <new>
#include <system_error>

using namespace kelvor_test;

namespace {

namespace fs = std::filesystem;

// What the version 5 form shows in the first cell of `row`.
QString form_text(V5RadioFileEdit& editor, int row) {
    return from_file_text(editor.form().model().text(row, 0));
}

class MainFrame : public Gui_Test {
protected:
    std::unique_ptr<CMainFrame> make_frame() {
        auto frame = std::make_unique<CMainFrame>(create_mode_editor, "https://help.example/");
        frame->set_url_opener([this](const std::string& address) { opened.push_back(address); });
        return frame;
    }

    // The checked items of the Equipment Type menu.
    static std::vector<int> checked_modes(const CMainFrame& frame) {
        std::vector<int> checked;
        for (const int id : {ID_MODE_RADIO_V5, ID_MODE_RADIO_V4, ID_MODE_ANTENNA}) {
            const QAction* action = frame.action(id);
            if (action != nullptr && action->isChecked()) {
                checked.push_back(id);
            }
        }
        return checked;
    }

    std::string copy_example(const std::string& from, const std::string& name) {
        const std::string path = dir.file(name);
        std::filesystem::copy_file(example(from), path);
        return path;
    }

    Scripted_Presenter presenter;
    Scripted_File_Dialogs dialogs;
    std::vector<std::string> opened;
};

TEST_F(MainFrame, StartingWithAnUpperCaseRafOpensTheVersion5ModeAndReadsTheFile) {
    // The file's texts are Windows-1252, whatever the desktop's character set.
    std::string text = read_bytes(example("radio/hx23_am_56m.raf"));
    const auto model = text.find("HX-23 Adaptive");
    ASSERT_NE(model, std::string::npos);
    text.replace(model, 14, "HX-23 \xB0\x80");
    const std::string path = dir.write("LINK.RAF", text);
    auto frame = make_frame();
    frame->start(path);
    EXPECT_EQ(frame->windowTitle(), "Kelvor - Radio Data Files V5 - LINK.RAF");
    auto* editor = dynamic_cast<V5RadioFileEdit*>(frame->controller().editor());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(form_text(*editor, ROW_MODEL), QString::fromUtf8("HX-23 \u00B0\u20AC"));
    EXPECT_EQ(form_text(*editor, ROW_RADIO_CODE), "LINK");
    EXPECT_EQ(checked_modes(*frame), std::vector<int>{ID_MODE_RADIO_V5});
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(MainFrame, StartingWithATextFileOpensTheVersion5ModeWithAnEmptyRecord) {
    const std::string path = dir.write("notes.txt", "QV50_ASCII_RADIO_SPEC_04\r\n");
    auto frame = make_frame();
    frame->start(path);
    EXPECT_EQ(frame->windowTitle(), "Kelvor - Radio Data Files V5");
    auto* editor = dynamic_cast<V5RadioFileEdit*>(frame->controller().editor());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->document().path(), "");
    EXPECT_EQ(form_text(*editor, ROW_MANUFACTURER), "");
}

TEST_F(MainFrame, StartingWithAnAntennaFileOpensTheAntennaMode) {
    const std::string path = copy_example("antenna/npx120_11_envelope.adf", "npx.ADF");
    auto frame = make_frame();
    frame->start(path);
    EXPECT_EQ(frame->windowTitle(), "Kelvor - TIA NSMA Antenna Data Files - npx.ADF");
    EXPECT_EQ(frame->controller().current_mode(), Equipment_Mode::antenna);
    EXPECT_EQ(checked_modes(*frame), std::vector<int>{ID_MODE_ANTENNA});
    ASSERT_NE(frame->action(ID_HELP_ANTENNA), nullptr);
    EXPECT_EQ(frame->action(ID_HELP_RADIO), nullptr);
    frame->run_command(ID_HELP_ANTENNA);
    EXPECT_EQ(opened, std::vector<std::string>{
                          "https://help.example/Kelvor_6.htm#Antenna_Data_Files"});
}

TEST_F(MainFrame, TheMenuBarHasTheModesMenusWithTheirKeys) {
    auto frame = make_frame();
    frame->start("");
    QStringList titles;
    for (const QAction* menu : frame->menuBar()->actions()) {
        titles << menu->text();
    }
    EXPECT_EQ(titles,
              QStringList({"&Files", "&Edit", "&Convert", "&View", "E&quipment Type", "&Help"}));
    EXPECT_EQ(frame->action(ID_FILE_SAVE_BINARY)->text(), "Save &Binary Format (rsd)");
    EXPECT_EQ(frame->action(ID_FILE_SAVE_BINARY)->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(frame->action(ID_FILE_SAVE_ASCII)->shortcut(), QKeySequence("Ctrl+Shift+S"));
    EXPECT_EQ(frame->action(ID_MODE_ANTENNA)->shortcut(), QKeySequence("Ctrl+3"));
    EXPECT_EQ(frame->action(ID_APP_EXIT)->shortcut(), QKeySequence("Alt+F4"));
    EXPECT_TRUE(frame->action(ID_VIEW_CURVES)->isEnabled());
    EXPECT_EQ(frame->action(ID_VIEW_CURVES)->shortcut(), QKeySequence("Ctrl+D"));
    EXPECT_TRUE(frame->action(ID_VIEW_ACM_DATA)->isEnabled());
    EXPECT_EQ(frame->action(ID_VIEW_ACM_DATA)->shortcut(), QKeySequence("Ctrl+Q"));
    EXPECT_EQ(frame->action(ID_VIEW_ACU_DATA)->shortcut(), QKeySequence("Ctrl+W"));
    EXPECT_TRUE(frame->action(ID_FILE_OPEN)->isEnabled());
    EXPECT_TRUE(frame->action(ID_LOCK_BINARY)->isEnabled());
    frame->run_command(ID_HELP_RADIO);
    EXPECT_EQ(opened, std::vector<std::string>{
                          "https://help.example/Kelvor_6.htm#Version_5_RADIO_Data"});
}

// Edits of the record go back and forth through Edit > Undo and Redo; the modified flag is
// "not as saved", and the menu items are enabled only when there is something to take back.
TEST_F(MainFrame, UndoAndRedoTheRecordsEditsInEveryMode) {
    const std::string path = copy_example("radio/hx23_am_56m.raf", "hx23.raf");
    auto frame = make_frame();
    frame->start(path);
    auto* editor = dynamic_cast<V5RadioFileEdit*>(frame->controller().editor());
    ASSERT_NE(editor, nullptr);
    V5_Radio_Document& document = editor->document();
    double& rate = document.record().radio_spec.tx_data_rate;
    const double saved = rate;
    QAction* undo = frame->action(ID_EDIT_UNDO);
    QAction* redo = frame->action(ID_EDIT_REDO);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());

    EXPECT_FALSE(document.store_value(QStringLiteral("rate"), rate, saved));
    EXPECT_FALSE(document.modified());
    ASSERT_TRUE(document.store_value(QStringLiteral("rate"), rate, 100.0));
    ASSERT_TRUE(document.store_value(QStringLiteral("rate"), rate, 200.0));
    EXPECT_TRUE(document.modified());
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(form_text(*editor, ROW_TXDATA_RATE), "200.00");

    undo->trigger();
    EXPECT_EQ(rate, 100.0);
    EXPECT_TRUE(redo->isEnabled());
    undo->trigger();
    EXPECT_EQ(rate, saved);
    EXPECT_FALSE(document.modified());
    EXPECT_FALSE(undo->isEnabled());
    redo->trigger();
    EXPECT_EQ(rate, 100.0);
    EXPECT_TRUE(document.modified());

    // A save that fails leaves the record marked; one that succeeds is the new saved state.
    dialogs.choose({dir.file("gone/x.raf")});
    EXPECT_FALSE(document.save_as(File_Document::Format::ascii));
    EXPECT_TRUE(document.modified());
    ASSERT_TRUE(document.save(File_Document::Format::ascii));
    EXPECT_FALSE(document.modified());
    undo->trigger();
    EXPECT_EQ(rate, saved);
    EXPECT_TRUE(document.modified());
    redo->trigger();
    EXPECT_FALSE(document.modified());

    // New and Open start again with nothing to undo.
    document.new_file();
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());

    for (const int mode : {ID_MODE_RADIO_V4, ID_MODE_ANTENNA}) {
        frame->run_command(mode);
        auto* other = dynamic_cast<Document_Editor*>(frame->controller().editor());
        ASSERT_NE(other, nullptr);
        EXPECT_FALSE(frame->action(ID_EDIT_UNDO)->isEnabled());
        EXPECT_EQ(frame->action(ID_EDIT_UNDO)->shortcut(), QKeySequence("Ctrl+Z"));
        EXPECT_EQ(frame->action(ID_EDIT_REDO)->shortcut(), QKeySequence("Ctrl+Shift+Z"));
    }
}

// An editor whose commands fail with exceptions nothing below catches.
class Failing_Editor : public QWidget, public Mode_Editor {
public:
    explicit Failing_Editor(QWidget* parent) : QWidget(parent) {}
    bool handle_command(int id) override {
        if (id == ID_FILE_NEW) {
            throw std::bad_alloc();
        }
        if (id == ID_FILE_OPEN) {
            throw std::filesystem::filesystem_error("cannot walk", std::error_code(EACCES, std::generic_category()));
        }
        return false;
    }
    bool command_available(int) const override { return true; }
    bool query_close() override { return true; }
    bool open_file(const std::string&) override { return false; }
};

TEST_F(MainFrame, AFailingCommandIsReportedAndTheProgramGoesOn) {
    CMainFrame frame([](Equipment_Mode, QWidget* parent, Editor_Sinks) -> std::unique_ptr<Mode_Editor> {
        return std::make_unique<Failing_Editor>(parent);
    }, "https://help.example/");
    frame.start("");
    Mode_Editor* editor = frame.controller().editor();
    frame.action(ID_FILE_NEW)->trigger();
    frame.action(ID_FILE_OPEN)->trigger();
    ASSERT_EQ(presenter.shown.size(), 2u);
    EXPECT_EQ(presenter.shown[0].caption, "Error");
    EXPECT_EQ(presenter.shown[0].text, "There is not enough memory to finish this.");
    EXPECT_NE(presenter.shown[1].text.find("cannot walk"), std::string::npos);
    EXPECT_EQ(frame.controller().editor(), editor);
}

TEST_F(MainFrame, ChoosingTheCurrentModeAgainDoesNothing) {
    auto frame = make_frame();
    frame->start("");
    auto* editor = dynamic_cast<V5RadioFileEdit*>(frame->controller().editor());
    ASSERT_NE(editor, nullptr);
    editor->document().set_modified(true);
    QAction* save = frame->action(ID_FILE_SAVE_BINARY);
    frame->action(ID_MODE_RADIO_V5)->trigger();
    EXPECT_EQ(frame->controller().editor(), editor);
    EXPECT_EQ(frame->action(ID_FILE_SAVE_BINARY), save);
    EXPECT_TRUE(presenter.shown.empty());
    EXPECT_EQ(checked_modes(*frame), std::vector<int>{ID_MODE_RADIO_V5});
}

TEST_F(MainFrame, CancelOnUnsavedChangesKeepsTheModeMenuRecordAndCheckMarks) {
    const std::string path = copy_example("radio/hx23_am_56m.raf", "hx23.raf");
    auto frame = make_frame();
    frame->start(path);
    auto* editor = dynamic_cast<V5RadioFileEdit*>(frame->controller().editor());
    ASSERT_NE(editor, nullptr);
    editor->document().set_modified(true);
    presenter.answers = {ID_CANCEL};
    frame->action(ID_MODE_ANTENNA)->trigger();
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].caption, "File data has changed");
    EXPECT_EQ(presenter.shown[0].text, "Save changes made to the file " + path + " ?");
    EXPECT_EQ(frame->controller().current_mode(), Equipment_Mode::radio_v5);
    EXPECT_EQ(frame->controller().editor(), editor);
    EXPECT_EQ(editor->document().path(), path);
    EXPECT_TRUE(editor->document().modified());
    EXPECT_EQ(form_text(*editor, ROW_MODEL), "HX-23 Adaptive");
    EXPECT_EQ(frame->windowTitle(), "Kelvor - Radio Data Files V5 - hx23.raf");
    ASSERT_NE(frame->action(ID_LOCK_BINARY), nullptr);
    EXPECT_EQ(frame->action(ID_ANTENNA_ASD_SELECTED), nullptr);
    EXPECT_EQ(checked_modes(*frame), std::vector<int>{ID_MODE_RADIO_V5});
}

TEST_F(MainFrame, ASwitchReplacesTheMenuEditorAndTitle) {
    auto frame = make_frame();
    frame->start("");
    frame->action(ID_MODE_RADIO_V4)->trigger();
    EXPECT_EQ(frame->controller().current_mode(), Equipment_Mode::radio_v4);
    EXPECT_NE(dynamic_cast<V4RadioFileEdit*>(frame->controller().editor()), nullptr);
    EXPECT_EQ(frame->controller().editor(Equipment_Mode::radio_v5), nullptr);
    EXPECT_EQ(frame->windowTitle(), "Kelvor - Radio Data Files V4");
    EXPECT_EQ(frame->action(ID_LOCK_BINARY), nullptr);
    EXPECT_EQ(frame->action(ID_FILE_SAVE_AS_ASCII), nullptr);
    EXPECT_EQ(frame->action(ID_FILE_SAVE_BINARY)->text(), "Save &Binary Format (mrs)");
    EXPECT_EQ(checked_modes(*frame), std::vector<int>{ID_MODE_RADIO_V4});
    frame->action(ID_MODE_ANTENNA)->trigger();
    EXPECT_EQ(frame->windowTitle(), "Kelvor - TIA NSMA Antenna Data Files");
    EXPECT_EQ(checked_modes(*frame), std::vector<int>{ID_MODE_ANTENNA});
    EXPECT_TRUE(presenter.shown.empty());
}

TEST_F(MainFrame, ExitWithUnsavedChangesInTheVersion4ModeAsks) {
    auto frame = make_frame();
    frame->show_placed();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    frame->start("");
    frame->run_command(ID_MODE_RADIO_V4);
    auto* editor = dynamic_cast<V4RadioFileEdit*>(frame->controller().editor());
    ASSERT_NE(editor, nullptr);
    editor->document().set_modified(true);

    presenter.answers = {ID_CANCEL};
    frame->run_command(ID_APP_EXIT);
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].caption, "File data has changed");
    EXPECT_EQ(presenter.shown[0].text, "Save changes made to unnamed file ?");
    EXPECT_TRUE(frame->isVisible());
    // The placement was stored although the close was cancelled.
    EXPECT_NE(settings().find("[DEFAULT_WINDOWSIZE]\r\nWNDSZE_KELVOR_MAIN="), std::string::npos);

    presenter.answers = {ID_NO};
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(presenter.shown.size(), 2u);
}

// The access key of a menu text: the character after its one "&" ("&&" is a plain "&"), lower
// case; empty when the text has none, "?" when it has more than one.
QString access_key(const QString& text) {
    QString key;
    for (qsizetype at = 0; at + 1 < text.size(); ++at) {
        if (text[at] != QLatin1Char('&')) {
            continue;
        }
        if (text[at + 1] == QLatin1Char('&')) {
            ++at;
            continue;
        }
        if (!key.isEmpty()) {
            return QStringLiteral("?");
        }
        key = text[at + 1].toLower();
    }
    return key;
}

// Checks that every entry of `actions` (a menu bar's or a menu's) has one access key of its own,
// then does the same for each submenu.
void expect_access_keys(const QList<QAction*>& actions, const QString& where) {
    std::map<QString, QString> taken;
    for (const QAction* action : actions) {
        if (action->isSeparator()) {
            continue;
        }
        const QString key = access_key(action->text());
        EXPECT_EQ(key.size(), 1) << where.toStdString() << ": " << action->text().toStdString();
        if (key.size() == 1) {
            const auto [found, added] = taken.emplace(key, action->text());
            EXPECT_TRUE(added) << where.toStdString() << ": " << action->text().toStdString()
                               << " and " << found->second.toStdString() << " share " << key.toStdString();
        }
        if (action->menu() != nullptr) {
            expect_access_keys(action->menu()->actions(), where + " > " + action->text());
        }
    }
}

TEST_F(MainFrame, EveryMenuEntryOfEveryModeHasAnAccessKeyOfItsOwn) {
    auto frame = make_frame();
    frame->start("");
    for (const int mode : {ID_MODE_RADIO_V5, ID_MODE_RADIO_V4, ID_MODE_ANTENNA}) {
        frame->run_command(mode);
        SCOPED_TRACE(frame->windowTitle().toStdString());
        ASSERT_FALSE(frame->menuBar()->actions().isEmpty());
        expect_access_keys(frame->menuBar()->actions(), QStringLiteral("menu bar"));
    }
    EXPECT_EQ(access_key(QStringLiteral("Save && &Close")), "c");
    EXPECT_EQ(access_key(QStringLiteral("&Save &Close")), "?");
    EXPECT_EQ(access_key(QStringLiteral("Close")), "");
}

TEST_F(MainFrame, F10OpensTheMenuBarAtItsFirstMenu) {
    auto frame = make_frame();
    frame->start("");
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, Qt::Key_F10);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), "&Files");
    EXPECT_EQ(frame->menuBar()->activeAction(), frame->menuBar()->actions().first());
    menu->close();
}

// The user guide window the help commands opened, or null.
QTextBrowser* user_guide() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String("user_guide")) {
            return qobject_cast<QTextBrowser*>(window);
        }
    }
    return nullptr;
}

bool document_has_anchor(const QTextDocument& document, const QString& name) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            if (fragment.fragment().charFormat().anchorNames().contains(name)) {
                return true;
            }
        }
        if (block.charFormat().anchorNames().contains(name)) {
            return true;
        }
    }
    return false;
}

TEST_F(MainFrame, WithoutAWebAddressHelpOpensTheShippedGuideAtTheModesSection) {
    auto frame = std::make_unique<CMainFrame>(create_mode_editor, "");
    frame->set_url_opener([this](const std::string& address) { opened.push_back(address); });
    frame->start("");
    frame->run_command(ID_HELP_RADIO);
    frame->run_command(ID_MODE_ANTENNA);
    frame->run_command(ID_HELP_ANTENNA);
    EXPECT_EQ(opened, (std::vector<std::string>{"qrc:/guide/Kelvor_6.htm#Version_5_RADIO_Data",
                                                "qrc:/guide/Kelvor_6.htm#Antenna_Data_Files"}));
    EXPECT_EQ(help_address("https://help.example/", "Kelvor_6.htm#X"),
              "https://help.example/Kelvor_6.htm#X");
    EXPECT_FALSE(is_user_guide_address("https://help.example/Kelvor_6.htm"));
}

// Every help page the program names (the modes' and the forms') is a section of the guide.
TEST_F(MainFrame, EveryHelpPageOfTheProgramIsASectionOfTheShippedGuide) {
    auto frame = std::make_unique<CMainFrame>(create_mode_editor, "");
    const char* const pages[] = {mode_info(Equipment_Mode::radio_v5).help_page,
                                 mode_info(Equipment_Mode::radio_v4).help_page,
                                 mode_info(Equipment_Mode::antenna).help_page,
                                 POWER_OPTIONS_HELP_PAGE};
    for (const char* page : pages) {
        SCOPED_TRACE(page);
        const std::string address = help_address("", page);
        ASSERT_TRUE(is_user_guide_address(address));
        open_help_address(address);
        QTextBrowser* guide = user_guide();
        ASSERT_NE(guide, nullptr);
        EXPECT_TRUE(guide->isVisible());
        EXPECT_EQ(guide->source(), QUrl(QString::fromStdString(address)));
        EXPECT_TRUE(guide->toPlainText().contains(QStringLiteral("Kelvor user guide")));
        const QString anchor = QUrl(QString::fromStdString(address)).fragment();
        ASSERT_FALSE(anchor.isEmpty());
        EXPECT_TRUE(document_has_anchor(*guide->document(), anchor)) << anchor.toStdString();
    }
    EXPECT_FALSE(document_has_anchor(*user_guide()->document(), QStringLiteral("No_Such_Page")));
    delete user_guide();
}

TEST_F(MainFrame, TheDefaultPlacementIsStoredOnClose) {
    frame_window_size expected;
    const Screen_Sizes screens = current_screen_sizes();
    apply_default_window_rect(expected, DWS_MAIN_FRAME, screens.primary_width,
                              screens.primary_height);
    auto frame = make_frame();
    EXPECT_EQ(format_frame_window_size(frame->placement()), format_frame_window_size(expected));
    frame->show_placed();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    frame->start("");
    EXPECT_EQ(frame->size(), QSize(expected.width, expected.height));
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(settings(), "[DEFAULT_WINDOWSIZE]\r\nWNDSZE_KELVOR_MAIN=" +
                              format_frame_window_size(expected) + "\r\n");
}

TEST_F(MainFrame, AMaximisedPlacementIsRestoredAndStoredAgain) {
    write_settings("[DEFAULT_WINDOWSIZE]\r\nWNDSZE_KELVOR_MAIN=40,30,420,310,210,0,0,0,1\r\n");
    auto frame = make_frame();
    EXPECT_TRUE(frame->placement().maximised);
    frame->show_placed();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    frame->start("");
    EXPECT_TRUE(frame->isMaximized());
    EXPECT_TRUE(frame->close());
    const std::string stored = settings();
    EXPECT_EQ(stored.substr(stored.size() - 4), ",1\r\n") << stored;

    write_settings("[DEFAULT_WINDOWSIZE]\r\nWNDSZE_KELVOR_MAIN=40,30,420,310,210,0,0,0,0\r\n");
    auto normal = make_frame();
    normal->show_placed();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(normal.get()));
    EXPECT_FALSE(normal->isMaximized());
    EXPECT_EQ(normal->size(), QSize(420, 310));
    EXPECT_TRUE(normal->close());
    EXPECT_EQ(settings(), "[DEFAULT_WINDOWSIZE]\r\nWNDSZE_KELVOR_MAIN=40,30,420,310,210,0,0,0,0\r\n");
}

TEST_F(MainFrame, TheEditorsTitleMessageNamesTheOpenedFile) {
    const std::string path = copy_example("radio/nl180_18g_28m.raf", "nl180.raf");
    auto frame = make_frame();
    frame->start("");
    dialogs.choose({path});
    frame->run_command(ID_FILE_OPEN);
    EXPECT_EQ(frame->windowTitle(), "Kelvor - Radio Data Files V5 - nl180.raf");
    ASSERT_EQ(dialogs.seen.size(), 1u);
    EXPECT_EQ(dialogs.seen[0].title, "Open Radio Data File");
    frame->run_command(ID_FILE_NEW);
    EXPECT_EQ(frame->windowTitle(), "Kelvor - Radio Data Files V5");
}

} // namespace

namespace {

// Drops `paths` on the frame as the desktop does: a drag that enters, then the drop.
bool drop_files(CMainFrame& frame, const std::vector<std::string>& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const std::string& path : paths) {
        urls << QUrl::fromLocalFile(QString::fromStdString(path));
    }
    data.setUrls(urls);
    const QPoint middle = frame.rect().center();
    QDragEnterEvent enter(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&frame, &enter);
    if (!enter.isAccepted()) {
        return false;
    }
    QDropEvent drop(QPointF(middle), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&frame, &drop);
    return drop.isAccepted();
}

// Files > Recent Files of the present menu bar (the menus of a mode left go only later).
QMenu* recent_menu(const CMainFrame& frame) {
    for (const QAction* bar_item : frame.menuBar()->actions()) {
        if (bar_item->menu() == nullptr || bar_item->text() != "&Files") {
            continue;
        }
        for (const QAction* item : bar_item->menu()->actions()) {
            if (item->menu() != nullptr && item->text() == "&Recent Files") {
                return item->menu();
            }
        }
    }
    return nullptr;
}

QStringList recent_texts(const CMainFrame& frame) {
    QStringList texts;
    if (QMenu* menu = recent_menu(frame)) {
        for (const QAction* entry : menu->actions()) {
            texts << entry->text();
        }
    }
    return texts;
}

} // namespace

// A dropped file opens as the command line opens it, after the unsaved-changes question; a
// dropped folder, or a drop of several files, says in the status bar what it did not open.
TEST_F(MainFrame, DroppedFilesOpenTheFirstAfterTheUnsavedChangesQuestion) {
    const std::string radio = copy_example("radio/hx23_am_56m.raf", "hx23.raf");
    const std::string antenna = copy_example("antenna/npx120_11_envelope.adf", "npx.adf");
    auto frame = make_frame();
    frame->start(radio);
    auto* editor = dynamic_cast<V5RadioFileEdit*>(frame->controller().editor());
    ASSERT_NE(editor, nullptr);
    double& rate = editor->document().record().radio_spec.tx_data_rate;
    ASSERT_TRUE(editor->document().store_value(QStringLiteral("rate"), rate, 100.0));

    presenter.answers = {ID_CANCEL};
    EXPECT_TRUE(drop_files(*frame, {antenna, radio}));
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.last().text, "Save changes made to the file " + radio + " ?");
    EXPECT_EQ(frame->controller().current_mode(), Equipment_Mode::radio_v5);
    EXPECT_EQ(rate, 100.0);

    presenter.answers = {ID_NO};
    EXPECT_TRUE(drop_files(*frame, {antenna, radio}));
    EXPECT_EQ(frame->windowTitle(), "Kelvor - TIA NSMA Antenna Data Files - npx.adf");
    EXPECT_EQ(checked_modes(*frame), std::vector<int>{ID_MODE_ANTENNA});
    EXPECT_EQ(frame->statusBar()->currentMessage(),
              "Opened npx.adf; one file opens at a time, 1 other dropped file was not opened.");

    EXPECT_TRUE(drop_files(*frame, {dir.path().string()}));
    EXPECT_EQ(frame->statusBar()->currentMessage(), "A folder is not opened: drop a data file.");
    EXPECT_EQ(frame->windowTitle(), "Kelvor - TIA NSMA Antenna Data Files - npx.adf");

    // Only local files are taken.
    QMimeData remote;
    remote.setUrls({QUrl(QStringLiteral("https://example.org/a.raf"))});
    QDragEnterEvent enter(QPoint(1, 1), Qt::CopyAction, &remote, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(frame.get(), &enter);
    EXPECT_FALSE(enter.isAccepted());
}

// Files > Recent Files lists the mode's files newest first; Ctrl+Shift+T reopens the newest.
TEST_F(MainFrame, RecentFilesReopenAndAMissingOneIsRemoved) {
    const std::string first = copy_example("radio/hx23_am_56m.raf", "first.raf");
    // An "&" of a path shows as itself, not as a second access key.
    const std::string second = copy_example("radio/nr18s_stm1.raf", "r&d.raf");
    const QString second_shown = QString::fromStdString(second).replace("&", "&&");
    auto frame = make_frame();
    frame->start(first);
    ASSERT_NE(recent_menu(*frame), nullptr);
    EXPECT_EQ(recent_texts(*frame), QStringList{"&1 " + QString::fromStdString(first)});
    ASSERT_TRUE(frame->controller().open_path(second));
    EXPECT_EQ(recent_texts(*frame), QStringList({"&1 " + second_shown,
                                                 "&2 " + QString::fromStdString(first)}));
    const QList<QAction*> entries = recent_menu(*frame)->actions();
    EXPECT_EQ(entries[0]->shortcut(), QKeySequence("Ctrl+Shift+T"));
    EXPECT_TRUE(entries[1]->shortcut().isEmpty());

    entries[1]->trigger();
    EXPECT_EQ(frame->windowTitle(), "Kelvor - Radio Data Files V5 - first.raf");
    EXPECT_EQ(recent_texts(*frame).front(), "&1 " + QString::fromStdString(first));

    // Another mode has its own list.
    frame->run_command(ID_MODE_RADIO_V4);
    ASSERT_NE(recent_menu(*frame), nullptr);
    EXPECT_TRUE(recent_texts(*frame).isEmpty());
    EXPECT_FALSE(recent_menu(*frame)->isEnabled());
    frame->run_command(ID_MODE_RADIO_V5);

    std::filesystem::remove(second);
    recent_menu(*frame)->actions()[1]->trigger();
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.last().text,
              "The file " + second + " no longer exists. It was removed from the recent files.");
    EXPECT_EQ(recent_texts(*frame), QStringList{"&1 " + QString::fromStdString(first)});
    EXPECT_EQ(frame->windowTitle(), "Kelvor - Radio Data Files V5");
}
