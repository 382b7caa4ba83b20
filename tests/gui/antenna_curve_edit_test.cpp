// The antenna pattern editor: the slots it lists, writing cuts back, New, Delete, Import, and
// View > Curves in the antenna mode with its undo step and the saved files.
#include "antenna_curve_edit.h"
#include "antenna_cut_slots.h"
#include "antenna_file_edit.h"
#include "antenna_record.h"
#include "command_ids.h"
#include "create_new_antenna_curve_dlg.h"
#include "dbl2_frame.h"
#include "gui_test_support.h"
#include "import_text_dlg.h"
#include "import_text_panes.h"

#include <QApplication>
#include <QComboBox>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <memory>

using namespace kelvor_test;

namespace {

using Points = std::vector<Pattern_Point>;

bool same_points(const Points& a, std::span<const Pattern_Point> b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const Pattern_Point& p, const Pattern_Point& q) {
                          return p.angle == q.angle && p.attenuation == q.attenuation;
                      });
}

Points cut_of(const Antenna_Record& record, int slot) {
    const auto cut = record.cut(slot);
    return {cut.begin(), cut.end()};
}

std::vector<Curve_Pair> shown(const CurveEditWindow& editor) {
    return {editor.points().points().begin(), editor.points().points().end()};
}

QStringList listed(const CurveEditWindow& editor) {
    QStringList texts;
    for (const CurveEditWindow::Curve_Entry& entry : editor.entries()) {
        texts << entry.text;
    }
    return texts;
}

class AntennaCurves : public Gui_Test {
protected:
    // Opens the editor on `record`; New answers with `next_slot`.
    void open() {
        editor = std::make_unique<AntennaCurveEdit>(
            record, nullptr,
            [this](QWidget*, const Antenna_Record&) { return next_slot; });
        editor->show();
        editor->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(editor.get()));
        editor->grid()->setFocus();
    }
    // Types into the focused widget; the first character opens the grid's edit.
    void type(const QString& keys) {
        for (const QChar c : keys) {
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        }
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    // Types the points as x Enter y Enter.
    void type_points(const std::vector<std::pair<const char*, const char*>>& points) {
        for (const auto& [x, y] : points) {
            type(QString::fromLatin1(x));
            press(Qt::Key_Return);
            type(QString::fromLatin1(y));
            press(Qt::Key_Return);
        }
    }
    // Chooses the listed curve `text` as the user does.
    void choose(const QString& text) {
        auto* list = static_cast<QComboBox*>(editor->control(CurveEditWindow::IDC_CURVE_LIST));
        const int index = list->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        list->setCurrentIndex(index);
        editor->OnSelchangeCurveList();
    }

    Scripted_Presenter presenter;
    Scripted_File_Dialogs dialogs;
    Antenna_Record record;
    std::optional<int> next_slot;
    std::unique_ptr<AntennaCurveEdit> editor;
};

const Points hh = {{-10, 5}, {0, 0}, {10, 5}};
const Points vv = {{-20, 12}, {0, 0}, {20, 12}};

TEST_F(AntennaCurves, SwitchingWritesTheShownCutBackBeforeTheNextLoads) {
    record.set_cut(0, hh);
    record.set_cut(2, vv);
    open();
    EXPECT_EQ(listed(*editor),
              QStringList({"H/H azimuth - horizontal", "V/V azimuth - horizontal"}));
    EXPECT_EQ(editor->current_curve(), 0);
    EXPECT_EQ(shown(*editor), (std::vector<Curve_Pair>{{-10, -5}, {0, 0}, {10, -5}}));
    // The V/V cut lies behind H/H on the chart, as levels.
    ASSERT_EQ(editor->chart()->overlays().size(), 1u);
    EXPECT_EQ(editor->chart()->overlays()[0].name, "V/V azimuth - horizontal");
    EXPECT_EQ(editor->chart()->overlays()[0].points,
              (std::vector<Curve_Pair>{{-20, -12}, {0, 0}, {20, -12}}));

    press(Qt::Key_Y, Qt::ControlModifier); // the first point goes
    choose("V/V azimuth - horizontal");
    EXPECT_TRUE(same_points({{0, 0}, {10, 5}}, record.cut(0)));
    EXPECT_TRUE(same_points(vv, record.cut(2)));
    EXPECT_EQ(editor->current_curve(), 2);
    EXPECT_EQ(shown(*editor), (std::vector<Curve_Pair>{{-20, -12}, {0, 0}, {20, -12}}));
    EXPECT_TRUE(editor->record_changed());
}

TEST_F(AntennaCurves, OnePointLeftEmptiesTheSlotAndTheCutLeavesTheList) {
    record.set_cut(0, {{0, 0}, {10, 5}});
    record.set_cut(2, vv);
    open();
    press(Qt::Key_Y, Qt::ControlModifier);
    ASSERT_EQ(editor->points().count(), 1);
    choose("V/V azimuth - horizontal");
    EXPECT_TRUE(record.cut(0).empty());
    EXPECT_EQ(record.antenna_spec.cut_points[0], 0);
    EXPECT_EQ(listed(*editor), QStringList({"V/V azimuth - horizontal"}));
    // Nothing typed: nothing written, the flag stays clear.
    editor.reset();
    open();
    editor->OnOK();
    EXPECT_FALSE(editor->record_changed());
}

TEST_F(AntennaCurves, LevelsTypedAsGainsAreStoredBelowTheirPeak) {
    next_slot = 4;
    open();
    EXPECT_EQ(editor->current_curve(), -1);
    editor->OnNew();
    EXPECT_EQ(editor->current_curve(), 4);
    // The new slot is listed while it is still empty.
    EXPECT_EQ(listed(*editor), QStringList({"H/H elevation - vertical"}));
    type_points({{"0", "20"}, {"10", "17"}, {"20", "10"}});
    editor->OnOK();
    EXPECT_TRUE(editor->record_changed());
    EXPECT_TRUE(same_points({{0, 0}, {10, 3}, {20, 10}}, record.cut(4)));
}

TEST_F(AntennaCurves, DeletingTheOnlyCutLeavesNoneAndImportAsksForNew) {
    record.set_cut(1, hh);
    open();
    presenter.answers = {ID_NO};
    editor->OnDelete();
    EXPECT_EQ(presenter.last().caption, "Delete Curve");
    EXPECT_EQ(presenter.last().text,
              "Delete H/V azimuth - horizontal Curve?\r\nThis delete cannot be undone");
    EXPECT_TRUE(same_points(hh, record.cut(1)));
    presenter.answers = {ID_YES};
    editor->OnDelete();
    EXPECT_TRUE(record.cut(1).empty());
    EXPECT_EQ(editor->current_curve(), -1);
    EXPECT_TRUE(editor->entries().empty());
    EXPECT_EQ(editor->points().count(), 0);
    editor->OnImport();
    EXPECT_EQ(presenter.last().caption, "Data Entry Error");
    EXPECT_EQ(presenter.last().text,
              "Click New and define the type of curve before importing data");
    EXPECT_TRUE(dialogs.seen.empty());
    editor->OnOK();
    EXPECT_TRUE(editor->record_changed());
}

TEST_F(AntennaCurves, ImportAppendsUpToTheFirstLineOfTextAndWrapsAnglesAbove180) {
    record.set_cut(0, {{0, 0}, {90, 10}});
    open();
    dialogs.choose({dir.write("cut.csv", "350,-3\n10,-1\n20,-5\nangle,level\n30,-9\n")});
    bool finished = false;
    answer_import_dialog(&finished);
    editor->OnImport();
    ASSERT_TRUE(finished);
    EXPECT_EQ(dialogs.seen.back().title, "Import Antenna Pattern from Text File");
    EXPECT_EQ(shown(*editor),
              (std::vector<Curve_Pair>{{-10, -3}, {0, 0}, {10, -1}, {20, -5}, {90, -10}}));
    EXPECT_EQ(editor->grid()->current_row(), 0);
    editor->OnOK();
    EXPECT_TRUE(same_points({{-10, 3}, {0, 0}, {10, 1}, {20, 5}, {90, 10}}, record.cut(0)));
}

TEST_F(AntennaCurves, CutsOfNoneOrOnePointOpenAndDraw) {
    for (const Points& cut : {Points{}, Points{{15, 2}}}) {
        SCOPED_TRACE(cut.size());
        record.set_cut(3, cut);
        open();
        EXPECT_EQ(editor->current_curve(), cut.empty() ? -1 : 3);
        EXPECT_EQ(editor->points().count(), static_cast<int>(cut.size()));
        EXPECT_FALSE(editor->chart()->grab().isNull());
        editor->OnOK();
        EXPECT_FALSE(editor->record_changed());
    }
    // New on the slot of the stray point starts it afresh.
    next_slot = 3;
    editor->OnNew();
    EXPECT_EQ(editor->current_curve(), 3);
    EXPECT_EQ(editor->points().count(), 0);
    EXPECT_TRUE(record.cut(3).empty());
    EXPECT_TRUE(editor->record_changed());
}

TEST_F(AntennaCurves, TheNewDialogOffersTheSlotsWithoutACut) {
    struct Case {
        std::vector<int> point_counts; // of slots 0 to 7
        std::array<bool, PATTERN_SLOTS> enabled;
        int checked;
    };
    const Case cases[] = {
        {{0, 0, 0, 0, 0, 0, 0, 0}, {1, 1, 1, 1, 1, 1, 1, 1}, 0},
        {{2, 1, 5, 0, 0, 0, 0, 3}, {0, 1, 0, 1, 1, 1, 1, 0}, 1},
        {{3, 3, 3, 3, 2, 2, 2, 0}, {0, 0, 0, 0, 0, 0, 0, 1}, 7},
        {{2, 2, 2, 2, 2, 2, 2, 2}, {0, 0, 0, 0, 0, 0, 0, 0}, -1},
    };
    for (const Case& c : cases) {
        Antenna_Record cuts;
        for (int slot = 0; slot < PATTERN_SLOTS; ++slot) {
            Points points;
            for (int i = 0; i < c.point_counts[static_cast<std::size_t>(slot)]; ++i) {
                points.push_back({static_cast<float>(i), 0});
            }
            cuts.set_cut(slot, points);
        }
        const New_Cut_Choice choice = new_cut_choice(cuts);
        EXPECT_EQ(choice.enabled, c.enabled);
        EXPECT_EQ(choice.checked, c.checked);

        CreateNewAntennaCurveDlg dialog(choice);
        for (int slot = 0; slot < PATTERN_SLOTS; ++slot) {
            auto* button = qobject_cast<QRadioButton*>(dialog.control(101 + slot));
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(button->isEnabled(), c.enabled[static_cast<std::size_t>(slot)]);
            EXPECT_EQ(button->isChecked(), slot == c.checked);
        }
        EXPECT_EQ(dialog.chosen_slot(), c.checked);
    }
}

TEST_F(AntennaCurves, TheNewDialogChoosesAcrossBothPlanesAndSaysWhenAllAreTaken) {
    CreateNewAntennaCurveDlg dialog(New_Cut_Choice{{1, 1, 1, 1, 1, 1, 1, 1}, 0});
    EXPECT_EQ(dialog.windowTitle(), "Create New Antenna Pattern");
    dialog.slot_button(6)->setChecked(true);
    EXPECT_FALSE(dialog.slot_button(0)->isChecked());
    EXPECT_EQ(dialog.chosen_slot(), 6);

    for (int slot = 0; slot < PATTERN_SLOTS; ++slot) {
        record.set_cut(slot, hh);
    }
    EXPECT_EQ(ask_new_cut_slot(nullptr, record), std::nullopt);
    EXPECT_EQ(presenter.last().caption, "Create New Antenna Pattern");
    EXPECT_EQ(presenter.last().text,
              "All eight pattern cuts hold points. Delete one before creating another.");
}

class AntennaViewCurves : public AntennaCurves {
protected:
    void SetUp() override {
        AntennaCurves::SetUp();
        view = std::make_unique<AntennaFileEdit>(nullptr, Editor_Sinks{});
        view->document().technology_dialog = [](const char*, Technology_Answers& answers) {
            answers.last_technology = 2;
            return true;
        };
        const std::string path = dir.file("npx.adf");
        std::filesystem::copy_file(example("antenna/npx120_11_envelope.adf"), path);
        ASSERT_TRUE(view->document().open_path(path));
    }
    void TearDown() override {
        view.reset();
        AntennaCurves::TearDown();
    }
    // View > Curves with an editor that runs `edit` on the window and closes with OK.
    void edit_curves(const std::function<void(AntennaCurveEdit&)>& edit) {
        view->curve_editor = [this, edit](QWidget* parent, Antenna_Record& copy) {
            EXPECT_NE(&copy, &view->document().record());
            AntennaCurveEdit window(copy, parent);
            window.show();
            window.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
            window.grid()->setFocus();
            edit(window);
            window.OnOK();
            return window.record_changed();
        };
        ASSERT_TRUE(view->command_available(ID_VIEW_CURVES));
        ASSERT_TRUE(view->handle_command(ID_VIEW_CURVES));
    }

    std::unique_ptr<AntennaFileEdit> view;
};

TEST_F(AntennaViewCurves, OneUndoStepTakesTheWholeSessionBack) {
    const Antenna_Record& held = view->document().record();
    const Points first = cut_of(held, 0);
    const Points third = cut_of(held, 2);
    ASSERT_GE(first.size(), 3u);

    edit_curves([](AntennaCurveEdit&) {});
    EXPECT_FALSE(view->document().modified());
    EXPECT_FALSE(view->command_available(ID_EDIT_UNDO));

    presenter.answers = {ID_YES};
    edit_curves([this](AntennaCurveEdit& window) {
        press(Qt::Key_Y, Qt::ControlModifier);
        auto* list = static_cast<QComboBox*>(window.control(CurveEditWindow::IDC_CURVE_LIST));
        list->setCurrentIndex(2);
        window.OnSelchangeCurveList();
        window.OnDelete();
    });
    EXPECT_TRUE(view->document().modified());
    EXPECT_EQ(cut_of(held, 0).size(), first.size() - 1);
    EXPECT_TRUE(held.cut(2).empty());
    EXPECT_EQ(view->document().undo_stack().count(), 1);
    EXPECT_EQ(view->document().undo_stack().undoText(), "Edit Curves");

    view->handle_command(ID_EDIT_UNDO);
    EXPECT_TRUE(same_points(first, held.cut(0)));
    EXPECT_TRUE(same_points(third, held.cut(2)));
    EXPECT_FALSE(view->document().modified());
}

TEST_F(AntennaViewCurves, AnEditedCutIsSavedInBothFormats) {
    std::vector<Curve_Pair> edited;
    edit_curves([this, &edited](AntennaCurveEdit& window) {
        press(Qt::Key_Y, Qt::ControlModifier);
        press(Qt::Key_Right);
        type("-0.5"); // the level of the new first point
        press(Qt::Key_Return);
        edited = shown(window);
    });
    ASSERT_FALSE(edited.empty());
    EXPECT_EQ(edited[0].y, -0.5);
    const Points expected = pattern_points_of(Curve_Points(edited));
    ASSERT_TRUE(same_points(expected, view->document().record().cut(0)));

    for (const auto& [name, format] :
         {std::pair{"edited.adf", File_Document::Format::ascii},
          std::pair{"edited.asd", File_Document::Format::binary}}) {
        SCOPED_TRACE(name);
        dialogs.choose({dir.file(name)});
        ASSERT_TRUE(view->document().save_as(format));
        Antenna_Document reopened(nullptr);
        ASSERT_TRUE(reopened.open_path(dir.file(name)));
        EXPECT_TRUE(same_points(expected, reopened.record().cut(0)));
    }
}

} // namespace
