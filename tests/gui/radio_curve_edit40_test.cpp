// The version 4 curve editor: its New dialog's rules on screen, Delete with the listed name,
// and View > Curves as one undo step whose edits reach the saved files.
#include "command_ids.h"
#include "create_new_curve40_dlg.h"
#include "dbl2_frame.h"
#include "error_handler.h"
#include "gui_test_support.h"
#include "import_text_dlg.h"
#include "import_text_panes.h"
#include "radio4_format.h"
#include "radio4_record.h"
#include "radio_curve_edit40.h"
#include "v4_radio_file_edit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace kelvor_test;

namespace {

constexpr const char* example_mrs = "radio/hm6l_16e1q.mrs";

Radio4_Record read_example() {
    Radio4_Record record;
    Error_Handler handler;
    read_mrs_file(record, example(example_mrs).c_str(), &handler);
    return record;
}

std::vector<std::string> curve_names(const Radio4_Record& record) {
    std::vector<std::string> names;
    for (const Radio4_Curve& curve : record.curves) {
        names.push_back(radio4_text(curve.name));
    }
    return names;
}

std::vector<Curve_Pair> pairs_of(const Curve_Points& points) {
    return {points.points().begin(), points.points().end()};
}

class Radio4CurveEditor : public Gui_Test {
protected:
    std::unique_ptr<RadioCurveEdit40> open_editor(Radio4_Record& record) {
        auto editor = std::make_unique<RadioCurveEdit40>(nullptr, record);
        editor->show();
        editor->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(editor.get()));
        return editor;
    }
    // Types `keys` into the grid as the user would, then Return.
    static void type_cell(RadioCurveEdit40& editor, const char* keys) {
        editor.grid()->setFocus();
        for (const char* c = keys; *c != '\0'; ++c) {
            QTest::keyClick(QApplication::focusWidget(), *c);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }

    Scripted_Presenter presenter;
    Scripted_File_Dialogs dialogs;
};

template <class Control>
Control* control_of(const CreateNewCurve40Dlg& dialog, int id) {
    auto* found = qobject_cast<Control*>(dialog.control(id));
    EXPECT_NE(found, nullptr) << id;
    return found;
}

TEST_F(Radio4CurveEditor, TheNewDialogDisablesTheTypesTheRecordHasAndShowsItsTrafficCode) {
    Radio4_Record record = read_example();
    ASSERT_EQ(curve_names(record),
              (std::vector<std::string>{"TtoI_16E1-QPSK", "TtoI_8E1-QPSK", "TtoI_CW",
                                        "IRF_16E1-QPSK", "TX_EMISSION", "RX_SELECTIVITY"}));
    {
        CreateNewCurve40Dlg dialog(nullptr, record);
        EXPECT_EQ(dialog.windowTitle(), "Create New Radio Curve");
        const bool enabled[] = {true, true, false, false, false, true, true};
        for (int id = 101; id <= 107; ++id) {
            auto* button = control_of<QAbstractButton>(dialog, id);
            EXPECT_EQ(button->isEnabled(), enabled[id - 101]) << id;
            EXPECT_EQ(button->isChecked(), id == 101) << id;
        }
        EXPECT_EQ(control_of<QAbstractButton>(dialog, 104)->text(), "TX EMISSION");
        EXPECT_EQ(control_of<QLineEdit>(dialog, 108)->maxLength(), 15);
        EXPECT_EQ(control_of<QLabel>(dialog, 109)->text(), "16E1-QPSK");
    }
    std::memset(record.radio_spec.modulation, 0, sizeof record.radio_spec.modulation);
    CreateNewCurve40Dlg dialog(nullptr, record);
    EXPECT_EQ(control_of<QLabel>(dialog, 109)->text(), "Not specified");
}

// OK of the New dialog refuses a second IRF curve of an existing code (ignoring case) and an
// empty code, and stays open; an accepted name becomes a new, empty, selected curve.
TEST_F(Radio4CurveEditor, NewRefusesAnExistingIrfCodeAndAnEmptyOneThenAppendsTheCurve) {
    Radio4_Record record = read_example();
    auto editor = open_editor(record);
    std::vector<Shown_Message> refusals;
    editor->set_dialog_runner([&](QDialog& shown) {
        auto& dialog = static_cast<CreateNewCurve40Dlg&>(shown);
        control_of<QAbstractButton>(dialog, CreateNewCurve40Dlg::IDC_IRF)->click();
        auto* code = control_of<QLineEdit>(dialog, CreateNewCurve40Dlg::IDC_TRAFFIC_CODE);
        for (const char* typed : {"16e1-qpsk", "  ", "8E1-QPSK"}) {
            code->setText(QString::fromLatin1(typed));
            dialog.OnOK();
            if (dialog.result() != QDialog::Accepted) {
                refusals.push_back(presenter.last());
            }
        }
        return dialog.result();
    });
    editor->OnNew();
    ASSERT_EQ(refusals.size(), 2u);
    EXPECT_EQ(refusals[0].caption, "Curve Type Error");
    EXPECT_EQ(refusals[0].text, "This curve identifier already exists.\r\nIRF_16e1-qpsk");
    EXPECT_EQ(refusals[1].caption, "Curve Type Error");
    EXPECT_EQ(refusals[1].text, "A traffic code must be specified.");

    ASSERT_EQ(record.curves.count(), 7);
    EXPECT_EQ(radio4_text(record.curves.back().name), "IRF_8E1-QPSK");
    EXPECT_EQ(editor->current_curve(), 6);
    EXPECT_EQ(editor->entries().back().text, "IRF_8E1-QPSK");
    EXPECT_EQ(static_cast<QComboBox*>(editor->control(CurveEditWindow::IDC_CURVE_LIST))
                  ->currentText(),
              "IRF_8E1-QPSK");
    EXPECT_EQ(editor->points().count(), 0);

    // A single point cannot be a curve: the new curve stays empty and the user is told.
    type_cell(*editor, "1");
    type_cell(*editor, "2");
    ASSERT_EQ(editor->points().count(), 1);
    editor->OnOK();
    EXPECT_EQ(record.curves.back().point_count(), 0);
    EXPECT_EQ(presenter.last().text,
              "The IRF_8E1-QPSK curve needs at least 2 points.\r\nIt keeps the 0 points it had.");
    EXPECT_TRUE(editor->record_changed());
}

// The question names the curve as the list shows it; No keeps it, Yes unlinks it at once.
TEST_F(Radio4CurveEditor, DeleteAsksWithTheListedNameAndUnlinksTheCurve) {
    Radio4_Record record;
    record.append_curve().set_name("IRF_\xE9t\xE9");
    auto editor = open_editor(record);
    ASSERT_EQ(editor->current_curve(), 0);
    presenter.answers = {ID_NO};
    editor->OnDelete();
    EXPECT_EQ(presenter.last().caption, "Delete Curve");
    EXPECT_EQ(presenter.last().text,
              "Delete IRF_\xC3\xA9t\xC3\xA9 Curve?\r\nThis delete cannot be undone");
    EXPECT_EQ(record.curves.count(), 1);
    presenter.answers = {ID_YES};
    editor->OnDelete();
    EXPECT_EQ(record.curves.count(), 0);
    EXPECT_EQ(editor->current_curve(), -1);
    EXPECT_TRUE(editor->entries().empty());
    EXPECT_TRUE(editor->record_changed());
}

class Radio4CurvesCommand : public Radio4CurveEditor {
protected:
    void SetUp() override {
        Radio4CurveEditor::SetUp();
        edit = std::make_unique<V4RadioFileEdit>(nullptr, Editor_Sinks{});
        ASSERT_TRUE(edit->document().open_path(
            dir.write("hm6l.mrs", read_bytes(example(example_mrs)))));
    }
    void TearDown() override {
        edit.reset();
        Radio4CurveEditor::TearDown();
    }
    std::unique_ptr<V4RadioFileEdit> edit;
};

// View > Curves edits a copy: a deletion in the editor is one undo step of the document, taken
// back by Undo; an editor closed without a change pushes nothing.
TEST_F(Radio4CurvesCommand, ViewCurvesIsOneUndoStep) {
    V4_Radio_Document& document = edit->document();
    const std::vector<std::string> before = curve_names(document.record());
    EXPECT_TRUE(edit->command_available(ID_VIEW_CURVES));

    edit->set_curve_editor_runner([](RadioCurveEdit40& editor) {
        editor.OnOK();
        return editor.record_changed();
    });
    EXPECT_TRUE(edit->handle_command(ID_VIEW_CURVES));
    EXPECT_EQ(document.undo_stack().count(), 0);
    EXPECT_FALSE(document.modified());

    int seen_curves = -1;
    edit->set_curve_editor_runner([&](RadioCurveEdit40& editor) {
        seen_curves = static_cast<int>(editor.entries().size());
        presenter.answers.push_back(ID_YES);
        editor.OnDelete();
        editor.OnOK();
        return editor.record_changed();
    });
    EXPECT_TRUE(edit->handle_command(ID_VIEW_CURVES));
    EXPECT_EQ(seen_curves, 6);
    EXPECT_EQ(presenter.last().text, "Delete TtoI_16E1-QPSK Curve?\r\nThis delete cannot be undone");
    std::vector<std::string> after(before.begin() + 1, before.end());
    EXPECT_EQ(curve_names(document.record()), after);
    ASSERT_EQ(document.undo_stack().count(), 1);
    EXPECT_EQ(document.undo_stack().undoText(), "Edit Curves");
    EXPECT_TRUE(document.modified());

    EXPECT_TRUE(edit->handle_command(ID_EDIT_UNDO));
    EXPECT_EQ(curve_names(document.record()), before);
    EXPECT_FALSE(document.modified());
}

// A point typed in the editor is in the .mrs and the version 4 ASCII files saved afterwards.
TEST_F(Radio4CurvesCommand, AnEditedCurveRoundTripsThroughMrsAndRaf) {
    V4_Radio_Document& document = edit->document();
    std::vector<Curve_Pair> expected;
    edit->set_curve_editor_runner([&](RadioCurveEdit40& editor) {
        editor.show();
        editor.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&editor));
        editor.grid()->setFocus();
        QTest::keyClick(editor.grid(), Qt::Key_Right);
        EXPECT_EQ(editor.grid()->grid().current_column(), 1);
        type_cell(editor, "-7.5");
        expected = pairs_of(editor.points());
        editor.OnOK();
        return editor.record_changed();
    });
    edit->edit_curves();
    ASSERT_EQ(expected.size(), 9u);
    EXPECT_EQ(expected.front(), (Curve_Pair{0, -7.5}));
    EXPECT_EQ(expected[1], (Curve_Pair{7, 21}));

    dialogs.choose({dir.file("edited.mrs")});
    ASSERT_TRUE(document.save(File_Document::Format::binary));
    dialogs.choose({dir.file("edited.raf")});
    ASSERT_TRUE(document.save(File_Document::Format::ascii));
    for (const char* name : {"edited.mrs", "edited.raf"}) {
        Radio4_Record saved;
        Error_Handler handler;
        if (std::string(name).ends_with(".mrs")) {
            read_mrs_file(saved, dir.file(name).c_str(), &handler);
        } else {
            read_raf4_file(saved, dir.file(name).c_str(), &handler);
        }
        ASSERT_FALSE(saved.curves.empty()) << name;
        EXPECT_EQ(radio4_text(saved.curves.front().name), "TtoI_16E1-QPSK") << name;
        EXPECT_EQ(pairs_of(curve_points_of(saved.curves.front())), expected) << name;
    }
}

} // namespace
