// The curve grid's widgets: keys, clicks, clipboard and scrolling reach the grid's rules, and
// the frame paints and signals what those rules report.
#include "dbl2_edit.h"
#include "dbl2_frame.h"
#include "gui_test_support.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

using kelvor_test::Scripted_Presenter;

class Grid_Widget_Test : public ::testing::Test {
protected:
    void SetUp() override {
        frame.set_beep([this] { ++beeps; });
        frame.set_titles(QStringLiteral("Offset MHz"), QStringLiteral("Level dB"));
        frame.attach(&points);
        frame.show();
        frame.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
        frame.setFocus();
    }

    // Types `keys` into whatever has the focus, as the user would: the first character opens
    // the edit, the next ones go into it.
    void type(const QString& keys) {
        for (const QChar c : keys) {
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        }
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    std::vector<Curve_Pair> shown_points() const {
        return {points.points().begin(), points.points().end()};
    }

    Curve_Points points;
    dbl2_frame frame;
    int beeps = 0;
};

TEST_F(Grid_Widget_Test, TypedPointIsAddedThroughTheEditAndSignalled) {
    QSignalSpy rows(&frame, &dbl2_frame::current_row_changed);
    QSignalSpy lists(&frame, &dbl2_frame::list_changed);

    type(QStringLiteral("10"));
    ASSERT_TRUE(frame.edit()->isVisible());
    EXPECT_EQ(frame.edit()->text(), QStringLiteral("10"));
    EXPECT_EQ(QApplication::focusWidget(), frame.edit());
    press(Qt::Key_Return);
    EXPECT_FALSE(frame.edit()->isVisible());
    EXPECT_EQ(frame.grid().current_column(), 1);
    EXPECT_EQ(lists.count(), 0);

    type(QStringLiteral("-3"));
    press(Qt::Key_Return);
    EXPECT_EQ(shown_points(), (std::vector<Curve_Pair>{{10, -3}}));
    EXPECT_EQ(frame.grid().current_row(), 1);
    EXPECT_EQ(frame.grid().current_column(), 0);
    EXPECT_EQ(QApplication::focusWidget(), &frame);
    EXPECT_EQ(lists.count(), 1);
    ASSERT_EQ(rows.count(), 1);
    EXPECT_EQ(rows.at(0).at(0).toInt(), 1);
    EXPECT_TRUE(frame.changed());

    // Tab ends the edit in the grid instead of leaving it; Ctrl+Y clears what was typed.
    type(QStringLiteral("5"));
    press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &frame);
    EXPECT_EQ(frame.grid().cell_text(1, 0), "5.0000");
    EXPECT_EQ(frame.grid().current_column(), 1);
    press(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(frame.grid().cell_text(1, 0), "");
    EXPECT_EQ(frame.grid().current_row(), 0);
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), &frame);
    EXPECT_EQ(frame.grid().current_column(), 0);
}

TEST_F(Grid_Widget_Test, EditKeepsToEightNumberCharactersAndBeepsAtTheRest) {
    struct Case {
        const char* keys;
        const char* shown; // nullptr: no edit opened
        int beeps;
    };
    const Case cases[] = {
        {"12345678", "12345678", 0},
        {"123456789", "12345678", 1},
        {"1a.5", "1.5", 1},
        {"-2 x", "-2", 2},
        {"a", nullptr, 0}, // a letter in the grid does nothing
    };
    EXPECT_EQ(frame.edit()->maxLength(), 8);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        beeps = 0;
        type(QString::fromLatin1(c.keys));
        if (c.shown == nullptr) {
            EXPECT_FALSE(frame.grid().editing());
            EXPECT_FALSE(frame.edit()->isVisible());
        } else {
            EXPECT_EQ(frame.edit()->text(), QString::fromLatin1(c.shown));
            EXPECT_EQ(frame.grid().edit_text(), c.shown);
        }
        EXPECT_EQ(beeps, c.beeps);
        while (frame.grid().editing()) {
            press(Qt::Key_Escape);
        }
    }
    EXPECT_EQ(points.count(), 0);
}

TEST_F(Grid_Widget_Test, DuplicateXShowsTheMessageAndKeepsTheOldValue) {
    Scripted_Presenter presenter;
    const Curve_Pair pairs[] = {{0, 0}, {10, -20}};
    points.load(pairs);
    frame.attach(&points);
    QSignalSpy lists(&frame, &dbl2_frame::list_changed);
    type(QStringLiteral("10.0004"));
    press(Qt::Key_Return);
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.last().caption, "Data entry error");
    EXPECT_EQ(presenter.last().text, "Same distance used for two points");
    EXPECT_EQ(shown_points(), (std::vector<Curve_Pair>(std::begin(pairs), std::end(pairs))));
    EXPECT_FALSE(frame.edit()->isVisible());
    EXPECT_EQ(lists.count(), 0);
}

TEST_F(Grid_Widget_Test, ClipboardPastesPairsOnceAndCopiesTheCurve) {
    Scripted_Presenter presenter;
    QSignalSpy lists(&frame, &dbl2_frame::list_changed);
    QClipboard* clipboard = QGuiApplication::clipboard();

    clipboard->setText(QStringLiteral("Offset\tLevel\n5\t-6\n1,-2\n3;-4\n"));
    press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(shown_points(), (std::vector<Curve_Pair>{{1, -2}, {3, -4}, {5, -6}}));
    EXPECT_EQ(lists.count(), 1);
    EXPECT_TRUE(presenter.shown.empty());

    clipboard->setText(QStringLiteral("7\t0\n3.0002\t1\n"));
    press(Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.last().text, "3.0002\r\nSame distance used for two points");
    EXPECT_EQ(points.count(), 3);
    EXPECT_EQ(lists.count(), 1);

    press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(),
              QStringLiteral("Offset MHz\tLevel dB\n1\t-2\n3\t-4\n5\t-6\n"));

    // With the edit open, the keys are the edit control's own.
    type(QStringLiteral("9"));
    clipboard->setText(QStringLiteral("12x"));
    press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(frame.edit()->text(), QStringLiteral("912"));
    EXPECT_EQ(points.count(), 3);
}

// A paste is one step of the grid's undo history, a typed point another; Ctrl+Y stays the
// deletion of a row, Ctrl+Shift+Z redoes.
TEST_F(Grid_Widget_Test, UndoTakesBackAPasteInOneStepAndATypedPointInAnother) {
    QSignalSpy lists(&frame, &dbl2_frame::list_changed);
    QGuiApplication::clipboard()->setText(QStringLiteral("5\t-6\n1\t-2\n"));
    press(Qt::Key_V, Qt::ControlModifier);
    press(Qt::Key_End);
    type(QStringLiteral("9"));
    press(Qt::Key_Return);
    type(QStringLiteral("-9"));
    press(Qt::Key_Return);
    const std::vector<Curve_Pair> all{{1, -2}, {5, -6}, {9, -9}};
    ASSERT_EQ(shown_points(), all);
    EXPECT_EQ(frame.undo_stack()->count(), 2);

    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(shown_points(), (std::vector<Curve_Pair>{{1, -2}, {5, -6}}));
    EXPECT_LE(frame.current_row(), points.count());
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(points.count(), 0);
    press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(shown_points(), all);
    EXPECT_EQ(lists.count(), 6); // two changes, two undos, two redos: the chart follows each
    EXPECT_TRUE(frame.changed());

    press(Qt::Key_Home);
    press(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(shown_points(), (std::vector<Curve_Pair>{{5, -6}, {9, -9}}));
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(shown_points(), all);

    frame.attach(&points); // a new list starts a new history
    EXPECT_EQ(frame.undo_stack()->count(), 0);
}

TEST_F(Grid_Widget_Test, LongListPaintsOnlyTheVisibleRowsAndFollowsTheScrollBar) {
    std::vector<Curve_Pair> pairs;
    for (int i = 0; i < 100000; ++i) {
        pairs.push_back({i * 0.01, -i * 0.001});
    }
    points.load(pairs);
    frame.attach(&points);
    QSignalSpy rows(&frame, &dbl2_frame::current_row_changed);

    EXPECT_EQ(frame.verticalScrollBar()->maximum(), frame.grid().scroll_limit());
    frame.verticalScrollBar()->setValue(50000);
    EXPECT_EQ(frame.grid().first_visible_row(), 50000);
    EXPECT_EQ(frame.grid().current_row(), 0);

    // A click on the y cell of the third row shown.
    const QRect cell = frame.cell_rect(50002, 1);
    QTest::mouseClick(frame.viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    EXPECT_EQ(frame.grid().current_row(), 50002);
    EXPECT_EQ(frame.grid().current_column(), 1);
    ASSERT_EQ(rows.count(), 1);
    EXPECT_EQ(rows.at(0).at(0).toInt(), 50002);

    const QImage image = frame.viewport()->grab().toImage();
    EXPECT_EQ(frame.painted_rows(), std::make_pair(50000, 50019));
    const QColor highlight = frame.palette().color(QPalette::Active, QPalette::Highlight);
    EXPECT_EQ(image.pixelColor(cell.left() + 2, cell.center().y()), highlight);
    const QRect other = frame.cell_rect(50002, 0);
    EXPECT_NE(image.pixelColor(other.left() + 2, other.center().y()), highlight);

    // End moves the cursor and the scroll bar with it.
    press(Qt::Key_End);
    EXPECT_EQ(frame.verticalScrollBar()->value(), frame.grid().scroll_limit());

    // A taller window shows more rows, down to the last one.
    frame.resize(frame.width(), frame.height() + 10 * frame.row_height());
    QApplication::processEvents();
    EXPECT_EQ(frame.grid().visible_rows(), 30);
    EXPECT_EQ(frame.verticalScrollBar()->pageStep(), 30);
    frame.viewport()->grab();
    EXPECT_EQ(frame.painted_rows(), std::make_pair(100000 - 29, 100000));
}

} // namespace
