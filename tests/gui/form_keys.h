// Driving a keyword form as a user does: keys go to the cell's editor or choice list while one
// is open, otherwise to the form; pastes go through the clipboard.
#pragma once

#include "keyword_form.h"
#include "mode_editor.h"
#include "qt_file_text.h"
#include "gui_test_support.h"
#include "test_support.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QUndoStack>

#include <memory>
#include <random>
#include <string>

namespace kelvor_test {

// A mode editor shown at 1100 x 800 with its form, over its own settings file.
template <class Editor>
class Editor_Form_Test : public Gui_Test {
protected:
    void SetUp() override {
        Gui_Test::SetUp();
        editor = std::make_unique<Editor>(nullptr, Editor_Sinks{});
        editor->resize(1100, 800);
        editor->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(editor.get()));
    }
    void TearDown() override {
        editor.reset();
        Gui_Test::TearDown();
    }

    Keyword_Form& form() { return editor->form(); }
    QUndoStack& undo_stack() { return editor->document().undo_stack(); }

    std::unique_ptr<Editor> editor;
};

// Where a key goes now.
inline QWidget* key_target(Keyword_Form& form) {
    if (form.cell_editor() != nullptr) {
        return form.cell_editor();
    }
    if (form.choice_list() != nullptr) {
        return form.choice_list();
    }
    return &form;
}

// Types a file text (Windows-1252) key by key; a character beyond ASCII comes as a key with
// that text, as a keyboard layout gives it.
inline void type_keys(Keyword_Form& form, const std::string& typed) {
    for (const QChar c : from_file_text(typed)) {
        if (c.unicode() < 0x80) {
            QTest::keyClicks(key_target(form), QString(c));
        } else {
            QTest::sendKeyEvent(QTest::Press, key_target(form), Qt::Key_unknown, QString(c), {});
            QTest::sendKeyEvent(QTest::Release, key_target(form), Qt::Key_unknown, QString(c), {});
        }
    }
}

inline void press(Keyword_Form& form, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(key_target(form), key, modifiers);
}

// Selects the cell, types `typed` and ends with Enter; an empty text is typed by clearing the
// cell's text after F2.
inline void enter_text(Keyword_Form& form, int row, const std::string& typed) {
    form.select(row, 0);
    if (typed.empty()) {
        press(form, Qt::Key_F2);
        press(form, Qt::Key_End);
        for (auto length = form.cell_editor() != nullptr ? form.cell_editor()->text().size() : 0;
             length > 0; --length) {
            press(form, Qt::Key_Backspace);
        }
    }
    type_keys(form, typed);
    press(form, Qt::Key_Return);
}

// Pastes a file text with Ctrl+V.
inline void paste_text(Keyword_Form& form, const std::string& text) {
    QApplication::clipboard()->setText(from_file_text(text));
    press(form, Qt::Key_V, Qt::ControlModifier);
}

// One random thing a user does on the current cell: types a random text, pastes one or opens a
// choice list and picks an entry, then ends with Enter, Tab, Down, Escape or a click elsewhere.
inline void random_form_action(Keyword_Form& form, std::mt19937& random) {
    const int rows = form.model().row_count();
    form.select(static_cast<int>(random() % rows), 0);
    const int row = form.current_row();
    if (form.model().row(row).choice) {
        press(form, Qt::Key_Return);
        const int count = static_cast<int>(form.model().choices(row).size());
        if (form.choice_list() != nullptr && count > 0) {
            form.choose(static_cast<int>(random() % count));
        }
        return;
    }
    if (random() % 3 == 0) {
        paste_text(form, random_typed_text(random));
    } else {
        type_keys(form, random_typed_text(random));
    }
    static const Qt::Key endings[] = {Qt::Key_Return, Qt::Key_Tab, Qt::Key_Down, Qt::Key_Escape};
    const auto ending = random() % 5;
    if (ending < 4) {
        press(form, endings[ending]);
    } else {
        form.select(static_cast<int>(random() % rows), 0);
    }
}

} // namespace kelvor_test
