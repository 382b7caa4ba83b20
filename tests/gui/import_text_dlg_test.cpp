// The text import dialog: its pages, the choices made through its controls, the column check on
// Finish, the stored choices, definition files and the clipboard.
#include "error_handler.h"
#include "gui_test_support.h"
#include "import_text_dlg.h"
#include "import_text_panes.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include <cstring>
#include <filesystem>
#include <memory>
#include <utility>

using namespace kelvor_test;

namespace {

class ImportDialog : public Gui_Test {
protected:
    // A dialog on `text` (null: a source without lines yet) with the fields "Frequency" and
    // "Level", shown on its first page.
    void open(const char* text, int kind = -1) {
        dialog.reset();
        format = std::make_unique<txtimport_format>(nullptr, nullptr, 2, kind, false);
        if (text != nullptr) {
            handler.init_fileio("lines.txt");
            format->set_text(&handler, text);
        }
        format->set_header_item(0, "Frequency");
        format->set_header_item(1, "Level");
        dialog = std::make_unique<ImportTextDlg>(ImportTextDlg::IDD_IMPORT_TEXT, nullptr,
                                                 format.get());
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    }

    template <class Control>
    Control* control(int id) {
        auto* found = qobject_cast<Control*>(dialog->control(id));
        EXPECT_NE(found, nullptr) << id;
        return found;
    }
    // Clicks near the left end of a button: a check box takes clicks on its box and label only.
    void click(int id) {
        QAbstractButton* button = control<QAbstractButton>(id);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }
    // Types `text` into the start line box and leaves it with Tab (Enter would also press the
    // default button).
    void type_start_line(const QString& text) {
        auto* spin = control<QSpinBox>(ImportTextDlg::IDC_LINE_START);
        spin->setFocus();
        auto* edit = spin->findChild<QLineEdit*>();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
    }
    // On the last page: clicks column `column` in the pane and chooses entry `field` for it.
    void assign(int column, int field) {
        auto* pane = control<CColSelWin>(ImportTextDlg::IDC_COLUMN_PANE);
        const Preview_Column shown = pane->columns().at(static_cast<std::size_t>(column));
        QTest::mouseClick(pane->viewport(), Qt::LeftButton, {},
                          QPoint(pane->x_of(shown.x) + 1, pane->row_height() * 2));
        ASSERT_EQ(pane->selected_column(), column);
        auto* fields = control<QComboBox>(ImportTextDlg::IDC_FIELD_LIST);
        fields->setCurrentIndex(field);
        emit fields->activated(field);
    }
    std::vector<std::string> first_line_fields() {
        int line = -1;
        EXPECT_TRUE(format->init_import());
        EXPECT_TRUE(format->set_line_buffer(line));
        std::vector<std::string> fields;
        for (int field = 0; field < 2; ++field) {
            const char* text = format->get_field(field);
            fields.emplace_back(text != nullptr ? text : "(null)");
        }
        return fields;
    }
    QString forecast() { return control<QLabel>(ImportTextDlg::IDC_FORECAST)->text(); }

    Scripted_Presenter presenter;
    Error_Handler handler;
    std::unique_ptr<txtimport_format> format;
    std::unique_ptr<ImportTextDlg> dialog;
};

TEST_F(ImportDialog, PagesAndTheStartLine) {
    open("a,b\n1,2\n3,4\n5,6\n");
    auto* next = control<QPushButton>(ImportTextDlg::IDC_NEXT);
    auto* prev = control<QPushButton>(ImportTextDlg::IDC_PREV);
    EXPECT_FALSE(prev->isEnabled());
    EXPECT_EQ(next->text(), "Next >");

    // A start line outside 1 to 200 is ignored, and the box shows the one in force again.
    type_start_line("3");
    EXPECT_EQ(format->record.start_line, 3);
    for (const char* refused : {"0", "201", "5000"}) {
        type_start_line(refused);
        EXPECT_EQ(format->record.start_line, 3) << refused;
        EXPECT_EQ(control<QSpinBox>(ImportTextDlg::IDC_LINE_START)->value(), 3) << refused;
    }
    // The preview starts one line before the start line.
    EXPECT_STREQ(format->display_lines.at(0), "1,2");

    click(ImportTextDlg::IDC_NEXT);
    EXPECT_EQ(dialog->page(), 1);
    EXPECT_TRUE(prev->isEnabled());
    click(ImportTextDlg::IDC_NEXT);
    EXPECT_EQ(dialog->page(), 2);
    EXPECT_EQ(next->text(), "Finish");
    click(ImportTextDlg::IDC_PREV);
    EXPECT_EQ(dialog->page(), 1);
    EXPECT_EQ(next->text(), "Next >");
    click(ImportTextDlg::IDC_CANCEL);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(ImportDialog, DelimiterChoicesFindTheColumns) {
    struct Case {
        const char* text;
        int delimiter;    // the choice's button
        bool quotes;
        bool consecutive;
        std::vector<std::string> columns; // the first line's, as the preview splits it
    };
    const Case cases[] = {
        {"1,\"a,b\",3\n", ImportTextDlg::IDC_COMMA, true, false, {"1", "\"a,b\"", "3"}},
        {"1,\"a,b\",3\n", ImportTextDlg::IDC_COMMA, false, false, {"1", "\"a", "b\"", "3"}},
        {"1   2\n", ImportTextDlg::IDC_SPACE, true, true, {"1", "2"}},
        {"1   2\n", ImportTextDlg::IDC_SPACE, true, false, {"1", "", "", "2"}},
        {"1\t2;3\n", ImportTextDlg::IDC_TAB, true, false, {"1", "2;3"}},
        {"1\t2;3\n", ImportTextDlg::IDC_SEMICOLON, true, false, {"1\t2", "3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        open(c.text);
        click(ImportTextDlg::IDC_NEXT);
        click(c.delimiter);
        control<QCheckBox>(ImportTextDlg::IDC_QUOTES)->setChecked(c.quotes);
        control<QCheckBox>(ImportTextDlg::IDC_CONSECUTIVE)->setChecked(c.consecutive);
        EXPECT_EQ(format->column_count, static_cast<int>(c.columns.size()));
        std::vector<std::string> cells;
        for (const std::string_view cell : preview_cells(*format, format->display_lines.at(0))) {
            cells.emplace_back(cell);
        }
        EXPECT_EQ(cells, c.columns);
    }

    // Other with an empty box keeps the delimiter in force; a character puts it in force.
    open("1;2|3\n");
    click(ImportTextDlg::IDC_NEXT);
    auto* other = control<QLineEdit>(ImportTextDlg::IDC_OTHER_CHARACTER);
    EXPECT_FALSE(other->isEnabled());
    click(ImportTextDlg::IDC_SEMICOLON);
    other->clear();
    click(ImportTextDlg::IDC_OTHER);
    EXPECT_TRUE(other->isEnabled());
    EXPECT_EQ(format->delimiter, ';');
    EXPECT_EQ(format->column_count, 2);
    QTest::keyClicks(other, "|");
    EXPECT_EQ(format->delimiter, '|');
    EXPECT_EQ(format->column_count, 2);
    EXPECT_EQ(std::string(preview_cells(*format, format->display_lines.at(0)).at(0)), "1;2");
}

TEST_F(ImportDialog, FinishChecksTheColumnsAndStaysOpen) {
    open("f,l,x\n100,-50,a\n200,-60,b\nend,1,c\n");
    type_start_line("2");
    click(ImportTextDlg::IDC_NEXT);
    click(ImportTextDlg::IDC_NEXT);
    EXPECT_EQ(forecast(), "No line will be imported. Not on a column yet: \u201cFrequency\u201d, "
                          "\u201cLevel\u201d. Line 2 ends the import, as its fields do not all "
                          "convert: \u201c100,-50,a\u201d");

    struct Step {
        std::vector<std::pair<int, int>> columns_fields; // assigned before Finish
        const char* message;
    };
    const Step steps[] = {
        {{}, "Column definitions are incomplete"},
        {{{0, 1}, {2, 1}}, "Columns 1 and 3 are both defined as Frequency"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.message);
        for (const auto& [column, field] : step.columns_fields) {
            assign(column, field);
        }
        presenter.shown.clear();
        click(ImportTextDlg::IDC_NEXT);
        ASSERT_EQ(presenter.shown.size(), 1u);
        EXPECT_EQ(presenter.last().caption, "Data entry error");
        EXPECT_EQ(presenter.last().text, step.message);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->page(), 2);
    }
    assign(2, 0);
    assign(1, 2);
    EXPECT_EQ(format->column_assignment, (std::vector<int32_t>{1, 2, 0}));
    EXPECT_EQ(forecast(), "2 lines will be imported: lines 2 to 3. Line 4 ends the import, as "
                          "its fields do not all convert: \u201cend,1,c\u201d");
    presenter.shown.clear();
    click(ImportTextDlg::IDC_NEXT);
    EXPECT_TRUE(presenter.shown.empty());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(first_line_fields(), (std::vector<std::string>{"100", "-50"}));
    // Kind -1 names no settings key: nothing is stored.
    EXPECT_FALSE(std::filesystem::exists(settings_path));
}

TEST_F(ImportDialog, StoredChoicesOnlyForAKindThatNamesAKey) {
    const char* text = "a;b\n1;2\n";
    for (const int kind : {static_cast<int>(IDS_IMPORT_TEXT_FILE), -1}) {
        SCOPED_TRACE(kind);
        write_settings("");
        open(text, kind);
        type_start_line("2");
        click(ImportTextDlg::IDC_NEXT);
        click(ImportTextDlg::IDC_SEMICOLON);
        click(ImportTextDlg::IDC_NEXT);
        assign(1, 1);
        click(ImportTextDlg::IDC_NEXT);
        ASSERT_EQ(dialog->result(), QDialog::Accepted);

        const bool stored = kind != -1;
        EXPECT_EQ(settings(), stored ? "[Import text file]\r\nImport text file="
                                       "11,2,2,0,1,0,1,59,124,2,0,1,\r\n"
                                     : "");
        // The next import starts from them, or from the defaults.
        open(text, kind);
        EXPECT_EQ(control<QSpinBox>(ImportTextDlg::IDC_LINE_START)->value(), stored ? 2 : 1);
        EXPECT_EQ(control<QRadioButton>(ImportTextDlg::IDC_SEMICOLON)->isChecked(), stored);
        EXPECT_EQ(control<QRadioButton>(ImportTextDlg::IDC_COMMA)->isChecked(), !stored);
        // The stored columns stay through the pages.
        click(ImportTextDlg::IDC_NEXT);
        click(ImportTextDlg::IDC_NEXT);
        EXPECT_EQ(format->column_assignment, stored ? (std::vector<int32_t>{0, 1})
                                                    : std::vector<int32_t>{0});
    }
}

TEST_F(ImportDialog, FixedWidthPaneTogglesBoundaries) {
    open("  1.0  20.0\n  2.0  30.0\n");
    click(ImportTextDlg::IDC_FIXED_WIDTH);
    click(ImportTextDlg::IDC_NEXT);
    auto* pane = control<CFixedWin>(ImportTextDlg::IDC_FIXED_PANE);
    EXPECT_FALSE(control<QWidget>(ImportTextDlg::IDC_DELIMITED_PANE)->isVisible());
    const auto click_at = [pane](int position) {
        // A little right of the boundary: the nearest one is taken.
        QTest::mouseClick(pane->viewport(), Qt::LeftButton, {},
                          QPoint(pane->x_of(position) + pane->char_width() / 3,
                                 pane->row_height() * 3));
    };
    click_at(5);
    click_at(8);
    EXPECT_EQ(format->column_starts, (std::vector<int32_t>{0, 5, 8, 11}));
    click_at(8); // removes it
    EXPECT_EQ(format->column_starts, (std::vector<int32_t>{0, 5, 11}));
    // From the keyboard: the caret is where the last click was; Space toggles there.
    QTest::keyClick(pane, Qt::Key_Left);
    QTest::keyClick(pane, Qt::Key_Left);
    QTest::keyClick(pane, Qt::Key_Space);
    EXPECT_EQ(pane->caret(), 6);
    EXPECT_EQ(format->column_starts, (std::vector<int32_t>{0, 5, 6, 11}));
    QTest::keyClick(pane, Qt::Key_Space);
    click_at(0);  // the start of the line is no boundary to set
    click_at(11); // nor is its end
    EXPECT_EQ(format->column_starts, (std::vector<int32_t>{0, 5, 11}));

    click(ImportTextDlg::IDC_NEXT);
    assign(1, 1);
    assign(0, 2);
    click(ImportTextDlg::IDC_NEXT);
    ASSERT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(first_line_fields(), (std::vector<std::string>{"20.0", "1.0"}));
}

TEST_F(ImportDialog, DefinitionSavedLoadsBackIntoTheSameChoices) {
    struct Case {
        const char* name;
        bool fixed;
    };
    const char* text = "head\n 10.0; 5 ;x\n 20.0;;6;y\n";
    for (const Case& c : {Case{"delimited", false}, Case{"fixed", true}}) {
        SCOPED_TRACE(c.name);
        // The choices, made through the controls.
        open(text);
        type_start_line("2");
        if (c.fixed) {
            click(ImportTextDlg::IDC_FIXED_WIDTH);
        }
        click(ImportTextDlg::IDC_NEXT);
        if (c.fixed) {
            format->set_fixed_column(6);
            format->set_fixed_column(9);
        } else {
            click(ImportTextDlg::IDC_SEMICOLON);
            click(ImportTextDlg::IDC_QUOTES);
            click(ImportTextDlg::IDC_CONSECUTIVE);
        }
        click(ImportTextDlg::IDC_NEXT);
        assign(0, 2);
        assign(2, 1);
        Scripted_File_Dialogs files;
        const std::string path = dir.file(std::string(c.name) + ".id5");
        files.choose({path});
        click(ImportTextDlg::IDC_SAVE_DEFINITIONS);
        const Import_Definition chosen = format->record;
        const std::vector<int32_t> assignment = format->column_assignment;
        const std::vector<int32_t> starts = format->column_starts;
        ASSERT_EQ(files.seen.size(), 1u);
        EXPECT_EQ(files.seen[0].title, "Save text import definition file");
        EXPECT_EQ(files.seen[0].filters, QStringList{"import definition files (*.id5)"});
        EXPECT_EQ(files.seen[0].default_suffix, "id5");

        // A fresh import loads them: the controls and the engine show the same choices.
        open(text);
        files.choose({path});
        click(ImportTextDlg::IDC_LOAD_DEFINITIONS);
        ASSERT_EQ(files.seen.size(), 2u);
        EXPECT_EQ(files.seen[1].title, "Load text import definition file");
        EXPECT_EQ(control<QSpinBox>(ImportTextDlg::IDC_LINE_START)->value(), 2);
        EXPECT_EQ(control<QRadioButton>(ImportTextDlg::IDC_FIXED_WIDTH)->isChecked(), c.fixed);
        EXPECT_EQ(control<QRadioButton>(ImportTextDlg::IDC_SEMICOLON)->isChecked(), !c.fixed);
        EXPECT_EQ(control<QCheckBox>(ImportTextDlg::IDC_QUOTES)->isChecked(), c.fixed);
        EXPECT_EQ(control<QCheckBox>(ImportTextDlg::IDC_CONSECUTIVE)->isChecked(), !c.fixed);
        EXPECT_EQ(std::memcmp(&format->record, &chosen, sizeof chosen), 0);
        EXPECT_EQ(format->column_assignment, assignment);
        EXPECT_EQ(format->column_starts, starts);
        click(ImportTextDlg::IDC_NEXT);
        click(ImportTextDlg::IDC_NEXT);
        click(ImportTextDlg::IDC_NEXT);
        ASSERT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_EQ(first_line_fields(),
                  c.fixed ? (std::vector<std::string>{";x", "10.0;"})
                          : (std::vector<std::string>{"x", " 10.0"}));

        // A definition of another kind is refused and changes nothing.
        dialog.reset();
        format = std::make_unique<txtimport_format>(nullptr, nullptr, 2, 7, false);
        format->set_text(&handler, text);
        dialog = std::make_unique<ImportTextDlg>(ImportTextDlg::IDD_IMPORT_TEXT, nullptr,
                                                 format.get());
        dialog->show();
        files.choose({path});
        click(ImportTextDlg::IDC_LOAD_DEFINITIONS);
        EXPECT_NE(presenter.last().text.find("Wrong type of text import definition file"),
                  std::string::npos)
            << presenter.last().text;
        EXPECT_EQ(control<QSpinBox>(ImportTextDlg::IDC_LINE_START)->value(), 1);
        EXPECT_TRUE(control<QRadioButton>(ImportTextDlg::IDC_DELIMITED)->isChecked());
        EXPECT_TRUE(control<QRadioButton>(ImportTextDlg::IDC_COMMA)->isChecked());
        EXPECT_EQ(format->column_count, 0);
    }
}

TEST_F(ImportDialog, OddTextsGoThroughEveryPage) {
    const std::string long_line(1 << 20, '7');
    const std::string texts[] = {
        long_line + "," + long_line,                  // a megabyte a field, no line end
        "1,2\r3,4\r5,6\r",                           // CR-only line ends
        "\xEF\xBB\xBF" "x,y\n1,2\n",                  // a byte order mark
        std::string(5000, ',') + "\n1\n",            // more columns than a layout keeps
        "\x1E\x1F\t\x7F\x81\xFF,\x90\n",                 // control and unassigned bytes
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text.substr(0, 20));
        open(text.c_str());
        for (int page = 0; page < 3; ++page) {
            EXPECT_FALSE(dialog->grab().isNull());
            click(ImportTextDlg::IDC_NEXT);
        }
        EXPECT_LE(format->column_count, txtimport_format::max_columns);
    }
}

TEST_F(ImportDialog, PasteTakesTheClipboardOnlyAsFileText) {
    open(nullptr);
    auto* paste = control<QPushButton>(ImportTextDlg::IDC_PASTE);
    EXPECT_TRUE(paste->isVisible());
    QApplication::clipboard()->setText(QStringLiteral("x;y\r\n1;2\r\n\u00b0C;3\r\n"));
    click(ImportTextDlg::IDC_PASTE);
    ASSERT_EQ(format->display_line_count, 3);
    EXPECT_STREQ(format->display_lines[2], "\xB0" "C;3");

    // A character the files cannot hold refuses the whole text; the lines stay.
    QApplication::clipboard()->setText(QStringLiteral("1;2\n3\u2192;4\n"));
    presenter.shown.clear();
    click(ImportTextDlg::IDC_PASTE);
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_NE(presenter.last().text.find("U+2192"), std::string::npos) << presenter.last().text;
    EXPECT_EQ(format->lines.count(), 3);

    // A named source offers no paste.
    dir.write("curve.txt", "1,2\n");
    dialog.reset();
    format = std::make_unique<txtimport_format>(&handler, dir.file("curve.txt").c_str(), 2, -1,
                                                false);
    dialog = std::make_unique<ImportTextDlg>(ImportTextDlg::IDD_IMPORT_TEXT, nullptr,
                                             format.get());
    dialog->show();
    EXPECT_FALSE(control<QPushButton>(ImportTextDlg::IDC_PASTE)->isVisible());
}

} // namespace
