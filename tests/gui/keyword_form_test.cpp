// The keyword form widget over a small model: keys, the cell editor, lists, pastes and finding.
#include "keyword_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <map>
#include <string>

namespace {

enum Sample_Row {
    HEADING,
    NAME,    // text, 5 characters
    LEVELS,  // three number cells: digits and '.'
    MODE,    // a choice
    LOCKED,  // disabled
    COUNT,   // takes no typing
    HEADING_2,
    LAST,
    ROWS
};

class Sample_Model : public Form_Model {
public:
    Form_Key_Style style = Form_Key_Style::cells;
    std::map<std::pair<int, int>, std::string> values;
    int stores = 0;

    int row_count() const override { return ROWS; }
    Form_Row row(int row) const override {
        const auto make = [](const char* label, int cells, bool heading, bool enabled, bool choice,
                             const char* keyword = "") {
            Form_Row shown;
            shown.label = label;
            shown.cells = cells;
            shown.heading = heading;
            shown.enabled = enabled;
            shown.choice = choice;
            shown.keyword = keyword;
            return shown;
        };
        switch (row) {
        case HEADING: return make("Section", 0, true, true, false);
        case NAME: return make("NAME", 1, false, true, false);
        case LEVELS: return make("LEVELS", 3, false, true, false);
        case MODE: return make("MODE", 1, false, true, true);
        case LOCKED: return make("LOCKED", 1, false, false, false);
        case COUNT: return make("COUNT", 1, false, true, false);
        case HEADING_2: return make("Other", 0, true, true, false);
        default: return make("Last row", 1, false, true, false, "LAST_KEYWORD");
        }
    }
    std::string text(int row, int cell) const override {
        const auto found = values.find({row, cell});
        return found == values.end() ? std::string() : found->second;
    }
    bool accepts(int row, int cell, char c) const override {
        (void)cell;
        if (row == LEVELS) {
            return (c >= '0' && c <= '9') || c == '.';
        }
        return row != COUNT;
    }
    int limit(int row, int cell) const override {
        (void)cell;
        return row == NAME ? 5 : row == COUNT ? 0 : 11;
    }
    bool store(int row, int cell, std::string_view text) override {
        ++stores;
        values[{row, cell}] = std::string(text);
        return true;
    }
    std::vector<std::string> choices(int row) const override {
        return row == MODE ? std::vector<std::string>{"Off", "On"} : std::vector<std::string>{};
    }
    bool choose(int row, int index) override {
        values[{row, 0}] = choices(row).at(static_cast<std::size_t>(index));
        return true;
    }
    Form_Key_Style key_style() const override { return style; }
};

struct Form_Fixture : testing::Test {
    Sample_Model model;
    std::unique_ptr<Keyword_Form> form;

    void open() {
        form = std::make_unique<Keyword_Form>(model);
        form->resize(600, 400);
        form->show();
        form->activateWindow();
        form->setFocus();
        QApplication::processEvents();
    }
};

TEST_F(Form_Fixture, TypingStoresOnEnterAndNothingOnEscape) {
    open();
    EXPECT_EQ(form->current_row(), NAME); // the first row the cursor may take
    QTest::keyClicks(form.get(), "abcdefg");
    ASSERT_NE(form->cell_editor(), nullptr);
    EXPECT_EQ(form->cell_editor()->text(), "abcde"); // the editor's limit
    QTest::keyClick(form->cell_editor(), Qt::Key_Return);
    EXPECT_EQ(form->cell_editor(), nullptr);
    EXPECT_EQ(model.text(NAME, 0), "abcde");

    QTest::keyClick(form.get(), Qt::Key_F2);
    ASSERT_NE(form->cell_editor(), nullptr);
    EXPECT_EQ(form->cell_editor()->text(), "abcde");
    QTest::keyClicks(form->cell_editor(), "xy");
    QTest::keyClick(form->cell_editor(), Qt::Key_Escape);
    EXPECT_EQ(form->cell_editor(), nullptr);
    EXPECT_EQ(model.text(NAME, 0), "abcde");
    EXPECT_EQ(model.stores, 1);

    // F2 then Enter without a change stores nothing.
    QTest::keyClick(form.get(), Qt::Key_F2);
    QTest::keyClick(form->cell_editor(), Qt::Key_Return);
    EXPECT_EQ(model.stores, 1);
}

TEST_F(Form_Fixture, RefusedCharactersOpenNoEditorAndNeverReachOne) {
    open();
    QSignalSpy refused(form.get(), &Keyword_Form::refused);
    ASSERT_TRUE(form->select(LEVELS, 1));
    QTest::keyClick(form.get(), Qt::Key_A);
    EXPECT_EQ(form->cell_editor(), nullptr);
    EXPECT_EQ(refused.count(), 1);
    QTest::keyClicks(form.get(), "1x2");
    ASSERT_NE(form->cell_editor(), nullptr);
    EXPECT_EQ(form->cell_editor()->text(), "12");
    EXPECT_EQ(refused.count(), 2);
    // Tab stores and moves on; from the last cell it wraps to the next row the cursor takes.
    QTest::keyClick(form->cell_editor(), Qt::Key_Tab);
    EXPECT_EQ(model.text(LEVELS, 1), "12");
    EXPECT_EQ(form->current_cell(), 2);
    QTest::keyClick(form.get(), Qt::Key_Tab);
    EXPECT_EQ(form->current_row(), MODE);
    QTest::keyClick(form.get(), Qt::Key_Down); // past the disabled row
    EXPECT_EQ(form->current_row(), COUNT);
    QTest::keyClick(form.get(), Qt::Key_1);
    QTest::keyClick(form.get(), Qt::Key_F2);
    EXPECT_EQ(form->cell_editor(), nullptr);
    EXPECT_EQ(refused.count(), 4);
    QTest::keyClick(form.get(), Qt::Key_Down); // past the heading
    EXPECT_EQ(form->current_row(), LAST);
    EXPECT_FALSE(form->select(LOCKED, 0));
    EXPECT_FALSE(form->select(HEADING_2, 0));
    EXPECT_EQ(form->current_row(), LAST);
}

// Keys the cell editor does not take (Ctrl alone, which begins Ctrl+V, or F5) come back up to
// the form, which passed them on: they end there.
TEST_F(Form_Fixture, KeysTheEditorLeavesGoNoFurther) {
    open();
    QTest::keyClicks(form.get(), "ab");
    ASSERT_NE(form->cell_editor(), nullptr);
    QApplication::clipboard()->setText(QStringLiteral("c"));
    QTest::keyClick(form.get(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(form->cell_editor(), Qt::Key_F5);
    QTest::keyClick(form.get(), Qt::Key_Shift);
    ASSERT_NE(form->cell_editor(), nullptr);
    EXPECT_EQ(form->cell_editor()->text(), "abc");
}

TEST_F(Form_Fixture, ChoiceRowsOpenTheirListAndStoreTheChoice) {
    open();
    ASSERT_TRUE(form->select(MODE, 0));
    QTest::keyClick(form.get(), Qt::Key_O); // a typed character does nothing on a list
    EXPECT_EQ(form->cell_editor(), nullptr);
    EXPECT_EQ(form->choice_list(), nullptr);
    QTest::keyClick(form.get(), Qt::Key_Space);
    ASSERT_NE(form->choice_list(), nullptr);
    EXPECT_EQ(form->choice_list()->count(), 2);
    // The list lies over its cell, where its popup drops from.
    EXPECT_EQ(form->choice_list()->geometry().topLeft(), form->cell_rect(MODE, 0).topLeft());
    form->choose(1);
    EXPECT_EQ(form->choice_list(), nullptr);
    EXPECT_EQ(model.text(MODE, 0), "On");
    QTest::keyClick(form.get(), Qt::Key_Return);
    ASSERT_NE(form->choice_list(), nullptr);
    EXPECT_EQ(form->choice_list()->currentIndex(), 1);
    QTest::keyClick(form->choice_list(), Qt::Key_Escape);
    EXPECT_EQ(form->choice_list(), nullptr);
    EXPECT_EQ(model.text(MODE, 0), "On");
}

TEST_F(Form_Fixture, PastesTakeTheFirstLineCutToTheCell) {
    open();
    QSignalSpy refused(form.get(), &Keyword_Form::refused);
    struct Case {
        int row;
        QString clipboard;
        const char* stored; // null: refused
    };
    const Case cases[] = {
        {NAME, "first line\nsecond", "first"},
        {NAME, "12", "12"},
        {NAME, QString::fromUtf8("\u20AC5"), "\x80" "5"}, // the euro sign is a file character
        {NAME, QString::fromUtf8("\u03A9"), nullptr},      // omega is not
        {LEVELS, "3.5\r\n", "3.5"},
        {LEVELS, "-4", nullptr},
        {MODE, "On", nullptr},
        {COUNT, "2", nullptr},
    };
    int refusals = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clipboard.toStdString());
        model.values.clear();
        ASSERT_TRUE(form->select(c.row, 0));
        QApplication::clipboard()->setText(c.clipboard);
        QTest::keyClick(form.get(), Qt::Key_V, Qt::ControlModifier);
        if (c.stored == nullptr) {
            EXPECT_EQ(form->cell_editor(), nullptr);
            EXPECT_EQ(refused.count(), ++refusals);
            continue;
        }
        ASSERT_NE(form->cell_editor(), nullptr);
        QTest::keyClick(form->cell_editor(), Qt::Key_Return);
        EXPECT_EQ(model.text(c.row, 0), c.stored);
    }
    // Ctrl+C copies what the cell shows.
    ASSERT_TRUE(form->select(NAME, 0));
    model.values[{NAME, 0}] = "\x80" "ab";
    QTest::keyClick(form.get(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("\u20ACab"));
}

TEST_F(Form_Fixture, LeavingTheEditorStoresWhatWasTyped) {
    open();
    QTest::keyClicks(form.get(), "ab");
    ASSERT_NE(form->cell_editor(), nullptr);
    // A click on another row stores first.
    const QRect target = form->cell_rect(LEVELS, 2);
    QTest::mouseClick(form->viewport(), Qt::LeftButton, {}, target.center());
    EXPECT_EQ(model.text(NAME, 0), "ab");
    EXPECT_EQ(form->current_row(), LEVELS);
    EXPECT_EQ(form->current_cell(), 2);
    QTest::mouseDClick(form->viewport(), Qt::LeftButton, {}, form->cell_rect(NAME, 0).center());
    ASSERT_NE(form->cell_editor(), nullptr);
    EXPECT_EQ(form->cell_editor()->text(), "ab");
    QTest::keyClick(form->cell_editor(), Qt::Key_Backspace);
    form->commit_edit(); // a menu command
    EXPECT_EQ(model.text(NAME, 0), "a");
    // A refresh (Undo, a file opened) drops an open editor.
    QTest::keyClicks(form.get(), "z");
    form->refresh();
    EXPECT_EQ(form->cell_editor(), nullptr);
    EXPECT_EQ(model.text(NAME, 0), "a");
}

TEST_F(Form_Fixture, RowsKeyStyleAndFind) {
    model.style = Form_Key_Style::rows;
    open();
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int row;
    } steps[] = {
        {Qt::Key_Right, {}, LEVELS}, {Qt::Key_Tab, {}, MODE},        {Qt::Key_Left, {}, LEVELS},
        {Qt::Key_Backtab, Qt::ShiftModifier, NAME}, {Qt::Key_End, {}, LAST}, {Qt::Key_Home, {}, NAME},
    };
    for (const auto& step : steps) {
        QTest::keyClick(form.get(), step.key, step.modifiers);
        EXPECT_EQ(form->current_row(), step.row);
    }
    EXPECT_TRUE(form->find("keyw")); // the keyword of a row labelled otherwise
    EXPECT_EQ(form->current_row(), LAST);
    form->select(NAME, 0);
    EXPECT_TRUE(form->find("last r"));
    EXPECT_EQ(form->current_row(), LAST);
    EXPECT_FALSE(form->find("locked")); // a disabled row is not found
    EXPECT_FALSE(form->find("nothing"));
    EXPECT_EQ(form->current_row(), LAST);
    QTest::keyClick(form.get(), Qt::Key_F, Qt::ControlModifier);
    auto* box = form->findChild<QLineEdit*>("form_find");
    ASSERT_NE(box, nullptr);
    QTest::keyClicks(box, "lev");
    EXPECT_EQ(form->current_row(), LEVELS);
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_FALSE(box->isVisible());
}

TEST_F(Form_Fixture, ScrollingKeepsTheCursorInViewAndCellsShareTheWidth) {
    open();
    form->resize(600, form->row_height() * 3 + 2 * form->frameWidth());
    QApplication::processEvents();
    EXPECT_EQ(form->cursor().rows_per_page(), 3);
    QTest::keyClick(form.get(), Qt::Key_End);
    EXPECT_EQ(form->verticalScrollBar()->value(), form->cursor().first_visible_row());
    EXPECT_GE(form->cursor().last_visible_row(), LAST);
    EXPECT_FALSE(form->cell_rect(NAME, 0).isValid()); // scrolled out
    form->verticalScrollBar()->setValue(0);
    EXPECT_EQ(form->cursor().first_visible_row(), 0);
    EXPECT_EQ(form->current_row(), LAST); // the bar scrolls without moving the cursor

    const QRect first = form->cell_rect(LEVELS, 0);
    const QRect third = form->cell_rect(LEVELS, 2);
    EXPECT_EQ(first.left(), form->label_width());
    EXPECT_LE(std::abs(first.width() - third.width()), 1);
    EXPECT_EQ(form->cell_at(LEVELS, third.center().x()), 2);
    EXPECT_EQ(form->cell_at(NAME, 2), -1); // the label column
    EXPECT_EQ(form->row_height(), QFontMetrics(form->viewport()->font()).height() + 6);
}

} // namespace
