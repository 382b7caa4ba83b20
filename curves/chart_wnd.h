// Chart_Wnd: the chart window. It lays the chart out with the axis rules of chart_axes.h, draws
// it into a cached picture after each change of size, data or fonts, and replays that picture
// on every paint; its context menu saves or copies the chart as an image. Curves given for
// comparison are drawn faintly behind the chart's own one, with a legend naming them.
#pragma once

#include "chart_axes.h"

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <memory>
#include <span>
#include <vector>

class QMenu;
class QPainter;
class QPolygonF;

// The colours of the grid lines and of the curve.
inline QColor chart_grid_colour() {
    return QColor(200, 220, 200);
}
inline QColor chart_curve_colour() {
    return QColor(176, 0, 0);
}
// The colour of the `index`th curve drawn behind the chart's own: light tints, distinct from
// each other, from the curve's red and from the marker's blue; after the last one they repeat.
QColor chart_background_colour(std::size_t index);

// A curve drawn thinly behind the chart's own, named in the legend.
struct Chart_Series {
    QString name;
    std::vector<Chart_Point> points;
};

class Chart_Wnd : public QWidget {
    Q_OBJECT

public:
    explicit Chart_Wnd(QWidget* parent = nullptr);

    // Titles drawn along the x axis and, turned upright, along the y axis.
    void set_axis_titles(const QString& x_title, const QString& y_title);
    const QString& x_title() const { return m_x_title; }
    const QString& y_title() const { return m_y_title; }

    // The axes as last laid out for the window (valid after the first paint).
    const Graph_Axis2& axis() const { return m_axis; }
    // How many times the cached picture was drawn; a plain repaint only replays it.
    int render_count() const { return m_render_count; }

    // The chart drawn afresh at `scale` times the window's size, without the marker.
    QImage chart_image(double scale);
    // Writes the chart as a PNG at twice the window's size, or as an SVG drawing of the
    // window's size. The file is replaced only when it was written whole; false (with the reason
    // in `error` when given) when it could not be.
    bool save_png(const QString& path, QString* error = nullptr);
    bool save_svg(const QString& path, QString* error = nullptr);
    // Puts the chart on the clipboard as an image at the screen's pixel ratio.
    void copy_to_clipboard();

    // The context menu: Save as PNG..., Save as SVG..., Copy, and what a derived view adds.
    std::unique_ptr<QMenu> context_menu();

protected:
    // The points the chart plots, in list order; the chart is the frame only with fewer than two
    // usable ones.
    void set_chart_points(std::vector<Chart_Point> points);
    std::span<const Chart_Point> chart_points() const { return m_points; }

    // The curves drawn behind the chart's own (none hides them and the legend); the axes take
    // them in as well. `own_name` names the chart's own curve in the legend.
    void set_background_curves(std::vector<Chart_Series> curves, const QString& own_name);
    const std::vector<Chart_Series>& background_curves() const { return m_background; }

    // Draws the legend, the own curve first, into the one of `corners` of `area` that the
    // curves (`screen_curves`: the own one, then the background ones, in pixels) cross least;
    // the own curve counts before the others. Nothing without background curves or when the
    // legend does not fit.
    void draw_legend(QPainter& painter, const Plot_Rect& area, std::span<const Chart_Corner> corners,
                     const std::vector<std::vector<Chart_Plan::Screen_Point>>& screen_curves);

    // Marks the cached picture stale and schedules a paint.
    void invalidate_picture();

    // Draws the whole chart for a client of `size` logical pixels. Called for the cache with
    // `for_window` set (the layout is then kept for the mouse and the marker) and for exports
    // with it clear. Derived views may draw another projection of the same points.
    virtual void draw_chart(QPainter& painter, QSize size, bool for_window);
    // Draws what moves over the cached picture (the marker); nothing here.
    virtual void draw_overlay(QPainter& painter);
    // Lets a derived view add its own entries to the context menu.
    virtual void add_menu_actions(QMenu& menu);

    // Draws the curve through `curve` (antialiasing is the caller's) in a thin pen of `colour`.
    static void draw_curve(QPainter& painter, const QPolygonF& curve,
                           const QColor& colour = chart_curve_colour());
    // The polyline through screen points, for draw_curve.
    static QPolygonF polygon_of(std::span<const Chart_Plan::Screen_Point> points);
    // Lays the cartesian chart out for `size` with the widget's fonts and draws it.
    void draw_cartesian(QPainter& painter, QSize size, Graph_Axis2& axis);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void rebuild_picture();
    void save_from_menu(bool svg);

    QString m_x_title;
    QString m_y_title;
    std::vector<Chart_Point> m_points;
    std::vector<Chart_Series> m_background;
    QString m_own_name;
    Graph_Axis2 m_axis;
    QPixmap m_picture;
    bool m_picture_stale = true;
    int m_render_count = 0;
};

