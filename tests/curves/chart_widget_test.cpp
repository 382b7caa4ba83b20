// The chart widgets: what they paint from the axis rules, the cached picture, the marker and
// the mouse, the exports, the remembered polar view and the curves drawn behind the list.
#include "dbl2_view.h"
#include "gui_test_support.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace {

using kelvor_test::Gui_Test;
using kelvor_test::read_bytes;

const QColor MARKER_BLUE(0, 0, 255);
const QColor CURVE_RED(176, 0, 0);

Curve_Points list_of(const std::vector<Curve_Pair>& pairs) {
    return Curve_Points(std::span<const Curve_Pair>(pairs));
}

// A view of `pairs`, shown and painted once.
struct Shown_View {
    explicit Shown_View(const std::vector<Curve_Pair>& pairs, QSize size = QSize(400, 300)) {
        view.resize(size);
        view.set_data(list_of(pairs));
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
        view.repaint();
    }
    QImage image() { return view.grab().toImage(); }
    dbl2_view view;
};

int count_colour(const QImage& image, const QColor& colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixelColor(x, y) == colour;
        }
    }
    return count;
}

void move_mouse(QWidget& widget, QPoint at) {
    QMouseEvent event(QEvent::MouseMove, QPointF(at), widget.mapToGlobal(QPointF(at)),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

// The context menu's checkable action of that text, kept alive by the view; none when absent.
QAction* menu_action(dbl2_view& view, const QString& text) {
    const std::unique_ptr<QMenu> menu = view.context_menu();
    for (QAction* action : menu->actions()) {
        if (action->text() == text) {
            action->setParent(&view);
            return action;
        }
    }
    return nullptr;
}

// Pixels of the overlays' first colour, antialiased against white: bluer than red by far, and
// not the marker's pure blue.
bool overlay_blue(const QColor& colour) {
    return colour.blue() - colour.red() > 60 && colour.red() > 20;
}

int count_overlay_blue(const QImage& image, QRect area) {
    int count = 0;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += overlay_blue(image.pixelColor(x, y));
        }
    }
    return count;
}

const std::vector<Curve_Pair> RAMP{{0, -40}, {10, -30}, {20, -10}, {30, -20}, {40, 0}};

// Lists with values that never reach the scale: the chart comes back with what is left.
TEST(Chart_Widget, DrawsListsWithUnusableValues) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* name;
        std::vector<Curve_Pair> pairs;
        bool curve;
    };
    const Case cases[] = {
        {"NaN and NOT_SET among points", {{0, -3}, {nan, 2}, {5, NOT_SET}, {10, -1}, {20, -7}}, true},
        {"infinite y", {{0, inf}, {10, -1}, {20, -2}}, true},
        {"all NaN", {{nan, nan}, {nan, 1}}, false},
        {"one point", {{3, -3}}, false},
        {"empty", {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Shown_View shown(c.pairs);
        shown.view.move_marker(static_cast<int>(c.pairs.size()) - 1);
        const QImage image = shown.image();
        const Plot_Rect& plot = shown.view.axis().plot;
        ASSERT_LT(plot.left, plot.right);
        EXPECT_EQ(image.pixelColor(plot.left, (plot.top + plot.bottom) / 2), QColor(Qt::black));
        EXPECT_EQ(image.pixelColor((plot.left + plot.right) / 2, plot.bottom), QColor(Qt::black));
        EXPECT_EQ(count_colour(image, CURVE_RED) > 0, c.curve);
        // The frame only: no marker either.
        EXPECT_EQ(count_colour(image, MARKER_BLUE) > 0, c.curve);
    }
}

// The chart is drawn into its picture after a change of size, data, titles or font; a plain
// repaint only replays the picture.
TEST(Chart_Widget, RebuildsThePictureOnlyAfterChanges) {
    struct Case {
        const char* name;
        std::function<void(dbl2_view&)> change;
        int renders;
    };
    const Curve_Points other = list_of({{1, 1}, {2, 4}});
    QFont bigger;
    bigger.setPointSize(14);
    const Case cases[] = {
        {"repaint", [](dbl2_view&) {}, 0},
        {"marker move", [](dbl2_view& v) { v.move_marker(3); }, 0},
        {"resize", [](dbl2_view& v) { v.resize(500, 320); }, 1},
        {"data", [&](dbl2_view& v) { v.set_data(other); }, 1},
        {"titles", [](dbl2_view& v) { v.set_axis_titles("Offset (MHz)", "Level (dB)"); }, 1},
        {"same titles", [](dbl2_view& v) { v.set_axis_titles({}, {}); }, 0},
        {"font", [&](dbl2_view& v) { v.setFont(bigger); }, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Shown_View shown(RAMP);
        const int before = shown.view.render_count();
        EXPECT_GE(before, 1);
        c.change(shown.view);
        shown.view.repaint();
        shown.view.repaint();
        EXPECT_EQ(shown.view.render_count() - before, c.renders);
    }
}

// The marker is a blue column at the point's place, from move_marker and from the mouse, which
// follows the right/left rule and tells the parent the index.
TEST(Chart_Widget, MarkerFollowsMoveMarkerAndTheMouse) {
    Shown_View shown(RAMP);
    dbl2_view& view = shown.view;
    const Graph_Axis2& axis = view.axis();
    const auto column = [&](double x) { return static_cast<int>(std::lround(axis.screen_x(x))); };
    const int middle = (axis.plot.top + axis.plot.bottom) / 2;

    view.move_marker(2);
    EXPECT_EQ(view.marker_x(), column(20));
    QImage image = shown.image();
    EXPECT_EQ(image.pixelColor(column(20), middle), MARKER_BLUE);
    EXPECT_EQ(image.pixelColor(column(20), axis.plot.top + 1), MARKER_BLUE);
    EXPECT_EQ(view.toolTip(), "x = 20.0000\ny = -10.0");

    view.move_marker(4);
    image = shown.image();
    EXPECT_NE(image.pixelColor(column(20), middle), MARKER_BLUE);
    EXPECT_EQ(image.pixelColor(column(40), middle), MARKER_BLUE);

    QSignalSpy selected(&view, &dbl2_view::point_selected);
    struct Step {
        double at_x;
        int expected; // -1: no notification
    };
    const Step steps[] = {
        {5, 1},   // moving right: the first point at or right of the mouse
        {25, 3},
        {15, 1},  // moving left: the last point left of the mouse
        {12, -1}, // still point 1: nothing new to tell
        {0.3, 0}, // left of every point but one: the first
        {39, 4},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.at_x);
        selected.clear();
        move_mouse(view, QPoint(column(step.at_x), middle));
        if (step.expected < 0) {
            EXPECT_EQ(selected.count(), 0);
            continue;
        }
        ASSERT_EQ(selected.count(), 1);
        EXPECT_EQ(selected.front().front().toInt(), step.expected);
        EXPECT_EQ(view.marker_index(), step.expected);
    }
    EXPECT_EQ(view.toolTip(), "x = 40.0000\ny = 0.0");

    // Outside the plot the mouse selects nothing.
    selected.clear();
    move_mouse(view, QPoint(column(10), axis.plot.bottom + 5));
    move_mouse(view, QPoint(2, middle));
    EXPECT_EQ(selected.count(), 0);
    EXPECT_EQ(view.marker_index(), 4);

    // New values at the marker's index show in the tooltip.
    view.set_data(list_of({{0, -40}, {10, -30}, {20, -10}, {30, -20}, {45, -2.5}}));
    EXPECT_EQ(view.toolTip(), "x = 45.0000\ny = -2.5");

    // A shorter list drops a marker it no longer holds.
    view.set_data(list_of({{0, 0}, {1, 1}}));
    EXPECT_EQ(view.marker_index(), -1);
    EXPECT_TRUE(view.toolTip().isEmpty());
}

class Chart_Export : public Gui_Test {};

TEST_F(Chart_Export, WritesPngAtTwiceTheSizeAndSvg) {
    Shown_View shown(RAMP, QSize(420, 260));
    shown.view.set_axis_titles("Angle (deg)", "Level (dB)");
    const std::string png = dir.file("chart.png");
    const std::string svg = dir.file("chart.svg");
    QString error;
    ASSERT_TRUE(shown.view.save_png(QString::fromStdString(png), &error)) << error.toStdString();
    ASSERT_TRUE(shown.view.save_svg(QString::fromStdString(svg), &error)) << error.toStdString();

    EXPECT_EQ(read_bytes(png).substr(0, 8), "\x89PNG\r\n\x1a\n");
    const QImage image(QString::fromStdString(png));
    EXPECT_EQ(image.size(), QSize(840, 520));
    EXPECT_GT(count_colour(image, CURVE_RED), 0);
    EXPECT_EQ(count_colour(image, MARKER_BLUE), 0);

    const std::string drawing = read_bytes(svg);
    EXPECT_EQ(drawing.rfind("<?xml", 0), 0u);
    EXPECT_NE(drawing.find("viewBox=\"0 0 420 260\""), std::string::npos);
    EXPECT_NE(drawing.find("Level (dB)"), std::string::npos);
    EXPECT_NE(drawing.find("</svg>"), std::string::npos);

    shown.view.copy_to_clipboard();
    const QImage copied = QGuiApplication::clipboard()->image();
    EXPECT_EQ(copied.size(), QSize(420, 260));
    EXPECT_GT(count_colour(copied, CURVE_RED), 0);

    // A folder that is not there: refused with a reason, and the good files stay.
    const std::string missing = dir.file("no such folder/chart.png");
    EXPECT_FALSE(shown.view.save_png(QString::fromStdString(missing), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(shown.view.save_svg(QString::fromStdString(dir.file("no such folder/c.svg"))));
    EXPECT_EQ(QImage(QString::fromStdString(png)).size(), QSize(840, 520));
}

// The polar view: offered for pattern cuts only, chosen in the context menu and remembered in
// the settings file; it draws the cut around the circle with the marker as a radius, and the
// mouse picks the point by its angle.
TEST_F(Chart_Export, PolarViewIsRememberedAndPicksByAngle) {
    const std::vector<Curve_Pair> cut{{-180, -30}, {-90, -20}, {0, 0}, {90, -10}, {180, -30}};
    const auto polar_action = [](dbl2_view& view) { return menu_action(view, "Polar view"); };
    {
        Shown_View radio(cut);
        EXPECT_EQ(polar_action(radio.view), nullptr);
    }
    Shown_View shown(cut);
    dbl2_view& view = shown.view;
    view.set_polar_allowed(true);
    EXPECT_FALSE(view.polar());
    QAction* action = polar_action(view);
    ASSERT_NE(action, nullptr);
    EXPECT_TRUE(action->isCheckable());
    EXPECT_FALSE(action->isChecked());
    action->setChecked(true);
    EXPECT_TRUE(view.polar());
    EXPECT_NE(settings().find("Chart polar view=1"), std::string::npos);

    Shown_View again(cut);
    again.view.set_polar_allowed(true);
    EXPECT_TRUE(again.view.polar());
    ASSERT_NE(polar_action(again.view), nullptr);
    EXPECT_TRUE(polar_action(again.view)->isChecked());

    // The marker at 90 degrees is a blue radius to the right of the centre.
    view.repaint();
    view.move_marker(3);
    QImage image = shown.image();
    const QPoint centre(view.width() / 2, view.height() / 2);
    EXPECT_EQ(image.pixelColor(centre.x() + 40, centre.y()), MARKER_BLUE);
    EXPECT_NE(image.pixelColor(centre.x() - 40, centre.y()), MARKER_BLUE);
    EXPECT_GT(count_colour(image, CURVE_RED), 0);
    EXPECT_EQ(view.marker_x(), NO_MARKER);

    QSignalSpy selected(&view, &dbl2_view::point_selected);
    move_mouse(view, centre + QPoint(-30, 2));
    ASSERT_EQ(selected.count(), 1);
    EXPECT_EQ(selected.front().front().toInt(), 1);
    move_mouse(view, centre + QPoint(3, -30));
    ASSERT_EQ(selected.count(), 2);
    EXPECT_EQ(selected.back().front().toInt(), 2);

    action->setChecked(false);
    EXPECT_FALSE(view.polar());
    EXPECT_NE(settings().find("Chart polar view=0"), std::string::npos);
}

class Chart_Overlays : public Gui_Test {};

// The axes take the overlays in only while they are shown; the overlay is drawn behind the list
// then and not otherwise, in the window, the exports and the polar view alike. The marker and the
// mouse keep to the list's own points.
TEST_F(Chart_Overlays, WidenTheAxesAndAreDrawnOnlyWhenShown) {
    Shown_View shown(RAMP, QSize(420, 300));
    dbl2_view& view = shown.view;
    const Graph_Axis2& axis = view.axis();
    // -40 to 0 alone: step 5, -45 to 5; x exactly 0 to 40.
    const auto expect_axes = [&](double x_min, double x_max, double y_min, double y_max) {
        EXPECT_DOUBLE_EQ(axis.x_min, x_min);
        EXPECT_DOUBLE_EQ(axis.x_max, x_max);
        EXPECT_DOUBLE_EQ(axis.y_min, y_min);
        EXPECT_DOUBLE_EQ(axis.y_max, y_max);
    };
    expect_axes(0, 40, -45, 5);

    // A flat overlay at -60 from -20 to 60, under and beside the list.
    view.set_overlays({{"V/V azimuth - horizontal", {{-20, -60}, {60, -60}}}});
    ASSERT_TRUE(view.overlays_shown());
    view.repaint();
    expect_axes(-20, 60, -70, 10);
    const auto overlay_row = [&] { return static_cast<int>(std::lround(axis.screen_y(-60))); };
    const auto column = [&](double x) { return static_cast<int>(std::lround(axis.screen_x(x))); };
    QImage image = shown.image();
    EXPECT_GT(count_overlay_blue(image, QRect(column(-15), overlay_row() - 1, 1, 3)), 0);
    EXPECT_GT(count_overlay_blue(view.chart_image(2.0), QRect(2 * column(-15),
                                                            2 * overlay_row() - 2, 1, 5)), 0);

    // Marker and mouse: the list's points at their places on the widened axes.
    QSignalSpy selected(&view, &dbl2_view::point_selected);
    const int middle = (axis.plot.top + axis.plot.bottom) / 2;
    view.move_marker(2);
    EXPECT_EQ(view.marker_x(), column(20));
    move_mouse(view, QPoint(column(-15), overlay_row()));
    move_mouse(view, QPoint(column(55), middle));
    ASSERT_EQ(selected.count(), 2);
    EXPECT_EQ(selected.front().front().toInt(), 0);
    EXPECT_EQ(selected.back().front().toInt(), 4);
    EXPECT_EQ(view.overlays().front().points.size(), 2u);

    // Hidden: the list's own axes again and no overlay pixel anywhere.
    view.move_marker(-1);
    view.set_overlays_shown(false);
    view.repaint();
    expect_axes(0, 40, -45, 5);
    EXPECT_EQ(count_overlay_blue(shown.image(), shown.view.rect()), 0);
    EXPECT_EQ(count_overlay_blue(view.chart_image(1.0), shown.view.rect()), 0);

    // The polar view draws the shown overlay as a ring at -60 dB around the cut.
    view.set_overlays_shown(true);
    view.set_polar_allowed(true);
    view.set_polar(true);
    view.repaint();
    image = shown.image();
    const QPoint centre(view.width() / 2, view.height() / 2);
    EXPECT_GT(count_overlay_blue(image, QRect(centre.x() - 80, centre.y() - 80, 160, 160)), 0);
    view.set_overlays_shown(false);
    view.repaint();
    EXPECT_EQ(count_overlay_blue(shown.image(), shown.view.rect()), 0);
}

// "Show Other Curves" is offered only with overlays, checked at first, and the user's choice is
// remembered for the next chart.
TEST_F(Chart_Overlays, ShowOtherCurvesIsOfferedWithOverlaysAndRemembered) {
    const std::vector<Chart_Overlay> others{{"RX_SELECTIVITY", {{-5, -60}, {5, -60}}}};
    Shown_View shown(RAMP);
    dbl2_view& view = shown.view;
    EXPECT_EQ(menu_action(view, "Show Other Curves"), nullptr);
    view.set_overlays(others);
    QAction* action = menu_action(view, "Show Other Curves");
    ASSERT_NE(action, nullptr);
    EXPECT_TRUE(action->isCheckable());
    EXPECT_TRUE(action->isChecked());
    action->setChecked(false);
    EXPECT_FALSE(view.overlays_shown());
    EXPECT_NE(settings().find("Chart other curves=0"), std::string::npos);
    view.set_overlays({});
    EXPECT_EQ(menu_action(view, "Show Other Curves"), nullptr);

    Shown_View again(RAMP);
    again.view.set_overlays(others);
    EXPECT_FALSE(again.view.overlays_shown());
    action = menu_action(again.view, "Show Other Curves");
    ASSERT_NE(action, nullptr);
    EXPECT_FALSE(action->isChecked());
    action->setChecked(true);
    EXPECT_TRUE(again.view.overlays_shown());
    EXPECT_NE(settings().find("Chart other curves=1"), std::string::npos);
}

} // namespace
