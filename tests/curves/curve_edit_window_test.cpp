// The curve editors' shared window over a record of plain point lists: writing back before a
// switch, the refusals without a curve, Delete, Import and closing.
#include "curve_edit_window.h"
#include "dbl2_frame.h"
#include "gui_test_support.h"
#include "import_text_dlg.h"
#include "import_text_panes.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

using namespace kelvor_test;

namespace {

// An editor of curves 0..n-1, each a list of pairs; a curve with no points is not listed unless
// it is the current one.
class Plain_Curve_Edit : public CurveEditWindow {
public:
    explicit Plain_Curve_Edit(std::vector<std::vector<Curve_Pair>> record)
        : CurveEditWindow(nullptr, {"Curves", "X", "Y", "Import Curve"}, false),
          curves(std::move(record)) {
        start();
    }

    std::vector<std::vector<Curve_Pair>> curves;
    std::vector<int> stored; // the curves written back, in order

protected:
    std::vector<Curve_Entry> curve_entries() const override {
        std::vector<Curve_Entry> entries;
        for (int i = 0; i < static_cast<int>(curves.size()); ++i) {
            if (!curves[static_cast<std::size_t>(i)].empty() || i == current_curve()) {
                entries.push_back({QStringLiteral("Curve %1").arg(i), i});
            }
        }
        return entries;
    }
    Curve_Points load_curve(int curve) override {
        return Curve_Points(curves.at(static_cast<std::size_t>(curve)));
    }
    bool store_curve(int curve, const Curve_Points& points) override {
        const auto shown = points.points();
        curves.at(static_cast<std::size_t>(curve)).assign(shown.begin(), shown.end());
        stored.push_back(curve);
        return true;
    }
    std::optional<int> create_curve() override {
        curves.emplace_back();
        return static_cast<int>(curves.size()) - 1;
    }
    void remove_curve(int curve) override { curves.at(static_cast<std::size_t>(curve)).clear(); }
};

class CurveEditWindowTest : public Gui_Test {
protected:
    void open(std::vector<std::vector<Curve_Pair>> record) {
        editor = std::make_unique<Plain_Curve_Edit>(std::move(record));
        editor->show();
        editor->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(editor.get()));
    }
    void click(int id) {
        QTest::mouseClick(static_cast<QPushButton*>(editor->control(id)), Qt::LeftButton);
    }
    // Pastes `text` into the grid as the user would with Ctrl+V.
    void paste(const QString& text) {
        QApplication::clipboard()->setText(text);
        editor->grid()->setFocus();
        QTest::keyClick(editor->grid(), Qt::Key_V, Qt::ControlModifier);
    }
    void choose(int entry) {
        auto* list = static_cast<QComboBox*>(editor->control(CurveEditWindow::IDC_CURVE_LIST));
        list->setCurrentIndex(entry);
        emit list->activated(entry);
    }

    Scripted_Presenter presenter;
    std::unique_ptr<Plain_Curve_Edit> editor;
};

TEST_F(CurveEditWindowTest, SwitchingWritesTheEditedCurveBackFirst) {
    open({{{1, 10}, {2, 20}}, {{5, 50}, {6, 60}}});
    EXPECT_EQ(editor->current_curve(), 0);
    // Choosing a curve without an edit writes nothing back.
    choose(1);
    choose(0);
    EXPECT_TRUE(editor->stored.empty());

    paste(QStringLiteral("3\t30\n"));
    choose(1);
    EXPECT_EQ(editor->stored, std::vector<int>{0});
    EXPECT_EQ(editor->curves[0], (std::vector<Curve_Pair>{{1, 10}, {2, 20}, {3, 30}}));
    EXPECT_EQ(editor->points().count(), 2);
    EXPECT_EQ(editor->points()[0], (Curve_Pair{5, 50}));
    EXPECT_TRUE(editor->record_changed());

    // Closing the window keeps the edit as OK does, and says the record changed.
    paste(QStringLiteral("7\t70\n"));
    QTest::keyClick(editor.get(), Qt::Key_Escape);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(editor->curves[1].size(), 3u);
    EXPECT_NE(settings().find("WNDSZE_KELVOR_CURVES="), std::string::npos) << settings();
}

TEST_F(CurveEditWindowTest, WithoutACurveNothingIsTypedOrImported) {
    open({});
    EXPECT_EQ(editor->current_curve(), -1);
    EXPECT_FALSE(editor->control(CurveEditWindow::IDC_DELETE)->isEnabled());

    paste(QStringLiteral("1\t2\n"));
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.last().caption, "Data Entry Error");
    EXPECT_EQ(presenter.last().text,
              "Click New and define the type of curve before entering data");
    EXPECT_EQ(editor->points().count(), 0);

    Scripted_File_Dialogs files;
    click(CurveEditWindow::IDC_IMPORT);
    EXPECT_EQ(presenter.last().text,
              "Click New and define the type of curve before importing data");
    EXPECT_TRUE(files.seen.empty());

    click(CurveEditWindow::IDC_OK);
    EXPECT_FALSE(editor->record_changed());
}

TEST_F(CurveEditWindowTest, DeleteAsksAndShowsTheFirstCurveLeft) {
    open({{{1, 10}, {2, 20}}, {}, {{5, 50}, {6, 60}}});
    choose(1); // "Curve 2"
    ASSERT_EQ(editor->current_curve(), 2);

    presenter.answers = {ID_NO};
    click(CurveEditWindow::IDC_DELETE);
    EXPECT_EQ(presenter.last().caption, "Delete Curve");
    EXPECT_EQ(presenter.last().text, "Delete Curve 2 Curve?\r\nThis delete cannot be undone");
    EXPECT_EQ(editor->curves[2].size(), 2u);

    for (const int left : {0, -1}) {
        presenter.answers = {ID_YES};
        click(CurveEditWindow::IDC_DELETE);
        EXPECT_EQ(editor->current_curve(), left);
    }
    EXPECT_TRUE(editor->entries().empty());
    EXPECT_EQ(editor->points().count(), 0);
    EXPECT_TRUE(editor->record_changed());
}

TEST_F(CurveEditWindowTest, ImportAppendsUpToTheFirstLineWithoutNumbers) {
    // Text ends the import, and so does a number no single-precision value holds.
    for (const char* stop : {"end,40", "4,1e39"}) {
        SCOPED_TRACE(stop);
        open({{{0.5, 1}, {9, 9}}});
        dir.write("sweep.csv", "1,10\n2,20\n3,30\n" + std::string(stop) + "\n4,50\n");
        Scripted_File_Dialogs files;
        files.choose({dir.file("sweep.csv")});
        answer_import_dialog();
        click(CurveEditWindow::IDC_IMPORT);
        ASSERT_EQ(files.seen.size(), 1u);
        EXPECT_EQ(files.seen[0].title, "Import Curve");
        EXPECT_EQ(files.seen[0].filters, QStringList{"all files (*)"});
        const std::vector<Curve_Pair> shown(editor->points().points().begin(),
                                            editor->points().points().end());
        EXPECT_EQ(shown, (std::vector<Curve_Pair>{{0.5, 1}, {1, 10}, {2, 20}, {3, 30}, {9, 9}}));
        EXPECT_TRUE(editor->grid()->changed());
        click(CurveEditWindow::IDC_OK);
        EXPECT_EQ(editor->curves[0], shown);
    }
}

} // namespace
