// The version 5 curve editor: its New dialog, the codes field, writing curves back, and View >
// Curves as one undo step whose curves survive saving.
#include "command_ids.h"
#include "create_new_curve_dlg.h"
#include "dbl2_frame.h"
#include "error_handler.h"
#include "gui_test_support.h"
#include "radio_curve_edit.h"
#include "radio_record.h"
#include "raf_format.h"
#include "rsd_format.h"
#include "v5_radio_file_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTest>
#include <QTimer>

#include <string>
#include <vector>

using namespace kelvor_test;

namespace {

constexpr const char* data_entry_caption = "Data entry error";

std::vector<Curve_Pair> pairs_of(const Radio_Curve& curve) {
    const Curve_Points points = curve_points_of(curve);
    return {points.points().begin(), points.points().end()};
}

// Pastes `text` (pairs, one a line) into the editor's grid, as Ctrl+V does.
void paste_into(CurveEditWindow& editor, const char* text) {
    QGuiApplication::clipboard()->setText(QString::fromLatin1(text));
    QTest::keyClick(editor.grid(), Qt::Key_V, Qt::ControlModifier);
}

// Chooses the list entry `text` as the user does.
void choose(CurveEditWindow& editor, const QString& text) {
    auto* list = qobject_cast<QComboBox*>(editor.control(CurveEditWindow::IDC_CURVE_LIST));
    const int index = list->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    list->setCurrentIndex(index);
    editor.OnSelchangeCurveList();
}

QString list_text(const CurveEditWindow& editor) {
    return qobject_cast<QComboBox*>(editor.control(CurveEditWindow::IDC_CURVE_LIST))
        ->currentText();
}

class RadioCurveEditor : public Gui_Test {
protected:
    void load(const char* name) {
        Error_Handler handler;
        read_raf_file(record, example(std::string("radio/") + name).c_str(), &handler);
    }
    std::unique_ptr<RadioCurveEdit> open_editor() {
        auto editor = std::make_unique<RadioCurveEdit>(record);
        editor->show();
        return editor;
    }

    Scripted_Presenter presenter;
    Radio_Record record;
};

TEST_F(RadioCurveEditor, NewDialogOffersTheFreeTypesAndProposesTheFirstFreeState) {
    record.curves.add_curve(CURVE_TTOI_SAME, "");
    record.curves.add_curve(state_curve_type(State_Family::tx_emission, 1), "");
    record.curves.add_curve(state_curve_type(State_Family::tx_emission, 2), "QAM16");
    CreateNewCurveDlg dialog(record.curves);

    EXPECT_FALSE(dialog.type_button(101)->isEnabled());
    EXPECT_TRUE(dialog.type_button(102)->isChecked());
    QRadioButton* tx = dialog.type_button(CreateNewCurveDlg::IDC_TX_EMISSION_STATE);
    QSpinBox* tx_spin = dialog.spin(CreateNewCurveDlg::IDC_TX_EMISSION_SPIN);
    EXPECT_EQ(tx->text(), "TX_EMISSION_03");
    EXPECT_TRUE(tx->isEnabled());
    EXPECT_EQ(tx_spin->text(), "03");
    EXPECT_EQ(dialog.type_button(CreateNewCurveDlg::IDC_RX_SELECTIVITY_STATE)->text(),
              "RX_SELECTIVITY_01");

    struct Step {
        int number;
        const char* text;
        bool enabled;
    };
    for (const Step& step : {Step{2, "TX_EMISSION_02", false}, Step{1, "TX_EMISSION_01", false},
                             Step{4, "TX_EMISSION_04", true}}) {
        tx_spin->setValue(step.number);
        EXPECT_EQ(tx->text(), step.text);
        EXPECT_EQ(tx->isEnabled(), step.enabled) << step.number;
    }
}

TEST_F(RadioCurveEditor, NewDialogDisablesAFullFamily) {
    for (int number = 1; number <= 99; ++number) {
        record.curves.add_curve(state_curve_type(State_Family::rx_selectivity, number), "");
    }
    CreateNewCurveDlg dialog(record.curves);
    EXPECT_FALSE(dialog.type_button(CreateNewCurveDlg::IDC_RX_SELECTIVITY_STATE)->isEnabled());
    EXPECT_FALSE(dialog.spin(CreateNewCurveDlg::IDC_RX_SELECTIVITY_SPIN)->isEnabled());
    EXPECT_TRUE(dialog.type_button(CreateNewCurveDlg::IDC_TX_EMISSION_STATE)->isEnabled());
    EXPECT_TRUE(dialog.type_button(101)->isChecked());
}

TEST_F(RadioCurveEditor, NewDialogRefusesAnExistingStateAndAMissingRadioCode) {
    record.curves.add_curve(state_curve_type(State_Family::tx_emission, 1), "");
    CreateNewCurveDlg dialog(record.curves);
    dialog.show();

    // Checked while free, then spun onto a number in use.
    dialog.type_button(CreateNewCurveDlg::IDC_TX_EMISSION_STATE)->setChecked(true);
    dialog.spin(CreateNewCurveDlg::IDC_TX_EMISSION_SPIN)->setValue(1);
    dialog.accept();
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.last().caption, data_entry_caption);
    EXPECT_EQ(presenter.last().text, "This curve type already exists.");
    EXPECT_TRUE(dialog.isVisible());

    dialog.type_button(104)->setChecked(true); // IRF_Other
    dialog.code_edit()->setText(QStringLiteral("  "));
    dialog.accept();
    ASSERT_EQ(presenter.shown.size(), 2u);
    EXPECT_EQ(presenter.last().caption, data_entry_caption);
    EXPECT_EQ(presenter.last().text,
              "The interfering radio code must be specified for this type of curve.");
    EXPECT_TRUE(dialog.isVisible());

    dialog.code_edit()->setText(QStringLiteral(" R9, R10 "));
    dialog.accept();
    EXPECT_EQ(presenter.shown.size(), 2u);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.choice().type, CURVE_IRF_OTHER);
    EXPECT_EQ(dialog.choice().code_text, "R9, R10");
}

TEST_F(RadioCurveEditor, NewCreatesTheCurveAndShowsItWithItsCodes) {
    load("hx23_am_56m.raf");
    auto editor = open_editor();
    struct Case {
        New_Radio_Curve chosen;
        const char* listed;
        const char* codes;
    };
    const Case cases[] = {
        {{CURVE_TTOI_OTHER, "R5, R6"}, "TtoI_Other - R5", "R5, R6"},
        {{state_curve_type(State_Family::tx_emission, 2), "QAM64"}, "TX_EMISSION_02", "QAM64"},
        {{CURVE_RX_FILTER, ""}, "RX_FILTER", ""},
    };
    for (const Case& c : cases) {
        editor->set_new_dialog([&c](const Radio_Curve_List&, QWidget*) { return c.chosen; });
        editor->OnNew();
        ASSERT_GE(editor->current_curve(), 0);
        EXPECT_STREQ(record.curves[editor->current_curve()].name, c.listed);
        EXPECT_EQ(list_text(*editor), c.listed);
        EXPECT_EQ(editor->codes_field()->text(), c.codes);
        EXPECT_EQ(editor->points().count(), 0);
    }
    EXPECT_EQ(record.curves.count(), 9);
    EXPECT_TRUE(editor->record_changed());
}

TEST_F(RadioCurveEditor, TheCodesFieldGivesTheCodesAndRenamesWhenTheCurveIsLeft) {
    load("nl180_18g_28m.raf");
    auto editor = open_editor();
    const QString other = QStringLiteral("TtoI_Other - NL90_18G_14M");
    choose(*editor, other);
    QLineEdit* codes = editor->codes_field();
    EXPECT_EQ(codes->text(), "NL90_18G_14M, SK18-28");
    EXPECT_TRUE(codes->isEnabled());

    codes->clear();
    QTest::keyClicks(codes, QStringLiteral(" SK99 , ,NL90_18G_14M,") + QString(48, 'L'));
    choose(*editor, QStringLiteral("TX_EMISSION"));
    const int renamed = record.curves.find_first(CURVE_TTOI_OTHER);
    EXPECT_STREQ(record.curves[renamed].name, "TtoI_Other - SK99");
    EXPECT_EQ(record.curves[renamed].interfering_codes,
              (std::vector<std::string>{"SK99", "NL90_18G_14M"}));
    EXPECT_TRUE(editor->record_changed());
    EXPECT_EQ(codes->text(), "");
    EXPECT_FALSE(codes->isEnabled());

    // Left without a code the curve keeps its codes, and the user is told why.
    choose(*editor, QStringLiteral("TtoI_Other - SK99"));
    codes->clear();
    QTest::keyClicks(codes, QStringLiteral(" , "));
    choose(*editor, QStringLiteral("TtoI_Same"));
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.last().text,
              "The interfering radio code must be specified for this type of curve.");
    EXPECT_EQ(record.curves[renamed].interfering_codes,
              (std::vector<std::string>{"SK99", "NL90_18G_14M"}));
}

TEST_F(RadioCurveEditor, ACurveKeepsItsPointsWhenTheGridHoldsFewerThanTwo) {
    load("hx23_am_56m.raf");
    auto editor = open_editor();
    choose(*editor, QStringLiteral("TtoI_Same"));
    const int ttoi = editor->current_curve();
    QTest::keyClick(editor->grid(), Qt::Key_Y, Qt::ControlModifier);
    QTest::keyClick(editor->grid(), Qt::Key_Y, Qt::ControlModifier);
    ASSERT_EQ(editor->points().count(), 1);
    editor->OnOK();
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.last().text,
              "A curve needs at least 2 points.\r\nTtoI_Same keeps its 3 points; delete the "
              "curve to remove it.");
    EXPECT_EQ(record.curves[ttoi].point_count(), 3);
    EXPECT_FALSE(editor->record_changed());
}

TEST_F(RadioCurveEditor, OkWithoutACurveReportsTheRecordChanged) {
    {
        auto editor = open_editor();
        EXPECT_EQ(editor->current_curve(), -1);
        EXPECT_FALSE(editor->codes_field()->isEnabled());
        editor->OnOK();
        EXPECT_TRUE(editor->record_changed());
    }
    load("hx23_am_56m.raf");
    auto editor = open_editor();
    editor->OnOK();
    EXPECT_FALSE(editor->record_changed());
}

TEST_F(RadioCurveEditor, TheChartShowsTheEmissionWithTheSelectivityOfItsKind) {
    load("hx23_am_56m.raf");
    auto editor = open_editor();
    struct Case {
        const char* shown;
        const char* overlay; // nullptr: none
        std::size_t overlay_points;
    };
    const Case cases[] = {
        {"TX_EMISSION", "RX_SELECTIVITY", 5},
        {"RX_SELECTIVITY_04 - 256QAM", "TX_EMISSION_04 - 256QAM", 4},
        {"TX_EMISSION_01 - QPSK", nullptr, 0},
        {"TtoI_Same", nullptr, 0},
    };
    for (const Case& c : cases) {
        choose(*editor, QString::fromLatin1(c.shown));
        const std::vector<Chart_Overlay>& overlays = editor->chart()->overlays();
        if (c.overlay == nullptr) {
            EXPECT_TRUE(overlays.empty()) << c.shown;
            continue;
        }
        ASSERT_EQ(overlays.size(), 1u) << c.shown;
        EXPECT_EQ(overlays[0].name, c.overlay);
        EXPECT_EQ(overlays[0].points.size(), c.overlay_points);
    }
}

TEST_F(RadioCurveEditor, TheGridIsAsWideAsItsColumnsUntilAWidthIsRemembered) {
    load("hx23_am_56m.raf");
    {
        auto editor = open_editor();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(editor.get()));
        EXPECT_EQ(editor->grid()->width(), editor->grid()->sizeHint().width());
        auto* splitter = qobject_cast<QSplitter*>(editor->grid()->parentWidget());
        ASSERT_NE(splitter, nullptr);
        splitter->setSizes({400, splitter->width() - 400});
        editor->OnOK();
    }
    auto editor = open_editor();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(editor.get()));
    EXPECT_EQ(editor->grid()->width(), 400);
}

// View > Curves with the editor driven once it runs: `work` edits, then OK closes it.
class RadioCurveCommand : public Gui_Test {
protected:
    void SetUp() override {
        Gui_Test::SetUp();
        view = std::make_unique<V5RadioFileEdit>(nullptr, Editor_Sinks{});
        const std::string path = dir.write("hx23.raf", read_bytes(example("radio/hx23_am_56m.raf")));
        ASSERT_TRUE(view->document().open_path(path));
    }
    void TearDown() override {
        view.reset();
        Gui_Test::TearDown();
    }

    void view_curves(const std::function<void(RadioCurveEdit&)>& work) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto* editor = qobject_cast<RadioCurveEdit*>(QApplication::activeModalWidget());
            if (editor == nullptr) {
                return;
            }
            ran = true;
            work(*editor);
            editor->OnOK();
        });
        view->handle_command(ID_VIEW_CURVES);
        EXPECT_TRUE(ran);
    }
    Radio_Record& record() { return view->document().record(); }

    Scripted_Presenter presenter;
    Scripted_File_Dialogs dialogs;
    std::unique_ptr<V5RadioFileEdit> view;
};

TEST_F(RadioCurveCommand, AnEditIsOneUndoStepAndNoneWithoutChanges) {
    QUndoStack& undo = view->document().undo_stack();
    view_curves([](RadioCurveEdit&) {});
    EXPECT_EQ(undo.count(), 0);
    EXPECT_FALSE(view->document().modified());

    view_curves([](RadioCurveEdit& editor) {
        paste_into(editor, "150.5\t-80.25\n");
        choose(editor, QStringLiteral("RX_SELECTIVITY"));
        paste_into(editor, "150\t-90\n");
    });
    ASSERT_EQ(undo.count(), 1);
    EXPECT_EQ(undo.undoText(), "Edit Curves");
    EXPECT_TRUE(view->document().modified());
    EXPECT_EQ(record().curves[0].point_count(), 7);
    EXPECT_EQ(record().curves[1].point_count(), 6);

    view->handle_command(ID_EDIT_UNDO);
    EXPECT_EQ(record().curves[0].point_count(), 6);
    EXPECT_EQ(record().curves[1].point_count(), 5);
    EXPECT_FALSE(view->document().modified());
}

TEST_F(RadioCurveCommand, AnEditedCurveRoundTripsThroughRafAndRsd) {
    view_curves([](RadioCurveEdit& editor) {
        choose(editor, QStringLiteral("RX_SELECTIVITY_04 - 256QAM"));
        QTest::keyClick(editor.grid(), Qt::Key_Y, Qt::ControlModifier); // 0 MHz goes
        paste_into(editor, "-12.5\t-1.25\n64.75\t-60.5\n");
    });
    const std::vector<Curve_Pair> expected = {
        {-12.5, -1.25}, {25.6, -3.0}, {32.0, -28.0}, {64.75, -60.5}, {112.0, -78.0}};
    const int edited = record().curves.find_first(state_curve_type(State_Family::rx_selectivity, 4));
    ASSERT_GE(edited, 0);
    ASSERT_EQ(pairs_of(record().curves[edited]), expected);

    for (const auto& [name, format] :
         {std::pair{"saved.raf", File_Document::Format::ascii},
          std::pair{"saved.rsd", File_Document::Format::binary}}) {
        dialogs.choose({dir.file(name)});
        ASSERT_TRUE(view->document().save_as(format)) << name;
        Radio_Record read;
        Error_Handler handler;
        if (format == File_Document::Format::ascii) {
            read_raf_file(read, dir.file(name).c_str(), &handler);
        } else {
            read_rsd_file(read, dir.file(name).c_str(), &handler);
        }
        const int found =
            read.curves.find_first(state_curve_type(State_Family::rx_selectivity, 4));
        ASSERT_GE(found, 0) << name;
        EXPECT_EQ(pairs_of(read.curves[found]), expected) << name;
        EXPECT_EQ(read.curves[found].interfering_codes, std::vector<std::string>{"256QAM"});
    }
}

} // namespace
